#include "platform.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <ctime>
#include <optional>
#include <string>

namespace morvinta {
namespace {

// Sets MORVINTA_SEED for the scope (absent: unset), then restores it.
class SeedVariable {
 public:
  explicit SeedVariable(const char* value) {
    if (const char* old = getenv(kName)) previous_ = old;
    if (value == nullptr) {
      unsetenv(kName);
    } else {
      setenv(kName, value, 1);
    }
  }
  ~SeedVariable() {
    if (previous_) {
      setenv(kName, previous_->c_str(), 1);
    } else {
      unsetenv(kName);
    }
  }
  SeedVariable(const SeedVariable&) = delete;
  SeedVariable& operator=(const SeedVariable&) = delete;

 private:
  static constexpr const char* kName = "MORVINTA_SEED";
  std::optional<std::string> previous_;
};

bool near_the_clock(std::uint32_t seed) {
  const auto now = static_cast<std::uint32_t>(std::time(nullptr));
  return seed + 5 >= now && seed <= now + 5;
}

TEST(RandomSeed, WholeNumberInTheVariableFixesTheSeed) {
  const struct {
    const char* value;
    std::uint32_t expected;
  } rows[] = {
      {"0", 0},
      {"1", 1},
      {"20261206", 20261206},
      {"4294967295", 4294967295u},  // the largest 32-bit value
      {"007", 7},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    const SeedVariable variable(row.value);
    EXPECT_EQ(random_seed(), row.expected);
  }
}

TEST(RandomSeed, AnythingElseFallsBackToTheClock) {
  const char* const values[] = {
      nullptr,  // not set at all
      "",
      "4294967296",  // one past the 32-bit range
      "99999999999999999999",
      "-1",
      "+5",
      " 5",
      "5 ",
      "12x",
      "0x10",
  };
  for (const char* value : values) {
    SCOPED_TRACE(value == nullptr ? "(unset)" : value);
    const SeedVariable variable(value);
    EXPECT_TRUE(near_the_clock(random_seed()));
  }
}

}  // namespace
}  // namespace morvinta
