#include "console.h"

#include <cstdarg>
#include <cstdio>

#include "cp1250.h"

namespace morvinta {

namespace {

std::string* active_capture = nullptr;

// Most texts fit a small buffer and are formatted once; a longer one is
// formatted again into a string of its length.
std::string vformatted(const char* format, std::va_list arguments) {
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
