#pragma once

#include <QString>

#include <array>

namespace zorvane {

// One key of plok.ini: where it lives, what a missing key gives, and how many bytes reading it
// may take (also the width in characters of the field or buffer that holds it).
struct SettingsKey {
    QString section;
    QString key;
    QString defaultValue;
    int readWidth = 0;
};

// Positions of the keys in the table.
enum SettingsKeyIndex : int {
    KeyEditorName,
    KeyEditorProgram,
    KeyToolName1,
    KeyToolProgram1,
    KeyToolName2,
    KeyToolProgram2,
    KeyToolName3,
    KeyToolProgram3,
    KeyFontName,
    KeyFontSize,
    KeyFontUline,
    KeyFontStrike,
    KeyFontItalic,
    KeyFontBold,
    KeyFontColor,
    KeyFontBColor,
    KeyFormTop,
    KeyFormLeft,
    KeyFormHeight,
    KeyFormWidth,
    KeyOptionFselect,
    KeyExt1,
    KeyExt2,
    KeyExt3,
    KeyExt4,
    KeyExt5,
    SettingsKeyCount
};

// Every key of plok.ini in the order start-up reads them: OpProgram Name, Program, Name1,
// Program1, Name2, Program2, Name3, Program3; Font Name, Size, Uline, Strike, Italic, Bold,
// Color, BColor; Form Top, Left, Height, Width; Option Fselect; Extention Ext1 to Ext5.
const std::array<SettingsKey, SettingsKeyCount>& settingsKeyTable();

} // namespace zorvane
