#include "enhancement_summary.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "console.h"
#include "cp1250.h"

namespace morvinta {
namespace {

std::string cp(std::string_view text) { return std::string(text); }

// Sets sheet levels as an old-layout report gives them ("*" before a level
// stars it); rows not named keep their levels.
void set_levels(
    TurnReport& report,
    std::initializer_list<std::pair<std::string_view, const char*>> levels) {
  std::string lines;
  for (const auto& [name, value] : levels) {
    lines += std::string(name) + ": " + value + "  \n";
  }
  std::string text = cp("Fejlesztési pont:\n"_cp) + lines;
  text += cp("Feltételes parancsok\nKARAKTERLAPOD\n"_cp) + lines;
  report.weapon_skills.parse(text, 2, false);
  report.skills.parse(text, 2, false);
  report.development_points.parse(text, 2, false);
}

ItemRecord& item(TurnReport& report, int n, const char* name) {
  ItemRecord& row = report.items.item_by_number(n);
  row.name = name;
  row.carried_count = 1;
  return row;
}

void know(TurnReport& report, std::initializer_list<int> spells) {
  for (const int s : spells) report.spells.spell_by_number(s).known = true;
}

void last_move(TurnReport& report, int x, int y) {
  report.adventures.moves[0].set(x, y);
  report.adventures.move_count = 1;
}

std::string alarm(std::string_view message) {
  return "\n<TR><TD CLASS=\"t1\" COLSPAN=3><SPAN CLASS=szenved>" +
         std::string(message) + "</SPAN></TD></TR>";
}

class SummaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    set_console_capture(&console_);
    report_.settings.parse("");  // every switch off
  }
  void TearDown() override { set_console_capture(nullptr); }
  TurnReport report_;
  std::string console_;
};

TEST_F(SummaryTest, DivisorBandsOfTheology) {
  const std::string formula =
      cp("<TR><TD CLASS=\"t1\" COLSPAN=3> teológia (fejlődés képlet): "
         "(varázslat költsége-%d)%%, ha ez kisebb mint költség/%d, akkor "
         "költség/%d%%</TD></TR>"_cp);
  const auto half = [&](int v) { return formatted(formula.c_str(), v, 2, 2); };
  const auto third = [&](int v) { return formatted(formula.c_str(), v, 3, 3); };
  const auto divisor = [](int d) {
    return formatted(
        "<TR><TD CLASS=\"t1\" COLSPAN=3> teológia osztó: %d</TD></TR>"_cp
            .data(),
        d);
  };
  const struct {
    const char* level;
    std::string row;
  } rows[] = {
      {"0", ""},          {"9", half(11)},   {"10", third(12)},
      {"11", third(13)},  {"19", third(21)}, {"20", divisor(5)},
      {"21", divisor(6)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.level);
    TurnReport& r = report_ = TurnReport();
    r.vital_points.max_magic_points = 120;  // adds 120 / 50 = 2
    set_levels(r, {{"teológia"_cp, row.level}});
    EXPECT_EQ(
        divisor_rows(r),
        cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3> Osztók</TD></TR>"_cp) + row.row);
  }
  // No skill: no formula, even when the modifier lifts the level to 5.
  report_ = TurnReport();
  report_.settings.settings_text = cp("teológia módosító: 5;"_cp);
  EXPECT_EQ(divisor_rows(report_),
            cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3> Osztók</TD></TR>"_cp));
  // Thaumaturgy 28 and psi 12 with 90 psi points (90 / 45 = 2).
  report_ = TurnReport();
  report_.vital_points.max_psi_points = 90;
  set_levels(report_, {{"taumaturgia", "28"}, {"pszi", "12"}});
  EXPECT_EQ(divisor_rows(report_),
            cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3> Osztók</TD></TR><TR><TD "
               "CLASS=\"t1\" COLSPAN=3> taumaturgia osztó: 7</TD></TR><TR><TD "
               "CLASS=\"t1\" COLSPAN=3> pszi (fejlődés képlet): (pszi "
               "képesség költsége-14)%, ha ez kisebb mint költség/3, akkor "
               "költség/3%</TD></TR>"_cp));
}

TEST_F(SummaryTest, BonusRows) {
  // Spell 220 lifts strength 35 by 2: 10 becomes 11; giant strength with
  // priestly power 0 gives 0 / 6 + 1.
  report_.attributes.strength.second = 35;
  report_.attributes.dexterity.second = 21;
  know(report_, {220, 53});
  EXPECT_EQ(bonus_rows(report_),
            cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3> Bónuszok</TD></TR>\n<TR><TD "
               "CLASS=\"t1\"> +10 sebzés (erőből) </TD><TD CLASS=\"t1\" "
               "COLSPAN=2> +11 sebzés (erőből, erőt növelő varázslatokkal) "
               "</TD></TR>\n<TR><TD CLASS=\"t1\"> +4 védelem (ügyességből) "
               "</TD><TD CLASS=\"t1\"> &nbsp; </TD><TD CLASS=\"t1\"> &nbsp; "
               "</TD></TR>\n<TR><TD CLASS=\"t1\"> +0 erő (csupasz izom) "
               "</TD><TD CLASS=\"t1\"> +1 sebzés (óriás erő) </TD><TD "
               "CLASS=\"t1\"> &nbsp; </TD></TR>"_cp));
  // Without the spells: one strength cell, no spell row.
  report_.spells = SpellCatalogue();
  const std::string rows = bonus_rows(report_);
  EXPECT_NE(rows.find(cp("COLSPAN=3> +10 sebzés (erőből) </TD>"_cp)),
            std::string::npos);
  EXPECT_EQ(rows.find("csupasz"), std::string::npos);
}

