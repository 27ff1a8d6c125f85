#include "text_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
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
  std::string raw;
  char block[1 << 16];
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    raw.append(block, static_cast<std::size_t>(in.gcount()));
  }
  const std::size_t nul = raw.find('\0');
  if (nul != std::string::npos) raw.resize(nul);
  // Every CR that a LF follows goes; the runs between them move up in
  // place, so the file is held once.
  std::size_t kept = 0;
  std::size_t from = 0;
  const auto keep = [&](std::size_t end) {
    std::memmove(raw.data() + kept, raw.data() + from, end - from);
    kept += end - from;
  };
  for (std::size_t cr = raw.find('\r'); cr != std::string::npos;
       cr = raw.find('\r', cr + 1)) {
    if (cr + 1 < raw.size() && raw[cr + 1] == '\n') {
      keep(cr);
      from = cr + 1;
    }
  }
  keep(raw.size());
  raw.resize(kept);
  return raw;
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
    // Written in blocks, so a large report is not copied whole once more.
    constexpr std::size_t kBlock = 1 << 16;
    std::string disk;
    disk.reserve(kBlock + kBlock / 8);
    std::size_t from = 0;
    const auto put = [&](std::size_t end, bool line_end) {
      disk.append(text, from, end - from);
      if (line_end) disk += "\r\n";
      if (disk.size() >= kBlock) {
        out.write(disk.data(), static_cast<std::streamsize>(disk.size()));
        disk.clear();
      }
    };
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos;
         lf = text.find('\n', lf + 1)) {
      put(lf, true);
      from = lf + 1;
    }
    put(text.size(), false);
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
