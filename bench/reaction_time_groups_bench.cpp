// The long-format reader beside its peers, each pair run side by side:
//   a generated long file shaped like stroop's 7 columns (text id, text condition, study, trial,
//     text congruency, accuracy, RT), read and grouped by id and condition into 10^4 groups, vs
//     std::from_chars over the RT column's text alone (target: within 2.5 times); the counter
//     heap bytes/row is the peak of the heap the read adds beyond the text (target: under 16);
//   afex's stroop file (246,600 rows, written by R's write.csv) read and grouped by participant and
//     condition vs R's read.csv and split on it, timed inside R (target: a third of R's time).
// Rows: CORVANE_LONG_ROWS (default 10^7; 1,000 trials a group). The stroop pair needs Rscript and
// afex's data unpacked by tools/install-deps (CORVANE_DATA_CACHE, default /var/cache/corvane);
// without them it reports the reason and skips.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "analysis/reaction_time_groups.h"
#include "rscript_timing.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kTrialsPerGroup = 1000;

std::size_t LongRows() {
  const char* env = std::getenv("CORVANE_LONG_ROWS");
  return env && *env ? std::strtoull(env, nullptr, 10) : 10'000'000;
}

struct TLongFile {
  std::string text;
  std::string rt_column;  // the RT fields alone, one a line
  std::size_t rows = 0;
};

const TLongFile& LongFile() {
  static const TLongFile file = [] {
    TLongFile f;
    f.rows = LongRows();
    f.text.reserve(f.rows * 56);
    f.rt_column.reserve(f.rows * 6);
    f.text = "\"pno\",\"condition\",\"study\",\"trialnum\",\"congruency\",\"acc\",\"rt\"\n";
    std::uint32_t state = 12345;
    char buffer[160];
    for (std::size_t r = 0; r < f.rows; ++r) {
      const std::size_t group = r / kTrialsPerGroup;
      state = state * 1664525u + 1013904223u;
      const unsigned ms = 300 + (state >> 8) % 1200;
      char rt[16];
      const int rt_length = std::snprintf(rt, sizeof rt, "%u.%03u", ms / 1000, ms % 1000);
      const int length =
          std::snprintf(buffer, sizeof buffer, "\"s%zu_%zu\",\"%s\",\"%zu\",%zu,\"%s\",%u,%s\n",
                        group / 2 % 4 + 1, group / 2, group % 2 ? "control" : "deplete", group / 2 % 4 + 1,
                        r % kTrialsPerGroup + 1, (state >> 4) % 3 ? "congruent" : "incongruent",
                        (state >> 6) % 20 ? 1u : 0u, (state >> 12) % 50 ? rt : "NA");
      f.text.append(buffer, static_cast<std::size_t>(length));
      f.rt_column.append((state >> 12) % 50 ? rt : "NA",
                         (state >> 12) % 50 ? static_cast<std::size_t>(rt_length) : 2);
      f.rt_column.push_back('\n');
    }
    return f;
  }();
  return file;
}

// The heap this executable's code holds, and its peak since the last reset: every operator new
// and delete of the process counted (malloc_usable_size), so the read's own memory is measured
// beside the text it reads.
std::atomic<long long> g_heap{0};
std::atomic<long long> g_peak{0};

void Track(long long bytes) {
  const long long now = g_heap.fetch_add(bytes, std::memory_order_relaxed) + bytes;
  long long peak = g_peak.load(std::memory_order_relaxed);
  while (now > peak && !g_peak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
  }
}
void ResetPeak() {
  g_peak.store(g_heap.load());
}

