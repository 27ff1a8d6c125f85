#include "catalogues.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "console.h"
#include "cp1250.h"
#include "test_support.h"
#include "text_file.h"
#include "text_scan_plain.h"

namespace morvinta {
namespace {

using testing::InFolder;
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

// Every field of an item row, in the catalogue's order.
auto fields(const ItemRecord& r) {
  return std::tie(r.number, r.name, r.weight, r.strength, r.intelligence,
                  r.dexterity, r.health, r.luck, r.max_tu, r.max_ep, r.max_vp,
                  r.attack, r.armour_class, r.ea, r.capacity, r.oklos, r.damage,
                  r.vp_regeneration, r.min_sz, r.min_fv, r.thaumaturgy,
                  r.theology, r.left_hand, r.hand_mark, r.weapon_spell,
                  r.weapon_type, r.damage_dice.count, r.damage_dice.sides,
                  r.damage_dice.bonus);
}

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
  // "seb:" is not "sebf:"; "balkez:" sets the hand mark "B".
  EXPECT_EQ(fields(items.item_by_number(12)),
            std::make_tuple(12, std::string("Hosszú kard"_cp), 1.5, 2, -1, 3, 4,
                            5, 6, 7, 8, 9, -2, 300, 10, 11, 12, 13, 14, 15, 16,
                            17, 1, "B", 21, "kard", 2, 4, -1));
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

// Catalogue lines of random entries: the keys of all three catalogues in any
// order, left out, twice, inside quoted names and glued to other words;
// numbers with signs and too many digits; entries without ";"; lines cut into
// pieces; every kind of line end, at any place of the blocks read.
std::string random_catalogue(std::mt19937& random, int lines) {
  static constexpr std::string_view kKeys[] = {
      "sorszam:", "neve:",    "suly:",      "ero:",   "iq:",     "ugy:",
      "egs:",     "szer:",    "mxtu:",      "maxep:", "maxvp:",  "tam:",
      "ac:",      "ea:",      "kapacitas:", "oklos:", "seb:",    "vpreg:",
      "minsz:",   "minfv:",   "tau:",       "teo:",   "balkez:", "fegyvari:",
      "sebf:",    "fegytip:", "tipus1:",    "xea:",   "Ac:"};
  static constexpr std::string_view kValues[] = {
      " 12",         " -3",       "+7",
      " 4294967301", " 1.5",      " 2.05",
      " \"Kard\"",   " \"a; b\"", " \"ea: 7\"",
      " \"\"",       "\"",        " 2d6-1",
      " 1d4+2",      "",          "-",
      " \"tau\"",    " 9x9",      " \"sebf: 3\""};
  static constexpr std::string_view kEnds[] = {"; ", ";", ";;", "", " "};
  static constexpr std::string_view kLineEnds[] = {"\n", "\r\n", "\r",
                                                   "\r\r\n"};
  const auto pick = [&](const auto& list) {
    return list[random() % std::size(list)];
  };
  std::string text;
  for (int line = 0; line < lines; ++line) {
    const bool whole = random() % 4 == 0;  // every item key once, in order
    // Half of them as the catalogue writes them ("fegytip:" before "sebf:",
    // plain numbers, each entry ended by "; "), now and then an odd entry.
    const bool tidy = whole && random() % 2 == 0;
    const auto odd = [&] { return !tidy || random() % 32 == 0; };
    text += "sorszam: " + std::to_string(1 + random() % 40);
    text += odd() ? pick(kEnds) : "; ";
    const std::size_t entries =
        whole ? 26 : random() % 12 + (line % 20 == 0) * 200;
    for (std::size_t e = tidy ? 1 : 0; e < entries; ++e) {
      const std::size_t key = tidy && e >= 24 ? 49 - e : e;
      text += whole ? kKeys[key] : pick(kKeys);
      text += odd() ? std::string(pick(kValues))
                    : " " + std::to_string(random() % 100);
      text += odd() ? pick(kEnds) : "; ";
    }
    text += pick(kLineEnds);
  }
  return text;
}

TEST_F(CatalogueTest, FileLinesCutAsTheWholeTextIs) {
  std::mt19937 random(999);
  const std::string odd = random_catalogue(random, 30);
  const std::string long_line(999, 'y');
  for (const std::string& text :
       {odd, odd + "\r", long_line, long_line + "\r\n", long_line + "z\r",
        std::string("a\r\0\nb", 5) + odd, std::string("\n"), std::string()}) {
    folder_.write("t.txt", text);
    const std::optional<std::string> whole = read_file(path("t.txt"));
    const std::vector<std::string_view> expected = line_pieces(*whole);
    for (const std::size_t block : {1, 2, 3, 999, 1 << 14}) {
      FileLines lines(path("t.txt"), block);
      std::vector<std::string> pieces;
      while (const auto piece = lines.next()) pieces.emplace_back(*piece);
      EXPECT_EQ(pieces,
                std::vector<std::string>(expected.begin(), expected.end()))
          << "block " << block << " text " << text.size();
    }
  }
}

TEST_F(ItemCatalogueTest, EveryFieldAsThePlainScansReadIt) {
  const auto spells = [](const SpellRecord& r) {
    return std::tie(r.number, r.name, r.school);
  };
  std::mt19937 random(1250);
  for (int file = 0; file < 3; ++file) {
    std::string text = random_catalogue(random, 400);
    // A NUL ends the text; the last file ends with an empty line.
    if (file == 1) text.insert(text.size() - 300, 1, '\0');
    if (file == 2) text += "\nsorszam: 5; neve: \"Sosem\";\n";
    folder_.write("c.txt", text);
    const auto load = [&](bool plain) {
      use_plain_scans(plain);
      auto catalogues = std::make_unique<
          std::tuple<ItemCatalogue, MonsterCatalogue, SpellCatalogue>>();
      std::get<0>(*catalogues).load_items(path("c.txt"));
      std::get<1>(*catalogues).load_monsters(path("c.txt"));
      std::get<2>(*catalogues).load_spells(path("none.txt"), path("c.txt"));
      use_plain_scans(false);
      return catalogues;
    };
    const auto fast = load(false);
    const auto plain = load(true);
    for (int n = 0; n < ItemCatalogue::kRows; ++n) {
      const auto& monster = std::get<1>(*fast).monster_by_number(n);
      const auto& plain_monster = std::get<1>(*plain).monster_by_number(n);
      ASSERT_EQ(fields(std::get<0>(*fast).item_by_number(n)),
                fields(std::get<0>(*plain).item_by_number(n)))
          << "file " << file << " row " << n;
      ASSERT_EQ(std::tie(monster.number, monster.name),
                std::tie(plain_monster.number, plain_monster.name))
          << "file " << file << " row " << n;
      ASSERT_EQ(spells(std::get<2>(*fast).spell_by_number(n)),
                spells(std::get<2>(*plain).spell_by_number(n)))
          << "file " << file << " row " << n;
    }
  }
}

// A report's tables are lent by the run and given back: whatever the report
// wrote, through any look-up, the next report starts from rows equal to a
// fresh copy of the catalogues as read. A table never filled reads as
// default rows until a look-up that can write fills it.
TEST_F(CatalogueTest, LentTablesComeBackAsRead) {
  folder_.write("txt/targyak.txt",
                "sorszam: 3; neve: \"Kard\"; suly: 2.5; ero: 1;\n"
                "sorszam: 1999; neve: \"Utolso\"; suly: 1;\n");
  folder_.write("txt/szornyek.txt", "sorszam: 12; neve: \"Medve\";\n");
  folder_.write("txt/varazslatok_sebzese.txt", "7 5 1 6 0 teo T\n");
  InFolder inside(folder_.path());
  RunCatalogues run;
  MonsterCatalogue fresh_monsters;
  SpellCatalogue fresh_spells;
  ItemCatalogue fresh_items;
  EXPECT_EQ(fresh_items.item_by_number(3), ItemRecord());
  run.copy_into(fresh_monsters, fresh_spells, fresh_items);
  for (int report = 0; report < 3; ++report) {
    MonsterCatalogue monsters;
    SpellCatalogue spells;
    ItemCatalogue items;
    run.copy_into(monsters, spells, items);
    for (int n = 0; n < ItemCatalogue::kRows; ++n) {
      ASSERT_EQ(std::as_const(items).item_by_number(n),
                fresh_items.item_by_number(n))
          << "report " << report << " item " << n;
      ASSERT_EQ(std::as_const(monsters).monster_by_number(n),
                fresh_monsters.monster_by_number(n))
          << "report " << report << " monster " << n;
      ASSERT_EQ(std::as_const(spells).spell_by_number(n),
                fresh_spells.spell_by_number(n))
          << "report " << report << " spell " << n;
    }
    EXPECT_TRUE(items.held_rows(false).empty());
    items.item_by_number(3).equipped = true;
    items.item_by_number(3).carried_count = 5;
    items.item_by_number(100 + report).known = true;
    items.item_by_name("KARD").banked = 2;
    items.item_by_name("sehol").name = "felulirva";
    items.item_by_number(-1).known = true;
    monsters.monster_by_number(12 + report).known = true;
    spells.spell_by_number(7).active = true;
    EXPECT_EQ(items.held_rows(false), std::vector<int>{3});
    // Tables the run did not lend are not taken back.
    MonsterCatalogue other_monsters;
    SpellCatalogue other_spells;
    ItemCatalogue other_items;
    run.give_back(std::move(monsters), std::move(spells), std::move(items));
    run.give_back(std::move(other_monsters), std::move(other_spells),
                  std::move(other_items));
  }
}

}  // namespace
}  // namespace morvinta
