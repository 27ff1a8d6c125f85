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
  bool run(std::string_view report_bytes) {
    folder_.write(kReport, report_bytes);
    console_.clear();
    InFolder here(folder_.path());
    process_report(kReport, false);
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

}  // namespace
}  // namespace morvinta
