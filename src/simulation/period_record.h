// One logged period of a reaction: the working values at the moment the simulator emits it.
#pragma once

#include <cstdint>

namespace corvane {

struct TPeriodRecord {
  std::int32_t N = 0;   // cycle number, from 1
  std::int32_t K = 0;   // 1 for a work period, 2 for a distraction period
  double YBegin = 0;    // inhibition at the start of the period
  double YEnd = 0;      // inhibition at its end
  double Term = 0;      // work done (K = 1) or duration (K = 2)
  double Subtotal = 0;  // time elapsed in the reaction at the end of the period
  double YValue = 0;    // inhibition of the path point emitted just before this record
  double asom = 0;      // work accumulated in the reaction
};

inline constexpr std::int32_t kWorkPeriod = 1;
inline constexpr std::int32_t kDistractionPeriod = 2;

}  // namespace corvane
