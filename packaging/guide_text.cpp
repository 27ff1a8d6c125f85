// Turns the players' guide, kept in the repository as UTF-8, into the text
// Notepad shows right on a Hungarian Windows: code page 1250 with CR LF line
// ends. A character the code page lacks, or bytes that are not UTF-8, stop
// the build with the line that holds them.
//
//   morvinta_guide_text <UTF-8 guide> <1250 guide to write>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "cp1250.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <UTF-8 guide> <1250 guide to write>\n",
                 argv[0]);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot read the file\n", argv[1]);
    return 1;
  }
  std::string text((std::istreambuf_iterator<char>(in)),
                   std::istreambuf_iterator<char>());
  if (text.starts_with(morvinta::kUtf8ByteOrderMark)) {
    text.erase(0, morvinta::kUtf8ByteOrderMark.size());
  }

  std::string out;
  int line = 1;
  for (std::size_t at = 0; at < text.size();) {
    const char byte = text[at];
    if (byte == '\r') {  // the line ends are made anew below
      ++at;
      continue;
    }
    if (byte == '\n') {
      out += "\r\n";
      ++line;
      ++at;
      continue;
    }
    const morvinta::Utf8Character character = morvinta::decode_utf8(text, at);
    if (character.length == 0) {
      std::fprintf(stderr, "%s:%d: bytes that are not UTF-8\n", argv[1], line);
      return 1;
    }
    try {
      out += static_cast<char>(
          morvinta::cp1250_detail::encode(character.code_point));
    } catch (const char*) {
      std::fprintf(stderr, "%s:%d: U+%04X is not in code page 1250\n", argv[1],
                   line, static_cast<unsigned>(character.code_point));
      return 1;
    }
    at += character.length;
  }
  if (!out.empty() && !out.ends_with("\r\n")) out += "\r\n";

  std::ofstream file(argv[2], std::ios::binary | std::ios::trunc);
  file.write(out.data(), static_cast<std::streamsize>(out.size()));
  file.close();
  if (!file) {
    std::fprintf(stderr, "%s: cannot write the file\n", argv[2]);
    return 1;
  }
  return 0;
}
