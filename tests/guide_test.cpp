// The players' guide (packaging/OLVASSEL.txt) and the settings template
// (examples/cfg/cfg_xxxx.txt) keep up with the sources: every settings key
// src/ reads must start a line of the template and stand as „key” in the
// guide; every console line it can print must stand inside some „...” of the
// guide (… or an example in place of each placeholder).
//
// The scan follows how src/ is written. Keys: the rows of the switch table
// ({"key"_cp, &Settings::...}) and of the dressing steps ({"LE1:", ...}),
// and the literal right after the settings text in a lookup (settings_text,
// settings_number(report, or a view named settings; also in formatted()).
// Lines: the literals of the first argument of say, sayf and say_cp1250
// (adjacent ones joined, a k-constant looked up) split at line feeds, and
// every one-line literal ending in ": " that is not _cp (the labels printed
// before "OK"). Comments and lines of fewer than two letters are left out.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cp1250.h"
#include "test_support.h"

namespace morvinta {
namespace {

using testing::read_bytes;

const std::filesystem::path kSource = MORVINTA_SOURCE_DIR;
const std::string kLiteral = R"("(?:[^"\\\n]|\\.)*")";

// Something the sources use, with where they use it.
struct Found {
  std::string text;
  std::string where;
};

struct Source {
  std::string name;
  std::string code;  // comments blanked, lines kept
  std::string where(std::ptrdiff_t at) const {
    const auto line = std::count(code.begin(), code.begin() + at, '\n') + 1;
    return "src/" + name + ":" + std::to_string(line);
  }
};

const std::vector<Source>& sources() {
  static const std::vector<Source> files = [] {
    std::vector<Source> read;
    const std::set<std::filesystem::path> paths(
        std::filesystem::directory_iterator(kSource / "src"), {});
    for (const auto& path : paths) {
      std::string code = read_bytes(path);
      // A comment starts the line or follows a blank ("http://" does not).
      for (std::size_t at = code.find("//"); at != std::string::npos;
           at = code.find("//", at + 1)) {
        if (at > 0 && code[at - 1] != ' ' && code[at - 1] != '\n') continue;
        for (; at < code.size() && code[at] != '\n'; ++at) code[at] = ' ';
      }
      // The one character literal that holds a quote.
      for (auto at = code.find("'\"'"); at != std::string::npos;
           at = code.find("'\"'", at)) {
        code[++at] = ' ';
      }
      read.push_back({path.filename().string(), std::move(code)});
    }
    return read;
  }();
  return files;
}

// The characters of the literals in the code, escapes resolved, joined.
std::string literal_text(const std::string& code) {
  static const std::regex literal(kLiteral);
  std::string text;
  for (std::sregex_iterator it(code.begin(), code.end(), literal), end;
       it != end; ++it) {
    const std::string quoted = it->str();
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
      char c = quoted[i];
      if (c == '\\') {
        c = quoted[++i];
        c = c == 'n' ? '\n' : c == 't' ? '\t' : c;
      }
      text += c;
    }
  }
  return text;
}

bool has(const std::vector<Found>& list, std::string_view text) {
  return std::any_of(list.begin(), list.end(),
                     [&](const Found& f) { return f.text == text; });
}

// Adds a text with at least two letters that the list lacks.
void add_found(std::vector<Found>& list, std::string text, std::string where) {
  const auto letters = std::count_if(text.begin(), text.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
           static_cast<unsigned char>(c) >= 0x80;
  });
  if (letters >= 2 && !has(list, text)) list.push_back({text, where});
}

// Calls f(source, match, at) for each match of the pattern that starts at a
// place "at" of one of the anchors, the next one looked for after the match
// (the pattern alone over whole files would take seconds).
template <typename F>
void each_match(std::initializer_list<std::string_view> anchors,
                const std::string& pattern, F f) {
  const std::regex re(pattern);
  for (const Source& source : sources()) {
    const std::string& code = source.code;
    for (const std::string_view anchor : anchors) {
      for (auto at = code.find(anchor); at != std::string::npos;
           at = code.find(anchor, at + 1)) {
        const auto from = static_cast<std::ptrdiff_t>(at);
        std::smatch m;
        if (std::regex_search(code.begin() + from, code.end(), m, re,
                              std::regex_constants::match_continuous)) {
          f(source, m, from);
          at += static_cast<std::size_t>(m.length(0)) - 1;
        }
      }
    }
  }
}

const std::vector<Found>& keys() {
  static const std::vector<Found> found = [] {
    std::vector<Found> keys;
    const auto add = [&](const Source& source, const std::smatch& m,
                         std::ptrdiff_t at) {
      add_found(keys, literal_text(m.str(1)), source.where(at + m.position(1)));
    };
    each_match({"{\""}, R"(\{()" + kLiteral + R"()_cp, &Settings::)", add);
    each_match({"{\""}, R"(\{("[A-Z]{2}[0-9]:"), ")", add);
    each_match({"settings_text,", "settings_number(report,", "(settings,"},
               R"([^,]*,\s*(?:formatted\()?()" + kLiteral + ")", add);
    return keys;
  }();
  return found;
}

const std::vector<Found>& lines() {
  static const std::vector<Found> found = [] {
    std::vector<Found> lines;
    // Each line of the text; in a printf template a placeholder becomes
    // byte 1 and "%%" a "%".
    const auto add = [&](std::string text, bool printf_template,
                         const std::string& where) {
      if (printf_template) {
        text = std::regex_replace(
            text,
            std::regex(R"(%[-+ #0-9.]*(hh|h|ll|l|z|j|t|L)?[diouxXeEfgGcsp])"),
            "\x01");
        text = std::regex_replace(text, std::regex("%%"), "%");
      }
      std::istringstream in(
          std::regex_replace(text, std::regex("[ \t]+"), " "));
      for (std::string line; std::getline(in, line);) {
        add_found(lines, std::regex_replace(line, std::regex("^ | $"), ""),
                  where);
      }
    };
    const std::regex run("(?:" + kLiteral + R"(\s*)+)");
    const std::regex constant(R"(\s*(k\w+)\s*)");
    each_match(
        {"say"}, R"((say|sayf|say_cp1250)\(((?:)" + kLiteral + R"(|[^"(),])*))",
        [&](const Source& source, const std::smatch& m, std::ptrdiff_t at) {
          const std::string argument = m.str(2);
          for (std::sregex_iterator it(argument.begin(), argument.end(), run),
               end;
               it != end; ++it) {
            add(literal_text(it->str()), m.str(1) == "sayf",
                source.where(at + m.position(2) + it->position()));
          }
          // A constant: the literal of its definition, in whichever file.
          std::smatch name;
          if (!std::regex_match(argument, name, constant)) return;
          each_match({name.str(1) + " = "}, R"(\w+ = ()" + kLiteral + ")",
                     [&](const Source&, const std::smatch& definition,
                         std::ptrdiff_t) {
                       add(literal_text(definition.str(1)), false,
                           source.where(at));
                     });
        });
    each_match(
        {"\""}, "(" + kLiteral + ")(_cp)?",
        [&](const Source& source, const std::smatch& m, std::ptrdiff_t at) {
          const std::string text = literal_text(m.str(1));
          if (!m[2].matched && text.ends_with(": ") &&
              text.find('\n') == std::string::npos) {
            add(text, false, source.where(at));
          }
        });
    return lines;
  }();
  return found;
}

