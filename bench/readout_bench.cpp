// The hover read-out on a long inhibition path: finding the items near the mouse over every
// shown point, against the engine's own scan for the hover cursor (PointUnder), which visits the
// same points on every move. A path of 300 000 points is about the longest a reaction leaves
// before the memo's capacity ends it.
// The mouse rests below the plot, so both scans visit every point and find none.
#include <benchmark/benchmark.h>

#include <cmath>

#include "chart/chart_readout.h"
#include "chart/custom_chart.h"
#include "chart/line_series.h"
#include "framework/qt_canvas.h"

namespace {

constexpr int kWidth = 593;
constexpr int kHeight = 145;
constexpr int kPoints = 300'000;

class BenchChart : public corvane::TCustomChart {
 public:
  BenchChart() : TCustomChart(&corvane::TQtCanvas::OnBitmap) {
    SetView3D(false);
    Legend().SetVisible(false);
    path = &CreateSeries<corvane::TLineSeries>();
    path->SetSeriesColor(corvane::clBlue);
    for (int i = 0; i < kPoints; ++i)
      path->AddPoint(i * 0.01, 3 + 2 * std::sin(i * 0.37), {}, corvane::clBlue);
    UpdateCachedImage(kWidth, kHeight);
  }
  corvane::TLineSeries* path = nullptr;
};

BenchChart& Chart() {
  static BenchChart chart;
  return chart;
}

void BM_PointUnder(benchmark::State& state) {
  BenchChart& chart = Chart();
  for (auto _ : state) benchmark::DoNotOptimize(chart.path->PointUnder(300, kHeight - 1));
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_PointUnder)->Unit(benchmark::kMillisecond);

void BM_ReadoutHits(benchmark::State& state) {
  BenchChart& chart = Chart();
  for (auto _ : state) benchmark::DoNotOptimize(corvane::ReadoutHits(chart, 300, kHeight - 1).size());
  state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_ReadoutHits)->Unit(benchmark::kMillisecond);

}  // namespace
