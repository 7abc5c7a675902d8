// How often the preview takes Japanese text for the encoding it is in, against nkf --guess and
// uchardet, on a corpus made from the Japanese manual pages (UTF-8 roff source) written in each
// encoding the preview reads.
//
// Each page is written in code page 932, EUC-JP, ISO-2022-JP, UTF-8 with and without a
// byte-order mark and UTF-16 LE and BE (with their mark), with LF and with CR LF. A line with a
// character the encoding cannot hold is left out of that encoding's copy. Beside the pages: the
// first Japanese line of each page, its first Japanese word, at most 20 bytes of its kana, and a
// mixed file (ASCII lines with that Japanese line at the end of the preview's head, more ASCII
// after). The program decides on the head the preview reads; nkf and uchardet read the whole
// file. Usage: bench_encodings [MANUAL_FOLDER] (default /usr/share/man/ja).

#include "preview/PreviewHead.h"
#include "textfile/JapaneseTextGuess.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <cstdio>
#include <limits>
#include <optional>
#include <vector>

using namespace zorvane;

namespace {

struct Target {
    const char* label;    // as the table and the peers' answers name it
    const char* codec;    // the platform converter that writes it
    QByteArray mark;      // byte-order mark written first
    ContentEncoding ours; // the right answer of the program
};

const std::vector<Target>& targets() {
    static const std::vector<Target> list{
        {"CP932", "windows-31j", {}, ContentEncoding::Cp932},
        {"EUC-JP", "EUC-JP", {}, ContentEncoding::EucJp},
        {"ISO-2022-JP", "ISO-2022-JP", {}, ContentEncoding::Iso2022Jp},
        {"UTF-8", "UTF-8", {}, ContentEncoding::Utf8},
        {"UTF-8 BOM", "UTF-8", QByteArray("\xEF\xBB\xBF"), ContentEncoding::Utf8},
        {"UTF-16LE", "UTF-16LE", QByteArray("\xFF\xFE"), ContentEncoding::Utf16LE},
        {"UTF-16BE", "UTF-16BE", QByteArray("\xFE\xFF"), ContentEncoding::Utf16BE},
    };
    return list;
}

const QStringList& classes() {
    static const QStringList list{QStringLiteral("word"),
                                  QStringLiteral("kana 20 B"),
                                  QStringLiteral("line"),
                                  QStringLiteral("page < 200 B"),
                                  QStringLiteral("page 200 B-8 KiB"),
                                  QStringLiteral("page > 8 KiB"),
                                  QStringLiteral("mixed")};
    return list;
}

// The text in the target's encoding, or nothing when a character does not survive the trip.
std::optional<QByteArray> encode(const Target& target, const QString& text) {
    QStringEncoder encoder(target.codec);
    QStringDecoder decoder(target.codec);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    const QString back = decoder.decode(bytes);
    if (decoder.hasError() || back != text)
        return std::nullopt;
    return bytes;
}

// Bytes the text takes in the target's encoding; far too many when it does not survive.
qsizetype encodedSize(const Target& target, const QString& text) {
    const std::optional<QByteArray> bytes = encode(target, text);
    return bytes ? bytes->size() : std::numeric_limits<int>::max();
}

bool isAscii(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

bool isKana(QChar c) {
    return c.unicode() >= 0x3041 && c.unicode() <= 0x30FF;
}

QString ourLabel(ContentEncoding encoding) {
    switch (encoding) {
    case ContentEncoding::Cp932:
        return QStringLiteral("CP932");
    case ContentEncoding::EucJp:
        return QStringLiteral("EUC-JP");
    case ContentEncoding::Iso2022Jp:
        return QStringLiteral("ISO-2022-JP");
    case ContentEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case ContentEncoding::Utf16LE:
        return QStringLiteral("UTF-16LE");
    case ContentEncoding::Utf16BE:
        return QStringLiteral("UTF-16BE");
    }
    return {};
}

// A peer's answer in the table's terms. "UTF-16" without an order counts for either order: the
// byte-order mark settles it.
QString peerLabel(QString answer) {
    answer = answer.section(QStringLiteral(" ("), 0, 0).trimmed().toUpper();
    answer.replace(u' ', QString());
    if (answer == u"SHIFT_JIS" || answer == u"CP932" || answer == u"WINDOWS-31J")
        return QStringLiteral("CP932");
    if (answer == u"EUC-JP" || answer == u"CP51932" || answer == u"EUCJP-MS")
        return QStringLiteral("EUC-JP");
    return answer;
}

bool peerRight(const QString& answer, const Target& target) {
    const QString label = peerLabel(answer);
    const QString wanted = ourLabel(target.ours);
    if (label == wanted)
        return true;
    return label == u"UTF-16" && wanted.startsWith(QStringLiteral("UTF-16"));
}

struct Sample {
    QString path;
    int target = 0;
    int sizeClass = 0;
};

struct Tally {
    int files = 0;
    int ours = 0;
    int nkf = 0;
    int uchardet = 0;
};

// Runs a peer on the files in batches; its answers by path ("path: answer" lines).
QMap<QString, QString> askPeer(const QString& program, const QStringList& arguments,
                               const std::vector<Sample>& samples) {
    QMap<QString, QString> answers;
    if (QStandardPaths::findExecutable(program).isEmpty())
        return answers;
    for (std::size_t from = 0; from < samples.size(); from += 400) {
        QStringList batch = arguments;
        for (std::size_t i = from; i < std::min(samples.size(), from + 400); ++i)
            batch << samples[i].path;
        QProcess process;
        process.start(program, batch);
        process.waitForFinished(-1);
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts)) {
            const qsizetype colon = line.indexOf(QStringLiteral(": "));
            if (colon > 0)
                answers.insert(line.left(colon), line.mid(colon + 2));
        }
    }
    return answers;
}

