// The pages that tie a character's turns together: the journal page
// "naplo_<character>.htm" in the turns folder, drawn from the journal (the
// character's name, number and turn range, four charts as inline SVG with a
// tooltip on every point, and the table of every turn, newest first), and
// the navigation line of an enhanced report (previous turn, journal, next
// turn). Both are 1250 HTML without script or outside files, readable
// offline in any browser.
#pragma once

#include <cstdint>
#include <string>

#include "journal.h"

namespace morvinta {

// What the page needs besides the journal.
struct JournalPageInfo {
  std::int32_t character_number = 0;
  std::string character_name;  // 1250, as the sheet gives it
  bool c_form_names = false;   // reports named "<character>c<turn>.htm"
  // The turns folder: a turn number links to its report when the report
  // is there.
  std::string report_directory;
};

// The page for the journal. A chart whose figures are all unknown still
// shows its frame; a single turn is drawn as a single point.
std::string journal_page(const Journal& journal, const JournalPageInfo& info);

// The name the tool gives a character's enhanced report of a turn.
std::string enhanced_report_name(std::int32_t character_number,
                                 std::int32_t turn_number, bool c_form_names);

// The navigation line: links to the previous turn's report (none before
// turn 1), the journal page and the next turn's report, which may not exist
// yet.
std::string navigation_line(std::int32_t character_number,
                            std::int32_t turn_number, bool c_form_names);

// Puts the navigation line just after the opening of the body and again just
// before the credit lines; a page without the one or the other gets only the
// line it has room for.
void add_navigation(std::string& text, std::int32_t character_number,
                    std::int32_t turn_number, bool c_form_names);

}  // namespace morvinta
