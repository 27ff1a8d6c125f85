// Whatever bytes stand in the player's files and whatever state the folders
// are in, a run ends normally with the tool's own messages, and every file
// it writes is whole. The inputs come from hostile_inputs.h; the sanitizer
// build turns any read out of bounds or overflow into a failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cp1250.h"
#include "driver.h"
#include "hostile_inputs.h"
#include "test_support.h"
#include "turn_report.h"

namespace morvinta {
namespace {

namespace fs = std::filesystem;
using testing::contains;
using testing::example_file;
using testing::InFolder;
using testing::TempFolder;

const std::string kReport = "1234_56.htm";

// No temporary file of a write is left anywhere below the folder.
void expect_no_leftovers(const fs::path& folder) {
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    EXPECT_EQ(entry.path().string().find(".morvinta-tmp"), std::string::npos)
        << entry.path();
  }
}

// A working folder laid out like the example folder, the settings sending
// the enhanced report to "fordulok" and the order sheet to "ulek".
class HostileTest : public testing::ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    for (const char* file :
         {"txt/targyak.txt", "txt/szornyek.txt", "txt/varazslatok.txt",
          "txt/varazslatok_sebzese.txt", "txt/kihtor.txt",
          "cfg/cfg_1234.txt"}) {
      folder_.write(file, example_file(file));
    }
    fs::create_directories(folder_.path() / "info");
    fs::create_directories(folder_.path() / "fordulok");
    fs::create_directories(folder_.path() / "ulek");
  }

  // Runs the per-report sequence on the report bytes; true when it ended
  // with the two empty lines that close every report.
  bool run(std::string_view report_bytes, const std::string& name = kReport) {
    folder_.write(name, report_bytes);
    console_.clear();
    InFolder here(folder_.path());
    process_report(name, false);
    return console_.size() >= 2 &&
           console_.compare(console_.size() - 2, 2, "\n\n") == 0;
  }

  TempFolder folder_;
};

TEST_F(HostileTest, EveryHostileReportEndsNormally) {
  const std::string sample = example_file("1234_56.htm");
  ASSERT_FALSE(sample.empty());
  for (const auto& input : hostile::report_inputs(sample, false)) {
    SCOPED_TRACE(input.name);
    folder_.write("info/info_1234.txt", "");
    EXPECT_TRUE(run(input.bytes));
    fs::remove(folder_.path() / "fordulok" / kReport);
    expect_no_leftovers(folder_.path());
  }
}

TEST_F(HostileTest, HostileSettingsEndNormally) {
  const std::string sample = example_file("1234_56.htm");
  for (const auto& input : hostile::settings_inputs()) {
    SCOPED_TRACE(input.name);
    folder_.write("cfg/cfg_1234.txt", input.bytes);
    EXPECT_TRUE(run(sample));
    expect_no_leftovers(folder_.path());
  }
}

TEST_F(HostileTest, HostileCataloguesEndNormally) {
  const std::string sample = example_file("1234_56.htm");
  const struct {
    const char* file;
    std::vector<hostile::Input> inputs;
  } kinds[] = {
      {"txt/szornyek.txt", hostile::monster_catalogue_inputs()},
      {"txt/targyak.txt", hostile::item_catalogue_inputs()},
      {"txt/varazslatok_sebzese.txt", hostile::spell_table_inputs()},
      {"info/info_1234.txt", hostile::info_inputs()},
      {"txt/kihtor.txt", hostile::tower_inputs()},
  };
  for (const auto& kind : kinds) {
    const std::string original = folder_.read(kind.file);
    for (const auto& input : kind.inputs) {
      SCOPED_TRACE(std::string(kind.file) + " " + input.name);
      folder_.write(kind.file, input.bytes);
      EXPECT_TRUE(run(sample));
    }
    folder_.write(kind.file, original);
  }
}

