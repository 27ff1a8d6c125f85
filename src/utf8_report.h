// Reports saved in UTF-8. The game publishes its reports in code page 1250,
// but a browser's "save complete page" may write the page in UTF-8 and say
// so in its charset declaration. Read as 1250 such a page matches no anchor,
// so it is turned back into the 1250 page before anything reads it.
#pragma once

#include <string>
#include <string_view>

namespace morvinta {

// Whether the report is UTF-8: a byte order mark starts it, or the first
// charset declaration of its head names UTF-8, or its bytes are valid UTF-8
// whose characters beyond ASCII are mostly letters and signs that 1250 holds
// (a 1250 page whose bytes happen to pair up reads as signs of other scripts
// in UTF-8). A text without bytes above 127 and such a declaration is not.
bool is_utf8_report(std::string_view text);

// The UTF-8 text in 1250: a character that 1250 lacks becomes a numeric
// character reference "&#N;", a byte that is no part of a UTF-8 character
// stays as it is, a leading byte order mark goes, and a charset declaration
// of the head that names UTF-8 then names windows-1250, so that the pages
// written from it tell the browser the truth.
std::string utf8_report_to_cp1250(std::string_view utf8_text);

// Converts the report in place when it is UTF-8; true when it was.
bool convert_utf8_report(std::string& text);

}  // namespace morvinta
