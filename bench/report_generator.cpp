#include "report_generator.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "cp1250.h"

namespace morvinta::generator {

namespace {

constexpr int kItems = 1999;
constexpr int kMonsters = 999;
constexpr int kSpells = 499;

// A small linear congruential generator of its own, so the folder does not
// depend on the standard library's distributions.
class Dice {
 public:
  explicit Dice(std::uint32_t seed) : state_(seed * 2654435761u + 1u) {}
  std::uint32_t next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  // 0 to n - 1.
  int below(int n) { return n <= 0 ? 0 : static_cast<int>(next() % n); }
  bool chance(int percent) { return below(100) < percent; }

 private:
  std::uint32_t state_;
};

std::string number(long long n) { return std::to_string(n); }

// Joining 1250 literals (views) with strings.
std::string operator+(std::string a, std::string_view b) {
  a.append(b);
  return a;
}
std::string operator+(std::string_view a, const std::string& b) {
  std::string joined(a);
  joined += b;
  return joined;
}

constexpr std::string_view kSyllables[] = {
    "ka"_cp,  "ro"_cp, "dé"_cp,  "ger"_cp, "mo"_cp,  "lá"_cp,  "szi"_cp,
    "tor"_cp, "vé"_cp, "nyo"_cp, "bor"_cp, "ha"_cp,  "zsu"_cp, "ke"_cp,
    "lő"_cp,  "rü"_cp, "gyo"_cp, "ta"_cp,  "csá"_cp, "ne"_cp,  "fü"_cp,
    "ős"_cp,  "ba"_cp, "ri"_cp,  "ól"_cp,  "ma"_cp,  "te"_cp,  "zö"_cp};
constexpr std::string_view kAdjectives[] = {
    "Szürke"_cp, "Nagy"_cp,   "Barlangi"_cp, "Ködös"_cp,  "Vörös"_cp,
    "Öreg"_cp,   "Fekete"_cp, "Kis"_cp,      "Mérges"_cp, "Árnyék"_cp};

std::string word(Dice& dice) {
  std::string w;
  const int syllables = 2 + dice.below(3);
  for (int i = 0; i < syllables; ++i) {
    w += kSyllables[static_cast<std::size_t>(
        dice.below(static_cast<int>(std::size(kSyllables))))];
  }
  if (w[0] >= 'a' && w[0] <= 'z') w[0] = static_cast<char>(w[0] - 'a' + 'A');
  return w;
}

std::string plain_name(Dice& dice) {
  std::string name;
  if (dice.chance(40)) {
    name += kAdjectives[static_cast<std::size_t>(
        dice.below(static_cast<int>(std::size(kAdjectives))))];
    name += ' ';
    std::string w = word(dice);
    w[0] = static_cast<char>(w[0] - 'A' + 'a');
    name += w;
  } else {
    name += word(dice);
  }
  return name;
}

// Names that catch shortcuts: prefixes, suffixes and duplicates of other
// names, empty names, names with the markers the passes look for.
std::string tricky_name(Dice& dice, const std::vector<std::string>& earlier,
                        bool markup) {
  static constexpr std::string_view kOdd[] = {
      "",
      "a",
      "a!",
      "ab",
      "b</B>a",
      "<b>a",
      "a (#12)",
      "(#5)",
      "($5)",
      "x, y",
      "7 VP",
      "ismeretlen szörny"_cp,
      "ismeretlen tárgy"_cp,
      "<B>",
      "a</B> <b>b",
      "!",
      "a (#10)",
      "(#1,",
      "ea: 7",     // a key of the item line inside a name
      "suly: 9;",  //
  };
  const int pick = dice.below(10);
  if (pick < 3) {
    const std::string_view odd = kOdd[static_cast<std::size_t>(
        dice.below(static_cast<int>(std::size(kOdd))))];
    if (markup || odd.find('<') == std::string_view::npos) {
      return std::string(odd);
    }
  }
  if (pick < 6 && !earlier.empty()) {
    const std::string& other = earlier[static_cast<std::size_t>(
        dice.below(static_cast<int>(earlier.size())))];
    switch (dice.below(4)) {
      case 0:
        return other;  // a duplicate
      case 1:
        return other.substr(0, other.size() / 2);
      case 2:
        return other + "!";
      default:
        return "a " + other;
    }
  }
  std::string short_name(1, static_cast<char>('a' + dice.below(3)));
  if (dice.chance(50)) short_name += static_cast<char>('a' + dice.below(3));
  return short_name;
}

struct Catalogue {
  std::vector<std::string> item_names;     // index = number; empty = none
  std::vector<bool> item_listed;           // in the catalogue file
  std::vector<std::string> monster_names;  // "ismeretlen szörny" when none
  std::vector<bool> monster_listed;
  std::vector<std::string> spell_names;
  std::vector<std::string> spell_school;
  std::vector<int> spell_cost;
};

std::string two_decimals(int hundredths) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%d.%02d", hundredths / 100,
                hundredths % 100);
  return buffer;
}

