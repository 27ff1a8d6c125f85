// The players' guide (packaging/OLVASSEL.txt) and the settings template
// (examples/cfg/cfg_xxxx.txt, shipped as cfg/cfg_xxxx.txt) keep up with the
// sources: the settings keys the tool reads and the lines it can print are
// found by reading src/, and each must be explained.
//
// Settings keys are the literals of
//   - the switch table, each row a key and its field ("..."_cp, &Settings::);
//   - every statement that searches the settings text: it names settings_text
//     or settings_number( or passes a view of the settings text (a variable
//     set from settings_text) as a first argument: f(settings, "key", ...);
// plus the dressing plan's keys, which are read through a table.
// Console lines are the literals of
//   - the first argument of say, sayf and say_cp1250 (a k-constant given
//     there is looked up), split at line feeds;
//   - every plain one-line literal ending in ": ", the labels printed before
//     "OK".
// A line with fewer than two letters (a mark, a bare number) is left out;
// printf placeholders match any text.
//
// In the guide each key stands as „key” and each console line inside some
// „...” (… or an example for each placeholder); in the template each key
// starts a line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "cp1250.h"
#include "test_support.h"

namespace morvinta {
namespace {

using testing::read_bytes;

const std::filesystem::path kSource = MORVINTA_SOURCE_DIR;

struct Literal {
  std::size_t start = 0;  // the opening quote in the code
  std::size_t end = 0;    // after the closing quote and any suffix
  std::string text;       // the characters, escapes resolved
  bool cp = false;        // written "..."_cp
};

struct SourceFile {
  std::string name;
  std::string code;  // comments and the insides of literals blanked
  std::vector<Literal> literals;

  // "src/<name>:<line>" of a place in the code.
  std::string where(std::size_t at) const {
    const auto line = std::count(code.begin(), code.begin() + at, '\n') + 1;
    return "src/" + name + ":" + std::to_string(line);
  }
};

bool identifier_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9') || c == '_';
}

SourceFile lex(std::string name, const std::string& text) {
  SourceFile file{std::move(name), text, {}};
  std::string& code = file.code;
  std::size_t i = 0;
  while (i < code.size()) {
    if (code.compare(i, 2, "//") == 0) {
      while (i < code.size() && code[i] != '\n') code[i++] = ' ';
    } else if (code.compare(i, 2, "/*") == 0) {
      const std::size_t close = code.find("*/", i + 2);
      const std::size_t stop =
          close == std::string::npos ? code.size() : close + 2;
      for (; i < stop; ++i) {
        if (code[i] != '\n') code[i] = ' ';
      }
    } else if (code[i] == '\'' && !(i > 0 && identifier_char(code[i - 1]))) {
      ++i;  // a character literal, such as '"'
      while (i < code.size() && code[i] != '\'') {
        if (code[i] == '\\') code[i++] = ' ';
        code[i++] = ' ';
      }
      ++i;
    } else if (code[i] == '"') {
      Literal literal;
      literal.start = i++;
      while (i < code.size() && code[i] != '"') {
        char c = code[i];
        if (c == '\\' && i + 1 < code.size()) {
          code[i++] = ' ';
          c = code[i];
          c = c == 'n' ? '\n' : c == 't' ? '\t' : c;
        }
        literal.text += c;
        code[i++] = ' ';
      }
      ++i;
      if (code.compare(i, 3, "_cp") == 0) {
        literal.cp = true;
        i += 3;
      }
      literal.end = i;
      file.literals.push_back(std::move(literal));
    } else {
      ++i;
    }
  }
  return file;
}

std::vector<SourceFile> read_sources() {
  std::vector<std::filesystem::path> paths;
  for (const auto& entry :
       std::filesystem::directory_iterator(kSource / "src")) {
    const auto extension = entry.path().extension();
    if (extension == ".cpp" || extension == ".h") paths.push_back(entry.path());
  }
  std::sort(paths.begin(), paths.end());
  std::vector<SourceFile> files;
  for (const auto& path : paths) {
    files.push_back(lex(path.filename().string(), read_bytes(path)));
  }
  return files;
}

bool blank(std::string_view code) {
  return code.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The literals that start in [begin, end), adjacent ones joined as the
// compiler joins them.
std::vector<Literal> literals_in(const SourceFile& file, std::size_t begin,
                                 std::size_t end) {
  std::vector<Literal> found;
  for (const Literal& literal : file.literals) {
    if (literal.start < begin || literal.start >= end) continue;
    if (!found.empty() &&
        blank(std::string_view(file.code).substr(
            found.back().end, literal.start - found.back().end))) {
      found.back().text += literal.text;
      found.back().end = literal.end;
      continue;
    }
    found.push_back(literal);
  }
  return found;
}

// The statement around a place: from after the previous ";", "{" or "}" to
// the next one.
std::pair<std::size_t, std::size_t> statement_around(const std::string& code,
                                                     std::size_t at) {
  const std::size_t before = code.find_last_of(";{}", at);
  const std::size_t after = code.find_first_of(";{}", at);
  return {before == std::string::npos ? 0 : before + 1,
          after == std::string::npos ? code.size() : after};
}

// The end of the first argument of a call whose "(" is at open.
std::size_t first_argument_end(const std::string& code, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open + 1; i < code.size(); ++i) {
    const char c = code[i];
    if (c == '(' || c == '[' || c == '{') ++depth;
    if (c == ')' || c == ']' || c == '}') {
      if (depth == 0) return i;
      --depth;
    }
    if (c == ',' && depth == 0) return i;
  }
  return code.size();
}

// The places where the word stands in the code as a whole identifier.
std::vector<std::size_t> word_places(const std::string& code,
                                     std::string_view word) {
  std::vector<std::size_t> places;
  for (std::size_t at = code.find(word); at != std::string::npos;
       at = code.find(word, at + 1)) {
    const std::size_t after = at + word.size();
    if ((at > 0 && identifier_char(code[at - 1])) ||
        (after < code.size() && identifier_char(code[after]))) {
      continue;
    }
    places.push_back(at);
  }
  return places;
}

// The first character before or after a place that is not a blank; 0 at the
// ends of the code.
char previous_char(const std::string& code, std::size_t at) {
  const std::size_t i = code.find_last_not_of(" \t\r\n", at == 0 ? 0 : at - 1);
  return at == 0 || i == std::string::npos ? '\0' : code[i];
}
char next_char(const std::string& code, std::size_t at) {
  const std::size_t i = code.find_first_not_of(" \t\r\n", at);
  return i == std::string::npos ? '\0' : code[i];
}

// The identifier that ends right before a place (blanks skipped).
std::string identifier_before(const std::string& code, std::size_t at) {
  std::size_t end = code.find_last_not_of(" \t\r\n", at == 0 ? 0 : at - 1);
  if (at == 0 || end == std::string::npos) return {};
  std::size_t begin = end + 1;
  while (begin > 0 && identifier_char(code[begin - 1])) --begin;
  return code.substr(begin, end + 1 - begin);
}

std::size_t letter_count(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
               static_cast<unsigned char>(c) >= 0x80;
      }));
}

