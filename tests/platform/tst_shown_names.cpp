// File names that look like markup are shown as they are spelled: in the real message boxes of
// the file service, in its progress window and in the tool tip of a path.
#include "fileservice/GioShellFileOperation.h"
#include "fileservice/ShellMessages.h"
#include "formkit/PlainToolTip.h"
#include "platform/MessageBoxService.h"
#include "platform/PlatformServices.h"

#include "TemporaryHome.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace zorvane;
using Result = GioShellFileOperation::Result;

namespace {

// What a label puts on the screen: its text as it is where it is plain, the text of the markup
// where Qt reads it as markup.
QString visibleText(const QLabel* label) {
    const QString text = label->text();
    const bool markup = label->textFormat() == Qt::RichText ||
                        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (!markup)
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText().replace(QChar::Nbsp, QLatin1Char(' '));
}

struct ShownBox {
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    Qt::WindowModality modality = Qt::NonModal;
};

// Answers each real message box as it opens, from the event loop of its exec(), after noting
// what it shows.
class BoxAnswerer {
public:
    explicit BoxAnswerer(QList<QMessageBox::StandardButton> answers) : answers_(answers) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { step(); });
        timer_.start(5);
    }
    QList<ShownBox> shown;

private:
    void step() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || answers_.isEmpty())
            return;
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        shown.append({label ? visibleText(label) : QString(),
                      label ? label->textFormat() : Qt::AutoText, box->windowModality()});
        box->button(answers_.takeFirst())->click();
    }
    QList<QMessageBox::StandardButton> answers_;
    QTimer timer_;
};

} // namespace

class TestShownNames : public QObject {
    Q_OBJECT

private slots:
    void init() { PlatformServices::setMessageBox(nullptr); } // the real message box

