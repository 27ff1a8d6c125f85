// Weapon and bare-hand damage: attacks per round, the flat bonus of each hit
// and the expected damage of a hit and of a round, in either hand.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "cp1250.h"
#include "rules.h"
#include "rules_support.h"

namespace morvinta {

namespace {

using rules_support::counts;
using rules_support::development_point;
using rules_support::plus;
using rules_support::skill;
using rules_support::weapon_skill;

constexpr int kBareFist = 28;

struct ItemAmount {
  int item;
  double amount;
};

// Items that add to every hit, armed or bare, when they count.
constexpr ItemAmount kHitItems[] = {
    {816, 2}, {822, 5}, {826, 30}, {834, 1}, {843, 1},   {844, 3},
    {867, 3}, {871, 2}, {888, 3},  {897, 2}, {1038, 24},
};

// Items worn on the fist: they add to the bare hit only and are no weapons
// of their own.
constexpr ItemAmount kFistItems[] = {
    {78, 4},    {237, 5}, {690, 3}, {445, 3}, {649, 9},
    {603, 4.5}, {464, 4}, {306, 5}, {893, 5},
};

// Each of these that counts gives one more main-hand attack.
constexpr int kExtraAttackItems[] = {987,  996,  1005, 1014, 1023,
                                     1032, 1041, 1050, 1059, 746};

// Items that help a stabbing, cutting or striking hand the more, the less
// skilled it is.
constexpr int kTrainingItems[] = {893, 894, 895};

template <std::size_t N>
double sum_of_counting(const TurnReport& report, const ItemAmount (&items)[N]) {
  double sum = 0.0;
  for (const ItemAmount& entry : items) {
    if (counts(report, entry.item)) sum += entry.amount;
  }
  return sum;
}

bool is_fist_item(int w) {
  for (const ItemAmount& entry : kFistItems) {
    if (entry.item == w) return true;
  }
  return false;
}

const ItemRecord& item(const TurnReport& report, int w) {
  return report.items.item_by_number(w);
}

// Stabbing, cutting and striking weapons: the hand-to-hand ones that
// strength drives.
bool is_melee(std::string_view code) {
  return code == "S" || code == "V" || code == "U";
}

// The weapon skill of the item's type code; 0 for a code of no skill.
std::int32_t type_skill(const TurnReport& report, std::string_view code) {
  struct TypeSkill {
    std::string_view code;
    std::string_view skill_name;
  };
  static constexpr TypeSkill kTypes[] = {
      {"S", "szúrófegyverek"_cp}, {"V", "vágófegyverek"_cp},
      {"U", "ütőfegyverek"_cp},   {"L", "lőfegyverek"_cp},
      {"D", "dobófegyverek"_cp},  {"VIZ", "víziharc"_cp},
  };
  for (const TypeSkill& type : kTypes) {
    if (code == type.code) return weapon_skill(report, type.skill_name);
  }
  return 0;
}

// The skill that sets the attacks of item w. The bare fist uses boxing
// ("ökölvívás") where fist_skilled, else no skill; only a shooting,
// throwing or water weapon code overrides the fist.
std::int32_t attack_skill(const TurnReport& report, int w, bool fist_skilled) {
  const std::string& code = item(report, w).weapon_type;
  std::int32_t level = is_melee(code) ? type_skill(report, code) : 0;
  if (w == kBareFist) {
    level = fist_skilled ? weapon_skill(report, "ökölvívás"_cp) : 0;
  }
  if (code == "L" || code == "D" || code == "VIZ") {
    level = type_skill(report, code);
  }
  return level;
}

std::int32_t martial_arts(const TurnReport& report) {
  return skill(report, "harcművészetek"_cp);
}

// What the training items add to a hit of a melee hand with this skill:
// 8 each up to 35, falling to 2 at 44, nothing from 45.
double training_items_bonus(const TurnReport& report, std::int32_t level) {
  double per_item = 0.0;
  if (level <= 35) {
    per_item = 8.0;
  } else if (level <= 44) {
    per_item = (44 - level) * 6 / 9.0 + 2.0;
  }
  double sum = 0.0;
  for (const int training_item : kTrainingItems) {
    if (counts(report, training_item)) sum += per_item;
  }
  return sum;
}

// The bare hand's band of martial arts m, starting from base (2 for the hit,
// 0 for what the left hand lacks).
std::int32_t martial_arts_band(std::int32_t m, std::int32_t base) {
  if (m < 1) return base;
  if (m <= 3) return base + 2;
  if (m <= 6) return base + 4;
  if (m <= 9) return base + 6;
  return m / 5 + base + 6;
}

}  // namespace

std::int32_t attacks_per_round(const TurnReport& report, int w) {
  const std::int32_t level = attack_skill(report, w, true);
  if (level < 4) return 1;
  std::int32_t extra = 0;
  for (const int extra_item : kExtraAttackItems) {
    if (counts(report, extra_item)) ++extra;
  }
  return (level - 4) / 8 + extra + 2;
}

std::int32_t offhand_attacks_per_round(const TurnReport& report, int w) {
  const std::int32_t level =
      attack_skill(report, w, martial_arts(report) >= 38);
  if (level < 20) return level >= 6 ? 1 : 0;
  return attacks_per_round(report, w) - 2;
}

std::int32_t community_strength_bonus(const TurnReport& report) {
  const std::int32_t company = report.company.company_number;
  if (company != 9103 && company != 9104 && company != 9124 &&
      company != 9125) {
    return 0;
  }
  const std::int32_t e = report.level.efejl;
  if (e >= 11) return 4;
  if (e >= 8) return 3;
  if (e >= 5) return 2;
  if (e >= 2) return 1;
  return 0;
}

double hit_damage_bonus(const TurnReport& report, int w) {
  const std::string& code = item(report, w).weapon_type;
  const std::int32_t level = type_skill(report, code);
  double bonus = 0.0;
  bonus += development_point(report, "sebzés"_cp);
  bonus += community_strength_bonus(report);
  bonus += level / 3;
  bonus += giant_strength_damage(report);
  if (is_melee(code)) bonus += strength_damage_bonus(report);
  bonus += sum_of_counting(report, kHitItems);
  if (is_melee(code) && level != 0) {
    bonus += training_items_bonus(report, level);
  }
  return bonus;
}

double offhand_hit_damage_bonus(const TurnReport& report, int w) {
  const std::string& code = item(report, w).weapon_type;
  // Only a melee weapon gets a bonus in the left hand.
  if (!is_melee(code)) return 0.0;
  const std::int32_t level = type_skill(report, code);
  double bonus = 0.0;
  bonus += development_point(report, "sebzés"_cp);
  bonus += community_strength_bonus(report);
  bonus += level / 6;
  bonus += giant_strength_damage(report);
  bonus += strength_damage_bonus(report) / 2;
  bonus += sum_of_counting(report, kHitItems);
  if (level != 0) bonus += training_items_bonus(report, level);
  return bonus;
}

double average_hit_damage(const TurnReport& report, int w) {
  if (w == kBareFist) return unarmed_hit_damage(report);
  if (is_fist_item(w)) return 0.0;
  const double dice = item(report, w).damage_dice.dice_average();
  if (dice == 0.0) return 0.0;
  return dice + hit_damage_bonus(report, w);
}

double average_round_damage(const TurnReport& report, int w) {
  return average_hit_damage(report, w) * attacks_per_round(report, w);
}

double average_offhand_hit_damage(const TurnReport& report, int w) {
  if (w == kBareFist) return offhand_unarmed_hit_damage(report);
  const ItemRecord& weapon = item(report, w);
  const double dice = weapon.damage_dice.dice_average();
  if (dice == 0.0 || weapon.hand_mark != "B") return 0.0;
  return dice + offhand_hit_damage_bonus(report, w);
}

double average_offhand_round_damage(const TurnReport& report, int w) {
  return average_offhand_hit_damage(report, w) *
         offhand_attacks_per_round(report, w);
}

double unarmed_hit_damage(const TurnReport& report) {
  double damage = 0.0;
  damage += development_point(report, "sebzés"_cp);
  damage += community_strength_bonus(report);
  damage += weapon_skill(report, "ökölvívás"_cp) / 3;
  damage += plus(strength_damage_bonus(report), giant_strength_damage(report));
  damage += martial_arts_band(martial_arts(report), 2);
  damage += sum_of_counting(report, kFistItems);
  damage += sum_of_counting(report, kHitItems);
  return damage;
}

double unarmed_round_damage(const TurnReport& report) {
  return attacks_per_round(report, kBareFist) * unarmed_hit_damage(report);
}

double fist_of_strength_damage(const TurnReport& report) {
  if (martial_arts(report) < 15) return 0.0;
  return unarmed_round_damage(report) +
         rules_support::times(attacks_per_round(report, kBareFist),
                              strength_damage_bonus(report));
}

double rock_avalanche_damage(const TurnReport& report) {
  if (martial_arts(report) < 23) return 0.0;
  return unarmed_round_damage(report) + 2 * unarmed_hit_damage(report);
}

double offhand_unarmed_hit_damage(const TurnReport& report) {
  const std::int32_t m = martial_arts(report);
  if (m < 38) return 0.0;
  const std::int32_t reduction =
      plus(plus(weapon_skill(report, "ökölvívás"_cp) / 6,
                strength_damage_bonus(report) / 2),
           martial_arts_band(m, 0));
  return unarmed_hit_damage(report) - reduction;
}

}  // namespace morvinta
