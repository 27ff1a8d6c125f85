// Arithmetic on the game's figures: the one rule for every number read from
// a report, a settings file, a catalogue or a file name once it meets a sum,
// a difference, a product or a quotient.
//
// Game figures are 32-bit signed numbers, and the number readers already
// bring longer digit runs into 32 bits modulo 2^32. Arithmetic on figures
// does the same: the exact result is taken modulo 2^32, as the game's own
// 32-bit arithmetic does, so every result is defined and, for every value
// that does not overflow, exactly what plain arithmetic gives.
//
// The one exception is a step from a turn to the next one (or a count of
// turns): its result names files, the order sheet of the next turn or the
// earlier reports of the character, and a wrap would name a turn at the
// other end of the range. Such a step stops at the 32-bit limits instead.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace morvinta::figures {

// A wider result brought back to 32 bits, modulo 2^32.
constexpr std::int32_t wrap(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

constexpr std::int32_t plus(std::int32_t a, std::int32_t b) {
  return wrap(std::int64_t{a} + b);
}

constexpr std::int32_t minus(std::int32_t a, std::int32_t b) {
  return wrap(std::int64_t{a} - b);
}

constexpr std::int32_t times(std::int32_t a, std::int32_t b) {
  return wrap(std::int64_t{a} * b);
}

// a / b truncated toward zero; b must not be 0. The one quotient beyond 32
// bits, the lowest value divided by -1, wraps back to the lowest value.
constexpr std::int32_t quotient(std::int32_t a, std::int32_t b) {
  return wrap(std::int64_t{a} / b);
}

// The magnitude; the lowest value stays itself, as it has no positive twin
// in 32 bits.
constexpr std::int32_t magnitude(std::int32_t value) {
  return value < 0 ? minus(0, value) : value;
}

// A double truncated toward zero to 32 bits, wrapping beyond them; 0 for a
// value that is not a finite number.
inline std::int32_t truncated(double value) {
  if (!std::isfinite(value)) return 0;
  // The remainder modulo 2^32 keeps the low 32 bits and fits in 64.
  const double low_bits = std::fmod(std::trunc(value), 4294967296.0);
  return wrap(static_cast<std::int64_t>(low_bits));
}

// The turn after the given one; the highest turn has no later one and
// stays itself.
constexpr std::int32_t next_turn(std::int32_t turn) {
  return turn == std::numeric_limits<std::int32_t>::max() ? turn : turn + 1;
}

}  // namespace morvinta::figures
