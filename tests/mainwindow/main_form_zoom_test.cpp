// View > Zoom: every control of the client area scaled to the pixel with its font, the menu bar
// as it was, the charts laid out at the layout's size and drawn at the finer resolution, the
// pointer meeting the chart where it points, and Actual size giving back the layout exactly.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <map>
#include <memory>

#include "chart/chart.h"
#include "form_support.h"
#include "framework/device_grid.h"
#include "mainwindow/main_form.h"
#include "mainwindow/reaction_run.h"

namespace corvane {
namespace {

struct TPlace {
  QRect rect;
  int font_pixels;
};

std::map<QWidget*, TPlace> Places(const TForm1& form) {
  std::map<QWidget*, TPlace> places;
  for (QWidget* control : form.Client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    places[control] = {control->geometry(), control->font().pixelSize()};
  return places;
}

class MainFormZoomTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    form = MakeForm();
    for (int i = 0; i < 4; ++i) form->Press();
  }
  std::unique_ptr<TForm1> form;
};

TEST_F(MainFormZoomTest, ZoomedPixelsAreExactProductsRoundedHalvesToEven) {
  struct Case {
    int value, percent, expected;
  };
  const Case cases[] = {{41, 125, 51},    {53, 125, 66},    {11, 125, 14},    {11, 150, 16}, {13, 150, 20},
                        {617, 250, 1542}, {619, 250, 1548}, {593, 200, 1186}, {0, 250, 0},   {640, 150, 960}};
  for (const Case& c : cases) EXPECT_EQ(TForm1::ZoomedPixel(c.value, c.percent), c.expected) << c.value;
  // Edges, not sizes, are scaled: neighbours stay neighbours.
  EXPECT_EQ(TForm1::ZoomedRect(QRect(40, 32, 41, 21), 125), QRect(50, 40, 51, 26));
  EXPECT_EQ(TForm1::ZoomedRect(QRect(24, 60, 593, 153), 150), QRect(36, 90, 890, 230));
}

TEST_F(MainFormZoomTest, EveryControlAndItsFontScaleWithTheMenuBarAsItWas) {
  const std::map<QWidget*, TPlace> layout = Places(*form);
  ASSERT_GE(layout.size(), 24u);  // 12 labels, 2 charts, the memo, 6 fields, 2 buttons, a box
  const QFont bar_font = form->MenuBar->font();
  const int bar_height = form->MenuBar->sizeHint().height();
  for (const int percent : {125, 150, 200}) {
    form->SetZoomPercent(percent);
    EXPECT_EQ(form->ZoomPercent(), percent);
    for (const auto& [control, place] : layout) {
      EXPECT_EQ(control->geometry(), TForm1::ZoomedRect(place.rect, percent))
          << percent << " % " << control->metaObject()->className() << " "
          << control->objectName().toStdString();
      if (place.font_pixels > 0) {
        EXPECT_EQ(control->font().pixelSize(), TForm1::ZoomedPixel(place.font_pixels, percent));
      }
    }
    EXPECT_EQ(form->Client->minimumSize(),
              QSize(TForm1::ZoomedPixel(640, percent), TForm1::ZoomedPixel(454, percent)));
    EXPECT_EQ(form->MenuBar->font(), bar_font);
    EXPECT_EQ(form->MenuBar->sizeHint().height(), bar_height);
    // The charts lay themselves out at the layout's size, drawn at the zoom's resolution.
    EXPECT_EQ(form->Chart2->ContentWidth(), 593);
    EXPECT_EQ(form->Chart2->ContentHeight(), 153);
    EXPECT_EQ(form->Chart1->ContentHeight(), 145);
    EXPECT_DOUBLE_EQ(form->Chart1->ContentPixelRatio(), percent / 100.0);
  }
  form->ActualSizeAction->trigger();
  EXPECT_EQ(form->ZoomPercent(), 100);
  EXPECT_EQ(Places(*form).size(), layout.size());
  for (const auto& [control, place] : Places(*form)) {
    EXPECT_EQ(place.rect, layout.at(control).rect);
    EXPECT_EQ(place.font_pixels, layout.at(control).font_pixels);
  }
  EXPECT_EQ(form->EditAcrit->geometry(), QRect(40, 32, 41, 21));
  EXPECT_EQ(form->Chart1->ContentScale(), 1.0);
}

TEST_F(MainFormZoomTest, TheKeysStepThroughTheZoomsAndStopAtTheEnds) {
  EXPECT_EQ(form->ZoomInAction->shortcut(), QKeySequence("Ctrl++"));
  EXPECT_EQ(form->ZoomOutAction->shortcut(), QKeySequence("Ctrl+-"));
  EXPECT_EQ(form->ActualSizeAction->shortcut(), QKeySequence("Ctrl+0"));
  EXPECT_FALSE(form->ZoomOutAction->isEnabled());
  std::vector<int> seen;
  for (int i = 0; i < 6; ++i) {
    form->ZoomInAction->trigger();
    seen.push_back(form->ZoomPercent());
  }
  EXPECT_EQ(seen, (std::vector<int>{125, 150, 200, 250, 250, 250}));
  EXPECT_FALSE(form->ZoomInAction->isEnabled());
  form->ZoomOut();
  EXPECT_EQ(form->ZoomPercent(), 200);
  form->SetZoomPercent(175);  // not a step: nothing changes
  EXPECT_EQ(form->ZoomPercent(), 200);
  form->ActualSizeAction->trigger();
  form->ZoomOut();
  EXPECT_EQ(form->ZoomPercent(), 100);
}

// What the zoomed chart shows is the chart drawn at the zoom's ratio, pixel for pixel (not a
// picture stretched), and its frame lines lie on whole device pixels, one pen thick.
TEST_F(MainFormZoomTest, TheChartsAreDrawnAtTheZoomsResolution) {
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  for (const int percent : {125, 150, 200}) {
    form->SetZoomPercent(percent);
    const double r = percent / 100.0;
    for (TChart* chart : {form->Chart1, form->Chart2}) {
      const QImage shown = chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
      ASSERT_EQ(shown.size(), chart->size());
      const QImage drawn =
          chart->UpdateCachedImage(chart->ContentWidth(), chart->ContentHeight(), r).Image().copy();
      int differ = 0;
      for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) differ += shown.pixel(x, y) != drawn.pixel(x, y);
      EXPECT_EQ(differ, 0) << percent;

      const TDeviceGrid grid(r);
      const TRect p = chart->PlotRect();
      const TDeviceBand top = grid.Across(p.Top, 1);
      EXPECT_EQ(top.End - top.First, grid.PenWidth(1));
      const QRgb black = qRgb(0, 0, 0);
      for (int x = grid.Edge(p.Left + 2); x < grid.Edge(p.Right - 1); ++x) {
        ASSERT_EQ(drawn.pixel(x, top.First), black) << percent << " x " << x;
        ASSERT_EQ(drawn.pixel(x, top.End - 1), black);
        ASSERT_NE(drawn.pixel(x, top.First - 1), black);
        ASSERT_NE(drawn.pixel(x, top.End), black);
      }
    }
  }
}

