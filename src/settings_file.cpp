#include "settings_file.h"

#include <optional>

#include "console.h"
#include "cp1250.h"
#include "file_names.h"
#include "text_file.h"
#include "text_scan.h"

namespace morvinta {

namespace {

constexpr std::size_t kDirectoryLength = 99;
constexpr std::size_t kAdvisorLength = 999;

struct SwitchKey {
  std::string_view key;
  std::int32_t Settings::*field;
};

// The keys in the order they are read. A key is found anywhere in the text,
// also inside a longer key: the file puts the shorter key's entry first.
constexpr SwitchKey kSwitchKeys[] = {
    {"papirang"_cp, &Settings::priest_rank},
    {"varázslatok erőssége"_cp, &Settings::spell_strength},
    {"osztók"_cp, &Settings::divisors},
    {"vp regeneráció"_cp, &Settings::vp_regeneration},
    {"bónuszok"_cp, &Settings::bonuses},
    {"védelem"_cp, &Settings::defence},
    {"tulajdonság összeg"_cp, &Settings::attribute_sum},
    {"figyelmeztetések"_cp, &Settings::warnings},
    {"tápfaktor"_cp, &Settings::power_score},
    {"mozgások"_cp, &Settings::moves},
    {"varázslatok átlag sebzése"_cp, &Settings::spell_damage},
    {"fegyverek átlag sebzése"_cp, &Settings::weapon_damage},
    {"szörnyek sorszámozása"_cp, &Settings::monster_numbering},
    {"szörnyek link"_cp, &Settings::monster_links},
    {"tárgyak link"_cp, &Settings::item_links},
    {"varázslatok link"_cp, &Settings::spell_links},
    {"xxxxcyyy alakú forduló"_cp, &Settings::c_form_name},
    {"képek"_cp, &Settings::images},
    {"offline webhyper"_cp, &Settings::offline_webhyper},
    {"tárgyak súlya"_cp, &Settings::item_weights},
    {"varázslatok fejlesztése"_cp, &Settings::spell_development},
    {"utasítási lap"_cp, &Settings::order_sheet},
    {"tulajdonság bónuszok"_cp, &Settings::attribute_bonuses},
    {"támadás"_cp, &Settings::attack},
    {"maxép"_cp, &Settings::max_ep},
    {"maxvp"_cp, &Settings::max_vp},
    {"forduló törlése"_cp, &Settings::delete_report},
    {"öltözködés"_cp, &Settings::dressing_mode},
    {"teológia"_cp, &Settings::theology},
    {"taumaturgia"_cp, &Settings::thaumaturgy},
    {"kihívás tornya"_cp, &Settings::challenge_tower},
    {"napló"_cp, &Settings::journal},
    {"navigáció"_cp, &Settings::navigation},
};

// The text between the first two double quotes from the key to the next ";".
std::string quoted_entry(std::string_view text, std::string_view key,
                         std::size_t max_length) {
  const MaybeText inner =
      extract_between(extract_inclusive(text, key, ";"), "\"", "\"");
  return cut_to(inner.value_or(""), max_length);
}

}  // namespace

void Settings::read_settings(const std::string& path) {
  std::optional<std::string> text = read_file(path);
  if (text) {
    sayf("\"%s\" beolvasasa sikerult!\n", path.c_str());
  } else {
    text = read_file("cfg/cfg_xxxx.txt");
    if (!text) {
      say("nincs meg a \"cfg_xxxx.txt\" file!\n");
      return;
    }
    say("\"cfg_xxxx.txt\" beolvasasa sikerult!\n");
  }
  parse(*text);
}

void Settings::parse(std::string_view text) {
  settings_text.assign(text);
  while (const MaybeText comment =
             extract_inclusive(settings_text, "/*", "*/")) {
    const std::string block(*comment);
    replace_first(settings_text, block, "");
  }
  for (const SwitchKey& entry : kSwitchKeys) {
    this->*entry.field =
        nth_number(extract_inclusive(settings_text, entry.key, ";"), 1);
  }
  order_sheet_directory =
      quoted_entry(settings_text, "ulek könyvtára"_cp, kDirectoryLength);
  report_directory =
      quoted_entry(settings_text, "fordulók könyvtára"_cp, kDirectoryLength);
  if (extract_inclusive(settings_text, "tanácsadó"_cp, ";")) {
    advisor_name = quoted_entry(settings_text, "tanácsadó"_cp, kAdvisorLength);
  }
}

std::string path_in(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string path = file_name_from_cp1250(folder);
  path += '/';
  path += name;
  return path;
}

}  // namespace morvinta
