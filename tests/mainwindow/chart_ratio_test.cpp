// The program's two charts after a few reactions, painted at device pixel ratios 1, 1.5 and 2:
// ratio 1 is the exact raster, the others draw the same picture at the device's resolution.
#include <gtest/gtest.h>

#include <QImage>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/line_series.h"
#include "form_support.h"
#include "framework/device_grid.h"
#include "framework/system_colors.h"
#include "mainwindow/main_form.h"

namespace corvane {
namespace {

QImage Paint(TChart& chart, double ratio) {
  return chart.UpdateCachedImage(chart.width(), chart.height(), ratio).Image().copy();
}

// The logical pixel (x, y) of a device image: the device pixels under it averaged, each weighted
// by how much of it the logical pixel covers.
QRgb Downscaled(const QImage& image, double r, int x, int y) {
  double sum[3] = {0, 0, 0};
  double total = 0;
  for (int dy = int(std::floor(y * r)); dy < int(std::ceil((y + 1) * r)); ++dy)
    for (int dx = int(std::floor(x * r)); dx < int(std::ceil((x + 1) * r)); ++dx) {
      const double wx = std::min<double>(dx + 1, (x + 1) * r) - std::max<double>(dx, x * r);
      const double wy = std::min<double>(dy + 1, (y + 1) * r) - std::max<double>(dy, y * r);
      const QRgb c = image.pixel(std::min(dx, image.width() - 1), std::min(dy, image.height() - 1));
      sum[0] += wx * wy * qRed(c);
      sum[1] += wx * wy * qGreen(c);
      sum[2] += wx * wy * qBlue(c);
      total += wx * wy;
    }
  return qRgb(int(std::lround(sum[0] / total)), int(std::lround(sum[1] / total)),
              int(std::lround(sum[2] / total)));
}

class ChartRatioTest : public ::testing::Test {
 protected:
  void SetUp() override { form = MakeForm(4); }

  static std::unique_ptr<TForm1> MakeForm(int presses) {
    static Notices notices;
    auto made = std::make_unique<TForm1>(&notices, SeededSource(7));
    made->FormCreate();
    for (int i = 0; i < presses; ++i) made->ButtonBegin->click();
    return made;
  }
  std::vector<TChart*> Charts() const { return {form->Chart2, form->Chart1}; }

