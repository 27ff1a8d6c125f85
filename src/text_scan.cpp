#include "text_scan.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "text_scan_plain.h"

#ifdef __SSE2__
#include <immintrin.h>
#endif

namespace morvinta {

namespace {

constexpr auto npos = std::string_view::npos;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

#ifdef __SSE2__
// Whether the processor runs the scans 32 places at a time; asked once.
bool has_avx2() {
  static const bool kWide = __builtin_cpu_supports("avx2");
  return kWide;
}
#endif

// Blank, line feed and tab; a carriage return never reaches the parsers.
bool is_space(char c) { return c == ' ' || c == '\n' || c == '\t'; }

// How common a byte is in a report, 0 rarest: the markup's brackets,
// quotes, blanks and tag letters are everywhere, accented letters and most
// punctuation seldom.
constexpr std::array<std::uint8_t, 256> kCommonness = [] {
  std::array<std::uint8_t, 256> rank{};
  for (int c = 0; c < 256; ++c) {
    std::uint8_t r = 1;
    if (c >= 'a' && c <= 'z') r = 3;
    if (c >= 'A' && c <= 'Z') r = 2;
    if (c >= '0' && c <= '9') r = 2;
    rank[static_cast<std::size_t>(c)] = r;
  }
  for (const char c : std::string_view("<>\" =/\n.,TDCLASRWIHtaeslnrio")) {
    rank[static_cast<unsigned char>(c)] = 4;
  }
  return rank;
}();

// How common each byte is in the reports searched, learned from the first
// long text searched: every kSampleStep-th byte of it counted (plus one, so
// that no byte counts nothing). Reports of one player share their markup and
// their language, so the counts of the first serve the rest of the run; the
// guess above stands until then. The counts only choose which bytes a
// search looks for first, never what it finds.
constexpr std::size_t kLearnFrom = std::size_t{1} << 16;
constexpr std::size_t kSampleStep = 16;
struct ByteCounts {
  bool learned = false;
  std::size_t samples = 0;
  std::array<std::uint32_t, 256> count{};
};
ByteCounts byte_counts;

void learn_byte_counts(std::string_view text) {
  byte_counts.count.fill(1);
  for (std::size_t i = 0; i < text.size(); i += kSampleStep) {
    ++byte_counts.count[static_cast<unsigned char>(text[i])];
  }
  byte_counts.samples = text.size() / kSampleStep + 1;
  byte_counts.learned = true;
}

// The paired scans below look for the leftmost place from a start through
// `last` where the whole pattern stands: the pattern's bytes at `one` and
// `two` are compared first, and only where both stand is the whole pattern
// compared. Two bytes at two distances stand together far more seldom than
// either alone. This one compares place by place.
std::size_t paired_tail(std::string_view text, std::string_view pattern,
                        std::size_t s, std::size_t last, std::size_t one,
                        std::size_t two) {
  const char* const base = text.data();
  for (; s <= last; ++s) {
    if (base[s + one] == pattern[one] && base[s + two] == pattern[two] &&
        std::memcmp(base + s, pattern.data(), pattern.size()) == 0) {
      return s;
    }
  }
  return npos;
}

// The candidates of one block: bit i set where both bytes stand at s + i.
template <typename Mask>
std::size_t first_whole(const char* base, std::string_view pattern,
                        std::size_t s, Mask both) {
  const std::size_t m = pattern.size();
  while (both != 0) {
    const std::size_t place = s + static_cast<std::size_t>(__builtin_ctz(both));
    // The ends first: where the two bytes stand by chance (the "<B" of
    // every "<BR>"), one of them mostly differs, without a call.
    if (base[place] == pattern[0] && base[place + m - 1] == pattern[m - 1] &&
        std::memcmp(base + place, pattern.data(), m) == 0) {
      return place;
    }
    both &= both - 1;
  }
  return npos;
}

#ifdef __SSE2__
// These compare sixteen (thirty-two) places at a time and leave `s` at the
// first place not done. A block of places from s reads up to
// s + width - 1 + m - 1, which stays in the text while s + width - 1 <= last.
std::size_t paired_scan_16(std::string_view text, std::string_view pattern,
                           std::size_t& s, std::size_t last, std::size_t one,
                           std::size_t two) {
  const char* const base = text.data();
  const __m128i want_one = _mm_set1_epi8(pattern[one]);
  const __m128i want_two = _mm_set1_epi8(pattern[two]);
  for (; s + 15 <= last; s += 16) {
    const __m128i at_one =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + s + one));
    const __m128i at_two =
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + s + two));
    const auto both = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(
        _mm_cmpeq_epi8(at_one, want_one), _mm_cmpeq_epi8(at_two, want_two))));
    if (const std::size_t at = first_whole(base, pattern, s, both);
        at != npos) {
      return at;
    }
  }
  return npos;
}

__attribute__((target("avx2"))) std::size_t paired_scan_32(
    std::string_view text, std::string_view pattern, std::size_t& s,
    std::size_t last, std::size_t one, std::size_t two) {
  const char* const base = text.data();
  const __m256i want_one = _mm256_set1_epi8(pattern[one]);
  const __m256i want_two = _mm256_set1_epi8(pattern[two]);
  // Sixty-four places a round while neither half holds a candidate: one
  // test for both.
  for (; s + 63 <= last; s += 64) {
    const char* const p = base + s;
    const __m256i low = _mm256_and_si256(
        _mm256_cmpeq_epi8(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + one)),
            want_one),
        _mm256_cmpeq_epi8(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + two)),
            want_two));
    const __m256i high = _mm256_and_si256(
        _mm256_cmpeq_epi8(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 + one)),
            want_one),
        _mm256_cmpeq_epi8(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 + two)),
            want_two));
    if (_mm256_testz_si256(_mm256_or_si256(low, high),
                           _mm256_or_si256(low, high))) {
      continue;
    }
    if (const std::size_t at = first_whole(
            base, pattern, s, static_cast<unsigned>(_mm256_movemask_epi8(low)));
        at != npos) {
      return at;
    }
    if (const std::size_t at =
            first_whole(base, pattern, s + 32,
                        static_cast<unsigned>(_mm256_movemask_epi8(high)));
        at != npos) {
      return at;
    }
  }
  for (; s + 31 <= last; s += 32) {
    const __m256i at_one =
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(base + s + one));
    const __m256i at_two =
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(base + s + two));
    const auto both = static_cast<unsigned>(_mm256_movemask_epi8(
        _mm256_and_si256(_mm256_cmpeq_epi8(at_one, want_one),
                         _mm256_cmpeq_epi8(at_two, want_two))));
    if (const std::size_t at = first_whole(base, pattern, s, both);
        at != npos) {
      return at;
    }
  }
  return npos;
}
#endif

