// A long file of trials in the Series analysis window: read through the one dialog, a group chosen,
// every group fitted into the results table, cancelled, saved and sorted.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/group_fit.h"
#include "analysis/group_fit_table.h"
#include "analysis/stationary_series.h"
#include "analysiswindow/analysis_host.h"
#include "analysiswindow/group_fit_model.h"
#include "analysiswindow/group_panel.h"
#include "analysiswindow/read_dialog.h"
#include "chart/chart.h"
#include "dialogs/save_file.h"
#include "runtime/number_format_settings.h"
#include "simulation/series_record.h"
#include "support/analysis_work.h"

namespace corvane {
namespace {

const TParameterSet kDefaults{5, 1, 1, 0.5, 0.5, 5};

class FakeHost : public TAnalysisHost {
 public:
  TSeriesRecord& Series() override { return series; }
  std::optional<TParameterSet> FieldParameters() const override { return kDefaults; }
  void ApplyToFields(const TParameterSet& parameters) override { applied.push_back(parameters); }
  void ShowNotice(const std::string& text) override { notices.push_back(text); }
  std::optional<std::uint32_t> SeriesSeed() const override { return seed; }

  TSeriesRecord series;
  std::optional<std::uint32_t> seed;
  std::vector<TParameterSet> applied;
  std::vector<std::string> notices;
};

// R's write.csv of a stroop-like study: row names, participant, condition, trial, accuracy, RT in
// seconds; NA where a trial was not recorded, errors (acc 0) now and then.
std::string Trials(int participants, int trials) {
  std::string csv = "\"\",\"pno\",\"condition\",\"trialnum\",\"acc\",\"rt\"\n";
  int row = 0;
  std::uint32_t seed = 1;
  for (int p = 1; p <= participants; ++p)
    for (const char* condition : {"congruent", "incongruent"}) {
      TStationarySeries series(kDefaults, seed++);
      std::vector<double> times(static_cast<std::size_t>(trials));
      series.Fill(times);
      for (int t = 1; t <= trials; ++t) {
        ++row;
        const std::string pno = (p < 10 ? "\"p0" : "\"p") + std::to_string(p) + "\"";
        const std::string rt =
            row % 7 == 0 ? "NA" : std::to_string(times[static_cast<std::size_t>(t - 1)] / 10);
        csv += "\"" + std::to_string(row) + "\"," + pno + ",\"" + condition + "\"," + std::to_string(t) +
               "," + (row % 11 == 0 ? "0" : "1") + "," + rt + "\n";
      }
    }
  return csv;
}

// The options the dialog is driven to: RT, grouped by pno and condition, acc = 1, ordered by trial.
TReadOptions TrialOptions() {
  TReadOptions options;
  options.Column = 5;
  options.GroupBy = {1, 2};
  options.Filters = {{4, "1"}};
  options.OrderBy = 3;
  return options;
}

class GroupWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<TSeriesAnalysisWindow>(host);
    TModelSimulationOptions simulation;
    simulation.Reactions = 20'000;
    simulation.Chunks = 20;
    session().SetSimulationOptions(simulation);
    bootstrap.Replicates = 50;
    session().SetBootstrapOptions(bootstrap);
  }
  void TearDown() override {
    SetSavePathAsker({});
    FinishAnalysisWork(*window);
  }
  TAnalysisSession& session() { return window->Session(); }
  TGroupPanel& panel() { return *window->findChild<TGroupPanel*>("GroupPanel"); }
  TGroupFitModel& model() { return panel().Model(); }

