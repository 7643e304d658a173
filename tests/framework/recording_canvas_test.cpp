// The recording surface: what the chart geometry tests rely on.
#include "framework/recording_canvas.h"

#include <gtest/gtest.h>

#include "framework/bitmap.h"

namespace corvane {
namespace {

TEST(RecordingCanvasTest, RecordsCoordinatesWithTheStateInForce) {
  TRecordingCanvas canvas;
  canvas.Pen.Color = clRed;
  canvas.Pen.Width = 2;
  canvas.MoveTo(1, 2);
  canvas.LineTo(3, 4);
  canvas.Pen.Color = clBlue;
  canvas.LineTo(5, 6);
  canvas.SetTextAlign({TTextHorz::Center, TTextVert::Bottom});
  canvas.RotatedTextOut(10, 20, 90, "Reaction time");
  canvas.Draw(7, 8, TBitmap(30, 20));

  const std::vector<TCanvasCall> lines = canvas.CallsOf(TCanvasOp::Line);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Points, (std::vector<TPoint>{{1, 2}, {3, 4}}));
  EXPECT_EQ(lines[0].Pen.Color, clRed);
  EXPECT_EQ(lines[1].Points, (std::vector<TPoint>{{3, 4}, {5, 6}}));
  EXPECT_EQ(lines[1].Pen.Color, clBlue);
  EXPECT_EQ(lines[1].Pen.Width, 2);

  const TCanvasCall* title = canvas.FindText("Reaction time");
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->Op, TCanvasOp::RotatedTextOut);
  EXPECT_EQ(title->Angle, 90);
  EXPECT_EQ(title->Points[0], (TPoint{10, 20}));
  EXPECT_EQ(title->Align, (TTextAlign{TTextHorz::Center, TTextVert::Bottom}));
  EXPECT_EQ(canvas.CallsOf(TCanvasOp::Draw).at(0).Box, (TRect{7, 8, 37, 28}));
}

TEST(RecordingCanvasTest, MeasuresTextWithTheMetricsTheTestSets) {
  TRecordingCanvas canvas;
  canvas.SetTextMetrics(5, 13);
  EXPECT_EQ(canvas.TextWidth("26"), 10);
  EXPECT_EQ(canvas.TextWidth(""), 0);
  EXPECT_EQ(canvas.TextWidth("1,234.5"), 35);
  EXPECT_EQ(canvas.TextWidth("\xC2\xB5s"), 10) << "characters, not bytes";
  EXPECT_EQ(canvas.TextHeight("W"), 13);
  EXPECT_TRUE(canvas.Calls().empty()) << "measuring draws nothing";
}

}  // namespace
}  // namespace corvane
