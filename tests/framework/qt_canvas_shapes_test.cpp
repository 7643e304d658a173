// Edge rules of the Qt drawing surface, checked by reading the painted pixels back.
#include <gtest/gtest.h>

#include <QImage>
#include <random>

#include "canvas_support.h"
#include "framework/qt_canvas.h"
#include "framework/system_colors.h"

namespace corvane {
namespace {

using testing::BlankImage;
using testing::InkBounds;
using testing::IsPainted;
using testing::PaintedCount;
using testing::Picture;

QRgb Rgb(TColor color) {
  return ResolveColor(color).rgb();
}

TEST(QtCanvasLinesTest, EndPixelIsLeftOutInEveryDirection) {
  QImage image = BlankImage(12, 12);
  {
    TQtCanvas canvas(image);
    canvas.MoveTo(0, 0);
    canvas.LineTo(10, 0);
    canvas.MoveTo(10, 2);
    canvas.LineTo(0, 2);
    canvas.MoveTo(11, 1);
    canvas.LineTo(11, 5);
  }
  EXPECT_EQ(Picture(image, {0, 0, 12, 6}),
            "##########..\n"
            "...........#\n"
            ".###########\n"
            "...........#\n"
            "...........#\n"
            "............\n");
}

TEST(QtCanvasLinesTest, DiagonalsRoundHalvesAwayFromTheStart) {
  QImage image = BlankImage(6, 4);
  {
    TQtCanvas canvas(image);
    canvas.MoveTo(0, 0);
    canvas.LineTo(4, 2);
  }
  EXPECT_EQ(Picture(image, {0, 0, 6, 4}),
            "#.....\n"
            ".##...\n"
            "...#..\n"
            "......\n");
}

TEST(QtCanvasLinesTest, PolylinePaintsEveryJointOnce) {
  // Under XOR a pixel painted twice would turn white again.
  QImage image = BlankImage(10, 10);
  {
    TQtCanvas canvas(image);
    canvas.Pen.Mode = pmXor;
    canvas.Pen.Color = clWhite;
    canvas.MoveTo(1, 1);
    canvas.LineTo(7, 1);
    canvas.LineTo(7, 6);
    canvas.LineTo(3, 8);
    canvas.LineTo(1, 1);
  }
  EXPECT_EQ(PaintedCount(image), 6 + 5 + 4 + 7);
  EXPECT_EQ(image.pixel(7, 1), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(3, 8), qRgb(0, 0, 0));
}

TEST(QtCanvasLinesTest, TwoPixelPenGrowsUpAndLeft) {
  QImage image = BlankImage(10, 10);
  {
    TQtCanvas canvas(image);
    canvas.Pen.Width = 2;
    canvas.MoveTo(2, 5);
    canvas.LineTo(8, 5);
    canvas.MoveTo(1, 1);
    canvas.LineTo(1, 4);
  }
  EXPECT_EQ(Picture(image, {0, 0, 10, 7}),
            "..........\n"
            "##........\n"
            "##........\n"
            "##........\n"
            "..######..\n"
            "..######..\n"
            "..........\n");
}

TEST(QtCanvasLinesTest, DottedPenAlternatesAndRestartsOnEachLine) {
  QImage image = BlankImage(12, 4);
  {
    TQtCanvas canvas(image);
    canvas.Pen.Style = psDot;
    canvas.MoveTo(0, 0);
    canvas.LineTo(10, 0);
    canvas.LineTo(10, 3);  // a new line: its pattern starts on again at (10, 0)
    canvas.Pen.Width = 2;
    canvas.MoveTo(0, 3);
    canvas.LineTo(9, 3);
  }
  EXPECT_EQ(Picture(image, {0, 0, 12, 4}),
            "#.#.#.#.#.#.\n"
            "............\n"
            "##..##..#.#.\n"
            "##..##..#...\n");
}

TEST(QtCanvasLinesTest, OpaqueBackgroundFillsTheGapsOfDashes) {
  QImage image = BlankImage(6, 1);
  {
    TQtCanvas canvas(image);
    canvas.Pen.Style = psDot;
    canvas.Pen.Color = clRed;
    canvas.SetBackgroundMode(bmOpaque);
    canvas.SetBackgroundColor(clBlue);
    canvas.MoveTo(0, 0);
    canvas.LineTo(5, 0);
  }
  EXPECT_EQ(image.pixel(0, 0), Rgb(clRed));
  EXPECT_EQ(image.pixel(1, 0), Rgb(clBlue));
  EXPECT_EQ(image.pixel(4, 0), Rgb(clRed));
  EXPECT_EQ(image.pixel(5, 0), qRgb(255, 255, 255));
}

TEST(QtCanvasLinesTest, ClearPenAndNopModeDrawNothing) {
  QImage image = BlankImage(8, 8);
  {
    TQtCanvas canvas(image);
    canvas.Pen.Style = psClear;
    canvas.MoveTo(0, 0);
    canvas.LineTo(7, 7);
    canvas.Pen.Style = psSolid;
    canvas.Pen.Mode = pmNop;
    canvas.LineTo(0, 7);
    canvas.Brush.Color = clRed;
    canvas.Rectangle(1, 1, 6, 6);
  }
  EXPECT_EQ(PaintedCount(image), 0);
}

TEST(QtCanvasShapesTest, RectangleLeavesOutRightColumnAndBottomRow) {
  QImage image = BlankImage(10, 10);
  {
    TQtCanvas canvas(image);
    canvas.Brush.Color = clRed;
    canvas.Rectangle(2, 2, 8, 8);
  }
  EXPECT_EQ(InkBounds(image), (TRect{2, 2, 8, 8}));
  EXPECT_EQ(image.pixel(2, 7), Rgb(clBlack));
  EXPECT_EQ(image.pixel(7, 2), Rgb(clBlack));
  EXPECT_EQ(image.pixel(3, 3), Rgb(clRed));
  EXPECT_EQ(image.pixel(6, 6), Rgb(clRed));
}

TEST(QtCanvasShapesTest, RectangleWithoutPenFillsTheWholeBoxAndClearBrushLeavesItEmpty) {
  QImage image = BlankImage(20, 10);
  {
    TQtCanvas canvas(image);
    canvas.Pen.Style = psClear;
    canvas.Brush.Color = clRed;
    canvas.Rectangle(1, 1, 5, 6);
    canvas.Pen.Style = psSolid;
    canvas.Brush.Style = bsClear;
    canvas.Rectangle(10, 1, 15, 6);
  }
  EXPECT_EQ(Picture(image, {0, 0, 16, 7}),
            "................\n"
            ".++++.....#####.\n"
            ".++++.....#...#.\n"
            ".++++.....#...#.\n"
            ".++++.....#...#.\n"
            ".++++.....#####.\n"
            "................\n");
}

TEST(QtCanvasShapesTest, TwoPixelFrameStaysWithinTheClipOfItsInterior) {
  // A frame of width 2 grows up and left like a line: the rows and columns just inside its top,
  // left, bottom-1 and right edges are the first the interior may use.
  QImage image = BlankImage(10, 10);
  {
    TQtCanvas canvas(image);
    canvas.Pen.Width = 2;
    canvas.Brush.Color = clRed;
    canvas.Rectangle(2, 2, 8, 8);
  }
  EXPECT_EQ(InkBounds(image), (TRect{1, 1, 8, 8}));
  EXPECT_EQ(image.pixel(3, 3), Rgb(clRed));
  EXPECT_EQ(image.pixel(5, 5), Rgb(clRed));
  EXPECT_EQ(image.pixel(6, 6), Rgb(clBlack));
  EXPECT_EQ(image.pixel(2, 2), Rgb(clBlack));
}

TEST(QtCanvasShapesTest, NotXorRectangleDrawnTwiceRestoresEveryPixel) {
  QImage image = BlankImage(40, 30);
  std::mt19937 random(7);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, 0xFF000000u | (random() & 0xFFFFFFu));
  const QImage before = image.copy();
  {
    TQtCanvas canvas(image);
    canvas.Pen.Mode = pmNotXor;
    canvas.Pen.Color = clBtnFace;
    canvas.Brush.Style = bsClear;
    canvas.Rectangle(5, 4, 31, 22);
    int changed = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) changed += image.pixel(x, y) != before.pixel(x, y);
    EXPECT_EQ(changed, 2 * 26 + 2 * 16) << "each outline pixel exactly once";
    canvas.Rectangle(5, 4, 31, 22);
  }
  EXPECT_EQ(image, before);
}

