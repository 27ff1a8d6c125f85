// File and folder names. The tool holds every name as UTF-8, the form the
// players' systems show: on Linux the bytes of the name as they stand, on
// Windows converted to the system's UTF-16 names where a file is opened,
// listed, renamed or removed, so a working folder such as
// "C:\Users\Gábor\Játékok" works whatever the system's ANSI code page. A
// folder that the 1250 settings file names is turned into UTF-8 here too.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace morvinta {

// The folder or file name that a 1250 text (a settings entry) names, as
// UTF-8; ASCII names stay as they are, and an empty text gives "".
std::string file_name_from_cp1250(std::string_view cp1250_name);

// The system's own form of a UTF-8 name, for the standard library's file
// operations: the bytes unchanged on POSIX, UTF-16 on Windows.
std::filesystem::path native_path(std::string_view name);

#ifdef _WIN32
// A UTF-8 name as UTF-16 for the wide system calls, and back; a byte that is
// not UTF-8 becomes U+FFFD, as a lone surrogate does on the way back.
std::wstring wide_name(std::string_view name);
std::string utf8_name(std::wstring_view wide);
#endif

}  // namespace morvinta
