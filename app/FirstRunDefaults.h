#pragma once

namespace zorvic {

// True once the first-run defaults have been written completely.
bool ProductIsSetUp();

// Writes every default of a fresh installation, the marker key last, so that an interrupted
// first run is repeated at the next start.
void WriteFirstRunDefaults();

} // namespace zorvic
