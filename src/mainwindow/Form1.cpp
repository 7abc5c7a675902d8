#include "mainwindow/Form1.h"

#include "app/ModPlok.h"
#include "app/ReportFileError.h"
#include "app/SettingsLocation.h"
#include "desktopfit/CaptionWidth.h"
#include "filer/DirectoryListView.h"
#include "filer/DriveListBox.h"
#include "filer/FileDrop.h"
#include "filer/FileListView.h"
#include "formkit/LabelHeight.h"
#include "formkit/NamedComboBoxAccessibility.h"
#include "formkit/PathLabel.h"
#include "formkit/Twips.h"
#include "formkit/ViewerColour.h"
#include "launch/LaunchCommands.h"
#include "mainwindow/ClosingWindowKeys.h"
#include "mainwindow/CommandKeyFilter.h"
#include "mainwindow/CommandLineTarget.h"
#include "mainwindow/FolderFollower.h"
#include "mainwindow/MainWindowAccessibility.h"
#include "mainwindow/StartupSettings.h"
#include "mainwindow/ViewerEncodingMenu.h"
#include "mainwindow/WindowAndHistorySave.h"
#include "mainwindow/WindowOuterFrame.h"
#include "platform/BeepService.h"
#include "platform/HelpService.h"
#include "platform/MessageBoxService.h"
#include "platform/NativeDirectory.h"
#include "platform/PlatformServices.h"
#include "preview/FilePreview.h"
#include "preview/ViewerText.h"
#include "settings/HistoryFile.h"
#include "settings/SettingsFile.h"
#include "textfile/ProfileFile.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>
#include <utility>

namespace zorvane {

Form1::Form1(const QString& programFolder, QWidget* parent)
    : QMainWindow(parent),
      programFolder_(programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                             : programFolder),
      imageList1_(ImageList::toolbarImages()) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("　Zorvane"));
    setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 9));
    buildMenus();
    buildControls();
    // F1 opens the help as the menu item does; the menu item itself carries no shortcut.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            &Form1::miHelp_Click);
    // The designed client area: 8880 × 6504 twips.
    resize(twipsToPixels(8880), twipsToPixels(6504));
    new CommandKeyFilter(*this, [this](MainCommand command) { runCommand(command); });
    Form_Initialize();
}

void Form1::buildMenus() {
    menuBar()->setObjectName(QStringLiteral("MenuBar"));
    for (const MainMenu& each : mainMenus()) {
        QMenu* menu = menuBar()->addMenu(each.caption);
        menu->setObjectName(each.name);
        menu->menuAction()->setObjectName(each.name);
        for (const MainMenuItem& item : each.items) {
            QAction* action =
                item.caption.isEmpty() ? menu->addSeparator() : menu->addAction(item.caption);
            action->setObjectName(item.name);
            if (item.command != MainCommand::None)
                connect(action, &QAction::triggered, this,
                        [this, command = item.command] { runCommand(command); });
        }
    }
}

void Form1::buildToolbar() {
    toolbar1_ = new QToolBar(client_);
    toolbar1_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar1_->setMovable(false);
    toolbar1_->setFloatable(false);
    toolbar1_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar1_->setIconSize(imageList1_.imageSize());
    struct Button {
        const char16_t* key; // nullptr: a separator
        const char16_t* toolTip;
        const char16_t* image;
    };
    const Button buttons[] = {
        {u"tbQ", u"終了", u"quit"},       {nullptr, nullptr, nullptr}, {u"tbX1", u"外部①", u"ex1"},
        {u"tbX2", u"外部②", u"ex2"},      {u"tbX3", u"外部③", u"ex3"}, {nullptr, nullptr, nullptr},
        {u"tbC", u"コピー", u"copy"},     {u"tbM", u"移動", u"move"},  {u"tbD", u"削除", u"delete"},
        {u"tbR", u"リネーム", u"rename"},
    };
    for (const Button& button : buttons) {
        if (!button.key) {
            toolbar1_->addSeparator();
            continue;
        }
        const QString toolTip = QString::fromUtf16(button.toolTip);
        QAction* action = toolbar1_->addAction(
            QIcon(imageList1_.image(QString::fromUtf16(button.image))), QString());
        action->setObjectName(QString::fromUtf16(button.key));
        action->setToolTip(toolTip);
        if (QWidget* widget = toolbar1_->widgetForAction(action)) {
            widget->setObjectName(QString::fromUtf16(button.key));
            widget->setAccessibleName(toolTip);
        }
    }
    connect(toolbar1_, &QToolBar::actionTriggered, this, &Form1::Toolbar1_ButtonClick);
}

