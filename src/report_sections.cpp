#include "report_sections.h"

#include <algorithm>
#include <optional>

#include "console.h"
#include "cp1250.h"
#include "text_cursor.h"
#include "text_file.h"
#include "text_scan.h"
#include "turn_report.h"
#include "utf8_report.h"

namespace morvinta {

namespace {

constexpr std::string_view kTableEnd = "</TABLE></TD></TR></TABLE>";

// The character and turn numbers as the report itself gives them.
struct ReportIdentity {
  std::int32_t character = 0;
  std::int32_t turn = 0;
};

ReportIdentity identity_in(std::string_view text) {
  return {nth_number(find_after(text, "KALANDOZÓ: #"_cp), 1),
          nth_number(find_after(text, "JÁTÉKHETED,"_cp), 1)};
}

std::string info_file_name(std::int32_t character) {
  return formatted("info/info_%d.txt", character);
}

// Calls mark(m) for every reference "(#m)" in the part with m from 1 to
// highest: the number written as printf writes it, closed by ")". So
// "(#120)" is item 120 and never item 12.
template <typename Mark>
void mark_references(std::string_view part, int highest, Mark mark) {
  std::size_t at = 0;
  while ((at = part.find("(#", at)) != std::string_view::npos) {
    at += 2;
    std::size_t end = at;
    while (end < part.size() && part[end] >= '0' && part[end] <= '9') ++end;
    const std::size_t digits = end - at;
    if (digits == 0 || digits > 9 || part[at] == '0') continue;
    if (end >= part.size() || part[end] != ')') continue;
    const int m = nth_number(part.substr(at, digits), 1);
    if (m >= 1 && m <= highest) mark(m);
  }
}

// Calls mark(m) for the first number after every "(#" of the part.
template <typename Mark>
void mark_after_hashes(MaybeText part, Mark mark) {
  if (!part) return;
  FirstNumber number(*part);
  MaybeText rest = find_after(part, "(#");
  while (rest) {
    mark(number.from(part->size() - rest->size()));
    rest = find_after(rest, "(#");
  }
}

// The encyclopedia part of a report: from "ENCYCLOPEDIA FANTASIA" through
// "KARAKTERLAP". Every parenthesised text that holds one of the words names
// the catalogue number that stands first inside it.
template <typename Mark>
void scan_encyclopedia(std::string_view text,
                       std::initializer_list<std::string_view> words,
                       Mark mark) {
  const MaybeText part =
      extract_inclusive(text, "ENCYCLOPEDIA FANTASIA", "KARAKTERLAP");
  if (!part) return;
  // One "(" at a time, each with the text through the next ")". The "("s
  // before one ")" share the end of their texts, so the last place of each
  // word that ends by that ")" tells for all of them whether their text
  // holds it, and their first numbers come from one cursor: a part with
  // many "(" before a ")" is read once.
  constexpr auto npos = std::string_view::npos;
  std::size_t close = npos;
  std::vector<std::size_t> last_word(words.size(), npos);
  // The first digit at or after the last "(" whose number was read, npos
  // before the first, and the value of its run.
  std::size_t digit = npos;
  std::size_t run_end = 0;
  std::int32_t run_value = 0;
  for (std::size_t open = part->find('('); open != npos;
       open = part->find('(', open + 1)) {
    if (close == npos || close < open) {
      close = part->find(')', open + 1);
      if (close == npos) break;
      const std::string_view group = part->substr(open, close - open + 1);
      std::size_t w = 0;
      for (const std::string_view word : words) {
        const std::size_t at = group.rfind(word);
        last_word[w++] = at == npos ? npos : open + at;
      }
    }
    bool held = false;
    for (const std::size_t at : last_word)
      held = held || (at != npos && at >= open);
    if (!held) continue;
    if (digit == npos || digit < open) {
      digit = open;
      while (digit < part->size() && !is_digit_byte((*part)[digit])) ++digit;
      run_end = digit;
      while (run_end < part->size() && is_digit_byte((*part)[run_end]))
        ++run_end;
      run_value =
          signed_run(*part, open, digit, digits_value(*part, digit, run_end));
    }
    mark(digit > close ? 0 : run_value);
  }
}

// The earlier reports of the character in the current folder, from the
// start of the ten-turn stretch up to this turn; missing ones are skipped.
template <typename Visit>
void visit_earlier_reports(const ReportIdentity& report, Visit visit) {
  const std::int32_t first = report.turn - report.turn % 10;
  // Counted in 64 bits: the turn a report names may be the highest 32-bit
  // number, past which a 32-bit count would never end.
  for (std::int64_t t = first; t <= report.turn; ++t) {
    const auto turn = static_cast<std::int32_t>(t);
    auto text = read_file(formatted("%d_%d.htm", report.character, turn));
    if (!text) continue;
    convert_utf8_report(*text);  // one saved by a browser, as the report is
    visit(turn, std::string_view(*text));
  }
}

// Calls entry(text) for each item of a list: the text from the current
// place through the next ")", as long as a "(#" or "($" remains.
template <typename Entry>
void for_each_item_entry(std::string_view list, Entry entry) {
  // Whether a "(#" or "($" remains: the last one stands at or after here.
  const std::size_t hash = list.rfind("(#");
  const std::size_t dollar = list.rfind("($");
  const std::size_t last =
      hash == std::string_view::npos
          ? dollar
          : (dollar == std::string_view::npos ? hash : std::max(hash, dollar));
  std::string_view rest = list;
  while (last != std::string_view::npos && last >= list.size() - rest.size()) {
    const std::size_t close = rest.find(')');
    if (close == std::string_view::npos) return;  // an entry without its end
    entry(rest.substr(0, close + 1));
    rest.remove_prefix(close + 1);
  }
}

void mark_carried_current(ItemCatalogue& items, std::string_view list) {
  for_each_item_entry(list, [&](std::string_view entry) {
    const int n = nth_number_from_end(entry, 1);
    if (n < 0 || n >= ItemCatalogue::kRows) return;
    ItemRecord& row = items.item_by_number(n);
    if (contains(entry, "($")) row.dollar_form = true;
    if (contains(entry, "COLSPAN=6>[benn")) {
      // A line inside a container: the count stands before the reference.
      row.carried_count = nth_number_from_end(entry, 2);
    } else {
      // A potion row has a cell more before the count.
      if (contains(entry, "Löttyök"_cp)) {
        entry = find_after(entry, "WIDTH=30").value_or(entry);
      }
      row.carried_count = nth_number(find_after(entry, "WIDTH=30>"), 1);
    }
    row.number = n;
    if (contains(entry, "*")) {
      row.equipped = true;
      row.turn_equipped = true;
    }
  });
}

void mark_banked(ItemCatalogue& items, std::string_view list,
                 bool current_layout) {
  for_each_item_entry(list, [&](std::string_view entry) {
    const int n = nth_number_from_end(entry, 1);
    if (n < 0 || n >= ItemCatalogue::kRows) return;
    ItemRecord& row = items.item_by_number(n);
    if (contains(entry, "($")) row.dollar_form = true;
    row.banked = current_layout ? nth_number(find_after(entry, "WIDTH=30>"), 1)
                                : nth_number_from_end(entry, 2);
    row.number = n;
  });
}

void mark_known_item(ItemCatalogue& items, int m) {
  if (m >= 0 && m < ItemCatalogue::kRows) items.item_by_number(m).known = true;
}

void mark_known_monster(MonsterCatalogue& monsters, int m) {
  if (m >= 0 && m < MonsterCatalogue::kRows) {
    monsters.monster_by_number(m).known = true;
  }
}

// The full item list of every tenth turn.
void scan_item_list(ItemCatalogue& items, std::string_view text) {
  mark_after_hashes(
      extract_between(text, "<TD CLASS=\"c2\">TÁRGYAK</TD></TR>"_cp,
                      "PARANCSOK"),
      [&](int m) { mark_known_item(items, m); });
}

void scan_item_encyclopedia(ItemCatalogue& items, std::string_view text) {
  scan_encyclopedia(text, {"TÁRGY"_cp, "ÉPÍTMÉNY"_cp, "SZÖRNYCSAPDA"_cp},
                    [&](int m) { mark_known_item(items, m); });
}

// The full monster list of every tenth turn.
void scan_monster_list(MonsterCatalogue& monsters, std::string_view text) {
  mark_after_hashes(
      extract_between(text, "<TD CLASS=\"c2\">SZÖRNYEK</TD></TR>"_cp,
                      "<TD CLASS=\"c2\">TÁRGYAK</TD></TR>"_cp),
      [&](int m) { mark_known_monster(monsters, m); });
}

void scan_monster_encyclopedia(MonsterCatalogue& monsters,
                               std::string_view text) {
  scan_encyclopedia(text, {"SZÖRNY)"_cp, "LÉNY"_cp, "ELLENFÉL"_cp},
                    [&](int m) { mark_known_monster(monsters, m); });
}

void mark_known_items(ItemCatalogue& items, std::string_view text) {
  const ReportIdentity report = identity_in(text);
  if (const auto info = read_file(info_file_name(report.character))) {
    const MaybeText part =
        extract_between(*info, "tárgyak:"_cp, "szörnyek:"_cp);
    if (part) {
      mark_references(*part, ItemCatalogue::kRows - 1,
                      [&](int m) { mark_known_item(items, m); });
    }
  } else {
    visit_earlier_reports(report, [&](std::int32_t turn, std::string_view old) {
      if (turn % 10 == 0) {
        scan_item_list(items, old);
      } else {
        scan_item_encyclopedia(items, old);
      }
    });
  }
  scan_item_encyclopedia(items, text);
  if (report.turn % 10 == 0) scan_item_list(items, text);
}

}  // namespace

void parse_inventory(ItemCatalogue& items, std::string_view text,
                     int report_kind, [[maybe_unused]] bool verbose) {
  if (report_kind == 1) {
    mark_carried_current(
        items, extract_between(
                   text, "NÁLAD LÉVŐ TÁRGYAK (*-gal jelöltek bekészítve)"_cp,
                   kTableEnd)
                   .value_or(""));
    if (contains(text, "TÁRGYAID A BANK SZÉFJÉBEN"_cp)) {
      mark_banked(
          items,
          extract_between(text, "TÁRGYAID A BANK SZÉFJÉBEN"_cp, kTableEnd)
              .value_or(""),
          true);
    }
    items.item_by_number(ItemCatalogue::kMoney).carried_count =
        read_money(text);
    mark_known_items(items, text);
  } else if (report_kind == 2) {
    const std::string_view list =
        extract_between(
            text,
            "Tárgyaid (*-gal jelöltek bekészítve, zárójelben tárgy sorszáma)"_cp,
            "Összsúly:"_cp)
            .value_or("");
    for_each_item_entry(list, [&](std::string_view entry) {
      const int n = nth_number_from_end(entry, 1);
      if (n < 0 || n >= ItemCatalogue::kRows) return;
      ItemRecord& row = items.item_by_number(n);
      if (contains(entry, "($")) row.dollar_form = true;
      row.carried_count = nth_number_from_end(entry, 2);
      row.number = n;
      if (contains(entry, "*")) {
        row.equipped = true;
        row.turn_equipped = true;
      }
    });
    if (contains(text, "Tárgyaid a bank széfjében"_cp)) {
      mark_banked(
          items,
          extract_between(text, "Tárgyaid a bank széfjében"_cp, "</pre>")
              .value_or(""),
          false);
    }
  }
}

void parse_encyclopedia(MonsterCatalogue& monsters, std::string_view text,
                        int report_kind) {
  if (report_kind != 1) return;
  const ReportIdentity report = identity_in(text);
  if (const auto info = read_file(info_file_name(report.character))) {
    if (const MaybeText part = find_after(*info, "szörnyek:"_cp)) {
      mark_references(*part, MonsterCatalogue::kRows - 2,
                      [&](int m) { mark_known_monster(monsters, m); });
    }
  } else {
    visit_earlier_reports(report, [&](std::int32_t turn, std::string_view old) {
      if (turn % 10 == 0) {
        scan_monster_list(monsters, old);
      } else {
        scan_monster_encyclopedia(monsters, old);
      }
    });
  }
  scan_monster_encyclopedia(monsters, text);
  if (report.turn % 10 == 0) scan_monster_list(monsters, text);
}

void parse_spells(SpellCatalogue& spells, std::string_view text,
                  int report_kind, [[maybe_unused]] bool verbose) {
  if (!contains(text, "VARÁZSLATAID"_cp) &&
      !contains(text, "Varázslataid"_cp)) {
    say("nem ismersz meg 1 varit sem\n");
    return;
  }
  const auto mark_known = [&](std::string_view list) {
    MaybeText rest = find_after(list, "(#");
    while (rest) {
      // The spell's number, then its cost in VP.
      if (const MaybeText entry = extract_between(rest, "", ")")) {
        const int n = nth_number(entry, 1);
        if (n >= 0 && n < SpellCatalogue::kRows) {
          SpellRecord& row = spells.spell_by_number(n);
          row.number = n;
          row.known = true;
          row.cost = nth_number(entry, 2);
        }
      }
      rest = find_after(rest, "(#");
    }
  };
  if (report_kind == 1) {
    mark_known(
        extract_between(text, "VARÁZSLATAID"_cp, kTableEnd).value_or(""));
    const std::string_view active_anchor = "JELENLEG RAJTAD LEVŐ AKTÍV "_cp;
    if (contains(text, active_anchor)) {
      MaybeText rest =
          find_after(extract_between(text, active_anchor, kTableEnd), "(#");
      while (rest) {
        const int n = nth_number(rest, 1);
        if (n >= 0 && n < SpellCatalogue::kRows) {
          SpellRecord& row = spells.spell_by_number(n);
          row.number = n;
          row.active = true;
        }
        rest = find_after(rest, "(#");
      }
    }
  } else if (report_kind == 2) {
    mark_known(extract_between(text, "Varázslataid"_cp, "<p>").value_or(""));
  }
}

void AdventureLog::parse_moves(std::string_view text,
                               [[maybe_unused]] int report_kind, bool verbose) {
  const std::string_view part =
      extract_between(text, "KALANDJAI", "KARAKTERLAP").value_or("");
  if (verbose) say("Ebben a forduloban tett mozgasaid:\n");
  MaybeText rest = find_after(part, "[");
  NextOccurrence close(part, "]");
  // "-2147483648,-2147483648": no square is longer.
  constexpr std::size_t kLongestSquare = 23;
  while (rest) {
    const std::size_t from = part.size() - rest->size();
    const auto end = close.at_or_after(from);
    if (!end) break;  // no "]" after this "["
    const std::string_view square = part.substr(from, *end - from);
    const std::int32_t x = nth_number(square.substr(0, kLongestSquare + 1), 1);
    const std::int32_t y = nth_number(square.substr(0, kLongestSquare + 1), 2);
    // Only two plain whole numbers with a comma between them are a square.
    if (square.size() <= kLongestSquare && square == formatted("%d,%d", x, y) &&
        move_count < kMaxMoves) {
      moves[static_cast<std::size_t>(move_count)].set(x, y);
      ++move_count;
      if (verbose) sayf("[%s] ", std::string(square).c_str());
    }
    rest = find_after(rest, "[");
  }
  if (verbose) sayf("(%s)\n", to_utf8(region_name()).c_str());
}

Coordinate AdventureLog::last_move() const {
  if (move_count == 0) return {};
  return moves[static_cast<std::size_t>(move_count - 1)];
}

std::string_view AdventureLog::region_name() const {
  const Coordinate last = last_move();
  const std::int32_t x = last.x;
  const std::int32_t y = last.y;
  if (0 < x && x < 141) return "Nyugati területek"_cp;
  if (141 < x && x < 220) return "Keleti területek"_cp;
  if (300 < x && x < 405) return "Sötét Föld"_cp;
  if (220 <= x && x < 260 && y < 64) return "Esthar császárság"_cp;
  if (260 <= x && x < 300 && y < 64) return "Kyorg birodalom"_cp;
  if (220 <= x && x < 260 && y >= 64) return "Bo'adhun birodalom"_cp;
  if (260 <= x && x < 300 && y >= 64) return "Árnytündérek"_cp;
  return "Semmi Közepe"_cp;
}

namespace {

// A known row's line: its name and " (#n)". Thousands of lines a report, so
// the number is written straight behind the name rather than formatted.
void append_known_line(std::string& text, std::string_view name, int n) {
  text += name;
  text += " (#";
  append_number(text, n);
  text += ")\n";
}

}  // namespace

std::string info_file_text(const ItemCatalogue& items,
                           const MonsterCatalogue& monsters) {
  std::string text(std::string_view("tárgyak:\n\n"_cp));
  int item_lines = 0;
  for (int n = 1; n < ItemCatalogue::kRows; ++n) {
    const ItemRecord& row = items.item_by_number(n);
    if (!row.known) continue;
    append_known_line(text, row.name, n);
    ++item_lines;
  }
  text += formatted("\nösszesen %d tárgyat ismersz\n\n"_cp.data(), item_lines);
  text += "szörnyek:\n\n"_cp;
  int monster_lines = 0;
  for (int n = 1; n < 1000; ++n) {
    const MonsterRecord& row = monsters.monster_by_number(n);
    if (!row.known) continue;
    append_known_line(text, row.name, n);
    ++monster_lines;
  }
  text +=
      formatted("\nösszesen %d szörnyet ismersz\n\n"_cp.data(), monster_lines);
  return text;
}

std::int32_t read_money(std::string_view text) {
  return nth_number(find_after(text, "Pénz:</TD><TD CLASS=\"t1\">"_cp), 1);
}

void write_info_file(const TurnReport& report) {
  const std::string path = info_file_name(report.character_number);
  if (!write_file(path, info_file_text(report.items, report.monsters))) {
    sayf("nem sikerult kiirni: \"%s\"!\n", path.c_str());
  }
}

}  // namespace morvinta
