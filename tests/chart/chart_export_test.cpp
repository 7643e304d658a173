// A chart written as PNG, SVG, PDF, CSV and TSV and read back: the PNG is "Copy image", the SVG
// parses and holds one path per series through every point, the axis titles as text and renders
// like the screen, the PDF is one page of the chart's size, the tables are "Copy data".
#include "chart/chart_export.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>
#include <string>
#include <vector>

#include "chart/chart_context_menu.h"
#include "chart/chart_data_text.h"
#include "chart_support.h"
#include "framework/system_colors.h"
#include "runtime/number_format_settings.h"

namespace corvane {
namespace {

using testing::TTestPaintChart;

constexpr int kWidth = 593;
constexpr int kHeight = 153;

struct TSvgPath {
  QString Stroke;
  int Points = 0;  // the M and L commands of its d attribute
  double WorstDecimals = 0;
};

struct TSvgContent {
  std::vector<TSvgPath> Paths;
  QStringList Texts;
  QStringList FontFamilies;
  int Ellipses = 0;
};

// The pen colour of a <g> carries to the paths inside it, as QSvgGenerator writes them.
TSvgContent ReadSvg(const QByteArray& svg) {
  TSvgContent content;
  QXmlStreamReader xml(svg);
  std::vector<QString> strokes{QString()};
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isEndElement() && xml.name() == QLatin1String("g"))
      strokes.pop_back();
    if (!xml.isStartElement())
      continue;
    const QXmlStreamAttributes a = xml.attributes();
    const QString name = xml.name().toString();
    if (name == "g")
      strokes.push_back(a.hasAttribute("stroke") ? a.value("stroke").toString() : strokes.back());
    if (a.hasAttribute("font-family"))
      content.FontFamilies << a.value("font-family").toString();
    if (name == "path") {
      TSvgPath path;
      path.Stroke = a.hasAttribute("stroke") ? a.value("stroke").toString() : strokes.back();
      const QString d = a.value("d").toString();
      path.Points = int(d.count(QRegularExpression("[ML]")));
      // Every coordinate with at most 2 decimals.
      for (const QRegularExpressionMatch& m : QRegularExpression("\\.(\\d+)").globalMatch(d))
        path.WorstDecimals = std::max(path.WorstDecimals, double(m.captured(1).size()));
      content.Paths.push_back(path);
    }
    if (name == "ellipse" || name == "circle")
      ++content.Ellipses;
    if (name == "text")
      content.Texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return content;
}

class ChartExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    series = testing::ConfigureLikeReactionChart(chart);
    chart.BottomAxis().Title().SetCaption("Reaction number");
    chart.LeftAxis().Title().SetCaption("Reaction time");
    for (int i = 1; i <= 20; ++i) series.Line->AddPoint(i, 20 + (i * 7) % 13);
    series.Red->AddPoint(0, 25);
    series.Red->AddPoint(21, 25);
  }

  QByteArray Write(TChartImageFormat format, double ratio = 1.0) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteChartImage(chart, format, buffer, kWidth, kHeight, ratio));
    return buffer.data();
  }

  static int Count(const TSvgContent& svg, const QString& stroke, int points) {
    int n = 0;
    for (const TSvgPath& p : svg.Paths)
      n += p.Stroke.compare(stroke, Qt::CaseInsensitive) == 0 && p.Points == points;
    return n;
  }

  TTestPaintChart chart;
  testing::TProgramLikeSeries series;
};

TEST_F(ChartExportTest, PngAtEachRatioIsTheCopiedImage) {
  for (const double ratio : {1.0, 1.5}) {
    for (const auto format : {TChartImageFormat::Png, TChartImageFormat::PngDouble}) {
      const double scale = format == TChartImageFormat::PngDouble ? 2 * ratio : ratio;
      const QImage read = QImage::fromData(Write(format, ratio), "PNG");
      const QImage copied = ChartImage(chart, kWidth, kHeight, scale);
      ASSERT_EQ(read.size(), QSize(int(std::lround(kWidth * scale)), int(std::lround(kHeight * scale))));
      EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), copied.convertToFormat(QImage::Format_RGB32))
          << "ratio " << scale;
    }
  }
}