void Form1::buildControls() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("Form1Client"));
    setCentralWidget(client_);
    buildToolbar();

    const auto caption = [this](const char16_t* name, const char16_t* text) {
        auto* label = new QLabel(QString::fromUtf16(text), client_);
        label->setObjectName(QString::fromUtf16(name));
        return label;
    };
    label1_ = caption(u"Label1", u"ドライブ");
    installNamedComboBoxAccessibility(); // before the combo boxes are made
    drive1_ = new DriveListBox(client_);
    drive1_->setObjectName(QStringLiteral("Drive1"));
    drive1_->setAccessibleName(label1_->text());
    label2_ = caption(u"Label2", u"ディレクトリ");
    dir1_ = new DirectoryListView(client_);
    dir1_->setObjectName(QStringLiteral("Dir1"));
    label3_ = caption(u"Label3", u"ファイル名");
    file1_ = new FileListView(client_);
    file1_->setObjectName(QStringLiteral("File1"));
    label4_ = caption(u"Label4", u"ファイルの種類");
    combo1_ = new QComboBox(client_);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setAccessibleName(label4_->text());
    combo1_->setEditable(true);
    // Its text field is named too: a screen reader reaches the field itself.
    combo1_->lineEdit()->setAccessibleName(label4_->text());
    combo1_->setInsertPolicy(QComboBox::NoInsert); // typing never adds an entry
    combo1_->setCompleter(nullptr);
    combo1_->addItem(QStringLiteral("*.TXT"));
    combo1_->addItem(QStringLiteral("*.*"));
    combo1_->setCurrentIndex(0);
    // As designed, or as tall as a taller font needs (the layout then moves up what is above).
    combo1_->resize(twipsToPixels(3000), std::max(twipsToPixels(300), textHeightOf(*combo1_)));

    text1_ = new QPlainTextEdit(client_);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setReadOnly(true);
    // Read-only, but the arrows, Page Up/Down and Ctrl+Home/End move through the text.
    text1_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The encoding chosen in the viewer's menu reads the file shown again.
    viewerEncoding_ = new ViewerEncodingMenu(*text1_);
    connect(viewerEncoding_, &ViewerEncodingMenu::choiceChanged, this, [this] {
        if (!currentFile().isEmpty())
            previewFile(currentFile(), false);
    });

    command1_ = new QPushButton(QStringLiteral("Edit"), client_);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setAutoDefault(false);
    label5_ = new PathLabel(client_);
    label5_->setObjectName(QStringLiteral("Label5"));

    // A screen reader names each list by its caption.
    label1_->setBuddy(drive1_);
    label2_->setBuddy(dir1_);
    label3_->setBuddy(file1_);
    label4_->setBuddy(combo1_);
    for (QLabel* label : {label1_, label2_, label3_, label4_})
        label->setTextFormat(Qt::PlainText);
    nameForScreenReaders(*this);

    // The process's current folder (where File1 starts, as Dir1 does), with the designed
    // pattern.
    file1_->setPattern(QStringLiteral("*.TXT"));
    drive1_->reloadDrives();
    drive1_->followPath(dir1_->path());
    lastFolderOnDrive_.insert(drive1_->drive(), dir1_->path());

    connect(drive1_, &QComboBox::currentIndexChanged, this, &Form1::Drive1_Change);
    connect(dir1_, &DirectoryListView::pathChanged, this, &Form1::Dir1_Change);
    connect(dir1_, &DirectoryListView::openFailed, this,
            [this](int errorNumber) { ReportFileError(errorNumber, this); });
    connect(file1_, &FileListView::fileSelected, this, &Form1::File1_Click);
    preview_ = new PendingPreview(
        *text1_, [this] { return currentFile(); },
        [this](const QString& path) { setCurrentFile(path); }, this);
    connect(combo1_, &QComboBox::activated, this, &Form1::Combo1_Click);
    connect(command1_, &QPushButton::clicked, this, &Form1::Command1_Click);

    // Other programs' changes to the shown folder appear in Dir1 and File1.
    folderFollower_ = new FolderFollower(this);
    folderFollower_->follow(dir1_->path());
    connect(folderFollower_, &FolderFollower::refreshDue, this, [this] {
        refreshDirectoryList();
        refreshFileList();
    });

    // A file dropped anywhere on the window is shown, the pattern box and the viewer included:
    // neither takes the dropped URI as text.
    setAcceptDrops(true);
    text1_->setAcceptDrops(false);
    combo1_->lineEdit()->setAcceptDrops(false);

    // The user starts in the file list: the arrow keys pick a file (never a drive).
    file1_->setFocus(Qt::OtherFocusReason);
}

