#include "digest_tower.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "console.h"
#include "cp1250.h"
#include "rng.h"
#include "text_file.h"
#include "text_scan.h"
#include "text_scan_plain.h"

namespace morvinta {

namespace {

constexpr int kLastItem = 1999;
constexpr int kLastMonster = 999;
// The skill table's rows that the sheet fills; the spare row never counts.
constexpr std::size_t kSheetSkills = 25;
// Item #570, the bottomless bag, makes a third of the missing assembly
// readiness good.
constexpr int kBottomlessBag = 570;
constexpr double kBottomlessBagShare = 0.33;
constexpr int kClimbs = 10000;

constexpr std::string_view kTableOpening =
    "\n<P>\n<TABLE WIDTH=740 CELLPADDING=1 CELLSPACING=0 BORDER=0 "
    "CLASS=\"t0\"><TR><TD><TABLE CELLPADDING=2 CELLSPACING=0 BORDER=0 "
    "CLASS=\"t1\" WIDTH=740>\n<TR><TD CLASS=\"c2\" COLSPAN=3>Kihívás "
    "Tornya</TD></TR>"_cp;
constexpr std::string_view kTableClosing = "\n</TABLE></TD></TR></TABLE>";

// Cells of missing requirements, three to a row; a row left short is closed
// by `close`.
class CellRows {
 public:
  explicit CellRows(std::string& rows) : rows_(rows) {}

  void add(std::string_view cell) {
    if (in_row_ == 0) rows_ += "\n<TR>";
    rows_ += cell;
    if (++in_row_ == 3) {
      rows_ += "</TR>";
      in_row_ = 0;
    }
  }

  void close() {
    if (in_row_ != 0) rows_ += "</TR>";
    in_row_ = 0;
  }

