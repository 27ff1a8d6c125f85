#include "order_sheet.h"

#include <utility>
#include <vector>

#include "console.h"
#include "cp1250.h"
#include "figures.h"
#include "settings_file.h"
#include "text_file.h"
#include "text_scan.h"
#include "turn_report.h"

namespace morvinta {

namespace {

std::string number_column(std::int32_t number, bool last) {
  if (number == 0) return last ? "     -" : "     - ";
  return formatted(last ? "%6d" : "%6d ", number);
}

}  // namespace

void OrderLine::set_order_from_text(std::string_view order_text) {
  for (std::size_t i = 0; i < 3 && i < order_text.size(); ++i) {
    const char c = order_text[i];
    if (c == '\0') break;
    if (c != ' ') code[i] = c;
  }
  to_upper(code);
  first = nth_number(order_text, 1);
  second = nth_number(order_text, 2);
  third = nth_number(order_text, 3);
}

std::string OrderLine::format_order_line() const {
  return code + " " + number_column(first, false) +
         number_column(second, false) + number_column(third, true);
}

void OrderSheet::add_order(int first_line, std::string_view order_text) {
  for (int n = first_line < 1 ? 1 : first_line; n <= kLines; ++n) {
    OrderLine& line = lines[static_cast<std::size_t>(n)];
    if (line.code[0] == '-') {
      line.set_order_from_text(order_text);
      return;
    }
  }
}

std::string OrderSheet::sheet_text() const {
  std::string text;
  text += "|  40 soros UL                           |\n";
  text += "|  Sarvendolimaro          Utasítás  Lap |\n"_cp;
  text +=
      formatted("|                          ______        | ind.koord: %d;%d\n",
                start.x, start.y);
  if (teleport.x != 0 || teleport.y != 0) {
    text += formatted(
        "|  #: %4d  szla: ....     ______ F: %3d | teleport : %d;%d\n",
        character_number, next_turn, teleport.x, teleport.y);
  } else {
    text += formatted("|  #: %4d  szla: ....     ______ F: %3d |\n",
                      character_number, next_turn);
  }
  text += "|                          ______        |   tvp   vp pszi   tu\n";
  text +=
      "|  Név:................    ______ N: ... |     0    0    0    0\n"_cp;
  text += "|                                +-----+ |\n";
  for (int n = 1; n <= kLines; ++n) {
    text += formatted(
        "| %2d. %s   ¦   0 ¦ |     0    0    0    0\n"_cp.data(), n,
        lines[static_cast<std::size_t>(n)].format_order_line().c_str());
    if (n % 5 == 0 && n != kLines) {
      text += "|                                ¦     ¦ |\n"_cp;
    }
  }
  text += "|                                +-----+ |\n";
  text +=
      "|               Ell.szám             0   |          0    0    0\n"_cp;
  return text;
}

void OrderSheet::write_order_sheet(std::string_view directory) const {
  const std::string name = formatted("%d-%d.ul", character_number, next_turn);
  const std::string text = sheet_text();
  if (write_file(path_in(directory, name), text)) return;
  if (!directory.empty() && write_file(name, text)) return;
  sayf("nem sikerult kiirni: \"%s\"!\n", name.c_str());
}

void start_order_sheet(TurnReport& report) {
  OrderSheet& sheet = report.order_sheet;
  sheet.character_number = report.character_number;
  sheet.next_turn = figures::next_turn(report.turn_number);
  const AdventureLog& log = report.adventures;
  sheet.start = log.last_move();

  // The text behind the last city-teleport order ("v 96" or "v 181"). The
  // two orders cannot overlap, so the later start is the later end; searched
  // from the back, as a report can hold any number of them.
  std::string_view rest = report.text;
  const std::size_t a = find_last(rest, "v 96");
  const std::size_t b = find_last(rest, "v 181");
  if (a != std::string_view::npos && (b == std::string_view::npos || a > b)) {
    rest.remove_prefix(a + 4);
  } else if (b != std::string_view::npos) {
    rest.remove_prefix(b + 5);
  }
  if (find_loose(rest, "Vuuush, elteleportálsz!"_cp) &&
      !find_loose(rest, "Hushhh, elteleportálsz!"_cp)) {
    // The character was teleported from the square before the one the
    // order names: that square is where a teleport back leads.
    const std::int32_t x = nth_number(rest, 1);
    const std::int32_t y = nth_number(rest, 2);
    for (int i = 1; i < log.move_count; ++i) {
      const Coordinate& move = log.moves[static_cast<std::size_t>(i)];
      if (move.x == x && move.y == y) {
        sheet.teleport = log.moves[static_cast<std::size_t>(i - 1)];
      }
    }
  }

  const std::string_view settings = report.settings.settings_text;
  for (int n = 1; n <= OrderSheet::kLines; ++n) {
    const MaybeText order = extract_between(
        extract_inclusive(settings, formatted("par#%d:", n), ";"), "\"", "\"");
    if (order) sheet.add_order(n, *order);
  }
}

void plan_dressing(TurnReport& report) {
  const std::int32_t mode = report.settings.dressing_mode;
  if (mode == 0) return;
  // Only the rows marked for the dressing are written: every row written is
  // put back as read before the next report.
  const std::vector<int> marked = std::as_const(report.items).held_rows(true);
  for (const int n : marked) {
    report.items.item_by_number(n).turn_equipped = false;
  }
  struct Step {
    std::string_view key;
    std::string_view order;
    int first_line;
  };
  static constexpr Step kSteps[] = {
      {"LE1:", "LE  ", 1},
      {"KF1:", "KF  ", 1},
      {"LE2:", "LE  ", 20},
      {"KF2:", "KF  ", 20},
  };
  for (const Step& step : kSteps) {
    const MaybeText list =
        extract_between(report.settings.settings_text, step.key, ";");
    if (!list) continue;
    std::string order(step.order);
    int taken = 0;
    const auto flush = [&] {
      if (taken > 0 && mode == 1)
        report.order_sheet.add_order(step.first_line, order);
      order = step.order;
      taken = 0;
    };
    for (MaybeText rest = find_after(list, "#"); rest;
         rest = find_after(rest, "#")) {
      const int n = nth_number(rest, 1);
      if (n <= 0 || n >= ItemCatalogue::kRows) continue;
      ItemRecord& item = report.items.item_by_number(n);
      bool take = false;
      if (step.key == "LE1:") {
        take = item.equipped;
        if (take) item.equipped = false;
      } else if (step.key == "KF1:") {
        if (item.carried_count != 0) {
          item.turn_equipped = true;
          take = !item.equipped;
        }
      } else if (step.key == "LE2:") {
        take = item.turn_equipped;
        if (take) item.equipped = false;
      } else if (item.carried_count != 0) {  // "KF2:"
        item.equipped = true;
        take = !item.turn_equipped;
      }
      if (!take) continue;
      order += formatted("%d ", n);
      if (++taken == 3) flush();
    }
    flush();
  }
}

}  // namespace morvinta
