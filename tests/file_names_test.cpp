// Names with accents: folders that the 1250 settings name, and a working
// folder whose path holds "ő", "ű" and a letter outside code page 1250.
#include "file_names.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "cp1250.h"
#include "platform.h"
#include "settings_file.h"
#include "test_support.h"
#include "text_file.h"

namespace morvinta {
namespace {

namespace fs = std::filesystem;
using testing::contains;
using testing::example_file;
using testing::InFolder;
using testing::read_bytes;
using testing::run_tool;
using testing::TempFolder;

const std::string kAccented = "játék őű Ж";

TEST(FileNameFromCp1250, FolderSettingsAsTheSystemShowsThem) {
  const struct {
    std::string cp1250;
    std::string name;
  } rows[] = {
      {"fordulok", "fordulok"},
      {std::string("fordulók"_cp), "fordulók"},
      {std::string("C:/Játékok/ülések ŐŰ"_cp), "C:/Játékok/ülések ŐŰ"},
      {"", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(file_name_from_cp1250(row.cp1250), row.name);
  }
  EXPECT_EQ(path_in("ülések"_cp, "1234-57.ul"), "ülések/1234-57.ul");
}

// Reading, writing, listing, comparing and removing in such a folder.
TEST(AccentedFolder, EveryFileOperation) {
  TempFolder root;
  const fs::path work = root.path() / kAccented;
  fs::create_directories(work / "fordulók");
  InFolder here(work);
  ASSERT_TRUE(write_file("fordulók/Vendelő_1234_56.htm", "a\nb"));
  EXPECT_EQ(read_bytes(work / "fordulók" / "Vendelő_1234_56.htm"), "a\r\nb");
  EXPECT_EQ(read_file("fordulók/Vendelő_1234_56.htm"), "a\nb");
  ASSERT_TRUE(write_file("Vendelő_1234_56.htm", "c"));
  EXPECT_EQ(list_report_files(),
            std::vector<std::string>{"Vendelő_1234_56.htm"});
  EXPECT_TRUE(
      different_files("Vendelő_1234_56.htm", "fordulók/Vendelő_1234_56.htm"));
  EXPECT_FALSE(different_files("Vendelő_1234_56.htm",
                               "../" + kAccented + "/Vendelő_1234_56.htm"));
  EXPECT_TRUE(remove_file("Vendelő_1234_56.htm"));
  EXPECT_FALSE(fs::exists(work / "Vendelő_1234_56.htm"));
}

std::string replaced(std::string text, std::string_view from,
                     std::string_view to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos;
       at += to.size()) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// The example folder laid out with accented folders named in its settings
// and the old report's deletion on: every output lands where the settings
// say, with the bytes of the plain run, and the input goes.
TEST(AccentedFolder, WholeRunWritesWhereTheSettingsSay) {
  TempFolder root;
  const fs::path work = root.path() / kAccented;
  fs::copy(MORVINTA_EXAMPLES, work, fs::copy_options::recursive);
  std::string settings = example_file("cfg/cfg_1234.txt");
  settings = replaced(settings, "\"fordulok\"", "\"fordulók\""_cp);
  settings = replaced(settings, "\"ulek\"", "\"ülések ŐŰ\""_cp);
  settings = replaced(settings, "\"kepek\"", "\"képek\""_cp);
  settings =
      replaced(settings, "forduló törlése: 0;"_cp, "forduló törlése: 1;"_cp);
  ASSERT_TRUE(contains(settings, "forduló törlése: 1;"_cp));
  root.write(kAccented + "/cfg/cfg_1234.txt", settings);
  fs::create_directories(work / "fordulók");
  fs::create_directories(work / "ülések ŐŰ");

  const auto result = run_tool(work, "", "MORVINTA_SEED=1");
  EXPECT_EQ(result.status, 1);
  EXPECT_TRUE(contains(result.output, "regi fordulo torolve: OK\n"));
  const fs::path golden = fs::path(MORVINTA_SOURCE_DIR) / "tests/data/golden";
  EXPECT_EQ(read_bytes(work / "fordulók" / "1234_56.htm"),
            replaced(read_bytes(golden / "files/fordulok/1234_56.htm"),
                     "\"kepek/", "\"képek/"_cp));
  EXPECT_EQ(read_bytes(work / "ülések ŐŰ" / "1234-57.ul"),
            read_bytes(golden / "files/ulek/1234-57.ul"));
  EXPECT_EQ(read_bytes(work / "info" / "info_1234.txt"),
            read_bytes(golden / "files/info/info_1234.txt"));
  EXPECT_FALSE(fs::exists(work / "1234_56.htm"));
  EXPECT_TRUE(fs::exists(work / "1234_55.htm"));  // refused: kept
  EXPECT_FALSE(fs::exists(work / "fordulok" / "1234_56.htm"));
  EXPECT_FALSE(fs::exists(work / "ulek" / "1234-57.ul"));
}

}  // namespace
}  // namespace morvinta
