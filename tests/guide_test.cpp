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
#include <map>
#include <regex>
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

// Something the sources use, with its src/file:line.
struct Found {
  std::string text;
  std::string where;
};

// The sources by name, comments and the character literal '"' blanked.
const std::map<std::string, std::string>& sources() {
  static const auto files = [] {
    std::map<std::string, std::string> read;
    for (const auto& entry :
         std::filesystem::directory_iterator(kSource / "src")) {
      std::string code = read_bytes(entry.path());
      // A comment starts the line or follows a blank ("http://" does not).
      for (auto at = code.find("//"); at != std::string::npos;
           at = code.find("//", at + 1)) {
        if (at > 0 && code[at - 1] != ' ' && code[at - 1] != '\n') continue;
        for (; at < code.size() && code[at] != '\n'; ++at) code[at] = ' ';
      }
      for (auto at = code.find("'\"'"); at != std::string::npos;
           at = code.find("'\"'", at)) {
        code[++at] = ' ';
      }
      read[entry.path().filename().string()] = std::move(code);
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

// A match of a pattern in a source.
struct Hit {
  const std::string& name;
  const std::string& code;
  std::ptrdiff_t at;  // the start of the match in the code
  std::smatch m;
  std::string text(int group) const { return literal_text(m.str(group)); }
  // Of a place "offset" after the start of the match.
  std::string where(std::ptrdiff_t offset) const {
    const auto end = code.begin() + at + offset;
    return "src/" + name + ":" +
           std::to_string(std::count(code.begin(), end, '\n') + 1);
  }
};

// Calls f(hit) for each match of the pattern that starts at one of the
// anchors, the next one looked for after the match (the pattern alone over
// whole files would take seconds).
template <typename F>
void each_match(std::initializer_list<std::string_view> anchors,
                const std::string& pattern, F f) {
  const std::regex re(pattern);
  for (const auto& [name, code] : sources()) {
    for (const std::string_view anchor : anchors) {
      for (auto at = code.find(anchor); at != std::string::npos;
           at = code.find(anchor, at + 1)) {
        Hit hit{name, code, static_cast<std::ptrdiff_t>(at), {}};
        if (std::regex_search(code.begin() + hit.at, code.end(), hit.m, re,
                              std::regex_constants::match_continuous)) {
          f(hit);
          at += static_cast<std::size_t>(hit.m.length(0)) - 1;
        }
      }
    }
  }
}

bool has(const std::vector<Found>& list, std::string_view text) {
  return std::any_of(list.begin(), list.end(),
                     [&](const Found& f) { return f.text == text; });
}

// Adds each line of the text that has two letters and is new to the list;
// in a printf template a placeholder becomes byte 1 and "%%" a "%".
void add_lines(std::vector<Found>& list, std::string text, bool printf_template,
               const std::string& where) {
  if (printf_template) {
    text = std::regex_replace(
        text, std::regex(R"(%[-+ #0-9.]*(hh|h|ll|l|z|j|t|L)?[diouxXeEfgGcsp])"),
        "\x01");
    text = std::regex_replace(text, std::regex("%%"), "%");
  }
  std::istringstream in(std::regex_replace(text, std::regex("[ \t]+"), " "));
  for (std::string line; std::getline(in, line);) {
    line = std::regex_replace(line, std::regex("^ | $"), "");
    const auto letters = std::count_if(line.begin(), line.end(), [](char c) {
      return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
             static_cast<unsigned char>(c) >= 0x80;
    });
    if (letters >= 2 && !has(list, line)) list.push_back({line, where});
  }
}

const std::vector<Found>& keys() {
  static const auto found = [] {
    std::vector<Found> keys;
    const auto add = [&](const Hit& hit) {
      add_lines(keys, hit.text(1), false, hit.where(hit.m.position(1)));
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
  static const auto found = [] {
    std::vector<Found> lines;
    const std::regex run("(?:" + kLiteral + R"(\s*)+)");
    const std::regex constant(R"(\s*(k\w+)\s*)");
    each_match(
        {"say"}, R"((say|sayf|say_cp1250)\(((?:)" + kLiteral + R"(|[^"(),])*))",
        [&](const Hit& call) {
          const std::string argument = call.m.str(2);
          for (std::sregex_iterator it(argument.begin(), argument.end(), run),
               end;
               it != end; ++it) {
            add_lines(lines, literal_text(it->str()), call.m.str(1) == "sayf",
                      call.where(call.m.position(2) + it->position()));
          }
          // A constant: the literal of its definition, in whichever file.
          std::smatch name;
          if (!std::regex_match(argument, name, constant)) return;
          each_match({name.str(1) + " = "}, R"(\w+ = ()" + kLiteral + ")",
                     [&](const Hit& definition) {
                       add_lines(lines, definition.text(1), false,
                                 call.where(0));
                     });
        });
    each_match({"\""}, "(" + kLiteral + ")(_cp)?", [&](const Hit& hit) {
      const std::string text = hit.text(1);
      if (!hit.m[2].matched && text.ends_with(": ") &&
          text.find('\n') == std::string::npos) {
        add_lines(lines, text, false, hit.where(0));
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
  const std::string guide = read_bytes(kSource / "packaging/OLVASSEL.txt");
  std::vector<std::string> quotes;  // blanks and line breaks squeezed
  const std::regex quote(R"(„([\s\S]*?)”)");
  for (std::sregex_iterator it(guide.begin(), guide.end(), quote), end;
       it != end; ++it) {
    quotes.push_back(
        std::regex_replace(it->str(1), std::regex("[ \t\r\n]+"), " "));
  }
  const auto quoted = [&](const std::string& pattern) {
    const std::regex re(pattern);
    return std::any_of(quotes.begin(), quotes.end(),
                       [&](const auto& q) { return std::regex_search(q, re); });
  };
  for (const Found& key : keys()) {
    // A key ending in ":" may go on with the form of its entry
    // („tárgy: (#40) db: < 5 "..."”).
    const std::string rest = key.text.ends_with(":") ? "( .*)?" : "";
    EXPECT_TRUE(quoted("^" + pattern_of(key.text) + rest + "$"))
        << "packaging/OLVASSEL.txt does not explain the settings key \""
        << key.text << "\" (read at " << key.where << "): write it as „"
        << key.text
        << "” in the settings chapter, with its meaning and default";
  }
  for (const Found& line : lines()) {
    std::string shown = line.text;
    std::replace(shown.begin(), shown.end(), '\x01', '*');
    EXPECT_TRUE(quoted(pattern_of(line.text)))
        << "packaging/OLVASSEL.txt does not explain the console line \""
        << shown << "\" (printed at " << line.where
        << "): quote it between „ and ” (with … or an example in place of "
           "each *) in the messages chapter, with what it means and what to "
           "do";
  }
}

}  // namespace
}  // namespace morvinta
