#include "options/frmOption.h"

#include "app/ModPlok.h"
#include "app/SaveFailureMessage.h"
#include "desktopfit/ReadableColour.h"
#include "filer/FileListView.h"
#include "formkit/LabelHeight.h"
#include "formkit/Twips.h"
#include "options/OptionTexts.h"
#include "options/ViewerLook.h"
#include "platform/ColourDialogService.h"
#include "platform/ColourNumber.h"
#include "platform/DialogModality.h"
#include "platform/DirectoryPicker.h"
#include "platform/FontDialogService.h"
#include "platform/HelpService.h"
#include "platform/PlatformServices.h"
#include "platform/ProgramFileDialog.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <limits>

namespace zorvane {

namespace {

// Places on a tab are measured from the tab control's top-left corner, its row of tabs
// included; the page that holds them begins below that row.
constexpr int TabRowHeight = 360;

QString indexed(const char16_t* name, std::size_t row) {
    return QString::fromUtf16(name) + QChar(u'(') + QString::number(row) + QChar(u')');
}

// A control at its place in twips. Captions, check boxes and text boxes grow to the height
// their font needs rather than cut their text (the rows leave room for it).
void place(QWidget* control, int left, int top, int width, int height) {
    QRect pixels = twipsToPixels(TwipsRect{left, top, width, height});
    if (qobject_cast<QLabel*>(control) || qobject_cast<QCheckBox*>(control))
        pixels.setHeight(std::max(pixels.height(), control->sizeHint().height()));
    pixels = labelRectForFont(pixels, textHeightOfControl(*control));
    control->setGeometry(pixels);
}

QLabel* newLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLineEdit* newTextBox(QWidget* parent, const QString& name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setMaxLength(std::numeric_limits<int>::max()); // no limit
    return box;
}

// What a screen reader says for a control whose caption sits elsewhere in its row.
void nameForReaders(QWidget* control, const QString& name) {
    control->setAccessibleName(name);
}

QPushButton* newButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    // Enter presses no button of this dialog.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QString programFolderFile(const char16_t* name) {
    return modPlok().ProgramFolder + QString::fromUtf16(name);
}

// The colour behind the frame captions: the window's, or lighter where the style paints its tab
// pages lighter. Fusion (also under Qt's GTK theme) paints them in the button colour,
// lightened the more the darker it is.
QColor tabPaneColour(const QPalette& palette) {
    QColor pane = palette.color(QPalette::Button);
    pane = pane.lighter(100 + std::max(1, (180 - qGray(pane.rgb())) / 6)).lighter(104);
    const QColor window = palette.color(QPalette::Window);
    return relativeLuminance(pane) > relativeLuminance(window) ? pane : window;
}

} // namespace

frmOption::frmOption(const OptionTargets& targets) : QDialog(targets.owner), targets_(targets) {
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(QStringLiteral("オプション"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModalToOwner(*this);
    setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 9));
    buildControls();
    setFixedSize(twipsToPixels(9240), twipsToPixels(5340));
    Form_Load();
}

// ---- Controls -----------------------------------------------------------------------------

void frmOption::buildControls() {
    sstab1_ = new QTabWidget(this);
    sstab1_->setObjectName(QStringLiteral("SSTab1"));
    place(sstab1_, 120, 120, 7200, 5040);
    sstab1_->addTab(buildExternalTab(), QStringLiteral("外部"));
    sstab1_->addTab(buildViewerTab(), QStringLiteral("ビュアー"));
    sstab1_->addTab(buildFilerTab(), QStringLiteral("ファイラー"));
    sstab1_->addTab(buildDirectoryTab(), QStringLiteral("ディレクトリ"));

    command6_ = newButton(this, QStringLiteral("Command6"), QStringLiteral("ＯＫ"));
    place(command6_, 7440, 1200, 1680, 480);
    command7_ = newButton(this, QStringLiteral("Command7"), QStringLiteral("キャンセル"));
    place(command7_, 7440, 2040, 1680, 480);
    command8_ = newButton(this, QStringLiteral("Command8"), QStringLiteral("ヘルプ"));
    place(command8_, 7440, 4560, 1680, 480);
    connect(command6_, &QPushButton::clicked, this, &frmOption::Command6_Click);
    connect(command7_, &QPushButton::clicked, this, &frmOption::Command7_Click);
    connect(command8_, &QPushButton::clicked, this, &frmOption::Command8_Click);

    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &frmOption::Command8_Click);
}

