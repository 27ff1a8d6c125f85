// Filling in templates: the tool's own formatting of the common templates
// against the C library's printf.
#include "console.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>
#include <string>

#include "cp1250.h"

namespace morvinta {
namespace {

// What snprintf makes of the template and two whole numbers.
std::string printf_of(const std::string& format, int a, int b) {
  char out[512];
  const int length = std::snprintf(out, sizeof out, format.c_str(), a, b);
  return length < 0 ? "" : std::string(out, static_cast<std::size_t>(length));
}

// Templates of two whole numbers built from the pieces the tool's templates
// hold, plain ones and ones left to the C library (a flag, a zero padding,
// a width too wide), with numbers up to the limits.
TEST(Formatted, WholeNumbersAsPrintfWritesThem) {
  const std::string conversions[] = {"%d",   "%1d", "%4d",   "%12d", "%-5d",
                                     "%05d", "%+d", "%120d", "%%%d"};
  const std::string texts[] = {"", "x", " (#", ")\n", "%%", "ő; ", "{"};
  const int numbers[] = {0, 7, -1, -42, 1234, 999999, INT_MIN, INT_MAX};
  std::mt19937 random(2026);
  const auto pick = [&](const auto& list) {
    return list[random() % std::size(list)];
  };
  for (int i = 0; i < 3000; ++i) {
    const std::string format = pick(texts) + pick(conversions) + pick(texts) +
                               pick(conversions) + pick(texts);
    const int a = i % 3 == 0 ? static_cast<int>(random()) : pick(numbers);
    const int b = pick(numbers);
    SCOPED_TRACE(format);
    ASSERT_EQ(formatted(format.c_str(), a, b), printf_of(format, a, b));
  }
}

}  // namespace
}  // namespace morvinta
