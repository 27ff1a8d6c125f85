#include "figures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace morvinta {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

// The ends of the range, where a result has no 32-bit twin.
TEST(Figures, WrapAtBothEnds) {
  EXPECT_EQ(figures::plus(kMax, 1), kMin);
  EXPECT_EQ(figures::minus(0, kMin), kMin);
  EXPECT_EQ(figures::quotient(kMin, -1), kMin);
  EXPECT_EQ(figures::magnitude(kMin), kMin);
  EXPECT_EQ(figures::truncated(-2147483649.0), kMax);
  EXPECT_EQ(figures::truncated(std::nan("")), 0);
}

}  // namespace
}  // namespace morvinta
