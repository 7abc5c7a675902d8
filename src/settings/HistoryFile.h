#pragma once

namespace zorvane {

struct ModPlok;

// Reads plok.his (state.ProgramFolder + "plok.his"): 20 recent, then 20 usual folders, one a
// line. A line ends at CR or CR LF (a lone LF stays inside it); the last line may lack its end.
// Returns 0, or the error number of the first failure (53 missing, 62 fewer than 40 lines, 54
// not a regular file, 57 a read error); entries read before it keep their text, the others are
// not touched. HisFileNo is 1 while the file is open and 0 once it is closed. The encoding is
// decided on all the bytes read, as they are (a character cut by the end of the file does not
// count against UTF-8); a line longer than 64 KiB keeps its start, up to a whole character.
int readHistoryFile(ModPlok& state);

// Rewrites plok.his with exactly 40 lines ended by CR LF, replacing the file atomically (a
// failed write leaves the old file) under a lock held from the look at the old file to the
// replacement. A file read as UTF-8 or UTF-16 keeps its encoding; otherwise code page 932 when
// every entry fits it and the bytes read back as code page 932, else UTF-8. An entry holding a CR,
// which would break the line structure, is written as an empty line. Returns 0 or an error number
// (55 when another program held the lock too long; the file is then left to it).
int writeHistoryFile(ModPlok& state);

} // namespace zorvane
