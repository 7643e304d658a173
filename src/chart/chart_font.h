// TChartFont: the font owned by a chart object, reporting its changes like TChartPen.
// DefaultChartFont: "Arial" of size 8, black, no style (from the engine's string table).
#pragma once

#include <string>

#include "chart/change_notice.h"
#include "framework/graphics.h"

namespace corvane {

TFont DefaultChartFont();

class TChartFont {
 public:
  explicit TChartFont(TChangeNotice on_change = {}, TFont initial = DefaultChartFont());
  TChartFont(const TChartFont&) = delete;
  TChartFont& operator=(const TChartFont&) = delete;

  const TFont& Font() const { return font_; }
  const std::string& Name() const { return font_.Name; }
  int Size() const { return font_.Size; }
  int Height() const { return font_.Height; }
  TColor Color() const { return font_.Color; }
  TFontStyles Style() const { return font_.Style; }

  void SetName(const std::string& name);
  void SetSize(int points);
  void SetHeight(int pixels);
  void SetColor(TColor color);
  void SetStyle(TFontStyles style);
  // Copies every field; one notice when anything differed.
  void Assign(const TFont& font);
  void Assign(const TChartFont& source) { Assign(source.font_); }

  void SetOnChange(TChangeNotice on_change) { on_change_ = std::move(on_change); }

 private:
  void Changed() const;

  TFont font_;
  TChangeNotice on_change_;
};

}  // namespace corvane
