// The Series analysis window fitting by maximum likelihood: what it shows equals FitByLikelihood's
// report of the same values and options. Each fit is kept cheap (20 replicates, n = 150).
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <string>
#include <vector>

#include "analysis/stationary_series.h"
#include "analysiswindow/analysis_host.h"
#include "analysiswindow/likelihood_results.h"
#include "analysiswindow/series_analysis_window.h"
#include "chart/chart.h"
#include "chart/line_series.h"
#include "runtime/number_format_settings.h"
#include "simulation/series_record.h"
#include "support/analysis_work.h"

namespace corvane {
namespace {

const TParameterSet kDefaults{5, 1, 1, 0.5, 0.5, 5};
constexpr std::size_t kReplicates = 20;

class FakeHost : public TAnalysisHost {
 public:
  TSeriesRecord& Series() override { return series; }
  std::optional<TParameterSet> FieldParameters() const override { return fields; }
  void ApplyToFields(const TParameterSet& parameters) override { applied.push_back(parameters); }
  void ShowNotice(const std::string& text) override { notices.push_back(text); }

  TSeriesRecord series;
  std::optional<TParameterSet> fields = kDefaults;
  std::vector<TParameterSet> applied;
  std::vector<std::string> notices;
};

std::string Lines(const std::vector<double>& values) {
  std::string text;
  for (double value : values) text += std::to_string(value) + "\n";
  return text;
}

// Independent reactions (k = inf) recorded to the millisecond; seed 1 fits at the boundary.
std::vector<double> IndependentSeries(std::size_t n, std::uint32_t seed) {
  std::vector<double> values(n);
  SimulateLaw({5, 1, kInfiniteK, 0.5}, 1, 0, {0.001, 0, 1e3}, seed, values);
  return values;
}

class LikelihoodWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<TSeriesAnalysisWindow>(host);
    TModelSimulationOptions small;
    small.Reactions = 20'000;
    small.Chunks = 20;
    session().SetSimulationOptions(small);
    TBootstrapOptions bootstrap;
    bootstrap.Replicates = kReplicates;
    bootstrap.Seed = 3;
    session().SetBootstrapOptions(bootstrap);
  }
  void TearDown() override { FinishAnalysisWork(*window); }

  TAnalysisSession& session() { return window->Session(); }
  template <class T>
  T& Child(const char* name) {
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return *found;
  }
  void Load(const std::vector<double>& values) {
    session().LoadText(Lines(values), "rt.txt");
    FinishAnalysisWork(*window);
  }
  // The values as the session holds them (read back from their text).
  std::vector<double> Shown() {
    const auto values = session().Shown().Values();
    return {values.begin(), values.end()};
  }
  // The fit as the window would make it: its options from the session's settings.
  TLikelihoodFit Direct(bool contaminants = false, std::size_t replicates = kReplicates) {
    TLikelihoodFitOptions options;
    options.Likelihood.a1 = host.fields->a1;
    options.Likelihood.Contaminants = contaminants;
    options.Replicates = replicates;
    options.Seed = 3;
    options.DataLag1 = session().Shown().Statistics().Autocorrelations[0];
    return FitByLikelihood(Shown(), options);
  }
  std::string Cell(const char* table, int row, int column) {
    const QTableWidgetItem* item = Child<QTableWidget>(table).item(row, column);
    return item ? item->text().toStdString() : std::string("(none)");
  }

  const TScopedNumberFormat format{'.', ','};
  FakeHost host;
  std::unique_ptr<TSeriesAnalysisWindow> window;
};