Catalogue make_catalogue(Dice& dice, bool tricky, bool markup,
                         std::string& items, std::string& monsters,
                         std::string& spells, std::string& damage) {
  Catalogue c;
  c.item_names.assign(kItems + 1, "");
  c.item_listed.assign(kItems + 1, false);
  c.monster_names.assign(kMonsters + 2, std::string("ismeretlen szörny"_cp));
  c.monster_listed.assign(kMonsters + 2, false);
  c.spell_names.assign(kSpells + 1, "ismeretlen");
  c.spell_school.assign(kSpells + 1, "-");
  c.spell_cost.assign(kSpells + 1, 0);

  std::vector<std::string> earlier;
  for (int n = 1; n <= kItems; ++n) {
    if (tricky && dice.chance(10)) continue;  // left out of the catalogue
    std::string name =
        tricky ? tricky_name(dice, earlier, markup) : plain_name(dice);
    earlier.push_back(name);
    c.item_names[static_cast<std::size_t>(n)] = name;
    c.item_listed[static_cast<std::size_t>(n)] = true;
    const bool weapon = dice.chance(15);
    const int weight = dice.chance(15) ? 0 : dice.below(2000);
    const int value = dice.chance(15) ? 0 : dice.below(500);
    items +=
        "sorszam: " + number(n) + "; neve: \"" + name +
        "\"; suly: " + two_decimals(weight) +
        "; ero: " + number(dice.chance(5) ? dice.below(4) : 0) +
        "; iq: " + number(dice.chance(5) ? dice.below(4) : 0) +
        "; ugy: " + number(dice.chance(5) ? dice.below(4) : 0) +
        "; egs: 0; szer: 0; mxtu: 0; maxep: " +
        number(dice.chance(5) ? dice.below(20) : 0) +
        "; maxvp: " + number(dice.chance(5) ? dice.below(20) : 0) +
        "; tam: " + number(weapon ? dice.below(5) : 0) +
        "; ac: " + number(dice.chance(10) ? dice.below(5) : 0) +
        "; ea: " + number(value) + "; kapacitas: 0; oklos: 0; seb: " +
        number(weapon ? 1 + dice.below(4) : 0) +
        "; vpreg: " + number(dice.chance(3) ? 1 : 0) +
        "; minsz: 0; minfv: 0; tau: " + number(dice.chance(3) ? 1 : 0) +
        "; teo: " + number(dice.chance(3) ? 1 : 0) +
        "; balkez: " + number(weapon && dice.chance(30) ? 1 : 0) +
        "; fegyvari: 0; fegytip: \"" + (weapon ? "vago" : "-") + "\"; sebf: " +
        (weapon ? number(1 + dice.below(2)) + "d" + number(4 + dice.below(8)) +
                      "+" + number(dice.below(3))
                : std::string("0d0+0")) +
        ";\n";
  }

  earlier.clear();
  for (int n = 1; n <= kMonsters; ++n) {
    if (tricky && dice.chance(10)) continue;
    std::string name =
        tricky ? tricky_name(dice, earlier, markup) : plain_name(dice);
    earlier.push_back(name);
    c.monster_names[static_cast<std::size_t>(n)] = name;
    c.monster_listed[static_cast<std::size_t>(n)] = true;
    monsters += "sorszam: " + number(n) + "; neve: \"" + name +
                "\"; szint: " + number(1 + dice.below(30)) +
                "; tp: " + number(dice.below(900)) + "; fajta: \"" +
                "állat"_cp + "\";\n";
  }

  static constexpr const char* kSchools[] = {"teo", "tau", "pszi",
                                             "avk", "-",   "AVK"};
  for (int s = 1; s <= kSpells; ++s) {
    const std::string school = kSchools[dice.below(tricky ? 6 : 5)];
    std::string name =
        tricky ? tricky_name(dice, earlier, markup) : plain_name(dice);
    c.spell_names[static_cast<std::size_t>(s)] = name;
    c.spell_school[static_cast<std::size_t>(s)] = school;
    c.spell_cost[static_cast<std::size_t>(s)] = 1 + dice.below(40);
    spells += "sorszam: " + number(s) + "; neve: \"" + name + "\"; tipus1: \"" +
              school + "\";\n";
    if (dice.chance(40)) {
      damage += number(s) + " " + number(2 + dice.below(10)) + " " +
                number(1 + dice.below(3)) + " " + number(4 + dice.below(8)) +
                " " + number(dice.below(3)) + " " + school + " " +
                (dice.chance(30)   ? "T"
                 : dice.chance(30) ? "V"
                                   : "-") +
                "\n";
    }
  }
  return c;
}

const std::string& item_name(const Catalogue& c, int n) {
  static const std::string kUnknown(std::string("ismeretlen tárgy"_cp));
  const std::string& name = c.item_names[static_cast<std::size_t>(n)];
  return c.item_listed[static_cast<std::size_t>(n)] ? name : kUnknown;
}

// A random item number; in the tricky mode also numbers the catalogue
// lacks, out of range or with odd digits.
int some_item(Dice& dice) { return 1 + dice.below(kItems); }
int some_monster(Dice& dice) { return 1 + dice.below(kMonsters); }

constexpr std::string_view kTableOpen =
    "<P>\n<TABLE WIDTH=740 CELLPADDING=1 CELLSPACING=0 BORDER=0 "
    "CLASS=\"t0\"><TR><TD><TABLE CELLPADDING=2 CELLSPACING=0 BORDER=0 "
    "CLASS=\"t1\" WIDTH=740>\n";
constexpr std::string_view kTableClose = "</TABLE></TD></TR></TABLE>\n";

