#pragma once

#include "app/ModPlok.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>

namespace zorvane {

// The viewer's font and colours while the options dialog is open.
struct OptionFontMembers {
    QString OptFontName;
    float OptFontSize = 9;
    Boolean16 OptFontUnderline = False16;
    Boolean16 OptFontStrikethru = False16;
    Boolean16 OptFontItalic = False16;
    Boolean16 OptFontBold = False16;
    qint32 OptForeColor = 0; // 0x00BBGGRR, or a system colour's number
    qint32 OptBackColor = 0;
};

// Everything the options dialog holds when OK is pressed.
struct OptionDialogValues {
    QString editorTitle;
    QString editorProgram;
    std::array<QString, 3> toolTitles;
    std::array<QString, 3> toolPrograms;
    std::array<QString, 5> patterns;
    std::array<QString, 10> usualDirs;
    OptionFontMembers font;
    Boolean16 OptShowFiler = False16;
};

// The places of the options dialog whose values plok.ini keeps with a limited width.
enum class OptionBox { EditorProgram, ToolProgram, FontName, Pattern };

// A value that plok.ini could not give back whole at the next start.
struct OverlongOption {
    OptionBox box = OptionBox::EditorProgram;
    int row = 0;        // the tool (0..2) or the pattern (0..4)
    int limitBytes = 0; // the most bytes its key keeps, as the reader counts them
    bool operator==(const OverlongOption&) const = default;
};

// The first value, in the order of the dialog's tabs, that would not come back whole after a
// restart: the programs of the editor and the tools, the font name, the patterns. The titles
// are cut to 12 characters, which always fit.
std::optional<OverlongOption> firstOverlongValue(const OptionDialogValues& values);

// Takes the dialog's values into the program-wide state, as OK does before anything is shown
// or written: the titles cut to 12 characters (also in `values`, whose boxes show them), the
// editor in NameBuffer/ProgramBuffer and EditorName/EditorPath, the tools, the font and filer
// fields of SettingsRecord in their text forms, ShowFiler, ExtPattern and Ext1..Ext5,
// UsualDirs(1..10). Top, Left, Height, Width and UsualDirs(11..20) are left alone.
void storeOptionValues(OptionDialogValues& values, ModPlok& state);

} // namespace zorvane
