#include "cp1250.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvinta {
namespace {

std::vector<int> bytes_of(std::string_view text) {
  std::vector<int> out;
  for (const char c : text) out.push_back(static_cast<unsigned char>(c));
  return out;
}

TEST(Cp1250Literal, HungarianLettersAndBrokenBar) {
  EXPECT_EQ(
      bytes_of("áéíóöőúüű"_cp),
      (std::vector<int>{0xE1, 0xE9, 0xED, 0xF3, 0xF6, 0xF5, 0xFA, 0xFC, 0xFB}));
  EXPECT_EQ(
      bytes_of("ÁÉÍÓÖŐÚÜŰ"_cp),
      (std::vector<int>{0xC1, 0xC9, 0xCD, 0xD3, 0xD6, 0xD5, 0xDA, 0xDC, 0xDB}));
  EXPECT_EQ(bytes_of("¦"_cp), std::vector<int>{0xA6});
}

// A character that code page 1250 lacks cannot be written as a literal: the
// conversion is a constant expression only when every character maps.
template <cp1250_detail::Utf8Literal S>
constexpr bool converts() {
  return requires {
    typename std::integral_constant<std::size_t,
                                    cp1250_detail::convert(S).size>;
  };
}

TEST(Cp1250Literal, ConvertsOnlyWhatTheCodePageHas) {
  static_assert(converts<"kő">());
  static_assert(!converts<"ñ">());    // Spanish ñ is not in 1250
  static_assert(!converts<"€€😀">());  // nor are emoji
}

TEST(Cp1250Runtime, RoundTripsAndMissingCharacters) {
  std::string all;
  for (int b = 1; b < 256; ++b) {
    if (b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98) {
      continue;  // undefined in the code page
    }
    all += static_cast<char>(b);
  }
  EXPECT_EQ(from_utf8(to_utf8(all)), all);
  EXPECT_EQ(to_utf8(std::string(1, static_cast<char>(0x81))), "\uFFFD");
  EXPECT_EQ(from_utf8("añb"), "a?b");
  EXPECT_EQ(from_utf8(std::string("a") + static_cast<char>(0xC3)),
            "a?");  // cut short
}

}  // namespace
}  // namespace morvinta
