#pragma once

#include <QString>

class QTextDocument;

namespace zorvane {

// What the help window shows for a help file: its HTML, or, when the file cannot be read, a
// page that says so in Japanese (`problem` then holds that sentence for the notice line).
struct HelpPage {
    QString html;
    QString problem; // empty when the file was read
};

// Reads the help file (UTF-8 HTML) without blocking on a FIFO or a device. A missing file, a
// folder or device under that name, an unreadable or oversized file gives a page that names the
// file and the reason.
HelpPage loadHelpPage(const QString& helpFile);

// Whether the laid-out document holds the element with id (or anchor name) `anchor`.
bool documentHasAnchor(const QTextDocument& document, const QString& anchor);

// The notice for a context number that the help file does not have.
QString unknownTopicNotice(int contextNumber);

} // namespace zorvane
