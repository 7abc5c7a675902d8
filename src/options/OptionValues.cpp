#include "options/OptionValues.h"

#include "options/OptionTexts.h"
#include "settings/SettingsConversions.h"

namespace zorvane {

void storeOptionValues(OptionDialogValues& values, ModPlok& state) {
    values.editorTitle = cutTitle(values.editorTitle);
    state.NameBuffer = values.editorTitle;
    state.ProgramBuffer = values.editorProgram;
    state.EditorName = values.editorTitle;
    state.EditorPath = values.editorProgram;

    for (int i = 1; i <= 3; ++i) {
        const auto row = static_cast<std::size_t>(i - 1);
        values.toolTitles[row] = cutTitle(values.toolTitles[row]);
        state.ToolName(i) = values.toolTitles[row];
        state.ToolPath(i) = values.toolPrograms[row];
    }

    const OptionFontMembers& font = values.font;
    SettingsRecordFields& record = state.SettingsRecord;
    record.Name = font.OptFontName;
    record.Size = numberTextSingle(font.OptFontSize);
    record.Uline = booleanText(font.OptFontUnderline != 0);
    record.Strike = booleanText(font.OptFontStrikethru != 0);
    record.Italic = booleanText(font.OptFontItalic != 0);
    record.Bold = booleanText(font.OptFontBold != 0);
    record.Color = numberText(font.OptForeColor);
    record.BColor = numberText(font.OptBackColor);
    record.Fselect = booleanText(values.OptShowFiler != 0);

    state.ShowFiler = values.OptShowFiler;

    for (int i = 1; i <= 5; ++i)
        state.ExtPattern(i) = values.patterns[static_cast<std::size_t>(i - 1)];
    record.Ext1 = state.ExtPattern(1);
    record.Ext2 = state.ExtPattern(2);
    record.Ext3 = state.ExtPattern(3);
    record.Ext4 = state.ExtPattern(4);
    record.Ext5 = state.ExtPattern(5);

    for (int i = 1; i <= 10; ++i)
        state.UsualDirs(i) = values.usualDirs[static_cast<std::size_t>(i - 1)];
}

} // namespace zorvane