QString gunzip(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("gzip"), {QStringLiteral("-dc"), path});
    process.waitForFinished(-1);
    QStringDecoder utf8(QStringConverter::Utf8);
    const QString text = utf8.decode(process.readAllStandardOutput());
    return utf8.hasError() ? QString() : text;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString folder =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/usr/share/man/ja");
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return 2;

    std::vector<Sample> samples;
    std::vector<std::vector<Tally>> tallies(targets().size(), std::vector<Tally>(classes().size()));
    int cp932AsEucJp = 0;
    QStringList ourMisses;
    int pages = 0, skipped = 0;

    const auto add = [&](int target, int sizeClass, const QByteArray& bytes) {
        const QString path = scratch.filePath(QStringLiteral("f%1").arg(samples.size()));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::exit(2);
        samples.push_back({path, target, sizeClass});
        Tally& tally = tallies[std::size_t(target)][std::size_t(sizeClass)];
        ++tally.files;
        const QByteArrayView head =
            QByteArrayView(bytes).first(qMin(bytes.size(), previewFirstRead));
        const ContentEncoding guessed =
            JapaneseTextGuess::guess(head, bytes.size() <= previewFirstRead);
        if (guessed == targets()[std::size_t(target)].ours)
            ++tally.ours;
        else if (ourMisses.size() < 100)
            ourMisses << QStringLiteral("%1 %2 (%3 bytes) taken for %4: %5")
                             .arg(QString::fromLatin1(targets()[std::size_t(target)].label),
                                  classes()[sizeClass])
                             .arg(bytes.size())
                             .arg(ourLabel(guessed),
                                  QString::fromLatin1(
                                      bytes.first(qMin(bytes.size(), 32)).toHex(' ')));
        if (targets()[std::size_t(target)].ours == ContentEncoding::Cp932 &&
            guessed == ContentEncoding::EucJp)
            ++cp932AsEucJp;
    };

    QDirIterator it(folder, {QStringLiteral("*.gz")}, QDir::Files, QDirIterator::Subdirectories);
    QStringList manuals;
    while (it.hasNext())
        manuals << it.next();
    manuals.sort();
    for (const QString& manual : manuals) {
        QString text = gunzip(manual);
        if (text.isEmpty() || isAscii(text)) {
            ++skipped;
            continue;
        }
        ++pages;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const QStringList lines = text.split(u'\n');
        for (int t = 0; t < int(targets().size()); ++t) {
            const Target& target = targets()[std::size_t(t)];
            QStringList kept;
            QString firstLine, word, kana;
            for (const QString& line : lines) {
                if (!encode(target, line))
                    continue;
                kept << line;
                if (firstLine.isEmpty() && !isAscii(line))
                    firstLine = line;
            }
            for (const QString& line : kept) {
                for (const QChar c : line)
                    if (isKana(c))
                        kana += c;
            }
            // The first run of two or more characters that are not ASCII.
            for (qsizetype i = 0; i < firstLine.size() && word.isEmpty(); ++i) {
                qsizetype j = i;
                while (j < firstLine.size() && firstLine.at(j).unicode() >= 0x80 &&
                       !firstLine.at(j).isSpace())
                    ++j;
                if (j - i >= 2)
                    word = firstLine.mid(i, j - i);
                i = j;
            }
            for (const QString& end : {QStringLiteral("\n"), QStringLiteral("\r\n")}) {
                const QString page = kept.join(end);
                if (isAscii(page))
                    continue;
                const QByteArray bytes = target.mark + *encode(target, page);
                add(t, bytes.size() < 200 ? 3 : bytes.size() <= 8192 ? 4 : 5, bytes);
                if (!firstLine.isEmpty()) {
                    add(t, 2, target.mark + *encode(target, firstLine + end));
                    // ASCII lines, the Japanese line ending just before the head's end, ASCII on.
                    const qsizetype japanese = encodedSize(target, firstLine + end);
                    QString filler;
                    qsizetype fillerSize = 0;
                    for (int n = 0;; ++n) {
                        const QString next =
                            QStringLiteral("ascii line %1 of the mixed file").arg(n) + end;
                        const qsizetype nextSize = encodedSize(target, next);
                        if (target.mark.size() + fillerSize + nextSize + japanese + 16 >
                            previewFirstRead)
                            break;
                        filler += next;
                        fillerSize += nextSize;
                    }
                    add(t, 6, target.mark + *encode(target, filler + firstLine + end + filler));
                }
            }
            if (!word.isEmpty())
                add(t, 0, target.mark + *encode(target, word));
            // As many kana as 20 bytes hold, mark and escapes included.
            QString fitted;
            for (const QChar c : kana) {
                if (target.mark.size() + encodedSize(target, fitted + c) > 20)
                    break;
                fitted += c;
            }
            if (!fitted.isEmpty())
                add(t, 1, target.mark + *encode(target, fitted));
        }
    }

    // ZORVANE_BENCH_NO_PEERS=1 leaves the peers out, for a quick look at the program's own misses.
    const bool peers = qEnvironmentVariableIsEmpty("ZORVANE_BENCH_NO_PEERS");
    const QMap<QString, QString> nkf =
        peers ? askPeer(QStringLiteral("nkf"), {QStringLiteral("--guess")}, samples)
              : QMap<QString, QString>();
    const QMap<QString, QString> uchardet =
        peers ? askPeer(QStringLiteral("uchardet"), {}, samples) : QMap<QString, QString>();
    for (const Sample& sample : samples) {
        const Target& target = targets()[std::size_t(sample.target)];
        Tally& tally = tallies[std::size_t(sample.target)][std::size_t(sample.sizeClass)];
        tally.nkf += peerRight(nkf.value(sample.path), target);
        tally.uchardet += peerRight(uchardet.value(sample.path), target);
    }

    std::printf("%d manual pages (%d left out: not UTF-8 or without Japanese), %zu files%s%s\n\n",
                pages, skipped, samples.size(), nkf.isEmpty() ? ", nkf missing" : "",
                uchardet.isEmpty() ? ", uchardet missing" : "");
    std::printf("| encoding | class | files | ours | nkf --guess | uchardet |\n");
    std::printf("|---|---|---:|---:|---:|---:|\n");
    bool belowPeer = false;
    for (std::size_t t = 0; t < targets().size(); ++t) {
        for (int c = 0; c < classes().size(); ++c) {
            const Tally& tally = tallies[t][std::size_t(c)];
            if (tally.files == 0)
                continue;
            belowPeer = belowPeer || tally.ours < tally.nkf || tally.ours < tally.uchardet;
            std::printf("| %s | %s | %d | %d | %d | %d |\n", targets()[t].label,
                        qPrintable(classes()[c]), tally.files, tally.ours, tally.nkf,
                        tally.uchardet);
        }
    }
    std::printf("\nCP932 files taken for EUC-JP by ours: %d\n", cp932AsEucJp);
    std::printf("ours below a peer in some class: %s\n", belowPeer ? "yes" : "no");
    if (!ourMisses.isEmpty()) {
        std::printf("\nfirst files ours got wrong (their first bytes):\n");
        for (const QString& miss : ourMisses)
            std::printf("  %s\n", qPrintable(miss));
    }
    return 0;
}
