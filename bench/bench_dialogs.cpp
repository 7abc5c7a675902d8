// The file-operation dialogs: the time from the main window's command until the dialog has
// painted itself, against a bare QDialog with as many widgets opened the same way; and the
// directory picker opening on a folder of 20,000 files.
//
// Usage: bench_dialogs [rounds] [files]    (defaults 15 and 20000)
// Targets: each dialog under 30 ms and within 1.5x of its bare dialog; the picker <= 300 ms.
// Without a display the offscreen platform is used.

#include "app/ModPlok.h"
#include "fileops/FrmDirGetPicker.h"
#include "mainwindow/Form1.h"
#include "program/CommandWiring.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// Stops the clock at the first paint of a dialog and closes it right after.
class FirstPaintWatch final : public QObject {
public:
    QElapsedTimer clock;
    double elapsedMs = -1;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && event->type() == QEvent::Paint && elapsedMs < 0) {
            elapsedMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            QTimer::singleShot(0, dialog, [dialog] { dialog->done(QDialog::Rejected); });
        }
        return false;
    }
};

double timeToFirstPaint(const std::function<void()>& open) {
    FirstPaintWatch watch;
    qApp->installEventFilter(&watch);
    watch.clock.start();
    open(); // returns when the dialog has closed again
    qApp->removeEventFilter(&watch);
    return watch.elapsedMs;
}

// A plain dialog with `widgets` labels and buttons, as many as the dialog it stands beside.
void openBareDialog(QWidget* owner, int widgets) {
    QDialog dialog(owner);
    dialog.setFixedSize(440, 180);
    for (int i = 0; i < widgets; ++i) {
        QWidget* widget =
            i % 2 ? static_cast<QWidget*>(new QPushButton(QStringLiteral("ボタン"), &dialog))
                  : new QLabel(QStringLiteral("ラベル"), &dialog);
        widget->setGeometry(10 + (i % 4) * 100, 10 + (i / 4) * 30, 90, 24);
    }
    dialog.exec();
}

struct Row {
    const char* name;
    zorvane::MainCommand command;
    int widgets;
};

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int rounds = argc >= 2 ? std::max(1, QByteArray(argv[1]).toInt()) : 15;
    const int files = argc >= 3 ? std::max(1, QByteArray(argv[2]).toInt()) : 20000;

    QTemporaryDir program;
    QTemporaryDir data;
    {
        QFile history(program.path() + QStringLiteral("/plok.his"));
        if (!history.open(QIODevice::WriteOnly))
            return 1;
        history.write(QByteArray("\r\n").repeated(40));
        QFile memo(data.path() + QStringLiteral("/メモ.txt"));
        if (!memo.open(QIODevice::WriteOnly))
            return 1;
        memo.write("memo\r\n");
    }
    zorvane::installProgramWindows();
    zorvane::Form1 form1(program.path());
    zorvane::attachCommands(form1);
    form1.Form_Load(data.path() + QStringLiteral("/メモ.txt"));
    form1.show();
    QCoreApplication::processEvents();
    for (int i = 1; i <= 5; ++i)
        zorvane::modPlok().RecentDirs(i) = QStringLiteral("/srv/recent/%1").arg(i);
    for (int i = 1; i <= 3; ++i)
        zorvane::modPlok().UsualDirs(i) = QStringLiteral("/srv/usual/%1").arg(i);

    std::printf("dialog      median ms   best ms   bare median ms   ratio (%d rounds)\n", rounds);
    const Row rows[] = {{"Form5", zorvane::MainCommand::Delete, 4},
                        {"Form4", zorvane::MainCommand::Rename, 6},
                        {"Form3", zorvane::MainCommand::Copy, 12}};
    for (const Row& row : rows) {
        std::vector<double> dialog;
        std::vector<double> bare;
        for (int round = 0; round < rounds + 1; ++round) {
            const double a = timeToFirstPaint([&] { form1.runCommand(row.command); });
            const double b = timeToFirstPaint([&] { openBareDialog(&form1, row.widgets); });
            if (round > 0) { // the first round warms up fonts and styles
                dialog.push_back(a);
                bare.push_back(b);
            }
        }
        std::printf("%-10s %10.2f %9.2f %16.2f %7.2f\n", row.name, median(dialog),
                    *std::min_element(dialog.begin(), dialog.end()), median(bare),
                    median(dialog) / median(bare));
    }

    // The picker: an empty folder, then a folder of `files` files (File1 lists them all).
    QTemporaryDir many;
    for (int i = 0; i < files; ++i) {
        QFile file(many.path() + QStringLiteral("/file%1.txt").arg(i, 6, 10, QChar(u'0')));
        if (!file.open(QIODevice::WriteOnly))
            return 1;
    }
    QTemporaryDir empty;
    zorvane::FrmDirGetPicker picker;
    for (const auto& [label, folder] : {std::pair{"frmDirGet (empty folder)", empty.path()},
                                        std::pair{"frmDirGet (many files)", many.path()}}) {
        std::vector<double> times;
        std::vector<double> bare;
        for (int round = 0; round < rounds + 1; ++round) {
            const double a = timeToFirstPaint([&] { picker.pickDirectory(&form1, folder); });
            const double b = timeToFirstPaint([&] { openBareDialog(&form1, 9); });
            if (round > 0) {
                times.push_back(a);
                bare.push_back(b);
            }
        }
        std::printf("%-25s median %.2f ms, best %.2f ms; bare dialog median %.2f ms (%d files)\n",
                    label, median(times), *std::min_element(times.begin(), times.end()),
                    median(bare), folder == many.path() ? files : 0);
    }
    return 0;
}
