#include "support/scripted_draws.h"

#include <gtest/gtest.h>

#include <utility>

namespace corvane {

ScriptedDraws::ScriptedDraws(std::initializer_list<long double> draws)
    : ScriptedDraws(std::vector<long double>(draws)) {}

ScriptedDraws::ScriptedDraws(std::vector<long double> draws)
    : state_(std::make_shared<State>(State{std::move(draws), 0})) {}

std::function<long double()> ScriptedDraws::Source() {
  return [state = state_]() -> long double {
    if (state->next >= state->draws.size()) {
      ADD_FAILURE() << "the reaction drew more than the " << state->draws.size() << " scripted draws";
      return 0.5L;
    }
    return state->draws[state->next++];
  };
}

}  // namespace corvane
