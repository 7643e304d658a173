// Zoom, undo and scroll driven by real Qt mouse events on the program-like chart widget
// (593 x 153, PlotRect (39, 23, 575, 129) after its first paint, the title above y 18). Expected
// bounds are the exact values PixelToValue gives on the scale of the last paint.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QTest>

#include "chart/value_range.h"
#include "framework/cancel_mode.h"
#include "framework/system_colors.h"
#include "zoom_support.h"

namespace corvane {
namespace {

using testing::Settle;
using testing::TProgramChart;

TValueRange BoundsOf(const TChartAxis& axis) {
  return {axis.Minimum(), axis.Maximum()};
}

class ZoomMouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.OnZoom = [this](TCustomChart&) { ++zooms; };
    chart.OnUndoZoom = [this](TCustomChart&) { ++undos; };
    chart.OnScroll = [this](TCustomChart&) { ++scrolls; };
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    Settle();
    ASSERT_EQ(chart.PlotRect(), (TRect{39, 23, 575, 129}));
  }
  void TearDown() override { chart.hide(); }

  void Press(Qt::MouseButton button, QPoint at) { QTest::mousePress(&chart, button, {}, at); }
  void Move(QPoint to) { QTest::mouseMove(&chart, to); }
  void Release(Qt::MouseButton button, QPoint at) { QTest::mouseRelease(&chart, button, {}, at); }
  void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
    Press(button, from);
    Move(to);
    Release(button, to);
  }
  // The horizontal bounds a zoom to the pixels x0..x1 gives, and the vertical ones of y0..y1.
  TValueRange Across(const TChartAxis& axis, int x0, int x1) const {
    return {axis.PixelToValue(x0), axis.PixelToValue(x1)};
  }
  TValueRange Down(const TChartAxis& axis, int y0, int y1) const {
    return {axis.PixelToValue(y1), axis.PixelToValue(y0)};
  }
  void ZoomOnce() {
    Drag(Qt::LeftButton, {100, 40}, {300, 120});
    Settle();
    ASSERT_EQ(zooms, 1);
  }
  // What the screen shows, and whether it is the cached image alone.
  QImage Screen() { return chart.grab().toImage().convertToFormat(QImage::Format_RGB32); }
  bool ScreenIsTheImage() {
    return Screen() == chart.CachedImage().Image().convertToFormat(QImage::Format_RGB32);
  }

  TProgramChart chart;
  int zooms = 0;
  int undos = 0;
  int scrolls = 0;
};

TEST_F(ZoomMouseTest, ADragTowardTheBottomRightZoomsAllFourAxesToTheRectangle) {
  const TValueRange bottom = Across(chart.BottomAxis(), 100, 300);
  const TValueRange top = Across(chart.TopAxis(), 100, 300);
  const TValueRange left = Down(chart.LeftAxis(), 40, 120);
  const TValueRange right = Down(chart.RightAxis(), 40, 120);
  Press(Qt::LeftButton, {100, 40});
  Move({200, 80});
  Move({300, 120});
  EXPECT_EQ(BoundsOf(chart.BottomAxis()), (TValueRange{0, 26}));  // nothing moves while dragging
  Release(Qt::LeftButton, {300, 120});
  EXPECT_EQ(BoundsOf(chart.BottomAxis()), bottom);
  EXPECT_EQ(BoundsOf(chart.LeftAxis()), left);
  // The unused top and right axes are zoomed too: their empty scale maps every pixel to 0, and
  // AssignRange keeps its bounds 0.001 apart.
  EXPECT_EQ(top, (TValueRange{0, 0}));
  EXPECT_EQ(right, (TValueRange{0, 0}));
  EXPECT_EQ(BoundsOf(chart.TopAxis()), (TValueRange{0, 0.001}));
  EXPECT_EQ(BoundsOf(chart.RightAxis()), (TValueRange{0, 0.001}));
  EXPECT_FALSE(chart.RightAxis().Automatic());
  EXPECT_EQ(zooms, 1);
  EXPECT_TRUE(chart.Zoomed());
  const int redraws = chart.redraws;
  Settle();
  EXPECT_EQ(chart.redraws, redraws + 1);
}

