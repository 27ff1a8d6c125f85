// Counting for the adventure digest's sources only. A report can hold numbers
// of any length (the number readers wrap them into 32 bits), so the counters
// add, subtract and take magnitudes modulo 2^32 (figures.h), never
// overflowing.
#pragma once

#include <cstdint>

#include "figures.h"

namespace morvinta::digest_counting {

// counter + amount, wrapping.
inline void add_to(std::int32_t& counter, std::int32_t amount) {
  counter = figures::plus(counter, amount);
}

// counter - amount, wrapping.
inline void subtract_from(std::int32_t& counter, std::int32_t amount) {
  counter = figures::minus(counter, amount);
}

// The magnitude as a 32-bit counter; the lowest value stays itself.
using figures::magnitude;

}  // namespace morvinta::digest_counting