// The text as a pattern matching itself: "%d" in a key stands for a number,
// byte 1 in a console line for any text.
std::string pattern_of(const std::string& text) {
  std::string pattern =
      std::regex_replace(text, std::regex(R"([.^$|()\[\]{}*+?\\])"), "\\$&");
  pattern = std::regex_replace(pattern, std::regex("%d"), "[0-9]+");
  return std::regex_replace(pattern, std::regex("\x01"), ".*");
}

// Whether some „...” of the guide, blanks and line breaks squeezed to one
// blank, matches the pattern whole (or, when not whole, holds it).
bool guide_quotes(const std::regex& pattern, bool whole) {
  static const std::vector<std::string> quotes = [] {
    const std::string guide = read_bytes(kSource / "packaging/OLVASSEL.txt");
    std::vector<std::string> found;
    const std::regex quote(R"(„([\s\S]*?)”)");
    for (std::sregex_iterator it(guide.begin(), guide.end(), quote), end;
         it != end; ++it) {
      found.push_back(
          std::regex_replace(it->str(1), std::regex("[ \t\r\n]+"), " "));
    }
    return found;
  }();
  return std::any_of(quotes.begin(), quotes.end(), [&](const auto& q) {
    return whole ? std::regex_match(q, pattern) : std::regex_search(q, pattern);
  });
}

