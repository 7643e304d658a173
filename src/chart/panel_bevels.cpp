#include "chart/panel_bevels.h"

namespace corvane {
namespace {

TRect Inset(const TRect& r, int by) {
  return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

// One ring: `light` on the top and left edges, `dark` on the bottom and right ones.
void DrawRing(TCanvas& canvas, const TRect& r, TColor light, TColor dark) {
  if (r.IsEmpty())
    return;
  canvas.Pen.Color = light;
  canvas.MoveTo(r.Left, r.Bottom - 1);
  canvas.LineTo(r.Left, r.Top);
  canvas.LineTo(r.Right - 1, r.Top);
  canvas.Pen.Color = dark;
  canvas.LineTo(r.Right - 1, r.Bottom - 1);
  canvas.LineTo(r.Left - 1, r.Bottom - 1);
}

TRect DrawBevel(TCanvas& canvas, TRect r, TPanelBevel bevel, int width) {
  if (bevel == bvNone)
    return r;
  const bool raised = bevel == bvRaised;
  for (int k = 0; k < width && !r.IsEmpty(); ++k) {
    DrawRing(canvas, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight);
    r = Inset(r, 1);
  }
  return r;
}

}  // namespace

TRect DrawPanelEdges(TCanvas& canvas, const TRect& bounds, const TPanelEdges& edges) {
  canvas.Pen = TPen{};
  canvas.Brush.Style = bsClear;
  TRect r = DrawBevel(canvas, bounds, edges.Outer, edges.BevelWidth);
  for (int k = 0; k < edges.BorderWidth && !r.IsEmpty(); ++k) {
    DrawRing(canvas, r, edges.Color, edges.Color);
    r = Inset(r, 1);
  }
  return DrawBevel(canvas, r, edges.Inner, edges.BevelWidth);
}

}  // namespace corvane
