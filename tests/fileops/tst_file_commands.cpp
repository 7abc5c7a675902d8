// The main window's copy, move, rename and delete commands end to end: the real program wiring,
// the real file-operation service and directory picker on temporary folders (a trash of the
// test's own), message boxes answered by the fake.
#include "DialogTesting.h"
#include "MainWindowFixture.h"
#include "PlatformFakes.h"
#include "TemporaryHome.h"
#include "TestFiles.h"

#include "app/ModPlok.h"
#include "fileops/Form3.h"
#include "filer/DirectoryListModel.h"
#include "filer/DirectoryListView.h"
#include "filer/FileListView.h"
#include "mainwindow/Form1.h"
#include "platform/PlatformServices.h"
#include "program/CommandWiring.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace zorvane;
using namespace zorvane::testing;

namespace {

QStringList fileNames(const FileListView* list) {
    QStringList names;
    for (int row = 0; row < list->listCount(); ++row)
        names.append(list->listEntry(row));
    return names;
}

QStringList folderPaths(const DirectoryListView* list) {
    QStringList paths;
    const auto* model = static_cast<const DirectoryListModel*>(list->model());
    for (const DirectoryEntry& entry : model->entries())
        paths.append(entry.path);
    return paths;
}

} // namespace

class TestFileCommands : public QObject, MainWindowFixture {
    Q_OBJECT

    std::unique_ptr<Form1> form_;
    QString data_;
    QString memo_;
    QString viewerBefore_;

    QString trashed(const QString& name) const {
        return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Trash/files/") + name;
    }

    // Presses the command's key in the main window and lets `step` answer the dialog it opens.
    void command(Qt::Key key, std::function<void(QDialog*)> step) {
        if (step)
            whenModalOpens(std::move(step));
        pressInMainWindow(key);
    }

    // A key pressed where the main window's focus is, as a user presses it.
    void pressInMainWindow(Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->window() == form_.get() ? focus : form_.get(), key);
    }

    void verifyUnchanged() {
        QCOMPARE(form_->currentFile(), memo_);
        QCOMPARE(form_->text1()->toPlainText(), viewerBefore_);
        QVERIFY(QFile::exists(memo_));
    }

