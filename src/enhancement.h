// The enhancement of a loaded report of the current layout: the turn summary,
// the order sheet, the summary tables inserted before the inventory, the
// edits of the page itself (links, numbers, weights, widths, lists, colours,
// wording) and the output files. Each section prints its label and "OK" on
// the console as it runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "turn_report.h"

namespace morvinta {

// Runs every section in order and writes the order sheet and the enhanced
// report; an old-layout report gets a refusal line, a refused one nothing.
void enhance(TurnReport& report);

// The turn's effect bits that the turn summary looks for, from the sheet:
// 1 item #508, 2 items #596, #602, #603 and #604, 4 VP regeneration
// developed, 8 item #504, 16 item #1119. Hunger (32) and withering (64) are
// found by the summary's own scan of the report.
std::uint32_t compute_effect_flags(const TurnReport& report);

// The summary tables' frame: the opening with the "Morvinta" heading row,
// and the closing of that table.
std::string summary_block_start();
inline constexpr std::string_view kSummaryTableEnd =
    "\n</TABLE></TD></TR></TABLE>";

// Puts the summary block in front of the inventory table; a report without
// the inventory header gets none.
void insert_summary_block(std::string& text, std::string summary_block);

// The encyclopedia addresses of a monster, an item and a spell: on-line, or
// in the local copy named by the settings when "offline webhyper" is on.
std::string monster_address(const Settings& settings, int n);
std::string item_address(const Settings& settings, int n);
std::string spell_address(const Settings& settings, int n);

// The text linked to the encyclopedia page at the address.
std::string encyclopedia_link(std::string_view url, std::string_view text);

// The same addresses for a pass that makes hundreds of links: where the
// local copy lies is read from the settings once, not once a link.
class EncyclopediaAddresses {
 public:
  explicit EncyclopediaAddresses(const Settings& settings);
  std::string monster(int n) const;
  std::string item(int n) const;
  std::string spell(int n) const;

 private:
  // The page's address: the folder, the page, its query and the number.
  std::string address(std::string_view page, std::string_view query,
                      int n) const;

  bool offline_;
  std::string folder_;
};

// The page edits, each as its own section.
void mark_priest_rank(TurnReport& report);
void link_coordinates(TurnReport& report);
void link_monsters(TurnReport& report);
void number_monsters(TurnReport& report);
void replace_images(TurnReport& report);
void add_item_weights(TurnReport& report);
void develop_spells(TurnReport& report);
void set_table_width(TurnReport& report);
// Lays out the item lists of the adventure text as tables. A real report
// holds a handful of lists; a crafted one could hold thousands, each laid
// out from the rest of the page, and a table can hold later lists that are
// laid out again inside it, so that the page would grow with the square of
// the lists. So only the first kMostItemLists lists are laid out, and once
// the tables put into the page hold more than kMostItemListBytes the rest
// of the lists stay as running text: the page grows by at most that much
// plus one table.
void tabulate_item_lists(std::string& text);
inline constexpr int kMostItemLists = 2000;
inline constexpr std::size_t kMostItemListBytes = std::size_t{1} << 24;
void add_encumbrance_rows(TurnReport& report);
void colour_links(std::string& text);

// Writes the enhanced report into the turns folder (or under its bare name
// when that fails); the path written, or absent when nothing could be.
std::optional<std::string> write_enhanced_report(const TurnReport& report);

}  // namespace morvinta
