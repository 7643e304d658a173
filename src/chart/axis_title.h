// TChartAxisTitle: the caption drawn beside an axis, with its font and angle. The angle's
// default depends on the axis (90 on the left axis, 270 on the right one, 0 otherwise); the
// title is stored in a layout only where it differs from that.
#pragma once

#include <string>

#include "chart/chart_font_object.h"

namespace corvane {

// Validates an angle in degrees for the object named in `what` ("Axis Labels", "Axis Title"):
// ChartException "<what> Angle must be between 0 and 359 degrees" below 0 or above 360;
// 360 comes back as 0.
int CheckedAngle(int angle, const char* what);

class TChartAxisTitle : public TChartFontObject {
 public:
  TChartAxisTitle(TCustomChartPanel* chart, int default_angle);

  int Angle() const { return angle_; }
  void SetAngle(int angle);
  int DefaultAngle() const { return default_angle_; }
  bool IsAngleStored() const { return angle_ != default_angle_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { Store(caption_, caption); }

  void Assign(const TChartAxisTitle& source);

 private:
  int default_angle_;
  int angle_;
  std::string caption_;
};

}  // namespace corvane
