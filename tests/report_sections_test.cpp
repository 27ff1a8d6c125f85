#include "report_sections.h"

#include <gtest/gtest.h>

#include "console.h"
#include "cp1250.h"
#include "test_support.h"
#include "turn_report.h"

namespace morvinta {
namespace {

using testing::InFolder;
using testing::TempFolder;

std::string cp(std::string_view text) { return std::string(text); }

// Runs in an empty folder (no info file, no earlier reports) and catches
// what is printed.
class SectionTest : public testing::ConsoleTest {
 protected:
  TempFolder folder_;
  InFolder here_{folder_.path()};
};

using InventoryTest = SectionTest;

const std::string kInventory =
    cp("<TR><TD CLASS=\"c2\">NÁLAD LÉVŐ TÁRGYAK (*-gal jelöltek "
       "bekészítve)</TD></TR>\n"
       "<TR><TD WIDTH=30>3</TD><TD>Hosszú kard* (#12)</TD></TR>\n"
       "<TR><TD COLSPAN=6>[benn: 2 Gyógyital (#7)]</TD></TR>\n"
       "<TR><TD>Löttyök</TD><TD WIDTH=30>9</TD><TD WIDTH=30>4</TD><TD>Kék "
       "lötty ($15)</TD></TR>\n"
       "<TR><TD WIDTH=30>1</TD><TD>Óriás (#2000)</TD></TR>\n"
       "<TR><TD WIDTH=30>6</TD><TD>Pajzs (#30)</TD></TR>\n"
       "</TABLE></TD></TR></TABLE>\n"
       "<TR><TD>TÁRGYAID A BANK SZÉFJÉBEN</TD></TR>\n"
       "<TR><TD WIDTH=30>5</TD><TD>Pajzs (#30)</TD></TR>\n"
       "<TR><TD WIDTH=30>2</TD><TD>Gyűrű ($41)</TD></TR>\n"
       "</TABLE></TD></TR></TABLE>\n"
       "<TD>Pénz:</TD><TD CLASS=\"t1\">1234 ap</TD>\n"_cp);

TEST_F(InventoryTest, CurrentLayout) {
  ItemCatalogue items;
  parse_inventory(items, kInventory, 1, false);
  const ItemRecord& sword = items.item_by_number(12);
  EXPECT_EQ(sword.carried_count, 3);
  EXPECT_EQ(sword.number, 12);
  EXPECT_TRUE(sword.equipped);
  EXPECT_TRUE(sword.turn_equipped);
  EXPECT_FALSE(sword.dollar_form);
  // In a container line the count stands before the reference.
  EXPECT_EQ(items.item_by_number(7).carried_count, 2);
  EXPECT_FALSE(items.item_by_number(7).equipped);
  // A potion row: the count is in its second WIDTH=30 cell.
  EXPECT_EQ(items.item_by_number(15).carried_count, 4);
  EXPECT_TRUE(items.item_by_number(15).dollar_form);
  EXPECT_EQ(items.item_by_number(30).carried_count, 6);
  EXPECT_EQ(items.item_by_number(30).banked, 5);
  EXPECT_EQ(items.item_by_number(41).banked, 2);
  EXPECT_TRUE(items.item_by_number(41).dollar_form);
  EXPECT_EQ(items.item_by_number(41).carried_count, 0);
  EXPECT_EQ(items.item_by_number(ItemCatalogue::kMoney).carried_count, 1234);
  EXPECT_EQ(items.item_by_number(1999).carried_count, 0);  // 2000 skipped
  EXPECT_EQ(console_, "");
}

TEST_F(InventoryTest, OldLayout) {
  const std::string text =
      cp("Tárgyaid (*-gal jelöltek bekészítve, zárójelben tárgy sorszáma)\n"
         " 3 Hosszú kard* (#12)\n 1 Gyűrű ($41)\nÖsszsúly: 12\n"
         "Tárgyaid a bank széfjében\n 5 Pajzs (#30)\n</pre>\n"
         "Pénz:</TD><TD CLASS=\"t1\">99\n"_cp);
  ItemCatalogue items;
  parse_inventory(items, text, 2, false);
  EXPECT_EQ(items.item_by_number(12).carried_count, 3);
  EXPECT_TRUE(items.item_by_number(12).equipped);
  EXPECT_EQ(items.item_by_number(41).carried_count, 1);
  EXPECT_TRUE(items.item_by_number(41).dollar_form);
  EXPECT_EQ(items.item_by_number(30).banked, 5);
  EXPECT_EQ(items.item_by_number(ItemCatalogue::kMoney).carried_count, 0);
  // The current layout's anchors mean nothing to the old one, and back.
  ItemCatalogue other;
  parse_inventory(other, kInventory, 2, false);
  parse_inventory(other, text, 1, false);
  EXPECT_EQ(other.item_by_number(12).carried_count, 0);
}

TEST_F(InventoryTest, BrokenListsSetNothingAndEnd) {
  ItemCatalogue items;
  parse_inventory(items, "no lists here", 1, false);
  parse_inventory(
      items,
      cp("NÁLAD LÉVŐ TÁRGYAK (*-gal jelöltek bekészítve) 4 Kard (#12"
         "</TABLE></TD></TR></TABLE>"_cp),
      1, false);
  EXPECT_EQ(items.item_by_number(12).carried_count, 0);
}

// The report's own numbers decide which files are read.
std::string report_head(int turn) {
  return cp("KALANDOZÓ: #1234 JÁTÉKHETED, "_cp) + std::to_string(turn) + "\n";
}

std::string item_list(int number) {
  return cp("<TD CLASS=\"c2\">TÁRGYAK</TD></TR> Kard (#"_cp) +
         std::to_string(number) + ") PARANCSOK\n";
}

std::string monster_list(int number) {
  return cp("<TD CLASS=\"c2\">SZÖRNYEK</TD></TR> Medve (#"_cp) +
         std::to_string(number) + cp(") <TD CLASS=\"c2\">TÁRGYAK</TD></TR>"_cp);
}

std::string encyclopedia(std::string_view entries) {
  return "ENCYCLOPEDIA FANTASIA " + std::string(entries) + " KARAKTERLAP\n";
}

using KnowledgeTest = SectionTest;

TEST_F(KnowledgeTest, Turn37ScansTheStretchFrom30) {
  folder_.write("1234_29.htm", item_list(101) + encyclopedia("(#102 TÁRGY)"));
  folder_.write(
      "1234_30.htm",
      item_list(103) + encyclopedia(cp("(#104 TÁRGY)"_cp)) + monster_list(5));
  folder_.write("1234_33.htm",
                item_list(105) +
                    encyclopedia(cp("(#106 TÁRGY) (7, LÉNY) (#8 SZÖRNY)"_cp)));
  const std::string text =
      report_head(37) + item_list(107) +
      encyclopedia(cp("(#108 ÉPÍTMÉNY) (#9 ELLENFÉL) (#110 SZÖRNYCSAPDA)"_cp));
  ItemCatalogue items;
  MonsterCatalogue monsters;
  parse_encyclopedia(monsters, text, 1);
  parse_inventory(items, text, 1, false);
  for (const int m : {103, 106, 108, 110}) {
    EXPECT_TRUE(items.item_by_number(m).known) << m;
  }
  for (const int m : {101, 102, 104, 105, 107}) {
    EXPECT_FALSE(items.item_by_number(m).known) << m;
  }
  for (const int m : {5, 7, 8, 9}) {
    EXPECT_TRUE(monsters.monster_by_number(m).known) << m;
  }
  EXPECT_FALSE(monsters.monster_by_number(106).known);  // a TÁRGY entry
}

TEST_F(KnowledgeTest, Turn40ScansItsOwnListOnly) {
  folder_.write("1234_39.htm",
                item_list(112) + encyclopedia(cp("(#113 TÁRGY)"_cp)));
  folder_.write("1234_40.htm", item_list(111));
  const std::string text = report_head(40) + item_list(114) +
                           encyclopedia(cp("(#115 TÁRGY)"_cp)) +
                           monster_list(6);
  ItemCatalogue items;
  MonsterCatalogue monsters;
  parse_inventory(items, text, 1, false);
  parse_encyclopedia(monsters, text, 1);
  for (const int m : {111, 114, 115})
    EXPECT_TRUE(items.item_by_number(m).known) << m;
  for (const int m : {112, 113})
    EXPECT_FALSE(items.item_by_number(m).known) << m;
  EXPECT_TRUE(monsters.monster_by_number(6).known);
}

TEST_F(KnowledgeTest, InfoFileRoundTrip) {
  ItemCatalogue items;
  MonsterCatalogue monsters;
  items.item_by_number(12).known = true;
  items.item_by_number(120).known = true;
  items.item_by_number(1999).known = true;
  monsters.monster_by_number(5).known = true;
  monsters.monster_by_number(1000).known = true;
  const std::string info = info_file_text(items, monsters);
  EXPECT_EQ(info, cp("tárgyak:\n\n"
                     "ismeretlen tárgy (#12)\n"
                     "ismeretlen tárgy (#120)\n"
                     "ismeretlen tárgy (#1999)\n"
                     "\nösszesen 3 tárgyat ismersz\n\n"
                     "szörnyek:\n\n"
                     "ismeretlen szörny (#5)\n"
                     "\nösszesen 1 szörnyet ismersz\n\n"_cp));

  // Read back: the file's references only, matched with their ")".
  folder_.write("info/info_1234.txt",
                cp("tárgyak:\n Kard (#120)\n Sisak (#1999)\n Bot (#2000)\n"
                   "szörnyek:\n Medve (#50)\n Sárkány (#1000)\n (#7\n"_cp));
  folder_.write("1234_37.htm", encyclopedia(cp("(#33 TÁRGY) (#34 LÉNY)"_cp)));
  const std::string text = report_head(37);
  ItemCatalogue read_items;
  MonsterCatalogue read_monsters;
  parse_inventory(read_items, text, 1, false);
  parse_encyclopedia(read_monsters, text, 1);
  EXPECT_TRUE(read_items.item_by_number(120).known);
  EXPECT_TRUE(read_items.item_by_number(1999).known);
  EXPECT_FALSE(read_items.item_by_number(12).known);
  EXPECT_FALSE(read_items.item_by_number(33).known);  // no report scan
  EXPECT_TRUE(read_monsters.monster_by_number(50).known);
  EXPECT_FALSE(read_monsters.monster_by_number(1000).known);
  EXPECT_FALSE(read_monsters.monster_by_number(7).known);
  EXPECT_FALSE(read_monsters.monster_by_number(34).known);
}

TEST_F(KnowledgeTest, EmptyInfoFile) {
  EXPECT_EQ(info_file_text(ItemCatalogue(), MonsterCatalogue()),
            cp("tárgyak:\n\n\nösszesen 0 tárgyat ismersz\n\n"
               "szörnyek:\n\n\nösszesen 0 szörnyet ismersz\n\n"_cp));
}

TEST_F(KnowledgeTest, OldLayoutKnowsNothing) {
  folder_.write("1234_37.htm", encyclopedia(cp("(#33 TÁRGY) (#34 LÉNY)"_cp)));
  const std::string text =
      report_head(37) + encyclopedia(cp("(#35 TÁRGY) (#36 LÉNY)"_cp));
  ItemCatalogue items;
  MonsterCatalogue monsters;
  parse_inventory(items, text, 2, false);
  parse_encyclopedia(monsters, text, 2);
  EXPECT_FALSE(items.item_by_number(35).known);
  EXPECT_FALSE(monsters.monster_by_number(36).known);
}

TEST_F(KnowledgeTest, WriteInfoFile) {
  TurnReport report;
  report.character_number = 1234;
  report.items.item_by_number(3).known = true;
  write_info_file(report);  // no info/ folder
  EXPECT_EQ(console_, "nem sikerult kiirni: \"info/info_1234.txt\"!\n");
  EXPECT_FALSE(folder_.exists("info"));

  console_.clear();
  folder_.write("info/info_1234.txt", "old");
  write_info_file(report);
  EXPECT_EQ(console_, "");
  EXPECT_EQ(folder_.read("info/info_1234.txt"),
            cp("tárgyak:\r\n\r\nismeretlen tárgy (#3)\r\n\r\n"
               "összesen 1 tárgyat ismersz\r\n\r\n"
               "szörnyek:\r\n\r\n\r\nösszesen 0 szörnyet ismersz\r\n\r\n"_cp));
}

using SpellsTest = SectionTest;

TEST_F(SpellsTest, KnownAndActive) {
  const std::string text =
      cp("VARÁZSLATAID</TD></TR><TR><TD>Tűzgolyó (#12, 7 VP)</TD>"
         "<TD>Fény (#3)</TD><TD>Messze (#600, "
         "1)</TD></TR></TABLE></TD></TR></TABLE>"
         "JELENLEG RAJTAD LEVŐ AKTÍV VARÁZSLATOK <TD>Pajzs (#40)</TD>"
         "<TD>Tűzgolyó (#12)</TD></TABLE></TD></TR></TABLE>"_cp);
  SpellCatalogue spells;
  parse_spells(spells, text, 1, false);
  EXPECT_TRUE(spells.spell_by_number(12).known);
  EXPECT_EQ(spells.spell_by_number(12).cost, 7);
  EXPECT_TRUE(spells.spell_by_number(12).active);
  EXPECT_TRUE(spells.spell_by_number(3).known);
  EXPECT_EQ(spells.spell_by_number(3).cost, 0);  // no second number
  EXPECT_FALSE(spells.spell_by_number(3).active);
  EXPECT_TRUE(spells.spell_by_number(40).active);  // active, not known
  EXPECT_FALSE(spells.spell_by_number(40).known);
  EXPECT_EQ(spells.spell_by_number(40).number, 40);
  EXPECT_EQ(console_, "");
}

TEST_F(SpellsTest, OldLayoutNeverActive) {
  const std::string text =
      cp("Varázslataid: Tűzgolyó (#12, 7) <p> JELENLEG RAJTAD LEVŐ AKTÍV "
         "(#12)</TABLE></TD></TR></TABLE>"_cp);
  SpellCatalogue spells;
  parse_spells(spells, text, 2, false);
  EXPECT_TRUE(spells.spell_by_number(12).known);
  EXPECT_EQ(spells.spell_by_number(12).cost, 7);
  EXPECT_FALSE(spells.spell_by_number(12).active);
}

TEST_F(SpellsTest, NoSpellListSaysSoEvenQuietly) {
  SpellCatalogue spells;
  parse_spells(spells, "KARAKTERLAPOD", 1, false);
  EXPECT_EQ(console_, "nem ismersz meg 1 varit sem\n");
}

using MovesTest = SectionTest;

TEST_F(MovesTest, PlainSquaresOnly) {
  AdventureLog log;
  log.parse_moves(
      "KALANDJAI [-3,12] [4, 5] [07,1] [a,b] [10,20] [5,-6]x KARAKTERLAP [1,1]",
      1, true);
  ASSERT_EQ(log.move_count, 3);
  EXPECT_EQ(log.moves[0].square_text(), "[-3,12]");
  EXPECT_EQ(log.moves[1].square_text(), "[10,20]");
  EXPECT_EQ(log.moves[2].round_text(), "(5,-6)");
  EXPECT_EQ(console_,
            "Ebben a forduloban tett mozgasaid:\n"
            "[-3,12] [10,20] [5,-6] (Nyugati területek)\n");
}

TEST_F(MovesTest, KeepsTheFirstThirty) {
  std::string text = "KALANDJAI";
  for (int i = 1; i <= 35; ++i) text += " [" + std::to_string(i) + ",1]";
  text += " KARAKTERLAP";
  AdventureLog log;
  log.parse_moves(text, 2, false);
  EXPECT_EQ(log.move_count, 30);
  EXPECT_EQ(log.last_move().x, 30);
}

TEST_F(MovesTest, RegionNames) {
  const struct {
    int x, y;
    std::string_view region;
  } cases[] = {
      {140, 10, "Nyugati területek"_cp},  {141, 10, "Semmi Közepe"_cp},
      {1, 0, "Nyugati területek"_cp},     {142, 0, "Keleti területek"_cp},
      {219, 99, "Keleti területek"_cp},   {220, 63, "Esthar császárság"_cp},
      {259, 0, "Esthar császárság"_cp},   {260, 63, "Kyorg birodalom"_cp},
      {250, 64, "Bo'adhun birodalom"_cp}, {299, 64, "Árnytündérek"_cp},
      {300, 10, "Semmi Közepe"_cp},       {301, 10, "Sötét Föld"_cp},
      {404, 99, "Sötét Föld"_cp},         {405, 10, "Semmi Közepe"_cp},
      {0, 10, "Semmi Közepe"_cp},         {-5, 10, "Semmi Közepe"_cp},
  };
  for (const auto& c : cases) {
    AdventureLog log;
    log.moves[0].set(c.x, c.y);
    log.move_count = 1;
    EXPECT_EQ(log.region_name(), c.region) << c.x << "," << c.y;
  }
  EXPECT_EQ(AdventureLog().region_name(), "Semmi Közepe"_cp);  // no move
  EXPECT_EQ(AdventureLog().last_move().x, 0);
}

}  // namespace
}  // namespace morvinta
