// What Form1's charts say about their series: the hover read-outs, and the column titles of
// "Copy data". The chart engine supplies the mechanics (which point is near, the menu, the
// tab-separated text); this file says which series means what.
//
//   Chart2 "Reaction Time Plot": Series2 (blue) -> ReactionTimeText; Series4 (red) ->
//     StationaryMeanText with the parameters each red point was drawn with (kept as the points
//     are added) and the reaction times of the series so far.
//   Chart1 "Inhibition Plot": Series1 (path) -> PathPointText; Series3 (yellow triangle) ->
//     MarkerText. Copy data writes the triangle's reaction time in a column of its own.
//
// Numbers are written as the memo writes them (three decimals, DecimalMark); values below
// 0.001 in magnitude, which three decimals would show as 0, in four significant digits
// (0.0001234, 1.5E-9).
#pragma once

#include <span>
#include <string>

#include "simulation/parameter_set.h"

namespace corvane {

class TForm1;

std::string ReadoutNumber(double value);

// "Reaction 3\nReaction time 7.773"
std::string ReactionTimeText(double number, double reaction_time);
// "Time 3.750\nInhibition 1.250"
std::string PathPointText(double time, double inhibition);
// "Reaction time 7.773"
std::string MarkerText(double reaction_time);
// The red line at a point drawn with `drawn_with` (null when not known: only the mean), and the
// reaction times of the series so far:
//   "Stationary mean A(1 + a1/a0) = 10.000
//    Model: standard deviation 3.120; lag-1 autocorrelation -0.406
//    Series so far: 3 reactions; mean 9.512; standard deviation 2.870"
// Semicolons part the items, since a comma may be the decimal mark.
std::string StationaryMeanText(double mean, const TParameterSet* drawn_with, std::span<const double> times);

// What each chart is described as to assistive technology, told anew after every press:
//   the reaction-time chart "3 reactions; last reaction time 7.773; series mean 9.512;
//     stationary mean 10.000", or "No reactions yet";
//   the inhibition chart "12 periods; reaction time 7.773", "12 periods; no reaction time" (a
//     press that ended early), or "No reaction yet".
std::string ReactionChartDescription(std::span<const double> times, std::span<const double> means);
std::string InhibitionChartDescription(int periods, std::span<const double> reaction_times);
// Sets both charts' descriptions from what their series hold and the periods of the last press.
void DescribeCharts(TForm1& form, int periods);

// Binds the read-outs and the data columns of both charts, and starts keeping the parameters of
// each red point.
void InstallChartTexts(TForm1& form);

}  // namespace corvane
