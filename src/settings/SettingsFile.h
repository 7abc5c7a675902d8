#pragma once

#include <QString>

namespace zorvane {

struct ModPlok;

// Reads every key of plok.ini (state.SettingsPath) in start-up order: the OpProgram keys
// through NameBuffer/ProgramBuffer into EditorName, EditorPath, ToolName, ToolPath; the Font,
// Form, Option and Extention keys into the fields of SettingsRecord; then ExtPattern(1..5).
// Each key's value (or default), cut to its read width - 1 bytes, goes into its field or buffer
// followed by a NUL and the rest of what the field held. Never fails: missing file, section or
// key give the defaults.
//
// Whether a key is present at all (the main window keeps its own colours without the Font keys
// Color and BColor) is ProfileFile::hasKey(state.SettingsPath, section, key).
void readSettingsKeys(ModPlok& state);

// What `value` gives at the next start once it has been stored into the field or transfer
// buffer of a key of read width `readWidth` (as many characters) and written: without the blanks
// around it, and at most readWidth - 1 bytes as the reader counts them (one for ASCII and
// half-width katakana, two for any other character, in every encoding of the file), never cut
// inside a character.
QString valueAfterRestart(const QString& value, int readWidth);

// Whether `value` comes back whole at the next start (the blanks around it never do).
bool comesBackWhole(const QString& value, int readWidth);

// The most bytes, as the reader counts them, that a key of read width `readWidth` gives back.
constexpr int valueLimitBytes(int readWidth) {
    return readWidth - 1;
}

// Writes the Form keys Top, Left, Height, Width from their fields, in that order. Returns
// false when plok.ini could not be written (the old file then stays as it was), also when
// another program held its lock too long.
bool writeFormKeys(const ModPlok& state);

// Writes the 22 keys the options dialog saves, in their order: Name and Program from NameBuffer
// and ProgramBuffer, Name1 to Program3 each copied from ToolName/ToolPath into NameBuffer/
// ProgramBuffer just before, then the Font, Option and Extention fields. Afterwards the
// buffers hold the values of tool 3. Returns false when plok.ini could not be written.
bool writeOptionKeys(ModPlok& state);

} // namespace zorvane
