#include "chart/chart_export.h"

#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "chart/chart.h"
#include "chart/chart_context_menu.h"
#include "chart/chart_data_text.h"
#include "framework/qt_vector_canvas.h"

namespace corvane {
namespace {

// 96 logical pixels to the inch on every vector device: 1 pixel = 0.75 pt.
constexpr int kLogicalDpi = 96;

bool WritePng(TCustomChart& chart, QIODevice& file, int width, int height, double ratio) {
  return ChartImage(chart, width, height, ratio).save(&file, "PNG");
}

bool WriteSvg(TCustomChart& chart, QIODevice& file, int width, int height, const QString& title) {
  QSvgGenerator svg;
  svg.setOutputDevice(&file);
  svg.setSize(QSize(width, height));
  svg.setViewBox(QRect(0, 0, width, height));
  svg.setResolution(kLogicalDpi);
  svg.setTitle(title);
  svg.setDescription(QStringLiteral("Drawn by Corvane"));
  PaintChartVector(chart, svg, width, height);
  return true;  // a write that failed on the way is the file's own error, reported at its commit
}

bool WritePdf(TCustomChart& chart, QIODevice& file, int width, int height, const QString& title) {
  QPdfWriter pdf(&file);
  pdf.setResolution(kLogicalDpi);
  pdf.setTitle(title);
  pdf.setCreator(QStringLiteral("Corvane"));
  const QSizeF points(width * 72.0 / kLogicalDpi, height * 72.0 / kLogicalDpi);
  pdf.setPageLayout(QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                QPageLayout::Portrait, QMarginsF()));
  PaintChartVector(chart, pdf, width, height);
  return true;
}

QString TitleOf(const TCustomChart& chart) {
  const std::vector<std::string>& lines = chart.Title().Text();
  return lines.empty() ? QStringLiteral("Chart") : QString::fromStdString(lines.front());
}

}  // namespace

void PaintChartVector(TCustomChart& chart, QPaintDevice& device, int width, int height) {
  QPainter painter(&device);
  QtVectorCanvas canvas(painter);
  chart.PaintOnto(canvas, width, height);
}

bool WriteChartImage(TCustomChart& chart, TChartImageFormat format, QIODevice& file, int width, int height,
                     double screen_ratio) {
  switch (format) {
    case TChartImageFormat::Png:
      return WritePng(chart, file, width, height, screen_ratio);
    case TChartImageFormat::PngDouble:
      return WritePng(chart, file, width, height, 2 * screen_ratio);
    case TChartImageFormat::Svg:
      return WriteSvg(chart, file, width, height, TitleOf(chart));
    case TChartImageFormat::Pdf:
      return WritePdf(chart, file, width, height, TitleOf(chart));
  }
  return false;
}

bool WriteChartImage(TChart& chart, TChartImageFormat format, QIODevice& file) {
  return WriteChartImage(chart, format, file, chart.width(), chart.height(), chart.devicePixelRatioF());
}

std::string ChartDataFile(const TChart& chart, TChartDataFormat format) {
  const std::vector<TDataColumn> columns =
      chart.OnGetDataColumns ? chart.OnGetDataColumns(chart) : SeriesDataColumns(chart);
  const std::string& x_title = chart.BottomAxis().Title().Caption();
  return format == TChartDataFormat::Csv ? ChartDataCsv(x_title, columns) : ChartDataText(x_title, columns);
}

}  // namespace corvane
