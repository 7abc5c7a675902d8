#include "fileops/Form5.h"

#include "app/ModPlok.h"
#include "fileops/ShellSenders.h"
#include "formkit/DialogFrame.h"
#include "formkit/PathLabel.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace zorvane {

Form5::Form5(QWidget* owner) : QDialog(owner) {
    setUpFixedDialog(*this, QStringLiteral("Form5"), QStringLiteral("ファイルの削除"), 4680, 1860);
    setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 9));
    buildControls();
    fitTextControlsToFont(*this);
    Form_Load();
    centreOnScreen(*this);
}

void Form5::buildControls() {
    label1_ = new QLabel(QStringLiteral("削除するファイル"), this);
    placeControl(label1_, QStringLiteral("Label1"), 240, 240, 1560, 180);
    label2_ = new PathLabel(this);
    placeNameLabel(label2_, QStringLiteral("Label2"), 240, 540, 4200, 180);
    command1_ = new QPushButton(QStringLiteral("ＯＫ"), this);
    placeControl(command1_, QStringLiteral("Command1"), 240, 1080, 1680, 480);
    command2_ = new QPushButton(QStringLiteral("キャンセル"), this);
    placeControl(command2_, QStringLiteral("Command2"), 2760, 1080, 1680, 480);

    // Neither button is the default: Enter and Space press the button that has the focus.
    setTabOrder(command1_, command2_);
    command1_->setFocus();
    connect(command1_, &QPushButton::clicked, this, &Form5::Command1_Click);
    connect(command2_, &QPushButton::clicked, this, &Form5::Command2_Click);
}

void Form5::Form_Load() {
    label2_->setPath(modPlok().TargetPath);
}

void Form5::Command1_Click() {
    ShellDelete(this, modPlok().TargetPath);
    accept();
}

void Form5::Command2_Click() {
    reject();
}

void Form5::keyPressEvent(QKeyEvent* event) {
    // There is no cancel button, so Esc does nothing (the frame's close box still cancels).
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace zorvane
