// Runs of reactions: one gesture on "Start Reaction Time" asks for one reaction, or for a run of
// ten (Shift) or fifty (Ctrl+Shift).
//
//   click modifiers --ReactionRunLength--> count --RunReactions--> count x press -> TPressOutcome
//
// Every reaction of a run is one whole press, so a run leaves exactly what as many clicks leave.
// Between reactions the window is painted and pending events are processed, but a gate lets no
// input reach the window: Escape, or a click on the start button, only asks the run to stop after
// the reaction in progress. The busy pointer shows for the whole run.
#pragma once

#include <Qt>
#include <functional>

class QWidget;

namespace corvane {

// What one press of the start button did: whether it recorded a reaction, and how many notices
// about the fields it showed.
struct TPressOutcome {
  bool recorded = false;
  int notices = 0;
};
using TPress = std::function<TPressOutcome()>;

inline constexpr int kShortRunLength = 10;
inline constexpr int kLongRunLength = 50;

// The tooltip of the start button: what a plain, a Shift and a Ctrl+Shift click do.
extern const char kStartButtonHint[];

// 50 with Shift and Control held, 10 with Shift alone, 1 otherwise (Alt and Meta play no part).
int ReactionRunLength(Qt::KeyboardModifiers modifiers);

// Presses `count` times as a run; a count of 1 or less is one plain press. During a run no input
// reaches `window` but a request to stop (Escape, or a click on `start_button`). Stops early when
// asked to, and after a press that records no reaction (rejected parameters) or that told the
// user about a field: its messages are shown once. An error of a press ends the run and propagates
// to the caller, the reactions recorded before it kept. Returns the number of reactions recorded.
int RunReactions(QWidget& window, QWidget& start_button, const TPress& press, int count);

}  // namespace corvane
