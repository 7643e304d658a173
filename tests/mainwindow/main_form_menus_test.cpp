// The menu bar over the client area: every control keeps its client position, every entry does
// what it says (the saves through an answered dialog into a temporary folder), the context menus
// carry the same Save actions, and a failed save changes nothing but shows its message.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "analysiswindow/likelihood_results.h"
#include "chart/chart.h"
#include "chart/chart_context_menu.h"
#include "chart/chart_export.h"
#include "chart/line_series.h"
#include "dialogs/save_file.h"
#include "form_support.h"
#include "mainwindow/help_pages.h"
#include "mainwindow/main_form.h"
#include "mainwindow/reaction_run.h"
#include "memo/data_memo.h"
#include "memo/memo_view.h"

namespace corvane {
namespace {

QStringList Texts(const QList<QAction*>& actions) {
  QStringList texts;
  for (const QAction* a : actions) texts << (a->isSeparator() ? QString("-") : a->text());
  return texts;
}

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class MainFormMenusTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    form = MakeForm();
    SetSavePathAsker([this](QWidget*, const TSaveRequest& request) -> std::optional<TSaveTarget> {
      asked.push_back(request.DefaultName);
      if (!answer)
        return std::nullopt;
      return TSaveTarget{dir.filePath(answer->first), answer->second};
    });
    SetSaveFailureSink(
        [this](const QString& path, const QString& reason) { failures << path + ": " + reason; });
  }
  void TearDown() override {
    SetSavePathAsker(nullptr);
    SetSaveFailureSink(nullptr);
    FormFixture::TearDown();
  }

  std::unique_ptr<TForm1> form;
  QTemporaryDir dir;
  std::optional<std::pair<QString, std::size_t>> answer;
  QStringList asked;
  QStringList failures;
};

TEST_F(MainFormMenusTest, TheClientAreaLiesBelowTheMenuBarAndEveryControlKeepsItsPosition) {
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  EXPECT_EQ(form->Client->pos(), QPoint(0, form->MenuBar->isNativeMenuBar() ? 0 : form->MenuBar->height()));
  EXPECT_EQ(form->Client->size(), QSize(640, 454));
  EXPECT_EQ(form->MenuBar->geometry().bottom() + 1, form->Client->y());
  const struct {
    QWidget* control;
    QRect geometry;
  } layout[] = {
      {form->Chart2, {24, 60, 593, 153}},
      {form->Chart1, {24, 264, 593, 145}},
      {form->MemoData->Widget(), {440, 0, 185, 185}},
      {form->ButtonBegin, {256, 424, 109, 25}},
      {form->BitBtn1, {128, 424, 109, 25}},
      {form->CheckBox1, {32, 424, 89, 17}},
      {form->EditAcrit, {40, 32, 41, 21}},
      {form->EditY0, {384, 32, 41, 21}},
      {form->Label14, {24, 218, 580, 26}},
  };
  for (const auto& c : layout) {
    EXPECT_EQ(c.control->parentWidget(), form->Client) << c.control->metaObject()->className();
    EXPECT_EQ(c.control->geometry(), c.geometry) << c.control->metaObject()->className();
  }
  EXPECT_EQ(form->Label1->pos(), QPoint(57, 8));
  EXPECT_EQ(form->Label13->pos(), QPoint(392, 440));
}

TEST_F(MainFormMenusTest, TheBarHoldsFileChartsAndHelpAndTakesNewMenusBeforeHelp) {
  // The analysis puts its menu before Help as the window is made.
  EXPECT_EQ(Texts(form->MenuBar->actions()),
            QStringList({"&File", "&Charts", "&View", "&Analysis", "&Help"}));
  QMenu* tools = form->InsertMenuBeforeHelp("&Tools");
  EXPECT_EQ(Texts(form->MenuBar->actions()),
            QStringList({"&File", "&Charts", "&View", "&Analysis", "&Tools", "&Help"}));
  EXPECT_EQ(tools->parent(), form->MenuBar);
  EXPECT_EQ(Texts(form->HelpMenu->actions()),
            QStringList({"&Parameters and model", "The &log's columns", "Series analysis &table", "&Fit",
                         "&Mouse and keys", "-", "&About Corvane"}));
  EXPECT_EQ(Texts(form->FileMenu->actions()),
            QStringList({"&Open reaction times...", "&Paste reaction times", "-", "&Save log as...",
                         "Copy &reproduction command", "-", "&Quit"}));
  EXPECT_EQ(form->SaveLogAction->shortcut(), QKeySequence(QKeySequence::Save));
  EXPECT_EQ(form->QuitAction->shortcut(), QKeySequence("Ctrl+Q"));
}

