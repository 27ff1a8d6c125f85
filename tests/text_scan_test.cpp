// The toolkit's operations against their plain twins on thousands of seeded
// random texts over a small alphabet (so patterns occur, overlap and form
// anew), and the hand-picked cases that pin what both must do.
#include "text_scan.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "cp1250.h"
#include "text_scan_plain.h"

namespace morvinta {
namespace {

constexpr MaybeText kAbsent = std::nullopt;

// Texts and patterns from an alphabet of blanks, line feeds, digits, a
// minus, markup bytes and one byte above 0x80.
class Texts {
 public:
  explicit Texts(std::uint32_t seed) : random_(seed) {}

  std::string text(std::size_t longest) {
    static constexpr std::string_view kBytes = "ab ab\n\t12-<b>(#,)\xe9";
    std::string out(pick(longest + 1), ' ');
    for (char& c : out) c = kBytes[pick(kBytes.size())];
    return out;
  }
  std::size_t pick(std::size_t n) { return random_() % n; }

 private:
  std::mt19937 random_;
};

TEST(PlainTwins, SearchesAndNumbersAgreeOnRandomTexts) {
  Texts texts(20031114);
  for (int round = 0; round < 4000; ++round) {
    SCOPED_TRACE(round);
    const std::string text = texts.text(40);
    const std::string a = texts.text(4);
    const std::string b = texts.text(3);
    const MaybeText t = texts.pick(20) == 0 ? kAbsent : MaybeText(text);
    const int n = static_cast<int>(texts.pick(6));
    EXPECT_EQ(find_after(t, a), plain::find_after(t, a));
    EXPECT_EQ(extract_inclusive(t, a, b), plain::extract_inclusive(t, a, b));
    EXPECT_EQ(extract_between(t, a, b), plain::extract_between(t, a, b));
    EXPECT_EQ(find_loose(t, a), plain::find_loose(t, a));
    EXPECT_EQ(find_after_loose(t, a), plain::find_after_loose(t, a));
    EXPECT_EQ(extract_inclusive_loose(t, a, b),
              plain::extract_inclusive_loose(t, a, b));
    EXPECT_EQ(nth_number(t, n), plain::nth_number(t, n));
    EXPECT_EQ(nth_number_from_end(t, n), plain::nth_number_from_end(t, n));
    EXPECT_EQ(nth_real_from_end(t, n), plain::nth_real_from_end(t, n));
    EXPECT_EQ(nth_decimal(t, n, 0.01), plain::nth_decimal(t, n, 0.01));
    EXPECT_EQ(find_last(text, a), std::string_view(text).rfind(a));
  }
}

TEST(PlainTwins, EditsAgreeOnRandomTexts) {
  Texts texts(56);
  for (int round = 0; round < 6000; ++round) {
    SCOPED_TRACE(round);
    const std::string text = texts.text(30);
    const std::string old_text = texts.text(3);
    const std::string new_text = texts.text(5);
    std::string fast = text;
    std::string plain = text;
    insert_after(fast, old_text, new_text);
    plain::insert_after(plain, old_text, new_text);
    EXPECT_EQ(fast, plain);
    fast = plain = text;
    EXPECT_EQ(replace_first(fast, old_text, new_text),
              plain::replace_first(plain, old_text, new_text));
    EXPECT_EQ(fast, plain);
    fast = plain = text;
    replace_all(fast, old_text, new_text);
    plain::replace_all(plain, old_text, new_text);
    EXPECT_EQ(fast, plain) << "old \"" << old_text << "\" new \"" << new_text
                           << "\" in \"" << text << "\"";
  }
}

TEST(Numbers, Decisions) {
  struct Case {
    MaybeText text;
    int n;
    std::int32_t from_start, from_end;
  };
  const Case cases[] = {
      {kAbsent, 1, 0, 0},
      {"12/30", 3, 0, 0},
      {"x - 12", 1, 12, 12},  // a blank stands before the digits
      {"3-4", 2, -4, 3},
      {"12", 0, 0, 0},
      {"áé5"_cp, 1, 5, 5},  // accented letters are no digits
      // More than nine digits wrap modulo 2^32, never undefined.
      {"4294967297", 1, 1, 1},
      {"-4294967298", 1, -2, -2},
      {"2147483648", 1, -2147483647 - 1, -2147483647 - 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text.value_or("<absent>")) +
                 " n=" + std::to_string(c.n));
    EXPECT_EQ(nth_number(c.text, c.n), c.from_start);
    EXPECT_EQ(nth_number_from_end(c.text, c.n), c.from_end);
  }
  EXPECT_EQ(nth_real_from_end("x 123456789012 y", 1), 123456789012.0);
  // The digits after the point count as hundredths, however many.
  EXPECT_DOUBLE_EQ(nth_decimal("suly: 1.5;", 1, 0.01), 1.05);
}

TEST(TextsAndPatterns, Decisions) {
  std::string text = "x-y-z";
  EXPECT_FALSE(replace_first(text, "", "+"));  // an empty pattern: nothing
  EXPECT_EQ(text, "x-y-z");
  std::string word = std::string("kardé z!"_cp);
  to_upper(word);
  EXPECT_EQ(word, "KARDé Z!"_cp);               // é keeps its case
  EXPECT_EQ(squeeze_spaces("a \n b"), "a  b");  // a blank after a LF stays
  EXPECT_FALSE(squeeze_spaces(kAbsent));
  fill_chars(word, ' ');
  EXPECT_EQ(word, "        ");
  EXPECT_EQ(min_int(-3, 2), -3);
  // A LF in a loose pattern needs a run that ends in a LF; after a failed
  // try the search goes on past the whole first word.
  EXPECT_FALSE(find_loose("a \n b", "a\nb"));
  EXPECT_FALSE(find_loose("aaa b", "aa b"));
  EXPECT_EQ(find_after_loose("x tárgy:\n \t (#12) y"_cp, "tárgy: (#12)"_cp),
            " y");
}

// One pass that still does what repeating the replacement would: the
// occurrences it forms with the text before it, after it, with both, inside
// text it put in earlier, and chains of them; a replacement holding its own
// pattern is not replaced again.
// Long patterns that nearly match almost everywhere: a run of one byte, a
// text of the pattern's own period, near misses with a rare byte. The first
// occurrence from each place is the one std::string_view::find gives.
TEST(FindFirst, LongPatternsThatNearlyMatchEverywhere) {
  const auto repeated = [](std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
  };
  const struct {
    std::string text;
    std::string pattern;
  } cases[] = {
      {repeated("x", 20'000) + repeated("x", 300) + "e" + repeated("x", 300),
       repeated("x", 300) + "e"},
      {repeated(repeated("ab", 200) + "d", 60), repeated("ab", 200) + "c"},
      {repeated("e", 9'000), repeated("e", 65) + "x"},  // absent
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern.substr(0, 8));
    const std::string_view text = c.text;
    for (const std::size_t from :
         {std::size_t{0}, std::size_t{1}, text.size() / 2, text.size()}) {
      EXPECT_EQ(find_first(text, c.pattern, from), text.find(c.pattern, from));
    }
  }
}

TEST(ReplaceAll, MatchesRepeatedReplacementOnFormedOccurrences) {
  struct Case {
    std::string_view text, old_text, new_text, expected;
  };
  static constexpr Case kCases[] = {
      {"aab", "ab", "b", "b"},          // formed with the byte before
      {"aaab", "ab", "b", "b"},         // ... again and again
      {"abb", "ab", "a", "a"},          // formed with the byte after
      {"xaabbx", "ab", "", "xx"},       // removal closes the gap
      {"aaXbXb", "aXb", "a", "aa"},     // formed with what was put in
      {"abcabc", "abc", "ab", "abab"},  //
      {"aaabccc", "abc", "b", "b"},     // formed around what was put in, twice
      {"aab", "ab", "ba", "baa"},       // a bubble
      {"a b  c   d", "  ", " ", "a b c d"},
      {"halálvarázslat"_cp, "halálvarázslat"_cp, "x", "x"},
      {"WIDTH=740 WIDTH=740", "WIDTH=740", "WIDTH=7400",
       "WIDTH=7400 WIDTH=7400"},           // new holds old: one pass
      {"abab", "ab", "xaby", "xabyxaby"},  // new holds old: one pass
      {"xyx", "x", "xx", "xxyxx"},         //
      {"", "a", "b", ""},
      {"abc", "", "x", "abc"},  // empty old changes nothing
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    std::string fast(c.text);
    std::string plain(c.text);
    replace_all(fast, c.old_text, c.new_text);
    plain::replace_all(plain, c.old_text, c.new_text);
    EXPECT_EQ(plain, c.expected);
    EXPECT_EQ(fast, c.expected);
  }
}

TEST(ReplaceAll, EndsWhenTheReplacementKeepsFormingThePattern) {
  // "ab" -> "bbaa" forms a new "ab" with the "a" before it, again and
  // again: the call stops after as many replacements as the text had bytes
  // plus one, the same in both kinds of scan.
  std::string fast = "aab";
  std::string plain = fast;
  replace_all(fast, "ab", "bbaa");
  plain::replace_all(plain, "ab", "bbaa");
  EXPECT_EQ(fast, plain);
  EXPECT_EQ(fast.size(), 3u + 4 * 2);
}

// The set's matches in the text the fast way, as the plain scans find them.
template <typename Set>
void expect_matches_as_plain(const Set& set, std::string_view text) {
  std::vector<LoosePatternSet::Match> fast;
  std::vector<LoosePatternSet::Match> plain;
  set.all_matches(text, fast);
  use_plain_scans(true);
  set.all_matches(text, plain);
  use_plain_scans(false);
  EXPECT_EQ(fast, plain) << text;
}

TEST(LoosePatternSet, AgreesWithRepeatedSearchesExactOrLoose) {
  Texts texts(2024);
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    std::array<std::string, 6> owned;
    std::array<std::string_view, 6> patterns;
    std::array<bool, 6> exact{};
    for (std::size_t i = 0; i < owned.size(); ++i) {
      owned[i] = texts.text(6);
      if (owned[i].empty()) owned[i].push_back('b');
      // Half the sets only of patterns tried on four bytes or more, which
      // are scanned by skips.
      while (round % 2 == 0 && owned[i].size() < 4) owned[i] += texts.text(6);
      patterns[i] = owned[i];
      exact[i] = texts.pick(3) == 0;
    }
    const LoosePatternSet set(patterns, exact);
    for (int probe = 0; probe < 10; ++probe) {
      const std::string text = texts.text(80);
      const std::size_t limit = 1 + texts.pick(90);
      // The shortest end: each pattern searched for on its own.
      std::optional<std::size_t> expected;
      for (std::size_t i = 0; i < patterns.size(); ++i) {
        const MaybeText through =
            exact[i] ? plain::extract_inclusive(text, "", patterns[i])
                     : plain::extract_inclusive_loose(text, "", patterns[i]);
        if (through && through->size() < limit &&
            (!expected || through->size() < *expected)) {
          expected = through->size();
        }
      }
      EXPECT_EQ(set.shortest_through(text, limit), expected) << text;
      expect_matches_as_plain(set, text);
    }
  }
}

TEST(LoosePatternSet, TriesEachPatternOnlyWhereItsSearchWould) {
  // The first word "aa" overlaps itself: after a failed try at 0 the search
  // goes on at 2, so the match at 1 is never tried; the second pattern ends
  // first.
  const std::string_view patterns[] = {"aa b", "q"};
  const LoosePatternSet set(patterns);
  EXPECT_EQ(set.shortest_through("aaa b q", 100),
            std::optional<std::size_t>(7));
  EXPECT_EQ(set.shortest_through("aa  b q", 100),
            std::optional<std::size_t>(5));
  // A match ending at the limit does not count.
  EXPECT_EQ(set.shortest_through("aa  b", 5), std::nullopt);
  std::vector<LoosePatternSet::Match> matches;
  set.all_matches("aaa b aa b", matches);
  EXPECT_EQ(matches, std::vector<LoosePatternSet::Match>({{0, 10}}));
}

TEST(ExactPatternSet, AgreesWithRepeatedSearches) {
  // Up to twelve patterns, the empty one and ones shorter than the three
  // bytes looked up among them, share the eight groups; texts long enough
  // for the blocks of 32 places and their remainder.
  Texts texts(1987);
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    std::vector<std::string> owned(1 + texts.pick(12));
    for (std::string& pattern : owned) pattern = texts.text(5);
    const std::vector<std::string_view> patterns(owned.begin(), owned.end());
    const ExactPatternSet set(patterns);
    for (int probe = 0; probe < 5; ++probe) {
      const std::string text = texts.text(150);
      expect_matches_as_plain(set, text);
    }
  }
}

}  // namespace
}  // namespace morvinta
