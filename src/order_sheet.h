// The order sheet: the fixed-width ".ul" form the player fills in for the
// next turn. The tool fills its header (character, next turn, start and
// teleport coordinates), the fixed orders of the settings ("par#N:"), the
// planned dressing orders and the warnings' ready-made orders, then writes it
// as "<folder>/<character>-<next turn>.ul".
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "coordinate.h"

namespace morvinta {

class TurnReport;

struct OrderLine {
  std::string code = "-  ";  // three characters; "-  " marks a free line
  std::int32_t first = 0;
  std::int32_t second = 0;
  std::int32_t third = 0;

  // Takes the order text's first three characters as the code (a blank keeps
  // the character there), upper-cased, and its first three numbers.
  void set_order_from_text(std::string_view order_text);

  // The 24 characters of the line: the code, then each number in six
  // columns, "-" where it is 0.
  std::string format_order_line() const;
};

struct OrderSheet {
  static constexpr int kLines = 40;

  std::int32_t character_number = 0;
  std::int32_t next_turn = 0;
  Coordinate start;
  Coordinate teleport;
  std::array<OrderLine, kLines + 1> lines{};  // line 0 is never written

  // Sets the first free line from first_line to 40; a full sheet drops the
  // order silently.
  void add_order(int first_line, std::string_view order_text);

  // The whole sheet as text, LF line ends, 1250 bytes.
  std::string sheet_text() const;

  // Writes the sheet into the folder, or under its bare name in the current
  // folder when that fails; says so when neither can be written.
  void write_order_sheet(std::string_view directory) const;
};

// Fills the header from the report and its moves, finds the teleport
// coordinate and puts the fixed orders of the settings.
void start_order_sheet(TurnReport& report);

// Plans the dressing of the settings ("LE1:", "KF1:", "LE2:", "KF2:"): marks
// the items in hand during the turn and, with dressing mode 1, writes the
// orders. Does nothing with dressing mode 0.
void plan_dressing(TurnReport& report);

}  // namespace morvinta
