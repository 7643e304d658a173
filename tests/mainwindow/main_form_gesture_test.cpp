// A press of "Start Reaction Time" meets the charts' gestures: it ends a drag and a read-out of
// the series it replaces, resets a zoom the wheel began (so the path's maximum follows the new
// path), and keeps a drag's zoom as the window always has.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QWheelEvent>

#include "chart/chart.h"
#include "chart/chart_pointer_tools.h"
#include "chart/line_series.h"
#include "form_support.h"

namespace corvane {
namespace {

class MainFormGesturesTest : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    form = MakeForm();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    Paint();
  }
  void Paint() {
    form->Chart1->repaint();
    form->Chart2->repaint();
  }
  QPoint PlotCentre(const TChart& chart) const {
    const TRect& r = chart.PlotRect();
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  void WheelNotch(TChart& chart) {
    const QPoint at = PlotCentre(chart);
    QWheelEvent event(at, chart.mapToGlobal(at), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&chart, &event);
  }
  // Every point of the path lies within the inhibition chart's vertical axis.
  bool WholePathShown() const {
    const TChartAxis& left = form->Chart1->LeftAxis();
    for (int i = 0; i < form->Series1->PointCount(); ++i) {
      const double y = form->Series1->YValueAt(i);
      if (y < left.Minimum() || y > left.Maximum())
        return false;
    }
    return form->Series1->PointCount() > 0;
  }

  std::unique_ptr<TForm1> form;
};

// Once left the empty inhibition chart at 0..0.001 for good: no later path was ever drawn.
TEST_F(MainFormGesturesTest, AWheelNotchOnTheEmptyInhibitionChartThenPressesDrawTheirWholePath) {
  WheelNotch(*form->Chart1);
  ASSERT_TRUE(form->Chart1->AxisStateSaved());
  for (int press = 0; press < 3; ++press) {
    form->ButtonBeginClick();
    Paint();
    EXPECT_TRUE(form->Chart1->LeftAxis().AutomaticMaximum()) << press;
    EXPECT_TRUE(WholePathShown()) << press;
    WheelNotch(*form->Chart1);
    Paint();
  }
  EXPECT_TRUE(reports.empty());
}

TEST_F(MainFormGesturesTest, ADragsZoomKeepsItsFixedMaximumAcrossAPress) {
  form->ButtonBeginClick();
  Paint();
  TChart& chart = *form->Chart1;
  const TRect& r = chart.PlotRect();
  QTest::mousePress(&chart, Qt::LeftButton, {}, {r.Left + 20, r.Top + 10});
  QTest::mouseMove(&chart, {r.Left + 120, r.Top + 60});
  QTest::mouseRelease(&chart, Qt::LeftButton, {}, {r.Left + 120, r.Top + 60});
  ASSERT_TRUE(chart.Zoomed());
  const double zoomed_max = chart.LeftAxis().Maximum();
  form->ButtonBeginClick();
  EXPECT_FALSE(chart.LeftAxis().AutomaticMaximum());
  EXPECT_EQ(chart.LeftAxis().Maximum(), zoomed_max);
}

TEST_F(MainFormGesturesTest, APressEndsADragAndTheReadoutOfTheOldSeries) {
  TChart& chart = *form->Chart1;
  form->ButtonBeginClick();
  Paint();
  QTest::mousePress(&chart, Qt::LeftButton, {}, PlotCentre(chart));
  ASSERT_TRUE(chart.ZoomRecord().Active);
  form->ButtonBeginClick();
  EXPECT_FALSE(chart.ZoomRecord().Active);
  QTest::mouseRelease(&chart, Qt::LeftButton, {}, PlotCentre(chart) + QPoint(60, 40));
  EXPECT_FALSE(chart.Zoomed());  // the release of an ended drag zooms nothing
  QTest::mousePress(&chart, Qt::RightButton, {}, PlotCentre(chart));
  form->ButtonBeginClick();
  EXPECT_FALSE(chart.ScrollRecord().Active);
  EXPECT_FALSE(chart.PointerTools().RightClickPending());
  QTest::mouseRelease(&chart, Qt::RightButton, {}, PlotCentre(chart));
  EXPECT_TRUE(chart.PointerTools().Menu() == nullptr || !chart.PointerTools().Menu()->isVisible());
}

}  // namespace
}  // namespace corvane
