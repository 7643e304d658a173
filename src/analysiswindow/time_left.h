// How long the running work still takes, as the status bar says it beside the work's name: the
// time so far stretched by the share still to do (the bootstrap's replicates and the groups are
// pieces of like size, so the share done is a fair clock).
//
//   seconds so far, share done --TimeLeftText--> " (about 40 s left)", " (about 12 min left)",
//        " (about 1 h 5 min left)"; "" while the work is young (under kTimeLeftAfterSeconds or
//        kTimeLeftAfterShare done: too early to tell, and short work needs no estimate)
#pragma once

#include <string>

namespace corvane {

inline constexpr double kTimeLeftAfterSeconds = 5;
inline constexpr double kTimeLeftAfterShare = 0.02;

std::string TimeLeftText(double seconds_so_far, double share_done);

}  // namespace corvane
