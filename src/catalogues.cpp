#include "catalogues.h"

#include <array>
#include <cstring>
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

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The first `count` integers of the text in one pass, each as nth_number
// (text, i) reads it: 0 for a run the text lacks, all 0 when it is absent.
// `plain` takes them with nth_number itself, as the plain scans do.
template <std::size_t count>
std::array<std::int32_t, count> numbers_in(MaybeText text, bool plain) {
  std::array<std::int32_t, count> values{};
  if (plain) {
    for (std::size_t i = 0; i < count; ++i) {
      values[i] = nth_number(text, static_cast<int>(i) + 1);
    }
    return values;
  }
  if (!text) return values;
  const std::string_view t = *text;
  std::size_t i = 0;
  for (std::int32_t& value : values) {
    while (i < t.size() && !is_digit(t[i])) ++i;
    if (i == t.size()) break;
    const std::size_t begin = i;
    std::uint32_t run = 0;
    for (; i < t.size() && is_digit(t[i]); ++i) {
      run = run * 10u + static_cast<std::uint32_t>(t[i] - '0');
    }
    if (begin > 0 && t[begin - 1] == '-') run = 0u - run;
    value = static_cast<std::int32_t>(run);
  }
  return values;
}

// The text between the first two double quotes, as extract_between (text,
// "\"", "\"") gives it (`plain`: by it).
MaybeText quoted_in(MaybeText text, bool plain) {
  if (plain) return extract_between(text, "\"", "\"");
  if (!text) return std::nullopt;
  const std::size_t open = text->find('"');
  if (open == std::string_view::npos) return std::nullopt;
  const std::size_t close = text->find('"', open + 1);
  if (close == std::string_view::npos) return std::nullopt;
  return text->substr(open + 1, close - open - 1);
}

// The key's entry of a catalogue line, from the key's first occurrence
// through the next ";", as extract_inclusive (line, key, ";") finds it. A
// line is short: the standard search does, without the report's indexes.
MaybeText entry_in(std::string_view line, std::string_view key) {
  if (plain_scans()) return extract_inclusive(line, key, ";");
  const std::size_t start = line.find(key);
  if (start == std::string_view::npos) return std::nullopt;
  const std::size_t end = line.find(';', start + key.size());
  if (end == std::string_view::npos) return std::nullopt;
  return line.substr(start, end + 1 - start);
}

// The first integer between the key and the next ";" of the line.
std::int32_t field(std::string_view line, std::string_view key) {
  return numbers_in<1>(entry_in(line, key), plain_scans())[0];
}

// The text between the first two double quotes of the key's entry.
MaybeText quoted(std::string_view line, std::string_view key) {
  return quoted_in(entry_in(line, key), plain_scans());
}

// Calls take(line, row) for each line of the catalogue file and its row, the
// line's first number, up to the first line whose row is 0 or that has none:
// an empty line ends the catalogue. False when the file cannot be opened. The
// plain scans read the file whole and cut it into lines first.
template <typename Take>
bool for_each_catalogue_line(const std::string& path, Take take) {
  if (plain_scans()) {
    const std::optional<std::string> text = read_file(path);
    if (!text) return false;
    for (const std::string_view line : line_pieces(*text)) {
      const int row = nth_number(line, 1);
      if (row == 0) break;
      take(line, row);
    }
    return true;
  }
  FileLines lines(path);
  if (!lines.is_open()) return false;
  while (const std::optional<std::string_view> line = lines.next()) {
    const int row = nth_number(*line, 1);
    if (row == 0) break;
    take(*line, row);
  }
  return true;
}

// The keys of an item line, and their places in kItemKeys.
constexpr std::string_view kItemKeys[] = {
    "sorszam:",   "neve:",   "suly:",     "ero:",   "iq:",     "ugy:",   "egs:",
    "szer:",      "mxtu:",   "maxep:",    "maxvp:", "tam:",    "ac:",    "ea:",
    "kapacitas:", "oklos:",  "seb:",      "vpreg:", "minsz:",  "minfv:", "tau:",
    "teo:",       "balkez:", "fegyvari:", "sebf:",  "fegytip:"};
enum ItemKey : std::size_t {
  kNumber,
  kName,
  kWeight,
  kStrength,
  kIntelligence,
  kDexterity,
  kHealth,
  kLuck,
  kMaxTu,
  kMaxEp,
  kMaxVp,
  kAttack,
  kArmourClass,
  kEa,
  kCapacity,
  kOklos,
  kDamage,
  kVpRegeneration,
  kMinSz,
  kMinFv,
  kThaumaturgy,
  kTheology,
  kLeftHand,
  kWeaponSpell,
  kDamageDice,
  kWeaponType,
  kItemKeyCount
};
static_assert(std::size(kItemKeys) == kItemKeyCount);