// Something the sources use, with where they use it.
struct Found {
  std::string text;
  std::string where;
};

bool has(const std::vector<Found>& list, std::string_view text) {
  return std::any_of(list.begin(), list.end(),
                     [&](const Found& f) { return f.text == text; });
}

void add_found(std::vector<Found>& list, std::string text, std::string where) {
  if (!has(list, text)) list.push_back({std::move(text), std::move(where)});
}

std::vector<Found> settings_keys(const std::vector<SourceFile>& files) {
  std::vector<Found> keys;
  const auto add = [&](const SourceFile& file, const Literal& literal) {
    if (letter_count(literal.text) >= 2) {
      add_found(keys, literal.text, file.where(literal.start));
    }
  };
  for (const SourceFile& file : files) {
    const std::string& code = file.code;
    // A row of the switch table: the key, then its field.
    for (const Literal& literal : file.literals) {
      const std::size_t comma = code.find_first_not_of(" \t\r\n", literal.end);
      if (comma != std::string::npos && code[comma] == ',' &&
          code.find_first_not_of(" \t\r\n", comma + 1) ==
              code.find("&Settings::", comma)) {
        add(file, literal);
      }
    }
    std::vector<std::size_t> places = word_places(code, "settings_text");
    for (const std::size_t at : word_places(code, "settings_number")) {
      places.push_back(at);
    }
    // A view of the settings text ("settings = ...settings_text;") passed
    // as a first argument.
    for (const std::size_t at : word_places(code, "settings_text")) {
      if (next_char(code, at + 13) != ';') continue;
      std::size_t begin = at;
      while (begin > 0 &&
             (identifier_char(code[begin - 1]) || code[begin - 1] == '.')) {
        --begin;
      }
      if (previous_char(code, begin) != '=') continue;
      const std::string view = identifier_before(code, code.rfind('=', begin));
      for (const std::size_t use : word_places(code, view)) {
        if (previous_char(code, use) == '(' &&
            next_char(code, use + view.size()) == ',') {
          places.push_back(use);
        }
      }
    }
    for (const std::size_t at : places) {
      const auto [begin, end] = statement_around(code, at);
      for (const Literal& literal : literals_in(file, begin, end)) {
        add(file, literal);
      }
    }
  }
  // The dressing plan's keys stand in a table whose rows the lookup reads.
  for (const std::string key : {"LE1:", "KF1:", "LE2:", "KF2:"}) {
    add_found(keys, key, "src/order_sheet.cpp (the dressing steps)");
  }
  return keys;
}

