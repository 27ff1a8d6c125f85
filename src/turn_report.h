// One turn report of one character: the numbers taken from the file name,
// the whole report text, its layout, the records the section parsers fill,
// the three catalogues, the character's settings and the order sheet.
// The driver makes one per file and drops it before the next.
#pragma once

#include <cstdint>
#include <string>

#include "catalogues.h"
#include "character_sheet.h"
#include "digest.h"
#include "order_sheet.h"
#include "report_sections.h"
#include "settings_file.h"

namespace morvinta {

// The marker comment that starts every report the tool has enhanced.
inline constexpr std::string_view kProcessedMarker = "<!-- morvinta -->";

class TurnReport {
 public:
  // Reads the report file and everything it needs, printing its progress.
  // Every outcome shows in `report_kind`: 0 refused as already processed,
  // 1 current layout, 2 old layout (whether or not a character sheet was
  // found). A file that cannot be read leaves an empty text and goes on.
  // The catalogues come from the run's when given, else from their files.
  void load(const std::string& file_name, bool verbose,
            RunCatalogues* run_catalogues = nullptr);

  std::int32_t character_number = 0;
  std::int32_t turn_number = 0;
  std::string file_name;  // the report file as given to `load`
  std::string text;       // the report, later the enhanced report
  std::int32_t report_kind = 0;
  // The section parsers ran: the report has a character sheet, so what the
  // character knows was read from it.
  bool sections_read = false;
  // The battles the turn summary tallied.
  std::int32_t battle_count = 0;

  Attributes attributes;
  Identity identity;
  VitalPoints vital_points;
  LevelRecord level;
  WeaponSkills weapon_skills;
  SkillTable skills;
  DevelopmentPoints development_points;
  CompanyMembership company;
  AdventureLog adventures;
  FollyPrice folly_price;
  SpellCatalogue spells;
  ItemCatalogue items;
  BattleLog battles;
  MonsterCatalogue monsters;
  Settings settings;
  OrderSheet order_sheet;

 private:
  // Runs the section parsers over the text in their fixed order.
  void parse_sections(bool verbose);
};

// The banner that starts every run and every report: a rule, where to write
// about faults, a rule.
void print_banner();

}  // namespace morvinta
