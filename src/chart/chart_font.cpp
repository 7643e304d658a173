#include "chart/chart_font.h"

#include "chart/chart_strings.h"

namespace corvane {

TFont DefaultChartFont() {
  TFont font;
  font.Name = chart_text::kDefaultFontName;
  font.SetSize(std::stoi(chart_text::kDefaultFontSize));
  font.Color = clBlack;
  font.Style = 0;
  return font;
}

TChartFont::TChartFont(TChangeNotice on_change, TFont initial)
    : font_(std::move(initial)), on_change_(std::move(on_change)) {}

void TChartFont::SetName(const std::string& name) {
  if (StoreChanged(font_.Name, name))
    Changed();
}

void TChartFont::SetSize(int points) {
  if (StoreChanged(font_.Size, points, [&] { font_.SetSize(points); }))
    Changed();
}

void TChartFont::SetHeight(int pixels) {
  if (StoreChanged(font_.Height, pixels, [&] { font_.SetHeight(pixels); }))
    Changed();
}

void TChartFont::SetColor(TColor color) {
  if (StoreChanged(font_.Color, color))
    Changed();
}

void TChartFont::SetStyle(TFontStyles style) {
  if (StoreChanged(font_.Style, style))
    Changed();
}

void TChartFont::Assign(const TFont& font) {
  if (&font == &font_ || font_ == font)
    return;
  font_ = font;
  Changed();
}

void TChartFont::Changed() const {
  Notify(on_change_);
}

}  // namespace corvane
