#include "chart/custom_series.h"

namespace corvane {

TCustomSeries::TCustomSeries()
    : pointer_(*this), line_pen_(SubObjectNotice()), area_lines_pen_(SubObjectNotice()) {}

THorizMargins TCustomSeries::HorizMargins() const {
  if (!pointer_.TakesMargins())
    return {};
  return {pointer_.HorizSize() + 1, pointer_.HorizSize() + 1};
}

TVertMargins TCustomSeries::VertMargins() const {
  if (!pointer_.TakesMargins())
    return {};
  return {pointer_.VertSize() + 1, pointer_.VertSize() + 1};
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
