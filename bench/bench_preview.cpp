// Preview time of a small file against three files of a gigabyte: the preview reads only the
// head of a file, so all four should cost about the same.
//
// Files: a 1 KiB file of short lines; a 1 GiB sparse file without any CR (one endless line of
// NUL bytes); a 1 GiB sparse file whose first 64 KiB are short lines (the preview never reads
// further, so the rest may stay a hole); a 1 GiB sparse file whose first 64 KiB are one line of
// ISO-2022-JP that switches sets at every character (the preview reads on past its first read
// and decodes the whole line it holds).

#include "preview/FilePreview.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace zorvane;

namespace {

constexpr qint64 gibibyte = qint64(1) << 30;
constexpr int iterations = 5000;

QByteArray shortLines(qsizetype size) {
    QByteArray bytes;
    for (int i = 0; bytes.size() < size; ++i)
        bytes += "short line number " + QByteArray::number(i) + "\r\n";
    bytes.truncate(size);
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& head, qint64 size) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(head) == head.size() && file.resize(size);
}

struct Figures {
    double median = 0;
    double p90 = 0;
};

Figures measure(const QString& path) {
    std::vector<double> micros;
    micros.reserve(iterations);
    for (int i = 0; i < iterations; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const PreviewResult result = buildPreview(path);
        const auto end = std::chrono::steady_clock::now();
        if (result.errorNumber != 0 || result.text.isEmpty()) {
            std::fprintf(stderr, "preview failed: %d\n", result.errorNumber);
            std::exit(2);
        }
        micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(micros.begin(), micros.end());
    return {micros[micros.size() / 2], micros[micros.size() * 9 / 10]};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;
    struct Case {
        const char* name;
        QString path;
        Figures figures;
    };
    std::vector<Case> cases{
        {"1 KiB of short lines", dir.filePath(QStringLiteral("small.txt")), {}},
        {"1 GiB sparse, no CR", dir.filePath(QStringLiteral("nocr.bin")), {}},
        {"1 GiB, short lines in its first 64 KiB", dir.filePath(QStringLiteral("lines.txt")), {}},
        {"1 GiB, one JIS line switching sets", dir.filePath(QStringLiteral("jis.txt")), {}}};
    if (!writeFile(cases[0].path, shortLines(1024), 1024) ||
        !writeFile(cases[1].path, {}, gibibyte) ||
        !writeFile(cases[2].path, shortLines(64 * 1024), gibibyte) ||
        !writeFile(cases[3].path, QByteArray("\x1B$BF|\x1B(Ba").repeated(64 * 1024 / 9),
                   gibibyte)) {
        std::fprintf(stderr, "cannot write the test files in %s\n", qPrintable(dir.path()));
        return 1;
    }

    for (Case& c : cases) // warm the page cache and the code
        measure(c.path);
    for (Case& c : cases)
        c.figures = measure(c.path);

    double fastest = cases.front().figures.median;
    double slowest = fastest;
    for (const Case& c : cases) {
        std::printf("%-40s median %8.1f us   p90 %8.1f us   (%d calls)\n", c.name, c.figures.median,
                    c.figures.p90, iterations);
        fastest = std::min(fastest, c.figures.median);
        slowest = std::max(slowest, c.figures.median);
    }
    const bool underOneMs = slowest < 1000.0;
    const bool withinTwice = slowest <= 2.0 * fastest;
    std::printf("slowest/fastest median: %.2f   target: all under 1 ms %s, within 2x %s\n",
                slowest / fastest, underOneMs ? "met" : "MISSED", withinTwice ? "met" : "MISSED");
    return underOneMs && withinTwice ? 0 : 1;
}
