// Names with accents: folders that the 1250 settings name, in a working
// folder whose path holds "ő", "ű" and a letter outside code page 1250.
#include "file_names.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "cp1250.h"
#include "hostile_inputs.h"
#include "test_support.h"

namespace morvinta {
namespace {

namespace fs = std::filesystem;
using hostile::replaced;
using testing::contains;
using testing::example_file;
using testing::read_bytes;
using testing::run_tool;
using testing::TempFolder;

const std::string kAccented = "játék őű Ж";

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