// Folders that are missing or cannot hold the files: the run still ends,
// says what it could not write, and keeps what was there.
TEST_F(HostileTest, MissingAndBlockedFolders) {
  const std::string sample = example_file("1234_56.htm");
  fs::remove_all(folder_.path() / "info");
  EXPECT_TRUE(run(sample));
  EXPECT_TRUE(
      contains(console_, "nem sikerult kiirni: \"info/info_1234.txt\"!\n"));
  EXPECT_TRUE(folder_.exists("fordulok/" + kReport));

  // The info file is a folder: not read, not replaced.
  fs::create_directories(folder_.path() / "info" / "info_1234.txt" / "x");
  EXPECT_TRUE(run(sample));
  EXPECT_TRUE(fs::is_directory(folder_.path() / "info" / "info_1234.txt"));
  EXPECT_TRUE(folder_.exists("info/info_1234.txt/x"));
  EXPECT_TRUE(
      contains(console_, "nem sikerult kiirni: \"info/info_1234.txt\"!\n"));

  // The turns and order sheet folders do not exist: the files go to the
  // working folder under their bare names.
  fs::remove_all(folder_.path() / "info");
  fs::create_directories(folder_.path() / "info");
  fs::remove_all(folder_.path() / "fordulok");
  fs::remove_all(folder_.path() / "ulek");
  EXPECT_TRUE(run(sample));
  EXPECT_EQ(folder_.read(kReport).rfind(kProcessedMarker, 0), 0u);
  EXPECT_TRUE(folder_.exists("1234-57.ul"));

  // No catalogues, no settings: every file reader says so and goes on.
  fs::remove_all(folder_.path() / "txt");
  fs::remove_all(folder_.path() / "cfg");
  EXPECT_TRUE(run(sample));
  EXPECT_TRUE(contains(console_, "nem talalom a \"targyak.txt\"-t!\n"));
  EXPECT_TRUE(contains(console_, "nincs meg a \"cfg_xxxx.txt\" file!\n"));
  expect_no_leftovers(folder_.path());
}

// A report may name the highest turn there is: the search of the earlier
// reports of its ten-turn stretch still ends.
TEST_F(HostileTest, HighestTurnNumberEnds) {
  std::string sample = example_file("1234_56.htm");
  fs::remove(folder_.path() / "info" / "info_1234.txt");
  sample = hostile::replaced(sample, "JÁTÉKHETED, 56."_cp,
                             "JÁTÉKHETED, 2147483647."_cp);
  EXPECT_TRUE(run(sample));
}

// File names at the ends of the 32-bit range: the run ends, and the order
// sheet names the next turn, or the same turn when there is no later one,
// never a turn at the other end of the range.
TEST_F(HostileTest, FileNamesAtTheLimits) {
  const std::string sample = example_file("1234_56.htm");
  const struct {
    const char* report;
    const char* order_sheet;  // character 1234's settings send it to "ulek"
  } cases[] = {
      {"1234_2147483647.htm", "ulek/1234-2147483647.ul"},
      {"1234_-2147483648.htm", "ulek/1234--2147483647.ul"},
      {"1234_2147483648.htm", "ulek/1234--2147483647.ul"},  // wraps to lowest
      {"1234_4294967295.htm", "ulek/1234-0.ul"},            // wraps to -1
      {"2147483647_2147483647.htm", "2147483647-2147483647.ul"},
      {"-2147483648_-2147483648.htm", "-2147483648--2147483647.ul"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.report);
    folder_.write("info/info_1234.txt", "");
    EXPECT_TRUE(run(sample, c.report));
    EXPECT_TRUE(folder_.exists(c.order_sheet));
    fs::remove(folder_.path() / c.order_sheet);
  }
  expect_no_leftovers(folder_.path());
}

// Every number of one file at an end of the 32-bit range, the other files
// as the example has them: settings, catalogues, tower and info file.
TEST_F(HostileTest, NumbersAtTheLimitsInEveryFile) {
  const std::string sample = example_file("1234_56.htm");
  folder_.write("info/info_1234.txt", "");
  ASSERT_TRUE(run(sample));  // the info file of the example's knowledge
  for (const char* file :
       {"cfg/cfg_1234.txt", "txt/targyak.txt", "txt/szornyek.txt",
        "txt/varazslatok.txt", "txt/varazslatok_sebzese.txt", "txt/kihtor.txt",
        "info/info_1234.txt"}) {
    const std::string original = folder_.read(file);
    for (const std::string_view digits : hostile::limit_numbers()) {
      SCOPED_TRACE(std::string(file) + " " + std::string(digits));
      folder_.write(file, hostile::replace_numbers(original, digits));
      EXPECT_TRUE(run(sample));
    }
    folder_.write(file, original);
  }
}

// The strength the planned dressing adds, with the sheet's strength at the
// lowest 32-bit figure and an item of the plan giving strength: the gain
// wraps as every figure does (found by the whole-run fuzz target).
TEST_F(HostileTest, StrengthGainOfThePlanAtTheLimit) {
  std::string report = example_file("1234_56.htm");
  std::string items = example_file("txt/targyak.txt");
  const std::string strength = "Erő:</TD><TD CLASS=\"t1\">"_cp.data();
  const std::size_t row = report.find(strength + "16 (18)");
  const std::size_t amulet = items.find("ero: 0", items.find("sorszam: 453;"));
  ASSERT_NE(row, std::string::npos);
  ASSERT_NE(amulet, std::string::npos);
  report.replace(row + strength.size(), 7, "2147483648 (2147483648)");
  items.replace(amulet, 6, "ero: 2");
  folder_.write("txt/targyak.txt", items);
  EXPECT_TRUE(run(report));
  EXPECT_TRUE(contains(console_, "UL keszites: OK"));
}

}  // namespace
}  // namespace morvinta