// The widest the processor has first, the rest place by place.
std::size_t paired_scan(std::string_view text, std::string_view pattern,
                        std::size_t start, std::size_t last, std::size_t one,
                        std::size_t two) {
  std::size_t s = start;
#ifdef __SSE2__
  if (has_avx2()) {
    if (const std::size_t at = paired_scan_32(text, pattern, s, last, one, two);
        at != npos) {
      return at;
    }
  }
  if (const std::size_t at = paired_scan_16(text, pattern, s, last, one, two);
      at != npos) {
    return at;
  }
#endif
  return paired_tail(text, pattern, s, last, one, two);
}

// The leftmost occurrence at or after from, by the Knuth-Morris-Pratt
// automaton: at most two steps per byte of the text, whatever the pattern.
// The pattern must not be empty.
std::size_t automaton_scan(std::string_view text, std::string_view pattern,
                           std::size_t from) {
  const std::size_t m = pattern.size();
  // border[i]: the longest proper border of the pattern's first i bytes.
  std::vector<std::size_t> border(m + 1, 0);
  for (std::size_t i = 1, k = 0; i < m; ++i) {
    while (k > 0 && pattern[i] != pattern[k]) k = border[k];
    if (pattern[i] == pattern[k]) ++k;
    border[i + 1] = k;
  }
  std::size_t k = 0;
  for (std::size_t i = from; i < text.size(); ++i) {
    while (k > 0 && text[i] != pattern[k]) k = border[k];
    if (text[i] == pattern[k]) ++k;
    if (k == m) return i + 1 - m;
  }
  return npos;
}

// Replaces [at, at + length) of the text by the insertion: in place when the
// text has room, else in one copy into a buffer of just the size needed. A
// string would double its room, and a report is megabytes.
void splice_into(std::string& text, std::size_t at, std::size_t length,
                 std::string_view insertion) {
  const std::size_t size = text.size() - length + insertion.size();
  if (size <= text.capacity()) {
    text.replace(at, length, insertion);
    return;
  }
  std::string spliced;
  spliced.reserve(size);
  spliced.append(text, 0, at);
  spliced.append(insertion);
  spliced.append(text, at + length);
  text = std::move(spliced);
}

// A pattern's hash, the same for its text wherever it is held, so that a
// pattern is looked up without a copy of it.
struct PatternHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view pattern) const {
    return std::hash<std::string_view>()(pattern);
  }
};

// The first places kept while a `KeptSearches` lives: pattern to place.
struct Kept {
  std::string_view text;
  std::unordered_map<std::string, std::size_t, PatternHash, std::equal_to<>>
      first;
};
Kept* kept = nullptr;

std::size_t scan_text(std::string_view text, std::string_view pattern,
                      std::size_t from);
std::size_t long_scan(std::string_view text, std::string_view pattern,
                      std::size_t from);

constexpr std::size_t kStopsPerCheck = 32;
constexpr std::size_t kFewestBytesPerStop = 256;
constexpr std::size_t kLongPattern = 64;

// The leftmost occurrence of the pattern at or after from, or npos; the first
// places in a text whose searches are kept are sought once.
std::size_t find_text(std::string_view text, std::string_view pattern,
                      std::size_t from = 0) {
  if (kept == nullptr || text.data() != kept->text.data() ||
      text.size() != kept->text.size() || pattern.empty()) {
    return scan_text(text, pattern, from);
  }
  const auto found = kept->first.find(pattern);
  if (found == kept->first.end()) {
    if (from != 0) return scan_text(text, pattern, from);
    const std::size_t at = scan_text(text, pattern, 0);
    kept->first.emplace(pattern, at);
    return at;
  }
  const std::size_t first = found->second;
  if (first == npos || first >= from) return first;
  return scan_text(text, pattern, from);
}

// The leftmost occurrence of a pattern of at least one byte at or after
// from, where it fits: memchr on the first byte, and at each place it stops
// the last byte before the whole pattern (most places end there, without
// a call).
std::size_t short_scan(std::string_view text, std::string_view pattern,
                       std::size_t from) {
  const std::size_t m = pattern.size();
  const char* const base = text.data();
  const char* at = base + from;
  const char* const last = base + (text.size() - m);
  while (at <= last) {
    at = static_cast<const char*>(
        std::memchr(at, pattern[0], static_cast<std::size_t>(last - at) + 1));
    if (at == nullptr) return npos;
    if (at[m - 1] == pattern[m - 1] &&
        std::memcmp(at, pattern.data(), m) == 0) {
      return static_cast<std::size_t>(at - base);
    }
    ++at;
  }
  return npos;
}

// The bytes a search of a pattern of at least two bytes looks for first:
// its least common byte, and the next least common at another place (the
// farther from the first on a tie). Paired: the least common stands every
// few hundred bytes all the same, so both are looked for at once from the
// start.
struct ScanPlan {
  const char* pattern = nullptr;
  std::size_t size = 0;
  bool learned = false;
  std::size_t rare = 0;
  std::size_t partner = 1;
  bool paired = false;
};

ScanPlan plan_scan(std::string_view pattern) {
  const std::size_t m = pattern.size();
  const auto rank = [&pattern](std::size_t i) -> std::uint32_t {
    const auto byte = static_cast<unsigned char>(pattern[i]);
    return byte_counts.learned ? byte_counts.count[byte] : kCommonness[byte];
  };
  ScanPlan plan;
  plan.pattern = pattern.data();
  plan.size = m;
  plan.learned = byte_counts.learned;
  std::size_t rare = 0;
  for (std::size_t i = 1; i < m; ++i) {
    if (rank(i) < rank(rare)) rare = i;
  }
  std::size_t partner = rare == 0 ? 1 : 0;
  for (std::size_t i = 0; i < m; ++i) {
    if (i == rare || i == partner) continue;
    const auto distance = [rare](std::size_t j) {
      return j > rare ? j - rare : rare - j;
    };
    if (rank(i) < rank(partner) ||
        (rank(i) == rank(partner) && distance(i) > distance(partner))) {
      partner = i;
    }
  }
  plan.rare = rare;
  plan.partner = partner;
  plan.paired =
      m >= 2 && byte_counts.learned &&
      byte_counts.samples <
          std::size_t{
              byte_counts.count[static_cast<unsigned char>(pattern[rare])]} *
              kFewestBytesPerStop;
  return plan;
}

