// The character sheet of a turn report: the attributes, the name and
// description with the deity and priest title, the point pools, level,
// experience and combat values, the company, the price of folly setting, the
// weapon skills, the skills and the development points. Each record starts at
// its defaults and is filled once while the report loads; a block the report
// lacks leaves its record as it was.
//
// Every parser takes the whole report text, the report kind (1 the current
// layout, 2 the old one; any other kind reads nothing and prints nothing) and
// the verbose switch, with which it prints the values it holds afterwards.
// Texts kept from the report are 1250 bytes, cut to their stated lengths.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "text_scan.h"

namespace morvinta {

// One attribute as the sheet shows it: the value and the one in parentheses.
struct AttributeValue {
  std::int32_t first = 0;
  std::int32_t second = 0;
};

struct Attributes {
  AttributeValue strength;
  AttributeValue intelligence;  // "IQ"
  AttributeValue dexterity;
  AttributeValue health;
  AttributeValue luck;

  // Reads the five attributes of the sheet. A second value the sheet does not
  // give (read as 0) takes the first value.
  void parse_attributes(std::string_view text, std::int32_t report_kind,
                        bool verbose);
};

struct Identity {
  std::int32_t height = 0;         // cm
  std::int32_t weight = 0;         // kg
  std::int32_t age = 0;            // the figure before the slash
  std::int32_t age_second = 0;     // the figure after the slash
  std::string name = "Anonymus";   // at most 19 bytes
  std::string description = "-";   // race and looks, at most 199 bytes
  std::string deity = "Hitetlen";  // at most 19 bytes
  std::string priest_title = "-";  // at most 99 bytes

  // Reads the head of the sheet. Blank runs and line breaks inside the texts
  // are squeezed; when several deities are named, the last of the game's list
  // wins; a field whose anchors are missing keeps its default.
  void parse_identity(std::string_view text, std::int32_t report_kind,
                      bool verbose);
};

struct VitalPoints {
  std::int32_t max_life_points = 0;   // ÉP
  std::int32_t max_magic_points = 0;  // VP
  std::int32_t max_psi_points = 0;
  // Consciousness points (TU), or blood points when the sheet shows those.
  std::int32_t max_fourth_points = 0;

  // Reads the maxima of the point pools, searching the whole report.
  void parse_vital_points(std::string_view text, std::int32_t report_kind,
                          bool verbose);
};

struct LevelRecord {
  std::int32_t life_points = 0;
  std::int32_t magic_points = 0;
  std::int32_t psi_points = 0;
  std::int32_t consciousness_points = 0;  // or blood points when shown
  std::int32_t unspent_attribute_points = 0;
  std::int32_t unspent_ability_points = 0;
  std::int32_t unspent_development_points = 0;
  double experience = 0;  // TP
  double experience_to_next_level = 0;
  double experience_this_turn = 0;
  std::int32_t total_so_far = 0;  // "Eddig összesen", current layout only
  std::int32_t immortality_percent = 0;
  std::int32_t level = 0;
  std::int32_t attack = 0;
  std::int32_t defence = 0;
  // Neutral keeps the sheet's number n; evil is -20 - n, good n + 20. So -19
  // to 19 is neutral, below evil, above good.
  std::int32_t alignment = 0;
  // VP at the start of the turn for learning spells, current layout only.
  std::int32_t turn_start_vp = 0;
  std::int32_t efejl = 0;

  // Reads the current points, experience, level and combat values; a value
  // whose anchors are missing stays 0.
  void parse(std::string_view text, std::int32_t report_kind, bool verbose);
};

struct CompanyMembership {
  std::int32_t company_number = 0;  // 0: no company
  std::string company_name = "-";   // at most 99 bytes

  // Reads the company from the sentence "K.T. tagjai közé tartozol.": the
  // number is the last one before it; the name follows the article "A" or
  // "Az" among the last 30 bytes before the number's " (", and stays as it
  // was when no article stands there.
  void parse(std::string_view text, std::int32_t report_kind, bool verbose);
};

// The price of folly: spells cheaper than a school's limit cost its extra VP
// more. A limit of 0 affects no spell.
struct FollyPrice {
  std::int32_t theology_cost_limit = 0;
  std::int32_t theology_extra_vp = 0;
  std::int32_t thaumaturgy_cost_limit = 0;
  std::int32_t thaumaturgy_extra_vp = 0;

  // Reads the "Butaság ára beállítás:" setting; without it all stay 0.
  void parse(std::string_view text, std::int32_t report_kind, bool verbose);
};

// One named row of the weapon-skill, skill and development-point tables.
struct SkillEntry {
  std::int32_t level = 0;
  std::int32_t maximum = 0;   // after the slash
  std::int32_t progress = 0;  // percent, after the opening parenthesis
  bool starred = false;       // the value carried "*"
  std::string name;           // the row's fixed name, 1250 bytes
};

// Fills the row's figures from one value text such as "*12/20 (35%)": the
// first number is the level, the first after "/" the maximum (0 without "/"),
// the first after "(" the progress; a value without "/" gives its progress in
// hundredths, so it is multiplied by 100. "*" sets `starred`, which is never
// cleared here. An absent text changes nothing.
void parse_skill_value(SkillEntry& row, MaybeText text);

class WeaponSkills {
 public:
  // Seven named rows and a spare one that no parse fills.
  static constexpr std::size_t kRows = 8;

  WeaponSkills();

  // Reads the seven weapon skills of the sheet; a row the sheet lacks stays.
  void parse(std::string_view text, std::int32_t report_kind, bool verbose);

  // The named row whose name (1250 bytes) equals the given one exactly; the
  // spare row, all zero, for any other name.
  const SkillEntry& find_weapon_skill(std::string_view name) const;

  const std::array<SkillEntry, kRows>& rows() const { return rows_; }

 private:
  std::array<SkillEntry, kRows> rows_;
};

class SkillTable {
 public:
  // 25 rows read from the sheet and "ősteológia", which the sheet never
  // fills and which stands for every unknown name.
  static constexpr std::size_t kRows = 26;

  SkillTable();

  // Reads the skills of the sheet. A mind turbo ("tudatturbó") that the
  // sheet shows as carried out is taken off its skill, so the table holds
  // the character's own levels.
  void parse(std::string_view text, std::int32_t report_kind, bool verbose);

  // The row among the first 25 whose name equals the given one exactly; the
  // "ősteológia" row, all zero, for any other name.
  const SkillEntry& find_skill(std::string_view name) const;

  const std::array<SkillEntry, kRows>& rows() const { return rows_; }

 private:
  std::array<SkillEntry, kRows> rows_;
};

class DevelopmentPoints {
 public:
  // Twelve named rows and a spare one that the parse never fills.
  static constexpr std::size_t kRows = 13;

  DevelopmentPoints();

  // Reads the development points from the section that ends at the
  // conditional orders. A name that ends a longer one ("regeneráció" in
  // "vp regeneráció") is read from its own line only.
  void parse(std::string_view text, std::int32_t report_kind, bool verbose);

  // The named row whose name equals the given one exactly; the spare row,
  // all zero, for any other name.
  const SkillEntry& find_development_point(std::string_view name) const;

  const std::array<SkillEntry, kRows>& rows() const { return rows_; }

 private:
  std::array<SkillEntry, kRows> rows_;
};

}  // namespace morvinta