  std::unique_ptr<TForm1> form;
};

// At ratio 1 nothing is blended: outside the text every pixel has one of the charts' colours.
TEST_F(ChartRatioTest, RatioOneIsTheExactRaster) {
  const std::vector<QRgb> palette = {ResolveColor(clBtnFace).rgb(),
                                     ResolveColor(clBtnHighlight).rgb(),
                                     ResolveColor(clBtnShadow).rgb(),
                                     qRgb(0, 0, 0),
                                     qRgb(128, 128, 128),
                                     qRgb(0, 0, 255),
                                     qRgb(255, 0, 0),
                                     qRgb(255, 255, 0),
                                     qRgb(255, 255, 128)};
  for (TChart* chart : Charts()) {
    const QImage image = Paint(*chart, 1.0);
    const TRect p = chart->PlotRect();
    EXPECT_EQ(image.width(), chart->width());
    for (int y = p.Top; y < p.Bottom; ++y)
      for (int x = p.Left; x <= p.Right; ++x)
        ASSERT_NE(std::find(palette.begin(), palette.end(), image.pixel(x, y)), palette.end())
            << x << "," << y;
  }
}

// Text in the panel's colour: the toolkit rasterises glyphs, and at a finer size their stems
// fall differently; the comparison below is about what the surface itself draws.
void HideText(TChart& chart) {
  chart.Title().Font().SetColor(chart.Color());
  for (TChartAxis* axis : {&chart.LeftAxis(), &chart.BottomAxis()}) {
    axis->LabelsFont().SetColor(chart.Color());
    axis->Title().Font().SetColor(chart.Color());
  }
}

// How far a channel of `c` lies outside the range of that channel over the 3 x 3 pixels around
// (x, y) of `one`.
int Excess(QRgb c, const QImage& one, int x, int y) {
  int excess = 0;
  for (const int shift : {16, 8, 0}) {
    const auto value = [shift](QRgb rgb) { return int(rgb >> shift) & 0xFF; };
    int low = 255;
    int high = 0;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        low = std::min(low, value(one.pixel(x + dx, y + dy)));
        high = std::max(high, value(one.pixel(x + dx, y + dy)));
      }
    excess = std::max(excess, std::max(low - value(c), value(c) - high));
  }
  return excess;
}

// Scaled back down to logical pixels, a device-resolution image may differ from the ratio-1 one
// only as antialiasing does: by blending colours that meet within one logical pixel. So every
// downscaled pixel must lie, channel by channel, within the range of the ratio-1 pixel and its
// eight neighbours, give or take a tolerance. An element that is missing, extra, of another
// colour or misplaced by more than a logical pixel leaves that range by far more: a black line
// on the panel is 239 levels from it. The tolerance of 40 levels (a sixth of the range) is what
// the finer raster legitimately moves: a slimmer smooth line may uncover part of a grid dot that
// the ratio-1 line hid, and a line snapped to whole device pixels may cover a logical pixel
// fully that it covered partly.
TEST_F(ChartRatioTest, DownscaledImagesDifferFromRatioOneOnlyByAntialiasing) {
  constexpr int kTolerance = 40;
  for (TChart* chart : Charts()) {
    HideText(*chart);
    const QImage one = Paint(*chart, 1.0);
    for (const double r : {1.5, 2.0}) {
      const QImage fine = Paint(*chart, r);
      int worst = 0;
      TPoint where;
      for (int y = 1; y + 1 < one.height(); ++y)
        for (int x = 1; x + 1 < one.width(); ++x) {
          const int excess = Excess(Downscaled(fine, r, x, y), one, x, y);
          if (excess > worst) {
            worst = excess;
            where = {x, y};
          }
        }
      EXPECT_LE(worst, kTolerance) << "ratio " << r << " at " << where.X << "," << where.Y;
    }
  }
}

bool IsGrey(QRgb c) {
  return c == qRgb(128, 128, 128);
}

// The frame's top and right lines and every horizontal grid line are one pen thick wherever
// nothing else is drawn over them.
TEST_F(ChartRatioTest, FrameAndHorizontalGridLinesKeepOneThickness) {
  for (TChart* chart : Charts()) {
    for (const double r : {1.5, 2.0}) {
      const QImage image = Paint(*chart, r);
      const TDeviceGrid grid(r);
      const int width = grid.PenWidth(1);
      const TRect p = chart->PlotRect();
      const TDeviceBand top = grid.Across(p.Top, 1);
      const TDeviceBand right = grid.Across(p.Right, 1);
      const QRgb black = qRgb(0, 0, 0);
      for (int x = grid.Edge(p.Left + 2); x < grid.Edge(p.Right - 1); ++x) {
        ASSERT_EQ(image.pixel(x, top.First), black) << r << " x " << x;
        ASSERT_EQ(image.pixel(x, top.End - 1), black);
        ASSERT_NE(image.pixel(x, top.First - 1), black);
        ASSERT_NE(image.pixel(x, top.End), black);
      }
      // Columns of vertical grid lines hold grey in many rows; a horizontal line crosses them.
      std::vector<bool> crossing(std::size_t(image.width()), false);
      for (int x = 0; x < image.width(); ++x) {
        int grey = 0;
        for (int y = top.End; y < grid.Edge(p.Bottom - 1); ++y) grey += IsGrey(image.pixel(x, y));
        crossing[std::size_t(x)] = grey > (grid.Edge(p.Bottom - 1) - top.End) / 4;
      }
      for (int y = grid.Edge(p.Top + 2); y < grid.Edge(p.Bottom - 2); ++y) {
        ASSERT_EQ(image.pixel(right.First, y), black) << r << " y " << y;
        ASSERT_EQ(image.pixel(right.End - 1, y), black);
        ASSERT_NE(image.pixel(right.End, y), black);
      }
      // Rows that are a quarter grey dots are the horizontal grid lines (a dotted line is half
      // grey); the vertical ones add only a dot each to a row.
      const TDeviceBand inside = grid.Along(p.Left + 1, p.Right - 1);
      std::vector<int> rows;
      for (int y = top.End; y < grid.Edge(p.Bottom - 1); ++y) {
        int grey = 0;
        for (int x = inside.First; x < inside.End; ++x) grey += IsGrey(image.pixel(x, y));
        if (grey > (inside.End - inside.First) / 4)
          rows.push_back(y);
      }
      ASSERT_FALSE(rows.empty());
      ASSERT_EQ(rows.size() % std::size_t(width), 0u) << r;
      for (std::size_t i = 0; i < rows.size(); i += std::size_t(width)) {
        EXPECT_EQ(rows[i + std::size_t(width) - 1], rows[i] + width - 1) << r << " grid row " << rows[i];
        for (int x = inside.First; x < inside.End; ++x) {
          const QRgb first = image.pixel(x, rows[i]);
          const QRgb last = image.pixel(x, rows[i] + width - 1);
          if (crossing[std::size_t(x)])
            continue;
          EXPECT_FALSE(IsGrey(image.pixel(x, rows[i] - 1)) || IsGrey(image.pixel(x, rows[i] + width)))
              << r << " grid row " << rows[i] << " x " << x;
          if ((IsGrey(first) || first == ResolveColor(clBtnFace).rgb()) &&
              (IsGrey(last) || last == ResolveColor(clBtnFace).rgb())) {
            ASSERT_EQ(IsGrey(first), IsGrey(last)) << r << " grid row " << rows[i] << " x " << x;
          }
        }
      }
    }
  }
}

// The inhibition path falls and rises in slanted segments, drawn smooth: some pixels near the
// middle of a long segment are blends of its blue and what lies behind.
TEST_F(ChartRatioTest, ASlantedSegmentHasBlendedPixels) {
  TChart& chart = *form->Chart1;
  const TLineSeries& path = *form->Series1;
  for (const double r : {1.5, 2.0}) {
    const QImage image = Paint(chart, r);
    int segments = 0;
    for (int i = 1; i < path.PointCount(); ++i) {
      const int x0 = chart.BottomAxis().ValueToPixel(path.XValueAt(i - 1));
      const int y0 = chart.LeftAxis().ValueToPixel(path.YValueAt(i - 1));
      const int x1 = chart.BottomAxis().ValueToPixel(path.XValueAt(i));
      const int y1 = chart.LeftAxis().ValueToPixel(path.YValueAt(i));
      if (std::abs(x1 - x0) < 6 || std::abs(y1 - y0) < 6)
        continue;
      ++segments;
      const int cx = int(((x0 + x1) / 2.0 + 0.5) * r);
      const int cy = int(((y0 + y1) / 2.0 + 0.5) * r);
      int blended = 0;
      for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx) {
          const QRgb c = image.pixel(cx + dx, cy + dy);
          blended += qBlue(c) > qRed(c) && qRed(c) > 0 && qRed(c) < 200;
        }
      EXPECT_GT(blended, 0) << "ratio " << r << " segment " << i;
    }
    EXPECT_GT(segments, 0);
  }
}

