// The toolkit's operations against their plain twins: thousands of seeded
// random texts over a small alphabet (so patterns occur, overlap and form
// anew), and the cases picked by hand where a shortcut would go wrong.
#include "text_scan_plain.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "cp1250.h"
#include "text_scan.h"

namespace morvinta {
namespace {

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

MaybeText absent_or(const std::string& text, bool absent) {
  return absent ? MaybeText() : MaybeText(text);
}

TEST(PlainTwins, SearchesAndNumbersAgreeOnRandomTexts) {
  Texts texts(20031114);
  for (int round = 0; round < 4000; ++round) {
    SCOPED_TRACE(round);
    const std::string text = texts.text(40);
    const std::string a = texts.text(4);
    const std::string b = texts.text(3);
    const bool absent = texts.pick(20) == 0;
    const MaybeText t = absent_or(text, absent);
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

// Cases where a one-pass replacement must still do what repeating it would:
// occurrences that the replacement forms with the text before it, after it,
// with both, inside text it put in earlier, and chains of them.
TEST(ReplaceAll, MatchesRepeatedReplacementOnFormedOccurrences) {
  struct Case {
    std::string_view text, old_text, new_text, expected;
  };
  static constexpr Case kCases[] = {
      {"aab", "ab", "b", "b"},          // formed with the byte before
      {"aaab", "ab", "b", "b"},         // ... again and again
      {"abb", "ab", "a", "a"},          // formed with the byte after
      {"xaabbx", "ab", "", "xx"},       // removal closes the gap
      {"ababab", "ab", "", ""},         //
      {"aXbaXb", "aXb", "a", "aa"},     // one after the other
      {"aaXbXb", "aXb", "a", "aa"},     // formed with what was put in
      {"abcabc", "abc", "ab", "abab"},  //
      {"aabcc", "abc", "b", "b"},       // formed around what was put in
      {"aaabccc", "abc", "b", "b"},     // ... twice
      {"ba", "ab", "ba", "ba"},         // nothing to do
      {"aab", "ab", "ba", "baa"},       // a bubble
      {"halálvarázslat"_cp, "halálvarázslat"_cp, "x", "x"},
      {"WIDTH=740 WIDTH=740", "WIDTH=740", "WIDTH=7400",
       "WIDTH=7400 WIDTH=7400"},           // new holds old: one pass
      {"abab", "ab", "xaby", "xabyxaby"},  // new holds old: one pass
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

TEST(ReplaceAll, OnePassOnALongTextWithManyOccurrences) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "x<b>a</B>y ";
  std::string expected;
  for (int i = 0; i < 20000; ++i) expected += "x<B>a (#1)</B>y ";
  replace_all(text, "<b>a</B>", "<B>a (#1)</B>");
  EXPECT_EQ(text, expected);
}

TEST(LoosePatternSet, AgreesWithOneSearchPerPattern) {
  Texts texts(1992);
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    std::array<std::string, 5> owned;
    std::array<std::string_view, 5> patterns;
    for (std::size_t i = 0; i < owned.size(); ++i) {
      owned[i] = texts.text(5);
      if (owned[i].empty()) owned[i].push_back('a');
      patterns[i] = owned[i];
    }
    const LoosePatternSet set(patterns);
    for (int probe = 0; probe < 10; ++probe) {
      const std::string text = texts.text(60);
      const std::size_t limit = 1 + texts.pick(70);
      std::optional<std::size_t> expected;
      for (const std::string_view pattern : patterns) {
        const MaybeText through =
            plain::extract_inclusive_loose(text, "", pattern);
        if (through && through->size() < limit &&
            (!expected || through->size() < *expected)) {
          expected = through->size();
        }
      }
      EXPECT_EQ(set.shortest_through(text, limit), expected) << text;
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
}

}  // namespace
}  // namespace morvinta