// The bytes chosen for a search of the pattern from `from` on, the byte
// counts learned first when the rest of the text is long enough. A pattern
// sought again (every occurrence in turn, the same labels in piece after
// piece) keeps them, in a small table by its address. Any choice finds the
// same places, so a pattern that merely shares an earlier one's address and
// size is found all the same.
const ScanPlan& kept_plan(std::string_view text, std::size_t from,
                          std::string_view pattern) {
  if (!byte_counts.learned && text.size() - from >= kLearnFrom) {
    learn_byte_counts(text);
  }
  static std::array<ScanPlan, 16> plans;
  ScanPlan& plan =
      plans[(reinterpret_cast<std::uintptr_t>(pattern.data()) >> 3 ^
             pattern.size()) %
            plans.size()];
  if (plan.pattern != pattern.data() || plan.size != pattern.size() ||
      plan.learned != byte_counts.learned) {
    plan = plan_scan(pattern);
  }
  return plan;
}

// The leftmost occurrence of the pattern at or after from, or npos: memchr
// runs on the pattern's least common byte, each place it stops at compared
// whole. Where that byte turns out common in the text (memchr stops every
// few hundred bytes), the rest is scanned for two of the pattern's bytes at
// once instead. An empty pattern stands at from.
std::size_t scan_text(std::string_view text, std::string_view pattern,
                      std::size_t from) {
  const std::size_t m = pattern.size();
  if (from > text.size()) return npos;
  if (m == 0) return from;
  if (text.size() - from < m) return npos;
  // On a short text choosing the byte costs more than it saves.
  if (text.size() - from < 256) return short_scan(text, pattern, from);
  if (m > kLongPattern) return long_scan(text, pattern, from);
  const ScanPlan& plan = kept_plan(text, from, pattern);
  const std::size_t rare = plan.rare;
  const std::size_t partner = plan.partner;
  if (plan.paired) {
    return paired_scan(text, pattern, from, text.size() - m, rare, partner);
  }
  const char* const base = text.data();
  const char* at = base + from + rare;
  // The last place the rare byte can stand for a whole occurrence.
  const char* const last = base + (text.size() - m) + rare;
  const char* checked = at;
  std::size_t stops = 0;
  while (at <= last) {
    at = static_cast<const char*>(std::memchr(
        at, pattern[rare], static_cast<std::size_t>(last - at) + 1));
    if (at == nullptr) return npos;
    const char* const start = at - rare;
    // The partner byte first: most stops end there, without a call.
    if ((m < 2 || start[partner] == pattern[partner]) &&
        std::memcmp(start, pattern.data(), m) == 0) {
      return static_cast<std::size_t>(start - base);
    }
    ++at;
    if (m >= 2 && ++stops % kStopsPerCheck == 0) {
      if (static_cast<std::size_t>(at - checked) <
          kStopsPerCheck * kFewestBytesPerStop) {
        return paired_scan(text, pattern,
                           static_cast<std::size_t>(start - base) + 1,
                           text.size() - m, rare, partner);
      }
      checked = at;
    }
  }
  return npos;
}

// A pattern longer than kLongPattern, taken from a report: its first
// kLongPattern bytes are sought, and the rest compared where they stand.
// Where the head stands often and the rest nearly matches (a long run of
// one byte, a text of the pattern's own period), those comparisons would
// cost the pattern's length at each place: once they could have cost more
// than a few times the bytes passed, the pattern is sought by the
// automaton, in time linear in the text.
std::size_t long_scan(std::string_view text, std::string_view pattern,
                      std::size_t from) {
  const std::size_t m = pattern.size();
  const std::string_view head = pattern.substr(0, kLongPattern);
  std::size_t compared = 0;
  for (std::size_t at = scan_text(text, head, from); at != npos;
       at = scan_text(text, head, at + 1)) {
    if (text.size() - at < m) return npos;
    if (std::memcmp(text.data() + at + kLongPattern,
                    pattern.data() + kLongPattern, m - kLongPattern) == 0) {
      return at;
    }
    compared += m;
    if (compared > 4 * (at + 1 - from) + kLongPattern * kFewestBytesPerStop) {
      return automaton_scan(text, pattern, at + 1);
    }
  }
  return npos;
}

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
    if (t >= text.size()) return std::nullopt;
    // Whitespace bytes are all below "!": most bytes are told apart by
    // that alone.
    if (static_cast<unsigned char>(p) > ' ' || !is_space(p)) {
      if (text[t] != p) return std::nullopt;
      ++t;
      continue;
    }
    // A blank takes the whole run; its last byte must be the pattern's
    // own, unless that is a blank.
    if (!is_space(text[t])) return std::nullopt;
    while (t + 1 < text.size() && is_space(text[t + 1])) ++t;
    if (p != ' ' && text[t] != p) return std::nullopt;
    ++t;
  }
  return t;
}

// The word of a pattern by which a loose match is quickest ruled out: the
// one whose least common byte is rarest (the longer on a tie), with where
// it starts in the pattern. Every byte of the pattern takes at least one
// byte of the text and a word's bytes match as they are, so a match at p
// has the word at p + place or later.
struct KeyWord {
  std::string_view word;
  std::size_t place = 0;
};

std::optional<KeyWord> key_word(std::string_view pattern) {
  std::optional<KeyWord> key;
  int key_rank = 256;
  for (std::size_t i = 0; i < pattern.size();) {
    if (is_space(pattern[i])) {
      ++i;
      continue;
    }
    const std::size_t begin = i;
    int rank = 256;
    for (; i < pattern.size() && !is_space(pattern[i]); ++i) {
      rank = std::min<int>(rank,
                           kCommonness[static_cast<unsigned char>(pattern[i])]);
    }
    const std::string_view word = pattern.substr(begin, i - begin);
    if (!key || rank < key_rank ||
        (rank == key_rank && word.size() > key->word.size())) {
      key = KeyWord{word, begin};
      key_rank = rank;
    }
  }
  return key;
}

// Whether two occurrences of the word can overlap: a proper prefix of it is
// also its suffix.
bool overlaps_itself(std::string_view word) {
  for (std::size_t length = 1; length < word.size(); ++length) {
    if (word.substr(0, length) == word.substr(word.size() - length)) {
      return true;
    }
  }
  return false;
}

