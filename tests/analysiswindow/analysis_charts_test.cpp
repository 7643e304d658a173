#include "analysiswindow/analysis_charts.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <cmath>

#include "chart/line_series.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

using Points = std::vector<std::pair<double, double>>;

THistogram TwoBins() {
  THistogram histogram;
  histogram.Total = 10;
  histogram.Atom = 5;
  histogram.AtomCount = 2;
  histogram.AtomShare = 0.2;
  histogram.Rule = TBinRule::FreedmanDiaconis;
  histogram.Start = 5;
  histogram.Width = 2;
  histogram.Counts = {6, 2};
  histogram.Densities = {0.3, 0.1};
  return histogram;
}

TEST(AnalysisChartsTest, OutlinesTheBinsAsSteps) {
  EXPECT_EQ(HistogramOutline(TwoBins()), (Points{{5, 0}, {5, 0.3}, {7, 0.3}, {7, 0.1}, {9, 0.1}, {9, 0}}));
  EXPECT_TRUE(HistogramOutline(THistogram{}).empty());
}

TEST(AnalysisChartsTest, MergesTheFineDensityWithinTheDataRange) {
  std::vector<std::pair<double, TEstimate>> curve;
  for (int i = 0; i < 10; ++i) curve.push_back({i + 0.5, {static_cast<double>(i), 0}});
  // Within [2, 8]: centres 2.5 .. 7.5, six points, merged in pairs.
  EXPECT_EQ(DensityPoints(curve, 2, 8, 3), (Points{{3, 2.5}, {5, 4.5}, {7, 6.5}}));
  EXPECT_EQ(DensityPoints(curve, 2, 8, 100).size(), 6u);
  EXPECT_TRUE(DensityPoints(curve, 20, 30, 3).empty());
}

TEST(AnalysisChartsTest, TheAtomsFootGivesTheDataShareBesideTheModelsProbability) {
  const TScopedNumberFormat format('.', ',');
  EXPECT_EQ(AtomText(TwoBins(), std::exp(-2.5)),
            "Atom at A = 5: data 2 of 10 (0.2); model P(RT = A) = 0.08208");
  EXPECT_EQ(AtomText(TwoBins(), kNotANumber), "Atom at A = 5: data 2 of 10 (0.2)");
}

TEST(AnalysisChartsTest, DrawTheDataTheBandAndTheModelsLags) {
  QWidget parent;
  TAnalysisCharts charts(&parent);
  std::array<double, kMaxLag> lags;
  lags.fill(-0.1);
  lags[0] = -0.4;
  charts.ShowData(TwoBins(), lags, 100);
  EXPECT_EQ(charts.HistogramSeries().PointCount(), 6);
  EXPECT_EQ(charts.DataLagSeries().PointCount(), kMaxLag);
  EXPECT_DOUBLE_EQ(charts.DataLagSeries().YValueAt(0), -0.4);
  EXPECT_DOUBLE_EQ(charts.UpperBandSeries().YValueAt(0), 0.196);
  ASSERT_EQ(charts.AtomSeries().PointCount(), 2);
  EXPECT_DOUBLE_EQ(charts.AtomSeries().XValueAt(1), 5);
  EXPECT_DOUBLE_EQ(charts.AtomSeries().YValueAt(1), 0.3);  // up to the tallest bin

  TModelClosedForm model;
  for (int j = 0; j < kMaxLag; ++j) model.Autocorrelations[static_cast<std::size_t>(j)] = -0.5 / (j + 1);
  model.AtomProbability = 0.08;
  charts.ShowModel(&model, nullptr);
  EXPECT_EQ(charts.ModelLagSeries().PointCount(), kMaxLag);
  EXPECT_EQ(charts.ModelDensitySeries().PointCount(), 0);  // not simulated yet

  // Fewer than 2 reactions: nothing of the data is drawn.
  charts.ShowData(THistogram{}, lags, 1);
  EXPECT_EQ(charts.HistogramSeries().PointCount(), 0);
  EXPECT_EQ(charts.DataLagSeries().PointCount(), 0);
  EXPECT_EQ(charts.AtomSeries().PointCount(), 0);
}

}  // namespace
}  // namespace corvane
