#include "analysiswindow/series_analysis_window.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <string>
#include <vector>

#include "analysis/stationary_series.h"
#include "analysiswindow/analysis_host.h"
#include "analysiswindow/analysis_table.h"
#include "chart/chart.h"
#include "chart/line_series.h"
#include "dialogs/open_file.h"
#include "dialogs/save_file.h"
#include "runtime/number_format_settings.h"
#include "simulation/series_record.h"
#include "support/analysis_work.h"

namespace corvane {
namespace {

const TParameterSet kDefaults{5, 1, 1, 0.5, 0.5, 5};
const TParameterSet kOther{3, 0.6, 1.5, 0.9, 0.7, 6};

// The main window as the analysis sees it: a series, six fields and a notice box that records.
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
    session().SetSimulationOptions(Small());
    TBootstrapOptions bootstrap;
    bootstrap.Replicates = 50;
    session().SetBootstrapOptions(bootstrap);
  }
  void TearDown() override { Finish(); }

  TAnalysisSession& session() { return window->Session(); }

  void Finish() { FinishAnalysisWork(*window); }

  std::string FitResultsText() {
    return session().FitResult().Fitted() ? TableTsv(session().FitResults(), DecimalMark()) : std::string();
  }

  std::string TableText() { return TableTsv(session().Table(), DecimalMark()); }

  // A series of one of the window's charts, by its title.
  const TChartSeries& Series(const char* chart, const char* title) {
    const auto* found = window->findChild<TChart*>(chart);
    EXPECT_NE(found, nullptr) << chart;
    for (TChartSeries* series : found->SeriesList())
      if (series->Title() == title)
        return *series;
    ADD_FAILURE() << "no series " << title;
    return found->SeriesList().At(0);
  }

  void ChangeFields(const TParameterSet& parameters) {
    host.fields = parameters;
    session().FieldsChanged();
  }

  static TModelSimulationOptions Small() {
    TModelSimulationOptions options;
    options.Reactions = 20'000;
    options.Chunks = 20;
    return options;
  }

  void Record(const TParameterSet& P, const std::vector<double>& times) {
    for (double time : times) host.series.Append(time, P);
  }

  const TScopedNumberFormat format{'.', ','};
  FakeHost host;
  std::unique_ptr<TSeriesAnalysisWindow> window;
};

TEST_F(SeriesAnalysisWindowTest, SaysWhatItNeedsBelowTwoReactions) {
  window->RefreshNow();
  EXPECT_EQ(session().NoteText(),
            "The analysis needs at least 2 reactions; the series has 0. Press \"Start Reaction Time\" to "
            "record more.");
  Record(kDefaults, {7.5});
  window->RefreshNow();
  EXPECT_NE(session().NoteText().find("the series has 1."), std::string::npos);
  EXPECT_EQ(Series("DistributionChart", "Data density").PointCount(), 0);
  EXPECT_EQ(Series("AutocorrelationChart", "Data").PointCount(), 0);
  Record(kDefaults, {9.25});
  window->RefreshNow();
  EXPECT_EQ(session().NoteText(), "");
  EXPECT_GT(Series("DistributionChart", "Data density").PointCount(), 0);
}

TEST_F(SeriesAnalysisWindowTest, SaysWhenTheSeriesMixesSetsAndUsesTheLatest) {
  Record(kDefaults, ModelSeries(kDefaults, 30, 1));
  Record(kOther, ModelSeries(kOther, 30, 2));
  window->RefreshNow();
  EXPECT_EQ(
      session().NoteText(),
      "The series mixes 2 parameter sets (fields changed without \"Begin new RT series\"); the model uses "
      "the latest set.");
  ASSERT_TRUE(session().Model().Parameters());
  EXPECT_TRUE(SameModel(*session().Model().Parameters(), kOther));
  host.series.Clear();
  EXPECT_EQ(session().NoteText().find("mixes"), std::string::npos);
}

