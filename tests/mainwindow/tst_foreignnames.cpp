// Files and folders whose names are not UTF-8 (Shift-JIS from old archives and media) beside
// UTF-8 names that look the same: listed, shown readably, and every operation reaches exactly
// the file chosen.
#include "MainWindowFixture.h"
#include "PlatformFakes.h"
#include "TestFiles.h"

#include "app/ModPlok.h"
#include "filer/DirectoryListModel.h"
#include "filer/DirectoryListView.h"
#include "filer/FileListModel.h"
#include "filer/FileListView.h"
#include "fileservice/GioShellFileOperation.h"
#include "mainwindow/Form1.h"
#include "platform/NativePath.h"
#include "platform/SystemProcessStarter.h"

#include <QLabel>
#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace zorvane;
using zorvane::testing::bytesOf;
using zorvane::testing::MainWindowFixture;
using zorvane::testing::PlatformFakes;

namespace {

// Names as bytes. メモ帳.txt and 資料 in code page 932, and in UTF-8.
const QByteArray MemoCp932 = bytesOf({0x83, 0x81, 0x83, 0x82, 0x92, 0xA0}) + ".txt";
const QByteArray MemoUtf8 = QByteArray("メモ帳.txt");
const QByteArray BadFf = QByteArray("bad\xFF.txt");
const QByteArray BadReplacement = QByteArray("bad\xEF\xBF\xBD.txt");
const QByteArray ShiryouCp932 = bytesOf({0x8E, 0x91, 0x97, 0xBF});
const QByteArray ShiryouUtf8 = QByteArray("資料");

bool writeNative(const QByteArray& path, const QByteArray& content) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool written =
        ::write(fd, content.constData(), static_cast<size_t>(content.size())) == content.size();
    ::close(fd);
    return written;
}

QByteArray readNative(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return {};
    QByteArray content(4096, '\0');
    const ssize_t got = ::read(fd, content.data(), static_cast<size_t>(content.size()));
    ::close(fd);
    content.resize(got < 0 ? 0 : got);
    return content;
}

} // namespace

class TestForeignNames : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    QByteArray root_; // the folder's bytes

    QByteArray at(const QByteArray& name) const { return root_ + '/' + name; }
    QString path(const QByteArray& name) const { return pathFromNative(at(name)); }

