#include "settings_file.h"

#include <gtest/gtest.h>

#include "console.h"
#include "cp1250.h"
#include "test_support.h"

namespace morvinta {
namespace {

using testing::InFolder;
using testing::TempFolder;

Settings parsed(std::string_view text) {
  Settings settings;
  settings.parse(text);
  return settings;
}

TEST(SettingsParse, MissingKeysReadZeroOnceAFileIsRead) {
  const Settings settings = parsed("papirang: 0;");
  EXPECT_EQ(settings.priest_rank, 0);
  EXPECT_EQ(settings.spell_strength, 0);  // not its default of 1
  EXPECT_EQ(settings.monster_links, 0);
  EXPECT_EQ(settings.journal, 0);
  EXPECT_EQ(parsed("napló: 1; navigáció: 2;"_cp).navigation, 2);
  EXPECT_EQ(settings.order_sheet_directory, "");
  EXPECT_EQ(settings.advisor_name, "Deved");  // the advisor keeps its default
}

TEST(SettingsParse, KeysInsideLongerKeys) {
  // The longer key first: the shorter key finds the longer entry.
  const Settings wrong = parsed("tulajdonság bónuszok: 0; bónuszok: 1;"_cp);
  EXPECT_EQ(wrong.bonuses, 0);
  EXPECT_EQ(wrong.attribute_bonuses, 0);
  const Settings right = parsed(
      "bónuszok: 1; tulajdonság bónuszok: 0; képek: 1; képek könyvtára: "
      "\"k\"; teológia: 3; teológia módosító: 7;"_cp);
  EXPECT_EQ(right.bonuses, 1);
  EXPECT_EQ(right.attribute_bonuses, 0);
  EXPECT_EQ(right.images, 1);
  EXPECT_EQ(right.theology, 3);
}

TEST(SettingsParse, CommentsAreRemoved) {
  const Settings settings = parsed(
      "/* képek: 1; */ mozgások: /* 5; */ 2;\n/* a\nb */ tápfaktor = 3;"_cp);
  EXPECT_EQ(settings.images, 0);
  EXPECT_EQ(settings.moves, 2);
  EXPECT_EQ(settings.power_score, 3);
  EXPECT_EQ(settings.settings_text.find("/*"), std::string::npos);
  // A "/*" without its end stays, and the rest is still read.
  const Settings open = parsed("mozgások: 4; /* képek: 1;"_cp);
  EXPECT_EQ(open.moves, 4);
  EXPECT_EQ(open.images, 1);
  EXPECT_NE(open.settings_text.find("/*"), std::string::npos);
  // A comment whose removal joins a new "/*" is removed in turn.
  const Settings joined = parsed("//* x */* y */ mozgások 6;"_cp);
  EXPECT_EQ(joined.moves, 6);
  EXPECT_EQ(joined.settings_text, " mozgások 6;"_cp);
}

TEST(SettingsParse, SemicolonRules) {
  // Without its own ";" an entry reads on to the next one's.
  const Settings borrowed = parsed("mozgások\ntápfaktor: 5;"_cp);
  EXPECT_EQ(borrowed.moves, 5);
  EXPECT_EQ(borrowed.power_score, 5);
  const Settings none = parsed("mozgások: 5"_cp);
  EXPECT_EQ(none.moves, 0);  // no ";" after the key at all
}

TEST(SettingsParse, Directories) {
  EXPECT_EQ(
      parsed("fordulók könyvtára: \"regi/fordulok\";"_cp).report_directory,
      "regi/fordulok");
  EXPECT_EQ(parsed("fordulók könyvtára: regi;"_cp).report_directory, "");
  EXPECT_EQ(parsed("ulek könyvtára: \"a;b\";"_cp).order_sheet_directory, "");
  const std::string long_name(150, 'd');
  EXPECT_EQ(parsed(std::string("ulek könyvtára: \""_cp) + long_name + "\";")
                .order_sheet_directory,
            std::string(99, 'd'));
  // The advisor: only with a ";" after the key; no quotes give empty.
  EXPECT_EQ(parsed("tanácsadó: \"Bölcs\""_cp).advisor_name, "Deved");
  EXPECT_EQ(parsed("tanácsadó: Bölcs;"_cp).advisor_name, "");
}

TEST(PathIn, EmptyFolderIsTheCurrentOne) {
  EXPECT_EQ(path_in("", "1234_56.htm"), "1234_56.htm");
  EXPECT_EQ(path_in("fordulok", "1234_56.htm"), "fordulok/1234_56.htm");
  // A folder named in the 1250 file is the one the system shows so.
  EXPECT_EQ(path_in("ülések"_cp, "1234-57.ul"), "ülések/1234-57.ul");
}

class ReadSettingsTest : public testing::ConsoleTest {
 protected:
  TempFolder folder_;
};

TEST_F(ReadSettingsTest, OwnFileThenTemplateThenDefaults) {
  InFolder here(folder_.path());
  {
    Settings settings;
    settings.read_settings("cfg/cfg_7.txt");
    EXPECT_EQ(console_, "nincs meg a \"cfg_xxxx.txt\" file!\n");
    EXPECT_EQ(settings.spell_strength, 1);
    EXPECT_EQ(settings.journal, 0);  // the journal only when asked for
    EXPECT_EQ(settings.navigation, 0);
  }
  folder_.write("cfg/cfg_xxxx.txt", "mozgások: 3;"_cp);
  console_.clear();
  {
    Settings settings;
    settings.read_settings("cfg/cfg_7.txt");
    EXPECT_EQ(console_, "\"cfg_xxxx.txt\" beolvasasa sikerult!\n");
    EXPECT_EQ(settings.moves, 3);
    EXPECT_EQ(settings.spell_strength, 0);
  }
  folder_.write("cfg/cfg_7.txt", "mozgások: 4;\r\n"_cp);
  console_.clear();
  {
    Settings settings;
    settings.read_settings("cfg/cfg_7.txt");
    EXPECT_EQ(console_, "\"cfg/cfg_7.txt\" beolvasasa sikerult!\n");
    EXPECT_EQ(settings.moves, 4);
    EXPECT_EQ(settings.settings_text, "mozgások: 4;\n"_cp);
  }
}

}  // namespace
}  // namespace morvinta
