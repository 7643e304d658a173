// THeldButtons: which mouse buttons a chart counts as held, so that no gesture waits for a release
// that will not come.
//
//   the chart's own press --Pressed--> held until its release (Released), or until an event shows
//   the button up (its release went to another window)
//   a move that reaches the chart reporting a button it never saw pressed --Moved--> that button is
//   lost: Qt sends moves with a button down only to the widget that had its press, so the press
//   went to a window that has gone (a tooltip closing at the press) and Qt will not see its release
//
// A button reported held that is neither the chart's own nor known lost is held elsewhere (a press
// in the memo while the wheel turns over the chart) and counts.
#pragma once

#include <Qt>

namespace corvane {

class THeldButtons {
 public:
  // `reported` is what the event says is down (QMouseEvent::buttons()).
  void Pressed(Qt::MouseButton button, Qt::MouseButtons reported);
  void Released(Qt::MouseButton button, Qt::MouseButtons reported);
  void Moved(Qt::MouseButtons reported);
  // What counts as held at an event (a wheel, a rest) that reports `reported`: what it reports,
  // less the buttons known lost. A button of the chart's own that it no longer reports is up.
  Qt::MouseButtons Held(Qt::MouseButtons reported) const { return reported & ~lost_; }
  // Only the buttons pressed on the chart and not yet released.
  Qt::MouseButtons Own() const { return own_; }
  Qt::MouseButtons Lost() const { return lost_; }
  // The mouse was taken away (a modal box, a popup, the window hidden): nothing is the chart's.
  void Reset() { own_ = {}; }

 private:
  Qt::MouseButtons own_;
  Qt::MouseButtons lost_;
};

}  // namespace corvane
