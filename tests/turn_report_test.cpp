#include "turn_report.h"

#include <gtest/gtest.h>

#include "console.h"
#include "cp1250.h"
#include "test_support.h"

namespace morvinta {
namespace {

using testing::InFolder;
using testing::kBanner;
using testing::TempFolder;

const std::string kMissingCatalogues =
    "nem talalom a \"szornyek.txt\"-t!\n"
    "nem talalom a \"varazslatok_sebzese.txt\"-t!\n"
    "nem talalom a \"varazslatok.txt\"-t!\n"
    "nem talalom a \"targyak.txt\"-t!\n";

class LoadTest : public testing::ConsoleTest {
 protected:
  TempFolder folder_;
};

TEST_F(LoadTest, ProcessedReportIsRefusedAtOnce) {
  folder_.write("12_3.htm", "<STYLE></STYLE>KARAKTERLAPOD <!-- morvinta -->");
  folder_.write("cfg/cfg_12.txt", "mozgások: 5;"_cp);
  InFolder here(folder_.path());
  TurnReport report;
  report.load("12_3.htm", true);
  EXPECT_EQ(console_, kBanner +
                          "beolvasando fordulo: \"12_3.htm\"\n"
                          "karakterszam: 12\n"
                          "forduloszam:  3\n"
                          "Erre a fordulora mar lefuttattad a morvintat!\n");
  EXPECT_EQ(report.report_kind, 0);
  EXPECT_EQ(report.settings.moves, 1);  // settings not read
}

TEST_F(LoadTest, UnreadableReportGoesOnWithEmptyText) {
  InFolder here(folder_.path());
  TurnReport report;
  report.load("7_12.htm", true);
  EXPECT_EQ(console_, kBanner +
                          "beolvasando fordulo: \"7_12.htm\"\n"
                          "karakterszam: 7\n"
                          "forduloszam:  12\n"
                          "fordulo beolvasasa nem sikerult!\n"
                          "fordulo beolvasasa sikerult!\n" +
                          kMissingCatalogues +
                          "regi tipusu fordulo\n"
                          "nincs meg a karakterlap!\n");
  EXPECT_EQ(report.report_kind, 2);
  EXPECT_EQ(report.text, "");
}

TEST_F(LoadTest, ReportKindAndSheetCheck) {
  const struct {
    const char* text;
    int kind;
    bool sheet;
  } cases[] = {
      {"<STYLE x>a</STYLE> KARAKTERLAPOD", 1, true},
      {"</STYLE><STYLE> KARAKTERLAP", 2, true},  // no end after the start
      {"<STYLE>", 2, false},
      {"<style></style> KARAKTERLAP", 2, true},  // upper case only
      {"<STYLE></STYLE>", 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    folder_.write("5_6.htm", c.text);
    InFolder here(folder_.path());
    console_.clear();
    TurnReport report;
    report.load("5_6.htm", false);
    EXPECT_EQ(report.report_kind, c.kind);
    EXPECT_EQ(console_.find("nincs meg a karakterlap!") == std::string::npos,
              c.sheet);
    // The settings are read only for a report with a character sheet.
    EXPECT_EQ(console_.find("cfg_xxxx.txt") != std::string::npos, c.sheet);
  }
}

TEST_F(LoadTest, NumbersFromTheFileName) {
  const struct {
    const char* name;
    int character;
    int turn;
  } cases[] = {
      {"123c45.htm", 123, 45},
      {"t2/readme.htm", 0, 2},  // digits only in the folder part
      {"old9/17_4.htm", 17, 4},
      {"-3_-4.htm", -3, -4},
  };
  InFolder here(folder_.path());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TurnReport report;
    report.load(c.name, false);
    EXPECT_EQ(report.character_number, c.character);
    EXPECT_EQ(report.turn_number, c.turn);
  }
}

}  // namespace
}  // namespace morvinta
