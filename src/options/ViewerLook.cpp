#include "options/ViewerLook.h"

#include "formkit/ViewerColour.h"
#include "platform/ColourNumber.h"
#include "settings/SettingsConversions.h"

#include <QApplication>
#include <QPlainTextEdit>

namespace zorvane {

qint32 shownColourNumber(const QColor& shown, const QString& storedText, qint32 designed,
                         const QPalette& systemPalette) {
    if (const auto stored = colourValue(numberValue(storedText))) {
        const auto colour = colourFromNumber(*stored, systemPalette);
        if (colour && colour->rgb() == shown.rgb())
            return *stored;
    }
    const auto designedColour = colourFromNumber(designed, systemPalette);
    if (designedColour && designedColour->rgb() == shown.rgb())
        return designed;
    return rgbColourNumber(shown);
}

OptionFontMembers viewerFontMembers(const QPlainTextEdit& viewer,
                                    const SettingsRecordFields& record) {
    const QFont font = viewer.font();
    const QPalette system = QApplication::palette();
    OptionFontMembers members;
    members.OptFontName = font.family();
    members.OptFontSize = static_cast<float>(font.pointSizeF());
    members.OptFontBold = font.bold() ? True16 : False16;
    members.OptFontItalic = font.italic() ? True16 : False16;
    members.OptFontUnderline = font.underline() ? True16 : False16;
    members.OptFontStrikethru = font.strikeOut() ? True16 : False16;
    const QPalette shown = viewer.palette();
    members.OptForeColor = shownColourNumber(shown.color(QPalette::Active, QPalette::Text),
                                             record.Color.text(), SystemWindowText, system);
    members.OptBackColor = shownColourNumber(shown.color(QPalette::Active, QPalette::Base),
                                             record.BColor.text(), SystemWindow, system);
    return members;
}

void applyViewerFontMembers(QPlainTextEdit& viewer, const OptionFontMembers& members) {
    QFont font(members.OptFontName);
    if (members.OptFontSize > 0)
        font.setPointSizeF(static_cast<qreal>(members.OptFontSize));
    font.setBold(members.OptFontBold != 0);
    font.setItalic(members.OptFontItalic != 0);
    font.setUnderline(members.OptFontUnderline != 0);
    font.setStrikeOut(members.OptFontStrikethru != 0);
    viewer.setFont(font);

    const QPalette system = QApplication::palette();
    setViewerColours(viewer, colourFromNumber(members.OptForeColor, system),
                     colourFromNumber(members.OptBackColor, system));
}

QColor colourOfNumber(qint32 number, const QColor& fallback) {
    return colourFromNumber(number, QApplication::palette()).value_or(fallback);
}

} // namespace zorvane
