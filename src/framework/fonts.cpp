#include "framework/fonts.h"

#include <QFontMetricsF>
#include <array>
#include <cmath>

namespace corvane {

namespace {

struct TSubstitute {
  std::string_view name;
  std::array<const char*, 4> families;
};

const QStringList& SansFamilies() {
  static const QStringList families{"Liberation Sans", "Arimo", "Nimbus Sans", "DejaVu Sans"};
  return families;
}

// Case-insensitive comparison of ASCII face names.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i]))
      return false;
  }
  return true;
}

constexpr std::array<TSubstitute, 3> kSubstitutes{{
    {"Times New Roman", {"Liberation Serif", "Tinos", "Nimbus Roman", "DejaVu Serif"}},
    {"Courier New", {"Liberation Mono", "Cousine", "Nimbus Mono PS", "DejaVu Sans Mono"}},
    {"Courier", {"Liberation Mono", "Cousine", "Nimbus Mono PS", "DejaVu Sans Mono"}},
}};

// The em size in pixels for a font of the given Height and Size.
int EmPixels(const TFont& font, const QFont& face) {
  if (font.Height < 0)
    return -font.Height;
  if (font.Height > 0) {
    // The cell is ascent + descent; find the em whose cell is that tall.
    QFont probe = face;
    probe.setPixelSize(100);
    const qreal cell = QFontMetricsF(probe).height();
    return std::max(1, int(std::lround(font.Height * 100 / cell)));
  }
  return std::max(1, (font.Size * 96 + 36) / 72);
}

constexpr int kLayoutFontStretch = 96;

}  // namespace

QStringList FontFamiliesFor(std::string_view name) {
  // "MS Sans Serif" has no metric twin installed; the Arial stand-in is the nearest sans-serif.
  if (SameName(name, "Arial") || SameName(name, "MS Sans Serif") || SameName(name, "Helvetica") ||
      name.empty())
    return SansFamilies();
  for (const TSubstitute& s : kSubstitutes) {
    if (!SameName(name, s.name))
      continue;
    QStringList families;
    for (const char* family : s.families) families << family;
    return families;
  }
  QStringList families{QString::fromUtf8(name.data(), qsizetype(name.size()))};
  families << SansFamilies();
  return families;
}

QFont ResolveFont(const TFont& font) {
  QFont face;
  face.setFamilies(FontFamiliesFor(font.Name));
  face.setStyleHint(font.Pitch == fpFixed ? QFont::Monospace : QFont::SansSerif);
  face.setBold((font.Style & fsBold) != 0);
  face.setItalic((font.Style & fsItalic) != 0);
  face.setUnderline((font.Style & fsUnderline) != 0);
  face.setStrikeOut((font.Style & fsStrikeOut) != 0);
  face.setPixelSize(EmPixels(font, face));
  // The layouts' "MS Sans Serif" captions were measured in a font 3.5 % narrower than the Arial
  // stand-in (the help text under the upper chart fills 549 pixels there and 569 here, and wraps
  // onto a third line); a 96 % stretch gives the captions back the widths the layout was made for.
  if (SameName(font.Name, "MS Sans Serif"))
    face.setStretch(kLayoutFontStretch);
  return face;
}

}  // namespace corvane
