#include "fileservice/GioShellFileOperation.h"
#include "fileservice/ShellCancellation.h"
#include "fileservice/ShellFileWork.h"
#include "fileservice/ShellPaths.h"
#include "platform/PlatformServices.h"

#include "ChildProcess.h"
#include "PlatformFakes.h"
#include "SlowFileSystem.h"
#include "TemporaryHome.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <memory>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

using namespace zorvane;
using Result = GioShellFileOperation::Result;

namespace {

const QDateTime oldTime = QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
constexpr QFileDevice::Permissions ownerReadWrite =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
    QFileDevice::WriteUser | QFileDevice::ReadGroup;

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(content), content.size());
    file.close();
    QVERIFY(file.setPermissions(ownerReadWrite));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(oldTime, QFileDevice::FileModificationTime));
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every entry of a folder, hidden ones (a forgotten temporary copy) included.
QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray bigContent(qsizetype size) {
    QByteArray content(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        content[i] = static_cast<char>((i * 131) % 251);
    return content;
}

quint64 deviceOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_dev : 0;
}

// A file system mounted for one test, unmounted at the end of the scope (needs root).
class ScopedMount {
public:
    ScopedMount(const QString& type, const QString& source, const QString& at,
                const QByteArray& options)
        : at_(QFile::encodeName(at)) {
        QDir().mkpath(at);
        mounted_ = ::mount(QFile::encodeName(source).constData(), at_.constData(),
                           QFile::encodeName(type).constData(), 0, options.constData()) == 0;
    }
    ~ScopedMount() {
        if (mounted_)
            ::umount2(at_.constData(), MNT_DETACH);
    }
    ScopedMount(const ScopedMount&) = delete;
    ScopedMount& operator=(const ScopedMount&) = delete;
    bool isMounted() const { return mounted_; }

private:
    QByteArray at_;
    bool mounted_ = false;
};

// An access ACL in the kernel's attribute form: owner rw, user 65534 nothing, group r, mask r,
// other nothing (mode 0640, with one user denied what the group may do).
QByteArray denyingAcl() {
    QByteArray acl;
    auto add32 = [&](quint32 v) { acl.append(reinterpret_cast<const char*>(&v), 4); };
    auto entry = [&](quint16 tag, quint16 perm, quint32 id) {
        acl.append(reinterpret_cast<const char*>(&tag), 2);
        acl.append(reinterpret_cast<const char*>(&perm), 2);
        add32(id);
    };
    add32(2); // version
    entry(0x01, 6, 0xFFFFFFFF);
    entry(0x02, 0, 65534);
    entry(0x04, 4, 0xFFFFFFFF);
    entry(0x10, 4, 0xFFFFFFFF);
    entry(0x20, 0, 0xFFFFFFFF);
    return acl;
}

QByteArray attributeOf(const QString& path, const char* name) {
    char value[1024];
    const ssize_t size = ::getxattr(QFile::encodeName(path).constData(), name, value, sizeof value);
    return size < 0 ? QByteArray("<none>") : QByteArray(value, size);
}

// Runs this test program again with the arguments after "--child"; returns its wait status.
int runChild(const QStringList& arguments) {
    const pid_t pid = zorvane::testing::startChild(arguments);
    return pid < 0 ? -1 : zorvane::testing::waitForChild(pid);
}

// User 65534 in a group of its own, which the tests give files to.
constexpr uid_t DeniedUser = 65534;
constexpr gid_t DeniedGroup = 61013;

ShellRequest request(quint32 function, const QString& from, const QString& to, QWidget* owner) {
    ShellRequest r;
    r.owner = owner;
    r.function = function;
    r.from = from;
    r.to = to;
    r.flags = FOF_ALLOWUNDO;
    return r;
}

} // namespace

class TestShellFileOperation : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> work;
    std::unique_ptr<testing::PlatformFakes> fakes;
    GioShellFileOperation service;
    QWidget owner;
    QString source, target; // a source folder and a destination folder

    QString sourceFile(const QString& name = QStringLiteral("メモ 1.txt")) const {
        return source + QLatin1Char('/') + name;
    }
    QString targetFile(const QString& name = QStringLiteral("メモ 1.txt")) const {
        return target + QLatin1Char('/') + name;
    }
    QString trashFiles() const {
        return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Trash/files");
    }

