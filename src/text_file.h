// Files in text mode, the same on every system: on reading a CR LF becomes a
// LF (a lone CR stays), on writing every LF becomes CR LF. The bytes are the
// 1250 bytes of the file; nothing else is converted.
#pragma once

#include <concepts>
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

// Writes the text with CR LF line ends into a temporary file beside the path,
// then renames it over the path, so a failure never leaves half a file. False
// when anything failed; the old file then stays as it was.
bool write_file(const std::string& path, std::string_view text);

}  // namespace morvinta
