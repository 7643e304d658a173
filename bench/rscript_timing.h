// A benchmark's iterations timed by R itself: `command` runs Rscript, which prints the seconds its
// own work took; each iteration records them (the benchmark uses manual time). An Rscript that
// fails or prints no time skips the benchmark with the reason.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace corvane {

inline void TimeRscript(benchmark::State& state, const std::string& command) {
  for (auto _ : state) {
    std::FILE* r = popen(command.c_str(), "r");
    double seconds = -1;
    if (r == nullptr || std::fscanf(r, "%lf", &seconds) != 1 || pclose(r) != 0 || seconds < 0) {
      state.SkipWithError("Rscript failed");
      return;
    }
    state.SetIterationTime(seconds);
  }
}

}  // namespace corvane
