// TMemoTextLayout: where the memo's 8-bit characters stand on a line, and the conversions between
// the buffer's bytes and the text the user sees, types, pastes and copies.
//
//   QFont --FromFont--> advances of the 256 byte values --Width / XOf / ColumnAt--> pixels
//   keyboard, clipboard (QString) --BytesFromUserText--> buffer bytes --ShownText--> painter
//
// Each byte is one character with a fixed advance (the font is used without kerning or
// shaping), so a line's geometry is a sum over a table and the view never lays out more than the
// lines in sight. Advances are kept in 1/64 pixel, so sums are exact and cheap.
#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class QFont;

namespace corvane {

// An x in 1/64 pixel: 64 bits, so that even one line as long as the whole capacity cannot overflow.
using TMemoX = std::int64_t;

class TMemoTextLayout {
 public:
  static constexpr int kUnit = 64;  // advances are in 1/64 pixel
  static constexpr int kTabColumns = 8;

  // Every byte one pixel wide: a stand-in until the view gives its font.
  TMemoTextLayout();
  // `advances` in 1/64 pixel; a tab runs to the next multiple of `tab_stop`.
  TMemoTextLayout(const std::array<int, 256>& advances, int tab_stop);
  // The advances of `font` without kerning or shaping, the font the view must draw with.
  static TMemoTextLayout FromFont(const QFont& font);
  static QFont DrawingFont(QFont font);

  int Advance(unsigned char byte) const noexcept { return advances_[byte]; }
  // The width of a line, and the x of the boundary before column `column`.
  TMemoX Width(std::string_view line) const noexcept;
  TMemoX XOf(std::string_view line, std::size_t column) const noexcept;
  // The column boundary nearest to `x` (0 left of the line, its length right of it).
  std::size_t ColumnAt(std::string_view line, TMemoX x) const noexcept;
  // The x after a byte that starts at x (a tab runs to the next tab stop).
  TMemoX Step(TMemoX x, char byte) const noexcept {
    const auto b = static_cast<unsigned char>(byte);
    return b == '\t' ? (x / tab_stop_ + 1) * tab_stop_ : x + advances_[b];
  }

 private:
  std::array<int, 256> advances_{};
  int tab_stop_ = kTabColumns * kUnit;
};

// The character a byte is shown as: Latin-1, with the C0 controls and DEL as their control
// pictures and the C1 controls as U+FFFD, so that no byte is invisible or without width.
QChar ShownChar(unsigned char byte) noexcept;
QString ShownText(std::string_view bytes);

// Text from the user (typed or pasted) in the buffer's terms: every line break (CR LF, CR, LF,
// U+2028, U+2029) becomes CR LF, and each character outside Latin-1 becomes one '?'
// ("a\nb" -> "a\r\nb", "5 €" -> "5 ?", a surrogate pair -> one '?').
std::string BytesFromUserText(const QString& text);
// The bytes for the clipboard: Latin-1, each CR LF one '\n', which the clipboard turns into the
// platform's line break.
QString ClipboardText(std::string_view bytes);

// Letters and digits of Latin-1 and the underscore make words.
bool IsWordByte(unsigned char byte) noexcept;

}  // namespace corvane
