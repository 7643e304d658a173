// The line rasteriser on its own: run boundaries, dash splitting, and coordinates at the far
// ends of the chart's pixel range without overflow.
#include "framework/line_raster.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace corvane {
namespace {

std::vector<TLineRun> Runs(TPoint from, TPoint to, std::vector<int> pattern = {}) {
  std::vector<TLineRun> runs;
  ForEachLineRun(from, to, pattern, [&](const TLineRun& run) { runs.push_back(run); });
  return runs;
}

TEST(LineRasterTest, SteepLinesRunAlongColumns) {
  EXPECT_EQ(Runs({0, 0}, {2, 6}),
            (std::vector<TLineRun>{{0, 0, 2, false, true}, {1, 2, 3, false, true}, {2, 5, 1, false, true}}));
  // Walking up: each run is reported from its top end.
  EXPECT_EQ(Runs({0, 6}, {0, 2}), (std::vector<TLineRun>{{0, 3, 4, false, true}}));
  EXPECT_TRUE(Runs({4, 4}, {4, 4}).empty());
}

TEST(LineRasterTest, DashesSplitRunsAndKeepCountingAcrossThem) {
  EXPECT_EQ(
      Runs({0, 0}, {7, 1}, {3, 2}),
      (std::vector<TLineRun>{
          {0, 0, 3, true, true}, {3, 0, 1, true, false}, {4, 1, 1, true, false}, {5, 1, 2, true, true}}));
}

TEST(LineRasterTest, FarCoordinatesDoNotOverflow) {
  long long total = 0;
  TLineRun last;
  ForEachLineRun({-32766, -32766}, {32766, 32000}, {}, [&](const TLineRun& run) {
    total += run.Length;
    last = run;
  });
  EXPECT_EQ(total, 65532);
  EXPECT_EQ(last.X + last.Length, 32766);
  EXPECT_EQ(last.Y, 31999) << "the pixel before the end, one row short of it";
}

TEST(LineRasterTest, VisibleWindowKeepsThePixelsAndDashPhaseOfTheWholeLine) {
  const std::vector<int> dots{3, 2};
  std::vector<TLineRun> whole;
  ForEachLineRun({-5, 0}, {40, 13}, dots, [&](const TLineRun& run) {
    if (run.X + run.Length > 10 && run.X < 20)
      whole.push_back(run);
  });
  std::vector<TLineRun> windowed;
  ForEachLineRun({-5, 0}, {40, 13}, dots, TRect{10, -100, 20, 100},
                 [&](const TLineRun& run) { windowed.push_back(run); });
  ASSERT_FALSE(windowed.empty());
  // Runs cut by the window edges differ only in where they start and end.
  EXPECT_EQ(windowed.front().X, 10);
  EXPECT_EQ(windowed.back().X + windowed.back().Length, 20);
  for (std::size_t i = 1; i + 1 < windowed.size(); ++i) EXPECT_EQ(windowed[i], whole[i]);
  EXPECT_EQ(windowed.size(), whole.size());
}

TEST(LineRasterTest, LinesAcrossTheWholeIntRangeCostOnlyTheirVisiblePart) {
  int pixels = 0;
  ForEachLineRun({INT_MIN, INT_MIN}, {INT_MAX, INT_MAX - 7}, {}, TRect{0, 0, 600, 150},
                 [&](const TLineRun& run) { pixels += run.Length; });
  EXPECT_EQ(pixels, 600);
}

}  // namespace
}  // namespace corvane