// The order in which the catalogue writes the keys of an item line.
constexpr std::array<ItemKey, kItemKeyCount> kKeysInFileOrder = {
    kNumber,      kName,     kWeight,         kStrength,    kIntelligence,
    kDexterity,   kHealth,   kLuck,           kMaxTu,       kMaxEp,
    kMaxVp,       kAttack,   kArmourClass,    kEa,          kCapacity,
    kOklos,       kDamage,   kVpRegeneration, kMinSz,       kMinFv,
    kThaumaturgy, kTheology, kLeftHand,       kWeaponSpell, kWeaponType,
    kDamageDice};

// No key is the end of another, so where a key stands whole no other key
// ends at its ":".
constexpr bool kNoKeyEndsAnother = [] {
  for (const std::string_view a : kItemKeys) {
    for (const std::string_view b : kItemKeys) {
      if (a != b && b.ends_with(a)) return false;
    }
  }
  return true;
}();
static_assert(kNoKeyEndsAnother);

// For each byte, the keys whose byte before the ":" it is (padded with
// kItemKeyCount, no key): at a ":" of a line only these can end.
constexpr auto kKeysEndingIn = [] {
  std::array<std::array<std::uint8_t, 3>, 256> keys{};
  for (auto& list : keys) list.fill(kItemKeyCount);
  for (std::size_t k = 0; k < kItemKeyCount; ++k) {
    const std::string_view key = kItemKeys[k];
    auto& list = keys[static_cast<unsigned char>(key[key.size() - 2])];
    std::size_t slot = 0;
    // Fails to compile when four keys share a byte.
    while (list.at(slot) != kItemKeyCount) ++slot;
    list[slot] = static_cast<std::uint8_t>(k);
  }
  return keys;
}();

// The kinds of the bytes of an entry's value, in the order the walk along a
// line needs them.
enum ValueByte : std::uint8_t { kOther, kDigit, kSemicolon, kColon };
constexpr auto kValueByte = [] {
  std::array<ValueByte, 256> kinds{};
  for (char c = '0'; c <= '9'; ++c) {
    kinds[static_cast<unsigned char>(c)] = kDigit;
  }
  kinds[';'] = kSemicolon;
  kinds[':'] = kColon;
  return kinds;
}();

// The eight bytes of a text before `end`, as one word.
std::uint64_t eight_before(const char* end) {
  std::uint64_t word;
  std::memcpy(&word, end - 8, 8);
  return word;
}

// Each key as the sixteen bytes of a line that end with it hold it, in two
// words, with masks of the key's bytes, so that one look compares a whole
// key; after the keys one that never matches (a ":" is never a NUL).
struct KeyWords {
  std::uint64_t head, head_mask, tail, tail_mask;
};
const std::array<KeyWords, kItemKeyCount + 1> kKeyWords = [] {
  std::array<KeyWords, kItemKeyCount + 1> words{};
  for (std::size_t k = 0; k < kItemKeyCount; ++k) {
    const std::string_view key = kItemKeys[k];
    char bytes[16] = {};
    unsigned char mask[16] = {};
    for (std::size_t i = 0; i < key.size(); ++i) {
      bytes[16 - key.size() + i] = key[i];
      mask[16 - key.size() + i] = 0xFF;
    }
    std::memcpy(&words[k].head, bytes, 8);
    std::memcpy(&words[k].head_mask, mask, 8);
    std::memcpy(&words[k].tail, bytes + 8, 8);
    std::memcpy(&words[k].tail_mask, mask + 8, 8);
  }
  words[kItemKeyCount].tail_mask = ~std::uint64_t{0};
  return words;
}();

