#include "digest_tower.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "console.h"
#include "cp1250.h"
#include "rng.h"
#include "test_support.h"
#include "text_scan_plain.h"

namespace morvinta {
namespace {

using testing::contains;
using testing::TempFolder;

std::string cp(std::string_view text) { return std::string(text); }

std::string heading(std::string_view title) {
  return "\n<TR><TD CLASS=\"t1\" COLSPAN=3><SPAN CLASS=\"plusminus\"> " +
         std::string(title) + "</SPAN></TD></TR>";
}

std::string percent(std::string_view value) {
  return "\n<TR><TD CLASS=\"t1\" COLSPAN=3> " + std::string(value) +
         "% </TD></TR>";
}

// What a group writes after its heading: its cells and its percentage row,
// up to the next heading or part row.
std::string group(const std::string& rows, std::string_view title) {
  const std::string head = heading(title);
  const std::size_t at = rows.find(head);
  if (at == std::string::npos) return "no group " + std::string(title);
  const std::size_t from = at + head.size();
  const std::size_t end =
      std::min(rows.find("\n<TR><TD CLASS=\"t1\" COLSPAN=3><SPAN", from),
               rows.find("\n<TR><TD CLASS=\"c3\"", from));
  return rows.substr(from, end == std::string::npos ? end : end - from);
}

class TowerTest : public testing::ConsoleTest {
 protected:
  void item(int n, std::string_view name, bool known, int carried = 0) {
    ItemRecord& row = report_.items.item_by_number(n);
    row.name = std::string(name);
    row.known = known;
    row.carried_count = carried;
  }
  void monster(int n, std::string_view name, bool known) {
    MonsterRecord& row = report_.monsters.monster_by_number(n);
    row.name = std::string(name);
    row.known = known;
  }
  // Sets skill levels through the sheet: pairs of a name and a level.
  void skills(std::string_view cells) {
    report_.skills.parse("KARAKTERLAP" + std::string(cells), 1, false);
  }

