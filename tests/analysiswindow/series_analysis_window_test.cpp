#include "analysiswindow/series_analysis_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <fstream>
#include <string>
#include <vector>

#include "analysis/stationary_series.h"
#include "analysiswindow/analysis_charts.h"
#include "analysiswindow/analysis_host.h"
#include "analysiswindow/series_feed.h"
#include "chart/line_series.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

const TParameterSet kDefaults{5, 1, 1, 0.5, 0.5, 5};
const TParameterSet kOther{3, 0.6, 1.5, 0.9, 0.7, 6};

// The main window as the analysis sees it: a feed, six fields and a notice box that records.
class FakeHost : public TAnalysisHost {
 public:
  TSeriesFeed& Feed() override { return feed; }
  std::optional<TParameterSet> FieldParameters() const override { return fields; }
  void ApplyToFields(const TParameterSet& parameters) override { applied.push_back(parameters); }
  void ShowNotice(const std::string& text) override { notices.push_back(text); }

  void ChangeFields(const TParameterSet& parameters) {
    fields = parameters;
    feed.NotifyFieldsChanged();
  }

  TSeriesFeed feed;
  std::optional<TParameterSet> fields = kDefaults;
  std::vector<TParameterSet> applied;
  std::vector<std::string> notices;
};

std::vector<double> ModelSeries(const TParameterSet& P, std::size_t n, std::uint32_t seed) {
  TStationarySeries series(P, seed);
  std::vector<double> times(n);
  series.Fill(times);
  return times;
}

std::string Lines(const std::vector<double>& values) {
  std::string text;
  for (double value : values) text += std::to_string(value) + "\n";
  return text;
}

class SeriesAnalysisWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<TSeriesAnalysisWindow>(host);
    window->SetSimulationOptions(Small());
    TBootstrapOptions bootstrap;
    bootstrap.Replicates = 50;
    window->SetBootstrapOptions(bootstrap);
  }
  void TearDown() override { window->FinishBackgroundWork(); }

  static TModelSimulationOptions Small() {
    TModelSimulationOptions options;
    options.Reactions = 20'000;
    options.Chunks = 20;
    return options;
  }

  void Record(const TParameterSet& P, const std::vector<double>& times) {
    for (double time : times) host.feed.Record(time, P);
  }

  const TScopedNumberFormat format{'.', ','};
  FakeHost host;
  std::unique_ptr<TSeriesAnalysisWindow> window;
};

TEST_F(SeriesAnalysisWindowTest, SaysWhatItNeedsBelowTwoReactions) {
  window->RefreshNow();
  EXPECT_EQ(window->NoteText(),
            "The analysis needs at least 2 reactions; the series has 0. Press \"Start Reaction Time\" to "
            "record more.");
  Record(kDefaults, {7.5});
  window->RefreshNow();
  EXPECT_NE(window->NoteText().find("the series has 1."), std::string::npos);
  EXPECT_EQ(window->Charts().HistogramSeries().PointCount(), 0);
  EXPECT_EQ(window->Charts().DataLagSeries().PointCount(), 0);
  Record(kDefaults, {9.25});
  window->RefreshNow();
  EXPECT_EQ(window->NoteText(), "");
  EXPECT_GT(window->Charts().HistogramSeries().PointCount(), 0);
}

TEST_F(SeriesAnalysisWindowTest, SaysWhenTheSeriesMixesSetsAndUsesTheLatest) {
  Record(kDefaults, ModelSeries(kDefaults, 30, 1));
  Record(kOther, ModelSeries(kOther, 30, 2));
  window->RefreshNow();
  EXPECT_EQ(
      window->NoteText(),
      "The series mixes 2 parameter sets (fields changed without \"Begin new RT series\"); the model uses "
      "the latest set.");
  ASSERT_TRUE(window->ModelParameters());
  EXPECT_TRUE(SameModel(*window->ModelParameters(), kOther));
  host.feed.Clear();
  EXPECT_EQ(window->NoteText().find("mixes"), std::string::npos);
}

TEST_F(SeriesAnalysisWindowTest, ShowsClosedFormAtOnceAndTheSimulatedFiguresWhenDone) {
  Record(kDefaults, ModelSeries(kDefaults, 200, 3));
  window->RefreshNow();
  ASSERT_TRUE(window->ModelTask().Running());
  const std::string before = window->TableClipboardText();
  EXPECT_NE(before.find("\nmean\t"), std::string::npos);
  EXPECT_NE(before.find("\tclosed form\t"), std::string::npos);
  EXPECT_NE(before.find("\tbeing computed\t"), std::string::npos);
  EXPECT_NE(window->ModelText().find("being computed"), std::string::npos);

  window->FinishBackgroundWork();
  ASSERT_NE(window->ModelSimulation(), nullptr);
  const std::string after = window->TableClipboardText();
  EXPECT_EQ(after.find("being computed"), std::string::npos);
  EXPECT_NE(after.find("\tsimulation \u00b1 "), std::string::npos);
  EXPECT_GT(window->Charts().ModelDensitySeries().PointCount(), 0);
  // Row "mean": data, the model's A(1 + a1/a0) = 10 in closed form.
  EXPECT_NE(after.find("\t10\tclosed form\t"), std::string::npos);
}

