#include "order_sheet.h"

#include <gtest/gtest.h>

#include "cp1250.h"
#include "turn_report.h"

namespace morvinta {
namespace {

TEST(OrderLine, FromTextAndFormat) {
  const struct {
    std::string_view text;
    std::string_view line;
  } cases[] = {
      {"v 96 1", "V 9     96      1      -"},        // the third character too
      {"kf 12 45 7 9", "KF      12     45      7"},  // three numbers only
      {"M", "M        -      -      -"},
      {"  x -3", "- X     -3      -      -"},  // blanks keep the code
      {"", "-        -      -      -"},
      {"LE 123456 -1234567 1", "LE  123456 -1234567      1"},
  };
  for (const auto& c : cases) {
    OrderLine line;
    line.set_order_from_text(c.text);
    EXPECT_EQ(line.format_order_line(), c.line) << c.text;
  }
}

TEST(OrderSheet, AddOrderTakesTheFirstFreeLine) {
  OrderSheet sheet;
  sheet.add_order(3, "A  1");
  sheet.add_order(3, "B  2");
  sheet.add_order(0, "C  3");
  EXPECT_EQ(sheet.lines[3].code, "A  ");
  EXPECT_EQ(sheet.lines[4].code, "B  ");
  EXPECT_EQ(sheet.lines[1].code, "C  ");
  EXPECT_EQ(sheet.lines[0].code, "-  ");
  for (int n = 1; n <= 40; ++n) sheet.add_order(1, "Z");
  sheet.add_order(40, "Q");  // full: dropped
  EXPECT_EQ(sheet.lines[40].code, "Z  ");
}

class DressingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    report_.character_number = 1234;
    report_.turn_number = 56;
    for (const int n : {12, 45, 7, 9}) {
      ItemRecord& item = report_.items.item_by_number(n);
      item.carried_count = 1;
      item.equipped = true;
      item.turn_equipped = true;
    }
  }
  TurnReport report_;
};

TEST_F(DressingTest, ThreeItemsToALineAndTheRestOnTheNext) {
  report_.settings.dressing_mode = 1;
  report_.settings.settings_text = "LE1: #12 #45 #7 #9;";
  plan_dressing(report_);
  const OrderSheet& sheet = report_.order_sheet;
  EXPECT_EQ(sheet.lines[1].format_order_line(), "LE      12     45      7");
  EXPECT_EQ(sheet.lines[2].format_order_line(), "LE       9      -      -");
  for (const int n : {12, 45, 7, 9}) {
    EXPECT_FALSE(report_.items.item_by_number(n).equipped) << n;
    EXPECT_FALSE(report_.items.item_by_number(n).turn_equipped) << n;
  }
}

TEST_F(DressingTest, KeysAndTheirConditions) {
  report_.settings.dressing_mode = 1;
  report_.items.item_by_number(30).carried_count = 2;  // carried, not in hand
  report_.settings.settings_text =
      "KF1: #12 #30 #99; LE2: #30 #45; KF2: #9 #30 #77;";
  plan_dressing(report_);
  const OrderSheet& sheet = report_.order_sheet;
  // KF1: 12 is in hand already (no order), 30 goes in hand, 99 is not
  // carried.
  EXPECT_EQ(sheet.lines[1].format_order_line(), "KF      30      -      -");
  EXPECT_TRUE(report_.items.item_by_number(12).turn_equipped);
  EXPECT_EQ(sheet.lines[2].code, "-  ");
  // LE2 from line 20: 30 is in hand during the turn, 45 no more (cleared).
  EXPECT_EQ(sheet.lines[20].format_order_line(), "LE      30      -      -");
  // KF2: 9 is not in hand during the turn, 30 is; 77 is not carried.
  EXPECT_EQ(sheet.lines[21].format_order_line(), "KF       9      -      -");
  EXPECT_TRUE(report_.items.item_by_number(9).equipped);
  EXPECT_TRUE(report_.items.item_by_number(30).equipped);
}

TEST_F(DressingTest, ModeTwoMarksWithoutOrdersModeZeroLeavesAll) {
  report_.settings.settings_text = "LE1: #12; KF1: #9;";
  plan_dressing(report_);
  EXPECT_TRUE(report_.items.item_by_number(12).equipped);
  report_.settings.dressing_mode = 2;
  plan_dressing(report_);
  EXPECT_FALSE(report_.items.item_by_number(12).equipped);
  EXPECT_TRUE(report_.items.item_by_number(9).turn_equipped);
  EXPECT_FALSE(report_.items.item_by_number(45).turn_equipped);
  EXPECT_EQ(report_.order_sheet.lines[1].code, "-  ");
}

TEST(StartOrderSheet, NoTeleportWhenHushhhOrFirstMove) {
  for (const std::string_view text :
       {"v 96 [102,45] Vuuush, elteleportálsz! Hushhh, elteleportálsz!"_cp,
        "v 96 [57,88] Vuuush, elteleportálsz!"_cp,
        "v 96 [102,45] Vuuush,elteleportálsz!"_cp}) {
    TurnReport report;
    for (const auto& [x, y] : {std::pair{57, 88}, {102, 45}, {104, 46}}) {
      report.adventures.moves[report.adventures.move_count++].set(x, y);
    }
    report.text = std::string(text);
    start_order_sheet(report);
    EXPECT_EQ(report.order_sheet.teleport.square_text(), "[0,0]") << text;
  }
}

// The last city-teleport order decides, whichever of the two it is and
// wherever it stands; the move before the square it names is the teleport.
TEST(StartOrderSheet, LastTeleportOrderDecides) {
  const struct {
    std::string_view text;
    std::string_view teleport;
  } kCases[] = {
      {"v 96 [104,46] Vuuush, elteleportálsz! v 181 [102,45] Vuuush, "
       "elteleportálsz!"_cp,
       "[57,88]"},
      {"v 181 [102,45] Vuuush, elteleportálsz! v 96 [104,46] Vuuush, "
       "elteleportálsz!"_cp,
       "[102,45]"},
      // Bytes of the orders all around, a cut-off order at the very end.
      {"vv 96 [104,46] Vuuush, elteleportálsz! v 18v 9"_cp, "[102,45]"},
      // The last order ends the text: nothing after it teleports.
      {"v 181 [104,46] Vuuush, elteleportálsz! v 96"_cp, "[0,0]"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    TurnReport report;
    for (const auto& [x, y] : {std::pair{57, 88}, {102, 45}, {104, 46}}) {
      report.adventures.moves[report.adventures.move_count++].set(x, y);
    }
    report.text = std::string(c.text);
    start_order_sheet(report);
    EXPECT_EQ(report.order_sheet.teleport.square_text(), c.teleport);
  }
}

}  // namespace
}  // namespace morvinta