// Where a loose match of the prefix that ends at `end` starts, read from the
// back: each blank of the prefix takes the whole whitespace run before it,
// every other byte itself. Absent when the text before end cannot be one.
std::optional<std::size_t> loose_start(std::string_view text, std::size_t end,
                                       std::string_view prefix) {
  std::size_t t = end;
  for (std::size_t j = prefix.size(); j > 0; --j) {
    const char p = prefix[j - 1];
    if (t == 0) return std::nullopt;
    if (is_space(p)) {
      if (!is_space(text[t - 1])) return std::nullopt;
      while (t > 0 && is_space(text[t - 1])) --t;
    } else {
      if (text[t - 1] != p) return std::nullopt;
      --t;
    }
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

  // A try at `at` needs the key word at at + place or later: once it stands
  // nowhere there, no later try can match either.
  const std::optional<KeyWord> key = key_word(pattern);
  const bool keyed = key && key->place != word_begin;

  if (keyed && word_begin == 0 && !overlaps_itself(first_word)) {
    // Every occurrence of such a first word is tried, so the match is the
    // leftmost one. A match fixes where its key word stands, the later the
    // later the match starts, and that place fixes the start again, read
    // from the back: the key word's occurrences, rarer than the first
    // word's, are tried in turn instead.
    const std::string_view prefix = pattern.substr(0, key->place);
    for (std::size_t search = from + key->place; search <= text.size();) {
      const std::size_t key_at = find_text(text, key->word, search);
      if (key_at == npos) return std::nullopt;
      search = key_at + 1;
      const auto at = loose_start(text, key_at, prefix);
      if (!at || *at < from) continue;
      if (const auto end = loose_compare(text, *at, pattern)) {
        return std::pair{*at, *end};
      }
    }
    return std::nullopt;
  }

  std::size_t key_at = 0;
  bool key_sought = false;
  std::size_t search = from;
  while (search <= text.size()) {
    const std::size_t at = find_text(text, first_word, search);
    if (at == npos) return std::nullopt;
    if (keyed && (!key_sought || key_at < at + key->place)) {
      key_at = find_text(text, key->word, at + key->place);
      key_sought = true;
      if (key_at == npos) return std::nullopt;
    }
    if (const auto end = loose_compare(text, at, pattern)) {
      return std::pair{at, *end};
    }
    // Go on past this occurrence; overlapping ones are not tried.
    search = at + (first_word.empty() ? 1 : first_word.size());
  }
  return std::nullopt;
}

}  // namespace

KeptSearches::KeptSearches(std::string_view text) {
  if (kept != nullptr) return;
  kept = new Kept{text, {}};
  owner_ = true;
}

KeptSearches::~KeptSearches() {
  if (!owner_) return;
  delete kept;
  kept = nullptr;
}

std::size_t find_first(std::string_view text, std::string_view pattern,
                       std::size_t from) {
  if (plain_scans()) return text.find(pattern, from);
  return find_text(text, pattern, from);
}

std::vector<std::size_t> find_all(std::string_view text,
                                  std::string_view pattern) {
  std::vector<std::size_t> places;
  const std::size_t m = pattern.size();
  if (m == 0 || text.size() < m) return places;
  // A short text, a one-byte or a long pattern: the searches one by one.
  if (plain_scans() || m == 1 || m > kLongPattern || text.size() < 256) {
    for (std::size_t at = find_first(text, pattern); at != npos;
         at = find_first(text, pattern, at + 1)) {
      places.push_back(at);
    }
    return places;
  }
  // Otherwise one walk over the text for two of the pattern's bytes at
  // once, going on from each place found: a pattern standing every few
  // hundred bytes ("<SPAN") is found without a new search for each place.
  const ScanPlan& plan = kept_plan(text, 0, pattern);
  const std::size_t rare = plan.rare;
  const std::size_t partner = plan.partner;
  const std::size_t last = text.size() - m;
  for (std::size_t at = paired_scan(text, pattern, 0, last, rare, partner);
       at != npos;
       at = paired_scan(text, pattern, at + 1, last, rare, partner)) {
    places.push_back(at);
  }
  return places;
}

bool contains(std::string_view text, std::string_view pattern) {
  return find_first(text, pattern) != npos;
}

std::size_t find_last(std::string_view text, std::string_view pattern) {
#ifdef __GLIBC__
  // From the back by the C library's memrchr, where it has one.
  const std::size_t m = pattern.size();
  if (m > 0 && m <= text.size() && !plain_scans()) {
    const char* const base = text.data();
    std::size_t end = text.size() - m + 1;  // the places left to try
    // Each call looks back over a window that doubles while it finds
    // nothing, and starts small again after a stop: a checked build checks
    // the whole window a call is given, and the whole text before every
    // stop would cost it the text's length at each.
    std::size_t window = 256;
    while (end > 0) {
      const std::size_t begin = end > window ? end - window : 0;
      const void* const found = memrchr(base + begin, pattern[0], end - begin);
      if (found == nullptr) {
        end = begin;
        window = window < (std::size_t{1} << 16) ? window * 2 : window;
        continue;
      }
      const auto at =
          static_cast<std::size_t>(static_cast<const char*>(found) - base);
      if (base[at + m - 1] == pattern[m - 1] &&
          std::memcmp(base + at, pattern.data(), m) == 0) {
        return at;
      }
      end = at;
      window = 256;
    }
    return npos;
  }
#endif
  return text.rfind(pattern);
}

MaybeText find_after(MaybeText text, std::string_view pattern) {
  if (plain_scans()) return plain::find_after(text, pattern);
  if (!text) return std::nullopt;
  const std::size_t at = find_text(*text, pattern);
  if (at == npos) return std::nullopt;
  return text->substr(at + pattern.size());
}

MaybeText extract_inclusive(MaybeText text, std::string_view start,
                            std::string_view end) {
  if (plain_scans()) return plain::extract_inclusive(text, start, end);
  if (!text) return std::nullopt;
  const std::size_t begin = find_text(*text, start);
  if (begin == npos) return std::nullopt;
  const std::size_t stop = find_text(*text, end, begin + start.size());
  if (stop == npos) return std::nullopt;
  return text->substr(begin, stop + end.size() - begin);
}

MaybeText extract_between(MaybeText text, std::string_view start,
                          std::string_view end) {
  if (plain_scans()) return plain::extract_between(text, start, end);
  if (!text) return std::nullopt;
  const std::size_t begin = find_text(*text, start);
  if (begin == npos) return std::nullopt;
  const std::size_t inner = begin + start.size();
  const std::size_t stop = find_text(*text, end, inner);
  if (stop == npos) return std::nullopt;
  return text->substr(inner, stop - inner);
}

MaybeText find_loose(MaybeText text, std::string_view pattern) {
  if (plain_scans()) return plain::find_loose(text, pattern);
  if (!text) return std::nullopt;
  const auto match = loose_match(*text, pattern, 0);
  if (!match) return std::nullopt;
  return text->substr(match->first);
}

MaybeText find_after_loose(MaybeText text, std::string_view pattern) {
  if (plain_scans()) return plain::find_after_loose(text, pattern);
  if (!text) return std::nullopt;
  const auto match = loose_match(*text, pattern, 0);
  if (!match) return std::nullopt;
  return text->substr(match->second);
}

