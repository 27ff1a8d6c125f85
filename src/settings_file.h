// The per-character settings file "cfg/cfg_<character>.txt" (or the shared
// template "cfg/cfg_xxxx.txt"): the switches that turn the enhancement's
// sections on and off, the output folders, the advisor's name, and the
// comment-free text in which sections look up their own entries (fixed
// orders, dressing plan, warning rules, modifiers).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace morvinta {

struct Settings {
  // The switches, in the order of the file's keys; 0 is off. "védelem",
  // "támadás", "maxép", "maxvp", "teológia" and "taumaturgia" are bit sets:
  // 1 the camp table, 2 the table during the turn.
  std::int32_t priest_rank = 1;        // "papirang"
  std::int32_t spell_strength = 1;     // "varázslatok erőssége"
  std::int32_t divisors = 1;           // "osztók"
  std::int32_t vp_regeneration = 1;    // "vp regeneráció"
  std::int32_t bonuses = 1;            // "bónuszok"
  std::int32_t defence = 1;            // "védelem"
  std::int32_t attribute_sum = 1;      // "tulajdonság összeg"
  std::int32_t warnings = 1;           // "figyelmeztetések"
  std::int32_t power_score = 1;        // "tápfaktor"
  std::int32_t moves = 1;              // "mozgások"
  std::int32_t spell_damage = 1;       // "varázslatok átlag sebzése"
  std::int32_t weapon_damage = 1;      // "fegyverek átlag sebzése"
  std::int32_t monster_numbering = 1;  // "szörnyek sorszámozása"
  std::int32_t monster_links = 1;      // "szörnyek link"
  std::int32_t item_links = 1;         // "tárgyak link"
  std::int32_t spell_links = 1;        // "varázslatok link"
  std::int32_t c_form_name = 0;        // "xxxxcyyy alakú forduló"
  std::int32_t images = 0;             // "képek"
  std::int32_t offline_webhyper = 0;   // "offline webhyper"
  std::int32_t item_weights = 1;       // "tárgyak súlya"
  std::int32_t spell_development = 1;  // "varázslatok fejlesztése"
  std::int32_t order_sheet = 1;        // "utasítási lap"
  std::int32_t attribute_bonuses = 1;  // "tulajdonság bónuszok"
  std::int32_t attack = 1;             // "támadás"
  std::int32_t max_ep = 1;             // "maxép"
  std::int32_t max_vp = 1;             // "maxvp"
  std::int32_t delete_report = 0;      // "forduló törlése"
  std::int32_t dressing_mode = 0;      // "öltözködés"
  std::int32_t theology = 1;           // "teológia"
  std::int32_t thaumaturgy = 1;        // "taumaturgia"
  std::int32_t challenge_tower = 0;    // "kihívás tornya"
  std::int32_t journal = 0;            // "napló"
  std::int32_t navigation = 0;         // "navigáció"

  std::string order_sheet_directory;  // "ulek könyvtára", at most 99 bytes
  std::string report_directory;  // "fordulók könyvtára", at most 99 bytes
  std::string settings_text;     // the file without its comments
  std::string advisor_name = "Deved";  // "tanácsadó", at most 999 bytes

  // Reads the file at path, or the template "cfg/cfg_xxxx.txt" when it is
  // missing, printing which one was read. When neither opens, every field
  // keeps its default; once a file is read, a switch it lacks is 0.
  void read_settings(const std::string& path);

  // Fills every field from a settings text as a read file gives it.
  void parse(std::string_view text);
};

// The file of a folder setting: "<folder>/<name>" with the folder's 1250 name
// turned into a file name, or the name alone when the folder is empty (the
// current folder, never the root of the file system).
std::string path_in(std::string_view folder, std::string_view name);

}  // namespace morvinta
