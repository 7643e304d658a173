// The chart widget's read-out, context menu and wheel, driven by real Qt events on the
// program-like chart (593 x 153, PlotRect (39, 23, 575, 129) after its first paint).
#include "chart/chart_pointer_tools.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QMenu>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>

#include "chart/chart_context_menu.h"
#include "chart/chart_strings.h"
#include "chart/value_range.h"
#include "zoom_support.h"

namespace corvane {
namespace {

using testing::Settle;
using testing::TProgramChart;

class PointerToolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    chart.OnGetReadoutText = [](const TChartSeries& s, int i) {
      return "point " + std::to_string(i) + " at " + std::to_string(static_cast<int>(s.XValueAt(i)));
    };
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    Settle();
    ASSERT_EQ(chart.PlotRect(), (TRect{39, 23, 575, 129}));
  }
  void TearDown() override {
    if (QMenu* menu = chart.PointerTools().Menu())
      menu->hide();
    QToolTip::hideText();
    chart.hide();
  }

  QPoint PixelOf(int index) const {
    return {chart.BottomAxis().ValueToPixel(chart.line->XValueAt(index)),
            chart.LeftAxis().ValueToPixel(chart.line->YValueAt(index))};
  }
  bool MenuShown() const {
    const QMenu* menu = const_cast<TProgramChart&>(chart).PointerTools().Menu();
    return menu != nullptr && menu->isVisible();
  }
  void Rest(QPoint at) {
    QTest::mouseMove(&chart, at);
    QHelpEvent event(QEvent::ToolTip, at, chart.mapToGlobal(at));
    QApplication::sendEvent(&chart, &event);
  }
  void Wheel(QPoint at, int angle, Qt::MouseButtons buttons = Qt::NoButton) {
    QWheelEvent event(at, chart.mapToGlobal(at), {}, {0, angle}, buttons, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(&chart, &event);
  }
  TValueRange Bounds(const TChartAxis& axis) const { return {axis.Minimum(), axis.Maximum()}; }

  TProgramChart chart;
};

TEST_F(PointerToolsTest, ARightClickOpensTheMenuWithItsThreeEntries) {
  QTest::mouseClick(&chart, Qt::RightButton, {}, {100, 40});
  ASSERT_TRUE(MenuShown());
  const QList<QAction*> actions = chart.PointerTools().Menu()->actions();
  ASSERT_EQ(actions.size(), 3);
  EXPECT_EQ(actions[0]->text(), chart_text::kCopyImage);
  EXPECT_EQ(actions[1]->text(), chart_text::kCopyData);
  EXPECT_EQ(actions[2]->text(), chart_text::kResetZoom);
  EXPECT_EQ(Bounds(chart.BottomAxis()), (TValueRange{0, 26}));  // nothing scrolled
  // Outside the plot, where no drag can start, a right click opens it too.
  chart.PointerTools().Menu()->hide();
  QTest::mouseClick(&chart, Qt::RightButton, {}, {300, 8});
  EXPECT_TRUE(MenuShown());
}

TEST_F(PointerToolsTest, NoMenuAfterAScrollDragNorWithAnotherButtonHeld) {
  QTest::mousePress(&chart, Qt::RightButton, {}, {200, 60});
  QTest::mouseMove(&chart, {220, 70});
  QTest::mouseRelease(&chart, Qt::RightButton, {}, {220, 70});
  EXPECT_FALSE(MenuShown());
  EXPECT_NE(Bounds(chart.BottomAxis()), (TValueRange{0, 26}));
  // Out and back to the press position is still a drag.
  QTest::mousePress(&chart, Qt::RightButton, {}, {200, 60});
  QTest::mouseMove(&chart, {210, 60});
  QTest::mouseMove(&chart, {200, 60});
  QTest::mouseRelease(&chart, Qt::RightButton, {}, {200, 60});
  EXPECT_FALSE(MenuShown());
  // A right click during a left press.
  QTest::mousePress(&chart, Qt::LeftButton, {}, {100, 40});
  QTest::mouseClick(&chart, Qt::RightButton, {}, {100, 40});
  QTest::mouseRelease(&chart, Qt::LeftButton, {}, {100, 40});
  EXPECT_FALSE(MenuShown());
}

TEST_F(PointerToolsTest, ResetZoomUndoesAWheelZoomAndCopyDataFillsTheClipboard) {
  Wheel({300, 80}, 120);
  ASSERT_NE(Bounds(chart.BottomAxis()), (TValueRange{0, 26}));
  QTest::mouseClick(&chart, Qt::RightButton, {}, {100, 40});
  ASSERT_TRUE(MenuShown());
  chart.PointerTools().Menu()->actions()[2]->trigger();
  EXPECT_EQ(Bounds(chart.BottomAxis()), (TValueRange{0, 26}));
  EXPECT_EQ(Bounds(chart.LeftAxis()), (TValueRange{0, 25}));
  chart.PointerTools().Menu()->actions()[1]->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), ChartDataOf(chart));
  EXPECT_EQ(ChartDataOf(chart), "\t\n16\t4\n18\t7\n20\t5\n22\t8\n24\t6\n");  // no titles here
}

