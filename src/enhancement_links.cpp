#include "enhancement_links.h"

#include <algorithm>
#include <bitset>
#include <cstddef>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "console.h"
#include "cp1250.h"
#include "enhancement.h"
#include "figures.h"
#include "rules.h"
#include "splices.h"
#include "text_scan.h"

namespace morvinta {

namespace {

constexpr auto npos = std::string_view::npos;
constexpr std::string_view kTableEnd = "</TABLE></TD></TR></TABLE>";
constexpr std::string_view kBoldEnd = "</B>";
constexpr int kFirstMonster = 10;
constexpr int kLastMonster = 999;

// Calls visit(at) for every place where the byte c stands.
template <typename Visit>
void for_each_byte(std::string_view text, char c, Visit visit) {
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  for (const char* at = begin;
       (at = static_cast<const char*>(std::memchr(at, c, end - at))); ++at) {
    visit(static_cast<std::size_t>(at - begin));
  }
}

// The number printf wrote at `from`: one to `most` digits without a
// leading zero, then `close`, below `limit`; absent otherwise.
std::optional<int> printed_number(std::string_view text, std::size_t from,
                                  std::size_t most, char close, int limit) {
  std::size_t end = from;
  int n = 0;
  while (end < text.size() && end < from + most && text[end] >= '0' &&
         text[end] <= '9') {
    n = n * 10 + (text[end] - '0');
    ++end;
  }
  if (end == from || text[from] == '0' || end >= text.size() ||
      text[end] != close || n >= limit) {
    return std::nullopt;
  }
  return n;
}

// A bold name: the opening tag at `begin`, the name [name_begin, name_end)
// up to the first "</B>" after the tag, which ends at `end`.
struct BoldName {
  std::size_t begin;
  std::size_t name_begin;
  std::size_t name_end;
  std::size_t end;
};

// Every opening tag ("<b>" or "<B>") that a "</B>" follows, from the left.
std::vector<BoldName> bold_names(std::string_view text, std::string_view open) {
  std::vector<BoldName> names;
  std::size_t close = 0;
  bool closed = true;
  // The tags are sought whole: "<" alone stands every few bytes of a page.
  for_each_occurrence(text, open, [&](std::size_t at) {
    if (!closed) return;
    const std::size_t inner = at + open.size();
    if (close < inner) {
      close = find_first(text, kBoldEnd, inner);
      if (close == npos) {
        closed = false;  // no "</B>" is left for any later tag either
        return;
      }
    }
    names.push_back({at, inner, close, close + kBoldEnd.size()});
  });
  return names;
}

// The monsters that the passes visit (10 to 999) grouped by name, each
// group's numbers in order, found by a hash of the name: made with one hash
// of each name and no copy of any (two tables of a thousand copied names
// were most of the cost of these passes on a short report).
class MonsterNames {
 public:
  // Absent when a name holds a "<", which could make or break a bold name
  // of another monster.
  static std::optional<MonsterNames> of(const MonsterCatalogue& monsters) {
    MonsterNames names;
    names.slots_.assign(kSlots, 0);
    std::vector<int> group_of(kLastMonster + 1);
    std::vector<int> sizes;
    for (int n = kFirstMonster; n <= kLastMonster; ++n) {
      const std::string_view name = monsters.monster_by_number(n).name;
      if (name.find('<') != npos) return std::nullopt;
      int& slot = names.slots_[names.slot_of(name)];
      if (slot == 0) {
        names.group_names_.push_back(name);
        sizes.push_back(0);
        slot = static_cast<int>(names.group_names_.size());
      }
      group_of[static_cast<std::size_t>(n)] = slot - 1;
      ++sizes[static_cast<std::size_t>(slot - 1)];
    }
    // Each group's numbers side by side, in number order.
    names.group_begin_.assign(sizes.size() + 1, 0);
    for (std::size_t g = 0; g < sizes.size(); ++g) {
      names.group_begin_[g + 1] = names.group_begin_[g] + sizes[g];
    }
    std::vector<int> next = names.group_begin_;
    names.numbers_.resize(kLastMonster + 1 - kFirstMonster);
    for (int n = kFirstMonster; n <= kLastMonster; ++n) {
      const auto g =
          static_cast<std::size_t>(group_of[static_cast<std::size_t>(n)]);
      names.numbers_[static_cast<std::size_t>(next[g]++)] = n;
    }
    return names;
  }

