// Where logical pixels land on devices of other pixel ratios: worked numbers at 1.5, the whole
// ratios giving k x k blocks, and the no-overlap rule between a line and its neighbours checked
// over every ratio the desktop offers.
#include "framework/device_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>

namespace corvane {
namespace {

constexpr double kRatios[] = {0.75, 1.25, 1.5, 1.75, 2.0, 2.25, 2.5, 3.0};

TEST(DeviceGridTest, EdgesTileAtOneAndAHalf) {
  const TDeviceGrid grid(1.5);
  EXPECT_EQ(grid.Edge(0), 0);
  EXPECT_EQ(grid.Edge(1), 2);  // 1.5 rounds up
  EXPECT_EQ(grid.Edge(2), 3);
  EXPECT_EQ(grid.Edge(3), 5);
  EXPECT_EQ(grid.Edge(-1), -1);
  EXPECT_EQ(grid.Box({2, 2, 10, 10}), (TRect{3, 3, 15, 15}));
  // Boxes sharing an edge share it on the device: no gap, no overlap.
  EXPECT_EQ(grid.Box({0, 0, 3, 1}).Right, grid.Box({3, 0, 7, 1}).Left);
}

TEST(DeviceGridTest, PensAreTheirWidthTimesTheRatioRoundedAndAtLeastOnePixel) {
  const int expected[][3] = {
      // widths 1, 2, 3
      {1, 2, 2},  // 0.75
      {1, 3, 4},  // 1.25: 2.5 -> 3, 3.75 -> 4
      {2, 3, 5},  // 1.5: 1.5 -> 2, 4.5 -> 5
      {2, 4, 5},  // 1.75
      {2, 4, 6},  // 2
      {2, 5, 7},  // 2.25
      {3, 5, 8},  // 2.5
      {3, 6, 9},  // 3
  };
  for (std::size_t i = 0; i < std::size(kRatios); ++i) {
    const TDeviceGrid grid(kRatios[i]);
    for (int w = 1; w <= 3; ++w) EXPECT_EQ(grid.PenWidth(w), expected[i][w - 1]) << kRatios[i] << " w " << w;
    EXPECT_EQ(grid.PenWidth(0), grid.PenWidth(1));  // width 0 is the thinnest pen
  }
}

TEST(DeviceGridTest, LinesAtOneAndAHalfSitOnWholeDevicePixels) {
  const TDeviceGrid grid(1.5);
  // Pixel 2 is device 3..4.5: the 2-pixel band 3..4. Pixel 3 is 4.5..6: the band 4..5.
  EXPECT_EQ(grid.Across(2, 1), (TDeviceBand{3, 5}));
  EXPECT_EQ(grid.Across(3, 1), (TDeviceBand{4, 6}));
  // Width 2 on pixel 4 covers logical 3..4, device 4.5..7.5: three whole pixels, the half down.
  EXPECT_EQ(grid.Across(4, 2), (TDeviceBand{5, 8}));
  EXPECT_DOUBLE_EQ(grid.Centre(2, 1), 4.0);
  EXPECT_DOUBLE_EQ(grid.Centre(4, 2), 6.5);
  // A line over pixels 2..9 starts after a line on pixel 1 and stops before one on pixel 10.
  EXPECT_EQ(grid.Along(2, 9), (TDeviceBand{3, 15}));
  EXPECT_EQ(grid.Clip({2, 2, 10, 10}), (TRect{3, 3, 15, 15}));
}

TEST(DeviceGridTest, WholeRatiosGiveEveryLogicalPixelItsBlock) {
  for (const int k : {2, 3}) {
    const TDeviceGrid grid(k);
    for (int p = -3; p < 20; ++p) {
      EXPECT_EQ(grid.Edge(p), k * p);
      EXPECT_EQ(grid.Across(p, 1), (TDeviceBand{k * p, k * p + k}));
      EXPECT_EQ(grid.Across(p, 2), (TDeviceBand{k * (p - 1), k * (p + 1)}));  // the odd pixel up
      EXPECT_EQ(grid.Along(p, p + 4), (TDeviceBand{k * p, k * (p + 5)}));
    }
  }
}

// The properties the pictures rely on, at every ratio: a band is always the pen's width; it lies
// within one device pixel of where the ratio puts the logical pixel; a line never overlaps a
// 1-pixel line across it on the pixel before its first or after its last; and a line over two
// or more pixels is never shorter than one device pixel per logical one, less one.
TEST(DeviceGridTest, BandsKeepTheirWidthTheirPlaceAndClearOfTheirNeighbours) {
  for (const double r : kRatios) {
    const TDeviceGrid grid(r);
    for (int p = -40; p < 400; ++p) {
      for (int w = 1; w <= 3; ++w) {
        const TDeviceBand band = grid.Across(p, w);
        EXPECT_EQ(band.End - band.First, grid.PenWidth(w));
        const double ideal_first = (p - w / 2) * r;
        EXPECT_LE(std::abs(band.First - ideal_first), 1.0) << r << " " << p << " " << w;
      }
      for (const int length : {1, 2, 7}) {
        const TDeviceBand along = grid.Along(p, p + length - 1);
        EXPECT_GE(along.First, grid.Across(p - 1, 1).End) << r << " " << p;
        EXPECT_GE(along.End - along.First, 1);
        if (length > 1) {
          EXPECT_LE(along.End, grid.Across(p + length, 1).First) << r << " " << p;
          EXPECT_GE(along.End - along.First, int(length * r) - 1) << r << " " << p;
        }
      }
    }
  }
}

}  // namespace
}  // namespace corvane
