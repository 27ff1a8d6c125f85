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
  EXPECT_EQ(settings.order_sheet_directory, "");
  EXPECT_EQ(settings.advisor_name, "Deved");  // the advisor keeps its default
}

TEST(SettingsParse, DefaultsWithoutAnyFile) {
  const Settings settings;
  EXPECT_EQ(settings.priest_rank, 1);
  EXPECT_EQ(settings.defence, 1);
  EXPECT_EQ(settings.c_form_name, 0);
  EXPECT_EQ(settings.images, 0);
  EXPECT_EQ(settings.delete_report, 0);
  EXPECT_EQ(settings.dressing_mode, 0);
  EXPECT_EQ(settings.challenge_tower, 0);
  EXPECT_EQ(settings.advisor_name, "Deved");
  EXPECT_EQ(settings.settings_text, "");
}

TEST(SettingsParse, EveryKeyIsRead) {
  const Settings s = parsed(
      "papirang: 1; varázslatok erőssége: 2; osztók: 3; vp regeneráció: 4;\n"
      "bónuszok: 5; védelem: 6; tulajdonság összeg: 7; figyelmeztetések: 8;\n"
      "tápfaktor: 9; mozgások: 10; varázslatok átlag sebzése: 11;\n"
      "fegyverek átlag sebzése: 12; szörnyek sorszámozása: 13;\n"
      "szörnyek link: 14; tárgyak link: 15; varázslatok link: 16;\n"
      "xxxxcyyy alakú forduló: 17; képek: 18; offline webhyper: 19;\n"
      "tárgyak súlya: 20; varázslatok fejlesztése: 21; utasítási lap: 22;\n"
      "tulajdonság bónuszok: 23; támadás: 24; maxép: 25; maxvp: 26;\n"
      "forduló törlése: 27; öltözködés: 28; teológia: 29; taumaturgia: 30;\n"
      "kihívás tornya: 31; ulek könyvtára: \"ulek\"; fordulók könyvtára: "
      "\"fordulok\"; tanácsadó: \"Öreg Bölcs\";\n"_cp);
  const std::int32_t values[] = {s.priest_rank,
                                 s.spell_strength,
                                 s.divisors,
                                 s.vp_regeneration,
                                 s.bonuses,
                                 s.defence,
                                 s.attribute_sum,
                                 s.warnings,
                                 s.power_score,
                                 s.moves,
                                 s.spell_damage,
                                 s.weapon_damage,
                                 s.monster_numbering,
                                 s.monster_links,
                                 s.item_links,
                                 s.spell_links,
                                 s.c_form_name,
                                 s.images,
                                 s.offline_webhyper,
                                 s.item_weights,
                                 s.spell_development,
                                 s.order_sheet,
                                 s.attribute_bonuses,
                                 s.attack,
                                 s.max_ep,
                                 s.max_vp,
                                 s.delete_report,
                                 s.dressing_mode,
                                 s.theology,
                                 s.thaumaturgy,
                                 s.challenge_tower};
  for (int i = 0; i < 31; ++i)
    EXPECT_EQ(values[i], i + 1) << "switch " << i + 1;
  EXPECT_EQ(s.order_sheet_directory, "ulek");
  EXPECT_EQ(s.report_directory, "fordulok");
  EXPECT_EQ(s.advisor_name, "Öreg Bölcs"_cp);
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

TEST(SettingsParse, BigFilesAreReadWhole) {
  std::string text = "/*" + std::string(150'000, 'x') + "*/";
  text += "kihívás tornya: 1;"_cp;
  EXPECT_EQ(parsed(text).challenge_tower, 1);
}

TEST(PathIn, EmptyFolderIsTheCurrentOne) {
  EXPECT_EQ(path_in("", "1234_56.htm"), "1234_56.htm");
  EXPECT_EQ(path_in("fordulok", "1234_56.htm"), "fordulok/1234_56.htm");
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