std::vector<Found> console_lines(const std::vector<SourceFile>& files) {
  std::vector<Found> lines;
  const std::regex placeholder(
      R"(%[-+ #0]*[0-9]*(\.[0-9]*)?(hh|h|ll|l|z|j|t|L)?[diouxXeEfgGcsp])");
  const auto add = [&](const std::string& text, bool printf_template,
                       const std::string& where) {
    std::size_t from = 0;
    while (from <= text.size()) {
      std::size_t to = text.find('\n', from);
      if (to == std::string::npos) to = text.size();
      std::string line = text.substr(from, to - from);
      if (printf_template && line.find('%') != std::string::npos) {
        line = std::regex_replace(line, placeholder, "\x01");
        line = std::regex_replace(line, std::regex("%%"), "%");
      }
      std::string squeezed;
      for (const char c : line) {
        const bool space = c == ' ' || c == '\t';
        if (!space) squeezed += c;
        if (space && !squeezed.empty() && squeezed.back() != ' ') {
          squeezed += ' ';
        }
      }
      while (!squeezed.empty() && squeezed.back() == ' ') squeezed.pop_back();
      if (letter_count(squeezed) >= 2) add_found(lines, squeezed, where);
      from = to + 1;
    }
  };
  for (const SourceFile& file : files) {
    const std::string& code = file.code;
    for (const std::string_view name : {"say", "sayf", "say_cp1250"}) {
      for (const std::size_t at : word_places(code, name)) {
        const std::size_t open =
            code.find_first_not_of(" \t\r\n", at + name.size());
        if (open == std::string::npos || code[open] != '(' ||
            previous_char(code, at) == '.') {
          continue;
        }
        const std::size_t end = first_argument_end(code, open);
        const auto found = literals_in(file, open, end);
        for (const Literal& literal : found) {
          add(literal.text, name == "sayf", file.where(literal.start));
        }
        const std::string argument = identifier_before(code, end);
        if (!found.empty() || !argument.starts_with("k") ||
            previous_char(code, end - argument.size()) != '(') {
          continue;
        }
        // A constant: the literal of its definition, in whichever file.
        for (const SourceFile& other : files) {
          for (const std::size_t use : word_places(other.code, argument)) {
            const std::size_t equals =
                other.code.find_first_not_of(" \t\r\n", use + argument.size());
            if (equals == std::string::npos || other.code[equals] != '=') {
              continue;
            }
            const std::size_t value =
                other.code.find_first_not_of(" \t\r\n", equals + 1);
            const auto defined = literals_in(
                other, value, statement_around(other.code, value).second);
            if (!defined.empty() && defined[0].start == value) {
              add(defined[0].text, false, file.where(at));
            }
          }
        }
      }
    }
    for (const Literal& literal : file.literals) {
      if (!literal.cp && literal.text.ends_with(": ") &&
          literal.text.find('\n') == std::string::npos) {
        add(literal.text, false, file.where(literal.start));
      }
    }
  }
  return lines;
}

// The texts the guide writes between „ and ”, blanks and line breaks
// squeezed to one blank.
std::vector<std::string> guide_quotes(const std::string& guide) {
  std::vector<std::string> quotes;
  const std::string open = "„", close = "”";
  for (std::size_t at = guide.find(open); at != std::string::npos;
       at = guide.find(open, at)) {
    at += open.size();
    const std::size_t end = guide.find(close, at);
    if (end == std::string::npos) break;
    quotes.push_back(std::regex_replace(guide.substr(at, end - at),
                                        std::regex("[ \t\r\n]+"), " "));
    at = end;
  }
  return quotes;
}

// Whether the text holds the line's fixed parts in order; a placeholder
// (byte 1) matches any text.
bool holds_line(std::string_view text, std::string_view line) {
  std::size_t at = 0;
  std::size_t from = 0;
  while (from <= line.size()) {
    std::size_t to = line.find('\x01', from);
    if (to == std::string_view::npos) to = line.size();
    const std::string_view part = line.substr(from, to - from);
    const std::size_t found = text.find(part, at);
    if (found == std::string_view::npos) return false;
    at = found + part.size();
    from = to + 1;
  }
  return true;
}

