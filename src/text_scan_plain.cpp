#include "text_scan_plain.h"

#include <cstddef>

namespace morvinta {

namespace {

bool plain_scans_on = false;

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_space(char c) { return c == ' ' || c == '\n' || c == '\t'; }

bool occurs_at(std::string_view text, std::size_t at,
               std::string_view pattern) {
  if (at > text.size() || text.size() - at < pattern.size()) return false;
  for (std::size_t k = 0; k < pattern.size(); ++k) {
    if (text[at + k] != pattern[k]) return false;
  }
  return true;
}

std::int32_t run_value(std::string_view text, std::size_t begin,
                       std::size_t end) {
  std::uint32_t value = 0;
  for (std::size_t i = begin; i < end; ++i) {
    value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
  }
  if (begin > 0 && text[begin - 1] == '-') value = 0u - value;
  return static_cast<std::int32_t>(value);
}

struct Span {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// The n-th run of digits counted from the end.
std::optional<Span> run_from_end(std::string_view text, int n) {
  int round = 0;
  std::size_t i = text.size();
  while (i > 0) {
    if (!is_digit(text[i - 1])) {
      --i;
      continue;
    }
    const std::size_t end = i;
    while (i > 0 && is_digit(text[i - 1])) --i;
    if (++round == n) return Span{i, end};
  }
  return std::nullopt;
}

// The whitespace-tolerant match from `from` on, step by step as defined.
std::optional<Span> loose_match(std::string_view text, std::string_view pattern,
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
    const auto at = plain::find_first(text, word, search);
    if (!at) return std::nullopt;
    std::size_t t = *at;
    bool matched = true;
    for (const char p : pattern) {
      if (is_space(p) && t < text.size() && is_space(text[t])) {
        while (t + 1 < text.size() && is_space(text[t + 1])) ++t;
      }
      if (t >= text.size() ||
          (text[t] != p &&
           !(p == ' ' && (text[t] == '\n' || text[t] == '\t')))) {
        matched = false;
        break;
      }
      ++t;
    }
    if (matched) return Span{*at, t};
    search = *at + (word.empty() ? 1 : word.size());
  }
}

}  // namespace

bool plain_scans() { return plain_scans_on; }
void use_plain_scans(bool on) { plain_scans_on = on; }

namespace plain {

std::optional<std::size_t> find_first(std::string_view text,
                                      std::string_view pattern,
                                      std::size_t from) {
  if (pattern.empty()) {
    if (from <= text.size()) return from;
    return std::nullopt;
  }
  for (std::size_t at = from; at < text.size(); ++at) {
    if (text[at] == pattern[0] && occurs_at(text, at, pattern)) return at;
  }
  return std::nullopt;
}

MaybeText find_after(MaybeText text, std::string_view pattern) {
  if (!text) return std::nullopt;
  const auto at = find_first(*text, pattern);
  if (!at) return std::nullopt;
  return text->substr(*at + pattern.size());
}

MaybeText extract_inclusive(MaybeText text, std::string_view start,
                            std::string_view end) {
  if (!text) return std::nullopt;
  const auto begin = find_first(*text, start);
  if (!begin) return std::nullopt;
  const auto stop = find_first(*text, end, *begin + start.size());
  if (!stop) return std::nullopt;
  return text->substr(*begin, *stop + end.size() - *begin);
}

MaybeText extract_between(MaybeText text, std::string_view start,
                          std::string_view end) {
  if (!text) return std::nullopt;
  const auto begin = find_first(*text, start);
  if (!begin) return std::nullopt;
  const std::size_t inner = *begin + start.size();
  const auto stop = find_first(*text, end, inner);
  if (!stop) return std::nullopt;
  return text->substr(inner, *stop - inner);
}

MaybeText find_loose(MaybeText text, std::string_view pattern) {
  if (!text) return std::nullopt;
  const auto match = loose_match(*text, pattern, 0);
  if (!match) return std::nullopt;
  return text->substr(match->begin);
}

MaybeText find_after_loose(MaybeText text, std::string_view pattern) {
  if (!text) return std::nullopt;
  const auto match = loose_match(*text, pattern, 0);
  if (!match) return std::nullopt;
  return text->substr(match->end);
}

MaybeText extract_inclusive_loose(MaybeText text, std::string_view start,
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

std::int32_t nth_number(MaybeText text, int n) {
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

std::int32_t nth_number_from_end(MaybeText text, int n) {
  if (!text) return 0;
  const auto run = run_from_end(*text, n);
  return run ? run_value(*text, run->begin, run->end) : 0;
}

double nth_real_from_end(MaybeText text, int n) {
  if (!text) return 0;
  const auto run = run_from_end(*text, n);
  if (!run) return 0;
  double value = 0;
  double power = 1;
  for (std::size_t i = run->end; i > run->begin; --i) {
    value += ((*text)[i - 1] - '0') * power;
    power *= 10;
  }
  if (run->begin > 0 && (*text)[run->begin - 1] == '-') value = -value;
  return value;
}

double nth_decimal(MaybeText text, int n, double scale) {
  return nth_number(text, n) + nth_number(text, n + 1) * scale;
}

void insert_after(std::string& text, std::string_view marker,
                  std::string_view insertion) {
  const auto at = find_first(text, marker);
  if (!at) return;
  const std::size_t cut = *at + marker.size();
  text = text.substr(0, cut) + std::string(insertion) + text.substr(cut);
}

bool replace_first(std::string& text, std::string_view old_text,
                   std::string_view new_text) {
  if (old_text.empty()) return false;
  const auto at = find_first(text, old_text);
  if (!at) return false;
  text = text.substr(0, *at) + std::string(new_text) +
         text.substr(*at + old_text.size());
  return true;
}

void replace_all(std::string& text, std::string_view old_text,
                 std::string_view new_text) {
  if (old_text.empty()) return;
  if (find_first(new_text, old_text)) {
    std::size_t from = 0;
    while (const auto at = find_first(text, old_text, from)) {
      text = text.substr(0, *at) + std::string(new_text) +
             text.substr(*at + old_text.size());
      from = *at + new_text.size();
    }
    return;
  }
  // A replacement that keeps forming the pattern anew stops in time.
  for (std::size_t left = text.size() + 1;
       left > 0 && replace_first(text, old_text, new_text); --left) {
  }
}

}  // namespace plain

}  // namespace morvinta
