// morvinta: enhances the turn reports of a play-by-web role-playing game.
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
  const int status =
      morvinta::run(morvinta::command_line_arguments(argc, argv));
  morvinta::restore_console();
  return status;
}
