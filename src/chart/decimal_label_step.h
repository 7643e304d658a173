// Label steps of 1, 2 or 5 times a power of ten whose labels never overlap: the axes' option
// (TChartAxis::SetLabelSteps(tlsDecimal)) for charts whose ranges come from data, where the
// ladder of the default rule (1, 2, 5, 10, 50, 100, ...; any other start doubling) gives steps
// such as 0.0205 and labels that crowd together.
//
//   a candidate step --layout--> its labels: each one's centre along the axis and its size there
//   DecimalLabelStep: the candidates in increasing order, from one that would put labels closer
//        than the smallest label allows, to the first whose labels stand at least `gap` apart
//
// The labels are the step's multiples within the bounds; DecimalPlaces gives the decimals that
// write each of them exactly (0.02 -> 2, 0.5 -> 1, 50 -> 0), so no two read the same.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace corvane {

struct TPlacedLabel {
  double Centre = 0;  // pixels along the axis
  int Size = 0;       // pixels along the axis
};
using TLabelLayout = std::function<std::vector<TPlacedLabel>(double step)>;

// 10^e, 2 * 10^e or 5 * 10^e; `smallest_size` (> 0) is the size of the narrowest label the layout
// can give, where the search starts. A range or length not above 0 gives 1.
double DecimalLabelStep(double range, int length, int smallest_size, int gap, const TLabelLayout& layout);

// Whether two neighbouring labels (in any order) come closer than `gap` pixels.
bool LabelsOverlap(std::vector<TPlacedLabel> labels, int gap);

// Decimals that write every multiple of `step` exactly: 0 for steps of 1 and more.
int DecimalPlaces(double step);

// The number mask for those decimals: "#,##0" or "#,##0.00".
std::string DecimalPlacesMask(int places);

}  // namespace corvane
