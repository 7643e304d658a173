// Resolving layout fonts to installed faces and system colours to the application's palette.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPalette>

#include "canvas_support.h"
#include "framework/fonts.h"
#include "framework/qt_canvas.h"
#include "framework/system_colors.h"

namespace corvane {
namespace {

TEST(FontsTest, ArialBecomesItsMetricTwinWithAnElevenPixelEm) {
  TFont font;
  font.Name = "Arial";
  font.SetHeight(-11);
  const QFont face = ResolveFont(font);
  EXPECT_EQ(QFontInfo(face).family(), "Liberation Sans");
  EXPECT_EQ(face.pixelSize(), 11);
  font.SetSize(8);
  EXPECT_EQ(ResolveFont(font).pixelSize(), 11) << "8 points at 96 pixels per inch";
}

TEST(FontsTest, DesktopFaceNamesFindAnInstalledSansSerif) {
  TFont font;  // "MS Sans Serif", the form default
  const QString family = QFontInfo(ResolveFont(font)).family();
  EXPECT_TRUE(FontFamiliesFor("MS Sans Serif").contains(family)) << family.toStdString();
  font.Name = "No Such Face Anywhere";
  EXPECT_TRUE(FontFamiliesFor("MS Sans Serif").contains(QFontInfo(ResolveFont(font)).family()));
}

TEST(FontsTest, StylesAndPositiveCellHeights) {
  TFont font;
  font.Name = "Arial";
  font.Style = fsBold | fsItalic | fsUnderline | fsStrikeOut;
  const QFont face = ResolveFont(font);
  EXPECT_TRUE(face.bold());
  EXPECT_TRUE(face.italic());
  EXPECT_TRUE(face.underline());
  EXPECT_TRUE(face.strikeOut());
  font.Style = 0;
  font.Height = 26;  // the whole cell, not the em
  EXPECT_NEAR(QFontMetrics(ResolveFont(font)).height(), 26, 1);
  EXPECT_LT(ResolveFont(font).pixelSize(), 26);
}

TEST(SystemColorsTest, ComeFromThePaletteAndPlainColoursAreBgr) {
  QPalette palette;
  palette.setColor(QPalette::Button, QColor(1, 2, 3));
  palette.setColor(QPalette::Light, QColor(4, 5, 6));
  palette.setColor(QPalette::Dark, QColor(7, 8, 9));
  palette.setColor(QPalette::Base, QColor(10, 11, 12));
  palette.setColor(QPalette::Text, QColor(13, 14, 15));
  palette.setColor(QPalette::Shadow, QColor(16, 17, 18));
  palette.setColor(QPalette::Midlight, QColor(19, 20, 21));
  const struct {
    TColor color;
    QColor resolved;
  } cases[] = {
      {clBtnFace, QColor(1, 2, 3)},       {clBtnHighlight, QColor(4, 5, 6)},
      {clBtnShadow, QColor(7, 8, 9)},     {clWindow, QColor(10, 11, 12)},
      {clWindowText, QColor(13, 14, 15)}, {cl3DDkShadow, QColor(16, 17, 18)},
      {cl3DLight, QColor(19, 20, 21)},    {clLightYellow, QColor(255, 255, 128)},
      {clNavy, QColor(0, 0, 128)},        {SystemColor(200), QColor(Qt::black)},
  };
  for (const auto& c : cases) EXPECT_EQ(ResolveColor(c.color, palette), c.resolved) << std::hex << c.color;
  EXPECT_EQ(ColorFromQColor(QColor(255, 255, 128)), clLightYellow);
}

TEST(SystemColorsTest, CanvasPaintsWithItsPalette) {
  QPalette palette;
  palette.setColor(QPalette::Button, QColor(200, 100, 50));
  QImage image = testing::BlankImage(4, 4);
  {
    TQtCanvas canvas(image, palette);
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect({0, 0, 4, 4});
  }
  EXPECT_EQ(image.pixel(2, 2), qRgb(200, 100, 50));
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// The layout placed and wrapped its captions by their widths in its own font; the stand-in must
// keep the long help caption (549 pixels in the layout) from outgrowing its place.
TEST(LayoutFontTest, CaptionsKeepTheWidthsTheLayoutWasMadeFor) {
  const QFontMetrics metrics(ResolveFont(TFont{}));
  const int width = metrics.horizontalAdvance(
      "Scrolling can be done  by dragging the right mouse button. Red line in the upper graph indicates the "
      "stationary mean.");
  EXPECT_LE(width, 549);
  EXPECT_GE(width, 520);
}

}  // namespace
}  // namespace corvane
