#include "character_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "console.h"
#include "cp1250.h"
#include "test_support.h"

namespace morvinta {
namespace {

constexpr std::int32_t kCurrent = 1;
constexpr std::int32_t kOld = 2;

using SheetTest = testing::ConsoleTest;

std::string operator+(std::string_view a, std::string_view b) {
  return std::string(a).append(b);
}

TEST(ParseSkillValue, ReadsLevelMaximumProgressAndStar) {
  struct Row {
    std::string_view text;
    std::int32_t level, maximum, progress;
    bool starred;
  };
  const Row rows[] = {
      {"12/20 (35%)", 12, 20, 35, false},
      {"*12/20 (35%)", 12, 20, 35, true},
      {"7 (3)", 7, 0, 300, false},  // without "/" the progress is hundredths
      {"-3/10", -3, 10, 0, false},
      {"", 0, 0, 0, false},
      // Beyond 32 bits the progress wraps: 3,000,000,000 - 2^32.
      {"1 (30000000)", 1, 0, -1294967296, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    SkillEntry entry;
    entry.level = entry.maximum = entry.progress = 99;
    parse_skill_value(entry, row.text);
    EXPECT_EQ(entry.level, row.level);
    EXPECT_EQ(entry.maximum, row.maximum);
    EXPECT_EQ(entry.progress, row.progress);
    EXPECT_EQ(entry.starred, row.starred);
  }
  // Absent changes nothing; the star is never taken back.
  SkillEntry entry;
  parse_skill_value(entry, "*4/9 (1%)");
  parse_skill_value(entry, std::nullopt);
  EXPECT_EQ(entry.level, 4);
  parse_skill_value(entry, "5/9");
  EXPECT_TRUE(entry.starred);
}

// Cells before the sheet must not be read. Health shows one value only.
constexpr std::string_view kAttributesCurrent =
    R"(Erő:</TD><TD CLASS="t1">99 (99)&nbsp; <TD>KARAKTERLAP</TD>
<TD>Erő:</TD><TD CLASS="t1">16 (18)&nbsp;</TD><TD>IQ:</TD><TD CLASS="t1">19 (21)&nbsp;</TD>
<TD>Ügyesség:</TD><TD CLASS="t1">17 (18)&nbsp;</TD><TD>Egészség:</TD><TD CLASS="t1">15&nbsp;</TD>
<TD>Szerencse:</TD><TD CLASS="t1">12 (14)&nbsp;</TD>)"_cp;
constexpr std::string_view kAttributesOld =
    R"(<td>erő      :</td><td>99 (99)</td></tr> KARAKTERLAPOD
<td>erő      :</td><td>16 (18)</td></tr><td>iq       :</td><td>19 (21)</td></tr>
<td>ügyesség :</td><td>17 (18)</td></tr><td>egészség :</td><td>15</td></tr>
<td>szerencse:</td><td>12 (14)</td></tr>)"_cp;

TEST(Attributes, BothLayouts) {
  for (const auto& [text, kind] :
       {std::pair{kAttributesCurrent, kCurrent}, {kAttributesOld, kOld}}) {
    SCOPED_TRACE(kind);
    Attributes a;
    a.parse_attributes(text, kind, false);
    EXPECT_EQ(a.strength.first * 100 + a.strength.second, 1618);
    EXPECT_EQ(a.intelligence.first * 100 + a.intelligence.second, 1921);
    EXPECT_EQ(a.dexterity.first * 100 + a.dexterity.second, 1718);
    EXPECT_EQ(a.health.first * 100 + a.health.second, 1515);
    EXPECT_EQ(a.luck.first * 100 + a.luck.second, 1214);
  }
  // The old labels are ten bytes wide; fewer blanks are not found.
  Attributes a;
  a.parse_attributes("KARAKTERLAPOD erő     :</td><td>16</td></tr>"_cp, kOld,
                     false);
  EXPECT_EQ(a.strength.first, 0);
}

TEST(VitalPoints, BothLayoutsAndBloodOverConsciousness) {
  // Life: only the markup's 1 before "&nbsp;", so the row's last number.
  const std::string_view current =
      R"(<TD>Életpont:</TD><TD CLASS="t1">87&nbsp;/&nbsp;112</td></tr>
<TD>Varázspont:</TD><TD CLASS="t1">140 / 64&nbsp;</td></tr>
<TD>Tudatpont:</TD><TD CLASS="t1">20&nbsp;/&nbsp;24</td></tr>)"_cp;
  // Consciousness shows one number: the second from the end is 0.
  const std::string_view old =
      R"(<td>életpont :</td><td>112 (87)</td></tr><td>varázspt :</td><td>140 (64)</td></tr>
<td>pszi pont:</td><td>30 (18)</td></tr><td>tudatpont:</td><td>24</td></tr>)"_cp;
  VitalPoints a, b;
  a.parse_vital_points(current, kCurrent, false);
  b.parse_vital_points(old, kOld, false);
  EXPECT_EQ(a.max_life_points * 1000 + a.max_magic_points, 112140);
  EXPECT_EQ(b.max_life_points * 1000 + b.max_magic_points, 112140);
  EXPECT_EQ(a.max_psi_points, 0);
  EXPECT_EQ(b.max_psi_points, 30);
  EXPECT_EQ(a.max_fourth_points, 24);
  EXPECT_EQ(b.max_fourth_points, 24);
  a.parse_vital_points(
      current + R"(<TD>Vérpont:</TD><TD CLASS="t1">33&nbsp;/ 50</td></tr>)"_cp,
      kCurrent, false);
  b.parse_vital_points(old + "<td>vérpont:</td><td>50 (33)</td></tr>"_cp, kOld,
                       false);
  EXPECT_EQ(a.max_fourth_points, 50);
  EXPECT_EQ(b.max_fourth_points, 50);
}

