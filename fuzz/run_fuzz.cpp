// The whole run on a report made of the input's bytes: load, enhance with the
// turn summary, the order sheet and the enhanced report, the info file and
// the journal with its page, with the example folder's catalogues and the
// character's settings (every section on, the deletion of the input too),
// and the challenge tower's requirements read from the report. Whatever the
// bytes, the run ends, and every file it writes is whole.
//
// Made for many inputs a second: the catalogues are read once per process,
// as a run over a folder of reports reads them, and every input starts from
// a copy of their rows; the working folder lives in memory and is kept from
// one input to the next (the outputs have fixed names, so each run replaces
// the last one's); only the report and the info file are written anew. The
// tower's simulated climbs are bounded: its section is off, and a few climbs
// with the report's chances stand for its 80,000 (the readers' target runs them
// all, on hostile tower descriptions).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include "cp1250.h"
#include "enhancement.h"
#include "fuzz_support.h"
#include "journal.h"
#include "report_sections.h"
#include "text_scan.h"
#include "turn_report.h"

namespace {

namespace fz = morvinta::fuzz;

constexpr const char* kReport = "1234_56.htm";

// The info file as a run on the example's current-layout report leaves it,
// and the tower's description.
std::string info_text;
std::string tower_text;

// The example folder's catalogues, read by the first run.
morvinta::RunCatalogues catalogues;

// The driver's sequence for one report, with the tower's part where the
// section would run.
void run_report(bool verbose) {
  morvinta::TurnReport report;
  report.load(kReport, verbose, &catalogues);
  if (report.report_kind != 1 || report.sections_read) {
    morvinta::enhance(report);
  }
  if (report.report_kind == 1 && report.sections_read) {
    fz::climb_tower_once(report, tower_text);
    morvinta::write_info_file(report);
    if (report.settings.journal != 0) morvinta::update_journal(report);
  }
  catalogues.give_back(std::move(report.monsters), std::move(report.spells),
                       std::move(report.items));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fz::enter_working_folder("morvinta-run-fuzz");
  fz::quiet_console();
  // The example's settings, with the deletion of the input on and the
  // challenge tower's section off (see above).
  std::string settings = fz::read_bytes("cfg/cfg_1234.txt");
  using morvinta::operator""_cp;
  morvinta::replace_all(settings, "forduló törlése: 0"_cp,
                        "forduló törlése: 1"_cp);
  morvinta::replace_all(settings, "kihívás tornya: 1"_cp,
                        "kihívás tornya: 0"_cp);
  fz::write_bytes("cfg/cfg_1234.txt", settings);
  tower_text = fz::read_bytes(morvinta::kTowerDescriptionPath);
  // The character's knowledge, from a run on the example's report of the
  // current layout. The old-layout report stays in the folder: a run
  // without the info file reads the earlier reports of the ten turns.
  const std::filesystem::path examples = MORVINTA_EXAMPLES;
  fz::write_bytes(kReport, fz::read_bytes(examples / kReport));
  run_report(false);
  info_text = fz::read_bytes("info/info_1234.txt");
  fz::write_bytes("1234_55.htm", fz::read_bytes(examples / "1234_55.htm"));
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  fz::quiet_console();
  fz::write_bytes(kReport,
                  std::string_view(reinterpret_cast<const char*>(data), size));
  // An odd size runs without the info file: the earlier reports are read.
  std::error_code ignored;
  if (size % 2 == 0) {
    fz::write_bytes("info/info_1234.txt", info_text);
  } else {
    std::filesystem::remove("info/info_1234.txt", ignored);
  }
  run_report(size % 3 == 0);
  return 0;
}
