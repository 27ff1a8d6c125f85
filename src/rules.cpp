// The bonuses of the attributes and the item columns, magic-point
// regeneration, the power score and the company rank. Weapons are in
// rules_weapons.cpp, the schools of magic in rules_magic.cpp.
#include "rules.h"

#include <cstdint>
#include <iterator>
#include <string_view>

#include "cp1250.h"
#include "rules_support.h"

namespace morvinta {

namespace {

using rules_support::carried;
using rules_support::counts;
using rules_support::held_column_sum;
using rules_support::knows_spell;
using rules_support::minus;
using rules_support::plus;
using rules_support::skill;
using rules_support::wrap;

// The damage a strength value gives: a point per two above 14, a point per
// three above 36.
std::int32_t strength_curve(std::int32_t s) {
  if (s > 36) return (s - 36) / 3 + 11;
  return wrap((std::int64_t{s} - 14) / 2);
}

// The column summed over the planned items less the same over the items in
// hand now: what the planned dressing changes in a figure that already holds
// the items in hand. 0 without a plan.
template <typename Column>
std::int32_t planned_change(const TurnReport& report, std::int32_t planned,
                            Column column) {
  if (planned == 0) return 0;
  return minus(held_column_sum(report, planned, column),
               held_column_sum(report, 0, column));
}

// The items that regenerate VP when they count, whatever the deity.
struct Regenerator {
  int item;
  std::int32_t vp;
};
constexpr Regenerator kRegenerators[] = {
    {453, 10}, {466, 10}, {531, 20},  {559, 10},  {342, 20},
    {253, 20}, {956, 30}, {821, 100}, {824, 150}, {969, 50},
};

// VP per carried piece of item 542, by the pieces of item 896 carried (14
// and more count as 14).
constexpr std::int32_t kPieceVpBy896[] = {
    5, 10, 20, 40, 60, 80, 100, 120, 140, 150, 160, 170, 180, 190, 200};

std::int32_t piece_vp(std::int32_t pieces_of_896) {
  constexpr std::int32_t kLast = std::size(kPieceVpBy896) - 1;
  if (pieces_of_896 < 0) pieces_of_896 = 0;
  if (pieces_of_896 > kLast) pieces_of_896 = kLast;
  return kPieceVpBy896[pieces_of_896];
}

// The seven weapon skills and the 25 skills the power score adds up.
constexpr std::string_view kScoreWeaponSkills[] = {
    "ökölvívás"_cp,    "szúrófegyverek"_cp, "vágófegyverek"_cp,
    "ütőfegyverek"_cp, "lőfegyverek"_cp,    "dobófegyverek"_cp,
    "víziharc"_cp};
constexpr std::string_view kScoreSkills[] = {
    "rejtőzködés"_cp,    "nyomkövetés"_cp,
    "mászás"_cp,         "csapdakészítés"_cp,
    "csapdaészlelés"_cp, "gyógyítás"_cp,
    "titkosírás"_cp,     "felderítés"_cp,
    "szörnyidomítás"_cp, "teológia"_cp,
    "taumaturgia",       "pszi",
    "szerencsejáték"_cp, "versengés"_cp,
    "harcművészetek"_cp, "zene",
    "szörnyismeret"_cp,  "zárnyitás"_cp,
    "vadászat"_cp,       "vitalitás"_cp,
    "bányászat"_cp,      "úszás"_cp,
    "lopás"_cp,          "ordítás"_cp,
    "testépítés"_cp};

}  // namespace

// --- Attribute bonuses and item columns ---

std::int32_t base_strength_damage_bonus(const TurnReport& report) {
  return strength_curve(report.attributes.strength.second);
}

std::int32_t strength_damage_bonus(const TurnReport& report) {
  std::int32_t s =
      plus(report.attributes.strength.second, bare_muscle_strength(report));
  if (knows_spell(report, 220)) s = plus(s, 2);
  return strength_curve(s);
}

std::int32_t bare_muscle_strength(const TurnReport& report) {
  if (!knows_spell(report, 28)) return 0;
  return priestly_power(report, 0) / 5 + 1;
}

std::int32_t giant_strength_damage(const TurnReport& report) {
  if (!knows_spell(report, 53)) return 0;
  return priestly_power(report, 0) / 6 + 1;
}

std::int32_t dexterity_defence_bonus(const TurnReport& report) {
  const std::int32_t d = report.attributes.dexterity.second;
  if (d < 17) return 0;
  if (d <= 20) return (d - 14) / 2;
  if (d <= 26) return d - 17;
  return (d - 26) / 2 + 9;
}

std::int32_t defence_with_items(const TurnReport& report,
                                std::int32_t planned) {
  return plus(report.level.defence,
              planned_change(report, planned, [](const ItemRecord& row) {
                return row.armour_class;
              }));
}

std::int32_t effective_defence_west(const TurnReport& report,
                                    std::int32_t planned) {
  const std::int32_t v = defence_with_items(report, planned);
  if (v <= 18) return v;
  if (v <= 36) return 18 + (v - 18) / 2;
  return 27 + (v - 36) / 3;
}

std::int32_t effective_defence_east(const TurnReport& report,
                                    std::int32_t planned) {
  const std::int32_t v = defence_with_items(report, planned);
  if (v <= 18) return v;
  return 18 + (v - 18) / 2;
}

std::int32_t max_life_item_bonus(const TurnReport& report,
                                 std::int32_t planned) {
  return held_column_sum(report, planned,
                         [](const ItemRecord& row) { return row.max_ep; });
}

std::int32_t max_vp_item_bonus(const TurnReport& report, std::int32_t planned) {
  return held_column_sum(report, planned,
                         [](const ItemRecord& row) { return row.max_vp; });
}

std::int32_t strength_with_items(const TurnReport& report,
                                 std::int32_t planned) {
  return plus(report.attributes.strength.second,
              planned_change(report, planned, [](const ItemRecord& row) {
                return row.strength;
              }));
}

std::int32_t attribute_sum(const TurnReport& report) {
  const Attributes& a = report.attributes;
  return wrap(std::int64_t{a.strength.first} + a.intelligence.first +
              a.dexterity.first + a.health.first + a.luck.first);
}

std::int32_t attribute_second_sum(const TurnReport& report) {
  const Attributes& a = report.attributes;
  return wrap(std::int64_t{a.strength.second} + a.intelligence.second +
              a.dexterity.second + a.health.second + a.luck.second);
}

// --- Regeneration, power score, company rank ---

std::int32_t base_vp_regeneration_west(const TurnReport& report) {
  std::int64_t vp = std::int64_t{report.attributes.intelligence.second} +
                    2 * std::int64_t{priestly_power(report, 0)} - 12;
  const std::int32_t thaumaturgy = skill(report, "taumaturgia");
  if (thaumaturgy >= 4) vp += thaumaturgy - 3;
  return wrap(vp);
}

std::int32_t base_vp_regeneration_east(const TurnReport& report) {
  return plus(base_vp_regeneration_west(report),
              report.vital_points.max_magic_points / 40);
}

std::int32_t item_vp_regeneration(const TurnReport& report) {
  std::int64_t vp = 0;
  for (const Regenerator& regenerator : kRegenerators) {
    if (counts(report, regenerator.item)) vp += regenerator.vp;
  }
  if (counts(report, 709)) vp += report.level.level;
  const std::string& deity = report.identity.deity;
  if (deity == "Fairlight") {
    if (counts(report, 476)) vp += 100;
    if (counts(report, 640)) vp += 20;
  }
  if (deity == "Elenios" && counts(report, 637)) vp += 20;
  if (carried(report, 914)) vp += 50;
  if (carried(report, 916)) vp += 100;
  if (carried(report, 542)) {
    const std::int32_t pieces = report.items.item_by_number(542).carried_count;
    const std::int32_t of_896 = report.items.item_by_number(896).carried_count;
    vp += std::int64_t{pieces} * piece_vp(of_896);
  }
  const std::int32_t turn_start_vp = report.level.turn_start_vp;
  vp += knows_spell(report, 250) ? 2 * std::int64_t{turn_start_vp}
                                 : turn_start_vp;
  return wrap(vp);
}

std::int32_t vp_regeneration_here(const TurnReport& report) {
  return report.adventures.last_move().x >= 141
             ? base_vp_regeneration_east(report)
             : base_vp_regeneration_west(report);
}

std::int32_t extra_vp_regeneration(const TurnReport& report) {
  const std::int32_t e = report.level.efejl;
  const std::int32_t here = vp_regeneration_here(report);
  if (e >= 21) return here;
  return rules_support::truncated(here * (e / 20.0));
}

std::int32_t prayer_vp(const TurnReport& report) {
  const std::int32_t e = report.level.efejl;
  if (e <= 12) return rules_support::times(3, e);
  if (e <= 17) return 2 * e + 12;
  return 48;
}

std::int32_t power_score(const TurnReport& report) {
  const LevelRecord& level = report.level;
  const VitalPoints& pools = report.vital_points;
  std::int64_t score = std::int64_t{level.defence} + level.attack +
                       3 * std::int64_t{level.level};
  score += std::int64_t{report.attributes.strength.first} +
           report.attributes.intelligence.first +
           report.attributes.dexterity.first + report.attributes.health.first +
           report.attributes.luck.first;
  score += pools.max_life_points / 10;
  score += pools.max_magic_points / 10;
  score += pools.max_psi_points / 10;
  for (const std::string_view name : kScoreWeaponSkills) {
    score += rules_support::weapon_skill(report, name);
  }
  for (const std::string_view name : kScoreSkills) {
    score += skill(report, name);
  }
  return wrap(score);
}

double expected_power_score(const TurnReport& report) {
  const double t = report.turn_number;
  return 0.00002 * t * t * t - 0.011 * t * t + 4.5201 * t + 119.0;
}

std::int32_t company_rank_points(const TurnReport& report) {
  using rules_support::settings_number;
  std::int64_t points = 0;
  if (settings_number(report, "kompánia alapító"_cp) != 0) points += 10;
  points += 5 * std::int64_t{settings_number(report, "kompánia képesség"_cp)};
  points += 5 * std::int64_t{settings_number(report, "kompánia bónusz"_cp)};
  points += report.vital_points.max_fourth_points / 7;
  for (const SkillEntry& row : report.skills.rows()) points += row.level / 10;
  for (const SkillEntry& row : report.weapon_skills.rows()) {
    points += row.level / 10;
  }
  for (const AttributeValue* attribute :
       {&report.attributes.strength, &report.attributes.intelligence,
        &report.attributes.dexterity, &report.attributes.health,
        &report.attributes.luck}) {
    if (attribute->second >= 30) points += (attribute->second - 20) / 10;
  }
  const LevelRecord& level = report.level;
  points += 4 * std::int64_t{level.immortality_percent};
  points += level.level / 2;
  points += (priest_rank_index(report) + 1) / 2;
  points += report.vital_points.max_life_points / 100;
  points += report.vital_points.max_magic_points / 200;
  points += report.vital_points.max_psi_points / 75;
  points += level.total_so_far / 100;
  return wrap(points);
}

std::string_view company_rank_name(const TurnReport& report) {
  // The company's captain, whatever the points.
  if (report.character_number == 1337) return "Kapitány"_cp;
  const std::int32_t p = company_rank_points(report);
  if (p <= 20) return "Kopasz";
  if (p <= 50) return "Strázsa"_cp;
  if (p <= 90) return "Őr"_cp;
  if (p <= 139) return "Őrjáratvezető"_cp;
  if (p <= 200) return "Szakaszvezető"_cp;
  return "Hadúr"_cp;
}

}  // namespace morvinta
