#include "rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

#include "cp1250.h"

namespace morvinta {
namespace {

constexpr std::int32_t kNow = 0;
constexpr std::int32_t kPlanned = 1;

struct Level {
  std::string_view name;  // 1250 bytes
  std::int32_t level;
};

// Sets sheet levels as a report of the old layout gives them: the lines go
// into the development point section and into the sheet, and each table
// takes the names it knows. Rows not named keep their levels.
void set_levels(TurnReport& report, std::initializer_list<Level> levels) {
  std::string lines;
  for (const Level& entry : levels) {
    lines += std::string(entry.name) + ": " + std::to_string(entry.level);
    lines += "  \n";
  }
  std::string text = std::string("Fejlesztési pont:\n"_cp) + lines;
  text += "Feltételes parancsok\nKARAKTERLAPOD\n"_cp;
  text += lines;
  report.weapon_skills.parse(text, 2, false);
  report.skills.parse(text, 2, false);
  report.development_points.parse(text, 2, false);
}

ItemRecord& hold(TurnReport& report, int item, std::int32_t count = 1) {
  ItemRecord& row = report.items.item_by_number(item);
  row.carried_count = count;
  row.equipped = true;
  return row;
}

void know(TurnReport& report, int spell) {
  report.spells.spell_by_number(spell).known = true;
}

using Rows = std::initializer_list<std::pair<std::int32_t, std::int32_t>>;

// Each row {input, expected}: a fresh report that set prepares with the
// input gives the expected figure.
template <typename Set, typename Rule>
void check_rows(Rows rows, Set set, Rule rule) {
  for (const auto& [input, expected] : rows) {
    SCOPED_TRACE(input);
    TurnReport report;
    set(report, input);
    EXPECT_EQ(rule(report), expected);
  }
}

// A setter of one sheet level.
auto skill_at(std::string_view name) {
  return [name](TurnReport& r, int level) { set_levels(r, {{name, level}}); };
}

std::int32_t priestly_power_now(const TurnReport& r) {
  return priestly_power(r, kNow);
}

// --- Attribute bonuses and item columns ---

TEST(AttributeBonuses, Bands) {
  const Rows strength = {{10, -2}, {12, -1}, {13, 0},  {15, 0},
                         {16, 1},  {35, 10}, {36, 11}, {37, 11},
                         {38, 11}, {39, 12}, {40, 12}};
  const Rows dexterity = {{16, 0}, {17, 1}, {20, 3}, {21, 4},
                          {26, 9}, {27, 9}, {28, 10}};
  const Rows west = {{-5, -5}, {18, 18}, {19, 18},
                     {36, 27}, {37, 27}, {40, 28}};
  const Rows east = {{18, 18}, {19, 18}, {36, 27}, {40, 29}};
  const auto set_strength = [](auto& r, int s) {
    r.attributes.strength = {1, s};
  };
  const auto set_dexterity = [](auto& r, int d) {
    r.attributes.dexterity = {0, d};
  };
  const auto set_defence = [](auto& r, int v) { r.level.defence = v; };
  check_rows(strength, set_strength, base_strength_damage_bonus);
  check_rows(dexterity, set_dexterity, dexterity_defence_bonus);
  check_rows(west, set_defence,
             [](auto& r) { return effective_defence_west(r, kNow); });
  check_rows(east, set_defence,
             [](auto& r) { return effective_defence_east(r, kNow); });
}

TEST(StrengthDamageBonus, SpellsRaiseTheStrength) {
  TurnReport report;
  report.attributes.strength = {35, 35};
  know(report, 220);
  EXPECT_EQ(base_strength_damage_bonus(report), 10);
  EXPECT_EQ(strength_damage_bonus(report), 11);
  // Theology 30: priestly power 10, so bare muscle 3 and giant strength 2.
  set_levels(report, {{"teológia"_cp, 30}});
  know(report, 28);
  know(report, 53);
  EXPECT_EQ(giant_strength_damage(report), 2);
  EXPECT_EQ(strength_damage_bonus(report), 12);  // 35 + 3 + 2 = 40
}

TEST(ItemColumns, CampAgainstPlannedDressing) {
  TurnReport report;
  report.level.defence = 20;
  report.attributes.strength = {25, 26};
  ItemRecord& off = report.items.item_by_number(10);  // taken off
  off.equipped = true;
  off.armour_class = 5;
  off.strength = 2;
  ItemRecord& on = report.items.item_by_number(11);  // put on
  on.turn_equipped = true;
  on.armour_class = 8;
  on.strength = -1;
  ItemRecord& kept = report.items.item_by_number(12);
  kept.equipped = kept.turn_equipped = true;
  kept.armour_class = 3;
  EXPECT_EQ(defence_with_items(report, kNow), 20);
  EXPECT_EQ(defence_with_items(report, kPlanned), 23);  // 20 - 5 + 8
  EXPECT_EQ(effective_defence_west(report, kPlanned), 20);
  EXPECT_EQ(strength_with_items(report, kNow), 26);
  EXPECT_EQ(strength_with_items(report, kPlanned), 23);  // 26 - 2 - 1
}

// --- Schools of magic ---

TEST(PriestlyPower, TheologyCompressedAbove250) {
  const Rows rows = {{2, 0}, {3, 1}, {250, 83}, {275, 83}, {500, 86}};
  check_rows(rows, skill_at("teológia"_cp), priestly_power_now);
}

TEST(PriestlyPower, AlignmentBands) {
  const Rows rows = {{-39, 0},  {-40, 1},  {-64, 1},  {-65, 2},  {-105, 3},
                     {-154, 4}, {-155, 5}, {-685, 5}, {-686, 7}, {-687, 0},
                     {34, 0},   {35, 1},   {50, 2},   {139, 5},  {140, 6},
                     {796, 6},  {797, 8},  {798, 0}};
  const auto alignment = [](TurnReport& r, int a) { r.level.alignment = a; };
  check_rows(rows, alignment, priestly_power_now);
}

TEST(PriestlyPower, TitleAndBraceletsInHand) {
  TurnReport report;
  hold(report, ItemCatalogue::kRows - 1);  // a bracelet name finds no row
  EXPECT_EQ(priestly_power(report, kNow), 0);
  report.identity.priest_title = "főpapja"_cp;
  set_levels(report, {{"teológia"_cp, 30}});
  report.items.item_by_number(300).name = "réz papi karkötő"_cp;
  report.items.item_by_number(301).name = "ezüst papi karkötő"_cp;
  report.items.item_by_number(302).name = "ARANY papi karkötő"_cp;
  hold(report, 300);
  hold(report, 301).equipped = false;  // carried, not in hand
  hold(report, 302);
  EXPECT_EQ(priestly_power(report, kNow), 10 + 12 + 2 + 5);
  report.identity.priest_title = "Főpapja"_cp;  // titles match exactly
  EXPECT_EQ(priest_rank_index(report), 0);
  report.identity.priest_title = "lényét magába fogadott isteni entitás"_cp;
  EXPECT_EQ(priest_rank_index(report), 38);
}

TEST(SchoolLevels, PlannedItemsAndSettingsModifier) {
  TurnReport report;
  set_levels(report, {{"teológia"_cp, 40}, {"taumaturgia", 12}});
  report.items.item_by_number(5).equipped = true;
  report.items.item_by_number(5).theology = 5;
  report.items.item_by_number(6).turn_equipped = true;
  report.items.item_by_number(6).theology = 9;
  EXPECT_EQ(theology_level(report, kNow), 40);
  EXPECT_EQ(theology_level(report, kPlanned), 44);
  report.settings.settings_text =
      "teológia osztó; teológia módosító: -4; taumaturgia módosító 3;"_cp;
  EXPECT_EQ(effective_theology(report, kNow), 36);
  EXPECT_EQ(effective_theology(report, kPlanned), 40);
  EXPECT_EQ(effective_thaumaturgy(report, kNow), 15);  // 12 + 3
  EXPECT_EQ(priestly_power(report, kNow), 12);
  EXPECT_EQ(theology_divisor(report, kNow), 8);
}

TEST(Divisors, ZeroAndNegativeForLowLevels) {
  const Rows rows = {{7, 4},   {6, 3},   {0, 3},    {-20, 1},
                     {-21, 0}, {-27, 0}, {-28, -1}, {-35, -2}};
  const auto modifier = [](TurnReport& r, int m) {
    r.settings.settings_text =
        std::string("teológia módosító "_cp) + std::to_string(m) + ";";
  };
  check_rows(rows, modifier, [](auto& r) { return theology_divisor(r, kNow); });
  check_rows(rows, skill_at("pszi"), psi_divisor);
}

TEST(WizardAndPsiPower, Bands) {
  const Rows wizard = {{0, 0},     {1, 1},     {2, 1},
                       {250, 125}, {251, 125}, {275, 126}};
  check_rows(wizard, skill_at("taumaturgia"),
             [](auto& r) { return wizard_power(r, kNow); });
  const Rows psi = {{0, 0}, {1, 1}, {19, 10}, {20, 10}, {21, 11}};
  check_rows(psi, skill_at("pszi"), psi_power);
}

// --- Spells ---

SpellRecord& spell(TurnReport& report, int number, std::string_view school,
                   std::int32_t cost, CappedDiceRoll damage = {}) {
  SpellRecord& row = report.spells.spell_by_number(number);
  row.school = std::string(school);
  row.cost = cost;
  row.damage = damage;
  return row;
}

TEST(SpellDevelopmentChance, Table) {
  struct Row {
    const char* what;
    std::string_view school;
    int number;
    std::int32_t cost, level, max_pool;
    double expected;
  };
  const Row rows[] = {
      // 10 - 5 - 120 / 50 = 3, raised to 10 / 2; the floor 10 / 3 leaves it.
      {"worked example", "teo", 10, 10, 5, 120, 5.0},
      {"cap below 10", "teo", 10, 100, 9, 0, 8.0},
      {"cap 10 to 19", "teo", 10, 100, 19, 0, 6.0},
      {"cap from 20", "teo", 10, 100, 20, 0, 4.0},
      {"third, at most 6", "tau", 10, 30, 15, 500, 6.0},
      {"floor of the divisor", "teo", 10, 40, 60, 0, 3.0},  // 40 / 11
      {"negative becomes 0", "teo", 10, 5, 60, 0, 0.0},
      {"spell 161", "tau", 161, 30, 5, 0, 0.0},
      {"psi", "pszi", 10, 10, 5, 90, 5.0},  // 10 - 5 - 2, raised to 5
      {"spell 73 doubles", "pszi", 73, 40, 5, 0, 16.0},
      {"no school", "-", 10, 40, 5, 0, 0.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TurnReport report;
    set_levels(report, {{"teológia"_cp, row.level},
                        {"taumaturgia", row.level},
                        {"pszi", row.level}});
    report.vital_points.max_magic_points = row.max_pool;
    report.vital_points.max_psi_points = row.max_pool;
    spell(report, row.number, row.school, row.cost);
    EXPECT_DOUBLE_EQ(spell_development_chance(report, row.number),
                     row.expected);
  }
}

TEST(SpellDevelopmentChance, FollyPriceRaisesTheCostFirst) {
  TurnReport report;
  set_levels(report, {{"teológia"_cp, 5}});
  spell(report, 10, "teo", 4);
  EXPECT_DOUBLE_EQ(spell_development_chance(report, 10), 2.0);  // 4 / 2
  report.folly_price.theology_cost_limit = 5;
  report.folly_price.theology_extra_vp = 4;
  EXPECT_DOUBLE_EQ(spell_development_chance(report, 10), 4.0);  // 8 / 2
  report.folly_price.theology_cost_limit = 4;
  EXPECT_DOUBLE_EQ(spell_development_chance(report, 10), 2.0);
}

TEST(SpellDevelopmentChance, RaceCompanyAndGreyMatter) {
  TurnReport report;
  set_levels(report, {{"taumaturgia", 5}, {"pszi", 5}});
  report.vital_points.max_magic_points = 120;
  spell(report, 20, "tau", 10);  // 5 before the multipliers
  spell(report, 21, "pszi", 10);
  report.identity.description = "kis termetű gnóm varázsló"_cp;
  report.company.company_number = 9111;
  know(report, 71);
  report.settings.settings_text = "szürkeállomány akt. 0; más 3;"_cp;
  EXPECT_DOUBLE_EQ(spell_development_chance(report, 20), 5 * 1.25 * 1.5);
  EXPECT_DOUBLE_EQ(spell_development_chance(report, 21), 5.0);
  report.settings.settings_text = "szürkeállomány akt. 1;"_cp;
  EXPECT_DOUBLE_EQ(spell_development_chance(report, 20), 5 * 1.25 * 1.5 * 1.15);
  report.identity.description = "alakváltó"_cp;
  EXPECT_DOUBLE_EQ(spell_development_chance(report, 21), 5 * 1.25 * 1.15);
}

TEST(SpellDevelopmentChance, Spell226AndDivisorZero) {
  TurnReport report;
  spell(report, 161, "tau", 10);
  know(report, 226);
  EXPECT_DOUBLE_EQ(spell_development_chance(report, 161), 0.5);
  spell(report, 161, "tau", 30);
  EXPECT_DOUBLE_EQ(spell_development_chance(report, 161), 1.0);

  report.settings.settings_text = "teológia módosító: -21;"_cp;
  report.vital_points.max_magic_points = 5000;
  spell(report, 10, "teo", 10);
  ASSERT_EQ(theology_divisor(report, kNow), 0);
  // 10 + 21 - 100, raised to 10 / 2 below level 10.
  EXPECT_DOUBLE_EQ(spell_development_chance(report, 10), 5.0);
  set_levels(report, {{"pszi", -24}});
  spell(report, 11, "pszi", 10);
  ASSERT_EQ(psi_divisor(report), 0);
  EXPECT_DOUBLE_EQ(spell_development_chance(report, 11), 8.0);
}

TEST(AverageSpellDamage, PowerElementsCapAndDressing) {
  TurnReport report;
  set_levels(report, {{"taumaturgia", 4}});  // wizard power 2
  spell(report, 40, "tau", 5, {5, 1, 6, 0}).element = "T";
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 40, true, false), 7.0);
  know(report, 157);
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 40, false, false), 7.0);
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 40, true, false), 9.0);
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 40, false, true), 17.5);
  hold(report, 518);
  hold(report, 533);
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 40, false, false), 11.0);
  ItemRecord& wand = report.items.item_by_number(600);
  wand.turn_equipped = true;
  wand.thaumaturgy = 6;
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 40, false, false), 11.0);
  report.settings.dressing_mode = 1;  // wizard power 5
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 40, false, false), 27.5);
  // Cap 0: only the fixed additions.
  spell(report, 41, "tau", 5, {0, 3, 6, 2}).element = "T";
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 41, false, true), 5.0);
}

