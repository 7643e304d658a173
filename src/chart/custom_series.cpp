#include "chart/custom_series.h"

#include <limits>

namespace corvane {
namespace {

// A marker of half size h needs h + 1 pixels; the largest size saturates instead of wrapping.
int MarginFor(int half_size) {
  return half_size == std::numeric_limits<int>::max() ? half_size : half_size + 1;
}

}  // namespace

TCustomSeries::TCustomSeries()
    : pointer_(*this), line_pen_(SubObjectNotice()), area_lines_pen_(SubObjectNotice()) {}

TMarginPair TCustomSeries::HorizMargins() const {
  if (!pointer_.TakesMargins())
    return {};
  return {MarginFor(pointer_.HorizSize()), MarginFor(pointer_.HorizSize())};
}

TMarginPair TCustomSeries::VertMargins() const {
  if (!pointer_.TakesMargins())
    return {};
  return {MarginFor(pointer_.VertSize()), MarginFor(pointer_.VertSize())};
}

void TCustomSeries::Assign(const TChartSeries& source) {
  TChartSeries::Assign(source);
  const auto* custom = dynamic_cast<const TCustomSeries*>(&source);
  if (custom == nullptr || custom == this)
    return;
  pointer_.Assign(custom->pointer_);
  line_pen_.Assign(custom->line_pen_);
  area_lines_pen_.Assign(custom->area_lines_pen_);
  SetStairs(custom->stairs_);
  SetInvertedStairs(custom->inverted_stairs_);
  SetLineBrush(custom->line_brush_);
  SetDrawsLines(custom->draws_lines_);
  SetLineHitTest(custom->line_hit_test_);
  SetDrawArea(custom->draw_area_);
  SetDrawsBeyondEdge(custom->draws_beyond_edge_);
}

}  // namespace corvane
