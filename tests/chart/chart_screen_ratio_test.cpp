// The chart control at the screen's own device pixel ratio. These tests run at ratio 1 with the
// rest and again on scaled desktops (QT_SCALE_FACTOR 1.5 and 2, see CMakeLists.txt): the cached
// image is made at the screen's ratio and shown pixel for pixel, the zoom band is XOR-drawn on
// whole device pixels over its copy, and a change of ratio redraws the image once.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <cmath>

#include "framework/device_grid.h"
#include "framework/system_colors.h"
#include "zoom_support.h"

namespace corvane {
namespace {

using testing::kProgramChartHeight;
using testing::kProgramChartWidth;
using testing::Settle;
using testing::TProgramChart;

class ChartAtScreenRatioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    Settle();
  }
  void TearDown() override { chart.hide(); }

  QImage Screen() { return chart.grab().toImage().convertToFormat(QImage::Format_RGB32); }
  QImage Image() const { return chart.CachedImage().Image().convertToFormat(QImage::Format_RGB32); }

  TProgramChart chart;
};

// Guards the scaled runs themselves: a scale that never reached Qt would test ratio 1 three times.
TEST_F(ChartAtScreenRatioTest, TheScreenHasTheScaleTheRunAskedFor) {
  const QByteArray scale = qgetenv("QT_SCALE_FACTOR");
  const double expected = scale.isEmpty() ? 1.0 : scale.toDouble();
  EXPECT_DOUBLE_EQ(chart.devicePixelRatioF(), expected);
}

TEST_F(ChartAtScreenRatioTest, TheImageIsMadeAtTheScreensRatioAndShownPixelForPixel) {
  const qreal r = chart.devicePixelRatioF();
  EXPECT_DOUBLE_EQ(chart.CachedImage().DevicePixelRatio(), r);
  EXPECT_EQ(chart.CachedImage().Width(), kProgramChartWidth);
  EXPECT_EQ(Image().width(), int(std::ceil(kProgramChartWidth * r)));
  EXPECT_EQ(Screen(), Image());
  // An unchanged chart only copies its image again.
  const int redraws = chart.redraws;
  chart.repaint();
  EXPECT_EQ(chart.redraws, redraws);
  EXPECT_EQ(Screen(), Image());
}

// Every device pixel of the band's outline is NOT(pen XOR image), every other one the image's;
// the outline is one device pen thick on all four sides, and the release takes it away.
TEST_F(ChartAtScreenRatioTest, TheZoomBandIsXorDrawnOnWholeDevicePixelsAndLeavesNoTrace) {
  const TDeviceGrid grid(chart.devicePixelRatioF());
  QTest::mousePress(&chart, Qt::LeftButton, {}, {100, 40});
  QTest::mouseMove(&chart, {300, 120});
  Settle();
  const int width = grid.PenWidth(1);
  const TRect outer{grid.Across(100, 1).First, grid.Across(40, 1).First, grid.Across(299, 1).End,
                    grid.Across(119, 1).End};
  const TRect inner{outer.Left + width, outer.Top + width, outer.Right - width, outer.Bottom - width};
  const QImage screen = Screen();
  const QImage image = Image();
  const QRgb pen = ResolveColor(chart.Color()).rgb();
  int mismatches = 0;
  int band = 0;
  for (int y = 0; y < screen.height(); ++y)
    for (int x = 0; x < screen.width(); ++x) {
      const bool on_band = outer.Contains({x, y}) && !inner.Contains({x, y});
      const QRgb under = image.pixel(x, y);
      const QRgb expected = on_band ? (~(pen ^ under) & 0xFFFFFF) | 0xFF000000 : under;
      mismatches += screen.pixel(x, y) != expected;
      band += on_band;
    }
  EXPECT_EQ(mismatches, 0);
  EXPECT_GT(band, 2 * width * (outer.Width() + outer.Height()) - 8 * width * width);
  QTest::mouseRelease(&chart, Qt::LeftButton, {}, {300, 120});
  Settle();
  EXPECT_EQ(Screen(), Image());
}

// What moving the window to a screen of another ratio does: the next paint asks for the image at
// that ratio and it is redrawn once, at the same logical size; back on the first screen, again.
TEST_F(ChartAtScreenRatioTest, AnotherRatioRedrawsTheImageOnce) {
  const qreal r = chart.devicePixelRatioF();
  const qreal other = r == 2 ? 1.5 : 2;
  const int redraws = chart.redraws;
  chart.UpdateCachedImage(kProgramChartWidth, kProgramChartHeight, other);
  chart.UpdateCachedImage(kProgramChartWidth, kProgramChartHeight, other);
  EXPECT_EQ(chart.redraws, redraws + 1);
  EXPECT_EQ(chart.CachedImage().Image().width(), int(std::ceil(kProgramChartWidth * other)));
  chart.repaint();
  EXPECT_EQ(chart.redraws, redraws + 2);
  EXPECT_DOUBLE_EQ(chart.CachedImage().DevicePixelRatio(), r);
  EXPECT_EQ(Screen(), Image());
}

}  // namespace
}  // namespace corvane
