// The plain twins of the text toolkit and the switch between the two kinds
// of scans. The twins work exactly as the toolkit's operations are defined:
// byte-by-byte searches from the start of the text, every edit building a
// whole new text, `replace_all` searching the whole text again after every
// replacement. The toolkit's own operations, and the page edits that visit
// every catalogue number, use indexes and one-pass edits instead; they must
// give the same bytes, and the tests and the benchmark compare the two.
//
// The executable `morvinta-reference` runs with the plain scans switched
// on, so both can be compared on the same folder.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text_scan.h"

namespace morvinta {

// Whether the toolkit and the page edits run their plain twins. Off unless
// switched on; meant to be set once, before the first report.
bool plain_scans();
void use_plain_scans(bool on);

namespace plain {

// The leftmost occurrence of the pattern at or after from, compared byte by
// byte at every place; absent when there is none. An empty pattern stands at
// from (when from is inside the text or at its end).
std::optional<std::size_t> find_first(std::string_view text,
                                      std::string_view pattern,
                                      std::size_t from = 0);

MaybeText find_after(MaybeText text, std::string_view pattern);
MaybeText extract_inclusive(MaybeText text, std::string_view start,
                            std::string_view end);
MaybeText extract_between(MaybeText text, std::string_view start,
                          std::string_view end);
MaybeText find_loose(MaybeText text, std::string_view pattern);
MaybeText find_after_loose(MaybeText text, std::string_view pattern);
MaybeText extract_inclusive_loose(MaybeText text, std::string_view start,
                                  std::string_view end);
std::int32_t nth_number(MaybeText text, int n);
std::int32_t nth_number_from_end(MaybeText text, int n);
double nth_real_from_end(MaybeText text, int n);
double nth_decimal(MaybeText text, int n, double scale);
void insert_after(std::string& text, std::string_view marker,
                  std::string_view insertion);
bool replace_first(std::string& text, std::string_view old_text,
                   std::string_view new_text);
// Repeats `replace_first` from the start of the text as long as old_text
// occurs. A new_text that holds old_text would never end: it is put in one
// pass from left to right, as the toolkit does.
void replace_all(std::string& text, std::string_view old_text,
                 std::string_view new_text);

}  // namespace plain

}  // namespace morvinta
