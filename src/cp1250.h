// Code page 1250, the Central European code page in which the game writes its
// reports and in which every file the tool reads or writes is kept.
//
// Texts in the source are UTF-8 literals; the `_cp` literal turns them into
// 1250 bytes while compiling, so anchors compare byte for byte with the
// report. A character that 1250 lacks stops the build.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace morvinta {

namespace cp1250_detail {

// Unicode code points of the bytes 0x80 to 0xFF; 0 marks the five bytes that
// the code page leaves undefined.
inline constexpr char32_t kHighHalf[128] = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021, 0,
    0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, 0,      0x2018,
    0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0,      0x2122, 0x0161,
    0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC,
    0x00AD, 0x00AE, 0x017B, 0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5,
    0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E,
    0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110,
    0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E,
    0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, 0x0155, 0x00E1, 0x00E2,
    0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4,
    0x0151, 0x00F6, 0x00F7, 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD,
    0x0163, 0x02D9,
};

// The 1250 byte of a code point; throws (a compile error in a constant
// evaluation) when the code page lacks the character.
constexpr unsigned char encode(char32_t code_point) {
  if (code_point < 0x80) return static_cast<unsigned char>(code_point);
  for (std::size_t i = 0; i < 128; ++i) {
    if (kHighHalf[i] == code_point) return static_cast<unsigned char>(0x80 + i);
  }
  throw "character missing from code page 1250";
}

// A string literal held as a template argument.
template <std::size_t N>
struct Utf8Literal {
  char bytes[N]{};
  consteval Utf8Literal(const char (&text)[N]) {
    for (std::size_t i = 0; i < N; ++i) bytes[i] = text[i];
  }
};

template <std::size_t N>
struct Converted {
  std::array<char, N> bytes{};
  std::size_t size = 0;
};

// Decodes the UTF-8 literal and encodes each character in 1250; malformed
// UTF-8 and missing characters throw.
template <std::size_t N>
consteval Converted<N> convert(const Utf8Literal<N>& literal) {
  Converted<N> out;
  std::size_t i = 0;
  const std::size_t length = N - 1;  // without the terminating NUL
  while (i < length) {
    const auto lead = static_cast<unsigned char>(literal.bytes[i]);
    char32_t code_point = 0;
    std::size_t extra = 0;
    if (lead < 0x80) {
      code_point = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      code_point = lead & 0x1F;
      extra = 1;
    } else if ((lead & 0xF0) == 0xE0) {
      code_point = lead & 0x0F;
      extra = 2;
    } else if ((lead & 0xF8) == 0xF0) {
      code_point = lead & 0x07;
      extra = 3;
    } else {
      throw "malformed UTF-8 in a literal";
    }
    if (i + extra >= length) throw "truncated UTF-8 in a literal";
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(literal.bytes[i + k]);
      if ((next & 0xC0) != 0x80) throw "malformed UTF-8 in a literal";
      code_point = (code_point << 6) | (next & 0x3F);
    }
    out.bytes[out.size++] = static_cast<char>(encode(code_point));
    i += extra + 1;
  }
  return out;
}

template <Utf8Literal S>
inline constexpr Converted<sizeof(S.bytes)> kConverted = convert(S);

}  // namespace cp1250_detail

// "kézirat"_cp: the literal's text as 1250 bytes, with static lifetime. A NUL
// byte always follows the text, so data() also serves as a C string (for
// printf-style templates).
template <cp1250_detail::Utf8Literal S>
consteval std::string_view operator""_cp() {
  return {cp1250_detail::kConverted<S>.bytes.data(),
          cp1250_detail::kConverted<S>.size};
}

// A UTF-8 file may start with this byte order mark (U+FEFF in UTF-8).
inline constexpr std::string_view kUtf8ByteOrderMark = "\uFEFF";

// A character of a UTF-8 text: its code point and its length in bytes.
struct Utf8Character {
  char32_t code_point = 0;
  std::size_t length = 0;  // 0: the bytes at the place are no UTF-8 character
};

// The UTF-8 character at text[at] (at inside the text). A stray or missing
// continuation byte, an overlong form, a surrogate, a code point beyond
// U+10FFFF and a sequence cut short are no characters.
constexpr Utf8Character decode_utf8(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t code_point = 0;
  char32_t lowest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code_point = lead & 0x1Fu;
    lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code_point = lead & 0x0Fu;
    lowest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code_point = lead & 0x07u;
    lowest = 0x10000;
  } else {
    return {};
  }
  if (text.size() - at < length) return {};
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + k]);
    if ((next & 0xC0) != 0x80) return {};
    code_point = (code_point << 6) | (next & 0x3Fu);
  }
  if (code_point < lowest || code_point > 0x10FFFF ||
      (code_point >= 0xD800 && code_point <= 0xDFFF)) {
    return {};
  }
  return {code_point, length};
}

// The 1250 bytes as UTF-8, for the console. The undefined bytes become U+FFFD.
std::string to_utf8(std::string_view cp1250_text);

// UTF-8 text as 1250 bytes; characters the code page lacks become "?".
std::string from_utf8(std::string_view utf8_text);

}  // namespace morvinta
