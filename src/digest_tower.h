// The challenge tower ("Kihívás Tornya"): what the trials of each level ask
// for, as the description file "txt/kihtor.txt" lists them, against what the
// character knows, carries and can do, and from that the chance of
// completing each of the tower's eight levels.
//
// The table lists, per group of requirements and trial level, the missing
// requirements and the share met (the `TowerReadiness`), the equipment the
// skill trials want, the items to bring, and the eight level chances. Six of
// those chances are simulated with the tool's one generator (rng.h), so they
// vary a little from run to run.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "turn_report.h"

namespace morvinta {

// Where the tower description is read from, beside the other catalogues.
inline constexpr const char* kTowerDescriptionPath = "txt/kihtor.txt";

// The share, in percent (0 to 100), of each group's requirements that the
// character meets, per trial level (index 0 is the level-1 trial). A group
// that lists nothing is fully met: 100.
struct TowerReadiness {
  std::array<double, 3> item_info_ready{};
  std::array<double, 3> monster_info_ready{};
  std::array<double, 3> monsters_ready{};
  std::array<double, 3> skills_ready{};
  std::array<double, 3> assembly_ready{};
};

// The rows of the requirement groups, the skill equipment and the items to
// bring, with the readiness they add up to.
struct TowerRequirements {
  std::string rows;
  TowerReadiness readiness;
};

// The whole "Kihívás Tornya" table, from its opening to its closing text,
// for the description file at path. Without that file the table holds one
// row saying so, no chances are drawn, and the console says it is missing.
std::string analyze_tower(const TurnReport& report,
                          const std::string& path = kTowerDescriptionPath);

// The requirement rows for a tower description text (an empty text lists
// nothing). Reads the item, monster and spell rows, the skill table and the
// settings entries "szörnyek:" and "szakértelmek:".
TowerRequirements tower_requirements(const TurnReport& report,
                                     std::string_view tower_description);

// The kinds of trial a floor can put, in the order of the table of their
// ten-sided roll: 1-2 information, 3-4 assembly, 5-7 monster, 8-10 skill.
enum class TrialKind { kInformation, kAssembly, kMonster, kSkill };

// Pass chances in percent, indexed by kind (in `TrialKind` order) and by
// zone (index 0 is zone 1, the lower floors).
using TowerChances = std::array<std::array<double, 3>, 4>;

// The chance of an information trial from the item and monster information
// readiness of one level: c = their mean, then (c * c / 100 + c) / 2.
double information_chance(double item_info_ready, double monster_info_ready);

// The pass chances of the four kinds in the three zones.
TowerChances tower_chances(const TowerReadiness& readiness);

// One simulated climb of floors_1, floors_2, floors_3 floors of zones 1, 2
// and 3 (each count 0 or more): the kind of trial each floor put, and
// whether every trial was passed. A kind never puts the trials of two floors
// less than three apart. Draws from the tool's generator.
struct TowerClimb {
  std::vector<TrialKind> trials;
  bool passed = true;
};
TowerClimb climb_tower(const TowerChances& chances, int floors_1, int floors_2,
                       int floors_3);

// The share of 10,000 simulated climbs that pass, in percent (0 to 100).
double tower_chance(const TowerChances& chances, int floors_1, int floors_2,
                    int floors_3);

// The "Összesítés" heading and the eight rows "%d. szint teljesítésére ...
// esélyed van", levels 1 to 8 in order; the simulated levels draw from the
// generator in that order.
std::string tower_chance_rows(const TowerReadiness& readiness);

}  // namespace morvinta
