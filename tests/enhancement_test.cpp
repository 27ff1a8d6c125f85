#include "enhancement.h"

#include <gtest/gtest.h>

#include "console.h"
#include "cp1250.h"
#include "rules.h"
#include "test_support.h"

namespace morvinta {
namespace {

using testing::InFolder;
using testing::TempFolder;

std::string cp(std::string_view text) { return std::string(text); }

const std::string kLink =
    "<a class=n href=\"http://webhyper.example.org/webhyper/";

class SectionTest : public testing::ConsoleTest {
 protected:
  TurnReport report_;
};

using MonsterTest = SectionTest;

TEST_F(MonsterTest, LinksThenNumbers) {
  report_.monsters.monster_by_number(45).name = cp("Nádi kígyó"_cp);
  report_.text =
      cp("a <b>Nádi kígyó</B> és egy <b>Nádi kígyó!</B> meg <B>X</B>"_cp);
  link_monsters(report_);
  number_monsters(report_);
  const std::string link = kLink +
                           "szorny_enc.php?f=szenc&ssz=45\" target=new "
                           "title=\"Encyclopedia (Web Hyper)\">";
  EXPECT_EQ(report_.text,
            "a " + link + cp("<B>Nádi kígyó (#45)</B></a> és egy "_cp) + link +
                cp("<B>Nádi kígyó (#45)!</B></a> meg <B>X</B>"_cp));
}

TEST_F(MonsterTest, UnknownNamesTakeTheFirstFreeNumber) {
  report_.monsters.monster_by_number(10).name = "Patkany";
  report_.text = cp("<B>ismeretlen szörny</B>"_cp);
  number_monsters(report_);
  EXPECT_EQ(report_.text, cp("<B>ismeretlen szörny (#11)</B>"_cp));
}

TEST_F(MonsterTest, OfflineAddresses) {
  report_.settings.offline_webhyper = 1;
  report_.settings.settings_text =
      cp("offline webhyper könyvtára: \"c:/wh\";"_cp);
  EXPECT_EQ(monster_address(report_.settings, 45),
            "c:/wh/szorny_enc.php@f=szenc&ssz=45.htm");
  EXPECT_EQ(item_address(report_.settings, 7),
            "c:/wh/targy_enc.php@f=tenc&ssz=7.htm");
  EXPECT_EQ(spell_address(report_.settings, 3),
            "c:/wh/vari_enc.php@f=venc&ssz=3.htm");
  report_.settings.offline_webhyper = 0;
  EXPECT_EQ(spell_address(report_.settings, 3),
            "http://webhyper.example.org/webhyper/vari_enc.php?f=venc&ssz=3");
}

TEST_F(SectionTest, CoordinateAnchorsAndLinks) {
  auto& log = report_.adventures;
  log.moves[0].set(5, 6);
  log.moves[1].set(7, -8);
  log.moves[2].set(5, 6);  // the same square again
  log.move_count = 3;
  report_.text = "[5,6] (5,6) [7,-8] (7,-8)";
  link_coordinates(report_);
  EXPECT_EQ(report_.text,
            "[5,6]<A name=\"#koord2\"></A><A name=\"#koord0\"></A> "
            "<A href=\"#koord0\"><A href=\"#koord2\">(5,6)</A></A> "
            "[7,-8]<A name=\"#koord1\"></A> <A href=\"#koord1\">(7,-8)</A>");
}

TEST_F(SectionTest, ItemWeightsValuesAndLinks) {
  ItemCatalogue& items = report_.items;
  ItemRecord& sword = items.item_by_number(12);
  sword.weight = 1.25;
  sword.ea = 10;
  sword.carried_count = 3;
  ItemRecord& ring = items.item_by_number(45);
  ring.ea = 7;
  ring.dollar_form = true;
  ring.banked = 2;
  ItemRecord& rope = items.item_by_number(5);
  rope.weight = 0.5;
  rope.carried_count = 1;
  ItemRecord& stone = items.item_by_number(9);  // no weight, no value
  stone.carried_count = 1;
  report_.text =
      cp("NÁLAD LÉVŐ TÁRGYAK (*-gal jelöltek bekészítve) Kard (#12) Kötél (#5) "
         "Kő (#9) Gyűrű ($45)</TABLE></TD></TR></TABLE> "
         "TÁRGYAID A BANK SZÉFJÉBEN Gyűrű ($45) Kard (#12)"
         "</TABLE></TD></TR></TABLE>"_cp);
  add_item_weights(report_);
  const auto link = [](int n, const std::string& tag) {
    return kLink + "targy_enc.php?f=tenc&ssz=" + std::to_string(n) +
           "\" target=new title=\"Encyclopedia (Web Hyper)\">" + tag + "</a>";
  };
  EXPECT_EQ(
      report_.text,
      cp("NÁLAD LÉVŐ TÁRGYAK (*-gal jelöltek bekészítve) Kard "_cp) +
          link(12, "(#12)") +
          cp(" <SPAN CLASS=\"szogletes\">{30} [3.75]</SPAN> Kötél "_cp) +
          link(5, "(#5)") +
          cp(" <SPAN CLASS=\"szogletes\">[0.50]</SPAN> Kő "_cp) +
          link(9, "(#9)") +
          cp(" Gyűrű ($45) <SPAN CLASS=\"szogletes\">{0}</SPAN>"
             "</TABLE></TD></TR></TABLE> TÁRGYAID A BANK SZÉFJÉBEN Gyűrű "_cp) +
          link(45, "($45)") +
          " <SPAN CLASS=\"szogletes\">{14}</SPAN> Kard (#12) "
          "<SPAN CLASS=\"szogletes\">{0} [0.00]</SPAN>"
          "</TABLE></TD></TR></TABLE>");
}

TEST_F(SectionTest, TableWidth) {
  const std::string page =
      cp("<T WIDTH=740><T WIDTH=750> HARCI ISMERETEK</TD></TR> WIDTH=140 "
         "WIDTH=103</TABLE></TD></TR></TABLE> WIDTH=140 NÁLAD LÉVŐ TÁRGYAK "
         "(*-gal jelöltek bekészítve) WIDTH=205</TABLE></TD></TR></TABLE> "
         "WIDTH=205"_cp);
  report_.text = page;
  report_.settings.settings_text = cp("táblázat mérete: 900;"_cp);
  set_table_width(report_);
  EXPECT_EQ(report_.text,
            cp("<T WIDTH=900><T WIDTH=750> HARCI ISMERETEK</TD></TR> "
               "WIDTH=20% WIDTH=13%</TABLE></TD></TR></TABLE> WIDTH=140 NÁLAD "
               "LÉVŐ TÁRGYAK (*-gal jelöltek bekészítve) WIDTH=258"
               "</TABLE></TD></TR></TABLE> WIDTH=205"_cp));
  report_.text = page;
  report_.settings.settings_text = cp("táblázat mérete: 95%;"_cp);
  set_table_width(report_);
  EXPECT_EQ(report_.text,
            cp("<T WIDTH=95%><T WIDTH=100% ALIGN=center> HARCI "
               "ISMERETEK</TD></TR> WIDTH=20% WIDTH=13%"
               "</TABLE></TD></TR></TABLE> WIDTH=140 NÁLAD LÉVŐ TÁRGYAK "
               "(*-gal jelöltek bekészítve) WIDTH=33%"
               "</TABLE></TD></TR></TABLE> WIDTH=205"_cp));
}

TEST(ItemLists, PlainListsOfFiveAndFour) {
  std::string text = cp(
      "Láda (zárójelben a tárgy sorszáma): a (#1), b (#2), c (#3), d (#4), e "
      "(#5).<SPAN> x</SPAN> Zsák (zárójelben a tárgy sorszáma): f, g, h, i."
      "<SPAN>y"_cp);
  tabulate_item_lists(text);
  EXPECT_EQ(text,
            cp("Láda (zárójelben a tárgy sorszáma):<br><table border=0 "
               "width=100%>\n<tr><td width=25%> a (#1), </td><td width=25%>b "
               "(#2), </td><td width=25%>c (#3), </td><td width=25%>d (#4), "
               "</td></tr>\n<tr><td width=25%>e (#5).</td></tr></table>\n"
               "<SPAN> x</SPAN> Zsák (zárójelben a tárgy sorszáma):<br><table "
               "border=0 width=100%>\n<tr><td width=25%> f, </td><td "
               "width=25%>g, </td><td width=25%>h, </td><td width=25%>i.</td>"
               "</tr></tr></table>\n<SPAN>y"_cp));
}

TEST(ItemLists, ShopListAndEmptyList) {
  std::string text =
      cp("Bolt (zárójelben a tárgy sorszáma): a (#1) 2 ap, b (#2) 3 ap. A "
         "következő tárgyaidat hajlandó a boltos megvásárolni: c (#3) 1 ap, d "
         "(#4) 2 ap áron. <SPAN>z"_cp);
  tabulate_item_lists(text);
  EXPECT_EQ(
      text,
      cp("Bolt (zárójelben a tárgy sorszáma):<br><table border=0 "
         "width=100%>\n<tr><td width=25%> a (#1) 2 ap, </td><td "
         "width=25%>b (#2) 3 ap.</td></tr></table>\n<br>A következő tárgyaidat "
         "hajlandó a boltos megvásárolni:<br><table border=0 "
         "width=100%>\n<tr><td width=25%> c (#3) 1 ap, </td><td "
         "width=25%>d (#4) 2 ap áron</td></tr></table>\n<SPAN>z"_cp));
  std::string bare = cp("(zárójelben a tárgy sorszáma): semmi<SPAN>"_cp);
  tabulate_item_lists(bare);
  EXPECT_EQ(bare, cp("(zárójelben a tárgy sorszáma):<br><table border=0 "
                     "width=100%></tr></table>\n<SPAN>"_cp));
  // An empty list text replaces nothing.
  std::string empty = cp("(zárójelben a tárgy sorszáma):<SPAN>"_cp);
  tabulate_item_lists(empty);
  EXPECT_EQ(empty, cp("(zárójelben a tárgy sorszáma):<SPAN>"_cp));
}

TEST_F(SectionTest, EncumbranceRowsInReverseOrder) {
  report_.settings.advisor_name = "Deved";
  ItemRecord& ring = report_.items.item_by_number(45);
  ring.carried_count = 2;
  ring.ea = 50;
  ring.dollar_form = true;
  ItemRecord& sword = report_.items.item_by_number(12);
  sword.carried_count = 1;
  sword.ea = 30;
  const std::string row =
      cp("<TD WIDTH=50%>Megterheltség:</TD><TD>101%</TD></TR>"_cp);
  report_.text = cp("<TD WIDTH=50%>Összsúly:</TD><TD>20.20 kg</TD></TR>"_cp) +
                 row + "<END>";
  add_encumbrance_rows(report_);
  EXPECT_EQ(report_.text,
            cp("<TD WIDTH=50%>Összsúly:</TD><TD>20.20 kg</TD></TR>"_cp) + row +
                cp("\n<TR><TD CLASS=\"t1\" COLSPAN=2>Tárgyaid összértéke: 130 "
                   "ap</TD></TR>\n<TR><TD CLASS=\"t1\" COLSPAN=2>HU-ban levő "
                   "tárgyaid összértéke: 100 ap</TD></TR><TR><TD CLASS=\"t1\" "
                   "COLSPAN=2> Deved azt javasolja hogy a 95%-os "
                   "megterheltséghez 1.20 kg-tól szabadulj meg!  </TD></TR>"
                   "<END>"_cp));
  // 100 percent: no advice; no encumbrance row: nothing at all.
  report_.text = cp("WIDTH=50%>Megterheltség: 100</TD></TR>"_cp);
  report_.items = ItemCatalogue();
  add_encumbrance_rows(report_);
  EXPECT_EQ(report_.text, cp("WIDTH=50%>Megterheltség: 100</TD></TR>"_cp));
}

TEST(LinkColours, AfterTheTjRule) {
  std::string text = "BODY{ BACKGROUND: #000; COLOR: #fff; } .tj{ x } .tj{}";
  colour_links(text);
  EXPECT_EQ(text,
            "BODY{ BACKGROUND: #000; COLOR: #fff; } .tj{ x }\n"
            "  a.n:link { COLOR:  #fff;  }\n"
            "  a.n:visited { COLOR:  #fff;  }\n"
            "  a.n:hover { COLOR:  #fff;  }\n"
            "  a.n:active { COLOR:  #fff;  }\n .tj{}");
  std::string plain = "BODY{ x } .tj{ }";
  colour_links(plain);
  EXPECT_EQ(plain, "BODY{ x } .tj{ }");
}

TEST(SummaryBlock, StandsBeforeTheInventory) {
  const std::string header =
      cp("<P>\n<TABLE WIDTH=740 CELLPADDING=1 CELLSPACING=0 BORDER=0 "
         "CLASS=\"t0\"><TR><TD><TABLE CELLPADDING=2 CELLSPACING=0 BORDER=0 "
         "CLASS=\"t1\" WIDTH=740>\n<TR><TD CLASS=\"c2\" COLSPAN=9>NÁLAD LÉVŐ "
         "TÁRGYAK (*-gal jelöltek bekészítve)</TD></TR>"_cp);
  std::string text = "a" + header + "b";
  insert_summary_block(text, "[S]");
  EXPECT_EQ(text, "a[S]\n" + header + "b");
  std::string none = "no header";
  insert_summary_block(none, "[S]");
  EXPECT_EQ(none, "no header");
}

class EnhanceTest : public SectionTest {
 protected:
  TempFolder folder_;
  InFolder here_{folder_.path()};
};

TEST_F(EnhanceTest, OldLayoutIsRefused) {
  report_.report_kind = 2;
  report_.character_number = 1;
  report_.turn_number = 2;
  enhance(report_);
  EXPECT_EQ(console_, "regi tipusu fordulora nem megy a morvinta!");
  EXPECT_FALSE(folder_.exists("1_2.htm"));
  report_.report_kind = 0;
  console_.clear();
  enhance(report_);
  EXPECT_EQ(console_, "");
}

TEST_F(EnhanceTest, OutputNamesAndDeletion) {
  folder_.write("1234_56.htm", "input");
  report_.report_kind = 1;
  report_.character_number = 1234;
  report_.turn_number = 56;
  report_.file_name = "1234_56.htm";
  report_.settings.parse(
      cp("xxxxcyyy alakú forduló: 1; forduló törlése: 1;"
         " fordulók könyvtára: \"out\";"_cp));
  report_.text = "page\n";
  enhance(report_);  // no "out" folder: the bare name
  EXPECT_EQ(folder_.read("1234c56.htm"), "page\r\n");
  EXPECT_FALSE(folder_.exists("1234_56.htm"));
  EXPECT_NE(console_.find("regi fordulo torolve: OK\n"), std::string::npos);
}

TEST_F(EnhanceTest, DeletionReplacesTheInputWithoutATurnsFolder) {
  folder_.write("1234_56.htm", "input");
  report_.report_kind = 1;
  report_.character_number = 1234;
  report_.turn_number = 56;
  report_.file_name = "1234_56.htm";
  report_.settings.parse(cp("forduló törlése: 1;"_cp));
  report_.text = "page\n";
  enhance(report_);
  EXPECT_EQ(folder_.read("1234_56.htm"), "page\r\n");

  std::filesystem::create_directory(folder_.path() / "out");
  folder_.write("1234_56.htm", "input");
  report_.settings.parse(
      cp("forduló törlése: 1; fordulók könyvtára: \"out\";"_cp));
  enhance(report_);
  EXPECT_EQ(folder_.read("out/1234_56.htm"), "page\r\n");
  EXPECT_FALSE(folder_.exists("1234_56.htm"));  // moved to the turns folder
}

TEST(EffectFlags, ItemsAndMessages) {
  TurnReport report;
  EXPECT_EQ(compute_effect_flags(report), 0u);
  for (const int n : {508, 596, 602, 603, 504, 1119}) {
    report.items.item_by_number(n).carried_count = 1;
  }
  EXPECT_EQ(compute_effect_flags(report), 1u + 8 + 16);  // #604 missing
  report.items.item_by_number(604).carried_count = 2;
  report.text = cp("... Szörnyen éhezel ... Komposzttá sorvadsz"_cp);
  EXPECT_EQ(compute_effect_flags(report), 1u + 2 + 8 + 16 + 32 + 64);
  report.text = cp("szörnyen éhezel"_cp);  // case matters
  EXPECT_EQ(compute_effect_flags(report) & 32u, 0u);
}

TEST_F(EnhanceTest, DeathSpellWordingAbove20) {
  report_.report_kind = 1;
  report_.settings.parse("");
  for (const int alignment : {20, 21}) {
    report_.level.alignment = alignment;
    report_.text = cp("a halálvarázslat és a halálvarázslat"_cp);
    enhance(report_);
    EXPECT_EQ(
        report_.text,
        alignment == 20
            ? cp("a halálvarázslat és a halálvarázslat"_cp)
            : cp("a nagyobb auratisztitás és a nagyobb auratisztitás"_cp));
  }
}

TEST_F(SectionTest, SpellDevelopmentCostsAndLinks) {
  const struct {
    int number;
    const char* school;
    int cost;
  } spells[] = {{3, "teo", 12},
                {4, "teo", 25},
                {5, "pszi", 7},
                {6, "AvK", 9},
                {7, "tau", 0}};
  for (const auto& spell : spells) {
    SpellRecord& row = report_.spells.spell_by_number(spell.number);
    row.known = true;
    row.school = spell.school;
    row.cost = spell.cost;
  }
  report_.folly_price.theology_cost_limit = 20;
  report_.folly_price.theology_extra_vp = 3;
  const std::string segment =
      cp("VARÁZSLATAID (#3, 12 VP) (#4, 25 VP) (#5, 7 VP) (#6, 9 VP) (#7, 0 VP)"
         "</TABLE></TD></TR></TABLE>"_cp);
  const auto chance = [&](int s) {
    return formatted("%.2lf%%", spell_development_chance(report_, s));
  };
  for (const bool links : {false, true}) {
    report_.settings.spell_links = links ? 1 : 0;
    report_.text = "x " + segment + " (#3, 12 VP)";
    develop_spells(report_);
    const auto number = [&](int s) {
      const std::string plain = "#" + std::to_string(s);
      if (!links) return plain;
      return kLink + "vari_enc.php?f=venc&ssz=" + std::to_string(s) +
             "\" target=new title=\"Encyclopedia (Web Hyper)\">" + plain +
             "</a>";
    };
    EXPECT_EQ(report_.text,
              cp("x VARÁZSLATAID ("_cp) + number(3) + ", " + chance(3) +
                  ", <SPAN CLASS=\"plusminus\">15</SPAN> VP) (" + number(4) +
                  ", " + chance(4) + ", 25 VP) (" + number(5) + ", " +
                  chance(5) + ",  7 VP) (#6, 9 VP) (" + number(7) + ", " +
                  chance(7) + ", 0 VP)</TABLE></TD></TR></TABLE> (#3, 12 VP)")
        << "links " << links;
  }
}

}  // namespace
}  // namespace morvinta