std::string head() {
  return std::string(
             "<HTML>\n<HEAD>\n<META HTTP-EQUIV=\"Content-Type\" "
             "CONTENT=\"text/html; "
             "charset=windows-1250\">\n<TITLE>Borostyán Vendel (1234) - 60. "
             "forduló</TITLE>\n<STYLE TYPE=\"text/css\">\n<!--\n  BODY{ "
             "MARGIN: "
             "10px; BACKGROUND: #1C1C10; FONT-SIZE: 12px; COLOR: #E8DCB0; }\n  "
             ".tj{ TEXT-ALIGN: justify; }\n  A:link{ COLOR: #D8B060; }\n  .t0{ "
             "BACKGROUND: #5A4A28; }\n  .t1{ BACKGROUND: #2A2818; }\n  .k{ "
             "COLOR: "
             "#F0C860; }\n-->\n</STYLE>\n</HEAD>\n<BODY>\n<CENTER>\n<TABLE "
             "WIDTH=750 CELLPADDING=0 CELLSPACING=0 BORDER=0>\n<TR><TD "
             "ALIGN=center><IMG "
             "SRC=\"http://jatek.example.org/pic/fejlec.jpg\" "
             "WIDTH=600 HEIGHT=80 BORDER=0></TD></TR>\n</TABLE>\n</CENTER>\n"_cp) +
         std::string(kTableOpen) +
         std::string(
             "<TR><TD CLASS=\"c1\">KALANDOZÓ: #1234 - BOROSTYÁN "
             "VENDEL</TD></TR>\n<TR><TD CLASS=\"t1\" ALIGN=center>2003. "
             "november 14. - JÁTÉKHETED, 60. forduló</TD></TR>\n"_cp) +
         std::string(kTableClose);
}

struct LogState {
  int moves = 0;
  int x = 57;
  int y = 88;
};

std::string move_paragraph(Dice& dice, LogState& log) {
  log.x += dice.below(3) - 1;
  log.y += dice.below(3) - 1;
  if (dice.chance(5)) log.x = 150 + dice.below(100);  // a jump
  ++log.moves;
  return "\n<P><SPAN CLASS=\"k\">[" + number(log.x) + "," + number(log.y) +
         "]</SPAN> " +
         "Mocsaras réten vágsz át, a nád között békák kuruttyolnak. "_cp +
         "<IMG SRC=\"http://jatek.example.org/pic/terep/mocsar.gif\" WIDTH=16 "
         "HEIGHT=16>";
}

std::string battle_paragraph(Dice& dice, const Catalogue& c) {
  const int m = 10 + dice.below(kMonsters - 9);
  const std::string& name = c.monster_names[static_cast<std::size_t>(m)];
  std::string p = "\n<P>A nádas szélén egy <b>"_cp + name +
                  (dice.chance(20) ? "!" : "") +
                  "</B> tekeredik eléd, és rád támad!<BR>\n"_cp;
  const int rounds = 1 + dice.below(5);
  for (int r = 1; r <= rounds; ++r) {
    p += number(r) + ". kör: A kardod lesújt: <SPAN CLASS=\"sebez\">"_cp +
         number(dice.below(30)) +
         "</SPAN> ÉP. A szörny visszacsap: <SPAN CLASS=\"szenved\">-"_cp +
         number(dice.below(12)) + "</SPAN> ÉP.<BR>\n"_cp;
    if (dice.chance(20)) {
      p += "Vámpirizálsz: <SPAN CLASS=\"plusminus\">+"_cp +
           number(dice.below(5)) + " életerő</SPAN><BR>\n"_cp;
    }
    if (dice.chance(10)) {
      p += "Varázsenergiád szökik! <SPAN CLASS=\"plusminus\">-"_cp +
           number(dice.below(9)) + " varázspont.</SPAN><BR>\n"_cp;
    }
    if (dice.chance(8)) {
      p += "Az árnyék halálvarázslatot mormol, de nem fog rajtad. "_cp;
    }
  }
  if (dice.chance(70)) {
    p += "Sikerült megölnöd!<BR>\n<SPAN CLASS=\"plusminus\">"_cp +
         number(dice.below(300)) + " tapasztalati pontot kaptál.</SPAN>"_cp;
  } else {
    p += "Elmenekülsz a harc színhelyéről.<BR>"_cp;
  }
  return p;
}

std::string item_list_paragraph(Dice& dice, const Catalogue& c,
                                std::vector<std::string>& earlier,
                                bool tricky) {
  std::string p;
  const bool shop = dice.chance(40);
  p += shop ? "\n<P>Meglátsz egy takaros boltot, és betérsz. A boltos "
              "kínálata (zárójelben a tárgy sorszáma):"_cp
            : "\n<P>Észreveszel egy felborult szekeret. A rakománya "
              "(zárójelben a tárgy sorszáma):"_cp;
  if (tricky && !earlier.empty() && dice.chance(30)) {
    // The same list as an earlier one: its text first stands there.
    p += earlier[static_cast<std::size_t>(
        dice.below(static_cast<int>(earlier.size())))];
  } else {
    std::string list;
    const int count = 1 + dice.below(12);
    for (int i = 0; i < count; ++i) {
      const int n = some_item(dice);
      list += (i == 0 ? " " : ", ") + item_name(c, n) + " (#" + number(n) + ")";
      if (shop) list += " " + number(1 + dice.below(90)) + " ap";
    }
    earlier.push_back(list);
    p += list;
  }
  if (shop) {
    p += ". A következő tárgyaidat hajlandó a boltos megvásárolni: "_cp;
    const int sold = 1 + dice.below(4);
    for (int i = 0; i < sold; ++i) {
      const int n = some_item(dice);
      p += (i == 0 ? "" : ", ") + item_name(c, n) + " (#" + number(n) + ") " +
           number(1 + dice.below(40)) + " ap";
    }
    p += " áron. <SPAN CLASS=\"k\">Nem adsz el semmit.</SPAN>"_cp;
  } else {
    p += ".<SPAN CLASS=\"k\"> Semmit sem viszel el.</SPAN>"_cp;
  }
  return p;
}

