#include "figures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace morvinta {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(Figures, WrapModulo2To32AtBothEnds) {
  struct Row {
    const char* what;
    std::int32_t result, expected;
  };
  const Row rows[] = {
      {"max + 1", figures::plus(kMax, 1), kMin},
      {"min - 1", figures::minus(kMin, 1), kMax},
      {"0 - min", figures::minus(0, kMin), kMin},
      {"max * 2", figures::times(kMax, 2), -2},
      {"min / -1", figures::quotient(kMin, -1), kMin},
      {"|min|", figures::magnitude(kMin), kMin},
      {"3e9", figures::wrap(3'000'000'000), -1294967296},
      {"2^32 + 5.9", figures::truncated(4294967301.9), 5},
      {"-2^31 - 1", figures::truncated(-2147483649.0), kMax},
      {"NaN", figures::truncated(std::nan("")), 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.result, row.expected);
  }
}

// The next turn names the order sheet's file: it never jumps to the other
// end of the range.
TEST(Figures, NextTurnStopsAtTheHighest) {
  EXPECT_EQ(figures::next_turn(kMin), kMin + 1);
  EXPECT_EQ(figures::next_turn(kMax - 1), kMax);
  EXPECT_EQ(figures::next_turn(kMax), kMax);
}

}  // namespace
}  // namespace morvinta
