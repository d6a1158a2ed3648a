// The OpenGL frame renderer: draws each frame into an offscreen framebuffer of
// the game's logical size, batching the immediate-mode drawing calls into as
// few GL draw calls as the state allows, and scales the frame into the window
// with its aspect ratio kept when presenting.
#pragma once

#include <memory>

#include "platform/frame_renderer.h"

struct GlRendererOptions {
  // Off: every drawing call is drawn with its own GL draw call.  Only the
  // drawing benchmark turns it off, to compare with batching.
  bool batching = true;
};

std::unique_ptr<FrameRenderer> CreateOpenGLRenderer();
std::unique_ptr<FrameRenderer> CreateOpenGLRenderer(const GlRendererOptions& options);
