// The main window under a user's hands: which file becomes current and when, where the focus
// starts, keys held down or meant for the menu bar, reading the viewer by keyboard, what a
// screen reader is told.
#include "MainWindowFixture.h"
#include "PlatformFakes.h"
#include "TestFiles.h"

#include "app/ModPlok.h"
#include "filer/DirectoryListView.h"
#include "filer/DriveListBox.h"
#include "filer/FileListView.h"
#include "formkit/PathLabel.h"
#include "mainwindow/Form1.h"

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <memory>

using namespace zorvane;
using zorvane::testing::MainWindowFixture;
using zorvane::testing::PlatformFakes;
using zorvane::testing::writeBytes;

class TestForm1Focus : public QObject, MainWindowFixture {
    Q_OBJECT

    // Three files in the data folder, listed in the data folder.
    std::unique_ptr<Form1> formOnThreeFiles() {
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            writeBytes(dataPath(QString::fromUtf8(name)), QByteArray(name) + "\r\n");
        auto form = makeForm();
        form->dir1()->setPath(dataDir_->path());
        return form;
    }

private slots:
    void init() { QVERIFY(setUpMainWindow()); }

    void cleanup() { tearDownMainWindow(); }

    // ---- The current file changes only on a pick --------------------------------------

    void focusingTheFileListPicksNothing() {
        auto form = formOnThreeFiles();
        showActive(*form);
        form->dir1()->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(form->dir1(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form->file1()));
        QVERIFY(form->currentFile().isEmpty());
        QVERIFY(form->previewText().isEmpty());
        QCOMPARE(form->file1()->listIndex(), -1);

        // The first arrow key picks the first file.
        QTest::keyClick(form->file1(), Qt::Key_Down);
        QCOMPARE(form->currentFile(), dataPath(QStringLiteral("a.txt")));
        QCOMPARE(form->previewText(), QStringLiteral("a.txt\r\n"));
    }

