// The drawing surface at device pixel ratios other than 1: straight lines and frames crisp and
// equally thick, dotted lines evenly spaced, diagonals and circles smooth, round and in place,
// the XOR band reversible, and gathered diagonals drawn in their turn.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <vector>

#include "canvas_support.h"
#include "framework/device_grid.h"
#include "framework/qt_canvas.h"

namespace corvane {
namespace {

using testing::BlankImage;
using testing::InkBounds;
using testing::IsPainted;

constexpr qreal kRatios[] = {1.25, 1.5, 1.75, 2.0, 3.0};

template <class Paint>
QImage PaintAt(qreal ratio, Paint paint, int width = 60, int height = 40) {
  QImage image = BlankImage(width, height, ratio);
  TQtCanvas canvas(image);
  paint(canvas);
  return image;
}

// Painted pixels of one device column (or row) within [from, to).
int InkAcross(const QImage& image, bool column, int at, int from, int to) {
  int count = 0;
  for (int i = from; i < to; ++i) count += column ? IsPainted(image, at, i) : IsPainted(image, i, at);
  return count;
}

bool IsBlend(QRgb c) {
  return c != qRgb(255, 255, 255) && c != qRgb(0, 0, 0) && c != qRgb(0, 0, 255);
}

TEST(QtCanvasDeviceTest, StraightLinesAreOneWholeThicknessAlongTheirLength) {
  for (const qreal r : kRatios) {
    const TDeviceGrid grid(r);
    for (int w = 1; w <= 3; ++w) {
      const QImage image = PaintAt(r, [w](TCanvas& c) {
        c.Pen.Width = w;
        c.MoveTo(3, 10);
        c.LineTo(50, 10);
        c.MoveTo(55, 3);
        c.LineTo(55, 35);
      });
      const TDeviceBand row = grid.Across(10, w);
      const TDeviceBand column = grid.Across(55, w);
      for (int x = grid.Edge(4); x < grid.Edge(49); ++x) {
        ASSERT_EQ(InkAcross(image, true, x, 0, grid.Edge(20)), grid.PenWidth(w))
            << r << " w " << w << " x " << x;
        ASSERT_EQ(image.pixel(x, row.First), qRgb(0, 0, 0)) << "no blending";
        ASSERT_EQ(image.pixel(x, row.End - 1), qRgb(0, 0, 0));
      }
      for (int y = grid.Edge(4); y < grid.Edge(34); ++y) {
        ASSERT_EQ(InkAcross(image, false, y, grid.Edge(52), image.width()), grid.PenWidth(w))
            << r << " y " << y;
        ASSERT_EQ(image.pixel(column.First, y), qRgb(0, 0, 0));
      }
    }
  }
}

TEST(QtCanvasDeviceTest, AFrameIsAsThickAsItsPenOnAllFourSides) {
  for (const qreal r : kRatios) {
    const TDeviceGrid grid(r);
    const QImage image = PaintAt(r, [](TCanvas& c) {
      c.Brush.Style = bsClear;
      c.Rectangle(5, 4, 52, 33);
    });
    const TRect ink = InkBounds(image);
    const int w = grid.PenWidth(1);
    for (int x = ink.Left + w; x < ink.Right - w; ++x)
      ASSERT_EQ(InkAcross(image, true, x, 0, image.height()), 2 * w);
    for (int y = ink.Top + w; y < ink.Bottom - w; ++y)
      ASSERT_EQ(InkAcross(image, false, y, 0, image.width()), 2 * w);
    EXPECT_EQ(ink, (TRect{grid.Across(5, 1).First, grid.Across(4, 1).First, grid.Across(51, 1).End,
                          grid.Across(32, 1).End}));
  }
}

// A line drawn on in steps along one row, like a series of equal values, has no gap at its
// joints, though the bands of neighbouring pixels overlap at these ratios.
TEST(QtCanvasDeviceTest, AStraightLineDrawnOnInStepsHasNoGaps) {
  for (const qreal r : kRatios) {
    const TDeviceGrid grid(r);
    const QImage image = PaintAt(r, [](TCanvas& c) {
      c.MoveTo(2, 10);
      for (int x = 5; x <= 50; x += 3) c.LineTo(x, 10);
      c.MoveTo(55, 35);
      for (int y = 32; y >= 5; y -= 3) c.LineTo(55, y);
    });
    const TDeviceBand along = grid.Along(2, 49);
    for (int x = along.First; x < along.End; ++x)
      ASSERT_TRUE(IsPainted(image, x, grid.Across(10, 1).First)) << r;
    EXPECT_FALSE(IsPainted(image, along.End, grid.Across(10, 1).First));
    const TDeviceBand up = grid.Along(6, 35);
    for (int y = up.First; y < up.End; ++y) ASSERT_TRUE(IsPainted(image, grid.Across(55, 1).First, y)) << r;
  }
}

// Runs of painted and blank device pixels along one row.
std::vector<int> Runs(const QImage& image, int y, int from, int to) {
  std::vector<int> runs;
  bool painted = IsPainted(image, from, y);
  int length = 0;
  for (int x = from; x < to; ++x) {
    if (IsPainted(image, x, y) != painted) {
      runs.push_back(length);
      length = 0;
      painted = !painted;
    }
    ++length;
  }
  runs.push_back(length);
  return runs;
}

TEST(QtCanvasDeviceTest, DottedLinesHaveEvenlySpacedDots) {
  for (const qreal r : kRatios) {
    const TDeviceGrid grid(r);
    const QImage image = PaintAt(r, [](TCanvas& c) {
      c.Pen.Style = psDot;
      c.MoveTo(2, 5);
      c.LineTo(58, 5);
    });
    const TDeviceBand along = grid.Along(2, 57);
    const std::vector<int> runs = Runs(image, grid.Across(5, 1).First, along.First, along.End);
    ASSERT_GT(runs.size(), 20u) << r;
    const int dot = grid.PenWidth(1);
    for (std::size_t i = 0; i + 1 < runs.size(); ++i) EXPECT_EQ(runs[i], dot) << r << " run " << i;
  }
}

// Distance of the device pixel centre (x, y) from the line through a and b, in device pixels.
double Distance(double x, double y, QPointF a, QPointF b) {
  const QPointF d = b - a;
  return std::abs(d.x() * (y + 0.5 - a.y()) - d.y() * (x + 0.5 - a.x())) / std::hypot(d.x(), d.y());
}

TEST(QtCanvasDeviceTest, DiagonalsAreSmoothAndWhereTheRatioPutsThem) {
  for (const qreal r : kRatios) {
    const QImage image = PaintAt(r, [](TCanvas& c) {
      c.Pen.Color = clBlue;
      c.MoveTo(2, 2);
      c.LineTo(50, 30);
    });
    // The ideal line runs through the centres of the logical pixels at its ends.
    const QPointF a(2.5 * r, 2.5 * r);
    const QPointF b(50.5 * r, 30.5 * r);
    int blended = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        if (!IsPainted(image, x, y))
          continue;
        blended += IsBlend(image.pixel(x, y));
        ASSERT_LT(Distance(x, y, a, b), 0.5 * TDeviceGrid(r).PenWidth(1) + 1.5)
            << r << " at " << x << "," << y;
      }
    EXPECT_GT(blended, 40) << r;
    // The end pixel is left out: nothing reaches logical column 50.
    EXPECT_LE(InkBounds(image).Right, int(std::ceil(50 * r)) + 1) << r;
  }
}

// A diagonal one pixel long paints that pixel (its end left out), as the exact raster does.
TEST(QtCanvasDeviceTest, AOnePixelDiagonalPaintsItsPixel) {
  for (const qreal r : kRatios) {
    const QImage image = PaintAt(r, [](TCanvas& c) {
      c.MoveTo(5, 7);
      c.LineTo(6, 8);
    });
    const TDeviceGrid grid(r);
    const TDeviceBand x = grid.Across(5, 1);
    const TDeviceBand y = grid.Across(7, 1);
    EXPECT_EQ(InkBounds(image), (TRect{x.First, y.First, x.End, y.End})) << r;
  }
}

// A circle is as wide as high, and every pixel matches its mirror images across the centre lines
// and across the diagonal, within 8 of 255 levels for the rasteriser's rounding (a pixel out of
// place would differ by a hundred or more).
TEST(QtCanvasDeviceTest, CirclesAreRoundAndSymmetricAboutTheirCentre) {
  for (const qreal r : kRatios) {
    const QImage image = PaintAt(r, [](TCanvas& c) {
      c.Brush.Color = clLightYellow;
      c.Ellipse(10, 10, 17, 17);
    });
    const TRect ink = InkBounds(image);
    EXPECT_EQ(ink, TDeviceGrid(r).Box({10, 10, 17, 17})) << r;
    int blended = 0;
    for (int y = ink.Top; y < ink.Bottom; ++y)
      for (int x = ink.Left; x < ink.Right; ++x) {
        const QRgb c = image.pixel(x, y);
        const int mx = ink.Left + ink.Right - 1 - x;
        const int my = ink.Top + ink.Bottom - 1 - y;
        for (const QRgb other : {image.pixel(mx, y), image.pixel(x, my),
                                 image.pixel(ink.Left + (y - ink.Top), ink.Top + (x - ink.Left))}) {
          ASSERT_LE(std::abs(qRed(c) - qRed(other)), 8) << r << " at " << x << "," << y;
          ASSERT_LE(std::abs(qBlue(c) - qBlue(other)), 8) << r << " at " << x << "," << y;
        }
        blended += qRed(c) > 0 && qRed(c) < 255;
      }
    EXPECT_GT(blended, 8) << r;
  }
}

// The zoom band: drawn twice with the NOT-XOR pen it leaves every device pixel as it was, on an
// own image and on a borrowed painter alike.
TEST(QtCanvasDeviceTest, AnXorBandDrawnTwiceLeavesThePictureAsItWas) {
  const auto scene = [](TCanvas& c) {
    c.Brush.Color = clLightYellow;
    c.Rectangle(2, 2, 56, 36);
    c.Pen.Color = clBlue;
    c.MoveTo(3, 3);
    c.LineTo(55, 30);
    c.Ellipse(20, 10, 27, 17);
  };
  const auto band = [](TCanvas& c) {
    c.Pen = {clBlack, 1, psSolid, pmNotXor};  // inverts what it covers
    c.Brush.Style = bsClear;
    c.Rectangle(7, 5, 41, 27);
  };
  for (const qreal r : {1.5, 1.75, 2.0}) {
    QImage image = PaintAt(r, scene);
    const QImage before = image.copy();
    {
      TQtCanvas canvas(image);
      band(canvas);
    }
    EXPECT_NE(image, before) << r;
    {
      QPainter painter(&image);
      TQtCanvas canvas(painter);
      band(canvas);
    }
    EXPECT_EQ(image, before) << r;
  }
}

// Diagonals wait to be stroked together; whatever is drawn next still lies over them, and the
// last ones are drawn when the surface goes.
TEST(QtCanvasDeviceTest, GatheredDiagonalsAreDrawnInTheirTurn) {
  const QImage image = PaintAt(1.5, [](TCanvas& c) {
    c.Pen.Color = clBlue;
    c.MoveTo(0, 0);
    c.LineTo(40, 20);
    c.Brush.Color = clRed;
    c.FillRect({10, 0, 20, 20});
    c.MoveTo(0, 30);
    c.LineTo(40, 38);
  });
  const TDeviceGrid grid(1.5);
  for (int y = grid.Edge(0); y < grid.Edge(20); ++y)
    for (int x = grid.Edge(10); x < grid.Edge(20); ++x) ASSERT_EQ(image.pixel(x, y), qRgb(255, 0, 0));
  EXPECT_GT(testing::PaintedCount(image.copy(0, grid.Edge(29), image.width(), 20)), 40);
}

}  // namespace
}  // namespace corvane