MaybeText extract_inclusive_loose(MaybeText text, std::string_view start,
                                  std::string_view end) {
  if (plain_scans()) return plain::extract_inclusive_loose(text, start, end);
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
  if (plain_scans()) return plain::nth_number(text, n);
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
  if (plain_scans()) return plain::nth_number_from_end(text, n);
  if (!text) return 0;
  const auto run = run_from_end(*text, n);
  if (!run) return 0;
  return run_value(*text, run->first, run->second);
}

double nth_real_from_end(MaybeText text, int n) {
  if (plain_scans()) return plain::nth_real_from_end(text, n);
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
  if (plain_scans()) return plain::nth_decimal(text, n, scale);
  return nth_number(text, n) + nth_number(text, n + 1) * scale;
}

void insert_after(std::string& text, std::string_view marker,
                  std::string_view insertion) {
  if (plain_scans()) return plain::insert_after(text, marker, insertion);
  const std::size_t at = find_text(text, marker);
  if (at == npos) return;
  splice_into(text, at + marker.size(), 0, insertion);
}

bool replace_first(std::string& text, std::string_view old_text,
                   std::string_view new_text) {
  if (plain_scans()) return plain::replace_first(text, old_text, new_text);
  if (old_text.empty()) return false;
  const std::size_t at = find_text(text, old_text);
  if (at == npos) return false;
  splice_into(text, at, old_text.size(), new_text);
  return true;
}

