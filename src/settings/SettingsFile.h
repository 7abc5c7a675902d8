#pragma once

namespace zorvane {

struct ModPlok;

// Reads every key of plok.ini (state.SettingsPath) in start-up order: the OpProgram keys
// through NameBuffer/ProgramBuffer into EditorName, EditorPath, ToolName, ToolPath; the Font,
// Form, Option and Extention keys into the fields of SettingsRecord; then ExtPattern(1..5).
// Never fails: missing file, section or key give the defaults.
void readSettingsKeys(ModPlok& state);

// Writes the Form keys Top, Left, Height, Width from their fields, in that order.
void writeFormKeys(const ModPlok& state);

// Writes the 22 keys the options dialog saves, in their order.
void writeOptionKeys(ModPlok& state);

} // namespace zorvane
