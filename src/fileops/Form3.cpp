#include "fileops/Form3.h"

#include "app/ModPlok.h"
#include "fileops/DestinationFolder.h"
#include "fileops/FileOpMessages.h"
#include "fileops/RecentFolderList.h"
#include "fileops/ShellSenders.h"
#include "formkit/DialogFrame.h"
#include "formkit/NamedComboBoxAccessibility.h"
#include "formkit/PathLabel.h"
#include "platform/DirectoryPicker.h"
#include "platform/MessageBoxService.h"
#include "platform/PlatformServices.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zorvane {

namespace {

QLabel* gothicLabel(const QString& caption, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 9));
    return label;
}

QComboBox* folderComboBox(QWidget* parent, const QString& name) {
    auto* combo = new QComboBox(parent);
    combo->setAccessibleName(name);
    combo->setEditable(true);
    // The text field is named as its box: a screen reader reaches the field itself.
    combo->lineEdit()->setAccessibleName(name);
    // Only a done operation or the picker changes the lists, never typing or Enter.
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setDuplicatesEnabled(true);
    // The typed text is the destination. Qt's completer would fill in the rest of a listed
    // folder as the user types, and its folding of letter case would let Enter or leaving the
    // box swap "/data/BACKUP2" for a listed "/data/backup2". Without it the box matches its
    // list exactly; the drop-down list stays for picking.
    combo->setCompleter(nullptr);
    return combo;
}

QStringList itemsOf(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

void fillFolderComboBox(QComboBox* combo, const FolderSlots& folders) {
    combo->addItems(filledFolderEntries(folders));
    if (combo->currentText().isEmpty())
        combo->setEditText(combo->count() > 0 ? combo->itemText(0) : QString());
}

} // namespace

Form3::Form3(QWidget* owner) : QDialog(owner) {
    setUpFixedDialog(*this, QStringLiteral("Form3"), QStringLiteral("ファイルのコピーと移動"), 6648,
                     2700);
    buildControls();
    fitTextControlsToFont(*this);
    Form_Load();
    centreOnScreen(*this);
}

void Form3::buildControls() {
    // Created in tab order, so the focus starts on Command1 (in Combo1 without a recent folder).
    command1_ = new QPushButton(this);
    placeControl(command1_, QStringLiteral("Command1"), 5760, 600, 720, 420);
    command2_ = new QPushButton(this);
    placeControl(command2_, QStringLiteral("Command2"), 5760, 1380, 720, 420);
    command4_ = new QPushButton(QStringLiteral("キャンセル"), this);
    placeControl(command4_, QStringLiteral("Command4"), 3640, 1980, 1680, 480);
    command3_ = new QPushButton(QStringLiteral("参照"), this);
    placeControl(command3_, QStringLiteral("Command3"), 300, 660, 720, 300);
    // A combo box is read by its text; these names tell a screen reader which row it is in.
    // Named as they are made: the name must be there when the first interface is made.
    installNamedComboBoxAccessibility();
    combo1_ = folderComboBox(this, QStringLiteral("最近のディレクトリ"));
    placeControl(combo1_, QStringLiteral("Combo1"), 1320, 660, 4000, 300);
    combo2_ = folderComboBox(this, QStringLiteral("いつものディレクトリ"));
    placeControl(combo2_, QStringLiteral("Combo2"), 1320, 1440, 4000, 300);

    label1_ = gothicLabel(QStringLiteral("ファイル："), this);
    placeControl(label1_, QStringLiteral("Label1"), 240, 240, 960, 180);
    label2_ = new PathLabel(this);
    label2_->setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 9));
    placeNameLabel(label2_, QStringLiteral("Label2"), 1320, 240, 4000, 180);
    label3_ = gothicLabel(QStringLiteral("を"), this);
    placeControl(label3_, QStringLiteral("Label3"), 5440, 240, 960, 180);
    label4_ = gothicLabel(QStringLiteral("へ"), this);
    placeControl(label4_, QStringLiteral("Label4"), 5445, 720, 240, 180);
    label5_ = gothicLabel(QStringLiteral("いつものディレクトリ"), this);
    placeControl(label5_, QStringLiteral("Label5"), 1320, 1200, 1920, 180);
    label5_->setBuddy(combo2_);
    label6_ = new QLabel(QStringLiteral("へ"), this);
    placeControl(label6_, QStringLiteral("Label6"), 5445, 1500, 240, 180);

    // Enter anywhere (inside either combo box's text too) acts on the first row; Esc cancels.
    command1_->setDefault(true);
    setTabOrder(command1_, command2_);
    setTabOrder(command2_, command4_);
    setTabOrder(command4_, command3_);
    setTabOrder(command3_, combo1_);
    setTabOrder(combo1_, combo2_);
    command1_->setFocus();

    connect(command1_, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(command2_, &QPushButton::clicked, this, &Form3::Command2_Click);
    connect(command3_, &QPushButton::clicked, this, &Form3::Command3_Click);
    connect(command4_, &QPushButton::clicked, this, &Form3::Command4_Click);
}

