// One renderer of the window backend: draws the game's frame with the drawing
// state of each call and shows it in the window.  The OpenGL renderer and the
// SDL-renderer one implement it; the window backend owns the window and hands
// it over.  Every frame is drawn at the game's own size (the logical size) and
// scaled into the window with its aspect ratio kept and black bars.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/assets.h"
#include "platform/draw_state.h"

class FrameRenderer {
 public:
  virtual ~FrameRenderer() = default;

  // The words of the display log line, e.g. "OpenGL" or "software".
  virtual std::string Name() const = 0;
  // Window flags the renderer needs when the window is created (SDL_WINDOW_OPENGL).
  virtual uint32_t WindowFlags() const = 0;
  // Creates the renderer's context and resources for the window; false (with
  // the reason in SDL_GetError or `error`) when it cannot run here.
  virtual bool Open(SDL_Window* window, int logicalWidth, int logicalHeight,
                    std::string* error) = 0;
  // Releases everything made by Open; the window stays.
  virtual void Close() = 0;

  virtual void Clear() = 0;
  virtual void DrawImage(Image& image, float x, float y, int frame, const DrawState& state) = 0;
  virtual void DrawRect(float x, float y, float w, float h, const DrawState& state) = 0;
  virtual void DrawOval(float x, float y, float w, float h, const DrawState& state) = 0;
  virtual void DrawText(const std::string& text, float x, float y, const Font& font,
                        const DrawState& state) = 0;
  // Shows the frame, scaled into the window's current drawable size.
  virtual void Present(bool waitForVerticalBlank) = 0;
  // The last presented frame at the logical size, 0xAARRGGBB row by row.
  virtual bool ReadLastFrame(std::vector<uint32_t>* pixels) = 0;
  // Draw calls issued to the graphics API for the last presented frame.
  virtual int DrawCallsLastFrame() const = 0;
  // False after the device was lost (render targets reset) until reopened.
  virtual bool DeviceUsable() const { return true; }
  // The window backend saw SDL_RENDER_TARGETS_RESET or SDL_RENDER_DEVICE_RESET.
  virtual void OnRenderReset() {}
};
