#include "digest.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "addresses.h"
#include "console.h"
#include "cp1250.h"
#include "test_support.h"
#include "text_scan_plain.h"

namespace morvinta {
namespace {

using L = BattleLog;

std::string cp(std::string_view text) { return std::string(text); }

using DigestTest = testing::ConsoleTest;

struct Counted {
  std::int32_t L::*field;
  std::int32_t value;
};

BattleLog log_of(const std::vector<Counted>& counts) {
  BattleLog log;
  for (const Counted& c : counts) log.*c.field = c.value;
  return log;
}

TEST(BattleLogAdd, FieldByFieldWrapping) {
  BattleLog turn = log_of({{&L::damage_dealt, INT32_MAX}, {&L::tu_drained, 2}});
  turn.add(log_of({{&L::damage_dealt, 1}, {&L::tu_drained, -5}}));
  EXPECT_EQ(turn,
            log_of({{&L::damage_dealt, INT32_MIN}, {&L::tu_drained, -3}}));
}

TEST(ParseBattle, EachAnchorKind) {
  const struct {
    std::string_view paragraph;
    std::vector<Counted> expected;
  } cases[] = {
      // Exact anchors do not bend to whitespace; tolerant ones do.
      {"<SPAN\nCLASS=\"sebez\">12</SPAN> Varázsenergiád\n  szökik! -6 "
       "varázspont.</SPAN>"_cp,
       {{&L::vp_drained, -6}}},
      // The number last before the end word; no end word adds nothing.
      {"A seb gyógyul, 2 kör múlva 3 ÉP. Vámpirizálsz: +2 életerő</B>"_cp,
       {{&L::stoneskin_absorbed, 3}}},
      // Whichever amount comes first after it.
      {"Transzformálsz! +8 varázspont.</SPAN> Transzformálsz! +1 "
       "életpont.</SPAN> +9 varázspont.</SPAN> Transzformálsz! Semmi."_cp,
       {{&L::vp_gain_transform, 8}, {&L::heal_transform, 1}}},
      // The amount stands before the sentence.
      {"+4</SPAN> életpontot az Élet-Halál kí-érintésnek\nköszönhetően. +6 "
       "életpontot az Élet-Halál kí-érintésnek köszönhetően. 3 életpontot\n"
       "gyógyultál."_cp,
       {{&L::heal_life_death_touch, 10}, {&L::heal_necro_kiss, 3}}},
      // Psi points count within the span, with one blank or two.
      {"A lény elszívja mentális energiáidat! <SPAN>-3 pszi pont, -2 "
       "TU.</SPAN> A teremtmény mentális energiádat falja. -1 TU.</SPAN> -5 "
       "pszi pont A szörny agyi energiáidból táplálkozik. -4 pszi  "
       "pont</SPAN>"_cp,
       {{&L::psi_drained, -7}, {&L::tu_drained, -3}}},
      {"Kronoérintette aurádat, -1 TVP. Kővé váltál: -2 nélkül. Megérkeznek "
       "a KÖVGEO alkalmazottjai, 5 perc múlva újra KÖVGEO"_cp,
       {{&L::tvp_drained, -3}}},
  };
  for (const bool plain : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.paragraph);
      use_plain_scans(plain);
      BattleLog battle = log_of({{&L::years_aged, 9}});  // cleared first
      parse_battle(battle, c.paragraph);
      use_plain_scans(false);
      EXPECT_EQ(battle, log_of(c.expected)) << plain;
    }
  }
}

TEST(BattleLine, HealingAloneShowsNothing) {
  EXPECT_EQ(battle_line(log_of({{&L::heal_vampirism, 5}})), " ");
  EXPECT_EQ(battle_line(log_of({{&L::damage_taken, 2}})),
            " <SPAN CLASS=\"plusminus\">[0 : 2] </SPAN>");
}

// A fight whose first line is longer than the opening window.
const std::string kRatFight =
    cp("Egy <b>Patkány</B> rád támad a sötét pincében, vicsorogva!<BR>\n"
       "<SPAN CLASS=\"sebez\">3</SPAN> ÉP. Sikerült megölnöd!"_cp);
const std::string kCamp =
    cp("A táborozás alatt próbáltál minél többet pihenni."_cp);
const std::string kDevelopment =
    cp("<P><B>Még 2 fejlesztési pontot költhetsz el.</B>\n"_cp);
const std::string kFiller(200, '.');

TEST(FindNextBattle, ShortRemainderHoldsNone) {
  const std::string head = "<P>" + kRatFight;
  const std::string development = cp("pontot költhetsz el."_cp);
  const std::size_t dots = 199 - head.size() - development.size();
  EXPECT_FALSE(find_next_battle(head + std::string(dots, '.') + development));
  EXPECT_EQ(find_next_battle(head + std::string(dots + 1, '.') + development),
            kRatFight);
}

