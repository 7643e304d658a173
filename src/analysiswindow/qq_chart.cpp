#include "analysiswindow/qq_chart.h"

#include <algorithm>
#include <cmath>

#include "analysiswindow/analysis_charts.h"
#include "chart/chart.h"
#include "chart/chart_design.h"
#include "chart/line_series.h"

namespace corvane {
namespace {

TLineSeries& AddLine(TChart& chart, const char* title, TColor color) {
  TLineSeries& series = chart.CreateSeries<TLineSeries>();
  series.SetTitle(title);
  series.SetSeriesColor(color);
  series.Marks().SetVisible(false);
  series.XValues().SetOrder(loAscending);
  series.YValues().SetOrder(loNone);
  series.Pointer().SetDraw3D(false);
  return series;
}

bool Finite(const TQqPoint& point) {
  return std::isfinite(point.Data) && std::isfinite(point.Model);
}

bool Outside(const TQqPoint& point) {
  return point.Data < point.Low || point.Data > point.High;
}

}  // namespace

std::string QqDescription(const std::vector<TQqPoint>& points, std::size_t n) {
  if (points.empty())
    return "QQ chart: empty until the model is fitted by maximum likelihood.";
  std::size_t outside = 0;
  for (const TQqPoint& point : points) outside += Outside(point) ? 1 : 0;
  std::string text = "QQ chart of " + std::to_string(n) + " reaction times against the fitted model";
  if (points.size() < n)
    text += " (" + std::to_string(points.size()) + " order statistics spread over the ranks)";
  return text + ": " + std::to_string(outside) + " of " + std::to_string(points.size()) +
         " points outside the pointwise 95 % band.";
}

TQqChart::TQqChart(QWidget* parent) : chart_(new TChart(parent)) {
  chart_->setObjectName("QqChart");
  chart_->setProperty("fileStem", QStringLiteral("series-qq"));
  chart_->BeginLoading();
  DesignChart(*chart_, {"QQ plot", "Fitted model's quantile", "Data", clNavy, false});
  // The legend over the top right corner as on the other analysis charts, its names short: the
  // chart is small beside the fit's tables. The title at the left, where the legend does not
  // cover it (centred, the narrow chart put it under the legend's box).
  chart_->Title().SetAlignment(taLeftJustify);
  chart_->Legend().SetVisible(true);
  chart_->Legend().SetAlignment(laRight);
  chart_->Legend().SetResizeChart(false);
  chart_->BottomAxis().SetLabelSteps(tlsDecimal);
  chart_->LeftAxis().SetLabelSteps(tlsDecimal);
  chart_->EndLoading();
  identity_ = &AddLine(*chart_, "Identity", clBlack);
  upper_ = &AddLine(*chart_, "95 % band", clGray);
  upper_->LinePen().SetStyle(psDash);
  lower_ = &AddLine(*chart_, "95 % band, lower", clGray);
  lower_->LinePen().SetStyle(psDash);
  lower_->SetShowInLegend(false);  // the upper one names the band
  data_ = &AddLine(*chart_, "Data", clBlue);
  data_->LinePen().SetVisible(false);
  data_->Pointer().SetVisible(true);
  data_->Pointer().SetStyle(psCircle);
  data_->Pointer().SetHorizSize(2);
  data_->Pointer().SetVertSize(2);
  chart_->OnGetReadoutText = [this](const TChartSeries& series, int index) { return Readout(series, index); };
  chart_->setAccessibleDescription(QString::fromStdString(QqDescription({}, 0)));
}

void TQqChart::Show(const std::vector<TQqPoint>& points, std::size_t n) {
  shown_.clear();
  for (const TQqPoint& point : points)
    if (Finite(point))
      shown_.push_back(point);
  for (TLineSeries* series : {identity_, upper_, lower_, data_}) series->ClearPoints();
  if (!shown_.empty()) {
    double low = std::min(shown_.front().Data, shown_.front().Model);
    double high = std::max(shown_.back().Data, shown_.back().Model);
    for (const TQqPoint& point : shown_) {
      data_->AddPoint(point.Model, point.Data, {}, data_->SeriesColor());
      if (std::isfinite(point.Low) && std::isfinite(point.High)) {
        lower_->AddPoint(point.Model, point.Low, {}, lower_->SeriesColor());
        upper_->AddPoint(point.Model, point.High, {}, upper_->SeriesColor());
      }
      low = std::min({low, point.Data, point.Model});
      high = std::max({high, point.Data, point.Model});
    }
    identity_->AddPoint(low, low, {}, identity_->SeriesColor());
    identity_->AddPoint(high, high, {}, identity_->SeriesColor());
  }
  const QString description = QString::fromStdString(QqDescription(shown_, n));
  if (chart_->accessibleDescription() != description)
    chart_->setAccessibleDescription(description);
}

std::string TQqChart::Readout(const TChartSeries& series, int index) const {
  if (&series == data_ && index >= 0 && static_cast<std::size_t>(index) < shown_.size()) {
    const TQqPoint& point = shown_[static_cast<std::size_t>(index)];
    return "Data " + ChartNumber(point.Data) + "\nFitted model's quantile " + ChartNumber(point.Model) +
           "\n95 % band " + ChartNumber(point.Low) + " to " + ChartNumber(point.High);
  }
  if (&series == identity_)
    return "Identity: data = model";
  if (&series == upper_ || &series == lower_)
    return "Pointwise 95 % band of the order statistics under the fitted model";
  return {};
}

}  // namespace corvane
