#include "text_scan.h"

#include <cstddef>
#include <utility>

namespace morvinta {

namespace {

constexpr auto npos = std::string_view::npos;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Blank, line feed and tab; a carriage return never reaches the parsers.
bool is_space(char c) { return c == ' ' || c == '\n' || c == '\t'; }

// Reads the run of digits [begin, end) with its sign, modulo 2^32.
std::int32_t run_value(std::string_view text, std::size_t begin,
                       std::size_t end) {
  std::uint32_t value = 0;
  for (std::size_t i = begin; i < end; ++i) {
    value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
  }
  if (begin > 0 && text[begin - 1] == '-') value = 0u - value;
  return static_cast<std::int32_t>(value);
}

// The n-th run of digits counted from the end, as [begin, end); absent when
// there are fewer runs.
std::optional<std::pair<std::size_t, std::size_t>> run_from_end(
    std::string_view text, int n) {
  if (n < 1) return std::nullopt;
  std::size_t i = text.size();
  for (int round = 1;; ++round) {
    while (i > 0 && !is_digit(text[i - 1])) --i;
    if (i == 0) return std::nullopt;
    const std::size_t end = i;
    while (i > 0 && is_digit(text[i - 1])) --i;
    if (round == n) return std::pair{i, end};
  }
}

// Compares the whole pattern with the text at `at` under the whitespace rule;
// returns where the match ends in the text.
std::optional<std::size_t> loose_compare(std::string_view text, std::size_t at,
                                         std::string_view pattern) {
  std::size_t t = at;
  for (const char p : pattern) {
    if (is_space(p) && t < text.size() && is_space(text[t])) {
      while (t + 1 < text.size() && is_space(text[t + 1])) ++t;
    }
    if (t >= text.size()) return std::nullopt;
    const char c = text[t];
    if (c != p && !(p == ' ' && (c == '\n' || c == '\t'))) return std::nullopt;
    ++t;
  }
  return t;
}

// The first loose match of the pattern at or after `from`, as [begin, end).
std::optional<std::pair<std::size_t, std::size_t>> loose_match(
    std::string_view text, std::string_view pattern, std::size_t from) {
  std::size_t word_begin = 0;
  while (word_begin < pattern.size() && is_space(pattern[word_begin])) {
    ++word_begin;
  }
  std::size_t word_end = word_begin;
  while (word_end < pattern.size() && !is_space(pattern[word_end])) ++word_end;
  const std::string_view first_word =
      pattern.substr(word_begin, word_end - word_begin);

  std::size_t search = from;
  while (search <= text.size()) {
    const std::size_t at = text.find(first_word, search);
    if (at == npos) return std::nullopt;
    if (const auto end = loose_compare(text, at, pattern)) {
      return std::pair{at, *end};
    }
    // Go on past this occurrence; overlapping ones are not tried.
    search = at + (first_word.empty() ? 1 : first_word.size());
  }
  return std::nullopt;
}

}  // namespace

MaybeText find_after(MaybeText text, std::string_view pattern) {
  if (!text) return std::nullopt;
  const std::size_t at = text->find(pattern);
  if (at == npos) return std::nullopt;
  return text->substr(at + pattern.size());
}

MaybeText extract_inclusive(MaybeText text, std::string_view start,
                            std::string_view end) {
  if (!text) return std::nullopt;
  const std::size_t begin = text->find(start);
  if (begin == npos) return std::nullopt;
  const std::size_t stop = text->find(end, begin + start.size());
  if (stop == npos) return std::nullopt;
  return text->substr(begin, stop + end.size() - begin);
}

MaybeText extract_between(MaybeText text, std::string_view start,
                          std::string_view end) {
  if (!text) return std::nullopt;
  const std::size_t begin = text->find(start);
  if (begin == npos) return std::nullopt;
  const std::size_t inner = begin + start.size();
  const std::size_t stop = text->find(end, inner);
  if (stop == npos) return std::nullopt;
  return text->substr(inner, stop - inner);
}

MaybeText find_loose(MaybeText text, std::string_view pattern) {
  if (!text) return std::nullopt;
  const auto match = loose_match(*text, pattern, 0);
  if (!match) return std::nullopt;
  return text->substr(match->first);
}

MaybeText find_after_loose(MaybeText text, std::string_view pattern) {
  if (!text) return std::nullopt;
  const auto match = loose_match(*text, pattern, 0);
  if (!match) return std::nullopt;
  return text->substr(match->second);
}

MaybeText extract_inclusive_loose(MaybeText text, std::string_view start,
                                  std::string_view end) {
  if (!text) return std::nullopt;
  std::size_t begin = 0;
  std::size_t search = 0;
  if (!start.empty()) {
    const auto start_match = loose_match(*text, start, 0);
    if (!start_match) return std::nullopt;
    begin = start_match->first;
    search = start_match->second;
  }
  const auto end_match = loose_match(*text, end, search);
  if (!end_match) return std::nullopt;
  return text->substr(begin, end_match->second - begin);
}

std::int32_t nth_number(MaybeText text, int n) {
  if (!text || n < 1) return 0;
  const std::string_view t = *text;
  std::size_t i = 0;
  for (int round = 1;; ++round) {
    while (i < t.size() && !is_digit(t[i])) ++i;
    if (i == t.size()) return 0;
    const std::size_t begin = i;
    while (i < t.size() && is_digit(t[i])) ++i;
    if (round == n) return run_value(t, begin, i);
  }
}

std::int32_t nth_number_from_end(MaybeText text, int n) {
  if (!text) return 0;
  const auto run = run_from_end(*text, n);
  if (!run) return 0;
  return run_value(*text, run->first, run->second);
}

double nth_real_from_end(MaybeText text, int n) {
  if (!text) return 0;
  const auto run = run_from_end(*text, n);
  if (!run) return 0;
  double value = 0;
  double power = 1;
  for (std::size_t i = run->second; i > run->first; --i) {
    value += ((*text)[i - 1] - '0') * power;
    power *= 10;
  }
  if (run->first > 0 && (*text)[run->first - 1] == '-') value = -value;
  return value;
}

double nth_decimal(MaybeText text, int n, double scale) {
  return nth_number(text, n) + nth_number(text, n + 1) * scale;
}

void insert_after(std::string& text, std::string_view marker,
                  std::string_view insertion) {
  const std::size_t at = text.find(marker);
  if (at == npos) return;
  text.insert(at + marker.size(), insertion);
}

bool replace_first(std::string& text, std::string_view old_text,
                   std::string_view new_text) {
  if (old_text.empty()) return false;
  const std::size_t at = text.find(old_text);
  if (at == npos) return false;
  text.replace(at, old_text.size(), new_text);
  return true;
}

void replace_all(std::string& text, std::string_view old_text,
                 std::string_view new_text) {
  if (old_text.empty()) return;
  if (new_text.find(old_text) != npos) {
    // Repeating would never end; one pass from left to right instead.
    std::size_t from = 0;
    for (;;) {
      const std::size_t at = text.find(old_text, from);
      if (at == npos) return;
      text.replace(at, old_text.size(), new_text);
      from = at + new_text.size();
    }
  }
  // The text before a replacement held no occurrence, so a new one can only
  // begin less than old_text.size() bytes before the replaced place.
  std::size_t from = 0;
  for (;;) {
    const std::size_t at = text.find(old_text, from);
    if (at == npos) return;
    text.replace(at, old_text.size(), new_text);
    from = at >= old_text.size() - 1 ? at - (old_text.size() - 1) : 0;
  }
}

void fill_chars(std::string& text, char c) { text.assign(text.size(), c); }

void to_upper(std::string& text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

std::optional<std::string> squeeze_spaces(MaybeText text) {
  if (!text) return std::nullopt;
  std::string out;
  out.reserve(text->size());
  char previous = '\0';
  for (const char c : *text) {
    if (c != '\n' && !(c == ' ' && previous == ' ')) out += c;
    previous = c;
  }
  return out;
}

std::int32_t min_int(std::int32_t a, std::int32_t b) { return a < b ? a : b; }

std::string cut_to(std::string_view text, std::size_t max_length) {
  return std::string(text.substr(0, max_length));
}

}  // namespace morvinta