QWidget* frmOption::newTab(const QString& caption, const char16_t* labelName,
                           const QString& guidance, int guidanceWidth) {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("SSTab1Tab") + caption);
    QLabel* label = newLabel(tab, QString::fromUtf16(labelName), guidance);
    place(label, 480, 600 - TabRowHeight, guidanceWidth, 180);
    return tab;
}

QGroupBox* frmOption::newFrame(QWidget* tab, const char16_t* name, const QString& caption, int left,
                               int top, int width, int height) {
    auto* frame = new QGroupBox(caption, tab);
    frame->setObjectName(QString::fromUtf16(name));
    // Frame captions are red; set on each frame, so that dialogs opened from here keep theirs.
    // On a dark theme the red is lightened until it reads against the tab.
    // A little above the least, as the style rounds its pane colour its own way.
    const QColor red =
        readableOn(QColor(0xFF, 0, 0), tabPaneColour(frame->palette()), ReadableContrast + 0.2);
    frame->setStyleSheet(
        QStringLiteral("QGroupBox::title { color: %1; }").arg(red.name(QColor::HexRgb)));
    place(frame, left, top - TabRowHeight, width, height);
    return frame;
}

QWidget* frmOption::buildExternalTab() {
    QWidget* tab = newTab(QStringLiteral("外部"), u"Label1",
                          QStringLiteral("呼び出すツールなどを設定してください"), 3300);

    QGroupBox* frame1 =
        newFrame(tab, u"Frame1", QStringLiteral("エディタの指定"), 240, 900, 6720, 1140);
    place(newLabel(frame1, indexed(u"Label1_1", 0), QStringLiteral("タイトル")), 240, 360, 1200,
          180);
    place(newLabel(frame1, indexed(u"Label1_1", 1), QStringLiteral("プログラム")), 1560, 360, 3540,
          180);
    text1_ = newTextBox(frame1, QStringLiteral("Text1"));
    place(text1_, 240, 705, 1200, 270);
    text2_ = newTextBox(frame1, QStringLiteral("Text2"));
    place(text2_, 1560, 705, 3540, 270);
    nameForReaders(text1_, QStringLiteral("エディタのタイトル"));
    nameForReaders(text2_, QStringLiteral("エディタのプログラム"));
    QPushButton* command1 = newButton(frame1, QStringLiteral("Command1"), QStringLiteral("参照"));
    place(command1, 5280, 660, 1200, 360);
    nameForReaders(command1, QStringLiteral("エディタのプログラムを参照"));
    connect(command1, &QPushButton::clicked, this, &frmOption::Command1_Click);

    QGroupBox* frame2 =
        newFrame(tab, u"Frame2", QStringLiteral("その他の外部ツール"), 240, 2160, 6720, 2100);
    place(newLabel(frame2, indexed(u"Label1_2", 0), QStringLiteral("コマンド")), 240, 360, 720,
          180);
    place(newLabel(frame2, indexed(u"Label1_2", 1), QStringLiteral("タイトル")), 1200, 360, 1200,
          180);
    place(newLabel(frame2, indexed(u"Label1_2", 2), QStringLiteral("プログラム")), 2640, 360, 1335,
          180);
    for (std::size_t i = 0; i < 3; ++i) {
        const int row = 480 * static_cast<int>(i);
        place(newLabel(frame2, indexed(u"Label1_2", i + 3),
                       QStringLiteral("ex") + QString::number(i + 1)),
              240, 750 + row, 720, 180);
        text3_[i] = newTextBox(frame2, indexed(u"Text3", i));
        place(text3_[i], 1200, 705 + row, 1200, 270);
        text4_[i] = newTextBox(frame2, indexed(u"Text4", i));
        place(text4_[i], 2520, 705 + row, 2580, 270);
        QPushButton* browse = newButton(frame2, indexed(u"Command2", i), QStringLiteral("参照"));
        place(browse, 5280, 660 + row, 1200, 360);
        connect(browse, &QPushButton::clicked, this,
                [this, i] { Command2_Click(static_cast<int>(i)); });
        const QString tool = QStringLiteral("ex") + QString::number(i + 1);
        nameForReaders(text3_[i], tool + QStringLiteral(" のタイトル"));
        nameForReaders(text4_[i], tool + QStringLiteral(" のプログラム"));
        nameForReaders(browse, tool + QStringLiteral(" のプログラムを参照"));
    }
    return tab;
}

