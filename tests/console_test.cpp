// Filling in templates: the tool's own formatting of the common templates
// against the C library's printf.
#include "console.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

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

// Decimals with 0 to 2 places and long whole numbers, against snprintf:
// exact ties (a multiple of 1/8 halfway between two hundredths), numbers
// just beside them, negative ones rounding to zero, the largest the tool
// writes itself and beyond, and random doubles over the whole range.
TEST(Formatted, DecimalsAsPrintfWritesThem) {
  const char* const formats[] = {"%.2lf", "%.0f", "%.1f", "[%.2lf] %lld kg",
                                 "%.0lf%%"};
  std::vector<double> values = {0.0,
                                -0.0,
                                0.125,
                                0.375,
                                2.5,
                                0.5,
                                1.5,
                                -0.125,
                                -2.5,
                                0.005,
                                -0.005,
                                1.005,
                                1e-320,
                                -1e-320,
                                0.045,
                                123456789.125,
                                9.9e15,
                                1e16,
                                9.3e15,
                                1e300,
                                -1e300,
                                std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::infinity(),
                                std::nan("")};
  std::mt19937_64 random(2026);
  for (int i = 0; i < 4000; ++i) {
    const auto bits = random();
    double any;
    std::memcpy(&any, &bits, sizeof any);
    values.push_back(any);
    values.push_back(static_cast<double>(
                         static_cast<std::int64_t>(bits % 2000001) - 1000000) /
                     8);
    values.push_back(std::nextafter(values.back(), 0.0));
    values.push_back(static_cast<double>(bits % 100000000) / 1000);
  }
  const long long whole[] = {0, -7, LLONG_MIN, LLONG_MAX};
  for (std::size_t i = 0; i < values.size(); ++i) {
    for (const char* format : formats) {
      const long long n = whole[i % std::size(whole)];
      char expected[512];
      const int length =
          std::snprintf(expected, sizeof expected, format, values[i], n);
      SCOPED_TRACE(format);
      SCOPED_TRACE(values[i]);
      ASSERT_EQ(formatted(format, values[i], n),
                std::string(expected, static_cast<std::size_t>(length)));
    }
  }
}

}  // namespace
}  // namespace morvinta
