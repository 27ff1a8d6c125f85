// The addresses the tool writes into reports and prints: where players write
// about faults, the outside encyclopedia, the statistics page, the
// publisher's images and footer, and where the tool can be downloaded.
#pragma once

#include <string_view>

namespace morvinta {

inline constexpr std::string_view kProgramName = "morvinta";
// The project's version, set once in CMakeLists.txt: what "--version" prints
// and what the release zip's name carries.
inline constexpr std::string_view kVersion = MORVINTA_VERSION;

// Printed in the banner and written in the credit block.
inline constexpr std::string_view kContactAddress = "morvinta@example.org";

// Host of the on-line encyclopedia; the paths follow it.
inline constexpr std::string_view kEncyclopediaHost =
    "http://webhyper.example.org";

// The company statistics page that the power score row links to.
inline constexpr std::string_view kStatisticsPage =
    "http://kompania.example.org/kompania/stat.php";

// The publisher's image base, which a local image folder can replace.
inline constexpr std::string_view kPublisherImageBase =
    "http://jatek.example.org/pic";

// Where players download the tool.
inline constexpr std::string_view kDownloadAddress =
    "http://morvinta.example.org/morvinta/morvinta3.zip";

// The two forms of the publisher's footer line that end a report.
inline constexpr std::string_view kReportFooters[] = {
    "&copy <a href=\"http://jatek.example.org/\"><b>Jatek Kiado</b></a>, "
    "1992-2003<br>",
    "&copy <a href=\"http://jatek.example.org/\"><b>Jatek Kiado</b></a> "
    "1992-2003.<br>",
};

}  // namespace morvinta
