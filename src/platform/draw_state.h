// The renderer's current drawing state, shared by every drawing call until set
// again.  The service layer clamps values as the game relies on; backends read
// the state they are handed with each call.
#pragma once

#include <cstdint>

struct Font;

struct DrawState {
  int r = 255, g = 255, b = 255;  // 0..255 each
  uint8_t alpha = 255;            // truncate(255 * alpha)
  int blend = 3;                  // BlendMode
  float scaleX = 1.0f, scaleY = 1.0f;
  int viewX = 0, viewY = 0, viewW = 800, viewH = 600;
  const Font* font = nullptr;  // none: the built-in font
};
