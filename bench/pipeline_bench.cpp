// The whole pipeline on made-up reports of 100 KB, 300 KB and 1 MB with full
// catalogues and every switch on: load, enhance, write the enhanced report,
// the order sheet and the info file. Each size runs with the indexed scans
// and with the plain ones; the plain run also times the indexed one on the
// same folder and reports the ratio. Peak heap is counted by the operators
// new and delete of this program.
//
//   cmake --preset bench && cmake --build --preset bench
//   build/bench/morvinta_bench
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "console.h"
#include "cp1250.h"
#include "digest_tower.h"
#include "driver.h"
#include "journal.h"
#include "platform.h"
#include "report_generator.h"
#include "rng.h"
#include "text_file.h"
#include "text_scan_plain.h"
#include "turn_report.h"

namespace {

std::size_t heap_now = 0;
std::size_t heap_peak = 0;

void* counted(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  heap_now += malloc_usable_size(block);
  if (heap_now > heap_peak) heap_peak = heap_now;
  return block;
}

void uncounted(void* block) {
  if (block == nullptr) return;
  heap_now -= malloc_usable_size(block);
  std::free(block);
}

}  // namespace

void* operator new(std::size_t size) { return counted(size); }
void* operator new[](std::size_t size) { return counted(size); }
void operator delete(void* block) noexcept { uncounted(block); }
void operator delete[](void* block) noexcept { uncounted(block); }
void operator delete(void* block, std::size_t) noexcept { uncounted(block); }
void operator delete[](void* block, std::size_t) noexcept { uncounted(block); }

namespace {

namespace fs = std::filesystem;
using morvinta::operator""_cp;
using morvinta::generator::FolderOptions;

// A made-up working folder, written once per size, entered for the run.
class Folder {
 public:
  // With journal, the settings also turn on the journal and the navigation.
  explicit Folder(std::size_t report_size, bool journal = false) {
    path_ = fs::temp_directory_path() /
            ("morvinta-bench-" + std::to_string(report_size) +
             (journal ? "-naplo" : ""));
    fs::remove_all(path_);
    FolderOptions options;
    options.report_size = report_size;
    options.seed = 2003;
    files_ = morvinta::generator::make_folder(options);
    for (auto& file : files_) {
      if (journal && file.path == "cfg/cfg_1234.txt") {
        file.bytes.insert(0, "napló: 1;\r\nnavigáció: 1;\r\n"_cp);
      }
    }
    morvinta::generator::write_folder(path_.string(), files_);
    for (const auto& file : files_) {
      if (file.path == morvinta::generator::kReportName) {
        report_bytes_ = file.bytes.size();
      }
      if (file.path == "info/info_1234.txt") info_ = file.bytes;
    }
  }
  ~Folder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }

  const fs::path& path() const { return path_; }
  std::size_t report_bytes() const { return report_bytes_; }
  // The folder as made: each run reads the info file as the first run did,
  // and writes its enhanced report and order sheet anew, as for a new turn
  // (replacing an existing file costs the file system more).
  void reset() const {
    std::ofstream out(path_ / "info/info_1234.txt",
                      std::ios::binary | std::ios::trunc);
    out.write(info_.data(), static_cast<std::streamsize>(info_.size()));
    std::error_code ignored;
    fs::remove(path_ / "fordulok/1234_60.htm", ignored);
    fs::remove(path_ / "ulek/1234-61.ul", ignored);
    fs::remove(path_ / "info/naplo_1234.csv", ignored);
    fs::remove(path_ / "fordulok/naplo_1234.htm", ignored);
  }

 private:
  fs::path path_;
  std::vector<morvinta::generator::FolderFile> files_;
  std::size_t report_bytes_ = 0;
  std::string info_;
};

const Folder& folder_of(std::size_t size, bool journal = false) {
  static std::map<std::pair<std::size_t, bool>, std::unique_ptr<Folder>>
      folders;
  auto& folder = folders[{size, journal}];
  if (!folder) folder = std::make_unique<Folder>(size, journal);
  return *folder;
}

// One report through the pipeline on a folder just reset, the console
// caught; the peak heap above what was in use before.
std::size_t process_once(bool plain) {
  static std::string console;
  console.clear();
  morvinta::set_console_capture(&console);
  morvinta::use_plain_scans(plain);
  morvinta::seed_random(1);
  const std::size_t before = heap_now;
  heap_peak = heap_now;
  morvinta::process_report(morvinta::generator::kReportName, false);
  const std::size_t peak = heap_peak - before;
  morvinta::use_plain_scans(false);
  morvinta::set_console_capture(nullptr);
  return peak;
}

