// Captions are read whole, whatever the desktop's fonts: every label and button of every window
// is as wide as its caption needs where its designed width is too small for the font; with the
// IPA fonts every width stays as designed.

#include "ForcedFont.h"
#include "PlatformFakes.h"
#include "TestFiles.h"

#include "app/ModPlok.h"
#include "desktopfit/ScreenFitting.h"
#include "fileops/Form3.h"
#include "fileops/Form4.h"
#include "fileops/Form5.h"
#include "fileops/FrmDirGet.h"
#include "help/frmAbout.h"
#include "mainwindow/Form1.h"
#include "mainwindow/PathLabel.h"
#include "options/frmOption.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using namespace zorvane;
using namespace zorvane::testing;

using WindowMaker = std::function<QWidget*(Form1&)>;
Q_DECLARE_METATYPE(WindowMaker)

namespace {

// How much wider than its caption a control must be to show it whole.
int captionRoom(const QWidget& control) {
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        return button->fontMetrics().horizontalAdvance(button->text()) +
               2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button);
    }
    if (const auto* check = qobject_cast<const QCheckBox*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(check);
        return check->fontMetrics().horizontalAdvance(check->text()) +
               check->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, check) +
               check->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, check);
    }
    const auto* label = qobject_cast<const QLabel*>(&control);
    return label->fontMetrics().horizontalAdvance(label->text()) + label->width() -
           label->contentsRect().width();
}

} // namespace

class TestCaptions : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> programDir_;
    std::unique_ptr<PlatformFakes> fakes_;

    // The controls that show a one-line caption of their own.
    static QList<QWidget*> captionedControls(QWidget& window) {
        QList<QWidget*> captioned;
        for (QWidget* control : window.findChildren<QWidget*>()) {
            if (!control->isVisibleTo(&window) || qobject_cast<PathLabel*>(control))
                continue;
            const auto* label = qobject_cast<QLabel*>(control);
            if ((label && !label->wordWrap() && !label->text().isEmpty() &&
                 !label->text().contains(u'\r') && label->pixmap().isNull()) ||
                qobject_cast<QPushButton*>(control) || qobject_cast<QCheckBox*>(control))
                captioned.append(control);
        }
        return captioned;
    }

private slots:
    void initTestCase() { ScreenFitting::install(); }

    void init() {
        resetModPlok();
        programDir_ = std::make_unique<QTemporaryDir>();
        fakes_ = std::make_unique<PlatformFakes>();
        fakes_->driveList.entries = {{QStringLiteral("/"), QString()}};
        QStringList lines;
        for (int i = 0; i < 40; ++i)
            lines << QString();
        QVERIFY(writeBytes(programDir_->filePath(QStringLiteral("plok.his")), crlf(lines)));
        modPlok().TargetPath = QStringLiteral("/home/user/memo.txt");
        modPlok().FileOpCode = 1;
    }

    void cleanup() {
        fakes_.reset();
        programDir_.reset();
    }

    void captionsAreReadWhole_data() {
        QTest::addColumn<WindowMaker>("make");
        QTest::addColumn<QString>("family");
        QTest::addColumn<qreal>("points"); // of the desktop's own font
        const QList<std::pair<const char*, WindowMaker>> windows{
            {"main window", [](Form1& form) -> QWidget* { return &form; }},
            {"main window, a long editor title",
             [](Form1& form) -> QWidget* {
                 form.command1()->setText(QStringLiteral("秀丸エディタ・最新版"));
                 return &form;
             }},
            {"options", [](Form1& form) -> QWidget* { return new frmOption(form); }},
            {"copy", [](Form1& form) -> QWidget* { return new Form3(&form); }},
            {"rename", [](Form1& form) -> QWidget* { return new Form4(&form); }},
            {"delete", [](Form1& form) -> QWidget* { return new Form5(&form); }},
            {"picker", [](Form1& form) -> QWidget* { return new FrmDirGet(&form); }},
            {"version", [](Form1& form) -> QWidget* { return new frmAbout(&form); }}};
        for (const auto& [name, make] : windows)
            for (const auto& [family, points] : {std::pair{"IPAGothic", 9.0},
                                                 {"Noto Sans Mono CJK JP", 9.0},
                                                 {"Noto Sans CJK JP", 12.0}})
                QTest::addRow("%s, %s %g", name, family, points)
                    << make << QString::fromLatin1(family) << qreal(points);
    }
    void captionsAreReadWhole() {
        QFETCH(WindowMaker, make);
        QFETCH(QString, family);
        QFETCH(qreal, points);
        if (!ForcedFont::installed(family))
            QSKIP(qPrintable(family + QStringLiteral(" is not installed")));
        const ForcedFont font(family, points);
        Form1 form(programDir_->path());
        QWidget* window = make(form);
        std::unique_ptr<QWidget> owned(window == &form ? nullptr : window);
        QHash<QWidget*, int> designedWidths;
        for (QWidget* control : captionedControls(*window))
            designedWidths.insert(control, control->width());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QList<QWidget*> captioned = captionedControls(*window);
        QVERIFY(!captioned.isEmpty());
        // The main window is laid out as it is shown; the layout's own tests check its places.
        if (family == QStringLiteral("IPAGothic") && window != &form)
            for (QWidget* control : captioned)
                if (designedWidths.contains(control))
                    QVERIFY2(control->width() == designedWidths.value(control),
                             qPrintable(control->objectName()));
        QStringList clipped;
        for (QWidget* control : captioned)
            if (control->width() < captionRoom(*control))
                clipped << QStringLiteral("%1 %2 < %3")
                               .arg(control->objectName())
                               .arg(control->width())
                               .arg(captionRoom(*control));
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(", "))));
        // A widened caption runs into no other caption, nor into the path beside the button.
        QList<QWidget*> neighbours = captioned;
        neighbours.append(form.label5());
        for (QWidget* control : captioned)
            for (QWidget* other : neighbours)
                if (other != control && other->parentWidget() == control->parentWidget())
                    QVERIFY2(!control->geometry().intersects(other->geometry()),
                             qPrintable(control->objectName() + u' ' + other->objectName()));
    }
};

QTEST_MAIN(TestCaptions)
#include "tst_captions.moc"
