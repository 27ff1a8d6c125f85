#include "platform.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string_view>
#include <system_error>

#ifdef _WIN32
#include <conio.h>
#include <fcntl.h>
#include <io.h>
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace morvinta {

namespace {

bool is_report_name(const std::string& name) {
  if (name.size() < 4) return false;
  const std::string_view extension(name.data() + name.size() - 4, 4);
  static constexpr char kLower[] = ".htm";
  for (std::size_t i = 0; i < 4; ++i) {
    char c = extension[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kLower[i]) return false;
  }
  return name.find('_') < name.size() - 4;
}

#ifdef _WIN32
unsigned int saved_output_code_page = 0;
#endif

}  // namespace

#ifdef _WIN32
// The ANSI listing gives the names in the same code page as the narrow names
// every file is opened with; std::filesystem would give them in UTF-8. The
// pattern is matched here, not by the system, which would also match the
// short 8.3 names ("*.htm" finds "x_1.html" there).
std::vector<std::string> list_report_files() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA("*", &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    // Links and cloud placeholders count as files, as they do elsewhere.
    constexpr DWORD kNotRegular =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;
    if ((found.dwFileAttributes & kNotRegular) != 0) continue;
    std::string name = found.cFileName;
    if (is_report_name(name)) names.push_back(std::move(name));
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}
#else
std::vector<std::string> list_report_files() {
  std::vector<std::string> names;
  std::error_code error;
  std::filesystem::directory_iterator it(".", error);
  if (error) return names;
  for (const auto& entry : it) {
    std::error_code type_error;
    if (!entry.is_regular_file(type_error)) continue;
    std::string name = entry.path().filename().string();
    if (is_report_name(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}
#endif

void setup_console() {
#ifdef _WIN32
  // The bytes written are the same as elsewhere: no "\r" added before "\n".
  _setmode(_fileno(stdout), _O_BINARY);
  saved_output_code_page = GetConsoleOutputCP();
  if (saved_output_code_page != 0) SetConsoleOutputCP(CP_UTF8);
  // Unbuffered, the C runtime hands a console single bytes, and a letter's
  // UTF-8 sequence split over two writes shows as two wrong signs. Buffered,
  // the text goes out in large pieces, at the latest at the key press.
  DWORD mode = 0;
  if (GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode))
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
#endif
}

void restore_console() {
#ifdef _WIN32
  // What is still buffered is UTF-8: out with it before the code page goes.
  std::fflush(stdout);
  if (saved_output_code_page != 0) SetConsoleOutputCP(saved_output_code_page);
#endif
}

void wait_for_key() {
  std::fflush(stdout);
#ifdef _WIN32
  // _isatty would also count the NUL device ("< NUL") as a terminal.
  DWORD mode = 0;
  if (GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode)) _getch();
#else
  if (!isatty(STDIN_FILENO)) return;
  termios saved{};
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return;
  termios raw = saved;
  // Ctrl+C is a key here, as for _getch: as a signal it would end the run
  // with the terminal left without echo.
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO | ISIG));
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  char key = 0;
  [[maybe_unused]] const auto got = read(STDIN_FILENO, &key, 1);
  tcsetattr(STDIN_FILENO, TCSANOW, &saved);
#endif
}

bool remove_file(const std::string& path) {
  return std::remove(path.c_str()) == 0;
}

bool rename_replacing(const std::string& from, const std::string& to) {
#ifdef _WIN32
  return MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

std::uint32_t random_seed() {
  if (const char* fixed = std::getenv("MORVINTA_SEED")) {
    const std::string_view digits(fixed);
    std::uint32_t seed = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), seed);
    if (error == std::errc() && end == digits.data() + digits.size())
      return seed;
  }
  return static_cast<std::uint32_t>(std::time(nullptr));
}

void reuse_freed_memory() {
#ifdef __GLIBC__
  // Blocks up to 32 MiB come from the heap, and freed memory stays there
  // for the next block instead of going back to the system.
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
  mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
#endif
}

}  // namespace morvinta