// "ősteológia" stands before "teológia"; it must not give its value away.
constexpr std::string_view kSkillsCurrent =
    R"(<TD>KARAKTERLAP</TD>
<TD>rejtőzködés:</TD><TD CLASS="t1" WIDTH=103><SPAN CLASS="k">17/30 (15%)</SPAN></TD>
<TD>ősteológia:</TD><TD CLASS="t1" WIDTH=103>50/50</TD>
<TD>teológia:</TD><TD CLASS="t1" WIDTH=103>24/40 (55%)</TD>
<TD>pszi:</TD><TD CLASS="t1" WIDTH=103><SPAN CLASS="k">*9/30 (65%)</SPAN></TD>)"_cp;
constexpr std::string_view kSkillsOld =
    R"(KARAKTERLAPOD rejtőzködés: 17/30 (15%)  ősteológia: 50/50
teológia: 24/40 (55%)  pszi: *9/30 (65%)  )"_cp;

TEST(SkillTable, MindTurboAndBothLayouts) {
  const std::string_view italic =
      "szakértelm<b>ek 7</b> órán át <b><i>(+5 rejtőzködés.)</i></b> "
      "(ára: 30 TU.)\n"_cp;
  const std::string_view highlighted =
      "szakértelm<b>ek 7</b> órán át (<SPAN CLASS=\"plusminus\">+5 "
      "rejtőzködés.</SPAN>) <SPAN CLASS=\"k\">(ára: 30 TU.</SPAN>)\n"_cp;
  const std::string_view not_done = " végre sem hajtod a tudatturbót.\n"_cp;
  struct Row {
    std::string turbo;
    std::int32_t kind;
    std::int32_t level;  // of "rejtőzködés", shown as 17
  };
  const Row rows[] = {
      {std::string(highlighted), kCurrent, 12},
      {std::string(italic), kOld, 12},
      {std::string(highlighted), kOld, 17},  // the old layout has one form
      {italic + not_done, kCurrent, 17},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(to_utf8(row.turbo));
    SCOPED_TRACE(row.kind);
    SkillTable s;
    s.parse(row.turbo + (row.kind == kCurrent ? kSkillsCurrent : kSkillsOld),
            row.kind, false);
    EXPECT_EQ(s.find_skill("rejtőzködés"_cp).level, row.level);
    EXPECT_EQ(s.find_skill("rejtőzködés"_cp).progress, 15);
    const SkillEntry& theology = s.find_skill("teológia"_cp);
    EXPECT_EQ(
        theology.level * 10000 + theology.maximum * 100 + theology.progress,
        244055);
    EXPECT_FALSE(theology.starred);
    EXPECT_TRUE(s.find_skill("pszi").starred);
    EXPECT_EQ(s.find_skill("pszi").level, 9);
    // "ősteológia" is never read and stands for every unknown name.
    EXPECT_EQ(&s.find_skill("ősteológia"_cp), &s.rows().back());
    EXPECT_EQ(s.find_skill("ősteológia"_cp).level, 0);
    EXPECT_EQ(&s.find_skill("Pszi"), &s.rows().back());
  }
}

