#pragma once

#include <QStringList>

class QDropEvent;
class QWidget;

namespace zorvane {

// A drag of files over a window, or their drop, as the window answers it: taken as a copy (the
// source keeps its files) when it carries local files, refused otherwise, so that the pointer
// says so before the button is let go. Returns the local files it carries, read from the bytes
// of its URI list (not through QUrl, which would take a Shift-JIS name as UTF-8); none for a drag
// from `ownSource` (a file dragged out of File1 and let go over its own window is no new pick).
QStringList acceptDroppedFiles(QDropEvent& event, const QWidget* ownSource);

} // namespace zorvane
