// The chart control on the offscreen platform: repaints are batched by Qt, an unchanged chart
// only copies its image, and a resize or a new device pixel ratio redraws it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <stdexcept>

#include "chart/chart.h"
#include "chart/line_series.h"
#include "framework/system_colors.h"

namespace corvane {
namespace {

class TCountingChart : public TChart {
 public:
  int paint_events = 0;
  int redraws = 0;
  TCountingChart() {
    OnAfterDraw = [this](TCustomChart&) { ++redraws; };
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    ++paint_events;
    TChart::paintEvent(event);
  }
};

class ChartWidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.SetView3D(false);
    chart.Legend().SetVisible(false);
    series = &chart.CreateSeries<TLineSeries>();
    series->SetSeriesColor(clRed);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    Settle();
  }
  void TearDown() override { chart.hide(); }
  // Lets every queued paint run.
  static void Settle() {
    for (int i = 0; i < 3; ++i) {
      QApplication::processEvents();
      QTest::qWait(5);
    }
  }

  TCountingChart chart;
  TLineSeries* series = nullptr;
};

TEST_F(ChartWidgetTest, StartsAt400By250) {
  TChart fresh;
  EXPECT_EQ(fresh.width(), 400);
  EXPECT_EQ(fresh.height(), 250);
}

TEST_F(ChartWidgetTest, ABatchOfChangesIsOneRedraw) {
  const int before = chart.redraws;
  for (int i = 0; i < 100; ++i) series->AddPoint(i, i % 7);
  chart.LeftAxis().SetVisible(false);
  chart.Title().SetText({"batch"});
  EXPECT_EQ(chart.redraws, before);  // nothing is drawn synchronously
  Settle();
  EXPECT_EQ(chart.redraws, before + 1);
  EXPECT_FALSE(chart.IsStale());
}

TEST_F(ChartWidgetTest, AnUnchangedChartOnlyCopiesItsImage) {
  const int redraws = chart.redraws;
  const int paints = chart.paint_events;
  chart.update();
  Settle();
  chart.repaint();
  EXPECT_GE(chart.paint_events, paints + 2);
  EXPECT_EQ(chart.redraws, redraws);
  const QImage shown = chart.grab().toImage();
  EXPECT_EQ(shown.pixel(5, 100), ResolveColor(clBtnFace).rgb());
}

TEST_F(ChartWidgetTest, AResizeRedrawsAtTheNewSize) {
  const int redraws = chart.redraws;
  chart.resize(593, 153);
  Settle();
  EXPECT_EQ(chart.redraws, redraws + 1);
  EXPECT_EQ(chart.CachedImage().Width(), 593);
  EXPECT_EQ(chart.PanelBounds(), (TRect{0, 0, 593, 153}));
}

// A change made while the chart paints is not lost: the chart stays stale and paints again.
TEST_F(ChartWidgetTest, AChangeDuringThePaintBringsOneMorePaint) {
  const int redraws = chart.redraws;
  bool changed = false;
  chart.OnAfterDraw = [&](TCustomChart& sender) {
    ++chart.redraws;
    if (!changed)
      static_cast<TChart&>(sender).Title().SetText({"changed while painting"});
    changed = true;
  };
  chart.Title().SetText({"first"});
  Settle();
  EXPECT_EQ(chart.redraws, redraws + 2);
  EXPECT_FALSE(chart.IsStale());
}

TEST(ChartPaintFailureTest, AThrowingPaintLeavesTheChartStale) {
  TChart chart;
  chart.OnAfterDraw = [](TCustomChart&) { throw std::runtime_error("handler failed"); };
  EXPECT_THROW(chart.UpdateCachedImage(100, 80), std::runtime_error);
  EXPECT_TRUE(chart.IsStale());
  chart.OnAfterDraw = nullptr;
  chart.UpdateCachedImage(100, 80);
  EXPECT_FALSE(chart.IsStale());
}

TEST_F(ChartWidgetTest, SettingAnAxisBoundTwiceAsksForOneRedraw) {
  chart.LeftAxis().SetAutomatic(false);
  Settle();
  const int redraws = chart.redraws;
  chart.LeftAxis().SetMaximum(40);
  chart.LeftAxis().SetMaximum(40);
  Settle();
  EXPECT_EQ(chart.redraws, redraws + 1);
  chart.LeftAxis().SetMaximum(40);
  Settle();
  EXPECT_EQ(chart.redraws, redraws + 1);
}

}  // namespace
}  // namespace corvane
