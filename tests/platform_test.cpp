#include "platform.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "test_support.h"
#include "text_file.h"

namespace morvinta {
namespace {

// Sets MORVINTA_SEED for the scope (absent: unset), then restores it.
class SeedVariable {
 public:
  explicit SeedVariable(const char* value) {
    if (const char* old = getenv(kName)) previous_ = old;
    if (value == nullptr) {
      unsetenv(kName);
    } else {
      setenv(kName, value, 1);
    }
  }
  ~SeedVariable() {
    if (previous_) {
      setenv(kName, previous_->c_str(), 1);
    } else {
      unsetenv(kName);
    }
  }
  SeedVariable(const SeedVariable&) = delete;
  SeedVariable& operator=(const SeedVariable&) = delete;

 private:
  static constexpr const char* kName = "MORVINTA_SEED";
  std::optional<std::string> previous_;
};

bool near_the_clock(std::uint32_t seed) {
  const auto now = static_cast<std::uint32_t>(std::time(nullptr));
  return seed + 5 >= now && seed <= now + 5;
}

// A whole number of 32 bits in the variable fixes the seed; anything else
// falls back to the clock.
TEST(RandomSeed, FromTheVariableOrTheClock) {
  const struct {
    const char* value;  // nullptr: not set at all
    std::optional<std::uint32_t> seed;
  } rows[] = {
      {"0", 0u},
      {"20261206", 20261206u},
      {"4294967295", 4294967295u},
      {"007", 7u},
      {nullptr, {}},
      {"", {}},
      {"4294967296", {}},
      {"-1", {}},
      {"+5", {}},
      {" 5", {}},
      {"5 ", {}},
      {"0x10", {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value == nullptr ? "(unset)" : row.value);
    const SeedVariable variable(row.value);
    const std::uint32_t seed = random_seed();
    if (row.seed) {
      EXPECT_EQ(seed, *row.seed);
    } else {
      EXPECT_TRUE(near_the_clock(seed));
    }
  }
}

// The data is on the disk before the rename makes it the file, and the
// folder's entry after it, so a crash leaves the old file or the whole new
// one. A failed flush or rename (as a failing disk makes it) keeps the old
// file and leaves no temporary one; a folder that cannot be flushed does not
// undo a write in place.
TEST(DurableWrite, DataThenRenameThenFolder) {
  const struct {
    std::optional<FileStep> failing;
    bool written;
  } rows[] = {
      {std::nullopt, true},
      {FileStep::kFlushData, false},
      {FileStep::kRename, false},
      {FileStep::kFlushFolder, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.failing ? static_cast<int>(*row.failing) : -1);
    testing::TempFolder folder;
    folder.write("sub/info.txt", "old");
    std::vector<std::string> steps;
    set_file_step_hook([&](FileStep step, const std::string& path) {
      static constexpr const char* kNames[] = {"flush data ", "rename to ",
                                               "flush folder "};
      steps.push_back(kNames[static_cast<int>(step)] +
                      std::filesystem::path(path).filename().string());
      return step != row.failing;
    });
    EXPECT_EQ(write_file((folder.path() / "sub/info.txt").string(), "new\n"),
              row.written);
    set_file_step_hook(nullptr);
    EXPECT_EQ(folder.read("sub/info.txt"), row.written ? "new\r\n" : "old");
    EXPECT_FALSE(folder.exists("sub/info.txt.morvinta-tmp"));
    if (!row.failing) {
      EXPECT_EQ(steps, (std::vector<std::string>{
                           "flush data info.txt.morvinta-tmp",
                           "rename to info.txt", "flush folder sub"}));
    }
  }
}

TEST(DifferentFiles, OnlyTwoFilesThatExist) {
  testing::TempFolder folder;
  folder.write("a.htm", "x");
  folder.write("b.htm", "x");
  std::filesystem::create_symlink(folder.path() / "a.htm",
                                  folder.path() / "link.htm");
  const testing::InFolder here(folder.path());
  EXPECT_TRUE(different_files("a.htm", "b.htm"));
  EXPECT_FALSE(different_files("a.htm", "a.htm"));
  EXPECT_FALSE(different_files("a.htm", "./a.htm"));
  EXPECT_FALSE(different_files("a.htm", "link.htm"));
  EXPECT_FALSE(different_files("a.htm", "missing.htm"));  // never on a doubt
}

}  // namespace
}  // namespace morvinta