TEST(AverageSpellDamage, AmplifiersAndSpellDamagePoints) {
  TurnReport report;
  spell(report, 42, "teo", 5, {1, 1, 199, 0});   // 100 at the cap
  spell(report, 43, "teo", 5, {1, 1, 1199, 0});  // 600
  report.items.item_by_number(890).carried_count = 1;
  report.items.item_by_number(956).carried_count = 1;
  hold(report, 944);
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 42, false, true), 133.1);
  set_levels(report, {{"varázslat sebzés"_cp, 2}});  // +min(2 x 75, 30)
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 43, false, true), 780.0);
  set_levels(report, {{"teológia"_cp, 200}});
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 42, false, true), 120.0);
}

// --- Weapons ---

ItemRecord& weapon(TurnReport& report, int item, std::string_view type,
                   DiceRoll dice, std::string_view hand_mark = "") {
  ItemRecord& row = report.items.item_by_number(item);
  row.weapon_type = std::string(type);
  row.damage_dice = dice;
  row.hand_mark = std::string(hand_mark);
  return row;
}

TEST(AttacksPerRound, SkillBandsAndExtraItems) {
  struct Row {
    std::int32_t skill;
    int extra_items;
    std::int32_t main, left;
  };
  const Row rows[] = {{3, 10, 1, 0}, {4, 0, 2, 0},  {5, 0, 2, 0},
                      {6, 0, 2, 1},  {11, 0, 2, 1}, {12, 0, 3, 1},
                      {19, 0, 3, 1}, {20, 0, 4, 2}, {20, 2, 6, 4}};
  const int extra[] = {987, 996, 1005, 1014, 1023, 1032, 1041, 1050, 1059, 746};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.skill << " " << row.extra_items);
    TurnReport report;
    weapon(report, 500, "V", {2, 6, 0});
    set_levels(report, {{"vágófegyverek"_cp, row.skill}});
    for (int i = 0; i < row.extra_items; ++i) hold(report, extra[i]);
    EXPECT_EQ(attacks_per_round(report, 500), row.main);
    EXPECT_EQ(offhand_attacks_per_round(report, 500), row.left);
  }
  TurnReport report;  // the bare fist's left needs martial arts 38
  set_levels(report, {{"ökölvívás"_cp, 30}, {"harcművészetek"_cp, 37}});
  EXPECT_EQ(attacks_per_round(report, 28), 5);
  EXPECT_EQ(offhand_attacks_per_round(report, 28), 0);
  set_levels(report, {{"harcművészetek"_cp, 38}});
  EXPECT_EQ(offhand_attacks_per_round(report, 28), 3);
}

