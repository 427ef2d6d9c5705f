// The pictures of the two bitmap buttons, drawn here: 18 × 18 pixels, a green check mark for
// OK and an open door for Close, each with a greyed picture for the disabled state.
#pragma once

#include <QIcon>
#include <QPixmap>

inline constexpr int kGlyphSize = 18;

QPixmap CheckMarkGlyph();
QPixmap OpenDoorGlyph();
// The embossed grey look of a disabled glyph: its shape in dark grey over a white shadow.
QPixmap GreyedGlyph(const QPixmap& glyph);
// The glyph for the enabled state and its greyed picture for the disabled one.
QIcon GlyphIcon(const QPixmap& glyph);
