#include "fileops/DestinationFolder.h"
#include "fileops/FileOpMessages.h"
#include "fileops/FolderPickerStart.h"
#include "fileops/RecentFolderList.h"
#include "fileops/RenameName.h"
#include "platform/NativePath.h"

#include "PlatformFakes.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace zorvane;
using Found = DestinationLookup::Found;

Q_DECLARE_METATYPE(zorvane::DestinationLookup::Found)

namespace {

FolderSlots slotsOf(const QStringList& entries) {
    FolderSlots folders;
    for (qsizetype i = 0; i < entries.size(); ++i)
        folders(static_cast<int>(i) + 1) = entries.at(i);
    return folders;
}

QStringList allSlots(const FolderSlots& folders) {
    QStringList result;
    for (int i = 1; i <= FolderSlots::size; ++i)
        result.append(folders(i));
    return result;
}

} // namespace

class TestFileOpsLogic : public QObject {
    Q_OBJECT

private slots:
    // ---- Destination text and check ------------------------------------------------------

    void destinationTextIsALiteralPath_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString home = QStringLiteral("/home/u");
        QTest::newRow("absolute") << QStringLiteral("/mnt/usb") << QStringLiteral("/mnt/usb");
        QTest::newRow("trailing slash stays")
            << QStringLiteral("/mnt/usb/") << QStringLiteral("/mnt/usb/");
        QTest::newRow("home alone") << QStringLiteral("~") << home;
        QTest::newRow("home with slash") << QStringLiteral("~/") << home + QStringLiteral("/");
        QTest::newRow("under home")
            << QStringLiteral("~/保存 先") << home + QStringLiteral("/保存 先");
        QTest::newRow("tilde name is a relative folder")
            << QStringLiteral("~x") << QStringLiteral("/data/作業/~x");
        QTest::newRow("relative to the file's folder")
            << QStringLiteral("backup") << QStringLiteral("/data/作業/backup");
        QTest::newRow("parent not normalised")
            << QStringLiteral("../old") << QStringLiteral("/data/作業/../old");
        QTest::newRow("wildcards are characters")
            << QStringLiteral("*.*") << QStringLiteral("/data/作業/*.*");
        QTest::newRow("empty names nothing") << QString() << QString();
        QTest::newRow("blanks only name nothing") << QStringLiteral("   ") << QString();
        QTest::newRow("full-width blank and tab name nothing")
            << QStringLiteral("\u3000\t ") << QString();
        QTest::newRow("blanks around a name stay")
            << QStringLiteral(" old ") << QStringLiteral("/data/作業/ old ");
    }
    void destinationTextIsALiteralPath() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(resolveDestinationText(text, QStringLiteral("/data/作業/memo.txt"),
                                        QStringLiteral("/home/u")),
                 expected);
    }

    // The lookup's answers become the codes; only failures beep and ask.
    void checkAnswersFromTheLookup_data() {
        QTest::addColumn<QList<int>>("errors"); // one lookup per entry
        QTest::addColumn<Found>("found");       // what the last lookup finds
        QTest::addColumn<QList<MessageAnswer>>("answers");
        QTest::addColumn<int>("expectedCode");
        QTest::addColumn<QStringList>("boxes"); // titles + buttons of the shown boxes
        QTest::newRow("nothing") << QList<int>{0} << Found::Nothing << QList<MessageAnswer>{} << 777
                                 << QStringList{};
        QTest::newRow("folder") << QList<int>{0} << Found::Folder << QList<MessageAnswer>{} << 222
                                << QStringList{};
        QTest::newRow("other") << QList<int>{0} << Found::Other << QList<MessageAnswer>{} << 111
                               << QStringList{};
        QTest::newRow("medium back after retry")
            << QList<int>{52, 52, 0} << Found::Folder
            << QList<MessageAnswer>{MessageAnswer::Retry, MessageAnswer::Retry} << 222
            << QStringList{QStringLiteral("retry"), QStringLiteral("retry")};
        QTest::newRow("retry then cancel")
            << QList<int>{52, 52} << Found::Folder
            << QList<MessageAnswer>{MessageAnswer::Retry, MessageAnswer::Cancel} << 999
            << QStringList{QStringLiteral("retry"), QStringLiteral("retry")};
        QTest::newRow("permission denied")
            << QList<int>{70} << Found::Nothing << QList<MessageAnswer>{} << 999
            << QStringList{QStringLiteral("ok")};
    }
    void checkAnswersFromTheLookup() {
        QFETCH(QList<int>, errors);
        QFETCH(Found, found);
        QFETCH(QList<MessageAnswer>, answers);
        QFETCH(int, expectedCode);
        QFETCH(QStringList, boxes);
        testing::PlatformFakes fakes;
        for (MessageAnswer answer : answers)
            fakes.messageBox.answers.enqueue(answer);
        QWidget owner;
        int calls = 0;
        const DestinationProbe probe = [&](const QString& path) {
            [&] { QCOMPARE(path, QStringLiteral("/mnt/card/保存")); }();
            const int error = errors.value(calls++, 0);
            return DestinationLookup{error ? Found::Nothing : found, error};
        };

        QCOMPARE(int(CheckDestDir(QStringLiteral("/mnt/card/保存"), probe, &owner)), expectedCode);
        QCOMPARE(calls, qMin(int(errors.size()), int(answers.size()) + 1));
        QStringList shown;
        for (const MessageRequest& box : fakes.messageBox.shown) {
            QCOMPARE(box.title, QStringLiteral("検索エラー"));
            shown.append(box.buttons == MessageButtons::RetryCancel ? QStringLiteral("retry")
                                                                    : QStringLiteral("ok"));
        }
        QCOMPARE(shown, boxes);
        QCOMPARE(fakes.beep.count, int(boxes.size()));
        for (QWidget* boxOwner : fakes.messageBox.owners)
            QCOMPARE(boxOwner, &owner);
    }

    void lookupFailuresAreNumbered_data() {
        QTest::addColumn<int>("errnoValue");
        QTest::addColumn<int>("number");
        QTest::newRow("no medium") << ENOMEDIUM << 52;
        QTest::newRow("I/O error") << EIO << 52;
        QTest::newRow("stale share") << ESTALE << 52;
        QTest::newRow("timed out") << ETIMEDOUT << 52;
        QTest::newRow("gone device") << ENXIO << 52;
        QTest::newRow("permission") << EACCES << 70;
        QTest::newRow("name too long") << ENAMETOOLONG << 64;
    }
    void lookupFailuresAreNumbered() {
        QFETCH(int, errnoValue);
        QFETCH(int, number);
        QCOMPARE(destinationLookupErrorNumber(errnoValue, "/x/y"), number);
    }

    void messagesShowTheirNumbers() {
        QCOMPARE(signedNumberText(70), QStringLiteral(" 70"));
        QCOMPARE(signedNumberText(0), QStringLiteral(" 0"));
        QCOMPARE(signedNumberText(-3), QStringLiteral("-3"));
        const MessageRequest search = searchErrorMessage(64);
        QCOMPARE(search.text,
                 QStringLiteral("ファイルの検索に失敗しました。\r\n未確認のエラーです。 64\r\n"
                                "ＯＫを押すと終了します。"));
        QCOMPARE(search.icon, MessageIcon::Critical);
        const MessageRequest drive = driveErrorMessage(-1);
        QCOMPARE(drive.text, QStringLiteral("エラーです。-1\r\nＯＫを押してください。"));
        QCOMPARE(drive.title, QStringLiteral("ドライブエラー"));
        QCOMPARE(driveNotReadyMessage().buttons, MessageButtons::RetryCancel);
    }

    // What the file system holds under the name, with the traps a path can hold.
    void lookupOnRealFolders() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString root = dir.path() + QStringLiteral("/");
        QVERIFY(QDir(root).mkdir(QStringLiteral("資料 2024")));
        QVERIFY(testing::writeBytes(root + QStringLiteral("memo.txt"), "x"));
        QVERIFY(
            QFile::link(root + QStringLiteral("資料 2024"), root + QStringLiteral("to-folder")));
        QVERIFY(QFile::link(root + QStringLiteral("gone"), root + QStringLiteral("dangling")));
        QVERIFY(QFile::link(root + QStringLiteral("loop"), root + QStringLiteral("loop")));
        QCOMPARE(::mkfifo(QFile::encodeName(root + QStringLiteral("fifo")).constData(), 0600), 0);

        const struct {
            QString name;
            Found found;
        } cases[] = {
            {QStringLiteral("資料 2024"), Found::Folder},
            {QStringLiteral("資料 2024/"), Found::Folder},
            {QStringLiteral("to-folder"), Found::Folder},
            {QStringLiteral("memo.txt"), Found::Other},
            {QStringLiteral("memo.txt/"), Found::Other},
            {QStringLiteral("dangling"), Found::Other},
            {QStringLiteral("loop"), Found::Other},
            {QStringLiteral("fifo"), Found::Other},
            {QStringLiteral("new"), Found::Nothing},
            {QStringLiteral("new/deeper"), Found::Nothing},
            {QStringLiteral("memo.txt/sub"), Found::Nothing},
        };
        for (const auto& entry : cases) {
            const DestinationLookup lookup = lookUpDestination(root + entry.name);
            QVERIFY2(lookup == (DestinationLookup{entry.found, 0}), qPrintable(entry.name));
        }
        const QString tooLong = root + QString(300, QChar(u'あ'));
        QCOMPARE(lookUpDestination(tooLong).errorNumber, 64);
    }

    void folderCreationMakesOneLevel() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString root = dir.path() + QStringLiteral("/");
        QVERIFY(testing::writeBytes(root + QStringLiteral("memo.txt"), "x"));

        QCOMPARE(createDestinationFolder(root + QStringLiteral("新しい フォルダ/")), 0);
        QVERIFY(QFileInfo(root + QStringLiteral("新しい フォルダ")).isDir());
        QCOMPARE(createDestinationFolder(root + QStringLiteral("a/b")), ENOENT);
        QVERIFY(!QFileInfo::exists(root + QStringLiteral("a")));
        QCOMPARE(createDestinationFolder(root + QStringLiteral("memo.txt/b")), ENOTDIR);
        QCOMPARE(createDestinationFolder(root + QString(300, QChar(u'x'))), ENAMETOOLONG);

        const MessageRequest message = folderCreationMessage(root + QStringLiteral("a/b"), ENOENT);
        QCOMPARE(message.title, QStringLiteral("ディレクトリ作成エラー"));
        QCOMPARE(message.text, QStringLiteral("ディレクトリを作成できませんでした。\r\n") + root +
                                   QStringLiteral("a/b\r\n途中のディレクトリがありません。"));
        QCOMPARE(message.icon, MessageIcon::Critical);
        for (int error : {EACCES, EROFS, ENOSPC, ENAMETOOLONG, ENOTDIR, 12345})
            QVERIFY(!folderCreationReason(error).isEmpty());
    }

    // A folder named in Shift-JIS bytes is found and made by exactly those bytes; its decoded
    // name is another folder.
    void foreignNamesKeepTheirBytes() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray nativeRoot = QFile::encodeName(dir.path()) + '/';
        const QString root = pathFromNative(nativeRoot);
        const QString folder = root + pathFromNative(testing::Cp932Hyouji);
        QVERIFY(holdsForeignBytes(folder));

        QCOMPARE(lookUpDestination(folder), (DestinationLookup{Found::Nothing, 0}));
        QCOMPARE(createDestinationFolder(folder), 0);
        struct stat status {};
        QCOMPARE(::stat((nativeRoot + testing::Cp932Hyouji).constData(), &status), 0);
        QVERIFY(S_ISDIR(status.st_mode));
        QCOMPARE(lookUpDestination(folder), (DestinationLookup{Found::Folder, 0}));
        QCOMPARE(lookUpDestination(root + QStringLiteral("表示")).found, Found::Nothing);
    }

    // ---- Recent folders ------------------------------------------------------------------

    void recentListUpkeep_data() {
        QTest::addColumn<QStringList>("slotTexts");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QStringList>("expectedList");
        const QString a = QStringLiteral("/d/a"), b = QStringLiteral("/d/b"),
                      c = QStringLiteral("/d/c");
        QTest::newRow("top entry not reordered") << QStringList{a, b} << a << QStringList{a, b};
        QTest::newRow("lower entry inserted again")
            << QStringList{a, b} << b << QStringList{b, a, b};
        QTest::newRow("new folder on top") << QStringList{a, b} << c << QStringList{c, a, b};
        QTest::newRow("case differs")
            << QStringList{a} << QStringLiteral("/D/a") << QStringList{QStringLiteral("/D/a"), a};
        QTest::newRow("gaps compacted")
            << QStringList{a, QString(), QString(), b} << c << QStringList{c, a, b};
        QTest::newRow("empty history") << QStringList{} << c << QStringList{c};
    }
    void recentListUpkeep() {
        QFETCH(QStringList, slotTexts);
        QFETCH(QString, destination);
        QFETCH(QStringList, expectedList);
        const QStringList list =
            recentListAfterUse(filledFolderEntries(slotsOf(slotTexts)), destination);
        QCOMPARE(list, expectedList);
        FolderSlots stored = slotsOf(slotTexts);
        storeRecentFolders(list, stored);
        QCOMPARE(allSlots(stored).mid(0, list.size()), list);
    }

    void recentListKeepsTheNewestTwenty() {
        QStringList full;
        for (int i = 1; i <= 20; ++i)
            full.append(QStringLiteral("/d/%1").arg(i));
        FolderSlots recent = slotsOf(full);
        const QStringList list =
            recentListAfterUse(filledFolderEntries(recent), QStringLiteral("/new"));
        QCOMPARE(list.size(), 21);
        storeRecentFolders(list, recent);
        QCOMPARE(recent(1), QStringLiteral("/new"));
        QCOMPARE(recent(20), QStringLiteral("/d/19"));

        // Slots after the last entry keep what they hold.
        FolderSlots sparse = slotsOf({QStringLiteral("/a")});
        sparse(20) = QStringLiteral("/z");
        storeRecentFolders({QStringLiteral("/b"), QStringLiteral("/a")}, sparse);
        QCOMPARE(allSlots(sparse).mid(0, 3),
                 (QStringList{QStringLiteral("/b"), QStringLiteral("/a"), QString()}));
        QCOMPARE(sparse(20), QStringLiteral("/z"));
    }

    // ---- Rename --------------------------------------------------------------------------

    void splitAndSelectTheName_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("selected");
        QTest::newRow("plain") << QStringLiteral("/home/u/memo.txt") << QStringLiteral("/home/u/")
                               << QStringLiteral("memo.txt") << QStringLiteral("memo");
        QTest::newRow("Japanese with blanks")
            << QStringLiteral("/データ/月次 報告/報告書 ２０２４年.txt")
            << QStringLiteral("/データ/月次 報告/") << QStringLiteral("報告書 ２０２４年.txt")
            << QStringLiteral("報告書 ２０２４年");
        QTest::newRow("two extensions") << QStringLiteral("/a/b.tar.gz") << QStringLiteral("/a/")
                                        << QStringLiteral("b.tar.gz") << QStringLiteral("b.tar");
        QTest::newRow("dot file") << QStringLiteral("/a/.bashrc") << QStringLiteral("/a/")
                                  << QStringLiteral(".bashrc") << QStringLiteral(".bashrc");
        QTest::newRow("no extension") << QStringLiteral("/README") << QStringLiteral("/")
                                      << QStringLiteral("README") << QStringLiteral("README");
        QTest::newRow("no slash") << QStringLiteral("memo.txt") << QString()
                                  << QStringLiteral("memo.txt") << QStringLiteral("memo");
        QTest::newRow("backslash is a character")
            << QStringLiteral("/a/x\\y.txt") << QStringLiteral("/a/") << QStringLiteral("x\\y.txt")
            << QStringLiteral("x\\y");
    }
    void splitAndSelectTheName() {
        QFETCH(QString, path);
        QFETCH(QString, dir);
        QFETCH(QString, name);
        QFETCH(QString, selected);
        const SplitName split = SplitPath(path);
        QCOMPARE(split.oldDir, dir);
        QCOMPARE(split.oldName, name);
        const NameSelection selection = renameSelection(name);
        QCOMPARE(name.mid(selection.start, selection.length), selected);
    }

    // ---- Directory picker start ----------------------------------------------------------

    void pickerStartsInTheNearestFolder_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("expected");
        QTest::newRow("existing folder")
            << QStringLiteral("/data/作業") << QStringLiteral("/data/作業");
        QTest::newRow("a file") << QStringLiteral("/data/作業/memo.txt")
                                << QStringLiteral("/data/作業");
        QTest::newRow("removed folder deep down")
            << QStringLiteral("/data/gone/deeper/") << QStringLiteral("/data");
        QTest::newRow("empty") << QString() << QStringLiteral("/cwd");
        QTest::newRow("relative") << QStringLiteral("作業") << QStringLiteral("/cwd");
    }
    void pickerStartsInTheNearestFolder() {
        QFETCH(QString, start);
        QFETCH(QString, expected);
        const QStringList folders{QStringLiteral("/"), QStringLiteral("/data"),
                                  QStringLiteral("/data/作業")};
        const auto isFolder = [&](const QString& path) { return folders.contains(path); };
        QCOMPARE(pickerStartFolder(start, isFolder, QStringLiteral("/cwd")), expected);
        QCOMPARE(pickerStartFolder(
                     QStringLiteral("/x/y"), [](const QString&) { return false; },
                     QStringLiteral("/cwd")),
                 QStringLiteral("/cwd"));
    }
};

QTEST_MAIN(TestFileOpsLogic)
#include "tst_fileops_logic.moc"