TEST_F(MainFormMenusTest, SaveLogWritesTheMemosTextWithThePlatformsLineBreaks) {
  form->ButtonBegin->click();
  answer = {{"log", 0}};
  form->SaveLogAction->trigger();
  EXPECT_EQ(asked, QStringList{"reaction-log.txt"});
  QByteArray expected = QByteArray::fromStdString(form->MemoData->Text());
  expected.replace("\r\n", "\n");
  EXPECT_EQ(Read(dir.filePath("log.txt")), expected);  // the extension added
  EXPECT_GT(expected.count('\n'), 2);
  EXPECT_TRUE(failures.isEmpty());
}

TEST_F(MainFormMenusTest, EachChartEntryDoesItsWork) {
  for (int i = 0; i < 3; ++i) form->ButtonBegin->click();
  struct Case {
    TChart* chart;
    TForm1::TChartActions actions;
    const char* stem;
  };
  for (const Case& c : {Case{form->Chart2, form->Chart2Actions, "reaction-times"},
                        Case{form->Chart1, form->Chart1Actions, "inhibition-plot"}}) {
    asked.clear();
    answer = {{"data", 0}};
    c.actions.SaveData->trigger();
    EXPECT_EQ(Read(dir.filePath("data.csv")),
              QByteArray::fromStdString(ChartDataFile(*c.chart, TChartDataFormat::Csv)));
    answer = {{"plot.svg", 0}};  // the typed extension wins over the PNG filter
    c.actions.SaveImage->trigger();
    EXPECT_TRUE(Read(dir.filePath("plot.svg")).startsWith("<?xml"));
    EXPECT_EQ(asked, QStringList({QString(c.stem) + ".csv", QString(c.stem) + ".png"}));

    c.actions.CopyData->trigger();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), ChartDataOf(*c.chart));
    c.actions.CopyImage->trigger();
    EXPECT_EQ(QApplication::clipboard()->image().size(), c.chart->size() * c.chart->devicePixelRatioF());
    const double maximum = c.chart->BottomAxis().Maximum();
    c.chart->ZoomRect({100, 40, 300, 100});
    ASSERT_NE(c.chart->BottomAxis().Maximum(), maximum);
    c.actions.ResetZoom->trigger();
    EXPECT_EQ(c.chart->BottomAxis().Maximum(), maximum);
  }
  EXPECT_TRUE(failures.isEmpty());
}

TEST_F(MainFormMenusTest, TheContextMenusLeadWithTheSaveActionsAndTakeTheOwnersEntries) {
  // The reaction-time chart already carries the analysis's entry.
  QMenu* menu = CreateChartMenu(*form->Chart2);
  EXPECT_EQ(Texts(menu->actions()),
            QStringList({"Save &image as...", "Save &data as...", "Series analysis...", "-", "Copy image",
                         "Copy data", "Reset zoom"}));
  int analysed = 0;
  QAction* entry = AddChartMenuEntry(*form->Chart2, "Another analysis...", [&] { ++analysed; });
  emit menu->aboutToShow();
  EXPECT_EQ(Texts(menu->actions()),
            QStringList({"Save &image as...", "Save &data as...", "Series analysis...", "Another analysis...",
                         "-", "Copy image", "Copy data", "Reset zoom"}));
  entry->trigger();
  EXPECT_EQ(analysed, 1);
  emit menu->aboutToShow();  // opened again: no entry twice
  EXPECT_EQ(menu->actions().size(), 8);
  EXPECT_FALSE(CreateChartMenu(*form->Chart1)->actions().contains(entry));

  std::unique_ptr<QMenu> memo_menu(form->MemoData->Widget()->CreateContextMenu());
  EXPECT_EQ(memo_menu->actions().back(), form->SaveLogAction);
}

TEST_F(MainFormMenusTest, AFailedSaveShowsItsMessageAndChangesNothing) {
  form->ButtonBegin->click();
  const std::string text = form->MemoData->Text();
  const int reaction = form->ReactionNumber;
  answer = {{"missing/log.txt", 0}};
  form->SaveLogAction->trigger();
  ASSERT_EQ(failures.size(), 1);
  EXPECT_TRUE(failures[0].startsWith(dir.filePath("missing/log.txt") + ": No such file"));
  EXPECT_EQ(form->MemoData->Text(), text);
  EXPECT_EQ(form->ReactionNumber, reaction);
  answer.reset();  // cancelled
  form->Chart1Actions.SaveImage->trigger();
  EXPECT_EQ(failures.size(), 1);
}

