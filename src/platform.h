// What differs between the players' systems: the command line, listing the
// report files of the current folder, the console's setup and its final key
// press, writing files so that they survive a crash, removing and renaming
// them, and the clock that seeds the random generator. Every name is UTF-8
// (see file_names.h). Everything else in the tool is the same code
// everywhere.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace morvinta {

// The arguments after the program's name, as UTF-8: on Windows taken from
// the system's UTF-16 command line, so that any name can be given.
std::vector<std::string> command_line_arguments(int argc, char** argv);

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

// Renames from over to, replacing an existing file, and waits until the
// folder's new entry is on the disk; false when the rename failed.
bool rename_replacing(const std::string& from, const std::string& to);

// Whether both names lead to files and these are two files, not one under
// two spellings or through a link; false when either cannot be reached, so
// a caller that deletes one of them never deletes on a doubt.
bool different_files(const std::string& first, const std::string& second);

// A file written anew: created, or emptied when it exists.
class NewFile {
 public:
  explicit NewFile(const std::string& path);
  // Closes the file if `finish` did not.
  ~NewFile();
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  // Whether the file could be made.
  bool is_open() const;
  // Appends the bytes; false when the system did not take them all.
  bool write(std::string_view bytes);
  // Puts the file's data on the disk, not only into the system's cache, and
  // closes it; false when either failed or the file was not open.
  bool finish();

 private:
  std::string path_;
#ifdef _WIN32
  void* handle_;
#else
  int descriptor_ = -1;
#endif
};

// The steps of a write that must reach the disk in this order.
enum class FileStep { kFlushData, kRename, kFlushFolder };

// For tests: while set, the hook hears each step with the file or folder it
// works on, before the step is taken; when it answers false the step fails
// as a failing disk would make it. An empty hook takes it away.
void set_file_step_hook(
    std::function<bool(FileStep step, const std::string& path)> hook);

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
