// The turn's effects that are not tied to a battle: items that heal or hurt,
// magic point regeneration, hunger, withering and ageing.
#include <algorithm>
#include <array>
#include <vector>

#include "console.h"
#include "cp1250.h"
#include "digest.h"
#include "digest_counting.h"
#include "text_cursor.h"
#include "text_scan.h"

namespace morvinta {

namespace {

using digest_counting::add_to;
using digest_counting::subtract_from;

// How far after "Kapsz" the regeneration sentence must end.
constexpr std::size_t kRegenerationWindow = 49;

enum class Sign { kAdd, kSubtract };

constexpr std::string_view kRegenerationAnchor = "Kapsz";
constexpr std::string_view kGoldBoxHurts = "-2 ÉP]</SPAN>"_cp;
constexpr std::string_view kGoldBoxOpened = "h 504";

// The exact anchors of the effects, all sought in one scan of the report:
// the regeneration and gold box anchors, then the sentences of the sources
// counted by the number after them, each source's in a row.
constexpr std::size_t kRegenerationAt = 0;
constexpr std::size_t kGoldBoxHurtsAt = 1;
constexpr std::size_t kGoldBoxOpenedAt = 2;
constexpr std::size_t kDeritFirst = 3;
constexpr std::size_t kStarvationFirst = kDeritFirst + 2;
constexpr std::size_t kWitheringFirst =
    kStarvationFirst + kStarvationSentences.size();
constexpr std::size_t kAgeingFirst =
    kWitheringFirst + kWitheringSentences.size();
constexpr std::size_t kExactAnchorCount = kAgeingFirst + 1;

std::array<std::string_view, kExactAnchorCount> exact_anchors() {
  std::array<std::string_view, kExactAnchorCount> anchors{};
  anchors[kRegenerationAt] = kRegenerationAnchor;
  anchors[kGoldBoxHurtsAt] = kGoldBoxHurts;
  anchors[kGoldBoxOpenedAt] = kGoldBoxOpened;
  anchors[kDeritFirst] = "a derit sodronynadrág láncszemei"_cp;
  anchors[kDeritFirst + 1] = "a derit sodronynadrág néhány"_cp;
  std::copy(kStarvationSentences.begin(), kStarvationSentences.end(),
            anchors.begin() + kStarvationFirst);
  std::copy(kWitheringSentences.begin(), kWitheringSentences.end(),
            anchors.begin() + kWitheringFirst);
  anchors[kAgeingFirst] = "Öregedtél"_cp;
  return anchors;
}

// Where each exact anchor occurs in the report, found in one scan.
class ExactAnchors {
 public:
  explicit ExactAnchors(std::string_view text) {
    static const std::array<std::string_view, kExactAnchorCount> kAnchors =
        exact_anchors();
    static const ExactPatternSet kSet(kAnchors);
    kSet.all_matches(text, matches_);
  }

  // Whether any of the count anchors from first occurs.
  bool any(std::size_t first, std::size_t count) const {
    const auto match = std::partition_point(
        matches_.begin(), matches_.end(),
        [first](const auto& m) { return m.pattern < first; });
    return match != matches_.end() && match->pattern < first + count;
  }

  // The ends of the anchor's occurrences, in the order of the text.
  template <typename Visit>
  void each_end(std::size_t anchor, Visit&& visit) const {
    // The matches stand by anchor, then by place.
    auto match = std::partition_point(
        matches_.begin(), matches_.end(),
        [anchor](const auto& m) { return m.pattern < anchor; });
    for (; match != matches_.end() && match->pattern == anchor; ++match) {
      visit(match->end);
    }
  }

