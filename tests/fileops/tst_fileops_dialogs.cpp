// The four file-operation dialogs on the offscreen platform with the platform fakes: layout,
// keys and focus, and what each button sends and leaves in the program-wide state. Folders are
// real temporary ones, so the destination check and folder creation run for real.
#include "DialogTesting.h"
#include "ForcedFont.h"
#include "PlatformFakes.h"
#include "TestFiles.h"

#include "app/ModPlok.h"
#include "fileops/Form3.h"
#include "fileops/Form4.h"
#include "fileops/Form5.h"
#include "fileops/FrmDirGet.h"
#include "filer/DirectoryListView.h"
#include "filer/DriveListBox.h"
#include "filer/FileListView.h"
#include "formkit/LabelHeight.h"
#include "formkit/PathLabel.h"
#include "formkit/Twips.h"
#include "platform/NativePath.h"
#include "platform/PlatformServices.h"
#include "platform/ShellFileOperation.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <sys/stat.h>

using namespace zorvane;
using namespace zorvane::testing;

namespace {

std::unique_ptr<QDialog> makeDialog(const QString& name) {
    if (name == QStringLiteral("Form3"))
        return std::make_unique<Form3>(nullptr);
    if (name == QStringLiteral("Form4"))
        return std::make_unique<Form4>(nullptr);
    if (name == QStringLiteral("Form5"))
        return std::make_unique<Form5>(nullptr);
    return std::make_unique<FrmDirGet>(nullptr);
}

QString textOf(QWidget* widget) {
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    const QVariant text = widget->property("text");
    return text.isValid() ? text.toString() : QString();
}

// A message box service that runs a step before it answers, for media that come back.
class ScriptedMessageBox final : public MessageBoxService {
public:
    MessageAnswer show(QWidget*, const MessageRequest& request) override {
        shown.append(request);
        return answer(static_cast<int>(shown.size()));
    }
    QList<MessageRequest> shown;
    std::function<MessageAnswer(int)> answer;
};

} // namespace

class TestFileOpsDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<PlatformFakes> fakes_;
    std::unique_ptr<QTemporaryDir> dir_;

    QString path(const QString& relative) const { return dir_->path() + QChar(u'/') + relative; }
    QString makeFile(const QString& relative) {
        const QString file = path(relative);
        QDir().mkpath(QFileInfo(file).path());
        writeBytes(file, "content\r\n");
        return file;
    }
    QString makeFolder(const QString& relative) {
        QDir().mkpath(path(relative));
        return path(relative);
    }
    const QList<ShellRequest>& requests() const { return fakes_->shellFileOperation.requests; }

