#include "dice.h"

#include <gtest/gtest.h>

namespace morvinta {
namespace {

TEST(Dice, AveragesAndCap) {
  EXPECT_DOUBLE_EQ((DiceRoll{3, 6, 2}.dice_average()), 12.5);
  EXPECT_DOUBLE_EQ((DiceRoll{1, 6, -2}.dice_average()), 1.5);
  // 65536 * 65536 wraps to 0 in 32 bits: defined, not undefined.
  EXPECT_DOUBLE_EQ((DiceRoll{65536, 65535, 0}.dice_average()), 0.0);
  const CappedDiceRoll spell{5, 1, 6, 0};
  EXPECT_DOUBLE_EQ(spell.capped_dice_average(0), 0.0);
  EXPECT_DOUBLE_EQ(spell.capped_dice_average(3), 10.5);
  EXPECT_DOUBLE_EQ(spell.capped_dice_average(9), 17.5);  // at most 5
}

}  // namespace
}  // namespace morvinta