std::string other_paragraph(Dice& dice, LogState& log) {
  switch (dice.below(6)) {
    case 0:
      return std::string(
          "\n<P>Találkozol egy csapat zarándokkal, akik Tharr szentélye "
          "felé tartanak."_cp);
    case 1:
      return std::string(
          "\n<P><SPAN CLASS=\"k\">Reggel:</SPAN> Morgan szilánkja "
          "gyógyít: <SPAN CLASS=\"plusminus\">+3 ÉP</SPAN>. <SPAN "
          "CLASS=\"plusminus\">[Kapsz 10 VP-t.]</SPAN> Szörnyen éhezel, a "
          "gyomrod korog: <SPAN CLASS=\"szenved\">-2</SPAN> ÉP."_cp);
    case 2:
      return "\n<P><SPAN CLASS=\"k\">v 96</SPAN> Elmondod a városi teleport "
             "varázsigéjét. Vuuush, elteleportálsz! <SPAN CLASS=\"k\">["_cp +
             number(log.x) + "," + number(log.y) + "]</SPAN> A főtéren ("_cp +
             number(log.x) + "," + number(log.y) + ") találod magad."_cp;
    case 3:
      return "\n<P>Összeakadsz egy gombát szedő öregasszonnyal, aki "
             "mogorván elküld. ("_cp +
             number(log.x) + "," + number(log.y) + ")";
    case 4:
      return std::string(
          "\n<P><SPAN CLASS=\"k\">h 504</SPAN> Kinyitod az aranytermő "
          "ládikát. A tartalma: 35 arany, de a zár megvág, 4 ÉP-t "
          "vesztesz."_cp);
    default:
      return std::string(
          "\n<P>Egy elágazás! Az egyik ösvény a fennsíkra vezet. Öregedtél "
          "1 évet."_cp);
  }
}

std::string encyclopedia(Dice& dice, const Catalogue& c, int entries) {
  std::string e = std::string(kTableOpen) +
                  "<TR><TD CLASS=\"c2\" COLSPAN=2>ENCYCLOPEDIA "
                  "FANTASIA</TD></TR>\n";
  static constexpr std::string_view kMonsterKinds[] = {"SZÖRNY"_cp, "LÉNY"_cp,
                                                       "ELLENFÉL"_cp};
  static constexpr std::string_view kItemKinds[] = {"TÁRGY"_cp, "ÉPÍTMÉNY"_cp,
                                                    "SZÖRNYCSAPDA"_cp};
  for (int i = 0; i < entries; ++i) {
    const bool monster = dice.chance(50);
    const int n = monster ? some_monster(dice) : some_item(dice);
    const std::string& name = monster
                                  ? c.monster_names[static_cast<std::size_t>(n)]
                                  : item_name(c, n);
    const std::string_view kind =
        monster ? kMonsterKinds[static_cast<std::size_t>(dice.below(3))]
                : kItemKinds[static_cast<std::size_t>(dice.below(3))];
    e += "<TR><TD CLASS=\"t1\" WIDTH=35%><SPAN CLASS=\"k\">" + name +
         "</SPAN> (#" + number(n) + ", " + std::string(kind) +
         ")</TD><TD CLASS=\"t1\">Ködös ligetekben kísértő, testetlen "
         "teremtmény.</TD></TR>\n"_cp;
  }
  return e + std::string(kTableClose);
}