private slots:
    void init() {
        resetModPlok();
        fakes_ = std::make_unique<PlatformFakes>();
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        fakes_->driveList.entries = {DriveEntry{QStringLiteral("/"), QString()}};
        // "~" is a home folder of the test's own.
        qputenv("HOME", QFile::encodeName(makeFolder(QStringLiteral("home"))));
    }
    void cleanup() {
        fakes_.reset();
        dir_.reset();
    }

    // ---- Layout of all four --------------------------------------------------------------

    void layout_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text"); // "-" for controls without a fixed text
        QTest::addColumn<QList<int>>("twips");
        const auto row = [](const char* dialog, const char* name, const QString& text,
                            QList<int> twips) {
            QTest::addRow("%s %s", dialog, name)
                << QString::fromLatin1(dialog) << QString::fromLatin1(name) << text << twips;
        };
        const QString none = QStringLiteral("-");
        row("Form5", "Label1", QStringLiteral("削除するファイル"), {240, 240, 1560, 180});
        row("Form5", "Label2", QStringLiteral("/data/作業/memo.txt"), {240, 540, 4200, 180});
        row("Form5", "Command1", QStringLiteral("ＯＫ"), {240, 1080, 1680, 480});
        row("Form5", "Command2", QStringLiteral("キャンセル"), {2760, 1080, 1680, 480});
        row("Form4", "Label1", QStringLiteral("元の名前"), {240, 240, 900, 180});
        row("Form4", "Label2", QStringLiteral("memo.txt"), {240, 540, 4200, 180});
        row("Form4", "Label3", QStringLiteral("新しい名前"), {240, 960, 900, 180});
        row("Form4", "Text1", QStringLiteral("memo.txt"), {240, 1260, 4200, 270});
        row("Form4", "Command1", QStringLiteral("ＯＫ"), {240, 1920, 1680, 480});
        row("Form4", "Command2", QStringLiteral("キャンセル"), {2760, 1920, 1680, 480});
        row("frmDirGet", "Label1", QStringLiteral("ディレクトリ名"), {60, 60, 2535, 180});
        row("frmDirGet", "Dir1", none, {60, 300, 3615, 3450});
        row("frmDirGet", "Label3", QStringLiteral("ドライブ名"), {3855, 60, 2535, 180});
        row("frmDirGet", "Drive1", none, {3855, 300, 2655, 300});
        row("frmDirGet", "Label2", QStringLiteral("ファイル名（参考）"), {3855, 720, 2535, 180});
        row("frmDirGet", "File1", none, {3840, 960, 2655, 2772});
        row("frmDirGet", "Text1", QStringLiteral("ディレクトリ名"), {120, 3960, 6375, 270});
        row("frmDirGet", "Command1", QStringLiteral("ＯＫ"), {600, 4440, 1695, 540});
        row("frmDirGet", "Command2", QStringLiteral("キャンセル"), {4440, 4440, 1695, 540});
        row("Form3", "Label1", QStringLiteral("ファイル："), {240, 240, 960, 180});
        row("Form3", "Label2", QStringLiteral("/data/作業/memo.txt"), {1320, 240, 4000, 180});
        row("Form3", "Label3", QStringLiteral("を"), {5440, 240, 960, 180});
        row("Form3", "Command3", QStringLiteral("参照"), {300, 660, 720, 300});
        row("Form3", "Combo1", QStringLiteral("/r/1"), {1320, 660, 4000, 300});
        row("Form3", "Label4", QStringLiteral("へ"), {5445, 720, 240, 180});
        row("Form3", "Command1", QStringLiteral("Copy"), {5760, 600, 720, 420});
        row("Form3", "Label5", QStringLiteral("いつものディレクトリ"), {1320, 1200, 1920, 180});
        row("Form3", "Combo2", QStringLiteral("/u/1"), {1320, 1440, 4000, 300});
        row("Form3", "Label6", QStringLiteral("へ"), {5445, 1500, 240, 180});
        row("Form3", "Command2", QStringLiteral("Copy"), {5760, 1380, 720, 420});
        row("Form3", "Command4", QStringLiteral("キャンセル"), {3640, 1980, 1680, 480});
    }
    void layout() {
        QFETCH(QString, dialog);
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QList<int>, twips);
        modPlok().TargetPath = QStringLiteral("/data/作業/memo.txt");
        modPlok().FileOpCode = 1;
        modPlok().RecentDirs(2) = QStringLiteral("/r/1");
        modPlok().UsualDirs(1) = QStringLiteral("/u/1");
        const auto window = makeDialog(dialog);
        QWidget* widget = control(window.get(), name.toLatin1().constData());
        QVERIFY(widget);
        QRect expected =
            twipsToPixels(TwipsRect{twips.at(0), twips.at(1), twips.at(2), twips.at(3)});
        // A label that shows a name is as tall as its font where the designed height is not.
        if (const auto* label = qobject_cast<PathLabel*>(widget))
            expected = labelRectForFont(expected, textHeightOf(*label));
        QCOMPARE(widget->geometry(), expected);
        if (text != QStringLiteral("-"))
            QCOMPARE(textOf(widget), text);
    }

    // With a Japanese font taller than IPA's (Noto CJK, the usual one of desktop installs),
    // every combo box and text box is as tall as its font needs, the name's label keeps its
    // descenders, nothing overlaps and everything stays inside the dialog; with IPA the
    // dialog keeps its designed size.
    void textControlsFitTheirFont_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("family");
        for (const char* dialog : {"Form3", "Form4", "Form5", "frmDirGet"})
            for (const char* family : {"IPAGothic", "Noto Sans Mono CJK JP", "Noto Sans CJK JP"})
                QTest::addRow("%s %s", dialog, family)
                    << QString::fromLatin1(dialog) << QString::fromLatin1(family);
    }
    void textControlsFitTheirFont() {
        QFETCH(QString, dialog);
        QFETCH(QString, family);
        if (!ForcedFont::installed(family))
            QSKIP(qPrintable(family + QStringLiteral(" is not installed (fonts-noto-cjk, "
                                                     "fonts-ipafont-gothic)")));
        const ForcedFont font(family, 9);
        modPlok().TargetPath = QStringLiteral("/home/user/port_gyq.txt");
        modPlok().FileOpCode = dialog == QStringLiteral("Form3")   ? 1
                               : dialog == QStringLiteral("Form4") ? 4
                                                                   : 3;
        modPlok().RecentDirs(2) = QStringLiteral("/home/user/jpg");
        const auto window = makeDialog(dialog);
        const QList<QWidget*> controls = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        int textControls = 0;
        for (const QWidget* control : controls) {
            if (control->isWindow())
                continue;
            const QByteArray name = control->objectName().toUtf8();
            QVERIFY2(window->rect().contains(control->geometry()), name.constData());
            int need = textHeightOfControl(*control);
            if (const auto* label = qobject_cast<const PathLabel*>(control))
                need = textHeightOf(*label);
            if (need == 0)
                continue;
            ++textControls;
            QVERIFY2(control->height() >= need, name.constData());
            QCOMPARE(control->fontInfo().family(), family);
            for (const QWidget* other : controls)
                if (other != control && !other->isWindow())
                    QVERIFY2(!control->geometry().intersects(other->geometry()),
                             (name + " and " + other->objectName().toUtf8()).constData());
        }
        QVERIFY(textControls >= 1);
        if (family == QStringLiteral("IPAGothic")) {
            const QSize designed = dialog == QStringLiteral("Form3")   ? QSize(6648, 2700)
                                   : dialog == QStringLiteral("Form4") ? QSize(4680, 2700)
                                   : dialog == QStringLiteral("Form5") ? QSize(4680, 1860)
                                                                       : QSize(6648, 5160);
            QCOMPARE(window->size(),
                     QSize(twipsToPixels(designed.width()), twipsToPixels(designed.height())));
        }
    }

    // The name in a confirmation is read whole: the label is tall enough for the font's
    // descenders (an underscore cut off reads as a blank), and a name too long for it is
    // elided in the middle, its extension still shown.
    void namesAreReadableInTheirLabels_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("shownEnd"); // how the shown text ends
        const QString underscored = QStringLiteral("/data/作業/会議メモ_SJIS.txt");
        const QString longName = QStringLiteral("/d/") +
                                 QStringLiteral("とても長い名前の議事録_").repeated(8) +
                                 QStringLiteral("最終版.txt");
        for (const char* dialog : {"Form3", "Form4", "Form5"}) {
            QTest::addRow("%s underscore", dialog) << QString::fromLatin1(dialog) << underscored
                                                   << QStringLiteral("会議メモ_SJIS.txt");
            QTest::addRow("%s long name", dialog)
                << QString::fromLatin1(dialog) << longName << QStringLiteral("最終版.txt");
        }
    }

    void namesAreReadableInTheirLabels() {
        QFETCH(QString, dialog);
        QFETCH(QString, target);
        QFETCH(QString, shownEnd);
        modPlok().TargetPath = target;
        modPlok().FileOpCode = dialog == QStringLiteral("Form3")   ? 1
                               : dialog == QStringLiteral("Form4") ? 4
                                                                   : 3;
        const auto window = makeDialog(dialog);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* label = window->findChild<PathLabel*>(QStringLiteral("Label2"));
        QVERIFY(label);
        QVERIFY2(label->height() >= label->fontMetrics().height(),
                 qPrintable(QStringLiteral("%1 px for a font of %2 px")
                                .arg(label->height())
                                .arg(label->fontMetrics().height())));
        const QString shown = label->shownText();
        QVERIFY2(shown.endsWith(shownEnd), qPrintable(shown));
        QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width());
        const bool elided = shown.contains(QChar(u'…'));
        QCOMPARE(elided, label->fontMetrics().horizontalAdvance(displayPath(label->text())) >
                             label->contentsRect().width());
        QCOMPARE(label->toolTip(), displayPath(label->text()));
    }

    void windows_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QSize>("clientTwips");
        QTest::addColumn<QStringList>("tabOrder"); // from where the focus starts
        QTest::addColumn<QString>("defaultButton");
        QTest::newRow("Form5") << QStringLiteral("Form5") << QStringLiteral("ファイルの削除")
                               << QSize(4680, 1860)
                               << QStringList{QStringLiteral("Command1"),
                                              QStringLiteral("Command2"),
                                              QStringLiteral("Command1")}
                               << QString();
        QTest::newRow("Form4") << QStringLiteral("Form4") << QStringLiteral("名前の変更")
                               << QSize(4680, 2700)
                               << QStringList{QStringLiteral("Text1"), QStringLiteral("Command1"),
                                              QStringLiteral("Command2"), QStringLiteral("Text1")}
                               << QStringLiteral("Command1");
        QTest::newRow("frmDirGet")
            << QStringLiteral("frmDirGet") << QStringLiteral("ディレクトリ参照")
            << QSize(6648, 5160)
            << QStringList{QStringLiteral("Command1"), QStringLiteral("Command2"),
                           QStringLiteral("Drive1"),   QStringLiteral("Dir1"),
                           QStringLiteral("File1"),    QStringLiteral("Text1"),
                           QStringLiteral("Command1")}
            << QString();
        QTest::newRow("Form3") << QStringLiteral("Form3") << QStringLiteral("ファイルコピー")
                               << QSize(6648, 2700) << QStringList{QStringLiteral("Command1"),
                                                                   QStringLiteral("Command2"),
                                                                   QStringLiteral("Command4"),
                                                                   QStringLiteral("Command3"),
                                                                   QStringLiteral("Combo1"),
                                                                   QStringLiteral("Combo2"),
                                                                   QStringLiteral("Command1")}
                               << QStringLiteral("Command1");
    }
    void windows() {
        QFETCH(QString, dialog);
        QFETCH(QString, caption);
        QFETCH(QSize, clientTwips);
        QFETCH(QStringList, tabOrder);
        QFETCH(QString, defaultButton);
        modPlok().TargetPath = path(QStringLiteral("memo.txt"));
        modPlok().DirPickStart = dir_->path();
        modPlok().RecentDirs(1) = QStringLiteral("/r/1");
        modPlok().FileOpCode = 1;
        const auto window = makeDialog(dialog);
        QCOMPARE(window->objectName(), dialog);
        QCOMPARE(window->windowTitle(), caption);
        const QSize pixels(twipsToPixels(clientTwips.width()), twipsToPixels(clientTwips.height()));
        QCOMPARE(window->size(), pixels);
        QCOMPARE(window->minimumSize(), pixels);
        QCOMPARE(window->maximumSize(), pixels);
        QVERIFY(!(window->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(window->isModal());
        QVERIFY(showActive(*window));
        QCOMPARE(tabWalk(window.get(), int(tabOrder.size()) - 1), tabOrder);
        // The default button, marked so even while another control has the focus.
        for (QPushButton* button : window->findChildren<QPushButton*>()) {
            if (button->objectName() != defaultButton)
                continue;
            QVERIFY(button->isDefault());
        }
        // Captions of fields are their buddies, so a screen reader names the field.
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->buddy())
                QVERIFY(!label->buddy()->objectName().isEmpty());
        }
        const QStringList buddies{QStringLiteral("Form4:Text1"), QStringLiteral("frmDirGet:Dir1"),
                                  QStringLiteral("frmDirGet:File1"),
                                  QStringLiteral("frmDirGet:Drive1"),
                                  QStringLiteral("Form3:Combo2")};
        for (const QString& entry : buddies) {
            if (!entry.startsWith(dialog + QChar(u':')))
                continue;
            const QString field = entry.section(QChar(u':'), 1);
            bool found = false;
            for (QLabel* label : window->findChildren<QLabel*>())
                found = found || (label->buddy() && label->buddy()->objectName() == field);
            QVERIFY2(found, qPrintable(entry));
            // What a screen reader says for the field: its caption.
            QWidget* fieldWidget = window->findChild<QWidget*>(field);
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(fieldWidget);
            QVERIFY(accessible);
            QVERIFY(!accessible->text(QAccessible::Name).isEmpty());
        }
        // In the middle of the screen, frame included.
        const QPoint centre = window->screen()->availableGeometry().center();
        const QSize frame = window->frameGeometry().size() - window->size();
        QVERIFY((window->frameGeometry().center() - centre).manhattanLength() <=
                2 + frame.width() / 2 + frame.height() / 2);
    }

    // What a screen reader says for controls whose text does not tell: the two action buttons
    // of the copy dialog by their row (their captions stay), the picker's drive and path boxes.
    void accessibleNames_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("fileOpCode");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption"); // "-": not a button
        QTest::addColumn<QString>("announced");
        const auto row = [](const char* dialog, int code, const char* name, const QString& caption,
                            const QString& announced) {
            QTest::addRow("%s %d %s", dialog, code, name)
                << QString::fromLatin1(dialog) << code << QString::fromLatin1(name) << caption
                << announced;
        };
        row("Form3", 1, "Command1", QStringLiteral("Copy"),
            QStringLiteral("最近のディレクトリへコピー"));
        row("Form3", 1, "Command2", QStringLiteral("Copy"),
            QStringLiteral("いつものディレクトリへコピー"));
        row("Form3", 2, "Command1", QStringLiteral("Move"),
            QStringLiteral("最近のディレクトリへ移動"));
        row("Form3", 2, "Command2", QStringLiteral("Move"),
            QStringLiteral("いつものディレクトリへ移動"));
        row("Form3", 1, "Combo1", QStringLiteral("-"), QStringLiteral("最近のディレクトリ"));
        // The text fields inside the folder boxes, which a screen reader reaches by themselves.
        row("Form3", 1, "Combo1.edit", QStringLiteral("-"), QStringLiteral("最近のディレクトリ"));
        row("Form3", 1, "Combo2.edit", QStringLiteral("-"), QStringLiteral("いつものディレクトリ"));
        row("frmDirGet", 1, "Drive1", QStringLiteral("-"), QStringLiteral("ドライブ"));
        row("frmDirGet", 1, "Text1", QStringLiteral("-"), QStringLiteral("パス"));
    }
    void accessibleNames() {
        QFETCH(QString, dialog);
        QFETCH(int, fileOpCode);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, announced);
        modPlok().TargetPath = path(QStringLiteral("memo.txt"));
        modPlok().DirPickStart = dir_->path();
        modPlok().RecentDirs(1) = QStringLiteral("/r/1");
        modPlok().FileOpCode = qint16(fileOpCode);
        const auto window = makeDialog(dialog);
        QVERIFY(showActive(*window));
        QWidget* widget = window->findChild<QWidget*>(name.section(QChar(u'.'), 0, 0));
        if (name.endsWith(QStringLiteral(".edit")))
            widget = qobject_cast<QComboBox*>(widget)->lineEdit();
        QVERIFY(widget);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), announced);
        if (caption != QStringLiteral("-"))
            QCOMPARE(qobject_cast<QPushButton*>(widget)->text(), caption);
    }

    // A long path stays whole in the label's text and tool tip; on screen its middle gives way.
    void longPathIsElidedInTheMiddle() {
        modPlok().TargetPath = QStringLiteral("/data/") + QString(40, QChar(u'深')) +
                               QStringLiteral("/最後の名前.txt");
        Form5 form5(nullptr);
        QCOMPARE(form5.label2()->text(), modPlok().TargetPath);
        QCOMPARE(form5.label2()->toolTip(), modPlok().TargetPath);
        const QString shown = form5.label2()->shownText();
        QVERIFY(shown.size() < modPlok().TargetPath.size());
        QVERIFY(shown.contains(QChar(0x2026)));
        QVERIFY(shown.endsWith(QStringLiteral(".txt")));
    }

    // ---- Form5 ---------------------------------------------------------------------------

    void deleteConfirmsWithEnterOrSpace_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void deleteConfirmsWithEnterOrSpace() {
        QFETCH(int, key);
        modPlok().TargetPath = QStringLiteral("/data/消す \"名前\".txt");
        modPlok().FileOpCode = 3;
        Form5 form5(nullptr);
        QVERIFY(showActive(form5));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(requests().size(), 1);
        QCOMPARE(requests().first().function, quint32(FO_DELETE));
        QCOMPARE(requests().first().from, modPlok().TargetPath);
        QCOMPARE(requests().first().owner, &form5);
        QCOMPARE(modPlok().FileOpCode, qint16(0));
        QVERIFY(!form5.isVisible());
    }

    void deleteCancelledSendsNothing_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("cancel button") << QStringLiteral("cancel");
        QTest::newRow("frame") << QStringLiteral("frame");
        QTest::newRow("Esc does nothing") << QStringLiteral("esc");
    }
    void deleteCancelledSendsNothing() {
        QFETCH(QString, how);
        modPlok().TargetPath = QStringLiteral("/data/memo.txt");
        modPlok().FileOpCode = 3;
        Form5 form5(nullptr);
        QVERIFY(showActive(form5));
        if (how == QStringLiteral("cancel"))
            QTest::mouseClick(form5.command2(), Qt::LeftButton);
        else if (how == QStringLiteral("frame"))
            form5.close();
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(requests().isEmpty());
        QCOMPARE(modPlok().FileOpCode, qint16(3));
        QCOMPARE(form5.isVisible(), how == QStringLiteral("esc"));
    }

    // ---- Form4 ---------------------------------------------------------------------------

    void renameOffersTheNameWithoutItsExtension() {
        modPlok().TargetPath = QStringLiteral("/データ/月次 報告/報告書 2024.txt");
        modPlok().FileOpCode = 4;
        Form4 form4(nullptr);
        QVERIFY(showActive(form4));
        QCOMPARE(focusName(), QStringLiteral("Text1"));
        QCOMPARE(form4.label2()->text(), QStringLiteral("報告書 2024.txt"));
        QCOMPARE(form4.text1()->selectedText(), QStringLiteral("報告書 2024"));
        // Typing replaces the selected part; the extension stays.
        typeText(form4.text1(), QStringLiteral("新しい 名前"));
        QTest::keyClick(form4.text1(), Qt::Key_Return);
        QCOMPARE(requests().size(), 1);
        QCOMPARE(requests().first().function, quint32(FO_RENAME));
        QCOMPARE(requests().first().to, QStringLiteral("/データ/月次 報告/新しい 名前.txt"));
        QCOMPARE(modPlok().DestPath, requests().first().to);
        QCOMPARE(requests().first().owner, &form4);
        QVERIFY(!form4.isVisible());
    }

    // A name in Shift-JIS bytes is offered decoded; the request names the file by its bytes and
    // the new name joins the old folder's bytes.
    void renameShiftJisName() {
        const QString folder = pathFromNative(QByteArray("/d/") + Cp932Hyouji + '/');
        modPlok().TargetPath = folder + pathFromNative(Cp932Hyouji + ".txt");
        modPlok().FileOpCode = 4;
        Form4 form4(nullptr);
        QVERIFY(showActive(form4));
        QCOMPARE(form4.label2()->text(), QStringLiteral("表示.txt"));
        QCOMPARE(form4.text1()->selectedText(), QStringLiteral("表示"));
        QTest::keyClick(form4.text1(), Qt::Key_Return); // unchanged
        QCOMPARE(fakes_->beep.count, 1);
        QVERIFY(requests().isEmpty());
        typeText(form4.text1(), QStringLiteral("新"));
        QTest::keyClick(form4.text1(), Qt::Key_Return);
        QCOMPARE(requests().size(), 1);
        QCOMPARE(nativePath(requests().first().from),
                 QByteArray("/d/") + Cp932Hyouji + '/' + Cp932Hyouji + ".txt");
        QCOMPARE(nativePath(requests().first().to), QByteArray("/d/") + Cp932Hyouji + "/新.txt");
    }

    void renameOk_data() {
        QTest::addColumn<QString>("newName");
        QTest::addColumn<bool>("sent");
        QTest::newRow("unchanged beeps") << QStringLiteral("Memo.txt") << false;
        QTest::newRow("case only is a change") << QStringLiteral("MEMO.TXT") << true;
        QTest::newRow("empty passed on") << QString() << true;
        QTest::newRow("blanks kept") << QStringLiteral(" Memo.txt ") << true;
    }
    void renameOk() {
        QFETCH(QString, newName);
        QFETCH(bool, sent);
        modPlok().TargetPath = QStringLiteral("/d/Memo.txt");
        modPlok().FileOpCode = 4;
        Form4 form4(nullptr);
        QVERIFY(showActive(form4));
        form4.text1()->setText(newName);
        QTest::mouseClick(form4.command1(), Qt::LeftButton);
        QCOMPARE(requests().size(), sent ? 1 : 0);
        QCOMPARE(fakes_->beep.count, sent ? 0 : 1);
        QCOMPARE(form4.isVisible(), !sent);
        if (sent)
            QCOMPARE(requests().first().to, QStringLiteral("/d/") + newName);
        else
            QCOMPARE(modPlok().FileOpCode, qint16(4));
    }

    // The service refuses (name taken): its own message was shown; the dialog closes all the
    // same and FileOpCode says not done.
    void renameRefusedClosesNotDone() {
        modPlok().TargetPath = QStringLiteral("/d/a.txt");
        modPlok().FileOpCode = 4;
        fakes_->shellFileOperation.result = 2;
        Form4 form4(nullptr);
        QVERIFY(showActive(form4));
        form4.text1()->setText(QStringLiteral("b.txt"));
        QTest::keyClick(form4.text1(), Qt::Key_Enter);
        QCOMPARE(modPlok().FileOpCode, qint16(2));
        QVERIFY(!form4.isVisible());
    }

    void renameEscCancels() {
        modPlok().TargetPath = QStringLiteral("/d/a.txt");
        modPlok().FileOpCode = 4;
        Form4 form4(nullptr);
        QVERIFY(showActive(form4));
        QTest::keyClicks(form4.text1(), QStringLiteral("zzz"));
        QTest::keyClick(form4.text1(), Qt::Key_Escape);
        QVERIFY(!form4.isVisible());
        QVERIFY(requests().isEmpty());
        QCOMPARE(modPlok().FileOpCode, qint16(4));
    }

    // ---- frmDirGet -----------------------------------------------------------------------

    void pickerAcceptsTheShownOrTheHighlightedFolder() {
        const QString start = makeFolder(QStringLiteral("開始"));
        makeFolder(QStringLiteral("開始/サブ A"));
        makeFile(QStringLiteral("開始/メモ.txt"));
        makeFile(QStringLiteral("開始/noext"));
        modPlok().DirPickStart = start;
        modPlok().DirPickResult = QStringLiteral("/stale");
        {
            FrmDirGet picker(nullptr);
            QVERIFY(showActive(picker));
            QCOMPARE(picker.dir1()->path(), start);
            QCOMPARE(picker.file1()->path(), start);
            QCOMPARE(picker.file1()->listCount(), 2);
            QCOMPARE(picker.text1()->text(), QStringLiteral("ディレクトリ名"));
            QCOMPARE(focusName(), QStringLiteral("Command1"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(modPlok().DirPickResult, start);
            QVERIFY(!picker.isVisible());
        }
        {
            FrmDirGet picker(nullptr);
            QVERIFY(showActive(picker));
            picker.dir1()->setFocus();
            QTest::keyClick(picker.dir1(), Qt::Key_Down); // highlights the subfolder
            QCOMPARE(picker.text1()->text(), start + QStringLiteral("/サブ A"));
            QCOMPARE(picker.dir1()->path(), start);
            QTest::mouseClick(picker.command1(), Qt::LeftButton);
            QCOMPARE(modPlok().DirPickResult, start + QStringLiteral("/サブ A"));
            QCOMPARE(picker.dir1()->path(), start + QStringLiteral("/サブ A"));
        }
    }

    // A folder named in Shift-JIS bytes: shown decoded, handed back by its bytes.
    void pickerShiftJisFolder() {
        const QString folder = pathFromNative(QFile::encodeName(dir_->path()) + '/' + Cp932Hyouji);
        QCOMPARE(::mkdir(nativePath(folder).constData(), 0777), 0);
        modPlok().DirPickStart = folder;
        FrmDirGet picker(nullptr);
        QVERIFY(showActive(picker));
        QCOMPARE(picker.dir1()->path(), folder);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(modPlok().DirPickResult, folder);
        QCOMPARE(picker.text1()->text(), dir_->path() + QStringLiteral("/表示"));
    }

    void pickerCancelReturnsNothing_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("cancel button") << QStringLiteral("cancel");
        QTest::newRow("frame") << QStringLiteral("frame");
    }
    void pickerCancelReturnsNothing() {
        QFETCH(QString, how);
        modPlok().DirPickStart = dir_->path();
        modPlok().DirPickResult = QStringLiteral("/from/an/earlier/use");
        FrmDirGet picker(nullptr);
        QVERIFY(showActive(picker));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // does nothing
        QVERIFY(picker.isVisible());
        if (how == QStringLiteral("cancel"))
            QTest::mouseClick(picker.command2(), Qt::LeftButton);
        else
            picker.close();
        QVERIFY(!picker.isVisible());
        QCOMPARE(modPlok().DirPickResult, QString());
        QCOMPARE(picker.text1()->text(), QString());
    }

    // Enter never closes the picker from a control that is not a button: the folder list opens
    // its highlighted folder, elsewhere nothing happens, however the focus got there (by Tab
    // past キャンセル, or by a click).
    void pickerEnterOpensOrDoesNothing_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("tabs"); // from Command1; -1: clicked
        QTest::addColumn<bool>("opens");
        QTest::newRow("Drive1 by Tab") << QStringLiteral("Drive1") << 2 << false;
        QTest::newRow("Dir1 by Tab") << QStringLiteral("Dir1") << 3 << true;
        QTest::newRow("File1 by Tab") << QStringLiteral("File1") << 4 << false;
        QTest::newRow("File1 clicked") << QStringLiteral("File1") << -1 << false;
        QTest::newRow("Text1 by Tab") << QStringLiteral("Text1") << 5 << false;
    }
    void pickerEnterOpensOrDoesNothing() {
        QFETCH(QString, target);
        QFETCH(int, tabs);
        QFETCH(bool, opens);
        const QString start = makeFolder(QStringLiteral("開始"));
        makeFolder(QStringLiteral("開始/サブ"));
        makeFile(QStringLiteral("開始/メモ.txt"));
        modPlok().DirPickStart = start;
        modPlok().DirPickResult = QStringLiteral("/stale");
        FrmDirGet picker(nullptr);
        QVERIFY(showActive(picker));
        QWidget* widget = picker.findChild<QWidget*>(target);
        if (tabs < 0) {
            // The first file is picked, so the list has a current entry.
            QTest::mouseClick(qobject_cast<QAbstractItemView*>(widget)->viewport(), Qt::LeftButton,
                              {}, QPoint(8, 6));
        } else {
            tabWalk(&picker, tabs);
        }
        QCOMPARE(focusName(), target);
        if (target == QStringLiteral("Dir1"))
            QTest::keyClick(picker.dir1(), Qt::Key_Down); // highlights サブ
        const QString text = picker.text1()->text();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(picker.isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(picker.isVisible());
        QCOMPARE(picker.result(), 0);
        QCOMPARE(modPlok().DirPickResult, QStringLiteral("/stale"));
        QCOMPARE(picker.text1()->text(), text);
        QCOMPARE(picker.dir1()->path(), opens ? start + QStringLiteral("/サブ") : start);
        QCOMPARE(picker.file1()->path(), picker.dir1()->path());
    }

    void pickerStartsNearTheStart_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a file") << QStringLiteral("a/file.txt") << QStringLiteral("a");
        QTest::newRow("a removed folder") << QStringLiteral("a/gone/deeper") << QStringLiteral("a");
        QTest::newRow("empty: the current folder") << QString() << QStringLiteral(".");
    }
    void pickerStartsNearTheStart() {
        QFETCH(QString, start);
        QFETCH(QString, expected);
        makeFile(QStringLiteral("a/file.txt"));
        const QString before = QDir::currentPath();
        QDir::setCurrent(makeFolder(QStringLiteral("cwd")));
        modPlok().DirPickStart = start.isEmpty() ? QString() : path(start);
        FrmDirGet picker(nullptr);
        QDir::setCurrent(before);
        QCOMPARE(picker.dir1()->path(),
                 expected == QStringLiteral(".") ? path(QStringLiteral("cwd")) : path(expected));
        QCOMPARE(picker.file1()->path(), picker.dir1()->path());
    }

    void pickerTextBoxIsADisplay() {
        modPlok().DirPickStart = dir_->path();
        FrmDirGet picker(nullptr);
        QVERIFY(showActive(picker));
        picker.file1()->setFocus();
        QTest::mouseClick(picker.text1(), Qt::LeftButton);
        QCOMPARE(fakes_->beep.count, 1);
        QCOMPARE(focusName(), QStringLiteral("Command1"));
    }

    // A drive whose medium is gone offers Retry until it answers or the user cancels; Cancel
    // and other failures put the drive list back on the folder shown.
    void pickerDriveErrors() {
        const QString start = makeFolder(QStringLiteral("shown"));
        const QString card = makeFolder(QStringLiteral("card"));
        fakes_->driveList.entries = {DriveEntry{QStringLiteral("/"), QString()},
                                     DriveEntry{card, QStringLiteral("CARD")}};
        ScriptedMessageBox boxes;
        PlatformServices::setMessageBox(&boxes);
        modPlok().DirPickStart = start;
        FrmDirGet picker(nullptr);
        QVERIFY(showActive(picker));

        // Not ready twice, then Cancel.
        fakes_->driveList.failures.insert(card, 71);
        boxes.answer = [](int n) { return n < 3 ? MessageAnswer::Retry : MessageAnswer::Cancel; };
        picker.drive1()->setCurrentIndex(1);
        QCOMPARE(boxes.shown.size(), 3);
        QCOMPARE(boxes.shown.first().title, QStringLiteral("ドライブエラー"));
        QCOMPARE(boxes.shown.first().buttons, MessageButtons::RetryCancel);
        QCOMPARE(picker.drive1()->drive(), QStringLiteral("/"));
        QCOMPARE(picker.dir1()->path(), start);

        // The medium arrives while the box is open: Retry shows its folders.
        boxes.shown.clear();
        boxes.answer = [this, card](int) {
            fakes_->driveList.failures.remove(card);
            return MessageAnswer::Retry;
        };
        fakes_->driveList.failures.insert(card, 68);
        picker.drive1()->setCurrentIndex(1);
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(picker.dir1()->path(), card);
        QCOMPARE(picker.file1()->path(), card);

        // Another failure: the OK box with its number, the list back on the shown folder's drive.
        picker.drive1()->setCurrentIndex(0);
        QCOMPARE(picker.dir1()->path(), start); // the folder last shown on that drive
        boxes.shown.clear();
        boxes.answer = [](int) { return MessageAnswer::Ok; };
        fakes_->driveList.failures.insert(card, 70);
        picker.drive1()->setCurrentIndex(1);
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(boxes.shown.first().text,
                 QStringLiteral("エラーです。 70\r\nＯＫを押してください。"));
        QCOMPARE(boxes.shown.first().buttons, MessageButtons::Ok);
        QCOMPARE(picker.drive1()->drive(), QStringLiteral("/"));
        QCOMPARE(picker.dir1()->path(), start);
        PlatformServices::setMessageBox(&fakes_->messageBox);
    }

    // ---- Form3 ---------------------------------------------------------------------------

    void copyMoveLoad() {
        modPlok().TargetPath = QStringLiteral("/data/memo.txt");
        modPlok().FileOpCode = 2;
        modPlok().RecentDirs(2) = QStringLiteral("/r/a");
        modPlok().RecentDirs(7) = QStringLiteral("/r/b");
        modPlok().UsualDirs(3) = QStringLiteral("/u/a");
        Form3 form3(nullptr);
        QCOMPARE(form3.windowTitle(), QStringLiteral("ファイル移動"));
        QCOMPARE(form3.command1()->text(), QStringLiteral("Move"));
        QCOMPARE(form3.command2()->text(), QStringLiteral("Move"));
        QCOMPARE(form3.opFunc(), qint32(FO_MOVE));
        QCOMPARE(form3.combo1()->count(), 2);
        QCOMPARE(form3.combo1()->itemText(1), QStringLiteral("/r/b"));
        QCOMPARE(form3.combo1()->currentText(), QStringLiteral("/r/a"));
        QCOMPARE(form3.combo2()->currentText(), QStringLiteral("/u/a"));
        QCOMPARE(form3.label2()->text(), modPlok().TargetPath);
    }

    // Enter right after opening copies to the first recent folder, as it does from inside the
    // second row's text; the list keeps its order.
    void enterCopiesToTheFirstRecentFolder_data() {
        QTest::addColumn<QString>("focus");
        QTest::newRow("right after opening") << QString();
        QTest::newRow("inside Combo2") << QStringLiteral("Combo2");
    }
    void enterCopiesToTheFirstRecentFolder() {
        QFETCH(QString, focus);
        const QString first = makeFolder(QStringLiteral("first"));
        modPlok().TargetPath = makeFile(QStringLiteral("memo.txt"));
        modPlok().FileOpCode = 1;
        modPlok().RecentDirs(1) = first;
        modPlok().RecentDirs(2) = QStringLiteral("/r/b");
        modPlok().UsualDirs(1) = QStringLiteral("/u/a");
        Form3 form3(nullptr);
        QVERIFY(showActive(form3));
        if (!focus.isEmpty())
            form3.findChild<QWidget*>(focus)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(requests().size(), 1);
        QCOMPARE(requests().first().function, quint32(FO_COPY));
        QCOMPARE(requests().first().to, first);
        QCOMPARE(requests().first().owner, &form3);
        QVERIFY(!form3.isVisible());
        QCOMPARE(modPlok().RecentDirs(1), first);
        QCOMPARE(modPlok().RecentDirs(2), QStringLiteral("/r/b"));
        QCOMPARE(modPlok().RecentDirs(3), QString());
    }

    // With a recent folder the focus starts on Copy, and Enter copies there; without one it
    // starts in the recent folder box, so the first destination can be typed at once.
    void firstFocus_data() {
        QTest::addColumn<bool>("recent");
        QTest::newRow("a recent folder") << true;
        QTest::newRow("none") << false;
    }
    void firstFocus() {
        QFETCH(bool, recent);
        modPlok().TargetPath = makeFile(QStringLiteral("memo.txt"));
        modPlok().FileOpCode = 1;
        if (recent)
            modPlok().RecentDirs(1) = makeFolder(QStringLiteral("recent"));
        Form3 form3(nullptr);
        QVERIFY(showActive(form3));
        QCOMPARE(focusName(), recent ? QStringLiteral("Command1") : QStringLiteral("Combo1"));
        typeText(QApplication::focusWidget(), path(QStringLiteral("typed")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(requests().value(0).to,
                 path(recent ? QStringLiteral("recent") : QStringLiteral("typed")));
    }

    // What the first row does with the text typed into it (Enter inside the combo box's text).
    void firstRowDestinations_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("destination"); // relative to the test folder; empty: none
        QTest::addColumn<QString>("boxTitle");    // the box shown, if any
        QTest::addColumn<bool>("stays");
        QTest::newRow("missing folder is made")
            << QStringLiteral("@/新しい 保存先") << QStringLiteral("新しい 保存先") << QString()
            << false;
        QTest::newRow("relative to the file")
            << QStringLiteral("rel") << QStringLiteral("src/rel") << QString() << false;
        QTest::newRow("home") << QStringLiteral("~/in home") << QStringLiteral("home/in home")
                              << QString() << false;
        QTest::newRow("existing file") << QStringLiteral("@/src/memo.txt") << QString()
                                       << QStringLiteral("検索エラー") << true;
        QTest::newRow("missing parent") << QStringLiteral("@/no/such/place") << QString()
                                        << QStringLiteral("ディレクトリ作成エラー") << true;
        QTest::newRow("empty") << QString() << QString() << QString() << true;
        QTest::newRow("blanks only are empty")
            << QStringLiteral("   ") << QString() << QString() << true;
    }
    void firstRowDestinations() {
        QFETCH(QString, typed);
        QFETCH(QString, destination);
        QFETCH(QString, boxTitle);
        QFETCH(bool, stays);
        modPlok().TargetPath = makeFile(QStringLiteral("src/memo.txt"));
        modPlok().FileOpCode = 1;
        modPlok().RecentDirs(1) = QStringLiteral("/r/a");
        Form3 form3(nullptr);
        QVERIFY(showActive(form3));
        typed.replace(QStringLiteral("@"), dir_->path());
        form3.combo1()->setFocus();
        form3.combo1()->clearEditText();
        typeText(QApplication::focusWidget(), typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

        QCOMPARE(form3.isVisible(), stays);
        QCOMPARE(requests().size(), destination.isEmpty() ? 0 : 1);
        QCOMPARE(fakes_->messageBox.shown.size(), boxTitle.isEmpty() ? 0 : 1);
        if (!boxTitle.isEmpty())
            QCOMPARE(fakes_->messageBox.shown.first().title, boxTitle);
        if (destination.isEmpty()) {
            QCOMPARE(modPlok().RecentDirs(1), QStringLiteral("/r/a"));
            QVERIFY(!QFileInfo::exists(path(QStringLiteral("no"))));
            // Nothing was made beside the file either.
            QCOMPARE(QDir(path(QStringLiteral("src")))
                         .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                     QStringList{QStringLiteral("memo.txt")});
            QCOMPARE(form3.combo1()->count(), 1); // typing and Enter add nothing to the list
            return;
        }
        QCOMPARE(requests().first().to, path(destination));
        QVERIFY(QFileInfo(path(destination)).isDir());
        QCOMPARE(modPlok().RecentDirs(1), path(destination));
        QCOMPARE(modPlok().RecentDirs(2), QStringLiteral("/r/a"));
    }

    // The text typed into either row is the destination, letter for letter: the box neither
    // completes it from its list nor swaps it for a listed folder that differs in case, on
    // Enter or when the focus leaves for the row's button. The list still drops down.
    void typedFolderIsTheDestination_data() {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("typed"); // under the test folder
        QTest::addColumn<QString>("how");   // "enter" in the box, or "click" on the row's button
        for (const char* row : {"Combo1", "Combo2"}) {
            for (const char* how : {"enter", "click"}) {
                if (QByteArray(row) == "Combo2" && QByteArray(how) == "enter")
                    continue; // Enter acts on the first row
                QTest::addRow("%s %s: other case", row, how)
                    << QString::fromLatin1(row) << QStringLiteral("BACKUP2")
                    << QString::fromLatin1(how);
                QTest::addRow("%s %s: beginning of a listed folder", row, how)
                    << QString::fromLatin1(row) << QStringLiteral("back")
                    << QString::fromLatin1(how);
                QTest::addRow("%s %s: listed folder", row, how)
                    << QString::fromLatin1(row) << QStringLiteral("backup2")
                    << QString::fromLatin1(how);
            }
        }
    }
    void typedFolderIsTheDestination() {
        QFETCH(QString, row);
        QFETCH(QString, typed);
        QFETCH(QString, how);
        const QString listed = makeFolder(QStringLiteral("backup2"));
        modPlok().TargetPath = makeFile(QStringLiteral("src/memo.txt"));
        modPlok().FileOpCode = 2;
        modPlok().RecentDirs(1) = QStringLiteral("/r/a");
        modPlok().RecentDirs(2) = listed;
        modPlok().UsualDirs(1) = QStringLiteral("/u/a");
        modPlok().UsualDirs(2) = listed;
        Form3 form3(nullptr);
        QVERIFY(showActive(form3));
        auto* combo = form3.findChild<QComboBox*>(row);
        combo->showPopup(); // the list still drops down
        QVERIFY(QTest::qWaitForWindowExposed(combo->view()->window()));
        combo->hidePopup();
        combo->setFocus();
        combo->clearEditText();
        QTest::keyClicks(QApplication::focusWidget(), path(typed));
        QCOMPARE(combo->currentText(), path(typed));
        if (how == QStringLiteral("enter"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else
            QTest::mouseClick(row == QStringLiteral("Combo1") ? form3.command1() : form3.command2(),
                              Qt::LeftButton);
        QCOMPARE(requests().size(), 1); // the first Enter sends
        QCOMPARE(requests().first().to, path(typed));
        QVERIFY(QFileInfo(path(typed)).isDir());
        QVERIFY(!form3.isVisible());
        QCOMPARE(combo->count(), 2 + (row == QStringLiteral("Combo1") ? 1 : 0));
    }

    // A lower entry is inserted again on top; an operation the shell did not do changes nothing.
    void recentListAfterTheShellsAnswer_data() {
        QTest::addColumn<int>("result");
        QTest::newRow("done") << 0;
        QTest::newRow("declined") << 1;
    }
    void recentListAfterTheShellsAnswer() {
        QFETCH(int, result);
        const QString lower = makeFolder(QStringLiteral("lower"));
        modPlok().TargetPath = makeFile(QStringLiteral("memo.txt"));
        modPlok().FileOpCode = 2;
        modPlok().RecentDirs(1) = QStringLiteral("/r/a");
        modPlok().RecentDirs(2) = lower;
        fakes_->shellFileOperation.result = result;
        Form3 form3(nullptr);
        QVERIFY(showActive(form3));
        form3.combo1()->setCurrentIndex(1);
        QTest::mouseClick(form3.command1(), Qt::LeftButton);
        QCOMPARE(requests().size(), 1);
        QCOMPARE(requests().first().function, quint32(FO_MOVE));
        QVERIFY(!form3.isVisible());
        QCOMPARE(modPlok().FileOpCode, qint16(result));
        const QStringList expected = result == 0
                                         ? QStringList{lower, QStringLiteral("/r/a"), lower}
                                         : QStringList{QStringLiteral("/r/a"), lower, QString()};
        QCOMPARE((QStringList{modPlok().RecentDirs(1), modPlok().RecentDirs(2),
                              modPlok().RecentDirs(3)}),
                 expected);
    }

    // "参照" starts the picker on the row's folder when it exists and puts the answer on top of
    // the row; the usual row's button then leaves RecentDirs alone.
    void browseThenUsualRow() {
        const QString recent = makeFolder(QStringLiteral("recent"));
        const QString picked = makeFolder(QStringLiteral("picked"));
        const QString usual = makeFolder(QStringLiteral("usual"));
        modPlok().TargetPath = makeFile(QStringLiteral("memo.txt"));
        modPlok().FileOpCode = 1;
        modPlok().RecentDirs(1) = recent;
        modPlok().UsualDirs(1) = usual;
        modPlok().DirPickStart = QStringLiteral("/earlier");
        fakes_->directoryPicker.answers.enqueue(picked);
        Form3 form3(nullptr);
        QVERIFY(showActive(form3));
        QTest::mouseClick(form3.command3(), Qt::LeftButton);
        QCOMPARE(fakes_->directoryPicker.starts, QStringList{recent});
        QCOMPARE(fakes_->directoryPicker.owners.first(), &form3);
        QCOMPARE(form3.combo1()->currentText(), picked);
        QCOMPARE(form3.combo1()->itemText(0), picked);
        QCOMPARE(form3.combo1()->count(), 2);
        QCOMPARE(modPlok().DirPickResult, picked);

        QTest::mouseClick(form3.command2(), Qt::LeftButton);
        QCOMPARE(requests().size(), 1);
        QCOMPARE(requests().first().to, usual);
        QVERIFY(!form3.isVisible());
        QCOMPARE(modPlok().RecentDirs(1), recent);
        QCOMPARE(modPlok().RecentDirs(2), QString());
    }

    // A cancelled pick leaves the row's text as it was, so Enter still acts on that folder.
    void browseCancelledKeepsTheRow() {
        modPlok().TargetPath = makeFile(QStringLiteral("memo.txt"));
        modPlok().FileOpCode = 1;
        modPlok().RecentDirs(1) = QStringLiteral("/no/such/folder");
        modPlok().DirPickStart = QStringLiteral("/earlier");
        Form3 form3(nullptr);
        QVERIFY(showActive(form3));
        QTest::mouseClick(form3.command3(), Qt::LeftButton);
        // A text that names nothing leaves the previous start.
        QCOMPARE(fakes_->directoryPicker.starts, QStringList{QStringLiteral("/earlier")});
        QCOMPARE(form3.combo1()->currentText(), QStringLiteral("/no/such/folder"));
        QCOMPARE(form3.combo1()->count(), 1);
        QVERIFY(form3.isVisible());
        QVERIFY(requests().isEmpty());

        // A folder typed but not yet used stays too, and is where Enter then copies to.
        const QString typed = path(QStringLiteral("typed"));
        form3.combo1()->setFocus();
        form3.combo1()->clearEditText();
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QTest::mouseClick(form3.command3(), Qt::LeftButton);
        QCOMPARE(form3.combo1()->currentText(), typed);
        form3.combo1()->setFocus(); // back in the box, away from "参照"
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(requests().size(), 1);
        QCOMPARE(requests().first().to, typed);
    }

    void copyMoveEscCancels() {
        modPlok().TargetPath = makeFile(QStringLiteral("memo.txt"));
        modPlok().FileOpCode = 1;
        modPlok().RecentDirs(1) = dir_->path();
        Form3 form3(nullptr);
        QVERIFY(showActive(form3));
        form3.combo1()->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!form3.isVisible());
        QVERIFY(requests().isEmpty());
        QCOMPARE(modPlok().FileOpCode, qint16(1));
    }
};

QTEST_MAIN(TestFileOpsDialogs)

#include "tst_fileops_dialogs.moc"
