// The first rows of the "Morvinta" table: powers, divisors, regeneration,
// bonuses and the lists of held items; and the order in which every section
// of the table and of the damage tables runs. The warnings to company rows
// are in enhancement_warnings.cpp, the damage tables in
// enhancement_damage.cpp.
#include "enhancement_summary.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include "console.h"
#include "cp1250.h"
#include "figures.h"
#include "rules.h"

namespace morvinta {

namespace {

// A section with a console label: the label, the work, "OK".
template <typename Work>
void section(const char* label, Work work) {
  say(label);
  work();
  say("OK\n");
}

// A school's row of the divisors: the development formula with the level
// plus the pool's share below level 20 (below 10 only when the school's
// skill is not 0), the divisor from 20. The bands are those of the
// development chance, so level 10 shows the "/3" formula and 20 the divisor.
std::string divisor_row(std::string_view school, std::string_view cost_of,
                        std::int32_t level, std::int32_t pool_share,
                        bool skilled, std::int32_t divisor) {
  std::string row = "<TR><TD CLASS=\"t1\" COLSPAN=3> ";
  row += school;
  const auto formula = [&](int part) {
    const std::string share = formatted("költség/%d"_cp.data(), part);
    row += " (fejlődés képlet): ("_cp;
    row += cost_of;
    row += formatted(" költsége-%d)%%, ha ez kisebb mint "_cp.data(),
                     figures::wrap(std::int64_t{level} + pool_share));
    row += share + ", akkor " + share + "%</TD></TR>";
    return row;
  };
  if (level < 10) return skilled ? formula(2) : std::string();
  if (level < 20) return formula(3);
  return row + formatted(" osztó: %d</TD></TR>"_cp.data(), divisor);
}

struct AttributeList {
  const char* heading;  // 1250 template with the gain
  AttributeValue Attributes::*attribute;
  std::int32_t ItemRecord::*column;
};

// Texts of one list of held items: headings, item column and total row.
struct ItemList {
  std::int32_t ItemRecord::*column;
  std::string_view camp_heading;
  std::string_view turn_heading;
  const char* total;  // 1250 template of base, items and total; or null
};

const ItemList& item_list(ItemListKind kind) {
  static const ItemList kLists[] = {
      {&ItemRecord::armour_class,
       "\n <TR><TD CLASS=\"c3\" COLSPAN=3>Védelem: %d (táborozás alatt) "
       "</TD></TR>"_cp,
       "\n <TR><TD CLASS=\"c3\" COLSPAN=3>Védelem: %d (forduló közben) "
       "</TD></TR>"_cp,
       nullptr},
      {&ItemRecord::attack,
       "\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#tamadas>+támadás "
       "tárgyakból és kt képességből (táborozás alatt):</A></TD></TR>"_cp,
       "\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#tamadas>+támadás "
       "tárgyakból és kt képességből (forduló közben):</A></TD></TR>"_cp,
       nullptr},
      {&ItemRecord::max_ep,
       "\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#maxep>maxépt növelő "
       "tárgyak (táborozás alatt):</A></TD></TR>"_cp,
       "\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#maxep2>maxépt növelő "
       "tárgyak (forduló közben):</A></TD></TR>"_cp,
       "\n <TR><TD CLASS=\"t1\" VALIGN=top COLSPAN=3><SPAN "
       "CLASS=\"plusminus\">maxép:</SPAN> %d + %d = %d</A></TD></TR>"_cp
           .data()},
      {&ItemRecord::max_vp,
       "\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#maxvp>maxvpt növelő "
       "tárgyak (táborozás alatt):</A></TD></TR>"_cp,
       "\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#maxvp2>maxvpt növelő "
       "tárgyak (forduló közben):</A></TD></TR>"_cp,
       "\n <TR><TD CLASS=\"t1\" VALIGN=top COLSPAN=3><SPAN "
       "CLASS=\"plusminus\">maxvp:</SPAN> %d + %d = %d</A></TD></TR>"},
      {&ItemRecord::theology,
       "\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#teologia>teológiát "
       "növelő tárgyak (táborozás alatt):</A></TD></TR>"_cp,
       "\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#teologia2>teológiát "
       "növelő tárgyak (forduló közben):</A></TD></TR>"_cp,
       "\n <TR><TD CLASS=\"t1\" VALIGN=top COLSPAN=3><SPAN "
       "CLASS=\"plusminus\">teológia:</SPAN> %d + %d = %d</A></TD></TR>"_cp
           .data()},
      {&ItemRecord::thaumaturgy,
       "\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#taumaturgia>taumaturgiát "
       "növelő tárgyak (táborozás alatt):</A></TD></TR>"_cp,
       "\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#taumaturgia2>taumaturgiát "
       "növelő tárgyak (forduló közben):</A></TD></TR>"_cp,
       "\n <TR><TD CLASS=\"t1\" VALIGN=top COLSPAN=3><SPAN "
       "CLASS=\"plusminus\">taumaturgia:</SPAN> %d + %d = %d</A></TD></TR>"},
  };
  const auto index = static_cast<std::size_t>(kind);
  return kLists[index < std::size(kLists) ? index : 0];
}

// The cells of the held items whose column is not 0, three to a row; the
// last cell is left for the caller to close.
std::string item_cells(const TurnReport& report,
                       std::int32_t ItemRecord::*column, std::int32_t planned) {
  std::string cells;
  int in_row = 0;
  for (const int n : report.items.held_rows(planned != 0)) {
    const ItemRecord& item = report.items.item_by_number(n);
    const std::int32_t value = item.*column;
    if (n == 0 || value == 0) continue;
    if (in_row == 0) cells += "<TR>";
    cells += formatted(value > 0 ? "<TD CLASS=\"t1\" WIDTH=33%%>+%d %s(#%d); "
                                 : "<TD CLASS=\"t1\" WIDTH=33%%> %d %s(#%d); ",
                       value, item.name.c_str(), n);
    in_row = (in_row + 1) % 3;
  }
  return cells;
}

// The total row of one list: base, items and total.
std::string item_list_total(const TurnReport& report, ItemListKind kind,
                            std::int32_t planned) {
  const auto row = [&](std::int32_t base, std::int32_t items,
                       std::int32_t total) {
    return formatted(item_list(kind).total, base, items, total);
  };
  const VitalPoints& pools = report.vital_points;
  switch (kind) {
    case ItemListKind::kDefence: {
      const std::int32_t x = report.adventures.last_move().x;
      // Column 141 lies between the two halves of the map.
      if (x < 141) {
        return formatted(
            "\n <TR><TD CLASS=\"t1\" VALIGN=top COLSPAN=3><SPAN "
            "CLASS=\"plusminus\">effektív védelem:</SPAN> %d "
            "(nyugat)</A></TD></TR>"_cp.data(),
            effective_defence_west(report, planned));
      }
      if (x > 141) {
        return formatted(
            "\n <TR><TD CLASS=\"t1\" VALIGN=top COLSPAN=3><SPAN "
            "CLASS=\"plusminus\">effektív védelem:</SPAN> %d "
            "(kelet)</A></TD></TR>"_cp.data(),
            effective_defence_east(report, planned));
      }
      return {};
    }
    case ItemListKind::kAttack:
      return {};
    case ItemListKind::kMaxLife: {
      // The sheet's maximum holds the items in hand now.
      const std::int32_t base = figures::wrap(
          std::int64_t{pools.max_life_points} - max_life_item_bonus(report, 0));
      const std::int32_t items = max_life_item_bonus(report, planned);
      return row(base, items, figures::wrap(std::int64_t{base} + items));
    }
    case ItemListKind::kMaxMagic: {
      const std::int32_t base = figures::wrap(
          std::int64_t{pools.max_magic_points} - max_vp_item_bonus(report, 0));
      const std::int32_t items = max_vp_item_bonus(report, planned);
      return row(base, items, figures::wrap(std::int64_t{base} + items));
    }
    case ItemListKind::kTheology: {
      const std::int32_t level = theology_level(report, planned);
      const std::int32_t items = theology_item_bonus(report, planned);
      return row(figures::wrap(std::int64_t{level} - items), items, level);
    }
    case ItemListKind::kThaumaturgy: {
      const std::int32_t level = thaumaturgy_level(report, planned);
      const std::int32_t items = thaumaturgy_item_bonus(report, planned);
      return row(figures::wrap(std::int64_t{level} - items), items, level);
    }
  }
  return {};
}

}  // namespace

void append_summary_rows(TurnReport& report, std::string& summary_block) {
  const Settings& settings = report.settings;
  const auto run = [&](std::int32_t switch_value, const char* label,
                       auto rows) {
    if (switch_value == 0) return;
    section(label, [&] { summary_block += rows(); });
  };
  run(settings.spell_strength,
      "varazslat erossegek: ", [&] { return spell_strength_rows(report); });
  run(settings.divisors, "osztok: ", [&] { return divisor_rows(report); });
  run(settings.vp_regeneration,
      "vpreg: ", [&] { return vp_regeneration_rows(report); });
  run(settings.bonuses, "bonuszok: ", [&] { return bonus_rows(report); });
  run(settings.attribute_bonuses,
      "tulajdonsag bonuszok: ", [&] { return attribute_bonus_rows(report); });
  const struct {
    std::int32_t bits;
    const char* label;
    ItemListKind kind;
  } lists[] = {
      {settings.defence, "vedelem: ", ItemListKind::kDefence},
      {settings.attack, "tamadas: ", ItemListKind::kAttack},
      {settings.max_ep, "maxep: ", ItemListKind::kMaxLife},
      {settings.max_vp, "maxvp: ", ItemListKind::kMaxMagic},
      {settings.theology, "teologia: ", ItemListKind::kTheology},
      {settings.thaumaturgy, "taumaturgia: ", ItemListKind::kThaumaturgy},
  };
  for (const auto& list : lists) {
    run(list.bits, list.label,
        [&] { return item_list_rows(report, list.kind, list.bits); });
  }
  run(settings.attribute_sum,
      "tulosszeg: ", [&] { return attribute_sum_rows(report); });
  run(settings.warnings,
      "figyelmeztetesek: ", [&] { return warning_rows(report); });
  run(settings.power_score,
      "tapfaktor: ", [&] { return power_score_rows(report); });
  summary_block += knowledge_rows(report);
  run(settings.moves, "mozgasok: ", [&] { return move_rows(report); });
  section("kt kepessegek: ", [&] { summary_block += company_rows(report); });
}

void append_damage_tables(const TurnReport& report,
                          std::string& summary_block) {
  if (report.settings.spell_damage != 0) {
    section("varazslatok atlag sebzese: ",
            [&] { summary_block += spell_damage_table(report); });
  }
  if (report.settings.weapon_damage != 0) {
    section("fegyverek atlag sebzese: ",
            [&] { summary_block += weapon_damage_table(report); });
  }
}

std::string spell_strength_rows(const TurnReport& report) {
  const std::int32_t mode = report.settings.dressing_mode;
  return std::string(
             "\n <TR><TD CLASS=\"c3\" COLSPAN=3> Varázslat "
             "erősségek</TD></TR>"_cp) +
         formatted(
             "\n<TR><TD CLASS=\"t1\" WIDTH=33%%> papi erő: %d "
             "</TD><TD CLASS=\"t1\" WIDTH=33%%> varázslói erő: %d "
             "</TD><TD CLASS=\"t1\" WIDTH=33%%> pszierő: %d "
             "</TD></TR>"_cp.data(),
             priestly_power(report, mode), wizard_power(report, mode),
             psi_power(report));
}

std::string divisor_rows(const TurnReport& report) {
  const std::int32_t mode = report.settings.dressing_mode;
  const std::int32_t max_vp = report.vital_points.max_magic_points;
  const std::int32_t psi = report.skills.find_skill("pszi").level;
  std::string rows("\n <TR><TD CLASS=\"c3\" COLSPAN=3> Osztók</TD></TR>"_cp);
  rows += divisor_row("teológia"_cp, "varázslat"_cp,
                      effective_theology(report, mode), max_vp / 50,
                      report.skills.find_skill("teológia"_cp).level != 0,
                      theology_divisor(report, mode));
  rows += divisor_row("taumaturgia", "varázslat"_cp,
                      effective_thaumaturgy(report, mode), max_vp / 50,
                      report.skills.find_skill("taumaturgia").level != 0,
                      thaumaturgy_divisor(report, mode));
  rows += divisor_row("pszi", "pszi képesség"_cp, psi,
                      report.vital_points.max_psi_points / 45, psi != 0,
                      psi_divisor(report));
  return rows;
}

std::string vp_regeneration_rows(const TurnReport& report) {
  return std::string(
             "\n <TR><TD CLASS=\"c3\" COLSPAN=3> VP regeneráció</TD></TR>"_cp) +
         formatted(
             "\n<TR><TD CLASS=\"t1\"> %d vp (alap vp.reg. nyugat) "
             "</TD><TD CLASS=\"t1\"> %d (alap vp.reg. kelet) </TD><TD "
             "CLASS=\"t1\"> +%d (tárgyak + 10vp-k) </TD></TR>"_cp.data(),
             base_vp_regeneration_west(report),
             base_vp_regeneration_east(report), item_vp_regeneration(report));
}

std::string bonus_rows(const TurnReport& report) {
  std::string rows("\n <TR><TD CLASS=\"c3\" COLSPAN=3> Bónuszok</TD></TR>"_cp);
  const std::int32_t base = base_strength_damage_bonus(report);
  const std::int32_t with_spells = strength_damage_bonus(report);
  if (base != with_spells) {
    rows += formatted(
        "\n<TR><TD CLASS=\"t1\"> +%d sebzés (erőből) </TD><TD CLASS=\"t1\" "
        "COLSPAN=2> +%d sebzés (erőből, erőt növelő varázslatokkal) "
        "</TD></TR>"_cp.data(),
        base, with_spells);
  } else {
    rows += formatted(
        "\n<TR><TD CLASS=\"t1\" COLSPAN=3> +%d sebzés (erőből) "
        "</TD></TR>"_cp.data(),
        base);
  }
  rows += formatted(
      "\n<TR><TD CLASS=\"t1\"> +%d védelem (ügyességből) </TD><TD "
      "CLASS=\"t1\"> &nbsp; </TD><TD CLASS=\"t1\"> &nbsp; </TD></TR>"_cp.data(),
      dexterity_defence_bonus(report));
  const std::int32_t muscle = bare_muscle_strength(report);
  const std::int32_t giant = giant_strength_damage(report);
  if (muscle != 0 || giant != 0) {
    rows += formatted(
        "\n<TR><TD CLASS=\"t1\"> +%d erő (csupasz izom) </TD><TD "
        "CLASS=\"t1\"> +%d sebzés (óriás erő) </TD><TD CLASS=\"t1\"> &nbsp; "
        "</TD></TR>"_cp.data(),
        muscle, giant);
  }
  return rows;
}

std::string attribute_bonus_rows(const TurnReport& report) {
  static const AttributeList kLists[] = {
      {"\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#eroplusz>erő "
       "(%d):</A></TD></TR>"_cp.data(),
       &Attributes::strength, &ItemRecord::strength},
      {"\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#iqplusz>iq "
       "(%d):</A></TD></TR>",
       &Attributes::intelligence, &ItemRecord::intelligence},
      {"\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#ugyplusz>ügyesség "
       "(%d):</A></TD></TR>"_cp.data(),
       &Attributes::dexterity, &ItemRecord::dexterity},
      {"\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#egplusz>egészség "
       "(%d):</A></TD></TR>"_cp.data(),
       &Attributes::health, &ItemRecord::health},
      {"\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#szerplusz>szerencse "
       "(%d):</A></TD></TR>",
       &Attributes::luck, &ItemRecord::luck},
  };
  std::string rows;
  for (const AttributeList& list : kLists) {
    const AttributeValue& value = report.attributes.*list.attribute;
    rows += formatted(list.heading,
                      figures::wrap(std::int64_t{value.second} - value.first));
    rows += "\n<TR><TD CLASS=\"t1\" COLSPAN=3>";
    for (int n = 1; n < ItemCatalogue::kRows; ++n) {
      const ItemRecord& item = report.items.item_by_number(n);
      const std::int32_t bonus = item.*list.column;
      if (!item.equipped || bonus == 0) continue;
      rows += formatted(bonus > 0 ? "%s(#%d): +%d; " : "%s(#%d): %d; ",
                        item.name.c_str(), n, bonus);
    }
    rows += "</TD></TR>";
  }
  return rows;
}

std::string item_list_rows(const TurnReport& report, ItemListKind kind,
                           std::int32_t bits) {
  const ItemList& list = item_list(kind);
  const std::int32_t mode = report.settings.dressing_mode;
  const auto one_list = [&](std::string_view heading, std::int32_t planned) {
    std::string rows = kind == ItemListKind::kDefence
                           ? formatted(std::string(heading).c_str(),
                                       defence_with_items(report, planned))
                           : std::string(heading);
    rows += item_cells(report, list.column, planned);
    rows += item_list_total(report, kind, planned);
    rows += "</TD></TR>";
    return rows;
  };
  std::string rows;
  if ((bits & 1) != 0) rows += one_list(list.camp_heading, 0);
  if ((bits & 2) != 0 && mode != 0) rows += one_list(list.turn_heading, mode);
  return rows;
}

std::string attribute_sum_rows(const TurnReport& report) {
  return std::string(
             "\n <TR><TD CLASS=\"c3\" COLSPAN=3> Tulajdonság "
             "összeg</TD></TR>"_cp) +
         formatted("\n<TR><TD CLASS=\"t1\" COLSPAN=3> %d (%d) </TD></TR>",
                   attribute_sum(report), attribute_second_sum(report));
}

}  // namespace morvinta
