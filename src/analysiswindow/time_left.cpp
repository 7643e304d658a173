#include "analysiswindow/time_left.h"

#include <cmath>

namespace corvane {

std::string TimeLeftText(double seconds_so_far, double share_done) {
  if (!(seconds_so_far >= kTimeLeftAfterSeconds) || !(share_done >= kTimeLeftAfterShare) ||
      !(share_done < 1) || !std::isfinite(seconds_so_far))
    return "";
  const double left = seconds_so_far * (1 - share_done) / share_done;
  // Rounded as a person would say it: to 5 s under a minute, to the minute under an hour.
  if (left < 57.5)
    return " (about " + std::to_string(std::max(5L, 5 * std::lround(left / 5))) + " s left)";
  const long minutes = std::max(1L, std::lround(left / 60));
  if (minutes < 60)
    return " (about " + std::to_string(minutes) + " min left)";
  const long hours = minutes / 60, rest = minutes % 60;
  return " (about " + std::to_string(hours) + " h" + (rest ? " " + std::to_string(rest) + " min" : "") +
         " left)";
}

}  // namespace corvane