QWidget* frmOption::buildViewerTab() {
    QWidget* tab = newTab(QStringLiteral("ビュアー"), u"Label8",
                          QStringLiteral("ビュアー表示のフォントを設定してください"), 4308);
    QGroupBox* frame4 = newFrame(tab, u"Frame4", QStringLiteral("フォント"), 240, 1536, 6720, 1908);
    command3_ = newButton(frame4, QStringLiteral("Command3"), QStringLiteral("フォント"));
    place(command3_, 828, 768, 1680, 480);
    QPushButton* command4 = newButton(frame4, QStringLiteral("Command4"), QStringLiteral("背景色"));
    place(command4, 3744, 756, 1680, 480);
    connect(command3_, &QPushButton::clicked, this, &frmOption::Command3_Click);
    connect(command4, &QPushButton::clicked, this, &frmOption::Command4_Click);
    return tab;
}

QWidget* frmOption::buildFilerTab() {
    QWidget* tab = newTab(QStringLiteral("ファイラー"), u"Label10",
                          QStringLiteral("ファイラー部の設定をしてください"), 3255);

    QGroupBox* frame5 =
        newFrame(tab, u"Frame5", QStringLiteral("ファイラー部"), 240, 900, 6720, 1320);
    check2_ = new QCheckBox(QStringLiteral("ファイラー部を表示"), frame5);
    check2_->setObjectName(QStringLiteral("Check2"));
    place(check2_, 240, 480, 2055, 360);
    connect(check2_, &QCheckBox::toggled, this, &frmOption::Check2_Click);
    label3_1_ = newLabel(frame5, QStringLiteral("Label3_1"), QString());
    label3_1_->setWordWrap(true);
    place(label3_1_, 2880, 360, 3420, 720);

    QGroupBox* frame6 =
        newFrame(tab, u"Frame6", QStringLiteral("ファイルの種類"), 240, 2360, 6720, 2535);
    label3_2_[0] = newLabel(frame6, indexed(u"Label3_2", 0), QStringLiteral("標準－変更不可"));
    place(label3_2_[0], 240, 360, 1320, 180);
    const QString standard[] = {QStringLiteral(" *.*"), QStringLiteral(" *.TXT")};
    for (std::size_t i = 0; i < 2; ++i) {
        text5_1_[i] = newTextBox(frame6, indexed(u"Text5_1", i));
        text5_1_[i]->setText(standard[i]);
        text5_1_[i]->setReadOnly(true);
        place(text5_1_[i], 240, 720 + 330 * static_cast<int>(i), 1320, 270);
        nameForReaders(text5_1_[i], QStringLiteral("標準のファイルの種類 %1").arg(i + 1));
    }
    for (std::size_t i = 0; i < 5; ++i) {
        text5_[i] = newTextBox(frame6, indexed(u"Text5", i));
        place(text5_[i], 1920, 720 + 330 * static_cast<int>(i), 1320, 270);
        nameForReaders(text5_[i], QStringLiteral("ファイルの種類 %1").arg(i + 1));
    }
    label3_2_[1] = newLabel(frame6, indexed(u"Label3_2", 1), QString());
    label3_2_[1]->setWordWrap(true);
    // Laid out as a document, whose paragraphs a lone carriage return also ends.
    label3_2_[1]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    place(label3_2_[1], 4005, 720, 2160, 1455);
    return tab;
}

QWidget* frmOption::buildDirectoryTab() {
    QWidget* tab =
        newTab(QStringLiteral("ディレクトリ"), u"Label14",
               QStringLiteral("コピーで使用するいつものディレクトリを指定してください"), 5175);
    QGroupBox* frame7 =
        newFrame(tab, u"Frame7", QStringLiteral("いつものディレクトリ"), 240, 900, 6720, 3840);
    for (std::size_t i = 0; i < 10; ++i) {
        const int row = 330 * static_cast<int>(i);
        text6_[i] = newTextBox(frame7, indexed(u"Text6", i));
        place(text6_[i], 240, 360 + row, 4920, 270);
        QPushButton* browse = newButton(frame7, indexed(u"Command5", i), QStringLiteral("参照"));
        place(browse, 5280, 360 + row, 1200, 270);
        connect(browse, &QPushButton::clicked, this,
                [this, i] { Command5_Click(static_cast<int>(i)); });
        nameForReaders(text6_[i], QStringLiteral("いつものディレクトリ %1").arg(i + 1));
        nameForReaders(browse, QStringLiteral("いつものディレクトリ %1 を参照").arg(i + 1));
    }
    return tab;
}

