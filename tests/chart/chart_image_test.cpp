// Whole charts painted into their cached image on the offscreen platform, checked by properties
// of the picture: colours where the layout puts things, never stored golden images.
#include <gtest/gtest.h>

#include <QImage>

#include "chart_support.h"
#include "framework/system_colors.h"

namespace corvane {
namespace {

using testing::TTestPaintChart;

QRgb Rgb(TColor color) {
  return ResolveColor(color).rgb();
}

// The colour at a logical pixel of an image painted at any device pixel ratio (its top-left
// device pixel).
QRgb At(const QImage& image, int x, int y) {
  const qreal r = image.devicePixelRatio();
  return image.pixel(int(x * r), int(y * r));
}

class ChartImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    series = testing::ConfigureLikeReactionChart(chart);
    for (int i = 1; i <= 20; ++i) series.Line->AddPoint(i, 20 + (i * 7) % 13);
    series.Red->AddPoint(0, 25);
    series.Red->AddPoint(21, 25);
  }
  const QImage& Paint(double ratio = 1.0) { return chart.UpdateCachedImage(593, 153, ratio).Image(); }

  TTestPaintChart chart;
  testing::TProgramLikeSeries series;
};

TEST_F(ChartImageTest, PanelBackgroundFrameAndPlotInterior) {
  chart.SetAxisVisible(false);  // the axis lines would cover the frame's bottom and left edges
  const QImage& image = Paint();
  const TRect p = chart.PlotRect();
  EXPECT_EQ(At(image, 5, 100), Rgb(clBtnFace));
  EXPECT_EQ(At(image, 0, 100), Rgb(clBtnHighlight));  // raised outer bevel
  EXPECT_EQ(At(image, 592, 100), Rgb(clBtnShadow));
  // The frame: left column and top row at the plot edges, the right column at Right itself.
  EXPECT_EQ(At(image, p.Left, p.Top + 3), Rgb(clBlack));
  EXPECT_EQ(At(image, p.Left + 5, p.Top), Rgb(clBlack));
  EXPECT_EQ(At(image, p.Right, p.Top + 3), Rgb(clBlack));
  EXPECT_EQ(At(image, p.Left + 5, p.Bottom - 1), Rgb(clBlack));
  EXPECT_EQ(At(image, p.Left + 5, p.Bottom), Rgb(clBtnFace));
  // No BackColor: the plot shows the panel colour.
  EXPECT_EQ(At(image, p.Left + 2, p.Top + 2), Rgb(clBtnFace));
}

TEST_F(ChartImageTest, TheRedLineLiesOnTheRowOfItsValue) {
  const QImage& image = Paint();
  const int row = chart.LeftAxis().ValueToPixel(25);
  const int x = chart.BottomAxis().ValueToPixel(0.5);
  EXPECT_EQ(At(image, x, row), Rgb(clRed));
  EXPECT_NE(At(image, x, row - 1), Rgb(clRed));
  EXPECT_NE(At(image, x, row + 1), Rgb(clRed));
}

TEST_F(ChartImageTest, CirclesAreFilledLightYellowAndOutlinedBlack) {
  const QImage& image = Paint();
  const int x = chart.BottomAxis().ValueToPixel(series.Line->XValueAt(4));
  const int y = chart.LeftAxis().ValueToPixel(series.Line->YValueAt(4));
  EXPECT_EQ(At(image, x, y), Rgb(clLightYellow));
  EXPECT_EQ(At(image, x - 3, y), Rgb(clBlack));
  // The blue line reaches the marker: some blue pixel lies just outside its box.
  bool blue = false;
  for (int dx = -5; dx <= 5; ++dx)
    for (int dy = -6; dy <= 6; ++dy) blue = blue || At(image, x + dx, y + dy) == Rgb(clBlue);
  EXPECT_TRUE(blue);
}

