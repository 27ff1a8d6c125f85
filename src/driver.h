// The program's run: which report files to process (one or more named files,
// or every "*_*.htm" of the current folder), the same sequence for each, and
// the closing prompt with its key press.
#pragma once

#include <string>
#include <vector>

namespace morvinta {

// Runs the tool on the command-line arguments (without the program name) and
// returns the exit status: 0 when there was nothing to do or for help and
// version, 1 after processing reports.
int run(const std::vector<std::string>& arguments);

// Loads, enhances and records one report file, then prints two empty lines.
void process_report(const std::string& file_name, bool verbose);

}  // namespace morvinta
