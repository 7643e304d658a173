// Which buttons a chart counts as held: its own presses until their release or until an event
// shows them up, and buttons Qt reports whose release it lost between windows.
#include "chart/held_buttons.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr Qt::MouseButtons kNone = Qt::NoButton;
constexpr Qt::MouseButtons kLeft = Qt::LeftButton;
constexpr Qt::MouseButtons kRight = Qt::RightButton;
constexpr Qt::MouseButtons kBoth = Qt::LeftButton | Qt::RightButton;

enum class TKind { Press, Release, Move };
struct TStep {
  TKind Kind;
  Qt::MouseButton Button;     // pressed or released; unused for a move
  Qt::MouseButtons Reported;  // what the event says is down
};
struct TCase {
  const char* Name;
  std::vector<TStep> Steps;
  Qt::MouseButtons Own;
  Qt::MouseButtons HeldAtNothing;   // Held() at a wheel reporting no button
  Qt::MouseButtons HeldAtReported;  // Held() at a wheel reporting what the last step reported
};

TEST(HeldButtonsTest, OwnPressesAndLostReleases) {
  const TCase cases[] = {
      {"a press and its release",
       {{TKind::Press, Qt::LeftButton, kLeft}, {TKind::Release, Qt::LeftButton, kNone}},
       kNone,
       kNone,
       kNone},
      {"a press still down",
       {{TKind::Press, Qt::RightButton, kRight}, {TKind::Move, Qt::NoButton, kRight}},
       kRight,
       kNone,
       kRight},
      // The release went to another window; the next move shows the button up.
      {"a release seen only as a move without it",
       {{TKind::Press, Qt::LeftButton, kLeft}, {TKind::Move, Qt::NoButton, kNone}},
       kNone,
       kNone,
       kNone},
      // The press went to a tooltip that closed: Qt reports the right button held ever after.
      {"a button reported on moves the chart never saw pressed",
       {{TKind::Move, Qt::NoButton, kRight}, {TKind::Move, Qt::NoButton, kRight}},
       kNone,
       kNone,
       kNone},
      {"the lost button pressed again is the chart's",
       {{TKind::Move, Qt::NoButton, kRight}, {TKind::Press, Qt::RightButton, kRight}},
       kRight,
       kNone,
       kRight},
      {"and its release ends it",
       {{TKind::Move, Qt::NoButton, kRight},
        {TKind::Press, Qt::RightButton, kRight},
        {TKind::Release, Qt::RightButton, kNone}},
       kNone,
       kNone,
       kNone},
      {"a second button joins",
       {{TKind::Press, Qt::LeftButton, kLeft}, {TKind::Press, Qt::RightButton, kBoth}},
       kBoth,
       kNone,
       kBoth},
      {"a lost right button beside the chart's left",
       {{TKind::Move, Qt::NoButton, kRight}, {TKind::Press, Qt::LeftButton, kBoth}},
       kLeft,
       kNone,
       kLeft},
      // Reported with no move seen: held elsewhere (a press in the memo), so it counts.
      {"nothing seen", {}, kNone, kNone, kNone},
  };
  for (const TCase& c : cases) {
    THeldButtons held;
    Qt::MouseButtons last = kNone;
    for (const TStep& s : c.Steps) {
      if (s.Kind == TKind::Press)
        held.Pressed(s.Button, s.Reported);
      else if (s.Kind == TKind::Release)
        held.Released(s.Button, s.Reported);
      else
        held.Moved(s.Reported);
      last = s.Reported;
    }
    EXPECT_EQ(held.Own(), c.Own) << c.Name;
    EXPECT_EQ(held.Held(kNone), c.HeldAtNothing) << c.Name;
    EXPECT_EQ(held.Held(last), c.HeldAtReported) << c.Name;
  }
}

TEST(HeldButtonsTest, AButtonHeldElsewhereCountsUntilKnownLost) {
  THeldButtons held;
  EXPECT_EQ(held.Held(kLeft), kLeft);
  held.Moved(kLeft);  // a move reaching the chart with it down: its press went to a window now gone
  EXPECT_EQ(held.Held(kLeft), kNone);
  EXPECT_EQ(held.Lost(), kLeft);
  held.Moved(kNone);  // Qt sees it up again
  EXPECT_EQ(held.Lost(), kNone);
  EXPECT_EQ(held.Held(kLeft), kLeft);
  held.Pressed(Qt::LeftButton, kLeft);
  held.Reset();  // the mouse was taken away
  EXPECT_EQ(held.Own(), kNone);
}

}  // namespace
}  // namespace corvane