TEST_F(ZoomMouseTest, ADragTenPixelsWideNeitherZoomsNorUndoesAndLeavesNoBand) {
  ZoomOnce();
  const TValueRange zoomed = BoundsOf(chart.BottomAxis());
  Drag(Qt::LeftButton, {100, 40}, {110, 90});
  Settle();
  EXPECT_EQ(zooms, 1);
  EXPECT_EQ(undos, 0);
  EXPECT_EQ(BoundsOf(chart.BottomAxis()), zoomed);
  EXPECT_TRUE(ScreenIsTheImage());
}

TEST_F(ZoomMouseTest, ADragTowardTheTopLeftUndoesTheZoom) {
  ZoomOnce();
  Drag(Qt::LeftButton, {300, 120}, {100, 40});
  EXPECT_EQ(undos, 1);
  EXPECT_FALSE(chart.Zoomed());
  EXPECT_EQ(BoundsOf(chart.BottomAxis()), (TValueRange{0, 26}));
  EXPECT_EQ(BoundsOf(chart.LeftAxis()), (TValueRange{0, 25}));
  EXPECT_FALSE(chart.BottomAxis().AutomaticMaximum());
  EXPECT_TRUE(chart.TopAxis().Automatic());
  EXPECT_TRUE(chart.RightAxis().Automatic());
}

TEST_F(ZoomMouseTest, AnUndoWithNothingSavedStillFiresAndRepaints) {
  const int redraws = chart.redraws;
  Drag(Qt::LeftButton, {300, 120}, {100, 40});
  EXPECT_EQ(undos, 1);
  EXPECT_TRUE(chart.IsStale());
  Settle();
  EXPECT_EQ(chart.redraws, redraws + 1);
  EXPECT_EQ(BoundsOf(chart.BottomAxis()), (TValueRange{0, 26}));
}

TEST_F(ZoomMouseTest, ADragTowardTheBottomLeftUndoesToo) {
  ZoomOnce();
  Drag(Qt::LeftButton, {300, 40}, {100, 120});
  EXPECT_EQ(undos, 1);
  EXPECT_EQ(BoundsOf(chart.BottomAxis()), (TValueRange{0, 26}));
}

TEST_F(ZoomMouseTest, UndoLeavesAnAxisThatOnlyHadAutomaticMaximumFixed) {
  chart.LeftAxis().SetAutomaticMaximum(true);  // Automatic and AutomaticMinimum stay off
  Settle();
  ASSERT_EQ(chart.LeftAxis().Maximum(), 8);  // the largest Y value
  ZoomOnce();
  Drag(Qt::LeftButton, {300, 120}, {100, 40});
  EXPECT_EQ(BoundsOf(chart.LeftAxis()), (TValueRange{0, 8}));
  EXPECT_FALSE(chart.LeftAxis().AutomaticMaximum());
  chart.line->AddPoint(25, 20);
  Settle();
  EXPECT_EQ(chart.LeftAxis().Maximum(), 8);  // no longer follows the data
}

TEST_F(ZoomMouseTest, ALeftwardRightDragScrollsByTenThenTwentyThenTwentyPixels) {
  const TChartAxis& bottom = chart.BottomAxis();
  // The record is put in order before each step, so each step starts from the far end.
  const std::pair<int, int> steps[] = {{300, 290}, {300, 280}, {290, 270}};
  Press(Qt::RightButton, {300, 80});
  for (const auto& [from, to] : steps) {
    const TValueRange expected =
        BoundsOf(bottom).Scrolled(bottom.PixelToValue(from), bottom.PixelToValue(to));
    Move({to, 80});
    EXPECT_EQ(BoundsOf(bottom), expected) << from << " -> " << to;
  }
  EXPECT_EQ(scrolls, 3);
  Release(Qt::RightButton, {270, 80});
}