// The entries of an item line, each from the first occurrence of its key
// through the next ";", as `extract_inclusive` (line, key, ";") finds them.
// Every key ends in ":", so one look at each ":" of the line finds the first
// occurrence of every key at once instead of one search per key.
class ItemLine {
 public:
  explicit ItemLine(std::string_view line)
      : line_(line), plain_(plain_scans()) {
    if (plain_) return;
    // Where the walk fails it leaves every key not found.
    if (read_in_file_order()) return;
    std::size_t left = kItemKeyCount;
    for (std::size_t colon = line.find(':', 1);
         colon != std::string_view::npos && left > 0;
         colon = line.find(':', colon + 1)) {
      const char* const end = line.data() + colon + 1;
      for (const std::size_t k :
           kKeysEndingIn[static_cast<unsigned char>(line[colon - 1])]) {
        // The whole key at once, without a loop whose end is hard to guess.
        bool match;
        if (colon + 1 >= 16) {
          const KeyWords& words = kKeyWords[k];
          match = ((eight_before(end) ^ words.tail) & words.tail_mask) == 0 &&
                  ((eight_before(end - 8) ^ words.head) & words.head_mask) == 0;
        } else {
          match = k < kItemKeyCount && kItemKeys[k].size() <= colon + 1 &&
                  line.substr(colon + 1 - kItemKeys[k].size(),
                              kItemKeys[k].size()) == kItemKeys[k];
        }
        match = match && first_[k] == std::string_view::npos;
        first_[k] = match ? colon + 1 - kKeySizes[k] : first_[k];
        left -= match ? 1 : 0;
      }
    }
  }

  // The entry of a key; absent as extract_inclusive's.
  MaybeText entry(ItemKey k) const {
    const std::string_view key = kItemKeys[k];
    if (plain_) return extract_inclusive(line_, key, ";");
    if (in_file_order_) {
      return line_.substr(first_[k], ends_[k] + 1 - first_[k]);
    }
    if (first_[k] == std::string_view::npos) return std::nullopt;
    const std::size_t end = line_.find(';', first_[k] + key.size());
    if (end == std::string_view::npos) return std::nullopt;
    return line_.substr(first_[k], end + 1 - first_[k]);
  }

  // The text between the first two double quotes of the entry.
  MaybeText quoted(ItemKey k) const { return quoted_in(entry(k), plain_); }

  // The first `count` integers of the entry, each as nth_number (entry, i)
  // reads it.
  template <std::size_t count>
  std::array<std::int32_t, count> numbers(ItemKey k) const {
    return numbers_in<count>(entry(k), plain_);
  }

  // The first integer of the entry, as nth_number (entry, 1) reads it; 0
  // when the entry is absent. No key holds a digit, so the number is the
  // first run of digits after the key, if the entry's ";" comes after it.
  std::int32_t number(ItemKey k) const {
    if (plain_) return nth_number(entry(k), 1);
    if (in_file_order_) return numbers_[k];
    if (first_[k] == std::string_view::npos) return 0;
    const std::size_t size = line_.size();
    std::size_t i = first_[k] + kItemKeys[k].size();
    while (i < size && line_[i] != ';' && !is_digit(line_[i])) ++i;
    if (i == size || line_[i] == ';') return 0;
    const std::size_t begin = i;
    std::uint32_t value = 0;
    for (; i < size && is_digit(line_[i]); ++i) {
      value = value * 10u + static_cast<std::uint32_t>(line_[i] - '0');
    }
    while (i < size && line_[i] != ';') ++i;
    if (i == size) return 0;
    if (line_[begin - 1] == '-') value = 0u - value;
    return static_cast<std::int32_t>(value);
  }

 private:
  static constexpr auto kKeySizes = [] {
    std::array<std::size_t, kItemKeyCount + 1> sizes{};
    for (std::size_t k = 0; k < kItemKeyCount; ++k) {
      sizes[k] = kItemKeys[k].size();
    }
    return sizes;
  }();