// ---- Start-up and shutdown ----------------------------------------------------------------

void Form1::Form_Initialize() {
    preview_->launched() = 0;
    ModPlok& state = modPlok();
    state.ProgramFolder = withTrailingSeparator(programFolder_);
    // plok.hlp stays in the program folder; the user's files move out of a read-only one.
    state.SettingsFolder = prepareSettingsFolder(state.ProgramFolder);
    state.SettingsPath = state.SettingsFolder + QStringLiteral("plok.ini");

    readSettingsKeys(state);
    // A history file that cannot be read is reported, and the stored settings are applied all
    // the same: otherwise the next save would overwrite them with the designed ones.
    // It is shown once the window stands in its place, over it (see event()).
    startupError_ = readHistoryFile(state);

    const StartupSettings settings = startupSettingsFrom(
        state.SettingsRecord,
        ProfileFile::hasKey(state.SettingsPath, QStringLiteral("Font"), QStringLiteral("Color")),
        ProfileFile::hasKey(state.SettingsPath, QStringLiteral("Font"), QStringLiteral("BColor")));
    applyStoredSettings(settings);
}

void Form1::applyStoredSettings(const StartupSettings& settings) {
    ModPlok& state = modPlok();
    state.ShowFiler = settings.showFiler ? True16 : False16;
    command1_->setText(state.EditorName);

    QFont font(settings.font.family);
    font.setPointSizeF(settings.font.pointSize);
    font.setUnderline(settings.font.underline);
    font.setStrikeOut(settings.font.strikeOut);
    font.setItalic(settings.font.italic);
    font.setBold(settings.font.bold);
    text1_->setFont(font);
    applyViewerColours(settings);

    outerFrame_.setOuterTwips(settings.top, settings.left, settings.height, settings.width);
    ApplyFilerVisibility();

    for (int i = 1; i <= 5; ++i) {
        if (!state.ExtPattern(i).isEmpty())
            combo1_->addItem(state.ExtPattern(i));
    }

    // Keep the window reachable: only its top-left corner is brought back onto the screen.
    const QRect outer = outerGeometryTwips();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(800, 600);
    const WindowPosition reachable = keepWindowReachable(
        WindowPosition{static_cast<float>(outer.top()), static_cast<float>(outer.left())},
        static_cast<float>(pixelsToTwips(screenSize.height())),
        static_cast<float>(pixelsToTwips(screenSize.width())));
    move(windowPixels(reachable.left), windowPixels(reachable.top));
    fitIntoScreen();
}

void Form1::fitIntoScreen() {
    // A window stored on a larger screen (or at a smaller scale) opens wholly on this one; the
    // stored size stays in plok.ini for the larger screen, unless the user resizes it here.
    if (const QScreen* screen = this->screen()) {
        updateMinimumSize();
        const OuterMinimum minimum = minimumOuterSize();
        outerFrame_.fitInto(screen->availableGeometry(),
                            QSize(twipsToPixels(minimum.width), twipsToPixels(minimum.height)));
    }
}

OuterMinimum Form1::minimumOuterSize() const {
    const QScreen* screen = this->screen();
    const QSize room = screen ? screen->availableGeometry().size() : QSize();
    return outerMinimumOnScreen(viewerMinWidth_, minimumOuterHeight_,
                                screen ? pixelsToTwips(room.width()) : viewerMinWidth_,
                                screen ? pixelsToTwips(room.height()) : minimumOuterHeight_);
}