TEST_F(SummaryTest, AttributeListsShowHeldItemsWithSigns) {
  report_.attributes.strength = {16, 18};
  report_.attributes.intelligence = {19, 16};
  item(report_, 9, "Sisak").intelligence = -3;
  report_.items.item_by_number(9).equipped = true;
  item(report_, 4, "Öv"_cp.data()).strength = 2;
  report_.items.item_by_number(4).equipped = true;
  item(report_, 3, "Gyűrű"_cp.data()).strength = 5;  // carried, not in hand
  const std::string expected =
      cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#eroplusz>erő "
         "(2):</A></TD></TR>\n<TR><TD CLASS=\"t1\" COLSPAN=3>Öv(#4): +2; "
         "</TD></TR>\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#iqplusz>iq "
         "(-3):</A></TD></TR>\n<TR><TD CLASS=\"t1\" COLSPAN=3>Sisak(#9): -3; "
         "</TD></TR>\n <TR><TD CLASS=\"c3\" COLSPAN=3><A "
         "name=#ugyplusz>ügyesség (0):</A></TD></TR>"_cp);
  EXPECT_EQ(attribute_bonus_rows(report_).substr(0, expected.size()), expected);
}

TEST_F(SummaryTest, DefenceListsByBitsAndDressingMode) {
  report_.level.defence = 20;
  ItemRecord& helmet = item(report_, 5, "Sisak");
  helmet.armour_class = 2;
  helmet.equipped = true;
  ItemRecord& shield = item(report_, 7, "Pajzs");
  shield.armour_class = -1;
  shield.turn_equipped = true;
  // Camp: 20, effective 18 + 2 / 2. Turn: 20 - 2 - 1 = 17.
  const std::string camp =
      cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3>Védelem: 20 (táborozás alatt) "
         "</TD></TR><TR><TD CLASS=\"t1\" WIDTH=33%>+2 Sisak(#5); \n <TR><TD "
         "CLASS=\"t1\" VALIGN=top COLSPAN=3><SPAN CLASS=\"plusminus\">effektív "
         "védelem:</SPAN> 19 (nyugat)</A></TD></TR></TD></TR>"_cp);
  const std::string turn =
      cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3>Védelem: 17 (forduló közben) "
         "</TD></TR><TR><TD CLASS=\"t1\" WIDTH=33%> -1 Pajzs(#7); \n <TR><TD "
         "CLASS=\"t1\" VALIGN=top COLSPAN=3><SPAN CLASS=\"plusminus\">effektív "
         "védelem:</SPAN> 17 (nyugat)</A></TD></TR></TD></TR>"_cp);
  const struct {
    int bits, mode;
    std::string rows;
  } cases[] = {
      {1, 0, camp}, {2, 0, ""},          {3, 0, camp},        {1, 1, camp},
      {2, 1, turn}, {3, 1, camp + turn}, {3, 2, camp + turn},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bits << " " << c.mode);
    report_.settings.dressing_mode = c.mode;
    EXPECT_EQ(item_list_rows(report_, ItemListKind::kDefence, c.bits), c.rows);
  }
  // The section still reports itself when its bits show nothing.
  report_.settings.parse(cp("védelem: 2;"_cp));
  std::string block;
  append_summary_rows(report_, block);
  EXPECT_EQ(console_, "vedelem: OK\nkt kepessegek: OK\n");
  EXPECT_EQ(block, knowledge_rows(report_) + company_rows(report_));
}

