#include "mainwindow/chart_texts.h"

#include <cmath>
#include <memory>
#include <vector>

#include "chart/chart.h"
#include "chart/line_series.h"
#include "mainwindow/main_form.h"
#include "runtime/errors.h"
#include "runtime/format_float.h"
#include "simulation/reaction_theory.h"

namespace corvane {
namespace {

constexpr double kSmallestFixed = 0.001;

// Whole reaction numbers without decimals; anything else as a number.
std::string CountText(double value) {
  if (std::isfinite(value) && value == std::trunc(value) && std::abs(value) < 1e15)
    return FormatFloatKind(value, TFloatFormatKind::General, 15, 0);
  return ReadoutNumber(value);
}

std::string ModelLine(const TParameterSet& P) {
  try {
    const TReactionTheory theory = ReactionTheoryOf(P);
    return "Model: standard deviation " + ReadoutNumber(theory.StandardDeviation) +
           "; lag-1 autocorrelation " + ReadoutNumber(theory.Lag1Autocorrelation);
  } catch (const EMathError&) {
    return "Model: beyond the number range";
  }
}

std::string SeriesLine(std::span<const double> times) {
  const std::size_t n = times.size();
  if (n == 0)
    return {};
  long double sum = 0;
  for (const double t : times) sum += t;
  const long double mean = sum / n;
  std::string line = "Series so far: " + CountText(static_cast<double>(n)) +
                     (n == 1 ? " reaction" : " reactions") + "; mean " +
                     ReadoutNumber(static_cast<double>(mean));
  if (n < 2)
    return line;
  long double squares = 0;
  for (const double t : times) squares += (t - mean) * (t - mean);
  return line + "; standard deviation " + ReadoutNumber(static_cast<double>(std::sqrt(squares / (n - 1))));
}

std::vector<double> YValuesOf(const TChartSeries& series) {
  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(series.PointCount()));
  for (int i = 0; i < series.PointCount(); ++i) values.push_back(series.YValueAt(i));
  return values;
}

}  // namespace

std::string ReadoutNumber(double value) {
  if (value != 0 && std::abs(value) < kSmallestFixed)
    return FormatFloatKind(value, TFloatFormatKind::General, 4, 0);
  return FormatFloatKind(value, TFloatFormatKind::Fixed, 10, 3);
}

std::string ReactionTimeText(double number, double reaction_time) {
  return "Reaction " + CountText(number) + "\nReaction time " + ReadoutNumber(reaction_time);
}

std::string PathPointText(double time, double inhibition) {
  return "Time " + ReadoutNumber(time) + "\nInhibition " + ReadoutNumber(inhibition);
}

std::string MarkerText(double reaction_time) {
  return "Reaction time " + ReadoutNumber(reaction_time);
}

std::string StationaryMeanText(double mean, const TParameterSet* drawn_with, std::span<const double> times) {
  std::string text = "Stationary mean A(1 + a1/a0) = " + ReadoutNumber(mean);
  if (drawn_with != nullptr)
    text += "\n" + ModelLine(*drawn_with);
  if (const std::string series = SeriesLine(times); !series.empty())
    text += "\n" + series;
  return text;
}

std::string ReactionChartDescription(std::span<const double> times, std::span<const double> means) {
  if (times.empty())
    return "No reactions yet";
  long double sum = 0;
  for (const double t : times) sum += t;
  const std::size_t n = times.size();
  std::string text = CountText(static_cast<double>(n)) + (n == 1 ? " reaction" : " reactions") +
                     "; last reaction time " + ReadoutNumber(times.back()) + "; series mean " +
                     ReadoutNumber(static_cast<double>(sum / n));
  if (!means.empty())
    text += "; stationary mean " + ReadoutNumber(means.back());
  return text;
}

std::string InhibitionChartDescription(int periods, std::span<const double> reaction_times) {
  if (periods <= 0 && reaction_times.empty())
    return "No reaction yet";
  std::string text = CountText(periods) + (periods == 1 ? " period" : " periods");
  return text + (reaction_times.empty() ? "; no reaction time"
                                        : "; reaction time " + ReadoutNumber(reaction_times.back()));
}

void DescribeCharts(TForm1& form, int periods) {
  const std::vector<double> times = YValuesOf(*form.Series2);
  const std::vector<double> means = YValuesOf(*form.Series4);
  std::vector<double> marker;
  for (int i = 0; i < form.Series3->PointCount(); ++i) marker.push_back(form.Series3->XValueAt(i));
  // Only a changed text is set: each change is announced.
  const auto describe = [](TChart& chart, const std::string& text) {
    const QString description = QString::fromStdString(text);
    if (chart.accessibleDescription() != description)
      chart.setAccessibleDescription(description);
  };
  describe(*form.Chart2, ReactionChartDescription(times, means));
  describe(*form.Chart1, InhibitionChartDescription(periods, marker));
}

void InstallChartTexts(TForm1& form) {
  form.Series2->SetTitle("Reaction time");
  form.Series4->SetTitle("Stationary mean");
  form.Series1->SetTitle("Inhibition");
  form.Series3->SetTitle("Reaction time");

  // The parameters of each red point, in step with its points; the reader holds them while
  // reading, so a point is drawn with the set read for its press.
  auto drawn_with = std::make_shared<std::vector<TParameterSet>>();
  form.Series4->OnAfterAdd = [&form, drawn_with](TChartSeries&, int index) {
    const auto at = static_cast<std::size_t>(index);
    if (at <= drawn_with->size())
      drawn_with->insert(drawn_with->begin() + index, form.Parameters());
  };
  form.Series4->OnClearValues = [drawn_with](TChartSeries&) { drawn_with->clear(); };

  TLineSeries* times = form.Series2;
  TLineSeries* means = form.Series4;
  form.Chart2->OnGetReadoutText = [times, means, drawn_with](const TChartSeries& series, int index) {
    if (&series == times)
      return ReactionTimeText(series.XValueAt(index), series.YValueAt(index));
    if (&series != means)
      return std::string();
    // A point count out of step with the kept sets (points deleted by other means) shows no model.
    const bool known = static_cast<std::size_t>(means->PointCount()) == drawn_with->size();
    const std::vector<double> so_far = YValuesOf(*times);
    return StationaryMeanText(series.YValueAt(index),
                              known ? &(*drawn_with)[static_cast<std::size_t>(index)] : nullptr, so_far);
  };

  TLineSeries* path = form.Series1;
  TLineSeries* marker = form.Series3;
  form.Chart1->OnGetReadoutText = [path, marker](const TChartSeries& series, int index) {
    if (&series == path)
      return PathPointText(series.XValueAt(index), series.YValueAt(index));
    if (&series == marker)
      return MarkerText(series.XValueAt(index));
    return std::string();
  };
  form.Chart1->OnGetDataColumns = [path, marker](const TChart&) {
    return std::vector<TDataColumn>{{path, path->Title(), false}, {marker, marker->Title(), true}};
  };
}

}  // namespace corvane
