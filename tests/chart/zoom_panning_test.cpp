// The plain arithmetic under zoom and scroll: the drag record, the release decision at the
// 16-pixel threshold, the scroll and animation steps, the rubber band's pen colour.
#include "chart/zoom_panning.h"

#include <gtest/gtest.h>

#include <limits>

#include "chart/value_range.h"
#include "runtime/errors.h"
#include "support/expect_throw_msg.h"

namespace corvane {
namespace {

TZoomPanningRecord Drag(int x0, int y0, int x1, int y1) {
  TZoomPanningRecord drag;
  drag.Start(x0, y0);
  drag.X1 = x1;
  drag.Y1 = y1;
  return drag;
}

TEST(ZoomPanningRecordTest, StartsAtThePressAndPutsEachAxisInOrderOnItsOwn) {
  TZoomPanningRecord drag;
  drag.Start(300, 40);
  EXPECT_EQ(drag, (TZoomPanningRecord{true, 300, 40, 300, 40}));
  drag.X1 = 290;
  drag.Y1 = 60;
  drag.PutInOrder();
  EXPECT_EQ(drag, (TZoomPanningRecord{true, 290, 40, 300, 60}));
  drag.Y1 = 10;
  drag.PutInOrder();
  EXPECT_EQ(drag, (TZoomPanningRecord{true, 290, 10, 300, 40}));
}

TEST(ZoomReleaseTest, MoreThanSixteenPixelsBothWaysZoomsTowardTheBottomRightOnly) {
  EXPECT_EQ(ZoomReleaseAction(Drag(100, 40, 117, 57)), TZoomRelease::Zoom);
  EXPECT_EQ(ZoomReleaseAction(Drag(100, 40, 116, 90)), TZoomRelease::Nothing);
  EXPECT_EQ(ZoomReleaseAction(Drag(100, 40, 300, 56)), TZoomRelease::Nothing);
  EXPECT_EQ(ZoomReleaseAction(Drag(100, 40, 110, 90)), TZoomRelease::Nothing);  // 10 wide
  EXPECT_EQ(ZoomReleaseAction(Drag(100, 40, 100, 40)), TZoomRelease::Nothing);
}

TEST(ZoomReleaseTest, EveryOtherDirectionUndoes) {
  EXPECT_EQ(ZoomReleaseAction(Drag(300, 120, 100, 40)), TZoomRelease::Undo);  // top left
  EXPECT_EQ(ZoomReleaseAction(Drag(300, 40, 100, 120)), TZoomRelease::Undo);  // bottom left
  EXPECT_EQ(ZoomReleaseAction(Drag(100, 120, 300, 40)), TZoomRelease::Undo);  // top right
  EXPECT_EQ(ZoomReleaseAction(Drag(117, 57, 100, 40)), TZoomRelease::Undo);
  EXPECT_EQ(ZoomReleaseAction(Drag(116, 57, 100, 40)), TZoomRelease::Nothing);
}

TEST(ZoomReleaseTest, FarPixelsDoNotWrap) {
  const int far = std::numeric_limits<int>::max();
  EXPECT_EQ(ZoomReleaseAction(Drag(-far, -far, far, far)), TZoomRelease::Zoom);
  EXPECT_EQ(ZoomReleaseAction(Drag(far, far, -far, -far)), TZoomRelease::Undo);
}

TEST(ValueRangeScrollTest, BothBoundsMoveByTheValueDifference) {
  // Dragging right by a pixel worth 0.5: the view moves toward smaller values.
  EXPECT_EQ((TValueRange{0, 26}.Scrolled(10.0, 10.5)), (TValueRange{-0.5, 25.5}));
  EXPECT_EQ((TValueRange{0, 26}.Scrolled(10.5, 10.0)), (TValueRange{0.5, 26.5}));
}

TEST(ValueRangeScrollTest, ABoundBeyondTheDoubleRangeIsAnOverflow) {
  const double big = std::numeric_limits<double>::max();
  EXPECT_THROW_MSG((TValueRange{0, big}.Scrolled(big / 2, -big / 2)), EOverflow, "Floating point overflow");
  EXPECT_THROW((TValueRange{0, 1}.Scrolled(std::numeric_limits<double>::infinity(), 0)), EOverflow);
}

TEST(ValueRangeAnimatedStepTest, GoesAThirdOfTheRemainingWay) {
  EXPECT_EQ((TValueRange{0, 30}.AnimatedStepTowards({3, 12})), (TValueRange{1, 24}));
  EXPECT_EQ((TValueRange{1, 24}.AnimatedStepTowards({3, 12})),
            (TValueRange{static_cast<double>(1 + 2 / 3.0L), 20}));
  EXPECT_EQ((TValueRange{5, 6}.AnimatedStepTowards({5, 6})), (TValueRange{5, 6}));
  // Steps stay between finite bounds and targets; only a target that is not finite fails.
  EXPECT_THROW((TValueRange{0, 1}.AnimatedStepTowards({0, std::numeric_limits<double>::infinity()})),
               EOverflow);
  EXPECT_THROW((TValueRange{0, 1}.AnimatedStepTowards({std::numeric_limits<double>::quiet_NaN(), 1})),
               EInvalidOp);
}

TEST(ZoomPenColorTest, ThePanelColourExceptOnWhiteWhereItIsRed) {
  EXPECT_EQ(ZoomPenColor(clBtnFace), clBtnFace);
  EXPECT_EQ(ZoomPenColor(clWhite), clRed);
  EXPECT_EQ(ZoomPenColor(clBlack), clBlack);
}

}  // namespace
}  // namespace corvane
