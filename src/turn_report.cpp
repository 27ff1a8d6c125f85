#include "turn_report.h"

#include "addresses.h"
#include "console.h"
#include "text_file.h"
#include "text_scan.h"
#include "utf8_report.h"

namespace morvinta {

void print_banner() {
  say("\n");
  say("---------------------------------------------------\n");
  say("ha hibat eszlesz, legyszi erre a cimre irj:\n");
  say(kContactAddress);
  say("\n");
  say("---------------------------------------------------\n");
  say("\n");
}

void TurnReport::load(const std::string& name, bool verbose,
                      RunCatalogues* run_catalogues) {
  print_banner();
  sayf("beolvasando fordulo: \"%s\"\n", name.c_str());
  file_name = name;

  // 123_45.htm and 123c45.htm alike: the last number is the turn, the one
  // before it the character.
  character_number = nth_number_from_end(name, 2);
  turn_number = nth_number_from_end(name, 1);
  if (verbose) {
    sayf("karakterszam: %d\n", character_number);
    sayf("forduloszam:  %d\n", turn_number);
  }

  text.clear();
  if (auto content = read_file(name)) {
    text = std::move(*content);
    // Before anything reads it: every anchor is 1250.
    if (convert_utf8_report(text)) {
      say("UTF-8 kodolasu fordulo, atalakitva 1250-es kodlapra\n");
    }
  } else {
    say("fordulo beolvasasa nem sikerult!\n");
  }

  if (contains(text, kProcessedMarker)) {
    say("Erre a fordulora mar lefuttattad a morvintat!\n");
    return;
  }
  if (verbose) say("fordulo beolvasasa sikerult!\n");

  if (run_catalogues != nullptr) {
    run_catalogues->copy_into(monsters, spells, items);
  } else {
    monsters.load_monsters();
    spells.load_spells();
    items.load_items();
  }

  if (find_after(find_after(text, "<STYLE"), "</STYLE>")) {
    report_kind = 1;
    if (verbose) say("uj tipusu fordulo\n");
  } else {
    report_kind = 2;
    if (verbose) say("regi tipusu fordulo\n");
  }

  // "KARAKTERLAPOD" holds "KARAKTERLAP": one search finds either heading.
  if (!contains(text, "KARAKTERLAP")) {
    say("nincs meg a karakterlap!\n");
    return;
  }

  parse_sections(verbose);
  settings.read_settings(formatted("cfg/cfg_%d.txt", character_number));
}

void TurnReport::parse_sections(bool verbose) {
  // The parsers only read the report.
  const KeptSearches searches(text);
  parse_encyclopedia(monsters, text, report_kind);
  attributes.parse_attributes(text, report_kind, verbose);
  identity.parse_identity(text, report_kind, verbose);
  vital_points.parse_vital_points(text, report_kind, verbose);
  level.parse(text, report_kind, verbose);
  company.parse(text, report_kind, verbose);
  weapon_skills.parse(text, report_kind, verbose);
  skills.parse(text, report_kind, verbose);
  development_points.parse(text, report_kind, verbose);
  folly_price.parse(text, report_kind, verbose);
  parse_inventory(items, text, report_kind, verbose);
  parse_spells(spells, text, report_kind, verbose);
  adventures.parse_moves(text, report_kind, verbose);
  sections_read = true;
}

}  // namespace morvinta