TEST_F(SeriesAnalysisWindowTest, ShowsClosedFormAtOnceAndTheSimulatedFiguresWhenDone) {
  Record(kDefaults, ModelSeries(kDefaults, 200, 3));
  window->RefreshNow();
  ASSERT_TRUE(session().Model().Task().Running());
  const std::string before = TableText();
  EXPECT_NE(before.find("\nmean\t"), std::string::npos);
  EXPECT_NE(before.find("\tclosed form\t"), std::string::npos);
  EXPECT_NE(before.find("\tbeing computed\t"), std::string::npos);
  EXPECT_NE(session().ModelText().find("being computed"), std::string::npos);

  Finish();
  ASSERT_NE(session().Model().Simulation(), nullptr);
  const std::string after = TableText();
  EXPECT_EQ(after.find("being computed"), std::string::npos);
  EXPECT_NE(after.find("\tsimulation \u00b1 "), std::string::npos);
  EXPECT_GT(Series("DistributionChart", "Model density").PointCount(), 0);
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
  Finish();
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

// Keyboard users: every table of the window (statistics, fit results, distributions, every group)
// is one Tab stop; Tab leaves it in one step, arrows move inside it.
TEST_F(SeriesAnalysisWindowTest, TabLeavesEveryTableInOneStep) {
  Record(kDefaults, ModelSeries(kDefaults, 40, 4));
  window->show();
  QApplication::setActiveWindow(window.get());
  window->RefreshNow();
  Finish();
  const auto views = window->findChildren<QAbstractItemView*>();
  ASSERT_GE(views.size(), 3) << "the statistics, the fit's results and the distributions";
  for (QAbstractItemView* view : views) {
    const std::string name = view->objectName().toStdString();
    EXPECT_FALSE(view->tabKeyNavigation()) << name;
    if (!view->isVisibleTo(window.get()) || view->model() == nullptr || view->model()->rowCount() == 0)
      continue;
    view->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), view) << name;
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), view) << name << ": an arrow stays inside";
    QTest::keyClick(view, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), view) << name << ": one Tab leaves it";
  }
}

