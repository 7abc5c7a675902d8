#pragma once

#include "platform/StallableRead.h"
#include "preview/FilePreview.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QPlainTextEdit;
class QTimer;

namespace zorvane {

// The viewer Text1 and the current file (Label5) while the head of a picked file is read. A
// read that ends within the window's short wait is shown as a read on the window's thread would
// be. One that goes on in the background makes its file current at once, so the commands act on
// it, and after 300 ms the viewer says 読み込み中…; a newer pick, or a read that fails, brings
// back the file and the text shown before, as if the pick had never been made. Launched (1
// after a program was started on the current file, the viewer greyed) is 0 again, the viewer
// enabled, once a head is shown, also when the program was started while that head was coming.
class PendingPreview final : public QObject {
public:
    using CurrentFile = std::function<QString()>;
    using SetCurrentFile = std::function<void(const QString&)>;
    using Read = std::function<PreviewResult()>;
    using Deliver = std::function<void(const PreviewResult&)>;

    // `currentFile` and `setCurrentFile` read and set Label5's caption.
    PendingPreview(QPlainTextEdit& viewer, CurrentFile currentFile, SetCurrentFile setCurrentFile,
                   QObject* parent = nullptr);

    // Launched, as the commands that start a program on the current file set it.
    qint16& launched() { return launched_; }
    qint16 launched() const { return launched_; }

    // The text of the last head shown, with its CR LF pairs.
    const QString& previewText() const { return previewText_; }

    // A head is still being read in the background.
    bool pending() const { return read_.pending(); }

    // Reads the head of `path` with `read`, abandoning a read still pending. Returns the result
    // of a read that ended within the short wait, for the caller to show. Otherwise returns
    // nothing, makes `path` current and hands the result to `deliver` when it comes (after a
    // failed read, with the file shown before current again).
    std::optional<PreviewResult> start(const QString& path, Read read, Deliver deliver);

    // Shows `text`, the head of `path`, from its first line: `path` is current, the viewer
    // enabled and Launched 0.
    void show(const QString& path, const QString& text);

    // Abandons a read still pending: the file and the text shown before it come back.
    void abandon();

    // No current file and an empty viewer; a read still pending is dropped.
    void clear();

    // Drops a read still pending and shows nothing of it (the window is closing).
    void cancel();

private:
    void showBeforePending();

    QPlainTextEdit& viewer_;
    CurrentFile currentFile_;
    SetCurrentFile setCurrentFile_;
    StallableRead<PreviewResult> read_;
    QTimer* notice_ = nullptr;  // says the read is pending once it has taken a while
    QString fileBeforePending_; // Label5 before the pending pick named its file
    QString previewText_;
    qint16 launched_ = 0;
};

} // namespace zorvane
