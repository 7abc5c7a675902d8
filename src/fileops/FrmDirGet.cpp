#include "fileops/FrmDirGet.h"

#include "app/ModPlok.h"
#include "fileops/FileOpMessages.h"
#include "fileops/FolderPickerStart.h"
#include "filer/DirectoryListView.h"
#include "filer/DriveListBox.h"
#include "filer/FileListView.h"
#include "formkit/DialogFrame.h"
#include "formkit/NamedComboBoxAccessibility.h"
#include "platform/BeepService.h"
#include "platform/DriveList.h"
#include "platform/ErrorNumbers.h"
#include "platform/MessageBoxService.h"
#include "platform/NativeDirectory.h"
#include "platform/NativePath.h"
#include "platform/PlatformServices.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zorvane {

FrmDirGet::FrmDirGet(QWidget* owner) : QDialog(owner) {
    setUpFixedDialog(*this, QStringLiteral("frmDirGet"), QStringLiteral("ディレクトリ参照"), 6648,
                     5160);
    setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 9));
    buildControls();
    fitTextControlsToFont(*this);
    Form_Load();
    centreOnScreen(*this);
}

void FrmDirGet::buildControls() {
    // Created in tab order: the buttons first, then the lists and the text box.
    command1_ = new QPushButton(QStringLiteral("ＯＫ"), this);
    placeControl(command1_, QStringLiteral("Command1"), 600, 4440, 1695, 540);
    command2_ = new QPushButton(QStringLiteral("キャンセル"), this);
    placeControl(command2_, QStringLiteral("Command2"), 4440, 4440, 1695, 540);
    // Named as it is made, or a screen reader announces the drive box by its value ("/").
    installNamedComboBoxAccessibility();
    drive1_ = new DriveListBox(this);
    drive1_->setAccessibleName(QStringLiteral("ドライブ"));
    placeControl(drive1_, QStringLiteral("Drive1"), 3855, 300, 2655, 300);
    dir1_ = new DirectoryListView(this);
    placeControl(dir1_, QStringLiteral("Dir1"), 60, 300, 3615, 3450);
    file1_ = new FileListView(this);
    placeControl(file1_, QStringLiteral("File1"), 3840, 960, 2655, 2772);
    text1_ = new QLineEdit(QStringLiteral("ディレクトリ名"), this);
    placeControl(text1_, QStringLiteral("Text1"), 120, 3960, 6375, 270);
    label1_ = new QLabel(QStringLiteral("ディレクトリ名"), this);
    placeControl(label1_, QStringLiteral("Label1"), 60, 60, 2535, 180);
    label1_->setBuddy(dir1_);
    label2_ = new QLabel(QStringLiteral("ファイル名（参考）"), this);
    placeControl(label2_, QStringLiteral("Label2"), 3855, 720, 2535, 180);
    label2_->setBuddy(file1_);
    label3_ = new QLabel(QStringLiteral("ドライブ名"), this);
    placeControl(label3_, QStringLiteral("Label3"), 3855, 60, 2535, 180);
    label3_->setBuddy(drive1_);
    // Item views do not take their name from a buddy label: give them their captions.
    dir1_->setAccessibleName(label1_->text());
    file1_->setAccessibleName(label2_->text());
    // The box of the folder that OK hands back has no caption of its own.
    text1_->setAccessibleName(QStringLiteral("パス"));

    setTabOrder(command1_, command2_);
    setTabOrder(command2_, drive1_);
    setTabOrder(drive1_, dir1_);
    setTabOrder(dir1_, file1_);
    setTabOrder(file1_, text1_);
    command1_->setFocus();

    connect(command1_, &QPushButton::clicked, this, &FrmDirGet::Command1_Click);
    connect(command2_, &QPushButton::clicked, this, &FrmDirGet::Command2_Click);
    connect(drive1_, &QComboBox::currentIndexChanged, this, &FrmDirGet::Drive1_Change);
    connect(dir1_, &DirectoryListView::pathChanged, this, &FrmDirGet::Dir1_Change);
    // A folder that vanished before it was opened: the list already shows what is there now.
    connect(dir1_, &DirectoryListView::openFailed, this, [] { PlatformServices::beep().beep(); });
    connect(dir1_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &FrmDirGet::Dir1_Click);
    text1_->installEventFilter(this);
}

