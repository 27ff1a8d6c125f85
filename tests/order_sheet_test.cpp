#include "order_sheet.h"

#include <gtest/gtest.h>

#include "console.h"
#include "cp1250.h"
#include "test_support.h"
#include "turn_report.h"

namespace morvinta {
namespace {

using testing::InFolder;
using testing::TempFolder;

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

// The frame drawn by hand, for character 1234 in turn 57 with orders on
// lines 1 and 2 and a teleport coordinate.
std::string expected_sheet() {
  std::string sheet =
      "|  40 soros UL                           |\n"
      "|  Sarvendolimaro          Utasítás  Lap |\n"
      "|                          ______        | ind.koord: 104;46\n"
      "|  #: 1234  szla: ....     ______ F:  57 | teleport : 58;89\n"
      "|                          ______        |   tvp   vp pszi   tu\n"
      "|  Név:................    ______ N: ... |     0    0    0    0\n"
      "|                                +-----+ |\n";
  for (int n = 1; n <= 40; ++n) {
    std::string order = "-        -      -      -";
    if (n == 1) order = "LE      12     45      7";
    if (n == 2) order = "LE       9      -      -";
    sheet += "| " + std::string(n < 10 ? " " : "") + std::to_string(n) + ". " +
             order + "   ¦   0 ¦ |     0    0    0    0\n";
    if (n % 5 == 0 && n < 40)
      sheet += "|                                ¦     ¦ |\n";
  }
  sheet += "|                                +-----+ |\n";
  sheet += "|               Ell.szám             0   |          0    0    0\n";
  return sheet;
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

TEST_F(DressingTest, ModeTwoMarksWithoutOrders) {
  report_.settings.dressing_mode = 2;
  report_.settings.settings_text = "LE1: #12; KF1: #9;";
  plan_dressing(report_);
  EXPECT_FALSE(report_.items.item_by_number(12).equipped);
  EXPECT_TRUE(report_.items.item_by_number(9).turn_equipped);
  EXPECT_FALSE(report_.items.item_by_number(45).turn_equipped);
  EXPECT_EQ(report_.order_sheet.lines[1].code, "-  ");
}

TEST_F(DressingTest, ModeZeroChangesNothing) {
  report_.settings.settings_text = "LE1: #12;";
  plan_dressing(report_);
  EXPECT_TRUE(report_.items.item_by_number(12).equipped);
  EXPECT_TRUE(report_.items.item_by_number(45).turn_equipped);
}

class StartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    report_.character_number = 1234;
    report_.turn_number = 56;
    const int moves[][2] = {{57, 88}, {58, 89}, {102, 45}, {104, 46}};
    for (const auto& move : moves) {
      report_.adventures
          .moves[static_cast<std::size_t>(report_.adventures.move_count++)]
          .set(move[0], move[1]);
    }
  }
  TurnReport report_;
};

TEST_F(StartTest, HeaderTeleportAndFixedOrders) {
  report_.text = std::string(
      "V 96 1 ... v 181 2 ... v 96 [102,45] Vuuush,\n  elteleportálsz!"_cp);
  report_.settings.settings_text =
      "par#3: \"m 5 6\"; par#1: \"E 7\"; par#4: nincs idezojel; par#40: \"x\";";
  start_order_sheet(report_);
  const OrderSheet& sheet = report_.order_sheet;
  EXPECT_EQ(sheet.character_number, 1234);
  EXPECT_EQ(sheet.next_turn, 57);
  EXPECT_EQ(sheet.start.square_text(), "[104,46]");
  EXPECT_EQ(sheet.teleport.square_text(), "[58,89]");
  EXPECT_EQ(sheet.lines[1].format_order_line(), "E 7      7      -      -");
  EXPECT_EQ(sheet.lines[3].format_order_line(), "M 5      5      6      -");
  EXPECT_EQ(sheet.lines[4].code, "-  ");
  EXPECT_EQ(sheet.lines[40].code, "X  ");
}

TEST_F(StartTest, NoTeleportWhenHushhhOrFirstMove) {
  for (const std::string_view text :
       {"v 96 [102,45] Vuuush, elteleportálsz! Hushhh, elteleportálsz!"_cp,
        "v 96 [57,88] Vuuush, elteleportálsz!"_cp,
        "v 96 [102,45] Vuuush,elteleportálsz!"_cp}) {
    TurnReport report;
    report.adventures = report_.adventures;
    report.text = std::string(text);
    start_order_sheet(report);
    EXPECT_EQ(report.order_sheet.teleport.square_text(), "[0,0]") << text;
  }
}

TEST(OrderSheetFile, ByteForByte) {
  TempFolder folder;
  InFolder here(folder.path());
  std::string console;
  set_console_capture(&console);
  OrderSheet sheet;
  sheet.character_number = 1234;
  sheet.next_turn = 57;
  sheet.start.set(104, 46);
  sheet.teleport.set(58, 89);
  sheet.add_order(1, "LE 12 45 7");
  sheet.add_order(1, "LE 9");
  EXPECT_EQ(sheet.sheet_text(),
            std::string(std::string_view(from_utf8(expected_sheet()))));
  std::filesystem::create_directory("ulek");
  sheet.write_order_sheet("ulek");
  std::string on_disk = from_utf8(expected_sheet());
  std::string crlf;
  for (const char c : on_disk) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  EXPECT_EQ(folder.read("ulek/1234-57.ul"), crlf);
  // A missing folder: the bare name in the current folder.
  sheet.write_order_sheet("nincs");
  EXPECT_EQ(folder.read("1234-57.ul"), crlf);
  EXPECT_EQ(console, "");
  set_console_capture(nullptr);

  OrderSheet short_form;
  short_form.character_number = 7;
  short_form.next_turn = 3;
  EXPECT_NE(short_form.sheet_text().find(
                "|  #:    7  szla: ....     ______ F:   3 |\n"),
            std::string::npos);
}

}  // namespace
}  // namespace morvinta