TEST_F(PointerToolsTest, TheImageIsTheChartSizeTimesTheRatio) {
  const QImage doubled = ChartImage(chart, chart.width(), chart.height(), 2.0);
  EXPECT_EQ(doubled.size(), QSize(2 * 593, 2 * 153));
  EXPECT_EQ(doubled.devicePixelRatio(), 2.0);
  CopyChartImage(chart);
  const QImage copied = QGuiApplication::clipboard()->image();
  const double ratio = chart.devicePixelRatioF();
  EXPECT_EQ(copied.size(), QSize(qRound(593 * ratio), qRound(153 * ratio)));
  // As drawn on the screen.
  EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32),
            chart.grab().toImage().convertToFormat(QImage::Format_RGB32));
}

TEST_F(PointerToolsTest, TheReadoutShowsNearAPointFollowsAndGoes) {
  Rest(PixelOf(2));
  ASSERT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), "point 2 at 20");
  // Still within five pixels: the tip moves with the pointer.
  QTest::mouseMove(&chart, PixelOf(2) + QPoint(0, 4));
  EXPECT_TRUE(chart.PointerTools().ReadoutShown());
  QTest::mouseMove(&chart, PixelOf(3));
  EXPECT_EQ(QToolTip::text(), "point 3 at 22");
  QTest::mouseMove(&chart, {100, 40});  // bare background
  EXPECT_FALSE(chart.PointerTools().ReadoutShown());
  Rest(PixelOf(1));
  ASSERT_TRUE(chart.PointerTools().ReadoutShown());
  QTest::mousePress(&chart, Qt::LeftButton, {}, PixelOf(1));  // a drag begins
  EXPECT_FALSE(chart.PointerTools().ReadoutShown());
  QTest::mouseRelease(&chart, Qt::LeftButton, {}, PixelOf(1));
  Rest(PixelOf(1));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&chart, &leave);
  EXPECT_FALSE(chart.PointerTools().ReadoutShown());
}

TEST_F(PointerToolsTest, NoReadoutOnBareBackgroundOrWithoutATextOrOnAnEmptyChart) {
  Rest({100, 40});
  EXPECT_FALSE(chart.PointerTools().ReadoutShown());
  chart.OnGetReadoutText = nullptr;
  Rest(PixelOf(2));
  EXPECT_FALSE(chart.PointerTools().ReadoutShown());
  chart.OnGetReadoutText = [](const TChartSeries&, int) { return std::string("x"); };
  chart.line->ClearPoints();
  Settle();
  Rest({300, 80});
  EXPECT_FALSE(chart.PointerTools().ReadoutShown());
}

TEST_F(PointerToolsTest, WheelNotchesZoomAroundThePointerAndSmallStepsAddUp) {
  const double x_value = chart.BottomAxis().PixelToValue(300);
  Wheel({300, 80}, 40);
  Wheel({300, 80}, 40);
  EXPECT_EQ(Bounds(chart.BottomAxis()), (TValueRange{0, 26}));
  Wheel({300, 80}, 40);
  EXPECT_NE(Bounds(chart.BottomAxis()), (TValueRange{0, 26}));
  Settle();
  EXPECT_NEAR(chart.BottomAxis().PixelToValue(300), x_value, 1e-12);
  // The undoing drag restores the state from before the first notch.
  QTest::mousePress(&chart, Qt::LeftButton, {}, {300, 120});
  QTest::mouseMove(&chart, {100, 40});
  QTest::mouseRelease(&chart, Qt::LeftButton, {}, {100, 40});
  EXPECT_EQ(Bounds(chart.BottomAxis()), (TValueRange{0, 26}));
  // Nothing while a button is held, nor outside the plot.
  Wheel({300, 80}, 120, Qt::LeftButton);
  Wheel({10, 80}, 120);
  EXPECT_EQ(Bounds(chart.BottomAxis()), (TValueRange{0, 26}));
}

// Qt's tooltip window, while one shows.
QWidget* ShownTip() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->inherits("QTipLabel") && w->isVisible())
      return w;
  }
  return nullptr;
}

