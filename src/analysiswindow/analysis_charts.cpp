#include "analysiswindow/analysis_charts.h"

#include <algorithm>
#include <cmath>

#include "chart/chart.h"
#include "chart/chart_design.h"
#include "chart/line_series.h"
#include "runtime/format_float.h"

namespace corvane {
namespace {

constexpr double kBandZ = 1.96;
constexpr std::size_t kDensityPoints = 400;

// A legend names each line (colour, width, dashes); it lies over the plot's top right corner,
// where the distribution's tail and the autocorrelations leave room, so the plot keeps its size.
// Data ranges: labels at 1, 2 or 5 times a power of ten that never crowd.
void ShowLegendAndDecimalSteps(TChart& chart) {
  chart.Legend().SetVisible(true);
  chart.Legend().SetAlignment(laRight);
  chart.Legend().SetResizeChart(false);
  chart.BottomAxis().SetLabelSteps(tlsDecimal);
  chart.LeftAxis().SetLabelSteps(tlsDecimal);
}

TLineSeries& AddSeries(TChart& chart, const char* title, TColor color, bool ascending = true) {
  TLineSeries& series = chart.CreateSeries<TLineSeries>();
  series.SetTitle(title);
  series.SetSeriesColor(color);
  series.Marks().SetVisible(false);
  series.XValues().SetOrder(ascending ? loAscending : loNone);
  series.YValues().SetOrder(loNone);
  series.Pointer().SetDraw3D(false);
  return series;
}

void ShowPointers(TLineSeries& series, TSeriesPointerStyle style, int size) {
  series.Pointer().SetVisible(true);
  series.Pointer().SetStyle(style);
  series.Pointer().SetHorizSize(size);
  series.Pointer().SetVertSize(size);
}

void Replace(TLineSeries& series, const std::vector<std::pair<double, double>>& points) {
  series.ClearPoints();
  for (const auto& [x, y] : points) series.AddPoint(x, y, {}, series.SeriesColor());
}

double HistogramEnd(const THistogram& histogram) {
  return histogram.Counts.empty() ? histogram.Atom : histogram.BinEnd(histogram.Counts.size() - 1);
}

}  // namespace

std::string ChartNumber(double value) {
  if (!std::isfinite(value))
    return "-";
  return FormatFloatKind(value, TFloatFormatKind::General, 4, 0);
}

std::vector<std::pair<double, double>> HistogramOutline(const THistogram& histogram) {
  std::vector<std::pair<double, double>> points;
  if (histogram.Densities.empty())
    return points;
  points.reserve(2 * histogram.Densities.size() + 2);
  points.emplace_back(histogram.BinStart(0), 0.0);
  for (std::size_t bin = 0; bin < histogram.Densities.size(); ++bin) {
    points.emplace_back(histogram.BinStart(bin), histogram.Densities[bin]);
    points.emplace_back(histogram.BinEnd(bin), histogram.Densities[bin]);
  }
  points.emplace_back(histogram.BinEnd(histogram.Densities.size() - 1), 0.0);
  return points;
}

std::vector<std::pair<double, double>> DensityPoints(const std::vector<std::pair<double, TEstimate>>& curve,
                                                     double from, double to, std::size_t points) {
  std::vector<std::pair<double, TEstimate>> inside;
  for (const auto& point : curve)
    if (point.first >= from && point.first <= to)
      inside.push_back(point);
  std::vector<std::pair<double, double>> merged;
  if (inside.empty() || points == 0)
    return merged;
  const std::size_t group = (inside.size() + points - 1) / points;
  for (std::size_t first = 0; first < inside.size(); first += group) {
    const std::size_t last = std::min(inside.size(), first + group);
    double x = 0;
    double y = 0;
    for (std::size_t i = first; i < last; ++i) {
      x += inside[i].first;
      y += inside[i].second.Value;
    }
    const auto count = static_cast<double>(last - first);
    merged.emplace_back(x / count, y / count);
  }
  return merged;
}

std::string AtomText(const THistogram& histogram, double model_probability) {
  if (histogram.Total == 0)
    return {};
  std::string text = "Atom at A = " + ChartNumber(histogram.Atom) + ": data " +
                     std::to_string(histogram.AtomCount) + " of " + std::to_string(histogram.Total) + " (" +
                     ChartNumber(histogram.AtomShare) + ")";
  if (std::isfinite(model_probability))
    text += "; model P(RT = A) = " + ChartNumber(model_probability);
  return text;
}

TAnalysisCharts::TAnalysisCharts(QWidget* parent)
    : distribution_(new TChart(parent)), autocorrelation_(new TChart(parent)) {
  distribution_->setObjectName("DistributionChart");
  autocorrelation_->setObjectName("AutocorrelationChart");
  // The default names of their saved images and data.
  distribution_->setProperty("fileStem", QStringLiteral("series-distribution"));
  autocorrelation_->setProperty("fileStem", QStringLiteral("series-autocorrelation"));
  DesignDistribution();
  DesignAutocorrelation();
  InstallReadouts();
}

void TAnalysisCharts::DesignDistribution() {
  distribution_->BeginLoading();
  DesignChart(*distribution_, {"Distribution", "Reaction time", "Density", clNavy, false});
  ShowLegendAndDecimalSteps(*distribution_);
  distribution_->EndLoading();
  histogram_ = &AddSeries(*distribution_, "Data density", clBlue);
  model_density_ = &AddSeries(*distribution_, "Model density", clRed);
  model_density_->LinePen().SetWidth(2);
  fit_density_ = &AddSeries(*distribution_, "Fitted model density", clGreen);
  fit_density_->LinePen().SetWidth(2);
  atom_ = &AddSeries(*distribution_, "Atom at A", clBlue);
  atom_->LinePen().SetWidth(3);
  ShowPointers(*atom_, psTriangle, 4);
}

void TAnalysisCharts::DesignAutocorrelation() {
  autocorrelation_->BeginLoading();
  DesignChart(*autocorrelation_, {"Autocorrelation", "Lag", "Autocorrelation", clNavy, false});
  ShowLegendAndDecimalSteps(*autocorrelation_);
  autocorrelation_->EndLoading();
  zero_ = &AddSeries(*autocorrelation_, "Zero", clBlack);
  zero_->SetShowInLegend(false);
  band_upper_ = &AddSeries(*autocorrelation_, "Band +1.96/sqrt(n)", clGray);
  band_upper_->LinePen().SetStyle(psDash);
  band_lower_ = &AddSeries(*autocorrelation_, "Band -1.96/sqrt(n)", clGray);
  band_lower_->LinePen().SetStyle(psDash);
  band_lower_->SetShowInLegend(false);  // the upper one names the band
  model_lags_ = &AddSeries(*autocorrelation_, "Model", clRed);
  model_lags_->LinePen().SetWidth(2);
  fit_lags_ = &AddSeries(*autocorrelation_, "Fitted model", clGreen);
  fit_lags_->LinePen().SetWidth(2);
  data_lags_ = &AddSeries(*autocorrelation_, "Data", clBlue);
  ShowPointers(*data_lags_, psCircle, 3);
  data_lags_->Pointer().Brush().SetColor(clLightYellow);
  Replace(*zero_, {{0.5, 0.0}, {kMaxLag + 0.5, 0.0}});
}

void TAnalysisCharts::ShowData(const THistogram& histogram, const std::array<double, kMaxLag>& lags,
                               std::size_t n) {
  n_ = n;
  if (n < 2) {
    shown_ = THistogram{};
    histogram_->ClearPoints();
    atom_->ClearPoints();
    data_lags_->ClearPoints();
    band_upper_->ClearPoints();
    band_lower_->ClearPoints();
    band_ = kNotANumber;
    distribution_->Foot().SetText({});
    return;
  }
  shown_ = histogram;
  Replace(*histogram_, HistogramOutline(histogram));
  DrawAtom();
  std::vector<std::pair<double, double>> points;
  for (int lag = 1; lag <= kMaxLag; ++lag)
    if (std::isfinite(lags[static_cast<std::size_t>(lag - 1)]))
      points.emplace_back(lag, lags[static_cast<std::size_t>(lag - 1)]);
  Replace(*data_lags_, points);
  band_ = kBandZ / std::sqrt(static_cast<double>(n));
  Replace(*band_upper_, {{0.5, band_}, {kMaxLag + 0.5, band_}});
  Replace(*band_lower_, {{0.5, -band_}, {kMaxLag + 0.5, -band_}});
}

void TAnalysisCharts::DrawAtom() {
  atom_->ClearPoints();
  if (shown_.Total == 0 || !std::isfinite(shown_.Atom)) {
    distribution_->Foot().SetText({});
    return;
  }
  // A probability has no height on a density axis: the spike reaches the tallest bin, and the foot
  // and the read-out give the figures.
  double top = 0;
  for (double density : shown_.Densities) top = std::max(top, density);
  if (top <= 0)
    top = 1;
  if (shown_.AtomCount > 0 || std::isfinite(model_atom_)) {
    atom_->AddPoint(shown_.Atom, 0, {}, atom_->SeriesColor());
    atom_->AddPoint(shown_.Atom, top, {}, atom_->SeriesColor());
  }
  distribution_->Foot().SetText({AtomText(shown_, model_atom_)});
}

void TAnalysisCharts::DrawDensity(TLineSeries& series, const TSimulatedModel* simulated) {
  if (!simulated || shown_.Total == 0) {
    series.ClearPoints();
    return;
  }
  const double from = std::isfinite(shown_.Start) ? shown_.Start : shown_.Atom;
  // The curve of a simulation is worked out once; a refresh only clips it to the data's range.
  TDensityCache& cache = &series == model_density_ ? model_curve_ : fit_curve_;
  // The address alone could be a new simulation's where an old one was freed; its bins tell them apart.
  if (cache.Of != simulated || cache.Start != simulated->fine_start_ ||
      cache.Width != simulated->fine_width_) {
    cache.Of = simulated;
    cache.Start = simulated->fine_start_;
    cache.Width = simulated->fine_width_;
    cache.Curve = simulated->DensityCurve();
  }
  Replace(series, DensityPoints(cache.Curve, from, HistogramEnd(shown_), kDensityPoints));
}

void TAnalysisCharts::DrawLags(TLineSeries& series, const TModelClosedForm* model) {
  series.ClearPoints();
  if (!model)
    return;
  for (int lag = 1; lag <= kMaxLag; ++lag)
    series.AddPoint(lag, model->Autocorrelations[static_cast<std::size_t>(lag - 1)], {},
                    series.SeriesColor());
}

void TAnalysisCharts::ShowModel(const TModelClosedForm* model, const TSimulatedModel* simulated) {
  model_atom_ = model ? model->AtomProbability : kNotANumber;
  DrawLags(*model_lags_, model);
  DrawDensity(*model_density_, model ? simulated : nullptr);
  if (n_ >= 2)
    DrawAtom();
}

void TAnalysisCharts::ShowFit(const TModelClosedForm* fit, const TSimulatedModel* simulated) {
  fit_atom_ = fit ? fit->AtomProbability : kNotANumber;
  DrawLags(*fit_lags_, fit);
  DrawDensity(*fit_density_, fit ? simulated : nullptr);
}

void TAnalysisCharts::ShowFitDensity(const std::vector<std::pair<double, double>>& points) {
  Replace(*fit_density_, shown_.Total == 0 ? std::vector<std::pair<double, double>>{} : points);
}

void TAnalysisCharts::InstallReadouts() {
  distribution_->OnGetReadoutText = [this](const TChartSeries& series, int index) {
    return DistributionReadout(series, index);
  };
  autocorrelation_->OnGetReadoutText = [this](const TChartSeries& series, int index) {
    return AutocorrelationReadout(series, index);
  };
}

std::string TAnalysisCharts::DistributionReadout(const TChartSeries& series, int index) const {
  if (&series == histogram_) {
    // Points 1 and 2 outline bin 0, 3 and 4 bin 1, ...; the two ends at height 0 name no bin.
    if (index < 1 || index > 2 * static_cast<int>(shown_.Counts.size()))
      return {};
    const auto bin = static_cast<std::size_t>((index - 1) / 2);
    return "Reaction times " + ChartNumber(shown_.BinStart(bin)) + " to " + ChartNumber(shown_.BinEnd(bin)) +
           "\nData: " + std::to_string(shown_.Counts[bin]) + " reactions; density " +
           ChartNumber(shown_.Densities[bin]);
  }
  if (&series == model_density_ || &series == fit_density_)
    return std::string(&series == model_density_ ? "Model" : "Fitted model") + " at " +
           ChartNumber(series.XValueAt(index)) + "\nDensity " + ChartNumber(series.YValueAt(index));
  if (&series == atom_) {
    std::string text = AtomText(shown_, model_atom_);
    if (std::isfinite(fit_atom_))
      text += "\nFitted model P(RT = A) = " + ChartNumber(fit_atom_);
    return text;
  }
  return {};
}

std::string TAnalysisCharts::AutocorrelationReadout(const TChartSeries& series, int index) const {
  const std::string lag = "Lag " + ChartNumber(series.XValueAt(index));
  if (&series == data_lags_)
    return lag + "\nData " + ChartNumber(series.YValueAt(index)) + " (of " + std::to_string(n_) +
           " reactions)";
  if (&series == model_lags_)
    return lag + "\nModel " + ChartNumber(series.YValueAt(index));
  if (&series == fit_lags_)
    return lag + "\nFitted model " + ChartNumber(series.YValueAt(index));
  if (&series == band_upper_ || &series == band_lower_)
    return "Band of an independent series: \u00b1 1.96/sqrt(n) = \u00b1 " + ChartNumber(band_);
  return {};
}

}  // namespace corvane
