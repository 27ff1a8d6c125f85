// What differs between the players' systems: listing the report files of the
// current folder, the console's setup and its final key press, removing and
// renaming files, and the clock that seeds the random generator. Everything
// else in the tool is the same code everywhere.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvinta {

// The plain names of the regular files of the current folder that match
// "*_*.htm" (the extension in any letter case), in byte order of the names.
std::vector<std::string> list_report_files();

// Prepares the console for UTF-8 output, before anything is printed;
// `restore_console` writes out what is pending and undoes it.
void setup_console();
void restore_console();

// Waits for one key, without echo and without Enter, when standard input is
// a terminal; returns at once otherwise, so scripts never hang.
void wait_for_key();

// Removes a file; false when it could not be removed.
bool remove_file(const std::string& path);

// Renames from over to, replacing an existing file; false on failure.
bool rename_replacing(const std::string& from, const std::string& to);

// The seed of the run's random generator: the calendar clock in seconds, or
// the environment variable MORVINTA_SEED when it holds a whole number from 0
// to 4294967295, so that two runs (on two systems) can be compared byte for
// byte.
std::uint32_t random_seed();

// A report's text grows to a few megabytes while it is enhanced, and texts
// of that size are made and dropped many times per report. The C library
// would hand each such block back to the system and map a fresh one for the
// next, so every page of it is touched new again, which costs more than the
// work done on it; this keeps freed blocks for reuse until the run ends.
void reuse_freed_memory();

}  // namespace morvinta
