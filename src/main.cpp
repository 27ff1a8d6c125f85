// morvinta: enhances the turn reports of a play-by-web role-playing game.
#include <string>
#include <vector>

#include "driver.h"
#include "platform.h"
#include "text_scan_plain.h"

int main(int argc, char** argv) {
  morvinta::setup_console();
  morvinta::reuse_freed_memory();
#ifdef MORVINTA_PLAIN_SCANS
  // morvinta-reference: the plain scans, for comparing with morvinta.
  morvinta::use_plain_scans(true);
#endif
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const int status = morvinta::run(arguments);
  morvinta::restore_console();
  return status;
}
