#include "rng.h"

namespace morvinta {

namespace {

std::uint32_t state = 1;

}  // namespace

void seed_random(std::uint32_t seed) { state = seed; }

int next_random() {
  state = state * 214013u + 2531011u;
  return static_cast<int>((state >> 16) & 0x7FFFu);
}

int roll_die(int sides) {
  const std::int64_t value = next_random();
  if (sides < 1) return 1;
  return static_cast<int>(value * sides / 32768) + 1;
}

}  // namespace morvinta
