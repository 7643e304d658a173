// The label step of an axis: how far apart its value labels stand, chosen so that the labels fit
// along the plot with the requested separation.
//
//   MaxLabelCount    how many labels of a given size fit along the axis
//   NextLabelStep    the successor ladder 1, 2, 5, 10, 50, 100, 200, 500, 1000, 5000, 10000, ...
//   ValueLabelStep   the search for a value axis: from Increment (or 1) up the ladder until the
//                    range holds no more steps than labels fit
//   DateTimeLabelStep the same over the table of date-time steps
//
// Example: axis 0..25 on a 100-pixel plot, labels 13 pixels high, separation 10 %: the labels
// need 13 + Round(1.3) = 14 pixels, 7 fit; 1 and 2 give 25 and 12 intervals, 5 gives 5: step 5.
#pragma once

namespace corvane {

// The smallest step a value axis uses.
inline constexpr double kMinValueLabelStep = 0.00001;

struct TLabelStepQuery {
  double Range = 0;           // the axis's CurrentRange
  double Increment = 0;       // the axis's Increment; not > 0 chooses automatically
  int LabelSize = 0;          // the larger size of the labels of CurrentMinimum and CurrentMaximum
  int Length = 0;             // PlotWidth on a horizontal axis, PlotHeight on a vertical one
  int LabelsSeparation = 10;  // percent of a label's size kept free beside it
};

// Round(length / a) with a = the label size grown by the separation; 1 when a <= 0.
int MaxLabelCount(int label_size, int length, int labels_separation);

// 2s below 1; 1 -> 2; below 5 -> 5; 5 -> 10; 10 -> 50; 50 -> 100; 100 -> 200; 200 -> 500;
// 500 -> 1000; 1000 -> 5000; any other value doubles (0.3 -> 0.6, 7 -> 14, 5000 -> 10000).
double NextLabelStep(double step);

double ValueLabelStep(const TLabelStepQuery& query);

// The 25 date-time steps in days, 1 second to 365 days.
inline constexpr int kDateTimeStepCount = 25;
double DateTimeStep(int index);

// Range and Increment in days. Calendar walking (ExactDateTime) is left to the caller.
double DateTimeLabelStep(const TLabelStepQuery& query);

}  // namespace corvane