// After one reaction the reaction-time chart holds one circle and no line through it. Inside its
// outer edge (which blends with the grid dots behind it) it matches its mirror images.
TEST_F(ChartRatioTest, ACircleMarkerIsSymmetricAboutItsCentre) {
  const auto single = MakeForm(1);
  TChart& chart = *single->Chart2;
  ASSERT_EQ(single->Series2->PointCount(), 1);
  for (const double r : {1.5, 2.0}) {
    const QImage image = Paint(chart, r);
    const int x = chart.BottomAxis().ValueToPixel(single->Series2->XValueAt(0));
    const int y = chart.LeftAxis().ValueToPixel(single->Series2->YValueAt(0));
    const TRect box = TDeviceGrid(r).Box({x - 3, y - 3, x + 3, y + 3});
    const double cx = (box.Left + box.Right) / 2.0;
    const double cy = (box.Top + box.Bottom) / 2.0;
    const double radius = box.Width() / 2.0;
    int dark = 0;
    for (int py = box.Top; py < box.Bottom; ++py)
      for (int px = box.Left; px < box.Right; ++px) {
        if (std::hypot(px + 0.5 - cx, py + 0.5 - cy) > radius - 1)
          continue;
        const QRgb c = image.pixel(px, py);
        dark += qRed(c) < 64;
        for (const QRgb m :
             {image.pixel(box.Left + box.Right - 1 - px, py), image.pixel(px, box.Top + box.Bottom - 1 - py)})
          ASSERT_LE(std::abs(qRed(c) - qRed(m)) + std::abs(qBlue(c) - qBlue(m)), 16)
              << "ratio " << r << " at " << px << "," << py;
      }
    EXPECT_GT(dark, 12) << "the black outline lies within";
    EXPECT_EQ(image.pixel(int(cx), int(cy)), ResolveColor(clLightYellow).rgb());
  }
}

}  // namespace
}  // namespace corvane