TEST_F(SummaryTest, EffectiveDefenceByMapHalf) {
  report_.level.defence = 40;  // west 27 + 4 / 3, east 18 + 22 / 2
  const std::string heading =
      cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3>Védelem: 40 (táborozás alatt) "
         "</TD></TR>"_cp);
  const std::string total =
      cp("\n <TR><TD CLASS=\"t1\" VALIGN=top COLSPAN=3><SPAN "
         "CLASS=\"plusminus\">effektív védelem:</SPAN> "_cp);
  const struct {
    int x;
    std::string row;
  } cases[] = {{140, total + "28 (nyugat)</A></TD></TR>"},
               {141, ""},  // the border column between the halves
               {142, total + "29 (kelet)</A></TD></TR>"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x);
    last_move(report_, c.x, 7);
    EXPECT_EQ(item_list_rows(report_, ItemListKind::kDefence, 1),
              heading + c.row + "</TD></TR>");
  }
}

TEST_F(SummaryTest, CellsComeThreeToARow) {
  const int values[] = {1, -2, 3, 4, 5, 6, 7};
  for (int n = 1; n <= 7; ++n) {
    ItemRecord& row = item(report_, n, "T");
    row.attack = values[n - 1];
    row.equipped = true;
  }
  const auto cell = [](const char* text) {
    return "<TD CLASS=\"t1\" WIDTH=33%>" + std::string(text);
  };
  EXPECT_EQ(
      item_list_rows(report_, ItemListKind::kAttack, 1),
      cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3><A name=#tamadas>+támadás "
         "tárgyakból és kt képességből (táborozás alatt):</A></TD></TR>"_cp) +
          "<TR>" + cell("+1 T(#1); ") + cell(" -2 T(#2); ") +
          cell("+3 T(#3); ") + "<TR>" + cell("+4 T(#4); ") +
          cell("+5 T(#5); ") + cell("+6 T(#6); ") + "<TR>" +
          cell("+7 T(#7); ") + "</TD></TR>");
}

TEST_F(SummaryTest, TotalsOfMaximaAndSchools) {
  report_.settings.dressing_mode = 1;
  report_.vital_points.max_life_points = 100;
  set_levels(report_, {{"teológia"_cp, "24"}});
  ItemRecord& now = item(report_, 5, "Sisak");
  now.max_ep = 10;
  now.theology = 1;
  now.equipped = true;
  ItemRecord& planned = item(report_, 7, "Diadém"_cp.data());
  planned.max_ep = 4;
  planned.theology = 2;
  planned.turn_equipped = true;
  const auto total = [](const char* what, int base, int items, int sum) {
    return formatted(
        "\n <TR><TD CLASS=\"t1\" VALIGN=top COLSPAN=3><SPAN "
        "CLASS=\"plusminus\">%s:</SPAN> %d + %d = %d</A></TD></TR></TD></TR>",
        what, base, items, sum);
  };
  const std::string life = item_list_rows(report_, ItemListKind::kMaxLife, 3);
  EXPECT_NE(life.find(total("maxép"_cp.data(), 90, 10, 100)),
            std::string::npos);
  EXPECT_NE(life.find(total("maxép"_cp.data(), 90, 4, 94)), std::string::npos);
  // The sheet's 24 holds the camp item's 1; the plan swaps it for 2.
  const std::string theology =
      item_list_rows(report_, ItemListKind::kTheology, 3);
  EXPECT_NE(theology.find(total("teológia"_cp.data(), 23, 1, 24)),
            std::string::npos);
  EXPECT_NE(theology.find(total("teológia"_cp.data(), 23, 2, 25)),
            std::string::npos);
}

