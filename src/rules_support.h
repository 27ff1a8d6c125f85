// Pieces the rules share among their sources: 32-bit game arithmetic that
// wraps instead of overflowing, the item tests and the look-ups of the sheet
// and the settings. Not part of the rules' interface.
#pragma once

#include <cstdint>
#include <string_view>

#include "figures.h"
#include "text_scan.h"
#include "turn_report.h"

namespace morvinta::rules_support {

// The game's 32-bit arithmetic, wrapping modulo 2^32 (figures.h).
using figures::minus;
using figures::plus;
using figures::quotient;
using figures::times;
using figures::truncated;
using figures::wrap;

// In hand and carried.
inline bool counts(const TurnReport& report, int item) {
  const ItemRecord& row = report.items.item_by_number(item);
  return row.carried_count > 0 && row.equipped;
}

inline bool carried(const TurnReport& report, int item) {
  return report.items.item_by_number(item).carried_count > 0;
}

inline bool knows_spell(const TurnReport& report, int spell) {
  return report.spells.spell_by_number(spell).known;
}

// The level of a skill, weapon skill or development point (name in 1250
// bytes); 0 for a name the table lacks.
inline std::int32_t skill(const TurnReport& report, std::string_view name) {
  return report.skills.find_skill(name).level;
}

inline std::int32_t weapon_skill(const TurnReport& report,
                                 std::string_view name) {
  return report.weapon_skills.find_weapon_skill(name).level;
}

inline std::int32_t development_point(const TurnReport& report,
                                      std::string_view name) {
  return report.development_points.find_development_point(name).level;
}

// The first number after the first occurrence of key in the settings text,
// negative with a minus right before its digits; 0 without the key.
inline std::int32_t settings_number(const TurnReport& report,
                                    std::string_view key) {
  return nth_number(find_after(report.settings.settings_text, key), 1);
}

// A column of the item rows 1 to 1999 summed over the items held (planned:
// after the planned dressing).
template <typename Column>
std::int32_t held_column_sum(const TurnReport& report, std::int32_t planned,
                             Column column) {
  std::int64_t sum = 0;
  for (const int n : report.items.held_rows(planned != 0)) {
    if (n > 0) sum += column(report.items.item_by_number(n));
  }
  return wrap(sum);
}

}  // namespace morvinta::rules_support
