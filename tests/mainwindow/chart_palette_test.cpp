// The charts are figures: under a dark desktop palette they are drawn in the light colours they
// were designed on, so their fixed colours keep their contrast. Measured on the rendered images.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <memory>

#include "chart/chart.h"
#include "form_support.h"
#include "framework/system_colors.h"
#include "mainwindow/main_form.h"

namespace corvane {
namespace {

// Relative luminance and contrast ratio as the accessibility guidelines define them.
double Luminance(QRgb c) {
  const auto channel = [](int v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double Contrast(QRgb a, QRgb b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(ContrastTest, RatiosOfKnownPairs) {
  EXPECT_NEAR(Contrast(qRgb(0, 0, 0), qRgb(255, 255, 255)), 21.0, 1e-9);
  EXPECT_NEAR(Contrast(qRgb(0, 0, 255), qRgb(255, 255, 255)), 8.59, 0.01);
  EXPECT_NEAR(Contrast(qRgb(0x35, 0x35, 0x35), qRgb(0x35, 0x35, 0x35)), 1.0, 1e-9);
}

// A dark palette of the kind desktops offer: dark window and buttons, light text.
QPalette DarkPalette() {
  QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35));
  dark.setColor(QPalette::WindowText, Qt::white);
  dark.setColor(QPalette::ButtonText, Qt::white);
  dark.setColor(QPalette::Text, Qt::white);
  dark.setColor(QPalette::Base, QColor(0x2A, 0x2A, 0x2A));
  return dark;
}

class ChartPaletteTest : public FormFixture {
 protected:
  void TearDown() override { QApplication::setPalette(saved_); }

  static QImage Render(TChart& chart) {
    chart.MarkStale();
    return chart.UpdateCachedImage(chart.width(), chart.height()).Image().copy();
  }

  QPalette saved_ = QApplication::palette();
};

TEST_F(ChartPaletteTest, UnderADarkPaletteTheChartsAreTheSameFigureAndKeepTheirContrast) {
  const auto form = MakeForm();
  form->ButtonBeginClick();
  form->ButtonBeginClick();
  const QImage light[] = {Render(*form->Chart2), Render(*form->Chart1)};

  QApplication::setPalette(DarkPalette());
  ASSERT_LT(Luminance(QApplication::palette().color(QPalette::Button).rgb()), 0.05);
  const QImage dark[] = {Render(*form->Chart2), Render(*form->Chart1)};

  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i == 0 ? "reaction-time chart" : "inhibition chart");
    EXPECT_TRUE(dark[i] == light[i]) << "the figure follows no desktop palette";
    // The panel, inside the outer bevel, and what is drawn on it.
    const QRgb panel = dark[i].pixel(4, 4);
    EXPECT_EQ(panel, FigurePalette().color(QPalette::Button).rgb());
    double title = 1;  // the title's strongest blue in the top rows
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < dark[i].width(); ++x) {
        const QRgb c = dark[i].pixel(x, y);
        if (qBlue(c) > 200 && qRed(c) < 60 && qGreen(c) < 60)
          title = std::max(title, Contrast(c, panel));
      }
    EXPECT_GE(title, 4.5) << "title text";
    double darkest = 1;  // the axes and their labels are the darkest ink
    for (int y = 0; y < dark[i].height(); ++y)
      for (int x = 0; x < dark[i].width(); ++x)
        darkest = std::max(darkest, Contrast(dark[i].pixel(x, y), panel));
    EXPECT_GE(darkest, 4.5) << "axes and labels";
  }
}

TEST_F(ChartPaletteTest, AtTheDefaultPaletteTheFigurePaletteIsTheApplications) {
  const QPalette app = QApplication::palette();
  for (const QPalette::ColorRole role : {QPalette::Button, QPalette::Light, QPalette::Dark, QPalette::Window,
                                         QPalette::Base, QPalette::Text, QPalette::Highlight})
    EXPECT_EQ(FigurePalette().color(role), app.color(role)) << role;
}

}  // namespace
}  // namespace corvane
