// Helpers shared by the tests: temporary working folders, raw file access
// and runs of the built executable.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace morvinta::testing {

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

}  // namespace morvinta::testing
