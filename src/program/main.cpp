#include "app/DesktopLocale.h"
#include "help/ProgramIcon.h"
#include "mainwindow/CommandLineTarget.h"
#include "mainwindow/Form1.h"
#include "platform/NativePath.h"
#include "program/CommandWiring.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    zorvane::installFontSubstitutions();
    zorvane::installQtTranslations(application);
    QApplication::setWindowIcon(zorvane::programIcon());
    zorvane::installProgramWindows();

    // The command line: the arguments joined by single blanks, so a path with blanks arrives
    // whole whether or not the shell split it.
    // Taken from argv (which QApplication has cleared of its own options) in the lossless
    // path form: QCoreApplication::arguments() would turn a name in Shift-JIS into U+FFFD.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(zorvane::pathFromNative(QByteArrayView(argv[i])));

    zorvane::Form1 form1;
    zorvane::attachCommands(form1);
    form1.Form_Load(zorvane::commandLineText(arguments));
    form1.show();
    return application.exec();
}
