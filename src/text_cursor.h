// Readers for a text that is read from later and later places: every
// occurrence of an anchor, then the next end mark or the number that
// follows it. Each remembers its last answer and where it looked, so a
// report that holds an anchor any number of times is still read in time
// linear in its size; the answers are those of the toolkit's operations on
// the text from that place (text_scan.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace morvinta {

// The first occurrence of a pattern at or after a place.
class NextOccurrence {
 public:
  NextOccurrence(std::string_view text, std::string_view pattern)
      : text_(text), pattern_(pattern) {}

  // The first occurrence that starts at or after from; absent when there is
  // none. Between calls, from never decreases.
  std::optional<std::size_t> at_or_after(std::size_t from) {
    if (!searched_ || (found_ != std::string_view::npos && found_ < from)) {
      found_ = text_.find(pattern_, from);
      searched_ = true;
    }
    if (found_ == std::string_view::npos) return std::nullopt;
    return found_;
  }

 private:
  std::string_view text_;
  std::string_view pattern_;
  bool searched_ = false;
  std::size_t found_ = std::string_view::npos;
};

// A run of digits and its value modulo 2^32, without its sign.
struct DigitRun {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::uint32_t magnitude = 0;
};

inline bool is_digit_byte(char c) { return c >= '0' && c <= '9'; }

inline std::uint32_t digits_value(std::string_view text, std::size_t begin,
                                  std::size_t end) {
  std::uint32_t value = 0;
  for (std::size_t i = begin; i < end; ++i) {
    value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
  }
  return value;
}

// The value of the run read from first on, with its sign when the byte
// before first lies at or after from.
inline std::int32_t signed_run(std::string_view text, std::size_t from,
                               std::size_t first, std::uint32_t magnitude) {
  if (first > from && text[first - 1] == '-') magnitude = 0u - magnitude;
  return static_cast<std::int32_t>(magnitude);
}

// The first number of the text from a place: `nth_number` of the rest, n 1.
class FirstNumber {
 public:
  explicit FirstNumber(std::string_view text) : text_(text) {}

  // nth_number(text.substr(from), 1). Between calls, from never decreases.
  std::int32_t from(std::size_t from) {
    if (!known_ || run_.begin < from) {
      if (known_ && from < run_.end) {
        // Inside the run: its tail, without a sign.
        return static_cast<std::int32_t>(digits_value(text_, from, run_.end));
      }
      std::size_t begin = from;
      while (begin < text_.size() && !is_digit_byte(text_[begin])) ++begin;
      std::size_t end = begin;
      while (end < text_.size() && is_digit_byte(text_[end])) ++end;
      run_ = DigitRun{begin, end, digits_value(text_, begin, end)};
      known_ = true;
    }
    if (run_.begin == run_.end) return 0;  // no digit is left
    return signed_run(text_, from, run_.begin, run_.magnitude);
  }

 private:
  std::string_view text_;
  bool known_ = false;
  DigitRun run_;
};

// The last number of the text between two places: `nth_number_from_end` of
// text[from, end), n 1.
class LastNumber {
 public:
  explicit LastNumber(std::string_view text) : text_(text) {}

  // Between calls with the same end, from never decreases.
  std::int32_t between(std::size_t from, std::size_t end) {
    if (end != end_ || from < scanned_from_) {
      end_ = end;
      scanned_from_ = from;
      std::size_t last = end;
      while (last > from && !is_digit_byte(text_[last - 1])) --last;
      std::size_t begin = last;
      if (last > from) {
        while (begin > 0 && is_digit_byte(text_[begin - 1])) --begin;
      }
      run_ = DigitRun{begin, last, digits_value(text_, begin, last)};
    }
    if (run_.end <= from || run_.begin == run_.end) return 0;
    if (run_.begin < from) {
      return static_cast<std::int32_t>(digits_value(text_, from, run_.end));
    }
    return signed_run(text_, from, run_.begin, run_.magnitude);
  }

 private:
  std::string_view text_;
  std::size_t end_ = std::string_view::npos;
  std::size_t scanned_from_ = 0;
  DigitRun run_;
};

}  // namespace morvinta