TEST_F(SeriesAnalysisWindowTest, AFieldChangeMidSimulationCancelsAndRestartsIt) {
  // Loaded data take their model from the fields, so the fields steer the simulation.
  session().SetSimulationOptions({50'000'000, 100, 1, 2000});  // long enough to be caught running
  session().LoadText(Lines(ModelSeries(kDefaults, 100, 4)), "rt.txt");
  QElapsedTimer waited;
  waited.start();
  while (session().ShowsSeries() && waited.elapsed() < 10'000)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);  // the load only
  ASSERT_FALSE(session().ShowsSeries());
  ASSERT_TRUE(session().Model().Task().Running());
  session().SetSimulationOptions(Small());
  ChangeFields(kOther);
  EXPECT_TRUE(SameModel(*session().Model().Parameters(), kOther));
  EXPECT_EQ(session().Model().Simulation(), nullptr);
  Finish();  // ends at once if the long run was cancelled
  ASSERT_NE(session().Model().Simulation(), nullptr);
  EXPECT_EQ(session().Model().Simulation()->Reactions, 20'000u);  // the new run's, not the stopped one's
}

TEST_F(SeriesAnalysisWindowTest, CopyTableGivesTheRowsAsTabsWithTheLocalesMark) {
  Record(kDefaults, {5, 7.5, 10, 12.5});
  Finish();
  window->CopyTable();
  const std::string copied = QGuiApplication::clipboard()->text().toStdString();
  EXPECT_EQ(copied, TableText());
  EXPECT_EQ(copied.substr(0, copied.find('\n')),
            "Statistic\tData\tModel\tModel from\tStandard error\tData - model (SE)");
  EXPECT_NE(copied.find("\nn\t4\t"), std::string::npos);
  EXPECT_NE(copied.find("\nmean\t8.75\t10\tclosed form\t"), std::string::npos);
  const TScopedNumberFormat comma(',', '.');
  window->RefreshNow();
  EXPECT_NE(TableText().find("\nmean\t8,75\t10\tclosed form\t"), std::string::npos);
  EXPECT_NE(TableCsv(session().Table()).find("\nmean,8.75,10,closed form,"), std::string::npos);
}

TEST_F(SeriesAnalysisWindowTest, ARejectedTextChangesNothingAndNamesTheFirstBadLine) {
  Record(kDefaults, {5, 7.5, 10});
  Finish();
  const std::string table = TableText();
  struct Case {
    std::string text;
    const char* expected;
  };
  std::string with_bad_line = Lines(ModelSeries(kDefaults, 30, 5));
  with_bad_line.insert(with_bad_line.find('\n', 20) + 1, "abc\n");
  const Case cases[] = {
      {"7.5\n-2\n" + Lines(ModelSeries(kDefaults, 30, 5)), "line 2"},
      {with_bad_line, "'abc'"},
      {"\n\n", "no reaction times"},
  };
  for (const Case& c : cases) {
    host.notices.clear();
    session().LoadText(c.text, "bad.txt");
    Finish();
    ASSERT_EQ(host.notices.size(), 1u) << c.expected;
    EXPECT_EQ(host.notices[0].rfind("Cannot read bad.txt: ", 0), 0u) << host.notices[0];
    EXPECT_NE(host.notices[0].find(c.expected), std::string::npos) << host.notices[0];
    EXPECT_TRUE(session().ShowsSeries());
    EXPECT_EQ(session().Shown().Count(), 3u);
    EXPECT_EQ(TableText(), table);
  }
  // Fewer values than the fit needs are read and shown all the same: the minimum is the fit's.
  session().LoadText("7.5\n8\n", "two.txt");
  Finish();
  EXPECT_EQ(session().SourceText(), "Showing two.txt (2 reaction times)");
  session().Fit(false);
  EXPECT_EQ(session().FitText(), "Cannot fit: the fit needs at least 20 reaction times; these data have 2.");
  session().ShowSeries();
  Finish();
  // A file that cannot be read at all.
  host.notices.clear();
  window->OpenReactionTimesFile("/nonexistent/rt.txt");
  ASSERT_EQ(host.notices.size(), 1u);
  EXPECT_EQ(host.notices[0].rfind("Cannot read rt.txt: ", 0), 0u);
  EXPECT_TRUE(session().ShowsSeries());
}

TEST_F(SeriesAnalysisWindowTest, LoadsATableByTheChosenColumnAndSwitchesBack) {
  Record(kDefaults, {5, 7.5, 10});
  std::string csv = "subject,rt\n";
  for (double time : ModelSeries(kDefaults, 40, 6)) csv += "s1," + std::to_string(time) + "\n";
  QTemporaryDir dir;
  const QString path = dir.filePath("subject1.csv");
  std::ofstream(path.toStdString()) << csv;
  std::optional<std::size_t> offered;
  session().ChooseRead = [&](std::shared_ptr<const std::string>, const TTextShape& shape,
                             const std::string& source) {
    EXPECT_EQ(source, "subject1.csv");
    offered = shape.PreselectedColumn;
    TReadOptions options;
    options.Column = shape.PreselectedColumn;
    return std::optional<TReadOptions>(options);
  };
  window->OpenReactionTimesFile(path);
  Finish();
  EXPECT_EQ(offered, 1u);  // the "rt" column
  EXPECT_FALSE(session().ShowsSeries());
  EXPECT_EQ(session().Shown().Count(), 40u);
  EXPECT_EQ(session().SourceText(), "Showing subject1.csv (40 reaction times)");
  // The window's series still grows behind it.
  Record(kDefaults, {11});
  session().ShowSeries();
  EXPECT_EQ(session().SourceText(), "Showing the window's series (4 reactions)");

  // A cancelled column choice changes nothing.
  session().ChooseRead = [](std::shared_ptr<const std::string>, const TTextShape&, const std::string&) {
    return std::optional<TReadOptions>();
  };
  window->OpenReactionTimesFile(path);
  Finish();
  EXPECT_TRUE(session().ShowsSeries());
}

TEST_F(SeriesAnalysisWindowTest, FitsWithIntervalsAndAppliesTheFitToTheFields) {
  session().LoadText(Lines(ModelSeries(kOther, 2000, 7)), "rt.txt");
  Finish();
  host.fields = kOther;  // a1 held at 0.6
  session().Fit(false);
  ASSERT_NE(session().FitResult().Current(), nullptr);
  ASSERT_TRUE(session().FitResult().Current()->Fitted()) << session().FitResult().Current()->Message;
  Finish();
  ASSERT_NE(session().FitResult().Intervals(), nullptr);
  EXPECT_EQ(session().FitResult().Intervals()->Replicates, 50u);
  const TParameterSet& fitted = session().FitResult().Current()->Parameters;
  EXPECT_DOUBLE_EQ(fitted.a1, 0.6);
  EXPECT_NEAR(fitted.A, 3, 0.05);
  EXPECT_EQ(session().Table().Header.back(), "Data - fit (SE)");
  EXPECT_EQ(Series("AutocorrelationChart", "Fitted model").PointCount(), kMaxLag);
  const std::string results = FitResultsText();
  EXPECT_EQ(results.rfind("Parameter\tEstimate\t2.5 %\t97.5 %\tNote\n", 0), 0u);

  session().ApplyFitToFields();
  ASSERT_EQ(host.applied.size(), 1u);
  EXPECT_TRUE(SameModel(host.applied[0], fitted));
  EXPECT_DOUBLE_EQ(host.applied[0].y0, fitted.y0);
}

TEST_F(SeriesAnalysisWindowTest, DataTheModelCannotDescribeGetAPlainMessage) {
  // Rising and falling in long waves: a positive lag-1 autocorrelation.
  std::vector<double> waves;
  for (int i = 0; i < 100; ++i) waves.push_back(6 + (i / 10 % 2 == 0 ? 1.0 : 3.0) + 0.01 * (i % 10));
  session().LoadText(Lines(waves), "waves.txt");
  Finish();
  session().Fit(false);
  ASSERT_NE(session().FitResult().Current(), nullptr);
  EXPECT_FALSE(session().FitResult().Current()->Fitted());
  EXPECT_EQ(session().FitText().rfind(
                "Cannot fit: the model predicts a negative lag-1 autocorrelation; these data have +", 0),
            0u)
      << session().FitText();
  session().ApplyFitToFields();
  EXPECT_TRUE(host.applied.empty());
  EXPECT_TRUE(FitResultsText().empty());
}

TEST_F(SeriesAnalysisWindowTest, ACancelledReadingSaysSoUntilTheNextAction) {
  // Large enough to be caught reading.
  std::string text;
  for (int i = 0; i < 400'000; ++i) text += "1." + std::to_string(100 + i % 800) + "\n";
  session().LoadText(text, "big.txt");
  ASSERT_TRUE(session().WorkRunning());
  window->findChild<QPushButton*>("CancelButton")->click();
  Finish();
  EXPECT_TRUE(session().ShowsSeries());
  EXPECT_EQ(window->findChild<QLabel*>("WorkLabel")->text().toStdString(),
            "Reading cancelled; nothing was changed");
  EXPECT_EQ(session().Work().Message, "Reading cancelled; nothing was changed");
  session().Fit(false);  // the next action
  Finish();
  EXPECT_EQ(window->findChild<QLabel*>("WorkLabel")->text().toStdString(), "");
}

TEST_F(SeriesAnalysisWindowTest, KeepAWithoutReadableFieldsIsRefusedAndTheReasonStays) {
  Record(kDefaults, ModelSeries(kDefaults, 100, 5));
  host.fields.reset();
  session().Fit(true);
  Finish();
  EXPECT_EQ(session().FitResult().Current(), nullptr);
  EXPECT_EQ(session().FitText(), "Cannot keep A: the fields do not hold six numbers greater than 0.");
  Record(kDefaults, ModelSeries(kDefaults, 3, 6));  // the series grows: the reason still holds
  Finish();
  EXPECT_EQ(window->findChild<QLabel*>("FitLabel")->text().toStdString(),
            "Cannot keep A: the fields do not hold six numbers greater than 0.");
}

TEST_F(SeriesAnalysisWindowTest, TheTableIsSavedAndFilesOpenedThroughTheProgramsDialogs) {
  Record(kDefaults, ModelSeries(kDefaults, 40, 8));
  Finish();
  QTemporaryDir folder;
  SetSavePathAsker([&](QWidget*, const TSaveRequest& request) {
    EXPECT_EQ(request.DefaultName.toStdString(), "series-analysis.csv");
    return std::optional<TSaveTarget>(TSaveTarget{folder.filePath("table"), 0});
  });
  window->SaveTable();
  SetSavePathAsker({});
  std::ifstream saved(folder.filePath("table.csv").toStdString());  // the suffix added
  const std::string csv((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  EXPECT_EQ(csv, TableCsv(session().Table()));

  const QString path = folder.filePath("rt.txt");
  std::ofstream(path.toStdString()) << Lines(ModelSeries(kOther, 30, 9));
  SetOpenPathAsker([&](QWidget*, const QString&) { return std::optional<QString>(path); });
  window->OpenReactionTimesDialog();
  SetOpenPathAsker({});
  Finish();
  EXPECT_EQ(session().SourceText(), "Showing rt.txt (30 reaction times)");
  EXPECT_EQ(LastSaveFolder(), folder.path());
}

}  // namespace
}  // namespace corvane
