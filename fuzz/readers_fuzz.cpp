// The readers of the player's own files on any bytes: the settings file, the
// monster, item and spell catalogues, the info file and the challenge
// tower's description. The first byte names the file (fuzz_formats.h), the
// rest is its content. Each input is put in place of the example folder's
// file and the example report of the current layout run through with it, so
// that what the readers leave is used as the sections use it. An input for
// a catalogue has its file read; every other input starts from a copy of
// the example catalogues, read once per process as a run over a folder of
// reports reads them. The working folder lives in memory and is kept from
// one input to the next: the outputs have fixed names, so each run
// replaces the last one's.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "digest_tower.h"
#include "enhancement.h"
#include "fuzz_formats.h"
#include "fuzz_support.h"
#include "report_sections.h"
#include "turn_report.h"

namespace {

namespace fz = morvinta::fuzz;
using fz::ReaderKind;

constexpr const char* kReport = "1234_56.htm";

const char* file_of(ReaderKind kind) {
  switch (kind) {
    case ReaderKind::kSettings:
      return "cfg/cfg_1234.txt";
    case ReaderKind::kMonsters:
      return "txt/szornyek.txt";
    case ReaderKind::kItems:
      return "txt/targyak.txt";
    case ReaderKind::kSpellDamage:
      return "txt/varazslatok_sebzese.txt";
    case ReaderKind::kSpellList:
      return "txt/varazslatok.txt";
    case ReaderKind::kInfo:
      return "info/info_1234.txt";
    case ReaderKind::kTower:
      return "txt/kihtor.txt";
  }
  return "";
}

// The files as the working folder has them before each input.
std::string originals[morvinta::fuzz::kReaderKinds];
std::string report_text;
morvinta::TurnReport* loaded = nullptr;
// The example folder's catalogues, read by the first run.
morvinta::RunCatalogues catalogues;

// Output folders stay below the working folder, whatever the settings say.
void keep_inside(std::string& folder) {
  if (folder != "fordulok" && folder != "ulek" && folder != "nincs") {
    folder = "fordulok";
  }
}

// The per-report sequence of the driver, the output folders held in and
// the tower's simulated climbs bounded (the kind that reads the tower's
// file runs them all). The catalogues come from their files when
// `run_catalogues` is null.
void run_report(morvinta::RunCatalogues* run_catalogues) {
  morvinta::TurnReport report;
  report.load(kReport, true, run_catalogues);
  keep_inside(report.settings.report_directory);
  keep_inside(report.settings.order_sheet_directory);
  const bool tower = report.settings.challenge_tower != 0;
  report.settings.challenge_tower = 0;
  morvinta::enhance(report);
  if (report.report_kind == 1 && report.sections_read) {
    if (tower) {
      fz::climb_tower_once(report,
                           originals[static_cast<int>(ReaderKind::kTower)]);
    }
    morvinta::write_info_file(report);
  }
  if (run_catalogues != nullptr) {
    run_catalogues->give_back(std::move(report.monsters),
                              std::move(report.spells),
                              std::move(report.items));
  }
}

// Every monster name that the catalogue file gives, as the report marks it:
// the page edits look for these forms. The rows the file leaves keep the
// same default name, which once is enough.
std::string monster_paragraph() {
  morvinta::MonsterCatalogue monsters;
  monsters.load_monsters();
  const morvinta::MonsterRecord unnamed;
  std::string paragraph =
      "<P><b>" + unnamed.name + "</B> <b>" + unnamed.name + "!</B> ";
  for (int n = 10; n <= 999; ++n) {
    const std::string& name = monsters.monster_by_number(n).name;
    if (name == unnamed.name) continue;
    paragraph += "<b>" + name + "</B> <b>" + name + "!</B> ";
  }
  return paragraph;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fz::enter_working_folder("morvinta-readers-fuzz");
  fz::quiet_console();
  report_text =
      fz::read_bytes(std::filesystem::path(MORVINTA_EXAMPLES) / kReport);
  fz::write_bytes(kReport, report_text);
  run_report(&catalogues);  // leaves the info file of that report
  for (int kind = 0; kind < morvinta::fuzz::kReaderKinds; ++kind) {
    originals[kind] = fz::read_bytes(file_of(static_cast<ReaderKind>(kind)));
  }
  static morvinta::TurnReport report;
  report.load(kReport, false, &catalogues);
  loaded = &report;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size < 1) return 0;
  fz::quiet_console();
  const auto kind = static_cast<ReaderKind>(data[0] % fz::kReaderKinds);
  const std::string_view content(reinterpret_cast<const char*>(data) + 1,
                                 size - 1);
  fz::write_bytes(file_of(kind), content);
  if (kind == ReaderKind::kTower) {
    morvinta::analyze_tower(*loaded);
  } else {
    std::string report = report_text;
    if (kind == ReaderKind::kMonsters) {
      const std::string_view place = "KALANDJAI</TD></TR>";
      const std::size_t at = report.find(place);
      if (at != std::string::npos) {
        report.insert(at + place.size(), monster_paragraph());
      }
    }
    fz::write_bytes(kReport, report);
    const bool catalogue =
        kind == ReaderKind::kMonsters || kind == ReaderKind::kItems ||
        kind == ReaderKind::kSpellDamage || kind == ReaderKind::kSpellList;
    run_report(catalogue ? nullptr : &catalogues);
  }
  const int index = static_cast<int>(kind);
  fz::write_bytes(file_of(kind), originals[index]);
  return 0;
}
