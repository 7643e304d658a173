#include "chart/title_draw.h"

#include <algorithm>
#include <string>
#include <vector>

namespace corvane {
namespace {

// The gap left between a title and the plot area.
constexpr int kTitleGap = 5;

int FrameWidth(const TChartTitle& title) {
  const TChartPen& frame = title.Frame();
  return frame.Visible() && frame.Color() != clAutoColor ? frame.Width() : 0;
}

int WidestLine(TCanvas& canvas, const std::vector<std::string>& lines) {
  int widest = 0;
  for (const std::string& line : lines) widest = std::max(widest, canvas.TextWidth(line));
  return widest;
}

// AdjustFrame: the frame hugs the widest line, on the side the text is aligned to.
TRect AdjustedFrame(TRect r, TAlignment alignment, int widest, int fw) {
  switch (alignment) {
    case taLeftJustify:
      r.Right = r.Left + widest + 2 * fw;
      break;
    case taRightJustify:
      r.Left = r.Right - widest - 2 * fw;
      break;
    case taCenter: {
      const int centre = (r.Left + r.Right) / 2;
      r.Left = centre - widest / 2 - 2 * fw;
      r.Right = centre + widest / 2 + 2 * fw;
      break;
    }
  }
  return r;
}

int LineX(TCanvas& canvas, TAlignment alignment, int left, int right, const std::string& line) {
  switch (alignment) {
    case taLeftJustify:
      return left;
    case taRightJustify:
      return right - canvas.TextWidth(line);
    case taCenter:
      break;
  }
  return (left + right) / 2 - canvas.TextWidth(line) / 2;
}

}  // namespace

TRect DrawTitle(TChartTitle& title, TCanvas& canvas, const TRect& plot, TTitleSide side) {
  const std::vector<std::string>& lines = title.Text();
  const int n = static_cast<int>(lines.size());
  if (n == 0) {
    title.SetTitleRect({});
    return plot;
  }
  canvas.Font = title.Font().Font();
  const int h = canvas.TextHeight("W");
  const int fw = FrameWidth(title);
  const int left = plot.Left + fw;
  const int right = plot.Right - fw;
  const int y0 = plot.Top + fw;
  const int y1 = plot.Bottom - fw;
  TRect box =
      side == TTitleSide::Top ? TRect{left, y0, right, y0 + n * h} : TRect{left, y1 - n * h, right, y1};
  box = {box.Left - fw, box.Top - fw, box.Right + fw, box.Bottom + fw};
  if (fw > 0 && title.AdjustFrame())
    box = AdjustedFrame(box, title.Alignment(), WidestLine(canvas, lines), fw);

  canvas.Brush = title.Brush().Brush();
  if (canvas.Brush.Color == clAutoColor)
    canvas.Brush.Style = bsClear;
  if (fw > 0) {
    canvas.Pen = title.Frame().Pen();
    canvas.Rectangle(box);
  }
  canvas.SetBackgroundMode(bmTransparent);
  for (int k = 0; k < n; ++k) {
    const int y = side == TTitleSide::Top ? y0 + k * h : y1 - (n - k) * h;
    canvas.TextOut(LineX(canvas, title.Alignment(), left, right, lines[k]), y, lines[k]);
  }
  title.SetTitleRect(box);

  const int framed = fw > 0 ? 2 * fw : 0;
  TRect narrowed = plot;
  if (side == TTitleSide::Top)
    narrowed.Top = y0 + n * h + framed + kTitleGap;
  else
    narrowed.Bottom = y1 - n * h - framed - kTitleGap;
  return narrowed;
}

}  // namespace corvane
