#include "catalogues.h"

#include <gtest/gtest.h>

#include "console.h"
#include "cp1250.h"
#include "test_support.h"

namespace morvinta {
namespace {

using testing::TempFolder;

// Catches what the loads print.
class CatalogueTest : public testing::ConsoleTest {
 protected:
  std::string path(const std::string& name) const {
    return (folder_.path() / name).string();
  }
  TempFolder folder_;
};

using ItemCatalogueTest = CatalogueTest;

TEST_F(ItemCatalogueTest, ReadsEveryField) {
  folder_.write(
      "targyak.txt",
      std::string(
          "sorszam: 12; neve: \"Hosszú kard\"; suly: 1.50; ero: 2; iq: -1; "
          "ugy: 3; egs: 4; szer: 5; mxtu: 6; maxep: 7; maxvp: 8; tam: 9; "
          "ac: -2; ea: 300; kapacitas: 10; oklos: 11; seb: 12; vpreg: 13; "
          "minsz: 14; minfv: 15; tau: 16; teo: 17; balkez: 1; fegyvari: 21; "
          "fegytip: \"kard\"; sebf: 2d4-1;\r\n"_cp));
  ItemCatalogue items;
  items.load_items(path("targyak.txt"));
  EXPECT_EQ(console_, "\"targyak.txt\" beolvasasa sikerult!\n");
  const ItemRecord& kard = items.item_by_number(12);
  EXPECT_EQ(kard.number, 12);
  EXPECT_EQ(kard.name, "Hosszú kard"_cp);
  EXPECT_DOUBLE_EQ(kard.weight, 1.5);
  EXPECT_EQ(kard.strength, 2);
  EXPECT_EQ(kard.intelligence, -1);
  EXPECT_EQ(kard.dexterity, 3);
  EXPECT_EQ(kard.health, 4);
  EXPECT_EQ(kard.luck, 5);
  EXPECT_EQ(kard.max_tu, 6);
  EXPECT_EQ(kard.max_ep, 7);
  EXPECT_EQ(kard.max_vp, 8);
  EXPECT_EQ(kard.attack, 9);
  EXPECT_EQ(kard.armour_class, -2);
  EXPECT_EQ(kard.ea, 300);
  EXPECT_EQ(kard.capacity, 10);
  EXPECT_EQ(kard.oklos, 11);
  EXPECT_EQ(kard.damage, 12);  // "seb:" is not "sebf:"
  EXPECT_EQ(kard.vp_regeneration, 13);
  EXPECT_EQ(kard.min_sz, 14);
  EXPECT_EQ(kard.min_fv, 15);
  EXPECT_EQ(kard.thaumaturgy, 16);
  EXPECT_EQ(kard.theology, 17);
  EXPECT_EQ(kard.left_hand, 1);
  EXPECT_EQ(kard.hand_mark, "B");
  EXPECT_EQ(kard.weapon_spell, 21);
  EXPECT_EQ(kard.weapon_type, "kard");
  EXPECT_EQ(kard.damage_dice.count, 2);
  EXPECT_EQ(kard.damage_dice.sides, 4);
  EXPECT_EQ(kard.damage_dice.bonus, -1);
  // Rows the file does not define keep their defaults.
  EXPECT_EQ(items.item_by_number(13).name, "ismeretlen tárgy"_cp);
  EXPECT_EQ(items.item_by_number(13).hand_mark, "-");
  EXPECT_EQ(items.item_by_number(13).weapon_type, "-");
}

TEST_F(ItemCatalogueTest, WeightsAndDice) {
  folder_.write("targyak.txt",
                "sorszam: 1; suly: 0.05; sebf: 1d6;\n"
                "sorszam: 2; suly: 0.5;\n"
                "sorszam: 3; suly: 12; neve: Kard;\n");
  ItemCatalogue items;
  items.load_items(path("targyak.txt"));
  EXPECT_DOUBLE_EQ(items.item_by_number(1).weight, 0.05);
  EXPECT_DOUBLE_EQ(items.item_by_number(2).weight,
                   0.05);  // "0.5" is 5 hundredths
  EXPECT_DOUBLE_EQ(items.item_by_number(3).weight, 12.0);
  EXPECT_EQ(items.item_by_number(1).damage_dice.count, 1);
  EXPECT_EQ(items.item_by_number(1).damage_dice.sides, 6);
  EXPECT_EQ(items.item_by_number(1).damage_dice.bonus, 0);
  EXPECT_EQ(items.item_by_number(3).name, "");  // no quotes: empty name
}

TEST_F(ItemCatalogueTest, EmptyLineOrZeroEndsTheCatalogue) {
  folder_.write("a.txt",
                "sorszam: 1; neve: \"A\";\n\nsorszam: 2; neve: \"B\";\n");
  folder_.write("b.txt",
                "sorszam: 1; neve: \"A\";\nsorszam: 0;\nsorszam: 2;\n");
  for (const char* name : {"a.txt", "b.txt"}) {
    ItemCatalogue items;
    items.load_items(path(name));
    EXPECT_EQ(items.item_by_number(1).name, "A");
    EXPECT_EQ(items.item_by_number(2).name, "ismeretlen tárgy"_cp) << name;
  }
}

TEST_F(ItemCatalogueTest, OutOfRangeNumbersAreSkipped) {
  folder_.write("targyak.txt",
                "sorszam: 2000; neve: \"Messze\";\n"
                "sorszam: -5; neve: \"Minusz\";\n"
                "sorszam: 1999; neve: \"Utolso\";\n");
  ItemCatalogue items;
  items.load_items(path("targyak.txt"));
  EXPECT_EQ(items.item_by_number(1999).name, "Utolso");
  EXPECT_EQ(items.item_by_number(5).name, "ismeretlen tárgy"_cp);
  // Look-ups outside the table give a default row; writes there vanish.
  items.item_by_number(2000).carried_count = 7;
  EXPECT_EQ(items.item_by_number(2000).carried_count, 0);
  EXPECT_EQ(items.item_by_number(-1).name, "ismeretlen tárgy"_cp);
  const ItemCatalogue& view = items;
  EXPECT_EQ(view.item_by_number(5000).carried_count, 0);
}

TEST_F(ItemCatalogueTest, LaterLinesOverwriteFieldByField) {
  folder_.write(
      "targyak.txt",
      "sorszam: 4; neve: \"Pajzs\"; ac: 3; balkez: 1; fegytip: \"x\";\n"
      "sorszam: 4; ac: 5;\n");
  ItemCatalogue items;
  items.load_items(path("targyak.txt"));
  const ItemRecord& row = items.item_by_number(4);
  EXPECT_EQ(row.armour_class, 5);
  EXPECT_EQ(row.name, "");  // re-read: no "neve:" now
  EXPECT_EQ(row.left_hand, 0);
  EXPECT_EQ(row.hand_mark, "B");    // only set when "balkez:" is not 0
  EXPECT_EQ(row.weapon_type, "x");  // only set when "fegytip:" is there
}

TEST_F(ItemCatalogueTest, LongLinesComeInPieces) {
  // The second piece starts with "7": it fills row 7 with what follows.
  std::string line = "sorszam: 6; neve: \"Hat\";";
  line += std::string(999 - line.size(), ' ');
  line += "7 neve: \"Het\";\n";
  folder_.write("targyak.txt", line + "sorszam: 8; neve: \"Nyolc\";\n");
  ItemCatalogue items;
  items.load_items(path("targyak.txt"));
  EXPECT_EQ(items.item_by_number(6).name, "Hat");
  EXPECT_EQ(items.item_by_number(7).name, "Het");
  EXPECT_EQ(items.item_by_number(8).name, "Nyolc");
}

TEST_F(ItemCatalogueTest, NamesAndLongFieldsAreCut) {
  folder_.write("targyak.txt", "sorszam: 9; neve: \"" + std::string(150, 'n') +
                                   "\"; fegytip: \"" + std::string(20, 't') +
                                   "\";\n");
  ItemCatalogue items;
  items.load_items(path("targyak.txt"));
  EXPECT_EQ(items.item_by_number(9).name, std::string(99, 'n'));
  EXPECT_EQ(items.item_by_number(9).weapon_type, std::string(11, 't'));
}

TEST_F(ItemCatalogueTest, ItemByNameFoldsOnlyAToZ) {
  folder_.write("targyak.txt",
                std::string("sorszam: 3; neve: \"Éles Kard\";\n"
                            "sorszam: 5; neve: \"éles kard\";\n"
                            "sorszam: 7; neve: \"Pajzs\";\n"_cp));
  ItemCatalogue items;
  items.load_items(path("targyak.txt"));
  EXPECT_EQ(items.item_by_name("pAJZS").number, 7);
  EXPECT_EQ(items.item_by_name("Éles KARD"_cp).number, 3);
  EXPECT_EQ(items.item_by_name("éLES KARD"_cp).number, 5);
  // No row matches: row 1999, unknown and not carried.
  const ItemRecord& missing = items.item_by_name("Sehol");
  EXPECT_EQ(&missing, &items.item_by_number(1999));
  EXPECT_EQ(missing.name, "ismeretlen tárgy"_cp);
  EXPECT_EQ(missing.carried_count, 0);
}

TEST_F(ItemCatalogueTest, MissingFileKeepsDefaults) {
  ItemCatalogue items;
  items.load_items(path("none.txt"));
  EXPECT_EQ(console_, "nem talalom a \"targyak.txt\"-t!\n");
  EXPECT_EQ(items.item_by_number(12).name, "ismeretlen tárgy"_cp);
}

using MonsterCatalogueTest = CatalogueTest;

TEST_F(MonsterCatalogueTest, ReadsRowsUntilEmptyLine) {
  folder_.write("szornyek.txt",
                std::string("sorszam: 17; neve: \"Barlangi medve\"; x: 3;\n"
                            "sorszam: 17; neve: \"Jégmedve\";\n"
                            "sorszam: 1001; neve: \"Túl nagy\";\n"
                            "\n"
                            "sorszam: 18; neve: \"Sosem\";\n"_cp));
  MonsterCatalogue monsters;
  monsters.load_monsters(path("szornyek.txt"));
  EXPECT_EQ(console_, "\"szornyek.txt\" beolvasasa sikerult!\n");
  EXPECT_EQ(monsters.monster_by_number(17).name, "Jégmedve"_cp);
  EXPECT_EQ(monsters.monster_by_number(17).number, 17);
  EXPECT_EQ(monsters.monster_by_number(18).name, "ismeretlen szörny"_cp);
  EXPECT_EQ(monsters.monster_by_number(1001).name, "ismeretlen szörny"_cp);
  EXPECT_EQ(monsters.monster_by_number(1000).name, "ismeretlen szörny"_cp);
}

TEST_F(MonsterCatalogueTest, MissingFile) {
  MonsterCatalogue monsters;
  monsters.load_monsters(path("none.txt"));
  EXPECT_EQ(console_, "nem talalom a \"szornyek.txt\"-t!\n");
}

using SpellCatalogueTest = CatalogueTest;

TEST_F(SpellCatalogueTest, DamageTableThenList) {
  folder_.write("sebzes.txt",
                "12 5 1 6 0 teo T\n"
                "13   2 2 4 -1\tavk - 14 1 1 1 1 pszi V\n"
                "600 1 1 1 1 teo T\n"
                "15 1 1 1 1 tulhosszuszo ABCDEFGHIJKL\n");
  folder_.write(
      "lista.txt",
      std::string("sorszam: 12; neve: \"Tűzgolyó\"; tipus1: \"tau\";\n"
                  "sorszam: 13; neve: \"Jégnyíl\";\n"_cp));
  SpellCatalogue spells;
  spells.load_spells(path("sebzes.txt"), path("lista.txt"));
  EXPECT_EQ(console_,
            "\"varazslatok_sebzese.txt\" beolvasasa sikerult!\n"
            "\"varazslatok.txt\" beolvasasa sikerult!\n");
  const SpellRecord& fire = spells.spell_by_number(12);
  EXPECT_EQ(fire.name, "Tűzgolyó"_cp);
  EXPECT_EQ(fire.school, "tau");  // the list's school wins
  EXPECT_EQ(fire.element, "T");
  EXPECT_DOUBLE_EQ(fire.damage.capped_dice_average(7), 17.5);
  const SpellRecord& ice = spells.spell_by_number(13);
  EXPECT_EQ(ice.school, "avk");  // no "tipus1:": the table's school stays
  EXPECT_EQ(ice.damage.bonus, -1);
  EXPECT_EQ(spells.spell_by_number(14).name, "ismeretlen");
  EXPECT_EQ(spells.spell_by_number(14).element, "V");
  EXPECT_EQ(spells.spell_by_number(15).school, "tulhosszu");
  EXPECT_EQ(spells.spell_by_number(15).element, "ABCDEFGHI");
}

TEST_F(SpellCatalogueTest, BrokenRecordEndsTheTable) {
  folder_.write("sebzes.txt",
                "12 5 1 6 0 teo T\n13 x 1 6 0 teo T\n14 1 1 1 1 a b\n");
  folder_.write("short.txt", "12 5 1 6 0 teo T\n13 5 1");
  for (const char* name : {"sebzes.txt", "short.txt"}) {
    SpellCatalogue spells;
    spells.load_spells(path(name), path("none.txt"));
    EXPECT_EQ(spells.spell_by_number(12).damage.cap, 5) << name;
    EXPECT_EQ(spells.spell_by_number(13).damage.cap, 0) << name;
    EXPECT_EQ(spells.spell_by_number(14).damage.cap, 0) << name;
  }
}

TEST_F(SpellCatalogueTest, MissingFiles) {
  SpellCatalogue spells;
  spells.load_spells(path("none1.txt"), path("none2.txt"));
  EXPECT_EQ(console_,
            "nem talalom a \"varazslatok_sebzese.txt\"-t!\n"
            "nem talalom a \"varazslatok.txt\"-t!\n");
  EXPECT_EQ(spells.spell_by_number(12).name, "ismeretlen");
  EXPECT_EQ(spells.spell_by_number(12).school, "-");
}

}  // namespace
}  // namespace morvinta