TEST_F(LikelihoodWindowTest, TheDefaultMethodFitsByLikelihoodAndShowsWhatTheFitReports) {
  Load(IndependentSeries(150, 2));
  EXPECT_EQ(Child<QComboBox>("FitMethod").currentText().toStdString(), "Maximum likelihood");
  EXPECT_EQ(Child<QLabel>("FitLabel").text().toStdString(), kLikelihoodIntroText);
  Child<QPushButton>("FitButton").click();
  EXPECT_TRUE(session().WorkRunning());
  EXPECT_TRUE(session().Work().Cancellable);
  EXPECT_EQ(session().FitResult().Current(), nullptr) << "the moment fit stays out of it";
  FinishAnalysisWork(*window);

  const TLikelihoodFit direct = Direct();
  const TLikelihoodFit* shown = session().Likelihood().Current();
  ASSERT_NE(shown, nullptr);
  ASSERT_TRUE(shown->Fitted()) << shown->Message;
  ASSERT_TRUE(direct.Boundary) << "the series no longer fits at the boundary: choose another seed";
  for (int p = 0; p < kFitParameterCount; ++p) {
    const auto i = static_cast<std::size_t>(p);
    EXPECT_EQ(shown->Estimates[i], direct.Estimates[i]) << FitParameterName(p);
    EXPECT_EQ(shown->Intervals[i].Low, direct.Intervals[i].Low) << FitParameterName(p);
    EXPECT_EQ(shown->Intervals[i].High, direct.Intervals[i].High) << FitParameterName(p);
  }
  EXPECT_EQ(shown->AIC, direct.AIC);
  EXPECT_EQ(shown->GofP, direct.GofP);
  EXPECT_EQ(shown->Message, direct.Message);

  // The estimates' table, the boundary named, the AIC table and the verdict.
  EXPECT_EQ(session().FitResults().Rows.size(), 8u);
  EXPECT_EQ(Cell("FitTable", kFitK, 0), "k");
  EXPECT_EQ(Cell("FitTable", kFitK, 1), "inf");
  EXPECT_EQ(Cell("FitTable", kFitA, 1), CellText(TTableCell::Number(direct.Estimates[kFitA]), '.'));
  EXPECT_EQ(Cell("FitTable", kFitA, 4), IntervalMethodText(direct.IntervalMethods[kFitA]));
  const std::string text = Child<QLabel>("FitLabel").text().toStdString();
  EXPECT_NE(text.find(". k = inf: independent reactions. Dependence: "), std::string::npos) << text;
  EXPECT_EQ(text, LikelihoodSummaryText(direct));
  EXPECT_EQ(Cell("ComparisonOfDistributions", 1, 0), "ex-Gaussian");
  EXPECT_EQ(Cell("ComparisonOfDistributions", 1, 3),
            CellText(TTableCell::Number(direct.ExGaussian.AIC, 2), '.'));
  EXPECT_EQ(Cell("ComparisonOfDistributions", 0, 3), CellText(TTableCell::Number(direct.AIC, 2), '.'));
  EXPECT_TRUE(Child<QWidget>("LikelihoodViews").isVisibleTo(window.get()));

  // The QQ chart holds every value, sorted, against the model's quantiles.
  const auto* qq = window->findChild<TChart*>("QqChart");
  ASSERT_NE(qq, nullptr);
  const TChartSeries* data = nullptr;
  for (TChartSeries* series : qq->SeriesList())
    if (series->Title() == "Data")
      data = series;
  ASSERT_NE(data, nullptr);
  std::vector<double> sorted = Shown();
  std::sort(sorted.begin(), sorted.end());
  ASSERT_EQ(data->PointCount(), 150);
  for (int i = 0; i < 150; ++i) EXPECT_EQ(data->YValueAt(i), sorted[static_cast<std::size_t>(i)]) << i;
  EXPECT_NE(qq->accessibleDescription().toStdString().find("QQ chart of 150 reaction times"),
            std::string::npos);

  // The charts' fitted lines and the table's fitted column come from the applied parameters; the
  // density from the fitted law itself, over the data's range.
  EXPECT_EQ(session().Table().Header.back(), "Data - fit (SE)");
  const TChartSeries* density = nullptr;
  for (TChartSeries* series : window->findChild<TChart*>("DistributionChart")->SeriesList())
    if (series->Title() == "Fitted model density")
      density = series;
  ASSERT_NE(density, nullptr);
  ASSERT_EQ(density->PointCount(), TLikelihoodSide::kDensityPoints);
  EXPECT_EQ(density->XValueAt(0), sorted.front());
  EXPECT_EQ(density->XValueAt(TLikelihoodSide::kDensityPoints - 1), sorted.back());
  // Above A the independent limit's closed form: e^(-m-s) sqrt(m/s) I1(2 sqrt(m s)) c0, s = c0 (rt - A).
  const TStationaryLaw& law = direct.Law;
  const double middle = density->XValueAt(100);
  EXPECT_NEAR(density->YValueAt(100), StationaryDensity(law, middle), 1e-9);

  // Apply at k = inf writes k = 10^4 and says so.
  Child<QPushButton>("ApplyButton").click();
  ASSERT_EQ(host.applied.size(), 1u);
  EXPECT_DOUBLE_EQ(host.applied[0].c1 / host.applied[0].a1, 1e4);
  EXPECT_DOUBLE_EQ(host.applied[0].A, direct.Estimates[kFitA]);
  EXPECT_DOUBLE_EQ(host.applied[0].c0, direct.Estimates[kFitC0]);
  EXPECT_DOUBLE_EQ(host.applied[0].a0, direct.Estimates[kFitA0]);
  window->RefreshNow();
  EXPECT_EQ(Child<QLabel>("WorkLabel").text().toStdString(), BoundaryApplyText(direct));

  // Copy results: the estimates, then the AIC table.
  window->CopyFitResults();
  const std::string copied = QGuiApplication::clipboard()->text().toStdString();
  EXPECT_EQ(copied,
            TableTsv(session().FitResults(), '.') + "\n" + TableTsv(session().DistributionComparison(), '.'));
}