// A key as a pattern: "%d" stands for a number.
std::string key_pattern(std::string_view key) {
  std::string pattern;
  for (std::size_t i = 0; i < key.size(); ++i) {
    if (key.substr(i, 2) == "%d") {
      pattern += "[0-9]+";
      ++i;
    } else if (std::string_view(".^$|()[]{}*+?\\").find(key[i]) !=
               std::string_view::npos) {
      pattern += std::string("\\") + key[i];
    } else {
      pattern += key[i];
    }
  }
  return pattern;
}

// The guide names the key as „key”; a key ending in ":" may go on with the
// form of its entry („tárgy: (#40) db: < 5 "..."”).
bool guide_names_key(const std::vector<std::string>& quotes,
                     std::string_view key) {
  const std::regex pattern(key_pattern(key) +
                           (key.ends_with(":") ? "( .*)?" : ""));
  return std::any_of(quotes.begin(), quotes.end(), [&](const std::string& q) {
    return std::regex_match(q, pattern);
  });
}

// The template has an entry of the key: at the start of a line, followed by
// its ":" (in the key or after blanks).
bool template_has_key(const std::string& text, std::string_view key) {
  const std::string tail =
      key.ends_with(":") || key.ends_with(")") ? "" : "[ \t]*:";
  return std::regex_search(
      text, std::regex("(^|\n)[ \t]*" + key_pattern(key) + tail));
}

const std::vector<Found>& keys() {
  static const std::vector<Found> found = settings_keys(read_sources());
  return found;
}

const std::vector<Found>& lines() {
  static const std::vector<Found> found = console_lines(read_sources());
  return found;
}

class GuideCoverage : public ::testing::Test {
 protected:
  const std::string guide_ = read_bytes(kSource / "packaging/OLVASSEL.txt");
  const std::string template_ =
      read_bytes(kSource / "examples/cfg/cfg_xxxx.txt");
};

// The scan must keep finding each way the sources read a key or print a
// line, or the other tests would pass on nothing.
TEST_F(GuideCoverage, ScanFindsEveryKindOfLookupAndLine) {
  for (const char* key : {"papirang", "kihívás tornya", "fordulók könyvtára",
                          "tanácsadó", "táblázat mérete", "kompánia alapító",
                          "tárgy:", "par#%d:", "szörnyek:"}) {
    EXPECT_TRUE(has(keys(), key)) << key;
  }
  EXPECT_FALSE(has(keys(), "%d_%d.htm"));
  for (const char* line : {"nincs meg a karakterlap!", "\x01(fno): \x01",
                           "vedelem:", "nem talalom a \"targyak.txt\"-t!",
                           "a kilepeshez nyomj meg egy "
                           "billentyut!",
                           "morvinta@example.org", "Ero :"}) {
    EXPECT_TRUE(has(lines(), line)) << line;
  }
  EXPECT_GE(keys().size(), 45u);
  EXPECT_GE(lines().size(), 100u);
}

TEST_F(GuideCoverage, TemplateHasEveryKeyInCodePage1250WithCrLf) {
  ASSERT_FALSE(template_.empty());
  const std::string text = to_utf8(template_);
  for (const Found& key : keys()) {
    EXPECT_TRUE(template_has_key(text, key.text))
        << "examples/cfg/cfg_xxxx.txt has no entry of the settings key \""
        << key.text << "\" (read at " << key.where
        << "): add a line starting with it, with a comment on its meaning";
  }
  EXPECT_EQ(std::regex_search(template_, std::regex("[^\r]\n")), false)
      << "examples/cfg/cfg_xxxx.txt has a line without CR LF";
}

TEST_F(GuideCoverage, GuideExplainsEveryKey) {
  ASSERT_FALSE(guide_.empty());
  const auto quotes = guide_quotes(guide_);
  for (const Found& key : keys()) {
    EXPECT_TRUE(guide_names_key(quotes, key.text))
        << "packaging/OLVASSEL.txt does not explain the settings key \""
        << key.text << "\" (read at " << key.where << "): write it as „"
        << key.text
        << "” in the settings chapter, with its meaning and default";
  }
}

TEST_F(GuideCoverage, GuideExplainsEveryConsoleLine) {
  ASSERT_FALSE(guide_.empty());
  const auto quotes = guide_quotes(guide_);
  for (const Found& line : lines()) {
    const bool explained = std::any_of(
        quotes.begin(), quotes.end(),
        [&](const std::string& q) { return holds_line(q, line.text); });
    std::string shown = line.text;
    std::replace(shown.begin(), shown.end(), '\x01', '*');
    EXPECT_TRUE(explained)
        << "packaging/OLVASSEL.txt does not explain the console line \""
        << shown << "\" (printed at " << line.where
        << "): quote it between „ and ” (with … or an example in place of "
           "each *) in the messages chapter, with what it means and what to "
           "do";
  }
}

}  // namespace
}  // namespace morvinta