TEST_F(SummaryTest, WarningRulesAndTheirOrders) {
  report_.settings.settings_text =
      cp("tárgy: (#40) db: > 2 \"Sok ital\"; tárgy:  (#40)\n db: < 5 \"Fogy "
         "az ital\"; tárgy: (#40) db: = 4 \"Nem négy\"; tárgy: (#41) db: = 0 "
         "\"Nincs > kék\"; tárgy: (#42) db: = 0; varázslat: (#61) aktív: 0 "
         "\"Nincs éberség\"; varázslat: (#33) aktív: 1 \"Kőbőr rajtad\"; "
         "varázslat: (#33) aktív: 0 \"csak az első számít\"; varázslat: (#62) "
         "aktív: 0 \"ismeretlen\";"_cp);
  item(report_, 40, "ital").carried_count = 3;  // more than 2, less than 5
  item(report_, 41, "kék"_cp.data()).carried_count = 2;
  item(report_, 259, "tekercs");
  know(report_, {33, 61, 96, 179, 1});
  report_.spells.spell_by_number(33).active = true;
  EXPECT_EQ(
      warning_rows(report_),
      cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3> Figyelmeztetések</TD></TR>"_cp) +
          alarm("Sok ital") + alarm("Fogy az ital") + alarm("Kőbőr rajtad"_cp) +
          alarm("Nincs éberség"_cp));
  const auto& lines = report_.order_sheet.lines;
  EXPECT_EQ(lines[1].format_order_line(), "VV      88      -      -");
  EXPECT_EQ(lines[2].format_order_line(), "V        1   9999      -");
  EXPECT_EQ(lines[3].code, "-  ");
  // Two scrolls are written one by one, the repeated spell notwithstanding.
  report_.order_sheet = OrderSheet();
  report_.items.item_by_number(259).carried_count = 2;
  warning_rows(report_);
  EXPECT_EQ(lines[1].format_order_line(), "V       88      2      -");
}

TEST_F(SummaryTest, WarningsOfPlaceSkillsAndOrders) {
  set_levels(report_, {{"harcművészetek"_cp, "40"},
                       {"pszi", "*95"},
                       {"vágófegyverek"_cp, "*18"}});
  report_.level.psi_points = 251;
  know(report_, {14, 249});
  last_move(report_, 150, 20);
  report_.identity.deity = "Tharr";
  report_.text =
      cp("Méreg fejti ki gyilkos\n  hatását a szervezetedben. (150,20) Itt egy "
         "ősvortex (#587), mellette Chara-din monolitja (#534).<BR> "
         "Feltételes támadás (aktív: 16, max: 16) Barátságosság (aktív: 16, "
         "max: 16) Feltételes támadó varázslatok (aktív: 39, max: 39)"_cp);
  const std::string plain = "\n<TR><TD CLASS=\"t1\" COLSPAN=3>";
  const std::string limit =
      cp("Nem adhatsz ki több <SPAN CLASS=\"plusminus\">"_cp);
  const std::string head =
      cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3> Figyelmeztetések</TD></TR>"_cp) +
      alarm("Mondd el a méregsemlegesítést (#14)"_cp) + plain +
      cp(" Nincs városi teleportod (#96)</TD></TR>"_cp) + plain +
      cp(" Nincs városi teleport II (#181)</TD></TR>"_cp) + plain +
      cp(" 5 körös Haláltáncra 32% esélyed van</TD></TR>"_cp) + plain +
      cp(" 3 körös Spirituális extenzióra 90% esélyed van</TD></TR>"_cp) +
      alarm("csillagos a vágófegyverek szakértelmed"_cp) +
      alarm("Ősvortexen (#587) táboroztál le!"_cp);
  const std::string tail = plain + limit + "T</SPAN> parancsot!</TD></TR>" +
                           plain + limit + "BA</SPAN> parancsot!</TD></TR>" +
                           plain + limit + "FTV</SPAN> parancsot!</TD></TR>";
  EXPECT_EQ(
      warning_rows(report_),
      head + alarm("Chara-din monolitján (#534) táboroztál le!"_cp) + tail);
  EXPECT_EQ(report_.order_sheet.lines[1].format_order_line(),
            "V       14      1      -");
  EXPECT_EQ(report_.order_sheet.lines[2].format_order_line(),
            "V      112      -      -");
  // Chara-din's own priests may camp at the monolith.
  report_.identity.deity = "CHARA-DIN";
  EXPECT_EQ(warning_rows(report_), head + tail);
}