// ---- Opening ------------------------------------------------------------------------------

void frmOption::Form_Load() {
    label3_1_->setText(
        QStringLiteral("左のチェックを有効にするとビュアー部とファイラー部が表示されます"));
    label3_2_[1]->setText(
        QStringLiteral("ファイラー部のファイルの種類で適用するファイルの拡張子を記述してください") +
        QChar(u'\r') + QStringLiteral("(例)  *.csv"));
    // A screen reader gets one line: the carriage return that breaks it on screen is a blank.
    label3_2_[1]->setAccessibleName(label3_2_[1]->text().replace(QChar(u'\r'), QChar(u' ')));

    const ModPlok& state = modPlok();
    font_ = viewerFontMembers(*targets_.viewer, state.SettingsRecord);
    optShowFiler_ = state.ShowFiler;
    text1_->setText(state.EditorName);
    text2_->setText(state.EditorPath);
    for (int i = 1; i <= 3; ++i) {
        text3_[static_cast<std::size_t>(i - 1)]->setText(state.ToolName(i));
        text4_[static_cast<std::size_t>(i - 1)]->setText(state.ToolPath(i));
    }
    check2_->setChecked(optShowFiler_ == True16);
    for (int i = 1; i <= 5; ++i)
        text5_[static_cast<std::size_t>(i - 1)]->setText(state.ExtPattern(i));
    for (int i = 1; i <= 10; ++i)
        text6_[static_cast<std::size_t>(i - 1)]->setText(state.UsualDirs(i));
    sstab1_->setCurrentIndex(0);
}

void frmOption::Check2_Click() {
    optShowFiler_ = check2_->isChecked() ? True16 : False16;
}

// ---- Browsing -----------------------------------------------------------------------------

std::optional<QString> frmOption::browseProgram() {
    const auto chosen =
        PlatformServices::programFileDialog().chooseProgram(this, lastProgramChosen_);
    if (chosen)
        lastProgramChosen_ = *chosen;
    return chosen;
}

void frmOption::Command1_Click() {
    if (const auto chosen = browseProgram())
        text2_->setText(programTextForPath(*chosen));
}

void frmOption::Command2_Click(int index) {
    modPlok().OptBrowseIndex = static_cast<qint16>(index);
    if (const auto chosen = browseProgram())
        text4_[static_cast<std::size_t>(modPlok().OptBrowseIndex)]->setText(
            programTextForPath(*chosen));
}

void frmOption::Command3_Click() {
    FontDialogRequest request;
    request.start.name = font_.OptFontName;
    request.start.size = font_.OptFontSize;
    request.start.underline = font_.OptFontUnderline != 0;
    request.start.strikethru = font_.OptFontStrikethru != 0;
    request.start.italic = font_.OptFontItalic != 0;
    request.start.bold = font_.OptFontBold != 0;
    request.start.colour = font_.OptForeColor;
    request.textColour = colourOfNumber(font_.OptForeColor, Qt::black);
    request.backColour = colourOfNumber(font_.OptBackColor, Qt::white);
    const auto chosen = PlatformServices::fontDialog().chooseFont(this, request);
    if (!chosen)
        return;
    font_.OptFontName = chosen->name;
    font_.OptFontSize = chosen->size;
    font_.OptFontBold = chosen->bold ? True16 : False16;
    font_.OptFontItalic = chosen->italic ? True16 : False16;
    font_.OptFontUnderline = chosen->underline ? True16 : False16;
    font_.OptFontStrikethru = chosen->strikethru ? True16 : False16;
    font_.OptForeColor = chosen->colour;
}

void frmOption::Command4_Click() {
    const auto chosen = PlatformServices::colourDialog().chooseColour(
        this, colourOfNumber(font_.OptBackColor, Qt::white));
    if (chosen)
        font_.OptBackColor = rgbColourNumber(*chosen);
}

