#include "utf8_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "cp1250.h"
#include "test_support.h"

namespace morvinta {
namespace {

namespace fs = std::filesystem;
using testing::contains;
using testing::example_file;
using testing::read_bytes;
using testing::run_tool;
using testing::TempFolder;

const std::string kConverted =
    "UTF-8 kodolasu fordulo, atalakitva 1250-es kodlapra\n";

TEST(IsUtf8Report, DeclarationBytesAndMark) {
  const struct {
    std::string text;
    bool utf8;
  } rows[] = {
      {"<p>Ez itt egy ló és egy tűz.</p>", true},  // UTF-8 letters
      {std::string("<p>Ez itt egy ló és egy tűz.</p>"_cp), false},  // 1250
      {"plain ASCII", false},
      {"", false},
      // Declared in the head, whatever the bytes; the first one counts.
      {"<head><meta charset=\"UTF-8\"></head>ASCII", true},
      {"<HEAD><META CONTENT=\"text/html; charset=utf8\"></HEAD>", true},
      {"<head><meta charset='windows-1250'><meta charset=utf-8></head>", false},
      {"<head></head><p>charset=utf-8</p>", false},  // not in the head
      {"\xEF\xBB\xBFplain ASCII", true},             // byte order mark
      // 1250 bytes that pair up as UTF-8 ("Ö”" reads U+0594, "É–" U+0256,
      // "Ő„" U+0544): signs of other scripts, so it stays 1250.
      {std::string("<B>Ö” É– Ő„ Ó–</B>"_cp), false},
      // Valid UTF-8, but mostly characters 1250 lacks.
      {"Ж Д Л á", false},
      // Mostly 1250's, with a sign it lacks: still UTF-8.
      {"á é ő ✓", true},
      {"\xC3\xA1\xC3", false},  // cut short
      {"\xC0\xA1", false},      // overlong
      {"\xED\xA0\x80", false},  // a surrogate
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(is_utf8_report(row.text), row.utf8);
  }
}

TEST(Utf8ReportToCp1250, CharactersReferencesAndDeclarations) {
  const struct {
    std::string utf8;
    std::string cp1250;
  } rows[] = {
      {"NÁLAD LÉVŐ TÁRGYAK „ű” – €",
       std::string("NÁLAD LÉVŐ TÁRGYAK „ű” – €"_cp)},
      {"ñ Ж 😀 x", "&#241; &#1046; &#128512; x"},
      {"\xEF\xBB\xBF<html>", "<html>"},  // the mark goes
      // A byte that is no UTF-8 character stays as it is.
      {"\xF5rz\xC3\xA1s \xC3", std::string("őrzás "_cp) + "\xC3"},
      {"<HEAD><META CONTENT=\"text/html; charset=UTF-8\"><meta "
       "charset=utf8></HEAD>charset=utf-8",
       "<HEAD><META CONTENT=\"text/html; charset=windows-1250\"><meta "
       "charset=windows-1250></HEAD>charset=utf-8"},
      {"", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.utf8);
    EXPECT_EQ(utf8_report_to_cp1250(row.utf8), row.cp1250);
  }
}

// The example folder with its reports saved in UTF-8, as a browser saves
// them (with or without a new declaration), writes the same files as with
// the originals, and the console says which reports were converted.
TEST(Utf8Report, ExampleSavedInUtf8GivesTheSameOutputs) {
  const auto run = [](const std::function<std::string(std::string)>& save) {
    TempFolder folder;
    fs::copy(MORVINTA_EXAMPLES, folder.path(), fs::copy_options::recursive);
    for (const char* report : {"1234_55.htm", "1234_56.htm"}) {
      folder.write(report, save(example_file(report)));
    }
    const auto result = run_tool(folder.path(), "", "MORVINTA_SEED=1");
    std::string files;
    for (const char* file :
         {"fordulok/1234_56.htm", "ulek/1234-57.ul", "info/info_1234.txt"}) {
      files += file + std::string(":") + folder.read(file) + "\n";
    }
    return std::make_pair(result.output, files);
  };
  const auto original = run([](std::string text) { return text; });
  const auto saved = run([](std::string text) { return to_utf8(text); });
  const auto declared = run([](std::string text) {
    std::string utf8 = to_utf8(text);
    const std::size_t at = utf8.find("windows-1250");
    return utf8.replace(at, 12, "UTF-8");
  });
  ASSERT_TRUE(contains(original.second, "NÁLAD"_cp));
  EXPECT_EQ(saved.second, original.second);
  EXPECT_EQ(declared.second, original.second);
  for (const auto* outputs : {&saved, &declared}) {
    std::string console = outputs->first;
    for (std::size_t at; (at = console.find(kConverted)) != std::string::npos;)
      console.erase(at, kConverted.size());
    EXPECT_EQ(console, original.first);
    EXPECT_EQ(outputs->first.size(),
              original.first.size() + 2 * kConverted.size());
  }
}

}  // namespace
}  // namespace morvinta