TEST_F(ChartExportTest, SvgHoldsEachSeriesAsOnePathThroughEveryPointAndTheTitlesAsText) {
  const TSvgContent svg = ReadSvg(Write(TChartImageFormat::Svg));
  EXPECT_EQ(Count(svg, ResolveColor(clBlue).name(), 20), 1);
  EXPECT_EQ(Count(svg, ResolveColor(clRed).name(), 2), 1);
  EXPECT_EQ(svg.Ellipses, 20);  // the markers stay shapes
  EXPECT_TRUE(svg.Texts.contains("Reaction number"));
  EXPECT_TRUE(svg.Texts.contains("Reaction time"));
  EXPECT_TRUE(svg.Texts.contains("Reaction Time Plot"));
  EXPECT_FALSE(svg.FontFamilies.isEmpty());
  for (const TSvgPath& p : svg.Paths) EXPECT_LE(p.WorstDecimals, 2);
  if (HasFailure()) {
    QFile dump("/tmp/chart_export_dump.svg");
    if (dump.open(QIODevice::WriteOnly))
      dump.write(Write(TChartImageFormat::Svg));
  }
}

TEST_F(ChartExportTest, SvgKeepsPointsThatShareAPixelOnScreen) {
  series.Line->ClearPoints();
  constexpr int kPoints = 5000;  // many to a pixel across 593 pixels
  for (int i = 0; i < kPoints; ++i)
    series.Line->AddPoint(1 + 20.0 * i / kPoints, 10 + 5 * std::sin(i * 0.01));
  series.Line->Pointer().SetVisible(false);
  const TSvgContent svg = ReadSvg(Write(TChartImageFormat::Svg));
  EXPECT_EQ(Count(svg, ResolveColor(clBlue).name(), kPoints), 1);
  EXPECT_EQ(svg.Ellipses, 0);
}

TEST_F(ChartExportTest, SvgRendersLikeTheScreenImage) {
  QSvgRenderer renderer(Write(TChartImageFormat::Svg));
  ASSERT_TRUE(renderer.isValid());
  EXPECT_EQ(renderer.defaultSize(), QSize(kWidth, kHeight));
  QImage rendered(kWidth, kHeight, QImage::Format_RGB32);
  rendered.fill(Qt::white);
  {
    QPainter painter(&rendered);
    renderer.render(&painter);
  }
  const QImage screen = ChartImage(chart, kWidth, kHeight, 1.0).convertToFormat(QImage::Format_RGB32);
  // Antialiased edges and text differ by a pixel here and there; whole areas must agree.
  int far = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const QRgb a = rendered.pixel(x, y);
      const QRgb b = screen.pixel(x, y);
      const int d =
          std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
      far += d > 3 * 96;
    }
  EXPECT_LT(far, kWidth * kHeight / 50) << "pixels far from the screen's";
}

TEST_F(ChartExportTest, PdfIsOnePageOfTheChartsSize) {
  const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
  if (pdfinfo.isEmpty())
    GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
  QTemporaryDir dir;
  const QString path = dir.filePath("chart.pdf");
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(WriteChartImage(chart, TChartImageFormat::Pdf, file, kWidth, kHeight, 1.0));
  }
  QProcess info;
  info.start(pdfinfo, {path});
  ASSERT_TRUE(info.waitForFinished(20000));
  const QString out = QString::fromUtf8(info.readAllStandardOutput());
  EXPECT_TRUE(out.contains(QRegularExpression("Pages:\\s+1\\n"))) << out.toStdString();
  // 1 pixel = 0.75 pt: 444.75 x 114.75 pt, on a page of whole points.
  EXPECT_TRUE(out.contains(QRegularExpression("Page size:\\s+445 x 115 pts"))) << out.toStdString();
}

TEST_F(ChartExportTest, TablesAreTheCopiedDataCsvWithAPointUnderACommaLocale) {
  series.Line->ClearPoints();
  series.Line->AddPoint(1, 2.5);
  series.Line->AddPoint(2, 0.125);
  series.Line->SetTitle("RT, \"ms\"");
  const std::vector<TDataColumn> columns = SeriesDataColumns(chart);
  const TScopedNumberFormat comma(',', '.');
  const std::string tsv = ChartDataText("Reaction number", columns);
  EXPECT_EQ(tsv, "Reaction number\tRT, \"ms\"\t\n0\t\t25\n1\t2,5\t\n2\t0,125\t\n21\t\t25\n");
  EXPECT_EQ(ChartDataCsv("Reaction number", columns),
            "Reaction number,\"RT, \"\"ms\"\"\",\r\n0,,25\r\n1,2.5,\r\n2,0.125,\r\n21,,25\r\n");
}

}  // namespace
}  // namespace corvane
