// FormatFloatKind(Fixed, 10, 3), the run log's call, against snprintf "%.3f" and std::to_chars on
// the same values. Each returns a std::string, as the run log needs one.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <string>

#include "runtime/format_float.h"

namespace {

const double kValues[] = {0.5, 12.345678, 1234567.8915, 0.00012, 98765.4321};

void BM_FormatFloatKindFixed(benchmark::State& state) {
  const double value = kValues[state.range(0)];
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    std::string text = corvane::FormatFloatKind(value, corvane::TFloatFormatKind::Fixed, 10, 3);
    benchmark::DoNotOptimize(text);
  }
}

void BM_Snprintf(benchmark::State& state) {
  const double value = kValues[state.range(0)];
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, "%.3f", value);
    std::string text(buffer, static_cast<std::size_t>(n));
    benchmark::DoNotOptimize(text);
  }
}

void BM_ToChars(benchmark::State& state) {
  const double value = kValues[state.range(0)];
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    std::string text(buffer, result.ptr);
    benchmark::DoNotOptimize(text);
  }
}

BENCHMARK(BM_FormatFloatKindFixed)->DenseRange(0, 4);
BENCHMARK(BM_Snprintf)->DenseRange(0, 4);
BENCHMARK(BM_ToChars)->DenseRange(0, 4);

}  // namespace
