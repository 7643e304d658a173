#include "chart/axis_title.h"

#include <string>
#include <string_view>

#include "chart/chart_errors.h"
#include "chart/chart_strings.h"

namespace corvane {

int CheckedAngle(int angle, const char* what) {
  if (angle < 0 || angle > 360) {
    const std::string_view pattern = chart_text::kAngleOutOfRange;
    const std::size_t at = pattern.find("%s");
    std::string message(pattern.substr(0, at));
    message.append(what).append(pattern.substr(at + 2));
    throw ChartException(message);
  }
  return angle == 360 ? 0 : angle;
}

TChartAxisTitle::TChartAxisTitle(TCustomChartPanel* chart, int default_angle)
    : TChartFontObject(chart), default_angle_(default_angle), angle_(default_angle) {}

void TChartAxisTitle::SetAngle(int angle) {
  Store(angle_, CheckedAngle(angle, chart_text::kAxisTitle));
}

void TChartAxisTitle::Assign(const TChartAxisTitle& source) {
  if (&source == this)
    return;
  SetAngle(source.angle_);
  SetCaption(source.caption_);
  Font().Assign(source.Font());
}

}  // namespace corvane
