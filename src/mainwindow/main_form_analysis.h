// The main window's side of the Series analysis window: the one window per program, opened from
// "Series analysis..." (Ctrl+Shift+A) or, with its file dialog, from "Open reaction times..."
// (Ctrl+O); it follows Form1's series record, reads the six fields quietly and fills them on "Apply
// to fields" in the program's number form. Both entries are window shortcuts of Form1 and are
// offered to its menus.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "analysiswindow/analysis_host.h"
#include "simulation/parameter_set.h"

class QAction;
class QMenu;

namespace corvane {

class TForm1;
class TSeriesAnalysisWindow;

// A field's number as the program writes one into a field: general form, 6 significant digits,
// the decimal mark of the moment; ParseFloat reads it back, so a press uses what the field shows.
std::string FieldNumber(double value);

class TFormAnalysis final : public TAnalysisHost {
 public:
  explicit TFormAnalysis(TForm1& form);
  ~TFormAnalysis() override;
  TFormAnalysis(const TFormAnalysis&) = delete;
  TFormAnalysis& operator=(const TFormAnalysis&) = delete;

  // Shows the window (created at the first call), raised and active.
  void OpenSeriesAnalysis();
  void OpenReactionTimes();
  // Shows the window and reads the clipboard's reaction times into it.
  void PasteReactionTimes();
  // Cancels the window's computations and closes it (the program is ending); nothing if not open.
  void CloseWindow();
  // Null until first opened.
  TSeriesAnalysisWindow* Window() const noexcept { return window_.get(); }

  QAction* SeriesAnalysisAction() const noexcept { return series_analysis_; }
  QAction* OpenReactionTimesAction() const noexcept { return open_reaction_times_; }
  QAction* PasteReactionTimesAction() const noexcept { return paste_reaction_times_; }
  // Puts the entries into Form1's menus: Analysis before Help, "Open reaction times..." and
  // "Paste reaction times" (Ctrl+Shift+V) at the head of File, "Series analysis..." in the
  // reaction-time chart's context menu.
  void InstallMenus();

  // The six fields changed: an open window showing loaded data compares with them.
  void FieldsChanged();

  TSeriesRecord& Series() override;
  std::optional<TParameterSet> FieldParameters() const override;
  void ApplyToFields(const TParameterSet& parameters) override;
  void ShowNotice(const std::string& text) override;
  void SaveChartImage(TChart& chart) override;
  void SaveChartData(TChart& chart) override;
  std::optional<std::uint32_t> SeriesSeed() const override;

 private:
  TSeriesAnalysisWindow& EnsureWindow();

  TForm1& form_;
  QAction* series_analysis_;
  QAction* open_reaction_times_;
  QAction* paste_reaction_times_;
  std::unique_ptr<TSeriesAnalysisWindow> window_;
};

}  // namespace corvane
