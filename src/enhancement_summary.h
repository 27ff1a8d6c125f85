// The "Morvinta" table that the enhanced report shows before the inventory,
// and the two tables after it. Its rows show what the rules work out for the
// character: the strengths of the three schools of magic and their
// development formulas or divisors, VP regeneration, the bonuses of
// strength and dexterity, the held items that change an attribute, the
// defence, the attack, the maximum life and magic points, theology and
// thaumaturgy (in camp and, with a dressing plan, during the turn), the
// attribute sum, warnings with their ready-made orders, the power score, what
// the character knows, the moves of the turn and what the company gives.
// After the table come the average damage of the damaging spells the
// character knows and of the weapons carried or kept in the bank.
//
// The row texts are 1250 bytes, in the report's own HTML and style classes.
#pragma once

#include <cstdint>
#include <string>

#include "turn_report.h"

namespace morvinta {

// Appends every row that the settings switch on, from the spell strengths to
// the company abilities, each section printing its console label and "OK".
// The warnings put their ready-made orders on the report's order sheet.
void append_summary_rows(TurnReport& report, std::string& summary_block);

// Appends the spells' and the weapons' average damage tables when switched
// on, each printing its console label and "OK".
void append_damage_tables(const TurnReport& report, std::string& summary_block);

// --- The sections, each the text it appends ---

// "Varázslat erősségek": priestly, wizard and psi power, with the planned
// items of the dressing mode.
std::string spell_strength_rows(const TurnReport& report);

// "Osztók": for theology, thaumaturgy and psi, the development formula below
// level 10 (only with some skill) and from 10 to 19, the divisor from 20.
std::string divisor_rows(const TurnReport& report);

// "VP regeneráció": west, east and from items.
std::string vp_regeneration_rows(const TurnReport& report);

// "Bónuszok": damage from strength (with the strength spells when they
// change it), defence from dexterity, and the bare muscle and giant
// strength spells when either gives something.
std::string bonus_rows(const TurnReport& report);

// For strength, IQ, dexterity, health and luck: the gain over the base value
// and the items in hand now that change it.
std::string attribute_bonus_rows(const TurnReport& report);

// The values whose held items the summary lists.
enum class ItemListKind {
  kDefence,
  kAttack,
  kMaxLife,
  kMaxMagic,
  kTheology,
  kThaumaturgy,
};

// The list of the items in hand now (bit 1 of bits) and the list of the
// items in hand during the turn (bit 2, only with a dressing plan): a
// heading, the items three to a row, and the total where the value has one.
std::string item_list_rows(const TurnReport& report, ItemListKind kind,
                           std::int32_t bits);

// "Tulajdonság összeg": the sum of the attributes and of the values in
// parentheses.
std::string attribute_sum_rows(const TurnReport& report);

// "Figyelmeztetések": rare-item chance, the player's own item and spell
// rules, poison, missing teleports, martial arts and psi chances, starred
// weapon skills, a dangerous camp place and the full conditional orders.
// Puts the orders for scrolls (#259), light (#1), poison (#14) and psi (#112)
// on the order sheet from line 1.
std::string warning_rows(TurnReport& report);

// "Tápfaktor": the power score, the average at this turn and the link to
// the statistics page's graph.
std::string power_score_rows(const TurnReport& report);

// "Ismeretek": how many items and monsters the character knows.
std::string knowledge_rows(const TurnReport& report);

// The item rows (0 to 1999) and monster rows (0 to 999) marked known.
int known_item_count(const TurnReport& report);
int known_monster_count(const TurnReport& report);

// "Ebben a körben tett mozgásaid": the path of the turn's moves, linked to
// their squares in the report; a jump starts a new row.
std::string move_rows(const TurnReport& report);

// "KT képességek": the abilities the character's company gives.
std::string company_rows(const TurnReport& report);

// "Varázslataid átlagsebzése": every known spell that does damage, with and
// without the fire or lightning mastery.
std::string spell_damage_table(const TurnReport& report);

// "Fegyvereid átlagsebzése": the bare hand first, then every weapon carried
// or in the bank, in the left hand too where it can be used there, with the
// spell it casts; after the bare hand its two martial-arts manoeuvres.
std::string weapon_damage_table(const TurnReport& report);

}  // namespace morvinta
