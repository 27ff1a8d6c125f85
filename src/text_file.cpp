#include "text_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "file_names.h"
#include "platform.h"

namespace morvinta {

namespace {

constexpr std::size_t kLinePiece = 999;

// Drops every CR that a LF follows, moving the runs between them up in
// place; returns the new length.
std::size_t drop_cr_before_lf(char* text, std::size_t size) {
  std::size_t kept = 0;
  std::size_t from = 0;
  const auto keep = [&](std::size_t end) {
    std::memmove(text + kept, text + from, end - from);
    kept += end - from;
  };
  for (const char* cr = static_cast<const char*>(std::memchr(text, '\r', size));
       cr != nullptr;) {
    const auto at = static_cast<std::size_t>(cr - text);
    if (at + 1 < size && text[at + 1] == '\n') {
      keep(at);
      from = at + 1;
    }
    cr = static_cast<const char*>(
        std::memchr(text + at + 1, '\r', size - at - 1));
  }
  keep(size);
  return kept;
}

// Writes the text to `out`, each LF as CR LF, and returns the bytes
// written; `out` has room for twice the text and sixteen bytes more. Sixteen
// bytes are copied at a time: a block without a LF whole, one with a LF up
// to it, the CR LF after, and the next copy starts behind the LF.
std::size_t with_crlf(std::string_view text, char* out) {
  char* at = out;
  const char* in = text.data();
  const char* const end = in + text.size();
#ifdef __SSE2__
  const __m128i lf = _mm_set1_epi8('\n');
  while (end - in >= 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at), block);
    const auto lfs =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lf)));
    if (lfs == 0) {
      in += 16;
      at += 16;
      continue;
    }
    const auto before = static_cast<std::size_t>(__builtin_ctz(lfs));
    at += before;
    *at++ = '\r';
    *at++ = '\n';
    in += before + 1;
  }
#endif
  for (; in < end; ++in) {
    if (*in == '\n') *at++ = '\r';
    *at++ = *in;
  }
  return static_cast<std::size_t>(at - out);
}

}  // namespace

std::optional<std::string> read_file(const std::string& path) {
  const std::filesystem::path native = native_path(path);
  std::error_code error;
  if (std::filesystem::is_directory(native, error)) return std::nullopt;
  std::ifstream in(native, std::ios::binary);
  if (!in) return std::nullopt;
  // Read at the size the file has, so a large file is not copied while its
  // text grows; one that grows meanwhile is read on to its end.
  std::string raw;
  const std::uintmax_t size = std::filesystem::file_size(native, error);
  if (!error) {
    raw.resize(static_cast<std::size_t>(size));
    in.read(raw.data(), static_cast<std::streamsize>(raw.size()));
    raw.resize(static_cast<std::size_t>(in.gcount()));
  }
  char block[1 << 12];
  while (in.read(block, sizeof block) || in.gcount() > 0) {
    raw.append(block, static_cast<std::size_t>(in.gcount()));
  }
  const std::size_t nul = raw.find('\0');
  if (nul != std::string::npos) raw.resize(nul);
  raw.resize(drop_cr_before_lf(raw.data(), raw.size()));
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

FileLines::FileLines(const std::string& path, std::size_t block_size)
    : block_size_(block_size < 1 ? 1 : block_size) {
  const std::filesystem::path native = native_path(path);
  std::error_code error;
  if (std::filesystem::is_directory(native, error)) return;
  // Unbuffered: the blocks are read straight into block_.
  in_.rdbuf()->pubsetbuf(nullptr, 0);
  in_.open(native, std::ios::binary);
  open_ = static_cast<bool>(in_);
  ended_ = !open_;
}

bool FileLines::fill() {
  if (ended_) return false;
  // Keep what is not given yet, then read behind it.
  block_.erase(0, begin_);
  end_ -= begin_;
  begin_ = 0;
  const std::size_t before = block_.size();
  block_.resize(before + block_size_);
  in_.read(block_.data() + before, static_cast<std::streamsize>(block_size_));
  std::size_t got = static_cast<std::size_t>(in_.gcount());
  if (got < block_size_) ended_ = true;
  if (const void* nul = std::memchr(block_.data() + before, '\0', got)) {
    got = static_cast<std::size_t>(static_cast<const char*>(nul) -
                                   (block_.data() + before));
    ended_ = true;
  }
  block_.resize(before + got);
  // A CR held back from the last block goes unless a LF follows it; a CR
  // ending this block is held back in turn.
  if (held_cr_) {
    held_cr_ = false;
    if (got == 0 || block_[before] != '\n') {
      block_.insert(before, 1, '\r');
      ++got;
    }
  }
  if (!ended_ && got > 0 && block_.back() == '\r') {
    held_cr_ = true;
    block_.pop_back();
    --got;
  }
  block_.resize(before + drop_cr_before_lf(block_.data() + before,
                                           block_.size() - before));
  end_ = block_.size();
  return true;
}

std::optional<std::string_view> FileLines::next() {
  for (;;) {
    const std::string_view rest(block_.data() + begin_, end_ - begin_);
    const std::size_t lf = rest.find('\n');
    if (lf != std::string_view::npos && lf <= kLinePiece) {
      // The rest of a cut line ends with its LF; an empty one is no piece.
      const bool empty_rest = lf == 0 && long_line_;
      long_line_ = false;
      begin_ += lf + 1;
      if (empty_rest) continue;
      return rest.substr(0, lf);
    }
    // No LF among the first kLinePiece + 1 bytes: a piece of a longer line
    // (or of one just that long, whose LF is then skipped).
    if (rest.size() >= kLinePiece) {
      long_line_ = true;
      begin_ += kLinePiece;
      return rest.substr(0, kLinePiece);
    }
    if (!fill()) {
      if (rest.empty()) return std::nullopt;
      long_line_ = false;
      begin_ = end_;
      return rest;
    }
  }
}

bool write_file(const std::string& path, std::string_view text) {
  const std::string temporary = path + ".morvinta-tmp";
  {
    NewFile out(temporary);
    if (!out.is_open()) return false;
    // Written in blocks, so a large report is not copied whole once more;
    // a small file in one block of its own size.
    const std::size_t block = std::min<std::size_t>(text.size(), 1 << 16);
    const std::unique_ptr<char[]> disk(new char[2 * block + 16]);
    bool written = true;
    for (std::size_t from = 0; from < text.size(); from += block) {
      const std::size_t size = with_crlf(text.substr(from, block), disk.get());
      written = written && out.write(std::string_view(disk.get(), size));
    }
    // On the disk before the rename: after a crash the name holds the old
    // file or the whole new one, never an empty or partial one.
    if (!out.finish() || !written) {
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