TEST_F(MainFormMenusTest, QuitClosesTheWindowAndTheHelpPagesOpen) {
  form->show();
  form->HelpMenu->actions().front()->trigger();
  auto* page = form->findChild<QDialog*>("HelpPage:Parameters and model");
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(page->isVisible());
  form->HelpMenu->actions().front()->trigger();  // again: the same page
  EXPECT_EQ(form->findChildren<QDialog*>().size(), 1);
  EXPECT_TRUE(ParametersAndModelPage().contains("A(1 + a1/a0)"));
  EXPECT_TRUE(MouseAndKeysPage().contains("Ctrl+Shift+click"));
  EXPECT_TRUE(AboutText().contains(qVersion()));
  form->QuitAction->trigger();
  EXPECT_FALSE(form->isVisible());
}

// The log's page works through a reaction a press from its seed writes, line for line, and says
// by how much asom of the last line passes A.
TEST_F(MainFormMenusTest, TheLogPageWorksThroughTheLinesOfARealPress) {
  auto pressed = MakeForm(SeededSource(kLogExampleSeed));
  pressed->Press();
  const QString page = LogColumnsPage();
  const QStringList lines =
      QString::fromStdString(pressed->MemoData->Text()).split("\r\n", Qt::SkipEmptyParts);
  ASSERT_GE(lines.size(), 3);  // a reaction of two cycles or more shows both kinds of line
  for (const QString& line : lines) EXPECT_TRUE(page.contains(line.toHtmlEscaped())) << line.toStdString();
  for (const char* column : {"N", "K", "WTerm", "DTerm", "Subtotal", "YValue", "asom"})
    EXPECT_TRUE(page.contains(QStringLiteral("<b>%1").arg(column))) << column;
  const QString last = lines.back();
  const double asom = last.mid(last.indexOf("asom=") + 5).toDouble();
  const double reaction_time = pressed->Series2->YValueAt(0);
  EXPECT_GT(asom, 5.0);
  EXPECT_TRUE(page.contains(QString::number(asom - 5.0, 'f', 3) + " past A")) << page.toStdString();
  EXPECT_TRUE(
      page.contains(QStringLiteral("its Subtotal %1 is the reaction time").arg(reaction_time, 0, 'f', 3)));
}

// Every shortcut the main window answers is on the keys page, Paste reaction times among them.
TEST_F(MainFormMenusTest, TheKeysPageNamesEveryShortcutOfTheWindow) {
  const QString page = MouseAndKeysPage();
  int shortcuts = 0;
  for (const QAction* action : form->findChildren<QAction*>()) {
    for (const QKeySequence& key : action->shortcuts()) {
      ++shortcuts;
      EXPECT_TRUE(page.contains(key.toString(QKeySequence::PortableText)))
          << action->text().toStdString() << " " << key.toString().toStdString();
    }
  }
  EXPECT_GE(shortcuts, 5);
  EXPECT_TRUE(page.contains("Ctrl+Shift+V"));
  EXPECT_TRUE(AnalysisTablePage().contains("Data &minus; model (SE)"));
}

// The Fit page names the boundary as the window does and every rule its Interval column shows.
TEST_F(MainFormMenusTest, TheFitPageExplainsWhatTheFitPanelShows) {
  for (QAction* action : form->HelpMenu->actions())
    if (action->text() == "&Fit")
      action->trigger();
  ASSERT_NE(form->findChild<QDialog*>("HelpPage:Fit"), nullptr);
  const QString page = FitPage();
  EXPECT_TRUE(page.contains(QString::fromLatin1(kBoundaryNote))) << "the boundary as the window names it";
  EXPECT_TRUE(page.contains("k = 10<sup>4</sup>"));
  for (const TIntervalMethod method :
       {TIntervalMethod::Shifted, TIntervalMethod::Profile, TIntervalMethod::AlongA, TIntervalMethod::Exact,
        TIntervalMethod::Held})
    EXPECT_TRUE(page.contains(QString::fromStdString(IntervalMethodText(method))))
        << IntervalMethodText(method);
  for (const char* words : {"from b's", "ex-Gaussian", "shifted lognormal", "AIC", "QQ chart",
                            "A refused file", "Contaminants", "Moments", "Maximum likelihood"})
    EXPECT_TRUE(page.contains(QString::fromLatin1(words))) << words;
}

}  // namespace
}  // namespace corvane