TEST_F(LikelihoodWindowTest, CancelMidFitLeavesNoResults) {
  Load(IndependentSeries(150, 1));
  Child<QPushButton>("FitButton").click();
  ASSERT_TRUE(session().WorkRunning());
  Child<QPushButton>("CancelButton").click();
  FinishAnalysisWork(*window);
  EXPECT_EQ(session().Likelihood().Current(), nullptr);
  EXPECT_FALSE(session().Fitted());
  EXPECT_TRUE(session().FitResults().Rows.empty());
  EXPECT_TRUE(session().DistributionComparison().Rows.empty());
  EXPECT_FALSE(Child<QWidget>("FitTable").isVisibleTo(window.get()));
  EXPECT_FALSE(Child<QWidget>("LikelihoodViews").isVisibleTo(window.get()));
  EXPECT_FALSE(Child<QPushButton>("ApplyButton").isEnabled());
  EXPECT_EQ(session().Table().Header.back(), "Data - model (SE)");
  EXPECT_EQ(Child<QLabel>("FitLabel").text().toStdString(),
            "The fit by maximum likelihood was cancelled; nothing was fitted.");
  Child<QPushButton>("ApplyButton").click();
  EXPECT_TRUE(host.applied.empty());
}

TEST_F(LikelihoodWindowTest, ContaminantsAddTheirShareAndTheMomentsMethodStaysAsItWas) {
  TBootstrapOptions none;
  none.Replicates = 0;
  none.Seed = 3;
  session().SetBootstrapOptions(none);
  Load(IndependentSeries(150, 1));
  Child<QCheckBox>("Contaminants").setChecked(true);
  Child<QPushButton>("FitButton").click();
  FinishAnalysisWork(*window);
  ASSERT_TRUE(session().Likelihood().Fitted());
  const TLikelihoodFit with = Direct(true, 0);
  EXPECT_EQ(session().Likelihood().Current()->ContaminantShare, with.ContaminantShare);
  EXPECT_TRUE(std::isfinite(with.ContaminantShare));
  EXPECT_EQ(Cell("FitTable", 8, 0), "contaminants");
  EXPECT_EQ(Cell("FitTable", 8, 1), CellText(TTableCell::Number(with.ContaminantShare), '.'));

  Child<QCheckBox>("Contaminants").setChecked(false);
  Child<QPushButton>("FitButton").click();
  FinishAnalysisWork(*window);
  ASSERT_TRUE(session().Likelihood().Fitted());
  EXPECT_TRUE(std::isnan(session().Likelihood().Current()->ContaminantShare));
  EXPECT_EQ(Child<QTableWidget>("FitTable").rowCount(), 8);

  // Moments: today's fit, its table, no likelihood views; contaminants do not apply.
  Child<QComboBox>("FitMethod").setCurrentIndex(1);
  EXPECT_FALSE(Child<QCheckBox>("Contaminants").isEnabled());
  Child<QPushButton>("FitButton").click();
  FinishAnalysisWork(*window);
  EXPECT_FALSE(session().Likelihood().Active());
  ASSERT_NE(session().FitResult().Current(), nullptr);
  EXPECT_EQ(session().FitText(), Child<QLabel>("FitLabel").text().toStdString());
  EXPECT_EQ(Cell("FitTable", 0, 4), "sample minimum");
  EXPECT_FALSE(Child<QWidget>("LikelihoodViews").isVisibleTo(window.get()));
}