std::string character_sheet() {
  return std::string(kTableOpen) +
         std::string(
             "<TR><TD CLASS=\"c1\" COLSPAN=4>KARAKTERLAPOD</TD></TR>\n<TR><TD "
             "CLASS=\"klap\"> Borostyán Vendel, egy  magas, szikár félelf "
             "vagy. Tharr felszentelt papja vagy. Az Ezüst Holló (#9148) K.T. "
             "tagjai közé tartozol. Ez az 60. fordulód.</TD></TR>\n"
             "<TR><TD CLASS=\"t1\" WIDTH=140>Erő:</TD><TD CLASS=\"t1\">16 "
             "(18)&nbsp;</TD><TD CLASS=\"t1\" WIDTH=140>Életpont:</TD><TD "
             "CLASS=\"t1\">87&nbsp;/&nbsp;112</td></tr>\n"
             "<TR><TD CLASS=\"t1\" WIDTH=140>IQ:</TD><TD CLASS=\"t1\">19 "
             "(21)&nbsp;</TD><TD CLASS=\"t1\" WIDTH=140>Varázspont:</TD><TD "
             "CLASS=\"t1\">64&nbsp;/&nbsp;140</td></tr>\n"
             "<TR><TD CLASS=\"t1\" WIDTH=140>Ügyesség:</TD><TD "
             "CLASS=\"t1\">17 (18)&nbsp;</TD><TD CLASS=\"t1\" WIDTH=140>Pszi "
             "pont:</TD><TD CLASS=\"t1\">260&nbsp;/&nbsp;300</td></tr>\n"
             "<TR><TD CLASS=\"t1\" WIDTH=140>Egészség:</TD><TD "
             "CLASS=\"t1\">15&nbsp;</TD><TD CLASS=\"t1\" "
             "WIDTH=140>Tudatpont:</TD><TD "
             "CLASS=\"t1\">20&nbsp;/&nbsp;24</td></tr>\n"
             "<TR><TD CLASS=\"t1\" WIDTH=140>Szerencse:</TD><TD "
             "CLASS=\"t1\">12 (14)&nbsp;</TD><TD CLASS=\"t1\" "
             "WIDTH=140>Halhatatlanság:</TD><TD "
             "CLASS=\"t1\">2%&nbsp;</TD></TR>\n"
             "<TR><TD CLASS=\"t1\" WIDTH=140>Szint:</TD><TD "
             "CLASS=\"t1\">14&nbsp;</TD><TD CLASS=\"t1\" "
             "WIDTH=140>Jellem:</TD><TD CLASS=\"t1\"> jó 27&nbsp;</TD></TR>\n"
             "<TR><TD CLASS=\"t1\" WIDTH=140>Támadás:</TD><TD "
             "CLASS=\"t1\">22&nbsp;</TD><TD CLASS=\"t1\" "
             "WIDTH=140>Védekezés:</TD><TD CLASS=\"t1\">19&nbsp;</TD></TR>\n"
             "<TR><TD CLASS=\"t1\" WIDTH=140>Tul. pont:</TD><TD "
             "CLASS=\"t1\">0&nbsp;</TD><TD CLASS=\"t1\" WIDTH=140>Kép. "
             "pont:</TD><TD CLASS=\"t1\">2&nbsp;</TD></TR>\n"
             "<TR><TD CLASS=\"t1\" WIDTH=140>EFejl:</TD><TD "
             "CLASS=\"t1\">6&nbsp;</TD><TD CLASS=\"t1\" "
             "WIDTH=140>Pénz:</TD><TD CLASS=\"t1\">1275 ap&nbsp;</TD></TR>\n"
             "<TR><TD CLASS=\"t1\" WIDTH=140>Magasság:</TD><TD "
             "CLASS=\"t1\">182 "
             "cm&nbsp;</TD><TD CLASS=\"t1\" WIDTH=140>Testsúly:</TD><TD "
             "CLASS=\"t1\">74 kg&nbsp;</TD></TR>\n"
             "<TR><TD CLASS=\"t1\" WIDTH=140>Életkor:</TD><TD "
             "CLASS=\"t1\">31/29 év&nbsp;</TD></TR>\n"
             "<TR><TD CLASS=\"t1\" COLSPAN=4>Jelenleg 24310 TP-d van. A "
             "következő szinthez még 2690 TP szükséges. Ebben a fordulóban "
             "285 TP-t kaptál. Eddig összesen 41877 TP-t "
             "szereztél.</TD></TR>\n"_cp) +
         std::string(kTableClose) + std::string(kTableOpen) +
         std::string(
             "<TR><TD CLASS=\"c2\" COLSPAN=6>HARCI ISMERETEK</TD></TR>\n"
             "<TR><TD CLASS=\"t1\" WIDTH=140>víziharc:</TD><TD CLASS=\"t1\" "
             "WIDTH=103>2/20 (10%)</TD><TD CLASS=\"t1\" "
             "WIDTH=140>vágófegyverek:</TD><TD CLASS=\"t1\" "
             "WIDTH=103><SPAN CLASS=\"k\">*18/20 (60%)</SPAN></TD></TR>\n"_cp) +
         std::string(kTableClose) + std::string(kTableOpen) +
         std::string(
             "<TR><TD CLASS=\"c2\" COLSPAN=6>EGYÉB ISMERETEK</TD></TR>\n"
             "<TR><TD CLASS=\"t1\" WIDTH=140>rejtőzködés:</TD><TD "
             "CLASS=\"t1\" WIDTH=103>17/30 (15%)</TD><TD CLASS=\"t1\" "
             "WIDTH=140>mászás:</TD><TD CLASS=\"t1\" WIDTH=103>6/30 "
             "(20%)</TD></TR>\n<TR><TD CLASS=\"t1\" "
             "WIDTH=140>teológia:</TD><TD CLASS=\"t1\" WIDTH=103>24/40 "
             "(55%)</TD><TD CLASS=\"t1\" WIDTH=140>taumaturgia:</TD><TD "
             "CLASS=\"t1\" WIDTH=103>21/40 (10%)</TD></TR>\n<TR><TD "
             "CLASS=\"t1\" WIDTH=140>harcművészetek:</TD><TD CLASS=\"t1\" "
             "WIDTH=103>40/40 (0%)</TD><TD CLASS=\"t1\" "
             "WIDTH=140>pszi:</TD><TD CLASS=\"t1\" WIDTH=103>*9/30 "
             "(65%)</TD></TR>\n<TR><TD CLASS=\"t1\" WIDTH=140>lopás:</TD><TD "
             "CLASS=\"t1\" WIDTH=103>4/30 (10%)</TD><TD CLASS=\"t1\" "
             "WIDTH=140>ordítás:</TD><TD CLASS=\"t1\" WIDTH=103>1/30 "
             "(20%)</TD></TR>\n"_cp) +
         std::string(kTableClose) + std::string(kTableOpen) +
         std::string(
             "<TR><TD CLASS=\"c2\" COLSPAN=3>FEJLESZTÉSI PONTOK</TD></TR>\n"
             "<TR><TD CLASS=\"t1\" COLSPAN=3><SPAN CLASS=\"k\">Felhasználatlan "
             "fejlesztési pont: 3</SPAN> &nbsp; <B>Még 3 fejlesztési pontot "
             "költhetsz el.</B></TD></TR>\n<TR><TD CLASS=\"t1\" "
             "WIDTH=33%>sebzés: 3/10</TD><TD CLASS=\"t1\" WIDTH=33%>vp "
             "regeneráció: 1/10</TD><TD CLASS=\"t1\" "
             "WIDTH=33%>kincskeresés: 1/5</TD></TR>\n<TR><TD CLASS=\"t1\" "
             "WIDTH=33%>Feltételes támadás (aktív: 16, max: 16)</TD></TR>\n"_cp) +
         std::string(kTableClose);
}