void BM_LongFileGrouped(benchmark::State& state) {
  const TLongFile& file = LongFile();
  const TTextShape shape = InspectReactionTimeText(file.text);
  TReadOptions options;
  options.GroupBy = {ColumnNamed(shape, "pno"), ColumnNamed(shape, "condition")};
  double added = 0;
  for (auto _ : state) {
    ResetPeak();
    const long long before = g_heap.load();
    const TReactionTimeGroups read = ReadReactionTimeGroups(file.text, options);
    added = static_cast<double>(g_peak.load() - before);
    if (read.Groups.size() != file.rows / kTrialsPerGroup)
      state.SkipWithError("wrong group count");
  }
  state.counters["rows/s"] =
      benchmark::Counter(static_cast<double>(file.rows), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["heap bytes/row"] = added / static_cast<double>(file.rows);
  state.counters["file bytes/row"] = static_cast<double>(file.text.size()) / static_cast<double>(file.rows);
}
BENCHMARK(BM_LongFileGrouped)->Unit(benchmark::kMillisecond)->Iterations(3);

// Peer: std::from_chars over the RT column's text alone, into a reserved vector.
void BM_LongFileFromCharsRtColumn(benchmark::State& state) {
  const TLongFile& file = LongFile();
  for (auto _ : state) {
    std::vector<double> values;
    values.reserve(file.rows);
    const char* p = file.rt_column.data();
    const char* end = p + file.rt_column.size();
    while (p < end) {
      double v = 0;
      const auto result = std::from_chars(p, end, v);
      if (result.ec == std::errc())
        values.push_back(v);
      p = static_cast<const char*>(
              std::memchr(result.ptr, '\n', static_cast<std::size_t>(end - result.ptr))) +
          1;
    }
    benchmark::DoNotOptimize(values.data());
  }
  state.counters["rows/s"] =
      benchmark::Counter(static_cast<double>(file.rows), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LongFileFromCharsRtColumn)->Unit(benchmark::kMillisecond)->Iterations(3);

// afex's stroop written by R's write.csv into a temporary folder; empty where R or the data are missing.
const std::string& StroopFile() {
  static const std::string path = []() -> std::string {
    const char* env = std::getenv("CORVANE_DATA_CACHE");
    const fs::path data =
        fs::path(env && *env ? env : "/var/cache/corvane") / "afex/usr/lib/R/site-library/afex/data/Rdata";
    if (!fs::exists(data.string() + ".rdb"))
      return {};
    const fs::path csv = fs::temp_directory_path() / "corvane_bench_stroop.csv";
    const std::string command = "Rscript --vanilla -e \"e <- new.env(); lazyLoad('" + data.string() +
                                "', envir = e); write.csv(e\\$stroop, '" + csv.string() +
                                "')\" >/dev/null 2>&1";
    return std::system(command.c_str()) == 0 ? csv.string() : std::string();
  }();
  return path;
}

void BM_StroopReadGrouped(benchmark::State& state) {
  const std::string& path = StroopFile();
  if (path.empty()) {
    state.SkipWithError("no stroop file: Rscript or afex's data (tools/install-deps) missing");
    return;
  }
  for (auto _ : state) {
    const std::string text = ReadWholeFile(path);
    const TTextShape shape = InspectReactionTimeText(text);
    TReadOptions options;
    options.GroupBy = {ColumnNamed(shape, "pno"), ColumnNamed(shape, "condition")};
    const TReactionTimeGroups read = ReadReactionTimeGroups(text, options);
    if (read.Groups.size() != 1370)
      state.SkipWithError("wrong group count");
  }
}
BENCHMARK(BM_StroopReadGrouped)->Unit(benchmark::kMillisecond)->Iterations(10);

// Peer: R's read.csv and split on the same file, timed inside R (its start-up left out).
void BM_StroopRReadCsvSplit(benchmark::State& state) {
  const std::string& path = StroopFile();
  if (path.empty()) {
    state.SkipWithError("no stroop file: Rscript or afex's data (tools/install-deps) missing");
    return;
  }
  const std::string command =
      "Rscript --vanilla -e \"t <- system.time({d <- read.csv('" + path +
      "'); s <- split(d\\$rt, list(d\\$pno, d\\$condition), drop = TRUE)})[['elapsed']]; "
      "stopifnot(length(s) == 1370); cat(t)\" 2>/dev/null";
  TimeRscript(state, command);
}
BENCHMARK(BM_StroopRReadCsvSplit)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();

}  // namespace
}  // namespace corvane

void* operator new(std::size_t size) {
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr)
    throw std::bad_alloc();
  corvane::Track(static_cast<long long>(malloc_usable_size(p)));
  return p;
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void operator delete(void* p) noexcept {
  if (p == nullptr)
    return;
  corvane::Track(-static_cast<long long>(malloc_usable_size(p)));
  std::free(p);
}
void operator delete[](void* p) noexcept {
  operator delete(p);
}
void operator delete(void* p, std::size_t) noexcept {
  operator delete(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  operator delete(p);
}