TEST_F(ZoomMouseTest, ARightDragThatLeavesThePlotStopsForGood) {
  Press(Qt::RightButton, {300, 80});
  Move({290, 80});
  const TValueRange after_step = BoundsOf(chart.BottomAxis());
  Move({290, 140});  // below the plot
  EXPECT_FALSE(chart.ScrollRecord().Active);
  Move({270, 80});
  Move({250, 70});
  EXPECT_EQ(BoundsOf(chart.BottomAxis()), after_step);
  EXPECT_EQ(scrolls, 1);
  Release(Qt::RightButton, {250, 70});
}

TEST_F(ZoomMouseTest, HorizontalPanningMovesOnlyTheHorizontalAxes) {
  chart.SetAllowPanning(pmHorizontal);
  Press(Qt::RightButton, {300, 80});
  Move({320, 100});
  Release(Qt::RightButton, {320, 100});
  EXPECT_NE(BoundsOf(chart.BottomAxis()), (TValueRange{0, 26}));
  EXPECT_FALSE(chart.TopAxis().Automatic());  // scrolled by nothing, but fixed by AssignRange
  EXPECT_EQ(BoundsOf(chart.LeftAxis()), (TValueRange{0, 25}));
  EXPECT_TRUE(chart.RightAxis().Automatic());
  EXPECT_EQ(scrolls, 1);
}

TEST_F(ZoomMouseTest, PressesOutsideThePlotOrOnTheTitleStartNothing) {
  for (const QPoint at : {QPoint{10, 10}, QPoint{300, 10}, QPoint{590, 80}}) {
    Drag(Qt::LeftButton, at, {at.x() + 200, at.y() + 100});
    Drag(Qt::RightButton, at, {at.x() - 50, 80});
  }
  Settle();
  EXPECT_EQ(zooms + undos + scrolls, 0);
  EXPECT_EQ(BoundsOf(chart.BottomAxis()), (TValueRange{0, 26}));
  EXPECT_TRUE(chart.TopAxis().Automatic());
}

// The band is XOR-drawn over the copy of the cached image: every pixel of its outline is
// NOT(pen XOR image), every other pixel is the image's, and the image itself stays clean.
class RubberBandTest : public ZoomMouseTest {
 protected:
  // The rectangle from (100, 40) to (300, 120), right column and bottom row left out.
  static bool OnBand(int x, int y) {
    const bool across = x >= 100 && x <= 299;
    const bool down = y >= 40 && y <= 119;
    return (across && (y == 40 || y == 119)) || (down && (x == 100 || x == 299));
  }
  // Checks the screen against the image and returns the colour the band shows over the panel.
  QRgb CheckBand(TColor pen_colour) {
    const QImage screen = Screen();
    const QImage image = chart.CachedImage().Image().convertToFormat(QImage::Format_RGB32);
    const QRgb pen = ResolveColor(pen_colour).rgb();
    const QRgb panel = ResolveColor(chart.Color()).rgb();
    QRgb over_panel = 0;
    int mismatches = 0;
    for (int y = 0; y < screen.height(); ++y) {
      for (int x = 0; x < screen.width(); ++x) {
        const QRgb under = image.pixel(x, y);
        const QRgb expected = OnBand(x, y) ? (~(pen ^ under) & 0xFFFFFF) | 0xFF000000 : under;
        mismatches += screen.pixel(x, y) != expected;
        if (OnBand(x, y) && under == panel)
          over_panel = screen.pixel(x, y);
      }
    }
    EXPECT_EQ(mismatches, 0);
    return over_panel;
  }
};

TEST_F(RubberBandTest, OnTheDefaultPanelItHasThePanelColourAndShowsWhite) {
  const int redraws = chart.redraws;
  Press(Qt::LeftButton, {100, 40});
  Move({250, 100});
  Settle();
  Move({300, 120});
  Settle();
  EXPECT_EQ(chart.redraws, redraws);  // moving the band redraws nothing of the chart
  EXPECT_FALSE(chart.IsStale());
  EXPECT_EQ(CheckBand(clBtnFace), qRgb(255, 255, 255));
  Release(Qt::LeftButton, {300, 120});
}

