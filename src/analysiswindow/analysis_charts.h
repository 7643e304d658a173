// The two charts of the Series analysis window, both the program's own TChart (every gesture, the
// read-out, the context menu's Copy and Save):
//
//   distribution    the data's histogram as a density (a step line, blue), the model's density
//                   (red) and the fitted model's (green) over it, and the atom at A, which the
//                   bins leave out: a spike at A whose read-out and the foot give the data's share
//                   beside the model's probability e^(-rho A);
//   autocorrelation the data's lags 1..10 (blue points), the band +-1.96/sqrt(n) within which an
//                   independent series would fall (grey), the model's line (red), the fit's (green).
//
//   THistogram, TSimulatedModel density, closed-form lags --TAnalysisCharts::Show...--> series
//
// Each chart names its lines in a legend over its top right corner, and steps its axes' labels
// by 1, 2 or 5 times a power of ten (TChartAxis tlsDecimal). The charts keep what they show (the
// histogram, the atom's figures) for their read-outs.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/histogram.h"
#include "analysis/model_prediction.h"

class QWidget;

namespace corvane {

class TChart;
class TChartSeries;
class TLineSeries;

// Numbers in the charts' read-outs and foot: 4 significant digits, the locale's decimal mark.
std::string ChartNumber(double value);

// A step outline of the bins, (start, 0) up to the first bin's height, along each bin, down to 0
// after the last: 2 points a bin plus the two ends.
std::vector<std::pair<double, double>> HistogramOutline(const THistogram& histogram);

// The fine density curve merged to at most `points` points (each the mean of its neighbours'
// densities), clipped to [from, to].
std::vector<std::pair<double, double>> DensityPoints(const std::vector<std::pair<double, TEstimate>>& curve,
                                                     double from, double to, std::size_t points);

// The foot under the distribution: "Atom at A = 5: data 9 of 100 (0.09); model P(RT = A) = 0.08208".
std::string AtomText(const THistogram& histogram, double model_probability);

class TAnalysisCharts {
 public:
  explicit TAnalysisCharts(QWidget* parent);

  TChart& Distribution() const { return *distribution_; }
  TChart& Autocorrelation() const { return *autocorrelation_; }

  // The data side; `n` below 2 empties every data series.
  void ShowData(const THistogram& histogram, const std::array<double, kMaxLag>& lags, std::size_t n);
  // The model's side: the closed form's lags and atom, and the density once simulated (null: not
  // yet, its line stays empty). `model` null: no model (no parameters).
  void ShowModel(const TModelClosedForm* model, const TSimulatedModel* simulated);
  void ShowFit(const TModelClosedForm* fit, const TSimulatedModel* simulated);
  // The fitted density given as points (a law fitted by likelihood has it without simulation).
  void ShowFitDensity(const std::vector<std::pair<double, double>>& points);

  // The series, for tests.
  TLineSeries& HistogramSeries() const { return *histogram_; }
  TLineSeries& ModelDensitySeries() const { return *model_density_; }
  TLineSeries& FitDensitySeries() const { return *fit_density_; }
  TLineSeries& AtomSeries() const { return *atom_; }
  TLineSeries& DataLagSeries() const { return *data_lags_; }
  TLineSeries& ModelLagSeries() const { return *model_lags_; }
  TLineSeries& FitLagSeries() const { return *fit_lags_; }
  TLineSeries& UpperBandSeries() const { return *band_upper_; }

 private:
  void DesignDistribution();
  void DesignAutocorrelation();
  void DrawDensity(TLineSeries& series, const TSimulatedModel* simulated);
  void DrawLags(TLineSeries& series, const TModelClosedForm* model);
  void DrawAtom();
  void InstallReadouts();
  std::string DistributionReadout(const TChartSeries& series, int index) const;
  std::string AutocorrelationReadout(const TChartSeries& series, int index) const;

  TChart* distribution_;
  TChart* autocorrelation_;
  TLineSeries* histogram_ = nullptr;
  TLineSeries* model_density_ = nullptr;
  TLineSeries* fit_density_ = nullptr;
  TLineSeries* atom_ = nullptr;
  TLineSeries* data_lags_ = nullptr;
  TLineSeries* band_upper_ = nullptr;
  TLineSeries* band_lower_ = nullptr;
  TLineSeries* zero_ = nullptr;
  TLineSeries* model_lags_ = nullptr;
  TLineSeries* fit_lags_ = nullptr;

  struct TDensityCache {
    const TSimulatedModel* Of = nullptr;
    double Start = kNotANumber;
    double Width = kNotANumber;
    std::vector<std::pair<double, TEstimate>> Curve;
  };
  TDensityCache model_curve_;
  TDensityCache fit_curve_;
  THistogram shown_;
  std::size_t n_ = 0;
  double model_atom_ = kNotANumber;  // P(RT = A) of the model
  double fit_atom_ = kNotANumber;
  double band_ = kNotANumber;  // 1.96 / sqrt(n)
};

}  // namespace corvane
