// The adventure digest: what happened to the character this turn. The turn
// summary stamps the report with the tool's marker comment, finds the battles
// of the adventure log and writes a one-line tally after each, counts the
// effects that are not tied to a battle (items that heal or hurt, magic point
// regeneration, hunger, withering, ageing), cuts the page after the
// publisher's footer, closes it with the credit lines and puts the
// "EBBEN A FORDULÓBAN..." table of the turn's totals into the character block.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvinta {

// Bits of `effect_flags`: the effect sources that the turn's scan looks for.
// Ageing is always looked for.
inline constexpr std::uint32_t kEffectMorganSplinter = 1;  // item #508
inline constexpr std::uint32_t kEffectMihlanilArmour = 2;  // #596, #602-#604
inline constexpr std::uint32_t kEffectVpRegeneration = 4;  // "vp regeneráció"
inline constexpr std::uint32_t kEffectGoldBox = 8;         // item #504
inline constexpr std::uint32_t kEffectDeritTrousers = 16;  // item #1119
inline constexpr std::uint32_t kEffectStarvation = 32;     // hunger sentence
inline constexpr std::uint32_t kEffectWithering = 64;      // withering sentence

// Signed counters of one battle or of the whole turn. Sums wrap modulo 2^32
// instead of overflowing, whatever numbers a report holds.
class BattleLog {
 public:
  // Sets every counter to 0.
  void clear();
  // Adds the other record's counters to these, field by field.
  void add(const BattleLog& other);

  // Adds the turn's item, regeneration, hunger, withering and ageing effects
  // found in the report text to the counters; only the sources whose bit is
  // set in effect_flags are scanned, ageing always, and hunger and withering
  // also wherever the text holds one of their sentences. Prints one line per
  // source scanned, with an "o" for every effect counted.
  void scan_effects(std::string_view text, std::uint32_t effect_flags);

  // Rewrites the report text into the tool's page: marker comment, a tally
  // after every battle, the page cut after the publisher's footer, the credit
  // lines and the turn totals table; the turn's counts are added to this
  // record. Prints its progress. Returns the number of battles tallied; a
  // text that already holds the marker, or that has no footer line, is left
  // as it is, with 0.
  std::int32_t summarize_turn(std::string& text, std::uint32_t effect_flags);

  bool operator==(const BattleLog&) const = default;

  std::int32_t damage_dealt = 0;
  std::int32_t damage_taken = 0;  // counted positive
  std::int32_t vp_gain_other = 0;
  std::int32_t vp_gain_transform = 0;
  std::int32_t heal_transform = 0;
  std::int32_t vp_drained = 0;  // drains: signed sums of what the text says
  std::int32_t psi_drained = 0;
  std::int32_t tu_drained = 0;
  std::int32_t tvp_drained = 0;
  std::int32_t heal_vampirism = 0;
  std::int32_t heal_necro_kiss = 0;
  std::int32_t heal_mihlanil = 0;
  std::int32_t heal_dwarf_regen = 0;
  std::int32_t heal_morgan = 0;
  std::int32_t stoneskin_absorbed = 0;
  std::int32_t years_aged = 0;
  std::int32_t heal_life_death_touch = 0;
  std::int32_t damage_gold_box = 0;
  std::int32_t damage_derit_trousers = 0;
  std::int32_t loss_starvation = 0;
  std::int32_t loss_withering = 0;
};

// Sets the record to the counts of one battle paragraph and returns its
// `battle_line`.
std::string parse_battle(BattleLog& battle, std::string_view paragraph);

// The tally written after a battle: a single blank when no damage was dealt
// or taken, otherwise the blank and a "plusminus" span with the damage and
// every other counter of the battle that is not 0.
std::string battle_line(const BattleLog& battle);

// Where the next battle paragraph stands in the remaining report text: it
// starts just past a "<P>" and ends after its battle-end sentence (or at the
// 10,000-character cut).
struct BattleSpan {
  std::size_t start = 0;
  std::size_t length = 0;
};

// The next battle paragraph of the remaining report text; absent when no
// paragraph before the development points sentence is taken for a battle.
std::optional<BattleSpan> next_battle_span(std::string_view remaining);

// The battles of one report text one after the other, each search going on
// where the last battle ended. Where the development points and camping
// sentences stand is worked out once for the whole text, so a report of any
// number of paragraphs is searched in time linear in its size.
class BattleFinder {
 public:
  explicit BattleFinder(std::string_view text);

  // As `next_battle_span`; the remaining text is an end piece of the text
  // the finder was made for, each one shorter than the one before.
  std::optional<BattleSpan> next(std::string_view remaining);

 private:
  // Places in the whole text; absent when the sentence does not occur.
  std::optional<std::size_t> first_development_at_or_after(std::size_t from);

  std::string_view text_;
  std::optional<std::size_t> next_development_;
  std::optional<std::size_t> last_development_;
  std::optional<std::size_t> last_camping_;
};

// The text of the next battle paragraph (see `next_battle_span`).
std::optional<std::string> find_next_battle(std::string_view remaining);

// Cuts the paragraph after the earliest battle-end sentence it holds (the
// earlier table row on a tie); unchanged when it holds none.
void cut_at_battle_end(std::string& paragraph);

// The tool's credit lines, appended after the publisher's footer.
std::string credit_block();

// The "EBBEN A FORDULÓBAN..." table for the turn's counters.
std::string turn_totals_block(const BattleLog& totals);

// The game's hunger and withering sentences: a report that holds one of them
// has its hunger or withering scanned (`BattleLog::scan_effects`).
extern const std::array<std::string_view, 6> kStarvationSentences;
extern const std::array<std::string_view, 4> kWitheringSentences;

// Phrases that mark a paragraph as no battle when they stand in its first
// 49 characters; the line feed among them stands for any line break there.
extern const std::array<std::string_view, 28> non_battle_openings;

// The sentences that end a battle, in the order that decides ties. Some end
// in a blank or hold two blanks in a row: those blanks belong to them.
extern const std::array<std::string_view, 84> battle_end_messages;

}  // namespace morvinta