// A fit's results read whole in the window at 1280 by 800 (its opening height there, 720).
TEST_F(LikelihoodWindowTest, TheResultsReadWithoutScrollingAt1280By800) {
  TBootstrapOptions none;
  none.Replicates = 0;
  session().SetBootstrapOptions(none);
  Load(IndependentSeries(150, 2));
  window->show();
  window->resize(1270, 720);
  for (const int method : {1, 0}) {
    Child<QComboBox>("FitMethod").setCurrentIndex(method);
    Child<QPushButton>("FitButton").click();
    FinishAnalysisWork(*window);
    QApplication::processEvents();
    EXPECT_EQ(window->size(), QSize(1270, 720)) << "method " << method;
    for (const char* name : {"FitTable", "ComparisonOfDistributions"}) {
      const auto& table = Child<QTableWidget>(name);
      if (!table.isVisibleTo(window.get()))
        continue;
      const int last = table.rowCount() - 1;
      EXPECT_LE(table.rowViewportPosition(last) + table.rowHeight(last), table.viewport()->height())
          << name << ", method " << method;
      EXPECT_LE(table.horizontalHeader()->length(), table.viewport()->width())
          << name << ", method " << method;
      EXPECT_FALSE(table.horizontalScrollBar()->isVisible()) << name;
      const QRect on_window(table.mapTo(window.get(), QPoint(0, 0)), table.size());
      EXPECT_TRUE(window->rect().contains(on_window)) << name << ", method " << method;
    }
  }
  EXPECT_GE(window->findChild<TChart*>("QqChart")->height(), 150);
  EXPECT_GE(window->findChild<TChart*>("DistributionChart")->height(), 80);
}

// The window's width is the user's: neither the fit's new table columns nor the results panel
// widen it, on a screen that would have room (800 wide offscreen).
TEST_F(LikelihoodWindowTest, AFitLeavesTheWindowsWidthAsItWas) {
  TBootstrapOptions none;
  none.Replicates = 0;
  session().SetBootstrapOptions(none);
  Load(IndependentSeries(150, 1));
  window->show();
  window->resize(720, 560);
  QApplication::processEvents();
  ASSERT_LT(window->width(), window->screen()->availableGeometry().width());
  const int width = window->width();
  for (const int method : {1, 0}) {
    Child<QComboBox>("FitMethod").setCurrentIndex(method);
    Child<QPushButton>("FitButton").click();
    FinishAnalysisWork(*window);
    QApplication::processEvents();
    EXPECT_EQ(window->width(), width) << "method " << method;
  }
}

}  // namespace
}  // namespace corvane