void run_pipeline(benchmark::State& state, bool plain, bool journal = false) {
  const auto size = static_cast<std::size_t>(state.range(0));
  const Folder& folder = folder_of(size, journal);
  const fs::path previous = fs::current_path();
  fs::current_path(folder.path());
  std::size_t peak = 0;
  for (auto _ : state) {
    state.PauseTiming();
    folder.reset();
    state.ResumeTiming();
    peak = std::max(peak, process_once(plain));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(folder.report_bytes()));
  state.counters["report_KB"] =
      static_cast<double>(folder.report_bytes()) / 1e3;
  state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
  // The catalogues alone, as loading holds them.
  std::size_t catalogues = 0;
  {
    static std::string console;
    morvinta::set_console_capture(&console);
    const std::size_t before = heap_now;
    morvinta::TurnReport empty;
    empty.monsters.load_monsters();
    empty.spells.load_spells();
    empty.items.load_items();
    catalogues = heap_now - before;
    morvinta::set_console_capture(nullptr);
  }
  state.counters["catalogues_MB"] = static_cast<double>(catalogues) / 1e6;
  // The peak beyond the catalogues, per byte of the report.
  state.counters["peak_per_byte"] =
      static_cast<double>(peak > catalogues ? peak - catalogues : 0) /
      static_cast<double>(folder.report_bytes());
  if (plain) {
    // The indexed scans on the same folder, timed here too.
    constexpr int kRuns = 20;
    double fastest = 1e9;
    for (int i = 0; i < kRuns; ++i) {
      folder.reset();
      const auto start = std::chrono::steady_clock::now();
      process_once(false);
      const std::chrono::duration<double> took =
          std::chrono::steady_clock::now() - start;
      fastest = std::min(fastest, took.count());
    }
    double plain_seconds = 1e9;
    for (int i = 0; i < 1; ++i) {
      folder.reset();
      const auto start = std::chrono::steady_clock::now();
      process_once(true);
      const std::chrono::duration<double> took =
          std::chrono::steady_clock::now() - start;
      plain_seconds = std::min(plain_seconds, took.count());
    }
    state.counters["indexed_ms"] = fastest * 1e3;
    state.counters["plain_ms"] = plain_seconds * 1e3;
    state.counters["ratio"] = plain_seconds / fastest;
  }
  fs::current_path(previous);
}

void BM_Indexed(benchmark::State& state) { run_pipeline(state, false); }
void BM_Plain(benchmark::State& state) { run_pipeline(state, true); }
// As BM_Indexed, with the journal and the navigation on: the difference is
// what they add to a report (the journal holds the one turn).
void BM_IndexedWithJournal(benchmark::State& state) {
  run_pipeline(state, false, true);
}

// The journal of a character with 2,000 turns: writing the journal file and
// drawing its page (four charts of 2,000 points, the table of 2,000 rows).
void BM_JournalOf2000Turns(benchmark::State& state) {
  morvinta::Journal journal;
  for (std::int32_t turn = 1; turn <= 2000; ++turn) {
    morvinta::JournalLine line;
    line.turn = turn;
    for (std::size_t i = 0; i < morvinta::kJournalColumns; ++i) {
      line.fields[i] = morvinta::journal_number(turn * 7 % 1000 +
                                                static_cast<int>(i) * turn);
    }
    line.fields[morvinta::kTurnColumn] = morvinta::journal_number(turn);
    line.fields[morvinta::kDateColumn] = "2003. november 14.";
    line.fields[morvinta::kExpectedPowerScoreColumn] =
        morvinta::journal_decimal(turn * 1.37);
    morvinta::put_line(journal, std::move(line));
  }
  const fs::path folder = fs::temp_directory_path() / "morvinta-bench-naplo";
  fs::remove_all(folder);
  fs::create_directories(folder / "info");
  fs::create_directories(folder / "fordulok");
  const fs::path previous = fs::current_path();
  fs::current_path(folder);
  for (auto _ : state) {
    morvinta::store_journal(journal, 1234, "Bench", false, "fordulok");
  }
  state.counters["csv_KB"] =
      static_cast<double>(fs::file_size("info/naplo_1234.csv")) / 1e3;
  state.counters["page_KB"] =
      static_cast<double>(fs::file_size("fordulok/naplo_1234.htm")) / 1e3;
  fs::current_path(previous);
  fs::remove_all(folder);
}

// The fixed parts of every report, whatever its size: the tower's eight
// simulations of 10,000 climbs (with mixed readiness) and reading the full
// catalogues.
void BM_TowerChances(benchmark::State& state) {
  morvinta::TowerReadiness readiness;
  for (std::size_t level = 0; level < 3; ++level) {
    readiness.item_info_ready[level] = 80;
    readiness.monster_info_ready[level] = 70;
    readiness.monsters_ready[level] = 90;
    readiness.skills_ready[level] = 60;
    readiness.assembly_ready[level] = 75;
  }
  morvinta::seed_random(1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(morvinta::tower_chance_rows(readiness));
  }
}

