// The whole tool with the indexed scans against the same tool with the plain
// ones (what morvinta-reference runs), on made-up working folders: the same
// console output and the same bytes in every file written, the enhanced
// report, the order sheet and the info file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>

#include "console.h"
#include "cp1250.h"
#include "driver.h"
#include "enhancement.h"
#include "report_generator.h"
#include "rng.h"
#include "test_support.h"
#include "text_scan.h"
#include "text_scan_plain.h"

namespace morvinta {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> files_below(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[fs::relative(entry.path(), root).generic_string()] = {
        std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  return files;
}

// Runs the tool on the report of the folder as the driver does, seeded
// alike; returns what it printed.
std::string run_in(const fs::path& folder, bool plain) {
  const testing::InFolder in(folder);
  std::string console;
  set_console_capture(&console);
  use_plain_scans(plain);
  seed_random(1);
  process_report(generator::kReportName, false);
  use_plain_scans(false);
  set_console_capture(nullptr);
  return console;
}

TEST(PlainScans, WholeToolWritesTheSameBytes) {
  struct Folder {
    std::size_t size;
    bool tricky;
    bool markup;
    bool info;
  };
  static constexpr Folder kFolders[] = {
      {15000, false, false, true},
      {12000, true, false, false},
      {10000, true, true, true},
      {10000, true, false, true},
  };
  std::uint32_t seed = 7;
  for (const Folder& f : kFolders) {
    SCOPED_TRACE(seed);
    generator::FolderOptions options;
    options.report_size = f.size;
    options.seed = seed++;
    options.tricky = f.tricky;
    options.markup_names = f.markup;
    options.info_file = f.info;
    const auto files = generator::make_folder(options);
    testing::TempFolder indexed;
    testing::TempFolder plain;
    generator::write_folder(indexed.path().string(), files);
    generator::write_folder(plain.path().string(), files);
    EXPECT_EQ(run_in(indexed.path(), false), run_in(plain.path(), true));
    const auto written = files_below(indexed.path());
    const auto expected = files_below(plain.path());
    for (const auto& [name, bytes] : expected) {
      const auto found = written.find(name);
      ASSERT_NE(found, written.end()) << name;
      EXPECT_TRUE(found->second == bytes) << name << " differs";
    }
    EXPECT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written.count("fordulok/1234_60.htm"));
    EXPECT_TRUE(written.count("ulek/1234-61.ul"));
  }
}

// Long texts where the searched bytes are everywhere, so the searches give
// up stopping at each and compare two bytes at a time, and where a loose
// pattern's rarest word stands only far away or not at all: the first
// occurrence, the exact and the loose one, and every occurrence, as the
// plain scans find them.
TEST(PlainScans, SearchesAgreeOnCrowdedTexts) {
  std::mt19937 random(11);
  const std::string_view pieces[] = {"ÉP. "_cp, "A szörny ", "x",
                                     "\n",      "  ",        "<SPAN>",
                                     "ÉPÉ"_cp,  "kör: "_cp,  "A"};
  for (int round = 0; round < 60; ++round) {
    std::string text;
    const std::size_t size = 300 + random() % 6000;
    while (text.size() < size) text += pieces[random() % std::size(pieces)];
    std::vector<std::string_view> patterns = {"ÉP. A szörny"_cp,
                                              "A  szörny kör:"_cp, "ÉPÉP"_cp,
                                              "x\nA", "A seb gyógyul"_cp};
    for (int i = 0; i < 8; ++i) {
      const std::size_t at = random() % text.size();
      patterns.push_back(std::string_view(text).substr(at, 1 + random() % 12));
    }
    patterns.push_back(std::string_view(text).substr(text.size() - 5));
    for (const std::string_view pattern : patterns) {
      for (const std::size_t cut : {std::size_t{0}, text.size() / 3}) {
        const std::string_view rest = std::string_view(text).substr(cut);
        SCOPED_TRACE(pattern);
        use_plain_scans(true);
        const MaybeText exact = find_after(rest, pattern);
        const MaybeText loose = find_loose(rest, pattern);
        const std::vector<std::size_t> every = find_all(rest, pattern);
        use_plain_scans(false);
        EXPECT_EQ(find_after(rest, pattern), exact);
        EXPECT_EQ(find_loose(rest, pattern), loose);
        EXPECT_EQ(find_all(rest, pattern), every);
      }
    }
  }
}

// Kept first places answer later searches from any place as a new search
// would, and only for the text they were kept for.
TEST(PlainScans, KeptSearchesAnswerAsNewOnes) {
  std::string text(5000, '.');
  for (const std::size_t at : {300u, 2000u, 4990u}) text.replace(at, 4, "KARA");
  const std::string_view whole = text;
  const KeptSearches kept(whole);
  const KeptSearches inner(whole.substr(1));  // keeps nothing of its own
  for (int pass = 0; pass < 2; ++pass) {
    for (const std::size_t from : {0u, 299u, 301u, 2000u, 4991u, 5000u}) {
      for (const std::string_view pattern : {"KARA", "KAR", "none"}) {
        EXPECT_EQ(find_first(whole, pattern, from), whole.find(pattern, from));
        EXPECT_EQ(find_first(whole.substr(1), pattern, from),
                  whole.substr(1).find(pattern, from));
      }
    }
  }
}

// Item lists found through their "#" and "$" marks: a list standing earlier
// in the page, inside an earlier table, twice, and with "$" numbers, as the
// plain searches find them; a list without a mark sends every list the
// byte-by-byte way, which must agree too.
TEST(PlainScans, ItemListsFoundByTheirMarks) {
  std::string page(
      "x Kard (#12). y (zárójelben a tárgy sorszáma): Tőr (#1), Íj ($2).<SPAN>"
      " z (zárójelben a tárgy sorszáma): Kard (#12).<SPAN> Kenyér (#3), "
      "(zárójelben a tárgy sorszáma): Kard (#12).<SPAN> boltos "
      "(zárójelben a tárgy sorszáma): Kenyér (#3), Só ($4). A boltos "
      "megvásárolni: Tőr (#1) 2 ap, Íj ($2) 3 ap áron. <SPAN> vége "
      "(zárójelben a tárgy sorszáma): Só ($4).<SPAN>"_cp);
  for (const bool unmarked : {false, true}) {
    if (unmarked) page += " (zárójelben a tárgy sorszáma): Só.<SPAN>"_cp;
    SCOPED_TRACE(unmarked);
    testing::tabulated_both_ways(page);
  }
}

}  // namespace
}  // namespace morvinta
