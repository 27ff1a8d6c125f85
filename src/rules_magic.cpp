// The schools of magic: priest rank, powers and divisors, spell damage and
// the chance that a cast develops the school.
#include <algorithm>
#include <cstddef>
#include <iterator>
#include <limits>
#include <string_view>

#include "cp1250.h"
#include "rules.h"
#include "rules_support.h"
#include "text_scan.h"

namespace morvinta {

namespace {

using rules_support::counts;
using rules_support::held_column_sum;
using rules_support::knows_spell;
using rules_support::minus;
using rules_support::plus;
using rules_support::quotient;
using rules_support::skill;
using rules_support::times;

// The deity's titles for its priests, lowest rank first.
constexpr std::string_view kPriestTitles[] = {
    "követője"_cp,
    "hűséges követője"_cp,
    "ministránsa"_cp,
    "tanítványa"_cp,
    "hittérítője"_cp,
    "eljövendő papja"_cp,
    "kisebb papja"_cp,
    "felszentelt papja"_cp,
    "bíborosa"_cp,
    "püspöke"_cp,
    "főpap-jelöltje"_cp,
    "főpapja"_cp,
    "nagyhatalmú főpapja"_cp,
    "korlátlan hatalmú főpapja"_cp,
    "személyes tanácsadója"_cp,
    "félisten hatalmú szolgája"_cp,
    "félisten hatalmú uralkodó papja"_cp,
    "félisten hatalmú felszentelt főpapja"_cp,
    "félisten hatalmú személyes tanácsadója"_cp,
    "kisebb avatárja"_cp,
    "személyes testőrként szolgáló avatárja"_cp,
    "első számú avatárja"_cp,
    "teljhatalmú megbízottja és jobbkeze"_cp,
    "halandók felett uralkodó helyettese"_cp,
    "földi és égi helytartója"_cp,
    "esszenciájának örököse"_cp,
    "lényének egy apró része"_cp,
    "testi manifesztációja"_cp,
    "lényének egy nagyobb része"_cp,
    "isteni megnyilvánulása"_cp,
    "leghatalmasabb, halhatatlan főpapja"_cp,
    "hírvivője az univerzumban"_cp,
    "lényének egy jelentős része"_cp,
    "istenné kikiáltott személyes barátja"_cp,
    "képviselője az istenek tanácsában"_cp,
    "minden ügyének intézője földi és égi dolgokban"_cp,
    "lényével eggyé olvadó entitás"_cp,
    "lényét magába fogadott isteni entitás"_cp,
};

// The priestly power an alignment lends: more the further from neutral, with
// a peak at the very edge of each side (-686 and 797); beyond the edges,
// nothing.
std::int32_t alignment_power(std::int32_t a) {
  struct Band {
    std::int32_t low;
    std::int32_t high;
    std::int32_t power;
  };
  constexpr Band kBands[] = {
      {-64, -40, 1},   {-104, -65, 2},  {-134, -105, 3}, {-154, -135, 4},
      {-685, -155, 5}, {-686, -686, 7}, {35, 49, 1},     {50, 64, 2},
      {65, 79, 3},     {80, 109, 4},    {110, 139, 5},   {140, 796, 6},
      {797, 797, 8},
  };
  for (const Band& band : kBands) {
    if (a >= band.low && a <= band.high) return band.power;
  }
  return 0;
}

bool same_ignoring_latin_case(std::string_view a, std::string_view b) {
  const auto fold = [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

// Whether the first item row of that name (A to Z compared without regard to
// case, as the catalogue's look-up by name does) counts. An item the
// catalogue does not list is not in hand: it must not borrow another row.
bool named_item_counts(const TurnReport& report, std::string_view name) {
  // Only a row in hand can count, so the rows in hand are searched: the first
  // of them with the name counts when no earlier row bears the name.
  for (const int n : report.items.held_rows(false)) {
    const ItemRecord& row = report.items.item_by_number(n);
    if (!same_ignoring_latin_case(row.name, name)) continue;
    for (int m = 0; m < n; ++m) {
      if (same_ignoring_latin_case(report.items.item_by_number(m).name, name)) {
        return false;
      }
    }
    return row.carried_count > 0;
  }
  return false;
}

std::int32_t priest_bracelets(const TurnReport& report) {
  std::int32_t power = 0;
  if (named_item_counts(report, "réz papi karkötő"_cp)) power += 2;
  if (named_item_counts(report, "ezüst papi karkötő"_cp)) power += 3;
  if (named_item_counts(report, "arany papi karkötő"_cp)) power += 5;
  return power;
}

// A school's divisor: its level / 7 + 3.
std::int32_t school_divisor(std::int32_t level) { return level / 7 + 3; }

// Above 250 a skill counts only one point in 25.
std::int32_t compressed(std::int32_t level) {
  return level > 250 ? (level - 250) / 25 + 250 : level;
}

// The divisor's floor c / divisor; none (the lowest value) when the divisor
// is 0, as no cost divides by it.
std::int32_t divisor_floor(std::int32_t cost, std::int32_t divisor) {
  return divisor == 0 ? std::numeric_limits<std::int32_t>::min()
                      : quotient(cost, divisor);
}

// The development figure of a school before the race, company and spell
// multipliers: the cost less the level and the pool's share (drain), raised
// to the floors of the low levels and the divisor, capped by the level's
// band, never below 0.
std::int32_t development_figure(std::int32_t cost, std::int32_t level,
                                std::int32_t drain, std::int32_t divisor) {
  std::int32_t x = minus(minus(cost, level), drain);
  if (level < 10) {
    if (x < cost / 2) x = std::min(cost / 2, 8);
  } else if (level < 20) {
    if (x < cost / 3) x = std::min(cost / 3, 6);
  }
  x = std::max(x, divisor_floor(cost, divisor));
  const std::int32_t cap = level < 10 ? 8 : level < 20 ? 6 : 4;
  return std::max(std::min(x, cap), 0);
}

// A spell cheaper than the price-of-folly limit costs the extra VP more.
std::int32_t folly_cost(std::int32_t cost, std::int32_t limit,
                        std::int32_t extra_vp) {
  return cost < limit && cost != 0 ? plus(cost, extra_vp) : cost;
}

bool in_magic_company(std::int32_t company) {
  return company == 9107 || company == 9111 || company == 9116 ||
         company == 9135;
}

// The "szürkeállomány akt." entry of the settings holds a number other
// than 0 before its ";".
bool grey_matter_active(const TurnReport& report) {
  return nth_number(extract_between(report.settings.settings_text,
                                    "szürkeállomány akt."_cp, ";"),
                    1) != 0;
}

}  // namespace

std::int32_t priest_rank_index(const TurnReport& report) {
  const std::string& title = report.identity.priest_title;
  for (std::size_t i = 0; i < std::size(kPriestTitles); ++i) {
    if (title == kPriestTitles[i]) return static_cast<std::int32_t>(i + 1);
  }
  return 0;
}

std::int32_t theology_item_bonus(const TurnReport& report,
                                 std::int32_t planned) {
  return held_column_sum(report, planned,
                         [](const ItemRecord& row) { return row.theology; });
}

std::int32_t thaumaturgy_item_bonus(const TurnReport& report,
                                    std::int32_t planned) {
  return held_column_sum(report, planned,
                         [](const ItemRecord& row) { return row.thaumaturgy; });
}

std::int32_t theology_level(const TurnReport& report, std::int32_t planned) {
  const std::int32_t level = skill(report, "teológia"_cp);
  if (planned == 0) return level;
  return minus(plus(level, theology_item_bonus(report, planned)),
               theology_item_bonus(report, 0));
}

std::int32_t thaumaturgy_level(const TurnReport& report, std::int32_t planned) {
  const std::int32_t level = skill(report, "taumaturgia");
  if (planned == 0) return level;
  return minus(plus(level, thaumaturgy_item_bonus(report, planned)),
               thaumaturgy_item_bonus(report, 0));
}

std::int32_t effective_theology(const TurnReport& report,
                                std::int32_t planned) {
  return plus(theology_level(report, planned),
              rules_support::settings_number(report, "teológia módosító"_cp));
}

std::int32_t effective_thaumaturgy(const TurnReport& report,
                                   std::int32_t planned) {
  return plus(
      thaumaturgy_level(report, planned),
      rules_support::settings_number(report, "taumaturgia módosító"_cp));
}

std::int32_t theology_divisor(const TurnReport& report, std::int32_t planned) {
  return school_divisor(effective_theology(report, planned));
}

std::int32_t thaumaturgy_divisor(const TurnReport& report,
                                 std::int32_t planned) {
  return school_divisor(effective_thaumaturgy(report, planned));
}

std::int32_t psi_divisor(const TurnReport& report) {
  return school_divisor(skill(report, "pszi"));
}

std::int32_t priestly_power(const TurnReport& report, std::int32_t planned) {
  std::int64_t power = compressed(effective_theology(report, planned)) / 3;
  power += priest_rank_index(report);
  power += alignment_power(report.level.alignment);
  power += priest_bracelets(report);
  return rules_support::wrap(power);
}

std::int32_t wizard_power(const TurnReport& report, std::int32_t planned) {
  const std::int32_t t = effective_thaumaturgy(report, planned);
  const std::int32_t u = t > 250 ? (t - 250) / 25 + 251 : t + 1;
  return u / 2;
}

std::int32_t psi_power(const TurnReport& report) {
  const std::int32_t p = skill(report, "pszi");
  return p >= 20 ? p - 10 : (p + 1) / 2;
}

CasterFigures caster_figures(const TurnReport& report) {
  const std::int32_t planned = report.settings.dressing_mode;
  CasterFigures caster;
  caster.effective_theology = effective_theology(report, planned);
  caster.effective_thaumaturgy = effective_thaumaturgy(report, planned);
  caster.priestly_power = priestly_power(report, planned);
  caster.wizard_power = wizard_power(report, planned);
  return caster;
}

double average_spell_damage(const TurnReport& report, int s, bool element_bonus,
                            bool at_cap) {
  return average_spell_damage(report, caster_figures(report), s, element_bonus,
                              at_cap);
}

double average_spell_damage(const TurnReport& report,
                            const CasterFigures& caster, int s,
                            bool element_bonus, bool at_cap) {
  const SpellRecord& spell = report.spells.spell_by_number(s);
  const std::int32_t cap = spell.damage.cap;
  std::int32_t n = 0;
  if (at_cap) {
    n = cap;
  } else if (spell.school == "teo") {
    n = caster.priestly_power;
  } else if (spell.school == "tau") {
    n = caster.wizard_power;
  } else if (spell.school == "pszi") {
    n = psi_power(report);
  }
  double d = spell.damage.capped_dice_average(n);
  if (counts(report, 518)) d += std::min(n, cap);

  const bool fire = spell.element == "T";
  const bool water = spell.element == "V";
  const double wizard = caster.wizard_power;
  if (counts(report, 533) && fire) d += wizard;
  if (counts(report, 559) && water) d += wizard;
  if (element_bonus && fire && knows_spell(report, 157)) d += wizard;
  if (element_bonus && water && knows_spell(report, 227)) d += wizard;

  // The amplifiers add a tenth of the damage each, up to 50, and only to a
  // caster whose schools are both below 200.
  if (skill(report, "teológia"_cp) < 200 &&
      skill(report, "taumaturgia") < 200) {
    const auto amplify = [&d] { d += std::min(d * 0.1, 50.0); };
    if (rules_support::carried(report, 890)) amplify();
    if (rules_support::carried(report, 956)) amplify();
    if (counts(report, 944)) amplify();
  }

  const std::int32_t k =
      rules_support::development_point(report, "varázslat sebzés"_cp);
  if (k > 0) d += std::min(k * (d * 0.1), 15.0 * k);
  return d;
}

std::int32_t spell_cost(const TurnReport& report, int s) {
  const SpellRecord& spell = report.spells.spell_by_number(s);
  const FollyPrice& folly = report.folly_price;
  if (spell.school == "teo") {
    return folly_cost(spell.cost, folly.theology_cost_limit,
                      folly.theology_extra_vp);
  }
  if (spell.school == "tau") {
    return folly_cost(spell.cost, folly.thaumaturgy_cost_limit,
                      folly.thaumaturgy_extra_vp);
  }
  return spell.cost;
}

double spell_development_chance(const TurnReport& report, int s) {
  return spell_development_chance(report, caster_figures(report), s);
}

double spell_development_chance(const TurnReport& report,
                                const CasterFigures& caster, int s) {
  const SpellRecord& spell = report.spells.spell_by_number(s);
  const VitalPoints& pools = report.vital_points;
  const bool theology = spell.school == "teo";
  const bool thaumaturgy = spell.school == "tau";
  const bool psi = spell.school == "pszi";

  const std::int32_t cost = spell_cost(report, s);
  std::int32_t x = 0;
  if (theology) {
    x = development_figure(cost, caster.effective_theology,
                           pools.max_magic_points / 50,
                           school_divisor(caster.effective_theology));
  } else if (thaumaturgy) {
    x = development_figure(cost, caster.effective_thaumaturgy,
                           pools.max_magic_points / 50,
                           school_divisor(caster.effective_thaumaturgy));
    if (s == 161) x = 0;
  } else if (psi) {
    x = development_figure(cost, skill(report, "pszi"),
                           pools.max_psi_points / 45, psi_divisor(report));
    if (s == 73) x = times(x, 2);
    if (s == 112 || s == 115 || s == 117 || s == 195) x = 0;
  }

  double r = x;
  const std::string& race = report.identity.description;
  if ((theology || thaumaturgy) && contains(race, "gnóm"_cp)) r *= 1.25;
  if (psi && (contains(race, "mutáns"_cp) || contains(race, "alakváltó"_cp))) {
    r *= 1.25;
  }
  if ((theology || thaumaturgy) &&
      in_magic_company(report.company.company_number)) {
    r *= 1.5;
  }
  if (knows_spell(report, 71) && grey_matter_active(report)) r *= 1.15;
  if (x == 0 && knows_spell(report, 226) && (theology || thaumaturgy)) {
    r = std::min(cost * 0.05, 1.0);
  }
  return r;
}

}  // namespace morvinta
