// The rules at their band edges and on worked examples; the example folder's
// golden run covers them on one ordinary character.
#include "rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "cp1250.h"

namespace morvinta {
namespace {

constexpr std::int32_t kNow = 0;

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

SpellRecord& spell(TurnReport& report, int number, std::string_view school,
                   std::int32_t cost, CappedDiceRoll damage = {}) {
  SpellRecord& row = report.spells.spell_by_number(number);
  row.school = std::string(school);
  row.cost = cost;
  row.damage = damage;
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

auto skill_at(std::string_view name) {
  return [name](TurnReport& r, int level) { set_levels(r, {{name, level}}); };
}

TEST(Bands, AttributesAndDefence) {
  // Strength 39 and 40 both give 12.
  const Rows strength = {{10, -2}, {12, -1}, {13, 0},  {15, 0},  {16, 1},
                         {35, 10}, {36, 11}, {38, 11}, {39, 12}, {40, 12}};
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

TEST(Bands, PowersOfTheSchools) {
  // Above 250 the theology counts compressed: 275 as 251, 500 as 260.
  const Rows theology = {{2, 0}, {3, 1}, {250, 83}, {275, 83}, {500, 86}};
  const Rows alignment = {{-39, 0},  {-40, 1},  {-64, 1},  {-65, 2},  {-105, 3},
                          {-154, 4}, {-155, 5}, {-685, 5}, {-686, 7}, {-687, 0},
                          {34, 0},   {35, 1},   {50, 2},   {139, 5},  {140, 6},
                          {796, 6},  {797, 8},  {798, 0}};
  const Rows wizard = {{1, 1}, {2, 1}, {250, 125}, {251, 125}, {275, 126}};
  const auto priest = [](auto& r) { return priestly_power(r, kNow); };
  check_rows(theology, skill_at("teológia"_cp), priest);
  check_rows(
      alignment, [](TurnReport& r, int a) { r.level.alignment = a; }, priest);
  check_rows(wizard, skill_at("taumaturgia"),
             [](auto& r) { return wizard_power(r, kNow); });
}

TEST(Bands, AttacksPerRound) {
  const Rows main = {{3, 1}, {4, 2}, {11, 2}, {12, 3}, {19, 3}, {20, 4}};
  const Rows left = {{5, 0}, {6, 1}, {19, 1}, {20, 2}};
  const auto sword = [](TurnReport& r, int level) {
    r.items.item_by_number(500).weapon_type = "V";
    set_levels(r, {{"vágófegyverek"_cp, level}});
  };
  check_rows(main, sword, [](auto& r) { return attacks_per_round(r, 500); });
  check_rows(left, sword,
             [](auto& r) { return offhand_attacks_per_round(r, 500); });
}

TEST(Bands, CompaniesRegenerationAndBareHands) {
  const Rows community = {{1, 0}, {2, 1},  {4, 1},  {5, 2},
                          {8, 3}, {11, 4}, {90, 4}, {99, 0}};
  const Rows map_half = {{-1, 8}, {140, 8}, {141, 18}};
  const Rows extra = {{0, 0}, {10, 12}, {19, 23}, {20, 25}, {21, 25}, {80, 25}};
  const Rows prayer = {{0, 0},   {12, 36}, {13, 38},
                       {17, 46}, {18, 48}, {99, 48}};
  const Rows fist = {{0, 2}, {1, 4},   {3, 4},  {4, 6},
                     {9, 8}, {10, 10}, {15, 11}};
  check_rows(
      community,
      [](TurnReport& r, int e) {
        r.company.company_number = e == 99 ? 9105 : 9124;  // 99: another one
        r.level.efejl = e;
      },
      community_strength_bonus);
  check_rows(
      map_half,
      [](TurnReport& r, int x) {
        r.attributes.intelligence = {20, 20};   // west 8
        r.vital_points.max_magic_points = 400;  // east 18
        if (x < 0) return;                      // no recorded move
        r.adventures.moves[0].set(x, 40);
        r.adventures.move_count = 1;
      },
      vp_regeneration_here);
  const auto efejl = [](TurnReport& r, int e) {
    r.attributes.intelligence = {0, 37};  // 25 VP here
    r.level.efejl = e;
  };
  check_rows(extra, efejl, extra_vp_regeneration);
  check_rows(prayer, efejl, prayer_vp);
  check_rows(
      fist,
      [](TurnReport& r, int m) {
        r.attributes.strength = {14, 14};
        set_levels(r, {{"harcművészetek"_cp, m}});
      },
      [](auto& r) { return average_hit_damage(r, 28); });
}

TEST(Bands, CompanyRankNames) {
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

TEST(PriestlyPower, BraceletsInHand) {
  TurnReport report;
  // The catalogue's last row, which no bracelet name finds, is no bracelet.
  hold(report, ItemCatalogue::kRows - 1);
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
}

// The rules keep the list of the rows in hand between calls: after every
// write through a look-up, the sums and the bracelets must be those of a
// plain walk of the rows, the first row of a name deciding for the name.
TEST(ItemsInHand, FollowEveryWriteAsAPlainWalk) {
  const std::string_view names[] = {"réz papi karkötő"_cp,
                                    "RÉZ PAPI KARKÖTŐ"_cp,  // not A to Z
                                    "ezüst PAPI karkötő"_cp,
                                    "arany papi karkötő"_cp, "bot"};
  const std::pair<std::string_view, std::int32_t> bracelets[] = {
      {"réz papi karkötő"_cp, 2},
      {"ezüst papi karkötő"_cp, 3},
      {"arany papi karkötő"_cp, 5}};
  const auto fold = [](std::string_view text) {
    std::string folded(text);
    for (char& c : folded) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return folded;
  };
  std::mt19937 random(17);
  TurnReport report;
  const std::int32_t base = priestly_power(report, kNow);
  const auto pick = [&random](int below) {
    return static_cast<int>(random() % static_cast<unsigned>(below));
  };
  for (int step = 0; step < 3000; ++step) {
    // Writes gather on a few rows so that names repeat and rows change
    // back and forth; now and then one lands anywhere.
    const int n = pick(4) == 0 ? pick(ItemCatalogue::kRows) : pick(12) * 7;
    ItemRecord& row = report.items.item_by_number(n);
    switch (pick(6)) {
      case 0:
        row.equipped = !row.equipped;
        break;
      case 1:
        row.turn_equipped = !row.turn_equipped;
        break;
      case 2:
        row.carried_count = pick(3) - 1;
        break;
      case 3:
        row.theology = pick(9) - 4;
        break;
      case 4:
        row.thaumaturgy = pick(9) - 4;
        break;
      default:
        row.name = std::string(names[pick(5)]);
        break;
    }
    if (pick(3) != 0) continue;
    std::int32_t theology[2] = {0, 0};
    std::int32_t thaumaturgy[2] = {0, 0};
    std::int32_t power = base;
    const ItemCatalogue& items = report.items;
    for (int m = 1; m < ItemCatalogue::kRows; ++m) {
      const ItemRecord& item = items.item_by_number(m);
      for (int planned = 0; planned < 2; ++planned) {
        if (planned == 0 ? item.equipped : item.turn_equipped) {
          theology[planned] += item.theology;
          thaumaturgy[planned] += item.thaumaturgy;
        }
      }
    }
    for (const auto& [name, bonus] : bracelets) {
      for (int m = 0; m < ItemCatalogue::kRows; ++m) {
        const ItemRecord& item = items.item_by_number(m);
        if (fold(item.name) != fold(name)) continue;
        if (item.carried_count > 0 && item.equipped) power += bonus;
        break;
      }
    }
    SCOPED_TRACE(step);
    ASSERT_EQ(theology_item_bonus(report, kNow), theology[0]);
    ASSERT_EQ(theology_item_bonus(report, 1), theology[1]);
    ASSERT_EQ(thaumaturgy_item_bonus(report, kNow), thaumaturgy[0]);
    ASSERT_EQ(thaumaturgy_item_bonus(report, 2), thaumaturgy[1]);
    ASSERT_EQ(priestly_power(report, kNow), power);
    if (step % 500 == 0) {
      // A copy made after the lists were built keeps its own.
      TurnReport copy = report;
      copy.items.item_by_number(n).theology += 1;
      const std::int32_t held = copy.items.item_by_number(n).equipped ? 1 : 0;
      ASSERT_EQ(theology_item_bonus(copy, kNow),
                theology[0] + (n > 0 ? held : 0));
      ASSERT_EQ(theology_item_bonus(report, kNow), theology[0]);
    }
  }
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

TEST(SpellDevelopmentChance, DivisorZeroSetsNoFloor) {
  TurnReport report;
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

TEST(AverageSpellDamage, PowerElementsCapAndAmplifiers) {
  TurnReport report;
  set_levels(report, {{"taumaturgia", 4}});  // wizard power 2
  spell(report, 40, "tau", 5, {5, 1, 6, 0}).element = "T";
  know(report, 157);  // fire mastery: only with the element bonus
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 40, false, false), 7.0);
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 40, true, false), 9.0);
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 40, false, true), 17.5);
  hold(report, 518);
  hold(report, 533);
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 40, false, false), 11.0);
  ItemRecord& wand = report.items.item_by_number(600);
  wand.turn_equipped = true;
  wand.thaumaturgy = 6;
  report.settings.dressing_mode = 1;  // wizard power 5
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 40, false, false), 27.5);
  // Cap 0: only the fixed additions.
  spell(report, 41, "tau", 5, {0, 3, 6, 2}).element = "T";
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 41, false, true), 5.0);

  report = TurnReport();
  spell(report, 42, "teo", 5, {1, 1, 199, 0});   // 100 at the cap
  spell(report, 43, "teo", 5, {1, 1, 1199, 0});  // 600
  report.items.item_by_number(890).carried_count = 1;
  report.items.item_by_number(956).carried_count = 1;
  hold(report, 944);
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 42, false, true), 133.1);
  set_levels(report, {{"varázslat sebzés"_cp, 2}});  // +min(2 x 75, 30)
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 43, false, true), 780.0);
  set_levels(report, {{"teológia"_cp, 200}});  // no amplifiers from 200
  EXPECT_DOUBLE_EQ(average_spell_damage(report, 42, false, true), 120.0);
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

