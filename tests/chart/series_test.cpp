#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/chart_errors.h"
#include "chart/chart_series.h"
#include "chart/line_series.h"
#include "chart_support.h"
#include "support/expect_throw_msg.h"

namespace corvane {
namespace {

using testing::TTestChart;

std::vector<double> Xs(const TChartSeries& s) {
  std::vector<double> out;
  for (int i = 0; i < s.PointCount(); ++i) out.push_back(s.XValueAt(i));
  return out;
}

TEST(SeriesAddTest, YColoursAndLabelsFollowTheXIndex) {
  TLineSeries s;
  EXPECT_EQ(s.AddPoint(1, 10, "a", clRed), 0);
  EXPECT_EQ(s.AddPoint(3, 30, "c", clBlue), 1);
  EXPECT_EQ(s.AddPoint(2, 20, "", clGreen), 1);
  EXPECT_EQ(s.AddPoint(2, 21, "b2", clLime), 2);
  EXPECT_EQ(Xs(s), (std::vector<double>{1, 2, 2, 3}));
  EXPECT_EQ(s.YValueAt(1), 20);
  EXPECT_EQ(s.YValueAt(2), 21);
  EXPECT_EQ(s.PointColor(1), clGreen);
  EXPECT_EQ(s.PointColor(3), clBlue);
  EXPECT_EQ(s.PointLabel(1), "");  // empty label stored as none
  EXPECT_EQ(s.PointLabel(2), "b2");
  EXPECT_EQ(s.PointLabel(3), "c");
  EXPECT_EQ(s.MinX(), 1);
  EXPECT_EQ(s.MaxX(), 3);
  EXPECT_EQ(s.MinY(), 10);
  EXPECT_EQ(s.MaxY(), 30);
}

TEST(SeriesAddTest, AFirstLabelAfterUnlabelledPointsLandsAtItsIndex) {
  TLineSeries s;
  s.AddPoint(1, 0);
  s.AddPoint(3, 0);
  s.AddPoint(2, 0, "two");
  s.AddPoint(4, 0);
  EXPECT_EQ(s.PointLabel(0), "");
  EXPECT_EQ(s.PointLabel(1), "two");
  EXPECT_EQ(s.PointLabel(2), "");
  EXPECT_EQ(s.PointLabel(3), "");
  s.DeletePoint(0);
  EXPECT_EQ(s.PointLabel(0), "two");
  s.ClearPoints();
  s.AddPoint(1, 0);
  EXPECT_EQ(s.PointLabel(0), "");
}

TEST(SeriesAddTest, AddValueAndAddGapUseThePointCountAsX) {
  TLineSeries s;
  EXPECT_EQ(s.AddValue(5), 0);
  EXPECT_EQ(s.AddGap("gap"), 1);
  EXPECT_EQ(s.XValueAt(1), 1);
  EXPECT_EQ(s.YValueAt(1), 0);
  EXPECT_EQ(s.PointColor(1), clNone);
  EXPECT_EQ(s.PointLabel(1), "gap");
}

TEST(SeriesAddTest, EmptyAndClearedSeriesReadZeroExtremes) {
  TLineSeries s;
  EXPECT_EQ(s.PointCount(), 0);
  EXPECT_EQ(s.MinX(), 0);
  EXPECT_EQ(s.MaxY(), 0);
  s.AddPoint(4, -7);
  s.AddPoint(9, 8);
  s.ClearPoints();
  EXPECT_EQ(s.PointCount(), 0);
  EXPECT_EQ(s.MinX(), 0);
  EXPECT_EQ(s.MaxX(), 0);
  EXPECT_EQ(s.MinY(), 0);
  EXPECT_EQ(s.MaxY(), 0);
  EXPECT_EQ(s.PointColors().size(), 0u);
}

TEST(SeriesAddTest, MultiplierScalesTheSeriesExtremes) {
  TLineSeries s;
  s.YValues().SetMultiplier(2);
  s.AddPoint(0, 5);
  EXPECT_EQ(s.YValueAt(0), 10);
  EXPECT_EQ(s.MaxY(), 10);
}

TEST(SeriesEventsTest, BeforeAddVetoesOrChangesThePoint) {
  TTestChart chart;
  TLineSeries s;
  s.SetParentChart(&chart);
  int after = 0;
  s.OnAfterAdd = [&](TChartSeries&, int) { ++after; };
  s.OnBeforeAdd = [](TChartSeries&) { return false; };
  chart.repaints = 0;
  EXPECT_EQ(s.AddPoint(1, 2), -1);
  EXPECT_EQ(s.PointCount(), 0);
  EXPECT_EQ(after, 0);
  EXPECT_EQ(chart.repaints, 0);

  // The pending values are read after the event.
  s.OnBeforeAdd = [](TChartSeries& sender) {
    sender.XValues().SetPendingValue(7);
    sender.YValues().SetPendingValue(70);
    return true;
  };
  EXPECT_EQ(s.AddPoint(1, 2), 0);
  EXPECT_EQ(s.XValueAt(0), 7);
  EXPECT_EQ(s.YValueAt(0), 70);
  EXPECT_EQ(after, 1);
}

TEST(SeriesEventsTest, AfterAddReportsTheIndexAndClearFiresOnClearValues) {
  TLineSeries s;
  std::vector<int> indices;
  int clears = 0;
  s.OnAfterAdd = [&](TChartSeries&, int index) { indices.push_back(index); };
  s.OnClearValues = [&](TChartSeries& sender) {
    EXPECT_EQ(sender.PointCount(), 0);  // fired after the lists are emptied
    ++clears;
  };
  s.AddPoint(5, 0);
  s.AddPoint(1, 0);
  s.ClearPoints();
  EXPECT_EQ(indices, (std::vector<int>{0, 0}));
  EXPECT_EQ(clears, 1);
}

TEST(SeriesRepaintTest, InactiveAddAsksForNoRepaintButClearAndDeleteDo) {
  TTestChart chart;
  TLineSeries s;
  s.SetParentChart(&chart);
  s.AddPoint(1, 1);
  s.AddPoint(2, 2);
  s.SetActive(false);
  chart.repaints = 0;
  s.AddPoint(3, 3);
  EXPECT_EQ(chart.repaints, 0);
  EXPECT_EQ(s.PointCount(), 3);
  s.DeletePoint(0);
  EXPECT_EQ(chart.repaints, 1);
  s.ClearPoints();
  EXPECT_EQ(chart.repaints, 2);
  s.SetActive(true);
  chart.repaints = 0;
  s.AddPoint(1, 1);
  EXPECT_EQ(chart.repaints, 1);
}

TEST(SeriesRepaintTest, SettersRepaintOnlyOnChangeAndSubObjectsReport) {
  TTestChart chart;
  TLineSeries s;
  s.SetParentChart(&chart);
  chart.repaints = 0;
  s.SetSeriesColor(clBlue);
  s.SetSeriesColor(clBlue);
  s.SetTitle("T");
  s.SetTitle("T");
  EXPECT_EQ(chart.repaints, 2);
  s.Pointer().SetStyle(psCircle);
  s.Pointer().Brush().SetColor(clLightYellow);
  s.LinePen().SetWidth(2);
  s.Marks().SetVisible(true);
  EXPECT_EQ(chart.repaints, 6);
  s.Pointer().Brush().SetColor(clLightYellow);
  EXPECT_EQ(chart.repaints, 6);
}

TEST(SeriesDeleteTest, RemovesTheValuesColourAndLabelAtTheIndex) {
  TLineSeries s;
  s.AddPoint(1, -4, "a", clRed);
  s.AddPoint(2, 6, "b", clBlue);
  s.AddPoint(3, 1, "c", clGreen);
  s.DeletePoint(1);
  EXPECT_EQ(Xs(s), (std::vector<double>{1, 3}));
  EXPECT_EQ(s.PointColor(1), clGreen);
  EXPECT_EQ(s.PointLabel(1), "c");
  EXPECT_EQ(s.MaxY(), 1);
  EXPECT_THROW(s.DeletePoint(2), EListError);
  EXPECT_EQ(s.PointCount(), 2);
}

TEST(SeriesColoursTest, AutoPointColourIsTheSeriesOrPaletteColour) {
  TLineSeries s;
  s.SetSeriesColor(clBlue);
  s.AddPoint(0, 0);
  s.AddPoint(1, 0, "", clAutoColor);
  s.AddPoint(2, 0, "", clMaroon);
  EXPECT_EQ(s.PointColor(1), clBlue);
  EXPECT_EQ(s.PointColor(2), clMaroon);
  EXPECT_EQ(s.PointColor(99), clBlue);  // beyond the colour list
  s.SetColorEachPoint(true);
  EXPECT_EQ(s.PointColor(0), clRed);
  EXPECT_EQ(s.PointColor(1), clGreen);
  EXPECT_EQ(s.PointColor(2), clMaroon);
  EXPECT_EQ(s.PointLabel(99), "");
}

TEST(SeriesBindingTest, AttachHandsOutFreePaletteColoursAndKeepsStoredOnes) {
  TTestChart chart;
  TLineSeries first, second, stored;
  stored.SetSeriesColor(clBlue);
  stored.SetParentChart(&chart);
  first.SetParentChart(&chart);
  second.SetParentChart(&chart);
  EXPECT_EQ(stored.SeriesColor(), clBlue);
  EXPECT_EQ(first.SeriesColor(), clRed);
  EXPECT_EQ(second.SeriesColor(), clGreen);
  EXPECT_EQ(chart.SeriesList().Count(), 3);
  EXPECT_EQ(&chart.SeriesList().At(1), &first);
}

TEST(SeriesBindingTest, FreeColourSkipsThePanelColours) {
  TTestChart chart;
  chart.SetColor(clRed);
  chart.SetBackColor(clGreen);
  TLineSeries yellow;
  yellow.SetSeriesColor(clYellow);
  yellow.SetParentChart(&chart);
  TLineSeries s;
  s.SetParentChart(&chart);
  EXPECT_EQ(s.SeriesColor(), clBlue);
}

TEST(SeriesBindingTest, FreeColourFallsBackToRedWhenThePaletteIsTaken) {
  TTestChart chart;
  std::vector<std::unique_ptr<TLineSeries>> all;
  for (int i = 0; i < 16; ++i) {
    all.push_back(std::make_unique<TLineSeries>());
    all.back()->SetParentChart(&chart);
  }
  EXPECT_EQ(all[15]->SeriesColor(), clBlack);
  TLineSeries extra;
  extra.SetParentChart(&chart);
  EXPECT_EQ(extra.SeriesColor(), clRed);
}

TEST(SeriesBindingTest, MovingBetweenChartsAndActiveCount) {
  TTestChart a, b;
  TLineSeries s, t;
  s.SetParentChart(&a);
  t.SetParentChart(&a);
  t.SetActive(false);
  EXPECT_EQ(a.SeriesList().ActiveCount(), 1);
  b.repaints = 0;
  s.SetParentChart(&b);
  EXPECT_EQ(a.SeriesList().Count(), 1);
  EXPECT_EQ(b.SeriesList().Count(), 1);
  EXPECT_EQ(s.ParentChart(), &b);
  EXPECT_EQ(b.repaints, 1);
  b.AttachSeries(t);  // attaching directly takes it out of the other chart too
  EXPECT_EQ(a.SeriesList().Count(), 0);
  EXPECT_EQ(t.ParentChart(), &b);
  b.AttachSeries(t);
  EXPECT_EQ(b.SeriesList().Count(), 2);
  s.SetParentChart(nullptr);
  EXPECT_EQ(b.SeriesList().Count(), 1);
}

TEST(SeriesBindingTest, DetachRestoresTheChartCursorTakenFromTheSeries) {
  TTestChart chart;
  chart.SetOriginalCursor(0);
  TLineSeries s;
  s.SetCursor(-21);
  s.SetParentChart(&chart);
  chart.SetCursor(-21);
  s.SetParentChart(nullptr);
  EXPECT_EQ(chart.Cursor(), 0);
}

TEST(SeriesLifetimeTest, EitherSideMayGoFirst) {
  auto chart = std::make_unique<TTestChart>();
  auto outside = std::make_unique<TLineSeries>();
  outside->SetParentChart(chart.get());
  int owned_clears = 0;
  TLineSeries& owned = chart->CreateSeries<TLineSeries>();
  owned.OnClearValues = [&](TChartSeries&) { ++owned_clears; };
  EXPECT_EQ(owned.ParentChart(), chart.get());
  {
    TLineSeries scoped;
    scoped.SetParentChart(chart.get());
    EXPECT_EQ(chart->SeriesList().Count(), 3);
  }
  EXPECT_EQ(chart->SeriesList().Count(), 2);
  chart->repaints = 0;
  chart.reset();
  EXPECT_EQ(owned_clears, 1);  // the owned series was freed, clearing itself
  EXPECT_EQ(outside->ParentChart(), nullptr);
  outside->AddPoint(1, 1);  // still usable on its own
}

TEST(SeriesKindsTest, LineAndPointSeriesDefaultsAndCopying) {
  TLineSeries line;
  TPointSeries points;
  EXPECT_FALSE(line.Pointer().Visible());
  EXPECT_TRUE(line.DrawsLines());
  EXPECT_TRUE(points.Pointer().Visible());
  EXPECT_FALSE(points.DrawsLines());
  EXPECT_FALSE(points.LineHitTest());
  EXPECT_EQ(points.Marks().ArrowLength(), 0);
  EXPECT_EQ(line.Marks().ArrowLength(), 8);
  EXPECT_FALSE(line.Marks().Visible());
  EXPECT_EQ(line.SeriesColor(), clAutoColor);
  EXPECT_EQ(line.XValues().Name(), "X");
  EXPECT_EQ(line.XValues().Order(), loAscending);
  EXPECT_EQ(line.YValues().Order(), loNone);
  EXPECT_EQ(line.ValueFormat(), "#,##0.###");
  EXPECT_EQ(line.PercentFormat(), "##0.## %");
  EXPECT_EQ(line.FirstShownIndex(), -1);

  points.SetSeriesColor(clYellow);
  points.Pointer().SetStyle(psDownTriangle);
  points.SetVertAxis(aRightAxis);
  line.Assign(points);
  EXPECT_EQ(line.SeriesColor(), clYellow);
  EXPECT_EQ(line.Pointer().Style(), psDownTriangle);
  EXPECT_EQ(line.VertAxis(), aRightAxis);
  EXPECT_FALSE(line.Pointer().Visible());  // forced by the line kind
  EXPECT_TRUE(line.DrawsLines());
}

TEST(SeriesPointerTest, SizesMustBePositiveAndGiveTheMargins) {
  TLineSeries s;
  EXPECT_EQ(s.HorizMargins(), TMarginPair{});  // hidden pointer: no margins
  s.Pointer().SetVisible(true);
  EXPECT_EQ(s.HorizMargins(), (TMarginPair{5, 5}));
  s.Pointer().SetHorizSize(3);
  s.Pointer().SetVertSize(1);
  EXPECT_EQ(s.HorizMargins(), (TMarginPair{4, 4}));
  EXPECT_EQ(s.VertMargins(), (TMarginPair{2, 2}));
  EXPECT_THROW_MSG(s.Pointer().SetHorizSize(0), ChartException, "Pointer size must be greater than zero");
  EXPECT_THROW(s.Pointer().SetVertSize(-3), ChartException);
  EXPECT_EQ(s.Pointer().HorizSize(), 3);
  EXPECT_EQ(s.Pointer().VertSize(), 1);
  s.Pointer().SetInflateMargins(false);
  EXPECT_EQ(s.VertMargins(), TMarginPair{});
}

TEST(SeriesDataSourceTest, DependentsFollowTheirSourceAndForgetItWhenItGoes) {
  auto source = std::make_unique<TLineSeries>();
  TLineSeries dependent;
  source->AddPoint(1, 10);
  dependent.SetDataSource(source.get());
  source->AddPoint(2, 20);
  EXPECT_EQ(dependent.PointCount(), 1);
  EXPECT_EQ(dependent.YValueAt(0), 20);
  source->YValues().SetMultiplier(2);  // recalculate: the dependent re-reads all points
  EXPECT_EQ(dependent.PointCount(), 2);
  EXPECT_EQ(dependent.YValueAt(1), 40);
  source->ClearPoints();
  EXPECT_EQ(dependent.PointCount(), 0);
  source.reset();
  EXPECT_EQ(dependent.DataSource(), nullptr);
}

}  // namespace
}  // namespace corvane