struct Carried {
  int number;
  int count;
  bool dollar;
  bool starred;
};

std::string item_table(Dice& dice, const Catalogue& c,
                       const std::vector<Carried>& list, bool bank,
                       bool tricky) {
  std::string t = std::string(kTableOpen) +
                  (bank ? "<TR><TD CLASS=\"c2\" COLSPAN=9>TÁRGYAID A BANK "
                          "SZÉFJÉBEN</TD></TR>\n"_cp
                        : "<TR><TD CLASS=\"c2\" COLSPAN=9>NÁLAD LÉVŐ TÁRGYAK "
                          "(*-gal jelöltek bekészítve)</TD></TR>\n"_cp);
  int in_row = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    const Carried& item = list[i];
    const std::string tag =
        (item.dollar ? "($" : "(#") + number(item.number) + ")";
    if (!bank && dice.chance(4)) {
      if (in_row != 0) t += "</TR>\n";
      in_row = 0;
      t += "<TR><TD WIDTH=30>&nbsp;</TD><TD CLASS=\"t1\" COLSPAN=6>[benne: " +
           number(item.count) + " " + item_name(c, item.number) + " " + tag +
           "]</TD><TD COLSPAN=2>&nbsp;</TD></TR>\n";
      continue;
    }
    if (in_row == 0) t += "<TR>";
    t += "<TD CLASS=\"t1\" WIDTH=30>" + number(item.count) +
         "</TD><TD CLASS=\"t1\" WIDTH=205>" + (item.starred ? "*" : "") +
         item_name(c, item.number) + " " + tag +
         (tricky && dice.chance(5) ? " (#" + number(item.number) + ")" : "") +
         "</TD><TD WIDTH=10>&nbsp;</TD>";
    if (++in_row == 3) {
      t += "</TR>\n";
      in_row = 0;
    }
  }
  if (in_row != 0) t += "</TR>\n";
  if (!bank) {
    t += "<TR><TD CLASS=\"c3\" COLSPAN=9>Löttyök</TD></TR>\n"_cp;
    t +=
        "<TR><TD CLASS=\"t1\" WIDTH=30>3</TD><TD CLASS=\"t1\" "
        "WIDTH=205>Vörös gyógyital (#40)</TD><TD WIDTH=10>&nbsp;</TD></TR>\n"_cp;
  }
  t += kTableClose;
  if (!bank) {
    t += std::string(kTableOpen) +
         "<TR><TD CLASS=\"t1\" WIDTH=50%>Összsúly: 826.89 kg</TD><TD "
         "CLASS=\"t1\" WIDTH=50%>Megterheltség: 134%</TD></TR>\n"_cp +
         std::string(kTableClose);
  }
  return t;
}

std::string spell_table(Dice& dice, const Catalogue& c, int known,
                        bool tricky) {
  std::string t = std::string(kTableOpen) +
                  "<TR><TD CLASS=\"c2\" COLSPAN=3>VARÁZSLATAID</TD></TR>\n"_cp;
  std::vector<int> spells;
  for (int s = 1; s <= kSpells; ++s) spells.push_back(s);
  for (std::size_t i = spells.size(); i > 1; --i) {
    std::swap(
        spells[i - 1],
        spells[static_cast<std::size_t>(dice.below(static_cast<int>(i)))]);
  }
  spells.resize(static_cast<std::size_t>(known));
  int in_row = 0;
  for (const int s : spells) {
    if (in_row == 0) t += "<TR>";
    const bool no_cost = tricky && dice.chance(5);
    t += "<TD CLASS=\"t1\" WIDTH=33%>" +
         c.spell_names[static_cast<std::size_t>(s)] + " (#" + number(s) + ", " +
         (no_cost ? std::string("?")
                  : number(c.spell_cost[static_cast<std::size_t>(s)]) + " VP") +
         ")</TD>";
    if (++in_row == 3) {
      t += "</TR>\n";
      in_row = 0;
    }
  }
  if (in_row != 0) t += "</TR>\n";
  t +=
      "<TR><TD CLASS=\"t1\" COLSPAN=3>Butaság ára beállítás: teológia: +2 "
      "vp 10 költség alatt, taumaturgia: +3 vp 15 költség alatt</TD></TR>\n"_cp;
  t += kTableClose;
  t += std::string(kTableOpen) +
       "<TR><TD CLASS=\"c2\" COLSPAN=3>JELENLEG RAJTAD LEVŐ AKTÍV "
       "VARÁZSLATOK</TD></TR>\n<TR><TD CLASS=\"t1\" WIDTH=33%>"_cp +
       c.spell_names[static_cast<std::size_t>(spells.empty() ? 1 : spells[0])] +
       " (#" + number(spells.empty() ? 1 : spells[0]) +
       ", még 2 fordulóig)</TD></TR>\n"_cp + std::string(kTableClose);
  return t;
}

