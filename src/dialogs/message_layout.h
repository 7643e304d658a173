// The arithmetic of the message dialog's layout: from the font's unit sizes, the measured text and
// the number of buttons to every rectangle and the client size, and the centred window position.
// Plain values only; message_dialog.h measures the font and the text and builds the widgets.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

namespace corvane {

// The platform's multiply-then-divide: number * numerator / denominator in 64 bits, rounded to
// nearest with halves away from zero (10 * 5 / 4 = 12.5 -> 13); -1 for a zero denominator.
int MulDiv(int number, int numerator, int denominator) noexcept;

struct TMessageSpacing {
  int horizontal_margin = 0;
  int vertical_margin = 0;
  int horizontal_spacing = 0;
  int vertical_spacing = 0;
  int button_width = 0;
  int button_height = 0;
  int button_gap = 0;
};

// From the unit width u (average letter width) and unit height v: margins 8u/4 and 8v/8,
// spacings 10u/4 and 10v/8, buttons 50u/4 by 14v/8 with gaps of 4u/4.
TMessageSpacing MessageSpacing(int unit_width, int unit_height) noexcept;

struct TMessageLayout {
  TMessageSpacing spacing;
  QRect icon;  // empty without an icon
  QRect text;
  std::vector<QRect> buttons;
  QSize client;
};

inline constexpr int kMessageIconSize = 32;

// `text_size` is the text as drawn, already wrapped; buttons run left to right in table order.
TMessageLayout LayoutMessage(const TMessageSpacing& spacing, QSize text_size, bool with_icon,
                             int button_count);

// Centred with divisions that round toward zero, the window's frame included in `window_size`.
QPoint CenteredOnScreen(const QRect& screen, QSize window_size) noexcept;

}  // namespace corvane
