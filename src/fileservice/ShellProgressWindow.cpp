#include "fileservice/ShellProgressWindow.h"

#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>

#include <limits>

namespace zorvane {

namespace {
constexpr int progressSteps = 1000;
}

ShellProgressWindow::ShellProgressWindow(QWidget* owner, const QString& title, const QString& text)
    : dialog_(new QProgressDialog(owner)) {
    dialog_->setObjectName(QStringLiteral("ShellProgressWindow"));
    dialog_->setWindowTitle(title);
    // The text holds a file name, shown as it is spelled, never read as markup.
    auto* label = new QLabel;
    label->setObjectName(QStringLiteral("ShellProgressText"));
    label->setTextFormat(Qt::PlainText);
    dialog_->setLabel(label);
    dialog_->setLabelText(text);
    dialog_->setCancelButtonText(QStringLiteral("キャンセル"));
    dialog_->setWindowModality(owner ? Qt::WindowModal : Qt::ApplicationModal);
    dialog_->setAutoReset(false);
    dialog_->setAutoClose(false);
    // The window appears through the timer below only, never by the dialog's own estimate.
    dialog_->setMinimumDuration(std::numeric_limits<int>::max());
    dialog_->setRange(0, progressSteps);
    dialog_->setValue(0);
    dialog_->hide();
    connect(dialog_.data(), &QProgressDialog::canceled, this,
            &ShellProgressWindow::cancelRequested);

    showTimer_.setSingleShot(true);
    connect(&showTimer_, &QTimer::timeout, this, &ShellProgressWindow::appear);
    showTimer_.start(showDelayMs);
}

ShellProgressWindow::~ShellProgressWindow() {
    showTimer_.stop();
    delete dialog_.data();
}

void ShellProgressWindow::setProgress(qint64 done, qint64 total) {
    if (!dialog_ || total <= 0)
        return;
    const qint64 clamped = qBound<qint64>(0, done, total);
    dialog_->setValue(static_cast<int>(clamped * progressSteps / total));
}

void ShellProgressWindow::appear() {
    if (!dialog_ || shown_)
        return;
    shown_ = true;
    dialog_->show();
    emit appeared();
}

} // namespace zorvane
