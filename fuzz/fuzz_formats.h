// How the fuzzers read their input bytes, shared with the seed corpus
// generator so that the seeds reach what they are meant to.
#pragma once

#include <cstdint>

namespace morvinta::fuzz {

// The readers' target: the first byte names the file kind, the rest is the
// file.
enum class ReaderKind : std::uint8_t {
  kSettings,
  kMonsters,
  kItems,
  kSpellDamage,
  kSpellList,
  kInfo,
  kTower,
};
inline constexpr int kReaderKinds = 7;

// The toolkit's target: the first byte picks the operation, the second byte
// its number and whether the text is absent; the rest is the text and up to
// two patterns, split at this byte.
inline constexpr char kSeparator = '\x01';
inline constexpr int kScanOperations = 18;

}  // namespace morvinta::fuzz
