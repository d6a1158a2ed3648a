// The renderer used when OpenGL cannot open: SDL's own 2D renderer in its
// software flavour, so it runs with no GPU and no GL library.  Every drawing
// call goes into a render-target texture of the logical size, which Present
// scales into the window with black bars.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/frame_renderer.h"

std::unique_ptr<FrameRenderer> CreateSoftwareRenderer();

struct SoftTextureCopy;
struct SoftFontAtlas;

class SoftwareRenderer : public FrameRenderer {
 public:
  SoftwareRenderer();
  ~SoftwareRenderer() override;
  SoftwareRenderer(const SoftwareRenderer&) = delete;
  SoftwareRenderer& operator=(const SoftwareRenderer&) = delete;

  std::string Name() const override { return "software"; }
  uint32_t WindowFlags() const override { return 0; }
  bool Open(SDL_Window* window, int logicalWidth, int logicalHeight, std::string* error) override;
  void Close() override;

  void Clear() override;
  void DrawImage(Image& image, float x, float y, int frame, const DrawState& state) override;
  void DrawRect(float x, float y, float w, float h, const DrawState& state) override;
  void DrawOval(float x, float y, float w, float h, const DrawState& state) override;
  void DrawText(const std::string& text, float x, float y, const Font& font,
                const DrawState& state) override;
  void Present(bool waitForVerticalBlank) override;
  bool ReadLastFrame(std::vector<uint32_t>* pixels) override;
  int DrawCallsLastFrame() const override { return drawCallsLastFrame_; }
  bool DeviceUsable() const override { return renderer_ != nullptr && usable_; }

  // The window backend calls this when SDL reports SDL_RENDER_TARGETS_RESET or
  // SDL_RENDER_DEVICE_RESET: the device stays unusable until the next Open.
  void OnRenderReset() { usable_ = false; }

 private:
  // The texture of `image` made by this renderer since the last Open, made
  // (and the pixels uploaded) on first use; null when it cannot be made.
  SoftTextureCopy* TextureOf(Image& image);
  // The copy of the image used in mask mode: alpha thresholded for the
  // drawing alpha `alpha` to fully opaque or fully transparent.
  SDL_Texture* MaskTextureOf(SoftTextureCopy& copy, const Image& image, int alpha);
  // Sets the clip rectangle for the state's viewport; false when the
  // viewport leaves nothing of the frame to draw on.
  bool ApplyViewport(const DrawState& state);
  // Draws the `source` part of the image's texture over the frame area
  // between the edges (left < right, top < bottom), mirrored as `flip` says.
  void CopyRegion(Image& image, const SDL_Rect& source, float left, float top, float right,
                  float bottom, int flip, const DrawState& state);
  // Sets the draw colour and blend mode of untextured shapes; false when the
  // shape draws nothing (mask mode with alpha at or below one half).
  bool PrepareShape(const DrawState& state, SDL_Color* colour);
  SoftFontAtlas& FallbackAtlas(const Font& font);
  void ReleaseTextures();

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* target_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  uint64_t generation_ = 0;
  bool usable_ = false;
  int drawCalls_ = 0;
  int drawCallsLastFrame_ = 0;
  std::vector<uint32_t> lastFrame_;
  bool haveLastFrame_ = false;
  // Every texture copy made since the last Open, so Close can destroy them
  // while the SDL renderer still exists.
  std::unordered_set<SoftTextureCopy*> copies_;
  // Glyph textures for fonts that come without an atlas of their own.
  std::unordered_map<const Font*, std::unique_ptr<SoftFontAtlas>> fallbackAtlases_;
};
