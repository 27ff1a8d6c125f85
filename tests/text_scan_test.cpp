#include "text_scan.h"

#include <gtest/gtest.h>

#include "cp1250.h"
#include "text_scan_plain.h"

namespace morvinta {
namespace {

constexpr MaybeText kAbsent = std::nullopt;

TEST(AbsentText, PropagatesThroughEveryReader) {
  EXPECT_FALSE(find_after(kAbsent, "a"));
  EXPECT_FALSE(extract_inclusive(kAbsent, "a", "b"));
  EXPECT_FALSE(extract_between(kAbsent, "a", "b"));
  EXPECT_FALSE(find_loose(kAbsent, "a b"));
  EXPECT_FALSE(find_after_loose(kAbsent, "a b"));
  EXPECT_FALSE(extract_inclusive_loose(kAbsent, "a", "b"));
  EXPECT_FALSE(squeeze_spaces(kAbsent));
  EXPECT_EQ(nth_number(kAbsent, 1), 0);
  EXPECT_EQ(nth_number_from_end(kAbsent, 1), 0);
  EXPECT_EQ(nth_real_from_end(kAbsent, 1), 0.0);
  EXPECT_EQ(nth_decimal(kAbsent, 1, 0.01), 0.0);
  // A chain over a missing anchor ends in 0.
  EXPECT_EQ(nth_number(extract_between("ero: 12;", "iq:", ";"), 1), 0);
}

struct ExtractCase {
  const char* name;
  MaybeText text;
  std::string_view start;
  std::string_view end;
  MaybeText inclusive;
  MaybeText between;
};

TEST(Extract, Table) {
  const ExtractCase cases[] = {
      {"style block", "x<STYLE a>b</STYLE>y", "<STYLE", "</STYLE>",
       "<STYLE a>b</STYLE>", " a>b"},
      {"quotes as both anchors", "neve: \"Kard\"; x\"y\"", "\"", "\"",
       "\"Kard\"", "Kard"},
      {"one quote only", "neve: \"Kard;", "\"", "\"", kAbsent, kAbsent},
      {"start missing", "abc", "x", "c", kAbsent, kAbsent},
      {"end missing", "abc", "a", "x", kAbsent, kAbsent},
      {"end only before start", "b;a", "a", ";", kAbsent, kAbsent},
      {"empty start", "ab;cd;", "", ";", "ab;", "ab"},
      {"end overlapping start is not taken", "aXa", "aX", "Xa", kAbsent,
       kAbsent},
      {"end right after start", "k:;", "k:", ";", "k:;", ""},
      {"first occurrence wins", "k:1;k:2;", "k:", ";", "k:1;", "1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(extract_inclusive(c.text, c.start, c.end), c.inclusive);
    EXPECT_EQ(extract_between(c.text, c.start, c.end), c.between);
  }
}

TEST(FindAfter, RestOfTextOrAbsent) {
  EXPECT_EQ(find_after("abcabc", "bc"), "abc");
  EXPECT_EQ(find_after("abc", "c"), "");
  EXPECT_EQ(find_after("abc", ""), "abc");
  EXPECT_FALSE(find_after("abc", "x"));
}

struct NumberCase {
  MaybeText text;
  int n;
  std::int32_t from_start;
  std::int32_t from_end;
};

TEST(NthNumber, Table) {
  const NumberCase cases[] = {
      {"", 1, 0, 0},
      {"no digits", 1, 0, 0},
      {"12/30", 2, 30, 12},
      {"12/30", 1, 12, 30},
      {"12/30", 3, 0, 0},
      {"a-12b", 1, -12, -12},
      {"x - 12", 1, 12, 12},  // a blank stands before the digits
      {"3-4", 1, 3, -4},
      {"3-4", 2, -4, 3},
      {"123_45.htm", 1, 123, 45},
      {"123_45.htm", 2, 45, 123},
      {"123c45.htm", 2, 45, 123},
      {"t2/readme.htm", 1, 2, 2},
      {"-7_-12.htm", 2, -12, -7},
      {"007", 1, 7, 7},
      {"12", 0, 0, 0},
      {"12", -1, 0, 0},
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
}

TEST(NthRealFromEnd, KeepsLongRuns) {
  EXPECT_EQ(nth_real_from_end("x 123456789012 y", 1), 123456789012.0);
  EXPECT_EQ(nth_real_from_end("a-25 b 7", 2), -25.0);
  EXPECT_EQ(nth_real_from_end("none", 1), 0.0);
}

TEST(NthDecimal, FractionCountsHundredths) {
  EXPECT_DOUBLE_EQ(nth_decimal("suly: 1.25;", 1, 0.01), 1.25);
  EXPECT_DOUBLE_EQ(nth_decimal("suly: 1.5;", 1, 0.01), 1.05);
  EXPECT_DOUBLE_EQ(nth_decimal("suly: 2;", 1, 0.01), 2.0);
  EXPECT_DOUBLE_EQ(nth_decimal("suly: 0.05;", 1, 0.01), 0.05);
  EXPECT_DOUBLE_EQ(nth_decimal("suly: 0.5;", 1, 0.01), 0.05);
}

struct LooseCase {
  const char* name;
  std::string_view text;
  std::string_view pattern;
  MaybeText found;  // find_loose
  MaybeText after;  // find_after_loose
};

TEST(LooseMatch, Table) {
  const LooseCase cases[] = {
      {"blank matches LF and blanks", "x tárgy:\n   (#12) y", "tárgy: (#12)",
       "tárgy:\n   (#12) y", " y"},
      {"blank matches tab", "a\tb!", "a b", "a\tb!", "!"},
      {"exact", "see a b", "a b", "a b", ""},
      {"text whitespace where the pattern has none", "ab c", "a b", kAbsent,
       kAbsent},
      {"pattern whitespace where the text has none", "ab", "a b", kAbsent,
       kAbsent},
      {"LF in pattern needs LF at end of run", "a \n b", "a\nb", kAbsent,
       kAbsent},
      {"later occurrence after a failed one", "a x a  b", "a b", "a  b", ""},
      {"overlapping first word is skipped", "aaa b", "aa b", kAbsent, kAbsent},
      {"pattern longer than text", "a", "a b", kAbsent, kAbsent},
      {"first word missing", "xyz", "a b", kAbsent, kAbsent},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string text = std::string(c.text);
    EXPECT_EQ(find_loose(text, c.pattern), c.found);
    EXPECT_EQ(find_after_loose(text, c.pattern), c.after);
  }
}

TEST(LooseMatch, WorksOn1250Bytes) {
  const std::string text = std::string("varázslat:\n\t(#7) aktív 1"_cp);
  EXPECT_EQ(find_after_loose(text, "varázslat: (#7)"_cp), " aktív 1"_cp);
}

TEST(ExtractInclusiveLoose, Table) {
  EXPECT_EQ(extract_inclusive_loose("x a  b mid c\nd y", "a b", "c d"),
            "a  b mid c\nd");
  EXPECT_EQ(extract_inclusive_loose("c d a b", "a b", "c d"), std::nullopt);
  EXPECT_EQ(extract_inclusive_loose("c  d a b", "", "c d"), "c  d");
  EXPECT_EQ(extract_inclusive_loose("a b", "a b", "x"), std::nullopt);
}

TEST(InsertAfter, AtFirstMarkerOrNowhere) {
  std::string text = "a<B>b<B>";
  insert_after(text, "<B>", "!");
  EXPECT_EQ(text, "a<B>!b<B>");
  insert_after(text, "<I>", "?");
  EXPECT_EQ(text, "a<B>!b<B>");
}

TEST(ReplaceFirst, Table) {
  std::string text = "x-y-z";
  EXPECT_TRUE(replace_first(text, "-", "+"));
  EXPECT_EQ(text, "x+y-z");
  EXPECT_FALSE(replace_first(text, "#", "+"));
  EXPECT_EQ(text, "x+y-z");
  EXPECT_FALSE(
      replace_first(text, "", "+"));  // an empty pattern replaces nothing
  EXPECT_EQ(text, "x+y-z");
}

TEST(ReplaceAll, RemovesOccurrencesThatArise) {
  struct Case {
    std::string_view text, old_text, new_text, expected;
  };
  const Case cases[] = {
      {"aabbcc", "ab", "", "cc"},  // "aabb" -> "ab" -> ""
      {"a b  c   d", "  ", " ", "a b c d"},
      {"<b>x</b><b>y</b>", "<b>", "<B>", "<B>x</b><B>y</b>"},
      {"nothing here", "zz", "y", "nothing here"},
      {"abc", "", "x", "abc"},
      {"xyx", "x", "xx", "xxyxx"},  // replacement holds the pattern: one pass
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    std::string text(c.text);
    replace_all(text, c.old_text, c.new_text);
    EXPECT_EQ(text, c.expected);
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

TEST(FillAndUpper, KeepLengthAndAccents) {
  std::string text = "abc";
  fill_chars(text, ' ');
  EXPECT_EQ(text, "   ");
  std::string word = std::string("kardé z!"_cp);
  to_upper(word);
  EXPECT_EQ(word, "KARDé Z!"_cp);  // é keeps its case
}

TEST(SqueezeSpaces, Table) {
  EXPECT_EQ(squeeze_spaces("egy  ketto\n harom"), "egy ketto harom");
  EXPECT_EQ(squeeze_spaces("a \n b"), "a  b");  // a blank after a LF stays
  EXPECT_EQ(squeeze_spaces("   "), " ");
  EXPECT_EQ(squeeze_spaces(""), "");
}

TEST(MinIntAndCut, Basics) {
  EXPECT_EQ(min_int(-3, 2), -3);
  EXPECT_EQ(cut_to("abcdef", 3), "abc");
  EXPECT_EQ(cut_to("ab", 3), "ab");
}

}  // namespace
}  // namespace morvinta
