#include "app/DesktopLocale.h"
#include "mainwindow/CommandLineTarget.h"
#include "mainwindow/Form1.h"
#include "program/CommandWiring.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    zorvane::installFontSubstitutions();
    zorvane::installQtTranslations(application);
    zorvane::installProgramWindows();

    // The command line: the arguments joined by single blanks, so a path with blanks arrives
    // whole whether or not the shell split it.
    QStringList arguments = QCoreApplication::arguments();
    if (!arguments.isEmpty())
        arguments.removeFirst();

    zorvane::Form1 form1;
    zorvane::attachCommands(form1);
    form1.Form_Load(zorvane::commandLineText(arguments));
    form1.show();
    return application.exec();
}
