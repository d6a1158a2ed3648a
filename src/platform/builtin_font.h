// The built-in 8 by 16 pixel text font and font measuring helpers.
#pragma once

#include <string>

#include "platform/assets.h"

// The font used when no font is selected: character codes 32 to 127, each an
// 8 by 16 pixel anti-aliased cell with advance 8, line height 16.  Made once on
// first use; it lives for the whole run.
const Font* BuiltinFont();

// The width in pixels of `text` drawn with `font`: the sum of the advances of
// its characters (bytes as 8-bit codes); characters the font lacks add nothing.
int FontTextWidth(const Font& font, const std::string& text);

// Packs the coverages of the font's present glyphs into `font.atlas` (white
// pixels with alpha = coverage, one frame) and fills atlasX/atlasY.
void BuildFontAtlas(Font& font);
