// ParseFloat against the C library's strtold on the texts a parameter field typically holds.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "runtime/parse_float.h"

namespace {

const char* const kTexts[] = {"5", "0.5", "-2.5e-3", "12345.678"};

void BM_ParseFloat(benchmark::State& state) {
  const std::string text = kTexts[state.range(0)];
  for (auto _ : state) benchmark::DoNotOptimize(corvane::ParseFloat(text));
  state.SetLabel(text);
}

void BM_Strtold(benchmark::State& state) {
  const std::string text = kTexts[state.range(0)];
  for (auto _ : state) benchmark::DoNotOptimize(std::strtold(text.c_str(), nullptr));
  state.SetLabel(text);
}

BENCHMARK(BM_ParseFloat)->DenseRange(0, 3);
BENCHMARK(BM_Strtold)->DenseRange(0, 3);

}  // namespace
