// The one pseudo-random generator of the tool, the linear congruential one
// the challenge tower's climbs are drawn from. Seeded once per run from the
// clock; its state runs on from one report to the next.
#pragma once

#include <cstdint>

namespace morvinta {

// Sets the generator's whole state.
void seed_random(std::uint32_t seed);

// The next value, 0 to 32767: the state becomes state * 214013 + 2531011
// (mod 2^32) and the value is bits 16 to 30 of the new state.
int next_random();

// A whole number from 1 to sides: the next value times sides / 32768, plus 1.
// Fewer than one side gives 1.
int roll_die(int sides);

}  // namespace morvinta
