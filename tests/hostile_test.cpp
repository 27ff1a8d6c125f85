// Whatever bytes stand in the player's files and whatever state the folders
// are in, a run ends normally with the tool's own messages, and every file
// it writes is whole. The inputs come from hostile_inputs.h; the sanitizer
// build turns any read out of bounds or overflow into a failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "console.h"
#include "cp1250.h"
#include "driver.h"
#include "enhancement.h"
#include "hostile_inputs.h"
#include "report_sections.h"
#include "settings_file.h"
#include "test_support.h"
#include "text_file.h"
#include "turn_report.h"

namespace morvinta {
namespace {

namespace fs = std::filesystem;
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

// The megabyte-sized reports: five megabytes, a single line of two, every
// anchor ten thousand times in a row. Only that they end normally is checked
// here; the fuzzing run checks that they stay linear in time.
TEST_F(HostileTest, HugeReportsEndNormally) {
  const std::string sample = example_file("1234_56.htm");
  const auto small = hostile::report_inputs(sample, false).size();
  const auto all = hostile::report_inputs(sample, true);
  // The page edits that search the whole text once per catalogue number
  // are switched off: their cost is the catalogue's size times the
  // report's, known and left for now.
  folder_.write("cfg/cfg_1234.txt",
                "fordulók könyvtára: \"fordulok\"; ulek könyvtára: \"ulek\"; "
                "utasítási lap: 1; mozgások: 1;"_cp);
  for (std::size_t i = small; i < all.size(); ++i) {
    SCOPED_TRACE(all[i].name);
    // Without the item lists of the adventure log: they are made tables in
    // time that grows with their number times the report's size.
    EXPECT_TRUE(run(hostile::replaced(
        all[i].bytes, "(zárójelben a tárgy sorszáma):"_cp, "")));
    EXPECT_TRUE(folder_.exists("fordulok/" + kReport));
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

TEST(HostileSettings, CommentWithoutEndKeepsTheRest) {
  Settings settings;
  settings.parse("utasítási lap: 1; /* forduló törlése: 1;"_cp);
  EXPECT_EQ(settings.order_sheet, 1);
  // The unclosed comment is no comment: its text is read as it stands.
  EXPECT_EQ(settings.delete_report, 1);
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

// Monster names that hold the markup the links and numbers are put around:
// every replacement ends, and each name is linked where it stands.
TEST_F(HostileTest, MonsterNamesWithMarkupEnd) {
  TurnReport report;
  const char* names[] = {"<b>", "</B>",   "x</B><b>x", "<B>x</B>", "!",
                         "",    " (#16)", "a",         "aa",       "B>a"};
  std::string text;
  for (int n = 10; n < 20; ++n) {
    report.monsters.monster_by_number(n).name = names[n - 10];
    text += std::string("<b>") + names[n - 10] + "</B> <b>" + names[n - 10] +
            "!</B> ";
  }
  report.text = text;
  link_monsters(report);
  number_monsters(report);
  EXPECT_NE(report.text.find("ssz=10\""), std::string::npos);
  EXPECT_GT(report.text.size(), text.size());
}

// Folders that are missing or cannot hold the files: the run still ends,
// says what it could not write, and keeps what was there.
TEST_F(HostileTest, MissingAndBlockedFolders) {
  const std::string sample = example_file("1234_56.htm");
  fs::remove_all(folder_.path() / "info");
  EXPECT_TRUE(run(sample));
  EXPECT_NE(console_.find("nem sikerult kiirni: \"info/info_1234.txt\"!\n"),
            std::string::npos);
  EXPECT_TRUE(folder_.exists("fordulok/" + kReport));

  // The info file is a folder: not read, not replaced.
  fs::create_directories(folder_.path() / "info" / "info_1234.txt" / "x");
  EXPECT_TRUE(run(sample));
  EXPECT_TRUE(fs::is_directory(folder_.path() / "info" / "info_1234.txt"));
  EXPECT_TRUE(folder_.exists("info/info_1234.txt/x"));
  EXPECT_NE(console_.find("nem sikerult kiirni: \"info/info_1234.txt\"!\n"),
            std::string::npos);

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
  EXPECT_NE(console_.find("nem talalom a \"targyak.txt\"-t!\n"),
            std::string::npos);
  EXPECT_NE(console_.find("nincs meg a \"cfg_xxxx.txt\" file!\n"),
            std::string::npos);
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

// The built program on the hostile reports, as a player would start it:
// status 1 and the closing prompt after every one.
TEST(HostileRun, TheProgramEndsWithThePrompt) {
  const std::string sample = example_file("1234_56.htm");
  TempFolder folder;
  for (const char* file : {"txt/targyak.txt", "txt/szornyek.txt"}) {
    folder.write(file, example_file(file));
  }
  for (const auto& input : hostile::report_inputs(sample, false)) {
    if (input.name.rfind("cut_after_", 0) == 0) continue;  // as above
    SCOPED_TRACE(input.name);
    folder.write(kReport, input.bytes);
    const auto result = testing::run_tool(folder.path(), kReport);
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(result.output.ends_with(
        "\n\na kilepeshez nyomj meg egy billentyut!\n"));
  }
}

}  // namespace
}  // namespace morvinta
