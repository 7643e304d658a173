#include "chart/chart_gradient.h"

#include <algorithm>
#include <cmath>

#include "framework/system_colors.h"

namespace corvane {
namespace {

constexpr int kMaxBands = 64;

int Mix(int a, int b, double t) {
  return static_cast<int>(std::lround(a + (b - a) * t));
}

}  // namespace

void TChartGradient::Assign(const TChartGradient& source) {
  if (&source == this)
    return;
  SetDirection(source.direction_);
  SetEndColor(source.end_color_);
  SetStartColor(source.start_color_);
  SetVisible(source.visible_);
}

TColor BlendColor(TColor from, TColor to, double t) {
  const TColor a = ColorFromQColor(ResolveColor(from, FigurePalette()));
  const TColor b = ColorFromQColor(ResolveColor(to, FigurePalette()));
  return ColorFromRgb(Mix(RedOf(a), RedOf(b), t), Mix(GreenOf(a), GreenOf(b), t),
                      Mix(BlueOf(a), BlueOf(b), t));
}

void FillGradient(TCanvas& canvas, const TRect& box, const TChartGradient& gradient) {
  const TGradientDirection direction = gradient.Direction();
  const bool vertical = direction == gdTopBottom || direction == gdBottomTop;
  const bool reversed = direction == gdBottomTop || direction == gdRightLeft;
  const int length = vertical ? box.Height() : box.Width();
  if (length <= 0 || box.IsEmpty())
    return;
  const int bands = std::min(length, kMaxBands);
  canvas.Brush.Style = bsSolid;
  for (int k = 0; k < bands; ++k) {
    const int from = static_cast<int>(static_cast<long long>(length) * k / bands);
    const int to = static_cast<int>(static_cast<long long>(length) * (k + 1) / bands);
    const double t = bands == 1 ? 0.0 : static_cast<double>(k) / (bands - 1);
    canvas.Brush.Color = BlendColor(gradient.StartColor(), gradient.EndColor(), reversed ? 1.0 - t : t);
    if (vertical)
      canvas.FillRect({box.Left, box.Top + from, box.Right, box.Top + to});
    else
      canvas.FillRect({box.Left + from, box.Top, box.Left + to, box.Bottom});
  }
}

}  // namespace corvane
