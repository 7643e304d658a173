// A chart written to a file, in the formats "Save image as..." and "Save data as..." offer:
//
//   PNG   ChartImage (chart_context_menu.h) at the screen's device pixel ratio, or twice it for
//         print: the pixels "Copy image" gives;
//   SVG   the chart painted through a TQtVectorCanvas (framework/qt_vector_canvas.h) onto Qt's
//   PDF   SVG generator or PDF writer at the chart's logical size (the PDF page is the chart,
//         1 pixel = 0.75 pt): lines are paths (each series one path through every point),
//         markers shapes, text text in the chart's fonts;
//   CSV   ChartDataCsv of the columns "Copy data" writes ('.' as decimal mark, RFC 4180);
//   TSV   the text "Copy data" writes (tab-separated, the locale's decimal mark).
//
// Painting a file leaves the chart as it was: it lays out for the same size as on screen, and the
// screen image is repainted afterwards.
#pragma once

#include <QByteArray>
#include <string>

class QIODevice;
class QPaintDevice;

namespace corvane {

class TChart;
class TCustomChart;

enum class TChartImageFormat { Png, PngDouble, Svg, Pdf };
enum class TChartDataFormat { Csv, Tsv };

// Writes the chart of `width` x `height` logical pixels; PNG at `screen_ratio` (twice it for
// PngDouble). False when the device refused the bytes.
bool WriteChartImage(TCustomChart& chart, TChartImageFormat format, QIODevice& file, int width, int height,
                     double screen_ratio);
// The chart widget at its own size and screen ratio.
bool WriteChartImage(TChart& chart, TChartImageFormat format, QIODevice& file);

// Paints the chart onto a vector device (an SVG generator, a PDF writer, a picture) at logical size.
void PaintChartVector(TCustomChart& chart, QPaintDevice& device, int width, int height);

std::string ChartDataFile(const TChart& chart, TChartDataFormat format);

}  // namespace corvane
