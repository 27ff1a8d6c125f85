#include "enhancement.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "addresses.h"
#include "console.h"
#include "cp1250.h"
#include "digest_tower.h"
#include "enhancement_links.h"
#include "enhancement_summary.h"
#include "figures.h"
#include "journal.h"
#include "journal_page.h"
#include "order_sheet.h"
#include "platform.h"
#include "rules.h"
#include "text_cursor.h"
#include "text_file.h"
#include "text_scan.h"
#include "text_scan_plain.h"

namespace morvinta {

namespace {

constexpr std::string_view kTableEnd = "</TABLE></TD></TR></TABLE>";

bool carries(const TurnReport& report, int item) {
  return report.items.item_by_number(item).carried_count > 0;
}

// The inventory table's header, before which the summary tables go.
std::string inventory_header() {
  return std::string(
      "<P>\n<TABLE WIDTH=740 CELLPADDING=1 CELLSPACING=0 BORDER=0 "
      "CLASS=\"t0\"><TR><TD><TABLE CELLPADDING=2 CELLSPACING=0 BORDER=0 "
      "CLASS=\"t1\" WIDTH=740>\n<TR><TD CLASS=\"c2\" COLSPAN=9>NÁLAD LÉVŐ "
      "TÁRGYAK (*-gal jelöltek bekészítve)</TD></TR>"_cp);
}

// A section with a console label: the label, the work, "OK".
template <typename Work>
void section(const char* label, Work work) {
  say(label);
  work();
  say("OK\n");
}

// The folder of the local encyclopedia copy, from the settings.
std::string offline_directory(const Settings& settings) {
  return std::string(
      extract_between(
          find_after(settings.settings_text, "offline webhyper könyvtára"_cp),
          "\"", "\"")
          .value_or(""));
}

// Replaces the report's segment from the heading through the next table end
// by what rework makes of a copy of it.
template <typename Rework>
void rework_segment(std::string& text, std::string_view heading,
                    Rework rework) {
  const MaybeText segment = extract_inclusive(text, heading, kTableEnd);
  if (!segment) return;
  const auto at = static_cast<std::size_t>(segment->data() - text.data());
  const std::string original(*segment);
  std::string copy = original;
  rework(copy);
  if (copy == original) return;
  if (plain_scans()) {
    replace_first(text, original, copy);
  } else {
    // The segment starts at the heading's first place, so it stands nowhere
    // earlier: the copy goes where it was found.
    text.replace(at, original.size(), copy);
  }
}

// One list table: cells of four to a row, each cell a piece of the text
// through its next ", " (or, when none is left, through the end mark).
std::string list_table(std::string_view list, std::string_view end_mark) {
  std::string html = "<table border=0 width=100%>";
  int cells = 0;
  for (;;) {
    std::size_t cut = list.find(", ");
    std::size_t mark_size = 2;
    if (cut == std::string_view::npos) {
      cut = list.find(end_mark);
      mark_size = end_mark.size();
      if (cut == std::string_view::npos || end_mark.empty()) break;
    }
    if (cells == 0) html += "\n<tr>";
    html += "<td width=25%>";
    html += list.substr(0, cut + mark_size);
    html += "</td>";
    if (++cells == 4) {
      html += "</tr>";
      cells = 0;
    }
    list.remove_prefix(cut + mark_size);
  }
  return html;
}

}  // namespace

std::uint32_t compute_effect_flags(const TurnReport& report) {
  std::uint32_t flags = 0;
  if (carries(report, 508)) flags |= kEffectMorganSplinter;
  if (carries(report, 596) && carries(report, 602) && carries(report, 603) &&
      carries(report, 604)) {
    flags |= kEffectMihlanilArmour;
  }
  if (report.development_points.find_development_point("vp regeneráció"_cp)
          .level > 0) {
    flags |= kEffectVpRegeneration;
  }
  if (carries(report, 504)) flags |= kEffectGoldBox;
  if (carries(report, 1119)) flags |= kEffectDeritTrousers;
  return flags;
}

std::string summary_block_start() {
  return "\n <P>\n<TABLE WIDTH=740 CELLPADDING=1 CELLSPACING=0 BORDER=0 "
         "CLASS=\"t0\"><TR><TD> <TABLE CELLPADDING=2 CELLSPACING=0 BORDER=0 "
         "CLASS=\"t1\" WIDTH=740>\n<TR><TD CLASS=\"c2\" COLSPAN=3 "
         "WIDTH=100%>Morvinta</TD></TR>";
}

void insert_summary_block(std::string& text, std::string summary_block) {
  const std::string header = inventory_header();
  summary_block += "\n";
  summary_block += header;
  replace_first(text, header, summary_block);
}

std::string monster_address(const Settings& settings, int n) {
  return EncyclopediaAddresses(settings).monster(n);
}

std::string item_address(const Settings& settings, int n) {
  return EncyclopediaAddresses(settings).item(n);
}

std::string spell_address(const Settings& settings, int n) {
  return EncyclopediaAddresses(settings).spell(n);
}

EncyclopediaAddresses::EncyclopediaAddresses(const Settings& settings)
    : offline_(settings.offline_webhyper != 0),
      folder_(offline_ ? offline_directory(settings)
                       : std::string(kEncyclopediaHost) + "/webhyper") {}

std::string EncyclopediaAddresses::monster(int n) const {
  return address("/szorny_enc.php", "f=szenc&ssz=", n);
}

std::string EncyclopediaAddresses::item(int n) const {
  return address("/targy_enc.php", "f=tenc&ssz=", n);
}

std::string EncyclopediaAddresses::spell(int n) const {
  return address("/vari_enc.php", "f=venc&ssz=", n);
}

std::string EncyclopediaAddresses::address(std::string_view page,
                                           std::string_view query,
                                           int n) const {
  // The local copy's pages are files: "?" became "@" in their names, and
  // they end in ".htm".
  std::string text;
  text.reserve(folder_.size() + page.size() + query.size() + 16);
  text += folder_;
  text += page;
  text += offline_ ? '@' : '?';
  text += query;
  append_number(text, n);
  if (offline_) text += ".htm";
  return text;
}

std::string encyclopedia_link(std::string_view url, std::string_view text) {
  constexpr std::string_view kOpen = "<a class=n href=\"";
  constexpr std::string_view kTitle =
      "\" target=new title=\"Encyclopedia (Web Hyper)\">";
  constexpr std::string_view kClose = "</a>";
  std::string link;
  link.reserve(kOpen.size() + url.size() + kTitle.size() + text.size() +
               kClose.size());
  link += kOpen;
  link += url;
  link += kTitle;
  link += text;
  link += kClose;
  return link;
}

void link_coordinates(TurnReport& report) {
  if (!plain_scans() && link_coordinates_indexed(report)) return;
  const AdventureLog& log = report.adventures;
  for (int i = 0; i < log.move_count; ++i) {
    const Coordinate& move = log.moves[static_cast<std::size_t>(i)];
    insert_after(report.text, move.square_text(),
                 formatted("<A name=\"#koord%d\"></A>", i));
    const std::string round = move.round_text();
    replace_first(report.text, round,
                  formatted("<A href=\"#koord%d\">%s</A>", i, round.c_str()));
  }
}

void link_monsters(TurnReport& report) {
  if (!plain_scans() && link_monsters_indexed(report)) return;
  for (int n = 10; n <= 999; ++n) {
    const std::string& name = report.monsters.monster_by_number(n).name;
    const std::string url = monster_address(report.settings, n);
    replace_all(report.text, "<b>" + name + "</B>",
                encyclopedia_link(url, "<B>" + name + "</B>"));
    replace_all(report.text, "<b>" + name + "!</B>",
                encyclopedia_link(url, "<B>" + name + "!</B>"));
  }
}

void number_monsters(TurnReport& report) {
  if (!plain_scans() && number_monsters_indexed(report)) return;
  for (int n = 10; n <= 999; ++n) {
    const std::string& name = report.monsters.monster_by_number(n).name;
    const std::string number = formatted(" (#%d)", n);
    replace_all(report.text, "<B>" + name + "</B>",
                "<B>" + name + number + "</B>");
    replace_all(report.text, "<B>" + name + "!</B>",
                "<B>" + name + number + "!</B>");
  }
}

void replace_images(TurnReport& report) {
  const std::string directory(
      extract_between(extract_inclusive(report.settings.settings_text,
                                        "képek könyvtára"_cp, ";"),
                      "\"", "\"")
          .value_or(""));
  replace_all(report.text, kPublisherImageBase, directory);
}

void add_item_weights(TurnReport& report) {
  if (!plain_scans() && add_item_weights_indexed(report)) return;
  const auto pass = [&](std::string_view heading, bool bank) {
    rework_segment(report.text, heading, [&](std::string& segment) {
      for (int n = 1; n < ItemCatalogue::kRows; ++n) {
        const ItemRecord& item = report.items.item_by_number(n);
        const std::int32_t k = bank ? item.banked : item.carried_count;
        const std::string tag =
            formatted(item.dollar_form ? "($%d)" : "(#%d)", n);
        if (item.weight != 0 || item.ea != 0) {
          std::string span;
          const std::int32_t value = figures::wrap(std::int64_t{item.ea} * k);
          if (item.weight != 0 && item.ea != 0) {
            span = formatted("{%d} [%.2lf]", value, k * item.weight);
          } else if (item.weight != 0) {
            span = formatted("[%.2lf]", k * item.weight);
          } else {
            span = formatted("{%d}", value);
          }
          replace_first(segment, tag,
                        tag + " <SPAN CLASS=\"szogletes\">" + span + "</SPAN>");
        }
        if (k != 0 && report.settings.item_links != 0) {
          const std::string url = item_address(report.settings, n);
          for (const char* form : {"(#%d)", "($%d)"}) {
            const std::string plain = formatted(form, n);
            replace_first(segment, plain, encyclopedia_link(url, plain));
          }
        }
      }
    });
  };
  pass("NÁLAD LÉVŐ TÁRGYAK (*-gal jelöltek bekészítve)"_cp, false);
  if (contains(report.text, "TÁRGYAID A BANK SZÉFJÉBEN"_cp)) {
    pass("TÁRGYAID A BANK SZÉFJÉBEN"_cp, true);
  }
}

void set_table_width(TurnReport& report) {
  const std::string_view settings = report.settings.settings_text;
  const MaybeText entry =
      extract_inclusive(settings, "táblázat mérete"_cp, ";");
  const std::int32_t width = nth_number(entry, 1);
  const bool percent = entry && contains(*entry, "%");
  if (percent) replace_all(report.text, "WIDTH=750", "WIDTH=100% ALIGN=center");
  replace_all(report.text, "WIDTH=740",
              formatted(percent ? "WIDTH=%d%%" : "WIDTH=%d", width));
  for (const std::string_view heading :
       {"HARCI ISMERETEK</TD></TR>"_cp, "EGYÉB ISMERETEK</TD></TR>"_cp}) {
    rework_segment(report.text, heading, [](std::string& segment) {
      replace_all(segment, "WIDTH=140", "WIDTH=20%");
      replace_all(segment, "WIDTH=103", "WIDTH=13%");
    });
  }
  const std::string item_width =
      percent ? std::string("WIDTH=33%")
              : formatted("WIDTH=%d",
                          static_cast<int>((std::int64_t{width} - 125) / 3));
  const auto narrow = [&](std::string& segment) {
    replace_all(segment, "WIDTH=205", item_width);
  };
  rework_segment(report.text,
                 "NÁLAD LÉVŐ TÁRGYAK (*-gal jelöltek bekészítve)"_cp, narrow);
  // Without a bank the segment is not found and nothing changes.
  rework_segment(report.text, "TÁRGYAID A BANK SZÉFJÉBEN"_cp, narrow);
}

void tabulate_item_lists(std::string& text) {
  if (!plain_scans() && tabulate_item_lists_indexed(text)) return;
  const std::string_view marker = "(zárójelben a tárgy sorszáma):"_cp;
  const std::string_view shop_marks[] = {"megvásárolni:"_cp,
                                         "boltban:", "<SPAN CLASS=\"tvp\">"};
  const std::string scan_copy = text;
  const std::string_view page = scan_copy;
  MaybeText scan = scan_copy;
  // Every list's searches start at its marker, later for every list, so
  // each of the marks and "<SPAN"s is sought on from where the last search
  // of it stopped: a page of many lists is read once per mark.
  constexpr std::string_view kSpan = "<SPAN";
  NextOccurrence list_end(page, kSpan);
  NextOccurrence shop_mark[] = {
      {page, shop_marks[0]}, {page, shop_marks[1]}, {page, shop_marks[2]}};
  NextOccurrence second_end[] = {{page, kSpan}, {page, kSpan}, {page, kSpan}};
  std::size_t table_bytes = 0;
  for (int lists = 0; lists < kMostItemLists; ++lists) {
    if (table_bytes > kMostItemListBytes) break;
    const MaybeText behind = find_after(scan, marker);
    if (!behind) break;
    scan = behind;
    // The list's text, from the marker to the next "<SPAN", is replaced
    // where it first stands in the page as the earlier lists left it; a
    // list without one, or whose text no longer stands there, changes
    // nothing and needs no table.
    const auto begin = static_cast<std::size_t>(behind->data() - page.data());
    const std::optional<std::size_t> span = list_end.at_or_after(begin);
    if (!span || *span == begin) continue;
    const std::string_view listed = page.substr(begin, *span - begin);
    const std::size_t at = find_first(text, listed);
    if (at == std::string::npos) continue;
    // Where each shop mark first stands behind the marker.
    std::optional<std::size_t> mark_at[std::size(shop_marks)];
    bool shop = false;
    for (std::size_t m = 0; m < std::size(shop_marks); ++m) {
      mark_at[m] = shop_mark[m].at_or_after(begin);
      shop = shop || mark_at[m].has_value();
    }
    std::string output = "<br>";
    if (!shop) {
      output += list_table(listed, ".");
    } else {
      // The paragraph is cut before each mark it still holds, the second
      // list taken from that mark to the next "<SPAN" within it.
      std::size_t end = page.size();
      std::string_view second;
      for (std::size_t m = 0; m < std::size(shop_marks); ++m) {
        if (!mark_at[m] || *mark_at[m] + shop_marks[m].size() > end) continue;
        const std::size_t inner = *mark_at[m] + shop_marks[m].size();
        const std::optional<std::size_t> close =
            second_end[m].at_or_after(inner);
        second = close && *close + kSpan.size() <= end
                     ? page.substr(inner, *close - inner)
                     : std::string_view();
        end = *mark_at[m];
      }
      output += list_table(page.substr(begin, end - begin), ".");
      output += "</tr></table>\n";
      output +=
          "<br>A következő tárgyaidat hajlandó a boltos megvásárolni:<br>"_cp;
      output += list_table(second, "áron"_cp);
    }
    output += "</tr></table>\n";
    table_bytes += output.size();
    text.replace(at, listed.size(), output);
  }
}

void add_encumbrance_rows(TurnReport& report) {
  std::string& text = report.text;
  // The row's label is sought first: the row cannot start more than its
  // cell's opening before the label's first place, so its search starts
  // there rather than at the top of the whole page.
  const std::string_view cell = "WIDTH=50%>";
  const std::size_t label_at = find_first(text, "Megterheltség:"_cp);
  if (label_at == std::string::npos) return;
  const std::size_t row_from = label_at - std::min(label_at, cell.size());
  const MaybeText row_view =
      extract_inclusive(std::string_view(text).substr(row_from),
                        "WIDTH=50%>Megterheltség:"_cp, "</TD></TR>");
  if (!row_view) return;
  const std::string row(*row_view);
  const std::size_t total_at = find_first(text, "WIDTH=50%>Összsúly:"_cp);
  const double total_weight =
      total_at == std::string::npos
          ? 0.0
          : nth_decimal(std::string_view(text).substr(total_at), 2, 0.01);
  const std::int32_t encumbrance = nth_number_from_end(row, 1);
  // Every row goes right behind the encumbrance row. When its
  // "Megterheltség:" is the report's first, each search below finds that
  // same row, so the rows are gathered and put in with one copy.
  const auto row_at = static_cast<std::size_t>(row_view->data() - text.data());
  const bool gather = !plain_scans() && label_at == row_at + cell.size();
  std::vector<std::string> gathered;
  const auto put_after_row = [&](std::string insertion) {
    if (gather) {
      gathered.push_back(std::move(insertion));
    } else {
      insert_after(text, row, insertion);
    }
  };
  const auto put_after_label = [&](std::string insertion) {
    if (gather) {
      gathered.push_back(std::move(insertion));
      return;
    }
    const std::string after(
        extract_inclusive(text, "Megterheltség:"_cp, "</TD></TR>")
            .value_or(""));
    insert_after(text, after, insertion);
  };
  if (encumbrance > 100) {
    const double to_drop = total_weight - total_weight / encumbrance * 95;
    put_after_row(
        formatted("<TR><TD CLASS=\"t1\" COLSPAN=2> %s azt javasolja "
                  "hogy a 95%%-os megterheltséghez %.2lf kg-tól "
                  "szabadulj meg!  </TD></TR>"_cp.data(),
                  report.settings.advisor_name.c_str(), to_drop));
  }
  // The load during the turn: what 100 percent is now, plus 2 kg for each
  // point of strength the planned dressing adds. Without a percentage there
  // is nothing to work it out from.
  const std::int32_t mode = report.settings.dressing_mode;
  if (mode != 0 && encumbrance != 0) {
    const std::int32_t strength_gain = figures::minus(
        strength_with_items(report, mode), strength_with_items(report, 0));
    if (strength_gain != 0) {
      put_after_row(
          formatted("<TR><TD CLASS=\"t1\" COLSPAN=2> Forduló közben "
                    "%.2lf kg-t bírsz el.  </TD></TR>"_cp.data(),
                    total_weight / encumbrance * 100 + 2.0 * strength_gain));
    }
  }

  std::int64_t total = 0;
  std::int64_t hu_total = 0;
  // Read through the const table: a row looked up for writing is put back
  // as read before the next report.
  const ItemCatalogue& items = report.items;
  for (int n = 1; n < ItemCatalogue::kRows; ++n) {
    const ItemRecord& item = items.item_by_number(n);
    if (item.carried_count == 0) continue;
    const std::int64_t value = std::int64_t{item.carried_count} * item.ea;
    total += value;
    if (item.dollar_form) hu_total += value;
  }
  const std::int32_t value_total = figures::wrap(total);
  const std::int32_t hu_value = figures::wrap(hu_total);
  if (hu_value != 0) {
    put_after_label(
        formatted("\n<TR><TD CLASS=\"t1\" COLSPAN=2>HU-ban levő "
                  "tárgyaid összértéke: %d ap</TD></TR>"_cp.data(),
                  hu_value));
  }
  if (value_total != 0) {
    put_after_label(
        formatted("\n<TR><TD CLASS=\"t1\" COLSPAN=2>Tárgyaid "
                  "összértéke: %d ap</TD></TR>"_cp.data(),
                  value_total));
  }
  if (!gathered.empty()) {
    // Each row went in right behind the encumbrance row, before the rows
    // put there earlier.
    std::size_t size = text.size();
    for (const std::string& one : gathered) size += one.size();
    std::string page;
    page.reserve(size);  // one copy, no spare room
    page.append(text, 0, row_at + row.size());
    for (auto it = gathered.rbegin(); it != gathered.rend(); ++it) page += *it;
    page.append(text, row_at + row.size());
    text = std::move(page);
  }
}

void colour_links(std::string& text) {
  const MaybeText colour =
      extract_between(find_after(text, "BODY{"), "COLOR:", "}");
  const MaybeText rule = extract_inclusive(text, ".tj{", "}");
  if (!colour || !rule) return;
  const std::string c(*colour);
  const std::string marker(*rule);
  insert_after(text, marker,
               formatted("\n  a.n:link { COLOR: %s }\n  a.n:visited { COLOR: "
                         "%s }\n  a.n:hover { COLOR: %s }\n  a.n:active { "
                         "COLOR: %s }\n",
                         c.c_str(), c.c_str(), c.c_str(), c.c_str()));
}

void mark_priest_rank(TurnReport& report) {
  const std::int32_t index = priest_rank_index(report);
  if (index == 0) return;
  const Identity& identity = report.identity;
  replace_first(report.text,
                identity.deity + " " + identity.priest_title + " vagy.",
                identity.deity + " " + identity.priest_title +
                    formatted(" (%d) vagy.", index));
}

void develop_spells(TurnReport& report) {
  if (!plain_scans() && develop_spells_indexed(report)) return;
  const auto fold = [](std::string school) {
    to_upper(school);
    return school;
  };
  const bool links = report.settings.spell_links != 0;
  rework_segment(report.text, "VARÁZSLATAID"_cp, [&](std::string& segment) {
    for (int s = 1; s < SpellCatalogue::kRows; ++s) {
      const SpellRecord& spell = report.spells.spell_by_number(s);
      if (!spell.known || fold(spell.school) == "AVK") continue;
      const std::string url = spell_address(report.settings, s);
      // Spells cheaper than the price-of-folly limit cost the extra VP too.
      const std::int32_t cost = spell_cost(report, s);
      const bool theology = spell.school == "teo";
      const bool thaumaturgy = spell.school == "tau";
      const std::string number_text =
          links ? encyclopedia_link(url, formatted("#%d", s))
                : formatted("#%d", s);
      const std::string chance =
          formatted("%.2lf%%", spell_development_chance(report, s));
      std::string pattern = formatted("(#%d,", s);
      std::string replacement = "(" + number_text + ", " + chance + ", ";
      if (theology || thaumaturgy) {
        pattern =
            std::string(extract_inclusive(segment, pattern, "VP").value_or(""));
        replacement +=
            cost == spell.cost
                ? formatted("%d VP", cost)
                : formatted("<SPAN CLASS=\"plusminus\">%d</SPAN> VP", cost);
      }
      replace_first(segment, pattern, replacement);
    }
  });
}

std::optional<std::string> write_enhanced_report(const TurnReport& report) {
  const std::string name =
      formatted(report.settings.c_form_name != 0 ? "%dc%d.htm" : "%d_%d.htm",
                report.character_number, report.turn_number);
  const std::string path = path_in(report.settings.report_directory, name);
  if (write_file(path, report.text)) return path;
  if (path != name && write_file(name, report.text)) return name;
  sayf("nem sikerult kiirni: \"%s\"!\n", name.c_str());
  return std::nullopt;
}

void enhance(TurnReport& report) {
  if (report.report_kind != 1) {
    if (report.report_kind == 2) {
      say("regi tipusu fordulora nem megy a morvinta!");
    }
    return;
  }
  const Settings& settings = report.settings;

  // The turn summary works on the page as the game wrote it.
  report.battle_count =
      report.battles.summarize_turn(report.text, compute_effect_flags(report));

  start_order_sheet(report);
  if (settings.dressing_mode != 0) plan_dressing(report);
  if (settings.priest_rank != 0) mark_priest_rank(report);

  // The summary tables before the inventory.
  std::string summary_block = summary_block_start();
  append_summary_rows(report, summary_block);
  summary_block += kSummaryTableEnd;
  append_damage_tables(report, summary_block);
  if (settings.challenge_tower != 0) {
    section("kihivas tornya: ",
            [&] { summary_block += analyze_tower(report); });
  }
  insert_summary_block(report.text, std::move(summary_block));

  section("mozgasok link: ", [&] { link_coordinates(report); });
  if (settings.monster_links != 0) {
    section("szornyek link: ", [&] { link_monsters(report); });
  }
  if (settings.monster_numbering != 0) {
    section("szornyek sorszamozasa: ", [&] { number_monsters(report); });
  }
  if (settings.images != 0) {
    section("kepek linkjenek csereje: ", [&] { replace_images(report); });
  }
  if (settings.item_weights != 0) {
    section("targyak sulya: ", [&] { add_item_weights(report); });
  }
  if (settings.spell_development != 0 &&
      contains(report.text, "VARÁZSLATAID"_cp)) {
    section("varazslatok fejlesztese: ", [&] { develop_spells(report); });
  }
  const MaybeText width_entry =
      extract_inclusive(settings.settings_text, "táblázat mérete"_cp, ";");
  if (contains(settings.settings_text, "táblázat mérete"_cp) &&
      nth_number(width_entry, 1) != 740) {
    section("tablazat merete: ", [&] { set_table_width(report); });
  }
  tabulate_item_lists(report.text);
  section("megterheltseg: ", [&] { add_encumbrance_rows(report); });
  section("style: ", [&] { colour_links(report.text); });
  if (report.level.alignment > 20) {
    section("halalvari csere: ", [&] {
      replace_all(report.text, "halálvarázslat"_cp, "nagyobb auratisztitás"_cp);
    });
  }

  if (settings.order_sheet != 0) {
    section("UL keszites: ", [&] {
      report.order_sheet.write_order_sheet(settings.order_sheet_directory);
    });
  }

  // The links to the neighbouring turns go in last, so that no edit of the
  // page meets them.
  if (settings.navigation != 0) {
    add_navigation(report.text, report.character_number, report.turn_number,
                   settings.c_form_name != 0);
  }
  if (settings.journal != 0) {
    note_battle_count(report.text, report.battle_count);
  }

  // The enhanced report is written before the input goes, and the input
  // is never deleted when it is the file just written.
  const std::optional<std::string> written = write_enhanced_report(report);
  if (settings.delete_report != 0) {
    section("regi fordulo torolve: ", [&] {
      // The file that was read goes, not one named from its numbers:
      // "1234_056.htm" must not take an unprocessed "1234_56.htm" with it.
      const std::string& input = report.file_name;
      if (written && !input.empty() && different_files(input, *written)) {
        remove_file(input);
      }
    });
  }
}

}  // namespace morvinta
