#pragma once

#include <QString>

namespace zorvane {

// The marker line that says the file goes on.
QString continuationMarker();

// The head of a file as the viewer shows it, or the error number that kept it from being read.
struct PreviewResult {
    int errorNumber = 0; // 0 on success
    QString text;        // the preview text with its CR LF pairs (empty on failure)
};

// Reads the head of the file at `fullPath`: at most 51 lines or 2500 characters, then the
// marker line.
PreviewResult buildPreview(const QString& fullPath);

} // namespace zorvane
