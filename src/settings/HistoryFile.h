#pragma once

namespace zorvane {

struct ModPlok;

// Reads plok.his (state.ProgramFolder + "plok.his"): 20 recent, then 20 usual folders.
// Returns 0, or the error number of the first failure (53 missing, 62 fewer than 40 lines);
// entries read before it keep their text.
int readHistoryFile(ModPlok& state);

// Rewrites plok.his with exactly 40 lines, replacing the file atomically. Returns 0 or an
// error number.
int writeHistoryFile(const ModPlok& state);

} // namespace zorvane