TEST(FindNextBattle, OpeningWindow) {
  const struct {
    std::string paragraph;
    bool battle;
  } cases[] = {
      {std::string(44, 'a') + "2004. ", false},  // ends on character 49
      {std::string(45, 'a') + "2004. ", true},
      {std::string(48, 'a') + "\n", false},
      {std::string(49, 'a') + "\n", true},
      {"a\n", false},
      {cp("Reggel van. Összeakadsz egy vándorral."_cp), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.paragraph);
    const std::string paragraph = c.paragraph + kFiller + kDevelopment;
    const auto battle = find_next_battle("<P>" + paragraph);
    // Without an end sentence the battle runs to the end of the text.
    EXPECT_EQ(battle, c.battle ? std::optional(paragraph) : std::nullopt);
  }
}

TEST(FindNextBattle, WhichParagraphsCount) {
  const std::string kobold =
      cp("Egy <b>Kobold</B> rád támad a sötét pincében, vicsorogva! Ellenfeled "
         "elmenekül."_cp);
  const struct {
    const char* name;
    std::string text;
    std::optional<std::string> expected;
  } cases[] = {
      {"a battle runs on past the next paragraph to its end sentence",
       "<P>" + kFiller + "<P>" + kRatFight + kDevelopment,
       kFiller + "<P>" + kRatFight},
      {"the camping sentence anywhere after",
       "<P>" + kRatFight + "\n<P>Alszol. " + kFiller + kCamp + "\n<P>" +
           kobold + kDevelopment,
       kobold},
      {"nothing after the development sentence",
       "<P><B>" + kFiller + kDevelopment + "<P>" + kRatFight, std::nullopt},
      {"development sentence before the first paragraph",
       cp("pontot költhetsz el. "_cp) + kFiller + "<P>" + kRatFight +
           kDevelopment,
       std::nullopt},
      {"development sentence across a line break",
       "<P>" + kRatFight + kFiller + cp("pontot\n költhetsz el."_cp),
       kRatFight},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(find_next_battle(c.text), c.expected);
  }
  const std::string endless = "Harc. " + std::string(12000, 'a');
  EXPECT_EQ(find_next_battle("<P>" + endless + kDevelopment),
            endless.substr(0, 10000));
}

TEST(CutAtBattleEnd, EarliestEndSentence) {
  const struct {
    std::string paragraph;
    std::string expected;
  } cases[] = {
      {cp("Sikerült\n megölnöd! Feltámadsz! Vége!"_cp),
       cp("Sikerült\n megölnöd!"_cp)},
      {cp("Megmentett a halálkapu (#12)."_cp),
       cp("Megmentett a halálkapu "_cp)},
      {std::string(9994, 'a') + cp("Vége!b"_cp),
       std::string(9994, 'a') + cp("Vége!"_cp)},
      // An end at character 10,000 does not count.
      {std::string(9995, 'a') + cp("Vége!"_cp),
       std::string(9995, 'a') + cp("Vége!"_cp)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.paragraph.substr(0, 40));
    std::string paragraph = c.paragraph;
    cut_at_battle_end(paragraph);
    EXPECT_EQ(paragraph, c.expected);
  }
}

