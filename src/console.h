// The console: everything the tool says goes to standard output, in UTF-8.
// The tool's own messages are written as UTF-8; texts taken from the 1250
// files are converted when printed. Tests can catch the output instead.
#pragma once

#include <string>
#include <string_view>

namespace morvinta {

// Prints UTF-8 text as it stands.
void say(std::string_view utf8_text);

// Prints a printf-style template filled in, the template in UTF-8.
void sayf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Prints text taken from a 1250 file, converted to UTF-8.
void say_cp1250(std::string_view cp1250_text);

// The printf-style template filled in, as a string.
std::string formatted(const char* format, ...)
    __attribute__((format(printf, 1, 2)));

// Appends the whole number as "%d" (or "%lld") writes it: for the places
// that write thousands of numbers a report, without a template to read.
void append_number(std::string& text, long long value);

// While a capture is set, output is appended to it instead of printed.
void set_console_capture(std::string* capture);

// The capture now set; null when output is printed.
std::string* console_capture();

}  // namespace morvinta
