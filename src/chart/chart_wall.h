// TChartWall: the left or bottom wall of a 3-D chart, filled in its Color and outlined with its
// Pen. Walls are painted only when the chart has View3D and View3DWalls; otherwise their
// settings are kept and have no visible effect.
#pragma once

#include "chart/chart_brush.h"
#include "chart/chart_part.h"
#include "chart/chart_pen.h"

namespace corvane {

class TChartWall : public TChartPart {
 public:
  TChartWall(TCustomChartPanel* chart, TColor color);

  TChartBrush& Brush() { return brush_; }
  const TChartBrush& Brush() const { return brush_; }
  TColor Color() const { return color_; }
  void SetColor(TColor color) { Store(color_, color); }
  TChartPen& Pen() { return pen_; }
  const TChartPen& Pen() const { return pen_; }
  int Size() const { return size_; }
  void SetSize(int size) { Store(size_, size); }

  void Assign(const TChartWall& source);

 private:
  TChartBrush brush_;
  TColor color_;
  TChartPen pen_;
  int size_ = 0;
};

}  // namespace corvane