TEST(QtCanvasShapesTest, EllipseFitsItsBoxAndIsSymmetric) {
  QImage image = BlankImage(30, 30);
  {
    TQtCanvas canvas(image);
    canvas.Brush.Color = clLightYellow;
    canvas.Ellipse(97 - 90, 47 - 40, 103 - 90, 53 - 40);  // a circle marker of size 3 at (10, 10)
    canvas.Ellipse(12, 15, 28, 25);
  }
  const std::string circle = Picture(image, {7, 7, 13, 13});
  EXPECT_EQ(circle,
            ".####.\n"
            "#++++#\n"
            "#++++#\n"
            "#++++#\n"
            "#++++#\n"
            ".####.\n");
  EXPECT_EQ(image.pixel(9, 9), Rgb(clLightYellow));
  EXPECT_EQ(InkBounds(image.copy(12, 15, 18, 15)), (TRect{0, 0, 16, 10}));
  for (int y = 15; y < 25; ++y)
    for (int x = 12; x < 28; ++x)
      ASSERT_EQ(IsPainted(image, x, y), IsPainted(image, 39 - x, 39 - y)) << x << "," << y;
}

TEST(QtCanvasShapesTest, DownTriangleMarkerCoversItsCorners) {
  QImage image = BlankImage(120, 60);
  {
    TQtCanvas canvas(image);
    canvas.Brush.Color = clYellow;
    const TPoint corners[] = {{96, 46}, {104, 46}, {100, 54}};
    canvas.Polygon(corners);
  }
  EXPECT_EQ(InkBounds(image), (TRect{96, 46, 105, 55}));
  EXPECT_TRUE(IsPainted(image, 100, 54));
  EXPECT_TRUE(IsPainted(image, 104, 46));
  EXPECT_EQ(image.pixel(100, 48), Rgb(clYellow));
  EXPECT_EQ(image.pixel(100, 53), Rgb(clBlack));
}

