// Files in text mode, the same on every system: on reading a CR LF becomes a
// LF (a lone CR stays), on writing every LF becomes CR LF. The bytes are the
// 1250 bytes of the file; nothing else is converted.
#pragma once

#include <concepts>
#include <cstddef>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvinta {

// The whole file with LF line ends, up to its first NUL byte (a NUL ends the
// usable text). Absent when the file cannot be opened.
std::optional<std::string> read_file(const std::string& path);

// The lines of a text as the catalogue readers take them: each line without
// its LF, a line longer than 999 bytes in pieces of at most 999 bytes, each
// piece a line of its own. A last line without LF counts; an empty text has
// no lines.
std::vector<std::string_view> line_pieces(std::string_view text);
// The pieces are views into the text: it must outlive them.
template <typename T>
requires std::same_as<T, std::string> std::vector<std::string_view> line_pieces(
    T&& text)
= delete;

// A text file read piece by piece: the line pieces that `line_pieces` cuts
// from the text that `read_file` gives, with only a block of the file held at
// a time (a catalogue is read once, line by line, and need not be held
// whole).
class FileLines {
 public:
  // Reads block_size bytes (at least 1) at a time: few, so that the block
  // is soon memory used before rather than fresh pages.
  explicit FileLines(const std::string& path, std::size_t block_size = 1 << 14);
  FileLines(const FileLines&) = delete;
  FileLines& operator=(const FileLines&) = delete;

  // Whether the file could be opened (a folder cannot).
  bool is_open() const { return open_; }

  // The next piece, valid until the next call; absent after the last one.
  std::optional<std::string_view> next();

 private:
  // Reads the next block of the file behind the pieces not yet given, in
  // text mode; false when nothing more comes (the end or a NUL).
  bool fill();

  std::ifstream in_;
  std::size_t block_size_;
  std::string block_;
  std::size_t begin_ = 0;  // the text not yet given is [begin_, end_)
  std::size_t end_ = 0;
  bool open_ = false;
  bool ended_ = false;      // nothing more to read
  bool held_cr_ = false;    // a CR ended the last block: is a LF next?
  bool long_line_ = false;  // the last piece was cut from a longer line
};

// Writes the text with CR LF line ends into a temporary file beside the path,
// puts it on the disk, then renames it over the path, so neither a failure
// nor a crash or power loss ever leaves half a file. False when anything
// failed; the old file then stays as it was.
bool write_file(const std::string& path, std::string_view text);

}  // namespace morvinta
