// Start-up of the program as a user meets it, against a bare Qt window (bench_startup_bare), each
// a fresh process on the same X display, alternately, round by round, in the same run:
//
// - mapped: from starting the process until the X server maps its first window (the MapNotify
//   this client is sent as it watches the root window; with a window manager, the frame's);
// - peak RSS: ru_maxrss of the finished process (wait4), once the window, mapped and painted,
//   has been closed through WM_DELETE_WINDOW as a window manager closes it.
//
// Each font set is a FONTCONFIG_FILE of its own that both programs get: the IPA fonts only (4
// Japanese families), with 20 more families (copies of the IPA faces under other names, made
// at scan time), Noto CJK beside IPA (19 families), and those with the 20 more.
//
// Usage: bench_startup [rounds] [ZORVANE]   (15 rounds; the program beside this one)
// Needs an X display: scripts/bench-startup starts Xvfb and openbox and runs it there.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// One start of a program: until its first window was mapped, its peak memory, and the processor
// time of its whole run (less disturbed than the wall time by other loads of the machine).
struct Start {
    double mappedMs = -1;
    double peakMiB = -1;
    double cpuMs = -1;
};

// Watches the root window of the display for the first window a child maps.
class MapWatch {
public:
    MapWatch() {
        connection_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(connection_))
            return;
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        protocols_ = atom("WM_PROTOCOLS");
        deleteWindow_ = atom("WM_DELETE_WINDOW");
        xcb_flush(connection_);
    }
    ~MapWatch() { xcb_disconnect(connection_); }
    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;

    bool usable() const { return !xcb_connection_has_error(connection_) && deleteWindow_ != 0; }

    // Starts `argv` with `environment`, waits for its first mapped window, closes that window
    // and reaps the process.
    Start run(const std::vector<std::string>& argv, const std::vector<std::string>& environment) {
        drain();
        std::vector<char*> args;
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        std::vector<char*> env;
        for (const std::string& entry : environment)
            env.push_back(const_cast<char*>(entry.c_str()));
        env.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

        Start start;
        const Clock::time_point started = Clock::now();
        pid_t child = 0;
        const int failed = posix_spawn(&child, args[0], &actions, nullptr, args.data(), env.data());
        posix_spawn_file_actions_destroy(&actions);
        if (failed != 0) {
            std::fprintf(stderr, "cannot start %s\n", args[0]);
            return start;
        }
        xcb_window_t client = XCB_NONE;
        xcb_window_t mapped = XCB_NONE;
        while (mapped == XCB_NONE && millisecondsSince(started) < 30000) {
            xcb_generic_event_t* event = nextEvent(100);
            if (!event)
                continue;
            switch (event->response_type & 0x7F) {
            case XCB_REPARENT_NOTIFY: { // the window manager takes the client into a frame
                const auto* reparent = reinterpret_cast<xcb_reparent_notify_event_t*>(event);
                if (reparent->event == root_ && reparent->parent != root_)
                    client = reparent->window;
                break;
            }
            case XCB_MAP_NOTIFY: {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (map->event == root_) {
                    start.mappedMs = millisecondsSince(started);
                    mapped = map->window;
                }
                break;
            }
            default:
                break;
            }
            std::free(event);
        }
        if (mapped != XCB_NONE)
            requestClose(client != XCB_NONE ? client : mapped);
        reap(child, start);
        return start;
    }