TEST_F(DigestTest, ScanEffectsEachSource) {
  const struct {
    std::uint32_t flags;
    std::string text;
    Counted expected;
    std::string console;
  } cases[] = {
      // The blank after the sentence belongs to it.
      {kEffectMihlanilArmour,
       cp("A mihlanil páncélzat\nfelizzik: 7. A mihlanil páncélzat felizzik "
          "és 9 ÉP-t gyógyít."_cp),
       {&L::heal_mihlanil, 9},
       "mihlanil pancel: o\n"},
      {kEffectVpRegeneration,
       "Kapsz 4" + std::string(34, '.') + "VP-t.]</SPAN> Kapsz 8" +
           std::string(35, '.') + "VP-t.]</SPAN> Kapsz 20 aranyat.",
       {&L::vp_gain_other, 4},
       "vp regeneracio: o\n"},
      {kEffectGoldBox,
       cp("[-2 ÉP]</SPAN> [-2 ÉP]</SPAN> h 504 A tartalma: 35 arany, a zár "
          "megvág, 4 ÉP-t vesztesz. h 504 üres."_cp),
       {&L::damage_gold_box, 8},
       "aranytermo ladiko: oooo\n"},
      // Hunger and withering are counted wherever their sentences stand,
      // whatever the flags.
      {0,
       std::string(kStarvationSentences[1]) + " 3.",
       {&L::loss_starvation, -3},
       "ehezes: o\n"},
      {0,
       "x " + std::string(kWitheringSentences[3]) + ": 5.",
       {&L::loss_withering, -5},
       "sorvasztas: o\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.console);
    console_.clear();
    BattleLog turn;
    turn.scan_effects(c.text, c.flags);
    EXPECT_EQ(turn, log_of({c.expected}));
    EXPECT_EQ(console_, c.console + "oregedes: \n");
  }
}

const std::string kTotalsHead =
    cp("</B> <br><br><P><TABLE WIDTH=100% CELLPADDING=1 CELLSPACING=0 BORDER=0 "
       "CLASS=\"t0\"><TR><TD><TABLE WIDTH=100% CELLPADDING=2 CELLSPACING=0 "
       "BORDER=0 CLASS=\"t1\"><TR><TD CLASS=\"c1\">EBBEN A FORDULÓBAN...</td>"
       "</tr><tr><td class=\"t1\">"_cp);
const std::string kTotalsTail = "</td></tr></table></td></tr></table><br><br>";

std::string damage_rows(int dealt, int taken) {
  return formatted(
      "<SPAN CLASS=\"sebez\">%d</SPAN> életpontot sebeztél a szörnyekbe.<br>"
      "<SPAN CLASS=\"szenved\">%d</SPAN> életpontot sebeződtél a "
      "szörnyektől.<br>"_cp.data(),
      dealt, taken);
}

TEST(TurnTotalsBlock, RowsOnlyWhenTheyHold) {
  const struct {
    std::vector<Counted> counts;
    std::string_view rows;  // between the damage rows and the closing tags
  } cases[] = {
      {{}, ""},
      // Sources that cancel out still make whole sentences.
      {{{&L::heal_vampirism, 5},
        {&L::heal_transform, -5},
        {&L::vp_gain_other, 3},
        {&L::vp_gain_transform, -3}},
       "vámpirizációval <SPAN CLASS=\"plusminus\">5</SPAN> ép-t trafóval "
       "<SPAN CLASS=\"plusminus\">-5</SPAN> ép-t gyógyultál.<br>trafóval "
       "<SPAN CLASS=\"plusminus\">-3</SPAN> vp-t egyéb módon <SPAN "
       "CLASS=\"plusminus\">3</SPAN> vp-t nyertél ki.<br>"_cp},
      // Sizes and sums past 32 bits are written as they are.
      {{{&L::psi_drained, INT32_MIN},
        {&L::vp_gain_other, INT32_MAX},
        {&L::vp_gain_transform, INT32_MAX}},
       "trafóval <SPAN CLASS=\"plusminus\">2147483647</SPAN> vp-t egyéb módon "
       "<SPAN CLASS=\"plusminus\">2147483647</SPAN> vp-t nyertél ki.<br>"
       "összesen: <SPAN CLASS=\"plusminus\">4294967294</SPAN> vp.<br>szörnyek "
       "<SPAN CLASS=\"plusminus\">2147483648</SPAN> pp-t szívtak el.<br>"_cp},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rows);
    EXPECT_EQ(turn_totals_block(log_of(c.counts)),
              kTotalsHead + damage_rows(0, 0) + cp(c.rows) + kTotalsTail);
  }
}

const std::string kFooter = cp(kReportFooters[0]);

TEST_F(DigestTest, SummarizeTurnWithoutFooterChangesNothing) {
  const std::string original = "<P>" + kRatFight + kFiller + kDevelopment +
                               kFooter.substr(1) + cp("\nÖregedtél 1"_cp);
  std::string text = original;
  BattleLog turn;
  turn.summarize_turn(text, 0);
  EXPECT_EQ(text, original);
  EXPECT_EQ(turn, BattleLog{});
  EXPECT_EQ(console_,
            "oregedes: o\ncsatak: o\ncsatak szama: 1\n"
            "nincs meg a forduló vége!!!\n");
}

TEST_F(DigestTest, SummarizeTurnRefusesProcessedReport) {
  const std::string original =
      "<P>" + kRatFight + "<!-- morvinta -->" + kDevelopment + kFooter;
  std::string text = original;
  BattleLog turn = log_of({{&L::years_aged, 3}});
  turn.summarize_turn(text, 127);
  EXPECT_EQ(text, original);
  EXPECT_EQ(turn, log_of({{&L::years_aged, 3}}));
  EXPECT_EQ(console_, "Erre a fordulora mar lefuttattad a morvintat!\n");
}

}  // namespace
}  // namespace morvinta