private slots:
    void init() {
        work = std::make_unique<QTemporaryDir>();
        QVERIFY(work->isValid());
        source = work->filePath(QStringLiteral("from"));
        target = work->filePath(QStringLiteral("to folder"));
        QVERIFY(QDir().mkpath(source));
        QVERIFY(QDir().mkpath(target));
        fakes = std::make_unique<testing::PlatformFakes>();
        service.setProgressHook({});
    }
    void cleanup() {
        fakes.reset();
        work.reset();
    }

    // ---- copy and move ------------------------------------------------------------------

    void copyAndMoveKeepContentTimeAndPermissions_data() {
        QTest::addColumn<bool>("move");
        QTest::newRow("copy") << false;
        QTest::newRow("move") << true;
    }
    void copyAndMoveKeepContentTimeAndPermissions() {
        QFETCH(bool, move);
        const QByteArray content = bigContent(300 * 1024);
        writeFile(sourceFile(), content);

        QCOMPARE(service.perform(request(move ? FO_MOVE : FO_COPY, sourceFile(), target, &owner)),
                 int(Result::Done));
        QCOMPARE(readFile(targetFile()), content);
        QCOMPARE(QFileInfo(targetFile()).lastModified().toUTC(), oldTime);
        QCOMPARE(QFileInfo(targetFile()).permissions(), ownerReadWrite);
        QCOMPARE(QFile::exists(sourceFile()), !move);
        QCOMPARE(entriesOf(target), QStringList{QStringLiteral("メモ 1.txt")});
        QVERIFY(fakes->messageBox.shown.isEmpty());
    }

    // The destination may be given with a trailing "/"; the file lands inside the folder.
    void destinationFolderWithTrailingSlash() {
        writeFile(sourceFile(), "abc");
        QCOMPARE(
            service.perform(request(FO_COPY, sourceFile(), target + QStringLiteral("/"), &owner)),
            int(Result::Done));
        QCOMPARE(readFile(targetFile()), QByteArray("abc"));
    }

    void replaceAnsweredNoKeepsBothFiles_data() { copyAndMoveKeepContentTimeAndPermissions_data(); }
    void replaceAnsweredNoKeepsBothFiles() {
        QFETCH(bool, move);
        writeFile(sourceFile(), "new content");
        writeFile(targetFile(), "old content");
        fakes->messageBox.answers.enqueue(MessageAnswer::No);

        QCOMPARE(service.perform(request(move ? FO_MOVE : FO_COPY, sourceFile(), target, &owner)),
                 int(Result::Declined));
        QCOMPARE(readFile(sourceFile()), QByteArray("new content"));
        QCOMPARE(readFile(targetFile()), QByteArray("old content"));
        QCOMPARE(fakes->messageBox.shown.size(), 1);
        const MessageRequest& question = fakes->messageBox.shown.first();
        QCOMPARE(question.buttons, MessageButtons::YesNo);
        QCOMPARE(question.title,
                 move ? QStringLiteral("ファイルの移動") : QStringLiteral("ファイルのコピー"));
        QCOMPARE(fakes->messageBox.owners.first(), &owner);
        QCOMPARE(entriesOf(target).size(), 1);
    }

    void replaceAnsweredYesReplaces_data() { copyAndMoveKeepContentTimeAndPermissions_data(); }
    void replaceAnsweredYesReplaces() {
        QFETCH(bool, move);
        writeFile(sourceFile(), "new content");
        writeFile(targetFile(), "old content, longer than the new one");
        fakes->messageBox.answers.enqueue(MessageAnswer::Yes);

        QCOMPARE(service.perform(request(move ? FO_MOVE : FO_COPY, sourceFile(), target, &owner)),
                 int(Result::Done));
        QCOMPARE(readFile(targetFile()), QByteArray("new content"));
        QCOMPARE(QFile::exists(sourceFile()), !move);
        QCOMPARE(fakes->messageBox.shown.size(), 1);
        QCOMPARE(entriesOf(target).size(), 1);
    }

    // Copying or moving a file onto itself would destroy it: refused, file intact.
    void ontoItselfIsRefused_data() { copyAndMoveKeepContentTimeAndPermissions_data(); }
    void ontoItselfIsRefused() {
        QFETCH(bool, move);
        writeFile(sourceFile(), "precious");
        QCOMPARE(service.perform(request(move ? FO_MOVE : FO_COPY, sourceFile(), source, &owner)),
                 int(Result::Refused));
        QCOMPARE(readFile(sourceFile()), QByteArray("precious"));
        QCOMPARE(entriesOf(source), QStringList{QStringLiteral("メモ 1.txt")});
        QCOMPARE(fakes->messageBox.shown.size(), 1);
        QCOMPARE(fakes->messageBox.shown.first().buttons, MessageButtons::Ok);
    }

    // A link moved next to the file it points to, under that file's name, would replace the
    // file with a link to itself.
    void linkOntoItsOwnTargetIsRefused() {
        writeFile(targetFile(), "precious");
        QVERIFY(QFile::link(targetFile(), sourceFile()));
        QCOMPARE(service.perform(request(FO_MOVE, sourceFile(), target, &owner)),
                 int(Result::Refused));
        QCOMPARE(readFile(targetFile()), QByteArray("precious"));
        QVERIFY(QFileInfo(sourceFile()).isSymLink());
    }

    void missingSourceOrFolderIsReported() {
        QCOMPARE(service.perform(request(FO_COPY, sourceFile(), target, &owner)),
                 int(Result::Failed));
        writeFile(sourceFile(), "x");
        QCOMPARE(service.perform(request(FO_COPY, sourceFile(),
                                         work->filePath(QStringLiteral("nowhere")), &owner)),
                 int(Result::Failed));
        QCOMPARE(fakes->messageBox.shown.size(), 2);
        QVERIFY(!QFile::exists(work->filePath(QStringLiteral("nowhere"))));
    }

    // A destination that is there but is a file is no missing folder.
    void destinationThatIsAFileIsNamedSo() {
        writeFile(sourceFile(), "x");
        const QString file = work->filePath(QStringLiteral("plain file"));
        writeFile(file, "y");
        QCOMPARE(service.perform(request(FO_COPY, sourceFile(), file, &owner)),
                 int(Result::Failed));
        QCOMPARE(fakes->messageBox.shown.size(), 1);
        const QString text = fakes->messageBox.shown.first().text;
        QVERIFY2(text.contains(QStringLiteral("フォルダーではありません")), qPrintable(text));
        QCOMPARE(readFile(file), QByteArray("y"));
    }

    // The same file seen through a second mount (FUSE, NFS of a local folder) has another
    // device but the same inode, size and time: it is the source itself.
    void secondViewOfAFileIsTheFileItself() {
        ShellFileStatus original;
        original.exists = original.targetExists = original.isRegular = true;
        original.entryDevice = original.device = 2049;
        original.entryInode = original.inode = 1234;
        original.size = original.entrySize = 100;
        original.modified = original.entryModified = 1700000000123456789;
        ShellFileStatus view = original;
        view.entryDevice = view.device = 53;
        QVERIFY(ShellFileWork::sameFile(original, view));
        view.modified = original.modified + 1; // another file that shares the inode number
        QVERIFY(!ShellFileWork::sameFile(original, view));
        view = original;
        view.entryDevice = view.device = 53;
        view.size = 101;
        QVERIFY(!ShellFileWork::sameFile(original, view));
    }

    // An editor saves a new version over the source (a new file renamed onto its name) while
    // a move to another file system copies it: the new version stays, the copy is kept too.
    void sourceSavedDuringAMoveIsKept() {
        QTemporaryDir shm(QStringLiteral("/dev/shm/zorvane-test-XXXXXX"));
        if (!shm.isValid() || deviceOf(shm.path()) == deviceOf(target))
            QSKIP("needs /dev/shm on a file system of its own");
        const QString from = shm.filePath(QStringLiteral("edited.txt"));
        const QByteArray content = bigContent(1024 * 1024);
        writeFile(from, content);
        bool saved = false;
        service.setProgressHook([&](qint64, qint64) {
            if (!saved) {
                saved = true;
                const QString next = shm.filePath(QStringLiteral("edited.txt.new"));
                writeFile(next, "new version");
                QFile::remove(from);
                QFile::rename(next, from);
            }
            return false;
        });

        QCOMPARE(service.perform(request(FO_MOVE, from, target, &owner)), int(Result::Failed));
        QVERIFY(saved);
        QCOMPARE(readFile(from), QByteArray("new version"));
        // Whichever version the copy caught (the save may come before its first byte).
        const QByteArray copied = readFile(targetFile(QStringLiteral("edited.txt")));
        QVERIFY(copied == content || copied == "new version");
        QCOMPARE(fakes->messageBox.shown.size(), 1);
        QVERIFY(fakes->messageBox.shown.first().text.contains(QStringLiteral("削除できません")));
    }

    void folderInTheWayIsNotReplaced() {
        writeFile(sourceFile(), "x");
        QVERIFY(QDir().mkpath(targetFile()));
        writeFile(targetFile() + QStringLiteral("/inside.txt"), "keep");
        QCOMPARE(service.perform(request(FO_MOVE, sourceFile(), target, &owner)),
                 int(Result::Refused));
        QCOMPARE(readFile(targetFile() + QStringLiteral("/inside.txt")), QByteArray("keep"));
        QVERIFY(QFile::exists(sourceFile()));
    }

    // A cancelled copy leaves nothing behind, and a file it was to replace stays as it was.
    void cancelledCopyLeavesNoPartialFile_data() {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<bool>("atTheEnd"); // cancel only once every byte is copied
        QTest::newRow("new file") << false << false;
        QTest::newRow("over an existing file") << true << false;
        QTest::newRow("after the last byte") << false << true;
        QTest::newRow("after the last byte, over an existing file") << true << true;
    }
    void cancelledCopyLeavesNoPartialFile() {
        QFETCH(bool, existing);
        QFETCH(bool, atTheEnd);
        const QByteArray content = bigContent(8 * 1024 * 1024);
        writeFile(sourceFile(), content);
        if (existing) {
            writeFile(targetFile(), "old content");
            fakes->messageBox.answers.enqueue(MessageAnswer::Yes);
        }
        int cancels = 0;
        service.setProgressHook([&](qint64 copied, qint64 total) {
            const bool cancel = !atTheEnd || (total > 0 && copied == total);
            cancels += cancel ? 1 : 0;
            return cancel;
        });

        QCOMPARE(service.perform(request(FO_COPY, sourceFile(), target, &owner)),
                 int(Result::Declined));
        QCOMPARE(cancels, 1);
        QCOMPARE(entriesOf(target),
                 existing ? QStringList{QStringLiteral("メモ 1.txt")} : QStringList{});
        if (existing)
            QCOMPARE(readFile(targetFile()), QByteArray("old content"));
        QCOMPARE(readFile(sourceFile()), content);
    }

    // A copy that fails half-way (the file-size limit stands in for a full disk) leaves no
    // partial file, keeps the file it was to replace, and says which file was not copied.
    void failedCopyLeavesNoPartialFile_data() { cancelledCopyLeavesNoPartialFile_data(); }
    void failedCopyLeavesNoPartialFile() {
        QFETCH(bool, existing);
        const QByteArray content = bigContent(4 * 1024 * 1024);
        writeFile(sourceFile(), content);
        if (existing) {
            writeFile(targetFile(), "old content");
            fakes->messageBox.answers.enqueue(MessageAnswer::Yes);
        }
        struct rlimit before {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &before), 0);
        struct rlimit limited = before;
        limited.rlim_cur = 1024 * 1024;
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
        const int result = service.perform(request(FO_COPY, sourceFile(), target, &owner));
        ::setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, previousHandler);

        QCOMPARE(result, int(Result::Failed));
        QCOMPARE(entriesOf(target),
                 existing ? QStringList{QStringLiteral("メモ 1.txt")} : QStringList{});
        if (existing)
            QCOMPARE(readFile(targetFile()), QByteArray("old content"));
        QCOMPARE(readFile(sourceFile()), content);
        const MessageRequest& message = fakes->messageBox.shown.last();
        QCOMPARE(message.icon, MessageIcon::Critical);
        QVERIFY2(
            message.text.startsWith(QStringLiteral("「メモ 1.txt」をコピーできませんでした。")),
            qPrintable(message.text));
    }

    void moveAcrossFileSystems_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("done") << false;
        QTest::newRow("cancelled") << true;
    }
    void moveAcrossFileSystems() {
        QFETCH(bool, cancel);
        QTemporaryDir shm(QStringLiteral("/dev/shm/zorvane-test-XXXXXX"));
        if (!shm.isValid() || deviceOf(shm.path()) == deviceOf(target))
            QSKIP("needs /dev/shm on a file system of its own");
        const QString from = shm.filePath(QStringLiteral("横断 $x.txt"));
        const QByteArray content = bigContent(2 * 1024 * 1024);
        writeFile(from, content);
        service.setProgressHook([cancel](qint64, qint64) { return cancel; });

        const int result = service.perform(request(FO_MOVE, from, target, &owner));
        const QString landed = targetFile(QStringLiteral("横断 $x.txt"));
        if (cancel) {
            QCOMPARE(result, int(Result::Declined));
            QCOMPARE(readFile(from), content);
            QCOMPARE(entriesOf(target), QStringList{});
        } else {
            QCOMPARE(result, int(Result::Done));
            QVERIFY(!QFile::exists(from));
            QCOMPARE(readFile(landed), content);
            QCOMPARE(QFileInfo(landed).lastModified().toUTC(), oldTime);
            QCOMPARE(QFileInfo(landed).permissions(), ownerReadWrite);
            QCOMPARE(entriesOf(target).size(), 1);
        }
    }

    // A copy killed half-way (the file-size limit kills it with SIGXFSZ) leaves nothing in the
    // destination: the copy has no name until it is complete.
    void killedCopyLeavesNothingBehind() {
        writeFile(sourceFile(), bigContent(4 * 1024 * 1024));
        const int status = runChild({QStringLiteral("copy"), sourceFile(), target});
        QVERIFY2(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ, "the copy was not killed");
        QCOMPARE(entriesOf(target), QStringList{});
    }

    // Only the data of a sparse file is copied: its holes stay holes, on the same file system
    // and on a small one that could not hold the file's full size.
    void sparseFilesKeepTheirHoles_data() {
        QTest::addColumn<bool>("smallFileSystem");
        QTest::addColumn<bool>("endsInAHole");
        QTest::newRow("same file system") << false << false;
        QTest::newRow("8 MiB tmpfs") << true << false;
        QTest::newRow("ending in a hole") << false << true;
    }
    void sparseFilesKeepTheirHoles() {
        QFETCH(bool, smallFileSystem);
        QFETCH(bool, endsInAHole);
        std::unique_ptr<ScopedMount> mount;
        QString folder = target;
        if (smallFileSystem) {
            folder = work->filePath(QStringLiteral("small"));
            mount = std::make_unique<ScopedMount>(QStringLiteral("tmpfs"), QStringLiteral("tmpfs"),
                                                  folder, QByteArrayLiteral("size=8m"));
            if (!mount->isMounted())
                QSKIP("cannot mount a tmpfs here (needs root)");
        }
        constexpr qint64 Size = 64 * 1024 * 1024;
        {
            QFile file(sourceFile());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("head");
            QVERIFY(file.seek(Size / 2));
            file.write("middle");
            if (endsInAHole) {
                QVERIFY(file.resize(Size));
            } else {
                QVERIFY(file.seek(Size - 4));
                file.write("tail");
            }
        }
        QCOMPARE(service.perform(request(FO_COPY, sourceFile(), folder, &owner)),
                 int(Result::Done));
        const QString copy = folder + QStringLiteral("/メモ 1.txt");
        struct stat info {};
        QVERIFY(::stat(QFile::encodeName(copy).constData(), &info) == 0);
        QCOMPARE(qint64(info.st_size), Size);
        QVERIFY2(info.st_blocks * 512 <= 1024 * 1024, qPrintable(QString::number(info.st_blocks)));
        QFile file(copy);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(4), QByteArray("head"));
        QVERIFY(file.seek(Size / 2 - 2));
        QCOMPARE(file.read(8), QByteArray("\0\0middle", 8));
        QVERIFY(file.seek(Size - 4));
        QCOMPARE(file.read(4), endsInAHole ? QByteArray(4, '\0') : QByteArray("tail"));
    }

    // Files of /proc report the size 0 and files of /sys 4096 whatever they hold: the copy holds
    // exactly what a read of the file gives.
    void pseudoFilesCopyWhatTheyHold_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("/proc, size 0") << QStringLiteral("/proc/version");
        QTest::newRow("/proc/sys, size 0") << QStringLiteral("/proc/sys/kernel/ostype");
        QTest::newRow("/sys, size 4096") << QStringLiteral("/sys/devices/system/cpu/possible");
    }
    void pseudoFilesCopyWhatTheyHold() {
        QFETCH(QString, path);
        const QByteArray expected = readFile(path);
        if (expected.isEmpty() || expected == "<missing>")
            QSKIP("not readable on this system");
        QCOMPARE(service.perform(request(FO_COPY, path, target, &owner)), int(Result::Done));
        QCOMPARE(readFile(targetFile(QFileInfo(path).fileName())), expected);
        QVERIFY(fakes->messageBox.shown.isEmpty());
    }

    // A log another process appends to while it is copied: the copy holds what was read up to
    // the end of the file, every byte of it, and says that the file changed meanwhile.
    void fileGrowingDuringTheCopyIsCopiedAsRead() {
        QByteArray content;
        for (int line = 0; content.size() < 1024 * 1024; ++line)
            content += "log line " + QByteArray::number(line) + '\n';
        writeFile(sourceFile(), content);
        bool appended = false;
        ShellCancellation cancellation;
        QString temporary;
        // The report comes after each piece copied, before the end of the file is seen.
        const ShellWorkResult result = ShellFileWork::copyToTemporary(
            sourceFile(), target, true, false, cancellation,
            [&](qint64, qint64) {
                if (appended)
                    return;
                appended = true;
                const pid_t writer = testing::startChild(
                    {QStringLiteral("append"), sourceFile(), QStringLiteral("2000")});
                QVERIFY(writer > 0);
                const int status = testing::waitForChild(writer);
                QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            },
            temporary);
        QVERIFY(appended);
        QVERIFY(result.ok);
        const QByteArray grown = readFile(sourceFile());
        QVERIFY(grown.size() > content.size());
        QCOMPARE(readFile(temporary), grown);
        QVERIFY(result.sourceChanged);
        ShellFileWork::removeQuietly(temporary);
    }

    // The same through the service while a second process keeps appending: never a byte the
    // file did not have (the length the file system reported after the last read used to pad
    // the copy with NULs), and the user is told when the copy caught the file changing.
    void fileWrittenDuringTheCopyIsKeptAndReported() {
        QByteArray content;
        for (int line = 0; content.size() < 8 * 1024 * 1024; ++line)
            content += "log line " + QByteArray::number(line) + '\n';
        int told = 0;
        // A run may fall between two of the writer's lines; a few runs catch it writing.
        for (int run = 0; run < 5 && told == 0; ++run) {
            writeFile(sourceFile(), content);
            QFile::remove(targetFile());
            fakes->messageBox.shown.clear();
            const pid_t writer =
                testing::startChild({QStringLiteral("append-until-killed"), sourceFile()});
            QVERIFY(writer > 0);
            QDeadlineTimer started(10000);
            while (QFileInfo(sourceFile()).size() == content.size() && !started.hasExpired())
                QTest::qWait(1);
            const int result = service.perform(request(FO_COPY, sourceFile(), target, &owner));
            ::kill(writer, SIGTERM);
            testing::waitForChild(writer);

            QCOMPARE(result, int(Result::Done));
            const QByteArray copy = readFile(targetFile());
            const QByteArray written = readFile(sourceFile());
            QVERIFY(copy.size() > content.size());
            QVERIFY2(written.startsWith(copy), "the copy holds bytes the file never had");
            QCOMPARE(entriesOf(target), QStringList{QStringLiteral("メモ 1.txt")});
            if (!fakes->messageBox.shown.isEmpty()) {
                const MessageRequest& message = fakes->messageBox.shown.first();
                QCOMPARE(message.icon, MessageIcon::Exclamation);
                QVERIFY2(
                    message.text.startsWith(QStringLiteral("「メモ 1.txt」はコピーされました")),
                    qPrintable(message.text));
                QVERIFY(message.text.contains(QStringLiteral("元のファイルが変更されました")));
                ++told;
            }
        }
        QVERIFY(told > 0);
    }

    // Extended attributes and ACLs go with the copy; where the destination cannot hold the ACL,
    // the copy keeps only its owner's rights and the user is told.
    void extendedAttributesAndAclsAreKept_data() {
        QTest::addColumn<QString>("fileSystem"); // mounted for the test, or empty
        QTest::newRow("same file system") << QString();
        QTest::newRow("tmpfs") << QStringLiteral("tmpfs");
        QTest::newRow("ramfs without ACLs") << QStringLiteral("ramfs");
    }
    void extendedAttributesAndAclsAreKept() {
        QFETCH(QString, fileSystem);
        writeFile(sourceFile(), "secret");
        const QByteArray name = QFile::encodeName(sourceFile());
        QVERIFY(::chmod(name.constData(), 0640) == 0);
        // The denied user is a member of the file's group, which may read it.
        const bool asOtherUser = ::geteuid() == 0;
        if (asOtherUser) {
            QVERIFY(::chown(name.constData(), 0, DeniedGroup) == 0);
            QVERIFY(::chmod(QFile::encodeName(work->path()).constData(), 0755) == 0);
        }
        const QByteArray acl = denyingAcl();
        if (::setxattr(name.constData(), "system.posix_acl_access", acl.constData(), acl.size(),
                       0) != 0 ||
            ::setxattr(name.constData(), "user.zorvane.test", "tag", 3, 0) != 0)
            QSKIP("the temporary folder holds no ACLs or user attributes");
        std::unique_ptr<ScopedMount> mount;
        QString folder = target;
        if (!fileSystem.isEmpty()) {
            folder = work->filePath(fileSystem);
            mount = std::make_unique<ScopedMount>(fileSystem, fileSystem, folder, QByteArray());
            if (!mount->isMounted())
                QSKIP("cannot mount a file system here (needs root)");
        }
        QCOMPARE(service.perform(request(FO_COPY, sourceFile(), folder, &owner)),
                 int(Result::Done));
        const QString copy = folder + QStringLiteral("/メモ 1.txt");
        QCOMPARE(readFile(copy), QByteArray("secret"));
        struct stat info {};
        QVERIFY(::stat(QFile::encodeName(copy).constData(), &info) == 0);
        if (fileSystem == u"ramfs") {
            QCOMPARE(info.st_mode & 07777, 0600u);
            QCOMPARE(fakes->messageBox.shown.size(), 1);
            QCOMPARE(fakes->messageBox.shown.first().icon, MessageIcon::Information);
        } else {
            QCOMPARE(info.st_mode & 07777, 0640u);
            QCOMPARE(attributeOf(copy, "system.posix_acl_access"), acl);
            QCOMPARE(attributeOf(copy, "user.zorvane.test"), QByteArray("tag"));
            QVERIFY(fakes->messageBox.shown.isEmpty());
        }
        // The user the ACL denies can read neither the file nor its copy.
        if (asOtherUser) {
            for (const QString& file : {sourceFile(), copy}) {
                const int status = runChild({QStringLiteral("read-as"), file});
                QVERIFY(WIFEXITED(status));
                QCOMPARE(WEXITSTATUS(status), EACCES);
            }
        }
    }

    // An overlay of the source folder shows its files with the same inode on another device:
    // copying from there onto the file itself is refused before anything is asked or written.
    void copyOntoItselfThroughASecondView() {
        writeFile(sourceFile(), "only copy");
        const QString upper = work->filePath(QStringLiteral("upper"));
        const QString workdir = work->filePath(QStringLiteral("overlay-work"));
        const QString view = work->filePath(QStringLiteral("view"));
        QVERIFY(QDir().mkpath(upper) && QDir().mkpath(workdir));
        const ScopedMount mount(
            QStringLiteral("overlay"), QStringLiteral("overlay"), view,
            QFile::encodeName(
                QStringLiteral("lowerdir=%1,upperdir=%2,workdir=%3").arg(source, upper, workdir)));
        if (!mount.isMounted())
            QSKIP("cannot mount an overlay here (needs root)");
        if (deviceOf(view) == deviceOf(source))
            QSKIP("the overlay shares the device of its folder");
        QCOMPARE(
            service.perform(request(FO_MOVE, view + QStringLiteral("/メモ 1.txt"), source, &owner)),
            int(Result::Refused));
        QCOMPARE(readFile(sourceFile()), QByteArray("only copy"));
        QCOMPARE(fakes->messageBox.shown.size(), 1);
        QCOMPARE(fakes->messageBox.shown.first().buttons, MessageButtons::Ok);
    }

    // While a copy runs, its progress window belongs to the owner and blocks it.
    void progressWindowIsOwnedByTheOwner() {
        writeFile(sourceFile(), bigContent(1024 * 1024));
        QProgressDialog* window = nullptr;
        Qt::WindowModality modality = Qt::NonModal;
        service.setProgressHook([&](qint64, qint64) {
            if (!window) {
                window = owner.findChild<QProgressDialog*>();
                if (window)
                    modality = window->windowModality();
            }
            return false;
        });
        QCOMPARE(service.perform(request(FO_COPY, sourceFile(), target, &owner)),
                 int(Result::Done));
        QVERIFY(window != nullptr);
        QCOMPARE(modality, Qt::WindowModal);
        QVERIFY(owner.findChild<QProgressDialog*>() == nullptr); // gone with the work
    }

    // Work that lasts brings up the progress window; its own cancel button stops the copy.
    void cancelButtonOfTheProgressWindow() {
        writeFile(sourceFile(), bigContent(4 * 1024 * 1024));
        bool appeared = false;
        bool waiting = false; // the wait below serves events: later reports come in meanwhile
        QString title, cancelText;
        service.setProgressHook([&](qint64, qint64) {
            auto* window = owner.findChild<QProgressDialog*>();
            if (!window || appeared || waiting)
                return false;
            waiting = true;
            // Keep the window thread busy with events until the window shows up.
            QDeadlineTimer deadline(30000);
            while (!window->isVisible() && !deadline.hasExpired())
                QTest::qWait(20);
            appeared = window->isVisible();
            title = window->windowTitle();
            if (auto* cancel = window->findChild<QPushButton*>()) {
                cancelText = cancel->text();
                cancel->click();
            }
            return false;
        });
        QCOMPARE(service.perform(request(FO_COPY, sourceFile(), target, &owner)),
                 int(Result::Declined));
        QVERIFY(appeared);
        QCOMPARE(title, QStringLiteral("ファイルのコピー"));
        QCOMPARE(cancelText, QStringLiteral("キャンセル"));
        QCOMPARE(entriesOf(target), QStringList{});
        QVERIFY(owner.findChild<QProgressDialog*>() == nullptr);
    }

    // キャンセル while the source's read hangs (a stalled share) returns at once, long before
    // the read would; the source stays, and nothing of the copy is left once the read returns.
    void cancelWhileTheReadHangs_data() { copyAndMoveKeepContentTimeAndPermissions_data(); }
    void cancelWhileTheReadHangs() {
        QFETCH(bool, move);
        testing::SlowFileSystem share;
        if (!share.mount())
            QSKIP(qPrintable(share.whyNot()));
        writeFile(share.source() + QStringLiteral("/slow.txt"), bigContent(1024 * 1024));
        const QString stalled = share.mountPoint() + QStringLiteral("/slow.txt");
        QTimer cancelWhenShown; // by then the copy waits in its read
        QObject::connect(&cancelWhenShown, &QTimer::timeout, [&] {
            auto* window = owner.findChild<QProgressDialog*>();
            if (window && window->isVisible())
                window->findChild<QPushButton*>()->click();
        });
        cancelWhenShown.start(50);
        bool released = false; // the stall ends after 20 s in any case
        QTimer release;
        release.setSingleShot(true);
        QObject::connect(&release, &QTimer::timeout, [&] {
            released = true;
            share.release();
        });
        release.start(20000);

        QCOMPARE(service.perform(request(move ? FO_MOVE : FO_COPY, stalled, target, &owner)),
                 int(Result::Declined));
        QVERIFY2(!released, "the cancel waited for the read");
        share.release();
        QTRY_COMPARE(entriesOf(target), QStringList{});
        QVERIFY(QFile::exists(stalled));
    }

    // ---- rename -------------------------------------------------------------------------

    void renameWithinTheFolder() {
        writeFile(sourceFile(), "abc");
        const QString renamed = sourceFile(QStringLiteral("新しい \"名前\".txt"));
        QCOMPARE(service.perform(request(FO_RENAME, sourceFile(), renamed, &owner)),
                 int(Result::Done));
        QCOMPARE(readFile(renamed), QByteArray("abc"));
        QVERIFY(!QFile::exists(sourceFile()));
        QVERIFY(fakes->messageBox.shown.isEmpty());
    }

    void renameRefusals_data() {
        QTest::addColumn<QString>("newName"); // appended to the source folder and "/"
        QTest::newRow("name in use") << QStringLiteral("taken.txt");
        QTest::newRow("empty name") << QString();
        QTest::newRow("folder itself") << QStringLiteral(".");
        QTest::newRow("parent folder") << QStringLiteral("..");
        QTest::newRow("slash in name") << QStringLiteral("sub/x.txt");
        QTest::newRow("nul in name") << QStringLiteral("a") + QChar(0) + QStringLiteral("b");
    }
    void renameRefusals() {
        QFETCH(QString, newName);
        writeFile(sourceFile(), "mine");
        writeFile(sourceFile(QStringLiteral("taken.txt")), "theirs");
        QVERIFY(QDir().mkpath(sourceFile(QStringLiteral("sub"))));

        QCOMPARE(service.perform(
                     request(FO_RENAME, sourceFile(), source + QLatin1Char('/') + newName, &owner)),
                 int(Result::Refused));
        QCOMPARE(readFile(sourceFile()), QByteArray("mine"));
        QCOMPARE(readFile(sourceFile(QStringLiteral("taken.txt"))), QByteArray("theirs"));
        QCOMPARE(entriesOf(source).size(), 3);
        QVERIFY(entriesOf(sourceFile(QStringLiteral("sub"))).isEmpty());
        QCOMPARE(fakes->messageBox.shown.size(), 1);
        QCOMPARE(fakes->messageBox.shown.first().title, QStringLiteral("名前の変更"));
    }

    // A second hard link of the file is another name in use: renaming onto it would report
    // success and change nothing.
    void renameOntoAnotherLinkOfTheFileIsRefused() {
        writeFile(sourceFile(), "linked");
        const QString other = sourceFile(QStringLiteral("other name.txt"));
        QVERIFY(::link(QFile::encodeName(sourceFile()).constData(),
                       QFile::encodeName(other).constData()) == 0);
        QCOMPARE(service.perform(request(FO_RENAME, sourceFile(), other, &owner)),
                 int(Result::Refused));
        QCOMPARE(entriesOf(source).size(), 2);
        QCOMPARE(fakes->messageBox.shown.size(), 1);
    }

    // A folder (named with or without a trailing "/") is never renamed or deleted: the
    // message names it, and nothing is asked.
    void foldersAreRefused_data() {
        QTest::addColumn<quint32>("function");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("delete dir/") << quint32(FO_DELETE) << QStringLiteral("/");
        QTest::newRow("delete dir") << quint32(FO_DELETE) << QString();
        QTest::newRow("rename dir/") << quint32(FO_RENAME) << QStringLiteral("/");
        QTest::newRow("rename dir") << quint32(FO_RENAME) << QString();
        QTest::newRow("delete link/") << quint32(FO_DELETE) << QStringLiteral("-link/");
    }
    void foldersAreRefused() {
        QFETCH(quint32, function);
        QFETCH(QString, suffix);
        const QString folder = sourceFile(QStringLiteral("フォルダー"));
        QVERIFY(QDir().mkpath(folder));
        writeFile(folder + QStringLiteral("/inside.txt"), "keep");
        QVERIFY(QFile::link(folder, folder + QStringLiteral("-link")));
        const QString path = folder + suffix;
        const QString to =
            function == FO_RENAME ? sourceFile(QStringLiteral("renamed")) : QString();

        QCOMPARE(service.perform(request(function, path, to, &owner)), int(Result::Refused));
        QCOMPARE(readFile(folder + QStringLiteral("/inside.txt")), QByteArray("keep"));
        QVERIFY(!QFile::exists(sourceFile(QStringLiteral("renamed"))));
        QCOMPARE(fakes->messageBox.shown.size(), 1);
        const MessageRequest& message = fakes->messageBox.shown.first();
        QCOMPARE(message.buttons, MessageButtons::Ok);
        QVERIFY2(message.text.contains(QStringLiteral("「フォルダー")), qPrintable(message.text));
    }

    void renameTargetChecks() {
        const QString from = QStringLiteral("/a/b.txt");
        QCOMPARE(renameTargetProblem(from, QStringLiteral("/a/c.txt")), RenameTargetProblem::None);
        QCOMPARE(renameTargetProblem(from, QStringLiteral("/a/B.TXT")), RenameTargetProblem::None);
        QCOMPARE(renameTargetProblem(from, QStringLiteral("/a/")), RenameTargetProblem::EmptyName);
        QCOMPARE(renameTargetProblem(from, QStringLiteral("/a/..")),
                 RenameTargetProblem::NamesFolder);
        QCOMPARE(renameTargetProblem(from, QStringLiteral("/a/x/")),
                 RenameTargetProblem::OtherFolder);
        QCOMPARE(renameTargetProblem(from, QStringLiteral("/z/b.txt")),
                 RenameTargetProblem::OtherFolder);
        QCOMPARE(renameTargetProblem(QStringLiteral("/b.txt"), QStringLiteral("/")),
                 RenameTargetProblem::EmptyName);
        QCOMPARE(shellDestinationInFolder(from, QStringLiteral("/d//")),
                 QStringLiteral("/d/b.txt"));
        QCOMPARE(shellDestinationInFolder(from, QStringLiteral("/")), QStringLiteral("/b.txt"));
    }

    // ---- delete -------------------------------------------------------------------------

    void deleteGoesToTheTrash() {
        writeFile(sourceFile(), "to the trash");
        QCOMPARE(service.perform(request(FO_DELETE, sourceFile(), QString(), &owner)),
                 int(Result::Done));
        QVERIFY(!QFile::exists(sourceFile()));
        QCOMPARE(fakes->messageBox.shown.size(), 1);
        QCOMPARE(fakes->messageBox.shown.first().buttons, MessageButtons::YesNo);
        bool found = false;
        for (const QString& name : entriesOf(trashFiles()))
            found = found || readFile(trashFiles() + QLatin1Char('/') + name) == "to the trash";
        QVERIFY(found);
    }

    void deleteAnsweredNoKeepsTheFile() {
        writeFile(sourceFile(), "stay");
        fakes->messageBox.answers.enqueue(MessageAnswer::No);
        QCOMPARE(service.perform(request(FO_DELETE, sourceFile(), QString(), &owner)),
                 int(Result::Declined));
        QCOMPARE(readFile(sourceFile()), QByteArray("stay"));
    }

    void deleteMissingFileIsReported() {
        QCOMPARE(service.perform(request(FO_DELETE, sourceFile(), QString(), &owner)),
                 int(Result::Failed));
        QCOMPARE(fakes->messageBox.shown.size(), 1);
        QCOMPARE(fakes->messageBox.shown.first().icon, MessageIcon::Critical);
    }

    // Where there is no trash, the file is removed for good only after a second Yes.
    void deleteWithoutTrashAsksAgain_data() {
        QTest::addColumn<bool>("second");
        QTest::newRow("no") << false;
        QTest::newRow("yes") << true;
    }
    void deleteWithoutTrashAsksAgain() {
        QFETCH(bool, second);
        QTemporaryDir shm(QStringLiteral("/dev/shm/zorvane-test-XXXXXX"));
        if (!shm.isValid())
            QSKIP("needs /dev/shm");
        const QString file = shm.filePath(QStringLiteral("no trash.txt"));
        writeFile(file, "data");
        fakes->messageBox.answers.enqueue(MessageAnswer::Yes);
        fakes->messageBox.answers.enqueue(second ? MessageAnswer::Yes : MessageAnswer::No);

        const int result = service.perform(request(FO_DELETE, file, QString(), &owner));
        if (fakes->messageBox.shown.size() == 1 && result == int(Result::Done))
            QSKIP("this system keeps a trash on /dev/shm");
        QCOMPARE(fakes->messageBox.shown.size(), 2);
        QCOMPARE(result, second ? int(Result::Done) : int(Result::Declined));
        QCOMPARE(QFile::exists(file), !second);
    }

    // Without the undo wish, one question and then removal.
    void deleteWithoutUndoWishRemoves() {
        writeFile(sourceFile(), "gone");
        ShellRequest r = request(FO_DELETE, sourceFile(), QString(), &owner);
        r.flags = 0;
        QCOMPARE(service.perform(r), int(Result::Done));
        QVERIFY(!QFile::exists(sourceFile()));
        QCOMPARE(fakes->messageBox.shown.size(), 1);
    }
};

