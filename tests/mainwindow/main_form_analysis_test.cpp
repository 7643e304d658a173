#include "mainwindow/main_form_analysis.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
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

// Apply writes six significant digits in the program's number form, each field showing its start,
// and the next press simulates exactly the numbers the fields show.
TEST_F(FormAnalysisTest, ApplyToFieldsWritesSixDigitsThatTheNextPressUses) {
  auto form = MakeForm();
  const TParameterSet fitted{5.357142857142857,   0.6,        1234567.8, 0.000123456789,
                             0.70000000000000007, 3.999999999};
  struct Case {
    char mark;
    const char* texts[6];
  };
  const Case cases[] = {
      {'.', {"5.35714", "0.6", "1.23457E6", "0.000123457", "0.7", "4"}},
      {',', {"5,35714", "0,6", "1,23457E6", "0,000123457", "0,7", "4"}},
  };
  QLineEdit* TForm1::*const fields[] = {&TForm1::EditAcrit, &TForm1::EditA1, &TForm1::EditA0,
                                        &TForm1::EditC1,    &TForm1::EditC0, &TForm1::EditY0};
  for (const Case& c : cases) {
    const TScopedNumberFormat format(c.mark, c.mark == '.' ? ',' : '.');
    for (QLineEdit* TForm1::*field : fields) (form.get()->*field)->setCursorPosition(1);
    form->Analysis().ApplyToFields(fitted);
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ((form.get()->*fields[i])->text().toStdString(), c.texts[i]) << c.mark << " field " << i;
      EXPECT_EQ((form.get()->*fields[i])->cursorPosition(), 0);
    }
    ASSERT_TRUE(form->Press().recorded);
    EXPECT_TRUE(notices.texts.empty());
    const TParameterSet& used = form->Parameters();
    EXPECT_EQ(used.A, 5.35714);
    EXPECT_EQ(used.a1, 0.6);
    EXPECT_EQ(used.a0, 1.23457e6);
    EXPECT_EQ(used.c1, 0.000123457);
    EXPECT_EQ(used.c0, 0.7);
    EXPECT_EQ(used.y0, 4.0);
    EXPECT_EQ(form->Analysis().FieldParameters()->A, 5.35714);
  }
  form->EditC0->setText("abc");
  EXPECT_FALSE(form->Analysis().FieldParameters());  // quietly: no notice from the analysis
  EXPECT_TRUE(notices.texts.empty());
}

// Closing the main window (Quit, Ctrl+Q, the close box) takes the analysis window with it and
// stops its computations; Paste reaction times sits in File beside Open.
TEST_F(FormAnalysisTest, ClosingTheMainWindowClosesTheAnalysisAndStopsItsWork) {
  auto form = MakeForm();
  form->show();
  TSeriesAnalysisWindow& window = Open(*form);
  TModelSimulationOptions slow;
  slow.Reactions = 5'000'000;  // far longer than the test: only a cancel ends it in time
  slow.Chunks = 500;
  window.Session().SetSimulationOptions(slow);
  form->Press();
  form->Press();
  ASSERT_TRUE(window.Session().Model().Task().Running());
  EXPECT_EQ(form->QuitAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
  form->QuitAction->trigger();
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(window.Session().WorkRunning());
  window.Session().JoinWork();  // returns at once: the work was stopped

  auto again = MakeForm();
  again->show();
  Open(*again);
  again->close();  // the close box's way
  EXPECT_FALSE(again->Analysis().Window()->isVisible());
}

TEST_F(FormAnalysisTest, PasteReactionTimesIsInTheMainWindowsFileMenu) {
  auto form = MakeForm();
  QAction* paste = form->Analysis().PasteReactionTimesAction();
  EXPECT_EQ(paste->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
  EXPECT_EQ(form->FileMenu->actions().at(1), paste);
  EXPECT_TRUE(form->actions().contains(paste));  // a window shortcut without the menu bar too
  QString times;
  for (int i = 0; i < 30; ++i) times += QString::number(0.4 + 0.01 * (i % 7)) + "\n";
  QGuiApplication::clipboard()->setText(times);
  paste->trigger();
  TSeriesAnalysisWindow* window = form->Analysis().Window();
  ASSERT_NE(window, nullptr);
  FinishAnalysisWork(*window);
  EXPECT_FALSE(window->Session().ShowsSeries());
  EXPECT_EQ(window->Session().Shown().Count(), 30u);
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
