// Where the process-wide generator stood when each stretch of the window's series began, so that
// corvane-cli simulate prints the series again, reaction by reaction.
//
//   a recorded press: RandomSeed before and after, the parameters, the start inhibition
//        --TSeriesSeeds::Record--> stretches (seed, parameters, count)
//   stretches --ReproductionCommand--> "corvane-cli simulate --params ... --reactions N --seed S",
//        one per stretch, joined by && in a { ...; } group so that the output is the whole series
//
// The generator's whole state is its seed, so the seed before a stretch's first reaction and the
// inhibition that reaction starts from decide the stretch. A stretch ends where the series ends,
// where the model's parameters change, or where the seed moved between two recorded reactions
// (a reaction ended by an error drew but recorded nothing). corvane-cli starts its first reaction
// from y0; a later stretch starts from the inhibition the reaction before it carried, so its
// command names that inhibition as y0. Numbers are written so that corvane-cli's reader (ParseFloat
// with '.' as the mark, then rounded to double) gives back the same double: shortest round trip
// where that holds, 17 significant digits otherwise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "simulation/parameter_set.h"

namespace corvane {

struct TSeedStretch {
  std::uint32_t Seed = 0;       // RandomSeed before the stretch's first reaction
  TParameterSet Parameters;     // y0: the inhibition the stretch's first reaction starts from
  std::size_t Count = 0;        // its reactions
  std::uint32_t SeedAfter = 0;  // RandomSeed after its last reaction
};

class TSeriesSeeds {
 public:
  // One recorded reaction, drawn from `seed_before` to `seed_after` with `parameters`, starting
  // from `start_inhibition` (y0 for the first of a series).
  void Record(std::uint32_t seed_before, std::uint32_t seed_after, const TParameterSet& parameters,
              double start_inhibition, bool first_of_series);
  void Clear() noexcept { stretches_.clear(); }

  const std::vector<TSeedStretch>& Stretches() const noexcept { return stretches_; }
  std::size_t Count() const noexcept;

 private:
  std::vector<TSeedStretch> stretches_;
};

// A number as corvane-cli's --params reads it back to the same double.
std::string CliNumber(double value);

// The command that prints the stretches' reactions in order, one a line; empty for no stretch.
// nullopt when a stretch would start from an inhibition that --params refuses (not above 0).
// `program` is quoted for the shell where it needs it.
std::optional<std::string> ReproductionCommand(std::span<const TSeedStretch> stretches,
                                               std::string_view program = "corvane-cli");

}  // namespace corvane
