#include "catalogues.h"

#include <array>
#include <iterator>
#include <optional>

#include "console.h"
#include "cp1250.h"
#include "text_file.h"
#include "text_scan.h"
#include "text_scan_plain.h"

namespace morvinta {

namespace {

constexpr std::size_t kNameLength = 99;
constexpr std::size_t kWordLength = 9;
constexpr std::size_t kWeaponTypeLength = 11;

// The first integer between the key and the next ";" of the line.
std::int32_t field(std::string_view line, std::string_view key) {
  return nth_number(extract_inclusive(line, key, ";"), 1);
}

// The text between the first two double quotes of the key's entry.
MaybeText quoted(std::string_view line, std::string_view key) {
  return extract_between(extract_inclusive(line, key, ";"), "\"", "\"");
}

// The lines of a catalogue read, as views into its text. A line's row is its
// first number; reading stops at a line whose first number is 0 or that has
// none (an empty line ends the catalogue).
std::optional<std::vector<std::string_view>> catalogue_lines(
    const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  std::vector<std::string_view> lines;
  for (const std::string_view line : line_pieces(*text)) {
    if (nth_number(line, 1) == 0) break;
    lines.push_back(line);
  }
  return lines;
}
// The views point into the text: it must outlive them.
std::optional<std::vector<std::string_view>> catalogue_lines(
    const std::optional<std::string>&& text) = delete;

// The keys of an item line.
constexpr std::string_view kItemKeys[] = {
    "sorszam:",   "neve:",   "suly:",     "ero:",   "iq:",     "ugy:",   "egs:",
    "szer:",      "mxtu:",   "maxep:",    "maxvp:", "tam:",    "ac:",    "ea:",
    "kapacitas:", "oklos:",  "seb:",      "vpreg:", "minsz:",  "minfv:", "tau:",
    "teo:",       "balkez:", "fegyvari:", "sebf:",  "fegytip:"};

// The entries of an item line, each from the first occurrence of its key
// through the next ";", as `extract_inclusive` (line, key, ";") finds them.
// Every key ends in ":", so one look at each ":" of the line finds the first
// occurrence of every key at once instead of one search per key.
class ItemLine {
 public:
  explicit ItemLine(std::string_view line) : line_(line) {
    if (plain_scans()) return;
    first_.fill(std::string_view::npos);
    std::size_t left = std::size(kItemKeys);
    for (std::size_t colon = line.find(':');
         colon != std::string_view::npos && left > 0;
         colon = line.find(':', colon + 1)) {
      for (std::size_t k = 0; k < std::size(kItemKeys); ++k) {
        const std::string_view key = kItemKeys[k];
        // The byte before the ":" first: most keys differ there.
        if (first_[k] != std::string_view::npos || key.size() > colon + 1 ||
            line[colon - 1] != key[key.size() - 2]) {
          continue;
        }
        const std::size_t at = colon + 1 - key.size();
        if (line.compare(at, key.size(), key) == 0) {
          first_[k] = at;
          --left;
        }
      }
    }
  }

  // The entry of one of the keys above; absent as extract_inclusive's.
  MaybeText entry(std::string_view key) const {
    if (plain_scans()) return extract_inclusive(line_, key, ";");
    for (std::size_t k = 0; k < std::size(kItemKeys); ++k) {
      if (kItemKeys[k] != key) continue;
      if (first_[k] == std::string_view::npos) return std::nullopt;
      const std::size_t end = line_.find(';', first_[k] + key.size());
      if (end == std::string_view::npos) return std::nullopt;
      return line_.substr(first_[k], end + 1 - first_[k]);
    }
    return extract_inclusive(line_, key, ";");
  }