void Form1::applyViewerColours(const StartupSettings& settings) {
    const ViewerColours colours =
        viewerColours(settings.textColour, settings.backColour, QApplication::palette());
    setViewerColours(*text1_, colours.text, colours.base);
}

void Form1::Form_Load(const QString& commandLineText) {
    // A file name may hold a double quote: a text that names a file as it is, is that file.
    if (nativePathExists(commandLineText)) {
        showDroppedPath(commandLineText);
        return;
    }
    CommandLineTarget target;
    if (!parseCommandLineTarget(commandLineText, target)) {
        setCurrentFile(QString());
        return;
    }
    showDroppedPath(target.path);
}

void Form1::showCommandLineTarget(const CommandLineTarget& target) {
    int folderError = 0;
    const QString listedBefore = file1_->path();
    if (!target.folder.isEmpty())
        folderError = dir1_->setPath(target.folder); // File1 follows Dir1
    if (folderError) {
        ReportFileError(folderError, this);
        previewFile(target.path, true); // nothing there: the viewer is emptied
        return;
    }
    // A File1 that has just read the new folder with this pattern need not read it again.
    if (file1_->path() == listedBefore || file1_->pattern() != target.pattern)
        file1_->setPattern(target.pattern);
    const int patternIndex = combo1_->findText(target.pattern);
    if (patternIndex >= 0)
        combo1_->setCurrentIndex(patternIndex);
    combo1_->setEditText(target.pattern);
    if (!file1_->listingPending()) {
        pickNamedFile(target);
        return;
    }
    // A slow folder: the named file is current at once, with nothing shown of it until the
    // names come and it is picked, unless the user has gone on to another file meanwhile.
    preview_->abandon();
    showPreview(target.path, PreviewResult{});
    connect(
        file1_, &FileListView::listingFinished, this,
        [this, target, folder = file1_->path()] {
            if (file1_->path() == folder && currentFile() == target.path)
                pickNamedFile(target);
        },
        Qt::SingleShotConnection);
}

// The file a command line or a drop names: the entry File1 lists under that name, which then
// gives Label5 its spelling; a file File1 does not list (a dot-file, a device) is read directly.
void Form1::pickNamedFile(const CommandLineTarget& target) {
    int row = entryNamed(file1_->listEntries(), target.fileName);
    // An entry whose name differs in case stands for the file only where none bears the name.
    if (row >= 0 && file1_->listEntry(row) != target.fileName && nativePathExists(target.path))
        row = -1;
    if (row < 0) {
        previewFile(target.path, true);
        return;
    }
    file1_->showListIndex(row);
    previewFile(joinFolderAndName(file1_->path(), file1_->listEntry(row)), true);
}

void Form1::Form_Activate() {
    applyPendingOuterSize();
    ApplyFilerVisibility();
    Form_Resize();
}

void Form1::applyPendingOuterSize() {
    // The minimum follows the frame first: a minimum computed without the frame would hold
    // the window larger than it was stored.
    if (outerFrame_.applyPendingSize([this] { updateMinimumSize(); }))
        fitIntoScreen(); // the frame is known now
}

void Form1::Form_Unload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    preview_->cancel(); // nothing of a read still pending is shown or kept
    // A save that failed is not reported as success to whoever started the program.
    QCoreApplication::exit(storeWindowAndHistory(true) ? 0 : 1);
}

void Form1::saveAfterDisplayLoss() {
    if (unloaded_)
        return;
    unloaded_ = true;
    storeWindowAndHistory(false);
}

bool Form1::storeWindowAndHistory(bool displayPresent) {
    // The normal place and size are stored; the window keeps them while it is minimised or
    // maximised, and is restored to them first.
    const QRect outer = outerGeometryTwips();
    if (displayPresent && (isMinimized() || isMaximized())) {
        PlatformServices::beep().beep();
        showNormal();
    }
    const ClosingWindowKeys keys =
        closingWindowKeys(QGuiApplication::platformName(), outerFrame_.normalInsideSize(),
                          outerFrame_.givenInsideSize(), outerFrame_.sizeFitted());
    // The user hears of what could not be saved before the program ends, where a window can
    // still be shown.
    return saveWindowAndHistory(outer, keys, displayPresent ? this : nullptr);
}

QRect Form1::outerGeometryTwips() const {
    return outerFrame_.outerTwips();
}