// Every cell of the table is readable in full, however its texts change during a run, and a window
// wide enough shows the table without sideways scrolling.
TEST_F(SeriesAnalysisWindowTest, TheTableShowsEveryFigureWhole) {
  auto& view = *window->findChild<QTableWidget*>("ComparisonTable");
  window->show();
  const auto expect_whole = [&](const char* when) {
    const QFontMetrics metrics(view.font());
    for (int r = 0; r < view.rowCount(); ++r)
      for (int c = 0; c < view.columnCount(); ++c)
        if (const QTableWidgetItem* item = view.item(r, c)) {
          EXPECT_LE(metrics.horizontalAdvance(item->text()), view.columnWidth(c))
              << when << ": " << item->text().toStdString();
        }
  };
  // Texts of one length but different widths: "-0.0749525" first, then digits only.
  std::vector<double> times = ModelSeries(kDefaults, 40, 4);
  Record(kDefaults, times);
  window->RefreshNow();
  window->FinishBackgroundWork();
  window->RefreshNow();
  expect_whole("after the simulation");
  for (std::uint32_t seed = 5; seed < 9; ++seed) {
    Record(kDefaults, ModelSeries(kDefaults, 15, seed));
    window->RefreshNow();
    expect_whole("during the run");
  }
  // The window opens within the screen (800 wide offscreen); given the room, the table takes its
  // full width and the charts the rest.
  EXPECT_LE(window->width(), window->screen()->availableGeometry().width());
  window->resize(1400, 720);
  QApplication::processEvents();
  EXPECT_FALSE(view.horizontalScrollBar()->isVisible()) << "the window is " << window->width() << " wide";
  EXPECT_GE(view.width(), view.horizontalHeader()->length());
}

