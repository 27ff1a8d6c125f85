// The whole tool on a copy of examples/, compared byte for byte with the
// reviewed outputs in tests/data/golden (scripts/update-golden.sh makes them
// anew; read the diff before committing new ones).
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "test_support.h"

namespace morvinta {
namespace {

namespace fs = std::filesystem;
using testing::read_bytes;
using testing::run_tool;
using testing::TempFolder;

std::set<std::string> files_below(const fs::path& root) {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) {
      names.insert(fs::relative(entry.path(), root).generic_string());
    }
  }
  return names;
}

TEST(Golden, ExampleFolderInDirectoryMode) {
  const fs::path golden = fs::path(MORVINTA_SOURCE_DIR) / "tests/data/golden";
  TempFolder folder;
  fs::copy(MORVINTA_EXAMPLES, folder.path(), fs::copy_options::recursive);
  const std::set<std::string> before = files_below(folder.path());

  const auto result = run_tool(folder.path(), "", "MORVINTA_SEED=1");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.output, read_bytes(golden / "console.txt"));

  // Every file the run wrote, and nothing else.
  const fs::path outputs = golden / "files";
  const std::set<std::string> expected = files_below(outputs);
  std::set<std::string> written;
  for (const std::string& name : files_below(folder.path())) {
    if (!before.count(name) ||
        read_bytes(folder.path() / name) !=
            read_bytes(fs::path(MORVINTA_EXAMPLES) / name)) {
      written.insert(name);
    }
  }
  EXPECT_EQ(written, expected);
  for (const std::string& name : expected) {
    EXPECT_EQ(read_bytes(folder.path() / name), read_bytes(outputs / name))
        << name << " differs from its golden copy";
  }
}

}  // namespace
}  // namespace morvinta
