#include "text_file.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "test_support.h"

namespace morvinta {
namespace {

using testing::TempFolder;

TEST(ReadFile, TextModeAndNul) {
  TempFolder folder;
  const struct {
    std::string disk;
    std::string text;
  } cases[] = {
      {"a\r\nb\r\n", "a\nb\n"},
      {"a\rb\r", "a\rb\r"},  // a lone CR stays
      {"a\r\r\nb", "a\r\nb"},
      {std::string("ab\0cd", 5), "ab"},  // a NUL ends the usable text
      {"", ""},
      // Long lines and big files are read whole.
      {std::string(2'000'000, 'x') + "\r\nend",
       std::string(2'000'000, 'x') + "\nend"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 20));
    folder.write("f.txt", c.disk);
    const auto text = read_file((folder.path() / "f.txt").string());
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, c.text);
  }
  EXPECT_FALSE(read_file((folder.path() / "missing.txt").string()));
  EXPECT_FALSE(read_file(folder.path().string()));  // a folder is no file
}

TEST(LinePieces, CutAt999) {
  const std::string long_line = std::string(999, 'a') + std::string(5, 'b');
  const std::string text = long_line + "\n\nlast";
  const auto pieces = line_pieces(text);
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_EQ(pieces[0], std::string(999, 'a'));
  EXPECT_EQ(pieces[1], "bbbbb");
  EXPECT_EQ(pieces[2], "");
  EXPECT_EQ(pieces[3], "last");
  const std::string exact = std::string(999, 'c') + "\n";
  EXPECT_EQ(line_pieces(exact).size(), 1u);
  EXPECT_TRUE(line_pieces("").empty());
}

TEST(WriteFile, CrLfAndReplacesAtomically) {
  TempFolder folder;
  const std::string path = (folder.path() / "out.ul").string();
  folder.write("out.ul", "old");
  ASSERT_TRUE(write_file(path, "a\nb\n"));
  EXPECT_EQ(folder.read("out.ul"), "a\r\nb\r\n");
  EXPECT_FALSE(folder.exists("out.ul.morvinta-tmp"));
  // Texts of LFs in every density, a CR already before one, across the
  // blocks the text is written in, against the plain way; read back, each
  // text is as it was (reading drops the one CR that writing put before a
  // LF, wherever it stands in the blocks read).
  std::mt19937 random(2026);
  for (const int every : {1, 2, 15, 16, 17, 40, 100000}) {
    std::string text;
    for (int i = 0; i < 140000; ++i) {
      const auto pick = random() % static_cast<unsigned>(every);
      text += pick == 0   ? '\n'
              : pick == 1 ? '\r'
                          : static_cast<char>('a' + pick % 26);
    }
    std::string disk;
    for (const char c : text) {
      if (c == '\n') disk += '\r';
      disk += c;
    }
    SCOPED_TRACE(every);
    ASSERT_TRUE(write_file(path, text));
    ASSERT_EQ(folder.read("out.ul"), disk);
    ASSERT_EQ(read_file(path), text);
  }
  // A folder that does not exist: nothing written, nothing left behind.
  EXPECT_FALSE(write_file((folder.path() / "none" / "x.htm").string(), "x"));
}

}  // namespace
}  // namespace morvinta