void Form3::Form_Load() {
    label2_->setPath(modPlok().TargetPath);
    fillFolderComboBox(combo1_, modPlok().RecentDirs);
    fillFolderComboBox(combo2_, modPlok().UsualDirs);
    const bool copy = modPlok().FileOpCode == 1;
    setWindowTitle(copy ? QStringLiteral("ファイルコピー") : QStringLiteral("ファイル移動"));
    const QString action = copy ? QStringLiteral("Copy") : QStringLiteral("Move");
    command1_->setText(action);
    command2_->setText(action);
    // Both buttons read the same; a screen reader names the row each one acts on.
    const QString verb = copy ? QStringLiteral("コピー") : QStringLiteral("移動");
    command1_->setAccessibleName(QStringLiteral("最近のディレクトリへ") + verb);
    command2_->setAccessibleName(QStringLiteral("いつものディレクトリへ") + verb);
    opFunc_ = opFuncForFileOpCode(modPlok().FileOpCode);
    // Without a recent folder Enter on Copy would do nothing: the first folder is typed.
    if (combo1_->currentText().isEmpty())
        combo1_->setFocus();
}

bool Form3::sendTo(const QString& text) {
    ModPlok& state = modPlok();
    state.DestPath = resolveDestinationText(text, state.TargetPath, QDir::homePath());
    if (state.DestPath.isEmpty())
        return false;
    switch (CheckDestDir(state.DestPath, lookUpDestination, this)) {
    case DestNotFolder:
        PlatformServices::messageBox().show(this, invalidFolderMessage());
        return false;
    case DestGaveUp:
        return false;
    case DestNothing:
        if (const int error = createDestinationFolder(state.DestPath)) {
            PlatformServices::messageBox().show(this, folderCreationMessage(state.DestPath, error));
            return false;
        }
        break;
    default:
        break;
    }
    ShellCopyMove(this, opFunc_, state.TargetPath, state.DestPath);
    return true;
}

void Form3::Command1_Click() {
    if (!sendTo(combo1_->currentText()))
        return;
    if (modPlok().FileOpCode == 0) {
        const QStringList before = itemsOf(combo1_);
        const QStringList after = recentListAfterUse(before, modPlok().DestPath);
        if (after.size() != before.size())
            combo1_->insertItem(0, modPlok().DestPath);
        storeRecentFolders(after, modPlok().RecentDirs);
    }
    accept();
}

void Form3::Command2_Click() {
    if (sendTo(combo2_->currentText()))
        accept();
}

void Form3::Command3_Click() {
    ModPlok& state = modPlok();
    const QString path =
        resolveDestinationText(combo1_->currentText(), state.TargetPath, QDir::homePath());
    if (!path.isEmpty()) {
        const DestinationLookup lookup = lookUpDestination(path);
        if (lookup.errorNumber == 0 && lookup.found != DestinationLookup::Found::Nothing)
            state.DirPickStart = path;
    }
    state.DirPickResult =
        PlatformServices::directoryPicker().pickDirectory(this, state.DirPickStart);
    // A cancelled pick changes nothing: the folder the row named stays for the next Enter.
    if (state.DirPickResult.isEmpty())
        return;
    combo1_->insertItem(0, state.DirPickResult);
    combo1_->setCurrentIndex(0);
    combo1_->setEditText(state.DirPickResult);
}

void Form3::Command4_Click() {
    reject();
}

} // namespace zorvane
