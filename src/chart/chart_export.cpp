#include "chart/chart_export.h"

#include <QBuffer>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

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

// The generator gives the size in millimetres, which readers turn back into pixels at differing
// resolutions; the chart's size is in pixels, so the file says so.
void SizeInPixels(QByteArray& svg, int width, int height) {
  const qsizetype open = svg.indexOf("<svg");
  const qsizetype end = svg.indexOf("viewBox", open);
  if (open < 0 || end < 0)
    return;
  svg.replace(open, end - open,
              QStringLiteral("<svg width=\"%1\" height=\"%2\"\n ").arg(width).arg(height).toUtf8());
}

bool WriteSvg(TCustomChart& chart, QIODevice& file, int width, int height, const QString& title) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(QSize(width, height));
  svg.setViewBox(QRect(0, 0, width, height));
  svg.setResolution(kLogicalDpi);
  svg.setTitle(title);
  svg.setDescription(QStringLiteral("Drawn by Corvane"));
  PaintChartVector(chart, svg, width, height);
  QByteArray bytes = buffer.data();
  SizeInPixels(bytes, width, height);
  // On after a short write, so that a full disk ends in the device's own error.
  for (qsizetype done = 0; done < bytes.size();) {
    const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
    if (n <= 0)
      return false;
    done += qsizetype(n);
  }
  return true;
}

bool WritePdf(TCustomChart& chart, QIODevice& file, int width, int height, const QString& title) {
  QPdfWriter pdf(&file);
  pdf.setResolution(kLogicalDpi);
  pdf.setTitle(title);
  pdf.setCreator(QStringLiteral("Corvane"));
  // The page is whole points, the chart's size rounded up: 593 x 153 pixels, 444.75 x 114.75 pt,
  // on a page of 445 x 115 pt.
  const QSize points(int(std::ceil(width * 72.0 / kLogicalDpi)), int(std::ceil(height * 72.0 / kLogicalDpi)));
  pdf.setPageLayout(QPageLayout(QPageSize(points, QStringLiteral("Chart"), QPageSize::ExactMatch),
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
  TQtVectorCanvas canvas(painter);
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
  return WriteChartImage(chart, format, file, chart.ContentWidth(), chart.ContentHeight(),
                         chart.ContentPixelRatio());
}

std::string ChartDataFile(const TChart& chart, TChartDataFormat format) {
  const std::vector<TDataColumn> columns =
      chart.OnGetDataColumns ? chart.OnGetDataColumns(chart) : SeriesDataColumns(chart);
  const std::string& x_title = chart.BottomAxis().Title().Caption();
  return format == TChartDataFormat::Csv ? ChartDataCsv(x_title, columns) : ChartDataText(x_title, columns);
}

}  // namespace corvane
