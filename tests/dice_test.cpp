#include "dice.h"

#include <gtest/gtest.h>

namespace morvinta {
namespace {

TEST(DiceAverage, Table) {
  struct Case {
    DiceRoll roll;
    double expected;
  };
  const Case cases[] = {
      {{3, 6, 2}, 12.5}, {{1, 4, 0}, 2.5},  {{0, 0, 0}, 0.0},
      {{1, 6, -2}, 1.5}, {{2, 4, -1}, 4.0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(c.roll.dice_average(), c.expected)
        << c.roll.count << "d" << c.roll.sides << "+" << c.roll.bonus;
  }
}

TEST(CappedDiceAverage, MultiplierIsCapped) {
  const CappedDiceRoll spell{5, 1, 6, 0};
  EXPECT_DOUBLE_EQ(spell.capped_dice_average(0), 0.0);
  EXPECT_DOUBLE_EQ(spell.capped_dice_average(3), 10.5);
  EXPECT_DOUBLE_EQ(spell.capped_dice_average(5), 17.5);
  EXPECT_DOUBLE_EQ(spell.capped_dice_average(9), 17.5);
  EXPECT_DOUBLE_EQ(CappedDiceRoll{}.capped_dice_average(4), 0.0);
}

TEST(DiceAverage, HugeCatalogueValuesDoNotOverflow) {
  // 65536 * 65536 wraps to 0 in 32 bits: defined, not undefined.
  EXPECT_DOUBLE_EQ((DiceRoll{65536, 65535, 0}.dice_average()), 0.0);
}

}  // namespace
}  // namespace morvinta
