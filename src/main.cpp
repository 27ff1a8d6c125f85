// morvinta: enhances the turn reports of a play-by-web role-playing game.
#include <string>
#include <vector>

#include "driver.h"
#include "platform.h"

int main(int argc, char** argv) {
  morvinta::setup_console();
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const int status = morvinta::run(arguments);
  morvinta::restore_console();
  return status;
}
