#include "file_names.h"

#include "cp1250.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace morvinta {

std::string file_name_from_cp1250(std::string_view cp1250_name) {
  return to_utf8(cp1250_name);
}

#ifdef _WIN32
std::wstring wide_name(std::string_view name) {
  if (name.empty()) return {};
  const int length = MultiByteToWideChar(
      CP_UTF8, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()),
                      wide.data(), length);
  return wide;
}

std::string utf8_name(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(),
                                         static_cast<int>(wide.size()), nullptr,
                                         0, nullptr, nullptr);
  std::string name(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                      name.data(), length, nullptr, nullptr);
  return name;
}

std::filesystem::path native_path(std::string_view name) {
  return std::filesystem::path(wide_name(name));
}
#else
std::filesystem::path native_path(std::string_view name) {
  return std::filesystem::path(std::string(name));
}
#endif

}  // namespace morvinta
