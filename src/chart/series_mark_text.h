// The text of a point's mark, as the series' Marks.Style asks for it: the value through the
// series' ValueFormat, its share of the total through PercentFormat, the point's label, or a
// combination; then OnGetMarkText may change it. Axes with LabelStyle talMark show these texts.
//
// Example: values 1, 3 with labels "a", "b", default formats: smsValue "3", smsPercent "75 %",
// smsLabelValue "b 3", smsXValue "1" (the X value of the second point).
#pragma once

#include <string>

#include "chart/chart_series.h"

namespace corvane {

std::string MarkText(TChartSeries& series, int index);

}  // namespace corvane