QMargins Form1::frameMargins() const {
    return outerFrame_.margins();
}

// ---- Layout -------------------------------------------------------------------------------

void Form1::ApplyFilerVisibility() {
    const bool show = modPlok().ShowFiler != 0;
    for (QWidget* control : std::initializer_list<QWidget*>{label1_, label2_, label3_, label4_,
                                                            drive1_, dir1_, file1_, combo1_})
        control->setVisible(show);
    const FilerArrangement arrangement = filerArrangement(show);
    viewerMinWidth_ = arrangement.viewerMinWidth;
    viewerLeft_ = arrangement.viewerLeft;
}

void Form1::updateMinimumSize() {
    const QMargins frame = frameMargins();
    const OuterMinimum outer = minimumOuterSize();
    const QSize minimum(std::max(0, twipsToPixels(outer.width) - frame.left() - frame.right()),
                        std::max(0, twipsToPixels(outer.height) - frame.top() - frame.bottom()));
    if (minimumSize() != minimum)
        setMinimumSize(minimum); // dragging cannot go below it
}

void Form1::Form_Resize() {
    if (isMinimized())
        return;
    // A title bar and menu bar taller than the layout allows for push the bottom of the
    // filer out of the window: the layout then measures from the area under the menu bar.
    const auto layoutHeight = [this] {
        const int outer = pixelsToTwips(frameGeometry().height());
        return isVisible() && client_->height() > 0
                   ? layoutHeightFor(outer, pixelsToTwips(client_->height()))
                   : LayoutHeight{outer, MainWindowMinHeight};
    };
    minimumOuterHeight_ = layoutHeight().minimumOuterHeight;
    updateMinimumSize();
    // On a screen smaller than the window's minimum, the screen's area is the minimum.
    const OuterMinimum minimum = minimumOuterSize();
    const QMargins frame = frameMargins();
    if (pixelsToTwips(frameGeometry().width()) < minimum.width)
        resize(twipsToPixels(minimum.width) - frame.left() - frame.right(), height());
    if (pixelsToTwips(frameGeometry().height()) < minimum.height)
        resize(width(), twipsToPixels(minimum.height) - frame.top() - frame.bottom());

    PresentSizes present;
    present.combo1Height = pixelsToTwips(combo1_->height());
    present.captionHeight =
        pixelsToTwips(std::max(label3_->sizeHint().height(), label4_->sizeHint().height()));
    present.label5Width = pixelsToTwips(label5_->width());
    present.clientWidth = pixelsToTwips(client_->width() > 0 ? client_->width() : width());
    applyLayout(computeMainWindowLayout(
        pixelsToTwips(frameGeometry().width()), layoutHeight().layoutHeight,
        FilerArrangement{viewerLeft_, minimum.width}, modPlok().ShowFiler != 0, present,
        MainWindowMinHeight - (minimumOuterHeight_ - minimum.height)));
}

void Form1::applyLayout(const MainWindowLayout& layout) {
    const auto place = [](QWidget* control, const TwipsRect& rect) {
        control->setGeometry(twipsToPixels(rect));
    };
    // Captions and the drive list never cut their text: they grow downwards to the font's
    // height where the designed height is too small for it.
    const auto placeGrowing = [](QWidget* control, const TwipsRect& rect) {
        QRect pixels = twipsToPixels(rect);
        pixels.setHeight(std::max(pixels.height(), control->sizeHint().height()));
        control->setGeometry(pixels);
    };
    place(toolbar1_, layout.Toolbar1);
    placeGrowing(label1_, layout.Label1);
    placeGrowing(drive1_, layout.Drive1);
    placeGrowing(label2_, layout.Label2);
    place(text1_, layout.Text1);
    if (modPlok().ShowFiler != 0) {
        place(combo1_, layout.Combo1);
        placeGrowing(label4_, layout.Label4);
        place(file1_, layout.File1);
        placeGrowing(label3_, layout.Label3);
        place(dir1_, layout.Dir1);
    }
    place(command1_, layout.Command1);
    placeGrowing(label5_, layout.Label5);
    // Captions wider than their places in the desktop's font widen them; the path moves right
    // of a widened button.
    widenCaptionsForFont(*client_);
    const int pathLeft = command1_->geometry().right() + 1 + twipsToPixels(120);
    if (label5_->x() < pathLeft)
        label5_->move(pathLeft, label5_->y());
    sizeLabel5ToCaption();
}

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    outerFrame_.noteNormalFrame();
    Form_Resize();
}

