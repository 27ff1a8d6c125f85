#include "rng.h"

#include <gtest/gtest.h>

namespace morvinta {
namespace {

TEST(Random, FirstValuesFromTheGeneratorFormula) {
  // Seed 1: state 1*214013+2531011 = 2745024, bits 16..30 give 41; the next
  // states give 18467, 6334 and 26500.
  seed_random(1);
  EXPECT_EQ(next_random(), 41);
  EXPECT_EQ(next_random(), 18467);
  EXPECT_EQ(next_random(), 6334);
  EXPECT_EQ(next_random(), 26500);
}

TEST(Random, RollDieScalesTheValue) {
  // 41*10/32768 = 0, 18467*10/32768 = 5, 6334*10/32768 = 1, 26500*10/32768 = 8.
  seed_random(1);
  EXPECT_EQ(roll_die(10), 1);
  EXPECT_EQ(roll_die(10), 6);
  EXPECT_EQ(roll_die(10), 2);
  EXPECT_EQ(roll_die(10), 9);
}

TEST(Random, RollDieStaysInRange) {
  seed_random(20261206);
  for (int i = 0; i < 20000; ++i) {
    const int roll = roll_die(10000);
    ASSERT_GE(roll, 1);
    ASSERT_LE(roll, 10000);
  }
  EXPECT_EQ(roll_die(0), 1);
}

}  // namespace
}  // namespace morvinta
