#include "character_sheet.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <span>

#include "console.h"
#include "cp1250.h"
#include "figures.h"

namespace morvinta {

namespace {

constexpr std::int32_t kCurrentLayout = 1;
constexpr std::int32_t kOldLayout = 2;

constexpr auto npos = std::string_view::npos;

bool is_readable_kind(std::int32_t report_kind) {
  return report_kind == kCurrentLayout || report_kind == kOldLayout;
}

bool contains(MaybeText text, std::string_view pattern) {
  return find_after(text, pattern).has_value();
}

// The text from the first occurrence of the anchor, anchor included, to the
// end; absent when the anchor does not occur.
MaybeText from_first(MaybeText text, std::string_view anchor) {
  if (!text) return std::nullopt;
  const std::size_t at = find_first(*text, anchor);
  if (at == npos) return std::nullopt;
  return text->substr(at);
}

// The last number of the text from the first start through the first end
// after it; 0 when either is missing.
std::int32_t last_number(MaybeText text, std::string_view start,
                         std::string_view end) {
  return nth_number_from_end(extract_inclusive(text, start, end), 1);
}

// A text field taken from the report: blank runs squeezed, line feeds
// dropped, cut to the field's length.
std::string sheet_field(std::string_view text, std::size_t max_length) {
  return cut_to(squeeze_spaces(text).value_or(std::string()), max_length);
}

// Whether the row name standing at `at` is the tail of a longer name of the
// same table ("regeneráció" of "vp regeneráció", "teológia" of "ősteológia").
bool ends_longer_name(std::string_view text, std::size_t at,
                      std::string_view name,
                      std::span<const std::string_view> names) {
  for (const std::string_view other : names) {
    if (other.size() <= name.size() || !other.ends_with(name)) continue;
    const std::size_t lead = other.size() - name.size();
    if (at >= lead && text.substr(at - lead, other.size()) == other) {
      return true;
    }
  }
  return false;
}

// The text just past the first label "<name><suffix>" that names this row
// and not a longer row of the same table; absent when there is none.
MaybeText after_row_label(MaybeText text,
                          std::span<const std::string_view> names,
                          std::size_t row, std::string_view suffix) {
  if (!text) return std::nullopt;
  const std::string_view name = names[row];
  const std::string label = std::string(name) + std::string(suffix);
  for (std::size_t at = find_first(*text, label); at != npos;
       at = find_first(*text, label, at + 1)) {
    if (!ends_longer_name(*text, at, name, names)) {
      return text->substr(at + label.size());
    }
  }
  return std::nullopt;
}

template <std::size_t N>
void name_rows(std::array<SkillEntry, N>& rows,
               std::span<const std::string_view> names) {
  for (std::size_t i = 0; i < names.size() && i < N; ++i) {
    rows[i].name = std::string(names[i]);
  }
}

// The first of the named rows whose name equals the given one; `fallback`
// when none does.
template <std::size_t N>
const SkillEntry& find_row(const std::array<SkillEntry, N>& rows,
                           std::size_t named_rows, std::string_view name,
                           const SkillEntry& fallback) {
  for (std::size_t i = 0; i < named_rows && i < N; ++i) {
    if (rows[i].name == name) return rows[i];
  }
  return fallback;
}

// "*" for a starred row, "name: level/maximum", " (progress%)" when there
// is progress; one line per row.
void say_skill_rows(std::span<const SkillEntry> rows) {
  for (const SkillEntry& row : rows) {
    if (row.starred) say("*");
    sayf("%s: %d/%d", to_utf8(row.name).c_str(), row.level, row.maximum);
    if (row.progress != 0) sayf(" (%d%%)", row.progress);
    say("\n");
  }
}

// --- Attributes ---

constexpr std::string_view kAttributeLabelsCurrent[] = {
    "Erő:"_cp, "IQ:", "Ügyesség:"_cp, "Egészség:"_cp, "Szerencse:"};

// Ten bytes each: the old sheet pads the names with blanks to the colon.
constexpr std::string_view kAttributeLabelsOld[] = {
    "erő      :"_cp, "iq       :", "ügyesség :"_cp, "egészség :"_cp,
    "szerencse:"};

constexpr const char* kAttributeVerbose[] = {
    "Ero      : ", "IQ       : ", "Ugyesseg : ", "Egeszseg : ", "Szerencse: "};

// --- Weapon skills, skills, development points ---

constexpr std::string_view kWeaponSkillNames[] = {
    "víziharc"_cp,      "ökölvívás"_cp,    "szúrófegyverek"_cp,
    "vágófegyverek"_cp, "ütőfegyverek"_cp, "dobófegyverek"_cp,
    "lőfegyverek"_cp};

// The 25 skills of the sheet, then "ősteológia", which the sheet never
// fills but whose name holds "teológia".
constexpr std::string_view kSkillNames[] = {
    "rejtőzködés"_cp,    "nyomkövetés"_cp,    "mászás"_cp,
    "csapdakészítés"_cp, "csapdaészlelés"_cp, "gyógyítás"_cp,
    "titkosírás"_cp,     "felderítés"_cp,     "szörnyidomítás"_cp,
    "teológia"_cp,       "taumaturgia"_cp,    "szerencsejáték"_cp,
    "versengés"_cp,      "harcművészetek"_cp, "zene"_cp,
    "szörnyismeret"_cp,  "pszi"_cp,           "zárnyitás"_cp,
    "vadászat"_cp,       "vitalitás"_cp,      "bányászat"_cp,
    "úszás"_cp,          "lopás"_cp,          "ordítás"_cp,
    "testépítés"_cp,     "ősteológia"_cp};
constexpr std::size_t kSheetSkills = 25;

constexpr std::string_view kDevelopmentPointNames[] = {
    "sebzés"_cp,          "támadás"_cp,          "védekezés"_cp,
    "max. életpont"_cp,   "varázslat sebzés"_cp, "regeneráció"_cp,
    "tulajdonságpont"_cp, "képességpont"_cp,     "gyors fejlődés"_cp,
    "vp regeneráció"_cp,  "kincskeresés"_cp,     "halhatatlanság"_cp};

static_assert(std::size(kWeaponSkillNames) + 1 == WeaponSkills::kRows);
static_assert(std::size(kSkillNames) == SkillTable::kRows);
static_assert(std::size(kDevelopmentPointNames) + 1 ==
              DevelopmentPoints::kRows);

constexpr std::string_view kHighlighted = "CLASS=\"k\"";
constexpr std::string_view kHighlightedCell = "CLASS=\"k\">";

}  // namespace

void Attributes::parse_attributes(std::string_view text,
                                  std::int32_t report_kind, bool verbose) {
  if (!is_readable_kind(report_kind)) return;
  const bool current = report_kind == kCurrentLayout;
  AttributeValue* const values[] = {&strength, &intelligence, &dexterity,
                                    &health, &luck};
  const MaybeText sheet =
      from_first(text, current ? "KARAKTERLAP" : "KARAKTERLAPOD");
  for (std::size_t i = 0; i < std::size(values); ++i) {
    AttributeValue& value = *values[i];
    if (current) {
      // The cell's markup holds a number of its own before the values.
      const MaybeText segment =
          extract_between(sheet, kAttributeLabelsCurrent[i], "&nbsp;");
      value.first = nth_number(segment, 2);
      value.second = nth_number(segment, 3);
    } else {
      const MaybeText segment =
          extract_between(sheet, kAttributeLabelsOld[i], "</td></tr>");
      value.first = nth_number(segment, 1);
      value.second = nth_number(segment, 2);
    }
    if (value.second == 0) value.second = value.first;
  }
  if (!verbose) return;
  for (std::size_t i = 0; i < std::size(values); ++i) {
    sayf("%s%d", kAttributeVerbose[i], values[i]->first);
    if (values[i]->second != 0) sayf(" (%d)", values[i]->second);
    say("\n");
  }
}

void Identity::parse_identity(std::string_view text, std::int32_t report_kind,
                              bool verbose) {
  if (!is_readable_kind(report_kind)) return;
  const bool current = report_kind == kCurrentLayout;
  const std::string_view sheet_anchor =
      current ? "KARAKTERLAP" : "KARAKTERLAPOD";
  const MaybeText sheet = from_first(text, sheet_anchor);

  const std::string_view name_start =
      current ? "<TR><TD CLASS=\"klap\"> " : "<br>";
  const std::string_view name_end = current ? ", egy  " : ",  egy ";
  if (const MaybeText found = extract_between(sheet, name_start, name_end)) {
    name = sheet_field(*found, 19);
  }
  if (const MaybeText found = extract_between(sheet, name_end, " vagy.")) {
    description = sheet_field(*found, 199);
  }

  // The sheet's head up to the turn sentence; of the deities it names, the
  // last in the game's list wins.
  const MaybeText head = extract_inclusive(text, sheet_anchor, "fordulód."_cp);
  constexpr std::string_view kDeities[] = {"Dornodon",  "Leah",   "Chara-din",
                                           "Fairlight", "Tharr",  "Sheran",
                                           "Raia",      "Elenios"};
  for (const std::string_view deity_name : kDeities) {
    if (contains(head, deity_name)) deity = std::string(deity_name);
  }
  // The title is what stands between the deity's name and "vagy.".
  if (contains(extract_inclusive(text, "KARAKTERLAP", "fordulód."_cp), deity)) {
    const MaybeText title =
        extract_between(extract_inclusive(head, deity, "vagy."), " ", " vagy.");
    if (title) priest_title = sheet_field(*title, 99);
  }

  height = nth_number_from_end(
      extract_inclusive(text, current ? "Magasság:"_cp : "magasság:"_cp, "cm"),
      1);
  weight = nth_number_from_end(
      extract_inclusive(text, current ? "Testsúly:"_cp : "testsúly:"_cp, "kg"),
      1);
  const MaybeText age_segment =
      extract_inclusive(text, current ? "Életkor:"_cp : "életkor:"_cp, "év"_cp);
  age = nth_number_from_end(age_segment, 2);
  age_second = nth_number_from_end(age_segment, 1);

  if (!verbose) return;
  sayf("Karakter neve    : %s\n", to_utf8(name).c_str());
  sayf("Karakter kinezete: %s\n", to_utf8(description).c_str());
  sayf("Isten            : %s\n", to_utf8(deity).c_str());
  sayf("Papirang         : %s\n", to_utf8(priest_title).c_str());
  sayf("Magassag: %d cm\n", height);
  sayf("Testsuly: %d kg\n", weight);
  sayf("Eletkor : %d", age);
  if (age_second != 0) sayf("/%d", age_second);
  say("\n");
}

void VitalPoints::parse_vital_points(std::string_view text,
                                     std::int32_t report_kind, bool verbose) {
  if (!is_readable_kind(report_kind)) return;
  if (report_kind == kCurrentLayout) {
    // The maximum is the second number from the end of the cell up to the
    // first "&nbsp;". A cell that gives the current value before "&nbsp;"
    // and the maximum after it leaves only the markup's 1 there; the maximum
    // is then the last number of the whole row.
    const auto maximum = [text](std::string_view label) {
      const std::int32_t value =
          nth_number_from_end(extract_inclusive(text, label, "&nbsp;"), 2);
      if (value != 1) return value;
      return last_number(text, label, "</td></tr>");
    };
    max_life_points = maximum("Életpont:"_cp);
    max_magic_points = maximum("Varázspont:"_cp);
    max_psi_points = maximum("Pszi pont:");
    if (extract_inclusive(text, "Tudatpont:", "&nbsp;")) {
      max_fourth_points = maximum("Tudatpont:");
    }
    // Blood points win over consciousness points.
    if (extract_inclusive(text, "Vérpont:"_cp, "&nbsp;")) {
      max_fourth_points = maximum("Vérpont:"_cp);
    }
  } else {
    const auto segment = [text](std::string_view label) {
      return extract_inclusive(text, label, "</td></tr>");
    };
    max_life_points = nth_number(segment("életpont :"_cp), 1);
    max_magic_points = nth_number(segment("varázspt :"_cp), 1);
    max_psi_points = nth_number(segment("pszi pont:"), 1);
    for (const std::string_view label : {"tudatpont:"_cp, "vérpont:"_cp}) {
      const MaybeText found = segment(label);
      if (!found) continue;
      max_fourth_points = nth_number_from_end(found, 2);
      if (max_fourth_points == 0)
        max_fourth_points = nth_number_from_end(found, 1);
    }
  }
  if (!verbose) return;
  sayf("MaxEp: %d\n", max_life_points);
  sayf("MaxVp: %d\n", max_magic_points);
  sayf("MaxPp: %d\n", max_psi_points);
  sayf("MaxTU: %d\n", max_fourth_points);
}

void LevelRecord::parse(std::string_view text, std::int32_t report_kind,
                        bool verbose) {
  if (!is_readable_kind(report_kind)) return;
  struct NumberField {
    std::int32_t LevelRecord::*field;
    std::string_view start;
    std::string_view end;
  };
  struct RealField {
    double LevelRecord::*field;
    std::string_view start;
    std::string_view end;
  };
  // Alignment anchors in the order tried, with the sign and offset that turn
  // the sheet's number into the stored value.
  struct AlignmentAnchor {
    std::string_view anchor;
    int sign;
    int offset;
  };

  // Each number is the last one between its label and its end mark.
  const auto read_fields = [&](const auto& numbers, const auto& reals) {
    for (const NumberField& entry : numbers) {
      this->*entry.field = last_number(text, entry.start, entry.end);
    }
    for (const RealField& entry : reals) {
      this->*entry.field =
          nth_real_from_end(extract_inclusive(text, entry.start, entry.end), 1);
    }
  };

  const bool current = report_kind == kCurrentLayout;
  if (current) {
    static constexpr NumberField kNumbers[] = {
        {&LevelRecord::life_points, "Életpont:"_cp, "&nbsp;"},
        {&LevelRecord::magic_points, "Varázspont:"_cp, "&nbsp;"},
        {&LevelRecord::psi_points, "Pszi pont:", "&nbsp;"},
        {&LevelRecord::unspent_attribute_points, "Tul. pont:", "&nbsp;"},
        {&LevelRecord::unspent_ability_points, "Kép. pont:"_cp, "&nbsp;"},
        {&LevelRecord::unspent_development_points,
         "Felhasználatlan fejlesztési pont:"_cp, "</SPAN>"},
        {&LevelRecord::level, "Szint:", "&nbsp;"},
        {&LevelRecord::attack, "Támadás:"_cp, "&nbsp;"},
        {&LevelRecord::defence, "Védekezés:"_cp, "&nbsp;"},
        {&LevelRecord::immortality_percent, "Halhatatlanság:"_cp, "&nbsp;"},
        {&LevelRecord::efejl, "EFejl:", "&nbsp;"},
    };
    static constexpr RealField kReals[] = {
        {&LevelRecord::experience, "Jelenleg", "TP-d van."},
        {&LevelRecord::experience_to_next_level, "A következő szinthez még"_cp,
         "TP szükséges."_cp},
        {&LevelRecord::experience_this_turn, "Ebben a fordulóban"_cp,
         "TP-t kaptál."_cp},
    };
    read_fields(kNumbers, kReals);
    turn_start_vp = nth_number(
        find_after(
            text, "<SPAN CLASS=\"k\"> A varázslatok tanulására elkölthető:"_cp),
        1);
    total_so_far = nth_number(
        find_after(find_after(text, "KARAKTERLAP"), "Eddig összesen"_cp), 1);
  } else {
    static constexpr NumberField kNumbers[] = {
        {&LevelRecord::life_points, "életpont :"_cp, "</td></tr>"},
        {&LevelRecord::magic_points, "varázspt :"_cp, "</td></tr>"},
        {&LevelRecord::psi_points, "pszi pont:", "</td></tr>"},
        {&LevelRecord::unspent_attribute_points, "tul.pont:", "</td></tr>"},
        {&LevelRecord::unspent_ability_points, "kép.pont:"_cp, "</td></tr>"},
        {&LevelRecord::unspent_development_points, "Fejlesztési pont:"_cp,
         "<p>"},
        {&LevelRecord::level, "szint    :", "</td></tr>"},
        {&LevelRecord::attack, "támadás  :"_cp, "</td></tr>"},
        {&LevelRecord::defence, "védekezés:"_cp, "</td></tr>"},
        {&LevelRecord::immortality_percent, "halhatatlanság:"_cp, "</td></tr>"},
        {&LevelRecord::efejl, "EFejl:", "</td></tr>"},
    };
    static constexpr RealField kReals[] = {
        {&LevelRecord::experience, "Jelenleg", "TP-d"},
        {&LevelRecord::experience_to_next_level, "KARAKTERLAPOD",
         "Trófeáid:"_cp},
        {&LevelRecord::experience_this_turn, "Ebben a fordulóban"_cp,
         "TP-t kaptál."_cp},
    };
    read_fields(kNumbers, kReals);
  }

  // Blood points, when the sheet shows them, replace consciousness points.
  const std::string_view end = current ? "&nbsp;" : "</td></tr>";
  for (const std::string_view label :
       {current ? "Tudatpont:"_cp : "tudatpont:"_cp,
        current ? "Vérpont:"_cp : "vérpont:"_cp}) {
    if (const MaybeText found = extract_inclusive(text, label, end)) {
      consciousness_points = nth_number_from_end(found, 1);
    }
  }

  static constexpr AlignmentAnchor kCurrentAlignment[] = {
      {"Jellem:</TD><TD CLASS=\"t1\"> semleges", 1, 0},
      {"Jellem:</TD><TD CLASS=\"t1\"> gonosz", -1, -20},
      {"Jellem:</TD><TD CLASS=\"t1\"> jó"_cp, 1, 20},
  };
  static constexpr AlignmentAnchor kOldAlignment[] = {
      {"jellem:</td><td align=right>semleges", 1, 0},
      {"jellem:</td><td align=right> gonosz", -1, -20},
      {"jellem:</td><td align=right> jó"_cp, 1, 20},
  };
  for (const AlignmentAnchor& entry :
       current ? std::span(kCurrentAlignment) : std::span(kOldAlignment)) {
    if (const MaybeText after = find_after(text, entry.anchor)) {
      const std::int64_t n = nth_number(after, 1);
      alignment = figures::wrap(entry.sign * n + entry.offset);
    }
  }

  if (!verbose) return;
  sayf("Ep : %d\n", life_points);
  sayf("Vp : %d\n", magic_points);
  sayf("Pp : %d\n", psi_points);
  sayf("TU : %d\n", consciousness_points);
  sayf("TNO: %d\n", unspent_attribute_points);
  sayf("KNO: %d\n", unspent_ability_points);
  sayf("FNO: %d\n", unspent_development_points);
  sayf("Szint     : %d\n", level);
  sayf("Tamadas   : %d\n", attack);
  sayf("Vedekezes : %d\n", defence);
  // Evil and good print without their band's offset of 20.
  const std::int64_t shown = alignment;
  if (alignment < -19) {
    sayf("Jellem    : %lld (gonosz)\n", static_cast<long long>(shown + 20));
  } else if (alignment > 19) {
    sayf("Jellem    : %lld (jó)\n", static_cast<long long>(shown - 20));
  } else {
    sayf("Jellem    : %d (semleges)\n", alignment);
  }
  sayf("TP               : %.lf\n", experience);
  sayf("TP köv. szinthez : %.lf\n", experience_to_next_level);
  sayf("TP ebben a körben: %.lf\n", experience_this_turn);
  sayf("Halhatatlansag   : %d%%\n", immortality_percent);
  sayf("EF               : %d\n", efejl);
  sayf("Kör elejei +10 vp: %d\n", turn_start_vp);
}

namespace {

constexpr std::string_view kCompanySentence = "K.T. tagjai közé tartozol."_cp;

// Where the company's name starts in the head: after the first article "A "
// or "Az " preceded by a blank among the last 30 bytes. Absent when there is
// none. A head shorter than the window is searched from its start, and no
// byte outside the head is read.
std::optional<std::size_t> company_name_start(std::string_view head) {
  const std::size_t length = head.size();
  const std::size_t first = std::max<std::size_t>(
      length > 30 ? length - 30 : 0, 1);  // the article needs a blank before
  for (std::size_t i = first; i < length; ++i) {
    if (head[i - 1] != ' ' || head[i] != 'A') continue;
    if (i + 1 < length && head[i + 1] == ' ') return i + 2;
    if (i + 2 < length && head[i + 1] == 'z' && head[i + 2] == ' ') {
      return i + 3;
    }
  }
  return std::nullopt;
}

}  // namespace

void CompanyMembership::parse(std::string_view text, std::int32_t report_kind,
                              bool verbose) {
  if (!is_readable_kind(report_kind)) return;
  if (contains(text, kCompanySentence)) {
    company_number = nth_number_from_end(
        extract_inclusive(text, "KARAKTERLAP", kCompanySentence), 1);
    // The head ends where the company number's parenthesis opens.
    const MaybeText head = extract_between(
        extract_between(text, "KARAKTERLAP", kCompanySentence), "", " (");
    if (head) {
      if (const auto start = company_name_start(*head)) {
        company_name = cut_to(head->substr(*start), 99);
      }
    }
  }
  if (verbose) {
    sayf("KT: %s (#%d)\n", to_utf8(company_name).c_str(), company_number);
  }
}

void FollyPrice::parse(std::string_view text, std::int32_t report_kind,
                       bool verbose) {
  if (!is_readable_kind(report_kind)) return;
  if (const MaybeText setting = find_after(text, "Butaság ára beállítás:"_cp)) {
    // Per school: the extra VP first, then the cost limit.
    const MaybeText theology = find_after(setting, "teológia:"_cp);
    theology_extra_vp = nth_number(theology, 1);
    theology_cost_limit = nth_number(theology, 2);
    const MaybeText thaumaturgy = find_after(setting, "taumaturgia:");
    thaumaturgy_extra_vp = nth_number(thaumaturgy, 1);
    thaumaturgy_cost_limit = nth_number(thaumaturgy, 2);
  }
  if (!verbose) return;
  sayf(
      "Butaság ára beállítás:\nteológia: +%d vp %d költség alatt\n"
      "taumaturgia: +%d vp %d költség alatt\n",
      theology_extra_vp, theology_cost_limit, thaumaturgy_extra_vp,
      thaumaturgy_cost_limit);
}

void parse_skill_value(SkillEntry& row, MaybeText text) {
  if (!text) return;
  row.level = nth_number(text, 1);
  row.maximum = nth_number(from_first(text, "/"), 1);
  row.progress = nth_number(from_first(text, "("), 1);
  if (contains(text, "*")) row.starred = true;
  if (!contains(text, "/")) {
    row.progress = figures::wrap(std::int64_t{row.progress} * 100);
  }
}

WeaponSkills::WeaponSkills() { name_rows(rows_, kWeaponSkillNames); }

void WeaponSkills::parse(std::string_view text, std::int32_t report_kind,
                         bool verbose) {
  if (!is_readable_kind(report_kind)) return;
  const bool current = report_kind == kCurrentLayout;
  const MaybeText sheet =
      from_first(text, current ? "KARAKTERLAP" : "KARAKTERLAPOD");
  for (std::size_t i = 0; i < std::size(kWeaponSkillNames); ++i) {
    SkillEntry& row = rows_[i];
    if (!current) {
      parse_skill_value(
          row,
          extract_between(after_row_label(sheet, kWeaponSkillNames, i, ":"), "",
                          "  "));
      continue;
    }
    // A plain cell after the name's cell.
    if (const MaybeText after =
            after_row_label(sheet, kWeaponSkillNames, i, ":</TD>")) {
      parse_skill_value(
          row, extract_between(extract_between(after, "", "/TD>"), ">", "<"));
    }
    // The highlighted form, where the name stands in a span; it overrides.
    if (const MaybeText after =
            after_row_label(sheet, kWeaponSkillNames, i, ": </SPAN> </TD>")) {
      const MaybeText cell = extract_between(after, "", "/TD>");
      if (contains(cell, kHighlighted)) {
        parse_skill_value(row, extract_between(cell, kHighlightedCell, "<"));
      }
    }
  }
  if (verbose) {
    say_skill_rows(std::span(rows_).first(std::size(kWeaponSkillNames)));
  }
}

const SkillEntry& WeaponSkills::find_weapon_skill(std::string_view name) const {
  return find_row(rows_, std::size(kWeaponSkillNames), name, rows_.back());
}

SkillTable::SkillTable() { name_rows(rows_, kSkillNames); }

void SkillTable::parse(std::string_view text, std::int32_t report_kind,
                       bool verbose) {
  if (!is_readable_kind(report_kind)) return;
  const bool current = report_kind == kCurrentLayout;

  // The mind turbo the sheet shows, as "+<amount> <skill>." inside the turbo
  // line; the later form replaces the earlier one.
  std::string boosted_skill = "-";
  std::int32_t boost = 0;
  const auto read_turbo = [&](MaybeText inner) {
    if (!inner) return;
    const MaybeText skill = extract_between(inner, " ", ".");
    boosted_skill = skill ? cut_to(*skill, 107) : std::string("-");
    boost = nth_number(inner, 1);
  };
  const std::string_view turbo_start = current ? ">ek 7" : "<b>ek 7";
  if (extract_inclusive(text, turbo_start, "TU.") &&
      !contains(text, "végre sem hajtod a tudatturbót"_cp)) {
    read_turbo(extract_between(extract_inclusive(text, turbo_start, "TU.)"),
                               "<b><i>(+", ")</i></b>"));
    if (current) {
      read_turbo(
          extract_between(extract_inclusive(text, turbo_start, "TU.</SPAN>)"),
                          "(<SPAN CLASS=\"plusminus\">+", "</SPAN>)"));
    }
  }

  const MaybeText sheet =
      from_first(text, current ? "KARAKTERLAP" : "KARAKTERLAPOD");
  for (std::size_t i = 0; i < kSheetSkills; ++i) {
    SkillEntry& row = rows_[i];
    if (!current) {
      parse_skill_value(
          row, extract_between(after_row_label(sheet, kSkillNames, i, ":"), "",
                               "  "));
      continue;
    }
    const MaybeText after = after_row_label(sheet, kSkillNames, i, ":</TD>");
    if (!after) continue;
    const MaybeText cell = extract_between(after, "", "/TD>");
    parse_skill_value(row, contains(cell, kHighlighted)
                               ? extract_between(cell, kHighlightedCell, "<")
                               : extract_between(cell, ">", "<"));
  }

  if (boosted_skill != "-") {
    for (std::size_t i = 0; i < kSheetSkills; ++i) {
      if (rows_[i].name == boosted_skill) {
        rows_[i].level = figures::wrap(std::int64_t{rows_[i].level} - boost);
      }
    }
  }
  if (verbose) say_skill_rows(std::span(rows_).first(kSheetSkills));
}

const SkillEntry& SkillTable::find_skill(std::string_view name) const {
  return find_row(rows_, kSheetSkills, name, rows_.back());
}

DevelopmentPoints::DevelopmentPoints() {
  name_rows(rows_, kDevelopmentPointNames);
}

void DevelopmentPoints::parse(std::string_view text, std::int32_t report_kind,
                              bool verbose) {
  if (!is_readable_kind(report_kind)) return;
  const bool current = report_kind == kCurrentLayout;
  const MaybeText section =
      current ? extract_inclusive(text, "FEJLESZTÉSI PONTOK"_cp,
                                  "FELTÉTELES PARANCSOK"_cp)
              : extract_inclusive(text, "Fejlesztési pont:"_cp,
                                  "Feltételes parancsok"_cp);
  const std::string_view value_end = current ? "</TD>" : "  ";
  for (std::size_t i = 0; i < std::size(kDevelopmentPointNames); ++i) {
    parse_skill_value(
        rows_[i], extract_between(
                      after_row_label(section, kDevelopmentPointNames, i, ":"),
                      "", value_end));
  }
  if (!verbose) return;
  for (std::size_t i = 0; i < std::size(kDevelopmentPointNames); ++i) {
    sayf("%s(fno): %d\n", to_utf8(rows_[i].name).c_str(), rows_[i].level);
  }
}

const SkillEntry& DevelopmentPoints::find_development_point(
    std::string_view name) const {
  return find_row(rows_, std::size(kDevelopmentPointNames), name, rows_.back());
}

}  // namespace morvinta
