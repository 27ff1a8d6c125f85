#include "journal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

#include "console.h"
#include "cp1250.h"
#include "enhancement_summary.h"
#include "journal_page.h"
#include "rules.h"
#include "settings_file.h"
#include "text_file.h"
#include "text_scan.h"
#include "turn_report.h"

namespace morvinta {

namespace {

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The fields of one line; absent unless there are exactly 21 and the first
// is a turn number.
std::optional<JournalLine> read_line(std::string_view text) {
  JournalLine line;
  std::size_t column = 0;
  for (;;) {
    const std::size_t cut = text.find(';');
    if (column == kJournalColumns) return std::nullopt;
    line.fields[column++] = std::string(text.substr(0, cut));
    if (cut == std::string_view::npos) break;
    text.remove_prefix(cut + 1);
  }
  if (column != kJournalColumns) return std::nullopt;
  const std::string& turn = line.fields[kTurnColumn];
  const char* end = turn.data() + turn.size();
  if (turn.empty() || turn[0] == '-' || turn[0] == '+') return std::nullopt;
  const auto [at, error] = std::from_chars(turn.data(), end, line.turn);
  if (error != std::errc() || at != end) return std::nullopt;
  return line;
}

}  // namespace

std::string_view journal_header() {
  return "forduló;dátum;szint;TP;tápfaktor;átlag tápfaktor;ÉP;max ÉP;VP;max "
         "VP;PP;max PP;támadás;védekezés;tulajdonság összeg;csaták;okozott "
         "sebzés;elszenvedett sebzés;ismert tárgyak;ismert szörnyek;pénz"_cp;
}

Journal parse_journal(std::string_view text,
                      std::vector<int>* unreadable_numbers) {
  struct Row {
    int number = 0;
    std::string_view text;
    std::optional<JournalLine> line;
  };
  std::vector<Row> rows;
  int number = 0;
  while (!text.empty()) {
    const std::size_t cut = text.find('\n');
    const std::string_view row = text.substr(0, cut);
    text.remove_prefix(cut == std::string_view::npos ? text.size() : cut + 1);
    ++number;
    if (row.empty() || (number == 1 && row == journal_header())) continue;
    rows.push_back({number, row, read_line(row)});
  }
  // Sorted once, so that a journal of any length is read in n log n: by
  // turn, and within a turn in file order, the first line of a turn kept.
  std::vector<Row*> readable;
  for (Row& row : rows) {
    if (row.line) readable.push_back(&row);
  }
  std::stable_sort(
      readable.begin(), readable.end(),
      [](const Row* a, const Row* b) { return a->line->turn < b->line->turn; });
  Journal journal;
  journal.lines.reserve(readable.size());
  for (Row* row : readable) {
    if (!journal.lines.empty() &&
        journal.lines.back().turn == row->line->turn) {
      row->line.reset();  // a second line of the turn: kept as it stands
    } else {
      journal.lines.push_back(std::move(*row->line));
    }
  }
  for (const Row& row : rows) {
    if (row.line) continue;
    journal.unreadable.emplace_back(row.text);
    if (unreadable_numbers) unreadable_numbers->push_back(row.number);
  }
  return journal;
}

std::string journal_text(const Journal& journal) {
  std::string text(journal_header());
  text += '\n';
  for (const JournalLine& line : journal.lines) {
    for (std::size_t i = 0; i < kJournalColumns; ++i) {
      if (i != 0) text += ';';
      text += line.fields[i];
    }
    text += '\n';
  }
  for (const std::string& row : journal.unreadable) {
    text += row;
    text += '\n';
  }
  return text;
}

void put_line(Journal& journal, JournalLine line) {
  const auto at =
      std::lower_bound(journal.lines.begin(), journal.lines.end(), line.turn,
                       [](const JournalLine& other, std::int32_t turn) {
                         return other.turn < turn;
                       });
  if (at != journal.lines.end() && at->turn == line.turn) {
    *at = std::move(line);
  } else {
    journal.lines.insert(at, std::move(line));
  }
}

std::string journal_number(std::int32_t value) {
  return formatted("%d", value);
}

std::string journal_decimal(double value) {
  std::string text = formatted("%.2lf", value);
  std::replace(text.begin(), text.end(), '.', ',');
  return text;
}

std::optional<double> field_value(std::string_view field) {
  std::string text(field);
  std::replace(text.begin(), text.end(), ',', '.');
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [at, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || at != end ||
      !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::string report_date(std::string_view text) {
  const std::size_t mark = find_first(text, " - JÁTÉKHETED"_cp);
  if (mark == std::string_view::npos) return "";
  std::string_view before = text.substr(0, mark);
  // The date stands alone in its cell: it starts after the tag before it.
  const std::size_t tag = before.find_last_of('>');
  if (tag != std::string_view::npos) before.remove_prefix(tag + 1);
  std::string date;
  bool blank = false;
  for (const char c : before) {
    if (is_blank(c)) {
      blank = !date.empty();
      continue;
    }
    if (blank) date += ' ';
    blank = false;
    date += c == ';' ? ',' : c;
  }
  return date;
}

JournalLine sheet_line(const TurnReport& report) {
  const LevelRecord& level = report.level;
  const VitalPoints& pools = report.vital_points;
  JournalLine line;
  line.turn = report.turn_number;
  auto& f = line.fields;
  f[kTurnColumn] = journal_number(report.turn_number);
  f[kDateColumn] = report_date(report.text);
  f[kLevelColumn] = journal_number(level.level);
  // The fraction dropped; "+ 0.0" writes a negative zero as "0".
  f[kExperienceColumn] = formatted("%.0lf", std::trunc(level.experience) + 0.0);
  f[kPowerScoreColumn] = journal_number(power_score(report));
  f[kExpectedPowerScoreColumn] = journal_decimal(expected_power_score(report));
  f[kLifeColumn] = journal_number(level.life_points);
  f[kMaxLifeColumn] = journal_number(pools.max_life_points);
  f[kMagicColumn] = journal_number(level.magic_points);
  f[kMaxMagicColumn] = journal_number(pools.max_magic_points);
  f[kPsiColumn] = journal_number(level.psi_points);
  f[kMaxPsiColumn] = journal_number(pools.max_psi_points);
  f[kAttackColumn] = journal_number(level.attack);
  f[kDefenceColumn] = journal_number(level.defence);
  f[kAttributeSumColumn] = journal_number(attribute_sum(report));
  f[kMoneyColumn] = journal_number(
      report.items.item_by_number(ItemCatalogue::kMoney).carried_count);
  return line;
}

JournalLine journal_line(const TurnReport& report) {
  JournalLine line = sheet_line(report);
  auto& f = line.fields;
  f[kBattlesColumn] = journal_number(report.battle_count);
  f[kDamageDealtColumn] = journal_number(report.battles.damage_dealt);
  f[kDamageTakenColumn] = journal_number(report.battles.damage_taken);
  f[kKnownItemsColumn] = journal_number(known_item_count(report));
  f[kKnownMonstersColumn] = journal_number(known_monster_count(report));
  return line;
}

namespace {
constexpr std::string_view kBattleNote = "<!-- morvinta naplo: csatak=";
constexpr std::string_view kNoteEnd = " -->";
}  // namespace

void note_battle_count(std::string& text, std::int32_t battle_count) {
  const std::string marker_line = std::string(kProcessedMarker) + "\n";
  if (text.compare(0, marker_line.size(), marker_line) != 0) return;
  text.insert(marker_line.size(), std::string(kBattleNote) +
                                      journal_number(battle_count) +
                                      std::string(kNoteEnd) + "\n");
}

std::optional<std::int32_t> noted_battle_count(std::string_view text) {
  const std::size_t at = find_first(text, kBattleNote);
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view rest = text.substr(at + kBattleNote.size());
  const std::size_t end = rest.find(kNoteEnd);
  if (end == std::string_view::npos) return std::nullopt;
  rest = rest.substr(0, end);
  std::int32_t count = 0;
  const auto [next, error] =
      std::from_chars(rest.data(), rest.data() + rest.size(), count);
  if (rest.empty() || rest[0] == '-' || error != std::errc() ||
      next != rest.data() + rest.size()) {
    return std::nullopt;
  }
  return count;
}

std::string journal_path(std::int32_t character_number) {
  return formatted("info/naplo_%d.csv", character_number);
}

std::string journal_page_name(std::int32_t character_number) {
  return formatted("naplo_%d.htm", character_number);
}

Journal read_journal(std::int32_t character_number) {
  const std::string path = journal_path(character_number);
  const std::optional<std::string> text = read_file(path);
  if (!text) return {};
  std::vector<int> unreadable;
  Journal journal = parse_journal(*text, &unreadable);
  for (const int number : unreadable) {
    sayf("\"%s\" %d. sora nem ertelmezheto, valtozatlanul megmarad\n",
         path.c_str(), number);
  }
  return journal;
}

bool store_journal(const Journal& journal, std::int32_t character_number,
                   std::string_view character_name, bool c_form_names,
                   std::string_view report_directory) {
  const std::string path = journal_path(character_number);
  if (!write_file(path, journal_text(journal))) {
    sayf("nem sikerult kiirni: \"%s\"!\n", path.c_str());
    return false;
  }
  // Like the enhanced reports: in the turns folder, or under the bare name
  // in the current folder when the turns folder cannot take it.
  const std::string name = journal_page_name(character_number);
  const std::string page = path_in(report_directory, name);
  const JournalPageInfo info{character_number, std::string(character_name),
                             c_form_names, std::string(report_directory)};
  const std::string html = journal_page(journal, info);
  if (write_file(page, html) || (page != name && write_file(name, html))) {
    return true;
  }
  sayf("nem sikerult kiirni: \"%s\"!\n", name.c_str());
  return false;
}

void update_journal(const TurnReport& report) {
  Journal journal = read_journal(report.character_number);
  say("naplo: ");
  put_line(journal, journal_line(report));
  const Settings& settings = report.settings;
  if (store_journal(journal, report.character_number, report.identity.name,
                    settings.c_form_name != 0, settings.report_directory)) {
    say("OK\n");
  }
}

}  // namespace morvinta
