#include "framework/qt_canvas_styles.h"

#include <array>

namespace corvane {

QPainter::CompositionMode CompositionFor(TPenMode mode) {
  switch (mode) {
    case pmBlack:
      return QPainter::RasterOp_ClearDestination;
    case pmWhite:
      return QPainter::RasterOp_SetDestination;
    case pmNot:
      return QPainter::RasterOp_NotDestination;
    case pmNotCopy:
      return QPainter::RasterOp_NotSource;
    case pmMergePenNot:
      return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot:
      return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen:
      return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen:
      return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge:
      return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge:
      return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask:
      return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask:
      return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor:
      return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
      return QPainter::RasterOp_NotSourceXorDestination;
    case pmNop:  // never drawn; see PenDraws
    case pmCopy:
      break;
  }
  return QPainter::CompositionMode_SourceOver;
}

std::span<const int> BasePattern(TPenStyle style) {
  static constexpr std::array<int, 2> kDash{6, 2};
  static constexpr std::array<int, 2> kDot{1, 1};
  static constexpr std::array<int, 4> kDashDot{6, 2, 1, 2};
  static constexpr std::array<int, 6> kDashDotDot{6, 2, 1, 2, 1, 2};
  switch (style) {
    case psDash:
      return kDash;
    case psDot:
      return kDot;
    case psDashDot:
      return kDashDot;
    case psDashDotDot:
      return kDashDotDot;
    default:
      return {};
  }
}

Qt::BrushStyle HatchFor(TBrushStyle style) {
  switch (style) {
    case bsHorizontal:
      return Qt::HorPattern;
    case bsVertical:
      return Qt::VerPattern;
    case bsFDiagonal:
      return Qt::FDiagPattern;
    case bsBDiagonal:
      return Qt::BDiagPattern;
    case bsCross:
      return Qt::CrossPattern;
    case bsDiagCross:
      return Qt::DiagCrossPattern;
    default:
      return Qt::SolidPattern;
  }
}

}  // namespace corvane
