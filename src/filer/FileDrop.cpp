#include "filer/FileDrop.h"

#include "filer/FileUriList.h"

#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

namespace zorvane {

QStringList acceptDroppedFiles(QDropEvent& event, const QWidget* ownSource) {
    static const QString UriList = QStringLiteral("text/uri-list");
    const QMimeData* mime = event.mimeData();
    QStringList files;
    if (mime && mime->hasFormat(UriList) && !(ownSource && event.source() == ownSource))
        files = localFilesOfUriList(mime->data(UriList), localHostName());
    if (files.isEmpty()) {
        event.ignore();
        return files;
    }
    event.setDropAction(Qt::CopyAction);
    event.accept();
    return files;
}

} // namespace zorvane
