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
  parse_inventory(other,
                  cp("NÁLAD LÉVŐ TÁRGYAK (*-gal jelöltek bekészítve)</TD></TR>"
                     "<TR><TD WIDTH=30>3</TD><TD>Hosszú kard* (#12)</TD></TR>"
                     "</TABLE></TD></TR></TABLE>"_cp),
                  2, false);
  parse_inventory(other, text, 1, false);
  EXPECT_EQ(other.item_by_number(12).carried_count, 0);
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

TEST_F(KnowledgeTest, InfoFileIsReadBack) {
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
  EXPECT_FALSE(read_items.item_by_number(33).known);  // no report scan
  EXPECT_TRUE(read_monsters.monster_by_number(50).known);
  EXPECT_FALSE(read_monsters.monster_by_number(1000).known);
  EXPECT_FALSE(read_monsters.monster_by_number(7).known);
  EXPECT_FALSE(read_monsters.monster_by_number(34).known);
}

// Parentheses that open before one close share its text: each names the
// first number from its own "(" when the text through the close holds the
// word, however many open before the close.
TEST_F(KnowledgeTest, ParenthesesThatShareAClose) {
  const std::string text =
      report_head(37) +
      encyclopedia(cp("((#3 (#4 TÁRGY) (#6 TÁRGY (#7) (#13) TÁRGY (#14 "
                      "TÁRGY) (TÁRGY (#11) (x (-12 TÁRGY)"_cp) +
                   std::string(5000, '(') + cp("#15 TÁRGY) (#16 ("_cp));
  ItemCatalogue items;
  parse_inventory(items, text, 1, false);
  for (const int m : {3, 4, 6, 11, 14, 15}) {
    EXPECT_TRUE(items.item_by_number(m).known) << m;
  }
  for (const int m : {7, 12, 13, 16}) {
    EXPECT_FALSE(items.item_by_number(m).known) << m;
  }
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
      {140, 10, "Nyugati területek"_cp}, {141, 10, "Semmi Közepe"_cp},
      {142, 0, "Keleti területek"_cp},   {220, 63, "Esthar császárság"_cp},
      {260, 63, "Kyorg birodalom"_cp},   {250, 64, "Bo'adhun birodalom"_cp},
      {299, 64, "Árnytündérek"_cp},      {301, 10, "Sötét Föld"_cp},
      {405, 10, "Semmi Közepe"_cp},      {0, 10, "Semmi Közepe"_cp},
      {219, 99, "Keleti területek"_cp},  {404, 99, "Sötét Föld"_cp},
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
