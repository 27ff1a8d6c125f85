// Helpers shared by the tests: temporary working folders, raw file access
// and runs of the built executable.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "console.h"

namespace morvinta::testing {

// Whether the text holds the part anywhere.
inline bool contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// The banner that starts every run and every report.
inline const std::string kBanner =
    "\n---------------------------------------------------\n"
    "ha hibat eszlesz, legyszi erre a cimre irj:\n"
    "morvinta@example.org\n"
    "---------------------------------------------------\n\n";

// Catches what the tool prints during each test in console_.
class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override { set_console_capture(&console_); }
  void TearDown() override { set_console_capture(nullptr); }
  std::string console_;
};

// A fresh empty folder, removed with everything in it at the end of scope.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes raw bytes into a file below the folder, making its folders.
  void write(const std::string& relative, std::string_view bytes) const;
  // The raw bytes of a file below the folder; empty when missing.
  std::string read(const std::string& relative) const;
  bool exists(const std::string& relative) const;

 private:
  std::filesystem::path path_;
};

// Makes the folder the current one for the scope, then returns.
class InFolder {
 public:
  explicit InFolder(const std::filesystem::path& folder);
  ~InFolder();
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

// The raw bytes of a file; empty when it cannot be read.
std::string read_bytes(const std::filesystem::path& path);

// The raw bytes of a file of examples/.
std::string example_file(const std::string& relative);

struct RunResult {
  int status = -1;
  std::string output;
};

// Runs the built morvinta in the folder with the arguments (each passed as
// one word), standard input from /dev/null; environment settings such as
// "MORVINTA_SEED=1" go before the command.
RunResult run_tool(const std::filesystem::path& folder,
                   const std::string& arguments = "",
                   const std::string& environment = "");

// The page with its item lists laid out, after checking that the indexed and
// the plain passes lay them out alike.
std::string tabulated_both_ways(const std::string& page);

}  // namespace morvinta::testing
