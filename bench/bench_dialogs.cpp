// The file-operation dialogs: the time from the main window's command until the dialog has
// painted itself, against a bare QDialog with as many widgets opened the same way; and the
// directory picker opening on a folder of 20,000 files: until it has painted itself, and until
// its lists have read the folder.
//
// Usage: bench_dialogs [rounds] [files]    (defaults 15 and 20000)
// Targets: each dialog under 30 ms and within 1.5x of its bare dialog; the picker within 2x.
// Without a display the offscreen platform is used; under Xvfb with a window manager the times
// include the round trips to the X server.

#include "app/ModPlok.h"
#include "fileops/FrmDirGet.h"
#include "fileops/FrmDirGetPicker.h"
#include "filer/DirectoryListView.h"
#include "filer/FileListView.h"
#include "mainwindow/Form1.h"
#include "program/CommandWiring.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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

// Stops the clock at the first paint of a dialog and closes it right after; a directory
// picker is closed once its lists have read their folder, and that time is kept too.
class FirstPaintWatch final : public QObject {
public:
    QElapsedTimer clock;
    double elapsedMs = -1;
    double listsReadMs = -1;
    bool painted = false;

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog && event->type() == QEvent::Paint && !painted) {
            // The dialog paints first, its controls right after in the same pass: the clock
            // stops when the event loop is back, with everything drawn.
            painted = true;
            QTimer::singleShot(0, dialog, [this, dialog] {
                elapsedMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
                closeWhenRead(dialog);
            });
        }
        return false;
    }

private:
    void closeWhenRead(QDialog* dialog) {
        const auto* picker = qobject_cast<zorvane::FrmDirGet*>(dialog);
        if (picker && (picker->dir1()->listingPending() || picker->file1()->listingPending())) {
            QTimer::singleShot(1, dialog, [this, dialog] { closeWhenRead(dialog); });
            return;
        }
        listsReadMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        dialog->done(QDialog::Rejected);
    }
};

struct Opening {
    double paintedMs;
    double listsReadMs;
};

Opening timeToFirstPaint(const std::function<void()>& open) {
    FirstPaintWatch watch;
    qApp->installEventFilter(&watch);
    watch.clock.start();
    open(); // returns when the dialog has closed again
    qApp->removeEventFilter(&watch);
    return {watch.elapsedMs, watch.listsReadMs};
}

// The controls of a dialog, by kind.
struct Controls {
    int labels = 0;
    int buttons = 0;
    int editableCombos = 0;
    int combos = 0;
    int lineEdits = 0;
    int lists = 0;
};

// A plain QDialog holding the same kinds and numbers of Qt's own controls as the dialog it is
// compared with, opened the same way.
void openBareDialog(QWidget* owner, const Controls& controls) {
    QDialog dialog(owner);
    dialog.setFixedSize(440, 340);
    int placed = 0;
    const auto place = [&](QWidget* widget) {
        widget->setGeometry(10 + (placed % 4) * 105, 10 + (placed / 4) * 60, 100, 50);
        ++placed;
    };
    for (int i = 0; i < controls.labels; ++i)
        place(new QLabel(QStringLiteral("ラベル"), &dialog));
    for (int i = 0; i < controls.buttons; ++i)
        place(new QPushButton(QStringLiteral("ボタン"), &dialog));
    for (int i = 0; i < controls.editableCombos + controls.combos; ++i) {
        auto* combo = new QComboBox(&dialog);
        combo->setEditable(i < controls.editableCombos);
        combo->addItems({QStringLiteral("/srv/a"), QStringLiteral("/srv/b")});
        place(combo);
    }
    for (int i = 0; i < controls.lineEdits; ++i)
        place(new QLineEdit(QStringLiteral("テキスト"), &dialog));
    for (int i = 0; i < controls.lists; ++i) {
        auto* list = new QListWidget(&dialog);
        list->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        place(list);
    }
    dialog.exec();
}

struct Row {
    const char* name;
    zorvane::MainCommand command;
    Controls controls;
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
    const Row rows[] = {{"Form5", zorvane::MainCommand::Delete, Controls{2, 2}},
                        {"Form4", zorvane::MainCommand::Rename, Controls{3, 2, 0, 0, 1}},
                        {"Form3", zorvane::MainCommand::Copy, Controls{6, 4, 2}}};
    for (const Row& row : rows) {
        std::vector<double> dialog;
        std::vector<double> bare;
        for (int round = 0; round < rounds + 1; ++round) {
            const double a = timeToFirstPaint([&] { form1.runCommand(row.command); }).paintedMs;
            const double b =
                timeToFirstPaint([&] { openBareDialog(&form1, row.controls); }).paintedMs;
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
    // Alternately with a bare dialog of its kinds of controls.
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
        std::vector<double> read;
        std::vector<double> bare;
        for (int round = 0; round < rounds + 1; ++round) {
            const Opening a = timeToFirstPaint([&] { picker.pickDirectory(&form1, folder); });
            const double b = timeToFirstPaint([&] {
                                 openBareDialog(&form1, Controls{3, 2, 0, 1, 1, 2});
                             }).paintedMs;
            if (round > 0) {
                times.push_back(a.paintedMs);
                read.push_back(a.listsReadMs);
                bare.push_back(b);
            }
        }
        std::printf("%-25s painted median %.2f ms (best %.2f); bare dialog median %.2f ms; "
                    "ratio %.2f; lists read median %.2f ms (%d files)\n",
                    label, median(times), *std::min_element(times.begin(), times.end()),
                    median(bare), median(times) / median(bare), median(read),
                    folder == many.path() ? files : 0);
    }
    return 0;
}
