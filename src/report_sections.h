// What the report says the character carries, knows and did this turn: the
// inventory, bank safe and money, the items and monsters the character has
// met, the known and active spells, and the moves of the turn. The info file
// "info/info_<character>.txt" carries the known items and monsters from one
// turn to the next; without it the character's earlier reports of the
// current ten-turn stretch are read instead.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogues.h"
#include "coordinate.h"

namespace morvinta {

class TurnReport;

// Marks in the item rows what the character carries (and whether it is in
// hand), what lies in the bank safe, the money (item 50) and, for the
// current layout, the items the character knows.
void parse_inventory(ItemCatalogue& items, std::string_view text,
                     int report_kind, bool verbose);

// Marks the monsters the character knows; current layout only.
void parse_encyclopedia(MonsterCatalogue& monsters, std::string_view text,
                        int report_kind);

// Marks the known spells with their cost and, in the current layout, the
// spells active on the character. Prints a line when the report lists none.
void parse_spells(SpellCatalogue& spells, std::string_view text,
                  int report_kind, bool verbose);

// The money the character carries, from the current layout's sheet; 0 when
// the sheet shows none.
std::int32_t read_money(std::string_view text);

// The map squares the character stepped on this turn, in order.
class AdventureLog {
 public:
  static constexpr int kMaxMoves = 30;

  // Reads the "[x,y]" squares of the adventures part; both layouts alike.
  // Moves past the thirtieth are not kept.
  void parse_moves(std::string_view text, int report_kind, bool verbose);

  // The last recorded move; (0,0) when there is none.
  Coordinate last_move() const;

  // The region of the last move (1250 bytes); "Semmi Közepe" without one.
  std::string_view region_name() const;

  std::array<Coordinate, kMaxMoves> moves{};
  std::int32_t move_count = 0;
};

// Writes "info/info_<character>.txt" from the known items (1 to 1999) and
// monsters (1 to 999), replacing the old file in one step. Prints a line when
// it cannot be written.
void write_info_file(const TurnReport& report);

// The info file's text for the known rows of the catalogues.
std::string info_file_text(const ItemCatalogue& items,
                           const MonsterCatalogue& monsters);

}  // namespace morvinta