 private:
  std::vector<LoosePatternSet::Match> matches_;
};

// For every occurrence of each of the count anchors from first, the first
// number after it, added or subtracted; an "o" for each.
void count_number_after(std::string_view text, const ExactAnchors& anchors,
                        std::size_t first, std::size_t count,
                        std::int32_t& counter, Sign sign) {
  for (std::size_t anchor = first; anchor < first + count; ++anchor) {
    FirstNumber number(text);
    anchors.each_end(anchor, [&](std::size_t end) {
      const std::int32_t value = number.from(end);
      if (sign == Sign::kAdd) {
        add_to(counter, value);
      } else {
        subtract_from(counter, value);
      }
      say("o");
    });
  }
}

}  // namespace

void BattleLog::scan_effects(std::string_view text,
                             std::uint32_t effect_flags) {
  const ExactAnchors anchors(text);
  // A hunger or withering sentence anywhere in the text turns its count on:
  // the scan has found them all already.
  if (anchors.any(kStarvationFirst, kStarvationSentences.size())) {
    effect_flags |= kEffectStarvation;
  }
  if (anchors.any(kWitheringFirst, kWitheringSentences.size())) {
    effect_flags |= kEffectWithering;
  }
  if (effect_flags & kEffectMorganSplinter) {
    say("morgan szilank: ");
    for (const std::string_view anchor :
         {"Gyógyulsz (<SPAN CLASS=\"plusminus\">+"_cp,
          "Morgan szilánkja gyógyít"_cp, "A szilánk működik"_cp}) {
      // The last number up to the next "</SPAN>"; a text without blanks
      // matches loosely where it matches exactly.
      NextOccurrence span_end(text, "</SPAN>");
      LastNumber number(text);
      MaybeText rest = text;
      while ((rest = find_after_loose(rest, anchor))) {
        const std::size_t from = text.size() - rest->size();
        if (const auto end = span_end.at_or_after(from)) {
          add_to(heal_morgan, number.between(from, *end + 7));
        }
        say("o");
      }
    }
    say("\n");
  }

  if (effect_flags & kEffectMihlanilArmour) {
    say("mihlanil pancel: ");
    // The trailing blank belongs to the sentence.
    const std::string_view anchor = "A mihlanil páncélzat felizzik "_cp;
    FirstNumber number(text);
    MaybeText rest = text;
    while (const MaybeText from = find_loose(rest, anchor)) {
      add_to(heal_mihlanil, number.from(text.size() - from->size()));
      say("o");
      rest = find_after_loose(rest, anchor);
    }
    say("\n");
  }

  if (effect_flags & kEffectVpRegeneration) {
    say("vp regeneracio: ");
    anchors.each_end(kRegenerationAt, [&](std::size_t end) {
      const std::string_view window = text.substr(end, kRegenerationWindow);
      if (window.find("VP-t.]</SPAN>") != std::string_view::npos) {
        add_to(vp_gain_other, nth_number(window, 1));
        say("o");
      }
    });
    say("\n");
  }

  if (effect_flags & kEffectGoldBox) {
    say("aranytermo ladiko: ");
    anchors.each_end(kGoldBoxHurtsAt, [&](std::size_t) {
      add_to(damage_gold_box, 2);
      say("o");
    });
    // Opening the box: the damage is the first number after the gold.
    NextOccurrence gold(text, "arany,");
    FirstNumber number(text);
    anchors.each_end(kGoldBoxOpenedAt, [&](std::size_t end) {
      const auto at = gold.at_or_after(end);
      add_to(damage_gold_box, at ? number.from(*at + 6) : 0);
      say("o");
    });
    say("\n");
  }

  if (effect_flags & kEffectDeritTrousers) {
    say("derit sodronynadrag: ");
    count_number_after(text, anchors, kDeritFirst, 2, damage_derit_trousers,
                       Sign::kSubtract);
    say("\n");
  }

  if (effect_flags & kEffectStarvation) {
    say("ehezes: ");
    count_number_after(text, anchors, kStarvationFirst,
                       kStarvationSentences.size(), loss_starvation,
                       Sign::kSubtract);
    say("\n");
  }

  if (effect_flags & kEffectWithering) {
    say("sorvasztas: ");
    count_number_after(text, anchors, kWitheringFirst,
                       kWitheringSentences.size(), loss_withering,
                       Sign::kSubtract);
    say("\n");
  }

  say("oregedes: ");
  count_number_after(text, anchors, kAgeingFirst, 1, years_aged, Sign::kAdd);
  say("\n");
}

}  // namespace morvinta
