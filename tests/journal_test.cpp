// The journal file, its page, the navigation lines and the rebuild from
// enhanced reports: the file format by hand-made texts, the whole tool on
// copies of examples/ and on generated folders, the page in a real browser.
#include "journal.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>

#include "cp1250.h"
#include "driver.h"
#include "journal_page.h"
#include "journal_rebuild.h"
#include "report_generator.h"
#include "rng.h"
#include "test_support.h"
#include "text_scan.h"

namespace morvinta {
namespace {

namespace fs = std::filesystem;
using testing::InFolder;
using testing::read_bytes;
using testing::run_tool;
using testing::TempFolder;

// A line of the given turn with every figure derived from it.
JournalLine made_line(std::int32_t turn) {
  JournalLine line;
  line.turn = turn;
  for (std::size_t i = 0; i < kJournalColumns; ++i) {
    line.fields[i] = journal_number(turn * 3 + static_cast<int>(i));
  }
  line.fields[kTurnColumn] = journal_number(turn);
  line.fields[kDateColumn] = "2003. november 14.";
  line.fields[kExpectedPowerScoreColumn] = journal_decimal(turn + 0.5);
  return line;
}

std::string crlf(const std::string& text) {
  return std::regex_replace(text, std::regex("\n"), "\r\n");
}

std::size_t count(std::string_view text, std::string_view part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string_view::npos;
       at = text.find(part, at + part.size())) {
    ++n;
  }
  return n;
}

TEST(JournalFile, KeepsWhatItCannotReadAfterTheLines) {
  const std::string good =
      "56;2003. november 14.;14;24310;500;341,14;87;"
      "112;64;140;260;300;22;19;79;5;115;42;6;6;1275";
  const std::string older = "7;;1;2;3;4,00;5;6;7;8;9;10;11;12;13;;;;;;0";
  struct Row {
    std::string text;
    bool readable;
  };
  const Row rows[] = {
      {good, true},
      {"56;x;1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;19", false},  // twice
      {"szint;TP", false},                       // too few fields
      {good + ";", false},                       // one too many
      {"-3;" + good.substr(3), false},           // no turn number
      {"5x;" + good.substr(3), false},           // nor is this
      {"99999999999;" + good.substr(3), false},  // out of range
      {older, true},                             // empty figures are fine
  };
  std::string text = std::string(journal_header()) + "\n";
  for (const Row& row : rows) text += row.text + "\n\n";
  std::vector<int> numbers;
  const Journal journal = parse_journal(text, &numbers);
  ASSERT_EQ(journal.lines.size(), 2u);
  EXPECT_EQ(journal.lines[0].turn, 7);
  EXPECT_EQ(journal.lines[1].turn, 56);
  EXPECT_EQ(numbers, (std::vector<int>{4, 6, 8, 10, 12, 14}));
  std::string expected =
      std::string(journal_header()) + "\n" + older + "\n" + good + "\n";
  for (const Row& row : rows) {
    if (!row.readable) expected += row.text + "\n";
  }
  EXPECT_EQ(journal_text(journal), expected);
  // Read again, it stays as it is.
  EXPECT_EQ(journal_text(parse_journal(journal_text(journal))), expected);
}

TEST(JournalFile, DateAndFigures) {
  const struct {
    std::string_view text;
    std::string_view date;
  } dates[] = {
      {"<TD>\n  2003.   május\n 2.  - JÁTÉKHETED"_cp, "2003. május 2."_cp},
      {"<TD>a;b - JÁTÉKHETED"_cp, "a,b"},
      {"2003. november 14. JÁTÉKHETED"_cp, ""},  // no " - " before it
      {"", ""},
  };
  for (const auto& row : dates) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(report_date(row.text), row.date);
  }
  EXPECT_EQ(journal_decimal(-0.5), "-0,50");
  EXPECT_EQ(field_value("341,14"), 341.14);
  for (const char* text : {"", "12 Ft", "nan", "inf"}) {
    EXPECT_EQ(field_value(text), std::nullopt) << text;
  }
}