TEST_F(SeriesAnalysisWindowTest, AFieldChangeMidSimulationCancelsAndRestartsIt) {
  // Loaded data take their model from the fields, so the fields steer the simulation.
  window->SetSimulationOptions({50'000'000, 100, 1, 2000});  // long enough to be caught running
  window->LoadText(Lines(ModelSeries(kDefaults, 100, 4)), "rt.txt");
  QElapsedTimer waited;
  waited.start();
  while (window->ShowsSeries() && waited.elapsed() < 10'000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);  // the load only
  ASSERT_FALSE(window->ShowsSeries());
  ASSERT_TRUE(window->ModelTask().Running());
  window->SetSimulationOptions(Small());
  host.ChangeFields(kOther);
  EXPECT_TRUE(SameModel(*window->ModelParameters(), kOther));
  EXPECT_EQ(window->ModelSimulation(), nullptr);
  window->FinishBackgroundWork();  // ends at once if the long run was cancelled
  ASSERT_NE(window->ModelSimulation(), nullptr);
  EXPECT_EQ(window->ModelSimulation()->Reactions, 20'000u);  // the new run's, not the stopped one's
}

TEST_F(SeriesAnalysisWindowTest, CopyTableGivesTheRowsAsTabsWithTheLocalesMark) {
  Record(kDefaults, {5, 7.5, 10, 12.5});
  window->FinishBackgroundWork();
  window->CopyTable();
  const std::string copied = QGuiApplication::clipboard()->text().toStdString();
  EXPECT_EQ(copied, window->TableClipboardText());
  EXPECT_EQ(copied.substr(0, copied.find('\n')),
            "Statistic\tData\tModel\tModel from\tStandard error\tData - model (SE)");
  EXPECT_NE(copied.find("\nn\t4\t"), std::string::npos);
  EXPECT_NE(copied.find("\nmean\t8.75\t10\tclosed form\t"), std::string::npos);
  const TScopedNumberFormat comma(',', '.');
  window->RefreshNow();
  EXPECT_NE(window->TableClipboardText().find("\nmean\t8,75\t10\tclosed form\t"), std::string::npos);
  EXPECT_NE(window->TableCsvText().find("\nmean,8.75,10,closed form,"), std::string::npos);
}

TEST_F(SeriesAnalysisWindowTest, ARejectedTextChangesNothingAndNamesTheFirstBadLine) {
  Record(kDefaults, {5, 7.5, 10});
  window->FinishBackgroundWork();
  const std::string table = window->TableClipboardText();
  struct Case {
    std::string text;
    const char* expected;
  };
  std::string with_bad_line = Lines(ModelSeries(kDefaults, 30, 5));
  with_bad_line.insert(with_bad_line.find('\n', 20) + 1, "abc\n");
  const Case cases[] = {
      {"7.5\n-2\n" + Lines(ModelSeries(kDefaults, 30, 5)), "line 2"},
      {with_bad_line, "'abc'"},
      {"7.5\n8\n", "at least 20"},
  };
  for (const Case& c : cases) {
    host.notices.clear();
    window->LoadText(c.text, "bad.txt");
    window->FinishBackgroundWork();
    ASSERT_EQ(host.notices.size(), 1u) << c.expected;
    EXPECT_EQ(host.notices[0].rfind("Cannot read bad.txt: ", 0), 0u) << host.notices[0];
    EXPECT_NE(host.notices[0].find(c.expected), std::string::npos) << host.notices[0];
    EXPECT_TRUE(window->ShowsSeries());
    EXPECT_EQ(window->Shown().Count(), 3u);
    EXPECT_EQ(window->TableClipboardText(), table);
  }
  // A file that cannot be read at all.
  host.notices.clear();
  window->OpenReactionTimesFile("/nonexistent/rt.txt");
  ASSERT_EQ(host.notices.size(), 1u);
  EXPECT_EQ(host.notices[0].rfind("Cannot read rt.txt: ", 0), 0u);
  EXPECT_TRUE(window->ShowsSeries());
}

TEST_F(SeriesAnalysisWindowTest, LoadsATableByTheChosenColumnAndSwitchesBack) {
  Record(kDefaults, {5, 7.5, 10});
  std::string csv = "subject,rt\n";
  for (double time : ModelSeries(kDefaults, 40, 6)) csv += "s1," + std::to_string(time) + "\n";
  QTemporaryDir dir;
  const QString path = dir.filePath("subject1.csv");
  std::ofstream(path.toStdString()) << csv;
  std::optional<std::size_t> offered;
  window->ChooseColumn = [&](const TTextShape& shape, const std::string& source) {
    EXPECT_EQ(source, "subject1.csv");
    offered = shape.PreselectedColumn;
    return std::optional<std::size_t>(shape.PreselectedColumn);
  };
  window->OpenReactionTimesFile(path);
  window->FinishBackgroundWork();
  EXPECT_EQ(offered, 1u);  // the "rt" column
  EXPECT_FALSE(window->ShowsSeries());
  EXPECT_EQ(window->Shown().Count(), 40u);
  EXPECT_EQ(window->SourceText(), "Showing subject1.csv (40 reaction times)");
  // The window's series still grows behind it.
  Record(kDefaults, {11});
  window->ShowSeries();
  EXPECT_EQ(window->SourceText(), "Showing the window's series (4 reactions)");

  // A cancelled column choice changes nothing.
  window->ChooseColumn = [](const TTextShape&, const std::string&) { return std::optional<std::size_t>(); };
  window->OpenReactionTimesFile(path);
  window->FinishBackgroundWork();
  EXPECT_TRUE(window->ShowsSeries());
}

TEST_F(SeriesAnalysisWindowTest, FitsWithIntervalsAndAppliesTheFitToTheFields) {
  window->LoadText(Lines(ModelSeries(kOther, 2000, 7)), "rt.txt");
  window->FinishBackgroundWork();
  host.fields = kOther;  // a1 held at 0.6
  window->Fit();
  ASSERT_NE(window->CurrentFit(), nullptr);
  ASSERT_TRUE(window->CurrentFit()->Fitted()) << window->CurrentFit()->Message;
  window->FinishBackgroundWork();
  ASSERT_NE(window->FitIntervals(), nullptr);
  EXPECT_EQ(window->FitIntervals()->Replicates, 50u);
  const TParameterSet& fitted = window->CurrentFit()->Parameters;
  EXPECT_DOUBLE_EQ(fitted.a1, 0.6);
  EXPECT_NEAR(fitted.A, 3, 0.05);
  EXPECT_EQ(window->Table().Header.back(), "Data - fit (SE)");
  EXPECT_EQ(window->Charts().FitLagSeries().PointCount(), kMaxLag);
  const std::string results = window->FitResultsClipboardText();
  EXPECT_EQ(results.rfind("Parameter\tEstimate\t2.5 %\t97.5 %\tNote\n", 0), 0u);

  window->ApplyFitToFields();
  ASSERT_EQ(host.applied.size(), 1u);
  EXPECT_TRUE(SameModel(host.applied[0], fitted));
  EXPECT_DOUBLE_EQ(host.applied[0].y0, fitted.y0);
}

TEST_F(SeriesAnalysisWindowTest, DataTheModelCannotDescribeGetAPlainMessage) {
  // Rising and falling in long waves: a positive lag-1 autocorrelation.
  std::vector<double> waves;
  for (int i = 0; i < 100; ++i) waves.push_back(6 + (i / 10 % 2 == 0 ? 1.0 : 3.0) + 0.01 * (i % 10));
  window->LoadText(Lines(waves), "waves.txt");
  window->FinishBackgroundWork();
  window->Fit();
  ASSERT_NE(window->CurrentFit(), nullptr);
  EXPECT_FALSE(window->CurrentFit()->Fitted());
  EXPECT_EQ(window->FitText().rfind(
                "Cannot fit: the model predicts a negative lag-1 autocorrelation; these data have +", 0),
            0u)
      << window->FitText();
  window->ApplyFitToFields();
  EXPECT_TRUE(host.applied.empty());
  EXPECT_TRUE(window->FitResultsClipboardText().empty());
}

}  // namespace
}  // namespace corvane