TEST(CommunityStrengthBonus, ByEfejlInStrengthCompanies) {
  const auto efejl = [](TurnReport& r, int e) {
    r.company.company_number = e == 99 ? 9105 : 9124;  // 99: another company
    r.level.efejl = e;
  };
  check_rows(
      {{1, 0}, {2, 1}, {4, 1}, {5, 2}, {8, 3}, {11, 4}, {90, 4}, {99, 0}},
      efejl, community_strength_bonus);
}

TEST(HitDamageBonus, TrainingItemsBySkill) {
  const std::pair<std::int32_t, double> rows[] = {
      {35, 11 + 8.0}, {36, 12 + 22.0 / 3}, {44, 14 + 2.0}, {45, 15.0}};
  for (const auto& [skill, bonus] : rows) {
    SCOPED_TRACE(skill);
    TurnReport report;
    report.attributes.strength = {14, 14};  // no strength bonus
    weapon(report, 500, "V", {2, 6, 0});
    set_levels(report, {{"vágófegyverek"_cp, skill}});
    hold(report, 894);
    EXPECT_DOUBLE_EQ(hit_damage_bonus(report, 500), bonus);
    EXPECT_DOUBLE_EQ(average_hit_damage(report, 500), 7.0 + bonus);
  }
}

TEST(HitDamageBonus, BothHandsAndWeaponKinds) {
  TurnReport report;
  weapon(report, 500, "S", {1, 8, 1}, "B");  // 5.5
  set_levels(report, {{"szúrófegyverek"_cp, 9}, {"sebzés"_cp, 2}});
  report.company.company_number = 9103;
  report.level.efejl = 5;
  report.attributes.strength = {20, 20};
  hold(report, 826);
  hold(report, 893);
  // 2 + 2 + 9 / 3 + 3 + 30 + 8; two attacks
  EXPECT_DOUBLE_EQ(hit_damage_bonus(report, 500), 48.0);
  EXPECT_DOUBLE_EQ(average_round_damage(report, 500), 53.5 * 2);
  // 2 + 2 + 9 / 6 + 3 / 2 + 30 + 8; one attack
  EXPECT_DOUBLE_EQ(offhand_hit_damage_bonus(report, 500), 44.0);
  EXPECT_DOUBLE_EQ(average_offhand_round_damage(report, 500), 49.5);
  // Shooting: neither strength nor item 893, and no left-hand bonus.
  weapon(report, 501, "L", {1, 8, 1}, "B");
  EXPECT_DOUBLE_EQ(hit_damage_bonus(report, 501), 34.0);
  EXPECT_DOUBLE_EQ(average_offhand_hit_damage(report, 501), 5.5);
  // No dice, no left-hand mark, a fist item.
  weapon(report, 502, "V", {0, 0, 0}, "B");
  weapon(report, 503, "V", {1, 6, 0});
  weapon(report, 893, "U", {2, 6, 0}, "B");
  EXPECT_DOUBLE_EQ(average_hit_damage(report, 502), 0.0);
  EXPECT_DOUBLE_EQ(average_offhand_hit_damage(report, 502), 0.0);
  EXPECT_DOUBLE_EQ(average_offhand_hit_damage(report, 503), 0.0);
  EXPECT_DOUBLE_EQ(average_hit_damage(report, 893), 0.0);
}

