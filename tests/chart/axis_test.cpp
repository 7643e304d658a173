#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "chart/chart_axis.h"
#include "chart/chart_errors.h"
#include "chart/line_series.h"
#include "chart_support.h"
#include "support/expect_throw_msg.h"

namespace corvane {
namespace {

using testing::TTestChart;

TEST(AxisDefaultsTest, PublishedDefaultsAndFixedOrientation) {
  TTestChart chart;
  const TChartAxis& a = chart.BottomAxis();
  EXPECT_TRUE(a.Automatic() && a.AutomaticMaximum() && a.AutomaticMinimum());
  EXPECT_TRUE(a.Axis().Visible());
  EXPECT_EQ(a.Axis().Width(), 2);
  EXPECT_EQ(a.AxisValuesFormat(), "#,##0.###");
  EXPECT_FALSE(a.IsAxisValuesFormatStored());
  EXPECT_EQ(a.Grid().Color(), clGray);
  EXPECT_EQ(a.Grid().Style(), psDot);
  EXPECT_EQ(a.Ticks().Color(), clGray);
  EXPECT_EQ(a.MinorTicks().Color(), clGray);
  EXPECT_EQ(a.Increment(), 0);
  EXPECT_EQ(a.LabelsSeparation(), 10);
  EXPECT_EQ(a.LabelStyle(), talAuto);
  EXPECT_EQ(a.MinorTickCount(), 3);
  EXPECT_EQ(a.MinorTickLength(), 2);
  EXPECT_EQ(a.TickLength(), 4);
  EXPECT_TRUE(a.ExactDateTime() && a.TickOnLabelsOnly() && a.RoundFirstLabel() && a.LabelsOnAxis());
  EXPECT_EQ(a.LabelsFont().Name(), "Arial");
  EXPECT_EQ(a.LabelsFont().Size(), 8);
  EXPECT_EQ(a.LabelsFont().Color(), clBlack);
  EXPECT_FALSE(a.IsMinimumStored());

  EXPECT_TRUE(chart.BottomAxis().Horizontal() && chart.TopAxis().Horizontal());
  EXPECT_FALSE(chart.LeftAxis().Horizontal() || chart.RightAxis().Horizontal());
  EXPECT_TRUE(chart.TopAxis().FarSide() && chart.RightAxis().FarSide());
  EXPECT_FALSE(chart.BottomAxis().FarSide() || chart.LeftAxis().FarSide());
  EXPECT_EQ(chart.LeftAxis().Title().Angle(), 90);
  EXPECT_EQ(chart.RightAxis().Title().Angle(), 270);
  EXPECT_EQ(chart.TopAxis().Title().Angle(), 0);
  EXPECT_FALSE(chart.LeftAxis().Title().IsAngleStored());
}

TEST(AxisBoundsTest, CrossChecksWithExactMessagesExceptWhileLoading) {
  TTestChart chart;
  TChartAxis& a = chart.LeftAxis();
  a.SetMinimum(0);
  a.SetMaximum(25);
  EXPECT_TRUE(a.AutomaticMinimum());  // the bound setters leave the flags alone
  EXPECT_THROW_MSG(a.SetMinimum(30), AxisException, "Axis Minimum Value must be <= Maximum");
  EXPECT_EQ(a.Minimum(), 0);
  EXPECT_THROW_MSG(a.SetMaximum(-1), AxisException, "Axis Maximum Value must be >= Minimum");
  EXPECT_EQ(a.Maximum(), 25);
  a.SetMinimum(25);  // equal bounds are allowed
  EXPECT_EQ(a.Minimum(), 25);

  chart.BeginLoading();
  a.SetMinimum(40);  // a stored pair may arrive in either order
  a.SetMaximum(50);
  chart.EndLoading();
  EXPECT_EQ(a.Minimum(), 40);
  EXPECT_EQ(a.Maximum(), 50);
}

TEST(AxisBoundsTest, SettingABoundTwiceAsksForOneRepaint) {
  TTestChart chart;
  chart.repaints = 0;
  chart.LeftAxis().SetMaximum(25);
  chart.LeftAxis().SetMaximum(25);
  EXPECT_EQ(chart.repaints, 1);
  chart.LeftAxis().SetInverted(false);
  EXPECT_EQ(chart.repaints, 1);
  EXPECT_TRUE(chart.IsStale());
}

TEST(AxisAutomaticTest, CouplesThePartialFlagsUnlessLoading) {
  TTestChart chart;
  TChartAxis& a = chart.BottomAxis();
  chart.repaints = 0;
  a.SetAutomatic(false);
  EXPECT_FALSE(a.AutomaticMinimum() || a.AutomaticMaximum());
  EXPECT_EQ(chart.repaints, 1);  // the coupled flags ask for no repaint of their own
  a.SetAutomaticMaximum(true);
  EXPECT_FALSE(a.Automatic());
  a.SetAutomatic(true);
  EXPECT_TRUE(a.AutomaticMinimum() && a.AutomaticMaximum());
  a.SetAutomaticMinimum(false);
  EXPECT_FALSE(a.Automatic());
  EXPECT_TRUE(a.AutomaticMaximum());

  chart.BeginLoading();
  a.SetAutomatic(true);
  EXPECT_FALSE(a.AutomaticMinimum());
  chart.EndLoading();
}

TEST(AxisAssignRangeTest, OrdersTheBoundsKeepsThemApartAndFixesTheAxis) {
  TTestChart chart;
  TChartAxis& a = chart.BottomAxis();
  a.AssignRange(8, 3);
  EXPECT_EQ(a.Minimum(), 3);
  EXPECT_EQ(a.Maximum(), 8);
  EXPECT_FALSE(a.Automatic() || a.AutomaticMinimum() || a.AutomaticMaximum());
  a.AssignRange(5, 5);
  EXPECT_EQ(a.Minimum(), 5);
  EXPECT_EQ(a.Maximum(), 5.001);
  a.AssignRange(5.0005, 5);  // reversed and too close: AMin, then AMax + 0.001
  EXPECT_EQ(a.Minimum(), 5.0005);
  EXPECT_EQ(a.Maximum(), 5.001);
  // No validation: the bounds may jump past each other in one call.
  a.AssignRange(100, 200);
  EXPECT_EQ(a.Minimum(), 100);
  EXPECT_EQ(a.Maximum(), 200);
}

TEST(AxisValidationTest, IncrementSeparationAndAngles) {
  TTestChart chart;
  TChartAxis& a = chart.LeftAxis();
  EXPECT_THROW_MSG(a.SetIncrement(-0.5), AxisException, "Axis increment must be >= 0");
  EXPECT_EQ(a.Increment(), 0);
  EXPECT_THROW_MSG(a.SetLabelsSeparation(-1), AxisException, "Labels Separation % must be greater than 0");
  a.SetLabelsSeparation(0);
  EXPECT_EQ(a.LabelsSeparation(), 0);

  a.SetLabelsAngle(90);
  a.SetLabelsAngle(360);
  EXPECT_EQ(a.LabelsAngle(), 0);
  EXPECT_THROW_MSG(a.SetLabelsAngle(361), ChartException,
                   "Axis Labels Angle must be between 0 and 359 degrees");
  EXPECT_THROW(a.SetLabelsAngle(-1), ChartException);
  EXPECT_EQ(a.LabelsAngle(), 0);
  EXPECT_THROW_MSG(a.Title().SetAngle(400), ChartException,
                   "Axis Title Angle must be between 0 and 359 degrees");
  EXPECT_EQ(a.Title().Angle(), 90);
}

TEST(AxisLogarithmicTest, RefusesDateTimeAndNegativeResolvedBounds) {
  TTestChart chart;
  TLineSeries& s = chart.CreateSeries<TLineSeries>();
  s.AddPoint(1, -1);
  s.AddPoint(2, 5);
  TChartAxis& left = chart.LeftAxis();
  EXPECT_THROW_MSG(left.SetLogarithmic(true), AxisException,
                   "Logarithmic Axis Min and Max values should be >= 0");
  EXPECT_FALSE(left.Logarithmic());
  s.YValues().SetDateTime(true);
  EXPECT_THROW_MSG(left.SetLogarithmic(true), AxisException, "DateTime Axis cannot be Logarithmic");
  s.YValues().SetDateTime(false);
  s.DeletePoint(0);
  left.SetLogarithmic(true);
  EXPECT_TRUE(left.Logarithmic());
  left.SetLogarithmic(false);  // switching off is never checked
  EXPECT_FALSE(left.Logarithmic());
}

class AxisResolveTest : public ::testing::Test {
 protected:
  void SetUp() override { chart.PlaceLayout({20, 10, 520, 110}); }
  TTestChart chart;
};

TEST_F(AxisResolveTest, AutomaticWithoutPointsResolvesToZeroAndMapsToTheCentre) {
  TLineSeries& empty = chart.CreateSeries<TLineSeries>();
  (void)empty;
  chart.repaints = 0;
  chart.ScaleAxes();
  EXPECT_EQ(chart.repaints, 0);  // resolving writes straight to the bounds
  EXPECT_EQ(chart.BottomAxis().CurrentMinimum(), 0);
  EXPECT_EQ(chart.BottomAxis().CurrentMaximum(), 0);
  EXPECT_EQ(chart.BottomAxis().ValueToPixel(42), 270);
  EXPECT_EQ(chart.LeftAxis().ValueToPixel(-3), 60);
}

TEST_F(AxisResolveTest, AutomaticBoundsComeFromActiveSeriesOnTheAxis) {
  TLineSeries& a = chart.CreateSeries<TLineSeries>();
  TLineSeries& b = chart.CreateSeries<TLineSeries>();
  TLineSeries& other = chart.CreateSeries<TLineSeries>();
  TLineSeries& off = chart.CreateSeries<TLineSeries>();
  a.AddPoint(1, 2);
  a.AddPoint(4, 4);
  b.AddPoint(-2, -3);
  b.AddPoint(3, 1);
  other.SetVertAxis(aRightAxis);
  other.AddPoint(0, 100);
  off.AddPoint(50, -50);
  off.SetActive(false);
  chart.ScaleAxes();
  EXPECT_EQ(chart.LeftAxis().Minimum(), -3);
  EXPECT_EQ(chart.LeftAxis().Maximum(), 4);
  EXPECT_EQ(chart.LeftAxis().CurrentRange(), 7);
  EXPECT_EQ(chart.BottomAxis().Minimum(), -2);
  EXPECT_EQ(chart.BottomAxis().Maximum(), 4);
  EXPECT_EQ(chart.RightAxis().Minimum(), 100);
  EXPECT_EQ(chart.RightAxis().Maximum(), 100);
  EXPECT_EQ(chart.TopAxis().Maximum(), 0);
}

TEST_F(AxisResolveTest, PartlyAutomaticKeepsTheFixedBound) {
  TChartAxis& left = chart.LeftAxis();
  left.SetAutomatic(false);
  left.SetAutomaticMaximum(true);
  left.SetMinimum(-1);
  TLineSeries& s = chart.CreateSeries<TLineSeries>();
  s.AddPoint(0, 3);
  s.AddPoint(1, 7);
  chart.ScaleAxes();
  EXPECT_EQ(left.Minimum(), -1);
  EXPECT_EQ(left.Maximum(), 7);
  s.AddPoint(2, 9);
  chart.ScaleAxes();
  EXPECT_EQ(left.Maximum(), 9);
  EXPECT_EQ(left.CurrentMinimum(), -1);
}

TEST_F(AxisResolveTest, FixedAxesIgnoreTheSeries) {
  TChartAxis& bottom = chart.BottomAxis();
  bottom.SetAutomatic(false);
  bottom.SetMaximum(25);
  TLineSeries& s = chart.CreateSeries<TLineSeries>();
  s.AddPoint(-5, 0);
  s.AddPoint(40, 0);
  chart.ScaleAxes();
  EXPECT_EQ(bottom.CurrentMinimum(), 0);
  EXPECT_EQ(bottom.CurrentMaximum(), 25);
  EXPECT_EQ(bottom.ValueToPixel(12.5), 270);
  EXPECT_EQ(bottom.PixelToValue(270), 12.5);
}

TEST_F(AxisResolveTest, MarginsWidenAFixedAxisButNotItsBounds) {
  chart.PlaceLayout({0, 0, 100, 100});
  TChartAxis& bottom = chart.BottomAxis();
  bottom.AssignRange(0, 26);
  TLineSeries& s = chart.CreateSeries<TLineSeries>();
  s.Pointer().SetVisible(true);  // HorizSize 4: 5 pixels each side
  TLineSeries& small = chart.CreateSeries<TLineSeries>();
  small.Pointer().SetVisible(true);
  small.Pointer().SetHorizSize(2);
  chart.ScaleAxes();
  EXPECT_EQ(bottom.Minimum(), 0);
  EXPECT_EQ(bottom.Maximum(), 26);
  EXPECT_DOUBLE_EQ(bottom.CurrentMinimum(), -5.0 * 26 / 90);
  EXPECT_DOUBLE_EQ(bottom.CurrentMaximum(), 26 + 5.0 * 26 / 90);
  EXPECT_EQ(bottom.ValueToPixel(0), 5);
  EXPECT_EQ(bottom.ValueToPixel(26), 95);
  EXPECT_EQ(chart.PlotRect(), (TRect{0, 0, 100, 100}));  // restored after the widening

  s.Pointer().SetVisible(false);
  small.Pointer().SetVisible(false);
  chart.ScaleAxes();
  EXPECT_EQ(bottom.CurrentMinimum(), 0);
  EXPECT_EQ(bottom.CurrentMaximum(), 26);
}

TEST_F(AxisResolveTest, AbsurdMarkerSizesDoNotOverflowThePixelArithmetic) {
  chart.BottomAxis().AssignRange(0, 26);
  TLineSeries& s = chart.CreateSeries<TLineSeries>();
  s.Pointer().SetVisible(true);
  s.Pointer().SetHorizSize(std::numeric_limits<int>::max());
  EXPECT_EQ(s.HorizMargins().Before, std::numeric_limits<int>::max());
  chart.ScaleAxes();
  EXPECT_LE(chart.BottomAxis().CurrentMinimum(), chart.BottomAxis().CurrentMaximum());
  EXPECT_EQ(chart.PlotRect(), (TRect{20, 10, 520, 110}));
}

TEST_F(AxisResolveTest, ZeroMarginsLeaveAwkwardBoundsExactlyAlone) {
  chart.PlaceLayout({0, 0, 7, 7});
  chart.BottomAxis().AssignRange(0.1, 0.3);
  chart.CreateSeries<TLineSeries>();
  chart.ScaleAxes();
  EXPECT_EQ(chart.BottomAxis().CurrentMinimum(), 0.1);
  EXPECT_EQ(chart.BottomAxis().CurrentMaximum(), 0.3);
}

TEST_F(AxisResolveTest, VerticalMarginsAndInactiveSeries) {
  TChartAxis& left = chart.LeftAxis();
  left.AssignRange(0, 10);
  TPointSeries& points = chart.CreateSeries<TPointSeries>();
  points.Pointer().SetVertSize(3);
  chart.ScaleAxes();
  EXPECT_DOUBLE_EQ(left.CurrentMinimum(), -4.0 * 10 / 92);
  EXPECT_EQ(left.ValueToPixel(10), 14);
  points.SetActive(false);
  chart.ScaleAxes();
  EXPECT_EQ(left.CurrentMinimum(), 0);
}

TEST_F(AxisResolveTest, PagingScalesTheXDirectionToTheShownPage) {
  TLineSeries& s = chart.CreateSeries<TLineSeries>();
  for (int i = 0; i < 25; ++i) s.AddPoint(i * 2, 100 - i);
  chart.SetMaxPointsPerPage(10);
  chart.SetPage(3);
  chart.ScaleAxes();
  EXPECT_EQ(chart.BottomAxis().Minimum(), 40);
  EXPECT_EQ(chart.BottomAxis().Maximum(), 48);
  EXPECT_EQ(chart.LeftAxis().Minimum(), 76);  // Y is not paged
  EXPECT_EQ(chart.LeftAxis().Maximum(), 100);
  chart.SetScaleLastPage(false);
  chart.ScaleAxes();
  EXPECT_EQ(chart.BottomAxis().Maximum(), 40 + 8.0 * 10 / 5);
  chart.SetPage(5);
  chart.ScaleAxes();
  EXPECT_EQ(chart.BottomAxis().Minimum(), 20);
  EXPECT_EQ(chart.BottomAxis().Maximum(), 38);
  s.ClearPoints();
  chart.ScaleAxes();
  EXPECT_EQ(chart.BottomAxis().Maximum(), 0);
}

TEST(AxisShownTest, NeedsBothSwitchesAndAnActiveSeriesWhenAnyUsesAxes) {
  TTestChart chart;
  EXPECT_TRUE(chart.IsAxisShown(chart.TopAxis()));  // no series at all
  TLineSeries& s = chart.CreateSeries<TLineSeries>();
  EXPECT_TRUE(chart.IsAxisShown(chart.BottomAxis()));
  EXPECT_TRUE(chart.IsAxisShown(chart.LeftAxis()));
  EXPECT_FALSE(chart.IsAxisShown(chart.TopAxis()));
  EXPECT_FALSE(chart.IsAxisShown(chart.RightAxis()));
  s.SetActive(false);
  EXPECT_TRUE(chart.IsAxisShown(chart.TopAxis()));
  s.SetActive(true);
  chart.LeftAxis().SetVisible(false);
  EXPECT_FALSE(chart.IsAxisShown(chart.LeftAxis()));
  chart.SetAxisVisible(false);
  EXPECT_FALSE(chart.IsAxisShown(chart.BottomAxis()));
}

TEST(AxisDateTimeTest, AnsweredByTheFirstActiveSeriesOnTheAxis) {
  TTestChart chart;
  EXPECT_FALSE(chart.BottomAxis().IsDateTimeAxis());
  TLineSeries& off = chart.CreateSeries<TLineSeries>();
  off.XValues().SetDateTime(true);
  off.SetActive(false);
  TLineSeries& s = chart.CreateSeries<TLineSeries>();
  EXPECT_FALSE(chart.BottomAxis().IsDateTimeAxis());
  s.XValues().SetDateTime(true);
  EXPECT_TRUE(chart.BottomAxis().IsDateTimeAxis());
  EXPECT_FALSE(chart.LeftAxis().IsDateTimeAxis());
  chart.BottomAxis().UpdateDateTimeFlag();
  EXPECT_TRUE(chart.BottomAxis().IsDateTime());
}

TEST(AxisSubObjectsTest, PensFontsAndTitleRepaintTheChartOnChangeOnly) {
  TTestChart chart;
  TChartAxis& a = chart.BottomAxis();
  chart.repaints = 0;
  a.Grid().SetColor(clRed);
  a.Grid().SetColor(clRed);
  a.LabelsFont().SetSize(10);
  a.Title().SetCaption("Time");
  a.Title().Font().SetColor(clBlue);
  a.Ticks().SetVisible(false);
  EXPECT_EQ(chart.repaints, 5);
}

TEST(AxisAssignTest, CopiesSettingsBoundsAndFlags) {
  TTestChart chart;
  TChartAxis& source = chart.LeftAxis();
  source.AssignRange(2, 9);
  source.SetInverted(true);
  source.Grid().SetColor(clRed);
  source.Title().SetCaption("Inhibition");
  source.SetLabelsAngle(45);
  TChartAxis& target = chart.RightAxis();
  target.Assign(source);
  EXPECT_FALSE(target.Automatic() || target.AutomaticMinimum() || target.AutomaticMaximum());
  EXPECT_EQ(target.Minimum(), 2);
  EXPECT_EQ(target.Maximum(), 9);
  EXPECT_TRUE(target.Inverted());
  EXPECT_EQ(target.Grid().Color(), clRed);
  EXPECT_EQ(target.Title().Caption(), "Inhibition");
  EXPECT_EQ(target.Title().Angle(), 90);
  EXPECT_TRUE(target.Title().IsAngleStored());
  EXPECT_EQ(target.LabelsAngle(), 45);
  EXPECT_FALSE(target.Horizontal());
  EXPECT_TRUE(target.FarSide());
}

TEST(ChartPanelTest, NormalisesThePlotRectangleAgainstThePanel) {
  TTestChart chart;
  chart.SetPanelBounds({0, 0, 593, 153});
  chart.SetPlotRect({18, 5, 575, 148});
  chart.NormalizePlotRect();
  EXPECT_EQ(chart.PlotWidth(), 557);
  EXPECT_EQ(chart.PlotHeight(), 143);
  EXPECT_EQ(chart.PlotCenterX(), 296);
  EXPECT_EQ(chart.PlotCenterY(), 76);
  chart.SetPlotRect({-4, 90, -10, 80});
  chart.NormalizePlotRect();
  EXPECT_EQ(chart.PlotRect(), (TRect{0, 90, 1, 91}));
}

}  // namespace
}  // namespace corvane
