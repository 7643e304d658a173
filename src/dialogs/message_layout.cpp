#include "dialogs/message_layout.h"

#include <algorithm>
#include <cstdint>

namespace corvane {

int MulDiv(int number, int numerator, int denominator) noexcept {
  if (denominator == 0)
    return -1;
  const std::int64_t product = std::int64_t{number} * numerator;
  const bool negative = (product < 0) != (denominator < 0);
  const std::int64_t magnitude = product < 0 ? -product : product;
  const std::int64_t divisor = denominator < 0 ? -std::int64_t{denominator} : denominator;
  const std::int64_t rounded = (2 * magnitude + divisor) / (2 * divisor);
  return static_cast<int>(negative ? -rounded : rounded);
}

TMessageSpacing MessageSpacing(int unit_width, int unit_height) noexcept {
  TMessageSpacing s;
  s.horizontal_margin = MulDiv(8, unit_width, 4);
  s.vertical_margin = MulDiv(8, unit_height, 8);
  s.horizontal_spacing = MulDiv(10, unit_width, 4);
  s.vertical_spacing = MulDiv(10, unit_height, 8);
  s.button_width = MulDiv(50, unit_width, 4);
  s.button_height = MulDiv(14, unit_height, 8);
  s.button_gap = MulDiv(4, unit_width, 4);
  return s;
}

// Icon and text side by side form the block; the button row sits under it, centred in the client.
TMessageLayout LayoutMessage(const TMessageSpacing& spacing, QSize text_size, bool with_icon,
                             int button_count) {
  TMessageLayout layout;
  layout.spacing = spacing;
  const int icon_extra = with_icon ? kMessageIconSize + spacing.horizontal_spacing : 0;
  const int block_width = text_size.width() + icon_extra;
  const int block_height = with_icon ? std::max(text_size.height(), kMessageIconSize) : text_size.height();
  const int row_width =
      button_count > 0 ? button_count * spacing.button_width + (button_count - 1) * spacing.button_gap : 0;

  layout.client =
      QSize(std::max(block_width, row_width) + 2 * spacing.horizontal_margin,
            block_height + spacing.button_height + spacing.vertical_spacing + 2 * spacing.vertical_margin);
  if (with_icon) {
    layout.icon =
        QRect(spacing.horizontal_margin, spacing.vertical_margin, kMessageIconSize, kMessageIconSize);
  }
  layout.text = QRect(QPoint(spacing.horizontal_margin + icon_extra, spacing.vertical_margin), text_size);

  int left = (layout.client.width() - row_width) / 2;
  const int top = block_height + spacing.vertical_margin + spacing.vertical_spacing;
  for (int i = 0; i < button_count; ++i) {
    layout.buttons.emplace_back(left, top, spacing.button_width, spacing.button_height);
    left += spacing.button_width + spacing.button_gap;
  }
  return layout;
}

QPoint CenteredOnScreen(const QRect& screen, QSize window_size) noexcept {
  return {screen.left() + screen.width() / 2 - window_size.width() / 2,
          screen.top() + screen.height() / 2 - window_size.height() / 2};
}

}  // namespace corvane
