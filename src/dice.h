// The damage dice of weapons and spells. The tool never rolls them: every
// damage figure it shows is the expected value of the expression.
#pragma once

#include <cstdint>

namespace morvinta {

// A weapon's damage: count dice of the given sides, plus bonus.
struct DiceRoll {
  std::int32_t count = 0;
  std::int32_t sides = 0;
  std::int32_t bonus = 0;

  // The expected value of one throw: count * (sides + 1), formed in 32-bit
  // whole numbers, halved and the bonus added in double precision.
  double dice_average() const;
  bool operator==(const DiceRoll&) const = default;
};

// A spell's damage: n times (count dice of the given sides plus bonus), the
// multiplier n supplied by the caster's power and limited by cap.
struct CappedDiceRoll {
  std::int32_t cap = 0;
  std::int32_t count = 0;
  std::int32_t sides = 0;
  std::int32_t bonus = 0;

  // min(n, cap) times the expected value of one throw.
  double capped_dice_average(std::int32_t n) const;
  bool operator==(const CappedDiceRoll&) const = default;
};

}  // namespace morvinta
