// The window's font and the scale of its layout. The design font is an 8-point sans serif
// whose text height is 13 pixels; every position and size of the window scales by the actual
// text height over 13.
#pragma once

#include <QFont>

inline constexpr int kDesignTextHeight = 13;

// A sans serif with Cyrillic, 11 pixels high (8 points at 96 dpi), narrow enough that every
// parameter label stays clear of its field.
QFont WindowFont();

// Actual text height of the font over the design's 13 pixels.
double DesignScale(const QFont& font);
