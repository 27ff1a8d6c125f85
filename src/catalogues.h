// The game's local catalogues of items, monsters and spells, read from the
// files the player keeps in txt/ beside the tool, as tables indexed directly
// by the game's numbers. The same rows carry what the report says of the
// character: carried, banked, in hand, known, active.
//
// A number outside a table is never stored: the look-up by number then gives
// a spare row at its defaults, and whatever is written into that row is
// dropped at the next such look-up.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dice.h"

namespace morvinta {

struct ItemRecord {
  std::int32_t number = 0;
  std::string name;  // at most 99 bytes
  double weight = 0;
  std::int32_t carried_count = 0;
  std::int32_t banked = 0;
  std::int32_t strength = 0;
  std::int32_t intelligence = 0;
  std::int32_t dexterity = 0;
  std::int32_t health = 0;
  std::int32_t luck = 0;
  std::int32_t max_tu = 0;
  std::int32_t max_ep = 0;
  std::int32_t max_vp = 0;
  std::int32_t attack = 0;
  std::int32_t armour_class = 0;
  std::int32_t ea = 0;
  std::int32_t capacity = 0;
  std::int32_t oklos = 0;
  std::int32_t damage = 0;
  std::int32_t vp_regeneration = 0;
  std::int32_t min_sz = 0;
  std::int32_t min_fv = 0;
  std::int32_t thaumaturgy = 0;
  std::int32_t theology = 0;
  bool known = false;
  bool equipped = false;
  bool turn_equipped = false;
  bool dollar_form = false;
  std::int32_t left_hand = 0;
  std::string hand_mark;  // at most 9 bytes
  std::int32_t weapon_spell = 0;
  std::string weapon_type;  // at most 11 bytes
  DiceRoll damage_dice;

  ItemRecord();
};

class ItemCatalogue {
 public:
  static constexpr int kRows = 2000;
  // Item 50 is the game's money: its carried count is the character's cash.
  static constexpr int kMoney = 50;

  ItemCatalogue();

  // Fills the table from the item catalogue file and prints its line.
  void load_items(const std::string& path = "txt/targyak.txt");

  // The row of item n; a spare default row when n is outside 0 to 1999.
  ItemRecord& item_by_number(int n);
  const ItemRecord& item_by_number(int n) const {
    // Inline: the rules walk every row many times per report.
    if (n < 0 || n >= kRows) return outside();
    return rows_[static_cast<std::size_t>(n)];
  }

  // The first row whose name equals the given one, letters A to Z compared
  // without regard to case (every other byte exactly); row 1999 when none.
  ItemRecord& item_by_name(std::string_view name);

  // The numbers of the rows 0 to 1999 marked in hand, in order: in hand now,
  // or after the planned dressing. The rules sum the bonuses of the items in
  // hand many times per report, so the lists are kept until a look-up that
  // can write a row (any of the non-const ones) has been made. Precondition:
  // a row is written right after its look-up, never through a reference
  // kept from before the lists were last asked for.
  const std::vector<int>& held_rows(bool after_dressing) const;

 private:
  static const ItemRecord& outside();

  std::vector<ItemRecord> rows_;
  ItemRecord spare_;
  std::uint64_t writable_lookups_ = 1;
  // The lists as they were at that count of writable look-ups; 0 for never.
  mutable std::uint64_t held_as_of_ = 0;
  mutable std::vector<int> held_now_;
  mutable std::vector<int> held_after_dressing_;
};

struct MonsterRecord {
  std::int32_t number = 0;
  std::string name;  // at most 99 bytes
  bool known = false;

  MonsterRecord();
};

class MonsterCatalogue {
 public:
  static constexpr int kRows = 1001;

  MonsterCatalogue();

  // Fills the table from the monster catalogue file and prints its line.
  void load_monsters(const std::string& path = "txt/szornyek.txt");

  // The row of monster n; a spare default row when n is outside 0 to 1000.
  MonsterRecord& monster_by_number(int n);
  const MonsterRecord& monster_by_number(int n) const;

 private:
  std::vector<MonsterRecord> rows_;
  MonsterRecord spare_;
};

struct SpellRecord {
  std::int32_t number = 0;
  std::string name;  // at most 99 bytes
  bool known = false;
  bool active = false;
  CappedDiceRoll damage;
  std::int32_t cost = 0;
  std::string school;   // at most 9 bytes: "teo", "tau", "pszi", "avk" or "-"
  std::string element;  // at most 9 bytes: "T" fire, "V", ... or "-"

  SpellRecord();
};

class SpellCatalogue {
 public:
  static constexpr int kRows = 500;

  SpellCatalogue();

  // Reads the damage table, then the spell list, printing a line for each.
  void load_spells(
      const std::string& damage_path = "txt/varazslatok_sebzese.txt",
      const std::string& list_path = "txt/varazslatok.txt");

  // The row of spell n; a spare default row when n is outside 0 to 499.
  SpellRecord& spell_by_number(int n);
  const SpellRecord& spell_by_number(int n) const;

 private:
  std::vector<SpellRecord> rows_;
  SpellRecord spare_;
};

// The catalogues of a whole run. The tool never writes the catalogue files,
// so they are read once, by the first report that needs them, and every
// report starts from a copy of the rows as read: the marks one report sets
// (carried, banked, known, active, in hand) never reach the next.
class RunCatalogues {
 public:
  // Fills the three catalogues as load_monsters, load_spells and load_items
  // do, printing the same lines; the files are read on the first call only.
  void copy_into(MonsterCatalogue& monsters, SpellCatalogue& spells,
                 ItemCatalogue& items);

 private:
  bool read_ = false;
  std::string lines_;  // what reading the files printed
  MonsterCatalogue monsters_;
  SpellCatalogue spells_;
  ItemCatalogue items_;
};

}  // namespace morvinta