// The last two sentences are read in the current layout only.
constexpr std::string_view kLevelOld =
    R"(KARAKTERLAPOD<td>életpont :</td><td>112 (87)</td></tr>
<td>varázspt :</td><td>140 (64)</td></tr><td>pszi pont:</td><td>30 (18)</td></tr>
<td>tudatpont:</td><td>24 (20)</td></tr><td>tul.pont:</td><td>0</td></tr>
<td>kép.pont:</td><td>2</td></tr><td>szint    :</td><td>14</td></tr>
<td>támadás  :</td><td>22</td></tr><td>védekezés:</td><td>19</td></tr>
<td>halhatatlanság:</td><td>2%</td></tr><td>EFejl:</td><td>6</td></tr>
<td>jellem:</td><td align=right> gonosz 5</td></tr>
Jelenleg 2500000000 TP-d van. A következő szinthez még 2690 TP kell. Trófeáid:
Ebben a fordulóban 285 TP-t kaptál. Eddig összesen 41877 TP-t szereztél.
<SPAN CLASS="k"> A varázslatok tanulására elkölthető: 40 VP</SPAN>
Fejlesztési pont: 3<p>)"_cp;

TEST(LevelRecord, OldLayout) {
  LevelRecord r;
  r.parse(kLevelOld, kOld, false);
  EXPECT_EQ(r.life_points * 1000 + r.magic_points, 87064);
  EXPECT_EQ(r.psi_points * 1000 + r.consciousness_points, 18020);
  EXPECT_EQ(r.unspent_ability_points * 10 + r.unspent_development_points, 23);
  EXPECT_EQ(r.level * 10000 + r.attack * 100 + r.defence, 142219);
  EXPECT_EQ(r.immortality_percent * 100 + r.efejl, 206);
  EXPECT_EQ(r.alignment, -25);
  EXPECT_DOUBLE_EQ(r.experience, 2500000000.0);  // beyond 32 bits
  EXPECT_DOUBLE_EQ(r.experience_to_next_level, 2690.0);
  EXPECT_DOUBLE_EQ(r.experience_this_turn, 285.0);
  EXPECT_EQ(r.total_so_far, 0);
  EXPECT_EQ(r.turn_start_vp, 0);
  r.parse(std::string(kLevelOld) + "vérpont:</td><td>33</td></tr>"_cp, kOld,
          false);
  EXPECT_EQ(r.consciousness_points, 33);  // blood points win
}

TEST_F(SheetTest, LevelRecordAlignmentBands) {
  struct Row {
    std::string_view current, old, number;  // anchor tails and the number
    std::int32_t stored;
    std::string_view line;
  };
  const Row rows[] = {
      {" semleges", "semleges", "-19", -19, "Jellem    : -19 (semleges)\n"},
      {" gonosz", " gonosz", "5", -25, "Jellem    : -5 (gonosz)\n"},
      {" gonosz", " gonosz", "0", -20, "Jellem    : 0 (gonosz)\n"},
      {" jó"_cp, " jó"_cp, "5", 25, "Jellem    : 5 (jó)\n"},
      {" jó"_cp, " jó"_cp, "0", 20, "Jellem    : 0 (jó)\n"},
      // Beyond 32 bits the value wraps, as every game figure does:
      // 2,147,483,660 - 2^32, shown with the evil band's 20 taken off.
      {" jó"_cp, " jó"_cp, "2147483640", -2147483636,
       "Jellem    : -2147483616 (gonosz)\n"},
  };
  for (const Row& row : rows) {
    for (const std::int32_t kind : {kCurrent, kOld}) {
      SCOPED_TRACE(to_utf8(row.current + row.number));
      SCOPED_TRACE(kind);
      console_.clear();
      LevelRecord r;
      r.parse(kind == kCurrent ? R"(Jellem:</TD><TD CLASS="t1">)" +
                                     row.current + " " + row.number + "&nbsp;"
                               : "jellem:</td><td align=right>" + row.old +
                                     " " + row.number + "</td></tr>",
              kind, true);
      EXPECT_EQ(r.alignment, row.stored);
      EXPECT_NE(console_.find(row.line), std::string::npos) << console_;
    }
  }
}

