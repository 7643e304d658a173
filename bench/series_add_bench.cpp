// Adding points to a series in ascending x order against a plain vector of pairs, and reading a
// series' extremes at two sizes (their cost must not depend on the point count).
#include <benchmark/benchmark.h>

#include <cmath>
#include <utility>
#include <vector>

#include "chart/axis_panel.h"
#include "chart/line_series.h"

namespace {

using corvane::TCustomAxisPanel;
using corvane::TLineSeries;

constexpr int kPoints = 1'000'000;

const std::vector<std::pair<double, double>>& Pairs() {
  static const std::vector<std::pair<double, double>> pairs = [] {
    std::vector<std::pair<double, double>> out;
    out.reserve(kPoints);
    for (int i = 0; i < kPoints; ++i) out.emplace_back(i * 0.5, std::sin(i * 0.001) * 100);
    return out;
  }();
  return pairs;
}

class CountingChart : public TCustomAxisPanel {
 public:
  long requests = 0;

 protected:
  void RequestRepaint() override { ++requests; }
};

void BM_VectorPushBack(benchmark::State& state) {
  const auto& pairs = Pairs();
  for (auto _ : state) {
    std::vector<std::pair<double, double>> v;
    for (const auto& p : pairs) v.push_back(p);
    benchmark::DoNotOptimize(v.data());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_VectorPushBack)->Unit(benchmark::kMillisecond);

void BM_SeriesAddPoint(benchmark::State& state) {
  const auto& pairs = Pairs();
  for (auto _ : state) {
    TLineSeries series;
    for (const auto& [x, y] : pairs) series.AddPoint(x, y);
    benchmark::DoNotOptimize(series.PointCount());
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_SeriesAddPoint)->Unit(benchmark::kMillisecond);

// The program's case: the series sits on a chart, so every point also asks for a repaint.
void BM_SeriesAddPointOnChart(benchmark::State& state) {
  const auto& pairs = Pairs();
  for (auto _ : state) {
    CountingChart chart;
    TLineSeries& series = chart.CreateSeries<TLineSeries>();
    series.SetSeriesColor(corvane::clBlue);
    for (const auto& [x, y] : pairs) series.AddPoint(x, y, {}, series.SeriesColor());
    benchmark::DoNotOptimize(chart.requests);
  }
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_SeriesAddPointOnChart)->Unit(benchmark::kMillisecond);

void BM_SeriesExtremes(benchmark::State& state) {
  TLineSeries series;
  const auto& pairs = Pairs();
  for (int i = 0; i < state.range(0); ++i) series.AddPoint(pairs[i].first, pairs[i].second);
  for (auto _ : state) {
    benchmark::DoNotOptimize(series.MinX() + series.MaxX() + series.MinY() + series.MaxY());
  }
}
BENCHMARK(BM_SeriesExtremes)->Arg(10)->Arg(kPoints);

}  // namespace
