// Plain twins of the text toolkit (text_scan.h), written straight from the
// operations' definitions: byte loops over the whole text, each result a
// fresh string, no shortcuts. They are slow on purpose; the toolkit must
// give the same results. Same names and argument order as the toolkit, so a
// caller can switch between the two by the namespace alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvinta::reference {

using Text = std::optional<std::string>;

inline bool is_digit(char c) { return c >= '0' && c <= '9'; }
inline bool is_space(char c) { return c == ' ' || c == '\n' || c == '\t'; }

// Whether the pattern stands in the text at position at.
inline bool occurs_at(std::string_view text, std::size_t at,
                      std::string_view pattern) {
  if (at + pattern.size() > text.size()) return false;
  for (std::size_t k = 0; k < pattern.size(); ++k) {
    if (text[at + k] != pattern[k]) return false;
  }
  return true;
}

// The leftmost occurrence at or after from; absent when there is none.
inline std::optional<std::size_t> first_at(std::string_view text,
                                           std::string_view pattern,
                                           std::size_t from = 0) {
  for (std::size_t at = from; at + pattern.size() <= text.size(); ++at) {
    if (occurs_at(text, at, pattern)) return at;
  }
  return std::nullopt;
}

inline Text find_after(const Text& text, std::string_view pattern) {
  if (!text) return std::nullopt;
  const auto at = first_at(*text, pattern);
  if (!at) return std::nullopt;
  return text->substr(*at + pattern.size());
}

inline Text extract_inclusive(const Text& text, std::string_view start,
                              std::string_view end) {
  if (!text) return std::nullopt;
  const auto begin = first_at(*text, start);
  if (!begin) return std::nullopt;
  const auto stop = first_at(*text, end, *begin + start.size());
  if (!stop) return std::nullopt;
  return text->substr(*begin, *stop + end.size() - *begin);
}

inline Text extract_between(const Text& text, std::string_view start,
                            std::string_view end) {
  if (!text) return std::nullopt;
  const auto begin = first_at(*text, start);
  if (!begin) return std::nullopt;
  const std::size_t inner = *begin + start.size();
  const auto stop = first_at(*text, end, inner);
  if (!stop) return std::nullopt;
  return text->substr(inner, *stop - inner);
}

