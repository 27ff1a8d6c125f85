// The indexed page edits against the plain passes: the same report edited
// both ways must give the same bytes, and the bytes the rules ask for.
// Hand-picked traps (names inside names, duplicate and empty names, the
// first free number's "ismeretlen szörny", numbers written both ways and
// their lookalikes, parts that swallow other parts, lists found inside
// earlier tables);
// plain_scans_test.cpp runs the whole tool both ways on made-up reports.
#include "enhancement_links.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

#include "cp1250.h"
#include "enhancement.h"
#include "text_scan_plain.h"

namespace morvinta {
namespace {

// Plain scans for one scope.
class PlainScans {
 public:
  PlainScans() { use_plain_scans(true); }
  ~PlainScans() { use_plain_scans(false); }
  PlainScans(const PlainScans&) = delete;
  PlainScans& operator=(const PlainScans&) = delete;
};

// The report's text after the edit, made the indexed way and the plain way.
template <typename Edit>
std::pair<std::string, std::string> both_ways(const TurnReport& report,
                                              Edit edit) {
  TurnReport indexed = report;
  TurnReport plain = report;
  edit(indexed);
  {
    const PlainScans scope;
    edit(plain);
  }
  return {indexed.text, plain.text};
}

void name_monster(TurnReport& report, int n, std::string_view name) {
  report.monsters.monster_by_number(n).name = std::string(name);
}

void link_and_number(TurnReport& report) {
  link_monsters(report);
  number_monsters(report);
}

TEST(IndexedMonsters, NamesInsideNamesDuplicatesAndEmptyNames) {
  TurnReport report;
  name_monster(report, 10, "Farkas");
  name_monster(report, 11, "Szürke farkas"_cp);
  name_monster(report, 12, "farkas");
  name_monster(report, 20, "Kígyó"_cp);
  name_monster(report, 21, "Kígyó"_cp);  // a duplicate: 20 takes it
  name_monster(report, 30, "");
  name_monster(report, 40, "Lidérc!"_cp);
  name_monster(report, 41, "Lidérc"_cp);
  report.text =
      "<b>Farkas</B> <b>Szürke farkas</B>, <b>farkas!</B> <b>Farkas!</B>\n"
      "<b>Kígyó</B> <b></B> <b>!</B> <b>Lidérc!</B> <b>Lidérc!!</B> "
      "<b>Lidérc</B> <b>nincs ilyen</B> <b>nyitva marad <b>Farkas</B> "
      "<B>Farkas</B> <b>Farkas</b>"_cp;
  const auto [indexed, plain] = both_ways(report, link_and_number);
  EXPECT_EQ(indexed, plain);
  EXPECT_NE(plain.find("<B>Kígyó (#20)</B>"_cp), std::string::npos);
  EXPECT_NE(plain.find("<B>Lidérc! (#40)</B>"_cp), std::string::npos);
  EXPECT_NE(plain.find("<B>Lidérc! (#40)!</B>"_cp), std::string::npos);
}

TEST(IndexedMonsters, UnknownNameTakesTheFirstFreeNumber) {
  TurnReport report;
  for (int n = 10; n <= 14; ++n) name_monster(report, n, "x");
  report.text = "<b>ismeretlen szörny</B> és <b>ismeretlen szörny!</B>"_cp;
  const auto [indexed, plain] = both_ways(report, link_and_number);
  EXPECT_EQ(indexed, plain);
  EXPECT_NE(plain.find("ssz=15\""), std::string::npos);
  EXPECT_NE(plain.find("ismeretlen szörny (#15)!</B>"_cp), std::string::npos);
}

TEST(IndexedMonsters, NamesWithMarkupAreLeftToThePlainPass) {
  TurnReport report;
  name_monster(report, 10, "a</B> <b>b");
  name_monster(report, 11, "b");
  name_monster(report, 12, "<b>a");
  report.text = "<b>a</B> <b>b</B> <b><b>a</B> <B>b</B>";
  TurnReport copy = report;
  EXPECT_FALSE(link_monsters_indexed(copy));
  EXPECT_EQ(copy.text, report.text);
  const auto [indexed, plain] = both_ways(report, link_and_number);
  EXPECT_EQ(indexed, plain);
}

TEST(IndexedCoordinates, RepeatedSquaresStackAndLinksNest) {
  TurnReport report;
  const std::pair<int, int> moves[] = {{1, 2}, {3, 4}, {1, 2}, {-5, 6},
                                       {3, 4}, {7, 8}, {9, 9}};
  for (const auto& [x, y] : moves) {
    report.adventures
        .moves[static_cast<std::size_t>(report.adventures.move_count++)]
        .set(x, y);
  }
  report.text =
      "[1,2](3,4) [3,4] x(1,2)(3,4) [-5,6] (-5,6) [1,2] [7,8](7,8)[7,8] "
      "(9,9)";
  const auto [indexed, plain] = both_ways(report, link_coordinates);
  EXPECT_EQ(indexed, plain);
}

TEST(IndexedItemWeights, BothFormsRepeatsAndLookalikes) {
  TurnReport report;
  ItemRecord& sword = report.items.item_by_number(12);
  sword.weight = 1.25;
  sword.ea = 10;
  sword.carried_count = 3;
  ItemRecord& ring = report.items.item_by_number(145);
  ring.ea = 40;
  ring.carried_count = 1;
  ring.dollar_form = true;
  ring.banked = 2;
  ItemRecord& bread = report.items.item_by_number(1);
  bread.weight = 0.3;
  bread.banked = 4;
  report.text =
      "NÁLAD LÉVŐ TÁRGYAK (*-gal jelöltek bekészítve) (#12) (#12) ($12) "
      "(#120) (#012) ($145) (#145) (#1) (#1999)</TABLE></TD></TR></TABLE>\n"
      "TÁRGYAID A BANK SZÉFJÉBEN (#1) ($145) (#12)</TABLE></TD></TR></TABLE>"_cp;
  const auto [indexed, plain] = both_ways(report, add_item_weights);
  EXPECT_EQ(indexed, plain);
  EXPECT_NE(plain.find("(#12)</a> <SPAN CLASS=\"szogletes\">{30} [3.75]"),
            std::string::npos);
}

TEST(IndexedSpells, PartsWithoutVpSwallowLaterSpells) {
  TurnReport report;
  const struct {
    int number;
    const char* school;
    int cost;
  } spells[] = {{1, "teo", 4},   {14, "tau", 6}, {33, "pszi", 12},
                {53, "AvK", 15}, {61, "teo", 5}, {122, "-", 10}};
  for (const auto& s : spells) {
    SpellRecord& spell = report.spells.spell_by_number(s.number);
    spell.known = true;
    spell.school = s.school;
    spell.cost = s.cost;
  }
  report.folly_price.theology_cost_limit = 10;
  report.folly_price.theology_extra_vp = 2;
  // Spell 1 has no "VP" of its own: its part reaches the next one, over
  // spell 33 and spell 14's first place.
  report.text =
      "VARÁZSLATAID (#1, 4) (#33, 12 VP) (#14, 6 VP) (#14, 6 VP) (#53, 15 VP) "
      "(#61, 5 VP) (#122, 10 VP) (#0122, 1 VP)</TABLE></TD></TR></TABLE>"_cp;
  for (const int links : {0, 1}) {
    SCOPED_TRACE(links);
    report.settings.spell_links = links;
    const auto [indexed, plain] = both_ways(report, develop_spells);
    EXPECT_EQ(indexed, plain);
  }
}

TEST(IndexedItemLists, ListsFoundInsideEarlierTables) {
  // The first list is taken for a shop list (a later paragraph sells), so
  // its table reaches to that mark and holds a copy of the second list,
  // where the second list is then replaced; the third list stands earlier
  // as plain text.
  const std::string_view text =
      "x Kard (#12). y (zárójelben a tárgy sorszáma): Tőr (#1), Íj (#2).<SPAN>"
      " z (zárójelben a tárgy sorszáma): Kard (#12).<SPAN> Kenyér (#3), "
      "(zárójelben a tárgy sorszáma): Kard (#12).<SPAN> boltos "
      "(zárójelben a tárgy sorszáma): Kenyér (#3), Só (#4). A boltos "
      "megvásárolni: Tőr (#1) 2 ap, Íj (#2) 3 ap áron. <SPAN> vége "
      "(zárójelben a tárgy sorszáma):<SPAN> (zárójelben a tárgy sorszáma): "
      "nincs zárva"_cp;
  TurnReport report;
  report.text = std::string(text);
  const auto [indexed, plain] =
      both_ways(report, [](TurnReport& r) { tabulate_item_lists(r.text); });
  EXPECT_EQ(indexed, plain);
  report.text += " (zárójelben a tárgy sorszáma): <b>a</b>.<SPAN>"_cp;
  std::string copy = report.text;
  EXPECT_FALSE(tabulate_item_lists_indexed(copy));  // markup in a list
}

}  // namespace
}  // namespace morvinta
