// The game's rules: every derived value the enhanced report shows, worked
// out from a loaded turn report. Weapon and bare-hand damage per hit and per
// round, the powers and divisors of the three schools of magic and the
// priest rank, spell damage and the chance that casting a spell develops its
// school, the bonuses that come from the attributes and the items, magic-point
// regeneration, the power score ("Tápfaktor") and the company rank.
//
// Every query only reads the report. Figures are 32-bit whole numbers, each
// division truncating toward zero on its own term before the terms are
// summed; sums and products that huge report numbers would carry past 32
// bits wrap. Averages and chances are doubles.
//
// An item "counts" when the character carries it (`carried_count` above 0)
// and has it in hand (`equipped`). `planned` is the settings' dressing mode
// ("öltözködés"): 0 reads the items in hand now (`equipped`), any other value
// the items in hand after the planned dressing (`turn_equipped`).
#pragma once

#include <cstdint>
#include <string_view>

#include "turn_report.h"

namespace morvinta {

// --- Weapons and bare hands ---

// Attacks per round with item w in the main hand: 1 below weapon skill 4,
// else (skill - 4) / 8 + 2 plus one per extra-attack item that counts. The
// bare fist (item 28) uses "ökölvívás".
std::int32_t attacks_per_round(const TurnReport& report, int w);

// Attacks per round with item w in the left hand: 0 below skill 6, 1 from 6
// to 19, from 20 the main-hand attacks less 2. The bare fist has a skill
// here only from martial arts ("harcművészetek") 38.
std::int32_t offhand_attacks_per_round(const TurnReport& report, int w);

// The damage bonus of the strength companies ("közösség ereje") by "EFejl":
// 1 from 2, 2 from 5, 3 from 8, 4 from 11; 0 in any other company.
std::int32_t community_strength_bonus(const TurnReport& report);

// The flat bonus added to each main-hand hit with item w.
double hit_damage_bonus(const TurnReport& report, int w);

// The flat bonus added to each left-hand hit with item w; 0.0 unless the
// weapon stabs, cuts or strikes ("S", "V", "U").
double offhand_hit_damage_bonus(const TurnReport& report, int w);

// The expected damage of one main-hand hit with item w: 0.0 for a weapon
// without damage dice and for the fist items; the bare hit for item 28.
double average_hit_damage(const TurnReport& report, int w);

// One main-hand hit times the main-hand attacks.
double average_round_damage(const TurnReport& report, int w);

// The expected damage of one left-hand hit with item w: 0.0 unless the item
// has damage dice and the hand mark "B"; the left bare hit for item 28.
double average_offhand_hit_damage(const TurnReport& report, int w);

// One left-hand hit times the left-hand attacks.
double average_offhand_round_damage(const TurnReport& report, int w);

// The expected damage of one bare-handed hit.
double unarmed_hit_damage(const TurnReport& report);

// One bare-handed hit times the attacks of the bare fist.
double unarmed_round_damage(const TurnReport& report);

// A bare-handed round with the fist of strength ("erő ökle"); 0.0 below
// martial arts 15.
double fist_of_strength_damage(const TurnReport& report);

// A bare-handed round with the rock avalanche ("sziklazuhatag"); 0.0 below
// martial arts 23.
double rock_avalanche_damage(const TurnReport& report);

// The expected damage of one left bare-handed hit; 0.0 below martial arts 38.
double offhand_unarmed_hit_damage(const TurnReport& report);

// --- Schools of magic and the priest rank ---

// The position (1 to 38) of the priest title in the game's list of titles,
// compared exactly; 0 for any other title, the empty one included.
std::int32_t priest_rank_index(const TurnReport& report);

// The theology (thaumaturgy) bonus summed over the items held, items 1 to
// 1999; whether they are carried does not matter.
std::int32_t theology_item_bonus(const TurnReport& report,
                                 std::int32_t planned);
std::int32_t thaumaturgy_item_bonus(const TurnReport& report,
                                    std::int32_t planned);

// The "teológia" ("taumaturgia") level of the sheet, which holds the bonus
// of the items in hand now; with a plan, their bonus is swapped for that of
// the planned items.
std::int32_t theology_level(const TurnReport& report, std::int32_t planned);
std::int32_t thaumaturgy_level(const TurnReport& report, std::int32_t planned);

// The level plus the player's modifier from the settings, the first number
// after "teológia módosító" ("taumaturgia módosító"); 0 without the key.
std::int32_t effective_theology(const TurnReport& report, std::int32_t planned);
std::int32_t effective_thaumaturgy(const TurnReport& report,
                                   std::int32_t planned);

// "teológia osztó", "taumaturgia osztó": the effective level / 7 + 3;
// "pszi osztó": the psi level / 7 + 3. 0 for a level from -27 to -21.
std::int32_t theology_divisor(const TurnReport& report, std::int32_t planned);
std::int32_t thaumaturgy_divisor(const TurnReport& report,
                                 std::int32_t planned);
std::int32_t psi_divisor(const TurnReport& report);

// "papi erő": a third of the effective theology (compressed above 250), the
// priest rank, the alignment band and the priest bracelets in hand.
std::int32_t priestly_power(const TurnReport& report, std::int32_t planned);

// "varázslói erő": half of the effective thaumaturgy plus one (compressed
// above 250).
std::int32_t wizard_power(const TurnReport& report, std::int32_t planned);

// "pszierő": the psi level less 10 from 20, else half of it plus one.
std::int32_t psi_power(const TurnReport& report);

// --- Spells ---

// The caster's figures for the settings' dressing mode that every spell of
// a table shares. Each sums the items held, so a table works them out once.
struct CasterFigures {
  std::int32_t effective_theology = 0;
  std::int32_t effective_thaumaturgy = 0;
  std::int32_t priestly_power = 0;
  std::int32_t wizard_power = 0;
};
CasterFigures caster_figures(const TurnReport& report);

// The expected damage of spell s at the caster's power (at the spell's cap
// with at_cap), with the items, the fire and water mastery spells when
// element_bonus is set, the amplifiers and "varázslat sebzés". The powers
// follow the settings' dressing mode.
double average_spell_damage(const TurnReport& report, int s, bool element_bonus,
                            bool at_cap);
double average_spell_damage(const TurnReport& report,
                            const CasterFigures& caster, int s,
                            bool element_bonus, bool at_cap);

// The VP spell s costs: a theology or thaumaturgy spell cheaper than its
// school's price-of-folly limit, and not free, costs the extra VP too.
std::int32_t spell_cost(const TurnReport& report, int s);

// The chance in percent that casting spell s develops its school; 0.0 for a
// spell of no school. A divisor of 0 sets no floor.
double spell_development_chance(const TurnReport& report, int s);
double spell_development_chance(const TurnReport& report,
                                const CasterFigures& caster, int s);

// --- Attribute bonuses and item columns ---

// "+%d sebzés (erőből)": (s - 14) / 2 for strength s up to 36, above it
// (s - 36) / 3 + 11.
std::int32_t base_strength_damage_bonus(const TurnReport& report);

// The same curve of the strength raised by the bare muscle spell (28) and by
// 2 with spell 220.
std::int32_t strength_damage_bonus(const TurnReport& report);

// "+%d erő (csupasz izom)": with spell 28 known, the priestly power / 5 + 1.
std::int32_t bare_muscle_strength(const TurnReport& report);

// "+%d sebzés (óriás erő)": with spell 53 known, the priestly power / 6 + 1.
std::int32_t giant_strength_damage(const TurnReport& report);

// "+%d védelem (ügyességből)": 0 below dexterity 17, rising in three bands.
std::int32_t dexterity_defence_bonus(const TurnReport& report);

// The sheet's defence, which holds the items in hand now; with a plan, their
// defence is swapped for that of the planned items.
std::int32_t defence_with_items(const TurnReport& report, std::int32_t planned);

// The defence that counts in the west: full to 18, half of the rest to 36,
// a third beyond.
std::int32_t effective_defence_west(const TurnReport& report,
                                    std::int32_t planned);

// The defence that counts in the east: full to 18, half of the rest beyond.
std::int32_t effective_defence_east(const TurnReport& report,
                                    std::int32_t planned);

// The maximum life (magic) point column summed over the items held.
std::int32_t max_life_item_bonus(const TurnReport& report,
                                 std::int32_t planned);
std::int32_t max_vp_item_bonus(const TurnReport& report, std::int32_t planned);

// The strength that limits carrying: the sheet's, with a plan the strength
// of the items in hand now swapped for that of the planned items.
std::int32_t strength_with_items(const TurnReport& report,
                                 std::int32_t planned);

// "Tulajdonság összeg": the five attributes' first values, and their second
// values.
std::int32_t attribute_sum(const TurnReport& report);
std::int32_t attribute_second_sum(const TurnReport& report);

// --- Regeneration, power score, company rank ---

// VP regained per turn in the west: IQ + 2 x priestly power - 12, plus the
// thaumaturgy above 3 from thaumaturgy 4.
std::int32_t base_vp_regeneration_west(const TurnReport& report);

// The west figure plus the maximum VP / 40.
std::int32_t base_vp_regeneration_east(const TurnReport& report);

// "+%d (tárgyak + 10vp-k)": the regenerating items and the start-of-turn VP
// (twice with spell 250).
std::int32_t item_vp_regeneration(const TurnReport& report);

// The figure of the half of the map the last move is in: east from x 141.
// Without a recorded move the position is (0,0), in the west.
std::int32_t vp_regeneration_here(const TurnReport& report);

// "plusz VP regeneráció": the regeneration here scaled by "EFejl" / 20 and
// truncated, in full from "EFejl" 21.
std::int32_t extra_vp_regeneration(const TurnReport& report);

// VP for praying by "EFejl" e: 3e up to 12, 2e + 12 to 17, then 48.
std::int32_t prayer_vp(const TurnReport& report);

// "Tápfaktor": combat values, level, attributes, tenths of the point maxima
// and every weapon skill and skill level.
std::int32_t power_score(const TurnReport& report);

// The power score an average character has at this turn.
double expected_power_score(const TurnReport& report);

// "rangpont": the company settings, the sheet's figures in tenths and the
// like, immortality, level and priest rank.
std::int32_t company_rank_points(const TurnReport& report);

// "rang": the title of the rank points (1250 bytes, static): "Kopasz" up to
// 20 and below 0, then "Strázsa", "Őr", "Őrjáratvezető", "Szakaszvezető",
// "Hadúr" from 201 and above 270. Character 1337 is always "Kapitány".
std::string_view company_rank_name(const TurnReport& report);

}  // namespace morvinta