  // The catalogue writes every key once, in the order of kKeysInFileOrder,
  // each entry's value ended by "; ". Where a line is laid out so and no
  // value holds a ":", the only ":" before the last entry's ";" are those of
  // the keys, and as no key ends another, each key first stands in its own
  // place: the entries, and the first number of each, are read in one walk
  // along the line. Every key stands before the line's last ";", and the
  // walk along a value stops at a ";" or a ":", so it never passes that
  // ";" and needs no look at the end of the line. False, with nothing
  // kept, for any other line.
  bool read_in_file_order() {
    const std::string_view line = line_;
    const std::size_t size = line.size();
    const auto fail = [this] {
      first_.fill(std::string_view::npos);
      return false;
    };
    const std::size_t last = line.rfind(';');
    if (last == std::string_view::npos) return fail();
    const char* const begin = line.data();
    const auto kind = [](const char* place) {
      return kValueByte[static_cast<unsigned char>(*place)];
    };
    std::size_t at = 0;
    for (std::size_t i = 0; i < kItemKeyCount; ++i) {
      const std::size_t k = kKeysInFileOrder[i];
      const std::size_t key_end = at + kKeySizes[k];
      if (key_end > last || !key_ends_at(k, key_end)) return fail();
      first_[k] = at;
      // The value: what comes before its first run of digits, the run, the
      // rest up to the ";"; one look at a byte's kind tells them apart.
      const char* place = begin + key_end;
      // Most values are a blank and a whole number: the run starts at once.
      if (*place == ' ' && kind(place + 1) == kDigit) {
        ++place;
      } else {
        while (kind(place) == kOther) ++place;
      }
      const char* const digits = place;
      std::uint32_t value = 0;
      for (; kind(place) == kDigit; ++place) {
        value = value * 10u + static_cast<std::uint32_t>(*place - '0');
      }
      if (place > digits && digits[-1] == '-') value = 0u - value;
      numbers_[k] = static_cast<std::int32_t>(value);
      if (*place != ';') {
        while (kind(place) < kSemicolon) ++place;
        if (kind(place) == kColon) return fail();
      }
      at = static_cast<std::size_t>(place - begin);
      ends_[k] = at;
      if (i + 1 < kItemKeyCount && (size - at < 2 || line[at + 1] != ' ')) {
        return fail();
      }
      at += 2;
    }
    in_file_order_ = true;
    return true;
  }

  // Whether key k stands whole in the line just before `end`: one look at
  // the sixteen bytes before it where the line has them.
  bool key_ends_at(std::size_t k, std::size_t end) const {
    if (end < 16) {
      return std::memcmp(line_.data() + end - kKeySizes[k], kItemKeys[k].data(),
                         kKeySizes[k]) == 0;
    }
    const KeyWords& words = kKeyWords[k];
    const char* const at = line_.data() + end;
    return ((eight_before(at) ^ words.tail) & words.tail_mask) == 0 &&
           ((eight_before(at - 8) ^ words.head) & words.head_mask) == 0;
  }

  std::string_view line_;
  bool plain_;
  // The first occurrence of each key, and a place for no key; set by the
  // constructor where the plain scans do not read the line.
  std::array<std::size_t, kItemKeyCount + 1> first_;
  // The line is laid out as the catalogue writes it, and the first number
  // of each entry is read, with where its ";" stands; set by that walk, and
  // read only after it.
  bool in_file_order_ = false;
  std::array<std::int32_t, kItemKeyCount> numbers_;
  std::array<std::size_t, kItemKeyCount> ends_;
};

std::int32_t field(const ItemLine& line, ItemKey key) {
  return line.number(key);
}

// Sets a field of at most max_length bytes, reusing its storage.
void set_cut(std::string& field, std::string_view text,
             std::size_t max_length) {
  field.assign(text.substr(0, max_length));
}