void BM_Catalogues(benchmark::State& state) {
  const Folder& folder = folder_of(100000);
  const fs::path previous = fs::current_path();
  fs::current_path(folder.path());
  static std::string console;
  morvinta::set_console_capture(&console);
  for (auto _ : state) {
    console.clear();
    morvinta::TurnReport report;
    report.monsters.load_monsters();
    report.spells.load_spells();
    report.items.load_items();
    benchmark::DoNotOptimize(report.items.item_by_number(1).weight);
  }
  morvinta::set_console_capture(nullptr);
  fs::current_path(previous);
}

// Writing an enhanced report of the given size as the tool does, its data
// on the disk before the rename and the folder's entry after it, against the
// same bytes written and renamed but left in the system's cache: the price
// of files that survive a power loss.
void write_report(benchmark::State& state, bool flushed) {
  const fs::path folder = fs::temp_directory_path() / "morvinta-bench-write";
  fs::create_directories(folder);
  const std::string path = (folder / "1234_56.htm").string();
  const auto size = static_cast<std::size_t>(state.range(0));
  std::string text;
  while (text.size() < size) text += std::string(99, 'x') + "\n";
  for (auto _ : state) {
    if (flushed) {
      benchmark::DoNotOptimize(morvinta::write_file(path, text));
      continue;
    }
    std::string disk;
    disk.reserve(text.size() + text.size() / 50);
    std::size_t from = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string::npos;
         lf = text.find('\n', lf + 1)) {
      disk.append(text, from, lf - from);
      disk += "\r\n";
      from = lf + 1;
    }
    disk.append(text, from);
    {
      std::ofstream out(path + ".tmp", std::ios::binary | std::ios::trunc);
      out.write(disk.data(), static_cast<std::streamsize>(disk.size()));
    }
    fs::rename(path + ".tmp", path);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(size));
  fs::remove_all(folder);
}

void BM_WriteFlushed(benchmark::State& state) { write_report(state, true); }
void BM_WriteUnflushed(benchmark::State& state) { write_report(state, false); }

BENCHMARK(BM_WriteFlushed)
    ->Arg(100000)
    ->Arg(3000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteUnflushed)
    ->Arg(100000)
    ->Arg(3000000)
    ->Unit(benchmark::kMillisecond);
// A season in directory mode: 40 turns of one character, reports of 300 KB,
// in one run that reads the catalogues once (argument 1, as the tool does)
// or once per report (argument 0, for comparison). Each run starts from the
// folder as made, so every turn reads the info file the turn before it wrote.
void BM_Season(benchmark::State& state) {
  const bool shared = state.range(0) != 0;
  constexpr int kTurns = 40;
  const Folder& folder = folder_of(300000);
  const fs::path previous = fs::current_path();
  fs::current_path(folder.path());
  const std::string report =
      morvinta::read_file(morvinta::generator::kReportName).value_or("");
  std::vector<std::string> turns;
  for (int turn = 60; turn < 60 + kTurns; ++turn) {
    turns.push_back("1234_" + std::to_string(turn) + ".htm");
  }
  const auto reset = [&] {
    folder.reset();
    for (int turn = 60; turn < 60 + kTurns; ++turn) {
      const std::string name = turns[static_cast<std::size_t>(turn - 60)];
      std::error_code ignored;
      fs::remove(fs::path("fordulok") / name, ignored);
      fs::remove(
          fs::path("ulek") / ("1234-" + std::to_string(turn + 1) + ".ul"),
          ignored);
      if (name != morvinta::generator::kReportName) {
        morvinta::write_file(name, report);
      }
    }
  };
  static std::string console;
  for (auto _ : state) {
    state.PauseTiming();
    reset();
    console.clear();
    morvinta::set_console_capture(&console);
    morvinta::seed_random(1);
    state.ResumeTiming();
    if (shared) {
      morvinta::process_reports(morvinta::list_report_files(), false);
    } else {
      for (const std::string& name : morvinta::list_report_files()) {
        morvinta::process_report(name, false);
      }
    }
    state.PauseTiming();
    morvinta::set_console_capture(nullptr);
    state.ResumeTiming();
  }
  for (const std::string& name : turns) {
    if (name != morvinta::generator::kReportName) fs::remove(name);
  }
  folder.reset();
  state.counters["reports"] = kTurns;
  fs::current_path(previous);
}

BENCHMARK(BM_TowerChances)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Season)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Catalogues)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Indexed)
    ->Arg(100000)
    ->Arg(300000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IndexedWithJournal)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JournalOf2000Turns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Plain)
    ->Arg(100000)
    ->Arg(300000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

// The heap as the tool sets it up (main.cpp), then the benchmarks.
int main(int argc, char** argv) {
  morvinta::reuse_freed_memory();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
