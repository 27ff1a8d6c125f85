// Rebuilding the journals from an archive of enhanced reports
// (`morvinta --naplo`): every enhanced report of the current folder and of
// the characters' turns folders is read back, never changed, and each
// character's journal file and page are written anew from them. A figure
// that an enhanced report no longer shows is left empty, never guessed.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include "journal.h"

namespace morvinta {

// The character and turn numbers of a name the tool gives enhanced reports,
// "<character>_<turn>.htm" or "<character>c<turn>.htm" (the extension in
// any letter case); absent for any other name.
std::optional<std::pair<std::int32_t, std::int32_t>> enhanced_report_numbers(
    std::string_view name);

// The journal line read back from an enhanced report of the character's
// turn; absent when the text has no marker comment or no character sheet.
// The character's name goes to name when given.
std::optional<JournalLine> line_from_enhanced(std::string_view text,
                                              std::int32_t character_number,
                                              std::int32_t turn_number,
                                              std::string* name = nullptr);

// Rewrites the journal and page of every character that has an enhanced
// report in the current folder or in its turns folder, keeping the lines of
// turns not found; prints one line per character with the turns found.
// Returns the exit status, 0.
int rebuild_journals();

}  // namespace morvinta
