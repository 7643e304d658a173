// The four handlers of Form1: window creation, "Start Reaction Time", "Begin new RT series" and
// "Memo On/Off". A press runs one whole reaction synchronously; an error inside it ends the press
// with what was added so far kept, and reaches the application's error report.
#include <QCheckBox>
#include <QLineEdit>

#include "chart/chart.h"
#include "chart/line_series.h"
#include "mainwindow/busy_cursor.h"
#include "mainwindow/chart_texts.h"
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

// Routes a reaction's outputs: path points to the inhibition series, records to the memo; counts
// the periods.
class TFormReactionSink final : public TReactionSink {
 public:
  TFormReactionSink(TLineSeries& path, TDataMemo& memo, int& periods)
      : path_(path), memo_(memo), periods_(periods) {}
  void AddPathPoint(double time, double inhibition) override {
    path_.AddPoint(time, inhibition, {}, path_.SeriesColor());
  }
  void AddPeriodRecord(const TPeriodRecord& record) override {
    memo_.AppendLine(FormatPeriodLine(record));
    ++periods_;
  }

 private:
  TLineSeries& path_;
  TDataMemo& memo_;
  int& periods_;
};

// When the press ends, by an error too: brings the memo's view up to date and tells assistive
// technology what the charts now show.
class TPressEnd {
 public:
  TPressEnd(TForm1& form, const int& periods) : form_(form), periods_(periods) {}
  ~TPressEnd() {
    form_.MemoData->Sync();
    try {
      DescribeCharts(form_, periods_);
    } catch (...) {
      // A description that cannot be built keeps the last one; the press's own error, if any,
      // is the one to report.
    }
  }
  TPressEnd(const TPressEnd&) = delete;
  TPressEnd& operator=(const TPressEnd&) = delete;

 private:
  TForm1& form_;
  const int& periods_;
};

}  // namespace

void TForm1::FormCreate() {
  SeedRandomFromClock();
  parameters_.a1 = StoreDouble(ParseFloat(EditA1->text().toLatin1().toStdString()));
  CheckBox1->setChecked(MemoData->Visible());  // a new state runs CheckBox1Click like a click
  ReactionNumber = 1;
  DescribeCharts(*this, 0);
}

bool TForm1::ReadParameters(TNoticeSink& notices) {
  const TParameterFields fields{EditAcrit, EditA1, EditA0, EditC1, EditC0, EditY0};
  return corvane::ReadParameters(fields, parameters_, notices);
}

void TForm1::ButtonBeginClick() {
  Press();
}

TPressOutcome TForm1::Press() {
  int periods = 0;
  TPressEnd end(*this, periods);
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

  TFormReactionSink sink(*Series1, *MemoData, periods);
  const std::uint32_t seed_before = RandomSeed;
  const double start_inhibition = first_of_series ? parameters_.y0 : simulator_.CarriedY();
  const double reaction_time = simulator_.SimulateReaction(parameters_, first_of_series, sink);
  if (draws_process_generator_)
    seeds_.Record(seed_before, RandomSeed, parameters_, start_inhibition, first_of_series);

  const double number = ReactionNumber;
  Series2->AddPoint(number, reaction_time, {}, Series1->SeriesColor());
  Series3->AddPoint(reaction_time, 0, {}, Series3->SeriesColor());
  Series4->AddPoint(number, stationary_mean, {}, Series4->SeriesColor());
  ++ReactionNumber;
  series_record_.Append(reaction_time, parameters_);
  return {true, notices.Count()};
}

void TForm1::BitBtn1Click() {
  ReactionNumber = 1;
  Series2->ClearPoints();
  Series4->ClearPoints();
  series_record_.Clear();
  seeds_.Clear();
  DescribeCharts(*this, 0);
}

void TForm1::CheckBox1Click() {
  MemoData->SetVisible(CheckBox1->isChecked());
}

}  // namespace corvane