private:
    xcb_atom_t atom(const char* name) {
        const xcb_intern_atom_cookie_t cookie =
            xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection_, cookie, nullptr);
        const xcb_atom_t value = reply ? reply->atom : 0;
        std::free(reply);
        return value;
    }

    void drain() {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
            std::free(event);
    }

    xcb_generic_event_t* nextEvent(int timeoutMs) {
        if (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
            return event;
        pollfd descriptor{xcb_get_file_descriptor(connection_), POLLIN, 0};
        if (::poll(&descriptor, 1, timeoutMs) <= 0)
            return nullptr;
        return xcb_poll_for_event(connection_);
    }

    void requestClose(xcb_window_t window) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = protocols_;
        message.data.data32[0] = deleteWindow_;
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(connection_);
    }

    // The peak resident memory and the processor time of the ended child; a child that does
    // not end on the close within 10 s is killed.
    static void reap(pid_t child, Start& start) {
        const Clock::time_point asked = Clock::now();
        rusage usage{};
        int status = 0;
        for (;;) {
            const pid_t done = ::wait4(child, &status, WNOHANG, &usage);
            if (done == child)
                break;
            if (done < 0 && errno != EINTR)
                return;
            if (millisecondsSince(asked) > 10000) {
                std::fprintf(stderr, "the window did not close; killed\n");
                ::kill(child, SIGKILL);
                ::wait4(child, &status, 0, &usage);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        const auto ms = [](const timeval& time) {
            return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3;
        };
        start.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
        start.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
    xcb_atom_t protocols_ = 0;
    xcb_atom_t deleteWindow_ = 0;
};

// A font set: a fontconfig configuration of its own, over the system's.
struct FontSet {
    const char* name;
    bool noto;
    int copies; // more Japanese families, copies of the IPA faces under other names
    QString configFile;
};

const char* const NotoFolder = "/usr/share/fonts/opentype/noto";
const char* const IpaFaces[] = {"/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
                                "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"};

// Writes the configuration of `set` into `folder`: Noto CJK hidden unless wanted, and the copies
// as links in a folder of their own that a scan-time rule renames family by family. Fontconfig
// keeps the cache of that folder in `folder` too, never in the system's cache.
bool writeFontConfiguration(FontSet& set, const QString& folder) {
    const QString base =
        folder + QStringLiteral("/fonts-") +
        QString::fromLatin1(set.name).remove(QChar(u'+')).replace(QChar(u' '), QChar(u'-'));
    const QString copies = base + QStringLiteral("-copies");
    QDir().mkpath(copies);
    QDir().mkpath(base + QStringLiteral("-cache"));
    QByteArray xml =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
        "<fontconfig>\n  <cachedir>" +
        QFile::encodeName(base) +
        "-cache</cachedir>\n"
        "  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>\n";
    if (!set.noto)
        xml += QByteArray("  <selectfont><rejectfont><glob>") + NotoFolder +
               "/*</glob></rejectfont></selectfont>\n";
    if (set.copies > 0)
        xml += "  <dir>" + QFile::encodeName(copies) + "</dir>\n";
    for (int i = 1; i <= set.copies; ++i) {
        const QString link = copies + QStringLiteral("/copy%1.ttf").arg(i);
        const char* face = IpaFaces[i % 2];
        if (!QFile::exists(link) && !QFile::link(QString::fromLatin1(face), link))
            return false;
        const QByteArray family =
            "Zorvane Bench " + QByteArray(i % 2 ? "PGothic " : "Gothic ") + QByteArray::number(i);
        xml += "  <match target=\"scan\">\n    <test name=\"file\"><string>" +
               QFile::encodeName(link) +
               "</string></test>\n"
               "    <edit name=\"family\" mode=\"assign_replace\"><string>" +
               family +
               "</string></edit>\n"
               "    <edit name=\"familylang\" mode=\"assign_replace\"><string>en</string></edit>\n"
               "    <edit name=\"fullname\" mode=\"assign_replace\"><string>" +
               family + "</string></edit>\n  </match>\n";
    }
    xml += "</fontconfig>\n";
    set.configFile = base + QStringLiteral(".conf");
    return writeFile(set.configFile, xml);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// The Japanese families fontconfig lists under the configuration.
int japaneseFamilies(const QString& configFile) {
    QProcess list;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FONTCONFIG_FILE"), configFile);
    list.setProcessEnvironment(environment);
    list.start(QStringLiteral("fc-list"), {QStringLiteral(":lang=ja"), QStringLiteral("family")});
    if (!list.waitForFinished(60000))
        return -1;
    QSet<QString> families;
    for (const QString& line : QString::fromUtf8(list.readAllStandardOutput()).split(u'\n'))
        if (!line.isEmpty())
            families.insert(line.section(QChar(u','), 0, 0));
    return static_cast<int>(families.size());
}

std::vector<std::string> environmentWith(const QString& fontConfig) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        if (std::strncmp(*entry, "FONTCONFIG_FILE=", 16) != 0)
            environment.emplace_back(*entry);
    }
    environment.push_back("FONTCONFIG_FILE=" + QFile::encodeName(fontConfig).toStdString());
    return environment;
}

} // namespace

