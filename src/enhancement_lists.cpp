// The item lists of the adventure text laid out as tables, from an index of
// the report instead of a search of the whole page per list.
//
// Each list's text (between its marker and the next "<SPAN") is replaced
// where it first stands in the page as the earlier lists left it, which is
// not always its own place: a list taken for a shop list reaches up to the
// next shop's mark, so its table can hold copies of later lists. The page is
// kept as pieces, each a part of the report as it was or a part of a table
// made so far; a table's cells are parts of the report as it was too, so
// the places of every list's text in the report, found in one scan, give
// its places in every piece.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cp1250.h"
#include "enhancement.h"
#include "enhancement_links.h"
#include "splices.h"

namespace morvinta {

namespace {

constexpr auto npos = std::string_view::npos;
constexpr std::string_view kSpan = "<SPAN";

// Four bytes of a text read as one number.
std::uint32_t four_bytes(const char* at) {
  std::uint32_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

// A filter of 2^16 bits over such numbers: false only for a number never
// added.
class FourByteFilter {
 public:
  void add(std::uint32_t value) {
    bits_[bit(value) >> 6] |= std::uint64_t{1} << (bit(value) & 63);
  }
  bool may_hold(std::uint32_t value) const {
    return (bits_[bit(value) >> 6] >> (bit(value) & 63) & 1) != 0;
  }

 private:
  static std::uint32_t bit(std::uint32_t value) {
    return static_cast<std::uint32_t>(value * 2654435761u) >> 16;
  }
  std::vector<std::uint64_t> bits_ = std::vector<std::uint64_t>(1u << 10, 0);
};

// Where each of the texts (all different) stands in the report, when each
// has an item number's "#" or "$" with three more bytes after it: only the
// report's "#" and "$" are looked at, the four bytes from each filtered
// against those of the texts. Absent when a text has none, or when the
// comparisons would pass the budget of bytes.
std::optional<std::vector<std::vector<std::size_t>>> places_by_number_mark(
    std::string_view text, const std::vector<std::string_view>& wanted,
    std::size_t budget) {
  constexpr char kMarks[] = {'#', '$'};
  struct Anchored {
    std::size_t text;    // index into wanted
    std::size_t offset;  // where its mark stands in it
  };
  std::unordered_map<std::uint32_t, std::vector<Anchored>> by_key[2];
  FourByteFilter filter;
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    const std::string_view w = wanted[i];
    const std::size_t mark = w.find_first_of("#$");
    if (mark == npos || mark + 4 > w.size()) return std::nullopt;
    const std::uint32_t value = four_bytes(w.data() + mark);
    by_key[w[mark] == '#' ? 0 : 1][value].push_back({i, mark});
    filter.add(value);
  }
  std::vector<std::vector<std::size_t>> places(wanted.size());
  const char* const base = text.data();
  const char* const end = base + text.size();
  for (std::size_t m = 0; m < std::size(kMarks); ++m) {
    if (by_key[m].empty()) continue;
    // From the left, so each text's places come in order.
    for (const char* at = base;
         (at = static_cast<const char*>(
              std::memchr(at, kMarks[m], static_cast<std::size_t>(end - at))));
         ++at) {
      if (end - at < 4) break;
      const std::uint32_t value = four_bytes(at);
      if (!filter.may_hold(value)) continue;
      const auto found = by_key[m].find(value);
      if (found == by_key[m].end()) continue;
      const auto q = static_cast<std::size_t>(at - base);
      for (const Anchored& a : found->second) {
        const std::string_view w = wanted[a.text];
        if (q < a.offset || q - a.offset + w.size() > text.size()) continue;
        if (w.size() + 1 > budget) return std::nullopt;
        budget -= w.size() + 1;
        if (text.compare(q - a.offset, w.size(), w) == 0) {
          places[a.text].push_back(q - a.offset);
        }
      }
    }
  }
  return places;
}

// Where each of the texts (all different) stands in the report, in one
// scan: a filter on their first four bytes (shorter texts are searched for
// one by one). Absent when the comparisons would pass the budget of bytes,
// as texts that share a long start can make them.
std::optional<std::vector<std::vector<std::size_t>>> places_of(
    std::string_view text, const std::vector<std::string_view>& wanted,
    std::size_t budget) {
  if (auto places = places_by_number_mark(text, wanted, budget)) {
    return places;
  }
  std::vector<std::vector<std::size_t>> places(wanted.size());
  std::unordered_map<std::uint32_t, std::vector<std::size_t>> by_head;
  FourByteFilter filter;
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    if (wanted[i].size() < 4) {
      // A search of its own through the whole text.
      if (text.size() + 1 > budget) return std::nullopt;
      budget -= text.size() + 1;
      for_each_occurrence(text, wanted[i],
                          [&](std::size_t at) { places[i].push_back(at); });
      continue;
    }
    const std::uint32_t value = four_bytes(wanted[i].data());
    by_head[value].push_back(i);
    filter.add(value);
  }
  if (by_head.empty()) return places;
  for (std::size_t at = 0; at + 4 <= text.size(); ++at) {
    const std::uint32_t value = four_bytes(text.data() + at);
    if (!filter.may_hold(value)) continue;
    const auto found = by_head.find(value);
    if (found == by_head.end()) continue;
    for (const std::size_t i : found->second) {
      const std::string_view w = wanted[i];
      const std::size_t length = std::min(w.size(), text.size() - at);
      std::size_t same = 0;
      while (same < length && w[same] == text[at + same]) ++same;
      if (same + 1 > budget) return std::nullopt;
      budget -= same + 1;
      if (same == w.size()) places[i].push_back(at);
    }
  }
  return places;
}

// The first place in the sorted list at or after from whose pattern ends by
// end; npos when none.
std::size_t first_within(const std::vector<std::size_t>& places,
                         std::size_t from, std::size_t end,
                         std::size_t length) {
  const auto it = std::lower_bound(places.begin(), places.end(), from);
  if (it == places.end() || *it + length > end) return npos;
  return *it;
}

// A cell of a table: `length` bytes of the report from `source`, standing at
// `at` in the table's text.
struct Cell {
  std::size_t at;
  std::size_t source;
  std::size_t length;
};

// One list's table and what it replaces.
struct ListTable {
  std::string_view listed;  // the text between the marker and "<SPAN"
  std::string html;
  std::vector<Cell> cells;  // in order; their sources increase
};

// The markup of a list's table.
constexpr std::string_view kOpen = "<table border=0 width=100%>";
constexpr std::string_view kRow = "\n<tr>";
constexpr std::string_view kCell = "<td width=25%>";
constexpr std::string_view kCellEnd = "</td>";
constexpr std::string_view kRowEnd = "</tr>";
constexpr std::string_view kTableClose = "</tr></table>\n";
constexpr std::string_view kShopSentence =
    "<br>A következő tárgyaidat hajlandó a boltos megvásárolni:<br>"_cp;

// A list's cells, cut from the text [begin, end) of the report at the
// separators ", " and the end mark, as `list_table` of the plain pass cuts
// them: `count` cells of the table's from `first`, and the bytes their table
// takes. The cells are cut before anything is written, so that a table is
// written into room of its exact size: a shop list's table can copy most of
// the page.
struct ListCells {
  std::size_t first;
  std::size_t count;
  std::size_t bytes;
};

ListCells cut_list(std::string_view report, std::size_t begin, std::size_t end,
                   std::string_view end_mark, ListTable& table) {
  std::string_view list = report.substr(begin, end - begin);
  ListCells cut{table.cells.size(), 0, kOpen.size()};
  for (;;) {
    std::size_t at = list.find(", ");
    std::size_t mark_size = 2;
    if (at == npos) {
      at = list.find(end_mark);
      mark_size = end_mark.size();
      if (at == npos || end_mark.empty()) break;
    }
    const std::size_t length = at + mark_size;
    table.cells.push_back(
        {0, static_cast<std::size_t>(list.data() - report.data()), length});
    cut.bytes += kCell.size() + length + kCellEnd.size();
    list.remove_prefix(length);
  }
  cut.count = table.cells.size() - cut.first;
  cut.bytes +=
      (cut.count + 3) / 4 * kRow.size() + cut.count / 4 * kRowEnd.size();
  return cut;
}

// Writes the table of the cut cells after the table's text, and where each
// cell stands in it.
void write_list_table(std::string_view report, const ListCells& cut,
                      ListTable& table) {
  std::string& html = table.html;
  html += kOpen;
  for (std::size_t i = 0; i < cut.count; ++i) {
    Cell& cell = table.cells[cut.first + i];
    if (i % 4 == 0) html += kRow;
    html += kCell;
    cell.at = html.size();
    html += report.substr(cell.source, cell.length);
    html += kCellEnd;
    if (i % 4 == 3) html += kRowEnd;
  }
}

// The texts that the tables put between their cells.
constexpr std::string_view kTableTexts[] = {
    "<br>", kOpen, kRow, kCell, kCellEnd, kRowEnd, kTableClose, kShopSentence};

// A piece of the page: bytes [begin, end) of the report as it was (table
// -1) or of a table's text.
struct Piece {
  int table;
  std::size_t begin;
  std::size_t end;
};

}  // namespace

