#include "mainwindow/PendingPreview.h"

#include "preview/ViewerText.h"

#include <QPlainTextEdit>
#include <QTimer>
#include <utility>

namespace zorvane {

PendingPreview::PendingPreview(QPlainTextEdit& viewer, CurrentFile currentFile,
                               SetCurrentFile setCurrentFile, QObject* parent)
    : QObject(parent), viewer_(viewer), currentFile_(std::move(currentFile)),
      setCurrentFile_(std::move(setCurrentFile)), notice_(new QTimer(this)) {
    notice_->setSingleShot(true);
    notice_->setInterval(300);
    connect(notice_, &QTimer::timeout, this, [this] {
        if (read_.pending())
            viewer_.setPlainText(pendingReadText());
    });
}

std::optional<PreviewResult> PendingPreview::start(const QString& path, Read read,
                                                   Deliver deliver) {
    abandon();
    if (launched_ == 1)
        viewer_.setEnabled(true);
    std::optional<PreviewResult> result = read_.start(
        std::move(read), [this, deliver = std::move(deliver)](const PreviewResult& later) {
            notice_->stop();
            // A failed read leaves the file previewed before, as a failed open always has.
            if (later.errorNumber != 0)
                showBeforePending();
            deliver(later);
        });
    if (result)
        return result;
    // A slow file system: the commands act on the file picked while its head is still coming.
    fileBeforePending_ = currentFile_();
    setCurrentFile_(path);
    notice_->start();
    return std::nullopt;
}

void PendingPreview::show(const QString& path, const QString& text) {
    previewText_ = text;
    viewer_.setPlainText(viewerDisplayText(text));
    viewer_.moveCursor(QTextCursor::Start); // the head of the file, from its first line
    setCurrentFile_(path);
    // Launched and the greyed viewer go together, also when a program was started on the file
    // while its head was still coming.
    viewer_.setEnabled(true);
    launched_ = 0;
}

void PendingPreview::abandon() {
    if (!read_.pending())
        return;
    read_.cancel();
    notice_->stop();
    showBeforePending(); // as if the abandoned pick had never been made
}

void PendingPreview::clear() {
    read_.cancel();
    notice_->stop();
    setCurrentFile_(QString());
    previewText_.clear();
    viewer_.clear();
}

void PendingPreview::cancel() {
    read_.cancel();
}

void PendingPreview::showBeforePending() {
    setCurrentFile_(fileBeforePending_);
    viewer_.setPlainText(viewerDisplayText(previewText_));
}

} // namespace zorvane