private slots:
    void init() {
        QVERIFY(setUpMainWindow(QDir::homePath() + QStringLiteral("/program-XXXXXX")));
        data_ = programDir_->filePath(QStringLiteral("データ"));
        QVERIFY(QDir().mkpath(data_));
        memo_ = data_ + QStringLiteral("/メモ 1.txt");
        QVERIFY(writeBytes(memo_, "一行目\r\n二行目\r\n"));
        QVERIFY(writeBytes(data_ + QStringLiteral("/other.txt"), "x"));

        PlatformServices::setShellFileOperation(nullptr); // the real service
        installProgramWindows();                          // the real directory picker

        form_ = makeForm();
        attachCommands(*form_);
        form_->Form_Load(memo_);
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QCOMPARE(form_->currentFile(), memo_);
        viewerBefore_ = form_->text1()->toPlainText();
        QVERIFY(viewerBefore_.contains(QStringLiteral("二行目")));
    }
    void cleanup() {
        form_.reset();
        tearDownMainWindow();
    }

    // Enter right after opening: the first recent folder, made when missing, receives the copy;
    // the recent list learns it; the current file and the viewer stay.
    void copyKeepsTheCurrentFile() {
        const QString target = data_ + QStringLiteral("/保存先");
        modPlok().RecentDirs(1) = target;
        command(Qt::Key_C, [](QDialog* dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("Form3"));
            QCOMPARE(dialog->windowTitle(), QStringLiteral("ファイルコピー"));
            pressInFocus(dialog, Qt::Key_Return);
        });
        QCOMPARE(readBytes(target + QStringLiteral("/メモ 1.txt")), readBytes(memo_));
        QCOMPARE(modPlok().FileOpCode, qint16(0));
        QCOMPARE(modPlok().RecentDirs(1), target);
        QVERIFY(folderPaths(form_->dir1()).contains(target)); // Dir1 read again
        verifyUnchanged();
        QCOMPARE(form_->file1()->path(), data_);
    }

    void moveClearsTheCurrentFile() {
        const QString target = programDir_->filePath(QStringLiteral("moved"));
        QVERIFY(QDir().mkpath(target));
        modPlok().UsualDirs(1) = target;
        command(Qt::Key_M, [](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("ファイル移動"));
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Command2")),
                              Qt::LeftButton);
        });
        QVERIFY(!QFile::exists(memo_));
        QVERIFY(QFile::exists(target + QStringLiteral("/メモ 1.txt")));
        QCOMPARE(form_->currentFile(), QString());
        QCOMPARE(form_->text1()->toPlainText(), QString());
        QCOMPARE(fileNames(form_->file1()), QStringList{QStringLiteral("other.txt")});
        QCOMPARE(modPlok().RecentDirs(1), QString()); // the usual row leaves the recent list
    }

    // The renamed file is no longer the current file, but the list keeps its place: Down goes
    // on to the next file.
    void renameClearsTheCurrentFile() {
        command(Qt::Key_R, [](QDialog* dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("Form4"));
            typeText(QApplication::focusWidget(), QStringLiteral("a 名前"));
            pressInFocus(dialog, Qt::Key_Return);
        });
        QVERIFY(!QFile::exists(memo_));
        QVERIFY(QFile::exists(data_ + QStringLiteral("/a 名前.txt")));
        QCOMPARE(form_->currentFile(), QString());
        QCOMPARE(form_->text1()->toPlainText(), QString());
        QCOMPARE(fileNames(form_->file1()),
                 (QStringList{QStringLiteral("a 名前.txt"), QStringLiteral("other.txt")}));
        QCOMPARE(form_->file1()->fileName(), QStringLiteral("a 名前.txt"));
        QTest::keyClick(form_->file1(), Qt::Key_Down);
        QCOMPARE(form_->currentFile(), data_ + QStringLiteral("/other.txt"));
    }

    // Two confirmations: the dialog's, then the service's own question; the file goes to the
    // trash.
    void deleteSendsToTheTrash() {
        command(Qt::Key_D, [](QDialog* dialog) {
            QCOMPARE(dialog->objectName(), QStringLiteral("Form5"));
            pressInFocus(dialog, Qt::Key_Return);
        });
        QCOMPARE(fakes_->messageBox.shown.size(), 1);
        QVERIFY(!QFile::exists(memo_));
        QVERIFY(QFile::exists(trashed(QStringLiteral("メモ 1.txt"))));
        QCOMPARE(form_->currentFile(), QString());
        QCOMPARE(form_->text1()->toPlainText(), QString());
        QCOMPARE(fileNames(form_->file1()), QStringList{QStringLiteral("other.txt")});
    }

    // Whatever was not done leaves the main window as it was.
    void notDoneLeavesTheWindow_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("how");
        QTest::newRow("delete cancelled") << int(Qt::Key_D) << QStringLiteral("Command2");
        QTest::newRow("delete declined in the question") << int(Qt::Key_D) << QStringLiteral("no");
        QTest::newRow("rename unchanged then Esc") << int(Qt::Key_R) << QStringLiteral("unchanged");
        QTest::newRow("rename onto a taken name") << int(Qt::Key_R) << QStringLiteral("taken");
        QTest::newRow("move onto itself") << int(Qt::Key_M) << QStringLiteral("itself");
        QTest::newRow("copy cancelled") << int(Qt::Key_C) << QStringLiteral("Command4");
    }
    void notDoneLeavesTheWindow() {
        QFETCH(int, key);
        QFETCH(QString, how);
        modPlok().RecentDirs(1) = data_;
        if (how == QStringLiteral("no"))
            fakes_->messageBox.answers.enqueue(MessageAnswer::No);
        command(Qt::Key(key), [how](QDialog* dialog) {
            if (how.startsWith(QStringLiteral("Command"))) {
                QTest::mouseClick(dialog->findChild<QPushButton*>(how), Qt::LeftButton);
                return;
            }
            if (how == QStringLiteral("unchanged")) {
                pressInFocus(dialog, Qt::Key_Return); // beeps, stays
                QVERIFY(dialog->isVisible());
                pressInFocus(dialog, Qt::Key_Escape);
                return;
            }
            if (how == QStringLiteral("taken"))
                dialog->findChild<QLineEdit*>(QStringLiteral("Text1"))
                    ->setText(QStringLiteral("other.txt"));
            pressInFocus(dialog, Qt::Key_Return);
        });
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(modPlok().FileOpCode != 0);
        verifyUnchanged();
        QCOMPARE(readBytes(data_ + QStringLiteral("/other.txt")), QByteArray("x"));
        QCOMPARE(modPlok().RecentDirs(1), data_);
    }

    // "参照" opens the real picker on the row's folder; its OK hands the folder back to the row.
    void browseWithThePicker() {
        const QString picked = data_ + QStringLiteral("/選んだ先");
        QVERIFY(QDir().mkpath(picked));
        modPlok().RecentDirs(1) = data_;
        command(Qt::Key_C, [picked](QDialog* form3) {
            whenModalOpens(
                [picked](QDialog* picker) {
                    auto* dir1 = picker->findChild<DirectoryListView*>(QStringLiteral("Dir1"));
                    dir1->setFocus();
                    QTest::keyClick(dir1, Qt::Key_Down); // highlights 選んだ先
                    QTest::mouseClick(picker->findChild<QPushButton*>(QStringLiteral("Command1")),
                                      Qt::LeftButton);
                },
                QStringLiteral("frmDirGet"));
            QTest::mouseClick(form3->findChild<QPushButton*>(QStringLiteral("Command3")),
                              Qt::LeftButton);
            QCOMPARE(form3->findChild<QComboBox*>(QStringLiteral("Combo1"))->currentText(), picked);
            QTest::mouseClick(form3->findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
        });
        QCOMPARE(modPlok().DirPickStart, data_);
        QCOMPARE(modPlok().DirPickResult, picked);
        QVERIFY(QFile::exists(picked + QStringLiteral("/メモ 1.txt")));
        QCOMPARE(modPlok().RecentDirs(1), picked);
        QCOMPARE(modPlok().RecentDirs(2), data_);
        verifyUnchanged();
    }

    void noCurrentFileOnlyWarns() {
        form_->clearCurrentFile();
        for (Qt::Key key : {Qt::Key_C, Qt::Key_M, Qt::Key_R, Qt::Key_D})
            pressInMainWindow(key);
        QCOMPARE(fakes_->messageBox.shown.size(), 4);
        for (const MessageRequest& box : fakes_->messageBox.shown)
            QCOMPARE(box.title, QStringLiteral("ファイル選択エラー"));
        QVERIFY(form_->findChildren<QDialog*>().isEmpty());
    }
};

// GLib reads the user's folders once: a home and a trash of the test's own, before anything
// starts.
int main(int argc, char** argv) {
    const zorvane::testing::TemporaryHome home;
    if (!home.isValid())
        return 1;
    QApplication app(argc, argv);
    TestFileCommands test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_file_commands.moc"
