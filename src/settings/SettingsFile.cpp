#include "settings/SettingsFile.h"

#include "app/ModPlok.h"
#include "settings/SettingsKeyTable.h"
#include "textfile/FileUpdateLock.h"
#include "textfile/ProfileFile.h"

namespace zorvane {

namespace {

// The platform's profile read into a buffer: the value (or default), a NUL, then what the
// buffer held beyond them; stored back whole into the fixed text.
template <int N> void readInto(const ProfileFile& file, FixedText<N>& buffer, int index) {
    const SettingsKey& entry = settingsKeyTable()[static_cast<std::size_t>(index)];
    const QString value = file.value(entry.section, entry.key, entry.defaultValue, entry.readWidth);
    const QString old = buffer.whole();
    buffer.storeWhole(value + QChar(u'\0') + old.mid(value.size() + 1));
}

// A fixed text as the platform's profile call takes it: a C string, ending at the first NUL.
template <int N> void writeFrom(ProfileFile& file, const FixedText<N>& buffer, int index) {
    const SettingsKey& entry = settingsKeyTable()[static_cast<std::size_t>(index)];
    file.setValue(entry.section, entry.key, buffer.text());
}

} // namespace

void readSettingsKeys(ModPlok& state) {
    const ProfileFile file = ProfileFile::load(state.SettingsPath);

    readInto(file, state.NameBuffer, KeyEditorName);
    state.EditorName = state.NameBuffer.text();
    readInto(file, state.ProgramBuffer, KeyEditorProgram);
    state.EditorPath = state.ProgramBuffer.text();
    for (int i = 1; i <= 3; ++i) {
        readInto(file, state.NameBuffer, KeyToolName1 + 2 * (i - 1));
        state.ToolName(i) = state.NameBuffer.text();
        readInto(file, state.ProgramBuffer, KeyToolProgram1 + 2 * (i - 1));
        state.ToolPath(i) = state.ProgramBuffer.text();
    }

    SettingsRecordFields& record = state.SettingsRecord;
    readInto(file, record.Name, KeyFontName);
    readInto(file, record.Size, KeyFontSize);
    readInto(file, record.Uline, KeyFontUline);
    readInto(file, record.Strike, KeyFontStrike);
    readInto(file, record.Italic, KeyFontItalic);
    readInto(file, record.Bold, KeyFontBold);
    readInto(file, record.Color, KeyFontColor);
    readInto(file, record.BColor, KeyFontBColor);
    readInto(file, record.Top, KeyFormTop);
    readInto(file, record.Left, KeyFormLeft);
    readInto(file, record.Height, KeyFormHeight);
    readInto(file, record.Width, KeyFormWidth);
    readInto(file, record.Fselect, KeyOptionFselect);
    readInto(file, record.Ext1, KeyExt1);
    readInto(file, record.Ext2, KeyExt2);
    readInto(file, record.Ext3, KeyExt3);
    readInto(file, record.Ext4, KeyExt4);
    readInto(file, record.Ext5, KeyExt5);

    state.ExtPattern(1) = record.Ext1.text();
    state.ExtPattern(2) = record.Ext2.text();
    state.ExtPattern(3) = record.Ext3.text();
    state.ExtPattern(4) = record.Ext4.text();
    state.ExtPattern(5) = record.Ext5.text();
}

QString valueAfterRestart(const QString& value, int readWidth) {
    // The field takes at most its width in characters and is written up to its first NUL.
    QString inField = value.left(readWidth);
    if (const qsizetype nul = inField.indexOf(QChar(u'\0')); nul >= 0)
        inField.truncate(nul);
    return ProfileFile::valueAsRead(inField, readWidth);
}

bool comesBackWhole(const QString& value, int readWidth) {
    constexpr int Unlimited = 1 << 30;
    return valueAfterRestart(value, readWidth) == valueAfterRestart(value, Unlimited);
}

bool writeFormKeys(const ModPlok& state) {
    const FileUpdateLock lock(state.SettingsPath);
    if (lock.isBusy())
        return false;
    ProfileFile file = ProfileFile::load(state.SettingsPath);
    const SettingsRecordFields& record = state.SettingsRecord;
    writeFrom(file, record.Top, KeyFormTop);
    writeFrom(file, record.Left, KeyFormLeft);
    writeFrom(file, record.Height, KeyFormHeight);
    writeFrom(file, record.Width, KeyFormWidth);
    return file.save();
}

bool writeOptionKeys(ModPlok& state) {
    const FileUpdateLock lock(state.SettingsPath);
    if (lock.isBusy())
        return false;
    ProfileFile file = ProfileFile::load(state.SettingsPath);
    writeFrom(file, state.NameBuffer, KeyEditorName);
    writeFrom(file, state.ProgramBuffer, KeyEditorProgram);
    for (int i = 1; i <= 3; ++i) {
        state.NameBuffer = state.ToolName(i);
        writeFrom(file, state.NameBuffer, KeyToolName1 + 2 * (i - 1));
        state.ProgramBuffer = state.ToolPath(i);
        writeFrom(file, state.ProgramBuffer, KeyToolProgram1 + 2 * (i - 1));
    }
    const SettingsRecordFields& record = state.SettingsRecord;
    writeFrom(file, record.Name, KeyFontName);
    writeFrom(file, record.Size, KeyFontSize);
    writeFrom(file, record.Uline, KeyFontUline);
    writeFrom(file, record.Strike, KeyFontStrike);
    writeFrom(file, record.Italic, KeyFontItalic);
    writeFrom(file, record.Bold, KeyFontBold);
    writeFrom(file, record.Color, KeyFontColor);
    writeFrom(file, record.BColor, KeyFontBColor);
    writeFrom(file, record.Fselect, KeyOptionFselect);
    writeFrom(file, record.Ext1, KeyExt1);
    writeFrom(file, record.Ext2, KeyExt2);
    writeFrom(file, record.Ext3, KeyExt3);
    writeFrom(file, record.Ext4, KeyExt4);
    writeFrom(file, record.Ext5, KeyExt5);
    return file.save();
}

} // namespace zorvane
