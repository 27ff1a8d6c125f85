// Made-up working folders for measuring the tool and for comparing its
// indexed scans with the plain ones: a current-layout turn report of a chosen
// size with full catalogues (1999 items, 999 monsters, 499 spells), most of
// them named in the report, and every settings switch on, the challenge
// tower included. The same seed gives the same bytes on every system.
//
// The tricky mode fills the catalogues with names that trip up shortcuts:
// names inside other names, duplicate and empty names, numbers the catalogue
// leaves out ("ismeretlen szörny"), names holding markup, items written both
// as "(#n)" and "($n)", and lists whose replacements form new occurrences.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace morvinta::generator {

struct FolderOptions {
  std::size_t report_size = 100000;  // bytes of the report, roughly
  std::uint32_t seed = 1;
  bool tricky = false;
  // In the tricky mode, also names with markup ("<b>", "</B>"), which the
  // indexed page edits leave to the plain ones.
  bool markup_names = false;
  // Write an info file (otherwise the earlier reports are looked for).
  bool info_file = true;
};

// One file of the folder: its path below the folder and its raw bytes.
struct FolderFile {
  std::string path;
  std::string bytes;
};

// The report "1234_60.htm", the catalogues under txt/, the settings
// cfg/cfg_1234.txt, the info file and the empty output folders (as ".keep"
// files). All texts are 1250 bytes with CR LF line ends.
std::vector<FolderFile> make_folder(const FolderOptions& options);

// The report's file name in the folder.
inline constexpr const char* kReportName = "1234_60.htm";

// Writes the files below the folder, making the folders they need.
void write_folder(const std::string& folder,
                  const std::vector<FolderFile>& files);

}  // namespace morvinta::generator