int main(int argc, char* argv[]) {
    const int rounds = argc >= 2 ? std::max(1, std::atoi(argv[1])) : 15;
    const std::string self =
        QFile::encodeName(QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath()).toStdString();
    const QString program = argc >= 3 ? QString::fromLocal8Bit(argv[2])
                                      : QString::fromStdString(self) + QStringLiteral("/zorvane");
    const std::string bare = self + "/bench_startup_bare";

    MapWatch watch;
    if (!watch.usable()) {
        std::fprintf(stderr, "no X display: run scripts/bench-startup\n");
        return 1;
    }

    // The program in a folder of its own, with its settings, its history and a Shift-JIS file to
    // show; the bare window shows the same text.
    QTemporaryDir folder;
    const QString programFolder = folder.path() + QStringLiteral("/program/");
    QDir().mkpath(programFolder + QStringLiteral("メモ"));
    QByteArray history;
    for (int i = 0; i < 40; ++i)
        history += i < 5 ? "/tmp\r\n" : "\r\n";
    QString memo;
    for (int i = 0; i < 200; ++i)
        memo += QStringLiteral("メモの%1行目です。\r\n").arg(i);
    QStringEncoder toCp932("windows-31j");
    const QString memoPath = programFolder + QStringLiteral("メモ/memo.txt");
    const QString memoUtf8 = folder.path() + QStringLiteral("/memo-utf8.txt");
    bool written = QFile::copy(program, programFolder + QStringLiteral("zorvane")) &&
                   writeFile(programFolder + QStringLiteral("plok.his"), history) &&
                   writeFile(programFolder + QStringLiteral("plok.ini"),
                             "[Form]\r\nTop=300\r\nLeft=300\r\n") &&
                   writeFile(memoPath, toCp932.encode(memo)) && writeFile(memoUtf8, memo.toUtf8());
    for (int i = 0; written && i < 50; ++i)
        written = writeFile(programFolder + QStringLiteral("メモ/file%1.txt").arg(i), "x\r\n");
    if (!written) {
        std::fprintf(stderr, "cannot write the sample files\n");
        return 1;
    }
    const std::vector<std::string> zorvaneCommand = {
        QFile::encodeName(programFolder + QStringLiteral("zorvane")).toStdString(),
        QFile::encodeName(memoPath).toStdString()};
    const std::vector<std::string> bareCommand = {bare, QFile::encodeName(memoUtf8).toStdString()};

    std::vector<FontSet> sets = {{"IPA", false, 0, {}},
                                 {"IPA + 20 more", false, 20, {}},
                                 {"Noto CJK + IPA", true, 0, {}},
                                 {"Noto CJK + IPA + 20 more", true, 20, {}}};
    std::printf("Start-up against a bare Qt window, medians of %d rounds, alternating\n\n", rounds);
    std::printf(
        "| fonts | Japanese families | mapped: Zorvane | bare | ratio | peak RSS: Zorvane | "
        "bare | ratio | CPU time: Zorvane | bare | ratio |\n"
        "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (FontSet& set : sets) {
        if (set.noto && !QDir(QString::fromLatin1(NotoFolder)).exists()) {
            std::printf("| %s | (fonts-noto-cjk is not installed) |\n", set.name);
            continue;
        }
        if (!writeFontConfiguration(set, folder.path())) {
            std::fprintf(stderr, "cannot write the font configuration\n");
            return 1;
        }
        const std::vector<std::string> environment = environmentWith(set.configFile);
        // Warm: fontconfig builds the cache of the copies, the files come into the page cache.
        watch.run(bareCommand, environment);
        watch.run(zorvaneCommand, environment);
        std::vector<double> zorvaneMs, bareMs, zorvaneMiB, bareMiB, zorvaneCpu, bareCpu;
        for (int round = 0; round < rounds; ++round) {
            const bool bareFirst = round % 2 == 0;
            for (int turn = 0; turn < 2; ++turn) {
                const bool isBare = (turn == 0) == bareFirst;
                const Start start = watch.run(isBare ? bareCommand : zorvaneCommand, environment);
                if (start.mappedMs < 0 || start.peakMiB < 0) {
                    std::fprintf(stderr, "a start failed\n");
                    return 1;
                }
                (isBare ? bareMs : zorvaneMs).push_back(start.mappedMs);
                (isBare ? bareMiB : zorvaneMiB).push_back(start.peakMiB);
                (isBare ? bareCpu : zorvaneCpu).push_back(start.cpuMs);
            }
        }
        const int families = japaneseFamilies(set.configFile);
        std::printf(
            "| %s | %d | %.0f ms | %.0f ms | %.2f× | %.1f MiB | %.1f MiB | %.2f× | %.0f ms | "
            "%.0f ms | %.2f× |\n",
            set.name, families, median(zorvaneMs), median(bareMs),
            median(zorvaneMs) / median(bareMs), median(zorvaneMiB), median(bareMiB),
            median(zorvaneMiB) / median(bareMiB), median(zorvaneCpu), median(bareCpu),
            median(zorvaneCpu) / median(bareCpu));
        std::fflush(stdout);
    }
    return 0;
}