private slots:
    void init() {
        resetModPlok();
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        root_ = nativePath(dir_->path());
        QVERIFY(writeNative(at(MemoCp932), "cp932\r\n"));
        QVERIFY(writeNative(at(MemoUtf8), "utf8\r\n"));
        QVERIFY(writeNative(at(BadFf), "ff\r\n"));
        QVERIFY(writeNative(at(BadReplacement), "fffd\r\n"));
        QCOMPARE(::mkdir(at(ShiryouCp932).constData(), 0755), 0);
        QCOMPARE(::mkdir(at(ShiryouUtf8).constData(), 0755), 0);
        QVERIFY(writeNative(at(ShiryouCp932 + "/inner.txt"), "inner\r\n"));
    }

    void cleanup() { dir_.reset(); }

    void listsShowEveryNameReadablyAndKeepThemApart() {
        FileListView files;
        files.setPattern(QStringLiteral("*.TXT"));
        files.setPath(pathFromNative(root_));
        QStringList shown;
        QList<QByteArray> bytes;
        for (int row = 0; row < files.listCount(); ++row) {
            shown.append(files.model()->index(row, 0).data().toString());
            bytes.append(nativePath(files.listEntry(row)));
        }
        QCOMPARE(shown,
                 (QStringList{QStringLiteral("bad\\xFF.txt"), QStringLiteral("bad\uFFFD.txt"),
                              QStringLiteral("メモ帳.txt"), QStringLiteral("メモ帳.txt")}));
        QCOMPARE(bytes.size(), 4);
        for (const QByteArray& name : {BadFf, BadReplacement, MemoCp932, MemoUtf8})
            QVERIFY2(bytes.contains(name), name.constData());

        const QStringList folders = listSubfolders(pathFromNative(root_));
        QCOMPARE(folders.size(), 2);
        QVERIFY(folders.contains(pathFromNative(ShiryouCp932)));
        QVERIFY(folders.contains(pathFromNative(ShiryouUtf8)));
        const auto entries = directoryEntries(pathFromNative(root_), folders);
        QCOMPARE(entries.last().name, QStringLiteral("資料"));
        QCOMPARE(entries.at(entries.size() - 2).name, QStringLiteral("資料"));

        // The folder in code page 932 opens, and its file is listed.
        DirectoryListView tree;
        QCOMPARE(tree.setPath(path(ShiryouCp932)), 0);
        QCOMPARE(nativePath(tree.path()), at(ShiryouCp932));
        files.setPath(tree.path());
        QCOMPARE(files.listCount(), 1);
        QCOMPARE(files.listEntry(0), QStringLiteral("inner.txt"));
    }

    void theCommandLineAndEveryCommandReachThatFile() {
        MainWindowFixture fixture;
        QVERIFY(fixture.setUpMainWindow());
        PlatformFakes& fakes = *fixture.fakes_;
        Form1 form(fixture.programDir_->path());
        form.setCommandHandler(MainCommand::Delete, [] {});
        modPlok().ToolPath(1) = QStringLiteral("tool");

        form.Form_Load(path(BadFf));
        QCOMPARE(form.previewText(), QStringLiteral("ff\r\n"));
        QCOMPARE(nativePath(form.currentFile()), at(BadFf));
        QCOMPARE(form.label5()->toolTip(), dir_->path() + QStringLiteral("/bad\\xFF.txt"));

        form.miEx1_Click();
        QCOMPARE(fakes.processStarter.started.size(), 1);
        QCOMPARE(nativePath(fakes.processStarter.started.at(0).arguments.at(0)), at(BadFf));
        form.miDel_Click();
        QCOMPARE(nativePath(modPlok().TargetPath), at(BadFf));

        // Picking the name in code page 932 previews that file, not its UTF-8 twin.
        FileListView* files = form.file1();
        for (int row = 0; row < files->listCount(); ++row) {
            if (nativePath(files->listEntry(row)) == MemoCp932)
                files->setListIndex(row);
        }
        QCOMPARE(form.previewText(), QStringLiteral("cp932\r\n"));
        QCOMPARE(form.label5()->toolTip(), dir_->path() + QStringLiteral("/メモ帳.txt"));
    }

    void programsAndFileOperationsGetTheExactBytes() {
        // A real program: cp copies exactly the file named.
        QVERIFY(::mkdir(at("out").constData(), 0755) == 0);
        SystemProcessStarter starter;
        QCOMPARE(
            starter.startDetached(QStringLiteral("/bin/cp"), {path(BadFf), path("out/copied.txt")}),
            0);
        QTRY_COMPARE(readNative(at("out/copied.txt")), QByteArray("ff\r\n"));

        // The shell's copy and rename.
        GioShellFileOperation shell;
        ShellRequest copy;
        copy.function = FO_COPY;
        copy.from = path(BadFf);
        copy.to = path("out");
        QCOMPARE(shell.perform(copy), 0);
        QCOMPARE(readNative(at("out/" + BadFf)), QByteArray("ff\r\n"));
        QCOMPARE(readNative(at("out/" + BadReplacement)), QByteArray());

        ShellRequest rename;
        rename.function = FO_RENAME;
        rename.from = path(MemoCp932);
        rename.to = path("renamed.txt");
        QCOMPARE(shell.perform(rename), 0);
        QCOMPARE(readNative(at("renamed.txt")), QByteArray("cp932\r\n"));
        QCOMPARE(readNative(at(MemoUtf8)), QByteArray("utf8\r\n"));
    }
};

QTEST_MAIN(TestForeignNames)
#include "tst_foreignnames.moc"
