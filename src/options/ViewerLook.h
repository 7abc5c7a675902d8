#pragma once

#include "options/OptionValues.h"

#include <QColor>
#include <QPalette>
#include <QString>

class QPlainTextEdit;

namespace zorvane {

// The system colours the viewer shows until the settings give it others.
constexpr qint32 SystemWindowText = static_cast<qint32>(0x80000008u);
constexpr qint32 SystemWindow = static_cast<qint32>(0x80000005u);

// The colour number of a colour the viewer shows. The number stored in plok.ini's field
// (`storedText`) when it gives exactly that colour, so a system colour stays one; else
// `designed`, the system colour the viewer starts with, when it is that colour; else the
// colour's own 0x00BBGGRR.
qint32 shownColourNumber(const QColor& shown, const QString& storedText, qint32 designed,
                         const QPalette& systemPalette);

// The viewer's font and colours as the options dialog starts from them. The viewer is only
// read; `record` tells which colour numbers stand behind the colours it shows.
OptionFontMembers viewerFontMembers(const QPlainTextEdit& viewer,
                                    const SettingsRecordFields& record);

// Gives the viewer the font and colours at once, the text it shows included. A colour number
// that names no colour leaves that colour as it was.
void applyViewerFontMembers(QPlainTextEdit& viewer, const OptionFontMembers& members);

// A colour number as the colour it shows, system colours from the application's palette.
QColor colourOfNumber(qint32 number, const QColor& fallback);

} // namespace zorvane