    // On a file system without a trash, delete asks twice; the second question warns that the
    // file goes for good. A name of markup must not hide that warning or stand for another file.
    void deleteQuestionsShowTheNameAsSpelled_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("tags and a comment") << QStringLiteral("<b>x.txt<!--");
        QTest::newRow("entities") << QStringLiteral("&lt;x&gt;.txt");
    }
    void deleteQuestionsShowTheNameAsSpelled() {
        QFETCH(QString, name);
        QTemporaryDir shm(QStringLiteral("/dev/shm/zorvane-test-XXXXXX"));
        if (!shm.isValid())
            QSKIP("needs /dev/shm");
        const QString file = shm.filePath(name);
        {
            QFile created(file);
            QVERIFY(created.open(QIODevice::WriteOnly));
        }
        QWidget owner;
        BoxAnswerer answerer({QMessageBox::Yes, QMessageBox::No});
        GioShellFileOperation service;
        ShellRequest request;
        request.owner = &owner;
        request.function = FO_DELETE;
        request.from = file;
        request.flags = FOF_ALLOWUNDO;
        const int result = service.perform(request);
        if (answerer.shown.size() == 1 && result == int(Result::Done))
            QSKIP("this system keeps a trash on /dev/shm");

        QCOMPARE(result, int(Result::Declined));
        QVERIFY(QFile::exists(file));
        QCOMPARE(answerer.shown.size(), 2);
        QCOMPARE(answerer.shown[0].text,
                 QStringLiteral("「") + name + QStringLiteral("」をごみ箱に移しますか？"));
        const QString warning = answerer.shown[1].text;
        QVERIFY2(
            warning.startsWith(QStringLiteral("「") + name + QStringLiteral("」のある場所には")),
            qPrintable(warning));
        QVERIFY2(warning.contains(QStringLiteral("完全に削除しますか？")), qPrintable(warning));
        for (const ShownBox& box : answerer.shown) {
            QCOMPARE(box.format, Qt::PlainText);
            // Modal to the window that asked, not to the whole program (the help window).
            QCOMPARE(box.modality, Qt::WindowModal);
        }
    }

    // Each line of a message stays whole where the box can be wide enough, inside the screen.
    void namesStayWholeInMessageBoxes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("whole");
        const auto failure = [](const QString& name) {
            return shellFailureMessage(FO_COPY, QStringLiteral("/d/") + name, 0).text;
        };
        QTest::newRow("replace question")
            << shellReplaceQuestion(FO_COPY, QStringLiteral("/home/u/ドキュメント/手引き_SJIS.txt"))
                   .text
            << true;
        QTest::newRow("long name with blanks")
            << failure(QStringLiteral("会議 メモ_2024 年度_第 3 四半期_まとめ_最終版.txt")) << true;
        QTest::newRow("wider than any box") << failure(QString(120, QChar(u'長'))) << false;
    }
    void namesStayWholeInMessageBoxes() {
        QFETCH(QString, text);
        QFETCH(bool, whole);
        bool linesFit = false;
        bool inside = false;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            linesFit = true;
            for (const QString& line : text.split(QStringLiteral("\r\n")))
                linesFit = linesFit && label->fontMetrics().horizontalAdvance(line) <=
                                           label->contentsRect().width() - label->indent();
            inside = box->width() <= box->screen()->availableGeometry().width() &&
                     label->geometry().right() < box->width();
            box->buttons().first()->click();
        });
        timer.start(5);
        QWidget owner;
        QtMessageBoxService().show(&owner, MessageRequest{text, QString(), MessageIcon::Critical});
        QCOMPARE(linesFit, whole);
        QVERIFY(inside);
    }

    // The progress window's text names the file as it is spelled.
    void progressTextShowsTheNameAsSpelled() {
        PlatformServices::setMessageBox(nullptr);
        QTemporaryDir work;
        QVERIFY(work.isValid());
        const QString name = QStringLiteral("<b>x.txt<!--");
        const QString source = work.filePath(name);
        const QString target = work.filePath(QStringLiteral("to"));
        QVERIFY(QDir().mkpath(target));
        {
            QFile file(source);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.write(QByteArray(2 * 1024 * 1024, 'x')) > 0);
        }
        QWidget owner;
        GioShellFileOperation service;
        QString shown;
        Qt::TextFormat format = Qt::AutoText;
        service.setProgressHook([&](qint64, qint64) {
            const auto* window = owner.findChild<QProgressDialog*>();
            const auto* label = window ? window->findChild<QLabel*>() : nullptr;
            if (label && shown.isEmpty()) {
                shown = visibleText(label);
                format = label->textFormat();
            }
            return false;
        });
        ShellRequest request;
        request.owner = &owner;
        request.function = FO_COPY;
        request.from = source;
        request.to = target;
        request.flags = FOF_ALLOWUNDO;
        QCOMPARE(service.perform(request), int(Result::Done));
        QCOMPARE(shown, QStringLiteral("「<b>x.txt<!--」をコピーしています…"));
        QCOMPARE(format, Qt::PlainText);
    }

    // A tool tip shows a path as it is spelled, blanks and all; Qt reads a tool tip as markup
    // whenever it looks like some.
    void toolTipsShowTheTextAsSpelled_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("tags and a comment") << QStringLiteral("/home/u/<b>x.txt<!--");
        QTest::newRow("entities") << QStringLiteral("/home/u/&lt;x&gt;.txt");
        QTest::newRow("a tag and two blanks") << QStringLiteral("/tmp/<i>a  b</i>.txt");
        QTest::newRow("plain") << QStringLiteral("/home/u/会議メモ_SJIS.txt");
    }
    void toolTipsShowTheTextAsSpelled() {
        QFETCH(QString, text);
        const QString tip = plainToolTip(text);
        QString shown = tip;
        if (Qt::mightBeRichText(tip)) {
            QTextDocument document;
            document.setHtml(tip);
            shown = document.toPlainText().replace(QChar::Nbsp, QLatin1Char(' '));
        }
        QCOMPARE(shown, text);
    }
};

int main(int argc, char** argv) {
    // GLib reads the user's folders once: the trash of this test is its own.
    const zorvane::testing::TemporaryHome home;
    if (!home.isValid())
        return 1;
    QApplication app(argc, argv);
    TestShownNames test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_shown_names.moc"
