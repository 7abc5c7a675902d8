#include "options/OptionValues.h"

#include "options/OptionTexts.h"
#include "settings/SettingsConversions.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeyTable.h"

namespace zorvane {

std::optional<OverlongOption> firstOverlongValue(const OptionDialogValues& values) {
    const auto overlong = [](const QString& value, int keyIndex) -> std::optional<int> {
        const int width = settingsKeyTable()[static_cast<std::size_t>(keyIndex)].readWidth;
        if (comesBackWhole(value, width))
            return std::nullopt;
        return valueLimitBytes(width);
    };
    if (const auto limit = overlong(values.editorProgram, KeyEditorProgram))
        return OverlongOption{OptionBox::EditorProgram, 0, *limit};
    for (int row = 0; row < 3; ++row)
        if (const auto limit = overlong(values.toolPrograms[static_cast<std::size_t>(row)],
                                        KeyToolProgram1 + 2 * row))
            return OverlongOption{OptionBox::ToolProgram, row, *limit};
    if (const auto limit = overlong(values.font.OptFontName, KeyFontName))
        return OverlongOption{OptionBox::FontName, 0, *limit};
    for (int row = 0; row < 5; ++row)
        if (const auto limit =
                overlong(values.patterns[static_cast<std::size_t>(row)], KeyExt1 + row))
            return OverlongOption{OptionBox::Pattern, row, *limit};
    return std::nullopt;
}

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
