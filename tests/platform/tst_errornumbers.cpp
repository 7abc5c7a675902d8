#include "platform/ErrorNumbers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

using namespace zorvane;

namespace {

// The errno a real open() of `path` fails with (0 if it opened).
int errnoOfOpening(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return 0;
    }
    return errno;
}

} // namespace

class TestErrorNumbers : public QObject {
    Q_OBJECT
private slots:
    // Real failures of the file system, mapped with the path that was given.
    void realOpenFailures() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray root = QFile::encodeName(dir.path());
        QFile plain(dir.filePath(QStringLiteral("plain.txt")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();

        const QByteArray missingFile = root + "/missing.txt";
        QCOMPARE(errorNumberFromErrno(errnoOfOpening(missingFile), missingFile.constData()),
                 int(ErrFileNotFound));

        const QByteArray missingFolder = root + "/nofolder/missing.txt";
        QCOMPARE(errorNumberFromErrno(errnoOfOpening(missingFolder), missingFolder.constData()),
                 int(ErrPathNotFound));

        const QByteArray deepMissing = root + "/a/b/c/d.txt";
        QCOMPARE(errorNumberFromErrno(errnoOfOpening(deepMissing), deepMissing.constData()),
                 int(ErrPathNotFound));

        const QByteArray fileAsFolder = root + "/plain.txt/inner.txt";
        QCOMPARE(errorNumberFromErrno(errnoOfOpening(fileAsFolder), fileAsFolder.constData()),
                 int(ErrPathNotFound));

        const QByteArray tooLong = root + '/' + QByteArray(300, 'x');
        QCOMPARE(errorNumberFromErrno(errnoOfOpening(tooLong), tooLong.constData()),
                 int(ErrBadFileName));

        // A dangling link names a file that is not there: its folder exists.
        const QByteArray dangling = root + "/dangling";
        QVERIFY(::symlink("nowhere", dangling.constData()) == 0);
        QCOMPARE(errorNumberFromErrno(errnoOfOpening(dangling), dangling.constData()),
                 int(ErrFileNotFound));
    }

    // "No such file" needs the path to tell a missing file from a missing folder.
    void noSuchEntryLooksAtTheFolder() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray root = QFile::encodeName(dir.path());
        QCOMPARE(errorNumberFromErrno(ENOENT, nullptr), int(ErrFileNotFound));
        QCOMPARE(errorNumberFromErrno(ENOENT, ""), int(ErrBadFileNameOrNumber));
        QCOMPARE(errorNumberFromErrno(ENOENT, (root + "/gone/").constData()), int(ErrFileNotFound));
        QCOMPARE(errorNumberFromErrno(ENOENT, (root + "/gone/x/").constData()),
                 int(ErrPathNotFound));
        QCOMPARE(errorNumberFromErrno(ENOENT, "/no-such-name-at-root"), int(ErrFileNotFound));

        // A relative name without a folder lives in the working folder.
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        QCOMPARE(errorNumberFromErrno(ENOENT, "missing.txt"), int(ErrFileNotFound));
        QCOMPARE(errorNumberFromErrno(ENOENT, "nofolder/missing.txt"), int(ErrPathNotFound));
        QVERIFY(QDir::setCurrent(previous));
    }

    void otherFailures_data() {
        QTest::addColumn<int>("errnoValue");
        QTest::addColumn<int>("expected");
        QTest::newRow("none") << 0 << int(ErrNone);
        QTest::newRow("ENOTDIR") << ENOTDIR << int(ErrPathNotFound);
        QTest::newRow("ELOOP") << ELOOP << int(ErrPathNotFound);
        QTest::newRow("ENAMETOOLONG") << ENAMETOOLONG << int(ErrBadFileName);
        QTest::newRow("EINVAL") << EINVAL << int(ErrBadFileNameOrNumber);
        QTest::newRow("EILSEQ") << EILSEQ << int(ErrBadFileNameOrNumber);
        QTest::newRow("EBUSY") << EBUSY << int(ErrFileAlreadyOpen);
        QTest::newRow("ETXTBSY") << ETXTBSY << int(ErrFileAlreadyOpen);
        QTest::newRow("EIO") << EIO << int(ErrDeviceIO);
        QTest::newRow("EEXIST") << EEXIST << int(ErrFileAlreadyExists);
        QTest::newRow("ENOSPC") << ENOSPC << int(ErrDiskFull);
        QTest::newRow("EDQUOT") << EDQUOT << int(ErrDiskFull);
        QTest::newRow("ENXIO") << ENXIO << int(ErrDeviceUnavailable);
        QTest::newRow("ENODEV") << ENODEV << int(ErrDeviceUnavailable);
        QTest::newRow("ESTALE") << ESTALE << int(ErrDeviceUnavailable);
        QTest::newRow("ENOMEDIUM") << ENOMEDIUM << int(ErrDiskNotReady);
        QTest::newRow("EISDIR") << EISDIR << int(ErrBadFileMode);
        QTest::newRow("EACCES") << EACCES << int(ErrPermissionDenied);
        QTest::newRow("EPERM") << EPERM << int(ErrPermissionDenied);
        QTest::newRow("EROFS") << EROFS << int(ErrPermissionDenied);
        QTest::newRow("EMFILE") << EMFILE << int(ErrTooManyFiles);
        QTest::newRow("unknown") << EPROTO << int(ErrPathFileAccess);
    }
    void otherFailures() {
        QFETCH(int, errnoValue);
        QFETCH(int, expected);
        QCOMPARE(errorNumberFromErrno(errnoValue, "/tmp/whatever"), expected);
    }
};

QTEST_GUILESS_MAIN(TestErrorNumbers)
#include "tst_errornumbers.moc"
