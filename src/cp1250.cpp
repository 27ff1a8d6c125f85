#include "cp1250.h"

namespace morvinta {

namespace {

void append_utf8(std::string& out, char32_t code_point) {
  if (code_point < 0x80) {
    out += static_cast<char>(code_point);
  } else if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code_point & 0x3F));
  }
}

}  // namespace

std::string to_utf8(std::string_view cp1250_text) {
  std::string out;
  out.reserve(cp1250_text.size());
  for (const char c : cp1250_text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      const char32_t code_point = cp1250_detail::kHighHalf[byte - 0x80];
      append_utf8(out, code_point == 0 ? char32_t{0xFFFD} : code_point);
    }
  }
  return out;
}

std::string from_utf8(std::string_view utf8_text) {
  std::string out;
  out.reserve(utf8_text.size());
  std::size_t i = 0;
  while (i < utf8_text.size()) {
    const auto lead = static_cast<unsigned char>(utf8_text[i]);
    std::size_t extra = 0;
    char32_t code_point = lead;
    if (lead >= 0xF0) {
      extra = 3;
      code_point = lead & 0x07;
    } else if (lead >= 0xE0) {
      extra = 2;
      code_point = lead & 0x0F;
    } else if (lead >= 0xC0) {
      extra = 1;
      code_point = lead & 0x1F;
    } else if (lead >= 0x80) {
      out += '?';  // a stray continuation byte
      ++i;
      continue;
    }
    if (i + extra >= utf8_text.size()) {  // a sequence cut short
      out += '?';
      break;
    }
    for (std::size_t k = 1; k <= extra; ++k) {
      code_point = (code_point << 6) |
                   (static_cast<unsigned char>(utf8_text[i + k]) & 0x3F);
    }
    i += extra + 1;
    if (code_point < 0x80) {
      out += static_cast<char>(code_point);
      continue;
    }
    char mapped = '?';
    for (std::size_t b = 0; b < 128; ++b) {
      if (cp1250_detail::kHighHalf[b] == code_point) {
        mapped = static_cast<char>(0x80 + b);
        break;
      }
    }
    out += mapped;
  }
  return out;
}

}  // namespace morvinta