TEST(JournalRebuild, NamesOfEnhancedReports) {
  using Numbers = std::optional<std::pair<std::int32_t, std::int32_t>>;
  const struct {
    std::string_view name;
    Numbers numbers;
  } rows[] = {
      {"1234_56.htm", std::pair{1234, 56}},
      {"1234c56.HTM", std::pair{1234, 56}},
      {"1234_056.htm", std::pair{1234, 56}},
      {"naplo_1234.htm", std::nullopt},
      {"1234_56.html", std::nullopt},
      {"1234_.htm", std::nullopt},
      {"1234_99999999999.htm", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(enhanced_report_numbers(row.name), row.numbers);
  }
}

// The golden run pins the lines in the example's report; here the ends of
// the range of turns.
TEST(Navigation, NoTurnBeforeTheFirstNorAfterTheLast) {
  const std::string first = navigation_line(1234, 1, true);
  EXPECT_EQ(first.find("1234c0.htm"), std::string::npos);
  EXPECT_NE(first.find("href=\"1234c2.htm\""), std::string::npos);
  EXPECT_NE(first.find("href=\"naplo_1234.htm\""), std::string::npos);
  EXPECT_EQ(navigation_line(7, 2147483647, false).find("2147483648"),
            std::string::npos);
}

TEST(JournalPage, LongJournalStaysSmallAndItsTurnNumbersApart) {
  Journal journal;
  for (int turn = 1; turn <= 2000; ++turn) put_line(journal, made_line(turn));
  const std::string page = journal_page(journal, {1234, "Név", false, ""});
  EXPECT_LT(page.size(), 4u << 20);
  // One point per turn and series: 2 + 1 + 3 + 2 series.
  EXPECT_EQ(count(page, "<circle"), 8u * 2000);
  // The turn numbers below each axis stand at least 56 units apart.
  std::vector<double> xs;
  constexpr std::string_view kLabel = "\" text-anchor=\"middle\">";
  for (std::size_t at = page.find(kLabel); at != std::string::npos;
       at = page.find(kLabel, at + 1)) {
    const std::size_t x = page.rfind("<text x=\"", at) + 9;
    xs.push_back(std::stod(page.substr(x, page.find('"', x) - x)));
  }
  ASSERT_GT(xs.size(), 4u * 5);
  EXPECT_LE(xs.size(), 4u * 15);
  for (std::size_t i = 1; i < xs.size(); ++i) {
    if (xs[i] > xs[i - 1]) {
      EXPECT_GE(xs[i] - xs[i - 1], 56) << i;
    }
  }
}

// --- The whole tool ---

// A copy of examples/ whose settings leave the journal and navigation out.
void drop_new_switches(const fs::path& folder) {
  const fs::path cfg = folder / "cfg/cfg_1234.txt";
  std::string text = read_bytes(cfg);
  for (const std::string_view key : {"napló: 1;"_cp, "navigáció: 1;"_cp}) {
    const std::size_t at = text.find(key);
    ASSERT_NE(at, std::string::npos);
    text.erase(at, key.size());
  }
  std::ofstream(cfg, std::ios::binary) << text;
}

TEST(JournalRun, SwitchesOffWriteWhatTheToolWroteBefore) {
  const fs::path golden = fs::path(MORVINTA_SOURCE_DIR) / "tests/data/golden";
  TempFolder folder;
  fs::copy(MORVINTA_EXAMPLES, folder.path(), fs::copy_options::recursive);
  drop_new_switches(folder.path());
  const auto result = run_tool(folder.path(), "", "MORVINTA_SEED=1");
  // The golden run without its journal line, its journal files and its
  // navigation lines.
  std::string console = read_bytes(golden / "console.txt");
  console.erase(console.find("naplo: OK\n"), 10);
  EXPECT_EQ(result.output, console);
  std::string report = read_bytes(golden / "files/fordulok/1234_56.htm");
  const std::string line = crlf(navigation_line(1234, 56, false));
  report.erase(report.find("\r\n" + line), line.size() + 2);
  report.erase(report.find(line + "\r\n"), line.size() + 2);
  const std::string note = "<!-- morvinta naplo: csatak=5 -->\r\n";
  report.erase(report.find(note), note.size());
  EXPECT_TRUE(folder.read("fordulok/1234_56.htm") == report);
  EXPECT_FALSE(folder.exists("info/naplo_1234.csv"));
  EXPECT_FALSE(folder.exists("fordulok/naplo_1234.htm"));
  for (const char* other : {"info/info_1234.txt", "ulek/1234-57.ul"}) {
    EXPECT_TRUE(folder.read(other) == read_bytes(golden / "files" / other))
        << other;
  }
}

// Runs the tool on the named reports of the folder, one after the other.
void process(const fs::path& folder, std::initializer_list<const char*> names) {
  const InFolder in(folder);
  std::string console;
  set_console_capture(&console);
  for (const char* name : names) {
    seed_random(1);
    process_report(name, false);
  }
  set_console_capture(nullptr);
}

// The journal that --naplo makes in the folder from the journal given (none
// when empty).
std::string rebuilt(const TempFolder& folder, const std::string& journal = "",
                    std::string* console = nullptr) {
  fs::remove(folder.path() / "info/naplo_1234.csv");
  if (!journal.empty()) folder.write("info/naplo_1234.csv", journal);
  const InFolder in(folder.path());
  std::string said;
  set_console_capture(&said);
  EXPECT_EQ(rebuild_journals(), 0);
  set_console_capture(nullptr);
  if (console) *console = said;
  return folder.read("info/naplo_1234.csv");
}

TEST(JournalRun, AnyOrderGivesOneJournalAndTheArchiveGivesItAgain) {
  const std::string report = testing::example_file("1234_56.htm");
  TempFolder in_order;
  TempFolder shuffled;
  for (const TempFolder* folder : {&in_order, &shuffled}) {
    fs::copy(MORVINTA_EXAMPLES, folder->path(), fs::copy_options::recursive);
    for (const char* name : {"1234_57.htm", "1234_58.htm"}) {
      folder->write(name, report);
    }
  }
  process(in_order.path(), {"1234_56.htm", "1234_57.htm", "1234_58.htm"});
  process(shuffled.path(),
          {"1234_58.htm", "1234_56.htm", "1234_57.htm", "1234_56.htm"});
  const std::string journal = in_order.read("info/naplo_1234.csv");
  EXPECT_EQ(count(journal, "\r\n"), 4u);
  EXPECT_NE(journal.find("\r\n57;2003. november 14.;14;24310;500;"),
            std::string::npos);
  EXPECT_EQ(shuffled.read("info/naplo_1234.csv"), journal);
  EXPECT_EQ(shuffled.read("fordulok/naplo_1234.htm"),
            in_order.read("fordulok/naplo_1234.htm"));

  std::string console;
  EXPECT_EQ(rebuilt(in_order, "", &console), journal);
  EXPECT_EQ(console, "#1234 naploja: 3 fordulo\n");
  // The turns of reports no longer in the archive stay, and nothing in the
  // archive changes.
  const std::string enhanced = in_order.read("fordulok/1234_57.htm");
  fs::remove(in_order.path() / "fordulok/1234_58.htm");
  EXPECT_EQ(rebuilt(in_order, journal), journal);
  EXPECT_EQ(in_order.read("fordulok/1234_57.htm"), enhanced);
}

TEST(JournalRun, RebuiltFromGeneratedReportsAsWritten) {
  for (const bool tricky : {false, true}) {
    SCOPED_TRACE(tricky);
    generator::FolderOptions options;
    options.report_size = 60000;
    options.seed = tricky ? 5 : 4;
    options.tricky = tricky;
    auto files = generator::make_folder(options);
    for (auto& file : files) {
      if (file.path == "cfg/cfg_1234.txt") {
        file.bytes =
            std::string("napló: 1;\r\nnavigáció: 1;\r\n"_cp) + file.bytes;
      }
    }
    TempFolder folder;
    generator::write_folder(folder.path().string(), files);
    process(folder.path(), {generator::kReportName});
    const std::string journal = folder.read("info/naplo_1234.csv");
    ASSERT_EQ(count(journal, "\r\n"), 2u);
    // Every figure is there.
    EXPECT_EQ(journal.find(";;"), std::string::npos);
    EXPECT_EQ(rebuilt(folder), journal);
  }
}

TEST(JournalRun, UnreadableLinesStayAndAFailedWriteIsSaid) {
  TempFolder folder;
  fs::copy(MORVINTA_EXAMPLES, folder.path(), fs::copy_options::recursive);
  folder.write("info/naplo_1234.csv", "hand;edit\r\n");
  const auto first = run_tool(folder.path(), "1234_56.htm");
  EXPECT_NE(first.output.find("\"info/naplo_1234.csv\" 1. sora nem "
                              "ertelmezheto, valtozatlanul megmarad\n"
                              "naplo: OK\n"),
            std::string::npos);
  const std::string journal = folder.read("info/naplo_1234.csv");
  EXPECT_EQ(journal.substr(journal.size() - 11), "hand;edit\r\n");

  fs::remove(folder.path() / "info/naplo_1234.csv");
  fs::create_directory(folder.path() / "info/naplo_1234.csv");
  const auto failed = run_tool(folder.path(), "1234_56.htm");
  EXPECT_NE(failed.output.find(
                "naplo: nem sikerult kiirni: \"info/naplo_1234.csv\"!\n\n\n"),
            std::string::npos);
  EXPECT_TRUE(fs::is_directory(folder.path() / "info/naplo_1234.csv"));
}

// --- The page in a real browser ---

// The page as headless Chromium renders it (its DOM), or absent without
// Chromium.
std::optional<std::string> rendered(const fs::path& page) {
  const char* chromium = "/usr/bin/chromium";
  if (!fs::exists(chromium)) return std::nullopt;
  TempFolder profile;
  const fs::path dom = profile.path() / "dom.html";
  const std::string command =
      std::string(chromium) +
      " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
      "--disable-background-networking --disable-component-update "
      "--disable-sync --user-data-dir='" +
      (profile.path() / "profile").string() + "' --dump-dom 'file://" +
      page.string() + "' >'" + dom.string() + "' 2>/dev/null";
  EXPECT_EQ(std::system(command.c_str()), 0);
  return read_bytes(dom);
}

// The rendered page shows the four charts with a point per turn and series
// (2, 1, 3 and 2 series) and a table row per turn below its heading row.
void expect_charts_and_table(const std::string& dom, std::size_t turns) {
  std::size_t at = 0;
  for (const std::size_t series : {2, 1, 3, 2}) {
    const std::size_t start = dom.find("<svg", at);
    ASSERT_NE(start, std::string::npos);
    at = dom.find("</svg>", start);
    const std::string_view chart(dom.data() + start, at - start);
    EXPECT_EQ(count(chart, "<circle"), series * turns);
    EXPECT_EQ(count(chart, "<title>"), series * turns);
  }
  EXPECT_EQ(dom.find("<svg", at), std::string::npos);
  EXPECT_EQ(count(dom, "<tr>"), turns + 1);
  EXPECT_EQ(dom.find("NaN"), std::string::npos);
}

TEST(JournalPage, ChromiumShowsFourChartsAndTheTable) {
  // The example run's page, its one turn linked to its report.
  const fs::path golden = fs::path(MORVINTA_SOURCE_DIR) / "tests/data/golden";
  const auto example = rendered(golden / "files/fordulok/naplo_1234.htm");
  if (!example)
    GTEST_SKIP() << "no /usr/bin/chromium: the page is not rendered";
  // The code page was understood: the name and the headings read right.
  EXPECT_NE(example->find("Borostyán Vendel (#1234) naplója"),
            std::string::npos);
  expect_charts_and_table(*example, 1);
  EXPECT_EQ(count(*example, "<a href=\"1234_56.htm\">56</a>"), 1u);

  TempFolder folder;
  Journal journal;
  for (int turn = 1; turn <= 40; ++turn) put_line(journal, made_line(turn * 2));
  folder.write("1234_2.htm", "");
  {
    const InFolder in(folder.path());
    folder.write("naplo_1234.htm",
                 crlf(journal_page(journal, {1234, "Név", false, ""})));
  }
  const auto dom = rendered(folder.path() / "naplo_1234.htm");
  ASSERT_TRUE(dom);
  expect_charts_and_table(*dom, 40);
  // Only turn 2 has its report in the folder.
  EXPECT_EQ(count(*dom, "<a href="), 1u);
  EXPECT_EQ(count(*dom, "<a href=\"1234_2.htm\">2</a>"), 1u);
}

}  // namespace
}  // namespace morvinta