std::string known_lists(const Catalogue& c, const std::vector<int>& monsters,
                        const std::vector<int>& items) {
  std::string t = std::string(kTableOpen) +
                  "<TR><TD CLASS=\"c1\">ISMERETEID</TD></TR>\n<TR><TD "
                  "CLASS=\"c2\">SZÖRNYEK</TD></TR>\n<TR><TD CLASS=\"t1\">"_cp;
  for (std::size_t i = 0; i < monsters.size(); ++i) {
    t += (i ? ", " : "") +
         c.monster_names[static_cast<std::size_t>(monsters[i])] + " (#" +
         number(monsters[i]) + ")";
  }
  t += "</TD></TR>\n<TR><TD CLASS=\"c2\">TÁRGYAK</TD></TR>\n<TR><TD "
       "CLASS=\"t1\">"_cp;
  for (std::size_t i = 0; i < items.size(); ++i) {
    t += (i ? ", " : "") + item_name(c, items[i]) + " (#" + number(items[i]) +
         ")";
  }
  t += "</TD></TR>\n";
  return t + std::string(kTableClose);
}

std::string tail() {
  return std::string(kTableOpen) +
         "<TR><TD CLASS=\"c2\" COLSPAN=2>BEADOTT PARANCSOK</TD></TR>\n<TR><TD "
         "CLASS=\"t1\" WIDTH=10%>1.</TD><TD CLASS=\"t1\">V   96 - Városi "
         "teleport</TD></TR>\n"_cp +
         std::string(kTableClose) +
         "<P>\n<CENTER><SMALL>\n&copy <a "
         "href=\"http://jatek.example.org/\"><b>Jatek Kiado</b></a>, "
         "1992-2003<br>\nA fordulóval kapcsolatos kérdéseidet a fórumban "
         "teheted fel.\n</SMALL></CENTER>\n</BODY>\n</HTML>\n"_cp;
}

std::vector<int> sample(Dice& dice, int highest, int count) {
  std::vector<int> all;
  for (int n = 1; n <= highest; ++n) all.push_back(n);
  for (std::size_t i = all.size(); i > 1; --i) {
    std::swap(all[i - 1],
              all[static_cast<std::size_t>(dice.below(static_cast<int>(i)))]);
  }
  all.resize(static_cast<std::size_t>(std::min(count, highest)));
  return all;
}

std::string settings_file(Dice& dice, bool tricky) {
  std::string s(
      "/* minden kapcsoló bekapcsolva */\nfordulók könyvtára: "
      "\"fordulok\";\nulek könyvtára: \"ulek\";\ntanácsadó: \"Gubó "
      "mester\";\npapirang: 1;\nvarázslatok erőssége: 1;\nosztók: 1;\nvp "
      "regeneráció: 1;\nbónuszok: 1;\nvédelem: 3;\ntulajdonság összeg: "
      "1;\nfigyelmeztetések: 1;\ntápfaktor: 1;\nmozgások: 1;\nvarázslatok "
      "átlag sebzése: 1;\nfegyverek átlag sebzése: 1;\nszörnyek "
      "sorszámozása: 1;\nszörnyek link: 1;\ntárgyak link: 1;\nvarázslatok "
      "link: 1;\nxxxxcyyy alakú forduló: 0;\nképek: 1;\noffline webhyper: "
      "0;\ntárgyak súlya: 1;\nvarázslatok fejlesztése: 1;\nutasítási lap: "
      "1;\ntulajdonság bónuszok: 1;\ntámadás: 3;\nmaxép: 3;\nmaxvp: "
      "3;\nforduló törlése: 0;\nöltözködés: 1;\nteológia: 3;\ntaumaturgia: "
      "3;\nkihívás tornya: 1;\ntáblázat mérete: 900;\nképek könyvtára: "
      "\"kepek\";\noffline webhyper könyvtára: \"webhyper\";\npar#1: \"V   33 "
      "1\";\npar#40: \"I   1\";\nLE1: #453;\nKF1: #231 #687 #174;\nLE2: #231 "
      "#687 #174;\nKF2: #453;\n"_cp);
  if (tricky && dice.chance(50)) {
    s += "offline webhyper: 1;\n"_cp;
  }
  for (int i = 0; i < 40; ++i) {
    static constexpr const char* kSigns[] = {"<", ">", "="};
    s += "tárgy: (#"_cp + number(some_item(dice)) +
         ") db: " + kSigns[dice.below(3)] + " " + number(dice.below(5)) +
         " \"figyelj a tárgyra!\";\n"_cp;
  }
  for (int i = 0; i < 15; ++i) {
    s += "varázslat: (#"_cp + number(1 + dice.below(kSpells)) + ") aktív: "_cp +
         number(dice.below(2)) + " \"figyelj a varázslatra!\";\n"_cp;
  }
  s += "szörnyek:\n"_cp;
  for (int i = 0; i < 60; ++i) {
    s += '#';
    s += number(some_monster(dice));
    s += ' ';
    s += number(dice.below(2));
    s += '\n';
  }
  s += ";\nszakértelmek:\nrejtőzködés 2\nmászás 1\n;\n"_cp;
  return s;
}

