// The turn summary: the tool's page made from the report, its credit lines
// and the table of the turn's totals.
#include "digest.h"

#include <span>
#include <utility>

#include "addresses.h"
#include "console.h"
#include "cp1250.h"
#include "digest_counting.h"
#include "text_scan.h"
#include "turn_report.h"

namespace morvinta {

namespace {

using digest_counting::add_to;

constexpr std::int32_t BattleLog::*kCounters[] = {
    &BattleLog::damage_dealt,          &BattleLog::damage_taken,
    &BattleLog::vp_gain_other,         &BattleLog::vp_gain_transform,
    &BattleLog::heal_transform,        &BattleLog::vp_drained,
    &BattleLog::psi_drained,           &BattleLog::tu_drained,
    &BattleLog::tvp_drained,           &BattleLog::heal_vampirism,
    &BattleLog::heal_necro_kiss,       &BattleLog::heal_mihlanil,
    &BattleLog::heal_dwarf_regen,      &BattleLog::heal_morgan,
    &BattleLog::stoneskin_absorbed,    &BattleLog::years_aged,
    &BattleLog::heal_life_death_touch, &BattleLog::damage_gold_box,
    &BattleLog::damage_derit_trousers, &BattleLog::loss_starvation,
    &BattleLog::loss_withering,
};
static_assert(sizeof(BattleLog) == std::size(kCounters) * sizeof(std::int32_t),
              "every counter is listed");

// Where the totals table goes: after the development points sentence.
constexpr std::string_view kTotalsPlace = "pontot költhetsz el."_cp;

// One part of a sentence that lists several sources, written when its
// counter is not 0.
struct SourceItem {
  std::int32_t BattleLog::*field;
  const char* format;
};

constexpr SourceItem kHealingItems[] = {
    {&BattleLog::heal_vampirism,
     "vámpirizációval <SPAN CLASS=\"plusminus\">%d</SPAN> ép-t "_cp.data()},
    {&BattleLog::heal_necro_kiss,
     "nekromanta csókjával <SPAN CLASS=\"plusminus\">%d</SPAN> ép-t "_cp
         .data()},
    {&BattleLog::heal_transform,
     "trafóval <SPAN CLASS=\"plusminus\">%d</SPAN> ép-t "_cp.data()},
    {&BattleLog::heal_dwarf_regen,
     "törpregenerációval <SPAN CLASS=\"plusminus\">%d</SPAN> ép-t "_cp.data()},
    {&BattleLog::heal_morgan,
     "morgan szilánkkal <SPAN CLASS=\"plusminus\">%d</SPAN> ép-t "_cp.data()},
    {&BattleLog::heal_mihlanil,
     "mihlanil páncéllal <SPAN CLASS=\"plusminus\">%d</SPAN> ép-t "_cp.data()},
};

constexpr SourceItem kMagicGainItems[] = {
    {&BattleLog::vp_gain_transform,
     "trafóval <SPAN CLASS=\"plusminus\">%d</SPAN> vp-t "_cp.data()},
    {&BattleLog::vp_gain_other,
     "egyéb módon <SPAN CLASS=\"plusminus\">%d</SPAN> vp-t "_cp.data()},
};

constexpr SourceItem kDamageItems[] = {
    {&BattleLog::damage_gold_box,
     "<SPAN CLASS=\"szenved\">%d</SPAN> életpontot sebeződtél az aranytermő "
     "ládikától.<br>"_cp.data()},
    {&BattleLog::damage_derit_trousers,
     "<SPAN CLASS=\"szenved\">%d</SPAN> életpontot sebeződtél a derit "
     "sodronynadrágtól.<br>"_cp.data()},
    {&BattleLog::loss_starvation,
     "<SPAN CLASS=\"szenved\">%d</SPAN> életpontot vesztettél "
     "éhezéstől.<br>"_cp.data()},
    {&BattleLog::loss_withering,
     "<SPAN CLASS=\"szenved\">%d</SPAN> életpontot vesztettél "
     "sorvasztástól.<br>"_cp.data()},
};

// Drains are shown by their size; the text gives them negative.
constexpr SourceItem kDrainItems[] = {
    {&BattleLog::psi_drained,
     "szörnyek <SPAN CLASS=\"plusminus\">%lld</SPAN> pp-t szívtak el.<br>"_cp
         .data()},
    {&BattleLog::tu_drained,
     "szörnyek <SPAN CLASS=\"plusminus\">%lld</SPAN> TU-t szívtak el.<br>"_cp
         .data()},
    {&BattleLog::tvp_drained,
     "szörnyek <SPAN CLASS=\"plusminus\">%lld</SPAN> TVP-t szívtak el.<br>"_cp
         .data()},
};

// The size of a counter, exact even for the lowest 32-bit value.
long long size_of(std::int32_t value) {
  return value < 0 ? -static_cast<long long>(value) : value;
}

// Appends the items whose counter is not 0 and the sentence end once when
// any was written. Returns the signed sum of the counters, exact.
long long append_sentence(std::string& block, const BattleLog& totals,
                          std::span<const SourceItem> items,
                          std::string_view sentence_end) {
  long long sum = 0;
  bool written = false;
  for (const SourceItem& item : items) {
    const std::int32_t value = totals.*item.field;
    sum += value;
    if (value == 0) continue;
    block += formatted(item.format, value);
    written = true;
  }
  if (written) block += sentence_end;
  return sum;
}

}  // namespace

void BattleLog::clear() { *this = BattleLog{}; }

void BattleLog::add(const BattleLog& other) {
  for (const auto counter : kCounters) add_to(this->*counter, other.*counter);
}

std::string credit_block() {
  std::string block;  // the first piece is empty
  block += kContactAddress;
  block += ">";
  block += kContactAddress;
  block += "</a><br>a progit <a href=";
  block += kDownloadAddress;
  block += ">innen</a> töltheted le,<br>de megtalálható a <a href="_cp;
  block += kEncyclopediaHost;
  block += "/webhyper/";
  block += ">Web Hyper</a>-en is, a letöltések alatt.</small>"_cp;
  return block;
}

std::string turn_totals_block(const BattleLog& totals) {
  std::string block = "</B> ";
  block +=
      "<br><br><P><TABLE WIDTH=100% CELLPADDING=1 CELLSPACING=0 BORDER=0 "
      "CLASS=\"t0\"><TR><TD><TABLE WIDTH=100% CELLPADDING=2 CELLSPACING=0 "
      "BORDER=0 CLASS=\"t1\"><TR><TD CLASS=\"c1\">EBBEN A "
      "FORDULÓBAN...</td></tr><tr><td class=\"t1\">"_cp;
  block += formatted(
      "<SPAN CLASS=\"sebez\">%d</SPAN> életpontot sebeztél a "
      "szörnyekbe.<br>"_cp.data(),
      totals.damage_dealt);
  block += formatted(
      "<SPAN CLASS=\"szenved\">%d</SPAN> életpontot sebeződtél a "
      "szörnyektől.<br>"_cp.data(),
      totals.damage_taken);
  for (const SourceItem& item : kDamageItems) {
    const std::int32_t value = totals.*item.field;
    if (value != 0) block += formatted(item.format, value);
  }

  // The healing sources stand on one line as one sentence.
  const long long healed =
      append_sentence(block, totals, kHealingItems, "gyógyultál.<br>"_cp);
  if (totals.stoneskin_absorbed != 0) {
    block += formatted(
        "a kőbőr <SPAN CLASS=\"plusminus\">%d</SPAN> ép-nyi sebződést fogott "
        "fel.<br>"_cp.data(),
        totals.stoneskin_absorbed);
  }
  if (totals.heal_life_death_touch != 0) {
    block += formatted(
        "Élet-Halál érintéssel <SPAN CLASS=\"plusminus\">%d</SPAN> ép-t "
        "nyertél vissza.<br>"_cp.data(),
        totals.heal_life_death_touch);
  }
  const long long life_total =
      healed + static_cast<long long>(totals.stoneskin_absorbed) +
      totals.heal_life_death_touch;
  if (life_total != 0) {
    block += formatted(
        "összesen: <SPAN CLASS=\"plusminus\">%lld</SPAN> ép.<br>"_cp.data(),
        life_total);
  }

  // So are the magic point gains; the total counts the drain with its sign.
  const long long gained =
      append_sentence(block, totals, kMagicGainItems, "nyertél ki.<br>"_cp);
  if (totals.vp_drained != 0) {
    block += formatted(
        "szörnyek <SPAN CLASS=\"plusminus\">%lld</SPAN> vp-t szívtak "
        "el.<br>"_cp.data(),
        size_of(totals.vp_drained));
  }
  const long long magic_total = gained + totals.vp_drained;
  if (magic_total != 0) {
    block += formatted(
        "összesen: <SPAN CLASS=\"plusminus\">%lld</SPAN> vp.<br>"_cp.data(),
        magic_total);
  }

  for (const SourceItem& item : kDrainItems) {
    const std::int32_t value = totals.*item.field;
    if (value != 0) block += formatted(item.format, size_of(value));
  }
  if (totals.years_aged != 0) {
    block += formatted(
        "<SPAN CLASS=\"plusminus\">%d</SPAN> évet öregedtél.<br>"_cp.data(),
        totals.years_aged);
  }
  block += "</td></tr></table></td></tr></table><br><br>";
  return block;
}

std::int32_t BattleLog::summarize_turn(std::string& text,
                                       std::uint32_t effect_flags) {
  if (contains(text, kProcessedMarker)) {
    say("Erre a fordulora mar lefuttattad a morvintat!\n");
    return 0;
  }
  // The counts go in only when the page is made.
  BattleLog turn = *this;
  std::string page;
  // Room for the report and the usual tallies, credit lines and totals, so
  // that the page is not copied again and again as it grows.
  page.reserve(text.size() + text.size() / 8 + 8192);
  page += kProcessedMarker;
  page += '\n';
  std::string_view remaining = text;

  turn.scan_effects(remaining, effect_flags);

  say("csatak: ");
  std::size_t battle_count = 0;
  BattleLog battle;
  BattleFinder finder(remaining);
  while (const auto span = finder.next(remaining)) {
    // The battle's place is known, so its tally goes right behind it even
    // when the same text stands earlier in the report.
    const std::size_t battle_end = span->start + span->length;
    page.append(remaining.substr(0, battle_end));
    page += parse_battle(battle, remaining.substr(span->start, span->length));
    turn.add(battle);
    battle.clear();
    say("o");
    ++battle_count;
    remaining.remove_prefix(battle_end);
  }
  say("\n");
  sayf("csatak szama: %zu\n", battle_count);

  std::size_t footer_end = std::string_view::npos;
  for (const std::string_view footer : kReportFooters) {
    const std::size_t at = find_first(remaining, footer);
    if (at != std::string_view::npos) {
      footer_end = at + footer.size();
      break;
    }
  }
  if (footer_end == std::string_view::npos) {
    say("nincs meg a forduló vége!!!\n");
    return 0;
  }
  page.append(remaining.substr(0, footer_end));
  page += credit_block();
  page += "</body>\n</html>";

  const std::string totals = turn_totals_block(turn);
  say("osszegzesek kiirasa: OK\n");
  // A page without the development points sentence gets no totals table.
  insert_after(page, kTotalsPlace, totals);
  text = std::move(page);
  *this = turn;
  return static_cast<std::int32_t>(battle_count);
}

}  // namespace morvinta