TEST(UnarmedHitDamage, MartialArtsBands) {
  const Rows rows = {{0, 2}, {1, 4}, {3, 4},   {4, 6},
                     {7, 8}, {9, 8}, {10, 10}, {15, 11}};
  const auto arts = [](TurnReport& r, int m) {
    r.attributes.strength = {14, 14};
    set_levels(r, {{"harcművészetek"_cp, m}});
  };
  check_rows(rows, arts, [](auto& r) { return average_hit_damage(r, 28); });
}

TEST(UnarmedHitDamage, ManoeuvresAndFistItems) {
  TurnReport report;
  report.attributes.strength = {20, 20};  // +3
  set_levels(report, {{"ökölvívás"_cp, 12}, {"harcművészetek"_cp, 14}});
  EXPECT_DOUBLE_EQ(unarmed_hit_damage(report), 4 + 3 + 10);
  EXPECT_DOUBLE_EQ(fist_of_strength_damage(report), 0.0);
  set_levels(report, {{"harcművészetek"_cp, 15}});  // hit 18, three attacks
  EXPECT_DOUBLE_EQ(fist_of_strength_damage(report), 54.0 + 9);
  EXPECT_DOUBLE_EQ(rock_avalanche_damage(report), 0.0);
  set_levels(report, {{"harcművészetek"_cp, 23}});  // hit 19
  EXPECT_DOUBLE_EQ(rock_avalanche_damage(report), 57.0 + 38);
  EXPECT_DOUBLE_EQ(average_offhand_hit_damage(report, 28), 0.0);
  set_levels(report, {{"harcművészetek"_cp, 40}});  // hit 23
  // less 12 / 6 + 3 / 2 + (40 / 5 + 6)
  EXPECT_DOUBLE_EQ(average_offhand_hit_damage(report, 28), 6.0);
  hold(report, 603);
  hold(report, 893);
  EXPECT_DOUBLE_EQ(unarmed_hit_damage(report), 23 + 4.5 + 5);
}

