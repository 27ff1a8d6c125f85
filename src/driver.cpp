#include "driver.h"

#include <utility>

#include "addresses.h"
#include "console.h"
#include "enhancement.h"
#include "journal.h"
#include "journal_rebuild.h"
#include "platform.h"
#include "report_sections.h"
#include "rng.h"
#include "turn_report.h"

namespace morvinta {

namespace {

constexpr std::string_view kPrompt = "a kilepeshez nyomj meg egy billentyut!\n";

void print_usage() {
  say(" - a programot ha parameter nelkul inditod, akkor minden fordulora "
      "lefut\n");
  say(" - ha 1 parameterrel inditod, akkor csak az adott fordulora fut le\n");
  say(" - a karakterhez a cfg konyvtarban levo txt fileban allithatsz be \n");
  say("   egyeni beallitasokat\n");
}

void print_help() {
  print_banner();
  print_usage();
  say(" - tobb parameterrel a megadott fordulokra sorban fut le\n");
  say(" - -v vagy --verbose: kiirja, mit olvasott ki a fordulobol\n");
  say(" - -h vagy --help: ez a leiras\n");
  say(" - --version: a program verzioja\n");
  say(" - --naplo: a feldolgozott fordulokbol ujrairja a karakterek "
      "naplojat\n");
}

}  // namespace

void process_report(const std::string& file_name, bool verbose,
                    RunCatalogues* run_catalogues) {
  TurnReport report;
  report.load(file_name, verbose, run_catalogues);
  // A current-layout report without its character sheet was loaded without
  // the character's settings: enhancing it would put its copy over the input
  // in the working folder, whatever turns folder the player chose. It is
  // left untouched, as a refused report is.
  if (report.report_kind != 1 || report.sections_read) enhance(report);
  // Only a report read with its knowledge rewrites the info file: the lists
  // are all the tool keeps between runs, and a refused, old-layout or
  // sheetless report would wipe them.
  if (report.report_kind == 1 && report.sections_read) {
    write_info_file(report);
    if (report.settings.journal != 0) update_journal(report);
  }
  if (run_catalogues != nullptr) {
    run_catalogues->give_back(std::move(report.monsters),
                              std::move(report.spells),
                              std::move(report.items));
  }
  say("\n\n");
}

void process_reports(const std::vector<std::string>& file_names, bool verbose) {
  RunCatalogues run_catalogues;
  for (const std::string& file : file_names) {
    process_report(file, verbose, &run_catalogues);
  }
}

int run(const std::vector<std::string>& arguments) {
  bool verbose = false;
  std::vector<std::string> files;
  bool options_ended = false;
  for (const std::string& argument : arguments) {
    if (!options_ended && files.empty()) {
      if (argument == "-h" || argument == "--help") {
        print_help();
        return 0;
      }
      if (argument == "--version") {
        sayf("%s %s\n", std::string(kProgramName).c_str(),
             std::string(kVersion).c_str());
        return 0;
      }
      if (argument == "--naplo") return rebuild_journals();
      if (argument == "-v" || argument == "--verbose") {
        verbose = true;
        continue;
      }
      if (argument == "--") {
        options_ended = true;
        continue;
      }
    }
    files.push_back(argument);
  }

  seed_random(random_seed());

  if (files.empty()) {
    files = list_report_files();
    // The journal pages ("naplo_<character>.htm") are no reports.
    std::erase_if(files, [](const std::string& name) {
      return name.rfind("naplo_", 0) == 0;
    });
    if (files.empty()) {
      print_banner();
      print_usage();
      say("\n\n");
      say(kPrompt);
      wait_for_key();
      return 0;
    }
  }
  process_reports(files, verbose);
  say(kPrompt);
  wait_for_key();
  return 1;
}

}  // namespace morvinta
