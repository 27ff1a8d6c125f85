// The one pseudo-random generator of the tool, the linear congruential one
// the challenge tower's climbs are drawn from. Seeded once per run from the
// clock; its state runs on from one report to the next.
#pragma once

#include <cstdint>

namespace morvinta {

// The generator's whole state; seed_random sets it.
inline std::uint32_t random_state = 1;

// One step: state * kRandomMultiplier + kRandomIncrement (mod 2^32).
inline constexpr std::uint32_t kRandomMultiplier = 214013u;
inline constexpr std::uint32_t kRandomIncrement = 2531011u;

// Several steps at once are one step too: state * multiplier + increment.
struct RandomJump {
  std::uint32_t multiplier = 1;
  std::uint32_t increment = 0;
};

// The jump over the given number of steps (0 or more).
constexpr RandomJump random_jump(int steps) {
  RandomJump jump;
  for (int i = 0; i < steps; ++i) {
    jump.multiplier *= kRandomMultiplier;
    jump.increment = jump.increment * kRandomMultiplier + kRandomIncrement;
  }
  return jump;
}

// Sets the generator's whole state.
inline void seed_random(std::uint32_t seed) { random_state = seed; }

// The next value, 0 to 32767: the state becomes state * 214013 + 2531011
// (mod 2^32) and the value is bits 16 to 30 of the new state. Inline: the
// challenge tower draws over a million per report.
inline int next_random() {
  random_state = random_state * kRandomMultiplier + kRandomIncrement;
  return static_cast<int>((random_state >> 16) & 0x7FFFu);
}

// A whole number from 1 to sides: the next value times sides / 32768, plus 1.
// Fewer than one side gives 1.
inline int roll_die(int sides) {
  const std::int64_t value = next_random();
  if (sides < 1) return 1;
  return static_cast<int>(value * sides / 32768) + 1;
}

}  // namespace morvinta
