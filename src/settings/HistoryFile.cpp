#include "settings/HistoryFile.h"

#include "app/ModPlok.h"

namespace zorvane {

int readHistoryFile(ModPlok& /*state*/) { return 53; }
int writeHistoryFile(const ModPlok& /*state*/) { return 0; }

} // namespace zorvane
