#include "platform/ViewerFontDialog.h"

#include "platform/ColourDialogService.h"
#include "platform/ColourNumber.h"
#include "platform/FontStyleMatch.h"
#include "platform/PlatformServices.h"

#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvane {

namespace {

QFont fontOf(const FontChoice& choice) {
    QFont font(choice.name);
    if (choice.size > 0)
        font.setPointSizeF(static_cast<qreal>(choice.size));
    font.setBold(choice.bold);
    font.setItalic(choice.italic);
    font.setUnderline(choice.underline);
    font.setStrikeOut(choice.strikethru);
    return font;
}

QIcon swatch(const QColor& colour) {
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

} // namespace

ViewerFontDialog::ViewerFontDialog(const FontDialogRequest& request, QWidget* parent)
    : QDialog(parent), request_(request), textColour_(request.textColour) {
    setObjectName(QStringLiteral("ViewerFontDialog"));
    setWindowTitle(QStringLiteral("フォント"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // Qt's chooser as a part of this window, without its own buttons.
    chooser_ = new QFontDialog(this);
    chooser_->setObjectName(QStringLiteral("FontChooser"));
    chooser_->setWindowFlags(Qt::Widget);
    chooser_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    // The chooser lists installed families: a substituted name ("ＭＳ ゴシック") starts on the
    // family that stands for it.
    QFont start = fontOf(request.start);
    start.setFamily(QFontInfo(start).family());
    // The style by the family's own name for it: asked for "Normal", the chooser does not find
    // Noto CJK's "Regular" and selects a style of its own, Bold among them.
    const QString style =
        closestStyle(stylesOfFamily(start.family()), request.start.bold, request.start.italic);
    if (!style.isEmpty())
        start.setStyleName(style);
    chooser_->setCurrentFont(start);
    primedFont_ = chooser_->currentFont();

    colourButton_ = new QPushButton(QStringLiteral("文字の色(&C)..."), this);
    colourButton_->setObjectName(QStringLiteral("TextColourButton"));
    colourButton_->setAutoDefault(false);
    sample_ = new QLabel(QStringLiteral("Aa Bb Yy Zz あいう アイウ 漢字"), this);
    sample_->setObjectName(QStringLiteral("FontSample"));
    sample_->setAutoFillBackground(true);
    sample_->setFrameShape(QFrame::Box);
    sample_->setMinimumHeight(48);
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setTextFormat(Qt::PlainText);
    auto* sampleCaption = new QLabel(QStringLiteral("ビュアーでの見え方"), this);
    sampleCaption->setBuddy(colourButton_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("FontDialogButtons"));

    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(colourButton_);
    colourRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chooser_);
    layout->addLayout(colourRow);
    layout->addWidget(sampleCaption);
    layout->addWidget(sample_);
    layout->addWidget(buttons);

    connect(chooser_, &QFontDialog::currentFontChanged, this, &ViewerFontDialog::showSample);
    // Esc (and Enter) in the chooser end this whole dialog, not the chooser inside it.
    connect(chooser_, &QDialog::accepted, this, &QDialog::accept);
    connect(chooser_, &QDialog::rejected, this, &QDialog::reject);
    connect(colourButton_, &QPushButton::clicked, this, &ViewerFontDialog::chooseTextColour);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showSample();
}

void ViewerFontDialog::chooseTextColour() {
    if (const auto colour = PlatformServices::colourDialog().chooseColour(this, textColour_)) {
        textColour_ = *colour;
        chosenColour_ = rgbColourNumber(*colour);
        showSample();
    }
}

void ViewerFontDialog::showSample() {
    sample_->setFont(chooser_->currentFont());
    QPalette palette = sample_->palette();
    palette.setColor(QPalette::WindowText, textColour_);
    palette.setColor(QPalette::Window, request_.backColour);
    sample_->setPalette(palette);
    colourButton_->setIcon(swatch(textColour_));
}

FontChoice ViewerFontDialog::choice() const {
    // The chooser may not have the family, its style or its exact size: each of them stays as
    // it started unless the user changed it, so a size chosen in a family without an italic
    // style still comes back italic.
    const QFont font = chooser_->currentFont();
    const FontChoice& start = request_.start;
    FontChoice chosen = start;
    chosen.colour = chosenColour_.value_or(start.colour);
    if (font == primedFont_)
        return chosen;
    if (font.family() != primedFont_.family())
        chosen.name = font.family();
    if (!qFuzzyCompare(font.pointSizeF(), primedFont_.pointSizeF()))
        chosen.size = static_cast<float>(font.pointSizeF());
    if (font.bold() != primedFont_.bold())
        chosen.bold = font.bold();
    if (font.italic() != primedFont_.italic())
        chosen.italic = font.italic();
    if (font.underline() != primedFont_.underline())
        chosen.underline = font.underline();
    if (font.strikeOut() != primedFont_.strikeOut())
        chosen.strikethru = font.strikeOut();
    return chosen;
}

} // namespace zorvane