TEST_F(SummaryTest, MovesBreakAtAJump) {
  EXPECT_EQ(move_rows(report_),
            cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3> Ebben a körben tett "
               "mozgásaid</TD></TR>\n<TR><TD CLASS=\"t1\" COLSPAN=3>"_cp));
  const int path[][2] = {{10, 10}, {11, 11}, {20, 5}, {21, 5}};
  for (const auto& [x, y] : path) {
    report_.adventures.moves[report_.adventures.move_count++].set(x, y);
  }
  EXPECT_EQ(
      move_rows(report_),
      cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3> Ebben a körben tett "
         "mozgásaid</TD></TR>\n<TR><TD CLASS=\"t1\" COLSPAN=3><A "
         "href=\"#koord0\">[10,10]</A> => <A href=\"#koord1\">[11,11]</A> "
         "=></TD></TR>\n<TR><TD CLASS=\"t1\" COLSPAN=3><A href=\"#koord2\">"
         "[20,5]</A> => <A href=\"#koord3\"><b>[21,5]</b></A> (Nyugati "
         "területek)</TD></TR>"_cp));
}

TEST_F(SummaryTest, CompanyRowsInTableOrder) {
  // West regeneration: IQ 30 + 2 x 0 - 12 = 18.
  const std::string row = "<TR><TD CLASS=\"t1\" COLSPAN=3>";
  const struct {
    int company, efejl;
    std::string rows;
  } cases[] = {
      {9148, 21,
       row + cp("angyal: +4 támadás/védekezés </TD></TR>"_cp) + row +
           cp("plusz VP regeneráció: +18 VP </TD></TR>"_cp)},
      {9148, 14,  // 18 x 14 / 20 = 12.6
       row + cp("angyal: +2 támadás/védekezés </TD></TR>"_cp) + row +
           cp("plusz VP regeneráció: +12 VP </TD></TR>"_cp)},
      {9124, 8,
       row + cp("plusz VP regeneráció: +7 VP </TD></TR>"_cp) + row +
           cp("közösség ereje (butított): +3 sebzés </TD></TR>"_cp)},
      {9104, 5,  // 18 x 1.3 = 23.4
       row + cp("közösség ereje: +2 sebzés/támadás </TD></TR>"_cp) + row +
           cp("trafó (vp): 23 VP-t tudsz kinyerni </TD></TR>"_cp)},
      {9114, 0,
       row + cp("ordításból jövő támadás: 3 </TD></TR>"_cp) + row +
           cp("trafó (vp): 23 VP-t tudsz kinyerni </TD></TR>"_cp)},
      {9111, 13, row + cp("imádkozásra 38 VP-t kapsz </TD></TR>"_cp)},
      {9161, 0, row + "rangpont: 2 rang: Kopasz</TD></TR>"},
      {9000, 30, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.company);
    report_ = TurnReport();
    // Rank points: (30 - 20) / 10 for IQ and 10 / 10 for "ordítás".
    report_.attributes.intelligence = {30, 30};
    set_levels(report_, {{"ordítás"_cp, "10"}});
    report_.company.company_number = c.company;
    report_.level.efejl = c.efejl;
    EXPECT_EQ(company_rows(report_), cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3> KT "
                                        "képességek</TD></TR>"_cp) +
                                         c.rows);
  }
}

// The damage table's rows without its head and end.
std::string table_rows(const std::string& table) {
  const std::size_t start = table.find("</TD></TR>") + 10;
  return table.substr(start, table.size() - start - 27);
}

TEST_F(SummaryTest, SpellDamageWithAndWithoutMastery) {
  set_levels(report_, {{"teológia"_cp, "9"}, {"taumaturgia", "9"}});
  const struct {
    int number;
    const char* name;
    const char* school;
    const char* element;
    CappedDiceRoll damage;
  } spells[] = {
      {73, "Elme", "pszi", "-", {8, 1, 4, 0}},  // psi power 0: no damage
      {122, "Villám"_cp.data(), "teo", "V", {5, 2, 4, 0}},
      {209, "Láng"_cp.data(), "tau", "T", {6, 1, 6, 0}},
      {318, "Tüske"_cp.data(), "tau", "-", {8, 1, 10, 2}},  // unknown
  };
  for (const auto& s : spells) {
    SpellRecord& row = report_.spells.spell_by_number(s.number);
    row.name = s.name;
    row.school = s.school;
    row.element = s.element;
    row.damage = s.damage;
    row.known = s.number != 318;
  }
  know(report_, {227});  // lightning mastery, no fire mastery
  // Priestly power 9 / 3 = 3: 3 x 5; wizard power (9 + 1) / 2 = 5: 5 x 3.5.
  EXPECT_EQ(table_rows(spell_damage_table(report_)),
            cp("\n<TR><TD CLASS=\"t1\" WIDTH=33%>Villám (#122)</TD><TD "
               "WIDTH=33%> 15.00 </TD><TD WIDTH=33%> 20.00  (villámmágiával) "
               "</TD></TR>\n<TR><TD CLASS=\"t1\" WIDTH=33%>Láng (#209)</TD><TD "
               "WIDTH=33%> 17.50 </TD><TD WIDTH=33%> &nbsp; </TD></TR>"_cp));
}

