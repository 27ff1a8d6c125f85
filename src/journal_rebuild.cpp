#include "journal_rebuild.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "console.h"
#include "cp1250.h"
#include "file_names.h"
#include "report_sections.h"
#include "settings_file.h"
#include "text_file.h"
#include "text_scan.h"
#include "turn_report.h"

namespace morvinta {

namespace {

namespace fs = std::filesystem;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The whole number that the text is, without sign; absent otherwise.
std::optional<std::int32_t> whole_number(std::string_view text) {
  if (text.empty() || !is_digit(text.front())) return std::nullopt;
  std::int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || at != end) return std::nullopt;
  return value;
}

// The number written just before the end mark, after the start mark that
// precedes it; absent when either is missing or the text between is no
// number.
std::optional<std::int32_t> number_before(std::string_view text,
                                          std::string_view start,
                                          std::string_view end_mark) {
  const std::size_t end = find_first(text, end_mark);
  if (end == std::string_view::npos) return std::nullopt;
  const std::size_t begin = text.substr(0, end).rfind(start);
  if (begin == std::string_view::npos) return std::nullopt;
  const std::string_view figure =
      text.substr(begin + start.size(), end - begin - start.size());
  std::int32_t value = 0;
  const char* figure_end = figure.data() + figure.size();
  if (figure.empty() || figure.front() == '+') return std::nullopt;
  const auto [at, error] = std::from_chars(figure.data(), figure_end, value);
  if (error != std::errc() || at != figure_end) return std::nullopt;
  return value;
}

// The knowledge row: "<n> tárgyat és <m> szörnyet ismersz".
void read_knowledge(std::string_view text, JournalLine& line) {
  const std::size_t end = find_first(text, " szörnyet ismersz </TD></TR>"_cp);
  if (end == std::string_view::npos) return;
  constexpr std::string_view kCell = "<TR><TD CLASS=\"t1\" COLSPAN=3> ";
  const std::size_t begin = text.substr(0, end).rfind(kCell);
  if (begin == std::string_view::npos) return;
  const std::string_view row =
      text.substr(begin + kCell.size(), end - begin - kCell.size());
  const std::string_view middle = " tárgyat és "_cp;
  const std::size_t cut = row.find(middle);
  if (cut == std::string_view::npos) return;
  const auto items = whole_number(row.substr(0, cut));
  const auto monsters = whole_number(row.substr(cut + middle.size()));
  if (!items || !monsters) return;
  line.fields[kKnownItemsColumn] = journal_number(*items);
  line.fields[kKnownMonstersColumn] = journal_number(*monsters);
}

// The damage of the turn totals table and the noted number of battles.
void read_battles(std::string_view text, JournalLine& line) {
  const auto dealt =
      number_before(text, "<SPAN CLASS=\"sebez\">",
                    "</SPAN> életpontot sebeztél a szörnyekbe.<br>"_cp);
  const auto taken =
      number_before(text, "<SPAN CLASS=\"szenved\">",
                    "</SPAN> életpontot sebeződtél a szörnyektől.<br>"_cp);
  if (!dealt || !taken) return;  // no totals table: the turn was not summed
  line.fields[kDamageDealtColumn] = journal_number(*dealt);
  line.fields[kDamageTakenColumn] = journal_number(*taken);
  // Only a report enhanced with the journal on says how many battles the
  // turn had.
  const std::optional<std::int32_t> battles = noted_battle_count(text);
  if (!battles) return;
  line.fields[kBattlesColumn] = journal_number(*battles);
}

struct Found {
  std::string path;
  std::int32_t turn = 0;
};

// The enhanced reports by name in a folder ("" the current one), by
// character.
void list_folder(const std::string& folder,
                 std::map<std::int32_t, std::vector<Found>>& found) {
  std::error_code error;
  // The folder setting is 1250 text; report names are ASCII, so the names
  // listed need no conversion to be matched.
  const fs::path where = folder.empty()
                             ? fs::path(".")
                             : native_path(file_name_from_cp1250(folder));
  fs::directory_iterator entries(where, error);
  if (error) return;
  std::vector<std::pair<std::string, std::pair<std::int32_t, std::int32_t>>>
      names;
  for (const fs::directory_entry& entry : entries) {
    if (!entry.is_regular_file(error)) continue;
    const std::string name = entry.path().filename().string();
    if (const auto numbers = enhanced_report_numbers(name)) {
      names.emplace_back(name, *numbers);
    }
  }
  // Byte order of the names, so that every system reads them alike.
  std::sort(names.begin(), names.end());
  for (const auto& [name, numbers] : names) {
    found[numbers.first].push_back({path_in(folder, name), numbers.second});
  }
}

// The characters named by files "<prefix><number><suffix>" of a folder.
void add_characters(const std::string& folder, std::string_view prefix,
                    std::string_view suffix, std::set<std::int32_t>& numbers) {
  std::error_code error;
  fs::directory_iterator entries(folder, error);
  if (error) return;
  for (const fs::directory_entry& entry : entries) {
    const std::string name = entry.path().filename().string();
    if (name.size() <= prefix.size() + suffix.size() ||
        name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
      continue;
    }
    if (const auto number = whole_number(std::string_view(name).substr(
            prefix.size(), name.size() - prefix.size() - suffix.size()))) {
      numbers.insert(*number);
    }
  }
}

// The character's settings, read without a word on the console.
Settings quiet_settings(std::int32_t character_number) {
  Settings settings;
  std::optional<std::string> text =
      read_file(formatted("cfg/cfg_%d.txt", character_number));
  if (!text) text = read_file("cfg/cfg_xxxx.txt");
  if (text) settings.parse(*text);
  return settings;
}

bool same_folder(const std::string& folder) {
  std::error_code error;
  return folder.empty() ||
         fs::equivalent(native_path(file_name_from_cp1250(folder)), ".", error);
}

}  // namespace