  // Opens `csv` as trials.csv through the dialog, driven as a user would set it.
  void OpenThroughDialog(const std::string& csv) {
    session().ChooseRead = [this](std::shared_ptr<const std::string> text, const TTextShape& shape,
                                  const std::string& source) -> std::optional<TReadOptions> {
      EXPECT_EQ(source, "trials.csv");
      TReadDialog dialog(std::move(text), shape, source, window.get());
      EXPECT_EQ(dialog.findChild<QComboBox*>("ReadColumn")->currentText(), "rt");  // preselected
      const auto group_by = dialog.findChild<QWidget*>("ReadGroupBy")->findChildren<QCheckBox*>();
      EXPECT_EQ(group_by.size(), 6);
      group_by[1]->setChecked(true);  // pno
      group_by[2]->setChecked(true);  // condition
      dialog.AddFilter(4, QStringLiteral("1"));
      dialog.findChild<QComboBox*>("ReadOrderBy")->setCurrentIndex(3 + 1);
      dialog.FinishCount();
      dialog_count = dialog.findChild<QLabel*>("ReadCount")->text().toStdString();
      const auto* preview = dialog.findChild<QTableWidget*>("ReadPreview");
      dialog_preview.clear();
      for (int r = 0; r < preview->rowCount(); ++r)
        dialog_preview.push_back(preview->item(r, preview->columnCount() - 1)->text().toStdString());
      return dialog.Options();
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("trials.csv");
    std::ofstream(path.toStdString()) << csv;
    window->OpenReactionTimesFile(path);
    FinishAnalysisWork(*window);
  }

  const TScopedNumberFormat format{'.', ','};
  FakeHost host;
  TBootstrapOptions bootstrap;
  std::unique_ptr<TSeriesAnalysisWindow> window;
  std::string dialog_count;
  std::vector<std::string> dialog_preview;
};

TEST_F(GroupWindowTest, AGroupedFileOpensThroughTheDialogAndEachGroupShowsAlone) {
  const std::string csv = Trials(4, 60);
  OpenThroughDialog(csv);
  const TReactionTimeGroups expected = ReadReactionTimeGroups(csv, TrialOptions());
  ASSERT_EQ(expected.Groups.size(), 8u);
  EXPECT_EQ(dialog_count, ReadSummaryText(expected));
  EXPECT_EQ(dialog_count.substr(0, 10), "8 groups, ");
  // Row 7 is a missing trial, row 11 an error: both marked in the preview.
  ASSERT_GE(dialog_preview.size(), 11u);
  EXPECT_EQ(dialog_preview[6], "missing");
  EXPECT_EQ(dialog_preview[10], "filtered out");
  EXPECT_EQ(dialog_preview[0], FigureText(expected.Groups[0].Values[0]));

  const TReactionTimeGroups* loaded = session().LoadedGroups();
  ASSERT_NE(loaded, nullptr);
  ASSERT_EQ(loaded->Groups.size(), 8u);
  auto* chooser = window->findChild<QComboBox*>("GroupChoice");
  ASSERT_TRUE(chooser->isVisibleTo(window.get()));
  ASSERT_EQ(chooser->count(), 8);
  EXPECT_EQ(chooser->currentIndex(), 0);
  const TReactionTimeGroup& third = expected.Groups[3];
  ASSERT_GT(third.Missing, 0u);
  EXPECT_EQ(chooser->itemText(3).toStdString(), "p02, incongruent (" + std::to_string(third.Values.size()) +
                                                    "; " + std::to_string(third.Missing) + " missing)");

  chooser->setCurrentIndex(3);
  emit chooser->activated(3);
  window->RefreshNow();
  EXPECT_EQ(session().ShownGroup(), 3u);
  ASSERT_EQ(session().Shown().Count(), third.Values.size());
  // The charts and the table show the group, its gaps respected (the acc = 0 and NA trials break pairs).
  ASSERT_FALSE(third.Breaks.empty());
  const TSeriesStatistics statistics = SeriesStatisticsOf(third.Values, third.Breaks);
  EXPECT_EQ(session().Shown().Statistics().Mean, statistics.Mean);
  EXPECT_NE(statistics.Autocorrelations[0], SeriesStatisticsOf(third.Values).Autocorrelations[0]);
  const auto* acf = window->findChild<TChart*>("AutocorrelationChart");
  const TChartSeries* data = nullptr;
  for (TChartSeries* series : acf->SeriesList())
    if (series->Title() == "Data")
      data = series;
  ASSERT_NE(data, nullptr);
  EXPECT_DOUBLE_EQ(data->YValueAt(0), statistics.Autocorrelations[0]);
  const auto* table = window->findChild<QTableWidget*>("ComparisonTable");
  EXPECT_EQ(table->item(0, 0)->text(), "n");
  EXPECT_EQ(table->item(0, 1)->text().toStdString(), std::to_string(third.Values.size()));
  EXPECT_EQ(session().SourceText(), "Showing trials.csv, group p02, incongruent (" +
                                        std::to_string(third.Values.size()) + " reaction times; " +
                                        std::to_string(third.Missing) + " missing values skipped)");
  // Back to the window's series and to the group again.
  session().ShowSeries();
  window->RefreshNow();
  EXPECT_EQ(chooser->currentIndex(), -1);
  emit chooser->activated(5);
  EXPECT_EQ(session().Shown().Count(), expected.Groups[5].Values.size());
}

TEST_F(GroupWindowTest, EveryGroupIsFittedIntoTheCommandLinesRowsAndARowAppliesItsFit) {
  const std::string csv = Trials(3, 80);
  OpenThroughDialog(csv);
  ASSERT_NE(session().LoadedGroups(), nullptr);
  EXPECT_TRUE(panel().isVisibleTo(window.get()));
  EXPECT_EQ(model().rowCount(), 0);
  // The moments: quick enough for six groups with their bootstrap (the likelihood's rows come from
  // the same table; its own tests hold it).
  window->findChild<QComboBox*>("FitMethod")->setCurrentIndex(1);
  window->findChild<QPushButton*>("FitEveryGroupButton")->click();
  EXPECT_TRUE(session().WorkRunning());
  EXPECT_EQ(session().Work().What, "Fitting 6 groups");
  EXPECT_TRUE(session().Work().Cancellable);
  FinishAnalysisWork(*window);

  const TReactionTimeGroups expected = ReadReactionTimeGroups(csv, TrialOptions());
  TGroupFitOptions options;
  options.Method = TFitMethod::Moments;
  options.Fit.a1 = kDefaults.a1;
  options.Bootstrap = bootstrap;
  const std::vector<TGroupFit> fits = FitGroups(expected, options);
  ASSERT_EQ(model().rowCount(), 6);
  ASSERT_EQ(model().columnCount(), static_cast<int>(GroupFitHeader(expected.GroupNames, options).size()));
  for (int c = 0; c < model().columnCount(); ++c)
    EXPECT_EQ(model().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().toStdString(),
              GroupFitHeader(expected.GroupNames, options)[static_cast<std::size_t>(c)]);
  std::size_t fitted = 0;
  for (int r = 0; r < 6; ++r) {
    EXPECT_EQ(model().Cells(r), GroupFitCells(fits[static_cast<std::size_t>(r)], 2, options)) << "row " << r;
    fitted += fits[static_cast<std::size_t>(r)].Status == TGroupFitStatus::Fitted;
  }
  ASSERT_GT(fitted, 0u);
  EXPECT_EQ(window->findChild<QLabel*>("GroupFitLabel")->text().toStdString().substr(0, 10), "6 groups: ");

  // Choosing a fitted row shows its group; Apply to fields applies that row's estimates.
  int row = 0;
  while (fits[static_cast<std::size_t>(row)].Status != TGroupFitStatus::Fitted) ++row;
  model().sort(0, Qt::DescendingOrder);
  int shown_row = 0;
  while (model().GroupOfRow(shown_row) != static_cast<std::size_t>(row)) ++shown_row;
  ASSERT_NE(shown_row, row) << "the sort moved no row";
  QTableView& view = panel().View();
  view.selectionModel()->setCurrentIndex(model().index(shown_row, 0), QItemSelectionModel::ClearAndSelect);
  window->RefreshNow();
  EXPECT_EQ(session().ShownGroup(), static_cast<std::size_t>(row));
  auto* apply = window->findChild<QPushButton*>("ApplyButton");
  ASSERT_TRUE(apply->isEnabled());
  apply->click();
  ASSERT_EQ(host.applied.size(), 1u);
  EXPECT_TRUE(SameModel(host.applied[0], fits[static_cast<std::size_t>(row)].Moments.Parameters));
}

TEST_F(GroupWindowTest, ACancelledFitLeavesTheTableAsItWas) {
  OpenThroughDialog(Trials(8, 60));
  // Cancelled before any table: none, and it says so.
  session().FitEveryGroup(false, TFitMethod::Moments);
  window->findChild<QPushButton*>("CancelButton")->click();
  FinishAnalysisWork(*window);
  EXPECT_EQ(session().GroupFits().Table(), nullptr);
  EXPECT_EQ(model().rowCount(), 0);
  EXPECT_EQ(window->findChild<QLabel*>("GroupFitLabel")->text(),
            "Fitting every group was cancelled; nothing was fitted");

  session().FitEveryGroup(false, TFitMethod::Moments);
  FinishAnalysisWork(*window);
  ASSERT_EQ(model().rowCount(), 16);
  const std::string before = model().Csv();
  const auto* table_before = session().GroupFits().Table().get();

  // Half way: some groups fitted, the rest not; nothing of the run may show.
  TBootstrapOptions long_run;
  long_run.Replicates = 40'000;
  session().SetBootstrapOptions(long_run);
  session().FitEveryGroup(false, TFitMethod::Moments);
  QElapsedTimer waited;
  waited.start();
  while (session().GroupFits().Task().Progress() == 0 && session().GroupFits().Task().Running() &&
         waited.elapsed() < 50'000)
    QThread::msleep(2);
  ASSERT_TRUE(session().GroupFits().Task().Running()) << "the run ended before it could be cancelled";
  ASSERT_GT(session().GroupFits().Task().Progress(), 0.0);
  session().CancelWork();
  FinishAnalysisWork(*window);
  EXPECT_EQ(session().GroupFits().Table().get(), table_before);
  EXPECT_EQ(model().Csv(), before);
  EXPECT_EQ(window->findChild<QLabel*>("GroupFitLabel")->text(),
            "Fitting every group was cancelled; the table keeps the results before it");
}

std::vector<std::vector<std::string>> ParseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
      const char c = line[i];
      if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"')
        cells.back() += line[++i];
      else if (c == '"')
        quoted = !quoted;
      else if (c == ',' && !quoted)
        cells.emplace_back();
      else
        cells.back() += c;
    }
    rows.push_back(cells);
  }
  return rows;
}

