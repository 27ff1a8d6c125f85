#include "dice.h"

#include "figures.h"

namespace morvinta {

namespace {

// count * (sides + 1) in 32-bit whole numbers; catalogue values that would
// overflow wrap.
std::int32_t dice_product(std::int32_t count, std::int32_t sides) {
  return figures::times(count, figures::plus(sides, 1));
}

double throw_average(std::int32_t count, std::int32_t sides,
                     std::int32_t bonus) {
  return dice_product(count, sides) / 2.0 + bonus;
}

}  // namespace

double DiceRoll::dice_average() const {
  return throw_average(count, sides, bonus);
}

double CappedDiceRoll::capped_dice_average(std::int32_t n) const {
  const std::int32_t multiplier = n < cap ? n : cap;
  return static_cast<double>(multiplier) * throw_average(count, sides, bonus);
}

}  // namespace morvinta
