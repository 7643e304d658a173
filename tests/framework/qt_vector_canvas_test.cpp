// The vector surface on Qt's SVG generator, read back as XML: lines of one pen gather into one
// path however they are broken, shapes drawn meanwhile follow that path, exact positions keep
// their hundredths, and text stays text.
#include "framework/qt_vector_canvas.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <QXmlStreamReader>
#include <functional>

namespace corvane {
namespace {

// The elements in document order: "path:<d>", "ellipse" (a circle too), "rect", "text:<content>".
QStringList Elements(const std::function<void(TCanvas&)>& draw) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(200, 100));
    svg.setViewBox(QRect(0, 0, 200, 100));
    QPainter painter(&svg);
    TQtVectorCanvas canvas(painter);
    draw(canvas);
  }
  QStringList out;
  QXmlStreamReader xml(buffer.data());
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement)
      continue;
    const QString name = xml.name().toString();
    if (name == "path")
      out << "path:" + xml.attributes().value("d").toString().simplified();
    else if (name == "ellipse" || name == "circle")
      out << "ellipse";
    else if (name == "rect")
      out << name;
    else if (name == "text")
      out << "text:" + xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
  }
  EXPECT_FALSE(xml.hasError());
  return out;
}

TEST(QtVectorCanvasTest, LinesOfOnePenGatherIntoOnePathOnPixelCentres) {
  const QStringList e = Elements([](TCanvas& c) {
    c.MoveTo(0, 0);
    c.LineTo(10, 0);
    c.LineTo(10, 10);
    c.MoveTo(50, 50);  // a gap: a new subpath of the same path
    c.LineTo(60, 60);
  });
  ASSERT_EQ(e.size(), 1);
  EXPECT_EQ(e[0], "path:M0.5,0.5 L10.5,0.5 L10.5,10.5 M50.5,50.5 L60.5,60.5");
}

TEST(QtVectorCanvasTest, APenChangeStartsANewPathAndAWidePenIsCentredAsOnScreen) {
  const QStringList e = Elements([](TCanvas& c) {
    c.MoveTo(0, 0);
    c.LineTo(10, 0);
    c.Pen.Width = 2;  // covers rows y - 1 and y: centred on y
    c.MoveTo(0, 20);
    c.LineTo(10, 20);
  });
  EXPECT_EQ(e, QStringList({"path:M0.5,0.5 L10.5,0.5", "path:M0,20 L10,20"}));
}

TEST(QtVectorCanvasTest, ShapesDrawnWhileLinesGatherFollowThePathAndTextFlushesIt) {
  const QStringList e = Elements([](TCanvas& c) {
    c.Rectangle(0, 0, 100, 50);  // nothing gathered: drawn at once
    c.MoveTo(0, 0);
    c.LineTo(10, 10);
    c.Ellipse(7, 7, 14, 14);  // a marker: after the line
    c.LineTo(20, 0);
    c.TextOut(5, 5, "Time");
    c.LineTo(30, 10);
  });
  ASSERT_EQ(e.size(), 5) << e.join(" | ").toStdString();
  EXPECT_EQ(e[0], "rect");
  EXPECT_EQ(e[1], "path:M0.5,0.5 L10.5,10.5 L20.5,0.5");
  EXPECT_EQ(e[2], "ellipse");
  EXPECT_EQ(e[3], "text:Time");
  EXPECT_EQ(e[4], "path:M20.5,0.5 L30.5,10.5");
}

TEST(QtVectorCanvasTest, ExactPolylinesKeepEveryPointToHundredths) {
  const QStringList e = Elements([](TCanvas& c) {
    EXPECT_TRUE(c.KeepsExactPoints());
    const TExactPoint points[] = {{1.004, 2}, {1.2349, 2.5}, {1.3, 2.5}, {1.3, 2.5}};
    c.ExactPolyline(points);
    EXPECT_EQ(c.PenPos(), (TPoint{1, 3}));
  });
  ASSERT_EQ(e.size(), 1);
  // A repeated point adds nothing to the path.
  EXPECT_EQ(e[0], "path:M1.5,2.5 L1.73,3 L1.8,3");
}

}  // namespace
}  // namespace corvane