  TurnReport report_;
};

TEST_F(TowerTest, ListedNumbersAndCellsThreeToARow) {
  item(5, "Kard", true);
  item(12, "Pajzs", false);
  item(1, "Tollpihe", false);
  item(1999, "Utolsó"_cp, false);
  monster(999, "Sárkány"_cp, false);
  for (int n = 11; n <= 18; ++n) monster(n, formatted("M%d", n), false);
  // After "szörnyek:" the settings say 18 can be defeated and 17 cannot;
  // 11 to 16 are not named.
  report_.settings.settings_text =
      cp("szörnyek link: 1;\nszörnyek:\n#17 0\n#18 1\n;"_cp);
  // "#12 " lists 12 and not 1; "#120" before ";" is no listing; 2000 and
  // 1000 are beyond the numbers looked for.
  const TowerRequirements tower = tower_requirements(
      report_,
      "infokt1: #5 #12 ;infokt2: #1999 #2000 #120;infosz1: #999 #1000 ;"
      "szornyek1: #11 #12 #13 #14 #15 #16 #17 #18 ;");
  const struct {
    std::string_view title;
    std::string expected;
  } cases[] = {
      {"Hiányzó tárgy infók (1.szintű próba):"_cp,
       "\n<TR><TD> Pajzs (#12) </TD></TR>" + percent("50.00")},
      {"Hiányzó tárgy infók (2.szintű próba):"_cp,
       cp("\n<TR><TD> Utolsó (#1999) </TD></TR>"_cp) + percent("0.00")},
      {"Hiányzó tárgy infók (3.szintű próba):"_cp, percent("100.00")},
      {"Hiányzó szörny infók (1.szintű próba):"_cp,
       cp("\n<TR><TD> Sárkány (#999) </TD></TR>"_cp) + percent("0.00")},
      {"Szörnyek amiket nem tudsz megölni (1.szintű próba):"_cp,
       "\n<TR><TD> M11 (#11) </TD><TD> M12 (#12) </TD><TD> M13 (#13) </TD>"
       "</TR>\n<TR><TD> M14 (#14) </TD><TD> M15 (#15) </TD><TD> M16 (#16) "
       "</TD></TR>\n<TR><TD> M17 (#17) </TD></TR>" +
           percent("12.50")},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(to_utf8(row.title));
    EXPECT_EQ(group(tower.rows, row.title), row.expected);
  }
  const TowerReadiness& ready = tower.readiness;
  EXPECT_EQ(ready.item_info_ready, (std::array<double, 3>{50, 0, 100}));
  EXPECT_EQ(ready.monster_info_ready, (std::array<double, 3>{0, 100, 100}));
  EXPECT_EQ(ready.monsters_ready, (std::array<double, 3>{12.5, 100, 100}));
}

TEST_F(TowerTest, SkillTrialsAndTheTheftRule) {
  skills(
      "<TD>zene:</TD><TD>2</TD><TD>lopás:</TD><TD>2</TD>"
      "<TD>mászás:</TD><TD>5</TD>"_cp);
  // Only these three are listed; the cells follow the skill table's order.
  const std::string description =
      cp("zene 2 4 7\nlopás 0 6 9\nmászás 4 6 7\n"_cp);
  const auto skill_group = [&](int level) {
    return group(tower_requirements(report_, description).rows,
                 formatted("Szakértelem próbák amiket nem tudsz megcsinálni "
                           "(%d.szintű próba):"_cp.data(),
                           level));
  };
  // Theft at 2 is no trial: its met mark at level 1 leaves with it, so 2
  // of 2 and not 3 of 2.
  EXPECT_EQ(skill_group(1), percent("100.00"));
  EXPECT_EQ(skill_group(2),
            cp("\n<TR><TD> mászás (1) </TD><TD> zene (2) </TD></TR>"_cp) +
                percent("0.00"));
  EXPECT_EQ(tower_requirements(report_, description).readiness.skills_ready,
            (std::array<double, 3>{100, 0, 0}));
  // Settings bonuses lift theft to 3 and mászás to 7.
  report_.settings.settings_text = cp("szakértelmek:\nlopás 1\nmászás 2\n;"_cp);
  EXPECT_EQ(skill_group(2),
            cp("\n<TR><TD> zene (2) </TD><TD> lopás (3) </TD></TR>"_cp) +
                percent("33.33"));
  EXPECT_EQ(skill_group(3),
            cp("\n<TR><TD> zene (5) </TD><TD> lopás (6) </TD></TR>"_cp) +
                percent("33.33"));
}

TEST_F(TowerTest, AssemblyEntries) {
  item(171, "Lant", true);
  item(172, "Dob", true);
  item(173, "Kürt"_cp, true);
  item(174, "Hárfa"_cp, false);
  item(175, "Síp"_cp, true);
  item(5, "Húr"_cp, true, 2);
  item(9, "Fa", true, 0);
  const TowerRequirements tower = tower_requirements(
      report_,
      // 171 has no parentheses: it is judged by 172's (2 of #5 carried, 1 of
      // #9 not); 174 is not known; 173 has none after it, so it is met.
      "targyak1: 171, 172 (2 db #5 + 1 db #9), 174 (1 db #5), 173, ;"
      // The last entry without "," is not handled.
      "targyak2: 175 (3 db #5), 172 (1 db #9) ;");
  EXPECT_EQ(
      group(tower.rows,
            "Tárgyak amiket nem tudsz összerakni (1.szintű próba):"_cp),
      cp("\n<TR><TD> Lant (#171) </TD><TD> Dob (#172) </TD><TD> Hárfa (#174) "
         "(nem ismered) </TD></TR>"_cp) +
          percent("25.00"));
  EXPECT_EQ(group(tower.rows,
                  "Tárgyak amiket nem tudsz összerakni (2.szintű próba):"_cp),
            cp("\n<TR><TD> Síp (#175) </TD></TR>"_cp) + percent("0.00"));
  EXPECT_DOUBLE_EQ(tower.readiness.assembly_ready[0], 25);
  EXPECT_DOUBLE_EQ(tower.readiness.assembly_ready[2], 100);
}

TEST_F(TowerTest, BottomlessBagMakesGoodAThirdOfWhatIsMissing) {
  item(570, "Feneketlen bugyor", true, 1);
  for (int n = 171; n <= 175; ++n) item(n, formatted("T%d", n), n <= 172);
  // Five entries, two met: 40, then 40 + 60 x 0.33 = 59.8.
  const TowerRequirements tower = tower_requirements(
      report_, "targyak1: 171 (), 172 (), 173 (), 174 (), 175 (), ;");
  EXPECT_NEAR(tower.readiness.assembly_ready[0], 59.8, 1e-9);
  EXPECT_TRUE(contains(tower.rows,
                       "\n<TR><TD CLASS=\"t1\" COLSPAN=3> 59.80% "
                       "(feneketlen bugyorral (#570))</TD></TR>"));
  // A full group stays at 100.
  EXPECT_NEAR(tower.readiness.assembly_ready[1], 100, 1e-9);
}

TEST_F(TowerTest, ItemsToBring) {
  item(40, "Gyógyital"_cp, true, 1);
  item(5, "Kard", true, 1);
  item(67, "Nyíl"_cp, true, 0);
  const TowerRequirements tower = tower_requirements(
      report_, "targyako1: 3 db #40, 1 db #5, 20 db #67, 2 db #41 ;");
  EXPECT_EQ(
      group(tower.rows, "Tárgyak amik az 1.szinthez kellenek és nincsenek:"_cp),
      cp("\n<TR>\n<TD> 2 db Gyógyital (#40) </TD>\n<TD> 20 db Nyíl (#67) "
         "</TD></TR>"_cp));
}

TEST_F(TowerTest, DescriptionFile) {
  const TempFolder folder;
  const std::string path = (folder.path() / "kihtor.txt").string();
  seed_random(7);
  EXPECT_EQ(analyze_tower(report_, path),
            cp("\n<P>\n<TABLE WIDTH=740 CELLPADDING=1 CELLSPACING=0 BORDER=0 "
               "CLASS=\"t0\"><TR><TD><TABLE CELLPADDING=2 CELLSPACING=0 "
               "BORDER=0 CLASS=\"t1\" WIDTH=740>\n<TR><TD CLASS=\"c2\" "
               "COLSPAN=3>Kihívás Tornya</TD></TR>"
               "\n<TR><TD CLASS=\"t1\" COLSPAN=3> nincs meg a kihtor.txt "
               "</TD></TR>\n</TABLE></TD></TR></TABLE>"_cp));
  EXPECT_EQ(console_, "nem talalom a \"kihtor.txt\"-t!\n");
  // Nothing drawn: the first value after the seed, state 7 x 214013 +
  // 2531011 = 4029102, whose bits 16 to 30 are 61.
  EXPECT_EQ(next_random(), 61);

  folder.write("kihtor.txt", "infokt1: #5 ;\r\n"_cp);
  item(5, "Kard", false);
  const std::string table = analyze_tower(report_, path);
  EXPECT_TRUE(contains(table, "<TD> Kard (#5) </TD>"));
  const std::string closing =
      cp("% esélyed van</TD></TR>\n</TABLE></TD></TR></TABLE>"_cp);
  ASSERT_GT(table.size(), closing.size());
  EXPECT_EQ(table.substr(table.size() - closing.size()), closing);
}

TEST(InformationChance, MeanThenSquaredHalf) {
  EXPECT_DOUBLE_EQ(information_chance(50, 50), 37.5);  // c 50: (25 + 50) / 2
  EXPECT_DOUBLE_EQ(information_chance(80, 40), 48);    // c 60: (36 + 60) / 2
  EXPECT_DOUBLE_EQ(information_chance(100, 100), 100);
}

TowerChances all_chances(double value) {
  TowerChances chances;
  for (auto& kind : chances) kind.fill(value);
  return chances;
}

constexpr std::size_t kInfo = static_cast<std::size_t>(TrialKind::kInformation);
constexpr std::size_t kMonster = static_cast<std::size_t>(TrialKind::kMonster);
constexpr std::size_t kAssembly =
    static_cast<std::size_t>(TrialKind::kAssembly);

TEST(ClimbTower, SeedOneWorkedByHand) {
  // Seed 1 gives the values 41, 18467, 6334, 26500, 19169, 15724, 11478,
  // 29358; each draw takes one for the kind (r x 10 / 32768 + 1) and one for
  // p (r x 10000 / 32768 + 1, over 100):
  //   floor 1: 1, information (zone 1), p 56.36
  //   floor 2: 2, information again: barred, no trial; p 80.88 all the same
  //   floor 2: 6, monster (zone 2), p 47.99
  //   floor 3: 4, assembly (zone 2), p 89.60
  const struct {
    const char* what;
    std::size_t kind, zone;
    double chance;
    bool passed;
  } cases[] = {
      {"chance equal to p passes", kInfo, 0, 56.36, true},
      {"just below p fails", kInfo, 0, 56.35, false},
      {"the barred draw's p does not count", kInfo, 1, 0, true},
      {"monster on floor 2", kMonster, 1, 47.98, false},
      {"monster zone 1 is not asked", kMonster, 0, 0, true},
      {"assembly on floor 3", kAssembly, 1, 89.60, true},
      {"assembly below", kAssembly, 1, 89.59, false},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.what);
    TowerChances chances = all_chances(100);
    chances[row.kind][row.zone] = row.chance;
    seed_random(1);
    const TowerClimb climb = climb_tower(chances, 1, 2, 0);
    EXPECT_EQ(climb.trials, (std::vector<TrialKind>{TrialKind::kInformation,
                                                    TrialKind::kMonster,
                                                    TrialKind::kAssembly}));
    EXPECT_EQ(climb.passed, row.passed);
    EXPECT_EQ(next_random(), 26962);  // four draws took eight values
  }
}

TEST(ClimbTower, AKindNeverSetsTwoFloorsLessThanThreeApart) {
  seed_random(20240517);
  const TowerChances chances = all_chances(50);
  for (int i = 0; i < 2000; ++i) {
    const TowerClimb climb = climb_tower(chances, 3, 3, 3);
    ASSERT_EQ(climb.trials.size(), 9u);
    for (std::size_t f = 1; f < climb.trials.size(); ++f) {
      ASSERT_NE(climb.trials[f], climb.trials[f - 1]) << "climb " << i;
      if (f >= 2) {
        ASSERT_NE(climb.trials[f], climb.trials[f - 2]) << "climb " << i;
      }
    }
  }
}

// The number of each of the eight level rows, as printed.
std::vector<std::string> level_values(const std::string& rows) {
  std::vector<std::string> values;
  for (int level = 1; level <= 8; ++level) {
    const std::string label =
        formatted("> %d. szint teljesítésére "_cp.data(), level);
    const std::size_t at = rows.find(label);
    if (at == std::string::npos) {
      values.push_back("missing");
      continue;
    }
    const std::size_t from = at + label.size();
    values.push_back(rows.substr(from, rows.find('%', from) - from));
  }
  return values;
}

std::array<std::array<double, 3>*, 5> groups(TowerReadiness& readiness) {
  return {&readiness.item_info_ready, &readiness.monster_info_ready,
          &readiness.monsters_ready, &readiness.skills_ready,
          &readiness.assembly_ready};
}

TEST(TowerChanceRows, AllOrNothing) {
  for (const double ready : {100.0, 0.0}) {
    SCOPED_TRACE(ready);
    TowerReadiness readiness;
    for (auto* group : groups(readiness)) group->fill(ready);
    seed_random(3);
    const std::string rows = tower_chance_rows(readiness);
    const std::string value = ready == 100 ? "100.00" : "0.00";
    EXPECT_EQ(level_values(rows), std::vector<std::string>(8, value));
    EXPECT_EQ(rows.find(cp("\n<TR><TD CLASS=\"c3\" COLSPAN=3> "
                           "Összesítés</TD></TR>\n<TR><TD CLASS=\"t1\" "
                           "COLSPAN=3> 1. szint teljesítésére "_cp)),
              0u);
  }
}

TEST(TowerChanceRows, LevelsSixAndSevenByTheClosedForm) {
  TowerReadiness readiness;
  readiness.monsters_ready = {50, 80, 100};  // 100 x .25 x .64 x 1 = 16
  readiness.skills_ready = {90, 90, 90};     // 100 x .81^3 = 53.1441
  seed_random(5);
  const std::vector<std::string> values =
      level_values(tower_chance_rows(readiness));
  EXPECT_EQ(values[5], "16.00");
  EXPECT_EQ(values[6], "53.14");
}

TEST(TowerChance, WalkedClimbsMatchThePlainOnes) {
  // Readiness on and beside the hundredths the rolls come in, beyond 0 to
  // 100, and uneven (the information readiness reaches the chances through
  // `information_chance`); each table and floor count from its own seed.
  const double kReady[] = {0,     100,  33.33, 56.36, 56.35, 99.99,  0.01,
                           66.67, 12.5, -3,    104,   50,    75.125, 80};
  std::mt19937 random(2024);
  const auto compare = [&](std::uint32_t seed, const auto& chance_of) {
    seed_random(seed);
    use_plain_scans(true);
    const auto plain = chance_of();
    const std::uint32_t plain_state = random_state;
    use_plain_scans(false);
    seed_random(seed);
    EXPECT_EQ(chance_of(), plain) << "seed " << seed;
    EXPECT_EQ(random_state, plain_state) << "seed " << seed;
  };
  for (int table = 0; table < 4; ++table) {
    SCOPED_TRACE(table);
    TowerReadiness readiness;
    for (auto* group : groups(readiness)) {
      for (double& ready : *group) ready = kReady[random() % std::size(kReady)];
    }
    compare(random(), [&] { return tower_chance_rows(readiness); });
  }
  // Floor counts the tool never asks for: one floor, none, the most that are
  // walked and more.
  const TowerChances chances = tower_chances({{56.36, 47.98, 100},
                                              {0, 33.33, 89.6},
                                              {75, 60, 99.99},
                                              {50, 50, 50},
                                              {80, 90, 12.5}});
  for (const auto& floors :
       {std::array{1, 0, 0}, std::array{0, 0, 1}, std::array{0, 0, 0},
        std::array{4, 4, 4}, std::array{5, 4, 4}, std::array{2, 0, 3}}) {
    SCOPED_TRACE(floors[0] * 100 + floors[1] * 10 + floors[2]);
    compare(random(), [&] {
      return tower_chance(chances, floors[0], floors[1], floors[2]);
    });
  }
  // The 10,000th climb ending on the first draw of one of the walk's blocks
  // of 64 draws, and on the last.
  const struct {
    std::uint32_t seed;
    std::array<int, 3> floors;
  } kBlockEdges[] = {{4, {1, 2, 0}}, {29, {3, 3, 3}}};
  for (const auto& edge : kBlockEdges) {
    SCOPED_TRACE(edge.seed);
    compare(edge.seed, [&] {
      return tower_chance(chances, edge.floors[0], edge.floors[1],
                          edge.floors[2]);
    });
  }
}

}  // namespace
}  // namespace morvinta
