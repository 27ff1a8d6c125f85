// Writes a made-up working folder: make_folder <folder> [report bytes]
// [seed] [tricky]. Run morvinta and morvinta-reference in copies of it to
// compare the two on the same input.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "report_generator.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(
        stderr, "usage: make_folder <folder> [report bytes] [seed] [tricky]\n");
    return 2;
  }
  morvinta::generator::FolderOptions options;
  if (argc > 2) options.report_size = std::strtoull(argv[2], nullptr, 10);
  if (argc > 3) {
    options.seed =
        static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));
  }
  if (argc > 4) options.tricky = std::string(argv[4]) == "tricky";
  morvinta::generator::write_folder(argv[1],
                                    morvinta::generator::make_folder(options));
  return 0;
}
