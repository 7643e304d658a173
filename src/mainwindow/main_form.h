// The main window `Form1` and the reaction series it drives.
//
//   edit fields --ReadParameters--> TParameterSet --SimulateReaction--> path points -> Series1
//                                                                   \-> period lines -> MemoData
//   reaction time -> Series2 (reaction-time chart), Series3 (marker), Series4 (stationary mean)
//
// main_form_layout.cpp builds the controls at their fixed positions, main_form_charts.cpp gives the
// two charts and their four series their design-time settings, main_form_handlers.cpp holds the
// four handlers (FormCreate, ButtonBeginClick, BitBtn1Click, CheckBox1Click). A click on
// ButtonBegin goes through ButtonBeginRun, which presses once or, with Shift or Ctrl+Shift held,
// runs ten or fifty presses (reaction_run.h); each press is Press, which says what it did. Every
// recorded reaction also goes to the series record (simulation/series_record.h) that the Series
// analysis window follows; main_form_analysis.h opens that window and lets it read and fill the
// fields.
//
// The window is the menu bar above `Client`, the client area that holds every control at its
// layout position (main_form_menus.cpp builds the menus: File, Charts, Help; later features add
// theirs before Help with InsertMenuBeforeHelp). The saves go through dialogs/save_file.h.
#pragma once

#include <QFont>
#include <QRect>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "framework/modifier_button.h"
#include "mainwindow/series_seeds.h"
#include "simulation/parameter_set.h"
#include "simulation/reaction_simulator.h"
#include "simulation/series_record.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

namespace corvane {

class TChart;
class TDataMemo;
class TFormAnalysis;
class TLineSeries;
class TNoticeSink;
struct TPressOutcome;

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // The notices of parameter entry go to `notices` (the modal box when null); the simulation
  // draws from `random` (the process-wide generator when empty).
  explicit TForm1(TNoticeSink* notices = nullptr, TRandomSource random = {});
  ~TForm1() override;

  // Handlers, bound to the window's creation and to the controls' clicks.
  void FormCreate();
  void ButtonBeginClick();
  void BitBtn1Click();
  void CheckBox1Click();
  // The click of ButtonBegin: one press, or a run of them as the click's modifiers ask.
  void ButtonBeginRun();
  // ButtonBeginClick's work, telling whether it recorded a reaction and how many notices it showed.
  TPressOutcome Press();

  static constexpr int kClientWidth = 640;
  static constexpr int kClientHeight = 454;
  // The menu bar, and the client area beneath it: the controls' parent, at the layout's size.
  QMenuBar* MenuBar = nullptr;
  QWidget* Client = nullptr;
  QMenu* FileMenu = nullptr;
  QMenu* HelpMenu = nullptr;
  // A new menu of the bar, placed before Help; the bar owns it.
  QMenu* InsertMenuBeforeHelp(const QString& title);
  // The entries of File and of each chart, shared with the context menus.
  QAction* SaveLogAction = nullptr;
  QAction* QuitAction = nullptr;
  QAction* CopyReproductionAction = nullptr;
  struct TChartActions {
    QAction* SaveImage = nullptr;
    QAction* SaveData = nullptr;
    QAction* CopyImage = nullptr;
    QAction* CopyData = nullptr;
    QAction* ResetZoom = nullptr;
  };
  TChartActions Chart1Actions;
  TChartActions Chart2Actions;

  // What the entries do: the file dialog, then the file written whole or not at all.
  void SaveLogAs();
  void SaveChartImageAs(TChart& chart);
  void SaveChartDataAs(TChart& chart);
  QString ChartFileStem(const TChart& chart) const;

  // Controls, named as in the layout.
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Label9 = nullptr;
  QLabel* Label10 = nullptr;
  QLabel* Label11 = nullptr;
  QLabel* Label13 = nullptr;
  QLabel* Label14 = nullptr;
  QLabel* Label15 = nullptr;
  TChart* Chart2 = nullptr;
  TModifierButton* ButtonBegin = nullptr;
  TChart* Chart1 = nullptr;
  std::unique_ptr<TDataMemo> MemoData;
  QLineEdit* EditAcrit = nullptr;
  QLineEdit* EditA1 = nullptr;
  QLineEdit* EditA0 = nullptr;
  QLineEdit* EditC1 = nullptr;
  QLineEdit* EditC0 = nullptr;
  QLineEdit* EditY0 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QCheckBox* CheckBox1 = nullptr;

