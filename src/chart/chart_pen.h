// TChartPen: a framework pen plus Visible, owned by a chart object and reporting every change to
// it. The kinds below only change the defaults. Pens are not copyable: Assign copies the fields
// into the owner's own pen.
#pragma once

#include "chart/change_notice.h"
#include "framework/graphics.h"

namespace corvane {

class TChartPen {
 public:
  explicit TChartPen(TChangeNotice on_change = {}, TPen initial = {}, bool visible = true);
  TChartPen(const TChartPen&) = delete;
  TChartPen& operator=(const TChartPen&) = delete;
  virtual ~TChartPen() = default;

  const TPen& Pen() const { return pen_; }
  TColor Color() const { return pen_.Color; }
  int Width() const { return pen_.Width; }
  TPenStyle Style() const { return pen_.Style; }
  TPenMode Mode() const { return pen_.Mode; }
  bool Visible() const { return visible_; }

  void SetColor(TColor color);
  void SetWidth(int width);
  void SetStyle(TPenStyle style);
  void SetMode(TPenMode mode);
  void SetVisible(bool visible);
  // Copies pen fields and Visible; one notice when anything differed.
  void Assign(const TChartPen& source);

  void SetOnChange(TChangeNotice on_change) { on_change_ = std::move(on_change); }

 private:
  template <class T>
  void Store(T& field, T value);
  void Changed() const;

  TPen pen_;
  bool visible_;
  TChangeNotice on_change_;
};

// The axis line: width 2.
class TChartAxisPen : public TChartPen {
 public:
  explicit TChartAxisPen(TChangeNotice on_change = {}) : TChartPen(std::move(on_change), TPen{.Width = 2}) {}
};

// Grid lines: grey, dotted.
class TChartGridPen : public TChartPen {
 public:
  explicit TChartGridPen(TChangeNotice on_change = {})
      : TChartPen(std::move(on_change), TPen{.Color = clGray, .Style = psDot}) {}
};

// Major, inner and minor ticks: grey.
class TChartTickPen : public TChartPen {
 public:
  explicit TChartTickPen(TChangeNotice on_change = {})
      : TChartPen(std::move(on_change), TPen{.Color = clGray}) {}
};

// Frames that start hidden (title frames).
class TChartHiddenPen : public TChartPen {
 public:
  explicit TChartHiddenPen(TChangeNotice on_change = {}) : TChartPen(std::move(on_change), TPen{}, false) {}
};

// The arrow of series marks: white.
class TChartArrowPen : public TChartPen {
 public:
  explicit TChartArrowPen(TChangeNotice on_change = {})
      : TChartPen(std::move(on_change), TPen{.Color = clWhite}) {}
};

}  // namespace corvane
