// The program's run: which report files to process (one or more named files,
// or every "*_*.htm" of the current folder), the same sequence for each, and
// the closing prompt with its key press.
#pragma once

#include <string>
#include <vector>

#include "catalogues.h"

namespace morvinta {

// Runs the tool on the command-line arguments (without the program name) and
// returns the exit status: 0 when there was nothing to do or for help and
// version, 1 after processing reports.
int run(const std::vector<std::string>& arguments);

// Loads, enhances and records one report file, then prints two empty lines.
// The catalogues come from the run's when given, else from their files.
void process_report(const std::string& file_name, bool verbose,
                    RunCatalogues* run_catalogues = nullptr);

// Processes the report files one after the other, reading the catalogues
// once for all of them. Each report starts from a fresh state; only what is
// on disk (the info file above all) and the random generator's state pass
// from one report to the next.
void process_reports(const std::vector<std::string>& file_names, bool verbose);

}  // namespace morvinta
