// The mouse on a chart: the press with its click events, the moves of a zoom or scroll drag or
// of the hovering mouse, and the release that zooms or undoes.
#include <utility>

#include "chart/custom_chart.h"
#include "framework/cursors.h"

namespace corvane {
namespace {

// Fires a click event with the cancel flag set just before; the press counts as cancelled when
// the handler leaves it set. An unassigned event cancels nothing.
template <class Event, class... Args>
bool FireCancellable(TCustomChartPanel& chart, const Event& event, Args&&... args) {
  if (!event)
    return false;
  chart.SetCancelMouse(true);
  event(std::forward<Args>(args)...);
  return chart.CancelMouse();
}

// The cancel flag is cleared at the end of every press, also when a handler throws: a flag left
// set would swallow the next press.
class TCancelFlagReset {
 public:
  explicit TCancelFlagReset(TCustomChartPanel& chart) : chart_(chart) {}
  TCancelFlagReset(const TCancelFlagReset&) = delete;
  TCancelFlagReset& operator=(const TCancelFlagReset&) = delete;
  ~TCancelFlagReset() { chart_.SetCancelMouse(false); }

 private:
  TCustomChartPanel& chart_;
};

}  // namespace

void TCustomChart::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (zoom_.Active || scroll_.Active)
    return;
  if (CancelMouse()) {
    SetCancelMouse(false);
    return;
  }
  const TCancelFlagReset reset(*this);
  const TChartHit hit = HitTestChart(*this, x, y);
  const TPressOutcome outcome = PressPart(hit, button, shift, x, y);
  // A background press has had its event already; it is not fired twice.
  if (hit.Part != TClickedPart::Background && !outcome.Cancelled && !outcome.DragStarted)
    FireCancellable(*this, OnClickBackground, *this, button, shift, x, y);
}

TCustomChart::TPressOutcome TCustomChart::PressPart(const TChartHit& hit, TMouseButton button,
                                                    TShiftState shift, int x, int y) {
  bool cancelled = false;
  switch (hit.Part) {
    case TClickedPart::Legend:
      return {FireCancellable(*this, OnClickLegend, *this, button, shift, x, y), false};
    case TClickedPart::Axis:
      cancelled = FireCancellable(*this, OnClickAxis, *this, *hit.Axis, button, shift, x, y);
      break;
    case TClickedPart::Series: {
      const bool by_series = hit.Series->Clicked(hit.ValueIndex, button, shift, x, y);
      cancelled =
          FireCancellable(*this, OnClickSeries, *this, *hit.Series, hit.ValueIndex, button, shift, x, y);
      cancelled = cancelled || by_series;
      break;
    }
    case TClickedPart::Background:
      cancelled = FireCancellable(*this, OnClickBackground, *this, button, shift, x, y);
      break;
    case TClickedPart::Title:
    case TClickedPart::Foot:
    case TClickedPart::Nothing:
      return {};
  }
  if (cancelled)
    return {true, false};
  return {false, TryStartDrag(button, x, y)};
}

// Any shift state will do; only the button chooses the drag.
bool TCustomChart::TryStartDrag(TMouseButton button, int x, int y) {
  if (allow_zoom_ && button == mbLeft) {
    SetCursor(crDefault);
    zoom_.Start(x, y);
    RepaintZoomRectangle();
    return true;
  }
  if (allow_panning_ != pmNone && button == mbRight) {
    SetCursor(crDefault);
    scroll_.Start(x, y);
    return true;
  }
  return false;
}

void TCustomChart::MouseMove(TShiftState, int x, int y) {
  if (zoom_.Active)
    MoveZoomDrag(x, y);
  else if (scroll_.Active)
    MoveScrollDrag(x, y);
  else
    UpdateHoverCursor(x, y);
}

// The axes stay as they are until the release; only the rubber band moves.
void TCustomChart::MoveZoomDrag(int x, int y) {
  if (x == zoom_.X1 && y == zoom_.Y1)
    return;
  zoom_.X1 = x;
  zoom_.Y1 = y;
  RepaintZoomRectangle();
}

// Leaving the plot ends the drag for good. The record is put in order before each step, so a
// drag to the left or up scrolls from the far end of the pixels passed: from x = 300 through
// 290, 280, 270 it scrolls by 10, 20 and 20 pixels' worth.
void TCustomChart::MoveScrollDrag(int x, int y) {
  if (!InPlotArea(*this, x, y)) {
    scroll_.Active = false;
    return;
  }
  if (x == scroll_.X1 && y == scroll_.Y1)
    return;
  scroll_.PutInOrder();
  if (!axis_state_saved_)
    SaveAxisStates();
  const bool horizontal = x != scroll_.X1 && (allow_panning_ == pmHorizontal || allow_panning_ == pmBoth);
  const bool vertical = y != scroll_.Y1 && (allow_panning_ == pmVertical || allow_panning_ == pmBoth);
  if (horizontal) {
    ScrollAxis(BottomAxis(), scroll_.X1, x);
    ScrollAxis(TopAxis(), scroll_.X1, x);
  }
  if (vertical) {
    ScrollAxis(LeftAxis(), scroll_.Y1, y);
    ScrollAxis(RightAxis(), scroll_.Y1, y);
  }
  scroll_.X1 = x;
  scroll_.Y1 = y;
  if (horizontal || vertical) {
    if (OnScroll)
      OnScroll(*this);
    Invalidate();
  }
}

void TCustomChart::UpdateHoverCursor(int x, int y) {
  for (TChartSeries* series : SeriesList()) {
    if (series->Active() && series->Cursor() != crDefault && series->PointUnder(x, y) != -1) {
      SetCursor(series->Cursor());
      return;
    }
  }
  SetCursor(OriginalCursor());
}

// A scroll drag ends on any button's release; a zoom drag only on the left button's.
void TCustomChart::MouseUp(TMouseButton button, TShiftState, int x, int y) {
  scroll_.Active = false;
  if (!zoom_.Active || button != mbLeft)
    return;
  zoom_.Active = false;
  RepaintZoomRectangle();
  zoom_.X1 = x;
  zoom_.Y1 = y;
  switch (ZoomReleaseAction(zoom_)) {
    case TZoomRelease::Zoom:
      zoom_.PutInOrder();
      ZoomToBounds(TargetsOf(zoom_));
      Invalidate();
      break;
    case TZoomRelease::Undo:
      UndoZoom();
      break;
    case TZoomRelease::Nothing:
      break;
  }
}

void TCustomChart::MouseLeave() {
  SetCursor(OriginalCursor());
}

void TCustomChart::CancelMouseMode() {
  const bool band_shown = zoom_.Active;
  zoom_.Active = false;
  scroll_.Active = false;
  SetCancelMouse(false);
  if (band_shown)
    RepaintZoomRectangle();
}

}  // namespace corvane
