#include "chart/series_mark_text.h"

#include <cmath>

#include "runtime/format_float.h"

namespace corvane {

namespace {

double MarkValue(const TChartSeries& series, int index) {
  return series.MandatoryList().ValueAt(index);
}

std::string ValueText(const TChartSeries& series, double value) {
  return FormatFloatMask(series.ValueFormat(), value);
}

// A series whose values add up to 0 shows every share as 0.
std::string PercentText(const TChartSeries& series, int index) {
  const long double total = series.MandatoryList().AbsValueSum();
  const long double share =
      total != 0 ? std::fabs(static_cast<long double>(MarkValue(series, index))) * 100 / total : 0;
  return FormatFloatMask(series.PercentFormat(), share);
}

std::string Joined(const std::string& label, const std::string& text) {
  return label.empty() ? text : label + ' ' + text;
}

std::string StyledText(const TChartSeries& series, int index) {
  const std::string label = series.PointLabel(index);
  const auto value = [&] { return ValueText(series, MarkValue(series, index)); };
  const auto percent_total = [&] {
    return PercentText(series, index) + " of " + ValueText(series, series.MandatoryList().AbsValueSum());
  };
  switch (series.Marks().Style()) {
    case smsValue:
      return value();
    case smsPercent:
      return PercentText(series, index);
    case smsLabel:
    case smsLegend:
      return label.empty() ? value() : label;
    case smsLabelPercent:
      return Joined(label, PercentText(series, index));
    case smsLabelValue:
      return Joined(label, value());
    case smsPercentTotal:
      return percent_total();
    case smsLabelPercentTotal:
      return Joined(label, percent_total());
    case smsXValue:
      return ValueText(series, series.XValueAt(index));
  }
  return value();
}

}  // namespace

std::string MarkText(TChartSeries& series, int index) {
  std::string text = StyledText(series, index);
  if (series.OnGetMarkText)
    series.OnGetMarkText(series, index, text);
  return text;
}

}  // namespace corvane
