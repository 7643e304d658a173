// The back image's three modes, recorded: the stretched image goes to the surface whole, tiles
// start at the box's top-left corner, and tiles and a centred image stay inside the box's clip.
#include "chart/back_image.h"

#include <gtest/gtest.h>

#include "framework/recording_canvas.h"

namespace corvane {
namespace {

std::vector<TPoint> DrawnCorners(const TRecordingCanvas& canvas) {
  std::vector<TPoint> corners;
  for (const TCanvasCall& call : canvas.CallsOf(TCanvasOp::Draw)) corners.push_back(call.Points.at(0));
  return corners;
}

TEST(BackImageTest, StretchedImageIsHandedToTheSurfaceWithItsBox) {
  TRecordingCanvas canvas;
  DrawBackImage(canvas, TBitmap(30, 20), {5, 6, 105, 56}, pbmStretch);
  ASSERT_EQ(canvas.Calls().size(), 1u);
  EXPECT_EQ(canvas.Calls()[0].Op, TCanvasOp::StretchDraw);
  EXPECT_EQ(canvas.Calls()[0].Box, (TRect{5, 6, 105, 56}));
}

TEST(BackImageTest, TilesCoverTheBoxFromItsCornerInsideItsClip) {
  TRecordingCanvas canvas;
  DrawBackImage(canvas, TBitmap(30, 20), {5, 6, 70, 30}, pbmTile);
  EXPECT_EQ(DrawnCorners(canvas),
            (std::vector<TPoint>{{5, 6}, {35, 6}, {65, 6}, {5, 26}, {35, 26}, {65, 26}}));
  ASSERT_EQ(canvas.CallsOf(TCanvasOp::ClipRect).size(), 1u);
  EXPECT_EQ(canvas.CallsOf(TCanvasOp::ClipRect)[0].Box, (TRect{5, 6, 70, 30}));
  EXPECT_EQ(canvas.Calls().back().Op, TCanvasOp::RemoveClip);
}

TEST(BackImageTest, CentredImageLargerThanTheBoxIsClipped) {
  TRecordingCanvas canvas;
  DrawBackImage(canvas, TBitmap(30, 20), {10, 10, 20, 40}, pbmCenter);
  EXPECT_EQ(DrawnCorners(canvas), (std::vector<TPoint>{{0, 15}}));
  EXPECT_EQ(canvas.CallsOf(TCanvasOp::ClipRect).at(0).Box, (TRect{10, 10, 20, 40}));
  EXPECT_EQ(canvas.Calls().back().Op, TCanvasOp::RemoveClip);
}

TEST(BackImageTest, NothingForAnEmptyImageOrBox) {
  for (const TBackImageMode mode : {pbmStretch, pbmTile, pbmCenter}) {
    TRecordingCanvas canvas;
    DrawBackImage(canvas, TBitmap(), {0, 0, 50, 50}, mode);
    DrawBackImage(canvas, TBitmap(30, 20), {10, 10, 10, 40}, mode);
    EXPECT_TRUE(canvas.Calls().empty()) << mode;
  }
}

}  // namespace
}  // namespace corvane