// With the groups' panel open, one group's fit at 1280 by 720 (the window's opening height) leaves
// the charts tall enough for their axis labels not to overlap; the panel gives way instead.
TEST_F(GroupWindowTest, AGroupsFitLeavesTheChartsLegibleBesideTheGroupsPanel) {
  bootstrap.Replicates = 0;
  session().SetBootstrapOptions(bootstrap);
  OpenThroughDialog(Trials(2, 60));
  window->show();
  window->resize(1270, 720);
  QApplication::processEvents();
  ASSERT_TRUE(panel().isVisible());
  window->findChild<QPushButton*>("FitButton")->click();
  FinishAnalysisWork(*window);
  QApplication::processEvents();
  ASSERT_TRUE(session().Fitted());
  for (const char* name : {"DistributionChart", "AutocorrelationChart"})
    EXPECT_GE(window->findChild<TChart*>(name)->height(), 120) << name;
  EXPECT_GE(window->findChild<TChart*>("QqChart")->height(), 120);
  EXPECT_LE(window->height(), 760) << "the window must still fit a 1280 by 800 screen";
}

TEST_F(GroupWindowTest, TheResultsSortAsNumbersAndSaveAsCsvThatReadsBack) {
  OpenThroughDialog(Trials(6, 40));
  session().FitEveryGroup(false, TFitMethod::Moments);
  FinishAnalysisWork(*window);
  ASSERT_EQ(model().rowCount(), 12);
  int n = -1, a = -1;
  for (int c = 0; c < model().columnCount(); ++c) {
    const QString name = model().headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    n = name == "n" ? c : n;
    a = name == "A" ? c : a;
  }
  ASSERT_GE(n, 0);
  ASSERT_GE(a, 0);
  panel().View().sortByColumn(n, Qt::AscendingOrder);
  for (int r = 1; r < model().rowCount(); ++r)
    EXPECT_LE(std::stoi(model().Cells(r - 1)[static_cast<std::size_t>(n)]),
              std::stoi(model().Cells(r)[static_cast<std::size_t>(n)]));
  panel().View().sortByColumn(a, Qt::DescendingOrder);
  bool seen_na = false;
  for (int r = 0; r < model().rowCount(); ++r) {
    const std::string& cell = model().Cells(r)[static_cast<std::size_t>(a)];
    if (cell == "NA") {
      seen_na = true;
      continue;
    }
    EXPECT_FALSE(seen_na) << "a number after NA at row " << r;
    if (r > 0 && model().Cells(r - 1)[static_cast<std::size_t>(a)] != "NA") {
      EXPECT_GE(std::stod(model().Cells(r - 1)[static_cast<std::size_t>(a)]), std::stod(cell));
    }
  }

  // Copy rows: the chosen rows as shown, else all of them.
  QTableView& view = panel().View();
  view.clearSelection();
  window->findChild<QPushButton*>("CopyGroupRowsButton")->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), model().Tsv({}));
  view.selectionModel()->select(model().index(4, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  view.selectionModel()->select(model().index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  window->findChild<QPushButton*>("CopyGroupRowsButton")->click();
  const std::string copied = QGuiApplication::clipboard()->text().toStdString();
  EXPECT_EQ(copied, model().Tsv({1, 4}));
  EXPECT_EQ(std::count(copied.begin(), copied.end(), '\n'), 3);

  QTemporaryDir folder;
  SetSavePathAsker([&](QWidget*, const TSaveRequest& request) {
    EXPECT_EQ(request.DefaultName.toStdString(), "group-fits.csv");
    return std::optional<TSaveTarget>(TSaveTarget{folder.filePath("fits"), 0});
  });
  window->findChild<QPushButton*>("SaveGroupFitsButton")->click();
  std::ifstream saved(folder.filePath("fits.csv").toStdString());
  const std::string csv((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
  EXPECT_EQ(csv, model().Csv());
  const auto rows = ParseCsv(csv);
  ASSERT_EQ(rows.size(), 13u);
  for (int r = 0; r < 12; ++r) {
    EXPECT_EQ(rows[static_cast<std::size_t>(r + 1)], model().Cells(r)) << "row " << r;
    const std::string& cell = rows[static_cast<std::size_t>(r + 1)][static_cast<std::size_t>(a)];
    if (cell != "NA") {  // the shortest text of the estimate: it reads back as the same double
      EXPECT_EQ(std::stod(cell), model().Table()->Fits[model().GroupOfRow(r)].Estimates[kFitA]);
    }
  }
}

TEST_F(GroupWindowTest, APasteWithNothingToChooseSkipsTheDialogAndTheSeriesShowsItsSeed) {
  int asked = 0;
  session().ChooseRead = [&](std::shared_ptr<const std::string>, const TTextShape&, const std::string&) {
    ++asked;
    return std::optional<TReadOptions>();
  };
  std::string two_columns;
  for (int i = 1; i <= 30; ++i)
    two_columns += std::to_string(i) + "\t0," + std::to_string(400 + i * 7) + "\n";
  session().LoadText(two_columns, "the pasted reaction times");
  FinishAnalysisWork(*window);
  EXPECT_EQ(asked, 0);
  EXPECT_EQ(session().SourceText(), "Showing the pasted reaction times (30 reaction times)");
  EXPECT_EQ(session().Shown().Statistics().Minimum, 0.407);
  EXPECT_EQ(session().LoadedGroups(), nullptr);
  EXPECT_FALSE(window->findChild<QComboBox*>("GroupChoice")->isVisibleTo(window.get()));
  // Missing values of a plain list are skipped and said, never silently.
  session().LoadText("0.5\nNA\n0.6\n\n.\n0.7\n", "rt.txt");
  FinishAnalysisWork(*window);
  EXPECT_EQ(session().SourceText(), "Showing rt.txt (3 reaction times; 2 missing values skipped)");
  session().LoadText("pno\trt\n" + two_columns, "with a header");
  FinishAnalysisWork(*window);
  EXPECT_EQ(asked, 1);  // a header: the dialog, here cancelled

  session().ShowSeries();
  host.seed = 12345;
  EXPECT_EQ(session().SourceText(), "Showing the window's series (0 reactions)");
  host.series.Append(7.5, kDefaults);
  window->RefreshNow();
  EXPECT_EQ(window->findChild<QLabel*>("SourceLabel")->text(),
            "Showing the window's series (1 reactions, from seed 12345)");
  host.seed.reset();
  EXPECT_EQ(session().SourceText(), "Showing the window's series (1 reactions)");
}

TEST_F(GroupWindowTest, TheDialogRefusesChoicesThatCannotBeRead) {
  const auto text = std::make_shared<const std::string>(Trials(2, 30));
  const TTextShape shape = InspectReactionTimeText(*text);
  TReadDialog dialog(text, shape, "trials.csv");
  auto* read = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
  auto* count = dialog.findChild<QLabel*>("ReadCount");
  dialog.FinishCount();
  EXPECT_TRUE(read->isEnabled());
  EXPECT_EQ(count->text().toStdString(), ReadSummaryText(ReadReactionTimeGroups(*text, *dialog.Options())));
  EXPECT_EQ(count->text().toStdString().substr(0, 18), "103 reaction times");
  dialog.findChild<QLineEdit*>("ReadMaximum")->setText("abc");
  EXPECT_EQ(count->text(), "A cutoff is not a number.");
  EXPECT_FALSE(read->isEnabled());
  EXPECT_EQ(dialog.Options(), std::nullopt);
  dialog.findChild<QLineEdit*>("ReadMaximum")->setText("0.6");
  dialog.FinishCount();
  EXPECT_TRUE(read->isEnabled());
  EXPECT_NE(count->text().indexOf("excluded by the cutoffs"), -1);
  dialog.AddFilter(4, QStringLiteral("7"));
  dialog.FinishCount();
  EXPECT_EQ(count->text(), "Cannot read: the filter acc=7 keeps no row.");
  EXPECT_FALSE(read->isEnabled());
  // A filter whose value is not yet written filters nothing.
  dialog.findChild<QComboBox*>("FilterValue")->setEditText(QString());
  dialog.FinishCount();
  EXPECT_TRUE(read->isEnabled());
  EXPECT_TRUE(dialog.Options()->Filters.empty());
  dialog.findChild<QComboBox*>("FilterValue")->setEditText(QStringLiteral("1"));
  EXPECT_EQ(dialog.Options()->Filters.size(), 1u);
  dialog.findChild<QPushButton*>("RemoveFilter")->click();
  dialog.FinishCount();
  EXPECT_TRUE(read->isEnabled());
  EXPECT_TRUE(dialog.Options()->Filters.empty());
}

}  // namespace
}  // namespace corvane
