#pragma once

#include <QFont>

#include "pages/htmlformat.h"

// The font a FontState stands for. Sizes 1..7 are character heights in
// pixels (11, 13, 16, 19, 24, 32, 48); larger sizes are cell heights
// (character height plus internal leading); 0 and below count as 1.
namespace PageFonts {

QFont FontFor(const FontState& state);

// The font of an editor laid over a page element (typing gaps): cell-height
// sizes (above 7) are mapped to point sizes that fit the element.
QFont EditorFontFor(const FontState& state);

// The character height in pixels of sizes 1..7.
int CharacterHeight(int size);

}  // namespace PageFonts
