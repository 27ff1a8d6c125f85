// The summary sections at the band edges that the example folder's golden
// run does not reach; it pins every section's bytes on its own character.
#include "enhancement_summary.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "console.h"
#include "cp1250.h"
#include "test_support.h"

namespace morvinta {
namespace {

std::string cp(std::string_view text) { return std::string(text); }

// Sets one skill level as an old-layout report gives it.
void set_level(TurnReport& report, std::string_view name, const char* value) {
  const std::string line = std::string(name) + ": " + value + "  \n";
  report.skills.parse(cp("KARAKTERLAPOD\n"_cp) + line, 2, false);
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

std::string alarm(std::string_view message) {
  return "\n<TR><TD CLASS=\"t1\" COLSPAN=3><SPAN CLASS=szenved>" +
         std::string(message) + "</SPAN></TD></TR>";
}

void last_move(TurnReport& report, int x, int y) {
  report.adventures.moves[0].set(x, y);
  report.adventures.move_count = 1;
}

class SummaryTest : public testing::ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    report_.settings.parse("");  // every switch off
  }
  TurnReport report_;
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
    set_level(r, "teológia"_cp, row.level);
    EXPECT_EQ(
        divisor_rows(r),
        cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3> Osztók</TD></TR>"_cp) + row.row);
  }
  // No skill: no formula, even when the modifier lifts the level to 5.
  report_ = TurnReport();
  report_.settings.settings_text = cp("teológia módosító: 5;"_cp);
  EXPECT_EQ(divisor_rows(report_),
            cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3> Osztók</TD></TR>"_cp));
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
    SCOPED_TRACE(::testing::Message() << c.bits << " " << c.mode);
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

// Chara-din's own priests may camp at his monolith; the deity's name is
// matched whatever its case.
TEST_F(SummaryTest, MonolithWarningSparesItsOwnPriests) {
  last_move(report_, 150, 20);
  report_.identity.deity = "Tharr";
  report_.text =
      cp("(150,20) Itt egy ősvortex (#587), mellette Chara-din "
         "monolitja (#534).<BR>"_cp);
  const std::string rows = warning_rows(report_);
  const std::string monolith =
      alarm("Chara-din monolitján (#534) táboroztál le!"_cp);
  const std::size_t at = rows.find(monolith);
  ASSERT_NE(at, std::string::npos);
  report_.identity.deity = "CHARA-DIN";
  EXPECT_EQ(warning_rows(report_),
            rows.substr(0, at) + rows.substr(at + monolith.size()));
}

TEST_F(SummaryTest, CompanyRowsInTableOrder) {
  // West regeneration: IQ 30 + 2 x 0 - 12 = 18.
  const std::string row = "<TR><TD CLASS=\"t1\" COLSPAN=3>";
  const struct {
    int company, efejl;
    std::string rows;
  } cases[] = {
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
    set_level(report_, "ordítás"_cp, "10");
    report_.company.company_number = c.company;
    report_.level.efejl = c.efejl;
    EXPECT_EQ(company_rows(report_), cp("\n <TR><TD CLASS=\"c3\" COLSPAN=3> KT "
                                        "képességek</TD></TR>"_cp) +
                                         c.rows);
  }
}

}  // namespace
}  // namespace morvinta
