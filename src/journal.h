// The journal of a character: one line per turn with the figures a player
// follows over the seasons (level, experience, power score against the
// expected one, life, magic and psi points, attack and defence, battles and
// their damage, what the character knows, money), kept in
// "info/naplo_<character>.csv" so that a double click opens it in a
// Hungarian spreadsheet: 1250 bytes, CR LF line ends, ";" between fields,
// decimal comma. The figures are the ones the summary rows show.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvinta {

class TurnReport;

// The columns of a line, in their order.
enum JournalColumn : std::size_t {
  kTurnColumn,
  kDateColumn,
  kLevelColumn,
  kExperienceColumn,
  kPowerScoreColumn,
  kExpectedPowerScoreColumn,
  kLifeColumn,
  kMaxLifeColumn,
  kMagicColumn,
  kMaxMagicColumn,
  kPsiColumn,
  kMaxPsiColumn,
  kAttackColumn,
  kDefenceColumn,
  kAttributeSumColumn,
  kBattlesColumn,
  kDamageDealtColumn,
  kDamageTakenColumn,
  kKnownItemsColumn,
  kKnownMonstersColumn,
  kMoneyColumn,
  kJournalColumns
};

// The first line of the file, 1250 bytes, without its line end.
std::string_view journal_header();

// One turn: its number and the fields as the file writes them. An empty
// field is a figure that is not known (a rebuilt line leaves what an
// enhanced report no longer shows empty).
struct JournalLine {
  std::int32_t turn = 0;
  std::array<std::string, kJournalColumns> fields;
};

// A journal file as read: the lines it can read, one per turn in turn order,
// and the lines it cannot (hand edits), kept as they stand.
struct Journal {
  std::vector<JournalLine> lines;
  std::vector<std::string> unreadable;
};

// Reads a journal file's text (LF line ends). The header line is skipped
// and empty lines dropped; a line is read when it has the 21 fields and its
// first is a turn number. A second line of a turn already read counts as
// unreadable, so nothing is lost. `unreadable_numbers`, when given, receives
// the 1-based line numbers of the unreadable lines.
Journal parse_journal(std::string_view text,
                      std::vector<int>* unreadable_numbers = nullptr);

// The file's text with LF line ends: the header, the lines by turn, then the
// unreadable lines.
std::string journal_text(const Journal& journal);

// Puts the line in its place by turn, replacing a line of the same turn.
void put_line(Journal& journal, JournalLine line);

// The line of a report just enhanced, its figures worked out as the summary
// rows work them out, whether those rows are switched on or not.
JournalLine journal_line(const TurnReport& report);

// The fields of the line that the character sheet and the header give:
// turn, date, level, experience, power scores, points, attack, defence,
// attribute sum and money. The battle and knowledge fields stay empty.
JournalLine sheet_line(const TurnReport& report);

// The date of the report's header line, the text before " - JÁTÉKHETED",
// blanks squeezed and ";" written as ","; empty when the header has none.
std::string report_date(std::string_view text);

// A figure as the file writes it: "%d", or a real with two decimals and a
// decimal comma.
std::string journal_number(std::int32_t value);
std::string journal_decimal(double value);

// The value of a field for the charts: absent when empty or not a number.
std::optional<double> field_value(std::string_view field);

// The battles of the turn cannot be found again in the enhanced report
// (the tables and links it gained open paragraphs that read as battles), so
// the report keeps their number in a comment just after its marker line,
// "<!-- morvinta naplo: csatak=<n> -->"; a text without the marker line at
// its start is left as it is.
void note_battle_count(std::string& text, std::int32_t battle_count);

// The number that comment holds; absent without it.
std::optional<std::int32_t> noted_battle_count(std::string_view text);

// The journal file and the page of a character.
std::string journal_path(std::int32_t character_number);
std::string journal_page_name(std::int32_t character_number);

// Reads the character's journal (saying which lines it cannot read), and
// returns it; an absent file gives an empty journal.
Journal read_journal(std::int32_t character_number);

// Writes the journal file and then its page into the turns folder; prints
// the usual failure line for a file it cannot write and returns false then.
// When the journal file cannot be written the page stays as it was.
bool store_journal(const Journal& journal, std::int32_t character_number,
                   std::string_view character_name, bool c_form_names,
                   std::string_view report_directory);

// Adds the line of the report just enhanced to its character's journal and
// rewrites the journal's page, printing "naplo: " and "OK".
void update_journal(const TurnReport& report);

}  // namespace morvinta