TEST_F(ChartImageTest, DownTrianglesAreFilledInThePointColour) {
  TLineSeries& marker = chart.CreateSeries<TLineSeries>();
  marker.SetSeriesColor(clYellow);
  marker.Pointer().SetVisible(true);
  marker.Pointer().SetStyle(psDownTriangle);
  marker.Pointer().SetDraw3D(false);
  marker.AddPoint(10, 22);
  const QImage& image = Paint();
  const int x = chart.BottomAxis().ValueToPixel(10);
  const int y = chart.LeftAxis().ValueToPixel(22);
  EXPECT_EQ(At(image, x, y - 2), Rgb(clYellow));
  EXPECT_EQ(At(image, x, y - 4), Rgb(clBlack));  // the top edge
}

// A line through the plot's top-left corner starts one pixel inside both frame lines.
TEST_F(ChartImageTest, ALineThroughTheEdgeIsCutOnePixelInsideTheLeftAndTopFrameLines) {
  chart.SetAxisVisible(false);
  series.Line->SetActive(false);
  series.Red->ClearPoints();
  chart.LeftAxis().AssignRange(0, 10);
  chart.BottomAxis().AssignRange(0, 10);
  series.Red->AddPoint(-5, 15);
  series.Red->AddPoint(15, -5);
  const QImage& image = Paint();
  const TRect p = chart.PlotRect();
  int first_red_x = -1;
  int first_red_y = -1;
  for (int y = 0; y < 153 && first_red_y < 0; ++y)
    for (int x = 0; x < 593; ++x)
      if (At(image, x, y) == Rgb(clRed)) {
        first_red_x = x;
        first_red_y = y;
        break;
      }
  EXPECT_EQ(first_red_y, p.Top + 1);
  bool red_in_left_column = false;
  for (int y = 0; y < 153; ++y) red_in_left_column = red_in_left_column || At(image, p.Left, y) == Rgb(clRed);
  EXPECT_FALSE(red_in_left_column);
  EXPECT_GT(first_red_x, p.Left);
  EXPECT_EQ(At(image, p.Left, p.Top + 5), Rgb(clBlack));
}

TEST_F(ChartImageTest, ADoubleRatioPaintKeepsTheLogicalGeometry) {
  const QImage one = Paint(1.0).copy();
  const TRect plot_one = chart.PlotRect();
  const QImage& two = Paint(2.0);
  EXPECT_EQ(chart.PlotRect(), plot_one);
  EXPECT_EQ(two.width(), 2 * 593);
  EXPECT_DOUBLE_EQ(two.devicePixelRatio(), 2.0);
  // Shapes cover 2 x 2 device pixels per logical one. Diagonals and circles are smooth at the
  // finer grid, so they blend with their surroundings; but wherever the ratio-1 image is one
  // colour over a logical pixel and its eight neighbours, all four device pixels have it too.
  const auto uniform = [&](int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (one.pixel(x + dx, y + dy) != one.pixel(x, y))
          return false;
    return true;
  };
  int differing = 0;
  int compared = 0;
  for (int y = plot_one.Top; y < plot_one.Bottom; ++y)
    for (int x = plot_one.Left; x <= plot_one.Right; ++x) {
      if (!uniform(x, y))
        continue;
      ++compared;
      for (int d = 0; d < 4; ++d)
        differing += two.pixel(2 * x + d % 2, 2 * y + d / 2) != one.pixel(x, y) ? 1 : 0;
    }
  EXPECT_GT(compared, plot_one.Width() * plot_one.Height() / 2);
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(At(two, plot_one.Left, plot_one.Top + 3), Rgb(clBlack));
}

TEST_F(ChartImageTest, MonochromeLeavesOnlyBlackAndWhite) {
  chart.SetMonochrome(true);
  const QImage& image = Paint();
  for (int y = 0; y < 153; y += 7)
    for (int x = 0; x < 593; x += 5) {
      const QRgb c = image.pixel(x, y);
      EXPECT_TRUE(c == qRgb(0, 0, 0) || c == qRgb(255, 255, 255)) << x << "," << y;
    }
}

}  // namespace
}  // namespace corvane
