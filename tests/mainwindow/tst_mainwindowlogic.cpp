// The main window's decisions that need no window: layout, keys, toolbar dispatch, command
// line, stored settings, colours, file patterns, directory entries and drives.
#include "app/ModPlok.h"
#include "filer/DirectoryListModel.h"
#include "filer/DriveListBox.h"
#include "filer/FileNamePattern.h"
#include "formkit/LabelHeight.h"
#include "formkit/ViewerColour.h"
#include "mainwindow/ClosingWindowKeys.h"
#include "mainwindow/CommandLineTarget.h"
#include "mainwindow/MainCommand.h"
#include "mainwindow/MainWindowLayout.h"
#include "mainwindow/StartupSettings.h"
#include "platform/SystemDriveList.h"
#include "preview/ViewerText.h"

#include <QtTest>
#include <cmath>
#include <limits>

using namespace zorvane;

namespace {

PresentSizes present(int label5Width = 900) {
    PresentSizes sizes;
    sizes.combo1Height = 300;
    sizes.label5Width = label5Width;
    sizes.clientWidth = 9000;
    return sizes;
}

// The fields as plok.ini gives them when every key is missing.
SettingsRecordFields defaultRecord() {
    SettingsRecordFields record;
    record.Name = QStringLiteral("ＭＳ ゴシック");
    record.Size = QStringLiteral("9");
    record.Uline = QStringLiteral("false");
    record.Strike = QStringLiteral("false");
    record.Italic = QStringLiteral("false");
    record.Bold = QStringLiteral("false");
    record.Color = QStringLiteral("1");
    record.BColor = QStringLiteral("0");
    record.Top = QStringLiteral("0");
    record.Left = QStringLiteral("0");
    record.Height = QStringLiteral("7200");
    record.Width = QStringLiteral("9000");
    record.Fselect = QStringLiteral("true");
    return record;
}

} // namespace

class TestMainWindowLogic : public QObject {
    Q_OBJECT
private slots:
    void layoutReproducesTheWorkedExample() {
        const MainWindowLayout layout = computeMainWindowLayout(9000, 7140, true, present(1234));
        QCOMPARE(layout.Combo1, (TwipsRect{60, 6090, 3000, 300}));
        QCOMPARE(layout.Label4, (TwipsRect{240, 5850, 1500, 240}));
        QCOMPARE(layout.File1, (TwipsRect{60, 3750, 3000, 1980}));
        QCOMPARE(layout.Label3, (TwipsRect{240, 3510, 1500, 240}));
        QCOMPARE(layout.Dir1, (TwipsRect{60, 1380, 3000, 2010}));
        QCOMPARE(layout.Text1, (TwipsRect{3180, 1380, 5640, 5010}));
        QCOMPARE(layout.Command1, (TwipsRect{3180, 720, 1560, 300}));
        QCOMPARE(layout.Label5, (TwipsRect{4860, 780, 1234, 180}));
        QCOMPARE(layout.Toolbar1, (TwipsRect{0, 0, 9000, 396}));
        QCOMPARE(layout.Drive1, (TwipsRect{60, 720, 3000, 300}));
        QVERIFY(!layout.widthWasClamped && !layout.heightWasClamped);
    }

    void layoutWithoutTheFilerGivesTheViewerTheWidth() {
        const MainWindowLayout layout = computeMainWindowLayout(5880, 7140, false, present(500));
        QCOMPARE(layout.Text1, (TwipsRect{60, 1380, 5640, 5010}));
        QCOMPARE(layout.Command1, (TwipsRect{60, 720, 1560, 300}));
        QCOMPARE(layout.Label5, (TwipsRect{1740, 780, 500, 180}));
        QCOMPARE(filerArrangement(false).viewerMinWidth, 5880);
        QCOMPARE(filerArrangement(true).viewerMinWidth, 9000);
    }

    void layoutEnforcesTheMinimumSizes() {
        const MainWindowLayout shown = computeMainWindowLayout(5000, 3000, true, present());
        QVERIFY(shown.widthWasClamped && shown.heightWasClamped);
        QCOMPARE(shown.outerWidth, 9000);
        QCOMPARE(shown.outerHeight, 7140);
        QCOMPARE(shown.Text1, (TwipsRect{3180, 1380, 5640, 5010}));
        // Without the filer 6000 is wide enough.
        const MainWindowLayout hidden = computeMainWindowLayout(6000, 7140, false, present());
        QVERIFY(!hidden.widthWasClamped);
        QCOMPARE(hidden.Text1.width, 6000 - 60 - 180);
    }

