// Text on the Qt drawing surface: reference points of every alignment, measured against the real
// font metrics of the installed fonts rather than fixed sizes.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <cmath>

#include "canvas_support.h"
#include "framework/fonts.h"
#include "framework/qt_canvas.h"
#include "framework/system_colors.h"

namespace corvane {
namespace {

using testing::BlankImage;
using testing::InkBounds;
using testing::IsPainted;

TFont ArialEight() {
  TFont font;
  font.Name = "Arial";
  font.SetSize(8);
  font.Color = clBlack;
  return font;
}

TRect InkOfText(TTextAlign align, std::string_view text, TPoint at = {60, 40}) {
  QImage image = BlankImage(120, 80);
  TQtCanvas canvas(image);
  canvas.Font = ArialEight();
  canvas.SetTextAlign(align);
  canvas.TextOut(at.X, at.Y, text);
  return InkBounds(image);
}

struct Metrics {
  int width;
  int height;
  int ascent;
};

Metrics MetricsOf(std::string_view text) {
  QImage image = BlankImage(4, 4);
  TQtCanvas canvas(image);
  canvas.Font = ArialEight();
  const QFontMetrics qt(ResolveFont(canvas.Font), &image);
  const QFontMetricsF exact(ResolveFont(canvas.Font), &image);
  // Whole pixels above and below the baseline, each rounded up.
  const int ascent = int(std::ceil(exact.ascent() - 1.0 / 64));
  EXPECT_EQ(canvas.TextHeight(text), ascent + int(std::ceil(exact.descent() - 1.0 / 64)));
  EXPECT_GE(canvas.TextHeight(text), qt.height());
  EXPECT_EQ(canvas.TextWidth(text),
            qt.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size()))));
  return {canvas.TextWidth(text), canvas.TextHeight(text), ascent};
}

TEST(QtCanvasTextTest, ArialStandInCellIsThirteenPixelsForAnElevenPixelEm) {
  // Layouts were made with this height for the 8-point Arial of the chart fonts.
  QImage image = BlankImage(4, 4);
  TQtCanvas canvas(image);
  canvas.Font = ArialEight();
  EXPECT_EQ(canvas.TextHeight("W"), 13);
}

TEST(QtCanvasTextTest, TopLeftReferenceIsTheCellsCorner) {
  const Metrics m = MetricsOf("Wg");
  const TRect ink = InkOfText({}, "Wg");
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_GE(ink.Top, 40);
  EXPECT_LE(ink.Bottom, 40 + m.height);
  EXPECT_GE(ink.Left, 60 - 1);
  EXPECT_LE(ink.Right, 60 + m.width + 1);
  EXPECT_GT(ink.Bottom, 40 + m.ascent) << "the descender of g reaches below the baseline";
}

TEST(QtCanvasTextTest, HorizontalAlignmentShiftsByTheTextWidth) {
  const Metrics m = MetricsOf("Reaction");
  const TRect left = InkOfText({TTextHorz::Left, TTextVert::Top}, "Reaction");
  const TRect centre = InkOfText({TTextHorz::Center, TTextVert::Top}, "Reaction");
  const TRect right = InkOfText({TTextHorz::Right, TTextVert::Top}, "Reaction");
  EXPECT_EQ(left.Left - right.Left, m.width);
  EXPECT_EQ(left.Left - centre.Left, m.width / 2);
  EXPECT_EQ(left.Top, right.Top);
}

TEST(QtCanvasTextTest, VerticalAlignmentShiftsByAscentAndCellHeight) {
  const Metrics m = MetricsOf("Wg");
  const TRect top = InkOfText({TTextHorz::Left, TTextVert::Top}, "Wg");
  const TRect baseline = InkOfText({TTextHorz::Left, TTextVert::Baseline}, "Wg");
  const TRect bottom = InkOfText({TTextHorz::Left, TTextVert::Bottom}, "Wg");
  EXPECT_EQ(top.Top - baseline.Top, m.ascent);
  EXPECT_EQ(top.Top - bottom.Top, m.height);
  EXPECT_LE(baseline.Top, 40) << "capitals stand on the baseline";
  EXPECT_LE(bottom.Bottom, 40);
}

TEST(QtCanvasTextTest, OpaqueBackgroundFillsExactlyTheCell) {
  const Metrics m = MetricsOf("12");
  QImage image = BlankImage(60, 40);
  {
    TQtCanvas canvas(image);
    canvas.Font = ArialEight();
    canvas.SetBackgroundMode(bmOpaque);
    canvas.SetBackgroundColor(clAqua);
    canvas.TextOut(10, 10, "12");
  }
  EXPECT_EQ(InkBounds(image), (TRect{10, 10, 10 + m.width, 10 + m.height}));
  EXPECT_EQ(image.pixel(10, 10), ResolveColor(clAqua).rgb());
}

TEST(QtCanvasTextTest, FontColourAndSystemColoursAreUsed) {
  QImage image = BlankImage(60, 40);
  {
    TQtCanvas canvas(image);
    canvas.Font = ArialEight();
    canvas.Font.Color = clRed;
    canvas.Font.Style = fsBold;
    canvas.TextOut(5, 5, "IIII");
  }
  bool red = false;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) red = red || image.pixel(x, y) == qRgb(255, 0, 0);
  EXPECT_TRUE(red);
}

TEST(QtCanvasTextTest, RotatedTitleReadsUpwardLeftOfItsAnchor) {
  // The left axis title: 90 degrees, centred on the anchor, its bottom toward the anchor.
  const Metrics m = MetricsOf("Reaction time");
  QImage image = BlankImage(120, 200);
  {
    TQtCanvas canvas(image);
    canvas.Font = ArialEight();
    canvas.SetTextAlign({TTextHorz::Center, TTextVert::Bottom});
    canvas.RotatedTextOut(60, 100, 90, "Reaction time");
  }
  const TRect ink = InkBounds(image);
  EXPECT_LE(ink.Right, 60);
  EXPECT_GE(ink.Left, 60 - m.height);
  EXPECT_GT(ink.Height(), m.width - 4);
  EXPECT_LE(ink.Height(), m.width + 2);
  EXPECT_NEAR((ink.Top + ink.Bottom) / 2.0, 100, 3);
  // Read upward: the capital R sits at the bottom end.
  int bottom_quarter = 0;
  int top_quarter = 0;
  for (int x = ink.Left; x < ink.Right; ++x) {
    for (int y = ink.Bottom - 6; y < ink.Bottom; ++y) bottom_quarter += IsPainted(image, x, y);
    for (int y = ink.Top; y < ink.Top + 6; ++y) top_quarter += IsPainted(image, x, y);
  }
  EXPECT_GT(bottom_quarter, top_quarter);
}

TEST(QtCanvasTextTest, RotatedTextIsTransparentAndLeavesTheFontAlone) {
  QImage image = BlankImage(80, 80);
  TQtCanvas canvas(image);
  canvas.Font = ArialEight();
  const TFont before = canvas.Font;
  canvas.SetBackgroundMode(bmOpaque);
  canvas.SetBackgroundColor(clBlack);
  canvas.RotatedTextOut(40, 40, 270, "ab");
  EXPECT_EQ(canvas.Font, before);
  EXPECT_LT(testing::PaintedCount(image), canvas.TextWidth("ab") * canvas.TextHeight("ab"));
}

}  // namespace
}  // namespace corvane
