// Writes the fuzzers' seed corpora: the example folder's reports, settings,
// catalogues and tower description, and the hostile inputs of the
// regression tests. Generated, never committed.
//
//   morvinta_fuzz_corpus <examples folder> <output folder> [--big]
//
// makes <output>/run, <output>/readers and <output>/text_scan, and
// <output>/run.dict, the report's anchors as a libFuzzer dictionary (the
// mutations put whole anchors into a report, where the fuzzer would
// otherwise have to find them byte by byte); with --big also
// <output>/run-big, the megabyte-sized reports that check that a run stays
// linear in the report's size.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "fuzz_formats.h"
#include "hostile_inputs.h"

namespace {

namespace fs = std::filesystem;
using morvinta::fuzz::ReaderKind;

std::string read_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_bytes(const fs::path& path, std::string_view bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void write_reader_seed(const fs::path& folder, ReaderKind kind,
                       const std::string& name, std::string_view bytes) {
  std::string seed(1, static_cast<char>(kind));
  seed += bytes;
  write_bytes(folder / (std::to_string(static_cast<int>(kind)) + "_" + name),
              seed);
}

// One dictionary entry: the bytes in double quotes, every byte that is not
// printable ASCII, and the quote and backslash, written as \xNN.
std::string dictionary_entry(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string entry = "\"";
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && c != '"' && c != '\\') {
      entry += c;
    } else {
      entry += "\\x";
      entry += kHex[b >> 4];
      entry += kHex[b & 15];
    }
  }
  entry += "\"\n";
  return entry;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: %s <examples folder> <output folder> [--big]\n",
                 argv[0]);
    return 2;
  }
  const fs::path examples = argv[1];
  const fs::path out = argv[2];
  const bool big = argc > 3 && std::string_view(argv[3]) == "--big";
  namespace hostile = morvinta::hostile;

  // The whole run: reports.
  std::string sample;
  for (const auto& entry : fs::directory_iterator(examples)) {
    if (entry.path().extension() != ".htm") continue;
    const std::string report = read_bytes(entry.path());
    write_bytes(out / "run" / entry.path().filename(), report);
    if (report.size() > sample.size()) sample = report;
  }
  for (const auto& input : hostile::report_inputs(sample, false)) {
    write_bytes(out / "run" / (input.name + ".htm"), input.bytes);
  }
  std::string dictionary;
  for (const std::string_view anchor : hostile::report_anchors()) {
    // libFuzzer takes entries of at most 64 bytes.
    if (anchor.size() <= 64) dictionary += dictionary_entry(anchor);
  }
  write_bytes(out / "run.dict", dictionary);
  if (big) {
    const auto all = hostile::report_inputs(sample, true);
    const auto small = hostile::report_inputs(sample, false);
    for (std::size_t i = small.size(); i < all.size(); ++i) {
      write_bytes(out / "run-big" / (all[i].name + ".htm"), all[i].bytes);
    }
  }

  // The readers: one seed per file kind, its kind in the first byte.
  const fs::path readers = out / "readers";
  const struct {
    ReaderKind kind;
    const char* file;
  } examples_files[] = {
      {ReaderKind::kSettings, "cfg/cfg_1234.txt"},
      {ReaderKind::kSettings, "cfg/cfg_xxxx.txt"},
      {ReaderKind::kMonsters, "txt/szornyek.txt"},
      {ReaderKind::kItems, "txt/targyak.txt"},
      {ReaderKind::kSpellDamage, "txt/varazslatok_sebzese.txt"},
      {ReaderKind::kSpellList, "txt/varazslatok.txt"},
      {ReaderKind::kTower, "txt/kihtor.txt"},
  };
  for (const auto& file : examples_files) {
    const fs::path path = examples / file.file;
    if (fs::exists(path)) {
      write_reader_seed(readers, file.kind, path.stem().string(),
                        read_bytes(path));
    }
  }
  for (const auto& input : hostile::settings_inputs()) {
    write_reader_seed(readers, ReaderKind::kSettings, input.name, input.bytes);
  }
  for (const auto& input : hostile::monster_catalogue_inputs()) {
    write_reader_seed(readers, ReaderKind::kMonsters, input.name, input.bytes);
  }
  for (const auto& input : hostile::item_catalogue_inputs()) {
    write_reader_seed(readers, ReaderKind::kItems, input.name, input.bytes);
  }
  for (const auto& input : hostile::spell_table_inputs()) {
    write_reader_seed(readers, ReaderKind::kSpellDamage, input.name,
                      input.bytes);
  }
  for (const auto& input : hostile::info_inputs()) {
    write_reader_seed(readers, ReaderKind::kInfo, input.name, input.bytes);
  }
  for (const auto& input : hostile::tower_inputs()) {
    write_reader_seed(readers, ReaderKind::kTower, input.name, input.bytes);
  }

  // The toolkit: the operation, its number, then text and patterns.
  const fs::path scan = out / "text_scan";
  int seed = 0;
  const auto anchors = hostile::report_anchors();
  for (int operation = 0; operation < morvinta::fuzz::kScanOperations;
       ++operation) {
    for (const std::string_view text :
         {std::string_view(sample).substr(0, 3000),
          std::string_view("a-12b x - 12 3-4 \n\t 99999999999 (#120)"),
          std::string_view("aaa b\n   a a  b\t\tc")}) {
      const std::string_view first = anchors[(seed * 7) % anchors.size()];
      const std::string_view second = anchors[(seed * 11 + 3) % anchors.size()];
      std::string bytes;
      bytes += static_cast<char>(operation);
      bytes += static_cast<char>(seed % 5);
      bytes += text;
      bytes += morvinta::fuzz::kSeparator;
      bytes += first;
      bytes += morvinta::fuzz::kSeparator;
      bytes += second;
      write_bytes(scan / ("seed_" + std::to_string(seed++)), bytes);
    }
  }
  return 0;
}
