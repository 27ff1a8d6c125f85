// The two tables after the "Morvinta" table: the average damage of the
// character's damaging spells, and of the bare hand and the weapons per
// round, with the spell each weapon casts.
#include <cstdint>
#include <string>
#include <string_view>

#include "console.h"
#include "cp1250.h"
#include "enhancement_summary.h"
#include "rules.h"

namespace morvinta {

namespace {

constexpr int kBareFist = 28;

std::string table_head(std::string_view title) {
  return "\n <P>\n<TABLE WIDTH=740 CELLPADDING=1 CELLSPACING=0 BORDER=0 "
         "CLASS=\"t0\"><TR><TD> <TABLE CELLPADDING=2 CELLSPACING=0 BORDER=0 "
         "CLASS=\"t1\" WIDTH=740>\n<TR><TD CLASS=\"c2\" COLSPAN=3>" +
         std::string(title) + "</TD></TR>";
}

constexpr std::string_view kTableEnd = "\n</TABLE></TD></TR></TABLE>";

// What the mastery of the spell's element is called: fire ("T") or
// lightning ("V"); nothing for any other element.
std::string_view mastery(const SpellRecord& spell) {
  if (spell.element == "T") return " (tűzmágiával)"_cp;
  if (spell.element == "V") return " (villámmágiával)"_cp;
  return {};
}

// The last cell of a weapon's rows: the spell it casts at the spell's cap,
// with the element mastery when that adds to it.
std::string weapon_spell_cell(const TurnReport& report,
                              const CasterFigures& caster, int s) {
  const double plain =
      s == 0 ? 0.0 : average_spell_damage(report, caster, s, false, true);
  if (plain == 0.0) return " &nbsp; </TD></TR>";
  const SpellRecord& spell = report.spells.spell_by_number(s);
  std::string cell = formatted("%s (#%d) %.2lf ", spell.name.c_str(), s, plain);
  const double mastered = average_spell_damage(report, caster, s, true, true);
  if (mastered != plain) {
    cell += formatted("/ %.2lf ", mastered);
    cell += mastery(spell);
  }
  return cell + "</TD></TR>";
}

// A martial-arts row of the bare hand: the round's damage over the attacks.
std::string manoeuvre_row(std::string_view name, std::string_view manoeuvre,
                          std::int32_t attacks, double round) {
  return formatted(
      "\n<TR><TD CLASS=\"t1\" WIDTH=33%%>%s (#%d) %s</TD><TD COLSPAN=2> %d x "
      "%.2lf = %.2lf </TD></TR>",
      std::string(name).c_str(), kBareFist, std::string(manoeuvre).c_str(),
      attacks, round / attacks, round);
}

}  // namespace

std::string spell_damage_table(const TurnReport& report) {
  std::string table = table_head("Varázslataid átlagsebzése"_cp);
  const CasterFigures caster = caster_figures(report);
  for (int s = 0; s < SpellCatalogue::kRows; ++s) {
    const SpellRecord& spell = report.spells.spell_by_number(s);
    if (!spell.known) continue;
    const double plain = average_spell_damage(report, caster, s, false, false);
    if (plain == 0.0) continue;
    table += formatted(
        "\n<TR><TD CLASS=\"t1\" WIDTH=33%%>%s (#%d)</TD><TD WIDTH=33%%> %.2lf "
        "</TD><TD WIDTH=33%%>",
        spell.name.c_str(), s, plain);
    const double mastered =
        average_spell_damage(report, caster, s, true, false);
    if (mastered != plain) {
      table += formatted(" %.2lf ", mastered);
      table += mastery(spell);
      table += " </TD></TR>";
    } else {
      table += " &nbsp; </TD></TR>";
    }
  }
  return table + std::string(kTableEnd);
}

std::string weapon_damage_table(const TurnReport& report) {
  std::string table = table_head("Fegyvereid átlagsebzése"_cp);
  const CasterFigures caster = caster_figures(report);
  for (int w = 0; w < ItemCatalogue::kRows; ++w) {
    const ItemRecord& weapon = report.items.item_by_number(w);
    // Ownership first: working out the damage of a weapon costs far more.
    const bool owned = weapon.carried_count > 0 || weapon.banked > 0;
    if (w != kBareFist && !owned) continue;
    // The round's damage as average_round_damage works it out, from the
    // hit's damage worked out once for both cells.
    const double hit = average_hit_damage(report, w);
    if (w != kBareFist && hit == 0.0) continue;
    const std::int32_t attacks = attacks_per_round(report, w);
    const double round = hit * attacks;
    if (w != kBareFist && round == 0.0) continue;
    table += formatted(
        "\n<TR><TD CLASS=\"t1\" WIDTH=33%%>%s (#%d)</TD><TD WIDTH=22%%> %d x "
        "%.2lf = %.2lf </TD><TD WIDTH=45%%>",
        weapon.name.c_str(), w, attacks, hit, round);
    const double left_round = average_offhand_round_damage(report, w);
    if (left_round != 0.0) {
      table += formatted(
          "\n<TR><TD CLASS=\"t1\" WIDTH=33%%>%s (#%d) (bal kézzel)</TD><TD "
          "WIDTH=22%%> %d x %.2lf = %.2lf </TD><TD WIDTH=45%%>"_cp.data(),
          weapon.name.c_str(), w, offhand_attacks_per_round(report, w),
          average_offhand_hit_damage(report, w), left_round);
    }
    table += weapon_spell_cell(report, caster, weapon.weapon_spell);
    if (w != kBareFist) continue;
    // The bare fist's attacks, as above: never fewer than one.
    const double fist = fist_of_strength_damage(report);
    if (fist != 0.0) {
      table += manoeuvre_row(weapon.name, "(erő öklével)"_cp, attacks, fist);
    }
    const double avalanche = rock_avalanche_damage(report);
    if (avalanche != 0.0) {
      table += manoeuvre_row(weapon.name, "(sziklazuhataggal)", attacks + 2,
                             avalanche);
    }
  }
  return table + std::string(kTableEnd);
}

}  // namespace morvinta