TEST(CompanyMembership, NumberAndNameAfterTheArticle) {
  struct Row {
    std::string_view head;  // between the sheet and the sentence
    std::int32_t number;
    std::string_view name;
  };
  const Row rows[] = {
      {" papja vagy. A Vörös Kard (#123) "_cp, 123, "Vörös Kard"_cp},
      {" papja vagy. Az Ezüst Holló (#9148) "_cp, 9148, "Ezüst Holló"_cp},
      // The window is the head's last 30 bytes: 28 after "A " still fit.
      {" vagy. A Bbbbbbbbbb Cccccccccc Dddddd (#7) ", 7,
       "Bbbbbbbbbb Cccccccccc Dddddd"},
      {" vagy. A Bbbbbbbbbb Cccccccccc Ddddddd (#7) ", 7, "-"},
      {" vagy. Az Bbbbbbbbbb Cccccccccc Dddddd (#7) ", 7, "-"},
      // A head shorter than the window: searched from its start, and an
      // article needs a blank before it inside the head.
      {" A Kard (#5) ", 5, "Kard"},
      {"A Kard (#5) ", 5, "-"},
      {" A Kard #12 ", 12, "-"},  // no " (": the name stays
  };
  for (const Row& row : rows) {
    for (const std::int32_t kind : {kCurrent, kOld}) {
      SCOPED_TRACE(to_utf8(row.head));
      SCOPED_TRACE(kind);
      CompanyMembership company;
      company.parse(
          "KARAKTERLAP" + row.head + "K.T. tagjai közé tartozol. Ez az"_cp,
          kind, false);
      EXPECT_EQ(company.company_number, row.number);
      EXPECT_EQ(company.company_name, row.name);
    }
  }
}

std::string development_section(std::string_view rows) {
  return "<TD>FEJLESZTÉSI PONTOK</TD>"_cp + rows +
         "<TD>FELTÉTELES PARANCSOK</TD><TD>halhatatlanság: 2/10</TD>"_cp;
}

TEST(DevelopmentPoints, NamesInsideLongerNamesReadTheirOwnLine) {
  struct Row {
    std::string text;
    std::int32_t kind, damage, spell_damage, regeneration, vp_regeneration;
  };
  const Row rows[] = {
      // The longer names first: the short ones still read their own lines.
      {development_section("<TD>varázslat sebzés: 1/10</TD>"
                           "<TD>vp regeneráció: 4/10</TD><TD>sebzés: 3</TD>"
                           "<TD>regeneráció: 2/10</TD>"_cp),
       kCurrent, 3, 1, 2, 4},
      {development_section("<TD>vp regeneráció: 4/10</TD>"_cp), kCurrent, 0, 0,
       0, 4},
      {std::string("Fejlesztési pont: 3<p>vp regeneráció: 4/10  sebzés: 3  "
                   "regeneráció: 2/10  Feltételes parancsok "
                   "halhatatlanság: 2/10  "_cp),
       kOld, 3, 0, 2, 4},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(to_utf8(row.text));
    DevelopmentPoints d;
    d.parse(row.text, row.kind, false);
    const SkillEntry& damage = d.find_development_point("sebzés"_cp);
    EXPECT_EQ(damage.level, row.damage);
    EXPECT_EQ(damage.maximum + damage.progress, 0);  // one number only
    EXPECT_EQ(d.find_development_point("varázslat sebzés"_cp).level,
              row.spell_damage);
    EXPECT_EQ(d.find_development_point("regeneráció"_cp).level,
              row.regeneration);
    EXPECT_EQ(d.find_development_point("vp regeneráció"_cp).level,
              row.vp_regeneration);
    // Rows after the conditional orders are not the section's.
    EXPECT_EQ(d.find_development_point("halhatatlanság"_cp).level, 0);
    EXPECT_EQ(&d.find_development_point("Sebzés"), &d.rows().back());
  }
}

}  // namespace
}  // namespace morvinta