void parse_item_line(std::string_view text, ItemRecord& row) {
  const ItemLine line(text);
  row.number = field(line, kNumber);
  set_cut(row.name, line.quoted(kName).value_or(""), kNameLength);
  // As nth_decimal (entry, 1, 0.01) reads it: the whole kilograms, then the
  // next run of digits as hundredths.
  const auto weight = line.numbers<2>(kWeight);
  row.weight = weight[0] + weight[1] * 0.01;
  row.strength = field(line, kStrength);
  row.intelligence = field(line, kIntelligence);
  row.dexterity = field(line, kDexterity);
  row.health = field(line, kHealth);
  row.luck = field(line, kLuck);
  row.max_tu = field(line, kMaxTu);
  row.max_ep = field(line, kMaxEp);
  row.max_vp = field(line, kMaxVp);
  row.attack = field(line, kAttack);
  row.armour_class = field(line, kArmourClass);
  row.ea = field(line, kEa);
  row.capacity = field(line, kCapacity);
  row.oklos = field(line, kOklos);
  row.damage = field(line, kDamage);
  row.vp_regeneration = field(line, kVpRegeneration);
  row.min_sz = field(line, kMinSz);
  row.min_fv = field(line, kMinFv);
  row.thaumaturgy = field(line, kThaumaturgy);
  row.theology = field(line, kTheology);
  row.left_hand = field(line, kLeftHand);
  if (row.left_hand != 0) row.hand_mark.assign(1, 'B');
  row.weapon_spell = field(line, kWeaponSpell);
  const auto dice = line.numbers<3>(kDamageDice);
  row.damage_dice = {dice[0], dice[1], dice[2]};
  if (line.entry(kWeaponType)) {
    set_cut(row.weapon_type, line.quoted(kWeaponType).value_or(""),
            kWeaponTypeLength);
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

// A fresh table's rows, made without the default name. The default names
// of items and monsters are longer than a string holds in itself, so a row
// made with one takes a block of the heap only for the catalogue's name to
// replace it; the rows the catalogue leaves out get it after the reading.
template <typename Row>
std::vector<Row> unnamed_rows(int count) {
  Row row;
  std::string().swap(row.name);
  return std::vector<Row>(static_cast<std::size_t>(count), row);
}

template <typename Row>
void name_unlisted(std::vector<Row>& rows, const std::vector<bool>& listed) {
  const Row unlisted;
  for (std::size_t n = 0; n < rows.size(); ++n) {
    if (!listed[n]) rows[n].name = unlisted.name;
  }
}

}  // namespace

ItemRecord::ItemRecord()
    : name("ismeretlen tárgy"_cp), hand_mark("-"), weapon_type("-") {}

ItemCatalogue::ItemCatalogue() = default;

void ItemCatalogue::fill_rows() {
  if (rows_.empty()) rows_.resize(kRows);
}

void ItemCatalogue::load_items(const std::string& path) {
  const bool fresh = rows_.empty();
  if (fresh) rows_ = unnamed_rows<ItemRecord>(kRows);
  std::vector<bool> listed(kRows, !fresh);
  ++writable_lookups_;
  const bool read =
      for_each_catalogue_line(path, [&](std::string_view line, int n) {
        if (n < 0 || n >= kRows) return;
        listed[static_cast<std::size_t>(n)] = true;
        parse_item_line(line, rows_[static_cast<std::size_t>(n)]);
      });
  name_unlisted(rows_, listed);
  say(read ? "\"targyak.txt\" beolvasasa sikerult!\n"
           : "nem talalom a \"targyak.txt\"-t!\n");
}

ItemRecord& ItemCatalogue::item_by_number(int n) {
  ++writable_lookups_;
  if (n < 0 || n >= kRows) {
    spare_ = ItemRecord();
    return spare_;
  }
  fill_rows();
  written_.mark(n, kRows);
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
  ++writable_lookups_;
  fill_rows();
  for (int n = 0; n < kRows; ++n) {
    ItemRecord& row = rows_[static_cast<std::size_t>(n)];
    if (row.name.size() != name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < name.size() && same; ++i) {
      same = fold(row.name[i]) == fold(name[i]);
    }
    if (same) {
      written_.mark(n, kRows);
      return row;
    }
  }
  written_.mark(kRows - 1, kRows);
  return rows_.back();
}

const std::vector<int>& ItemCatalogue::held_rows(bool after_dressing) const {
  if (held_as_of_ != writable_lookups_) {
    held_now_.clear();
    held_after_dressing_.clear();
    for (int n = 0; n < static_cast<int>(rows_.size()); ++n) {
      const ItemRecord& row = rows_[static_cast<std::size_t>(n)];
      if (row.equipped) held_now_.push_back(n);
      if (row.turn_equipped) held_after_dressing_.push_back(n);
    }
    held_as_of_ = writable_lookups_;
  }
  return after_dressing ? held_after_dressing_ : held_now_;
}

MonsterRecord::MonsterRecord() : name("ismeretlen szörny"_cp) {}

MonsterCatalogue::MonsterCatalogue() = default;

void MonsterCatalogue::fill_rows() {
  if (rows_.empty()) rows_.resize(kRows);
}

void MonsterCatalogue::load_monsters(const std::string& path) {
  const bool fresh = rows_.empty();
  if (fresh) rows_ = unnamed_rows<MonsterRecord>(kRows);
  std::vector<bool> listed(kRows, !fresh);
  const bool read =
      for_each_catalogue_line(path, [&](std::string_view line, int n) {
        if (n < 0 || n >= kRows) return;
        listed[static_cast<std::size_t>(n)] = true;
        MonsterRecord& row = rows_[static_cast<std::size_t>(n)];
        row.number = field(line, "sorszam:");
        set_cut(row.name, quoted(line, "neve:").value_or(""), kNameLength);
      });
  name_unlisted(rows_, listed);
  say(read ? "\"szornyek.txt\" beolvasasa sikerult!\n"
           : "nem talalom a \"szornyek.txt\"-t!\n");
}

MonsterRecord& MonsterCatalogue::monster_by_number(int n) {
  if (n < 0 || n >= kRows) {
    spare_ = MonsterRecord();
    return spare_;
  }
  fill_rows();
  written_.mark(n, kRows);
  return rows_[static_cast<std::size_t>(n)];
}

const MonsterRecord& MonsterCatalogue::monster_by_number(int n) const {
  static const MonsterRecord kOutside;
  if (static_cast<std::size_t>(n) >= rows_.size()) return kOutside;
  return rows_[static_cast<std::size_t>(n)];
}

SpellRecord::SpellRecord() : name("ismeretlen"), school("-"), element("-") {}

SpellCatalogue::SpellCatalogue() = default;

void SpellCatalogue::fill_rows() {
  if (rows_.empty()) rows_.resize(kRows);
}

void SpellCatalogue::load_spells(const std::string& damage_path,
                                 const std::string& list_path) {
  fill_rows();
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
      set_cut(row.school, *school, kWordLength);
      set_cut(row.element, *element, kWordLength);
    }
  } else {
    say("nem talalom a \"varazslatok_sebzese.txt\"-t!\n");
  }

  const bool read =
      for_each_catalogue_line(list_path, [&](std::string_view line, int n) {
        if (n < 0 || n >= kRows) return;
        SpellRecord& row = rows_[static_cast<std::size_t>(n)];
        row.number = field(line, "sorszam:");
        set_cut(row.name, quoted(line, "neve:").value_or(""), kNameLength);
        if (const MaybeText school = quoted(line, "tipus1:")) {
          set_cut(row.school, *school, kWordLength);
        }
      });
  say(read ? "\"varazslatok.txt\" beolvasasa sikerult!\n"
           : "nem talalom a \"varazslatok.txt\"-t!\n");
}

