#include "memo/memo_text_layout.h"

#include <QFont>
#include <QFontMetricsF>
#include <cmath>

namespace corvane {

TMemoTextLayout::TMemoTextLayout() {
  advances_.fill(kUnit);
}

TMemoTextLayout::TMemoTextLayout(const std::array<int, 256>& advances, int tab_stop)
    : advances_(advances), tab_stop_(tab_stop > 0 ? tab_stop : kUnit) {}

QFont TMemoTextLayout::DrawingFont(QFont font) {
  font.setKerning(false);
  font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
  return font;
}

TMemoTextLayout TMemoTextLayout::FromFont(const QFont& font) {
  const QFontMetricsF metrics(DrawingFont(font));
  std::array<int, 256> advances{};
  for (int byte = 0; byte < 256; ++byte) {
    const QChar shown = ShownChar(static_cast<unsigned char>(byte));
    advances[static_cast<std::size_t>(byte)] =
        static_cast<int>(std::lround(metrics.horizontalAdvance(shown) * kUnit));
  }
  const int tab_stop =
      static_cast<int>(std::lround(metrics.horizontalAdvance(QChar(u' ')) * kUnit)) * kTabColumns;
  return TMemoTextLayout(advances, tab_stop);
}

// Every line the program writes is measured once, so this is the memo's hottest loop: without a
// tab, the sum takes four independent running totals.
TMemoX TMemoTextLayout::Width(std::string_view line) const noexcept {
  if (line.find('\t') != std::string_view::npos)
    return XOf(line, line.size());
  const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
  const std::size_t size = line.size();
  TMemoX sums[4] = {0, 0, 0, 0};
  std::size_t i = 0;
  for (; i + 4 <= size; i += 4) {
    sums[0] += advances_[bytes[i]];
    sums[1] += advances_[bytes[i + 1]];
    sums[2] += advances_[bytes[i + 2]];
    sums[3] += advances_[bytes[i + 3]];
  }
  for (; i < size; ++i) sums[0] += advances_[bytes[i]];
  return sums[0] + sums[1] + sums[2] + sums[3];
}

TMemoX TMemoTextLayout::XOf(std::string_view line, std::size_t column) const noexcept {
  TMemoX x = 0;
  const std::size_t end = std::min(column, line.size());
  for (std::size_t i = 0; i < end; ++i) x = Step(x, line[i]);
  return x;
}

std::size_t TMemoTextLayout::ColumnAt(std::string_view line, TMemoX x) const noexcept {
  TMemoX left = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const TMemoX right = Step(left, line[i]);
    if (x < right)
      return x - left <= right - x ? i : i + 1;
    left = right;
  }
  return line.size();
}

QChar ShownChar(unsigned char byte) noexcept {
  if (byte < 0x20)
    return QChar(static_cast<char16_t>(0x2400 + byte));  // the control pictures block
  if (byte == 0x7F)
    return QChar(static_cast<char16_t>(0x2421));
  if (byte >= 0x80 && byte < 0xA0)
    return QChar(QChar::ReplacementCharacter);
  return QChar::fromLatin1(static_cast<char>(byte));
}

QString ShownText(std::string_view bytes) {
  QString shown(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  QChar* out = shown.data();
  for (const char c : bytes) *out++ = ShownChar(static_cast<unsigned char>(c));
  return shown;
}

std::string BytesFromUserText(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c == u'\r' || c == u'\n' || c == 0x2028 || c == 0x2029) {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
        ++i;
      bytes += "\r\n";
    } else if (c <= 0xFF) {
      bytes += static_cast<char>(c);
    } else {
      if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        ++i;  // one character, one '?'
      bytes += '?';
    }
  }
  return bytes;
}

QString ClipboardText(std::string_view bytes) {
  QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
  char16_t* out = reinterpret_cast<char16_t*>(text.data());
  const char16_t* const begin = out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
      ++i;  // the pair becomes its LF
    *out++ = static_cast<unsigned char>(bytes[i]);
  }
  text.resize(out - begin);
  return text;
}

bool IsWordByte(unsigned char byte) noexcept {
  return byte == '_' || QChar::fromLatin1(static_cast<char>(byte)).isLetterOrNumber();
}

}  // namespace corvane