TEST_F(RubberBandTest, OnAWhitePanelItIsRed) {
  chart.SetColor(clWhite);
  Settle();
  Press(Qt::LeftButton, {100, 40});
  Move({300, 120});
  Settle();
  EXPECT_EQ(CheckBand(clRed), qRgb(255, 0, 0));
  // A change in mid-drag redraws the image without the band; the band stays on top.
  const int redraws = chart.redraws;
  chart.line->AddPoint(25, 3);
  Settle();
  EXPECT_EQ(chart.redraws, redraws + 1);
  EXPECT_EQ(CheckBand(clRed), qRgb(255, 0, 0));
  Release(Qt::LeftButton, {300, 120});
  Settle();
  EXPECT_TRUE(ScreenIsTheImage());
}

// Losing the mouse mid-drag leaves nothing half-active.
TEST_F(ZoomMouseTest, ACancelModeEventEndsTheDragAndTakesTheBandOffTheScreen) {
  Press(Qt::LeftButton, {100, 40});
  Move({300, 120});
  CancelMouseModes();  // what the application does before a modal report
  Settle();
  EXPECT_FALSE(chart.ZoomRecord().Active);
  EXPECT_TRUE(ScreenIsTheImage());
  Release(Qt::LeftButton, {300, 120});
  EXPECT_EQ(zooms + undos, 0);
  Drag(Qt::LeftButton, {100, 40}, {300, 120});  // the next press starts cleanly
  EXPECT_EQ(zooms, 1);
}

TEST_F(ZoomMouseTest, ALostScrollDragEndsOnCancelModeAndOnDeactivation) {
  Press(Qt::RightButton, {300, 80});
  QEvent cancel(kCancelModeEvent);
  QApplication::sendEvent(&chart, &cancel);
  Move({290, 80});
  EXPECT_EQ(scrolls, 0);
  Release(Qt::RightButton, {290, 80});
  Press(Qt::RightButton, {300, 80});
  QEvent deactivate(QEvent::WindowDeactivate);
  QApplication::sendEvent(&chart, &deactivate);
  Move({290, 80});
  EXPECT_EQ(scrolls, 0);
  Release(Qt::RightButton, {290, 80});
}

// Another window had the mouse when the button came up: the chart never saw the release.
TEST_F(ZoomMouseTest, APressOfTheDragButtonAfterALostReleaseStartsAfresh) {
  QWidget elsewhere;
  const TValueRange bottom = Across(chart.BottomAxis(), 100, 300);
  Press(Qt::LeftButton, {300, 120});
  Move({320, 125});
  QTest::mouseRelease(&elsewhere, Qt::LeftButton, {}, {5, 5});
  ASSERT_TRUE(chart.ZoomRecord().Active);
  Drag(Qt::LeftButton, {100, 40}, {300, 120});
  EXPECT_EQ(zooms, 1);
  EXPECT_EQ(BoundsOf(chart.BottomAxis()), bottom);
}

TEST_F(ZoomMouseTest, AMoveWithoutTheDragButtonEndsALostDrag) {
  QWidget elsewhere;
  Press(Qt::RightButton, {300, 80});
  QTest::mouseRelease(&elsewhere, Qt::RightButton, {}, {5, 5});
  QMouseEvent move(QEvent::MouseMove, QPointF(290, 80), chart.mapToGlobal(QPointF(290, 80)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&chart, &move);
  EXPECT_FALSE(chart.ScrollRecord().Active);
  EXPECT_EQ(scrolls, 0);
  Press(Qt::LeftButton, {100, 40});
  Move({300, 120});
  QTest::mouseRelease(&elsewhere, Qt::LeftButton, {}, {5, 5});
  QApplication::sendEvent(&chart, &move);
  Settle();
  EXPECT_FALSE(chart.ZoomRecord().Active);
  EXPECT_TRUE(ScreenIsTheImage());
}

}  // namespace
}  // namespace corvane