SpellRecord& SpellCatalogue::spell_by_number(int n) {
  if (n < 0 || n >= kRows) {
    spare_ = SpellRecord();
    return spare_;
  }
  fill_rows();
  written_.mark(n, kRows);
  return rows_[static_cast<std::size_t>(n)];
}

const SpellRecord& SpellCatalogue::spell_by_number(int n) const {
  static const SpellRecord kOutside;
  if (static_cast<std::size_t>(n) >= rows_.size()) return kOutside;
  return rows_[static_cast<std::size_t>(n)];
}

namespace {

// Row n of `read` put back over the written row; a table never filled reads
// as default rows.
template <typename Row>
void restore_rows(std::vector<Row>& rows, WrittenRows& written,
                  const std::vector<Row>& read) {
  for (const int n : written.numbers()) {
    const auto at = static_cast<std::size_t>(n);
    if (at < read.size()) {
      rows[at] = read[at];  // assigned in place: no row is made
    } else {
      rows[at] = Row();
    }
  }
  written.clear();
}

}  // namespace

void ItemCatalogue::restore_written(const ItemCatalogue& read) {
  restore_rows(rows_, written_, read.rows_);
  // The lists of rows in hand are made again at the next call.
  ++writable_lookups_;
}

void MonsterCatalogue::restore_written(const MonsterCatalogue& read) {
  restore_rows(rows_, written_, read.rows_);
}

void SpellCatalogue::restore_written(const SpellCatalogue& read) {
  restore_rows(rows_, written_, read.rows_);
}

void RunCatalogues::copy_into(MonsterCatalogue& monsters,
                              SpellCatalogue& spells, ItemCatalogue& items) {
  if (!read_) {
    std::string* const outer = console_capture();
    set_console_capture(&lines_);
    read_tables_.monsters.load_monsters();
    read_tables_.spells.load_spells();
    read_tables_.items.load_items();
    set_console_capture(outer);
    read_ = true;
  }
  say(lines_);
  if (given_back_) {
    given_back_->monsters.restore_written(read_tables_.monsters);
    given_back_->spells.restore_written(read_tables_.spells);
    given_back_->items.restore_written(read_tables_.items);
    monsters = std::move(given_back_->monsters);
    spells = std::move(given_back_->spells);
    items = std::move(given_back_->items);
    given_back_.reset();
  } else {
    monsters = read_tables_.monsters;
    spells = read_tables_.spells;
    items = read_tables_.items;
  }
  lent_ = true;
}

void RunCatalogues::give_back(MonsterCatalogue&& monsters,
                              SpellCatalogue&& spells, ItemCatalogue&& items) {
  if (!lent_) return;
  lent_ = false;
  given_back_.emplace(
      Tables{std::move(monsters), std::move(spells), std::move(items)});
}

}  // namespace morvinta
