#include "settings/SettingsFile.h"

#include "app/ModPlok.h"

namespace zorvane {

void readSettingsKeys(ModPlok& /*state*/) {}
void writeFormKeys(const ModPlok& /*state*/) {}
void writeOptionKeys(ModPlok& /*state*/) {}

} // namespace zorvane
