#include "help/frmAbout.h"

#include "desktopfit/ReadableColour.h"
#include "formkit/LabelHeight.h"
#include "formkit/Twips.h"
#include "help/ProgramIcon.h"
#include "help/SeparatorLine.h"
#include "help/VersionBoxText.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace zorvane {

namespace {

QPointer<frmAbout>& theBox() {
    static QPointer<frmAbout> box;
    return box;
}

} // namespace

frmAbout* frmAbout::openBox() {
    return theBox();
}

frmAbout* frmAbout::showModeless() {
    QPointer<frmAbout>& box = theBox();
    if (!box) {
        box = new frmAbout;
        box->setAttribute(Qt::WA_DeleteOnClose);
        // Without an owner the box would outlive the application object; it goes with the
        // event loop instead.
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, box.data(),
                         [dialog = box.data()] { delete dialog; });
        box->Form_Load();
    }
    box->show();
    box->raise();
    box->activateWindow();
    return box;
}

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setModal(false);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 9));
    setWindowTitle(QStringLiteral("Zorvaneのﾊﾞｰｼﾞｮﾝ情報"));
    buildControls();
    // The designed client area: 3852 × 2424 twips.
    setFixedSize(twipsToPixels(3852), twipsToPixels(2424));
}

void frmAbout::buildControls() {
    picIcon_ = new QLabel(this);
    picIcon_->setObjectName(QStringLiteral("picIcon"));
    picIcon_->setGeometry(twipsToPixels(TwipsRect{240, 240, 432, 432}));
    picIcon_->setAlignment(Qt::AlignCenter);
    // The icon at twice its grid, centred: its transparent margin takes the little it overhangs.
    picIcon_->setPixmap(programIconPixmap(32));
    picIcon_->setAccessibleName(QStringLiteral("アイコン"));

    lblTitle_ = new QLabel(this);
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    lblTitle_->setGeometry(twipsToPixels(TwipsRect{1050, 240, 2445, 480}));
    lblTitle_->setFont(QFont(QStringLiteral("ＭＳ 明朝"), 12));
    // Black, as designed; on a dark theme a grey light enough to read.
    QPalette title = lblTitle_->palette();
    title.setColor(QPalette::WindowText, readableOn(Qt::black, palette().color(QPalette::Window)));
    lblTitle_->setPalette(title);
    lblTitle_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblVersion_ = new QLabel(this);
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));
    lblVersion_->setGeometry(twipsToPixels(TwipsRect{1050, 780, 2445, 225}));
    lblVersion_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    label1_ = new QLabel(QStringLiteral("Zorvane 開発チーム"), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(twipsToPixels(TwipsRect{960, 1200, 2535, 255}));
    label1_->setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 12));
    label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A taller Japanese font (Noto CJK) keeps its descenders: a line grows downwards, into the
    // margin under it.
    for (QLabel* line : {lblTitle_, lblVersion_, label1_})
        line->setGeometry(labelRectForFont(line->geometry(), textHeightOf(*line)));

    // An etched separator: a grey line over a white one of width 2.
    line1_1_ = new SeparatorLine(QColor(0x80, 0x80, 0x80), this);
    line1_1_->setObjectName(QStringLiteral("Line1(1)"));
    line1_1_->setGeometry(twipsToPixels(120), twipsToPixels(1745),
                          twipsToPixels(3618) - twipsToPixels(120) + 1, 1);
    line1_0_ = new SeparatorLine(QColor(0xFF, 0xFF, 0xFF), this);
    line1_0_->setObjectName(QStringLiteral("Line1(0)"));
    line1_0_->setGeometry(twipsToPixels(120), twipsToPixels(1760),
                          twipsToPixels(3618) - twipsToPixels(120) + 1, 2);

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setGeometry(twipsToPixels(TwipsRect{1080, 1920, 1310, 345}));
    // The default button (Enter); Esc rejects the dialog, which closes it the same way.
    cmdOK_->setDefault(true);
    cmdOK_->setAutoDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    cmdOK_->setFocus();
}

void frmAbout::Form_Load() {
    setWindowTitle(versionBoxCaption(programTitle()));
    lblVersion_->setText(programVersionLine());
    lblTitle_->setText(programTitle());
}

void frmAbout::cmdOK_Click() {
    close();
}

} // namespace zorvane