void Form1::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    outerFrame_.noteNormalFrame();
    applyPendingOuterSize();
}

bool Form1::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    if (event->type() == QEvent::Show && startupError_ != 0) {
        // A message shown before the window is placed would leave it where the message's
        // owner happened to be: off the screen's top-left corner.
        QMetaObject::invokeMethod(
            this,
            [this] {
                const int error = std::exchange(startupError_, 0);
                if (error != 0)
                    ReportFileError(error, this);
            },
            Qt::QueuedConnection);
    }
    return handled;
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_Unload(); // never cancels the close
    event->accept();
}

// ---- Current file and preview -------------------------------------------------------------

QLabel* Form1::label5() const {
    return label5_;
}

QString Form1::currentFile() const {
    return label5_->text();
}

void Form1::setCurrentFile(const QString& path) {
    label5_->setPath(path);
    sizeLabel5ToCaption();
}

void Form1::sizeLabel5ToCaption() {
    // The label takes the width of its caption, up to the window's right edge; a longer path
    // is elided in the middle on screen.
    const int room = client_->width() - label5_->x() - twipsToPixels(120);
    label5_->resize(std::max(1, std::min(label5_->naturalWidth(), room)), label5_->height());
}

void Form1::clearCurrentFile() {
    preview_->clear();
    viewerEncoding_->showDescription(QString());
}

void Form1::File1_Click() {
    previewFile(joinFolderAndName(file1_->path(), file1_->fileName()), false);
}

void Form1::previewFile(const QString& fullPath, bool named) {
    const std::optional<PreviewResult> preview = preview_->start(
        fullPath,
        [fullPath, named, choice = viewerEncoding_->choice()] {
            // A named file becomes the current file even when it cannot be read: then nothing
            // is shown of it, and nothing of the file shown before either.
            PreviewResult result = buildPreview(fullPath, choice);
            return named && result.errorNumber != 0 ? PreviewResult{} : result;
        },
        [this, fullPath](const PreviewResult& later) { showPreview(fullPath, later); });
    if (preview)
        showPreview(fullPath, *preview);
}

void Form1::showPreview(const QString& fullPath, const PreviewResult& preview) {
    if (preview.errorNumber != 0) {
        ReportFileError(preview.errorNumber, this);
        return;
    }
    preview_->show(fullPath, preview.text);
    viewerEncoding_->showDescription(preview.description);
}

// ---- Filer navigation ---------------------------------------------------------------------

void Form1::Drive1_Change() {
    // Putting the drive back runs this step again, once; never more than that.
    if (driveChangeDepth_ > 1)
        return;
    ++driveChangeDepth_;
    const QString mount = drive1_->drive();
    int error = mount.isEmpty() ? 0 : PlatformServices::driveList().checkReady(mount);
    if (!mount.isEmpty() && error == 0) {
        QString folder = lastFolderOnDrive_.value(mount);
        if (folder.isEmpty() || !isNativeDirectory(folder))
            folder = mount;
        error = dir1_->setPath(folder);
    }
    if (error != 0) {
        ReportFileError(error, this);
        drive1_->setDriveOf(dir1_->path());
    }
    --driveChangeDepth_;
}

void Form1::Dir1_Change() {
    const QString path = dir1_->path();
    folderFollower_->follow(path);
    file1_->setPath(path);
    drive1_->followPath(path);
    if (!drive1_->drive().isEmpty())
        lastFolderOnDrive_.insert(drive1_->drive(), path);
}

void Form1::Combo1_Click(int index) {
    file1_->setPattern(combo1_->itemText(index));
}

void Form1::refreshDirectoryList() {
    dir1_->refresh();
}

void Form1::refreshFileList() {
    file1_->refresh();
}

void Form1::showDroppedPath(const QString& path) {
    if (isNativeDirectory(path)) {
        if (const int error = dir1_->setPath(path)) // File1 and Drive1 follow Dir1
            ReportFileError(error, this);
        return;
    }
    showCommandLineTarget(commandLineTargetOf(path));
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    acceptDroppedFiles(*event, file1_);
}

