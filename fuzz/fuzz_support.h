// What the fuzzers share: a working folder of their own, laid out like a
// player's (catalogues, settings, info and output folders), made once per
// process in memory where the system offers a memory-backed folder (else in
// its temporary folder) and made the current folder, and a console that
// keeps quiet; and the challenge tower's part of a run, with its simulated
// climbs bounded.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "console.h"
#include "digest_tower.h"
#include "turn_report.h"

namespace morvinta::fuzz {

inline void write_bytes(const std::filesystem::path& path,
                        std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string read_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Where the working folders go: "/dev/shm" where it is a folder with room
// for the huge hostile reports and their outputs (Linux keeps it in memory,
// so the files every input writes never reach a disk and their flushes cost
// nothing; a container may give it only 64 MB), else the system's temporary
// folder.
inline std::filesystem::path working_folder_parent() {
  constexpr std::uintmax_t kRoom = std::uintmax_t{512} << 20;
  std::error_code error;
  if (std::filesystem::is_directory("/dev/shm", error) &&
      std::filesystem::space("/dev/shm", error).available >= kRoom && !error) {
    return "/dev/shm";
  }
  return std::filesystem::temp_directory_path();
}

// Makes a fresh working folder with the example folder's catalogues and
// settings, and the empty folders "info", "fordulok" and "ulek"; makes it
// the current folder. A normal end of the process removes it (in memory, a
// folder left behind would hold its memory until the system restarts); a
// crash leaves it as it was.
inline std::filesystem::path enter_working_folder(const char* name) {
  namespace fs = std::filesystem;
  std::random_device seed;
  const fs::path parent = working_folder_parent();
  fs::path folder;
  for (;;) {
    folder = parent / (std::string(name) + "-" + std::to_string(seed()));
    if (fs::create_directory(folder)) break;
  }
  const fs::path examples = MORVINTA_EXAMPLES;
  fs::copy(examples / "txt", folder / "txt", fs::copy_options::recursive);
  fs::copy(examples / "cfg", folder / "cfg", fs::copy_options::recursive);
  for (const char* sub : {"info", "fordulok", "ulek"}) {
    fs::create_directory(folder / sub);
  }
  fs::current_path(folder);
  static fs::path made;
  made = folder;
  std::atexit([] {
    std::error_code error;
    fs::current_path(made.parent_path(), error);
    fs::remove_all(made, error);
  });
  return folder;
}

// The challenge tower's part of a report's run, for targets that turn its
// section off: the requirements and chances as the section works them out
// from the report and the description, and one climb of each level's
// floors instead of the section's 10,000 (its 80,000 simulated climbs would
// take most of the time of a run).
inline void climb_tower_once(const TurnReport& report,
                             std::string_view description) {
  const TowerRequirements requirements =
      tower_requirements(report, description);
  const TowerChances chances = tower_chances(requirements.readiness);
  const int floors[][3] = {{1, 2, 0}, {1, 2, 1}, {1, 2, 2},
                           {1, 2, 3}, {0, 2, 4}, {3, 3, 3}};
  for (const auto& level : floors) {
    climb_tower(chances, level[0], level[1], level[2]);
  }
}

// Swallows what the tool prints.
inline void quiet_console() {
  static std::string sink;
  sink.clear();
  set_console_capture(&sink);
}

}  // namespace morvinta::fuzz
