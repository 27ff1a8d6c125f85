// What the report says the character carries, knows and did this turn, and
// the info file that carries the character's knowledge from turn to turn.
#pragma once

#include "turn_report.h"

namespace morvinta {

// Writes "info/info_<character>.txt" from the known items and monsters.
void write_info_file(const TurnReport& report);

}  // namespace morvinta
