// No run costs a player a file: every file is written beside its place and
// renamed into it, the input report goes only once its enhanced copy is on
// disk, a write that fails leaves the old files and says so, a refused
// report is never touched, and a run killed at any moment leaves each file
// either as it was or as the run makes it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "cp1250.h"
#include "driver.h"
#include "hostile_inputs.h"
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

// A file that cannot grow: every write into it fails as on a full disk.
void make_full(const fs::path& path) {
  fs::create_directories(path.parent_path());
  fs::create_symlink("/dev/full", path);
}

class DataSafetyTest : public testing::ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    for (const char* file : {"txt/targyak.txt", "txt/szornyek.txt",
                             "txt/varazslatok.txt", "cfg/cfg_1234.txt"}) {
      folder_.write(file, example_file(file));
    }
    fs::create_directories(folder_.path() / "fordulok");
    fs::create_directories(folder_.path() / "ulek");
    folder_.write("info/info_1234.txt", kOldInfo);
    folder_.write(kReport, report_);
  }

  void settings(std::string_view extra) {
    folder_.write("cfg/cfg_1234.txt",
                  std::string("fordulók könyvtára: \"fordulok\"; ulek "
                              "könyvtára: \"ulek\"; utasítási lap: 1;"_cp) +
                      std::string(extra));
  }

  void run(const std::string& name = kReport) {
    console_.clear();
    InFolder here(folder_.path());
    process_report(name, false);
  }

  static constexpr std::string_view kOldInfo = "tárgyak:\n\n(#12)\n";
  const std::string report_ = example_file(kReport);
  TempFolder folder_;
};

TEST(WriteFile, FullDiskKeepsTheOldFile) {
  TempFolder folder;
  folder.write("info.txt", "old");
  make_full(folder.path() / "info.txt.morvinta-tmp");
  EXPECT_FALSE(write_file((folder.path() / "info.txt").string(), "new\n"));
  EXPECT_EQ(folder.read("info.txt"), "old");
  EXPECT_FALSE(
      fs::exists(fs::symlink_status(folder.path() / "info.txt.morvinta-tmp")));
  // A path through a regular file: nothing written, nothing left.
  EXPECT_FALSE(write_file((folder.path() / "info.txt" / "x").string(), "x"));
  EXPECT_EQ(folder.read("info.txt"), "old");
}

// The enhanced report and the info file cannot be written anywhere: the
// input and the old info file stay, with deletion on, and the console says
// what was not written.
TEST_F(DataSafetyTest, FailedWritesKeepInputAndInfo) {
  settings("forduló törlése: 1;"_cp);
  make_full(folder_.path() / "fordulok" / (kReport + ".morvinta-tmp"));
  make_full(folder_.path() / (kReport + ".morvinta-tmp"));
  make_full(folder_.path() / "info" / "info_1234.txt.morvinta-tmp");
  run();
  EXPECT_EQ(folder_.read(kReport), report_);
  EXPECT_EQ(folder_.read("info/info_1234.txt"), kOldInfo);
  EXPECT_FALSE(folder_.exists("fordulok/" + kReport));
  EXPECT_NE(console_.find("nem sikerult kiirni: \"1234_56.htm\"!\n"),
            std::string::npos);
  EXPECT_NE(console_.find("nem sikerult kiirni: \"info/info_1234.txt\"!\n"),
            std::string::npos);
}

// A turns folder that cannot be made (its path runs through a file): with
// the other naming form the enhanced report lands in the working folder,
// and only then does the input go.
TEST_F(DataSafetyTest, BlockedTurnsFolderStillKeepsTheReport) {
  folder_.write("blokk", "a file, not a folder");
  folder_.write(
      "cfg/cfg_1234.txt",
      "fordulók könyvtára: \"blokk\"; ulek könyvtára: \"blokk\"; "
      "xxxxcyyy alakú forduló: 1; forduló törlése: 1; utasítási lap: 1;"_cp);
  run();
  EXPECT_EQ(folder_.read("1234c56.htm").rfind(kProcessedMarker, 0), 0u);
  EXPECT_FALSE(folder_.exists(kReport));
  EXPECT_TRUE(folder_.exists("1234-57.ul"));
  EXPECT_EQ(folder_.read("blokk"), "a file, not a folder");
}