void replace_all(std::string& text, std::string_view old_text,
                 std::string_view new_text) {
  if (plain_scans()) return plain::replace_all(text, old_text, new_text);
  if (old_text.empty()) return;
  std::size_t at = find_text(text, old_text);
  if (at == npos) return;
  const std::size_t m = old_text.size();
  // Room for the text as it will be, so the copy does not grow twofold. The
  // occurrences counted for it, each sought behind the last, are kept: the
  // pass below seeks the same ones while no replacement forms a new one.
  std::size_t size = text.size();
  std::vector<std::size_t> chain;
  if (new_text.size() > m) {
    for (std::size_t next = at; next != npos;
         next = find_text(text, old_text, next + m)) {
      chain.push_back(next);
    }
    size += chain.size() * (new_text.size() - m);
  }
  // The next occurrence at or after from: the chain's next one when from
  // follows the chain's last one found, else a search (and the chain is
  // left).
  std::size_t followed = 0;
  const auto next_at = [&](std::size_t from) {
    if (followed < chain.size() && from == chain[followed] + m) {
      ++followed;
      return followed < chain.size() ? chain[followed] : npos;
    }
    chain.clear();
    return find_text(text, old_text, from);
  };
  std::string out;
  out.reserve(size);
  if (new_text.find(old_text) != npos) {
    // Repeating would never end; one pass from left to right instead.
    std::size_t from = 0;
    while (at != npos) {
      out.append(text, from, at - from);
      out += new_text;
      from = at + m;
      at = next_at(from);
    }
    out.append(text, from);
    text = std::move(out);
    return;
  }
  // As if the first occurrence were replaced again and again, in one pass:
  // `out` is the finished front of the text and holds no occurrence;
  // `pending` (text a replacement put in) and the rest of the input from
  // `from` follow it. An occurrence that a replacement forms with its
  // neighbours starts in the last m - 1 bytes of `out` or in `pending`, so
  // it is looked for there, in a window reaching m - 1 bytes into the input,
  // before the input is searched on.
  std::size_t from = at + m;
  out.append(text, 0, at);
  std::string pending(new_text);
  std::string window;
  const std::size_t limit = text.size() + 1;
  std::size_t done = 1;
  for (;;) {
    const std::size_t tail = out.size() < m - 1 ? out.size() : m - 1;
    const std::size_t reach =
        text.size() - from < m - 1 ? text.size() - from : m - 1;
    window.assign(out, out.size() - tail, tail);
    window += pending;
    window.append(text, from, reach);
    const std::size_t formed = window.find(old_text);
    if (formed != npos) {
      if (done == limit) break;
      ++done;
      // The leftmost occurrence: cut the front back to it, put the
      // replacement before what is left of pending, and go on.
      const std::size_t end = formed + m;
      std::string rest;
      // It starts in the window's front and so ends past the tail.
      if (end < tail + pending.size()) {
        rest.assign(pending, end - tail);
      } else {
        from += end - tail - pending.size();
      }
      if (formed < tail) {
        out.resize(out.size() - tail + formed);
      } else {
        out.append(pending, 0, formed - tail);
      }
      pending.assign(new_text);
      pending += rest;
      continue;
    }
    out += pending;
    pending.clear();
    at = next_at(from);
    if (at == npos || done == limit) break;
    ++done;
    out.append(text, from, at - from);
    from = at + m;
    pending.assign(new_text);
  }
  out += pending;
  out.append(text, from);
  text = std::move(out);
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

namespace {

std::string_view first_word(std::string_view pattern) {
  std::size_t begin = 0;
  while (begin < pattern.size() && is_space(pattern[begin])) ++begin;
  std::size_t end = begin;
  while (end < pattern.size() && !is_space(pattern[end])) ++end;
  return pattern.substr(begin, end - begin);
}

std::size_t pair_of(char a, char b) {
  return static_cast<std::size_t>(static_cast<unsigned char>(a)) << 8 |
         static_cast<unsigned char>(b);
}

void set_bit(std::vector<std::uint64_t>& bits, std::size_t bit) {
  bits[bit / 64] |= std::uint64_t{1} << (bit % 64);
}

bool has_bit(const std::uint64_t* bits, std::size_t bit) {
  return (bits[bit / 64] >> (bit % 64) & 1) != 0;
}

// Every byte as the quads below see it: whitespace as a blank.
constexpr std::array<std::uint8_t, 256> kAsBlank = [] {
  std::array<std::uint8_t, 256> bytes{};
  for (int c = 0; c < 256; ++c) {
    bytes[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c);
  }
  bytes['\n'] = ' ';
  bytes['\t'] = ' ';
  return bytes;
}();

constexpr int kQuadBits = 15;

std::size_t quad_bit(std::uint32_t quad) {
  return (quad * 2654435761u) >> (32 - kQuadBits);
}

// Adds the four bytes (whitespace as a blank) that a loose match of the
// pattern from byte j on can begin with, after the `filled` bytes of quad;
// false when such a match may take fewer than four bytes, so that anything
// may follow. in_run: quad ends in a whitespace run that a blank of the
// pattern took and that may go on.
bool add_loose_quads(std::string_view pattern, std::size_t j, bool in_run,
                     std::uint32_t quad, int filled,
                     std::vector<std::uint32_t>& quads) {
  if (filled == 4) {
    quads.push_back(quad);
    return true;
  }
  if (in_run) {
    if (!add_loose_quads(pattern, j, true, quad << 8 | ' ', filled + 1,
                         quads)) {
      return false;
    }
    // After the whole run a blank of the pattern finds none: no match.
    if (j < pattern.size() && is_space(pattern[j])) return true;
  }
  if (j == pattern.size()) return false;
  const auto c = static_cast<unsigned char>(pattern[j]);
  return add_loose_quads(pattern, j + 1, is_space(pattern[j]),
                         quad << 8 | kAsBlank[c], filled + 1, quads);
}

// Whether the word stands in the text at `at`. The places tried mostly
// share the word's first bytes, seldom its last one: that is compared first.
bool word_at(std::string_view text, std::string_view word, std::size_t at) {
  if (text.size() - at < word.size()) return false;
  if (text[at + word.size() - 1] != word.back()) return false;
  if (word.size() > 8) {
    return std::memcmp(text.data() + at, word.data(), word.size()) == 0;
  }
  for (std::size_t k = 0; k + 1 < word.size(); ++k) {
    if (text[at + k] != word[k]) return false;
  }
  return true;
}

// One place per pattern of a set, where its next try may start: on the
// stack for a set of the usual size, as a search runs once per battle.
class NextTries {
 public:
  explicit NextTries(std::size_t count) {
    if (count > kOnStack) heap_.resize(count);
    places_ = count > kOnStack ? heap_.data() : on_stack_.data();
    std::fill_n(places_, count, 0);
  }
  NextTries(const NextTries&) = delete;
  NextTries& operator=(const NextTries&) = delete;

  std::size_t& operator[](std::size_t pattern) { return places_[pattern]; }

 private:
  static constexpr std::size_t kOnStack = 128;
  std::array<std::size_t, kOnStack> on_stack_;
  std::vector<std::size_t> heap_;
  std::size_t* places_ = nullptr;
};

// The bytes a byte of a quad stands for: a blank for any whitespace.
std::vector<char> as_any_blank(std::uint32_t byte) {
  if (byte == ' ') return {' ', '\n', '\t'};
  return {static_cast<char>(byte)};
}

// The group bits of the pattern sets' tables: patterns with the same first
// byte share a group, so that the tables mix the bytes of few different
// patterns; the ninth first byte shares the first's group, and so on.
class HeadGroups {
 public:
  HeadGroups() { group_of_byte_.fill(-1); }

  // The group of patterns that start with the byte.
  std::size_t of(unsigned char first) {
    if (group_of_byte_[first] < 0) group_of_byte_[first] = next_++ % 8;
    return static_cast<std::size_t>(group_of_byte_[first]);
  }

 private:
  std::array<int, 256> group_of_byte_;
  int next_ = 0;
};

// Puts the matches in the order of the patterns and, for each, of the text.
void sort_by_pattern(std::vector<LoosePatternSet::Match>& matches) {
  std::sort(matches.begin(), matches.end(), [](const auto& a, const auto& b) {
    return a.pattern < b.pattern || (a.pattern == b.pattern && a.end < b.end);
  });
}

// Lets the group's patterns have the byte as byte k of a place.
void allow_head_byte(PatternHeadTable& low, PatternHeadTable& high,
                     std::size_t k, std::uint8_t group_bit,
                     unsigned char byte) {
  low[k][byte & 0x0F] |= group_bit;
  high[k][byte >> 4] |= group_bit;
}

// Lets the group's patterns have any byte as byte k of a place.
void allow_any_head_byte(PatternHeadTable& low, PatternHeadTable& high,
                         std::size_t k, std::uint8_t group_bit) {
  for (std::size_t n = 0; n < 16; ++n) {
    low[k][n] |= group_bit;
    high[k][n] |= group_bit;
  }
}

// Visits the places from `at` on and before stop (which may move closer
// while the scan goes on), 32 at a time, where some group of patterns may
// start, with those groups; returns the first place not done. A block reads
// 32 + kPatternHeadBytes - 1 bytes from its first place.
#ifdef __SSE2__
template <typename Visit>
__attribute__((target("avx2"))) std::size_t scan_heads_32(
    std::string_view text, std::size_t at, const std::size_t& stop,
    const PatternHeadTable& low, const PatternHeadTable& high, Visit&& visit) {
  const __m256i nibble = _mm256_set1_epi8(0x0F);
  __m256i low_tables[kPatternHeadBytes];
  __m256i high_tables[kPatternHeadBytes];
  for (std::size_t k = 0; k < kPatternHeadBytes; ++k) {
    low_tables[k] = _mm256_broadcastsi128_si256(
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(low[k].data())));
    high_tables[k] = _mm256_broadcastsi128_si256(
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(high[k].data())));
  }
  alignas(32) std::array<std::uint8_t, 32> groups_at;
  for (; at + 32 + kPatternHeadBytes - 1 <= text.size() && at < stop;
       at += 32) {
    __m256i groups = _mm256_set1_epi8(-1);
    for (std::size_t k = 0; k < kPatternHeadBytes; ++k) {
      const __m256i bytes = _mm256_loadu_si256(
          reinterpret_cast<const __m256i*>(text.data() + at + k));
      const __m256i by_low =
          _mm256_shuffle_epi8(low_tables[k], _mm256_and_si256(bytes, nibble));
      const __m256i by_high = _mm256_shuffle_epi8(
          high_tables[k],
          _mm256_and_si256(_mm256_srli_epi16(bytes, 4), nibble));
      groups = _mm256_and_si256(groups, _mm256_and_si256(by_low, by_high));
    }
    const __m256i none = _mm256_cmpeq_epi8(groups, _mm256_setzero_si256());
    auto places = ~static_cast<std::uint32_t>(_mm256_movemask_epi8(none));
    if (places == 0) continue;
    _mm256_store_si256(reinterpret_cast<__m256i*>(groups_at.data()), groups);
    for (; places != 0; places &= places - 1) {
      const auto place = static_cast<std::size_t>(std::countr_zero(places));
      if (at + place >= stop) return at + place;
      visit(at + place, groups_at[place]);
    }
  }
  return at;
}
#endif

}  // namespace