  TLineSeries* Series1 = nullptr;  // Chart1: the inhibition path
  TLineSeries* Series3 = nullptr;  // Chart1: the reaction-time marker
  TLineSeries* Series2 = nullptr;  // Chart2: the reaction times
  TLineSeries* Series4 = nullptr;  // Chart2: the stationary mean

  // The number the next recorded reaction receives; 1 marks the first of a series.
  int ReactionNumber = 1;
  const TParameterSet& Parameters() const { return parameters_; }
  const TReactionSimulator& Simulator() const { return simulator_; }
  // Where the notices of parameter entry go.
  TNoticeSink& Notices() const { return *notices_; }
  // The series as recorded, reaction by reaction, for the analysis.
  TSeriesRecord& SeriesRecord() noexcept { return series_record_; }
  // View > Zoom in (Ctrl++), Zoom out (Ctrl+-), Actual size (Ctrl+0), main_form_zoom.cpp: the
  // client area with every control's rectangle and font scaled by one of kZoomPercents, the
  // charts drawn at the finer resolution; the menu bar keeps its size. 100 is the layout, and the
  // start; the zoom stays for the session.
  static constexpr int kZoomPercents[] = {100, 125, 150, 200, 250};
  int ZoomPercent() const noexcept { return zoom_percent_; }
  void SetZoomPercent(int percent);
  void ZoomIn();
  void ZoomOut();
  QMenu* ViewMenu = nullptr;
  QAction* ZoomInAction = nullptr;
  QAction* ZoomOutAction = nullptr;
  QAction* ActualSizeAction = nullptr;
  // A client coordinate of the layout at `percent`: its exact product, halves to even.
  static int ZoomedPixel(int value, int percent);
  static QRect ZoomedRect(const QRect& layout, int percent);

  // The Series analysis window and its entries ("Series analysis...", "Open reaction times...").
  TFormAnalysis& Analysis() noexcept { return *analysis_; }
  // Where the generator stood when each stretch of the current series began (series_seeds.h);
  // empty when the window draws from a source of its own rather than the process-wide generator.
  const TSeriesSeeds& SeriesSeeds() const noexcept { return seeds_; }
  bool DrawsFromProcessGenerator() const noexcept { return draws_process_generator_; }
  // The corvane-cli command that prints the current series, reaction by reaction; empty when
  // there is none to give (no reaction yet, or the draws are not the process-wide generator's).
  std::string ReproductionCommand(const std::string& program = "corvane-cli") const;
  void CopyReproductionCommand();
  // Help > About's paragraph on the series' seed.
  QString SeriesSeedNote() const;

 protected:
  // Closing the window ends the program: the analysis window's work is cancelled and every window
  // of the program closes with this one.
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateClientArea();
  void CreateControls();
  void SetTabOrder();
  void DescribeSentences();
  void DesignCharts();
  void CreateMenus();
  void CreateViewMenu();
  TChartActions AddChartMenu(QMenu& charts, TChart& chart, const QString& title);
  bool ReadParameters(TNoticeSink& notices);

  TParameterSet parameters_;
  bool draws_process_generator_;  // before the simulator, which takes the source
  TReactionSimulator simulator_;
  TSeriesRecord series_record_;
  TSeriesSeeds seeds_;
  int zoom_percent_ = 100;
  // Every control of the client area as the layout places it: its rectangle and font at 100 %.
  struct TLayoutPlace {
    QWidget* control;
    QRect rect;
    QFont font;
  };
  std::vector<TLayoutPlace> layout_places_;
  std::unique_ptr<TNoticeSink> own_notices_;
  TNoticeSink* notices_;
  // Last: the analysis window reads the record and the fields while it closes.
  std::unique_ptr<TFormAnalysis> analysis_;
};

}  // namespace corvane
