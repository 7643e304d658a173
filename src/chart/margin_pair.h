// TMarginPair: the pixels kept free on either side of the points along one axis: Before is the
// left (horizontal axis) or top (vertical axis) side, After the right or bottom. A series asks for
// a pair per direction (HorizMargins, VertMargins); an axis gathers the largest of its series'
// pairs and widens its scale by them (WidenByMargins, axis_scale.h).
#pragma once

namespace corvane {

struct TMarginPair {
  int Before = 0;
  int After = 0;
  bool operator==(const TMarginPair&) const = default;
};

}  // namespace corvane
