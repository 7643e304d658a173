// ScriptedDraws: a random source for tests that replays the given draws in order, so a reaction,
// a press or a whole series runs through exactly the periods a test intends. Source() hands out a
// callable (the shape of the simulator's TRandomSource) that shares the script; Consumed() tells
// how many draws were taken. Running past the end fails the test and yields 0.5.
#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

namespace corvane {

class ScriptedDraws {
 public:
  ScriptedDraws(std::initializer_list<long double> draws);
  explicit ScriptedDraws(std::vector<long double> draws);
  std::function<long double()> Source();
  std::size_t Consumed() const { return state_->next; }

 private:
  struct State {
    std::vector<long double> draws;
    std::size_t next = 0;
  };
  std::shared_ptr<State> state_;
};

}  // namespace corvane
