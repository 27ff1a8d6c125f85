#include "journal_page.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "console.h"
#include "cp1250.h"
#include "digest.h"
#include "settings_file.h"
#include "text_file.h"
#include "text_scan.h"

namespace morvinta {

namespace {

// The drawing area of a chart, in SVG units.
constexpr double kWidth = 860;
constexpr double kHeight = 280;
constexpr double kLeft = 70;
constexpr double kRight = 20;
constexpr double kTop = 36;
constexpr double kBottom = 36;
constexpr double kPlotWidth = kWidth - kLeft - kRight;
constexpr double kPlotHeight = kHeight - kTop - kBottom;
// Turn numbers below the axis stand at least this far apart, so that even
// six-digit numbers never overlap.
constexpr double kLabelSpacing = 56;
constexpr int kMaxValueLines = 12;

struct Series {
  std::string_view name;  // 1250
  JournalColumn column;
  std::string_view colour;
};

struct Chart {
  std::string_view title;  // 1250
  std::vector<Series> series;
};

const std::vector<Chart>& charts() {
  static const std::vector<Chart> kCharts = {
      {"Tápfaktor"_cp,
       {{"tápfaktor"_cp, kPowerScoreColumn, "#1f5fbf"},
        {"átlag tápfaktor"_cp, kExpectedPowerScoreColumn, "#999999"}}},
      {"Szint"_cp, {{"szint", kLevelColumn, "#2e8b57"}}},
      {"ÉP, VP és PP maximuma"_cp,
       {{"max ÉP"_cp, kMaxLifeColumn, "#c0392b"},
        {"max VP", kMaxMagicColumn, "#1f5fbf"},
        {"max PP", kMaxPsiColumn, "#8e44ad"}}},
      {"Sebzés fordulónként"_cp,
       {{"okozott sebzés"_cp, kDamageDealtColumn, "#2e8b57"},
        {"elszenvedett sebzés"_cp, kDamageTakenColumn, "#c0392b"}}},
  };
  return kCharts;
}

// Text for HTML: the markup characters written as entities.
std::string escaped(std::string_view text) {
  std::string html;
  html.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        html += "&amp;";
        break;
      case '<':
        html += "&lt;";
        break;
      case '>':
        html += "&gt;";
        break;
      case '"':
        html += "&quot;";
        break;
      default:
        html += c;
    }
  }
  return html;
}

std::string coordinate(double value) { return formatted("%.1f", value); }

// Appends the pieces to the text, without a string made for their sum.
template <typename... Pieces>
void append(std::string& text, const Pieces&... pieces) {
  (text.append(std::string_view(pieces)), ...);
}

// The vertical axis: from low to high in steps of step, each a round
// number (1, 2 or 5 times a power of ten, at least 1: the figures drawn are
// whole numbers but for the expected power score).
struct Scale {
  double low = 0;
  double high = 1;
  double step = 1;
};

Scale value_scale(double low, double high) {
  if (low > high) return {0, 4, 1};  // nothing known: an empty frame
  if (low == high) {                 // one level: it stands in the middle
    low -= 1;
    high += 1;
  }
  const double rough = (high - low) / 4;
  if (!std::isfinite(rough)) return {low, high, (high - low) / 4};
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  const double fraction = rough / power;
  double step = (fraction <= 1   ? 1
                 : fraction <= 2 ? 2
                 : fraction <= 5 ? 5
                                 : 10) *
                power;
  step = std::max(step, 1.0);
  Scale scale{std::floor(low / step) * step, std::ceil(high / step) * step,
              step};
  if (!std::isfinite(scale.low) || !std::isfinite(scale.high) ||
      scale.high <= scale.low) {
    return {low, high, (high - low) / 4};
  }
  return scale;
}