// Once a press on the lingering tooltip went to the tip, which closed at it: no menu, no zoom
// drag, and Qt never saw the release.
TEST_F(PointerToolsTest, TheReadoutLetsTheMouseThroughAndGoesAtOnce) {
  Rest(PixelOf(2));
  QWidget* tip = ShownTip();
  ASSERT_NE(tip, nullptr);
  ASSERT_NE(tip->windowHandle(), nullptr);
  EXPECT_TRUE(tip->windowHandle()->flags().testFlag(Qt::WindowTransparentForInput));
  EXPECT_TRUE(tip->testAttribute(Qt::WA_TransparentForMouseEvents));
  EXPECT_FALSE(tip->geometry().contains(chart.mapToGlobal(PixelOf(2))));
  QTest::mouseMove(&chart, {100, 40});  // off the item: gone now, not in a moment
  EXPECT_FALSE(QToolTip::isVisible());
  Rest(PixelOf(3));
  QTest::mouseClick(&chart, Qt::RightButton, {}, {100, 40});
  EXPECT_FALSE(QToolTip::isVisible());
  EXPECT_TRUE(MenuShown());
}

// Once killed both charts' wheel and read-out until a button was pressed again: Qt, having lost
// a release between windows, reports the right button held on every move that reaches the chart.
TEST_F(PointerToolsTest, AReleaseQtLostStopsNeitherTheWheelNorTheMenu) {
  QMouseEvent lost(QEvent::MouseMove, QPointF(300, 80), chart.mapToGlobal(QPointF(300, 80)), Qt::NoButton,
                   Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(&chart, &lost);
  EXPECT_EQ(chart.PointerTools().Buttons().Lost(), Qt::MouseButtons(Qt::RightButton));
  Wheel({300, 80}, 120, Qt::RightButton);
  EXPECT_NE(Bounds(chart.BottomAxis()), (TValueRange{0, 26}));
  QTest::mouseClick(&chart, Qt::RightButton, {}, {100, 40});
  EXPECT_TRUE(MenuShown());
  // A zoom record whose release went elsewhere ends at the next wheel that shows no button.
  chart.PointerTools().Menu()->hide();
  chart.MouseDown(mbLeft, {}, 100, 40);
  ASSERT_TRUE(chart.ZoomRecord().Active);
  Wheel({300, 80}, 120);
  EXPECT_FALSE(chart.ZoomRecord().Active);
}

TEST_F(PointerToolsTest, ResetZoomBringsBackAutomaticLimits) {
  chart.LeftAxis().SetAutomatic(true);
  Settle();
  const TValueRange automatic = Bounds(chart.LeftAxis());
  Wheel({300, 80}, 240);
  ASSERT_FALSE(chart.LeftAxis().Automatic());
  chart.line->AddPoint(25, 30, {}, chart.line->SeriesColor());
  QTest::mouseClick(&chart, Qt::RightButton, {}, {100, 40});
  ASSERT_TRUE(MenuShown());
  chart.PointerTools().Menu()->actions()[2]->trigger();
  Settle();
  EXPECT_TRUE(chart.LeftAxis().Automatic());
  EXPECT_NE(Bounds(chart.LeftAxis()), automatic);
  EXPECT_EQ(chart.LeftAxis().Maximum(), 30);
}

// Found by the gesture fuzzer: a right click while the menu was open only closed it, the popup
// keeping the press and its release.
TEST_F(PointerToolsTest, ARightClickWhileTheMenuIsOpenOpensItThere) {
  QTest::mouseClick(&chart, Qt::RightButton, {}, {100, 40});
  ASSERT_TRUE(MenuShown());
  QMenu& menu = *chart.PointerTools().Menu();
  const QPoint elsewhere = chart.mapToGlobal(QPoint(450, 100));
  ASSERT_FALSE(menu.geometry().contains(elsewhere));
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(menu.mapFromGlobal(elsewhere)), QPointF(elsewhere),
                    Qt::RightButton, Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(&menu, &press);
  menu.hide();  // as the popup closes at a press outside it
  QCoreApplication::processEvents();
  ASSERT_TRUE(MenuShown());
  EXPECT_EQ(menu.pos(), elsewhere);
  // A left press outside only closes it, as everywhere.
  QMouseEvent left(QEvent::MouseButtonPress, QPointF(menu.mapFromGlobal(elsewhere)), QPointF(elsewhere),
                   Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&menu, &left);
  menu.hide();
  QCoreApplication::processEvents();
  EXPECT_FALSE(MenuShown());
}

}  // namespace
}  // namespace corvane
