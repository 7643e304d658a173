// Form1's menu bar, above the client area so that no control moves:
//   &File    Save log as... (Ctrl+S), Copy reproduction command (the corvane-cli command that
//            prints the current series), Quit (Ctrl+Q: the same as closing the window, which ends
//            the program)
//   &Charts  one submenu per chart: Save image as..., Save data as..., Copy image, Copy data,
//            Reset zoom; the two Save entries also lead each chart's context menu
//   &View    Zoom in (Ctrl++), Zoom out (Ctrl+-), Actual size (Ctrl+0): main_form_zoom.cpp
//   &Help    Parameters and model, The log's columns, Series analysis table, Fit, Mouse and keys,
//            About Corvane
// Later features put their menus before Help (InsertMenuBeforeHelp). The memo's context menu
// ends with "Save log as...", the same action as the File menu's.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <algorithm>
#include <string>
#include <string_view>

#include "chart/chart.h"
#include "chart/chart_context_menu.h"
#include "chart/chart_export.h"
#include "dialogs/notice_sink.h"
#include "dialogs/save_file.h"
#include "mainwindow/help_pages.h"
#include "mainwindow/main_form.h"
#include "memo/data_memo.h"
#include "memo/memo_view.h"
#include "runtime/random.h"

namespace corvane {
namespace {

const TSaveRequest& LogRequest() {
  static const TSaveRequest request{QStringLiteral("Save log as"),
                                    QStringLiteral("reaction-log.txt"),
                                    {{QStringLiteral("Text file"), QStringLiteral("txt")}}};
  return request;
}

// The order of TChartImageFormat.
TSaveRequest ImageRequest(const QString& stem) {
  return {QStringLiteral("Save image as"),
          stem + QStringLiteral(".png"),
          {{QStringLiteral("PNG image"), QStringLiteral("png")},
           {QStringLiteral("PNG image, twice the size for print"), QStringLiteral("png")},
           {QStringLiteral("SVG vector image"), QStringLiteral("svg")},
           {QStringLiteral("PDF document"), QStringLiteral("pdf")}}};
}

// The order of TChartDataFormat.
TSaveRequest DataRequest(const QString& stem) {
  return {QStringLiteral("Save data as"),
          stem + QStringLiteral(".csv"),
          {{QStringLiteral("CSV, comma-separated"), QStringLiteral("csv")},
           {QStringLiteral("TSV, tab-separated as Copy data"), QStringLiteral("tsv")}}};
}

QAction* AddEntry(QMenu& menu, const QString& text, QObject* context, std::function<void()> run) {
  QAction* action = menu.addAction(text);
  QObject::connect(action, &QAction::triggered, context, [run = std::move(run)] { run(); });
  return action;
}

// The memo's text with the platform's line breaks: CR LF on Windows (as the memo keeps them), LF
// elsewhere. Streamed through a buffer of 1 MiB, so that a log at capacity costs no second copy.
bool WriteLog(QIODevice& file, std::string_view text) {
#ifdef Q_OS_WIN
  return WriteAll(file, QByteArray::fromRawData(text.data(), qsizetype(text.size())));
#else
  constexpr std::size_t kChunk = std::size_t{1} << 20;
  std::string chunk;
  chunk.reserve(kChunk + 2);
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t stop = std::min(text.size(), pos + kChunk);
    while (pos < stop) {
      const std::size_t cr = text.find("\r\n", pos);
      const std::size_t end = std::min(cr, stop);
      chunk.append(text.data() + pos, end - pos);
      pos = end;
      if (cr == end) {
        chunk += '\n';
        pos += 2;
      }
    }
    if (!WriteAll(file, QByteArray::fromRawData(chunk.data(), qsizetype(chunk.size()))))
      return false;
    chunk.clear();
  }
  return true;
#endif
}

}  // namespace

// The default file name of a chart: the window's own two by their titles, any other chart (the
// Series analysis window's) by the name it carries in its "fileStem" property.
QString TForm1::ChartFileStem(const TChart& chart) const {
  if (&chart == Chart2)
    return QStringLiteral("reaction-times");
  if (&chart == Chart1)
    return QStringLiteral("inhibition-plot");
  const QString stem = chart.property("fileStem").toString();
  return stem.isEmpty() ? QStringLiteral("chart") : stem;
}

std::string TForm1::ReproductionCommand(const std::string& program) const {
  if (!draws_process_generator_)
    return {};
  return corvane::ReproductionCommand(seeds_.Stretches(), program).value_or(std::string());
}

void TForm1::CopyReproductionCommand() {
  const std::string command = ReproductionCommand();
  if (command.empty()) {
    notices_->ShowNotice(series_record_.Count() == 0
                             ? "The series has no reactions yet: there is nothing to reproduce."
                             : "This series cannot be given as a corvane-cli command.");
    return;
  }
  QGuiApplication::clipboard()->setText(QString::fromStdString(command));
}