bool tabulate_item_lists_indexed(std::string& text) {
  const std::string_view marker = "(zárójelben a tárgy sorszáma):"_cp;
  const std::string_view shop_marks[] = {"megvásárolni:"_cp,
                                         "boltban:", "<SPAN CLASS=\"tvp\">"};
  const std::string_view report = text;
  const std::vector<std::size_t> markers = [&] {
    // The markers as the plain pass meets them, each searched for behind
    // the last, as many as are laid out.
    std::vector<std::size_t> found;
    for (std::size_t at = find_first(report, marker);
         at != npos && found.size() < std::size_t{kMostItemLists};
         at = find_first(report, marker, at + marker.size())) {
      found.push_back(at);
    }
    return found;
  }();
  if (markers.empty()) return true;
  const std::vector<std::size_t> spans = find_all(report, kSpan);
  std::vector<std::size_t> mark_places[std::size(shop_marks)];
  for (std::size_t m = 0; m < std::size(shop_marks); ++m) {
    if (!shop_marks[m].starts_with(kSpan)) {
      mark_places[m] = find_all(report, shop_marks[m]);
      continue;
    }
    // A mark that is a "<SPAN" tag stands where one of them does.
    for (const std::size_t at : spans) {
      if (report.substr(at).starts_with(shop_marks[m])) {
        mark_places[m].push_back(at);
      }
    }
  }

  // The tables, each made from the report as it was.
  std::vector<ListTable> tables;
  std::size_t table_bytes = 0;
  for (const std::size_t at : markers) {
    // Tables beyond the bound may or may not be put in, as the lists are
    // found: left to the plain pass, which counts those put in.
    if (table_bytes > kMostItemListBytes) return false;
    const std::size_t begin = at + marker.size();
    ListTable table;
    const std::size_t listed_end = first_within(spans, begin, npos, 0);
    if (listed_end != npos) {
      table.listed = report.substr(begin, listed_end - begin);
    }
    table.html = "<br>";
    std::size_t paragraph_end = report.size();
    bool shop = false;
    for (const auto& places : mark_places) {
      shop = shop || (!places.empty() && places.back() >= begin);
    }
    if (!shop) {
      const std::size_t cut = first_within(spans, begin, npos, 0);
      if (cut != npos) paragraph_end = cut;
      const ListCells cells =
          cut_list(report, begin, paragraph_end, ".", table);
      table.html.reserve(table.html.size() + cells.bytes + kTableClose.size());
      write_list_table(report, cells, table);
    } else {
      std::size_t second_begin = 0;
      std::size_t second_end = 0;
      for (std::size_t m = 0; m < std::size(shop_marks); ++m) {
        const std::size_t found = first_within(
            mark_places[m], begin, paragraph_end, shop_marks[m].size());
        if (found == npos) continue;
        const std::size_t inner = found + shop_marks[m].size();
        // The second list ends at the first "<SPAN" behind the mark within
        // the paragraph as cut so far; none there leaves it empty.
        const std::size_t span =
            first_within(spans, inner, paragraph_end, kSpan.size());
        second_begin = second_end = 0;
        if (span != npos) {
          second_begin = inner;
          second_end = span;
        }
        paragraph_end = found;
      }
      const ListCells cells =
          cut_list(report, begin, paragraph_end, ".", table);
      const ListCells sold =
          cut_list(report, second_begin, second_end, "áron"_cp, table);
      table.html.reserve(table.html.size() + cells.bytes + sold.bytes +
                         2 * kTableClose.size() + kShopSentence.size());
      write_list_table(report, cells, table);
      table.html += kTableClose;
      table.html += kShopSentence;
      write_list_table(report, sold, table);
    }
    table.html += kTableClose;
    table_bytes += table.html.size();
    tables.push_back(std::move(table));
  }

  // A list text with a byte of the tables' markup, or standing inside that
  // markup, could be found across a cell's edge: left to the plain pass. So
  // are pages of list texts longer than the page (marker after marker
  // without a "<SPAN"), whose pieces would cost more than the plain
  // searches.
  std::vector<std::string_view> wanted;  // each list text once
  std::unordered_map<std::string_view, std::size_t> wanted_index;
  std::vector<std::size_t> text_of(tables.size());
  std::size_t wanted_size = 0;
  for (std::size_t i = 0; i < tables.size(); ++i) {
    const std::string_view listed = tables[i].listed;
    if (listed.find_first_of("<>\n") != npos) return false;
    for (const std::string_view table_text : kTableTexts) {
      if (!listed.empty() && table_text.find(listed) != npos) return false;
    }
    const auto [entry, added] = wanted_index.emplace(listed, wanted.size());
    if (added) {
      wanted.push_back(listed);
      wanted_size += listed.size();
    }
    text_of[i] = entry->second;
  }
  if (wanted_size > 2 * report.size()) return false;
  const auto found_places =
      places_of(report, wanted, 16 * report.size() + (1u << 20));
  if (!found_places) return false;
  const std::vector<std::vector<std::size_t>>& places = *found_places;

  // The first place of list i in a piece, in the piece's own bytes.
  const auto first_in_piece = [&](std::size_t list, const Piece& piece) {
    const std::size_t i = text_of[list];
    const std::size_t length = wanted[i].size();
    if (piece.table < 0) {
      return first_within(places[i], piece.begin, piece.end, length);
    }
    const std::vector<Cell>& cells =
        tables[static_cast<std::size_t>(piece.table)].cells;
    // The cells that reach into the piece, and the report's part they
    // copy; each place of the list there is looked up in its cell.
    const auto first = std::lower_bound(
        cells.begin(), cells.end(), piece.begin,
        [](const Cell& c, std::size_t at) { return c.at + c.length <= at; });
    const auto last = std::lower_bound(
        first, cells.end(), piece.end,
        [](const Cell& c, std::size_t at) { return c.at < at; });
    if (first == last) return npos;
    const std::size_t low =
        first->source + (piece.begin > first->at ? piece.begin - first->at : 0);
    const Cell& final_cell = *(last - 1);
    const std::size_t high =
        final_cell.source +
        std::min(final_cell.length, piece.end - final_cell.at);
    for (auto place = std::lower_bound(places[i].begin(), places[i].end(), low);
         place != places[i].end() && *place + length <= high; ++place) {
      const auto cell = std::upper_bound(first, last, *place,
                                         [](std::size_t at, const Cell& c) {
                                           return at < c.source;
                                         }) -
                        1;
      if (*place + length > cell->source + cell->length) continue;
      const std::size_t at = cell->at + (*place - cell->source);
      if (at >= piece.begin && at + length <= piece.end) return at;
    }
    return npos;
  };

  std::vector<Piece> pieces = {{-1, 0, report.size()}};
  for (std::size_t i = 0; i < tables.size(); ++i) {
    const std::size_t length = tables[i].listed.size();
    if (length == 0) continue;  // nothing to replace
    for (std::size_t p = 0; p < pieces.size(); ++p) {
      const std::size_t found = first_in_piece(i, pieces[p]);
      if (found == npos) continue;
      const Piece before{pieces[p].table, pieces[p].begin, found};
      const Piece after{pieces[p].table, found + length, pieces[p].end};
      const Piece table{static_cast<int>(i), 0, tables[i].html.size()};
      pieces[p] = before;
      pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(p) + 1,
                    {table, after});
      break;
    }
  }

  std::string page;
  std::size_t size = 0;
  for (const Piece& piece : pieces) size += piece.end - piece.begin;
  page.reserve(size);
  for (const Piece& piece : pieces) {
    const std::string_view source =
        piece.table < 0
            ? report
            : std::string_view(
                  tables[static_cast<std::size_t>(piece.table)].html);
    page.append(source.substr(piece.begin, piece.end - piece.begin));
  }
  text = std::move(page);
  return true;
}

}  // namespace morvinta
