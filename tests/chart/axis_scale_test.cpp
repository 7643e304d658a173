#include "chart/axis_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/page_span.h"
#include "chart/plot_rect.h"

namespace corvane {
namespace {

TAxisScale Linear(double min, double max, bool inverted = false) {
  return {.Minimum = min, .Maximum = max, .Inverted = inverted};
}
TAxisScale Log(double min, double max) {
  return {.Minimum = min, .Maximum = max, .Logarithmic = true};
}

const TRect kWide{20, 10, 520, 110};  // 500 wide, 100 high

TEST(AxisScaleLinearTest, MapsTheWorkedExamplesBothWays) {
  EXPECT_EQ(ValueToPixelHoriz(Linear(0, 25), kWide, 12.5), 270);
  EXPECT_EQ(ValueToPixelVert(Linear(0, 10), kWide, 2.5), 85);
  EXPECT_EQ(PixelToValueVert(Linear(0, 10), kWide, 85), 2.5);
  EXPECT_EQ(PixelToValueHoriz(Linear(0, 25), kWide, 270), 12.5);
  EXPECT_EQ(ValueToPixelHoriz(Linear(0, 25), kWide, 0), 20);
  EXPECT_EQ(ValueToPixelHoriz(Linear(0, 25), kWide, 25), 520);
  EXPECT_EQ(ValueToPixelVert(Linear(0, 10), kWide, 10), 10);
}

TEST(AxisScaleLinearTest, InvertedAxesRunFromTheFarEdge) {
  EXPECT_EQ(ValueToPixelHoriz(Linear(0, 25, true), kWide, 5), 420);
  EXPECT_EQ(ValueToPixelVert(Linear(0, 10, true), kWide, 2.5), 35);
  EXPECT_EQ(PixelToValueHoriz(Linear(0, 25, true), kWide, 420), 5);
  EXPECT_EQ(PixelToValueVert(Linear(0, 10, true), kWide, 35), 2.5);
}

TEST(AxisScaleLinearTest, RoundsHalvesToEvenOnBothSidesOfZero) {
  const TRect plot{0, 0, 10, 10};
  const TAxisScale s = Linear(0, 4);               // 2.5 pixels per unit
  EXPECT_EQ(ValueToPixelHoriz(s, plot, 1), 2);     // 2.5
  EXPECT_EQ(ValueToPixelHoriz(s, plot, 3), 8);     // 7.5
  EXPECT_EQ(ValueToPixelHoriz(s, plot, 1.01), 3);  // 2.525: just past the half
  EXPECT_EQ(ValueToPixelHoriz(s, plot, 0.99), 2);  // 2.475: just below it
  // Half a pixel per unit: 1, 3, -1 and -3 give 0.5, 1.5, -0.5 and -1.5.
  const TAxisScale half = Linear(0, 4);
  const TRect narrow{0, 0, 2, 2};
  EXPECT_EQ(ValueToPixelHoriz(half, narrow, 1), 0);
  EXPECT_EQ(ValueToPixelHoriz(half, narrow, 3), 2);
  EXPECT_EQ(ValueToPixelHoriz(half, narrow, -1), 0);
  EXPECT_EQ(ValueToPixelHoriz(half, narrow, -3), -2);
  EXPECT_EQ(RoundPixel(2.5L), 2);
  EXPECT_EQ(RoundPixel(3.5L), 4);
  EXPECT_EQ(RoundPixel(-2.5L), -2);
}

TEST(AxisScaleLinearTest, ZeroRangeMapsToTheCentreAndEmptyPlotsToZero) {
  EXPECT_EQ(ValueToPixelHoriz(Linear(0, 0), kWide, 123), 270);
  EXPECT_EQ(ValueToPixelVert(Linear(4, 4), kWide, -9), 60);
  // The centre truncates toward zero: (-5 + 0) div 2 = -2.
  EXPECT_EQ(ValueToPixelHoriz(Linear(1, 1), TRect{-5, -5, 0, 0}, 1), -2);
  EXPECT_EQ(PixelToValueHoriz(Linear(0, 25), TRect{20, 10, 20, 10}, 30), 0);
  EXPECT_EQ(PixelToValueVert(Linear(0, 25), TRect{20, 10, 20, 10}, 30), 0);
}

TEST(AxisScaleSaturationTest, UnmappableValuesLandFarOutsideTheDrawingBand) {
  const double inf = std::numeric_limits<double>::infinity();
  const TAxisScale s = Linear(0, 25);
  EXPECT_EQ(ValueToPixelHoriz(s, kWide, inf), kPixelSaturation);
  EXPECT_EQ(ValueToPixelHoriz(s, kWide, -inf), -kPixelSaturation);
  EXPECT_EQ(ValueToPixelVert(s, kWide, inf), -kPixelSaturation);  // up the screen
  EXPECT_EQ(ValueToPixelHoriz(s, kWide, 1e300), kPixelSaturation);
  EXPECT_GT(std::abs(ValueToPixelHoriz(s, kWide, std::nan(""))), 32766);
  EXPECT_GT(std::abs(ValueToPixelVert(s, kWide, std::nan(""))), 32766);
  EXPECT_EQ(ValueToPixelHoriz(Linear(0, 25, true), kWide, 1e300), -kPixelSaturation);
  // A denormal range is not zero: values off its minimum are far off scale.
  const double tiny = std::numeric_limits<double>::denorm_min();
  EXPECT_EQ(ValueToPixelHoriz(Linear(0, tiny), kWide, 1), kPixelSaturation);
  EXPECT_EQ(ValueToPixelHoriz(Linear(0, tiny), kWide, 0), 20);
  // Just inside the int range is still saturated, not wrapped.
  EXPECT_EQ(ValueToPixelHoriz(Linear(0, 1), TRect{0, 0, 1, 1}, 3e9), kPixelSaturation);
  EXPECT_EQ(ValueToPixelHoriz(Linear(0, 1), TRect{0, 0, 1, 1}, 40000), 40000);
}

TEST(AxisScaleLogTest, MapsByLogarithmAndIgnoresInverted) {
  const TRect plot{0, 0, 200, 200};
  TAxisScale s = Log(1, 100);
  EXPECT_EQ(ValueToPixelHoriz(s, plot, 10), 100);
  EXPECT_EQ(ValueToPixelVert(s, plot, 10), 100);
  EXPECT_EQ(ValueToPixelVert(s, plot, 100), 0);
  EXPECT_EQ(ValueToPixelHoriz(s, plot, 0), 0);    // not positive: the start edge
  EXPECT_EQ(ValueToPixelVert(s, plot, -3), 200);  // the bottom edge
  EXPECT_NEAR(PixelToValueHoriz(s, plot, 100), 10, 1e-12);
  EXPECT_NEAR(PixelToValueVert(s, plot, 100), 10, 1e-12);
  s.Inverted = true;
  EXPECT_EQ(ValueToPixelHoriz(s, plot, 10), 100);
  EXPECT_EQ(ValueToPixelHoriz(s, plot, 100), 200);
}

TEST(AxisScaleLogTest, NonPositiveBoundsCountAsLogZero) {
  const TRect plot{0, 0, 200, 200};
  EXPECT_EQ(ValueToPixelHoriz(Log(0, 100), plot, 10), 100);  // ln 0 taken as 0 = ln 1
  EXPECT_EQ(ValueToPixelHoriz(Log(1, 1), plot, 50), 100);    // log range 0: the centre
  EXPECT_EQ(ValueToPixelHoriz(Log(-5, 1), plot, 50), 100);
  EXPECT_EQ(PixelToValueHoriz(Log(7, 7), plot, 50), 7);
  EXPECT_EQ(PixelToValueHoriz(Log(1, 100), TRect{0, 0, 0, 0}, 50), 0);
}

TEST(AxisScaleMarginsTest, WidenTheBoundsSoTheDataFillsTheNarrowedBand) {
  const TRect plot{0, 0, 100, 100};
  const TRect bounds{0, 0, 1000, 1000};
  const TAxisScale w = WidenByMargins(Linear(0, 26), plot, bounds, true, {5, 5});
  EXPECT_DOUBLE_EQ(w.Minimum, -5.0 * 26 / 90);
  EXPECT_DOUBLE_EQ(w.Maximum, 26 + 5.0 * 26 / 90);
  EXPECT_DOUBLE_EQ(w.Range(), w.Maximum - w.Minimum);
  EXPECT_EQ(ValueToPixelHoriz(w, plot, 0), 5);
  EXPECT_EQ(ValueToPixelHoriz(w, plot, 26), 95);

  const TAxisScale v = WidenByMargins(Linear(0, 10), kWide, bounds, false, {3, 7});
  EXPECT_DOUBLE_EQ(v.Minimum, -7.0 * 10 / 90);
  EXPECT_DOUBLE_EQ(v.Maximum, 10 + 3.0 * 10 / 90);
  EXPECT_EQ(ValueToPixelVert(v, kWide, 10), 13);
  EXPECT_EQ(ValueToPixelVert(v, kWide, 0), 103);
}

TEST(AxisScaleMarginsTest, InvertedAxesComeOutOrderedAndHugeMarginsStayFinite) {
  const TRect plot{0, 0, 100, 100};
  const TRect bounds{0, 0, 1000, 1000};
  const TAxisScale w = WidenByMargins(Linear(0, 26, true), plot, bounds, true, {5, 5});
  EXPECT_LT(w.Minimum, w.Maximum);
  EXPECT_DOUBLE_EQ(w.Minimum, -5.0 * 26 / 90);
  EXPECT_EQ(ValueToPixelHoriz(w, plot, 26), 5);

  // Margins wider than the plot collapse the band to one pixel; nothing divides by zero.
  const TAxisScale c = WidenByMargins(Linear(0, 10), TRect{0, 0, 10, 10}, bounds, true, {8, 8});
  EXPECT_TRUE(std::isfinite(c.Minimum));
  EXPECT_TRUE(std::isfinite(c.Maximum));
  EXPECT_LT(c.Minimum, c.Maximum);
}

// A map built once per pass keeps answering for its own scale and plot: a linear, an inverted and
// a logarithmic scale in both orientations, the degenerate ones included.
TEST(AxisScaleMapTest, BuiltOnceAnswersLikeTheEntryPoints) {
  const TRect empty{30, 40, 30, 40};
  for (const TAxisScale& s : {Linear(-3, 7), Linear(-3, 7, true), Log(0.5, 2000), Linear(4, 4), Log(-1, 1)}) {
    for (const TRect& plot : {kWide, empty}) {
      const TScaleMap horiz = TScaleMap::Horizontal(s, plot);
      const TScaleMap vert = TScaleMap::Vertical(s, plot);
      for (const double v : {-3.0, -0.1, 0.0, 0.7, 2.5, 6.99, 7.0, 1999.0}) {
        EXPECT_EQ(horiz.ToPixel(v), ValueToPixelHoriz(s, plot, v)) << v;
        EXPECT_EQ(vert.ToPixel(v), ValueToPixelVert(s, plot, v)) << v;
      }
      for (const int p : {-5, 10, 20, 63, 110, 519, 520, 900}) {
        EXPECT_EQ(horiz.ToValue(p), PixelToValueHoriz(s, plot, p)) << p;
        EXPECT_EQ(vert.ToValue(p), PixelToValueVert(s, plot, p)) << p;
      }
    }
  }
  EXPECT_EQ(TScaleMap::Vertical(Log(1, 100), kWide).ToPixel(10), 60);
  EXPECT_EQ(TScaleMap::Horizontal(Log(1, 100), kWide).ToPixel(10), 270);
}

TEST(PlotRectRulesTest, NormaliseAndMidpoint) {
  const TRect bounds{0, 0, 400, 250};
  EXPECT_EQ(NormalizedPlotRect({-3, -1, 50, 60}, bounds), (TRect{0, 0, 50, 60}));
  EXPECT_EQ(NormalizedPlotRect({30, 40, 10, 20}, bounds), (TRect{30, 40, 31, 41}));
  EXPECT_EQ(NormalizedPlotRect({30, 40, 30, 40}, bounds), (TRect{30, 40, 30, 40}));  // zero size stays
  EXPECT_EQ(PixelMidpoint(18, 575), 296);
  EXPECT_EQ(PixelMidpoint(-3, 0), -1);
}

TEST(PagingTest, PageSpansAndTheStretchedLastPage) {
  auto span = [](int count, int per, int page) {
    const TPageSpan s = PageSpan(count, per, page);
    return std::pair(s.First, s.Last);
  };
  EXPECT_EQ(span(25, 10, 1), std::pair(0, 9));
  EXPECT_EQ(span(25, 10, 3), std::pair(20, 24));
  EXPECT_EQ(span(25, 10, 5), std::pair(10, 19));  // past the end: the last full page
  EXPECT_EQ(span(20, 10, 3), std::pair(10, 19));
  EXPECT_EQ(span(5, 10, 1), std::pair(0, 4));
  EXPECT_EQ(span(5, 10, 4), std::pair(0, 4));
  EXPECT_EQ(span(25, 10, 0), std::pair(0, 9));  // pages below 1 count as page 1
  EXPECT_EQ(span(25, 10, -7), std::pair(0, 9));

  const TPageSpan short_page{20, 24};
  EXPECT_EQ(PagedMaximum(20, 24, short_page, 10, true), 24);
  EXPECT_EQ(PagedMaximum(20, 24, short_page, 10, false), 28);
  EXPECT_EQ(PagedMaximum(0, 9, TPageSpan{0, 9}, 10, false), 9);  // a full page is not stretched
}

}  // namespace
}  // namespace corvane
