#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class QColor;
class QTextDocument;
class QUrl;

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

// Far above any help text: a larger file is someone else's, not ours to lay out. The same cap
// holds for the images and style sheets the help file names.
inline constexpr qint64 HelpFileLimit = 4 * 1024 * 1024;

// The bytes of a resource that the help file names (an image, a style sheet): a regular local
// file, a relative name taken from `helpFolder`, not larger than HelpFileLimit. Anything else (a
// FIFO, a device, a folder, a larger file, a name on the network or of another scheme) is
// nullopt: it is left out of the page.
std::optional<QByteArray> readHelpResource(const QString& helpFolder, const QUrl& name);

// Where the element with id (or anchor name) `anchor` is in the document; -1 where it has none.
int anchorPosition(const QTextDocument& document, const QString& anchor);
inline bool documentHasAnchor(const QTextDocument& document, const QString& anchor) {
    return anchorPosition(document, anchor) >= 0;
}

// Makes every coloured text of the laid-out page readable where it is shown: coloured text (the
// headings, the links) against `pageBackground`, text of the page's colour `pageText` against a
// background of its own (a table cell's). On a light page nothing changes; on a dark one a designed
// colour is lightened, and light cells get dark text.
void makeColoursReadable(QTextDocument& document, const QColor& pageBackground,
                         const QColor& pageText);

// The first part of a help page's HTML, enough for a first screen: cut before the first heading,
// paragraph, list, rule or table outside any list or table that follows `textLength` characters
// of the page's text (blanks not counted), or empty when no such place comes. Parsed alone, the
// part lays out as the top of the whole page does: what comes after the cut never changes the
// pieces before it.
QString helpPageOpening(const QString& html, qsizetype textLength);
// The same for a first screen at a topic: the page's head and the pieces from the one holding
// the element with id (or name) `anchor`, cut as above; empty where the anchor is not found or no
// cut follows it.
QString helpPageAtAnchor(const QString& html, const QString& anchor, qsizetype textLength);

// Where the page's pieces at the top level begin (paragraphs, headings, list items, tables),
// in order: a page shown up to one of them never shows part of a table.
QList<int> topLevelStarts(const QTextDocument& document);

// Takes the text from `from` up to `to` (-1: the end) out of the layout (`shown` false) or puts it
// back; text put back is laid out anew. The text itself stays in the document.
void setTextShown(QTextDocument& document, int from, int to, bool shown);

// The notice for a context number that the help file does not have.
QString unknownTopicNotice(int contextNumber);

} // namespace zorvane
