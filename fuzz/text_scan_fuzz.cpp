// The text toolkit against its plain twins: every operation, on any bytes,
// gives what the definition gives, and never reads past the text.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_formats.h"
#include "text_scan.h"
#include "text_scan_reference.h"

namespace {

namespace ref = morvinta::reference;
using morvinta::MaybeText;

// The text and patterns of the input, split at the separator byte.
struct Fields {
  std::string text;
  std::string first;
  std::string second;
};

Fields split(std::string_view bytes) {
  Fields fields;
  std::string* parts[] = {&fields.text, &fields.first, &fields.second};
  std::size_t part = 0;
  for (const char c : bytes) {
    if (c == morvinta::fuzz::kSeparator && part < 2) {
      ++part;
      continue;
    }
    parts[part]->push_back(c);
  }
  return fields;
}

[[noreturn]] void mismatch(const char* operation) {
  std::fprintf(stderr, "%s differs from its definition\n", operation);
  std::abort();
}

void expect(bool same, const char* operation) {
  if (!same) mismatch(operation);
}

// A toolkit result (a view into its copy) against the twin's (a view into
// the input).
void expect_same(const MaybeText& got, const MaybeText& want,
                 const char* operation) {
  expect(got.has_value() == want.has_value(), operation);
  if (got) expect(*got == *want, operation);
}

void expect_same_number(double got, double want, const char* operation) {
  const double scale = std::max({1.0, std::fabs(got), std::fabs(want)});
  expect(std::fabs(got - want) <= 1e-12 * scale, operation);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size < 2) return 0;
  const int operation = data[0] % morvinta::fuzz::kScanOperations;
  const bool absent = (data[1] & 0x80) != 0;
  // Small numbers, the edges included: -1 to 12.
  const int n = static_cast<int>(data[1] & 0x0F) - 1;
  const Fields fields = split(
      std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2));
  // The toolkit searches a copy of its own, so that a read past the end of
  // the text is caught by the address checks.
  const std::vector<char> own(fields.text.begin(), fields.text.end());
  const std::string_view view(own.data(), own.size());
  const MaybeText text = absent ? MaybeText() : MaybeText(view);
  const MaybeText plain = absent ? MaybeText() : MaybeText(fields.text);
  const std::string_view a = fields.first;
  const std::string_view b = fields.second;

  switch (operation) {
    case 0:
      expect_same(morvinta::find_after(text, a), ref::find_after(plain, a),
                  "find_after");
      break;
    case 1:
      expect_same(morvinta::extract_inclusive(text, a, b),
                  ref::extract_inclusive(plain, a, b), "extract_inclusive");
      break;
    case 2:
      expect_same(morvinta::extract_between(text, a, b),
                  ref::extract_between(plain, a, b), "extract_between");
      break;
    case 3:
      expect_same(morvinta::find_loose(text, a), ref::find_loose(plain, a),
                  "find_loose");
      break;
    case 4:
      expect_same(morvinta::find_after_loose(text, a),
                  ref::find_after_loose(plain, a), "find_after_loose");
      break;
    case 5:
      expect_same(morvinta::extract_inclusive_loose(text, a, b),
                  ref::extract_inclusive_loose(plain, a, b),
                  "extract_inclusive_loose");
      break;
    case 6:
      expect(morvinta::nth_number(text, n) == ref::nth_number(plain, n),
             "nth_number");
      break;
    case 7:
      expect(morvinta::nth_number_from_end(text, n) ==
                 ref::nth_number_from_end(plain, n),
             "nth_number_from_end");
      break;
    case 8:
      expect_same_number(morvinta::nth_real_from_end(text, n),
                         ref::nth_real_from_end(plain, n), "nth_real_from_end");
      break;
    case 9:
      expect_same_number(morvinta::nth_decimal(text, n, 0.01),
                         ref::nth_decimal(plain, n, 0.01), "nth_decimal");
      break;
    case 10: {
      std::string got = fields.text;
      std::string want = fields.text;
      morvinta::insert_after(got, a, b);
      ref::insert_after(want, a, b);
      expect(got == want, "insert_after");
      break;
    }
    case 11: {
      std::string got = fields.text;
      std::string want = fields.text;
      const bool got_done = morvinta::replace_first(got, a, b);
      const bool want_done = ref::replace_first(want, a, b);
      expect(got == want && got_done == want_done, "replace_first");
      break;
    }
    case 12: {
      // The definition repeats as long as the old text occurs; a new text
      // that holds the old one would never end, so the toolkit does one pass
      // there instead, and a replacement that keeps forming the old text
      // stops after as many rounds as the text had bytes plus one. Elsewhere
      // both must agree, whenever the plain twin ends within its rounds.
      if (a.empty() || b.find(a) != std::string_view::npos) break;
      std::string want = fields.text;
      const std::size_t cap = fields.text.size() + 1;
      const int rounds = static_cast<int>(std::min<std::size_t>(cap, 4096));
      const bool ended = ref::replace_all(want, a, b, rounds);
      if ((!ended && static_cast<std::size_t>(rounds) < cap) ||
          want.size() > (1u << 20)) {
        break;
      }
      std::string got = fields.text;
      morvinta::replace_all(got, a, b);
      expect(got == want, "replace_all");
      break;
    }
    case 13: {
      std::string got = fields.text;
      std::string want = fields.text;
      morvinta::to_upper(got);
      ref::to_upper(want);
      expect(got == want, "to_upper");
      morvinta::fill_chars(got, 'x');
      ref::fill_chars(want, 'x');
      expect(got == want, "fill_chars");
      break;
    }
    case 14: {
      const auto got = morvinta::squeeze_spaces(text);
      const auto want = ref::squeeze_spaces(plain);
      expect(got.has_value() == want.has_value() && (!got || *got == *want),
             "squeeze_spaces");
      break;
    }
    case 16: {
      expect(morvinta::find_last(view, a) == fields.text.rfind(a), "find_last");
      std::vector<std::size_t> every;
      for (std::size_t at = fields.text.find(a);
           !a.empty() && at != std::string::npos;
           at = fields.text.find(a, at + 1)) {
        every.push_back(at);
      }
      expect(morvinta::find_all(view, a) == every, "find_all");
      break;
    }
    case 17: {
      // Both patterns sought together, against each searched for again and
      // again on its own.
      const std::string_view patterns[] = {a, b};
      std::vector<morvinta::LoosePatternSet::Match> got;
      morvinta::ExactPatternSet(patterns).all_matches(view, got);
      std::vector<morvinta::LoosePatternSet::Match> want;
      for (std::size_t i = 0; i < 2; ++i) {
        if (patterns[i].empty()) continue;
        MaybeText rest = std::string_view(fields.text);
        while ((rest = ref::find_after(rest, patterns[i]))) {
          want.push_back({i, fields.text.size() - rest->size()});
        }
      }
      expect(got == want, "ExactPatternSet");
      break;
    }
    case 15: {
      const std::int32_t x = morvinta::nth_number(a, 1);
      const std::int32_t y = morvinta::nth_number(b, 1);
      expect(morvinta::min_int(x, y) == ref::min_int(x, y), "min_int");
      expect(morvinta::cut_to(fields.text, static_cast<std::size_t>(n + 1)) ==
                 fields.text.substr(0, static_cast<std::size_t>(n + 1)),
             "cut_to");
      break;
    }
  }
  return 0;
}
