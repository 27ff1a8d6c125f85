#include "platform.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <conio.h>
#include <io.h>
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>
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

void setup_console() {
#ifdef _WIN32
  saved_output_code_page = GetConsoleOutputCP();
  SetConsoleOutputCP(CP_UTF8);
#endif
}

void restore_console() {
#ifdef _WIN32
  if (saved_output_code_page != 0) SetConsoleOutputCP(saved_output_code_page);
#endif
}

void wait_for_key() {
  std::fflush(stdout);
#ifdef _WIN32
  if (_isatty(_fileno(stdin))) _getch();
#else
  if (!isatty(STDIN_FILENO)) return;
  termios saved{};
  if (tcgetattr(STDIN_FILENO, &saved) != 0) return;
  termios raw = saved;
  raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
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

}  // namespace morvinta