// What Help > About says of the series: where the generator stood when it began.
QString TForm1::SeriesSeedNote() const {
  if (!draws_process_generator_)
    return {};
  const auto& stretches = seeds_.Stretches();
  if (stretches.empty())
    return QStringLiteral(
               "The current series has no reactions yet; its first reaction will draw from seed %1.")
        .arg(RandomSeed);
  QString note = QStringLiteral("The current series (%1 reactions) began at seed %2.")
                     .arg(seeds_.Count())
                     .arg(stretches.front().Seed);
  if (stretches.size() > 1) {
    QStringList seeds;
    for (std::size_t i = 1; i < stretches.size() && i <= 10; ++i) seeds << QString::number(stretches[i].Seed);
    if (stretches.size() > 11)
      seeds << QStringLiteral("...");
    note += QStringLiteral(" Its parameters changed within it: the later stretches began at seeds %1.")
                .arg(seeds.join(QStringLiteral(", ")));
  }
  return note +
         QStringLiteral(" File > Copy reproduction command gives the corvane-cli command that prints it.");
}

QMenu* TForm1::InsertMenuBeforeHelp(const QString& title) {
  auto* menu = new QMenu(title, MenuBar);
  MenuBar->insertMenu(HelpMenu->menuAction(), menu);
  return menu;
}

void TForm1::SaveLogAs() {
  SaveThroughDialog(this, LogRequest(),
                    [this](QIODevice& file, std::size_t) { return WriteLog(file, MemoData->Text()); });
}

void TForm1::SaveChartImageAs(TChart& chart) {
  const QString stem = ChartFileStem(chart);
  SaveThroughDialog(this, ImageRequest(stem), [&chart](QIODevice& file, std::size_t format) {
    return WriteChartImage(chart, TChartImageFormat(format), file);
  });
}

void TForm1::SaveChartDataAs(TChart& chart) {
  const QString stem = ChartFileStem(chart);
  SaveBytesThroughDialog(this, DataRequest(stem), [&chart](std::size_t format) {
    return QByteArray::fromStdString(ChartDataFile(chart, TChartDataFormat(format)));
  });
}

TForm1::TChartActions TForm1::AddChartMenu(QMenu& charts, TChart& chart, const QString& title) {
  QMenu* menu = charts.addMenu(title);
  TChartActions actions;
  actions.SaveImage =
      AddEntry(*menu, QStringLiteral("Save &image as..."), this, [this, &chart] { SaveChartImageAs(chart); });
  actions.SaveData =
      AddEntry(*menu, QStringLiteral("Save &data as..."), this, [this, &chart] { SaveChartDataAs(chart); });
  menu->addSeparator();
  actions.CopyImage =
      AddEntry(*menu, QStringLiteral("&Copy image"), this, [&chart] { CopyChartImage(chart); });
  actions.CopyData = AddEntry(*menu, QStringLiteral("Copy da&ta"), this, [&chart] { CopyChartData(chart); });
  actions.ResetZoom = AddEntry(*menu, QStringLiteral("&Reset zoom"), this, [&chart] { chart.UndoZoom(); });
  // The context menu leads with the same two Save actions.
  chart.addAction(actions.SaveImage);
  chart.addAction(actions.SaveData);
  return actions;
}

void TForm1::CreateMenus() {
  QMenu* file = FileMenu = MenuBar->addMenu(QStringLiteral("&File"));
  SaveLogAction = AddEntry(*file, QStringLiteral("&Save log as..."), this, [this] { SaveLogAs(); });
  SaveLogAction->setShortcut(QKeySequence::Save);
  CopyReproductionAction = AddEntry(*file, QStringLiteral("Copy &reproduction command"), this,
                                    [this] { CopyReproductionCommand(); });
  CopyReproductionAction->setObjectName("CopyReproductionAction");
  file->addSeparator();
  QuitAction = AddEntry(*file, QStringLiteral("&Quit"), this, [this] { close(); });
  QuitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  MemoData->Widget()->addAction(SaveLogAction);

  QMenu* charts = MenuBar->addMenu(QStringLiteral("&Charts"));
  Chart2Actions = AddChartMenu(*charts, *Chart2, QStringLiteral("&Reaction Time Plot"));
  Chart1Actions = AddChartMenu(*charts, *Chart1, QStringLiteral("&Inhibition Plot"));

  CreateViewMenu();

  HelpMenu = MenuBar->addMenu(QStringLiteral("&Help"));
  AddEntry(*HelpMenu, QStringLiteral("&Parameters and model"), this,
           [this] { ShowHelpPage(this, QStringLiteral("Parameters and model"), ParametersAndModelPage()); });
  AddEntry(*HelpMenu, QStringLiteral("The &log's columns"), this, [this] {
    // Wide enough for the log's lines of the worked reaction.
    ShowHelpPage(this, QStringLiteral("The log's columns"), LogColumnsPage(), QSize(860, 640));
  });
  AddEntry(*HelpMenu, QStringLiteral("Series analysis &table"), this,
           [this] { ShowHelpPage(this, QStringLiteral("Series analysis table"), AnalysisTablePage()); });
  AddEntry(*HelpMenu, QStringLiteral("&Fit"), this,
           [this] { ShowHelpPage(this, QStringLiteral("Fit"), FitPage(), QSize(640, 620)); });
  AddEntry(*HelpMenu, QStringLiteral("&Mouse and keys"), this,
           [this] { ShowHelpPage(this, QStringLiteral("Mouse and keys"), MouseAndKeysPage()); });
  HelpMenu->addSeparator();
  AddEntry(*HelpMenu, QStringLiteral("&About Corvane"), this, [this] { ShowAbout(this, SeriesSeedNote()); });
}

}  // namespace corvane
