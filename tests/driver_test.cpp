// The driver through the built executable, in a temporary working folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "cp1250.h"
#include "hostile_inputs.h"
#include "report_generator.h"
#include "test_support.h"

namespace morvinta {
namespace {

using testing::kBanner;
using testing::run_tool;
using testing::TempFolder;

const std::string kUsage =
    " - a programot ha parameter nelkul inditod, akkor minden fordulora "
    "lefut\n"
    " - ha 1 parameterrel inditod, akkor csak az adott fordulora fut le\n"
    " - a karakterhez a cfg konyvtarban levo txt fileban allithatsz be \n"
    "   egyeni beallitasokat\n";

const std::string kPrompt = "a kilepeshez nyomj meg egy billentyut!\n";

const std::string kProcessed = "<!-- morvinta -->\n<html></html>\n";

std::string refused(const std::string& name) {
  return kBanner + "beolvasando fordulo: \"" + name + "\"\n" +
         "Erre a fordulora mar lefuttattad a morvintat!\n\n\n";
}

TEST(Driver, EmptyFolderPrintsTheTwelveLines) {
  TempFolder folder;
  folder.write("notes.txt", "x");
  folder.write("1234_56.txt", "x");
  const auto result = run_tool(folder.path());
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, kBanner + kUsage + "\n\n" + kPrompt);
}

TEST(Driver, DirectoryModeTakesReportNamesInByteOrder) {
  TempFolder folder;
  for (const char* name : {"7_12.htm", "12_3.HTM", "readme_old.htm", "_.htm",
                           "1234_56.html", "123456.htm", "9_1.htm.bak"}) {
    folder.write(name, kProcessed);
  }
  std::filesystem::create_directory(folder.path() / "dir_1.htm");
  const auto result = run_tool(folder.path());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.output, refused("12_3.HTM") + refused("7_12.htm") +
                               refused("_.htm") + refused("readme_old.htm") +
                               kPrompt);
}

TEST(Driver, JournalPagesAreNoReports) {
  TempFolder folder;
  folder.write("naplo_7.htm", "<html></html>");
  folder.write("7_12.htm", kProcessed);
  const auto result = run_tool(folder.path());
  EXPECT_EQ(result.output, refused("7_12.htm") + kPrompt);
  const auto alone = run_tool(folder.path(), "--naplo");
  EXPECT_EQ(alone.status, 0);
  // Named like a report, without a sheet: no turn found.
  EXPECT_EQ(alone.output, "#7 naploja: 0 fordulo\n");
  const TempFolder empty;
  const auto none = run_tool(empty.path(), "--naplo");
  EXPECT_EQ(none.output, "nincs feldolgozott fordulo\n");
}

TEST(Driver, SeveralFilesOneAfterTheOther) {
  TempFolder folder;
  folder.write("1_2.htm", kProcessed);
  folder.write("3_4.htm", kProcessed);
  const auto result = run_tool(folder.path(), "3_4.htm 1_2.htm");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.output, refused("3_4.htm") + refused("1_2.htm") + kPrompt);
}

TEST(Driver, VerboseFlag) {
  TempFolder folder;
  folder.write("1_2.htm", "<STYLE></STYLE>");
  const auto quiet = run_tool(folder.path(), "1_2.htm");
  EXPECT_EQ(quiet.output.find("karakterszam"), std::string::npos);
  const auto loud = run_tool(folder.path(), "--verbose 1_2.htm");
  EXPECT_NE(loud.output.find("karakterszam: 1\nforduloszam:  2\n"),
            std::string::npos);
  // Alone it turns directory mode verbose.
  const auto directory = run_tool(folder.path(), "-v");
  EXPECT_NE(directory.output.find("karakterszam: 1\n"), std::string::npos);
}

TEST(Driver, HelpAndVersionDoNotWait) {
  TempFolder folder;
  folder.write("1_2.htm", kProcessed);
  for (const char* flag : {"-h", "--help"}) {
    const auto help = run_tool(folder.path(), flag);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output.rfind(kBanner + kUsage, 0), 0u);
    EXPECT_EQ(help.output.find("beolvasando"), std::string::npos);
    EXPECT_EQ(help.output.find(kPrompt), std::string::npos);
    EXPECT_NE(help.output.find(" - --naplo: "), std::string::npos);
  }
  const auto version = run_tool(folder.path(), "--version");
  EXPECT_EQ(version.status, 0);
  // The version set in CMakeLists.txt, the one place it lives.
  EXPECT_EQ(version.output, "morvinta " MORVINTA_VERSION "\n");
}

// Every file below the folder, by its path, with its bytes.
std::map<std::string, std::string> folder_files(const TempFolder& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry :
       std::filesystem::recursive_directory_iterator(folder.path())) {
    const std::string relative =
        entry.path().lexically_relative(folder.path()).generic_string();
    if (entry.is_regular_file()) files[relative] = folder.read(relative);
  }
  return files;
}

// A season in one folder: an already processed report, two turns of one
// character (the second reads the info file the first wrote) and one of
// another, who starts from nothing. The run reads the catalogues once, yet
// prints and writes what one run per report does. Only the last report has
// the tower on, so both ways it draws from the seed.
TEST(Driver, OneRunWritesWhatARunPerReportWrites) {
  generator::FolderOptions options;
  options.report_size = 30000;
  options.seed = 17;
  const auto files = generator::make_folder(options);
  const auto bytes = [&](const std::string& path) {
    return std::find_if(files.begin(), files.end(),
                        [&](const auto& f) { return f.path == path; })
        ->bytes;
  };
  const std::string report = bytes(generator::kReportName);
  const std::string settings = bytes("cfg/cfg_1234.txt");
  const std::string tower_off = hostile::replaced(
      settings, "kihívás tornya: 1;"_cp, "kihívás tornya: 0;"_cp);
  ASSERT_NE(tower_off, settings);

  TempFolder together;
  TempFolder one_by_one;
  for (const TempFolder* folder : {&together, &one_by_one}) {
    generator::write_folder(folder->path().string(), files);
    folder->write("1234_59.htm", kProcessed);
    folder->write("1234_61.htm", report);
    folder->write("1235_60.htm", report);
    folder->write("cfg/cfg_1234.txt", tower_off);
    folder->write("cfg/cfg_1235.txt", settings);
  }
  std::string printed;
  for (const char* name :
       {"1234_59.htm", "1234_60.htm", "1234_61.htm", "1235_60.htm"}) {
    const auto alone = run_tool(one_by_one.path(), name, "MORVINTA_SEED=5");
    ASSERT_TRUE(alone.output.ends_with(kPrompt));
    printed += alone.output.substr(0, alone.output.size() - kPrompt.size());
  }
  const auto run = run_tool(together.path(), "", "MORVINTA_SEED=5");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.output, printed + kPrompt);
  const auto written = folder_files(together);
  EXPECT_EQ(written, folder_files(one_by_one));
  EXPECT_TRUE(written.count("fordulok/1234_61.htm") &&
              written.count("ulek/1235-61.ul"));
}

}  // namespace
}  // namespace morvinta
