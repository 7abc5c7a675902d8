#pragma once

#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <QTimer>

class QWidget;

namespace zorvane {

// The progress window of a long file operation: a QProgressDialog, window-modal to the owner,
// that appears only when the work lasts longer than half a second. Its cancel button (and
// closing it) asks for cancellation.
class ShellProgressWindow final : public QObject {
    Q_OBJECT

public:
    static constexpr int showDelayMs = 500;

    ShellProgressWindow(QWidget* owner, const QString& title, const QString& text);
    ~ShellProgressWindow() override;

    void setProgress(qint64 done, qint64 total);
    bool isShown() const { return shown_; }
    QProgressDialog* dialog() const { return dialog_; }

signals:
    void cancelRequested();
    void appeared();

private:
    void appear();

    QPointer<QProgressDialog> dialog_;
    QTimer showTimer_;
    bool shown_ = false;
};

} // namespace zorvane