std::string tower_file(Dice& dice) {
  std::string t("Kihívás Tornya - a próbák követelményei\n"_cp);
  for (int level = 1; level <= 3; ++level) {
    t += "infokt" + number(level) + ":";
    for (int i = 0; i < 40; ++i) t += " #" + number(some_item(dice));
    t += " ;\ninfosz" + number(level) + ":";
    for (int i = 0; i < 30; ++i) t += " #" + number(some_monster(dice));
    t += " ;\nszornyek" + number(level) + ":";
    for (int i = 0; i < 30; ++i) t += " #" + number(some_monster(dice));
    t += " ;\n";
  }
  for (int level = 1; level <= 3; ++level) {
    t += "targyak" + number(level) + ":";
    for (int i = 0; i < 10; ++i) {
      t += ' ';
      t += number(some_item(dice));
      t += " (2 db #";
      t += number(some_item(dice));
      t += " + 1 db #";
      t += number(some_item(dice));
      t += "),";
    }
    t += " ;\ntargyako" + number(level) + ":";
    for (int i = 0; i < 10; ++i) {
      t += ' ';
      t += number(1 + dice.below(3));
      t += " db #";
      t += number(some_item(dice));
      t += ',';
    }
    t += " ;\n";
  }
  t += "rejtőzködés 4 8 12\nmászás 4 8 12\nteológia 8 16 25\npszi 5 10 "
       "15\nlopás 3 6 9\n"_cp;
  return t;
}

std::string crlf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 20);
  for (const char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace

std::vector<FolderFile> make_folder(const FolderOptions& options) {
  Dice dice(options.seed);
  std::string items;
  std::string monsters;
  std::string spells;
  std::string damage;
  const Catalogue c = make_catalogue(dice, options.tricky, options.markup_names,
                                     items, monsters, spells, damage);

  // How much of the catalogues the report names grows with its size: a
  // megabyte names most of them.
  const double share =
      std::min(1.0, static_cast<double>(options.report_size) / 1000000.0);
  const auto scaled = [&](int most) {
    return std::max(5, static_cast<int>(most * share));
  };

  std::vector<Carried> carried;
  for (const int n : sample(dice, kItems, scaled(600))) {
    carried.push_back({n, 1 + dice.below(30),
                       dice.chance(options.tricky ? 30 : 5), dice.chance(20)});
  }
  for (const int n :
       {508, 504, 1119, 596, 602, 603, 604, 259, 570, 453, 231, 687, 174}) {
    carried.push_back({n, 1 + dice.below(3), false, dice.chance(50)});
  }
  std::vector<Carried> banked;
  for (const int n : sample(dice, kItems, scaled(300))) {
    banked.push_back(
        {n, 1 + dice.below(10), dice.chance(options.tricky ? 30 : 5), false});
  }
  const std::vector<int> known_monsters = sample(dice, kMonsters, scaled(950));
  const std::vector<int> known_items = sample(dice, kItems, scaled(1900));

  std::string fixed_after =
      encyclopedia(dice, c, scaled(400)) + character_sheet() +
      item_table(dice, c, carried, false, options.tricky) +
      item_table(dice, c, banked, true, options.tricky) +
      spell_table(dice, c, scaled(480), options.tricky) +
      known_lists(c, known_monsters, known_items) + tail();

  std::string report = head();
  report +=
      std::string(kTableOpen) +
      "<TR><TD CLASS=\"c2\">BOROSTYÁN VENDEL KALANDJAI</TD></TR>\n<TR><TD "
      "CLASS=\"tj\">\n<P>A táborozás alatt próbáltál minél többet "
      "pihenni. Az éjszaka csendes volt."_cp;
  LogState log;
  std::vector<std::string> lists;
  const std::size_t target = options.report_size;
  while (report.size() + fixed_after.size() + 40 < target) {
    const int kind = dice.below(100);
    if (kind < 8 && log.moves < 40) {
      report += move_paragraph(dice, log);
    } else if (kind < 55) {
      report += battle_paragraph(dice, c);
    } else if (kind < 60) {
      report += item_list_paragraph(dice, c, lists, options.tricky);
    } else {
      report += other_paragraph(dice, log);
    }
  }
  report += "\n<P><SPAN CLASS=\"k\">Táborhely:</SPAN> ("_cp + number(log.x) +
            "," + number(log.y) +
            ") Ködös fennsík. Nem messze tőled egy ősvortex (#587) "
            "örvénylik.<BR>\n</TD></TR>\n"_cp +
            std::string(kTableClose);
  report += fixed_after;

  std::string info("tárgyak:\n\n"_cp);
  for (const int n : known_items) {
    info += item_name(c, n) + " (#" + number(n) + ")\n";
  }
  info += "\nösszesen 0 tárgyat ismersz\n\nszörnyek:\n\n"_cp;
  for (const int n : known_monsters) {
    info += c.monster_names[static_cast<std::size_t>(n)] + " (#" + number(n) +
            ")\n";
  }
  info += "\nösszesen 0 szörnyet ismersz\n\n"_cp;

  std::vector<FolderFile> files = {
      {kReportName, crlf(report)},
      {"txt/targyak.txt", crlf(items)},
      {"txt/szornyek.txt", crlf(monsters)},
      {"txt/varazslatok.txt", crlf(spells)},
      {"txt/varazslatok_sebzese.txt", crlf(damage)},
      {"txt/kihtor.txt", crlf(tower_file(dice))},
      {"cfg/cfg_1234.txt", crlf(settings_file(dice, options.tricky))},
      {"fordulok/.keep", ""},
      {"ulek/.keep", ""},
      {"info/.keep", ""},
  };
  if (options.info_file) files.push_back({"info/info_1234.txt", crlf(info)});
  return files;
}

void write_folder(const std::string& folder,
                  const std::vector<FolderFile>& files) {
  namespace fs = std::filesystem;
  for (const FolderFile& file : files) {
    const fs::path path = fs::path(folder) / file.path;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(file.bytes.data(),
              static_cast<std::streamsize>(file.bytes.size()));
  }
}

}  // namespace morvinta::generator
