#include "utf8_report.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "cp1250.h"
#include "hostile_inputs.h"
#include "test_support.h"

namespace morvinta {
namespace {

namespace fs = std::filesystem;
using hostile::replaced;
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
      // Declared in the head, whatever the bytes; the first one counts.
      {"<head><meta charset=\"UTF-8\"></head>ASCII", true},
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
      // The example run converts the letters 1250 has.
      {"„ű” – € ñ Ж 😀 x",
       std::string("„ű” – € "_cp) + "&#241; &#1046; &#128512; x"},
      {"\xEF\xBB\xBF<html>", "<html>"},  // the mark goes
      // A byte that is no UTF-8 character stays as it is.
      {"\xF5rz\xC3\xA1s \xC3", std::string("őrzás "_cp) + "\xC3"},
      {"<HEAD><META CONTENT=\"text/html; charset=UTF-8\"><meta "
       "charset=utf8></HEAD>charset=utf-8",
       "<HEAD><META CONTENT=\"text/html; charset=windows-1250\"><meta "
       "charset=windows-1250></HEAD>charset=utf-8"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.utf8);
    EXPECT_EQ(utf8_report_to_cp1250(row.utf8), row.cp1250);
  }
}

// The example folder with its reports saved in UTF-8, as a browser saves
// them (with or without a new declaration), writes the golden files, and
// the console says which reports were converted.
TEST(Utf8Report, ExampleSavedInUtf8GivesTheSameOutputs) {
  const fs::path golden = fs::path(MORVINTA_SOURCE_DIR) / "tests/data/golden";
  for (const bool declared : {false, true}) {
    SCOPED_TRACE(declared);
    TempFolder folder;
    fs::copy(MORVINTA_EXAMPLES, folder.path(), fs::copy_options::recursive);
    for (const char* report : {"1234_55.htm", "1234_56.htm"}) {
      const std::string utf8 = to_utf8(example_file(report));
      folder.write(report,
                   declared ? replaced(utf8, "windows-1250", "UTF-8") : utf8);
    }
    const auto result = run_tool(folder.path(), "", "MORVINTA_SEED=1");
    for (const char* file :
         {"fordulok/1234_56.htm", "ulek/1234-57.ul", "info/info_1234.txt"}) {
      EXPECT_EQ(folder.read(file), read_bytes(golden / "files" / file)) << file;
    }
    const std::string console = read_bytes(golden / "console.txt");
    EXPECT_EQ(replaced(result.output, kConverted, ""), console);
    EXPECT_EQ(result.output.size(), console.size() + 2 * kConverted.size());
  }
}

}  // namespace
}  // namespace morvinta
