#include "analysiswindow/qq_points.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <algorithm>
#include <cmath>

#include "analysiswindow/qq_chart.h"
#include "chart/chart.h"
#include "chart/line_series.h"

namespace corvane {
namespace {

// A fit at a law of the independent limit (closed form), as FitByLikelihood reports it.
TLikelihoodFit FitAt(const TStationaryLaw& law, std::span<const double> values) {
  TLikelihoodFit fit;
  fit.Status = TLikelihoodStatus::Fitted;
  fit.Count = values.size();
  fit.Law = law;
  fit.Resolution = 0.001;
  return fit;
}

std::vector<double> Sample(const TStationaryLaw& law, std::size_t n) {
  std::vector<double> values(n);
  SimulateLaw(law, 1, 0, {0.001, 0, 1e3}, 11, values);
  std::sort(values.begin(), values.end());
  return values;
}

TEST(QqPointsTest, EveryOrderStatisticAgainstTheLawsQuantileInsideItsBand) {
  const TStationaryLaw law{5, 1, kInfiniteK, 0.5};
  for (const std::size_t n : {std::size_t{30}, std::size_t{150}}) {
    const std::vector<double> sorted = Sample(law, n);
    const std::vector<TQqPoint> points = QqPointsOf(sorted, FitAt(law, sorted));
    ASSERT_EQ(points.size(), n);
    std::size_t outside = 0;
    for (std::size_t i = 0; i < n; ++i) {
      const TQqPoint& point = points[i];
      EXPECT_EQ(point.Data, sorted[i]);
      const double p = (static_cast<double>(i) + 0.5) / static_cast<double>(n);
      // The law's quantile at the plotting position; the atom's ranks all sit at A.
      EXPECT_NEAR(point.Model, StationaryQuantile(law, p), 1e-6 * point.Model) << i;
      EXPECT_LE(point.Low, point.Model) << i;
      EXPECT_GE(point.High, point.Model) << i;
      outside += point.Data < point.Low || point.Data > point.High ? 1 : 0;
    }
    // Pointwise 95 %: a sample of the law itself leaves few outside.
    EXPECT_LE(outside, n / 5) << n;
  }
}

TEST(QqPointsTest, ALongSeriesGivesRanksSpreadFromFirstToLast) {
  const TStationaryLaw law{5, 1, kInfiniteK, 0.5};
  const std::vector<double> sorted = Sample(law, 1001);
  const std::vector<TQqPoint> points = QqPointsOf(sorted, FitAt(law, sorted));
  ASSERT_EQ(points.size(), kQqMostPoints);
  EXPECT_EQ(points.front().Data, sorted.front());
  EXPECT_EQ(points.back().Data, sorted.back());
  EXPECT_TRUE(std::is_sorted(points.begin(), points.end(),
                             [](const TQqPoint& a, const TQqPoint& b) { return a.Model < b.Model; }));
}

TEST(QqPointsTest, NothingForAFitThatFailedAndAStopEndsIt) {
  const TStationaryLaw law{5, 1, kInfiniteK, 0.5};
  const std::vector<double> sorted = Sample(law, 50);
  TLikelihoodFit failed = FitAt(law, sorted);
  failed.Status = TLikelihoodStatus::NoVariation;
  EXPECT_TRUE(QqPointsOf(sorted, failed).empty());
  std::stop_source stop;
  stop.request_stop();
  TWorkControl control;
  control.Stop = stop.get_token();
  EXPECT_THROW(QqPointsOf(sorted, FitAt(law, sorted), control), EAnalysisCancelled);
}

TEST(QqChartTest, DrawsTheDataTheIdentityAndTheBandAndDescribesThem) {
  QWidget parent;
  TQqChart chart(&parent);
  EXPECT_EQ(chart.Chart().accessibleDescription().toStdString(),
            "QQ chart: empty until the model is fitted by maximum likelihood.");
  std::vector<TQqPoint> points = {{5, 5, 5, 5}, {6, 6.2, 5.8, 6.6}, {9, 7, 6.5, 7.6}, {8, kNotANumber, 1, 2}};
  chart.Show(points, 10);
  EXPECT_EQ(chart.DataSeries().PointCount(), 3) << "a point without its model quantile is left out";
  EXPECT_EQ(chart.DataSeries().YValueAt(2), 9);
  EXPECT_EQ(chart.DataSeries().XValueAt(2), 7);
  EXPECT_EQ(chart.UpperBandSeries().PointCount(), 3);
  // The identity line spans both axes' values.
  ASSERT_EQ(chart.IdentitySeries().PointCount(), 2);
  EXPECT_EQ(chart.IdentitySeries().XValueAt(0), 5);
  EXPECT_EQ(chart.IdentitySeries().YValueAt(1), 9);
  EXPECT_EQ(chart.Chart().accessibleDescription().toStdString(),
            "QQ chart of 10 reaction times against the fitted model (3 order statistics spread over the "
            "ranks): 1 of 3 points outside the pointwise 95 % band.");
  chart.Show({}, 0);
  EXPECT_EQ(chart.DataSeries().PointCount(), 0);
}

}  // namespace
}  // namespace corvane
