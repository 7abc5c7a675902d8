// The first preview of a Japanese file in a fresh process against later ones: each encoding's
// 1 KiB file (warm in the page cache) previewed by a new child process, which times its first
// buildPreview and then the median of later ones.
//
// Usage: bench_firstpreview [processes]   (default 15; target: the first under 1 ms)

#include "preview/FilePreview.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace zorvane;

namespace {

double previewMicroseconds(const QString& path) {
    const auto start = std::chrono::steady_clock::now();
    const PreviewResult result = buildPreview(path);
    const auto end = std::chrono::steady_clock::now();
    if (result.errorNumber != 0 || result.text.isEmpty()) {
        std::fprintf(stderr, "preview failed: %d\n", result.errorNumber);
        std::exit(2);
    }
    return std::chrono::duration<double, std::micro>(end - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// The child: "first later" in microseconds on one line.
int runChild(const char* path) {
    const QString file = QFile::decodeName(path);
    const double first = previewMicroseconds(file);
    std::vector<double> later;
    for (int i = 0; i < 200; ++i)
        later.push_back(previewMicroseconds(file));
    std::printf("%.1f %.1f\n", first, median(later));
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 3 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argv[2]);
    QCoreApplication application(argc, argv);
    const int processes = argc >= 2 ? std::max(1, QByteArray(argv[1]).toInt()) : 15;

    QTemporaryDir folder;
    struct Case {
        const char* encoding;
        QString path;
        std::vector<double> first, later;
    };
    std::vector<Case> cases = {{"windows-31j", {}, {}, {}},
                               {"EUC-JP", {}, {}, {}},
                               {"ISO-2022-JP", {}, {}, {}},
                               {"UTF-8", {}, {}, {}}};
    for (Case& c : cases) {
        // Whole lines of Japanese text, about 1 KiB in the encoding.
        QString text;
        QByteArray bytes;
        for (int line = 1; bytes.size() < 1024; ++line) {
            text += QStringLiteral("%1行目：漢字とひらがな、カタカナの文です。\r\n").arg(line);
            QStringEncoder encoder(c.encoding);
            bytes = encoder.encode(text);
        }
        c.path = folder.filePath(QString::fromLatin1(c.encoding) + QStringLiteral(".txt"));
        QFile file(c.path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(c.path));
            return 1;
        }
    }
    const QString self = QCoreApplication::applicationFilePath();
    for (int round = -1; round < processes; ++round) { // round -1 warms the caches
        for (Case& c : cases) {
            QProcess child;
            child.start(self, {QStringLiteral("--child"), c.path});
            if (!child.waitForFinished(30000) || child.exitCode() != 0) {
                std::fprintf(stderr, "the child failed\n");
                return 1;
            }
            const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
            if (round >= 0 && figures.size() == 2) {
                c.first.push_back(figures[0].toDouble());
                c.later.push_back(figures[1].toDouble());
            }
        }
    }
    std::printf("First preview of a 1 KiB file in a fresh process, median of %d processes:\n\n",
                processes);
    std::printf("| encoding | first preview | later previews |\n|---|---:|---:|\n");
    for (const Case& c : cases)
        std::printf("| %s | %.0f µs | %.0f µs |\n", c.encoding, median(c.first), median(c.later));
    return 0;
}
