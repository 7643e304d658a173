// The four handlers of Form1: window creation, "Start Reaction Time", "Begin new RT series" and
// "Memo On/Off". A press runs one whole reaction synchronously; an error inside it ends the press
// with what was added so far kept, and reaches the application's error report.
#include <QCheckBox>
#include <QLineEdit>

#include "chart/chart.h"
#include "chart/line_series.h"
#include "mainwindow/busy_cursor.h"
#include "mainwindow/main_form.h"
#include "mainwindow/parameter_reader.h"
#include "mainwindow/reaction_run.h"
#include "memo/data_memo.h"
#include "runtime/float_checks.h"
#include "runtime/parse_float.h"
#include "runtime/random.h"
#include "simulation/period_line.h"

namespace corvane {
namespace {

// Routes a reaction's outputs: path points to the inhibition series, records to the memo.
class TFormReactionSink final : public TReactionSink {
 public:
  TFormReactionSink(TLineSeries& path, TDataMemo& memo) : path_(path), memo_(memo) {}
  void AddPathPoint(double time, double inhibition) override {
    path_.AddPoint(time, inhibition, {}, path_.SeriesColor());
  }
  void AddPeriodRecord(const TPeriodRecord& record) override { memo_.AppendLine(FormatPeriodLine(record)); }

 private:
  TLineSeries& path_;
  TDataMemo& memo_;
};

// Brings the memo's view up to date when the press ends, by an error too.
class TMemoSyncOnExit {
 public:
  explicit TMemoSyncOnExit(TDataMemo& memo) : memo_(memo) {}
  ~TMemoSyncOnExit() { memo_.Sync(); }
  TMemoSyncOnExit(const TMemoSyncOnExit&) = delete;
  TMemoSyncOnExit& operator=(const TMemoSyncOnExit&) = delete;

 private:
  TDataMemo& memo_;
};

}  // namespace

void TForm1::FormCreate() {
  SeedRandomFromClock();
  parameters_.a1 = StoreDouble(ParseFloat(EditA1->text().toLatin1().toStdString()));
  CheckBox1->setChecked(MemoData->Visible());  // a new state runs CheckBox1Click like a click
  ReactionNumber = 1;
}

bool TForm1::ReadParameters(TNoticeSink& notices) {
  const TParameterFields fields{EditAcrit, EditA1, EditA0, EditC1, EditC0, EditY0};
  return corvane::ReadParameters(fields, parameters_, notices);
}

void TForm1::ButtonBeginClick() {
  Press();
}

TPressOutcome TForm1::Press() {
  TMemoSyncOnExit sync(*MemoData);
  // The series and axes change under the pointer: a drag or a read-out of the old ones ends here.
  Chart1->EndGestures();
  Chart2->EndGestures();
  Series3->ClearPoints();
  MemoData->ClearLines();
  Series1->ClearPoints();
  TNoticeTally notices(*notices_);
  if (!ReadParameters(notices))
    return {false, notices.Count()};
  // The window takes no input until the reaction ends; the pointer says so. Set only now, so the
  // parameter messages above keep the ordinary pointer.
  const TBusyCursor busy;

  const double axis_max = AxisMax(parameters_);
  const double stationary_mean = StationaryMean(parameters_);
  // A zoom the wheel began is ours, not the window's: the press resets it, so that the path's
  // maximum follows the new path again (a drag's zoom keeps its fixed maximum).
  Chart1->ResetWheelZoom();
  Chart2->ResetWheelZoom();
  // Minimum before maximum: every maximum here is above 0, so the axes' checks never fail.
  Chart1->BottomAxis().SetMinimum(0);
  Chart1->BottomAxis().SetMaximum(axis_max);
  Chart1->LeftAxis().SetMinimum(0);
  Chart2->BottomAxis().SetMinimum(0);
  Chart2->BottomAxis().SetMaximum(50);
  Chart2->LeftAxis().SetMinimum(0);
  Chart2->LeftAxis().SetMaximum(axis_max);

  const bool first_of_series = ReactionNumber == 1;
  if (first_of_series) {
    MemoData->Sync();
    repaint();  // the window's pending repaints, at once
    MemoData->ClearLines();
  }

  TFormReactionSink sink(*Series1, *MemoData);
  const double reaction_time = simulator_.SimulateReaction(parameters_, first_of_series, sink);

  const double number = ReactionNumber;
  Series2->AddPoint(number, reaction_time, {}, Series1->SeriesColor());
  Series3->AddPoint(reaction_time, 0, {}, Series3->SeriesColor());
  Series4->AddPoint(number, stationary_mean, {}, Series4->SeriesColor());
  ++ReactionNumber;
  feed_.Record(reaction_time, parameters_);
  return {true, notices.Count()};
}

void TForm1::BitBtn1Click() {
  ReactionNumber = 1;
  Series2->ClearPoints();
  Series4->ClearPoints();
  feed_.Clear();
}

void TForm1::CheckBox1Click() {
  MemoData->SetVisible(CheckBox1->isChecked());
}

}  // namespace corvane