TEST(QtCanvasShapesTest, FillRectAndSetPixelIgnoreThePenMode) {
  QImage image = BlankImage(10, 10);
  {
    TQtCanvas canvas(image);
    canvas.Pen.Mode = pmXor;
    canvas.Brush.Color = clBlue;
    canvas.FillRect({1, 1, 4, 3});
    canvas.FillRect({1, 1, 4, 3});
    canvas.SetPixel(8, 8, clRed);
  }
  EXPECT_EQ(InkBounds(image.copy(0, 0, 6, 6)), (TRect{1, 1, 4, 3}));
  EXPECT_EQ(image.pixel(3, 2), Rgb(clBlue));
  EXPECT_EQ(image.pixel(8, 8), Rgb(clRed));
}

TEST(QtCanvasClippingTest, RectangleClipExcludesRightAndBottomEdges) {
  QImage image = BlankImage(30, 30);
  {
    TQtCanvas canvas(image);
    canvas.Brush.Color = clRed;
    canvas.ClipRect({10, 10, 20, 20});
    canvas.FillRect({0, 0, 30, 30});
    canvas.MoveTo(0, 15);
    canvas.LineTo(30, 15);
    canvas.RemoveClip();
    canvas.SetPixel(25, 25, clBlack);
  }
  EXPECT_EQ(InkBounds(image.copy(0, 0, 24, 24)), (TRect{10, 10, 20, 20}));
  EXPECT_EQ(PaintedCount(image), 100 + 1);
  EXPECT_EQ(image.pixel(19, 15), Rgb(clBlack));
}

TEST(QtCanvasClippingTest, PolygonClipCoversWhatThePolygonFills) {
  const TPoint corners[] = {{2, 2}, {20, 5}, {8, 18}};
  QImage filled = BlankImage(24, 24);
  QImage clipped = BlankImage(24, 24);
  {
    TQtCanvas canvas(filled);
    canvas.Pen.Style = psClear;
    canvas.Brush.Color = clBlack;
    canvas.Polygon(corners);
  }
  {
    TQtCanvas canvas(clipped);
    canvas.ClipPolygon(corners);
    canvas.Brush.Color = clBlack;
    canvas.FillRect({0, 0, 24, 24});
  }
  EXPECT_GT(PaintedCount(filled), 50);
  EXPECT_EQ(clipped, filled);
}

}  // namespace
}  // namespace corvane
