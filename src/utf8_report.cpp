#include "utf8_report.h"

#include <array>
#include <optional>
#include <vector>

#include "cp1250.h"

namespace morvinta {

namespace {

constexpr std::string_view kCp1250Name = "windows-1250";

// The 1250 bytes of the code points below 0x300, where the letters are; 0
// where the code page has none.
constexpr char32_t kDirectLimit = 0x300;
constexpr std::array<unsigned char, kDirectLimit> kLowCodePoints = [] {
  std::array<unsigned char, kDirectLimit> bytes{};
  for (std::size_t i = 0; i < 128; ++i) {
    const char32_t code_point = cp1250_detail::kHighHalf[i];
    if (code_point != 0 && code_point < kDirectLimit) {
      bytes[code_point] = static_cast<unsigned char>(0x80 + i);
    }
  }
  return bytes;
}();

// The 1250 byte of a code point beyond ASCII; absent when 1250 lacks it.
std::optional<unsigned char> cp1250_byte(char32_t code_point) {
  if (code_point < kDirectLimit) {
    const unsigned char byte = kLowCodePoints[code_point];
    if (byte == 0) return std::nullopt;
    return byte;
  }
  for (std::size_t i = 0; i < 128; ++i) {
    if (cp1250_detail::kHighHalf[i] == code_point) {
      return static_cast<unsigned char>(0x80 + i);
    }
  }
  return std::nullopt;
}

// Latin letters with accents: the ones that a UTF-8 page of the game holds.
bool is_latin_letter(char32_t code_point) {
  return code_point >= 0xC0 && code_point <= 0x24F && code_point != 0xD7 &&
         code_point != 0xF7;
}

char lower_ascii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The first place of the word at or after start, ignoring the case of A to
// Z; npos when there is none.
std::size_t find_ignoring_case(std::string_view text, std::string_view word,
                               std::size_t start = 0) {
  for (std::size_t at = start; at + word.size() <= text.size(); ++at) {
    std::size_t k = 0;
    while (k < word.size() && lower_ascii(text[at + k]) == word[k]) ++k;
    if (k == word.size()) return at;
  }
  return std::string_view::npos;
}

// The head of the page, where the charset is declared: the text before
// "</head", or its first 1024 bytes without one, as a browser looks.
std::string_view head_of(std::string_view text) {
  const std::size_t end = find_ignoring_case(text, "</head");
  return text.substr(0, end == std::string_view::npos ? 1024 : end);
}

struct Charset {
  std::size_t at = 0;  // the place of the name in the text
  std::size_t length = 0;
  bool utf8 = false;
};

// The name after each "charset" of the head, past blanks, "=" and quotes.
template <typename Visit>
void visit_charsets(std::string_view text, Visit visit) {
  const std::string_view head = head_of(text);
  for (std::size_t at = find_ignoring_case(head, "charset");
       at != std::string_view::npos;
       at = find_ignoring_case(head, "charset", at + 1)) {
    std::size_t name = at + 7;
    while (name < head.size() && (head[name] == ' ' || head[name] == '=' ||
                                  head[name] == '"' || head[name] == '\'')) {
      ++name;
    }
    std::size_t end = name;
    while (end < head.size() && ((head[end] >= 'a' && head[end] <= 'z') ||
                                 (head[end] >= 'A' && head[end] <= 'Z') ||
                                 (head[end] >= '0' && head[end] <= '9') ||
                                 head[end] == '-' || head[end] == '_')) {
      ++end;
    }
    std::string value;
    for (const char c : head.substr(name, end - name)) value += lower_ascii(c);
    if (!visit(Charset{name, end - name, value == "utf-8" || value == "utf8"}))
      return;
  }
}

}  // namespace

bool is_utf8_report(std::string_view text) {
  if (text.starts_with(kUtf8ByteOrderMark)) return true;
  bool declared = false;
  visit_charsets(text, [&](const Charset& charset) {
    declared = charset.utf8;
    return false;  // the first declaration is the page's own
  });
  if (declared) return true;

  std::size_t held_letters = 0;
  std::size_t held = 0;
  std::size_t lacking = 0;
  for (std::size_t at = 0; at < text.size();) {
    if (static_cast<unsigned char>(text[at]) < 0x80) {
      ++at;
      continue;
    }
    const Utf8Character character = decode_utf8(text, at);
    if (character.length == 0) return false;
    if (cp1250_byte(character.code_point)) {
      ++held;
      if (is_latin_letter(character.code_point)) ++held_letters;
    } else {
      ++lacking;
    }
    at += character.length;
  }
  return held_letters > 0 && held > lacking;
}

std::string utf8_report_to_cp1250(std::string_view utf8_text) {
  if (utf8_text.starts_with(kUtf8ByteOrderMark)) {
    utf8_text.remove_prefix(kUtf8ByteOrderMark.size());
  }
  std::string out;
  out.reserve(utf8_text.size());
  for (std::size_t at = 0; at < utf8_text.size();) {
    const char c = utf8_text[at];
    if (static_cast<unsigned char>(c) < 0x80) {
      out += c;
      ++at;
      continue;
    }
    const Utf8Character character = decode_utf8(utf8_text, at);
    if (character.length == 0) {
      out += c;
      ++at;
      continue;
    }
    if (const auto byte = cp1250_byte(character.code_point)) {
      out += static_cast<char>(*byte);
    } else {
      out += "&#" + std::to_string(character.code_point) + ";";
    }
    at += character.length;
  }
  // The declarations, from the last so that the earlier places hold.
  std::vector<Charset> declarations;
  visit_charsets(out, [&](const Charset& charset) {
    if (charset.utf8) declarations.push_back(charset);
    return true;
  });
  for (auto it = declarations.rbegin(); it != declarations.rend(); ++it) {
    out.replace(it->at, it->length, kCp1250Name);
  }
  return out;
}

bool convert_utf8_report(std::string& text) {
  if (!is_utf8_report(text)) return false;
  text = utf8_report_to_cp1250(text);
  return true;
}

}  // namespace morvinta