void Form1::dragMoveEvent(QDragMoveEvent* event) {
    acceptDroppedFiles(*event, file1_);
}

void Form1::dropEvent(QDropEvent* event) {
    const QStringList files = acceptDroppedFiles(*event, file1_);
    if (files.isEmpty())
        return;
    // The source waits for the drop to end; a message box opened here would hold it.
    QMetaObject::invokeMethod(
        this, [this, path = files.first()] { showDroppedPath(path); }, Qt::QueuedConnection);
}

// ---- Commands -----------------------------------------------------------------------------

void Form1::setCommandHandler(MainCommand command, std::function<void()> handler) {
    commandHandlers_.insert(static_cast<int>(command), std::move(handler));
}

void Form1::runHandler(MainCommand command) {
    const auto handler = commandHandlers_.value(static_cast<int>(command));
    if (handler)
        handler();
}

void Form1::runModalHandler(MainCommand command) {
    runHandler(command);
    // A message box closed just before its dialog (a refused rename, a confirmed delete)
    // leaves no window active under a real window manager: it hands the focus to the dialog,
    // which is already going. The window takes it back, and with it the control that had it,
    // so the next key acts without a click.
    if (isVisible())
        activateWindow();
}

void Form1::runCommand(MainCommand command) {
    static constexpr std::pair<MainCommand, void (Form1::*)()> Procedures[] = {
        {MainCommand::Open, &Form1::miOpen_Click},  {MainCommand::Copy, &Form1::miCopy_Click},
        {MainCommand::Move, &Form1::miMove_Click},  {MainCommand::Delete, &Form1::miDel_Click},
        {MainCommand::Rename, &Form1::miRen_Click}, {MainCommand::Exit, &Form1::miExit_Click},
        {MainCommand::Tool1, &Form1::miEx1_Click},  {MainCommand::Tool2, &Form1::miEx2_Click},
        {MainCommand::Tool3, &Form1::miEx3_Click},  {MainCommand::Option, &Form1::miOption_Click},
        {MainCommand::Help, &Form1::miHelp_Click},  {MainCommand::Version, &Form1::miVer_Click}};
    for (const auto& [each, procedure] : Procedures)
        if (each == command)
            (this->*procedure)();
}

void Form1::fileCommand(qint16 fileOpCode, MainCommand command) {
    if (currentFile().isEmpty()) {
        PlatformServices::messageBox().show(
            this, MessageRequest{QStringLiteral("ファイルが選択されていません。"),
                                 QStringLiteral("ファイル選択エラー"), MessageIcon::Exclamation,
                                 MessageButtons::Ok});
        return;
    }
    modPlok().TargetPath = currentFile();
    modPlok().FileOpCode = fileOpCode;
    runModalHandler(command);
}

void Form1::miOpen_Click() {
    runEditorCommand(modPlok().EditorPath, currentFile(), launched(), text1(), this);
}
void Form1::miCopy_Click() {
    fileCommand(1, MainCommand::Copy);
}
void Form1::miMove_Click() {
    fileCommand(2, MainCommand::Move);
}
void Form1::miDel_Click() {
    fileCommand(3, MainCommand::Delete);
}
void Form1::miRen_Click() {
    fileCommand(4, MainCommand::Rename);
}
void Form1::miExit_Click() {
    close();
}
void Form1::miEx1_Click() {
    runToolCommand(modPlok().ToolPath(1), currentFile(), launched(), text1(), this);
}
void Form1::miEx2_Click() {
    runToolCommand(modPlok().ToolPath(2), currentFile(), launched(), text1(), this);
}
void Form1::miEx3_Click() {
    runToolCommand(modPlok().ToolPath(3), currentFile(), launched(), text1(), this);
}
void Form1::miOption_Click() {
    runModalHandler(MainCommand::Option);
}
void Form1::miHelp_Click() {
    PlatformServices::help().showContents(modPlok().ProgramFolder + QStringLiteral("plok.hlp"));
}
void Form1::miVer_Click() {
    runHandler(MainCommand::Version);
}

void Form1::Command1_Click() {
    miOpen_Click();
}

void Form1::Toolbar1_ButtonClick(QAction* button) {
    if (button)
        runCommand(commandForToolbarKey(button->objectName()));
}

} // namespace zorvane