struct LooseMatch {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// The whitespace-tolerant match, step by step: the pattern's first word
// found exactly, then the whole pattern compared from there, one blank of
// the pattern standing for a run of whitespace; after a failed try the
// search goes on past that occurrence of the word.
inline std::optional<LooseMatch> loose_match(std::string_view text,
                                             std::string_view pattern,
                                             std::size_t from) {
  std::size_t word_begin = 0;
  while (word_begin < pattern.size() && is_space(pattern[word_begin])) {
    ++word_begin;
  }
  std::size_t word_end = word_begin;
  while (word_end < pattern.size() && !is_space(pattern[word_end])) ++word_end;
  const std::string_view word =
      pattern.substr(word_begin, word_end - word_begin);
  std::size_t search = from;
  for (;;) {
    const auto at = first_at(text, word, search);
    if (!at) return std::nullopt;
    std::size_t t = *at;
    bool matched = true;
    for (std::size_t p = 0; p < pattern.size(); ++p) {
      if (is_space(pattern[p]) && t < text.size() && is_space(text[t])) {
        while (t + 1 < text.size() && is_space(text[t + 1])) ++t;
      }
      if (t >= text.size()) {
        matched = false;
        break;
      }
      const bool equal =
          text[t] == pattern[p] ||
          (pattern[p] == ' ' && (text[t] == '\n' || text[t] == '\t'));
      if (!equal) {
        matched = false;
        break;
      }
      ++t;
    }
    if (matched) return LooseMatch{*at, t};
    // An empty word stands everywhere: the next try is one byte on.
    search = *at + (word.empty() ? 1 : word.size());
  }
}

inline Text find_loose(const Text& text, std::string_view pattern) {
  if (!text) return std::nullopt;
  const auto match = loose_match(*text, pattern, 0);
  if (!match) return std::nullopt;
  return text->substr(match->begin);
}

inline Text find_after_loose(const Text& text, std::string_view pattern) {
  if (!text) return std::nullopt;
  const auto match = loose_match(*text, pattern, 0);
  if (!match) return std::nullopt;
  return text->substr(match->end);
}

inline Text extract_inclusive_loose(const Text& text, std::string_view start,
                                    std::string_view end) {
  if (!text) return std::nullopt;
  std::size_t begin = 0;
  std::size_t search = 0;
  if (!start.empty()) {
    const auto start_match = loose_match(*text, start, 0);
    if (!start_match) return std::nullopt;
    begin = start_match->begin;
    search = start_match->end;
  }
  const auto end_match = loose_match(*text, end, search);
  if (!end_match) return std::nullopt;
  return text->substr(begin, end_match->end - begin);
}

// A run's value built digit by digit in 32 bits (wrapping, as the toolkit
// documents for more than nine digits), negative after a "-".
inline std::int32_t run_value(std::string_view text, std::size_t begin,
                              std::size_t end) {
  std::uint32_t value = 0;
  for (std::size_t i = begin; i < end; ++i) {
    value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
  }
  if (begin > 0 && text[begin - 1] == '-') value = 0u - value;
  return static_cast<std::int32_t>(value);
}

inline std::int32_t nth_number(const Text& text, int n) {
  if (!text) return 0;
  const std::string_view t = *text;
  int round = 0;
  std::size_t i = 0;
  while (i < t.size()) {
    if (!is_digit(t[i])) {
      ++i;
      continue;
    }
    const std::size_t begin = i;
    while (i < t.size() && is_digit(t[i])) ++i;
    if (++round == n) return run_value(t, begin, i);
  }
  return 0;
}

struct Run {
  std::size_t begin = 0;
  std::size_t end = 0;
};

inline std::optional<Run> run_from_end(std::string_view t, int n) {
  int round = 0;
  std::size_t i = t.size();
  while (i > 0) {
    if (!is_digit(t[i - 1])) {
      --i;
      continue;
    }
    const std::size_t end = i;
    while (i > 0 && is_digit(t[i - 1])) --i;
    if (++round == n) return Run{i, end};
  }
  return std::nullopt;
}

inline std::int32_t nth_number_from_end(const Text& text, int n) {
  if (!text) return 0;
  const auto run = run_from_end(*text, n);
  return run ? run_value(*text, run->begin, run->end) : 0;
}

// Each digit times ten to the power of its distance from the units digit.
inline double nth_real_from_end(const Text& text, int n) {
  if (!text) return 0;
  const auto run = run_from_end(*text, n);
  if (!run) return 0;
  double value = 0;
  for (std::size_t i = run->begin; i < run->end; ++i) {
    double power = 1;
    for (std::size_t k = i + 1; k < run->end; ++k) power *= 10;
    value += ((*text)[i] - '0') * power;
  }
  if (run->begin > 0 && (*text)[run->begin - 1] == '-') value = -value;
  return value;
}

inline double nth_decimal(const Text& text, int n, double scale) {
  return nth_number(text, n) + nth_number(text, n + 1) * scale;
}

inline void insert_after(std::string& text, std::string_view marker,
                         std::string_view insertion) {
  const auto at = first_at(text, marker);
  if (!at) return;
  text = text.substr(0, *at + marker.size()) + std::string(insertion) +
         text.substr(*at + marker.size());
}

inline bool replace_first(std::string& text, std::string_view old_text,
                          std::string_view new_text) {
  if (old_text.empty()) return false;
  const auto at = first_at(text, old_text);
  if (!at) return false;
  text = text.substr(0, *at) + std::string(new_text) +
         text.substr(*at + old_text.size());
  return true;
}

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

inline Text squeeze_spaces(const Text& text) {
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
