// What differs between the players' systems: listing the report files of the
// current folder, the console's setup and its final key press, and removing
// and renaming files. Everything else in the tool is the same code everywhere.
#pragma once

#include <string>
#include <vector>

namespace morvinta {

// The plain names of the regular files of the current folder that match
// "*_*.htm" (the extension in any letter case), in byte order of the names.
std::vector<std::string> list_report_files();

// Prepares the console for UTF-8 output; `restore_console` undoes it.
void setup_console();
void restore_console();

// Waits for one key, without echo and without Enter, when standard input is
// a terminal; returns at once otherwise, so scripts never hang.
void wait_for_key();

// Removes a file; false when it could not be removed.
bool remove_file(const std::string& path);

// Renames from over to, replacing an existing file; false on failure.
bool rename_replacing(const std::string& from, const std::string& to);

}  // namespace morvinta
