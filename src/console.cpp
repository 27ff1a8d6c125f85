#include "console.h"

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>

#include "cp1250.h"
#include "text_scan_plain.h"

namespace morvinta {

namespace {

std::string* active_capture = nullptr;

// Appends the number with `places` (0 to 2) decimals as "%.2f" writes it:
// the exact value rounded to the nearest, a tie to the even, "-" kept on a
// negative number that rounds to 0. The number times 100 has at most 58
// significant bits, so a long double of 64 holds it exactly and the rounding
// is exact too. False where it cannot be done so (infinite, not a number, too
// large, a narrower long double): left to vsnprintf.
bool append_fixed(std::string& out, double value, int places) {
  if constexpr (std::numeric_limits<long double>::digits < 64) return false;
  if (!std::isfinite(value)) return false;
  constexpr std::uint64_t kScale[] = {1, 10, 100};
  const long double scaled = std::fabs(static_cast<long double>(value)) *
                             static_cast<long double>(kScale[places]);
  if (scaled >= 1e18L) return false;
  const long double whole = std::floor(scaled);
  const long double fraction = scaled - whole;
  auto units = static_cast<std::uint64_t>(whole);
  if (fraction > 0.5L || (fraction == 0.5L && units % 2 == 1)) ++units;
  if (std::signbit(value)) out += '-';
  char digits[24];
  const std::uint64_t scale = kScale[places];
  auto end = std::to_chars(digits, digits + sizeof digits, units / scale).ptr;
  if (places > 0) {
    *end++ = '.';
    const std::uint64_t rest = units % scale;
    if (places == 2) *end++ = static_cast<char>('0' + rest / 10);
    *end++ = static_cast<char>('0' + rest % 10);
  }
  out.append(digits, end);
  return true;
}

// The template filled in when its only conversions are "%d" with or without
// a width ("%4d"), "%lld", "%s", "%%" and "%.2f" ("%.2lf") with 0 to 2
// decimals, as vsnprintf fills it in; absent for any other template, which
// is left to vsnprintf. The tool fills in thousands of small templates a
// report, and vsnprintf costs a thousand instructions a call before it
// writes a byte, two thousand for a decimal.
std::optional<std::string> simply_formatted(const char* format,
                                            std::va_list arguments) {
  std::string out;
  // Room for a long template's text at once; a short one's result mostly
  // fits the string itself, and asking for room would allocate for nothing.
  const std::size_t format_length = std::strlen(format);
  if (format_length > 15) out.reserve(format_length + 32);
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
    if (at[0] == '.' && at[1] >= '0' && at[1] <= '2' &&
        (at[2] == 'f' || (at[2] == 'l' && at[3] == 'f'))) {
      const int places = at[1] - '0';
      at += at[2] == 'f' ? 3 : 4;
      if (!append_fixed(out, va_arg(arguments, double), places)) {
        return std::nullopt;
      }
      continue;
    }
    if (at[0] == 'l' && at[1] == 'l' && at[2] == 'd') {
      at += 3;
      append_number(out, va_arg(arguments, long long));
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
// formatted again into a string of its length. Apart from the simple
// templates' way, so that their calls do not set up the buffer.
[[gnu::noinline]] std::string printf_formatted(const char* format,
                                               std::va_list arguments) {
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

std::string vformatted(const char* format, std::va_list arguments) {
  if (!plain_scans()) {
    std::va_list copy;
    va_copy(copy, arguments);
    std::optional<std::string> text = simply_formatted(format, copy);
    va_end(copy);
    if (text) return std::move(*text);
  }
  return printf_formatted(format, arguments);
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

void append_number(std::string& text, long long value) {
  char digits[24];
  const auto written = std::to_chars(digits, digits + sizeof digits, value);
  text.append(digits, written.ptr);
}

void set_console_capture(std::string* capture) { active_capture = capture; }

std::string* console_capture() { return active_capture; }

}  // namespace morvinta
