#include "test_support.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

#include "enhancement.h"
#include "text_scan_plain.h"

namespace morvinta::testing {

TempFolder::TempFolder() {
  std::random_device seed;
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    path_ = base / ("morvinta-test-" + std::to_string(seed()));
    if (std::filesystem::create_directory(path_)) break;
  }
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TempFolder::write(const std::string& relative,
                       std::string_view bytes) const {
  const auto file = path_ / relative;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempFolder::read(const std::string& relative) const {
  return read_bytes(path_ / relative);
}

std::string read_bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string example_file(const std::string& relative) {
  return read_bytes(std::filesystem::path(MORVINTA_EXAMPLES) / relative);
}

bool TempFolder::exists(const std::string& relative) const {
  return std::filesystem::exists(path_ / relative);
}

InFolder::InFolder(const std::filesystem::path& folder)
    : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(folder);
}

InFolder::~InFolder() { std::filesystem::current_path(previous_); }

RunResult run_tool(const std::filesystem::path& folder,
                   const std::string& arguments,
                   const std::string& environment) {
  const std::string command = "cd '" + folder.string() + "' && " + environment +
                              " '" + MORVINTA_EXECUTABLE + "' " + arguments +
                              " </dev/null 2>&1";
  RunResult result;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
    result.output.append(buffer, got);
  }
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string tabulated_both_ways(const std::string& page) {
  std::string plain = page;
  use_plain_scans(true);
  tabulate_item_lists(plain);
  use_plain_scans(false);
  std::string fast = page;
  tabulate_item_lists(fast);
  EXPECT_EQ(fast, plain);
  return fast;
}

}  // namespace morvinta::testing