// --- Regeneration ---

TEST(VpRegeneration, HalfOfTheMapByLastMove) {
  const auto last_x = [](TurnReport& r, int x) {
    r.attributes.intelligence = {20, 20};   // west 8
    r.vital_points.max_magic_points = 400;  // east 18
    if (x < 0) return;                      // no recorded move
    r.adventures.moves[0].set(x, 40);
    r.adventures.move_count = 1;
  };
  check_rows({{-1, 8}, {140, 8}, {141, 18}}, last_x, vp_regeneration_here);
  TurnReport report;
  report.attributes.intelligence = {10, 20};
  set_levels(report, {{"taumaturgia", 3}});
  EXPECT_EQ(base_vp_regeneration_west(report), 8);
  set_levels(report, {{"taumaturgia", 4}, {"teológia"_cp, 30}});
  EXPECT_EQ(base_vp_regeneration_west(report), 8 + 1 + 2 * 10);
}

TEST(ExtraVpRegenerationAndPrayer, ByEfejl) {
  const auto efejl = [](TurnReport& r, int e) {
    r.attributes.intelligence = {0, 37};  // 25 VP here
    r.level.efejl = e;
  };
  check_rows({{0, 0}, {10, 12}, {19, 23}, {20, 25}, {21, 25}, {80, 25}}, efejl,
             extra_vp_regeneration);
  check_rows({{0, 0}, {12, 36}, {13, 38}, {17, 46}, {18, 48}, {99, 48}}, efejl,
             prayer_vp);
}

