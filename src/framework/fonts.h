// Turning a TFont into a QFont. Layouts name the fonts of another desktop ("Arial", "MS Sans
// Serif"); each is mapped to an installed face of the same metrics (Liberation Sans is drawn to
// Arial's widths), so text measures as the layouts expect. A negative Height is the em in pixels
// (-11: an 11-pixel em); a positive one is the whole character cell.
#pragma once

#include <QFont>
#include <QStringList>
#include <string_view>

#include "framework/graphics.h"

namespace corvane {

// The families to try for a face name, best first; unknown names are tried as they are.
QStringList FontFamiliesFor(std::string_view name);

QFont ResolveFont(const TFont& font);

}  // namespace corvane
