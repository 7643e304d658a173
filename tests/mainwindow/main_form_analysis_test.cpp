#include "mainwindow/main_form_analysis.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <memory>
#include <vector>

#include "analysis/stationary_series.h"
#include "analysiswindow/series_analysis_window.h"
#include "chart/chart_context_menu.h"
#include "chart/line_series.h"
#include "form_support.h"
#include "mainwindow/main_form.h"
#include "mainwindow/reaction_run.h"
#include "runtime/number_format_settings.h"
#include "runtime/random.h"
#include "support/analysis_work.h"

namespace corvane {
namespace {

TModelSimulationOptions SmallSimulation() {
  TModelSimulationOptions options;
  options.Reactions = 20'000;
  options.Chunks = 20;
  return options;
}

class FormAnalysisTest : public FormFixture {
 protected:
  TSeriesAnalysisWindow& Open(TForm1& form) {
    form.Analysis().OpenSeriesAnalysis();
    TSeriesAnalysisWindow* window = form.Analysis().Window();
    window->Session().SetSimulationOptions(SmallSimulation());
    return *window;
  }
};

TEST_F(FormAnalysisTest, TheShortcutOpensOneWindowThatFollowsARunLive) {
  auto form = MakeForm();
  EXPECT_EQ(form->Analysis().SeriesAnalysisAction()->shortcut(),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
  form->ButtonBeginClick();  // recorded before the window opens: the window still sees it
  form->Analysis().SeriesAnalysisAction()->trigger();
  TSeriesAnalysisWindow* window = form->Analysis().Window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  window->Session().SetSimulationOptions(SmallSimulation());
  EXPECT_EQ(window->Session().Shown().Count(), 1u);
  form->Analysis().SeriesAnalysisAction()->trigger();
  EXPECT_EQ(form->Analysis().Window(), window);  // one window per program

  // During the run, every reaction reaches the window as it is recorded.
  std::vector<std::size_t> seen;
  QObject::connect(&window->Session(), &TAnalysisSession::Changed, window, [&](int what) {
    if (what & kDataChanged)
      seen.push_back(window->Session().Shown().Count());
  });
  EXPECT_EQ(RunReactions(
                *form, *form->ButtonBegin, [&] { return form->Press(); }, kShortRunLength),
            kShortRunLength);
  ASSERT_EQ(seen.size(), static_cast<std::size_t>(kShortRunLength));
  for (std::size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], i + 2);
  FinishAnalysisWork(*window);
  EXPECT_EQ(window->Session().SourceText(), "Showing the window's series (11 reactions)");
  EXPECT_EQ(window->Session().Table().Rows[0][1].Value, 11);

  form->BitBtn1Click();  // "Begin new RT series"
  EXPECT_EQ(window->Session().Shown().Count(), 0u);
}

TEST_F(FormAnalysisTest, TheEntriesSitInTheFileAndAnalysisMenusAndTheReactionChartsMenu) {
  auto form = MakeForm();
  ASSERT_NE(form->FileMenu, nullptr);
  EXPECT_EQ(form->FileMenu->actions().first(), form->Analysis().OpenReactionTimesAction());
  EXPECT_EQ(form->Analysis().OpenReactionTimesAction()->shortcut(), QKeySequence(QKeySequence::Open));
  auto* analysis = form->MenuBar->findChild<QMenu*>("AnalysisMenu");
  ASSERT_NE(analysis, nullptr);
  EXPECT_TRUE(analysis->actions().contains(form->Analysis().SeriesAnalysisAction()));
  // The reaction-time chart's context menu opens the window too.
  QMenu* menu = CreateChartMenu(*form->Chart2);
  QAction* entry = nullptr;
  for (QAction* action : menu->actions())
    if (action->text() == "Series analysis...")
      entry = action;
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(form->Analysis().Window(), nullptr);
  entry->trigger();
  ASSERT_NE(form->Analysis().Window(), nullptr);
  EXPECT_TRUE(form->Analysis().Window()->isVisible());
  FinishAnalysisWork(*form->Analysis().Window());
}

TEST_F(FormAnalysisTest, AnAnalysisLeavesTheProcessGeneratorAlone) {
  // A press after an analysis equals a press without one: the analysis draws from its own.
  auto reaction_after = [&](bool analyse) -> double {
    auto form = std::make_unique<TForm1>(&notices);  // the process-wide generator
    form->FormCreate();
    RandomSeed = 12345;
    if (analyse) {
      TSeriesAnalysisWindow& window = Open(*form);
      window.Session().SetBootstrapOptions({100, 0, 0.95});
      TStationarySeries series(TParameterSet{5, 1, 1, 0.5, 0.5, 5}, 3);
      std::string text;
      for (int i = 0; i < 300; ++i) text += std::to_string(series.Next()) + "\n";
      window.Session().LoadText(text, "rt.txt");
      FinishAnalysisWork(window);  // the read and the model's simulation
      window.Session().Fit(false);
      EXPECT_TRUE(window.Session().FitResult().Current() && window.Session().FitResult().Current()->Fitted());
      FinishAnalysisWork(window);  // the fit's simulation and its bootstrap
      EXPECT_NE(window.Session().FitResult().Intervals(), nullptr);
      EXPECT_EQ(RandomSeed, 12345u);
    }
    form->Press();
    return form->Series2->YValueAt(0);
  };
  EXPECT_EQ(reaction_after(true), reaction_after(false));
}

TEST_F(FormAnalysisTest, ApplyToFieldsWritesTheProgramsNumberForm) {
  auto form = MakeForm();
  const TParameterSet fitted{3.25, 0.6, 1.5, 0.9, 0.7, 5.357142857142857};
  for (char mark : {'.', ','}) {
    const TScopedNumberFormat format(mark, mark == '.' ? ',' : '.');
    form->Analysis().ApplyToFields(fitted);
    const std::string expected_a = mark == '.' ? "3.25" : "3,25";
    EXPECT_EQ(form->EditAcrit->text().toStdString(), expected_a);
    EXPECT_EQ(form->EditY0->text().toStdString(), mark == '.' ? "5.35714285714286" : "5,35714285714286");
    // Read back as the next press reads them.
    const std::optional<TParameterSet> read = form->Analysis().FieldParameters();
    ASSERT_TRUE(read);
    EXPECT_EQ(read->A, 3.25);
    EXPECT_EQ(read->c0, 0.7);
    EXPECT_NEAR(read->y0, fitted.y0, 1e-13);
  }
  form->EditC0->setText("abc");
  EXPECT_FALSE(form->Analysis().FieldParameters());  // quietly: no notice from the analysis
  EXPECT_TRUE(notices.texts.empty());
}

TEST_F(FormAnalysisTest, AFieldChangeAndAPressWithItMakeTheSeriesMixedAndRestartTheModel) {
  auto form = MakeForm();
  TSeriesAnalysisWindow& window = Open(*form);
  form->Press();
  form->Press();
  ASSERT_TRUE(window.Session().Model().Task().Running());
  form->EditC0->setText("0.7");
  form->Press();  // the model changes mid-simulation: the running one is dropped
  EXPECT_EQ(window.Session().Model().Simulation(), nullptr);
  EXPECT_EQ(window.Session().Model().Parameters()->c0, 0.7);
  FinishAnalysisWork(window);
  ASSERT_NE(window.Session().Model().Simulation(), nullptr);
  EXPECT_NE(window.Session().NoteText().find("mixes 2 parameter sets"), std::string::npos);
}

}  // namespace
}  // namespace corvane
