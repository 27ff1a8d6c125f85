// The whole run on a report made of the input's bytes: load, enhance with the
// turn summary, the order sheet and the enhanced report, the info file, with
// the example folder's catalogues and the character's settings (every
// section on, the deletion of the input too). Whatever the bytes, the run
// ends, and every file it writes is whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cp1250.h"
#include "driver.h"
#include "fuzz_support.h"
#include "text_scan.h"

namespace {

namespace fz = morvinta::fuzz;

constexpr const char* kReport = "1234_56.htm";

// The info file as the example folder's first report leaves it.
std::string info_text;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fz::enter_working_folder("morvinta-run-fuzz");
  fz::quiet_console();
  // The example's settings, with the deletion of the input on and the
  // challenge tower off (its simulation would take most of the time; the
  // tower's reader has its own target).
  std::string settings = fz::read_bytes("cfg/cfg_1234.txt");
  using morvinta::operator""_cp;
  morvinta::replace_all(settings, "forduló törlése: 0"_cp,
                        "forduló törlése: 1"_cp);
  morvinta::replace_all(settings, "kihívás tornya: 1"_cp,
                        "kihívás tornya: 0"_cp);
  fz::write_bytes("cfg/cfg_1234.txt", settings);
  // An info file of the character's knowledge, from a run on the first
  // example report.
  fz::write_bytes(
      "1234_55.htm",
      fz::read_bytes(std::filesystem::path(MORVINTA_EXAMPLES) / "1234_55.htm"));
  morvinta::process_report("1234_55.htm", false);
  info_text = fz::read_bytes("info/info_1234.txt");
  fz::empty_folder("fordulok");
  fz::empty_folder("ulek");
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
  morvinta::process_report(kReport, size % 3 == 0);
  fz::empty_folder("fordulok");
  fz::empty_folder("ulek");
  return 0;
}
