// Copy of a large file into another folder on the same file system: the program's
// file-operation service against `cp`, alternating, in the same run. Reports the medians.
//
//   bench_copy [size in MiB, default 1024] [rounds, default 7] [work folder, default temp]
//
// The work folder gets a temporary folder of its own, removed at the end.
#include "fileservice/GioShellFileOperation.h"
#include "platform/MessageBoxService.h"
#include "platform/PlatformServices.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

using namespace zorvane;

namespace {

// The benchmark copies into empty folders: any question would be a fault, so it is answered
// No (the copy then fails and the run says so) instead of waiting for a user.
class NoQuestions final : public MessageBoxService {
public:
    MessageAnswer show(QWidget*, const MessageRequest& request) override {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(request.text));
        return MessageAnswer::No;
    }
};

bool writeSource(const QString& path, qint64 bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk(8 * 1024 * 1024, '\0');
    for (qsizetype i = 0; i < chunk.size(); ++i)
        chunk[i] = static_cast<char>((i * 7919) % 253);
    for (qint64 written = 0; written < bytes; written += chunk.size()) {
        chunk[0] = static_cast<char>(written / chunk.size()); // no two chunks alike
        const qint64 part = std::min<qint64>(chunk.size(), bytes - written);
        if (file.write(chunk.constData(), part) != part)
            return false;
    }
    file.flush();
    ::fsync(file.handle());
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qint64 mib = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1024;
    const int rounds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 7;
    const QString base = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QDir::tempPath();
    if (mib <= 0 || rounds <= 0) {
        std::fprintf(stderr, "usage: bench_copy [MiB] [rounds] [folder]\n");
        return 2;
    }

    QTemporaryDir work(base + QStringLiteral("/zorvane-bench-copy-XXXXXX"));
    if (!work.isValid()) {
        std::fprintf(stderr, "cannot make a work folder in %s\n", qPrintable(base));
        return 1;
    }
    const QString source = work.filePath(QStringLiteral("source.bin"));
    const QString serviceFolder = work.filePath(QStringLiteral("service"));
    const QString cpFolder = work.filePath(QStringLiteral("cp"));
    QDir().mkpath(serviceFolder);
    QDir().mkpath(cpFolder);
    const qint64 bytes = mib * 1024 * 1024;
    std::printf("writing a %lld MiB file in %s ...\n", static_cast<long long>(mib),
                qPrintable(work.path()));
    if (!writeSource(source, bytes)) {
        std::fprintf(stderr, "cannot write the source file\n");
        return 1;
    }

    NoQuestions noQuestions;
    PlatformServices::setMessageBox(&noQuestions);
    GioShellFileOperation service;
    ShellRequest request;
    request.function = FO_COPY;
    request.from = source;
    request.to = serviceFolder;
    request.flags = FOF_ALLOWUNDO;

    const QString serviceCopy = serviceFolder + QStringLiteral("/source.bin");
    const QString cpCopy = cpFolder + QStringLiteral("/source.bin");
    int failures = 0;
    // One copy each; the time it took, and whether the copy is complete.
    const auto viaService = [&] {
        ::sync(); // no copy starts with the previous one's data still waiting to be written
        QElapsedTimer timer;
        timer.start();
        const int result = service.perform(request);
        const double seconds = timer.nsecsElapsed() / 1e9;
        failures += result != 0 || QFileInfo(serviceCopy).size() != bytes;
        QFile::remove(serviceCopy);
        return seconds;
    };
    const auto viaCp = [&] {
        ::sync();
        QElapsedTimer timer;
        timer.start();
        const int result =
            QProcess::execute(QStringLiteral("cp"), {source, cpFolder + QLatin1Char('/')});
        const double seconds = timer.nsecsElapsed() / 1e9;
        failures += result != 0 || QFileInfo(cpCopy).size() != bytes;
        QFile::remove(cpCopy);
        return seconds;
    };

    // The first copy after the file was written is slow whoever makes it: one of each, untimed.
    std::printf("warm-up: service %.3f s, cp %.3f s\n", viaService(), viaCp());
    std::vector<double> serviceSeconds, cpSeconds;
    for (int round = 0; round < rounds; ++round) {
        // Who goes first alternates, so neither profits from the other's leftovers.
        if (round % 2 == 0) {
            serviceSeconds.push_back(viaService());
            cpSeconds.push_back(viaCp());
        } else {
            cpSeconds.push_back(viaCp());
            serviceSeconds.push_back(viaService());
        }
        std::printf("round %d: service %.3f s, cp %.3f s\n", round + 1, serviceSeconds.back(),
                    cpSeconds.back());
    }
    PlatformServices::setMessageBox(nullptr);

    const double serviceMedian = median(serviceSeconds);
    const double cpMedian = median(cpSeconds);
    const double mibDouble = static_cast<double>(mib);
    std::printf("median: service %.3f s (%.0f MiB/s), cp %.3f s (%.0f MiB/s)\n", serviceMedian,
                mibDouble / serviceMedian, cpMedian, mibDouble / cpMedian);
    std::printf("service throughput / cp throughput = %.2f (target >= 0.90)\n",
                cpMedian / serviceMedian);
    work.remove();
    if (failures != 0) {
        std::fprintf(stderr, "%d copies failed\n", failures);
        return 1;
    }
    return 0;
}
