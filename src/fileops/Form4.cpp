#include "fileops/Form4.h"

#include "app/ModPlok.h"
#include "fileops/RenameName.h"
#include "fileops/ShellSenders.h"
#include "formkit/DialogFrame.h"
#include "formkit/PathLabel.h"
#include "platform/BeepService.h"
#include "platform/NativePath.h"
#include "platform/PlatformServices.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zorvane {

Form4::Form4(QWidget* owner) : QDialog(owner) {
    setUpFixedDialog(*this, QStringLiteral("Form4"), QStringLiteral("名前の変更"), 4680, 2700);
    setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 9));
    buildControls();
    fitTextControlsToFont(*this);
    Form_Load();
    centreOnScreen(*this);
}

void Form4::buildControls() {
    label1_ = new QLabel(QStringLiteral("元の名前"), this);
    placeControl(label1_, QStringLiteral("Label1"), 240, 240, 900, 180);
    label2_ = new PathLabel(this); // a long name is elided in the middle: its extension shows
    placeNameLabel(label2_, QStringLiteral("Label2"), 240, 540, 4200, 180);
    label3_ = new QLabel(QStringLiteral("新しい名前"), this);
    placeControl(label3_, QStringLiteral("Label3"), 240, 960, 900, 180);
    text1_ = new QLineEdit(this);
    placeControl(text1_, QStringLiteral("Text1"), 240, 1260, 4200, 270);
    label3_->setBuddy(text1_);
    command1_ = new QPushButton(QStringLiteral("ＯＫ"), this);
    placeControl(command1_, QStringLiteral("Command1"), 240, 1920, 1680, 480);
    command2_ = new QPushButton(QStringLiteral("キャンセル"), this);
    placeControl(command2_, QStringLiteral("Command2"), 2760, 1920, 1680, 480);

    command1_->setDefault(true);
    setTabOrder(text1_, command1_);
    setTabOrder(command1_, command2_);
    text1_->setFocus();
    connect(command1_, &QPushButton::clicked, this, &Form4::Command1_Click);
    // Esc and the frame's close box reject the dialog, as this button does.
    connect(command2_, &QPushButton::clicked, this, &Form4::Command2_Click);
}

void Form4::Form_Load() {
    const SplitName split = SplitPath(modPlok().TargetPath);
    oldDir_ = split.oldDir;
    oldName_ = split.oldName;
    // A name in Shift-JIS is offered as the user reads it; the file itself is reached by its
    // exact bytes through TargetPath.
    const QString shownName = displayPath(oldName_);
    label2_->setPath(shownName);
    text1_->setText(shownName);
    // As file managers offer a rename: the name without its extension, ready to be typed over.
    const NameSelection selection = renameSelection(shownName);
    text1_->setSelection(selection.start, selection.length);
}

void Form4::Command1_Click() {
    if (text1_->text() == oldName_ || text1_->text() == displayPath(oldName_)) {
        PlatformServices::beep().beep();
        return;
    }
    modPlok().DestPath = oldDir_ + text1_->text();
    ShellRename(this, modPlok().TargetPath, modPlok().DestPath);
    accept();
}

void Form4::Command2_Click() {
    reject();
}

} // namespace zorvane
