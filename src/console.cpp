#include "console.h"

#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <optional>

#include "cp1250.h"
#include "text_scan_plain.h"

namespace morvinta {

namespace {

std::string* active_capture = nullptr;

// The template filled in when its only conversions are "%d" with or without
// a width ("%4d"), "%s" and "%%", as vsnprintf fills it in; absent for any
// other template, which is left to vsnprintf. The tool fills in thousands of
// small templates a report, and vsnprintf costs a thousand instructions a
// call before it writes a byte.
std::optional<std::string> simply_formatted(const char* format,
                                            std::va_list arguments) {
  std::string out;
  const char* at = format;
  while (*at != '\0') {
    if (*at != '%') {
      const char* const begin = at;
      while (*at != '\0' && *at != '%') ++at;
      out.append(begin, at);
      continue;
    }
    ++at;
    if (*at == '%') {
      out += '%';
      ++at;
      continue;
    }
    if (*at == 's') {
      const char* const text = va_arg(arguments, const char*);
      if (text == nullptr) return std::nullopt;
      out += text;
      ++at;
      continue;
    }
    // A width starts with 1 to 9: a leading 0 or a "-" is a flag.
    std::size_t width = 0;
    if (*at >= '1' && *at <= '9') {
      while (*at >= '0' && *at <= '9' && width < 100) {
        width = width * 10 + static_cast<std::size_t>(*at - '0');
        ++at;
      }
    }
    if (*at != 'd' || width >= 100) return std::nullopt;
    ++at;
    char digits[16];
    const auto written =
        std::to_chars(digits, digits + sizeof digits, va_arg(arguments, int));
    const auto length = static_cast<std::size_t>(written.ptr - digits);
    if (length < width) out.append(width - length, ' ');
    out.append(digits, length);
  }
  return out;
}

// Most texts fit a small buffer and are formatted once; a longer one is
// formatted again into a string of its length.
std::string vformatted(const char* format, std::va_list arguments) {
  if (!plain_scans()) {
    std::va_list copy;
    va_copy(copy, arguments);
    std::optional<std::string> text = simply_formatted(format, copy);
    va_end(copy);
    if (text) return std::move(*text);
  }
  char small[256];
  std::va_list copy;
  va_copy(copy, arguments);
  const int length = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (length <= 0) return {};
  const auto size = static_cast<std::size_t>(length);
  if (size < sizeof small) return std::string(small, size);
  std::string out(size + 1, '\0');
  std::vsnprintf(out.data(), out.size(), format, arguments);
  out.resize(size);
  return out;
}

}  // namespace

void say(std::string_view utf8_text) {
  if (active_capture != nullptr) {
    active_capture->append(utf8_text);
    return;
  }
  std::fwrite(utf8_text.data(), 1, utf8_text.size(), stdout);
}

void sayf(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  const std::string text = vformatted(format, arguments);
  va_end(arguments);
  say(text);
}

void say_cp1250(std::string_view cp1250_text) { say(to_utf8(cp1250_text)); }

std::string formatted(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  std::string text = vformatted(format, arguments);
  va_end(arguments);
  return text;
}

void set_console_capture(std::string* capture) { active_capture = capture; }

std::string* console_capture() { return active_capture; }

}  // namespace morvinta