LoosePatternSet::LoosePatternSet(std::span<const std::string_view> patterns,
                                 std::span<const bool> exact)
    : patterns_(patterns.begin(), patterns.end()),
      exact_(patterns.size(), false),
      by_byte_(256),
      pair_used_((1u << 16) / 64, 0),
      quad_used_((1u << kQuadBits) / 64, 0),
      pair_unquadded_((1u << 16) / 64, 0),
      shift_(1u << 16, 3) {
  std::copy(exact.begin(), exact.end(), exact_.begin());
  // Patterns by the first two bytes of their first word: the pair, then
  // the pattern's index.
  std::vector<std::pair<std::uint16_t, std::uint16_t>> by_pair;
  std::vector<std::uint32_t> quads;
  HeadGroups head_groups;
  for (std::size_t i = 0; i < patterns_.size(); ++i) {
    const std::string_view pattern = patterns_[i];
    // An exact pattern is one word: its blanks match only themselves.
    const std::string_view word = exact_[i] ? pattern : first_word(pattern);
    words_.push_back(word);
    const auto index = static_cast<std::uint16_t>(i);
    std::vector<std::size_t> pairs;
    if (word.empty()) {
      empty_word_ = true;
    } else if (word.size() == 1) {
      by_byte_[static_cast<unsigned char>(word[0])].push_back(index);
      // A blank after the word matches blanks only; the word alone, any
      // byte after it.
      const bool alone = pattern.size() == 1;
      for (int next = 0; next < 256; ++next) {
        const char after = static_cast<char>(next);
        if (alone || is_space(after)) {
          pairs.push_back(pair_of(word[0], after));
        }
      }
    } else {
      pairs.push_back(pair_of(word[0], word[1]));
      by_pair.emplace_back(static_cast<std::uint16_t>(pairs[0]), index);
    }
    quads.clear();
    bool quadded = true;
    if (exact_[i] || overlaps_itself(word)) {
      // A failed try moves the pattern's next try past its first word: a
      // word that can overlap itself is tried wherever it stands, so only
      // its own bytes decide where.
      quadded = word.size() >= 4;
      if (quadded) {
        std::uint32_t quad = 0;
        for (std::size_t k = 0; k < 4; ++k) {
          quad = quad << 8 | kAsBlank[static_cast<unsigned char>(word[k])];
        }
        quads.push_back(quad);
      }
    } else {
      quadded = add_loose_quads(pattern, 0, false, 0, 0, quads);
    }
    all_quadded_ = all_quadded_ && quadded;
    // The heads that may start a try: a quad's first three bytes, or where
    // there are no quads, the pair and any byte after it.
    const auto group_bit = static_cast<std::uint8_t>(
        word.empty()
            ? 0xFF
            : 1u << head_groups.of(static_cast<unsigned char>(word[0])));
    for (const std::size_t pair : pairs) {
      set_bit(pair_used_, pair);
      if (!quadded) {
        set_bit(pair_unquadded_, pair);
        allow_head_byte(head_low_, head_high_, 0, group_bit,
                        static_cast<unsigned char>(pair >> 8));
        allow_head_byte(head_low_, head_high_, 1, group_bit,
                        static_cast<unsigned char>(pair & 0xFF));
        allow_any_head_byte(head_low_, head_high_, 2, group_bit);
      }
    }
    if (quadded) {
      for (const std::uint32_t quad : quads) {
        for (std::size_t k = 0; k < kPatternHeadBytes; ++k) {
          for (const char c : as_any_blank(quad >> (24 - 8 * k) & 0xff)) {
            allow_head_byte(head_low_, head_high_, k, group_bit,
                            static_cast<unsigned char>(c));
          }
        }
      }
    }
    for (const std::uint32_t quad : quads) {
      set_bit(quad_used_, quad_bit(quad));
      // How far a start can be from the last pair of four bytes that
      // stand at a place: 0 when that pair ends a match's first four.
      for (std::size_t k = 0; k < 3; ++k) {
        const auto shift = static_cast<std::uint8_t>(2 - k);
        for (const char a : as_any_blank(quad >> (24 - 8 * k) & 0xff)) {
          for (const char b : as_any_blank(quad >> (16 - 8 * k) & 0xff)) {
            std::uint8_t& known = shift_[pair_of(a, b)];
            known = std::min(known, shift);
          }
        }
      }
    }
  }
  std::stable_sort(
      by_pair.begin(), by_pair.end(),
      [](const auto& a, const auto& b) { return a.first < b.first; });
  // Every used pair's place among the used pairs, from the bits before it.
  pair_rank_.resize(pair_used_.size());
  std::uint16_t rank = 0;
  for (std::size_t w = 0; w < pair_used_.size(); ++w) {
    pair_rank_[w] = rank;
    rank = static_cast<std::uint16_t>(rank + std::popcount(pair_used_[w]));
  }
  pair_start_.assign(std::size_t{rank} + 1, 0);
  for (const auto& [pair, index] : by_pair) ++pair_start_[used_rank(pair) + 1];
  for (std::size_t r = 0; r < rank; ++r) pair_start_[r + 1] += pair_start_[r];
  for (const auto& entry : by_pair) pair_patterns_.push_back(entry.second);
}

std::size_t LoosePatternSet::used_rank(std::size_t pair) const {
  const std::uint64_t below =
      pair_used_[pair / 64] & ((std::uint64_t{1} << (pair % 64)) - 1);
  return pair_rank_[pair / 64] + static_cast<std::size_t>(std::popcount(below));
}

// Calls attempt(pattern, at) at every place before stop where the pattern's
// first word may stand, in the order of the places; stop may move closer
// while the scan goes on.
template <typename Attempt>
void LoosePatternSet::scan(std::string_view text, const std::size_t& stop,
                           Attempt&& attempt) const {
  const auto* const bytes = reinterpret_cast<const unsigned char*>(text.data());
  const std::uint64_t* const used = pair_used_.data();
  const std::uint64_t* const unquadded = pair_unquadded_.data();
  const std::uint64_t* const quad_used = quad_used_.data();
  // Whether a try can start at the place: its pair and its four bytes.
  const auto may_start = [&](std::size_t at) {
    if (at + 1 == text.size()) return true;
    const std::size_t key = pair_of(text[at], text[at + 1]);
    if (!has_bit(used, key)) return false;
    if (at + 4 > text.size() || has_bit(unquadded, key)) return true;
    const std::uint32_t quad = std::uint32_t{kAsBlank[bytes[at]]} << 24 |
                               std::uint32_t{kAsBlank[bytes[at + 1]]} << 16 |
                               std::uint32_t{kAsBlank[bytes[at + 2]]} << 8 |
                               kAsBlank[bytes[at + 3]];
    return has_bit(quad_used, quad_bit(quad));
  };
  const auto try_at = [&](std::size_t at) {
    for (const std::uint16_t i : by_byte_[bytes[at]]) attempt(i, at);
    if (at + 1 < text.size()) {
      const std::size_t key = pair_of(text[at], text[at + 1]);
      const std::size_t rank = used_rank(key);
      for (std::size_t k = pair_start_[rank]; k < pair_start_[rank + 1]; ++k) {
        attempt(pair_patterns_[k], at);
      }
    }
  };
  std::size_t from = 0;
#ifdef __SSE2__
  // Where the processor can, the places whose first three bytes may start
  // a try are found many at a time; the loops below do what is left.
  if (has_avx2()) {
    from = scan_heads_32(text, 0, stop, head_low_, head_high_,
                         [&](std::size_t at, std::uint8_t) {
                           if (may_start(at)) try_at(at);
                         });
  }
#endif
  if (all_quadded_) {
    // Every try needs four bytes: the last pair of the four at a place
    // tells how many places on the next one can start, so most places are
    // passed without a look.
    const std::uint8_t* const shift = shift_.data();
    for (std::size_t at = from; at + 4 <= text.size() && at < stop;) {
      const std::uint8_t ahead =
          shift[std::size_t{bytes[at + 2]} << 8 | bytes[at + 3]];
      if (ahead != 0) {
        at += ahead;
        continue;
      }
      if (may_start(at)) try_at(at);
      ++at;
    }
    return;
  }
  for (std::size_t at = from; at < text.size() && at < stop; ++at) {
    // Most places start no first word, of one byte or of more: skip them
    // in a tight loop.
    const std::size_t last = std::min(text.size() - 1, stop);
    while (at < last &&
           !has_bit(used, std::size_t{bytes[at]} << 8 | bytes[at + 1])) {
      ++at;
    }
    if (at >= stop) break;
    if (may_start(at)) try_at(at);
  }
}

