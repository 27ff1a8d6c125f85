// The closing rows of the "Morvinta" table: warnings (with their ready-made
// orders), the power score, what the character knows, the moves of the turn
// and the company's abilities.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "addresses.h"
#include "console.h"
#include "cp1250.h"
#include "enhancement_summary.h"
#include "figures.h"
#include "rules.h"
#include "text_scan.h"
#include "text_scan_plain.h"

namespace morvinta {

namespace {

bool counts(const TurnReport& report, int item) {
  const ItemRecord& row = report.items.item_by_number(item);
  return row.carried_count > 0 && row.equipped;
}

bool knows_spell(const TurnReport& report, int spell) {
  return report.spells.spell_by_number(spell).known;
}

bool contains_loose(MaybeText text, std::string_view pattern) {
  return find_loose(text, pattern).has_value();
}

bool equal_ignoring_latin_case(std::string_view a, std::string_view b) {
  const auto fold = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

bool one_of(std::int32_t value, std::initializer_list<std::int32_t> codes) {
  for (const std::int32_t code : codes) {
    if (value == code) return true;
  }
  return false;
}

std::string plain_row(std::string_view text) {
  return "\n<TR><TD CLASS=\"t1\" COLSPAN=3>" + std::string(text) + "</TD></TR>";
}

std::string alarm_row(std::string_view message) {
  return plain_row("<SPAN CLASS=szenved>" + std::string(message) + "</SPAN>");
}

// A warning rule of the settings, "<key> (#n) <condition> "<message>";": the
// condition is what stands before the message's opening quote. Absent
// without a quoted message.
struct SettingsRule {
  std::string_view condition;
  std::string_view message;
};

std::optional<SettingsRule> read_rule(MaybeText rule) {
  const MaybeText message = extract_between(rule, "\"", "\"");
  if (!message) return std::nullopt;
  return SettingsRule{rule->substr(0, rule->find('"')), *message};
}

// Where the settings hold "<key> (#n)" under the whitespace rule of
// `find_loose` (the key, one or more blanks, line feeds or tabs, then "(#",
// n as printf writes it and ")"), for every n from 0 to last: the places a
// search for each n's pattern meets, in order.
std::vector<std::vector<std::size_t>> rule_places(std::string_view settings,
                                                  std::string_view key,
                                                  int last) {
  std::vector<std::vector<std::size_t>> places(static_cast<std::size_t>(last) +
                                               1);
  const auto space = [](char c) { return c == ' ' || c == '\n' || c == '\t'; };
  for (std::size_t at = settings.find(key); at != std::string_view::npos;
       at = settings.find(key, at + key.size())) {
    std::size_t t = at + key.size();
    if (t >= settings.size() || !space(settings[t])) continue;
    while (t < settings.size() && space(settings[t])) ++t;
    if (settings.compare(t, 2, "(#") != 0) continue;
    t += 2;
    const std::size_t digits = t;
    std::int64_t n = 0;
    while (t < settings.size() && settings[t] >= '0' && settings[t] <= '9' &&
           n <= last) {
      n = n * 10 + (settings[t] - '0');
      ++t;
    }
    const bool canonical =
        t > digits && (settings[digits] != '0' || t == digits + 1);
    if (canonical && n <= last && t < settings.size() && settings[t] == ')') {
      places[static_cast<std::size_t>(n)].push_back(at);
    }
  }
  return places;
}

// The player's item rules: "tárgy: (#n) db: <sign> N "message";", where the
// sign compares the carried count with N. Every rule of an item is tested;
// the sign is looked for in the condition only, so a message that holds
// "=", "<" or ">" asks for nothing.
void append_item_rules(const TurnReport& report, std::string& rows) {
  const std::string_view settings = report.settings.settings_text;
  const bool indexed = !plain_scans();
  const auto places =
      indexed ? rule_places(settings, "tárgy:"_cp, ItemCatalogue::kRows - 1)
              : std::vector<std::vector<std::size_t>>();
  for (int n = 0; n < ItemCatalogue::kRows; ++n) {
    if (indexed && places[static_cast<std::size_t>(n)].empty()) continue;
    const std::string pattern = formatted("tárgy: (#%d)"_cp.data(), n);
    const std::int32_t count = report.items.item_by_number(n).carried_count;
    MaybeText scan = settings;
    std::size_t next = 0;
    // Each match of the pattern, from the left: searched for, or from the
    // places found beforehand.
    const auto next_match = [&]() -> MaybeText {
      if (!indexed) return find_loose(scan, pattern);
      const auto& list = places[static_cast<std::size_t>(n)];
      if (next == list.size()) return std::nullopt;
      return settings.substr(list[next++]);
    };
    while (const MaybeText at = next_match()) {
      const std::optional<SettingsRule> rule =
          read_rule(extract_inclusive_loose(at, pattern, ";"));
      if (rule) {
        const std::int32_t limit =
            nth_number(find_after(rule->condition, "db:"), 1);
        const auto has = [&](char sign) {
          return rule->condition.find(sign) != std::string_view::npos;
        };
        if (has('=') && count == limit) rows += alarm_row(rule->message);
        if (has('>') && count > limit) rows += alarm_row(rule->message);
        if (has('<') && count < limit) rows += alarm_row(rule->message);
      }
      scan = find_after_loose(at, pattern);
    }
  }
}

// The player's spell rules: "varázslat: (#n) aktív: 0|1 "message";" for a
// known spell, shown when the spell's being active is as the rule asks. Only
// the first rule of a spell counts.
void append_spell_rules(const TurnReport& report, std::string& rows) {
  const std::string_view settings = report.settings.settings_text;
  const bool indexed = !plain_scans();
  const auto places = indexed ? rule_places(settings, "varázslat:"_cp,
                                            SpellCatalogue::kRows - 1)
                              : std::vector<std::vector<std::size_t>>();
  for (int n = 0; n < SpellCatalogue::kRows; ++n) {
    if (!knows_spell(report, n)) continue;
    if (indexed && places[static_cast<std::size_t>(n)].empty()) continue;
    const std::string pattern = formatted("varázslat: (#%d)"_cp.data(), n);
    const std::optional<SettingsRule> rule = read_rule(extract_inclusive_loose(
        indexed ? settings.substr(places[static_cast<std::size_t>(n)].front())
                : settings,
        pattern, ";"));
    if (!rule) continue;
    const bool wants_active =
        nth_number(find_after(rule->condition, "aktív"_cp), 1) != 0;
    if (report.spells.spell_by_number(n).active == wants_active) {
      rows += alarm_row(rule->message);
    }
  }
}

// The camp place: the report from the last square's "(x,y)" through the
// next "<BR>".
void append_camp_warnings(const TurnReport& report, std::string& rows) {
  const MaybeText place = extract_inclusive(
      report.text, report.adventures.last_move().round_text(), "<BR>");
  if (contains_loose(place, "ősvortex (#587)"_cp)) {
    rows += alarm_row("Ősvortexen (#587) táboroztál le!"_cp);
  }
  if (contains_loose(place, "Chara-din monolitja (#534)") &&
      !contains_loose(place, "művészi porolit (#720)"_cp) &&
      !equal_ignoring_latin_case(report.identity.deity, "chara-din")) {
    rows += alarm_row("Chara-din monolitján (#534) táboroztál le!"_cp);
  }
}

}  // namespace

std::string warning_rows(TurnReport& report) {
  OrderSheet& sheet = report.order_sheet;
  std::string rows(
      "\n <TR><TD CLASS=\"c3\" COLSPAN=3> Figyelmeztetések</TD></TR>"_cp);

  std::int64_t rare = 0;
  if (counts(report, 707)) rare += 4;
  if (counts(report, 820)) rare += 2;
  if (counts(report, 824)) rare += 5;
  rare +=
      report.development_points.find_development_point("kincskeresés"_cp).level;
  if (rare > 0) {
    rows += formatted(
        "\n<TR><TD CLASS=\"t1\" COLSPAN=3> Ritka tárgyak találására van "
        "+%d%% esélyed </TD></TR>"_cp.data(),
        figures::wrap(rare));
  }

  // Blank scrolls: one is written with the repeated spell, more one by one.
  const std::int32_t scrolls = report.items.item_by_number(259).carried_count;
  if (scrolls > 0) {
    if (scrolls == 1 && knows_spell(report, 179)) {
      sheet.add_order(1, "VV  88");
    } else {
      sheet.add_order(1, formatted("V   88 %d", scrolls));
    }
  }

  append_item_rules(report, rows);
  append_spell_rules(report, rows);

  if (knows_spell(report, 1) && !report.spells.spell_by_number(1).active) {
    sheet.add_order(1, "V   1 9999");
  }
  if (knows_spell(report, 14) &&
      (contains_loose(report.text,
                      "testedben levő méregtől egyre gyengébb vagy"_cp) ||
       contains_loose(report.text,
                      "Méreg fejti ki gyilkos hatását a szervezetedben"_cp) ||
       contains_loose(report.text, "szervezetedet méreg pusztítja"_cp))) {
    rows += alarm_row("Mondd el a méregsemlegesítést (#14)"_cp);
    sheet.add_order(1, "V   14 1");
  }
  if (!knows_spell(report, 96)) {
    rows += plain_row(" Nincs városi teleportod (#96)"_cp);
  }
  if (!knows_spell(report, 181) && report.adventures.last_move().x > 140) {
    rows += plain_row(" Nincs városi teleport II (#181)"_cp);
  }

  const std::int32_t martial_arts =
      report.skills.find_skill("harcművészetek"_cp).level;
  if (martial_arts >= 38) {
    const std::int64_t chance = (std::int64_t{martial_arts} - 38) * 16;
    rows += formatted(
        "\n<TR><TD CLASS=\"t1\" COLSPAN=3> 5 körös Haláltáncra %d%% esélyed "
        "van</TD></TR>"_cp.data(),
        static_cast<int>(chance < 80 ? chance : 80));
  }
  const SkillEntry& psi = report.skills.find_skill("pszi");
  if (knows_spell(report, 249)) {
    rows += formatted(
        "\n<TR><TD CLASS=\"t1\" COLSPAN=3> 3 körös Spirituális extenzióra "
        "%d%% esélyed van</TD></TR>"_cp.data(),
        psi.level < 90 ? psi.level : 90);
  }
  for (std::size_t i = 0; i < 7 && i < WeaponSkills::kRows; ++i) {
    const SkillEntry& skill = report.weapon_skills.rows()[i];
    if (skill.starred) {
      rows += alarm_row(formatted("csillagos a %s szakértelmed"_cp.data(),
                                  skill.name.c_str()));
    }
  }
  if (psi.starred && report.level.psi_points > 250) {
    sheet.add_order(1, knows_spell(report, 179) ? "VV  112" : "V   112");
  }

  append_camp_warnings(report, rows);

  struct Limit {
    std::string_view full;
    const char* code;
  };
  static constexpr Limit kLimits[] = {
      {"Feltételes támadás (aktív: 16, max: 16)"_cp, "T"},
      {"Barátságosság (aktív: 16, max: 16)"_cp, "BA"},
      {"Feltételes támadó varázslatok (aktív: 39, max: 39"_cp, "FTV"},
  };
  for (const Limit& limit : kLimits) {
    if (contains_loose(report.text, limit.full)) {
      rows += formatted(
          "\n<TR><TD CLASS=\"t1\" COLSPAN=3>Nem adhatsz ki több <SPAN "
          "CLASS=\"plusminus\">%s</SPAN> parancsot!</TD></TR>"_cp.data(),
          limit.code);
    }
  }
  return rows;
}

std::string power_score_rows(const TurnReport& report) {
  const std::int32_t score = power_score(report);
  return std::string(
             "\n <TR><TD CLASS=\"c3\" COLSPAN=3> Tápfaktor</TD></TR>"_cp) +
         formatted(
             "\n<TR><TD CLASS=\"t1\" COLSPAN=3> %d (átlag: %.2lf) <a href=\""_cp
                 .data(),
             score, expected_power_score(report)) +
         std::string(kStatisticsPage) +
         formatted(
             "?mit=tapfaktor&karszam1=%d&karszam2=0&karszam3=0&savg=1&"
             "point=%d&x=%d&y=%d\"",
             report.character_number, report.character_number,
             report.turn_number, score) +
         " target=\"tapfaktor\">grafikon</a></TD></TR>";
}

int known_item_count(const TurnReport& report) {
  int items = 0;
  for (int n = 0; n < ItemCatalogue::kRows; ++n) {
    if (report.items.item_by_number(n).known) ++items;
  }
  return items;
}

int known_monster_count(const TurnReport& report) {
  int monsters = 0;
  for (int n = 0; n < 1000; ++n) {  // the game's monsters are 0 to 999
    if (report.monsters.monster_by_number(n).known) ++monsters;
  }
  return monsters;
}

std::string knowledge_rows(const TurnReport& report) {
  const int items = known_item_count(report);
  const int monsters = known_monster_count(report);
  return std::string(
             "\n <TR><TD CLASS=\"c3\" COLSPAN=3> Ismeretek</TD></TR>"_cp) +
         formatted(
             "\n<TR><TD CLASS=\"t1\" COLSPAN=3> %d tárgyat és %d szörnyet "
             "ismersz </TD></TR>"_cp.data(),
             items, monsters);
}

std::string move_rows(const TurnReport& report) {
  const AdventureLog& log = report.adventures;
  std::string rows(
      "\n <TR><TD CLASS=\"c3\" COLSPAN=3> Ebben a körben tett "
      "mozgásaid</TD></TR>\n<TR><TD CLASS=\"t1\" COLSPAN=3>"_cp);
  int count = log.move_count;
  if (count < 0) count = 0;
  if (count > AdventureLog::kMaxMoves) count = AdventureLog::kMaxMoves;
  const auto step = [](std::int32_t from, std::int32_t to) {
    const std::int64_t d = std::int64_t{to} - from;
    return d >= -1 && d <= 1;
  };
  for (int i = 0; i < count; ++i) {
    const Coordinate& move = log.moves[static_cast<std::size_t>(i)];
    if (i == count - 1) {
      rows +=
          formatted("<A href=\"#koord%d\"><b>[%d,%d]</b></A> (%s)</TD></TR>", i,
                    move.x, move.y, std::string(log.region_name()).c_str());
      break;
    }
    const Coordinate& next = log.moves[static_cast<std::size_t>(i) + 1];
    if (step(move.x, next.x) && step(move.y, next.y)) {
      rows +=
          formatted("<A href=\"#koord%d\">[%d,%d]</A> => ", i, move.x, move.y);
    } else {
      rows += formatted(
          "<A href=\"#koord%d\">[%d,%d]</A> =></TD></TR>\n<TR><TD "
          "CLASS=\"t1\" COLSPAN=3>",
          i, move.x, move.y);
    }
  }
  return rows;
}

std::string company_rows(const TurnReport& report) {
  const std::int32_t company = report.company.company_number;
  const std::int32_t efejl = report.level.efejl;
  std::string rows(
      "\n <TR><TD CLASS=\"c3\" COLSPAN=3> KT képességek</TD></TR>"_cp);
  if (company == 9161) {
    rows += formatted(
        "<TR><TD CLASS=\"t1\" COLSPAN=3>rangpont: %d rang: %s</TD></TR>",
        company_rank_points(report),
        std::string(company_rank_name(report)).c_str());
  }
  if (company == 9114) {
    rows += formatted(
        "<TR><TD CLASS=\"t1\" COLSPAN=3>ordításból jövő támadás: %d "
        "</TD></TR>"_cp.data(),
        report.skills.find_skill("ordítás"_cp).level / 3);
  }
  if (company == 9148) {
    rows += formatted(
        "<TR><TD CLASS=\"t1\" COLSPAN=3>angyal: +%d támadás/védekezés "
        "</TD></TR>"_cp.data(),
        efejl > 20 ? 4 : efejl / 5);
  }
  if (one_of(company, {9146, 9106, 9153, 9124, 9105, 9126, 9148, 9145, 9139,
                       9130, 9136})) {
    rows += formatted(
        "<TR><TD CLASS=\"t1\" COLSPAN=3>plusz VP regeneráció: +%d VP "
        "</TD></TR>"_cp.data(),
        extra_vp_regeneration(report));
  }
  if (one_of(company, {9103, 9104, 9125})) {
    rows += formatted(
        "<TR><TD CLASS=\"t1\" COLSPAN=3>közösség ereje: +%d sebzés/támadás "
        "</TD></TR>"_cp.data(),
        community_strength_bonus(report));
  }
  if (company == 9124) {
    rows += formatted(
        "<TR><TD CLASS=\"t1\" COLSPAN=3>közösség ereje (butított): +%d "
        "sebzés </TD></TR>"_cp.data(),
        community_strength_bonus(report));
  }
  if (one_of(company, {9104, 9137, 9118, 9123, 9103, 9108, 9144, 9114, 9154,
                       9122, 9116})) {
    // The regeneration here times 1.3, truncated toward zero; in whole
    // numbers, so no rounding of 1.3 can tip it.
    rows += formatted(
        "<TR><TD CLASS=\"t1\" COLSPAN=3>trafó (vp): %d VP-t tudsz kinyerni "
        "</TD></TR>"_cp.data(),
        figures::wrap(std::int64_t{vp_regeneration_here(report)} * 13 / 10));
  }
  if (company == 9111) {
    rows += formatted(
        "<TR><TD CLASS=\"t1\" COLSPAN=3>imádkozásra %d VP-t kapsz "
        "</TD></TR>"_cp.data(),
        prayer_vp(report));
  }
  return rows;
}

}  // namespace morvinta