// GLib reads the user's folders once: point them at a temporary home before anything starts,
// so that the trash of the tests is their own.
int main(int argc, char** argv) {
    if (argc == 5 && qstrcmp(argv[1], "--child") == 0 && qstrcmp(argv[2], "copy") == 0) {
        const struct rlimit noCore { 0, 0 };
        ::setrlimit(RLIMIT_CORE, &noCore);
        const struct rlimit limit { 1024 * 1024, 1024 * 1024 };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ShellCancellation cancellation;
        QString temporary;
        ShellFileWork::copyToTemporary(QFile::decodeName(argv[3]), QFile::decodeName(argv[4]), true,
                                       false, cancellation, {}, temporary);
        return 0;
    }
    if (argc >= 4 && qstrcmp(argv[1], "--child") == 0 &&
        (qstrcmp(argv[2], "append") == 0 || qstrcmp(argv[2], "append-until-killed") == 0)) {
        // A writer of a log: appends lines, a given number or (slowly) until it is killed.
        const bool counted = qstrcmp(argv[2], "append") == 0;
        const int lines = counted && argc == 5 ? atoi(argv[4]) : 200000;
        const int fd = ::open(argv[3], O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd < 0)
            return 1;
        for (int line = 0; line < lines; ++line) {
            const QByteArray text = "appended " + QByteArray::number(line) + '\n';
            if (::write(fd, text.constData(), text.size()) != text.size())
                return 2;
            if (!counted)
                ::usleep(100);
        }
        ::close(fd);
        return 0;
    }
    if (argc == 4 && qstrcmp(argv[1], "--child") == 0 && qstrcmp(argv[2], "read-as") == 0) {
        // Exits with the errno of opening the file for reading as the denied user, 0 if it opens.
        if (::setgroups(1, &DeniedGroup) != 0 || ::setgid(DeniedGroup) != 0 ||
            ::setuid(DeniedUser) != 0)
            return 100;
        const int fd = ::open(argv[3], O_RDONLY);
        return fd >= 0 ? 0 : errno;
    }
    const zorvane::testing::TemporaryHome home;
    if (!home.isValid())
        return 1;
    QApplication app(argc, argv);
    TestShellFileOperation test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shell_file_operation.moc"
