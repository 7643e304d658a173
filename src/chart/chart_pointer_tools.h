// TChartPointerTools: what a chart widget does with the mouse besides the engine's drags.
//
//   hover (Qt's tooltip event, then every move while the read-out shows) --ReadoutHits-->
//     chart.OnGetReadoutText per hit --> a tooltip that follows the pointer; it goes at once when
//     no item is near, when the pointer leaves the chart, or when a press begins a drag
//   right press + release with no move between, no other button held --> the context menu
//     (chart_context_menu.h); after a scroll drag it does not open; a right press on a chart
//     while a chart's menu is open opens that chart's menu at once (the popup keeps the release)
//   wheel over the plot, no button held --TWheelNotches--> TCustomChart::WheelZoom
//
// Every state here ends with the gesture that made it: a release, a cancel (Cancelled: a modal
// box, lost activation, the window hidden, a press of the program), a leave, a second button.
// Which buttons count as held is THeldButtons' to say (held_buttons.h), not Qt's belief alone: a
// release Qt lost between windows holds nothing here. The tooltip lets the mouse through to the
// chart below it, so a press or a wheel right after a read-out reaches the chart.
//
// The widget (chart.h) calls one member per Qt event: a press before the engine has it, every
// other event after.
#pragma once

#include <QPoint>

#include "chart/held_buttons.h"
#include "chart/wheel_zoom.h"

class QMenu;
class QMouseEvent;
class QWheelEvent;

namespace corvane {

class TChart;

class TChartPointerTools {
 public:
  explicit TChartPointerTools(TChart& chart) : chart_(chart) {}
  TChartPointerTools(const TChartPointerTools&) = delete;
  TChartPointerTools& operator=(const TChartPointerTools&) = delete;

  // The mouse has rested at `local`, in the chart's own pixels (TChart::ContentPoint): shows the
  // read-out there, or nothing. Returns whether shown.
  bool ShowReadout(QPoint local);
  bool ReadoutShown() const { return readout_shown_; }
  void HideReadout();

  void Pressed(const QMouseEvent& event);
  void Moved(const QMouseEvent& event);
  void Released(const QMouseEvent& event);
  void Left();
  // The mouse was taken away, or the program pressed: no read-out, no menu from a release that
  // will not come, no notches kept.
  void Cancelled();
  // Returns whether the wheel zoomed (the event is then the chart's).
  bool Wheel(const QWheelEvent& event);

  // Opens the context menu at a screen position (a right click, or one while a menu was open).
  void OpenMenu(QPoint global);
  // Created at the first right click; null before.
  QMenu* Menu() const { return menu_; }
  // A right press that may still become the menu's click.
  bool RightClickPending() const { return right_click_; }
  const THeldButtons& Buttons() const { return buttons_; }

 private:
  TChart& chart_;
  bool readout_shown_ = false;
  // A right press that may still become a click: where it was, and whether it is still one.
  bool right_click_ = false;
  QPoint right_press_;
  THeldButtons buttons_;
  TWheelNotches notches_;
  QMenu* menu_ = nullptr;
};

}  // namespace corvane
