// The enhancement of a loaded report: the summary tables, the page edits, the
// order sheet and the enhanced report file.
#pragma once

#include "turn_report.h"

namespace morvinta {

// Enhances a report of the current layout and writes its output files; does
// nothing for any other report kind.
void enhance(TurnReport& report);

}  // namespace morvinta