// The deletion takes the file that was read, not another report of the
// same numbers: "1234_056.htm" is read, "1234_56.htm" waits its turn.
TEST_F(DataSafetyTest, DeletionTakesTheFileThatWasRead) {
  settings("forduló törlése: 1;"_cp);
  folder_.write("1234_056.htm", report_);
  run("1234_056.htm");
  EXPECT_EQ(folder_.read(kReport), report_);
  EXPECT_FALSE(folder_.exists("1234_056.htm"));
}

// Reports the tool refuses are left as they are, whatever the settings say.
TEST_F(DataSafetyTest, RefusedReportsAreNeverTouched) {
  folder_.write("cfg/cfg_xxxx.txt", "forduló törlése: 1;"_cp);
  settings("forduló törlése: 1;"_cp);
  const std::string refused[] = {
      std::string(kProcessedMarker) + "\n" + report_,  // already enhanced
      hostile::replaced(report_, "<STYLE", "<STILE"),  // the old layout
      hostile::replaced(report_, "KARAKTERLAP", "KARAKTER"),  // no sheet
      "",
  };
  for (const std::string& report : refused) {
    folder_.write(kReport, report);
    fs::remove_all(folder_.path() / "fordulok");
    fs::create_directories(folder_.path() / "fordulok");
    run();
    EXPECT_EQ(folder_.read(kReport), report);
    EXPECT_TRUE(fs::is_empty(folder_.path() / "fordulok"));
    EXPECT_EQ(folder_.read("info/info_1234.txt"), kOldInfo);
  }
}

// The built program killed at moments spread over its run: every file is
// either as it was or as a whole run leaves it, and the input is gone only
// when its enhanced copy is whole.
TEST(Interrupted, EveryFileOldOrNew) {
  const std::string report = hostile::grown(example_file(kReport), 600'000);
  const auto lay_out = [&](const TempFolder& folder) {
    for (const char* file :
         {"txt/targyak.txt", "txt/szornyek.txt", "txt/varazslatok.txt"}) {
      folder.write(file, example_file(file));
    }
    folder.write("cfg/cfg_1234.txt",
                 "fordulók könyvtára: \"fordulok\"; ulek könyvtára: \"ulek\"; "
                 "utasítási lap: 1; forduló törlése: 1;"_cp);
    folder.write(kReport, report);
    folder.write("fordulok/" + kReport, "old enhanced report");
    folder.write("ulek/1234-57.ul", "old order sheet");
    folder.write("info/info_1234.txt", "tárgyak:\n\n(#12)\n"_cp);
  };
  const char* files[] = {"1234_56.htm", "fordulok/1234_56.htm",
                         "ulek/1234-57.ul", "info/info_1234.txt"};

  TempFolder whole;
  lay_out(whole);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(testing::run_tool(whole.path(), kReport).status, 1);
  const auto duration = std::chrono::steady_clock::now() - start;

  for (int step = 1; step <= 8; ++step) {
    SCOPED_TRACE(step);
    TempFolder folder;
    lay_out(folder);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (chdir(folder.path().c_str()) != 0) _exit(127);
      execl(MORVINTA_EXECUTABLE, MORVINTA_EXECUTABLE, kReport.c_str(),
            static_cast<char*>(nullptr));
      _exit(127);
    }
    std::this_thread::sleep_for(duration * step / 8);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);

    TempFolder old;
    lay_out(old);
    for (const std::string file : files) {
      SCOPED_TRACE(file);
      const bool there = folder.exists(file);
      const std::string now = folder.read(file);
      const bool is_old = there == old.exists(file) && now == old.read(file);
      const bool is_new =
          there == whole.exists(file) && now == whole.read(file);
      EXPECT_TRUE(is_old || is_new);
    }
    if (!folder.exists(kReport)) {
      EXPECT_EQ(folder.read("fordulok/" + kReport),
                whole.read("fordulok/" + kReport));
    }
  }
}

}  // namespace
}  // namespace morvinta