// A drag on the zoomed chart zooms the axes to what it covers, as the same drag over the same
// part of the chart does at actual size.
TEST_F(MainFormZoomTest, APointerDragMeetsTheZoomedChartWhereItPoints) {
  auto drag = [](TChart& chart, QPoint from, QPoint to) {
    QTest::mousePress(&chart, Qt::LeftButton, {}, from);
    QTest::mouseMove(&chart, to);
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, to);
  };
  auto actual = MakeForm();
  for (int i = 0; i < 4; ++i) actual->Press();
  actual->show();
  form->show();
  form->SetZoomPercent(200);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  actual->Chart2->repaint();
  form->Chart2->repaint();
  const TRect r = actual->Chart2->PlotRect();
  ASSERT_EQ(form->Chart2->PlotRect().Left, r.Left);
  const QPoint from{r.Left + 40, r.Top + 10}, to{r.Left + 240, r.Top + 70};
  drag(*actual->Chart2, from, to);
  drag(*form->Chart2, from * 2, to * 2);
  ASSERT_TRUE(actual->Chart2->Zoomed());
  ASSERT_TRUE(form->Chart2->Zoomed());
  EXPECT_EQ(form->Chart2->BottomAxis().Minimum(), actual->Chart2->BottomAxis().Minimum());
  EXPECT_EQ(form->Chart2->BottomAxis().Maximum(), actual->Chart2->BottomAxis().Maximum());
  EXPECT_EQ(form->Chart2->LeftAxis().Maximum(), actual->Chart2->LeftAxis().Maximum());
}

}  // namespace
}  // namespace corvane