void FrmDirGet::Form_Load() {
    const QString start = pickerStartFolder(
        modPlok().DirPickStart, [](const QString& path) { return isNativeDirectory(path); },
        nativeCurrentFolder());
    drive1_->reloadDrives();
    drive1_->followPath(start);
    if (setFolder(start) != 0)
        setFolder(nativeCurrentFolder());
    file1_->setPath(dir1_->path()); // also when Dir1 was already there
}

int FrmDirGet::setFolder(const QString& folder) {
    const bool before = openingFromCode_;
    openingFromCode_ = true;
    const int error = dir1_->setPath(folder);
    openingFromCode_ = before;
    return error;
}

void FrmDirGet::Drive1_Change() {
    // Putting the drive back runs this step again, once; never more than that.
    if (driveChangeDepth_ > 1)
        return;
    ++driveChangeDepth_;
    const QString mount = drive1_->drive();
    for (;;) {
        int error = mount.isEmpty() ? 0 : PlatformServices::driveList().checkReady(mount);
        if (!mount.isEmpty() && error == 0) {
            QString folder = lastFolderOnDrive_.value(mount);
            if (folder.isEmpty() || !isNativeDirectory(folder))
                folder = mount;
            error = setFolder(folder);
        }
        if (error == 0)
            break;
        // A medium that is gone or not ready may come back: offer to try again.
        if (error == ErrDeviceUnavailable || error == ErrDiskNotReady) {
            if (PlatformServices::messageBox().show(this, driveNotReadyMessage()) ==
                MessageAnswer::Retry)
                continue;
        } else {
            PlatformServices::messageBox().show(this, driveErrorMessage(error));
        }
        drive1_->setDriveOf(dir1_->path());
        break;
    }
    --driveChangeDepth_;
}

void FrmDirGet::Dir1_Change() {
    const QString path = dir1_->path();
    file1_->setPath(path);
    drive1_->followPath(path);
    if (!drive1_->drive().isEmpty())
        lastFolderOnDrive_.insert(drive1_->drive(), path);
}

void FrmDirGet::Dir1_Click() {
    // Only the user's highlight shows here; the list marking the folder it opened does not.
    if (openingFromCode_)
        return;
    const QString highlighted = dir1_->highlightedPath();
    if (!highlighted.isEmpty())
        text1_->setText(displayPath(highlighted));
}

void FrmDirGet::Text1_Click() {
    PlatformServices::beep().beep();
    command1_->setFocus();
}

void FrmDirGet::Command1_Click() {
    const QString highlighted = dir1_->highlightedPath();
    if (!highlighted.isEmpty() && highlighted != dir1_->path() && setFolder(highlighted) != 0) {
        // The highlighted folder vanished: show what is there now, hand back nothing yet.
        dir1_->refresh();
        PlatformServices::beep().beep();
        return;
    }
    // The box shows the folder as the user reads it; the result keeps its exact bytes.
    text1_->setText(displayPath(dir1_->path()));
    modPlok().DirPickResult = dir1_->path();
    accept();
}

void FrmDirGet::Command2_Click() {
    reject();
}

void FrmDirGet::reject() {
    text1_->clear();
    modPlok().DirPickResult.clear();
    QDialog::reject();
}

void FrmDirGet::keyPressEvent(QKeyEvent* event) {
    // There is no cancel button, so Esc does nothing (the frame's close box still cancels).
    // Neither is there a default button: Enter that no control took (the file list, the path
    // box, the drive box) must not press whichever button last had the focus. A focused button
    // takes Enter itself, and the folder list opens its highlighted folder.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool FrmDirGet::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text1_ && event->type() == QEvent::MouseButtonPress) {
        Text1_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace zorvane
