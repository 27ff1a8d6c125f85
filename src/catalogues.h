// The game's local catalogues of items, monsters and spells, read from the
// files the player keeps in txt/ beside the tool, as tables indexed directly
// by the game's numbers. The same rows carry what the report says of the
// character: carried, banked, in hand, known, active.
//
// A number outside a table is never stored: the look-up by number then gives
// a spare row at its defaults, and whatever is written into that row is
// dropped at the next such look-up.
//
// A table made and never read or written into holds no rows yet: every row
// reads as its defaults, and the first look-up that can write one fills the
// table with them. A report's tables are made that way and then filled from
// the run's catalogues, so a report never builds thousands of default rows
// only to overwrite them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
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
  bool operator==(const ItemRecord&) const = default;
};

// The numbers of the rows handed out for writing since the last `clear`, so
// that a table lent to a report can be put back as read row by row. The
// loads fill rows without counting them: a table is read before it is lent,
// never after.
class WrittenRows {
 public:
  void mark(int n, int rows) {
    if (marked_.empty()) marked_.assign(static_cast<std::size_t>(rows), 0);
    const auto at = static_cast<std::size_t>(n);
    if (marked_[at] == 0) {
      marked_[at] = 1;
      numbers_.push_back(n);
    }
  }
  const std::vector<int>& numbers() const { return numbers_; }
  void clear() {
    for (const int n : numbers_) marked_[static_cast<std::size_t>(n)] = 0;
    numbers_.clear();
  }

 private:
  std::vector<std::uint8_t> marked_;
  std::vector<int> numbers_;
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
    // Inline: the rules walk every row many times per report. A table not
    // yet filled reads as default rows.
    if (static_cast<std::size_t>(n) >= rows_.size()) return outside();
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

  // Puts every row written since the last call back as it stands in `read`.
  void restore_written(const ItemCatalogue& read);

 private:
  static const ItemRecord& outside();
  void fill_rows();

  std::vector<ItemRecord> rows_;  // empty: every row at its defaults
  WrittenRows written_;
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
  bool operator==(const MonsterRecord&) const = default;
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

  // Puts every row written since the last call back as it stands in `read`.
  void restore_written(const MonsterCatalogue& read);

 private:
  void fill_rows();

  std::vector<MonsterRecord> rows_;  // empty: every row at its defaults
  WrittenRows written_;
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
  bool operator==(const SpellRecord&) const = default;
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

  // Puts every row written since the last call back as it stands in `read`.
  void restore_written(const SpellCatalogue& read);

 private:
  void fill_rows();

  std::vector<SpellRecord> rows_;  // empty: every row at its defaults
  WrittenRows written_;
  SpellRecord spare_;
};

// The catalogues of a whole run. The tool never writes the catalogue files,
// so they are read once, by the first report that needs them, and every
// report starts from the rows as read: the marks one report sets (carried,
// banked, known, active, in hand) never reach the next. A report done with
// its tables gives them back, and the next report gets them again with only
// the rows the last one wrote put back as read, rather than a copy of
// three and a half thousand rows.
class RunCatalogues {
 public:
  // Fills the three catalogues as load_monsters, load_spells and load_items
  // do, printing the same lines; the files are read on the first call only.
  void copy_into(MonsterCatalogue& monsters, SpellCatalogue& spells,
                 ItemCatalogue& items);

  // Takes back the tables the last `copy_into` filled, when their report is
  // done with them; tables not filled by it are left alone.
  void give_back(MonsterCatalogue&& monsters, SpellCatalogue&& spells,
                 ItemCatalogue&& items);

 private:
  struct Tables {
    MonsterCatalogue monsters;
    SpellCatalogue spells;
    ItemCatalogue items;
  };

  bool read_ = false;
  bool lent_ = false;  // a `copy_into` not yet answered by a `give_back`
  std::string lines_;  // what reading the files printed
  Tables read_tables_;
  std::optional<Tables> given_back_;
};

}  // namespace morvinta