std::optional<std::size_t> LoosePatternSet::shortest_through(
    std::string_view text, std::size_t limit) const {
  std::optional<std::size_t> best;
  const auto consider = [&](std::optional<std::size_t> end) {
    if (end && *end < limit && (!best || *end < *best)) best = end;
  };
  if (empty_word_ || plain_scans()) {
    for (std::size_t i = 0; i < patterns_.size(); ++i) {
      const MaybeText through =
          exact_[i] ? extract_inclusive(text, "", patterns_[i])
                    : extract_inclusive_loose(text, "", patterns_[i]);
      if (through) consider(through->size());
    }
    return best;
  }
  // Each pattern's tries go from left to right as in `loose_match`: at every
  // occurrence of its first word that does not overlap a failed try, until
  // one matches. All patterns' tries are made in one scan of the text; a
  // match that starts at or past the best end found cannot end before it.
  NextTries next_try(patterns_.size());
  std::size_t stop = text.size();
  scan(text, stop, [&](std::uint16_t i, std::size_t at) {
    if (next_try[i] == npos || at < next_try[i] ||
        !word_at(text, words_[i], at)) {
      return;
    }
    const std::string_view word = words_[i];
    const auto end = exact_[i] ? std::optional<std::size_t>(at + word.size())
                               : loose_compare(text, at, patterns_[i]);
    if (end) {
      next_try[i] = npos;  // its first match is found
      consider(end);
      if (best) stop = *best;
    } else {
      next_try[i] = at + word.size();
    }
  });
  return best;
}

void LoosePatternSet::all_matches(std::string_view text,
                                  std::vector<Match>& matches) const {
  matches.clear();
  if (empty_word_ || plain_scans()) {
    for (std::size_t i = 0; i < patterns_.size(); ++i) {
      // An empty pattern would be found again and again in one place.
      if (patterns_[i].empty()) continue;
      MaybeText rest = text;
      while ((rest = exact_[i] ? find_after(rest, patterns_[i])
                               : find_after_loose(rest, patterns_[i]))) {
        matches.push_back({i, text.size() - rest->size()});
      }
    }
    return;
  }
  NextTries next_try(patterns_.size());
  const std::size_t stop = text.size();
  scan(text, stop, [&](std::uint16_t i, std::size_t at) {
    if (at < next_try[i] || !word_at(text, words_[i], at)) return;
    const std::string_view word = words_[i];
    const auto end = exact_[i] ? std::optional<std::size_t>(at + word.size())
                               : loose_compare(text, at, patterns_[i]);
    if (end) {
      matches.push_back({i, *end});
      next_try[i] = *end;
    } else {
      next_try[i] = at + word.size();
    }
  });
  sort_by_pattern(matches);
}

ExactPatternSet::ExactPatternSet(std::span<const std::string_view> patterns)
    : patterns_(patterns.begin(), patterns.end()) {
  HeadGroups head_groups;
  for (std::size_t i = 0; i < patterns_.size(); ++i) {
    const std::string_view pattern = patterns_[i];
    if (pattern.empty()) continue;
    const std::size_t group =
        head_groups.of(static_cast<unsigned char>(pattern[0]));
    groups_[group].push_back(static_cast<std::uint16_t>(i));
    const auto bit = static_cast<std::uint8_t>(1u << group);
    for (std::size_t k = 0; k < kPatternHeadBytes; ++k) {
      if (k < pattern.size()) {
        allow_head_byte(low_, high_, k, bit,
                        static_cast<unsigned char>(pattern[k]));
      } else {
        // A shorter pattern takes any byte here.
        allow_any_head_byte(low_, high_, k, bit);
      }
    }
  }
}

void ExactPatternSet::all_matches(
    std::string_view text, std::vector<LoosePatternSet::Match>& matches) const {
  matches.clear();
  if (plain_scans()) {
    for (std::size_t i = 0; i < patterns_.size(); ++i) {
      // An empty pattern would be found again and again in one place.
      if (patterns_[i].empty()) continue;
      MaybeText rest = text;
      while ((rest = find_after(rest, patterns_[i]))) {
        matches.push_back({i, text.size() - rest->size()});
      }
    }
    return;
  }
  NextTries next_try(patterns_.size());
  // Compares the patterns of the given groups at the place.
  const auto try_at = [&](std::size_t at, std::uint32_t groups) {
    for (; groups != 0; groups &= groups - 1) {
      for (const std::uint16_t i : groups_[std::countr_zero(groups)]) {
        const std::string_view pattern = patterns_[i];
        if (at < next_try[i] || text.size() - at < pattern.size() ||
            std::memcmp(text.data() + at, pattern.data(), pattern.size()) !=
                0) {
          continue;
        }
        next_try[i] = at + pattern.size();
        matches.push_back({i, next_try[i]});
      }
    }
  };
  std::size_t at = 0;
#ifdef __SSE2__
  if (has_avx2()) {
    const std::size_t stop = text.size();
    at = scan_heads_32(text, at, stop, low_, high_, try_at);
  }
#endif
  for (; at < text.size(); ++at) {
    std::uint32_t groups = 0xFF;
    for (std::size_t k = 0; k < kPatternHeadBytes && at + k < text.size();
         ++k) {
      const auto c = static_cast<unsigned char>(text[at + k]);
      groups &= low_[k][c & 0x0F] & high_[k][c >> 4];
    }
    if (groups != 0) try_at(at, groups);
  }
  sort_by_pattern(matches);
}

}  // namespace morvinta
