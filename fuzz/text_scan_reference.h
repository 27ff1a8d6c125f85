// What the fuzzer checks the text toolkit against: the plain twins of the
// toolkit (text_scan_plain.h), plus a bounded run of the repeated
// replacement and plain versions of the few operations the twins leave out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text_scan_plain.h"

namespace morvinta::reference {

using plain::extract_between;
using plain::extract_inclusive;
using plain::extract_inclusive_loose;
using plain::find_after;
using plain::find_after_loose;
using plain::find_loose;
using plain::insert_after;
using plain::nth_decimal;
using plain::nth_number;
using plain::nth_number_from_end;
using plain::nth_real_from_end;
using plain::replace_first;

// Replaces the first occurrence, searching the whole text from its start
// each round, as long as one is left. The rounds are counted: false when
// the limit ran out first (the text is then left half done).
inline bool replace_all(std::string& text, std::string_view old_text,
                        std::string_view new_text, int round_limit) {
  for (int round = 0; round < round_limit; ++round) {
    if (!replace_first(text, old_text, new_text)) return true;
  }
  return false;
}

inline void fill_chars(std::string& text, char c) {
  for (char& byte : text) byte = c;
}

inline void to_upper(std::string& text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

inline std::optional<std::string> squeeze_spaces(MaybeText text) {
  if (!text) return std::nullopt;
  std::string out;
  for (std::size_t i = 0; i < text->size(); ++i) {
    const char c = (*text)[i];
    if (c == '\n') continue;
    if (c == ' ' && i > 0 && (*text)[i - 1] == ' ') continue;
    out += c;
  }
  return out;
}

inline std::int32_t min_int(std::int32_t a, std::int32_t b) {
  return b < a ? b : a;
}

}  // namespace morvinta::reference
