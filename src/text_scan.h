// The text toolkit every parser rests on: find an anchor, take the text
// between two anchors, read the n-th number of a piece of text, and edit the
// report in place. Texts are 1250 bytes compared byte for byte.
//
// Absent propagates: every reader accepts an absent text and yields absent
// (or 0 for the number readers), so a chain of searches over a report that
// lacks an anchor ends in 0 or an empty field, never in an error. Results are
// views into the searched text: they stay valid only while that text is not
// edited.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morvinta {

// A text that a search may not have found.
using MaybeText = std::optional<std::string_view>;

// While one lives, the first places of the patterns sought in the whole of
// the given text are kept, so that each is sought there once: the parsers of
// the character sheet each look for their labels from the report's start,
// several for the same ones. The text must not change while it lives.
class KeptSearches {
 public:
  explicit KeptSearches(std::string_view text);
  ~KeptSearches();
  KeptSearches(const KeptSearches&) = delete;
  KeptSearches& operator=(const KeptSearches&) = delete;

 private:
  bool owner_ = false;  // false inside another one, which keeps on
};

// Where the pattern first occurs at or after from, npos when it does not:
// std::string_view::find, fast on long reports.
std::size_t find_first(std::string_view text, std::string_view pattern,
                       std::size_t from = 0);
bool contains(std::string_view text, std::string_view pattern);

// Every place where the pattern starts in the text, from the left, as
// find_first from each place on finds them: occurrences may overlap. None
// for an empty pattern.
std::vector<std::size_t> find_all(std::string_view text,
                                  std::string_view pattern);

// Where the pattern last occurs, npos when it does not: std::string_view's
// rfind, which compares the whole pattern at every place from the back;
// here only the places of its first byte are tried, its last byte first.
std::size_t find_last(std::string_view text, std::string_view pattern);

// The rest of the text just past the first occurrence of the pattern; absent
// when it does not occur. An empty pattern gives the whole text.
MaybeText find_after(MaybeText text, std::string_view pattern);

// From the first occurrence of start up to and including the first end that
// begins at or after the end of that start. An empty start means the
// beginning of the text. Absent when either anchor is missing.
MaybeText extract_inclusive(MaybeText text, std::string_view start,
                            std::string_view end);

// What stands between the first start and the first end that follows it,
// neither anchor included. An empty start gives the text before the first
// end; equal anchors give the text between their first two occurrences.
MaybeText extract_between(MaybeText text, std::string_view start,
                          std::string_view end);

// Whitespace-tolerant search: one blank of the pattern matches any run of
// blanks, line feeds and tabs; every other byte must match exactly. The
// result is the rest of the text from the match (`find_loose`) or from just
// past it (`find_after_loose`). Occurrences of the pattern's first word that
// overlap a failed try are not tried.
MaybeText find_loose(MaybeText text, std::string_view pattern);
MaybeText find_after_loose(MaybeText text, std::string_view pattern);

// From the loose match of start up to and including the loose match of end
// searched from just past it; an empty start means the beginning of the text.
MaybeText extract_inclusive_loose(MaybeText text, std::string_view start,
                                  std::string_view end);

// The n-th maximal run of digits from the start (n = 1 is the first), negative
// when the byte right before it is "-"; 0 when absent or fewer runs. Values of
// more than nine digits wrap modulo 2^32.
std::int32_t nth_number(MaybeText text, int n);

// As `nth_number`, but runs are counted from the end (n = 1 is the last).
std::int32_t nth_number_from_end(MaybeText text, int n);

// As `nth_number_from_end`, accumulated in double so long runs keep their
// value.
double nth_real_from_end(MaybeText text, int n);

// The n-th number plus the (n+1)-th times scale: with scale 0.01, "1.25" is
// 1.25 and "1.5" is 1.05 (the fraction counts hundredths).
double nth_decimal(MaybeText text, int n, double scale);

// Inserts the insertion right after the first marker; unchanged when the
// marker does not occur.
void insert_after(std::string& text, std::string_view marker,
                  std::string_view insertion);

// Replaces the first occurrence of old_text; an empty old_text changes
// nothing. Returns whether a replacement was made.
bool replace_first(std::string& text, std::string_view old_text,
                   std::string_view new_text);

// Replaces old_text as long as it occurs anywhere, so occurrences that only
// arise from earlier replacements go too. An empty old_text changes nothing;
// a new_text that holds old_text is put in one pass from left to right, as
// repeating would never end. A replacement that keeps forming old_text anew
// with its neighbours stops after as many replacements as the text had bytes
// plus one, so every call ends.
void replace_all(std::string& text, std::string_view old_text,
                 std::string_view new_text);

// Overwrites every byte with c; the length stays.
void fill_chars(std::string& text, char c);

// Upper-cases a to z; every other byte, accented letters included, stays.
void to_upper(std::string& text);

// A copy without line feeds in which a blank that follows a blank of the
// input is dropped (a blank after a line feed stays). Absent stays absent.
std::optional<std::string> squeeze_spaces(MaybeText text);

