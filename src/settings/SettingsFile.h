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

// Writes the Form keys Top, Left, Height, Width from their fields, in that order. Returns
// false when plok.ini could not be written (the old file then stays as it was).
bool writeFormKeys(const ModPlok& state);

// Writes the 22 keys the options dialog saves, in their order: Name and Program from NameBuffer
// and ProgramBuffer, Name1 to Program3 each copied from ToolName/ToolPath into NameBuffer/
// ProgramBuffer just before, then the Font, Option and Extention fields. Afterwards the
// buffers hold the values of tool 3. Returns false when plok.ini could not be written.
bool writeOptionKeys(ModPlok& state);

} // namespace zorvane
