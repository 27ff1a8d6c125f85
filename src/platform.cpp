#include "platform.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

#include "file_names.h"

#ifdef _WIN32
#include <conio.h>
#include <fcntl.h>
#include <io.h>
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>
#else
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
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

std::function<bool(FileStep, const std::string&)> file_step_hook;

// Whether the step may be taken: always, unless a test's hook says no.
bool step_allowed(FileStep step, const std::string& path) {
  return !file_step_hook || file_step_hook(step, path);
}

#ifndef _WIN32
// Puts the folder's entries (a rename into it) on the disk. A file system
// that cannot flush a folder has nothing to flush, so a failure is no fault
// of the write.
void flush_folder_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string(".")
                             : slash == 0               ? std::string("/")
                                                        : path.substr(0, slash);
  if (!step_allowed(FileStep::kFlushFolder, folder)) return;
  const int descriptor =
      open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  fsync(descriptor);
  close(descriptor);
}
#endif

}  // namespace

#ifdef _WIN32
std::vector<std::string> command_line_arguments(int, char**) {
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
  if (words == nullptr) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(utf8_name(words[i]));
  LocalFree(words);
  return arguments;
}

// The pattern is matched here, not by the system, which would also match the
// short 8.3 names ("*.htm" finds "x_1.html" there).
std::vector<std::string> list_report_files() {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(L"*", &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    // Links and cloud placeholders count as files, as they do elsewhere.
    constexpr DWORD kNotRegular =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;
    if ((found.dwFileAttributes & kNotRegular) != 0) continue;
    std::string name = utf8_name(found.cFileName);
    if (is_report_name(name)) names.push_back(std::move(name));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}
#else
std::vector<std::string> command_line_arguments(int argc, char** argv) {
  if (argc < 1) return {};
  return std::vector<std::string>(argv + 1, argv + argc);
}

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

#ifdef _WIN32
bool remove_file(const std::string& path) {
  return DeleteFileW(wide_name(path).c_str()) != 0;
}

bool rename_replacing(const std::string& from, const std::string& to) {
  if (!step_allowed(FileStep::kRename, to)) return false;
  // Write-through: the call returns once the new entry is on the disk.
  return MoveFileExW(wide_name(from).c_str(), wide_name(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

NewFile::NewFile(const std::string& path)
    : path_(path),
      handle_(CreateFileW(wide_name(path).c_str(), GENERIC_WRITE, 0, nullptr,
                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {}

NewFile::~NewFile() {
  if (is_open()) CloseHandle(handle_);
}

bool NewFile::is_open() const { return handle_ != INVALID_HANDLE_VALUE; }

bool NewFile::write(std::string_view bytes) {
  while (is_open() && !bytes.empty()) {
    const DWORD chunk =
        static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr) ||
        written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return is_open();
}

bool NewFile::finish() {
  if (!is_open()) return false;
  const bool flushed = step_allowed(FileStep::kFlushData, path_) &&
                       FlushFileBuffers(handle_) != 0;
  const bool closed = CloseHandle(handle_) != 0;
  handle_ = INVALID_HANDLE_VALUE;
  return flushed && closed;
}
#else
bool remove_file(const std::string& path) {
  return std::remove(path.c_str()) == 0;
}

bool rename_replacing(const std::string& from, const std::string& to) {
  if (!step_allowed(FileStep::kRename, to)) return false;
  if (std::rename(from.c_str(), to.c_str()) != 0) return false;
  flush_folder_of(to);
  return true;
}

NewFile::NewFile(const std::string& path)
    : path_(path),
      descriptor_(
          open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)) {}

NewFile::~NewFile() {
  if (is_open()) close(descriptor_);
}

bool NewFile::is_open() const { return descriptor_ >= 0; }

bool NewFile::write(std::string_view bytes) {
  while (is_open() && !bytes.empty()) {
    const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return is_open();
}

bool NewFile::finish() {
  if (!is_open()) return false;
  const bool flushed =
      step_allowed(FileStep::kFlushData, path_) && fsync(descriptor_) == 0;
  // A failed close may be a write the system could not finish.
  const bool closed = close(descriptor_) == 0;
  descriptor_ = -1;
  return flushed && closed;
}
#endif

bool different_files(const std::string& first, const std::string& second) {
  const std::filesystem::path one = native_path(first);
  const std::filesystem::path other = native_path(second);
  std::error_code error;
  if (!std::filesystem::exists(one, error) || error) return false;
  if (!std::filesystem::exists(other, error) || error) return false;
  const bool same = std::filesystem::equivalent(one, other, error);
  return !same && !error;
}

void set_file_step_hook(
    std::function<bool(FileStep step, const std::string& path)> hook) {
  file_step_hook = std::move(hook);
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