TEST(ItemVpRegeneration, ItemsDeityAndTurnStart) {
  TurnReport report;
  hold(report, 542, 5).equipped = false;  // carried is enough
  report.items.item_by_number(896).carried_count = 2;
  EXPECT_EQ(item_vp_regeneration(report), 100);
  report.items.item_by_number(542).carried_count = 0;
  hold(report, 476);
  hold(report, 453).equipped = false;  // carried, not in hand
  EXPECT_EQ(item_vp_regeneration(report), 0);
  report.identity.deity = "Fairlight";
  hold(report, 709);
  report.level.level = 33;
  report.level.turn_start_vp = 10;
  EXPECT_EQ(item_vp_regeneration(report), 143);
  know(report, 250);
  EXPECT_EQ(item_vp_regeneration(report), 153);
}

// --- Power score and company rank ---

TEST(PowerScore, SheetAndExpectation) {
  TurnReport report;
  report.level.level = 7;
  report.vital_points.max_life_points = 109;
  set_levels(report, {{"testépítés"_cp, 5}, {"sebzés"_cp, 50}});
  EXPECT_EQ(power_score(report), 21 + 10 + 5);  // "sebzés" is no skill
  EXPECT_DOUBLE_EQ(expected_power_score(report), 119.0);
  report.turn_number = 100;
  EXPECT_NEAR(expected_power_score(report), 481.01, 1e-9);
}