std::string chart_svg(const Journal& journal, const Chart& chart) {
  const auto& lines = journal.lines;
  const double first_turn = lines.empty() ? 0 : lines.front().turn;
  const double last_turn = lines.empty() ? 0 : lines.back().turn;
  double low = std::numeric_limits<double>::infinity();
  double high = -low;
  for (const JournalLine& line : lines) {
    for (const Series& series : chart.series) {
      if (const auto value = field_value(line.fields[series.column])) {
        low = std::min(low, *value);
        high = std::max(high, *value);
      }
    }
  }
  const Scale scale = value_scale(low, high);
  const double range = scale.high - scale.low;
  const auto x_of = [&](double turn) {
    if (last_turn == first_turn) return kLeft + kPlotWidth / 2;
    return kLeft + kPlotWidth * (turn - first_turn) / (last_turn - first_turn);
  };
  const auto y_of = [&](double value) {
    return kTop + kPlotHeight - kPlotHeight * (value - scale.low) / range;
  };

  std::string svg;
  append(svg, "<h2>", escaped(chart.title), "</h2>\n");
  svg += formatted(
      "<svg class=\"chart\" xmlns=\"http://www.w3.org/2000/svg\" "
      "width=\"%.0f\" height=\"%.0f\" viewBox=\"0 0 %.0f %.0f\">\n",
      kWidth, kHeight, kWidth, kHeight);
  // Axes, value lines and their labels.
  svg += "<g class=\"axis\">";
  // At most a dozen value lines, however the figures lie.
  for (int i = 0; i <= kMaxValueLines; ++i) {
    const double value = scale.low + scale.step * i;
    if (value > scale.high + scale.step / 2) break;
    const std::string y = coordinate(y_of(value));
    append(svg, "<line x1=\"", coordinate(kLeft), "\" y1=\"", y, "\" x2=\"",
           coordinate(kLeft + kPlotWidth), "\" y2=\"", y,
           "\" class=\"grid\"/>");
    append(svg, "<text x=\"", coordinate(kLeft - 6), "\" y=\"", y,
           "\" text-anchor=\"end\" dy=\"4\">",
           formatted("%.0f", std::round(value) + 0.0), "</text>");
  }
  append(svg, "<line x1=\"", coordinate(kLeft), "\" y1=\"", coordinate(kTop),
         "\" x2=\"", coordinate(kLeft), "\" y2=\"",
         coordinate(kTop + kPlotHeight), "\"/>");
  append(svg, "<line x1=\"", coordinate(kLeft), "\" y1=\"",
         coordinate(kTop + kPlotHeight), "\" x2=\"",
         coordinate(kLeft + kPlotWidth), "\" y2=\"",
         coordinate(kTop + kPlotHeight), "\"/>");
  // Turn numbers below the axis, thinned so that none overlaps the last.
  double last_label = -std::numeric_limits<double>::infinity();
  for (const JournalLine& line : lines) {
    const double x = x_of(line.turn);
    if (x - last_label < kLabelSpacing) continue;
    last_label = x;
    append(svg, "<text x=\"", coordinate(x), "\" y=\"",
           coordinate(kTop + kPlotHeight + 18), "\" text-anchor=\"middle\">",
           journal_number(line.turn), "</text>");
  }
  append(svg, "<text x=\"", coordinate(kLeft + kPlotWidth), "\" y=\"",
         coordinate(kHeight - 2), "\" text-anchor=\"end\">", "forduló"_cp,
         "</text></g>\n");

  // The series: a line through the known figures, a point with its tooltip
  // on each; small points where there are many.
  const std::string_view radius = lines.size() > 200 ? "1.5" : "3";
  for (std::size_t s = 0; s < chart.series.size(); ++s) {
    const Series& series = chart.series[s];
    std::string points;
    std::string dots;
    for (const JournalLine& line : lines) {
      const std::string& field = line.fields[series.column];
      const auto value = field_value(field);
      if (!value) continue;
      const std::string x = coordinate(x_of(line.turn));
      const std::string y = coordinate(y_of(*value));
      if (!points.empty()) points += ' ';
      append(points, x, ",", y);
      append(dots, "<circle cx=\"", x, "\" cy=\"", y, "\" r=\"", radius,
             "\"><title>", journal_number(line.turn), ". forduló, "_cp,
             escaped(series.name), ": ", escaped(field), "</title></circle>");
    }
    append(svg, "<g class=\"series\" fill=\"", series.colour, "\" stroke=\"",
           series.colour, "\">");
    append(svg, "<polyline fill=\"none\" points=\"", points, "\"/>\n");
    svg += dots;
    svg += "</g>\n";
    // The legend, above the drawing.
    const double at = kLeft + 190.0 * static_cast<double>(s);
    append(svg, "<g class=\"legend\"><rect x=\"", coordinate(at),
           "\" y=\"8\" width=\"12\" height=\"12\" fill=\"", series.colour,
           "\"/><text x=\"", coordinate(at + 18), "\" y=\"18\">",
           escaped(series.name), "</text></g>\n");
  }
  svg += "</svg>\n";
  return svg;
}

bool report_exists(const JournalPageInfo& info, std::int32_t turn) {
  const std::string name =
      enhanced_report_name(info.character_number, turn, info.c_form_names);
  return FileLines(path_in(info.report_directory, name), 1).is_open();
}

std::string table(const Journal& journal, const JournalPageInfo& info) {
  std::string html = "<table class=\"naplo\">\n<tr>";
  std::string_view header = journal_header();
  for (;;) {
    const std::size_t cut = header.find(';');
    html += "<th>" + escaped(header.substr(0, cut)) + "</th>";
    if (cut == std::string_view::npos) break;
    header.remove_prefix(cut + 1);
  }
  html += "</tr>\n";
  for (auto line = journal.lines.rbegin(); line != journal.lines.rend();
       ++line) {
    html += "<tr>";
    for (std::size_t i = 0; i < kJournalColumns; ++i) {
      const std::string cell = escaped(line->fields[i]);
      if (i == kTurnColumn && report_exists(info, line->turn)) {
        html += "<td><a href=\"" +
                enhanced_report_name(info.character_number, line->turn,
                                     info.c_form_names) +
                "\">" + cell + "</a></td>";
      } else {
        html += "<td>" + cell + "</td>";
      }
    }
    html += "</tr>\n";
  }
  html += "</table>\n";
  return html;
}

