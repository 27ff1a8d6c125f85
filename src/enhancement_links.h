// The page edits that visit the report's coordinates and the catalogue
// numbers (coordinate links, monster links and numbers, item weights and
// links, spell development), done from an index of the places where the
// report names them and made in one copy of the text.
//
// The plain passes (enhancement.cpp) search the whole text once or more for
// every number and copy it for every edit; these give the same bytes. Where
// the catalogue or the settings hold something that could make the two
// differ (a name or an address with markup in it), they change nothing and
// return false, and the caller runs the plain pass.
#pragma once

#include "turn_report.h"

namespace morvinta {

bool link_coordinates_indexed(TurnReport& report);
bool link_monsters_indexed(TurnReport& report);
bool number_monsters_indexed(TurnReport& report);
bool add_item_weights_indexed(TurnReport& report);
bool develop_spells_indexed(TurnReport& report);
bool tabulate_item_lists_indexed(std::string& text);

}  // namespace morvinta