void frmOption::Command5_Click(int index) {
    QLineEdit* box = text6_[static_cast<std::size_t>(index)];
    ModPlok& state = modPlok();
    state.DirPickStart = box->text();
    state.DirPickResult =
        PlatformServices::directoryPicker().pickDirectory(this, state.DirPickStart);
    // A cancelled picker names no folder; the entry keeps the one it had, which OK would
    // otherwise drop from plok.his.
    if (!state.DirPickResult.isEmpty())
        box->setText(state.DirPickResult);
}

// ---- OK, Cancel, help ---------------------------------------------------------------------

OptionDialogValues frmOption::currentValues() const {
    OptionDialogValues values;
    values.editorTitle = text1_->text();
    values.editorProgram = text2_->text();
    for (std::size_t i = 0; i < 3; ++i) {
        values.toolTitles[i] = text3_[i]->text();
        values.toolPrograms[i] = text4_[i]->text();
    }
    for (std::size_t i = 0; i < 5; ++i)
        values.patterns[i] = text5_[i]->text();
    for (std::size_t i = 0; i < 10; ++i)
        values.usualDirs[i] = text6_[i]->text();
    values.font = font_;
    values.OptShowFiler = optShowFiler_;
    return values;
}

void frmOption::Command6_Click() {
    OptionDialogValues values = currentValues();
    // Nothing is applied while a value would come back cut after a restart: the user shortens
    // it, or cancels.
    if (const auto overlong = firstOverlongValue(values)) {
        refuseOverlongValue(*overlong);
        return;
    }
    ModPlok& state = modPlok();
    storeOptionValues(values, state);
    // The boxes show the titles as they were cut.
    text1_->setText(values.editorTitle);
    for (std::size_t i = 0; i < 3; ++i)
        text3_[i]->setText(values.toolTitles[i]);

    targets_.editorButton->setText(state.EditorName);
    applyViewerFontMembers(*targets_.viewer, font_);
    refillPatternBox();

    // The running program keeps the new values even when the file cannot take them.
    if (!writeOptionKeys(state))
        reportSaveFailure(UnsavedData::Settings, state.SettingsPath,
                          writeFailureNumber(state.SettingsPath), this);
    accept();
}

QWidget* frmOption::placeOf(const OverlongOption& overlong) const {
    const auto row = static_cast<std::size_t>(overlong.row);
    switch (overlong.box) {
    case OptionBox::EditorProgram:
        return text2_;
    case OptionBox::ToolProgram:
        return text4_.at(row);
    case OptionBox::FontName:
        return command3_;
    case OptionBox::Pattern:
        return text5_.at(row);
    }
    return nullptr;
}

void frmOption::refuseOverlongValue(const OverlongOption& overlong) {
    QWidget* place = placeOf(overlong);
    for (int tab = 0; tab < sstab1_->count(); ++tab)
        if (sstab1_->widget(tab)->isAncestorOf(place))
            sstab1_->setCurrentIndex(tab);
    PlatformServices::messageBox().show(this, overlongValueMessage(overlong));
    place->setFocus(Qt::OtherFocusReason);
}

void frmOption::refillPatternBox() {
    QComboBox* combo1 = targets_.patternBox;
    std::array<QString, 5> patterns;
    for (int i = 1; i <= 5; ++i)
        patterns[static_cast<std::size_t>(i - 1)] = modPlok().ExtPattern(i);
    // The file list keeps its pattern until the user picks an entry, and the box goes on
    // showing it: an empty box would not tell why files are missing from the list.
    const QString inForce = targets_.fileList->pattern();
    const QSignalBlocker quiet(combo1);
    combo1->clear();
    combo1->addItems(patternBoxEntries(patterns));
    combo1->setCurrentIndex(combo1->findText(inForce));
    combo1->setEditText(inForce);
}

void frmOption::Command7_Click() {
    reject();
}

void frmOption::Command8_Click() {
    PlatformServices::help().showTopic(programFolderFile(u"plok.hlp"),
                                       helpContextForTab(sstab1_->currentIndex()));
}

void frmOption::keyPressEvent(QKeyEvent* event) {
    // Neither Enter nor Esc closes this dialog.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void frmOption::showEvent(QShowEvent* event) {
    // The window manager places the dialog as it places any new window; QDialog would centre
    // it over the main window.
    QWidget::showEvent(event); // NOLINT(bugprone-parent-virtual-call)
}

} // namespace zorvane
