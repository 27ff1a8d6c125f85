// Counting for the adventure digest's sources only. A report can hold numbers
// of any length (the number readers wrap them into 32 bits), so the counters
// add, subtract and take magnitudes modulo 2^32, never overflowing.
#pragma once

#include <cstdint>

namespace morvinta::digest_counting {

// counter + amount, wrapping.
inline void add_to(std::int32_t& counter, std::int32_t amount) {
  counter = static_cast<std::int32_t>(static_cast<std::uint32_t>(counter) +
                                      static_cast<std::uint32_t>(amount));
}

// counter - amount, wrapping.
inline void subtract_from(std::int32_t& counter, std::int32_t amount) {
  counter = static_cast<std::int32_t>(static_cast<std::uint32_t>(counter) -
                                      static_cast<std::uint32_t>(amount));
}

// The magnitude as a 32-bit counter; the lowest value stays itself, as it
// has no positive twin in 32 bits.
inline std::int32_t magnitude(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return static_cast<std::int32_t>(value < 0 ? 0u - bits : bits);
}

}  // namespace morvinta::digest_counting