TEST(CompanyRankPoints, EveryTerm) {
  TurnReport report;
  report.settings.settings_text =
      "kompánia alapító: 1; kompánia képesség: 2; kompánia bónusz: -1;"_cp;
  report.vital_points.max_fourth_points = 70;  // 10
  set_levels(report, {{"teológia"_cp, 25}, {"vágófegyverek"_cp, 19}});
  report.attributes.intelligence = {30, 30};    // 1
  report.attributes.luck = {29, 29};            // 0
  report.level.immortality_percent = 2;         // 8
  report.level.level = 9;                       // 4
  report.identity.priest_title = "főpapja"_cp;  // 6
  report.vital_points.max_life_points = 250;    // 2
  report.vital_points.max_magic_points = 450;   // 2
  report.vital_points.max_psi_points = 150;     // 2
  report.level.total_so_far = 1234;             // 12
  EXPECT_EQ(company_rank_points(report),
            15 + 10 + 2 + 1 + 1 + 8 + 4 + 6 + 2 + 2 + 2 + 12);
  EXPECT_EQ(company_rank_name(report), "Őr"_cp);
}

TEST(CompanyRankName, Bands) {
  const std::string_view kopasz = "Kopasz", strazsa = "Strázsa"_cp,
                         or_ = "Őr"_cp, orjarat = "Őrjáratvezető"_cp,
                         szakasz = "Szakaszvezető"_cp, hadur = "Hadúr"_cp;
  const std::pair<std::int32_t, std::string_view> rows[] = {
      {-1, kopasz},   {20, kopasz},   {21, strazsa}, {50, strazsa},
      {51, or_},      {90, or_},      {91, orjarat}, {139, orjarat},
      {140, szakasz}, {200, szakasz}, {201, hadur},  {271, hadur}};
  for (const auto& [points, name] : rows) {
    SCOPED_TRACE(points);
    TurnReport report;
    report.level.level = 2 * points;  // level / 2 points
    ASSERT_EQ(company_rank_points(report), points);
    EXPECT_EQ(company_rank_name(report), name);
    report.character_number = 1337;
    EXPECT_EQ(company_rank_name(report), "Kapitány"_cp);
  }
}

// --- Huge report numbers ---

TEST(Rules, HugeFiguresWrapInsteadOfOverflowing) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
  TurnReport report;
  report.level.defence = kMax;
  report.level.attack = kMax;
  EXPECT_EQ(power_score(report), -2);  // 2^32 - 2
  report.level.efejl = kMin;
  EXPECT_EQ(prayer_vp(report), kMin);  // -3 x 2^31 wraps
  report.attributes.strength = {kMin, kMin};
  EXPECT_EQ(base_strength_damage_bonus(report), -1073741831);
  // Divisor -1 and the lowest cost.
  report.settings.settings_text = "teológia módosító -28;"_cp;
  spell(report, 10, "teo", kMin);
  EXPECT_DOUBLE_EQ(spell_development_chance(report, 10), 0.0);

  TurnReport regenerating;
  regenerating.attributes.intelligence = {0, kMax};  // 2^31 - 13 here
  regenerating.level.efejl = -40;                    // twice that, negated
  EXPECT_EQ(extra_vp_regeneration(regenerating), 26);
}

}  // namespace
}  // namespace morvinta
