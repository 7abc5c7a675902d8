#include "FuzzSupport.h"

#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace zorvane::fuzz {

const QString& scratchFolder() {
    static const QString folder = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                       : QDir::tempPath();
        const QString path =
            base + QStringLiteral("/zorvane-fuzz-%1").arg(static_cast<qint64>(::getpid()));
        QDir().mkpath(path);
        std::atexit([] { QDir(scratchFolder()).removeRecursively(); });
        return path;
    }();
    return folder;
}

namespace {

QByteArray escaped(const QString& text) {
    QByteArray out;
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit >= 0x20 && unit < 0x7F)
            out.append(char(unit));
        else
            out.append(QStringLiteral("\\u%1").arg(unit, 4, 16, QLatin1Char('0')).toLatin1());
    }
    return out;
}

} // namespace

void fail(const char* rule, const QString& expected, const QString& actual) {
    std::fprintf(stderr, "RULE BROKEN: %s\n  expected: \"%s\"\n  actual:   \"%s\"\n", rule,
                 escaped(expected).constData(), escaped(actual).constData());
    std::fflush(stderr);
    std::abort();
}

QByteArray InputReader::bytes(size_t count) {
    const size_t take = count < size_ - at_ ? count : size_ - at_;
    QByteArray result(reinterpret_cast<const char*>(data_ + at_), qsizetype(take));
    at_ += take;
    return result;
}

} // namespace zorvane::fuzz
