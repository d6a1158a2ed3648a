// The font registry: every font of the game, loaded once at its pixel size and
// addressed by its catalogue identifier.
#pragma once

#include <memory>
#include <string>

#include "platform/assets.h"

struct FontContainer {
  int fontId = 0;
  std::unique_ptr<Font> font;
};

// Font loading flag for smoothed, anti-aliased glyphs.
constexpr int kSmoothFontFlag = 4;

class FontList {
 public:
  static FontContainer* FindFont(int id);
  // 1 when the font file was loaded at `size` pixels and registered, 0 when it
  // cannot be loaded or the identifier is taken.
  static int LoadFont(const std::string& path, int id, int size);
  // Makes the font current for drawing and measuring text; an unknown
  // identifier leaves the current font as it is.
  static void UseFont(int id);

  // Forgets every font (for tests); a forgotten font in use is replaced by
  // the built-in one.
  static void Reset();
};