std::int32_t min_int(std::int32_t a, std::int32_t b);

// A field of a record with a stated maximum length: the first max_length
// bytes of the text.
std::string cut_to(std::string_view text, std::size_t max_length);

// The first bytes of a place that the pattern sets look up in tables, each
// by its low and by its high four bits, to tell in one go for many places
// which groups of patterns (eight, one bit each) may start there.
inline constexpr std::size_t kPatternHeadBytes = 3;
using PatternHeadTable =
    std::array<std::array<std::uint8_t, 16>, kPatternHeadBytes>;

// A fixed set of patterns looked for together in one scan, each
// whitespace-tolerant (as `find_loose`) or, where marked, exact (as
// `find_after`). Made once for patterns that outlive it.
class LoosePatternSet {
 public:
  // exact[i] marks pattern i as exact; an empty span marks none.
  explicit LoosePatternSet(std::span<const std::string_view> patterns,
                           std::span<const bool> exact = {});

  // What `extract_inclusive_loose` (text, "", pattern) gives for each
  // pattern, keeping the shortest: the length of the text through the
  // earliest end of a pattern's first match; a first match that ends at or
  // past limit does not count. Absent when no pattern has one that counts.
  std::optional<std::size_t> shortest_through(std::string_view text,
                                              std::size_t limit) const;

  // One match: which pattern, and where in the text it ends.
  struct Match {
    std::size_t pattern = 0;
    std::size_t end = 0;
    bool operator==(const Match&) const = default;
  };

  // Every match of every pattern, as its search repeated from the end of
  // the last match finds them (`find_after_loose`, or `find_after` for an
  // exact pattern), in the order of the patterns and, for each, of the
  // text. Replaces what matches held.
  void all_matches(std::string_view text, std::vector<Match>& matches) const;

 private:
  // The rank of a used pair among the used pairs.
  std::size_t used_rank(std::size_t pair) const;
  template <typename Attempt>
  void scan(std::string_view text, const std::size_t& stop,
            Attempt&& attempt) const;

  std::vector<std::string_view> patterns_;
  std::vector<bool> exact_;
  std::vector<std::string_view> words_;  // each pattern's first word
  // Patterns whose first word is one byte, by that byte.
  std::vector<std::vector<std::uint16_t>> by_byte_;
  // One bit per pair of bytes that can start a match (a one-byte word with
  // a blank after it, or with any byte when it is the whole pattern): most
  // places of a text start none, and this small table answers before the
  // lists are looked at.
  std::vector<std::uint64_t> pair_used_;
  // Patterns whose first word is longer, by its first two bytes: for each
  // used pair, by its rank among the used ones (the used pairs counted
  // before each 64 of them), where its patterns start in the list.
  std::vector<std::uint16_t> pair_rank_;
  std::vector<std::uint16_t> pair_start_;
  std::vector<std::uint16_t> pair_patterns_;
  // The first four bytes of a try, every blank, line feed and tab taken
  // for a blank, hashed into bits: a pair that starts a try seldom starts
  // four bytes that do. A loose pattern's tries are counted by its matches,
  // unless its first word can overlap itself: then each try counts, and
  // its word's own bytes make the four. Pairs that can start a pattern
  // tried on fewer than four bytes skip this check.
  std::vector<std::uint64_t> quad_used_;
  std::vector<std::uint64_t> pair_unquadded_;
  // When every pattern's tries need four bytes: by the pair of bytes that
  // ends four at a place, how many places on a match can start first
  // (0 to 3).
  std::vector<std::uint8_t> shift_;
  bool all_quadded_ = true;
  bool empty_word_ = false;
  // The first bytes of a place that may start a try, by their low and by
  // their high four bits (see `ExactPatternSet`).
  PatternHeadTable head_low_{};
  PatternHeadTable head_high_{};
};

// A fixed set of exact patterns looked for together in one scan (an empty
// one is never found): the first three bytes at each place are looked up in
// small tables built from the patterns' first three bytes, many places at a
// time, and only where they may start a pattern is it compared. Made once for
// patterns that outlive it.
class ExactPatternSet {
 public:
  explicit ExactPatternSet(std::span<const std::string_view> patterns);

  // As `LoosePatternSet::all_matches` with every pattern exact: each
  // pattern's matches as `find_after` repeated from the end of the last one
  // finds them, in the order of the patterns and, for each, of the text.
  void all_matches(std::string_view text,
                   std::vector<LoosePatternSet::Match>& matches) const;

 private:
  std::vector<std::string_view> patterns_;
  // The patterns of each of eight groups; a group is one bit of the tables.
  std::array<std::vector<std::uint16_t>, 8> groups_{};
  // For byte k (of the first kPatternHeadBytes) of a place, by its low and
  // by its high four bits, the groups whose patterns may have that there.
  PatternHeadTable low_{};
  PatternHeadTable high_{};
};

}  // namespace morvinta
