// The OpenGL frame renderer: batches the immediate-mode drawing calls into as
// few GL draw calls as the state allows.  A frame is drawn straight into the
// window when the window is exactly the game's logical size and the frame
// starts with a clear; otherwise into an offscreen framebuffer of the logical
// size that is scaled into the window with its aspect ratio kept when
// presenting.
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
