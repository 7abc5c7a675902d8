// The common dialogs the options dialog opens, as the running program shows them: the program
// file dialog with its two filters, and the viewer's font dialog with its text colour.
#include "PlatformFakes.h"
#include "TestFiles.h"

#include "platform/FontStyleMatch.h"
#include "platform/ProgramFileDialog.h"
#include "platform/ViewerFontDialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace zorvane;
using zorvane::testing::PlatformFakes;

namespace {

constexpr qint32 SystemWindowText = static_cast<qint32>(0x80000008u);

QStringList listedNames(const QFileDialog& dialog) {
    auto* view = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
    QStringList names;
    if (!view || !view->model())
        return names;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row)
        names << view->model()->index(row, 0, root).data().toString();
    names.sort();
    return names;
}

} // namespace

class TestCommonDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<PlatformFakes> fakes_;

private slots:
    void init() { fakes_ = std::make_unique<PlatformFakes>(); }
    void cleanup() { fakes_.reset(); }

    // "プログラム" lists folders and executable files only, "その他 (*)" every file; the
    // file-name box starts with the path given.
    void programFileDialogFilters() {
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("run.sh"));
        QVERIFY(testing::writeBytes(program, "#!/bin/sh\n"));
        QVERIFY(QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner));
        QVERIFY(testing::writeBytes(folder.filePath(QStringLiteral("memo.txt")), "memo"));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("sub")));

        QStringList programsOnly;
        QStringList everything;
        QStringList filterNames;
        QString startName;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
            auto* filters = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            QVERIFY(filters);
            for (int i = 0; i < filters->count(); ++i)
                filterNames << filters->itemText(i);
            startName = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            QTRY_COMPARE(listedNames(*dialog).size(), 2);
            programsOnly = listedNames(*dialog);
            filters->setCurrentIndex(1);
            emit filters->activated(1);
            emit filters->textActivated(filters->itemText(1));
            QTRY_COMPARE(listedNames(*dialog).size(), 3);
            everything = listedNames(*dialog);
            static_cast<QDialog*>(dialog)->accept(); // the file-name box names run.sh
        });
        QtProgramFileDialog service;
        const auto chosen = service.chooseProgram(nullptr, program);
        QCOMPARE(filterNames,
                 (QStringList{QStringLiteral("プログラム"), QStringLiteral("その他 (*)")}));
        QCOMPARE(startName, QStringLiteral("run.sh"));
        QCOMPARE(programsOnly, (QStringList{QStringLiteral("run.sh"), QStringLiteral("sub")}));
        QCOMPARE(everything, (QStringList{QStringLiteral("memo.txt"), QStringLiteral("run.sh"),
                                          QStringLiteral("sub")}));
        QCOMPARE(chosen, std::optional<QString>(program));
    }

    void programFileDialogCancelled() {
        QTimer::singleShot(0, this, [] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                dialog->close();
        });
        QtProgramFileDialog service;
        QCOMPARE(service.chooseProgram(nullptr, QString()), std::nullopt);
    }

    // What the user leaves alone comes back as it went in, even where the chooser shows a
    // substitute (a family it does not know, a size it rounds, a system colour).
    void fontDialogKeepsWhatWasNotChanged() {
        FontDialogRequest request;
        request.start = FontChoice{
            QStringLiteral("ＭＳ ゴシック"), 10.5f, true, false, true, false, SystemWindowText};
        request.textColour = Qt::black;
        request.backColour = QColor(0xFF, 0xFF, 0xE0);
        ViewerFontDialog dialog(request);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("フォント"));
        const FontChoice unchanged = dialog.choice();
        QCOMPARE(unchanged.name, request.start.name);
        QCOMPARE(unchanged.size, 10.5f);
        QVERIFY(unchanged.bold && !unchanged.italic && unchanged.underline &&
                !unchanged.strikethru);
        QCOMPARE(unchanged.colour, SystemWindowText);

        auto* sample = dialog.findChild<QLabel*>(QStringLiteral("FontSample"));
        QVERIFY(sample);
        QCOMPARE(sample->palette().color(QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(sample->palette().color(QPalette::Window), request.backColour);
        QVERIFY(sample->font().underline());

        // A cancelled colour choice changes nothing; a chosen one shows in the sample.
        auto* colour = dialog.findChild<QPushButton*>(QStringLiteral("TextColourButton"));
        colour->click();
        QCOMPARE(dialog.choice().colour, SystemWindowText);
        fakes_->colourDialog.answers.enqueue(QColor(0xFF, 0, 0));
        colour->click();
        QCOMPARE(fakes_->colourDialog.starts, (QList<QColor>{Qt::black, Qt::black}));
        QCOMPARE(fakes_->colourDialog.owners.value(0), static_cast<QWidget*>(&dialog));
        QCOMPARE(dialog.choice().colour, 0x0000FF);
        QCOMPARE(sample->palette().color(QPalette::WindowText), QColor(Qt::red));

        // A family and size chosen in the chooser are what comes back.
        auto* chooser = dialog.findChild<QFontDialog*>(QStringLiteral("FontChooser"));
        QFont other(QStringLiteral("IPAMincho"));
        other.setPointSize(14);
        other.setStrikeOut(true);
        chooser->setCurrentFont(other);
        const FontChoice changed = dialog.choice();
        QCOMPARE(changed.name, chooser->currentFont().family());
        QVERIFY(changed.name != request.start.name);
        QCOMPARE(changed.size, 14.0f);
        QVERIFY(changed.strikethru && !changed.underline && !changed.bold);
        QCOMPARE(sample->font().family(), changed.name);

        // Esc inside the chooser cancels the whole dialog.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* family = chooser->findChild<QLineEdit*>();
        QVERIFY(family);
        family->setFocus();
        QTest::keyClick(family, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }

    void closestStyle_data() {
        QTest::addColumn<QList<FamilyStyle>>("styles");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QString>("expected");
        const FamilyStyle regular{QStringLiteral("Regular"), 400, false};
        const FamilyStyle boldStyle{QStringLiteral("Bold"), 700, false};
        const FamilyStyle italicStyle{QStringLiteral("Italic"), 400, true};
        const FamilyStyle boldItalic{QStringLiteral("Bold Italic"), 700, true};
        const FamilyStyle thin{QStringLiteral("Thin"), 100, false};
        const FamilyStyle medium{QStringLiteral("Medium"), 500, false};
        const FamilyStyle black{QStringLiteral("Black"), 900, false};
        const QList<FamilyStyle> noto{black, boldStyle, thin, medium, regular};
        QTest::newRow("Noto regular") << noto << false << false << QStringLiteral("Regular");
        QTest::newRow("Noto bold") << noto << true << false << QStringLiteral("Bold");
        QTest::newRow("Noto italic: the weight first")
            << noto << false << true << QStringLiteral("Regular");
        QTest::newRow("Noto bold italic") << noto << true << true << QStringLiteral("Bold");
        const QList<FamilyStyle> four{boldItalic, boldStyle, italicStyle, regular};
        QTest::newRow("four: italic") << four << false << true << QStringLiteral("Italic");
        QTest::newRow("four: bold italic") << four << true << true << QStringLiteral("Bold Italic");
        QTest::newRow("four: regular") << four << false << false << QStringLiteral("Regular");
        QTest::newRow("one style only")
            << QList<FamilyStyle>{regular} << true << true << QStringLiteral("Regular");
        QTest::newRow("no styles") << QList<FamilyStyle>{} << false << false << QString();
    }
    void closestStyle() {
        QFETCH(QList<FamilyStyle>, styles);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(QString, expected);
        QCOMPARE(zorvane::closestStyle(styles, bold, italic), expected);
    }

    // Changing only the size keeps the style the font had, in families whose styles the
    // chooser names differently (Noto CJK's "Regular" and "Bold" only, IPA's one style).
    void fontDialogKeepsTheStyle_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<bool>("strikethru");
        for (const QString& family :
             {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
              QStringLiteral("Noto Sans CJK JP"), QStringLiteral("ＭＳ ゴシック")}) {
            const QByteArray name = family.toUtf8();
            QTest::newRow((name + " regular").constData())
                << family << false << false << false << false;
            QTest::newRow((name + " bold").constData())
                << family << true << false << false << false;
            QTest::newRow((name + " italic underlined").constData())
                << family << false << true << true << false;
            QTest::newRow((name + " bold italic struck").constData())
                << family << true << true << false << true;
        }
    }
    void fontDialogKeepsTheStyle() {
        QFETCH(QString, family);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(bool, underline);
        QFETCH(bool, strikethru);
        if (!family.startsWith(QStringLiteral("ＭＳ")) &&
            !QFontDatabase::families().contains(family))
            QSKIP(qPrintable(family + QStringLiteral(" is not installed (fonts-noto-cjk, "
                                                     "fonts-ipafont-gothic)")));
        FontDialogRequest request;
        request.start = FontChoice{family, 9, bold, italic, underline, strikethru, 0};
        request.textColour = Qt::black;
        request.backColour = Qt::white;
        ViewerFontDialog dialog(request);
        auto* chooser = dialog.findChild<QFontDialog*>(QStringLiteral("FontChooser"));
        QVERIFY(chooser);
        // The chooser starts on the font's own weight where the family has it.
        const QString shownFamily = QFontInfo(QFont(family)).family();
        if (!bold || QFontDatabase::styles(shownFamily).contains(QStringLiteral("Bold")))
            QCOMPARE(chooser->currentFont().bold(), bold);

        // The user types a new size and nothing else.
        QLineEdit* size = nullptr;
        for (QLineEdit* edit : chooser->findChildren<QLineEdit*>())
            if (edit->validator())
                size = edit;
        QVERIFY(size);
        size->selectAll();
        QTest::keyClicks(size, QStringLiteral("14"));
        QCOMPARE(chooser->currentFont().pointSize(), 14);

        const FontChoice chosen = dialog.choice();
        QCOMPARE(chosen.size, 14.0f);
        QCOMPARE(chosen.name, family);
        QCOMPARE(chosen.bold, bold);
        QCOMPARE(chosen.italic, italic);
        QCOMPARE(chosen.underline, underline);
        QCOMPARE(chosen.strikethru, strikethru);
    }
};

QTEST_MAIN(TestCommonDialogs)
#include "tst_commondialogs.moc"
