// The image registry: every picture and frame strip of the game, loaded once
// and addressed by its catalogue identifier, and the few ways the game draws
// images (plainly, with a ground shadow, through a clip window).  Images are
// drawn centred on their position: display set-up makes the centre the handle
// of every image loaded afterwards.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "app/geometry.h"
#include "platform/assets.h"

// One loaded image or frame strip.  A strip registered under N with K frames
// answers to the identifiers N to N + K - 1; identifier N + k is frame k.
struct ImageContainer {
  int firstId = 0;
  int frameCount = 1;
  std::unique_ptr<Image> image;
};

// Image loading flags that select the loader's defaults (masked, filtered).
constexpr int kDefaultImageFlags = -1;

// The ground shadow of DrawWithShadow: the sprite in black, 70 % opaque,
// squashed to 30 % of its height and dropped below the sprite's centre by a
// share of the image height.
constexpr float kShadowAlpha = 0.7f;
constexpr float kShadowSquash = 0.3f;
constexpr float kNearShadowDrop = 0.3f;
constexpr float kFarShadowDrop = 0.38f;

class ImageList {
 public:
  // The opaque box of a frame: `x`, `y` the offset of the box's centre from
  // the frame's centre, `width`, `height` its size.  None for an unknown id.
  static std::optional<Area> OpaqueBounds(int id);
  // The first container (in registration order) whose range holds `id`.
  static ImageContainer* FindImage(int id);
  // 1 when a single image was loaded and registered, 0 when the file cannot
  // be loaded or the identifier is taken.
  static int LoadImage(const std::string& path, int id);
  // The same for a strip of `frames` cells of frameWidth by frameHeight, cut
  // left to right, top to bottom from the first cell.
  static int LoadImageFrames(const std::string& path, int id, int frameWidth, int frameHeight,
                             int frames);
  // A black, squashed shadow below the frame, then the frame in the global
  // tint; leaves the scale at (+-1, 1).
  static void DrawWithShadow(int id, int x, int y, int mirrored, int nearShadow);
  // The frame centred at (x, y) in the current drawing state.
  static void DrawImage(int id, int x, int y);
  // The width by height piece of the frame whose top-left pixel is
  // (srcX, srcY), centred at (x, y); the viewport is the full screen after.
  static void DrawRegion(int id, int srcX, int srcY, int width, int height, int x, int y);

  // Forgets every image (for tests; the game never removes one).
  static void Reset();
};