TEST_F(SummaryTest, WeaponTableBareHandFirstWithManoeuvres) {
  report_.attributes.strength.second = 14;  // no strength bonus
  item(report_, 28, "Ököl"_cp.data()).carried_count = 0;
  ItemRecord& dagger = item(report_, 112, "Tőr"_cp.data());
  dagger.weapon_type = "S";
  dagger.damage_dice = {1, 4, 1};
  dagger.hand_mark = "B";
  ItemRecord& sword = item(report_, 118, "Kard");
  sword.carried_count = 0;
  sword.banked = 1;
  sword.weapon_type = "V";
  sword.damage_dice = {2, 6, 1};
  sword.weapon_spell = 209;
  ItemRecord& bow = report_.items.item_by_number(231);  // not owned
  bow.weapon_type = "L";
  bow.damage_dice = {1, 8, 0};
  SpellRecord& flame = report_.spells.spell_by_number(209);
  flame.name = "Láng"_cp;
  flame.element = "T";
  flame.damage = {6, 1, 6, 0};
  know(report_, {157});
  // Bare hand at martial arts m: band m / 5 + 8, one attack.
  const std::string hand =
      cp("\n<TR><TD CLASS=\"t1\" WIDTH=33%%>Ököl (#28)</TD><TD WIDTH=22%%> 1 x "
         "%.2lf = %.2lf </TD><TD WIDTH=45%%> &nbsp; </TD></TR>"_cp);
  const std::string fist =
      cp("\n<TR><TD CLASS=\"t1\" WIDTH=33%%>Ököl (#28) (erő öklével)</TD><TD "
         "COLSPAN=2> 1 x %.2lf = %.2lf </TD></TR>"_cp);
  const std::string avalanche = cp(
      "\n<TR><TD CLASS=\"t1\" WIDTH=33%>Ököl (#28) (sziklazuhataggal)</TD><TD "
      "COLSPAN=2> 3 x 12.00 = 36.00 </TD></TR>"_cp);
  // Dagger: skill 12 gives 3 attacks of 3.5 + 4, left 1 of 3.5 + 2. Sword:
  // 1 attack of 8; its spell at the cap 6 x 3.5, with mastery + 5.
  const std::string weapons =
      cp("\n<TR><TD CLASS=\"t1\" WIDTH=33%>Tőr (#112)</TD><TD WIDTH=22%> 3 x "
         "7.50 = 22.50 </TD><TD WIDTH=45%>\n<TR><TD CLASS=\"t1\" WIDTH=33%>Tőr "
         "(#112) (bal kézzel)</TD><TD WIDTH=22%> 1 x 5.50 = 5.50 </TD><TD "
         "WIDTH=45%> &nbsp; </TD></TR>\n<TR><TD CLASS=\"t1\" WIDTH=33%>Kard "
         "(#118)</TD><TD WIDTH=22%> 1 x 8.00 = 8.00 </TD><TD WIDTH=45%>Láng "
         "(#209) 21.00 / 26.00  (tűzmágiával)</TD></TR>"_cp);
  const struct {
    const char* martial_arts;
    std::string rows;
  } cases[] = {
      {"14", formatted(hand.c_str(), 10.0, 10.0)},
      {"15", formatted(hand.c_str(), 11.0, 11.0) +
                 formatted(fist.c_str(), 11.0, 11.0)},
      {"22", formatted(hand.c_str(), 12.0, 12.0) +
                 formatted(fist.c_str(), 12.0, 12.0)},
      {"23", formatted(hand.c_str(), 12.0, 12.0) +
                 formatted(fist.c_str(), 12.0, 12.0) + avalanche},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.martial_arts);
    set_levels(report_, {{"harcművészetek"_cp, c.martial_arts},
                         {"szúrófegyverek"_cp, "12"},
                         {"taumaturgia", "9"}});
    EXPECT_EQ(table_rows(weapon_damage_table(report_)), c.rows + weapons);
  }
}

}  // namespace
}  // namespace morvinta
