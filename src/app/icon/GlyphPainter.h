#pragma once

#include "icon/GlyphGeometry.h"

#include <QIcon>
#include <QImage>

namespace tessarin {

// Draws the glyph into a square tray slot of `slot` logical pixels at `devicePixelRatio`: the
// 22 × 13-point glyph fills the slot's width but one pixel each side and sits in its middle. Light bars
// with a dark outline, so that it reads on light and on dark panels.
QImage renderGlyph(const BarLengths& widths, const BarLengths& radii, int slot, qreal devicePixelRatio);

// The logical pixels per point for a slot: (slot − 2) / 22.
double glyphPixelsPerPoint(int slot);

// An icon that draws the glyph at whatever size and pixel ratio the tray asks for.
QIcon glyphIcon(const BarLengths& widths, const BarLengths& radii);

} // namespace tessarin
