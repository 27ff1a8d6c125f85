#include "report_sections.h"

namespace morvinta {

void write_info_file([[maybe_unused]] const TurnReport& report) {
  // The info file is written once the encyclopedia and inventory parsers
  // mark what the character knows.
}

}  // namespace morvinta
