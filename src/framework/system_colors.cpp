#include "framework/system_colors.h"

#include <QGuiApplication>
#include <QStyle>
#include <QStyleFactory>
#include <array>
#include <memory>

namespace corvane {

namespace {

struct TPaletteEntry {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

// Index of the system colour -> where the palette keeps its counterpart.
constexpr std::array<TPaletteEntry, 25> kSystemColors{{
    {QPalette::Active, QPalette::Button},           // clScrollBar
    {QPalette::Active, QPalette::Dark},             // clBackground (the desktop)
    {QPalette::Active, QPalette::Highlight},        // clActiveCaption
    {QPalette::Inactive, QPalette::Mid},            // clInactiveCaption
    {QPalette::Active, QPalette::Window},           // clMenu
    {QPalette::Active, QPalette::Base},             // clWindow
    {QPalette::Active, QPalette::WindowText},       // clWindowFrame
    {QPalette::Active, QPalette::WindowText},       // clMenuText
    {QPalette::Active, QPalette::Text},             // clWindowText
    {QPalette::Active, QPalette::HighlightedText},  // clCaptionText
    {QPalette::Active, QPalette::Window},           // clActiveBorder
    {QPalette::Inactive, QPalette::Window},         // clInactiveBorder
    {QPalette::Active, QPalette::Dark},             // clAppWorkSpace
    {QPalette::Active, QPalette::Highlight},        // clHighlight
    {QPalette::Active, QPalette::HighlightedText},  // clHighlightText
    {QPalette::Active, QPalette::Button},           // clBtnFace
    {QPalette::Active, QPalette::Dark},             // clBtnShadow
    {QPalette::Disabled, QPalette::Text},           // clGrayText
    {QPalette::Active, QPalette::ButtonText},       // clBtnText
    {QPalette::Disabled, QPalette::WindowText},     // clInactiveCaptionText
    {QPalette::Active, QPalette::Light},            // clBtnHighlight
    {QPalette::Active, QPalette::Shadow},           // cl3DDkShadow
    {QPalette::Active, QPalette::Midlight},         // cl3DLight
    {QPalette::Active, QPalette::ToolTipText},      // clInfoText
    {QPalette::Active, QPalette::ToolTipBase},      // clInfoBk
}};

}  // namespace

QColor ResolveColor(TColor color, const QPalette& palette) {
  if (!IsSystemColor(color))
    return QColor(RedOf(color), GreenOf(color), BlueOf(color));
  const unsigned index = unsigned(color) & 0xFFu;
  // An index the desktop does not know is drawn black rather than refused: colours come from
  // stored layouts, and a paint must not fail on one.
  if (index >= kSystemColors.size())
    return QColor(Qt::black);
  const TPaletteEntry entry = kSystemColors[index];
  return palette.color(entry.group, entry.role);
}

QColor ResolveColor(TColor color) {
  if (!IsSystemColor(color))
    return ResolveColor(color, QPalette());
  return ResolveColor(color, QGuiApplication::palette());
}

const QPalette& FigurePalette() {
  static const QPalette palette = [] {
    const std::unique_ptr<QStyle> style(QStyleFactory::create(QStringLiteral("Fusion")));
    return style ? style->standardPalette() : QPalette(QColor(0xEF, 0xEF, 0xEF));
  }();
  return palette;
}

TColor ColorFromQColor(const QColor& color) {
  return ColorFromRgb(color.red(), color.green(), color.blue());
}

}  // namespace corvane
