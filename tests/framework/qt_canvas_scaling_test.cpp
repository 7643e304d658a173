// A paint at device pixel ratio 2 keeps the logical geometry: boxes and horizontal and vertical
// lines cover, for every logical pixel, the 2 x 2 device pixels that the same paint at ratio 1
// gives that pixel (diagonals and ellipses are smooth there, see qt_canvas_device_test.cpp).
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "canvas_support.h"
#include "framework/bitmap.h"
#include "framework/qt_canvas.h"

namespace corvane {
namespace {

using testing::BlankImage;

// A filled frame with a wide and a dotted line, then the clip that `clipped` draws in.
template <class Clipped>
void PaintFrameAndLines(TCanvas& canvas, Clipped clipped) {
  canvas.Brush.Color = clLightYellow;
  canvas.Rectangle(2, 2, 40, 30);
  canvas.Pen.Width = 2;
  canvas.MoveTo(5, 28);
  canvas.LineTo(38, 28);
  canvas.Pen.Width = 1;
  canvas.Pen.Style = psDot;
  canvas.MoveTo(3, 15);
  canvas.LineTo(39, 15);
  clipped();
  canvas.Pen.Style = psSolid;
  canvas.ClipRect({3, 3, 39, 27});
  canvas.Pen.Color = clBlue;
}

// A red pixel and the NOT-XOR outline over everything.
void PaintPixelAndBand(TCanvas& canvas) {
  canvas.SetPixel(1, 1, clRed);
  canvas.Pen.Mode = pmNotXor;
  canvas.Brush.Style = bsClear;
  canvas.Rectangle(8, 6, 33, 24);
}

// Boxes, pixels and horizontal and vertical lines, solid, wide, dotted, clipped and XOR-drawn.
void PaintSquareScene(TCanvas& canvas) {
  PaintFrameAndLines(canvas, [&] {
    canvas.MoveTo(36, 4);
    canvas.LineTo(36, 26);
  });
  canvas.MoveTo(0, 20);
  canvas.LineTo(50, 20);
  canvas.RemoveClip();
  canvas.Pen.Color = clBlack;
  canvas.Brush.Color = clYellow;
  canvas.Rectangle(30, 18, 38, 26);
  PaintPixelAndBand(canvas);
}

void PaintScene(TCanvas& canvas) {
  PaintFrameAndLines(canvas, [] {});
  canvas.MoveTo(0, 0);
  canvas.LineTo(50, 17);
  canvas.LineTo(10, 40);
  canvas.RemoveClip();
  canvas.Pen.Color = clBlack;
  canvas.Ellipse(20, 5, 27, 12);
  const TPoint triangle[] = {{30, 18}, {38, 18}, {34, 26}};
  canvas.Brush.Color = clYellow;
  canvas.Polygon(triangle);
  PaintPixelAndBand(canvas);
}

TEST(QtCanvasScalingTest, DoubleRatioPaintsSquareShapesOnTheSameLogicalPixels) {
  QImage single = BlankImage(44, 34, 1.0);
  QImage twice = BlankImage(44, 34, 2.0);
  ASSERT_EQ(twice.width(), 88);
  {
    TQtCanvas canvas(single);
    PaintSquareScene(canvas);
  }
  {
    TQtCanvas canvas(twice);
    PaintSquareScene(canvas);
  }
  for (int y = 0; y < single.height(); ++y)
    for (int x = 0; x < single.width(); ++x)
      for (int d = 0; d < 4; ++d)
        ASSERT_EQ(twice.pixel(2 * x + d % 2, 2 * y + d / 2), single.pixel(x, y))
            << "logical " << x << "," << y;
}

TEST(QtCanvasScalingTest, BorrowedPainterPaintsLikeTheOwnImage) {
  // A borrowed painter always goes through the toolkit; an own image writes pixels directly.
  for (const qreal ratio : {1.0, 1.5, 2.0}) {
    QImage direct = BlankImage(44, 34, ratio);
    QImage painted = BlankImage(44, 34, ratio);
    {
      TQtCanvas canvas(direct);
      PaintScene(canvas);
    }
    {
      QPainter painter(&painted);
      TQtCanvas canvas(painter);
      PaintScene(canvas);
    }
    EXPECT_EQ(direct, painted) << "ratio " << ratio;
  }
}

TEST(QtCanvasScalingTest, FractionalRatioKeepsTheOutlineInsideItsBox) {
  QImage image = BlankImage(20, 20, 1.5);
  {
    TQtCanvas canvas(image);
    canvas.Rectangle(2, 2, 10, 10);
  }
  EXPECT_EQ(testing::InkBounds(image), (TRect{3, 3, 15, 15}));
}

TEST(QtCanvasScalingTest, TextMetricsAreLogical) {
  QImage single = BlankImage(10, 10, 1.0);
  QImage twice = BlankImage(10, 10, 2.0);
  TQtCanvas one(single);
  TQtCanvas two(twice);
  one.Font.Name = two.Font.Name = "Arial";
  EXPECT_EQ(one.TextHeight("W"), two.TextHeight("W"));
  EXPECT_NEAR(one.TextWidth("Reaction Time Plot"), two.TextWidth("Reaction Time Plot"), 1);
}

TEST(QtCanvasScalingTest, BitmapsKeepTheirLogicalSizeWhenCopied) {
  TBitmap cache(20, 10, 2.0);
  EXPECT_EQ(cache.Width(), 20);
  EXPECT_EQ(cache.Image().width(), 40);
  {
    TQtCanvas canvas(cache);
    canvas.Brush.Color = clRed;
    canvas.FillRect({0, 0, 20, 10});
  }
  QImage screen = BlankImage(40, 30, 2.0);
  {
    TQtCanvas canvas(screen);
    canvas.Draw(5, 7, cache);
  }
  EXPECT_EQ(testing::InkBounds(screen), (TRect{10, 14, 50, 34}));
}

// A two-pixel image, red then blue, stretched over a 20 x 10 box: each colour fills its half, the
// pixels around the box untouched, at ratio 1 and on the device grid at ratio 2.
TEST(QtCanvasScalingTest, StretchedBitmapsFillTheirBoxAtEveryRatio) {
  for (const qreal ratio : {1.0, 2.0}) {
    TBitmap pair(2, 1, ratio);
    {
      TQtCanvas canvas(pair);
      canvas.Brush.Color = clRed;
      canvas.FillRect({0, 0, 1, 1});
      canvas.Brush.Color = clBlue;
      canvas.FillRect({1, 0, 2, 1});
    }
    QImage screen = BlankImage(40, 30, ratio);
    {
      TQtCanvas canvas(screen);
      canvas.StretchDraw({10, 10, 30, 20}, pair);
    }
    const int r = static_cast<int>(ratio);
    const auto at = [&](int x, int y) { return screen.pixelColor(x * r, y * r); };
    EXPECT_EQ(testing::InkBounds(screen), (TRect{10 * r, 10 * r, 30 * r, 20 * r})) << ratio;
    EXPECT_EQ(at(12, 15), QColor(Qt::red)) << ratio;
    EXPECT_EQ(at(27, 15), QColor(Qt::blue)) << ratio;
  }
}

}  // namespace
}  // namespace corvane
