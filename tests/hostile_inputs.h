// Hostile inputs for the tool's readers, made from a sample report so that
// they reach past the first anchors: empty and NUL files, odd line ends,
// oversized reports and lines, absurd numbers, cut-off and repeated anchors,
// out-of-range catalogue numbers, and settings, catalogue, info and tower
// files that break their own rules. The regression tests and the fuzzers'
// seed corpora are both made from here, so the inputs live in one place.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cp1250.h"

namespace morvinta::hostile {

// A named input: the bytes of one file.
struct Input {
  std::string name;
  std::string bytes;
};

// The anchors the parsers, the turn summary and the page edits look for
// (1250 bytes).
inline std::vector<std::string_view> report_anchors() {
  // Bars and line ends separate the anchors; no anchor holds either.
  static constexpr std::string_view kAnchors = R"anchors(
<STYLE|</STYLE>|BODY{|COLOR:|.tj{|KARAKTERLAP|KARAKTERLAPOD|KALANDJAI
KALANDOZÓ: #|JÁTÉKHETED,|ENCYCLOPEDIA FANTASIA|(#|($|(|)|[|]|<P>|<b>|</B>
&nbsp;|</TD></TR>|</TABLE></TD></TR></TABLE>
NÁLAD LÉVŐ TÁRGYAK (*-gal jelöltek bekészítve)|TÁRGYAID A BANK SZÉFJÉBEN
COLSPAN=6>[benn|WIDTH=30>|Löttyök|Pénz:</TD><TD CLASS="t1">|VARÁZSLATAID
JELENLEG RAJTAD LEVŐ AKTÍV |<TD CLASS="c2">SZÖRNYEK</TD></TR>
<TD CLASS="c2">TÁRGYAK</TD></TR>|PARANCSOK|Életpont:|Varázspont:|Erő:|Szint:
Jellem:</TD><TD CLASS="t1"> jó|K.T. tagjai közé tartozol.
Butaság ára beállítás:|teológia:|FEJLESZTÉSI PONTOK|FELTÉTELES PARANCSOK
>ek 7|TU.|pontot költhetsz el.
A táborozás alatt próbáltál minél többet pihenni.|<SPAN CLASS="sebez">
<SPAN CLASS="szenved">|</SPAN>|Vámpirizálsz|A seb gyógyul|Transzformálsz!
kí-érintésnek köszönhetően|életpontot gyógyultál.
A lény elszívja mentális energiáidat!|Kronoérintette aurádat
Ellenfeled összeesik. Győztél!|Gyógyulsz (<SPAN CLASS="plusminus">+
A mihlanil páncélzat felizzik |Kapsz|h 504|-2 ÉP]</SPAN>|Öregedtél
Szörnyen éhezel|Komposzttá sorvadsz|v 96|v 181|Vuuush, elteleportálsz!
(zárójelben a tárgy sorszáma):|megvásárolni:|<SPAN|WIDTH=50%>Megterheltség:
WIDTH=50%>Összsúly:|halálvarázslat|WIDTH=740|<!-- morvinta)anchors"_cp;
  std::vector<std::string_view> anchors;
  std::size_t start = 0;
  for (std::size_t at = 0; at <= kAnchors.size(); ++at) {
    if (at == kAnchors.size() || kAnchors[at] == '|' || kAnchors[at] == '\n') {
      if (at > start) anchors.push_back(kAnchors.substr(start, at - start));
      start = at + 1;
    }
  }
  return anchors;
}

// The sample report with the block put in just after the adventure log's
// heading, where the turn summary, the moves and every later section meet it.
inline std::string with_block(const std::string& report,
                              std::string_view block) {
  std::string text = report;
  const std::string_view place = "KALANDJAI</TD></TR>";
  const std::size_t at = text.find(place);
  text.insert(at == std::string::npos ? text.size() / 2 : at + place.size(),
              block);
  return text;
}

// Every run of digits replaced by the digits given (30 of them, or "-").
inline std::string replace_numbers(const std::string& report,
                                   std::string_view digits) {
  std::string text;
  text.reserve(report.size() * 2);
  for (std::size_t i = 0; i < report.size();) {
    if (report[i] >= '0' && report[i] <= '9') {
      while (i < report.size() && report[i] >= '0' && report[i] <= '9') ++i;
      text += digits;
    } else {
      text += report[i++];
    }
  }
  return text;
}

inline std::string replaced(std::string text, std::string_view from,
                            std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// A report grown to at least the size by repeating its adventure log.
inline std::string grown(const std::string& report, std::size_t size) {
  const std::size_t begin = report.find("KALANDJAI");
  const std::size_t end = report.find("ENCYCLOPEDIA FANTASIA");
  if (begin == std::string::npos || end == std::string::npos || end <= begin) {
    return report + std::string(size, 'x');
  }
  const std::string log = report.substr(begin, end - begin);
  std::string block;
  while (block.size() + report.size() < size) block += log;
  return with_block(report, block);
}

// Digit runs at the ends of the 32-bit range as the number readers take
// them: the highest value, the lowest (with its sign, and as the bare
// digits that wrap to it) and the bare digits that wrap to -1.
inline std::vector<std::string_view> limit_numbers() {
  return {"2147483647", "-2147483648", "2147483648", "4294967295"};
}

// Reports made from the sample report (raw bytes, CR LF line ends).
inline std::vector<Input> report_inputs(const std::string& report,
                                        bool big = true) {
  std::vector<Input> inputs;
  inputs.push_back({"empty", ""});
  inputs.push_back({"nul_bytes", std::string(4096, '\0')});
  inputs.push_back({"nul_inside", report.substr(0, report.size() / 2) + '\0' +
                                      report.substr(report.size() / 2)});
  inputs.push_back({"cr_only", replaced(report, "\r\n", "\r")});
  inputs.push_back({"lf_only", replaced(report, "\r\n", "\n")});
  inputs.push_back({"numbers_30_digits",
                    replace_numbers(report, "123456789012345678901234567890")});
  inputs.push_back({"numbers_lone_minus", replace_numbers(report, "-")});
  for (const std::string_view digits : limit_numbers()) {
    inputs.push_back(
        {"numbers_" + std::string(digits), replace_numbers(report, digits)});
  }
  // Item, spell and monster numbers at and past the tables' ends.
  std::string numbers = report;
  for (const char* from : {"(#118)", "(#12)", "(#231)"}) {
    numbers = replaced(numbers, from, "(#2000)");
  }
  numbers = replaced(numbers, "(#687)", "(#1999)");
  numbers = replaced(numbers, "(#305)", "(#-5)");
  numbers = replaced(numbers, "($145)", "($-5)");
  numbers = replaced(numbers, "(#45, ", "(#1000, ");
  numbers = replaced(numbers, "(#1, ", "(#500, ");
  inputs.push_back({"item_numbers_out_of_range", numbers});
  // The report cut right after each anchor: an anchor without its end.
  for (const std::string_view anchor : report_anchors()) {
    const std::size_t at = report.find(anchor);
    if (at == std::string::npos) continue;
    inputs.push_back({"cut_after_" + std::to_string(inputs.size()),
                      report.substr(0, at + anchor.size())});
  }
  inputs.push_back({"anchors_only", [] {
                      std::string text;
                      for (const std::string_view anchor : report_anchors())
                        text += anchor;
                      return text;
                    }()});
  if (big) {
    // Groups of anchors, each anchor 10,000 times in a row.
    const auto anchors = report_anchors();
    for (std::size_t first = 0; first < anchors.size(); first += 8) {
      std::string block;
      for (std::size_t a = first; a < first + 8 && a < anchors.size(); ++a) {
        for (int i = 0; i < 10'000; ++i) block += anchors[a];
      }
      inputs.push_back({"repeated_anchors_" + std::to_string(first),
                        with_block(report, block)});
    }
    // Item and shop lists by the ten thousand: marks in a row, whole shop
    // paragraphs, the other shop marks, and lists whose tables each hold
    // the next list over a long run of items.
    const std::string_view marker = "(zárójelben a tárgy sorszáma):"_cp;
    const std::string_view sold = "megvásárolni:"_cp;
    std::string marks;
    for (int i = 0; i < 10'000; ++i) marks += marker;
    for (int i = 0; i < 10'000; ++i) marks += sold;
    inputs.push_back({"item_and_shop_marks", with_block(report, marks)});
    std::string shops;
    for (int i = 0; i < 10'000; ++i) {
      shops += std::string(marker) + " kard (#12), pajzs (#13), sisak (#14). " +
               std::string(sold) +
               " vért (#15) 10 áron, lándzsa (#16) 20 áron<SPAN>x</SPAN>"
               "boltban: <SPAN CLASS=\"tvp\">1</SPAN>\r\n";
    }
    inputs.push_back({"shop_paragraphs", with_block(report, shops)});
    std::string nested;
    for (int i = 0; i < 10'000; ++i) {
      nested +=
          std::string(marker) + " l" + std::to_string(100'000 + i) + "<SPAN>";
    }
    for (int i = 0; i < 100'000; ++i) nested += "x, ";
    nested += std::string(sold) + " y<SPAN>";
    inputs.push_back({"nested_lists", with_block(report, nested)});
    // Two thousand short lists, each found and laid out, before a page of
    // text where every search for a shop mark runs far.
    std::string lists;
    for (int i = 0; i < 2'000; ++i) {
      lists += std::string(marker) + " a\n" + std::to_string(i) + "<SPAN>";
    }
    inputs.push_back({"many_lists",
                      with_block(report, lists + std::string(1'500'000, 'y'))});
    // A list text of half a megabyte of one byte, after a megabyte of it:
    // the search for the text nearly matches at every place.
    inputs.push_back(
        {"long_runs",
         with_block(report, std::string(1'000'000, 'x') + std::string(marker) +
                                std::string(500'000, 'x') + "e<SPAN>")});
    inputs.push_back({"five_megabytes", grown(report, 5'000'000)});
    std::string line = replaced(replaced(report, "\r\n", " "), "\n", " ");
    inputs.push_back(
        {"single_line_2mb",
         with_block(line, std::string(2'000'000 - line.size() % 1000, 'x'))});
  }
  return inputs;
}

// Settings files that break their own rules (1250 bytes).
inline std::vector<Input> settings_inputs() {
  return {
      {"empty", ""},
      {"nul_bytes", std::string(512, '\0')},
      {"comment_without_end",
       "utasítási lap: 1;\n/* fordulók könyvtára: \"x\";\nforduló törlése: 1;"_cp
           .data()},
      {"nested_comments", "/* /* */ papirang: 1; */ osztók: 1;"_cp.data()},
      {"unterminated_quotes",
       "fordulók könyvtára: \"abc;\nulek könyvtára: \";\ntanácsadó: \""_cp
           .data()},
      {"numbers_30_digits",
       "öltözködés: 123456789012345678901234567890;\ntáblázat mérete: "
       "999999999999999999999999999999%;\nkihívás tornya: -;\n"_cp.data()},
      {"width_extremes",
       "táblázat mérete: -2147483648;\nteológia módosító: 2147483647;"_cp
           .data()},
      {"dressing_out_of_range",
       "öltözködés: 1;\nLE1: #2000 #1999 #-5 #0 #;\nKF1: #1999 #2000;\nLE2: "
       "#;\nKF2: # # #"_cp.data()},
      {"orders_broken",
       "par#1: \"V 1 2 3 4 5\";\npar#0: \"X\";\npar#41: \"Y\";\npar#2: "
       "\"\";\npar#3: \"\";"},
      {"warnings_broken",
       "figyelmeztetések: 1;\ntárgy: (#2000) db: < 5 \"x\";\ntárgy: (#-5) db: "
       "= \"y\";\ntárgy: (#12) db:\nvarázslat: (#500) aktív: 0 \"z\";\n"
       "varázslat: (#"_cp.data()},
  };
}

// Monster catalogues whose names hold the markup the page edits put around
// names, and names hidden in other names.
inline std::vector<Input> monster_catalogue_inputs() {
  return {
      {"empty", ""},
      {"names_with_markup",
       "sorszam: 10; neve: \"<b>\";\nsorszam: 11; neve: \"</B>\";\n"
       "sorszam: 12; neve: \"x</B><b>x\";\nsorszam: 13; neve: "
       "\"<B>x</B>\";\nsorszam: 14; neve: \"!\";\nsorszam: 15; neve: "
       "\"\";\nsorszam: 16; neve: \" (#16)\";\n"},
      {"nested_names",
       "sorszam: 20; neve: \"Farkas\";\nsorszam: 21; neve: \"Farkas "
       "(#20)\";\nsorszam: 22; neve: \"a\";\nsorszam: 23; neve: \"aa\";\n"
       "sorszam: 24; neve: \"<b>a</B>\";\nsorszam: 25; neve: \"B>a\";\n"},
      {"numbers_out_of_range",
       "sorszam: 1000; neve: \"x\";\nsorszam: 1001; neve: \"y\";\n"
       "sorszam: -5; neve: \"z\";\nsorszam: 123456789012345678901234567890; "
       "neve: \"w\";\n"},
      {"nul_bytes", std::string(100, '\0')},
  };
}

// Item catalogues with out-of-range numbers and broken fields.
inline std::vector<Input> item_catalogue_inputs() {
  return {
      {"empty", ""},
      {"numbers_at_the_ends",
       "sorszam: 1999; neve: \"a\"; suly: 1.5; ea: 2147483647;\n"
       "sorszam: 2000; neve: \"b\";\nsorszam: -5; neve: \"c\";\n"
       "sorszam: 1998; ea: -2147483648; suly: 99999999999.99999;\n"},
      {"broken_fields",
       "sorszam: 5; neve: \"x; suly: ; sebf: 1d; fegytip: \"\nsorszam: 6; "
       "sebf: 99999d99999+99999; ero: 2147483647; fegyvari: 2147483647;\n"
       "sorszam: 7; sebf: 0d0+-5;\n"},
  };
}

// Spell damage tables and spell lists.
inline std::vector<Input> spell_table_inputs() {
  return {
      {"empty", ""},
      {"short_record", "73 4 1 8"},
      {"out_of_range",
       "500 1 1 1 1 teo T\n-5 1 1 1 1 tau V\n499 2147483647 "
       "2147483647 2147483647 2147483647 teo T\n"},
      {"zero_sides", "73 0 0 0 0 pszi -\n74 1 -1 -1 -1 teo V\n"},
  };
}

// Info files: their lists and numbers broken.
inline std::vector<Input> info_inputs() {
  return {
      {"empty", ""},
      {"nul_bytes", std::string(256, '\0')},
      {"numbers_out_of_range",
       "tárgyak:\n\nx (#1999)\ny (#2000)\nz (#-5)\nw (#0)\nv "
       "(#123456789012345678901234567890)\n\nszörnyek:\n\nx (#999)\ny "
       "(#1000)\nz (#-5)\n"_cp.data()},
      {"no_sections", "(#12) (#45)"},
      {"open_references", std::string("tárgyak:"_cp) + std::string(20000, '(') +
                              "(#" + std::string("szörnyek:"_cp) + "(#"},
  };
}

// Tower descriptions with broken rows.
inline std::vector<Input> tower_inputs() {
  return {
      {"empty", ""},
      {"nul_bytes", std::string(256, '\0')},
      {"rows_without_end",
       "infokt1: #5 #12\ninfosz1: #\nszornyek1: #2000 #-5\ntargyak1: 171 (2 "
       "db #5 + \ntargyako1: 3 db #"},
      {"numbers_out_of_range",
       "infokt1: #2000 #1999 #-5 #123456789012345678901234567890 ;\n"
       "infosz1: #1000 #1001 #-5 ;\nszornyek1: #1000 #-1 ;\ntargyak1: 2000 "
       "(99999999999 db #1999 + -5 db #2000), ;\ntargyako1: "
       "2147483647 db #5, -2147483648 db #5, ;\n"},
      {"skills_broken",
       "rejtőzködés\nmászás 99999999999 -5\nteológia - - -\nzene 1 2 3 4 5 "
       "6\n"_cp.data()},
  };
}

}  // namespace morvinta::hostile
