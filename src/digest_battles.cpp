// The battles of the adventure log: where the next one stands, where it ends,
// what happened in it and the tally line written after it.
#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <vector>

#include "console.h"
#include "cp1250.h"
#include "digest.h"
#include "digest_counting.h"
#include "text_cursor.h"
#include "text_scan.h"
#include "text_scan_plain.h"

namespace morvinta {

namespace {

using digest_counting::add_to;
using digest_counting::magnitude;

constexpr auto npos = std::string_view::npos;

// A remaining report shorter than this holds no battle.
constexpr std::size_t kShortestRemainder = 200;
// The paragraph's first characters, where the non-battle openings are sought.
constexpr std::size_t kOpeningWindow = 49;
// A battle paragraph is cut to this length before its end is sought, and a
// battle-end sentence that ends at or past it does not count.
constexpr std::size_t kLongestBattle = 10000;

constexpr std::string_view kParagraphStart = "<P>";
// The development points sentence: battles stand before it.
constexpr std::string_view kDevelopmentSentence = "pontot költhetsz el."_cp;
// Every paragraph before this sentence is taken for no battle.
constexpr std::string_view kCampingSentence =
    "A táborozás alatt próbáltál minél többet pihenni."_cp;

// The whitespace-tolerant match of a battle-end sentence that ends earliest;
// the length of the text through it.
std::optional<std::size_t> battle_end_length(std::string_view paragraph) {
  if (!plain_scans()) {
    static const LoosePatternSet kBattleEnds(battle_end_messages);
    return kBattleEnds.shortest_through(paragraph, kLongestBattle);
  }
  std::optional<std::size_t> best;
  for (const std::string_view message : battle_end_messages) {
    const MaybeText through = extract_inclusive_loose(paragraph, "", message);
    if (!through || through->size() >= kLongestBattle) continue;
    // Only a strictly earlier end replaces an earlier row.
    if (!best || through->size() < *best) best = through->size();
  }
  return best;
}

bool opens_no_battle(std::string_view window) {
  if (!window.empty() && (window[0] == '\n' || window[0] == '<')) return true;
  if (window.size() > 1 && window[1] == '\n') return true;
  if (plain_scans()) {
    return std::any_of(non_battle_openings.begin(), non_battle_openings.end(),
                       [window](std::string_view phrase) {
                         return window.find(phrase) != npos;
                       });
  }
  // A phrase stands in the window where it starts at one of its places:
  // each place is tried only for the phrases that start with its byte.
  static const auto kByFirstByte = [] {
    std::array<std::vector<std::string_view>, 256> phrases;
    for (const std::string_view phrase : non_battle_openings) {
      phrases[static_cast<unsigned char>(phrase[0])].push_back(phrase);
    }
    return phrases;
  }();
  for (std::size_t at = 0; at < window.size(); ++at) {
    const std::string_view rest = window.substr(at);
    for (const std::string_view phrase :
         kByFirstByte[static_cast<unsigned char>(window[at])]) {
      if (rest.starts_with(phrase)) return true;
    }
  }
  return false;
}

enum class Search { kExact, kTolerant };

// One anchor of a battle: every occurrence adds the last number that stands
// before the next end word.
struct AnchorRow {
  std::string_view anchor;
  Search search;
  std::string_view end_word;
  std::int32_t BattleLog::*field;
  bool absolute;
};

constexpr std::string_view kMindDrainSentences[] = {
    "A szörny agyi energiáidból táplálkozik."_cp,
    "A teremtmény mentális energiádat falja."_cp,
    "A lény elszívja mentális energiáidat!"_cp,
    "A szörny magába szívja csekélyke mentális erődet"_cp,
};

constexpr std::string_view kVpEnd = "varázspont.</SPAN>"_cp;
constexpr std::string_view kLifeEnd = "életpont.</SPAN>"_cp;
constexpr std::string_view kTuEnd = "TU.";
constexpr std::string_view kTvpEnd = "TVP";

constexpr AnchorRow kAnchorRows[] = {
    {"<SPAN CLASS=\"sebez\">", Search::kExact, "</SPAN>",
     &BattleLog::damage_dealt, false},
    {"<SPAN CLASS=\"szenved\">", Search::kExact, "</SPAN>",
     &BattleLog::damage_taken, true},
    {"Vámpirizálsz"_cp, Search::kExact, "életerő</SPAN>"_cp,
     &BattleLog::heal_vampirism, false},
    {"A seb gyógyul"_cp, Search::kTolerant, "ÉP."_cp,
     &BattleLog::stoneskin_absorbed, false},
    {"bőröd védelmez"_cp, Search::kTolerant, "ÉP."_cp,
     &BattleLog::stoneskin_absorbed, false},
    {"Csiklandozó az érintés"_cp, Search::kTolerant, "vp</SPAN>",
     &BattleLog::vp_gain_other, false},
    {"Varázsenergiát kapsz"_cp, Search::kTolerant, "vp</SPAN>",
     &BattleLog::vp_gain_other, false},
    {"Mágikus energia árad beléd"_cp, Search::kTolerant, "vp</SPAN>",
     &BattleLog::vp_gain_other, false},
    {"Energia áramlik beléd"_cp, Search::kTolerant, "vp</SPAN>",
     &BattleLog::vp_gain_other, false},
    {"Bizsergető érzésed van"_cp, Search::kTolerant, "vp</SPAN>",
     &BattleLog::vp_gain_other, false},
    {"Varázsenergiád szökik!"_cp, Search::kTolerant, kVpEnd,
     &BattleLog::vp_drained, false},
    {"A tőled elszívott varázsenergiát saját regenerálására fordítja."_cp,
     Search::kTolerant, kVpEnd, &BattleLog::vp_drained, false},
    {"Varázsenergiát vesztesz."_cp, Search::kTolerant, kVpEnd,
     &BattleLog::vp_drained, false},
    {"lény varázsenergiádat szívja, ezáltal erősítve magát."_cp,
     Search::kTolerant, kVpEnd, &BattleLog::vp_drained, false},
    {"Törpregenerálsz!"_cp, Search::kExact, "életerő."_cp,
     &BattleLog::heal_dwarf_regen, false},
    {kMindDrainSentences[0], Search::kTolerant, kTuEnd, &BattleLog::tu_drained,
     false},
    {kMindDrainSentences[1], Search::kTolerant, kTuEnd, &BattleLog::tu_drained,
     false},
    {kMindDrainSentences[2], Search::kTolerant, kTuEnd, &BattleLog::tu_drained,
     false},
    {kMindDrainSentences[3], Search::kTolerant, kTuEnd, &BattleLog::tu_drained,
     false},
    {"A lény idődet lopja"_cp, Search::kTolerant, kTvpEnd,
     &BattleLog::tvp_drained, false},
    {"Elszenveded a kronoérintést"_cp, Search::kTolerant, kTvpEnd,
     &BattleLog::tvp_drained, false},
    {"Ez kronoérintés volt"_cp, Search::kTolerant, kTvpEnd,
     &BattleLog::tvp_drained, false},
    {"Kronoérintette aurádat"_cp, Search::kTolerant, kTvpEnd,
     &BattleLog::tvp_drained, false},
    {"Egy mikronnyit öregedtél"_cp, Search::kTolerant, kTvpEnd,
     &BattleLog::tvp_drained, false},
    {"Maga az idő szivárog el"_cp, Search::kTolerant, kTvpEnd,
     &BattleLog::tvp_drained, false},
};

constexpr std::size_t kRowCount = std::size(kAnchorRows);

constexpr std::string_view kTransformation = "Transzformálsz!"_cp;
// Life and death touch: the amount stands before the sentence, up to its
// first word.
constexpr std::string_view kTouch = "kí-érintésnek köszönhetően"_cp;
constexpr std::string_view kTouchWord = "kí-érintésnek"_cp;
// Necromancer's kiss: the amount stands before the sentence.
constexpr std::string_view kKiss = "életpontot gyógyultál."_cp;
// Rescued by the geomancers: counted once, whatever the paragraph says.
constexpr std::string_view kGeomancers = "KÖVGEO"_cp;

MaybeText after_anchor(MaybeText text, std::string_view anchor, Search search) {
  return search == Search::kExact ? find_after(text, anchor)
                                  : find_after_loose(text, anchor);
}

// The last number of the text up to and including the first end word; 0 when
// the end word does not follow.
std::int32_t last_number_through(MaybeText text, std::string_view end_word) {
  return nth_number_from_end(extract_inclusive(text, "", end_word), 1);
}

// "Transzformálsz!": whichever of the magic point and the life point amount
// comes first in the rest after it is the gain.
void count_transformation(BattleLog& battle, std::string_view rest) {
  const std::size_t vp_at = rest.find(kVpEnd);
  const std::size_t life_at = rest.find(kLifeEnd);
  if (vp_at != npos && (life_at == npos || vp_at < life_at)) {
    add_to(battle.vp_gain_transform, last_number_through(rest, kVpEnd));
  } else if (life_at != npos) {
    add_to(battle.heal_transform, last_number_through(rest, kLifeEnd));
  }
}

// Psi points drained, in the rest after a mind drain sentence up to the next
// "</SPAN>": the game writes "pszi pont" with one blank or two.
void count_psi_drain(BattleLog& battle, std::string_view rest) {
  const MaybeText span = extract_inclusive(rest, "", "</SPAN>");
  for (const std::string_view unit : {"pszi pont", "pszi  pont"}) {
    if (find_after(span, unit)) {
      add_to(battle.psi_drained, last_number_through(rest, unit));
    }
  }
}

bool is_mind_drain(std::string_view anchor) {
  return std::find(std::begin(kMindDrainSentences),
                   std::end(kMindDrainSentences),
                   anchor) != std::end(kMindDrainSentences);
}

// Each anchor sought over the whole paragraph by itself, occurrence after
// occurrence.
void count_anchors_one_by_one(BattleLog& battle, std::string_view paragraph) {
  for (const AnchorRow& row : kAnchorRows) {
    MaybeText rest = paragraph;
    while ((rest = after_anchor(rest, row.anchor, row.search))) {
      const std::int32_t value = last_number_through(rest, row.end_word);
      add_to(battle.*row.field, row.absolute ? magnitude(value) : value);
    }
  }
  MaybeText rest = paragraph;
  while ((rest = find_after(rest, kTransformation))) {
    count_transformation(battle, *rest);
  }
  rest = paragraph;
  while (const MaybeText after = find_after_loose(rest, kTouch)) {
    add_to(battle.heal_life_death_touch, last_number_through(rest, kTouchWord));
    rest = after;
  }
  rest = paragraph;
  while (const MaybeText after = find_after_loose(rest, kKiss)) {
    add_to(battle.heal_necro_kiss,
           nth_number_from_end(extract_inclusive_loose(rest, "", kKiss), 1));
    rest = after;
  }
  for (const std::string_view sentence : kMindDrainSentences) {
    rest = paragraph;
    while ((rest = find_after_loose(rest, sentence))) {
      count_psi_drain(battle, *rest);
    }
  }
  add_to(battle.tvp_drained, last_number_through(paragraph, kGeomancers));
}

// The anchors of the one scan: the rows' first, then the others.
constexpr std::size_t kAnchorCount = kRowCount + 4;
constexpr std::size_t kTransformationAnchor = kRowCount;
constexpr std::size_t kTouchAnchor = kRowCount + 1;
constexpr std::size_t kKissAnchor = kRowCount + 2;
constexpr std::size_t kGeomancersAnchor = kRowCount + 3;

struct AnchorSet {
  std::array<std::string_view, kAnchorCount> patterns;
  std::array<bool, kAnchorCount> exact;
};

constexpr AnchorSet kAnchorSet = [] {
  AnchorSet set{};
  for (std::size_t i = 0; i < kRowCount; ++i) {
    set.patterns[i] = kAnchorRows[i].anchor;
    set.exact[i] = kAnchorRows[i].search == Search::kExact;
  }
  set.patterns[kTransformationAnchor] = kTransformation;
  set.exact[kTransformationAnchor] = true;
  set.patterns[kTouchAnchor] = kTouch;
  set.patterns[kKissAnchor] = kKiss;
  set.patterns[kGeomancersAnchor] = kGeomancers;
  set.exact[kGeomancersAnchor] = true;
  return set;
}();

// The last number of the rest up to and including the first end word; 0
// when the end word does not follow. As `last_number_through`, for a rest
// that is seldom long before its end word.
std::int32_t last_number_before(std::string_view rest,
                                std::string_view end_word) {
  const std::size_t at = rest.find(end_word);
  if (at == npos) return 0;
  return LastNumber(rest).between(0, at + end_word.size());
}

// Every anchor's occurrences found in one scan of the paragraph, each
// counted as its own search would count it.
void count_anchors_in_one_scan(BattleLog& battle, std::string_view paragraph) {
  static const LoosePatternSet kAnchors(kAnchorSet.patterns, kAnchorSet.exact);
  static const std::array<bool, kRowCount> kMindDrain = [] {
    std::array<bool, kRowCount> drains{};
    for (std::size_t i = 0; i < kRowCount; ++i) {
      drains[i] = is_mind_drain(kAnchorRows[i].anchor);
    }
    return drains;
  }();
  // Kept from battle to battle for its room alone.
  thread_local std::vector<LoosePatternSet::Match> matches;
  kAnchors.all_matches(paragraph, matches);
  // Where the anchor's search went on from: the paragraph's start, then
  // the end of its last occurrence.
  std::size_t searched_from = 0;
  for (std::size_t m = 0; m < matches.size(); ++m) {
    const auto [anchor, end] = matches[m];
    if (m > 0 && matches[m - 1].pattern != anchor) searched_from = 0;
    const std::string_view rest = paragraph.substr(end);
    if (anchor < kRowCount) {
      const AnchorRow& row = kAnchorRows[anchor];
      const std::int32_t value = last_number_before(rest, row.end_word);
      add_to(battle.*row.field, row.absolute ? magnitude(value) : value);
      if (kMindDrain[anchor]) count_psi_drain(battle, rest);
    } else if (anchor == kTransformationAnchor) {
      count_transformation(battle, rest);
    } else if (anchor == kTouchAnchor) {
      add_to(battle.heal_life_death_touch,
             last_number_through(paragraph.substr(searched_from), kTouchWord));
    } else if (anchor == kKissAnchor) {
      add_to(battle.heal_necro_kiss,
             nth_number_from_end(
                 paragraph.substr(searched_from, end - searched_from), 1));
    } else if (anchor == kGeomancersAnchor && searched_from == 0) {
      add_to(battle.tvp_drained,
             nth_number_from_end(paragraph.substr(0, end), 1));
    }
    searched_from = end;
  }
}

}  // namespace

std::string parse_battle(BattleLog& battle, std::string_view paragraph) {
  battle.clear();
  if (plain_scans()) {
    count_anchors_one_by_one(battle, paragraph);
  } else {
    count_anchors_in_one_scan(battle, paragraph);
  }
  return battle_line(battle);
}

std::string battle_line(const BattleLog& battle) {
  std::string line = " ";
  if (battle.damage_dealt == 0 && battle.damage_taken == 0) return line;
  // Each figure as "%d" writes it, with the words around it.
  const auto append = [&line](std::string_view before, std::int32_t value,
                              std::string_view after) {
    line += before;
    append_number(line, value);
    line += after;
  };
  line.reserve(128);  // room for the usual few figures
  line += "<SPAN CLASS=\"plusminus\">";
  append("[", battle.damage_dealt, " : ");
  append("", battle.damage_taken, "] ");

  struct Item {
    std::int32_t BattleLog::*field;
    std::string_view before;
    std::string_view after;
  };
  static constexpr Item kItems[] = {
      {&BattleLog::heal_vampirism, "(vámpirizáció: +"_cp, " ép) "_cp},
      {&BattleLog::heal_necro_kiss, "(nekromanta csókja: +"_cp, " ép) "_cp},
      {&BattleLog::stoneskin_absorbed, "(kőbőr: +"_cp, " ép) "_cp},
      {&BattleLog::heal_transform, "(trafó: +"_cp, " ép) "_cp},
      {&BattleLog::heal_life_death_touch, "(Élet-Halál érintés: +"_cp,
       " ép) "_cp},
      {&BattleLog::vp_gain_transform, "(trafó: +"_cp, " vp) "},
      {&BattleLog::vp_gain_other, "(+", " vp) "},
      {&BattleLog::vp_drained, "(", " vp) "},
      {&BattleLog::psi_drained, "(", " pp) "},
      {&BattleLog::tu_drained, "(", " TU) "},
      {&BattleLog::tvp_drained, "(", " TVP) "},
  };
  for (const Item& item : kItems) {
    const std::int32_t value = battle.*item.field;
    if (value != 0) append(item.before, value, item.after);
  }
  line += "</SPAN>";
  return line;
}

std::optional<BattleSpan> next_battle_span(std::string_view remaining) {
  return BattleFinder(remaining).next(remaining);
}

BattleFinder::BattleFinder(std::string_view text) : text_(text) {
  // The sentence's first word, "pontot", cannot overlap itself, so every
  // occurrence is tried by a search from any place: the sentence stands at
  // or after a place exactly when its last match does.
  for (std::size_t from = 0;;) {
    const MaybeText match = find_loose(text.substr(from), kDevelopmentSentence);
    if (!match) break;
    last_development_ = text.size() - match->size();
    if (!next_development_) next_development_ = last_development_;
    from = *last_development_ + 1;
  }
  // The last camping sentence: the fast search from the front, the sentence
  // being rare, rather than a byte-by-byte one from the back.
  for (std::size_t at = find_first(text, kCampingSentence); at != npos;
       at = find_first(text, kCampingSentence, at + 1)) {
    last_camping_ = at;
  }
}

std::optional<std::size_t> BattleFinder::first_development_at_or_after(
    std::size_t from) {
  if (next_development_ && *next_development_ < from) {
    const MaybeText match =
        find_loose(text_.substr(from), kDevelopmentSentence);
    next_development_ =
        match ? std::optional<std::size_t>(text_.size() - match->size())
              : std::nullopt;
  }
  return next_development_;
}

std::optional<BattleSpan> BattleFinder::next(std::string_view remaining) {
  if (remaining.size() < kShortestRemainder) return std::nullopt;
  // Where the remaining text starts in the whole text.
  const std::size_t offset = text_.size() - remaining.size();
  const std::size_t first_paragraph = find_first(remaining, kParagraphStart);
  const auto development = first_development_at_or_after(offset);
  if (first_paragraph == npos || !development ||
      *development - offset < first_paragraph) {
    return std::nullopt;
  }

  // The first paragraph is the one just found; each later one is sought
  // from the last one's start on.
  std::size_t paragraph = first_paragraph;
  for (;;) {
    if (paragraph == npos) return std::nullopt;
    const std::size_t start = paragraph + kParagraphStart.size();
    if (!last_development_ || *last_development_ < offset + start) {
      return std::nullopt;
    }
    const std::string_view rest = remaining.substr(start);
    // For the camping sentence the whole rest of the report is searched,
    // not the paragraph alone.
    if (opens_no_battle(rest.substr(0, kOpeningWindow)) ||
        (last_camping_ && *last_camping_ >= offset + start)) {
      paragraph = find_first(remaining, kParagraphStart, start);
      continue;
    }

    const std::string_view battle = rest.substr(0, kLongestBattle);
    return BattleSpan{start, battle_end_length(battle).value_or(battle.size())};
  }
}

std::optional<std::string> find_next_battle(std::string_view remaining) {
  const auto span = next_battle_span(remaining);
  if (!span) return std::nullopt;
  return std::string(remaining.substr(span->start, span->length));
}

void cut_at_battle_end(std::string& paragraph) {
  if (const auto length = battle_end_length(paragraph)) {
    paragraph.resize(*length);
  }
}

}  // namespace morvinta
