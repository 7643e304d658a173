// The model's point estimates over afex's stroop cells beside the field's own standard, side by
// side on the same cells:
//   every participant-condition cell with at least 20 values fitted by ML (k free, no intervals:
//     FitStationaryLaw, stationary_likelihood.h), vs
//   R's own ex-Gaussian ML on the same cells: optim with its defaults (Nelder-Mead) on the
//     closed-form log density from moment starts, timed inside R (its start-up and the file's
//     reading left out).
// Target: the model within 10 times R's time. The cells: every one (1,370, tens of minutes while
// the shapes are solved), or CORVANE_STROOP_CELLS of them spread evenly. The cells' values go to R
// in a file, one cell a line, so both fit exactly the same numbers. Needs Rscript and afex's data
// unpacked by tools/install-deps (CORVANE_DATA_CACHE, default /var/cache/corvane); without them
// each benchmark reports the reason and skips.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "analysis/likelihood_fit.h"
#include "analysis/model_fit.h"
#include "analysis/reaction_time_groups.h"
#include "analysis/stationary_likelihood.h"
#include "rscript_timing.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

struct TStroopCells {
  std::vector<std::vector<double>> Cells;
  std::string CellsFile;  // one cell a line, its values separated by spaces
  std::string Error;      // why there are none
};

const TStroopCells& StroopCells() {
  static const TStroopCells cells = [] {
    TStroopCells c;
    const char* env = std::getenv("CORVANE_DATA_CACHE");
    const fs::path data =
        fs::path(env && *env ? env : "/var/cache/corvane") / "afex/usr/lib/R/site-library/afex/data/Rdata";
    if (!fs::exists(data.string() + ".rdb")) {
      c.Error = "no stroop data: afex's data (tools/install-deps) missing";
      return c;
    }
    const fs::path csv = fs::temp_directory_path() / "corvane_bench_stroop_fit.csv";
    const std::string command = "Rscript --vanilla -e \"e <- new.env(); lazyLoad('" + data.string() +
                                "', envir = e); write.csv(e\\$stroop, '" + csv.string() +
                                "')\" >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
      c.Error = "Rscript could not write the stroop file";
      return c;
    }
    const std::string text = ReadWholeFile(csv.string());
    const TTextShape shape = InspectReactionTimeText(text);
    TReadOptions options;
    options.GroupBy = {ColumnNamed(shape, "pno"), ColumnNamed(shape, "condition")};
    std::vector<std::vector<double>> all;
    for (TReactionTimeGroup& group : ReadReactionTimeGroups(text, options).Groups)
      if (group.Read && group.Values.size() >= kMinimumReactionTimes)
        all.push_back(std::move(group.Values));
    const char* wanted = std::getenv("CORVANE_STROOP_CELLS");
    const std::size_t count = wanted && *wanted
                                  ? std::min<std::size_t>(std::strtoull(wanted, nullptr, 10), all.size())
                                  : all.size();
    for (std::size_t i = 0; i < count; ++i) c.Cells.push_back(all[i * all.size() / count]);
    c.CellsFile = (fs::temp_directory_path() / "corvane_bench_stroop_cells.txt").string();
    std::ofstream out(c.CellsFile);
    char number[32];
    for (const auto& cell : c.Cells) {
      for (std::size_t i = 0; i < cell.size(); ++i) {
        out << (i ? " " : "");
        out.write(number, std::to_chars(number, number + sizeof number, cell[i]).ptr - number);
      }
      out << "\n";
    }
    return c;
  }();
  return cells;
}

void BM_StroopModelPointEstimates(benchmark::State& state) {
  const TStroopCells& cells = StroopCells();
  if (cells.Cells.empty()) {
    state.SkipWithError(cells.Error.c_str());
    return;
  }
  const TLikelihoodOptions options;
  for (auto _ : state)
    for (const auto& cell : cells.Cells) benchmark::DoNotOptimize(FitStationaryLaw(cell, options));
  state.counters["cells"] = static_cast<double>(cells.Cells.size());
}
BENCHMARK(BM_StroopModelPointEstimates)->Unit(benchmark::kSecond)->Iterations(1);

// The time a user waits for the same cells with intervals: each fitted as the command line and the
// window fit it (B = 1,000 replicates, every core). Target: all 1,370 cells within 5 minutes of wall
// clock; the lattice's shapes this machine's store holds are used, as a user's session would.
void BM_StroopCellsWithIntervals(benchmark::State& state) {
  const TStroopCells& cells = StroopCells();
  if (cells.Cells.empty()) {
    state.SkipWithError(cells.Error.c_str());
    return;
  }
  TLikelihoodFitOptions options;
  options.Replicates = 1000;
  for (auto _ : state)
    for (const auto& cell : cells.Cells) benchmark::DoNotOptimize(FitByLikelihood(cell, options));
  state.counters["cells"] = static_cast<double>(cells.Cells.size());
}
BENCHMARK(BM_StroopCellsWithIntervals)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// Peer: R's ex-Gaussian ML by optim's defaults, the same cells.
void BM_StroopRExGaussianOptim(benchmark::State& state) {
  const TStroopCells& cells = StroopCells();
  if (cells.Cells.empty()) {
    state.SkipWithError(cells.Error.c_str());
    return;
  }
  const std::string script = (fs::temp_directory_path() / "corvane_bench_exgauss.R").string();
  {
    std::ofstream r(script);
    r << "cells <- lapply(strsplit(readLines('" << cells.CellsFile << "'), ' '), as.numeric)\n"
      << "nll <- function(p, x) { mu <- p[1]; s <- p[2]; tau <- p[3]\n"
      << "  if (s <= 0 || tau <= 0) return(1e300)\n"
      << "  -sum(-log(tau) + (mu - x)/tau + s^2/(2*tau^2) + pnorm((x - mu)/s - s/tau, log.p = TRUE)) }\n"
      << "fit <- function(x) { tau <- 0.8 * sd(x); s <- sqrt(max(var(x) - tau^2, var(x)/10))\n"
      << "  optim(c(mean(x) - tau, s, tau), nll, x = x) }\n"
      << "t <- system.time(f <- lapply(cells, fit))[['elapsed']]\n"
      << "stopifnot(all(sapply(f, function(o) is.finite(o$value))))\n"
      << "cat(t)\n";
  }
  const std::string command = "Rscript --vanilla '" + script + "' 2>/dev/null";
  TimeRscript(state, command);
  state.counters["cells"] = static_cast<double>(cells.Cells.size());
}
BENCHMARK(BM_StroopRExGaussianOptim)->Unit(benchmark::kSecond)->Iterations(3)->UseManualTime();

}  // namespace
}  // namespace corvane
