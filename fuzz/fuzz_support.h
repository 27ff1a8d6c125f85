// What the fuzzers share: a working folder of their own, laid out like a
// player's (catalogues, settings, info and output folders), made once per
// process in the system's temporary folder and made the current folder, and
// a console that keeps quiet.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "console.h"

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

// Makes a fresh working folder with the example folder's catalogues and
// settings, and the empty folders "info", "fordulok" and "ulek"; makes it
// the current folder. It stays when the process ends, as a crash leaves it.
inline std::filesystem::path enter_working_folder(const char* name) {
  namespace fs = std::filesystem;
  std::random_device seed;
  fs::path folder;
  for (;;) {
    folder = fs::temp_directory_path() /
             (std::string(name) + "-" + std::to_string(seed()));
    if (fs::create_directory(folder)) break;
  }
  const fs::path examples = MORVINTA_EXAMPLES;
  fs::copy(examples / "txt", folder / "txt", fs::copy_options::recursive);
  fs::copy(examples / "cfg", folder / "cfg", fs::copy_options::recursive);
  for (const char* sub : {"info", "fordulok", "ulek"}) {
    fs::create_directory(folder / sub);
  }
  fs::current_path(folder);
  return folder;
}

// Removes every file of a folder below the working folder.
inline void empty_folder(const char* folder) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    std::filesystem::remove_all(entry.path(), error);
  }
}

// Swallows what the tool prints.
inline void quiet_console() {
  static std::string sink;
  sink.clear();
  set_console_capture(&sink);
}

}  // namespace morvinta::fuzz
