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

// A whole number of 32 bits in the variable fixes the seed; anything else
// falls back to the clock.
TEST(RandomSeed, FromTheVariableOrTheClock) {
  const struct {
    const char* value;  // nullptr: not set at all
    std::optional<std::uint32_t> seed;
  } rows[] = {
      {"0", 0u},
      {"20261206", 20261206u},
      {"4294967295", 4294967295u},
      {"007", 7u},
      {nullptr, {}},
      {"", {}},
      {"4294967296", {}},
      {"-1", {}},
      {"+5", {}},
      {" 5", {}},
      {"5 ", {}},
      {"0x10", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value == nullptr ? "(unset)" : row.value);
    const SeedVariable variable(row.value);
    const std::uint32_t seed = random_seed();
    if (row.seed) {
      EXPECT_EQ(seed, *row.seed);
    } else {
      EXPECT_TRUE(near_the_clock(seed));
    }
  }
}

}  // namespace
}  // namespace morvinta
