#pragma once
// The toolbar's glyph strip "SMALL": 13 cells of 16 × 16 pixels side by side (208 × 16), cell n
// at x = 16 × n, in the order of the button kinds. Painted once on first use, so the program
// carries no image files for it.
#include <QImage>
#include <QString>

namespace formidor {

// The strip by resource name; a null image for an unknown name.
const QImage& LoadGlyphStrip(const QString& name);
// One 16 × 16 cell of a strip (a null image outside it).
QImage GlyphCell(const QImage& strip, int index);

} // namespace formidor