    void growingBy360MovesTheComboAndSharesTheRestBetweenTheLists() {
        const MainWindowLayout small = computeMainWindowLayout(9000, 7140, true, present());
        const MainWindowLayout tall = computeMainWindowLayout(9000, 7500, true, present());
        QCOMPARE(tall.Combo1.top - small.Combo1.top, 360);
        QCOMPARE(tall.Label4.top - small.Label4.top, 360);
        QCOMPARE((tall.File1.height - small.File1.height) % 180, 0);
        QVERIFY(tall.File1.height > small.File1.height);
        QCOMPARE(tall.File1.height + tall.Dir1.height,
                 small.File1.height + small.Dir1.height + 360);
        QCOMPARE(tall.Dir1.top, 1380);
        QCOMPARE(tall.Text1.height, small.Text1.height + 360);
    }

    void fileRowsRoundHalvesBeforeCounting() {
        // (5999 - 1860) / 2 - 90 = 1979.5: rounded to 1980, which is 11 rows, not 10.
        const MainWindowLayout layout = computeMainWindowLayout(9000, 7289, true, present());
        QCOMPARE(layout.Label4.top, 5999);
        QCOMPARE(layout.File1.height, 12 * 180);
    }

    void keyTable_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("command");
        const auto row = [](const char* name, int key, Qt::KeyboardModifiers modifiers,
                            MainCommand command) {
            QTest::newRow(name) << key << static_cast<int>(modifiers.toInt())
                                << static_cast<int>(command);
        };
        row("Esc", Qt::Key_Escape, {}, MainCommand::Exit);
        row("1", Qt::Key_1, {}, MainCommand::Tool1);
        row("2", Qt::Key_2, {}, MainCommand::Tool2);
        row("3", Qt::Key_3, {}, MainCommand::Tool3);
        row("C", Qt::Key_C, {}, MainCommand::Copy);
        row("D", Qt::Key_D, {}, MainCommand::Delete);
        row("E", Qt::Key_E, {}, MainCommand::Open);
        row("M", Qt::Key_M, {}, MainCommand::Move);
        row("Q", Qt::Key_Q, {}, MainCommand::Exit);
        row("R", Qt::Key_R, {}, MainCommand::Rename);
        row("Shift+C", Qt::Key_C, Qt::ShiftModifier, MainCommand::Copy);
        row("Ctrl+C", Qt::Key_C, Qt::ControlModifier, MainCommand::None);
        row("Alt+R", Qt::Key_R, Qt::AltModifier, MainCommand::None);
        row("Ctrl+Shift+1", Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier, MainCommand::None);
        row("keypad 1", Qt::Key_1, Qt::KeypadModifier, MainCommand::None);
        row("keypad 3", Qt::Key_3, Qt::KeypadModifier, MainCommand::None);
        row("4", Qt::Key_4, {}, MainCommand::None);
        row("F", Qt::Key_F, {}, MainCommand::None);
        row("Enter", Qt::Key_Return, {}, MainCommand::None);
        row("F1", Qt::Key_F1, {}, MainCommand::None);
    }

    void keyTable() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, command);
        QCOMPARE(static_cast<int>(commandForKey(key, Qt::KeyboardModifiers::fromInt(modifiers))),
                 command);
    }

    void shiftedDigitsFoundByTheirPhysicalKey() {
        // Shift+1 arrives as the layout's symbol; the key code of the physical key still
        // names the main keyboard's 1 to 3. The keypad's keys (87 to 89) never do.
        QCOMPARE(commandForKey(Qt::Key_Exclam, Qt::ShiftModifier, 10), MainCommand::Tool1);
        QCOMPARE(commandForKey(Qt::Key_QuoteDbl, Qt::ShiftModifier, 11), MainCommand::Tool2);
        QCOMPARE(commandForKey(Qt::Key_NumberSign, Qt::ShiftModifier, 12), MainCommand::Tool3);
        QCOMPARE(commandForKey(Qt::Key_Dollar, Qt::ShiftModifier, 13), MainCommand::None);
        QCOMPARE(commandForKey(Qt::Key_End, Qt::ShiftModifier | Qt::KeypadModifier, 87),
                 MainCommand::None);
        QCOMPARE(commandForKey(Qt::Key_Exclam, Qt::ShiftModifier, 0), MainCommand::None);
    }

    void toolbarDispatchComparesKeysExactly() {
        QCOMPARE(commandForToolbarKey(QStringLiteral("tbQ")), MainCommand::Exit);
        QCOMPARE(commandForToolbarKey(QStringLiteral("tbX1")), MainCommand::Tool1);
        QCOMPARE(commandForToolbarKey(QStringLiteral("tbX2")), MainCommand::Tool2);
        QCOMPARE(commandForToolbarKey(QStringLiteral("tbX3")), MainCommand::Tool3);
        QCOMPARE(commandForToolbarKey(QStringLiteral("tbC")), MainCommand::Copy);
        QCOMPARE(commandForToolbarKey(QStringLiteral("tbM")), MainCommand::Move);
        QCOMPARE(commandForToolbarKey(QStringLiteral("tbD")), MainCommand::Delete);
        QCOMPARE(commandForToolbarKey(QStringLiteral("tbR")), MainCommand::Rename);
        QCOMPARE(commandForToolbarKey(QStringLiteral("tbq")), MainCommand::None);
        QCOMPARE(commandForToolbarKey(QStringLiteral("tbC ")), MainCommand::None);
        QCOMPARE(commandForToolbarKey(QString()), MainCommand::None);
    }

    void commandLineWithQuotesAndBlanks() {
        CommandLineTarget target;
        QVERIFY(parseCommandLineTarget(QStringLiteral("\"/home/user/my docs/memo.txt\""), target));
        QCOMPARE(target.path, QStringLiteral("/home/user/my docs/memo.txt"));
        QCOMPARE(target.folder, QStringLiteral("/home/user/my docs/"));
        QCOMPARE(target.fileName, QStringLiteral("memo.txt"));
        QCOMPARE(target.pattern, QStringLiteral("*.TXT"));

        // Split by the shell and joined again: the same path.
        QVERIFY(parseCommandLineTarget(
            commandLineText({QStringLiteral("/home/user/my"), QStringLiteral("docs/MEMO.Txt")}),
            target));
        QCOMPARE(target.folder, QStringLiteral("/home/user/my docs/"));
        QCOMPARE(target.fileName, QStringLiteral("MEMO.Txt"));
        QCOMPARE(target.pattern, QStringLiteral("*.TXT"));

        // Blanks inside quotes are trimmed only where quotes were.
        QVERIFY(parseCommandLineTarget(QStringLiteral("  \"/a b/c.txt\"  "), target));
        QCOMPARE(target.path, QStringLiteral("/a b/c.txt"));
        QVERIFY(parseCommandLineTarget(QStringLiteral(" /x/y.txt"), target));
        QCOMPARE(target.path, QStringLiteral(" /x/y.txt"));
    }

    void commandLinePatternsAndOddArguments() {
        CommandLineTarget target;
        QVERIFY(parseCommandLineTarget(QStringLiteral("/var/log/app.log"), target));
        QCOMPARE(target.pattern, QStringLiteral("*.*"));
        QVERIFY(parseCommandLineTarget(QStringLiteral("notes.txt"), target));
        QCOMPARE(target.folder, QString());
        QCOMPARE(target.fileName, QStringLiteral("notes.txt"));
        // ":" is an ordinary character: no drive letter is taken off.
        QVERIFY(parseCommandLineTarget(QStringLiteral("/data/C:memo.txt"), target));
        QCOMPARE(target.folder, QStringLiteral("/data/"));
        QCOMPARE(target.fileName, QStringLiteral("C:memo.txt"));
        QVERIFY(parseCommandLineTarget(QStringLiteral("/srv/"), target));
        QCOMPARE(target.fileName, QString());
        QVERIFY(!parseCommandLineTarget(QString(), target));
        QVERIFY(!parseCommandLineTarget(QStringLiteral("\"\""), target));
    }

    void aNameMatchesExactlyBeforeIgnoringCase() {
        const QStringList twins{QStringLiteral("A.TXT"), QStringLiteral("a.txt")};
        QCOMPARE(entryNamed(twins, QStringLiteral("a.txt")), 1);
        QCOMPARE(entryNamed(twins, QStringLiteral("a.Txt")), -1); // which of the two?
        QCOMPARE(entryNamed({QStringLiteral("b"), QStringLiteral("Memo.TXT")},
                            QStringLiteral("memo.txt")),
                 1);
    }

    void storedSettingsConvert() {
        SettingsRecordFields record = defaultRecord();
        record.Name = QStringLiteral("IPAMincho");
        record.Size = QStringLiteral("10.5");
        record.Uline = QStringLiteral("TRUE");
        record.Strike = QStringLiteral("-1");
        record.Italic = QStringLiteral("False");
        record.Bold = QStringLiteral("1");
        record.Color = QStringLiteral("255");
        record.BColor = QStringLiteral("16777215");
        record.Top = QStringLiteral(" 1200");
        record.Fselect = QStringLiteral("0");
        const StartupSettings settings = startupSettingsFrom(record, true, true);
        QCOMPARE(settings.font.family, QStringLiteral("IPAMincho"));
        QCOMPARE(settings.font.pointSize, 10.5);
        QVERIFY(settings.font.underline && settings.font.strikeOut && settings.font.bold);
        QVERIFY(!settings.font.italic);
        QCOMPARE(settings.textColour, std::optional<qint32>(255));
        QCOMPARE(settings.backColour, std::optional<qint32>(16777215));
        QCOMPARE(settings.top, 1200.0f);
        QCOMPARE(settings.height, 7200.0f);
        QCOMPARE(settings.width, 9000.0f);
        QVERIFY(!settings.showFiler);
    }

    void missingColourKeysKeepTheDesignedColours() {
        const StartupSettings settings = startupSettingsFrom(defaultRecord(), false, false);
        QVERIFY(!settings.textColour);
        QVERIFY(!settings.backColour);
        const StartupSettings onlyBack = startupSettingsFrom(defaultRecord(), false, true);
        QVERIFY(!onlyBack.textColour);
        QCOMPARE(onlyBack.backColour, std::optional<qint32>(0));
    }

    void valuesThatCannotBeAppliedTakeTheirDefaults() {
        SettingsRecordFields record = defaultRecord();
        record.Fselect = QStringLiteral("maybe");
        record.Bold = QStringLiteral("yes");
        record.Size = QStringLiteral("0");
        record.Height = QStringLiteral("0");
        record.Width = QStringLiteral("-20");
        record.Top = QStringLiteral("abc");
        StartupSettings settings = startupSettingsFrom(record, true, true);
        QVERIFY(settings.showFiler);
        QVERIFY(!settings.font.bold);
        QCOMPARE(settings.font.pointSize, 9.0);
        QCOMPARE(settings.height, 7200.0f);
        QCOMPARE(settings.width, 9000.0f);
        QCOMPARE(settings.top, 0.0f);

        record.Size = QStringLiteral("-4");
        record.Height = QStringLiteral("1E999"); // beyond single precision
        record.Width = QStringLiteral("4E9");
        record.Color = QStringLiteral("1E20"); // beyond 32 bits
        settings = startupSettingsFrom(record, true, true);
        QCOMPARE(settings.font.pointSize, 9.0);
        QCOMPARE(settings.height, LargestWindowExtent);
        QCOMPARE(settings.width, LargestWindowExtent);
        QVERIFY(!settings.textColour);
    }

    void windowIsKeptReachable() {
        const float screenHeight = 768 * 15;
        const float screenWidth = 1024 * 15;
        WindowPosition position = keepWindowReachable({99999, -300}, screenHeight, screenWidth);
        QCOMPARE(position.top, screenHeight - 1200);
        QCOMPARE(position.left, 0.0f);
        position = keepWindowReachable({-5, 99999}, screenHeight, screenWidth);
        QCOMPARE(position.top, 0.0f);
        QCOMPARE(position.left, screenWidth - 1200);
        // Strict comparisons: the limits themselves stay.
        position = keepWindowReachable({screenHeight - 1200, screenWidth - 1200}, screenHeight,
                                       screenWidth);
        QCOMPARE(position.top, screenHeight - 1200);
        QCOMPARE(position.left, screenWidth - 1200);
        const float inf = std::numeric_limits<float>::infinity();
        position = keepWindowReachable({std::nanf(""), -inf}, screenHeight, screenWidth);
        QCOMPARE(position.top, 0.0f);
        QCOMPARE(position.left, 0.0f);
        QCOMPARE(keepWindowReachable({inf, 10}, screenHeight, screenWidth).top,
                 screenHeight - 1200);
        QCOMPARE(toSingle(1e300), inf);
    }

    void coloursAndSystemColours() {
        QPalette system;
        system.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
        system.setColor(QPalette::Active, QPalette::Text, QColor(4, 5, 6));
        system.setColor(QPalette::Active, QPalette::Button, QColor(7, 8, 9));
        system.setColor(QPalette::Active, QPalette::ButtonText, QColor(10, 11, 12));
        system.setColor(QPalette::Active, QPalette::Highlight, QColor(13, 14, 15));
        QCOMPARE(colourFromNumber(0x0000FF, system), std::optional<QColor>(QColor(255, 0, 0)));
        QCOMPARE(colourFromNumber(0xFF0000, system), std::optional<QColor>(QColor(0, 0, 255)));
        QCOMPARE(colourFromNumber(0x123456, system),
                 std::optional<QColor>(QColor(0x56, 0x34, 0x12)));
        QCOMPARE(colourFromNumber(16777215, system), std::optional<QColor>(QColor(Qt::white)));
        const auto systemColour = [&](quint32 bits) {
            return colourFromNumber(static_cast<qint32>(bits), system);
        };
        QCOMPARE(systemColour(0x80000005), std::optional<QColor>(QColor(1, 2, 3)));
        QCOMPARE(systemColour(0x80000008), std::optional<QColor>(QColor(4, 5, 6)));
        QCOMPARE(systemColour(0x8000000F), std::optional<QColor>(QColor(7, 8, 9)));
        QCOMPARE(systemColour(0x80000012), std::optional<QColor>(QColor(10, 11, 12)));
        QCOMPARE(systemColour(0x8000000D), std::optional<QColor>(QColor(13, 14, 15)));
        QVERIFY(!systemColour(0x80000019)); // no such system colour
        QVERIFY(!systemColour(0x800000FF));
        QVERIFY(!colourFromNumber(0x01000000, system)); // bits above blue
    }

    void closingKeepsWhatWaylandCannotTell_data() {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QSize>("insideNow");
        QTest::addColumn<QSize>("insideGiven");
        QTest::addColumn<bool>("place");
        QTest::addColumn<bool>("size");
        const QSize given(600, 480);
        QTest::newRow("X11 stores all") << QStringLiteral("xcb") << given << given << true << true;
        QTest::newRow("X11, resized")
            << QStringLiteral("xcb") << QSize(700, 480) << given << true << true;
        QTest::newRow("offscreen") << QStringLiteral("offscreen") << given << given << true << true;
        // Wayland: never the place; the size only where the user changed it.
        QTest::newRow("wayland, as given")
            << QStringLiteral("wayland") << given << given << false << false;
        QTest::newRow("wayland-egl, as given")
            << QStringLiteral("wayland-egl") << given << given << false << false;
        QTest::newRow("wayland, resized")
            << QStringLiteral("wayland") << QSize(606, 513) << given << false << true;
        QTest::newRow("wayland, nothing given")
            << QStringLiteral("wayland") << given << QSize() << false << true;
    }
    void closingKeepsWhatWaylandCannotTell() {
        QFETCH(QString, platform);
        QFETCH(QSize, insideNow);
        QFETCH(QSize, insideGiven);
        QFETCH(bool, place);
        QFETCH(bool, size);
        const ClosingWindowKeys keys = closingWindowKeys(platform, insideNow, insideGiven);
        QCOMPARE(keys.place, place);
        QCOMPARE(keys.size, size);
    }

    void viewerColoursComeFromOneSource_data() {
        QTest::addColumn<std::optional<qint32>>("storedText");
        QTest::addColumn<std::optional<qint32>>("storedBack");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("base");
        const QColor themeText(0xEE, 0xEE, 0xEE);
        const QColor themeBase(0x2D, 0x2D, 0x2D);
        const std::optional<qint32> none;
        // A first start on a dark theme: the theme's light text on the theme's dark base.
        QTest::newRow("no keys") << none << none << themeText << themeBase;
        QTest::newRow("stored colours")
            << std::optional<qint32>(0x0000FF) << std::optional<qint32>(0x00FF00)
            << QColor(255, 0, 0) << QColor(0, 255, 0);
        QTest::newRow("stored black on white, as they were")
            << std::optional<qint32>(0) << std::optional<qint32>(0xFFFFFF) << QColor(Qt::black)
            << QColor(Qt::white);
        QTest::newRow("stored system colours")
            << std::optional<qint32>(static_cast<qint32>(0x80000008u))
            << std::optional<qint32>(static_cast<qint32>(0x80000005u)) << themeText << themeBase;
        QTest::newRow("a number that names no colour")
            << std::optional<qint32>(0x01000000) << std::optional<qint32>(0x000000) << themeText
            << QColor(Qt::black);
    }
    void viewerColoursComeFromOneSource() {
        QFETCH(std::optional<qint32>, storedText);
        QFETCH(std::optional<qint32>, storedBack);
        QFETCH(QColor, text);
        QFETCH(QColor, base);
        QPalette dark;
        dark.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
        dark.setColor(QPalette::Base, QColor(0x2D, 0x2D, 0x2D));
        const ViewerColours colours = viewerColours(storedText, storedBack, dark);
        QCOMPARE(colours.text, text);
        QCOMPARE(colours.base, base);
    }

    void filePatternsMatchLikeTheDesktop() {
        const FileNamePattern text(QStringLiteral("*.TXT"));
        QVERIFY(text.matches(QStringLiteral("memo.txt")));
        QVERIFY(text.matches(QStringLiteral("MEMO.TXT")));
        QVERIFY(text.matches(QStringLiteral("a.b.Txt")));
        QVERIFY(!text.matches(QStringLiteral("memo.txt.bak")));
        QVERIFY(!text.matches(QStringLiteral("memotxt")));

        const FileNamePattern all(QStringLiteral("*.*"));
        QVERIFY(all.matches(QStringLiteral("README")));
        QVERIFY(all.matches(QStringLiteral("a.b")));
        QVERIFY(FileNamePattern(QStringLiteral("memo.*")).matches(QStringLiteral("memo")));
        QVERIFY(!FileNamePattern(QStringLiteral("memo.*")).matches(QStringLiteral("memos")));

        const FileNamePattern sources(QStringLiteral("*.c; *.H"));
        QVERIFY(sources.matches(QStringLiteral("main.C")));
        QVERIFY(sources.matches(QStringLiteral("main.h")));
        QVERIFY(!sources.matches(QStringLiteral("main.cpp")));

        QVERIFY(FileNamePattern(QStringLiteral("?.log")).matches(QStringLiteral("a.log")));
        QVERIFY(!FileNamePattern(QStringLiteral("?.log")).matches(QStringLiteral("ab.log")));
        // Characters that mean something to regular expressions are plain here.
        QVERIFY(
            FileNamePattern(QStringLiteral("[a]+(1).txt")).matches(QStringLiteral("[A]+(1).TXT")));
        QVERIFY(!FileNamePattern(QStringLiteral("[a].txt")).matches(QStringLiteral("a.txt")));
        QVERIFY(FileNamePattern(QStringLiteral("*.メモ")).matches(QStringLiteral("日記.メモ")));
        QVERIFY(FileNamePattern(QStringLiteral("  ")).matches(QStringLiteral("x")));
    }

    void viewerTextAndPaths() {
        QCOMPARE(viewerDisplayText(QStringLiteral("a\r\nb\r\n")), QStringLiteral("a\nb\n"));
        // A lone LF stays a break; a CR left by a cut between CR and LF is dropped.
        QCOMPARE(viewerDisplayText(QStringLiteral("a\nb\r\n")), QStringLiteral("a\nb\n"));
        QCOMPARE(viewerDisplayText(QStringLiteral("abc\r\r\nend\r\n")),
                 QStringLiteral("abc\nend\n"));
        QCOMPARE(joinFolderAndName(QStringLiteral("/"), QStringLiteral("x.txt")),
                 QStringLiteral("/x.txt"));
        QCOMPARE(joinFolderAndName(QStringLiteral("/home/u"), QStringLiteral("x.txt")),
                 QStringLiteral("/home/u/x.txt"));
    }

    void directoryEntriesShowParentsFolderAndSubfolders() {
        const QList<DirectoryEntry> entries = directoryEntries(
            QStringLiteral("/home/user"), {QStringLiteral("a"), QStringLiteral("B")});
        const QList<DirectoryEntry> expected = {
            {QStringLiteral("/"), QStringLiteral("/"), 0, true},
            {QStringLiteral("/home"), QStringLiteral("home"), 1, true},
            {QStringLiteral("/home/user"), QStringLiteral("user"), 2, true},
            {QStringLiteral("/home/user/a"), QStringLiteral("a"), 3, false},
            {QStringLiteral("/home/user/B"), QStringLiteral("B"), 3, false},
        };
        QCOMPARE(entries, expected);
        const QList<DirectoryEntry> root =
            directoryEntries(QStringLiteral("/"), {QStringLiteral("bin")});
        QCOMPARE(root.size(), 2);
        QCOMPARE(root.at(1).path, QStringLiteral("/bin"));
        QCOMPARE(root.at(1).depth, 1);
    }

    void driveOfAPathIsTheMountContainingIt() {
        const QList<DriveEntry> drives = {{QStringLiteral("/"), {}},
                                          {QStringLiteral("/media/usb"), {}},
                                          {QStringLiteral("/home"), {}}};
        QCOMPARE(mountContaining(drives, QStringLiteral("/media/usb/x/y")),
                 QStringLiteral("/media/usb"));
        QCOMPARE(mountContaining(drives, QStringLiteral("/media/usb")),
                 QStringLiteral("/media/usb"));
        QCOMPARE(mountContaining(drives, QStringLiteral("/media/usb2")), QStringLiteral("/"));
        QCOMPARE(mountContaining(drives, QStringLiteral("/home/u")), QStringLiteral("/home"));
        QCOMPARE(mountContaining({{QStringLiteral("/home"), {}}}, QStringLiteral("/etc")),
                 QString());
        QCOMPARE(driveCaption({QStringLiteral("/media/usb"), QStringLiteral("STICK")}),
                 QStringLiteral("/media/usb  [STICK]"));
    }

    void mountTableKeepsTheDrivesAUserWorksWith() {
        const QByteArray mountInfo =
            "21 26 0:20 / /proc rw,relatime - proc proc rw\n"
            "22 26 0:21 / /sys rw,relatime - sysfs sysfs rw\n"
            "23 26 0:6 / /dev rw - devtmpfs devtmpfs rw\n"
            "24 23 0:22 / /dev/shm rw - tmpfs tmpfs rw\n"
            "26 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
            "27 26 0:24 / /run/user/1000 rw shared:5 - tmpfs tmpfs rw\n"
            "28 26 8:17 / /media/user/USB\\040STICK rw shared:7 - vfat /dev/sdb1 rw\n"
            "29 26 0:50 / /mnt/share rw - nfs4 server:/export rw\n"
            "30 26 7:1 / /snap/core/1 ro - squashfs /dev/loop1 ro\n"
            "31 26 8:1 / /boot/efi rw - vfat /dev/sda1 rw\n"
            "32 26 254:0 /etc/hosts /etc/hosts rw - ext4 /dev/vda rw\n"
            "33 26 8:2 / /home rw - ext4 /dev/sda2 rw\n"
            "34 26 8:33 / /run/media/user/CARD rw - exfat /dev/sdc1 rw\n"
            "35 26 0:60 / /tmp rw - tmpfs tmpfs rw\n"
            "36 26 8:3 / /home rw - ext4 /dev/sda3 rw\n"
            "broken line\n";
        const QList<DriveEntry> drives = SystemDriveList::drivesFromMountInfo(
            mountInfo, {{QStringLiteral("/dev/sdb1"), QStringLiteral("USB STICK")}});
        QStringList mounts;
        for (const DriveEntry& drive : drives)
            mounts.append(drive.mountPoint);
        QCOMPARE(mounts,
                 (QStringList{QStringLiteral("/"), QStringLiteral("/home"),
                              QStringLiteral("/media/user/USB STICK"), QStringLiteral("/mnt/share"),
                              QStringLiteral("/run/media/user/CARD")}));
        QCOMPARE(drives.at(2).label, QStringLiteral("USB STICK"));
        QCOMPARE(drives.at(3).label, QStringLiteral("server:/export"));
        // Without a root line in the table the root is still offered.
        QCOMPARE(SystemDriveList::drivesFromMountInfo(QByteArray(), {}).size(), 1);
    }

    // A name label keeps its designed place where the font fits and grows downwards to the
    // font's height where it does not (12 px designed, 15 px for IPA Gothic at 9 pt, 2x scale).
    void nameLabelsAreTallEnoughForTheirFont_data() {
        QTest::addColumn<QRect>("designed");
        QTest::addColumn<int>("fontHeight");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("fits") << QRect(16, 36, 280, 12) << 11 << QRect(16, 36, 280, 12);
        QTest::newRow("exactly") << QRect(16, 36, 280, 12) << 12 << QRect(16, 36, 280, 12);
        QTest::newRow("descenders cut") << QRect(16, 36, 280, 12) << 15 << QRect(16, 36, 280, 15);
        QTest::newRow("scale 2") << QRect(32, 72, 560, 24) << 31 << QRect(32, 72, 560, 31);
        QTest::newRow("no font") << QRect(0, 0, 10, 12) << 0 << QRect(0, 0, 10, 12);
    }

    void nameLabelsAreTallEnoughForTheirFont() {
        QFETCH(QRect, designed);
        QFETCH(int, fontHeight);
        QFETCH(QRect, expected);
        QCOMPARE(labelRectForFont(designed, fontHeight), expected);
    }

    // A combo box or text box grows to its font's height; what it would overlap in its column
    // moves down as far as needed, the window grows by as much; with room enough nothing moves.
    void layoutGrowsForATallerFont_data() {
        QTest::addColumn<QList<QRect>>("designed");
        QTest::addColumn<QList<int>>("fontHeights");
        QTest::addColumn<QList<QRect>>("expected");
        QTest::addColumn<int>("extraHeight");
        // A text box (Form4's Text1) with the buttons under it.
        const QRect box(16, 84, 280, 18);
        const QRect ok(16, 128, 112, 32);
        const QRect cancel(184, 128, 112, 32);
        QTest::newRow("fits: nothing moves")
            << QList<QRect>{box, ok, cancel} << QList<int>{17, 0, 0}
            << QList<QRect>{box, ok, cancel} << 0;
        QTest::newRow("grows into the gap: only the box changes")
            << QList<QRect>{box, ok, cancel} << QList<int>{25, 0, 0}
            << QList<QRect>{box.adjusted(0, 0, 0, 7), ok, cancel} << 0;
        QTest::newRow("overlaps: the buttons move, the window grows")
            << QList<QRect>{cancel, box, ok} << QList<int>{0, 50, 0}
            << QList<QRect>{cancel.translated(0, 6), QRect(16, 84, 280, 50), ok.translated(0, 6)}
            << 6;
        // Form3's rows: a combo box with a caption beside it and a second row under it.
        const QRect combo(88, 44, 267, 20);
        const QRect beside(363, 48, 16, 12);
        const QRect caption(88, 80, 128, 12);
        const QRect combo2(88, 96, 267, 20);
        QTest::newRow("a control beside the grown one stays")
            << QList<QRect>{combo, beside, caption, combo2} << QList<int>{45, 0, 0, 21}
            << QList<QRect>{QRect(88, 44, 267, 45), beside, caption.translated(0, 9),
                            QRect(88, 101, 267, 21)}
            << 6;
        QTest::newRow("a moved control pushes the next")
            << QList<QRect>{combo2, caption, combo} << QList<int>{0, 30, 45}
            << QList<QRect>{combo2.translated(0, 23), QRect(88, 89, 128, 30),
                            QRect(88, 44, 267, 45)}
            << 23;
        QTest::newRow("no controls") << QList<QRect>{} << QList<int>{} << QList<QRect>{} << 0;
    }
    void layoutGrowsForATallerFont() {
        QFETCH(QList<QRect>, designed);
        QFETCH(QList<int>, fontHeights);
        QFETCH(QList<QRect>, expected);
        QFETCH(int, extraHeight);
        const GrownLayout grown = layoutGrownForFont(designed, fontHeights);
        QCOMPARE(grown.rects, expected);
        QCOMPARE(grown.extraHeight, extraHeight);
    }

    // A pattern box taller than designed keeps the margin under it: the filer above it moves
    // up by as much; at the designed 300 the worked example holds.
    void aTallerPatternBoxMovesTheFilerUp_data() {
        QTest::addColumn<int>("comboHeight");
        QTest::addColumn<int>("captionHeight");
        QTest::addColumn<int>("moved");
        QTest::addColumn<int>("captionMoved");
        QTest::newRow("designed") << 300 << 0 << 0 << 0;
        QTest::newRow("smaller") << 270 << 195 << 0 << 0;
        QTest::newRow("Noto CJK 9 pt") << 315 << 255 << 15 << 15;
        QTest::newRow("much taller") << 450 << 240 << 150 << 0;
        QTest::newRow("taller captions only") << 300 << 300 << 0 << 60;
    }
    void aTallerPatternBoxMovesTheFilerUp() {
        QFETCH(int, comboHeight);
        QFETCH(int, captionHeight);
        QFETCH(int, moved);
        QFETCH(int, captionMoved);
        PresentSizes sizes = present();
        const MainWindowLayout designed = computeMainWindowLayout(9000, 7140, true, sizes);
        sizes.combo1Height = comboHeight;
        sizes.captionHeight = captionHeight;
        const MainWindowLayout layout = computeMainWindowLayout(9000, 7140, true, sizes);
        QCOMPARE(layout.Combo1.top, designed.Combo1.top - moved);
        QCOMPARE(layout.Combo1.height, comboHeight);
        QVERIFY(layout.Combo1.top + layout.Combo1.height <= 7140 - 690 - 60);
        QCOMPARE(layout.Label4.top, designed.Label4.top - moved - captionMoved);
        QCOMPARE(layout.Label4.top + layout.Label4.height, layout.Combo1.top);
        QCOMPARE(layout.Label3.top + layout.Label3.height, layout.File1.top);
        QVERIFY(layout.File1.top + layout.File1.height <= layout.Label4.top);
        QCOMPARE(layout.Dir1.top, designed.Dir1.top);
        QVERIFY(layout.Dir1.top + layout.Dir1.height <= layout.Label3.top);
    }

    void aTallerFrameThanDesignedMovesTheLayoutHeight_data() {
        QTest::addColumn<int>("outer");
        QTest::addColumn<int>("belowMenu");
        QTest::addColumn<int>("layoutHeight");
        QTest::addColumn<int>("minimum");
        QTest::newRow("no frame, short menu bar") << 7200 << 6900 << 7200 << 7140;
        QTest::newRow("exactly 690") << 7200 << 6510 << 7200 << 7140;
        QTest::newRow("openbox-like 795") << 7200 << 6405 << 7095 << 7245;
        QTest::newRow("at the grown minimum") << 7245 << 6450 << 7140 << 7245;
    }

    void aTallerFrameThanDesignedMovesTheLayoutHeight() {
        QFETCH(int, outer);
        QFETCH(int, belowMenu);
        QFETCH(int, layoutHeight);
        QFETCH(int, minimum);
        const LayoutHeight result = layoutHeightFor(outer, belowMenu);
        QCOMPARE(result.layoutHeight, layoutHeight);
        QCOMPARE(result.minimumOuterHeight, minimum);
    }
};

QTEST_MAIN(TestMainWindowLogic)
#include "tst_mainwindowlogic.moc"