std::optional<std::pair<std::int32_t, std::int32_t>> enhanced_report_numbers(
    std::string_view name) {
  if (name.size() < 4) return std::nullopt;
  std::string extension(name.substr(name.size() - 4));
  to_upper(extension);
  if (extension != ".HTM") return std::nullopt;
  name.remove_suffix(4);
  const std::size_t cut = name.find_first_of("_c");
  if (cut == std::string_view::npos) return std::nullopt;
  const auto character = whole_number(name.substr(0, cut));
  const auto turn = whole_number(name.substr(cut + 1));
  if (!character || !turn) return std::nullopt;
  return std::make_pair(*character, *turn);
}

std::optional<JournalLine> line_from_enhanced(std::string_view text,
                                              std::int32_t character_number,
                                              std::int32_t turn_number,
                                              std::string* name) {
  if (!contains(text, kProcessedMarker) || !contains(text, "KARAKTERLAP")) {
    return std::nullopt;
  }
  // The sheet is read again by the parsers that read it first; it stands in
  // the enhanced report as the game wrote it.
  const auto report = std::make_unique<TurnReport>();
  report->character_number = character_number;
  report->turn_number = turn_number;
  report->report_kind = 1;
  report->text.assign(text);
  {
    const std::string_view sheet = report->text;
    const KeptSearches searches(sheet);
    report->attributes.parse_attributes(sheet, 1, false);
    report->identity.parse_identity(sheet, 1, false);
    report->vital_points.parse_vital_points(sheet, 1, false);
    report->level.parse(sheet, 1, false);
    report->weapon_skills.parse(sheet, 1, false);
    report->skills.parse(sheet, 1, false);
    report->items.item_by_number(ItemCatalogue::kMoney).carried_count =
        read_money(sheet);
  }
  JournalLine line = sheet_line(*report);
  read_battles(text, line);
  read_knowledge(text, line);
  if (name) *name = report->identity.name;
  return line;
}

int rebuild_journals() {
  std::map<std::int32_t, std::vector<Found>> found;
  list_folder("", found);
  std::set<std::int32_t> characters;
  for (const auto& entry : found) characters.insert(entry.first);
  add_characters("cfg", "cfg_", ".txt", characters);
  add_characters("info", "naplo_", ".csv", characters);

  if (characters.empty()) {
    say("nincs feldolgozott fordulo\n");
    return 0;
  }
  for (const std::int32_t character : characters) {
    const Settings settings = quiet_settings(character);
    if (!same_folder(settings.report_directory)) {
      std::map<std::int32_t, std::vector<Found>> in_folder;
      list_folder(settings.report_directory, in_folder);
      for (Found& report : in_folder[character]) {
        found[character].push_back(std::move(report));
      }
    }
    // Read in order, a later copy of a turn (the turns folder's) wins.
    std::map<std::int32_t, JournalLine> lines;
    std::string name;
    std::int32_t name_turn = 0;
    for (const Found& report : found[character]) {
      const std::optional<std::string> text = read_file(report.path);
      if (!text) continue;
      std::string its_name;
      auto line = line_from_enhanced(*text, character, report.turn, &its_name);
      if (!line) continue;
      if (lines.empty() || report.turn >= name_turn) {
        name = its_name;
        name_turn = report.turn;
      }
      lines[report.turn] = std::move(*line);
    }
    sayf("#%d naploja: %zu fordulo\n", character, lines.size());
    if (lines.empty()) continue;
    Journal journal = read_journal(character);
    for (auto& [turn, line] : lines) put_line(journal, std::move(line));
    store_journal(journal, character, name, settings.c_form_name != 0,
                  settings.report_directory);
  }
  return 0;
}

}  // namespace morvinta