 private:
  std::string_view line_;
  std::array<std::size_t, std::size(kItemKeys)> first_{};
};

std::int32_t field(const ItemLine& line, std::string_view key) {
  return nth_number(line.entry(key), 1);
}

MaybeText quoted(const ItemLine& line, std::string_view key) {
  return extract_between(line.entry(key), "\"", "\"");
}

void parse_item_line(std::string_view text, ItemRecord& row) {
  const ItemLine line(text);
  row.number = field(line, "sorszam:");
  row.name = cut_to(quoted(line, "neve:").value_or(""), kNameLength);
  row.weight = nth_decimal(line.entry("suly:"), 1, 0.01);
  row.strength = field(line, "ero:");
  row.intelligence = field(line, "iq:");
  row.dexterity = field(line, "ugy:");
  row.health = field(line, "egs:");
  row.luck = field(line, "szer:");
  row.max_tu = field(line, "mxtu:");
  row.max_ep = field(line, "maxep:");
  row.max_vp = field(line, "maxvp:");
  row.attack = field(line, "tam:");
  row.armour_class = field(line, "ac:");
  row.ea = field(line, "ea:");
  row.capacity = field(line, "kapacitas:");
  row.oklos = field(line, "oklos:");
  row.damage = field(line, "seb:");
  row.vp_regeneration = field(line, "vpreg:");
  row.min_sz = field(line, "minsz:");
  row.min_fv = field(line, "minfv:");
  row.thaumaturgy = field(line, "tau:");
  row.theology = field(line, "teo:");
  row.left_hand = field(line, "balkez:");
  if (row.left_hand != 0) row.hand_mark.assign(1, 'B');
  row.weapon_spell = field(line, "fegyvari:");
  const MaybeText dice = line.entry("sebf:");
  row.damage_dice = {nth_number(dice, 1), nth_number(dice, 2),
                     nth_number(dice, 3)};
  if (line.entry("fegytip:")) {
    row.weapon_type =
        cut_to(quoted(line, "fegytip:").value_or(""), kWeaponTypeLength);
  }
}

// One whitespace-separated word of the damage table.
std::optional<std::string_view> next_word(std::string_view text,
                                          std::size_t& at) {
  while (at < text.size() &&
         (text[at] == ' ' || text[at] == '\n' || text[at] == '\t' ||
          text[at] == '\r' || text[at] == '\v' || text[at] == '\f')) {
    ++at;
  }
  if (at == text.size()) return std::nullopt;
  const std::size_t begin = at;
  while (at < text.size() && text[at] != ' ' && text[at] != '\n' &&
         text[at] != '\t' && text[at] != '\r' && text[at] != '\v' &&
         text[at] != '\f') {
    ++at;
  }
  return text.substr(begin, at - begin);
}

// A whole word read as a signed integer (modulo 2^32); absent when it is not
// one.
std::optional<std::int32_t> word_integer(std::string_view word) {
  std::size_t digits = 0;
  if (!word.empty() && (word[0] == '-' || word[0] == '+')) digits = 1;
  if (digits == word.size()) return std::nullopt;
  for (std::size_t i = digits; i < word.size(); ++i) {
    if (word[i] < '0' || word[i] > '9') return std::nullopt;
  }
  return nth_number(word, 1);
}

}  // namespace

ItemRecord::ItemRecord()
    : name("ismeretlen tárgy"_cp), hand_mark("-"), weapon_type("-") {}

ItemCatalogue::ItemCatalogue() : rows_(kRows) {}

void ItemCatalogue::load_items(const std::string& path) {
  const std::optional<std::string> text = read_file(path);
  const auto lines = catalogue_lines(text);
  if (!lines) {
    say("nem talalom a \"targyak.txt\"-t!\n");
    return;
  }
  for (const std::string_view line : *lines) {
    const int n = nth_number(line, 1);
    if (n < 0 || n >= kRows) continue;
    parse_item_line(line, rows_[static_cast<std::size_t>(n)]);
  }
  say("\"targyak.txt\" beolvasasa sikerult!\n");
}

ItemRecord& ItemCatalogue::item_by_number(int n) {
  if (n < 0 || n >= kRows) {
    spare_ = ItemRecord();
    return spare_;
  }
  return rows_[static_cast<std::size_t>(n)];
}

const ItemRecord& ItemCatalogue::outside() {
  static const ItemRecord kOutside;
  return kOutside;
}

ItemRecord& ItemCatalogue::item_by_name(std::string_view name) {
  const auto fold = [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  };
  for (ItemRecord& row : rows_) {
    if (row.name.size() != name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size() && same; ++i) {
      same = fold(row.name[i]) == fold(name[i]);
    }
    if (same) return row;
  }
  return rows_.back();
}

MonsterRecord::MonsterRecord() : name("ismeretlen szörny"_cp) {}

MonsterCatalogue::MonsterCatalogue() : rows_(kRows) {}

void MonsterCatalogue::load_monsters(const std::string& path) {
  const std::optional<std::string> text = read_file(path);
  const auto lines = catalogue_lines(text);
  if (!lines) {
    say("nem talalom a \"szornyek.txt\"-t!\n");
    return;
  }
  for (const std::string_view line : *lines) {
    const int n = nth_number(line, 1);
    if (n < 0 || n >= kRows) continue;
    MonsterRecord& row = rows_[static_cast<std::size_t>(n)];
    row.number = field(line, "sorszam:");
    row.name = cut_to(quoted(line, "neve:").value_or(""), kNameLength);
  }
  say("\"szornyek.txt\" beolvasasa sikerult!\n");
}

MonsterRecord& MonsterCatalogue::monster_by_number(int n) {
  if (n < 0 || n >= kRows) {
    spare_ = MonsterRecord();
    return spare_;
  }
  return rows_[static_cast<std::size_t>(n)];
}

const MonsterRecord& MonsterCatalogue::monster_by_number(int n) const {
  static const MonsterRecord kOutside;
  if (n < 0 || n >= kRows) return kOutside;
  return rows_[static_cast<std::size_t>(n)];
}

SpellRecord::SpellRecord() : name("ismeretlen"), school("-"), element("-") {}

SpellCatalogue::SpellCatalogue() : rows_(kRows) {}

void SpellCatalogue::load_spells(const std::string& damage_path,
                                 const std::string& list_path) {
  if (const auto table = read_file(damage_path)) {
    say("\"varazslatok_sebzese.txt\" beolvasasa sikerult!\n");
    // Records of seven words: number, cap, count, sides, bonus, school,
    // element. A record that is not that shape ends the table.
    std::size_t at = 0;
    for (;;) {
      std::optional<std::int32_t> numbers[5];
      bool whole = true;
      for (auto& number : numbers) {
        const auto word = next_word(*table, at);
        number = word ? word_integer(*word) : std::nullopt;
        whole = whole && number.has_value();
        if (!whole) break;
      }
      const auto school = whole ? next_word(*table, at) : std::nullopt;
      const auto element = school ? next_word(*table, at) : std::nullopt;
      if (!element) break;
      const int n = *numbers[0];
      if (n < 0 || n >= kRows) continue;
      SpellRecord& row = rows_[static_cast<std::size_t>(n)];
      row.damage = {*numbers[1], *numbers[2], *numbers[3], *numbers[4]};
      row.school = cut_to(*school, kWordLength);
      row.element = cut_to(*element, kWordLength);
    }
  } else {
    say("nem talalom a \"varazslatok_sebzese.txt\"-t!\n");
  }

  const std::optional<std::string> list = read_file(list_path);
  const auto lines = catalogue_lines(list);
  if (!lines) {
    say("nem talalom a \"varazslatok.txt\"-t!\n");
    return;
  }
  for (const std::string_view line : *lines) {
    const int n = nth_number(line, 1);
    if (n < 0 || n >= kRows) continue;
    SpellRecord& row = rows_[static_cast<std::size_t>(n)];
    row.number = field(line, "sorszam:");
    row.name = cut_to(quoted(line, "neve:").value_or(""), kNameLength);
    if (const MaybeText school = quoted(line, "tipus1:")) {
      row.school = cut_to(*school, kWordLength);
    }
  }
  say("\"varazslatok.txt\" beolvasasa sikerult!\n");
}

SpellRecord& SpellCatalogue::spell_by_number(int n) {
  if (n < 0 || n >= kRows) {
    spare_ = SpellRecord();
    return spare_;
  }
  return rows_[static_cast<std::size_t>(n)];
}

const SpellRecord& SpellCatalogue::spell_by_number(int n) const {
  static const SpellRecord kOutside;
  if (n < 0 || n >= kRows) return kOutside;
  return rows_[static_cast<std::size_t>(n)];
}

}  // namespace morvinta
