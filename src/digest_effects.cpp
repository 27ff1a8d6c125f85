// The turn's effects that are not tied to a battle: items that heal or hurt,
// magic point regeneration, hunger, withering and ageing.
#include <span>

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

constexpr std::string_view kDeritSentences[] = {
    "a derit sodronynadrág láncszemei"_cp,
    "a derit sodronynadrág néhány"_cp,
};

constexpr std::string_view kAgeingSentences[] = {"Öregedtél"_cp};

// For every occurrence of each anchor, the first number after it, added or
// subtracted; an "o" for each.
void count_number_after(std::string_view text,
                        std::span<const std::string_view> anchors,
                        std::int32_t& counter, Sign sign) {
  for (const std::string_view anchor : anchors) {
    FirstNumber number(text);
    MaybeText rest = text;
    while ((rest = find_after(rest, anchor))) {
      const std::int32_t value = number.from(text.size() - rest->size());
      if (sign == Sign::kAdd) {
        add_to(counter, value);
      } else {
        subtract_from(counter, value);
      }
      say("o");
    }
  }
}

}  // namespace

void BattleLog::scan_effects(std::string_view text,
                             std::uint32_t effect_flags) {
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
    MaybeText rest = text;
    while ((rest = find_after(rest, "Kapsz"))) {
      const std::string_view window = rest->substr(0, kRegenerationWindow);
      if (window.find("VP-t.]</SPAN>") != std::string_view::npos) {
        add_to(vp_gain_other, nth_number(window, 1));
        say("o");
      }
    }
    say("\n");
  }

  if (effect_flags & kEffectGoldBox) {
    say("aranytermo ladiko: ");
    MaybeText rest = text;
    while ((rest = find_after(rest, "-2 ÉP]</SPAN>"_cp))) {
      add_to(damage_gold_box, 2);
      say("o");
    }
    // Opening the box: the damage is the first number after the gold.
    rest = text;
    NextOccurrence gold(text, "arany,");
    FirstNumber number(text);
    while ((rest = find_after(rest, "h 504"))) {
      const auto at = gold.at_or_after(text.size() - rest->size());
      add_to(damage_gold_box, at ? number.from(*at + 6) : 0);
      say("o");
    }
    say("\n");
  }

  if (effect_flags & kEffectDeritTrousers) {
    say("derit sodronynadrag: ");
    count_number_after(text, kDeritSentences, damage_derit_trousers,
                       Sign::kSubtract);
    say("\n");
  }

  if (effect_flags & kEffectStarvation) {
    say("ehezes: ");
    count_number_after(text, kStarvationSentences, loss_starvation,
                       Sign::kSubtract);
    say("\n");
  }

  if (effect_flags & kEffectWithering) {
    say("sorvasztas: ");
    count_number_after(text, kWitheringSentences, loss_withering,
                       Sign::kSubtract);
    say("\n");
  }

  say("oregedes: ");
  count_number_after(text, kAgeingSentences, years_aged, Sign::kAdd);
  say("\n");
}

}  // namespace morvinta
