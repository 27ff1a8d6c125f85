// The page edits on what the example folder's golden run does not reach:
// offline addresses, repeated squares, widths in percent, empty lists, the
// band edges, and where the enhanced report goes and what happens to the
// input.
#include "enhancement.h"

#include <gtest/gtest.h>

#include "console.h"
#include "cp1250.h"
#include "test_support.h"
#include "text_scan_plain.h"

namespace morvinta {
namespace {

using testing::InFolder;
using testing::TempFolder;

std::string cp(std::string_view text) { return std::string(text); }

class SectionTest : public testing::ConsoleTest {
 protected:
  TurnReport report_;
};

TEST_F(SectionTest, OfflineAddresses) {
  report_.settings.offline_webhyper = 1;
  report_.settings.settings_text =
      cp("offline webhyper könyvtára: \"c:/wh\";"_cp);
  EXPECT_EQ(monster_address(report_.settings, 45),
            "c:/wh/szorny_enc.php@f=szenc&ssz=45.htm");
  EXPECT_EQ(item_address(report_.settings, 7),
            "c:/wh/targy_enc.php@f=tenc&ssz=7.htm");
  EXPECT_EQ(spell_address(report_.settings, 3),
            "c:/wh/vari_enc.php@f=venc&ssz=3.htm");
}

TEST_F(SectionTest, RepeatedSquaresStackTheirAnchors) {
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

// Opens without a close near them, then coordinates: linked as the plain
// pass links them.
TEST_F(SectionTest, CoordinatesAfterManyOpens) {
  auto& log = report_.adventures;
  log.moves[0].set(5, 6);
  log.moves[1].set(-12, 345);
  log.move_count = 2;
  const std::string page = std::string(3000, '[') + std::string(3000, '(') +
                           "[5,6 (5,6) [-12,345] x(-12,345)(5,6]";
  report_.text = page;
  use_plain_scans(true);
  link_coordinates(report_);
  use_plain_scans(false);
  const std::string plain = report_.text;
  report_.text = page;
  link_coordinates(report_);
  EXPECT_EQ(report_.text, plain);
  EXPECT_NE(plain, page);
}

TEST_F(SectionTest, TableWidthInPercent) {
  report_.text =
      cp("<T WIDTH=740><T WIDTH=750> HARCI ISMERETEK</TD></TR> WIDTH=140 "
         "WIDTH=103</TABLE></TD></TR></TABLE> WIDTH=140 NÁLAD LÉVŐ TÁRGYAK "
         "(*-gal jelöltek bekészítve) WIDTH=205</TABLE></TD></TR></TABLE> "
         "WIDTH=205"_cp);
  report_.settings.settings_text = cp("táblázat mérete: 95%;"_cp);
  set_table_width(report_);
  EXPECT_EQ(report_.text,
            cp("<T WIDTH=95%><T WIDTH=100% ALIGN=center> HARCI "
               "ISMERETEK</TD></TR> WIDTH=20% WIDTH=13%"
               "</TABLE></TD></TR></TABLE> WIDTH=140 NÁLAD LÉVŐ TÁRGYAK "
               "(*-gal jelöltek bekészítve) WIDTH=33%"
               "</TABLE></TD></TR></TABLE> WIDTH=205"_cp));
}

// The rows after the encumbrance row, wherever the label first stands: in
// the row, earlier without the row's cell, at the very start of the page;
// put in as the plain pass puts them, and none without the row.
TEST_F(SectionTest, EncumbranceRowsWhereverTheLabelFirstStands) {
  ItemRecord& item = report_.items.item_by_number(5);
  item.carried_count = 2;
  item.ea = 10;
  const std::string row = cp("WIDTH=50%>Megterheltség: 120</TD></TR>"_cp);
  const std::string total = cp("WIDTH=50%>Összsúly: 12.50 kg</TD></TR>"_cp);
  const std::string label = cp("Megterheltség: 7</TD></TR> "_cp);
  const struct {
    std::string page;
    bool changed;
  } cases[] = {
      {"<TD " + total + "<TD " + row + "x", true},
      {label + total + row, true},
      {row + total, true},
      {"<TD>" + label, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page);
    report_.text = c.page;
    use_plain_scans(true);
    add_encumbrance_rows(report_);
    use_plain_scans(false);
    const std::string plain = report_.text;
    report_.text = c.page;
    add_encumbrance_rows(report_);
    EXPECT_EQ(report_.text, plain);
    EXPECT_EQ(plain != c.page, c.changed);
  }
}

TEST(ItemLists, ListWithoutItems) {
  std::string bare = cp("(zárójelben a tárgy sorszáma): semmi<SPAN>"_cp);
  tabulate_item_lists(bare);
  EXPECT_EQ(bare, cp("(zárójelben a tárgy sorszáma):<br><table border=0 "
                     "width=100%></tr></table>\n<SPAN>"_cp));
  // An empty list text replaces nothing.
  std::string empty = cp("(zárójelben a tárgy sorszáma):<SPAN>"_cp);
  tabulate_item_lists(empty);
  EXPECT_EQ(empty, cp("(zárójelben a tárgy sorszáma):<SPAN>"_cp));
}

// At most the bounded number of lists is laid out.
TEST(ItemLists, OnlyTheFirstListsUpToTheBound) {
  std::string page;
  for (int i = 1; i <= kMostItemLists + 1; ++i) {
    page += cp("(zárójelben a tárgy sorszáma): Kard (#"_cp) +
            std::to_string(i) + ").<SPAN>";
  }
  const std::string fast = testing::tabulated_both_ways(page);
  const auto item = [](int n) { return "Kard (#" + std::to_string(n) + ")."; };
  EXPECT_TRUE(testing::contains(fast, item(kMostItemLists) + "</td>"));
  EXPECT_TRUE(testing::contains(fast, "): " + item(kMostItemLists + 1)));
}

// Each shop table holds the next list in its first cell, so without the
// bound every list would be laid out anew inside the table before it, each
// time with the whole run of items: the page stops growing once the tables
// put in pass the bound, here after the third.
TEST(ItemLists, TablesStopGrowingThePage) {
  std::string page;
  for (int i = 100; i < 150; ++i) {
    page += cp("(zárójelben a tárgy sorszáma): l"_cp) + std::to_string(i) +
            "<SPAN>";
  }
  for (int i = 0; i < 265'000; ++i) page += "x, ";
  page += cp("megvásárolni: y<SPAN>"_cp);
  // A table of the run: 265,000 cells of "x, " in their markup, four to a
  // row; three of them pass the bound, two do not.
  const std::size_t table = 265'000 * (14 + 3 + 5) + 66'250 * 10;
  ASSERT_LT(2 * table, kMostItemListBytes);
  ASSERT_GT(3 * table, kMostItemListBytes);
  const std::string fast = testing::tabulated_both_ways(page);
  EXPECT_GT(fast.size(), page.size() + 3 * table);
  EXPECT_LT(fast.size(), page.size() + 4 * table);
}

class EnhanceTest : public SectionTest {
 protected:
  void SetUp() override {
    SectionTest::SetUp();
    folder_.write("1234_56.htm", "input");
    report_.report_kind = 1;
    report_.character_number = 1234;
    report_.turn_number = 56;
    report_.file_name = "1234_56.htm";
    report_.text = "page\n";
  }
  TempFolder folder_;
  InFolder here_{folder_.path()};
};

TEST_F(EnhanceTest, OtherNameFormWithoutItsFolderThenDeletion) {
  report_.settings.parse(
      cp("xxxxcyyy alakú forduló: 1; forduló törlése: 1;"
         " fordulók könyvtára: \"out\";"_cp));
  enhance(report_);  // no "out" folder: the bare name
  EXPECT_EQ(folder_.read("1234c56.htm"), "page\r\n");
  EXPECT_FALSE(folder_.exists("1234_56.htm"));
  EXPECT_NE(console_.find("regi fordulo torolve: OK\n"), std::string::npos);
}

TEST_F(EnhanceTest, DeletionReplacesTheInputWithoutATurnsFolder) {
  // The enhanced copy takes the input's own name: it is written over the
  // input, never written and then deleted.
  report_.settings.parse(cp("forduló törlése: 1;"_cp));
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

}  // namespace
}  // namespace morvinta