 private:
  std::string& rows_;
  int in_row_ = 0;
};

std::string part_row(std::string_view title) {
  return "\n<TR><TD CLASS=\"c3\" COLSPAN=3>" + std::string(title) +
         "</TD></TR>";
}

std::string heading_row(const std::string& title) {
  return "\n<TR><TD CLASS=\"t1\" COLSPAN=3><SPAN CLASS=\"plusminus\"> " +
         title + "</SPAN></TD></TR>";
}

std::string percent_row(double percent) {
  return formatted("\n<TR><TD CLASS=\"t1\" COLSPAN=3> %.2lf%% </TD></TR>",
                   percent);
}

// The share met in percent; a group that lists nothing misses nothing.
double share(int met, int listed) {
  return listed == 0 ? 100.0 : 100.0 * met / listed;
}

// Whether the list names n: "#", n and a blank, so "#12 " names 12 only.
bool lists(std::string_view list, int n) {
  return list.find(formatted("#%d ", n)) != std::string_view::npos;
}

// The numbers from 0 to last that the list names, as `lists` finds them: a
// "#", the digits as printf writes them (no leading zero) and a blank.
std::vector<bool> listed_numbers(std::string_view list, int last) {
  std::vector<bool> named(static_cast<std::size_t>(last) + 1, false);
  for (std::size_t at = list.find('#'); at != std::string_view::npos;
       at = list.find('#', at + 1)) {
    std::size_t end = at + 1;
    std::int64_t n = 0;
    while (end < list.size() && list[end] >= '0' && list[end] <= '9' &&
           n <= last) {
      n = n * 10 + (list[end] - '0');
      ++end;
    }
    const bool canonical =
        end > at + 1 && (list[at + 1] != '0' || end == at + 2);
    if (canonical && end < list.size() && list[end] == ' ' && n <= last) {
      named[static_cast<std::size_t>(n)] = true;
    }
  }
  return named;
}

// Letters A to Z compared without regard to case, other bytes exactly.
bool same_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Calls handle(entry, rest) for each entry of a list that a "," ends, rest
// being the list from the entry's start; a last entry without "," is left.
template <typename Handle>
void for_each_entry(std::string_view list, Handle handle) {
  for (std::size_t comma = list.find(','); comma != std::string_view::npos;
       comma = list.find(',')) {
    handle(list.substr(0, comma), list);
    list.remove_prefix(comma + 1);
  }
}

// The three groups of numbered requirements under one key ("infokt" and
// the level): for each level, the heading, a cell for each number from 1 to
// last that the level's list names and that is not met, and the percentage
// row of the share met, which goes to ready.
template <typename IsMet, typename NameOf>
void numbered_groups(std::string& rows, std::string_view tower, const char* key,
                     const char* title, int last, IsMet is_met, NameOf name_of,
                     std::array<double, 3>& ready) {
  for (int level = 1; level <= 3; ++level) {
    rows += heading_row(formatted(title, level));
    const std::string_view list =
        extract_between(tower, formatted(key, level), ";").value_or("");
    CellRows cells(rows);
    int listed = 0;
    int met = 0;
    const std::vector<bool> named =
        plain_scans() ? std::vector<bool>() : listed_numbers(list, last);
    for (int n = 1; n <= last; ++n) {
      if (plain_scans() ? !lists(list, n)
                        : !named[static_cast<std::size_t>(n)]) {
        continue;
      }
      ++listed;
      if (is_met(n)) {
        ++met;
      } else {
        cells.add(formatted("<TD> %s (#%d) </TD>", name_of(n).c_str(), n));
      }
    }
    cells.close();
    ready[static_cast<std::size_t>(level - 1)] = share(met, listed);
    rows += percent_row(share(met, listed));
  }
}

bool carries(const TurnReport& report, int item) {
  return report.items.item_by_number(item).carried_count > 0;
}

// The equipment that some skill trials want, and the trial it is for.
struct Equipment {
  int number;
  bool spell;  // a spell to know; otherwise an item to carry
  std::string_view trial;
};

const Equipment kEquipment[] = {
    {273, false, "szörnyidomítás (3. szint) "_cp},
    {92, false, "szörnyidomítás (3. szint) "_cp},
    {211, false, "rejtőzködés (3. szint) "_cp},
    {392, false, "mászás (3. szint) "_cp},
    {165, false, "szörnyidomítás (2. szint) "_cp},
    {94, true, "csapdaészlelés (3. szint)"_cp},
    {78, true, "felderítés (3. szint)"_cp},
    // Asked only of a character whose "lopás" is above 3.
    {76, true, "lopás (3. szint)"_cp},
};
constexpr int kTheftSpell = 76;

void numbered_requirement_groups(const TurnReport& report,
                                 std::string_view tower, std::string& rows,
                                 TowerReadiness& readiness) {
  const auto item_name = [&](int n) -> const std::string& {
    return report.items.item_by_number(n).name;
  };
  const auto monster_name = [&](int n) -> const std::string& {
    return report.monsters.monster_by_number(n).name;
  };
  rows += part_row(" Infók"_cp);
  numbered_groups(
      rows, tower, "infokt%d",
      "Hiányzó tárgy infók (%d.szintű próba):"_cp.data(), kLastItem,
      [&](int n) { return report.items.item_by_number(n).known; }, item_name,
      readiness.item_info_ready);
  numbered_groups(
      rows, tower, "infosz%d",
      "Hiányzó szörny infók (%d.szintű próba):"_cp.data(), kLastMonster,
      [&](int n) { return report.monsters.monster_by_number(n).known; },
      monster_name, readiness.monster_info_ready);

  // The settings say, after "szörnyek:", "#n 1" for a monster the character
  // can defeat and "#n 0" for one it cannot.
  const MaybeText defeatable =
      find_after(report.settings.settings_text, "szörnyek:"_cp);
  rows += part_row(" Szörnyek"_cp);
  numbered_groups(
      rows, tower, "szornyek%d",
      "Szörnyek amiket nem tudsz megölni (%d.szintű próba):"_cp.data(),
      kLastMonster,
      [&](int n) {
        return nth_number(find_after(defeatable, formatted("#%d ", n)), 1) != 0;
      },
      monster_name, readiness.monsters_ready);
}

void skill_groups(const TurnReport& report, std::string_view tower,
                  std::string& rows, TowerReadiness& readiness) {
  // Bonuses from items and spells: after "szakértelmek:", a skill's name and
  // the number the settings give it.
  const MaybeText bonuses =
      find_after(report.settings.settings_text, "szakértelmek:"_cp);
  rows += part_row(" Szakértelmek"_cp);
  for (int level = 1; level <= 3; ++level) {
    const auto i = static_cast<std::size_t>(level - 1);
    rows += heading_row(formatted(
        "Szakértelem próbák amiket nem tudsz megcsinálni (%d.szintű próba):"_cp
            .data(),
        level));
    CellRows cells(rows);
    int listed = 0;
    int met = 0;
    for (std::size_t r = 0; r < kSheetSkills; ++r) {
      const SkillEntry& skill = report.skills.rows()[r];
      const std::string_view name = skill.name;
      if (name.empty()) continue;
      // The description names each skill once, with the levels the trials
      // of level 1, 2 and 3 ask for after it.
      const MaybeText required = find_after(tower, name);
      const std::int64_t value =
          std::int64_t{skill.level} + nth_number(find_after(bonuses, name), 1);
      const std::int64_t requirement = nth_number(required, level);
      const bool counted = required.has_value();
      const bool test_met = counted && requirement <= value;
      if (counted) ++listed;
      if (test_met) ++met;
      // Below 3 the theft trial is not put to the character at all, so it
      // leaves the count with whatever it scored.
      if (same_ignoring_case(name, "lopás"_cp) && value < 3) {
        if (counted) --listed;
        if (test_met) --met;
        continue;
      }
      if (counted && !test_met) {
        cells.add(formatted("<TD> %s (%lld) </TD>", skill.name.c_str(),
                            static_cast<long long>(requirement - value)));
      }
    }
    cells.close();
    readiness.skills_ready[i] = share(met, listed);
    rows += percent_row(readiness.skills_ready[i]);
  }

  rows += part_row(
      "Tárgyak/varázslatok amik kellenek a szakértelem próbákhoz és neked "
      "nincsenek"_cp);
  const bool theft = report.skills.find_skill("lopás"_cp).level > 3;
  for (const Equipment& thing : kEquipment) {
    if (thing.number == kTheftSpell && !theft) continue;
    const bool missing =
        thing.spell ? !report.spells.spell_by_number(thing.number).known
                    : !carries(report, thing.number);
    if (!missing) continue;
    const std::string& name =
        thing.spell ? report.spells.spell_by_number(thing.number).name
                    : report.items.item_by_number(thing.number).name;
    rows += "<TR><TD COLSPAN=3> " + name + formatted(" (#%d), ", thing.number) +
            std::string(thing.trial) + "</TD></TR>";
  }
}

void item_groups(const TurnReport& report, std::string_view tower,
                 std::string& rows, TowerReadiness& readiness) {
  const ItemCatalogue& items = report.items;
  rows += part_row(" Tárgyak"_cp);
  for (int level = 1; level <= 3; ++level) {
    const auto i = static_cast<std::size_t>(level - 1);
    rows += heading_row(formatted(
        "Tárgyak amiket nem tudsz összerakni (%d.szintű próba):"_cp.data(),
        level));
    CellRows cells(rows);
    int listed = 0;
    int met = 0;
    const std::string_view list =
        extract_between(tower, formatted("targyak%d:", level), ";")
            .value_or("");
    for_each_entry(list, [&](std::string_view entry, std::string_view rest) {
      ++listed;
      const std::int32_t target = nth_number(entry, 1);
      const ItemRecord& item = items.item_by_number(target);
      if (!item.known) {
        cells.add(formatted("<TD> %s (#%d) (nem ismered) </TD>",
                            item.name.c_str(), target));
        return;
      }
      // The components stand in the first parentheses from the entry on:
      // up to four pairs of a count and an item number.
      const MaybeText components = extract_between(rest, "(", ")");
      bool complete = true;
      for (int k = 1; k <= 4; ++k) {
        const std::int32_t count = nth_number(components, 2 * k - 1);
        const std::int32_t part = nth_number(components, 2 * k);
        if (items.item_by_number(part).carried_count < count) complete = false;
      }
      if (complete) {
        ++met;
      } else {
        cells.add(formatted("<TD> %s (#%d) </TD>", item.name.c_str(), target));
      }
    });
    cells.close();
    double percent = share(met, listed);
    if (carries(report, kBottomlessBag)) {
      percent += (100 - percent) * kBottomlessBagShare;
      rows += formatted(
          "\n<TR><TD CLASS=\"t1\" COLSPAN=3> %.2lf%% (feneketlen bugyorral "
          "(#570))</TD></TR>",
          percent);
    } else {
      rows += percent_row(percent);
    }
    readiness.assembly_ready[i] = percent;
  }

  for (int level = 1; level <= 3; ++level) {
    rows += heading_row(formatted(
        "Tárgyak amik az %d.szinthez kellenek és nincsenek:"_cp.data(), level));
    CellRows cells(rows);
    const std::string_view list =
        extract_between(tower, formatted("targyako%d:", level), ";")
            .value_or("");
    for_each_entry(list, [&](std::string_view entry, std::string_view) {
      const std::int32_t count = nth_number(entry, 1);
      const std::int32_t n = nth_number(entry, 2);
      const ItemRecord& item = items.item_by_number(n);
      if (item.carried_count < count) {
        cells.add(formatted(
            "\n<TD> %lld db %s (#%d) </TD>",
            static_cast<long long>(std::int64_t{count} - item.carried_count),
            item.name.c_str(), n));
      }
    });
    cells.close();
  }
}

TrialKind kind_of_roll(int roll) {
  if (roll <= 2) return TrialKind::kInformation;
  if (roll <= 4) return TrialKind::kAssembly;
  if (roll <= 7) return TrialKind::kMonster;
  return TrialKind::kSkill;
}

// 100 x (r1/100)^2 x (r2/100)^2 x (r3/100)^2: the levels of two trials of one
// kind in each zone.
double two_per_zone(const std::array<double, 3>& ready) {
  double chance = 100;
  for (const double r : ready) chance *= (r / 100) * (r / 100);
  return chance;
}

}  // namespace

TowerRequirements tower_requirements(const TurnReport& report,
                                     std::string_view tower_description) {
  TowerRequirements result;
  numbered_requirement_groups(report, tower_description, result.rows,
                              result.readiness);
  skill_groups(report, tower_description, result.rows, result.readiness);
  item_groups(report, tower_description, result.rows, result.readiness);
  return result;
}

std::string analyze_tower(const TurnReport& report, const std::string& path) {
  std::string table(kTableOpening);
  const std::optional<std::string> description = read_file(path);
  if (!description) {
    say("nem talalom a \"kihtor.txt\"-t!\n");
    table +=
        "\n<TR><TD CLASS=\"t1\" COLSPAN=3> nincs meg a kihtor.txt </TD></TR>";
  } else {
    const TowerRequirements requirements =
        tower_requirements(report, *description);
    table += requirements.rows;
    table += tower_chance_rows(requirements.readiness);
  }
  table += kTableClosing;
  return table;
}

double information_chance(double item_info_ready, double monster_info_ready) {
  const double c = (item_info_ready + monster_info_ready) / 2;
  return (c * c / 100 + c) / 2;
}

TowerChances tower_chances(const TowerReadiness& readiness) {
  TowerChances chances{};
  for (std::size_t z = 0; z < 3; ++z) {
    chances[static_cast<std::size_t>(TrialKind::kInformation)][z] =
        information_chance(readiness.item_info_ready[z],
                           readiness.monster_info_ready[z]);
    chances[static_cast<std::size_t>(TrialKind::kAssembly)][z] =
        readiness.assembly_ready[z];
    chances[static_cast<std::size_t>(TrialKind::kMonster)][z] =
        readiness.monsters_ready[z];
    chances[static_cast<std::size_t>(TrialKind::kSkill)][z] =
        readiness.skills_ready[z];
  }
  return chances;
}

namespace {

// The longest climb that `passed_climbs` walks; a longer one is climbed the
// plain way.
constexpr int kMostWalkedFloors = 12;
constexpr int kKinds = 4;
// No kind: the floors below the first.
constexpr int kNoKind = kKinds;
// Floor 1 has one standing (see below), floor 2 one per kind set below it,
// each higher floor one per ordered pair of different kinds below it.
constexpr int kPairs = kKinds * (kKinds - 1);
constexpr int kStandings = 1 + kKinds + kPairs * (kMostWalkedFloors - 2);
// Above the value bits (16 to 30) of every generator state: no trial, no
// failure.
constexpr std::int32_t kNoTrial = 0x7FFFFFFF;

// The lowest generator value (0 to 32767) whose roll_die(10000) / 100.0 is
// above the chance, 32768 when none is (a chance of 100 or more, or not a
// number). The roll grows with the value, so a trial fails for exactly the
// values from this one on.
std::int32_t first_failing_value(double chance) {
  std::int32_t low = 0;
  std::int32_t high = 32768;
  while (low < high) {
    const std::int32_t mid = (low + high) / 2;
    const auto roll = static_cast<int>(std::int64_t{mid} * 10000 / 32768) + 1;
    if (roll / 100.0 > chance) {
      high = mid;
    } else {
      low = mid + 1;
    }
  }
  return low;
}

// What one draw of a kind does where a climb stands (its floor and the kinds
// set on the two floors below): where it stands after; the trial it sets,
// failed by the generator states whose value bits (16 to 30, the others
// cleared) are above `passing` (kNoTrial when it sets none); and whether
// that trial is the top floor's, which ends the climb.
struct Draw {
  int next = 0;
  std::int32_t passing = kNoTrial;
  bool ends = false;
};

// The same for two draws in a row, by the kinds they roll: where the climb
// stands decides everything a pair of draws does, so the walk makes one
// dependent look-up per two draws. Twelve bytes: a level's table (at most 89
// standings of 16 entries on the tool's levels) stays in the first-level
// cache.
struct TwoDraws {
  std::int32_t passing[2];
  // Where the climb stands after both, as its row's byte offset.
  std::uint16_t next;
  // 0xFF when the draw ends the climb, else 0.
  std::uint8_t ends[2];
};
constexpr std::size_t kRowBytes = sizeof(TwoDraws) * kKinds * kKinds;
static_assert(kStandings * kRowBytes <= 65536);

// The climbs are walked in blocks of 32 pairs of draws, one bit per draw in
// a 64-bit word.
constexpr std::size_t kBlockPairs = 32;
constexpr std::size_t kBlockDraws = 2 * kBlockPairs;

// roll_die(10) - 1 of the draw that leaves the generator in this state: the
// value (bits 16 to 30) times 10 over 32768.
std::size_t roll_of(std::uint32_t state) {
  return static_cast<std::size_t>((std::uint64_t{state & 0x7FFF0000u} * 5) >>
                                  30);
}

// Bit d of fails set where draw d's value is above its highest passing
// value, bit d of ends where its mark is set.
void block_bits(const std::array<std::uint32_t, kBlockDraws>& states,
                const std::array<std::int32_t, kBlockDraws>& passing,
                const std::array<std::uint8_t, kBlockDraws>& marks,
                std::uint64_t& fails, std::uint64_t& ends) {
  fails = 0;
  ends = 0;
  for (std::size_t d = 0; d < kBlockDraws; d += 16) {
#ifdef __SSE2__
    const auto load = [](const void* at) {
      return _mm_loadu_si128(static_cast<const __m128i*>(at));
    };
    const __m128i value_bits = _mm_set1_epi32(0x7FFF0000);
    const auto fail = [&](std::size_t k) {
      return _mm_cmpgt_epi32(_mm_and_si128(load(&states[k]), value_bits),
                             load(&passing[k]));
    };
    const __m128i low = _mm_packs_epi32(fail(d), fail(d + 4));
    const __m128i high = _mm_packs_epi32(fail(d + 8), fail(d + 12));
    fails |= std::uint64_t{static_cast<std::uint16_t>(
                 _mm_movemask_epi8(_mm_packs_epi16(low, high)))}
             << d;
    ends |= std::uint64_t{static_cast<std::uint16_t>(
                _mm_movemask_epi8(load(&marks[d])))}
            << d;
#else
    for (std::size_t k = d; k < d + 16; ++k) {
      fails |= std::uint64_t{static_cast<std::int32_t>(
                                 states[k] & 0x7FFF0000u) > passing[k]}
               << k;
      ends |= std::uint64_t{marks[k] != 0} << k;
    }
#endif
  }
}

// Of a block's draws (bit d for draw d), those that end a climb and those
// whose trial fails, the climb going into the block having failed already
// when failed_before: the ends of the failed climbs, and in failed_after
// whether the climb going out of the block has failed. A climb's draws
// before its end are a run of ones in ~ends; adding its failures to the run
// carries into the climb's end (and out of the word for the climb going
// out), whatever their number.
std::uint64_t failed_ends(std::uint64_t ends, std::uint64_t fails,
                          bool failed_before, bool& failed_after) {
  fails |= failed_before ? 1u : 0u;
  const std::uint64_t going = ~ends;
  const std::uint64_t carried = going + (fails & going);
  failed_after = carried < going;
  return (carried | fails) & ends;
}

// `tower_chance`'s number of passed climbs for 1 to kMostWalkedFloors floors
// (top). The draws and the generator's end state are those of
// `climb_tower`; each trial is decided by the raw value. A block's walk
// only carries where the climb stands from pair to pair; its failures and
// ends are then counted a word at a time.
int passed_climbs(const TowerChances& chances, int floors_1, int floors_2,
                  int top) {
  std::array<std::array<Draw, kKinds>, kStandings> draws{};
  const auto standing = [](int floor, int below, int second) {
    if (floor == 1) return 0;
    if (floor == 2) return 1 + below;
    return 1 + kKinds + (floor - 3) * kPairs + below * (kKinds - 1) +
           (second < below ? second : second - 1);
  };
  std::array<std::array<std::int32_t, 3>, kKinds> passing{};
  for (std::size_t kind = 0; kind < passing.size(); ++kind) {
    for (std::size_t zone = 0; zone < 3; ++zone) {
      passing[kind][zone] = static_cast<std::int32_t>(
          std::int64_t{first_failing_value(chances[kind][zone])} * 65536 - 1);
    }
  }
  const auto fill = [&](int floor, int below, int second) {
    const int here = standing(floor, below, second);
    const std::size_t zone = floor <= floors_1              ? 0
                             : floor <= floors_1 + floors_2 ? 1
                                                            : 2;
    for (int kind = 0; kind < kKinds; ++kind) {
      Draw& draw =
          draws[static_cast<std::size_t>(here)][static_cast<std::size_t>(kind)];
      if (kind == below || kind == second) {
        // Drawn again: no trial, the climb stays where it stands.
        draw.next = here;
      } else {
        draw.next = floor == top ? 0 : standing(floor + 1, kind, below);
        draw.passing = passing[static_cast<std::size_t>(kind)][zone];
        draw.ends = floor == top;
      }
    }
  };
  fill(1, kNoKind, kNoKind);
  for (int floor = 2; floor <= top; ++floor) {
    for (int below = 0; below < kKinds; ++below) {
      for (int second = 0; second < kKinds; ++second) {
        if (floor == 2 && second == 0) fill(2, below, kNoKind);
        if (floor >= 3 && second != below) fill(floor, below, second);
      }
    }
  }
  std::array<TwoDraws, kStandings * kKinds * kKinds> pairs{};
  const auto ends_mark = [](bool ends) -> std::uint8_t {
    return ends ? 0xFF : 0;
  };
  for (int here = 0; here < standing(top + 1, 0, 1); ++here) {
    for (std::size_t first_kind = 0; first_kind < kKinds; ++first_kind) {
      const Draw& first = draws[static_cast<std::size_t>(here)][first_kind];
      for (std::size_t second_kind = 0; second_kind < kKinds; ++second_kind) {
        const Draw& second =
            draws[static_cast<std::size_t>(first.next)][second_kind];
        pairs[(static_cast<std::size_t>(here) * kKinds + first_kind) * kKinds +
              second_kind] = {
            {first.passing, second.passing},
            static_cast<std::uint16_t>(static_cast<std::size_t>(second.next) *
                                       kRowBytes),
            {ends_mark(first.ends), ends_mark(second.ends)}};
      }
    }
  }

  const auto* const table =
      reinterpret_cast<const unsigned char*>(pairs.data());
  // By the two draws' rolls (10 x (first - 1) + second - 1): the entry of
  // their kinds in the first row.
  std::array<const unsigned char*, 100> rows;
  for (int first = 1; first <= 10; ++first) {
    for (int second = 1; second <= 10; ++second) {
      const auto kinds = static_cast<std::size_t>(
          static_cast<int>(kind_of_roll(first)) * kKinds +
          static_cast<int>(kind_of_roll(second)));
      rows[static_cast<std::size_t>((first - 1) * 10 + second - 1)] =
          table + kinds * sizeof(TwoDraws);
    }
  }
  std::uint32_t state = random_state;  // at the block's start
  std::size_t at = 0;   // the row of where the climb stands, in bytes
  bool failed = false;  // whether the climb going into the block has failed
  int climbs = 0;
  int failures = 0;
  for (;;) {
    // By draw of the block: the generator's state after its trial's roll,
    // the trial's passing bound, and its end mark.
    std::array<std::uint32_t, kBlockDraws> states;
    std::array<std::int32_t, kBlockDraws> passing_values;
    std::array<std::uint8_t, kBlockDraws> end_marks;
    std::uint32_t round = state;  // at the pair's start
    for (std::size_t i = 0; i < kBlockPairs; ++i) {
      constexpr RandomJump kOne = random_jump(1);
      constexpr RandomJump kTwo = random_jump(2);
      constexpr RandomJump kThree = random_jump(3);
      constexpr RandomJump kFour = random_jump(4);
      const std::size_t rolls =
          roll_of(round * kOne.multiplier + kOne.increment) * 10 +
          roll_of(round * kThree.multiplier + kThree.increment);
      states[2 * i] = round * kTwo.multiplier + kTwo.increment;
      round = round * kFour.multiplier + kFour.increment;
      states[2 * i + 1] = round;
      const TwoDraws& two =
          *std::launder(reinterpret_cast<const TwoDraws*>(rows[rolls] + at));
      at = two.next;
      std::memcpy(&passing_values[2 * i], two.passing, sizeof two.passing);
      std::memcpy(&end_marks[2 * i], two.ends, sizeof two.ends);
    }
    std::uint64_t ends = 0;
    std::uint64_t fails = 0;
    block_bits(states, passing_values, end_marks, fails, ends);
    const int ended = std::popcount(ends);
    if (climbs + ended >= kClimbs) {
      // Keep the draws up to the one that ends the 10,000th climb.
      std::uint64_t last = ends;
      for (int climb = climbs + 1; climb < kClimbs; ++climb) last &= last - 1;
      last &= ~last + 1;
      const std::uint64_t through = (last - 1) | last;
      bool unused = false;
      failures += std::popcount(
          failed_ends(ends & through, fails & through, failed, unused));
      const auto d = static_cast<std::size_t>(std::popcount(last - 1));
      const RandomJump jump = random_jump(static_cast<int>(2 * d + 2));
      random_state = state * jump.multiplier + jump.increment;
      return kClimbs - failures;
    }
    climbs += ended;
    failures += std::popcount(failed_ends(ends, fails, failed, failed));
    state = round;
  }
}

}  // namespace

TowerClimb climb_tower(const TowerChances& chances, int floors_1, int floors_2,
                       int floors_3) {
  TowerClimb climb;
  std::array<int, 4> last_floor = {-2, -2, -2, -2};
  const int top = floors_1 + floors_2 + floors_3;
  int floor = 1;
  // A draw of a kind that came up on one of the two floors below sets no
  // trial and is drawn again. At most two kinds are barred at a time, and
  // the generator runs through all of its states, so a free kind always
  // comes up again: the loop ends.
  while (floor <= top) {
    const TrialKind kind = kind_of_roll(roll_die(10));
    const auto k = static_cast<std::size_t>(kind);
    std::optional<double> chance;
    if (last_floor[k] + 2 < floor) {
      const std::size_t zone = floor <= floors_1              ? 0
                               : floor <= floors_1 + floors_2 ? 1
                                                              : 2;
      chance = chances[k][zone];
      last_floor[k] = floor;
      climb.trials.push_back(kind);
      ++floor;
    }
    // Every draw rolls for the trial, whether or not it set one.
    const double p = roll_die(10000) / 100.0;
    if (chance && p > *chance) climb.passed = false;
  }
  return climb;
}

double tower_chance(const TowerChances& chances, int floors_1, int floors_2,
                    int floors_3) {
  const int top = floors_1 + floors_2 + floors_3;
  // Without floors a climb draws nothing and passes.
  int passed = top < 1 ? kClimbs : 0;
  if (top >= 1 && top <= kMostWalkedFloors && !plain_scans()) {
    passed = passed_climbs(chances, floors_1, floors_2, top);
  } else if (top >= 1) {
    for (int i = 0; i < kClimbs; ++i) {
      if (climb_tower(chances, floors_1, floors_2, floors_3).passed) ++passed;
    }
  }
  return static_cast<double>(passed) / kClimbs * 100;
}

std::string tower_chance_rows(const TowerReadiness& readiness) {
  const TowerChances chances = tower_chances(readiness);
  std::string rows = part_row(" Összesítés"_cp);
  const auto row = [&](int level, double chance) {
    rows += formatted(
        "\n<TR><TD CLASS=\"t1\" COLSPAN=3> %d. szint teljesítésére %.2lf%% "
        "esélyed van</TD></TR>"_cp.data(),
        level, chance);
  };
  row(1, tower_chance(chances, 1, 2, 0));
  row(2, tower_chance(chances, 1, 2, 1));
  row(3, tower_chance(chances, 1, 2, 2));
  row(4, tower_chance(chances, 1, 2, 3));
  row(5, tower_chance(chances, 0, 2, 4));
  // Levels 6 and 7 put two monster trials, or two skill trials, in each
  // zone.
  row(6, two_per_zone(readiness.monsters_ready));
  row(7, two_per_zone(readiness.skills_ready));
  row(8, tower_chance(chances, 3, 3, 3));
  return rows;
}

}  // namespace morvinta
