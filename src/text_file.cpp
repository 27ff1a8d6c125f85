#include "text_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform.h"

namespace morvinta {

namespace {

constexpr std::size_t kLinePiece = 999;

}  // namespace

std::optional<std::string> read_file(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string raw((std::istreambuf_iterator<char>(in)),
                  std::istreambuf_iterator<char>());
  const std::size_t nul = raw.find('\0');
  if (nul != std::string::npos) raw.resize(nul);
  std::string text;
  text.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    text += raw[i];
  }
  return text;
}

std::vector<std::string_view> line_pieces(std::string_view text) {
  std::vector<std::string_view> pieces;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t end = text.find('\n', begin);
    const std::size_t next =
        end == std::string_view::npos ? text.size() : end + 1;
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(begin, end - begin);
    if (line.empty()) pieces.push_back(line);
    while (!line.empty()) {
      pieces.push_back(line.substr(0, kLinePiece));
      line.remove_prefix(std::min(line.size(), kLinePiece));
    }
    begin = next;
  }
  return pieces;
}

bool write_file(const std::string& path, std::string_view text) {
  const std::string temporary = path + ".morvinta-tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    std::string disk;
    disk.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
      if (c == '\n') disk += '\r';
      disk += c;
    }
    out.write(disk.data(), static_cast<std::streamsize>(disk.size()));
    out.flush();
    if (!out) {
      out.close();
      remove_file(temporary);
      return false;
    }
  }
  if (!rename_replacing(temporary, path)) {
    remove_file(temporary);
    return false;
  }
  return true;
}

}  // namespace morvinta
