#include "app/CommandLineOptions.h"
#include "app/DesktopLocale.h"
#include "app/GraphicalSession.h"
#include "app/PlatformStartGuard.h"
#include "app/SessionEndSignals.h"
#include "app/TerminalLanguage.h"
#include "help/ProgramIcon.h"
#include "help/ProgramVersion.h"
#include "mainwindow/CommandLineTarget.h"
#include "mainwindow/Form1.h"
#include "platform/NativePath.h"
#include "platform/SessionEnd.h"
#include "program/CommandWiring.h"

#include <QApplication>
#include <QSessionManager>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

zorvane::Form1* liveWindow = nullptr; // while the event loop runs

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
}

} // namespace

int main(int argc, char* argv[]) {
    // Taken from argv in the lossless path form: QCoreApplication::arguments() would turn a
    // name in Shift-JIS into U+FFFD.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(zorvane::pathFromNative(QByteArrayView(argv[i])));

    // Answered before Qt starts: neither needs a display.
    const zorvane::CommandLineRequest request = zorvane::parseCommandLine(arguments);
    if (request.action == zorvane::CommandLineAction::Help) {
        print(stdout, zorvane::usageText(zorvane::terminalSpeaksJapanese()));
        return 0;
    }
    if (request.action == zorvane::CommandLineAction::Version) {
        print(stdout,
              zorvane::versionText(zorvane::ProgramVersionMajor, zorvane::ProgramVersionMinor,
                                   zorvane::ProgramVersionRevision));
        return 0;
    }
    const QString noDisplay = zorvane::noGraphicalSessionMessage(zorvane::terminalSpeaksJapanese());
    if (!zorvane::graphicalSessionReachable(qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"),
                                            qgetenv("QT_QPA_PLATFORM"), arguments)) {
        print(stderr, noDisplay);
        return 1;
    }

    // After "--" every argument belongs to the file's name, so Qt does not see them: a file
    // named "-reverse" is not Qt's option. A display named but gone ends the program inside
    // QApplication's constructor with the same line as no display at all.
    int qtArgc = request.optionsEnded ? 1 : argc;
    std::optional<zorvane::PlatformStartGuard> startGuard(std::in_place, noDisplay);
    QApplication application(qtArgc, argv);
    startGuard.reset();
    const bool japaneseFont = zorvane::installFontSubstitutions();
    zorvane::installQtTranslations(application);
    QApplication::setWindowIcon(zorvane::programIcon());
    zorvane::installProgramWindows();

    // The command line: the arguments joined by single blanks, so a path with blanks arrives
    // whole whether or not the shell split it. Without "--", they are what is left of argv
    // once QApplication has taken its own options out.
    QStringList pathArguments = request.operands;
    if (!request.optionsEnded) {
        pathArguments.clear();
        for (int i = 1; i < qtArgc; ++i)
            pathArguments.append(zorvane::pathFromNative(QByteArrayView(argv[i])));
    }

    // Listening before the main window reads plok.ini and plok.his: a signal that comes while
    // it starts waits in the pipe until the event loop runs.
    const zorvane::SessionEndSignals sessionEndSignals;

    zorvane::Form1 form1;
    zorvane::attachCommands(form1);
    // The end of the session (logout, a stopped service, a closed terminal, the session
    // manager's end) saves as closing the window does, through the same close; nothing asks
    // meanwhile, and a copy still running is cancelled.
    const auto endSession = [&form1] {
        zorvane::SessionEnd::begin();
        form1.close();
    };
    QObject::connect(&sessionEndSignals, &zorvane::SessionEndSignals::ending, &form1, endSession);
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &form1,
                     [endSession](QSessionManager&) { endSession(); });
    form1.Form_Load(zorvane::commandLineText(pathArguments));
    // Qt ends the process with exit() when the X server or the compositor goes away; the
    // window's place and plok.his are saved on the way out as a close would.
    liveWindow = &form1;
    std::atexit([] {
        if (!liveWindow)
            return;
        zorvane::SessionEnd::begin();
        liveWindow->saveAfterDisplayLoss();
    });
    form1.show();
    if (!japaneseFont)
        QTimer::singleShot(0, &form1, [&form1] { zorvane::reportMissingJapaneseFont(&form1); });
    const int status = application.exec();
    liveWindow = nullptr;
    return status;
}