  // The numbers of the monsters named exactly so, in order.
  std::span<const int> named(std::string_view name) const {
    const int group = slots_[slot_of(name)];
    if (group == 0) return {};
    const auto g = static_cast<std::size_t>(group - 1);
    return std::span<const int>(numbers_).subspan(
        static_cast<std::size_t>(group_begin_[g]),
        static_cast<std::size_t>(group_begin_[g + 1] - group_begin_[g]));
  }

 private:
  // A power of two above twice the number of names: probes stay short.
  static constexpr std::size_t kSlots = 2048;

  // Where the name's group stands in the slots (as its number plus one), or
  // the empty slot (0) where it would go.
  std::size_t slot_of(std::string_view name) const {
    std::size_t at = std::hash<std::string_view>{}(name) & (kSlots - 1);
    while (slots_[at] != 0 &&
           group_names_[static_cast<std::size_t>(slots_[at] - 1)] != name) {
      at = (at + 1) & (kSlots - 1);
    }
    return at;
  }

  std::vector<std::string_view> group_names_;
  std::vector<int> group_begin_;  // by group, and the end of the last
  std::vector<int> numbers_;
  std::vector<int> slots_;
};

// A bold text is a monster's when it is the monster's name (form 1) or its
// name with "!" (form 2). The first such (number, form) after `after` in
// the order the passes visit them: by number, then form.
std::optional<std::pair<int, int>> next_monster_of(const MonsterNames& names,
                                                   std::string_view text,
                                                   std::pair<int, int> after) {
  std::optional<std::pair<int, int>> next;
  const auto consider = [&](std::string_view name, int form) {
    const std::span<const int> named = names.named(name);
    const auto found =
        std::upper_bound(named.begin(), named.end(), after,
                         [form](std::pair<int, int> a, int number) {
                           return a < std::pair<int, int>{number, form};
                         });
    if (found == named.end()) return;
    const std::pair<int, int> candidate{*found, form};
    if (!next || candidate < *next) next = candidate;
  };
  consider(text, 1);
  if (!text.empty() && text.back() == '!') {
    consider(text.substr(0, text.size() - 1), 2);
  }
  return next;
}

// The first occurrence of each of the wanted texts in the text; each wanted
// text starts with `open` and holds `close` only as its last byte.
std::unordered_map<std::string, std::size_t> first_places(
    std::string_view text, char open, char close,
    const std::vector<std::string>& wanted) {
  std::unordered_map<std::string, std::size_t> places;
  std::unordered_map<std::string_view, bool> looked_for;
  std::size_t longest = 0;
  // The bytes that follow the open in a wanted text: most opens of a report
  // (an item's "(#" or "($") are followed by none of them.
  std::bitset<256> seconds;
  for (const std::string& w : wanted) {
    looked_for.emplace(w, true);
    longest = std::max(longest, w.size());
    if (w.size() > 1) seconds.set(static_cast<unsigned char>(w[1]));
  }
  std::size_t left = looked_for.size();
  for_each_byte(text, open, [&](std::size_t at) {
    if (left == 0) return;
    if (at + 1 < text.size() &&
        !seconds.test(static_cast<unsigned char>(text[at + 1]))) {
      return;
    }
    // The close is sought only as far as the longest wanted text reaches,
    // so that opens without a near close cost no more than that each.
    const std::size_t reach = std::min(longest, text.size() - at);
    const std::size_t end = text.substr(0, at + reach).find(close, at + 1);
    if (end == npos) return;
    const std::string_view candidate = text.substr(at, end - at + 1);
    if (!looked_for.count(candidate)) return;
    if (places.emplace(std::string(candidate), at).second) --left;
  });
  return places;
}

// The item references of a segment: where "(#n)" and "($n)" first stand for
// every item number n from 1 to 1999.
struct ItemReferences {
  std::vector<std::size_t> hash;
  std::vector<std::size_t> dollar;
};

ItemReferences item_references(std::string_view segment) {
  ItemReferences refs{std::vector<std::size_t>(ItemCatalogue::kRows, npos),
                      std::vector<std::size_t>(ItemCatalogue::kRows, npos)};
  for_each_byte(segment, '(', [&](std::size_t at) {
    if (at + 1 >= segment.size()) return;
    const char form = segment[at + 1];
    if (form != '#' && form != '$') return;
    const std::optional<int> number =
        printed_number(segment, at + 2, 5, ')', ItemCatalogue::kRows);
    if (!number) return;
    const int n = *number;
    std::vector<std::size_t>& first = form == '#' ? refs.hash : refs.dollar;
    if (first[static_cast<std::size_t>(n)] == npos) {
      first[static_cast<std::size_t>(n)] = at;
    }
  });
  return refs;
}

// The segment from the heading through the next table end, where it stands
// in the text.
struct Segment {
  std::size_t begin = 0;
  std::string_view text;
};

std::optional<Segment> find_segment(std::string_view text,
                                    std::string_view heading) {
  const MaybeText segment = extract_inclusive(text, heading, kTableEnd);
  if (!segment) return std::nullopt;
  return Segment{static_cast<std::size_t>(segment->data() - text.data()),
                 *segment};
}

// The weights, values and links of one item segment, as edits of it.
Splices item_segment_edits(const TurnReport& report, std::string_view segment,
                           bool bank) {
  const ItemReferences refs = item_references(segment);
  const EncyclopediaAddresses addresses(report.settings);
  Splices edits;
  for (int n = 1; n < ItemCatalogue::kRows; ++n) {
    const auto i = static_cast<std::size_t>(n);
    if (refs.hash[i] == npos && refs.dollar[i] == npos) continue;
    const ItemRecord& item = report.items.item_by_number(n);
    const std::int32_t k = bank ? item.banked : item.carried_count;
    std::string span;
    if (item.weight != 0 || item.ea != 0) {
      const std::int32_t value = figures::wrap(std::int64_t{item.ea} * k);
      span = " <SPAN CLASS=\"szogletes\">";
      if (item.weight != 0 && item.ea != 0) {
        span += formatted("{%d} [%.2lf]", value, k * item.weight);
      } else if (item.weight != 0) {
        span += formatted("[%.2lf]", k * item.weight);
      } else {
        span += formatted("{%d}", value);
      }
      span += "</SPAN>";
    }
    const bool link = k != 0 && report.settings.item_links != 0;
    const std::string url = link ? addresses.item(n) : "";
    for (const bool dollar : {false, true}) {
      const std::size_t at = dollar ? refs.dollar[i] : refs.hash[i];
      if (at == npos) continue;
      // The weight span follows the item's own form of the reference; the
      // link wraps the reference alone, before the span.
      const bool weighed = !span.empty() && dollar == item.dollar_form;
      if (!link && !weighed) continue;
      // The reference as it stands: "(#n)" or "($n)".
      std::string reference = dollar ? "($" : "(#";
      append_number(reference, n);
      reference += ')';
      std::string replacement =
          link ? encyclopedia_link(url, reference) : reference;
      if (weighed) replacement += span;
      edits.replace(at, at + reference.size(), std::move(replacement));
    }
  }
  return edits;
}

}  // namespace

bool link_coordinates_indexed(TurnReport& report) {
  // Neither an anchor nor a link holds a bracket, and a link holds only its
  // own coordinate in parentheses, where that coordinate first stood: so
  // every move finds its coordinates where they first stand in the text as
  // it was. Moves to the same square stack there: later anchors go nearer
  // the square, later links nest inside earlier ones.
  const AdventureLog& log = report.adventures;
  std::vector<std::string> squares;
  std::vector<std::string> rounds;
  for (int i = 0; i < log.move_count; ++i) {
    squares.push_back(log.moves[static_cast<std::size_t>(i)].square_text());
    rounds.push_back(log.moves[static_cast<std::size_t>(i)].round_text());
  }
  const auto square_at = first_places(report.text, '[', ']', squares);
  const auto round_at = first_places(report.text, '(', ')', rounds);
  struct Insertion {
    std::size_t at;
    int rank;  // 0 behind the text before the place, 1 before the text after
    int order;
    std::string text;
  };
  std::vector<Insertion> insertions;
  for (int i = 0; i < log.move_count; ++i) {
    const auto s = square_at.find(squares[static_cast<std::size_t>(i)]);
    if (s != square_at.end()) {
      insertions.push_back(
          {s->second + squares[static_cast<std::size_t>(i)].size(), 0, -i,
           formatted("<A name=\"#koord%d\"></A>", i)});
    }
    const std::string& round = rounds[static_cast<std::size_t>(i)];
    const auto r = round_at.find(round);
    if (r != round_at.end()) {
      insertions.push_back(
          {r->second, 1, i, formatted("<A href=\"#koord%d\">", i)});
      insertions.push_back({r->second + round.size(), 0, -i, "</A>"});
    }
  }
  std::sort(insertions.begin(), insertions.end(),
            [](const Insertion& a, const Insertion& b) {
              if (a.at != b.at) return a.at < b.at;
              if (a.rank != b.rank) return a.rank < b.rank;
              return a.order < b.order;
            });
  Splices edits;
  for (Insertion& insertion : insertions) {
    edits.replace(insertion.at, insertion.at, std::move(insertion.text));
  }
  if (!edits.empty()) report.text = edits.apply(report.text);
  return true;
}

bool link_monsters_indexed(TurnReport& report) {
  // Names without "<" and an address without "<" make links that hold no
  // "<b>", and a bold name holding a "<" is no monster's: so every "<b>"
  // tag is linked on its own, by the first monster (from 10) whose name, or
  // whose name with "!", stands between it and the next "</B>".
  const auto names = MonsterNames::of(report.monsters);
  const EncyclopediaAddresses addresses(report.settings);
  if (!names || contains(addresses.monster(0), "<")) {
    return false;
  }
  Splices edits;
  for (const BoldName& bold : bold_names(report.text, "<b>")) {
    const std::string_view name =
        std::string_view(report.text)
            .substr(bold.name_begin, bold.name_end - bold.name_begin);
    const auto monster = next_monster_of(*names, name, {0, 0});
    if (!monster) continue;
    edits.replace(bold.begin, bold.end,
                  encyclopedia_link(addresses.monster(monster->first),
                                    "<B>" + std::string(name) + "</B>"));
  }
  if (!edits.empty()) report.text = edits.apply(report.text);
  return true;
}

bool number_monsters_indexed(TurnReport& report) {
  // With names without "<", a numbered name "<B>name (#n)</B>" is again a
  // bold name, which later monsters of the loop can number once more: each
  // "<B>" follows the chain of the monsters whose name it holds.
  const auto names = MonsterNames::of(report.monsters);
  if (!names) return false;
  Splices edits;
  for (const BoldName& bold : bold_names(report.text, "<B>")) {
    std::string name(report.text, bold.name_begin,
                     bold.name_end - bold.name_begin);
    std::pair<int, int> done{0, 0};
    bool changed = false;
    for (;;) {
      const auto next = next_monster_of(*names, name, done);
      if (!next) break;
      done = *next;
      const std::string_view monster =
          report.monsters.monster_by_number(done.first).name;
      name.assign(monster);
      name += " (#";
      append_number(name, done.first);
      name += ')';
      if (done.second == 2) name += '!';
      changed = true;
    }
    if (changed) edits.replace(bold.begin, bold.end, "<B>" + name + "</B>");
  }
  if (!edits.empty()) report.text = edits.apply(report.text);
  return true;
}

bool add_item_weights_indexed(TurnReport& report) {
  // The spans and links hold no "(#" or "($" when the item address holds no
  // "(": every reference then stays where it first stood.
  if (contains(item_address(report.settings, 0), "(")) return false;
  const auto pass = [&](std::string_view heading, bool bank) {
    const std::optional<Segment> segment = find_segment(report.text, heading);
    if (!segment) return;
    const Splices edits = item_segment_edits(report, segment->text, bank);
    if (edits.empty()) return;
    const std::size_t length = segment->text.size();
    std::string reworked = edits.apply(segment->text);
    report.text.replace(segment->begin, length, reworked);
  };
  pass("NÁLAD LÉVŐ TÁRGYAK (*-gal jelöltek bekészítve)"_cp, false);
  // Without a bank its segment is not found and the pass does nothing.
  pass("TÁRGYAID A BANK SZÉFJÉBEN"_cp, true);
  return true;
}

bool develop_spells_indexed(TurnReport& report) {
  // With an address without "(" and "VP", a replacement holds no "(#s," of
  // another spell and a "VP" only at its end, where the part it replaced
  // had its own: the places work out on the segment as it was. A spell's
  // part may swallow the parts of spells done before it.
  const EncyclopediaAddresses addresses(report.settings);
  const std::string address_probe = addresses.spell(0);
  if (contains(address_probe, "(") || contains(address_probe, "VP")) {
    return false;
  }
  const std::optional<Segment> segment =
      find_segment(report.text, "VARÁZSLATAID"_cp);
  if (!segment) return true;
  const std::string_view text = segment->text;

  // Where "(#s," stands for every spell number, and every "VP".
  std::vector<std::vector<std::size_t>> places(SpellCatalogue::kRows);
  for_each_byte(text, '(', [&](std::size_t at) {
    if (at + 2 >= text.size() || text[at + 1] != '#') return;
    const std::optional<int> s =
        printed_number(text, at + 2, 4, ',', SpellCatalogue::kRows);
    if (s) places[static_cast<std::size_t>(*s)].push_back(at);
  });
  std::vector<std::size_t> vp_places;
  for_each_occurrence(text, "VP",
                      [&](std::size_t at) { vp_places.push_back(at); });

  // The parts replaced so far: begin -> (end, replacement).
  std::map<std::size_t, std::pair<std::size_t, std::string>> parts;
  const auto replaced = [&](std::size_t at) {
    auto after = parts.upper_bound(at);
    if (after == parts.begin()) return false;
    --after;
    return at < after->second.first;
  };

  const bool links = report.settings.spell_links != 0;
  const CasterFigures caster = caster_figures(report);
  // Read through the const table: a row looked up for writing is put back
  // as read before the next report.
  const SpellCatalogue& spells = report.spells;
  for (int s = 1; s < SpellCatalogue::kRows; ++s) {
    const SpellRecord& spell = spells.spell_by_number(s);
    std::string school = spell.school;
    to_upper(school);
    if (!spell.known || school == "AVK") continue;
    std::optional<std::size_t> at;
    for (const std::size_t place : places[static_cast<std::size_t>(s)]) {
      if (!replaced(place)) {
        at = place;
        break;
      }
    }
    const std::int32_t cost = spell_cost(report, s);
    const bool theology = spell.school == "teo";
    const bool thaumaturgy = spell.school == "tau";
    // The chance is worked out for every visited spell, found or not, as
    // the plain pass does.
    const std::string chance =
        formatted("%.2lf%%", spell_development_chance(report, caster, s));
    if (!at) continue;
    std::string number = "#";
    append_number(number, s);
    const std::string number_text =
        links ? encyclopedia_link(addresses.spell(s), number) : number;
    // The part found starts with "(#s,".
    std::size_t end = *at + 1 + number.size() + 1;
    std::string replacement = "(" + number_text + ", " + chance + ", ";
    if (theology || thaumaturgy) {
      const auto vp = std::lower_bound(vp_places.begin(), vp_places.end(), end);
      if (vp == vp_places.end()) continue;
      end = *vp + 2;
      replacement +=
          cost == spell.cost
              ? formatted("%d VP", cost)
              : formatted("<SPAN CLASS=\"plusminus\">%d</SPAN> VP", cost);
    }
    parts.erase(parts.lower_bound(*at), parts.lower_bound(end));
    parts.emplace(*at, std::make_pair(end, std::move(replacement)));
  }
  if (parts.empty()) return true;
  Splices edits;
  for (auto& [begin, part] : parts) {
    edits.replace(begin, part.first, std::move(part.second));
  }
  const std::size_t length = text.size();
  std::string reworked = edits.apply(text);
  report.text.replace(segment->begin, length, reworked);
  return true;
}

}  // namespace morvinta
