#include "chart/custom_chart.h"

#include <utility>

#include "chart/plot_rect.h"

namespace corvane {

TCustomChart::TCustomChart(TBitmapCanvasMaker make_canvas)
    : frame_([this] { Invalidate(); }),
      title_(this),
      foot_(this),
      left_wall_(this, clLightYellow),
      bottom_wall_(this, clWhite),
      gradient_(this),
      legend_(this),
      make_canvas_(std::move(make_canvas)) {}

// The parts below die before the axis panel frees the series; nothing may ask for a repaint.
TCustomChart::~TCustomChart() {
  BeginDestroying();
}

void TCustomChart::SetBackImage(const TBitmap& image) {
  if (image.Image() == back_image_.Image())
    return;
  back_image_ = image;
  Invalidate();
}

void TCustomChart::LayOutPanel(const TRect& bounds) {
  SetPanelBounds(bounds);
  SetPlotRect(
      MarginPlotRect(bounds, {MarginLeft(), MarginTop(), MarginRight(), MarginBottom()}, border_width_));
  NormalizePlotRect();
}

void TCustomChart::Draw(TCanvas& canvas, const TRect& rect, double device_pixel_ratio) {
  if (!buffered_display_) {
    ClearStale();
    try {
      LayOutPanel(rect);
      PaintChart(canvas);
    } catch (...) {
      MarkStale();
      throw;
    }
    return;
  }
  RenderCachedImage(rect.Width(), rect.Height(), device_pixel_ratio);
  canvas.Draw(rect.Left, rect.Top, cache_);
  DrawZoomRectangle(canvas);
}

void TCustomChart::PaintOnto(TCanvas& canvas, int width, int height) {
  struct TRestore {
    TCustomChart& chart;
    ~TRestore() {
      chart.painting_cache_ = false;
      chart.Invalidate();
    }
  } restore{*this};
  LayOutPanel({0, 0, width, height});
  painting_cache_ = true;
  PaintChart(canvas);
}

const TBitmap& TCustomChart::UpdateCachedImage(int width, int height, double device_pixel_ratio) {
  if (IsStale() || cache_.Width() != width || cache_.Height() != height ||
      cache_.DevicePixelRatio() != device_pixel_ratio)
    RenderCachedImage(width, height, device_pixel_ratio);
  return cache_;
}

// The stale flag is cleared before the paint, so that a change made while it runs (by an
// event handler) leaves the chart stale for the next paint, and set again when the paint throws,
// so that the next one tries again.
void TCustomChart::RenderCachedImage(int width, int height, double device_pixel_ratio) {
  ClearStale();
  try {
    cache_.SetSize(width, height, device_pixel_ratio);
    LayOutPanel({0, 0, width, height});
    {
      const std::unique_ptr<TCanvas> canvas = make_canvas_(cache_);
      painting_cache_ = true;
      PaintChart(*canvas);
      painting_cache_ = false;
    }
    if (monochrome_)
      MakeMonochrome();
  } catch (...) {
    painting_cache_ = false;
    MarkStale();
    throw;
  }
}

void TCustomChart::MakeMonochrome() {
  QImage& image = cache_.Image();
  const qreal ratio = image.devicePixelRatio();
  image =
      image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither).convertToFormat(QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
}

}  // namespace corvane
