// Pieces the rules share among their sources: 32-bit game arithmetic that
// wraps instead of overflowing, the item tests and the look-ups of the sheet
// and the settings. Not part of the rules' interface.
#pragma once

#include <cmath>
#include <cstdint>
#include <string_view>

#include "text_scan.h"
#include "turn_report.h"

namespace morvinta::rules_support {

// A 64-bit intermediate brought back to the game's 32 bits, modulo 2^32.
inline std::int32_t wrap(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

inline std::int32_t plus(std::int32_t a, std::int32_t b) {
  return wrap(std::int64_t{a} + b);
}

inline std::int32_t minus(std::int32_t a, std::int32_t b) {
  return wrap(std::int64_t{a} - b);
}

inline std::int32_t times(std::int32_t a, std::int32_t b) {
  return wrap(std::int64_t{a} * b);
}

// a / b truncated toward zero; b must not be 0. The one quotient beyond 32
// bits, the lowest value divided by -1, wraps.
inline std::int32_t quotient(std::int32_t a, std::int32_t b) {
  return wrap(std::int64_t{a} / b);
}

// A double truncated toward zero to 32 bits, wrapping beyond them; 0 for a
// value that is not a finite number.
inline std::int32_t truncated(double value) {
  if (!std::isfinite(value)) return 0;
  // The remainder modulo 2^32 keeps the low 32 bits and fits in 64.
  const double low_bits = std::fmod(std::trunc(value), 4294967296.0);
  return wrap(static_cast<std::int64_t>(low_bits));
}

// In hand and carried.
inline bool counts(const TurnReport& report, int item) {
  const ItemRecord& row = report.items.item_by_number(item);
  return row.carried_count > 0 && row.equipped;
}

inline bool carried(const TurnReport& report, int item) {
  return report.items.item_by_number(item).carried_count > 0;
}

inline bool held(const ItemRecord& row, std::int32_t planned) {
  return planned == 0 ? row.equipped : row.turn_equipped;
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

// A column of the item rows 1 to 1999 summed over the items held.
template <typename Column>
std::int32_t held_column_sum(const TurnReport& report, std::int32_t planned,
                             Column column) {
  std::int64_t sum = 0;
  for (int n = 1; n < ItemCatalogue::kRows; ++n) {
    const ItemRecord& row = report.items.item_by_number(n);
    if (held(row, planned)) sum += column(row);
  }
  return wrap(sum);
}

}  // namespace morvinta::rules_support