TEST(HitDamageBonus, TrainingItemBySkill) {
  // Item 894 at skill 36 gives 22 / 3.
  const std::pair<std::int32_t, double> rows[] = {
      {35, 11 + 8.0}, {36, 12 + 22.0 / 3}, {44, 14 + 2.0}, {45, 15.0}};
  for (const auto& [skill, bonus] : rows) {
    SCOPED_TRACE(skill);
    TurnReport report;
    report.attributes.strength = {14, 14};  // no strength bonus
    ItemRecord& sword = report.items.item_by_number(500);
    sword.weapon_type = "V";
    sword.damage_dice = {2, 6, 0};
    set_levels(report, {{"vágófegyverek"_cp, skill}});
    hold(report, 894);
    EXPECT_DOUBLE_EQ(average_hit_damage(report, 500), 7.0 + bonus);
    // Without the hand mark "B" the left hand does not strike with it.
    EXPECT_DOUBLE_EQ(average_offhand_hit_damage(report, 500), 0.0);
  }
}

TEST(PowerScore, SheetAndExpectation) {
  TurnReport report;
  report.level.level = 7;
  report.vital_points.max_life_points = 109;
  set_levels(report, {{"testépítés"_cp, 5}, {"sebzés"_cp, 50}});
  EXPECT_EQ(power_score(report), 21 + 10 + 5);  // "sebzés" is no skill
  report.turn_number = 100;
  EXPECT_NEAR(expected_power_score(report), 481.01, 1e-9);
}

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