    void aRefreshAndTheWindowsReturnPickNothing() {
        auto form = formOnThreeFiles();
        showActive(*form);
        form->file1()->setFocus();
        form->file1()->setListIndex(1);
        QCOMPARE(form->currentFile(), dataPath(QStringLiteral("b.txt")));

        // What a dialog does after moving the current file away.
        QFile::remove(dataPath(QStringLiteral("b.txt")));
        form->refreshFileList();
        form->clearCurrentFile();
        QVERIFY(form->currentFile().isEmpty());

        // A modal dialog comes and goes: the window is deactivated and activated again.
        QDialog dialog(form.get());
        dialog.setModal(true);
        showActive(dialog);
        dialog.close();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form->file1()));
        QVERIFY(form->currentFile().isEmpty());
        QVERIFY(form->text1()->toPlainText().isEmpty());

        // Enter on the entry the user moved to previews it.
        QTest::keyClick(form->file1(), Qt::Key_Down);
        QTest::keyClick(form->file1(), Qt::Key_Down);
        QCOMPARE(form->currentFile(), dataPath(QStringLiteral("c.txt")));
        form->clearCurrentFile();
        QTest::keyClick(form->file1(), Qt::Key_Return);
        QCOMPARE(form->currentFile(), dataPath(QStringLiteral("c.txt")));
    }

    void aRefreshKeepsTheSelectionOfAFileStillThere() {
        auto form = formOnThreeFiles();
        showActive(*form);
        form->file1()->setListIndex(2);
        QCOMPARE(form->currentFile(), dataPath(QStringLiteral("c.txt")));
        form->clearCurrentFile();

        // What a copy does afterwards: a file appears before the selected one, the list is read
        // again, and the selection follows its file without previewing it.
        QVERIFY(writeBytes(dataPath(QStringLiteral("0.txt")), "0\r\n"));
        form->refreshFileList();
        QCOMPARE(form->file1()->fileName(), QStringLiteral("c.txt"));
        QCOMPARE(form->file1()->listIndex(), 3);
        QVERIFY(form->currentFile().isEmpty());

        // Once the file is gone nothing stays selected.
        QFile::remove(dataPath(QStringLiteral("c.txt")));
        form->refreshFileList();
        QCOMPARE(form->file1()->listIndex(), -1);
        QVERIFY(form->currentFile().isEmpty());
    }

    // ---- Focus and keys ---------------------------------------------------------------

    void focusStartsInTheFileListAndTheWheelSparesTheDrive() {
        fakes_->driveList.entries = {{QStringLiteral("/"), QString()},
                                     {QStringLiteral("/zz-other"), QString()}};
        auto form = makeForm();
        showActive(*form);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form->file1()));

        DriveListBox* drives = form->drive1();
        const int before = drives->currentIndex();
        QWheelEvent down(QPointF(5, 5), drives->mapToGlobal(QPointF(5, 5)), QPoint(),
                         QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(drives, &down);
        QCOMPARE(drives->currentIndex(), before);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form->file1()));
    }

    void keysHeldDownOrMeantForTheMenuRunNoCommand() {
        auto form = makeForm();
        int copies = 0;
        int exits = 0;
        form->setCommandHandler(MainCommand::Copy, [&copies] { ++copies; });
        form->setCurrentFile(QStringLiteral("/x.txt"));
        showActive(*form);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);

        // A held key: one press, then the repeats.
        for (bool repeat : {false, true, true, true}) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier, QStringLiteral("c"),
                            repeat);
            QApplication::sendEvent(focus, &press);
        }
        QCOMPARE(copies, 1);

        // The menu bar in keyboard mode (Alt+F, Esc) has the keys: Esc leaves it, and the
        // window stays open.
        connect(form.get(), &QObject::destroyed, [&exits] { ++exits; });
        form->menuBar()->setFocus(Qt::MenuBarFocusReason);
        QTest::keyClick(form->menuBar(), Qt::Key_Escape);
        QTest::keyClick(form->menuBar(), Qt::Key_C);
        QVERIFY(form->isVisible());
        QCOMPARE(copies, 1);
    }

    // A dialog whose message box closes just before the dialog itself (a refused rename, a
    // confirmed delete): afterwards the main window is active with the focus where it was, so
    // the next key acts without a click.
    void theMainWindowIsActiveAgainAfterADialogAndItsMessage_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");
        QTest::newRow("D in File1") << int(Qt::Key_D) << QStringLiteral("File1");
        QTest::newRow("R in Dir1") << int(Qt::Key_R) << QStringLiteral("Dir1");
        QTest::newRow("C in Combo1") << int(Qt::Key_C) << QStringLiteral("Combo1");
        QTest::newRow("M in Text1") << int(Qt::Key_M) << QStringLiteral("Text1");
    }

    void theMainWindowIsActiveAgainAfterADialogAndItsMessage() {
        QFETCH(int, key);
        QFETCH(QString, focus);
        auto form = formOnThreeFiles();
        const auto dialogWithMessage = [&form] {
            QDialog dialog(form.get());
            dialog.setModal(true);
            QTimer::singleShot(0, &dialog, [&dialog] {
                QDialog message(&dialog);
                message.setModal(true);
                QTimer::singleShot(0, &message, &QDialog::accept);
                message.exec();
                dialog.accept();
            });
            dialog.exec();
        };
        for (MainCommand command :
             {MainCommand::Copy, MainCommand::Move, MainCommand::Delete, MainCommand::Rename})
            form->setCommandHandler(command, dialogWithMessage);
        form->setCurrentFile(dataPath(QStringLiteral("a.txt")));
        showActive(*form);
        QWidget* control = form->findChild<QWidget*>(focus);
        QVERIFY(control);
        control->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(form.get()));
        QCOMPARE(QApplication::focusWidget(), control);
    }

    void theViewerIsReadByKeyboard() {
        QByteArray lines;
        for (int i = 1; i <= 51; ++i)
            lines += "line " + QByteArray::number(i) + "\r\n";
        writeBytes(dataPath(QStringLiteral("long.txt")), lines);
        auto form = makeForm();
        int copies = 0;
        form->setCommandHandler(MainCommand::Copy, [&copies] { ++copies; });
        form->resize(600, 476);
        showActive(*form);
        form->Form_Load(dataPath(QStringLiteral("long.txt")));
        QPlainTextEdit* viewer = form->text1();
        QVERIFY(viewer->focusPolicy() & Qt::TabFocus); // reached with Tab
        viewer->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(viewer));
        QCOMPARE(viewer->textCursor().position(), 0);

        QTest::keyClick(viewer, Qt::Key_Down);
        QCOMPARE(viewer->textCursor().blockNumber(), 1);
        QTest::keyClick(viewer, Qt::Key_PageDown);
        QVERIFY(viewer->textCursor().blockNumber() > 2);
        QVERIFY(viewer->verticalScrollBar()->value() > 0);
        QTest::keyClick(viewer, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(viewer->textCursor().position(), viewer->document()->characterCount() - 1);
        QVERIFY(viewer->cursorRect().bottom() <= viewer->viewport()->height());
        QTest::keyClick(viewer, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(viewer->textCursor().position(), 0);
        QTest::keyClick(viewer, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(viewer->textCursor().selectedText(), QStringLiteral("l"));
        // Ctrl+C copies the selected text, as in every text box, not the file.
        QTest::keyClick(viewer, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("l"));
        QCOMPARE(copies, 0);

        // Still read-only, and the commands still answer.
        QTest::keyClick(viewer, Qt::Key_C);
        QCOMPARE(copies, 1);
        QVERIFY(viewer->toPlainText().startsWith(QStringLiteral("line 1\n")));
    }

    void theDirectoryListOpensOnTheCurrentFolderAndItsParents() {
        QString deep = dataDir_->path();
        for (int level = 0; level < 25; ++level)
            deep += QStringLiteral("/level%1").arg(level);
        QVERIFY(QDir().mkpath(deep));
        writeBytes(deep + QStringLiteral("/a.txt"), "a\r\n");
        auto form = makeForm();
        form->Form_Load(deep + QStringLiteral("/a.txt"));
        showActive(*form);

        DirectoryListView* folders = form->dir1();
        const QRect viewport = folders->viewport()->rect();
        const QModelIndex current = folders->currentIndex();
        QCOMPARE(current.data(Qt::ToolTipRole).toString(), deep);
        const auto inSight = [&](const QModelIndex& index) {
            const QRect row = folders->visualRect(index);
            return row.top() >= viewport.top() && row.bottom() <= viewport.bottom() &&
                   row.left() == viewport.left();
        };
        QVERIFY(inSight(current));
        QVERIFY(inSight(current.siblingAtRow(current.row() - 1)));
        QCOMPARE(folders->horizontalScrollBar()->value(),
                 folders->horizontalScrollBar()->minimum());
    }

    void aTallMenuBarKeepsTheMarginUnderThePatternBox() {
        auto form = makeForm();
        form->menuBar()->setFixedHeight(60); // 900 twips: more than the layout allows
        showActive(*form);
        QWidget* client = form->centralWidget();
        for (const int height : {600, 700}) {
            form->resize(form->width(), height);
            QTRY_COMPARE(form->height(), height);
            // Combo1's designed 300 twips (20 px), then the 60-twip margin.
            QCOMPARE(form->combo1()->y() + 20 + 4, client->height());
            QCOMPARE(form->text1()->geometry().bottom() + 1 + 4, client->height());
        }
        // The smallest height (7140 twips, 476 px) grows by the difference to 690 (46 px).
        const int allowance = form->frameGeometry().height() - client->height();
        QVERIFY(allowance > 46);
        form->resize(form->width(), 100);
        QCOMPARE(form->frameGeometry().height(), 476 + allowance - 46);
        QCOMPARE(form->combo1()->y() + 20 + 4, client->height());
    }

    // ---- Long names -------------------------------------------------------------------

    void longNamesAreElidedAndWholeInTheirToolTips() {
        const QString longName = QString(80, QChar(u'長')) + QStringLiteral(".txt");
        writeBytes(dataPath(longName), "long\r\n");
        writeBytes(dataPath(QStringLiteral("a.txt")), "a\r\n");
        auto form = makeForm();
        form->dir1()->setPath(dataDir_->path());
        form->resize(600, 476);
        showActive(*form);

        FileListView* files = form->file1();
        QCOMPARE(files->listEntry(1), longName);
        const QRect shortRow = files->visualRect(files->model()->index(0, 0));
        const QRect longRow = files->visualRect(files->model()->index(1, 0));
        QVERIFY(files->toolTipAt(shortRow.center()).isEmpty());
        QCOMPARE(files->toolTipAt(longRow.center()), longName);

        // Label5 keeps the whole path as its text; on screen it is cut in the middle and
        // stays inside the window.
        const QString path = dataPath(longName);
        files->setListIndex(1);
        QCOMPARE(form->currentFile(), path);
        auto* label = qobject_cast<PathLabel*>(form->label5());
        QVERIFY(label);
        QCOMPARE(label->text(), path);
        QCOMPARE(label->toolTip(), path);
        QVERIFY(label->geometry().right() < form->centralWidget()->width());
        const QString shown = label->shownText();
        QVERIFY(shown.size() < path.size());
        QVERIFY(shown.contains(QChar(0x2026)));
        QVERIFY(shown.startsWith(path.left(3)));
        QVERIFY(shown.endsWith(QStringLiteral(".txt")));

        // A short path is shown whole, and no descender is cut off: an underscore cut away
        // would read as a blank. Also with no current file, and at start as laid out.
        for (const QString& current : {QStringLiteral("/a_b.txt"), QString()}) {
            form->setCurrentFile(current);
            QCOMPARE(label->shownText(), current);
            QVERIFY2(label->height() >= label->fontMetrics().height(),
                     qPrintable(QStringLiteral("%1 px for a font of %2 px")
                                    .arg(label->height())
                                    .arg(label->fontMetrics().height())));
        }
    }

    // ---- What a screen reader is told -------------------------------------------------

    void controlsAreNamedByTheirCaptions() {
        auto form = makeForm();
        showActive(*form);
        const auto accessible = [](QObject* object) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
            return face;
        };
        const struct {
            QWidget* control;
            QLabel* caption;
            QString name;
        } named[] = {
            {form->drive1(), form->label1(), QStringLiteral("ドライブ")},
            {form->dir1(), form->label2(), QStringLiteral("ディレクトリ")},
            {form->file1(), form->label3(), QStringLiteral("ファイル名")},
            {form->combo1(), form->label4(), QStringLiteral("ファイルの種類")},
        };
        for (const auto& entry : named) {
            QAccessibleInterface* field = accessible(entry.control);
            QVERIFY(field);
            QCOMPARE(field->text(QAccessible::Name), entry.name);
            // The label names the field, and the field knows its label.
            const auto labelledBy = field->relations(QAccessible::Label);
            QVERIFY2(!labelledBy.isEmpty(), qPrintable(entry.name));
            QCOMPARE(labelledBy.first().first->object(), static_cast<QObject*>(entry.caption));
            const auto labels = accessible(entry.caption)->relations(QAccessible::Labelled);
            QVERIFY(!labels.isEmpty());
            QCOMPARE(labels.first().first->object(), static_cast<QObject*>(entry.control));
        }
        QCOMPARE(accessible(form->text1())->text(QAccessible::Name), QStringLiteral("ビュアー"));
        QCOMPARE(accessible(form->combo1())->text(QAccessible::Value), QStringLiteral("*.TXT"));
        QCOMPARE(accessible(form->drive1())->text(QAccessible::Value), QStringLiteral("/"));

        // Folders are read by the names shown.
        QAccessibleInterface* folders = accessible(form->dir1());
        QVERIFY(folders->childCount() > 0);
        const int last = folders->childCount() - 1;
        QVERIFY(!folders->child(last)->text(QAccessible::Name).contains(QChar(u'/')) ||
                folders->child(last)->text(QAccessible::Name) == QStringLiteral("/"));

        // Toolbar buttons keep their Japanese names.
        auto* quit = form->findChild<QWidget*>(QStringLiteral("tbQ"));
        QVERIFY(quit);
        QCOMPARE(accessible(quit)->text(QAccessible::Name), QStringLiteral("終了"));
    }
};

QTEST_MAIN(TestForm1Focus)
#include "tst_form1focus.moc"