// The scan must keep finding each way the sources read a key or print a
// line, or the other tests would pass on nothing.
TEST(GuideCoverage, ScanFindsEveryKindOfLookupAndLine) {
  for (const char* key : {"papirang", "kihívás tornya", "fordulók könyvtára",
                          "tanácsadó", "táblázat mérete", "kompánia alapító",
                          "tárgy:", "par#%d:", "szörnyek:", "KF2:"}) {
    EXPECT_TRUE(has(keys(), key)) << key;
  }
  EXPECT_FALSE(has(keys(), "%d_%d.htm"));
  for (const char* line : {"nincs meg a karakterlap!", "\x01(fno): \x01",
                           "vedelem:", "nem talalom a \"targyak.txt\"-t!",
                           "a kilepeshez nyomj meg egy billentyut!",
                           "morvinta@example.org", "Ero :"}) {
    EXPECT_TRUE(has(lines(), line)) << line;
  }
  EXPECT_GE(keys().size(), 45u);
  EXPECT_GE(lines().size(), 100u);
}

TEST(GuideCoverage, TemplateHasEveryKeyInCodePage1250WithCrLf) {
  const std::string raw = read_bytes(kSource / "examples/cfg/cfg_xxxx.txt");
  ASSERT_FALSE(raw.empty());
  EXPECT_FALSE(std::regex_search(raw, std::regex("[^\r]\n")))
      << "examples/cfg/cfg_xxxx.txt has a line without CR LF";
  const std::string text = to_utf8(raw);
  for (const Found& key : keys()) {
    // An entry starts a line, its ":" in the key or after blanks.
    const bool colon = key.text.ends_with(":") || key.text.ends_with(")");
    EXPECT_TRUE(std::regex_search(
        text, std::regex("(^|\n)[ \t]*" + pattern_of(key.text) +
                         (colon ? "" : "[ \t]*:"))))
        << "examples/cfg/cfg_xxxx.txt has no entry of the settings key \""
        << key.text << "\" (read at " << key.where
        << "): add a line starting with it, with a comment on its meaning";
  }
}

TEST(GuideCoverage, GuideExplainsEveryKeyAndConsoleLine) {
  for (const Found& key : keys()) {
    // A key ending in ":" may go on with the form of its entry
    // („tárgy: (#40) db: < 5 "..."”).
    const std::string rest = key.text.ends_with(":") ? "( .*)?" : "";
    EXPECT_TRUE(guide_quotes(std::regex(pattern_of(key.text) + rest), true))
        << "packaging/OLVASSEL.txt does not explain the settings key \""
        << key.text << "\" (read at " << key.where << "): write it as „"
        << key.text
        << "” in the settings chapter, with its meaning and default";
  }
  for (const Found& line : lines()) {
    std::string shown = line.text;
    std::replace(shown.begin(), shown.end(), '\x01', '*');
    EXPECT_TRUE(guide_quotes(std::regex(pattern_of(line.text)), false))
        << "packaging/OLVASSEL.txt does not explain the console line \""
        << shown << "\" (printed at " << line.where
        << "): quote it between „ and ” (with … or an example in place of "
           "each *) in the messages chapter, with what it means and what to "
           "do";
  }
}

}  // namespace
}  // namespace morvinta