// The opening tag of the body: its place and length; absent without one.
std::optional<std::pair<std::size_t, std::size_t>> body_tag(
    std::string_view text) {
  for (const std::string_view opening : {"<BODY", "<body", "<Body"}) {
    const std::size_t at = find_first(text, opening);
    if (at == std::string_view::npos) continue;
    const std::size_t end = text.find('>', at);
    if (end == std::string_view::npos) return std::nullopt;
    return std::make_pair(at, end + 1 - at);
  }
  return std::nullopt;
}

}  // namespace

std::string journal_page(const Journal& journal, const JournalPageInfo& info) {
  const std::string who =
      escaped(info.character_name) + formatted(" (#%d)", info.character_number);
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"hu\">\n<head>\n<meta "
      "http-equiv=\"Content-Type\" content=\"text/html; "
      "charset=windows-1250\">\n<title>" +
      who + std::string(" naplója"_cp) +
      "</title>\n<style>\n"
      "body { font-family: Verdana, Arial, sans-serif; font-size: 13px; "
      "color: #222; background: #fff; margin: 16px; }\n"
      "h1 { font-size: 20px; } h2 { font-size: 15px; margin: 18px 0 4px; }\n"
      "svg.chart { display: block; max-width: 100%; height: auto; }\n"
      "svg.chart text { font-size: 11px; fill: #333; stroke: none; }\n"
      "svg.chart .axis line { stroke: #333; }\n"
      "svg.chart .axis line.grid { stroke: #ddd; }\n"
      "svg.chart polyline { stroke-width: 1.5; }\n"
      "svg.chart circle { stroke: none; }\n"
      "table.naplo { border-collapse: collapse; margin-top: 18px; }\n"
      "table.naplo th, table.naplo td { border: 1px solid #bbb; "
      "padding: 2px 6px; text-align: right; white-space: nowrap; }\n"
      "table.naplo th { background: #eee; }\n"
      "</style>\n</head>\n<body>\n<h1>" +
      who + std::string(" naplója</h1>\n"_cp);
  if (journal.lines.empty()) {
    html += "<p>Még nincs forduló a naplóban.</p>\n"_cp;
  } else {
    html += formatted(
        "<p>%d. - %d. forduló, %zu forduló a naplóban</p>\n"_cp.data(),
        journal.lines.front().turn, journal.lines.back().turn,
        journal.lines.size());
  }
  for (const Chart& chart : charts()) html += chart_svg(journal, chart);
  html += table(journal, info);
  html += "</body>\n</html>\n";
  return html;
}

std::string enhanced_report_name(std::int32_t character_number,
                                 std::int32_t turn_number, bool c_form_names) {
  return formatted(c_form_names ? "%dc%d.htm" : "%d_%d.htm", character_number,
                   turn_number);
}

std::string navigation_line(std::int32_t character_number,
                            std::int32_t turn_number, bool c_form_names) {
  std::string line = "<P CLASS=\"t1\" ALIGN=center>";
  if (turn_number > 1) {
    line +=
        "<a class=n href=\"" +
        enhanced_report_name(character_number, turn_number - 1, c_form_names) +
        "\">&lt;&lt; " + formatted("%d. forduló"_cp.data(), turn_number - 1) +
        "</a> | ";
  }
  line += "<a class=n href=\"" + formatted("naplo_%d.htm", character_number) +
          std::string("\">napló</a>"_cp);
  if (turn_number < std::numeric_limits<std::int32_t>::max()) {
    line +=
        " | <a class=n href=\"" +
        enhanced_report_name(character_number, turn_number + 1, c_form_names) +
        "\">" + formatted("%d. forduló"_cp.data(), turn_number + 1) +
        " &gt;&gt;</a>";
  }
  line += "</P>";
  return line;
}

void add_navigation(std::string& text, std::int32_t character_number,
                    std::int32_t turn_number, bool c_form_names) {
  const std::string line =
      navigation_line(character_number, turn_number, c_form_names);
  // The bottom line first, so that the place of the top one stays.
  const std::size_t credits = find_last(text, credit_block());
  if (credits != std::string::npos) text.insert(credits, line + "\n");
  if (const auto tag = body_tag(text)) {
    text.insert(tag->first + tag->second, "\n" + line);
  }
}

}  // namespace morvinta
