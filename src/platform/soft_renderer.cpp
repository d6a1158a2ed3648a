#include "platform/soft_renderer.h"

#include <algorithm>
#include <cmath>

#include "platform/services.h"

// An image's pixels as textures of one SDL renderer.  Frames are stacked
// vertically in one texture like in the image.  While the renderer that made
// it is open, `registry` points at its list of copies; Close destroys the
// textures and clears it, so a copy that outlives its renderer never calls SDL.
struct SoftTextureCopy : RendererCopy {
  std::unordered_set<SoftTextureCopy*>* registry = nullptr;
  SDL_Texture* texture = nullptr;
  SDL_Texture* mask = nullptr;
  int maskAlpha = -1;  // the drawing alpha the mask texture was thresholded for

  void DestroyTextures() {
    if (texture) SDL_DestroyTexture(texture);
    if (mask) SDL_DestroyTexture(mask);
    texture = nullptr;
    mask = nullptr;
    maskAlpha = -1;
  }
  ~SoftTextureCopy() override {
    if (registry) {
      DestroyTextures();
      registry->erase(this);
    }
  }
};

// Glyph coverages packed into one white image (alpha = coverage), for fonts
// whose atlas was not made when they were loaded.
struct SoftFontAtlas {
  Image image;
  int x[256] = {};
  int y[256] = {};
};

namespace {

// Shared by every renderer object, so a copy made by a renderer that was
// closed (or destroyed, and another one made at the same address) never looks
// current.
uint64_t NextGeneration() {
  static uint64_t counter = 0;
  return ++counter;
}

constexpr double kPi = 3.14159265358979323846;

int ClampByte(int value) { return std::clamp(value, 0, 255); }

// The pixels whose centres lie in [lo, hi): the first one and one past the last.
void PixelSpan(float lo, float hi, int* first, int* end) {
  *first = static_cast<int>(std::ceil(lo - 0.5f));
  *end = static_cast<int>(std::ceil(hi - 0.5f));
}

// Mask mode keeps a pixel when texel alpha times drawing alpha is above one
// half (both as fractions of 255).
bool MaskKeeps(uint32_t texelAlpha, int drawAlpha) {
  return 2u * texelAlpha * static_cast<uint32_t>(drawAlpha) > 255u * 255u;
}

SDL_BlendMode SdlBlendFor(int blend) {
  switch (blend) {
    case kBlendSolid:
      return SDL_BLENDMODE_NONE;
    case kBlendLight:
      return SDL_BLENDMODE_ADD;
    case kBlendShade:
      return SDL_BLENDMODE_MOD;
    case kBlendMask:  // drawn with an alpha of exactly 0 or 255
    case kBlendAlpha:
    default:
      return SDL_BLENDMODE_BLEND;
  }
}

void PackAtlas(const Font& font, SoftFontAtlas* atlas) {
  constexpr int kPadding = 1;
  int total = 0;
  int tallest = 0;
  for (const Glyph& g : font.glyphs) {
    if (!g.present || g.width <= 0 || g.height <= 0) continue;
    total += g.width + kPadding;
    tallest = std::max(tallest, g.height);
  }
  // Rows of at most 1024 pixels; glyphs are small, so a few rows suffice.
  const int rowWidth = std::max(1, std::min(total + kPadding, 1024));
  int x = kPadding, y = kPadding, rowHeight = 0, widest = 1;
  for (int code = 0; code < 256; ++code) {
    const Glyph& g = font.glyphs[code];
    if (!g.present || g.width <= 0 || g.height <= 0) continue;
    if (x + g.width + kPadding > rowWidth && x > kPadding) {
      x = kPadding;
      y += rowHeight + kPadding;
      rowHeight = 0;
    }
    atlas->x[code] = x;
    atlas->y[code] = y;
    x += g.width + kPadding;
    widest = std::max(widest, x);
    rowHeight = std::max(rowHeight, g.height);
  }
  Image& image = atlas->image;
  image.width = widest;
  image.height = y + rowHeight + kPadding;
  image.frames = 1;
  image.masked = false;
  image.filtered = font.smooth;
  image.pixels.assign(static_cast<size_t>(image.width) * image.height, 0x00FFFFFFu);
  for (int code = 0; code < 256; ++code) {
    const Glyph& g = font.glyphs[code];
    if (!g.present || g.width <= 0 || g.height <= 0) continue;
    if (g.coverage.size() < static_cast<size_t>(g.width) * g.height) continue;
    for (int gy = 0; gy < g.height; ++gy) {
      uint32_t* row = image.pixels.data() +
                      static_cast<size_t>(atlas->y[code] + gy) * image.width + atlas->x[code];
      const uint8_t* cover = g.coverage.data() + static_cast<size_t>(gy) * g.width;
      for (int gx = 0; gx < g.width; ++gx) {
        row[gx] = (static_cast<uint32_t>(cover[gx]) << 24) | 0x00FFFFFFu;
      }
    }
  }
}

}  // namespace

std::unique_ptr<FrameRenderer> CreateSoftwareRenderer() {
  return std::make_unique<SoftwareRenderer>();
}

SoftwareRenderer::SoftwareRenderer() = default;

SoftwareRenderer::~SoftwareRenderer() { Close(); }

bool SoftwareRenderer::Open(SDL_Window* window, int logicalWidth, int logicalHeight,
                            std::string* error) {
  Close();
  auto fail = [&](const std::string& what) {
    if (error) *error = what + ": " + SDL_GetError();
    Close();
    return false;
  };
  if (!window || logicalWidth <= 0 || logicalHeight <= 0) {
    SDL_SetError("no window or an empty logical size");
    return fail("software renderer");
  }
  // The window surface under a software renderer would otherwise be made
  // through an accelerated renderer, which is what this renderer stands in for.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
  if (!renderer_) return fail("SDL_CreateRenderer (software)");
  target_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                              logicalWidth, logicalHeight);
  if (!target_) return fail("SDL_CreateTexture (frame target)");
  SDL_SetTextureBlendMode(target_, SDL_BLENDMODE_NONE);
  SDL_SetTextureScaleMode(target_, SDL_ScaleModeLinear);
  if (SDL_SetRenderTarget(renderer_, target_) != 0) return fail("SDL_SetRenderTarget");

  window_ = window;
  width_ = logicalWidth;
  height_ = logicalHeight;
  generation_ = NextGeneration();
  usable_ = true;
  drawCalls_ = 0;
  drawCallsLastFrame_ = 0;
  haveLastFrame_ = false;
  lastFrame_.clear();
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  return true;
}

void SoftwareRenderer::ReleaseTextures() {
  std::unordered_set<SoftTextureCopy*> copies;
  copies.swap(copies_);
  for (SoftTextureCopy* copy : copies) {
    copy->DestroyTextures();
    copy->registry = nullptr;
  }
}

void SoftwareRenderer::Close() {
  ReleaseTextures();
  if (target_) SDL_DestroyTexture(target_);
  target_ = nullptr;
  if (renderer_) SDL_DestroyRenderer(renderer_);
  renderer_ = nullptr;
  window_ = nullptr;
  usable_ = false;
}

SoftTextureCopy* SoftwareRenderer::TextureOf(Image& image) {
  auto* copy = dynamic_cast<SoftTextureCopy*>(image.copy.get());
  if (copy && copy->owner == this && copy->generation == generation_ && copy->texture) {
    return copy;
  }
  // A copy of another renderer, of a closed one, or one that failed: replace.
  image.copy.reset();
  const int frames = std::max(image.frames, 1);
  const size_t needed = static_cast<size_t>(image.width) * image.height * frames;
  if (image.width <= 0 || image.height <= 0 || image.pixels.size() < needed) return nullptr;
  SDL_Texture* texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                           SDL_TEXTUREACCESS_STATIC, image.width,
                                           image.height * frames);
  if (!texture) return nullptr;
  SDL_UpdateTexture(texture, nullptr, image.pixels.data(), image.width * 4);
  SDL_SetTextureScaleMode(texture, image.filtered ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  auto made = std::make_unique<SoftTextureCopy>();
  made->owner = this;
  made->generation = generation_;
  made->texture = texture;
  made->registry = &copies_;
  copies_.insert(made.get());
  copy = made.get();
  image.copy = std::move(made);
  return copy;
}

SDL_Texture* SoftwareRenderer::MaskTextureOf(SoftTextureCopy& copy, const Image& image,
                                             int alpha) {
  if (copy.mask && copy.maskAlpha == alpha) return copy.mask;
  const int frames = std::max(image.frames, 1);
  if (!copy.mask) {
    copy.mask = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                  image.width, image.height * frames);
    if (!copy.mask) return nullptr;
    SDL_SetTextureScaleMode(copy.mask,
                            image.filtered ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  }
  std::vector<uint32_t> pixels(static_cast<size_t>(image.width) * image.height * frames);
  for (size_t i = 0; i < pixels.size(); ++i) {
    const uint32_t p = image.pixels[i];
    pixels[i] = (p & 0x00FFFFFFu) | (MaskKeeps(p >> 24, alpha) ? 0xFF000000u : 0u);
  }
  SDL_UpdateTexture(copy.mask, nullptr, pixels.data(), image.width * 4);
  copy.maskAlpha = alpha;
  return copy.mask;
}

bool SoftwareRenderer::ApplyViewport(const DrawState& state) {
  const int x0 = std::max(state.viewX, 0);
  const int y0 = std::max(state.viewY, 0);
  const int x1 = std::min(state.viewX + std::max(state.viewW, 0), width_);
  const int y1 = std::min(state.viewY + std::max(state.viewH, 0), height_);
  // An empty clip rectangle would switch clipping off in SDL: draw nothing.
  if (x1 <= x0 || y1 <= y0) return false;
  if (x0 == 0 && y0 == 0 && x1 == width_ && y1 == height_) {
    SDL_RenderSetClipRect(renderer_, nullptr);
  } else {
    const SDL_Rect clip{x0, y0, x1 - x0, y1 - y0};
    SDL_RenderSetClipRect(renderer_, &clip);
  }
  return true;
}

void SoftwareRenderer::Clear() {
  if (!renderer_) return;
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  ++drawCalls_;
}

void SoftwareRenderer::CopyRegion(Image& image, const SDL_Rect& source, float left, float top,
                                  float right, float bottom, int flip, const DrawState& state) {
  int x0, x1, y0, y1;
  PixelSpan(left, right, &x0, &x1);
  PixelSpan(top, bottom, &y0, &y1);
  if (x1 <= x0 || y1 <= y0) return;
  if (!ApplyViewport(state)) return;
  SoftTextureCopy* copy = TextureOf(image);
  if (!copy) return;

  SDL_Texture* texture = copy->texture;
  int alpha = state.alpha;
  if (state.blend == kBlendMask) {
    texture = MaskTextureOf(*copy, image, state.alpha);
    if (!texture) return;
    alpha = 255;  // kept pixels replace the frame's pixels
  }
  SDL_SetTextureColorMod(texture, ClampByte(state.r), ClampByte(state.g), ClampByte(state.b));
  SDL_SetTextureAlphaMod(texture, static_cast<uint8_t>(alpha));
  SDL_SetTextureBlendMode(texture, SdlBlendFor(state.blend));

  const SDL_FRect dest{static_cast<float>(x0), static_cast<float>(y0),
                       static_cast<float>(x1 - x0), static_cast<float>(y1 - y0)};
  if (flip == SDL_FLIP_NONE) {
    SDL_RenderCopyF(renderer_, texture, &source, &dest);
  } else {
    SDL_RenderCopyExF(renderer_, texture, &source, &dest, 0.0, nullptr,
                      static_cast<SDL_RendererFlip>(flip));
  }
  ++drawCalls_;
}

void SoftwareRenderer::DrawImage(Image& image, float x, float y, int frame,
                                 const DrawState& state) {
  if (!renderer_ || image.width <= 0 || image.height <= 0) return;
  if (frame < 0 || frame >= std::max(image.frames, 1)) return;
  if (state.scaleX == 0.0f || state.scaleY == 0.0f) return;
  // Image pixel u lands on x + (u - handleX) * scaleX; a negative factor
  // mirrors the picture about the handle point.
  const float ax = x - image.handleX * state.scaleX;
  const float bx = x + (image.width - image.handleX) * state.scaleX;
  const float ay = y - image.handleY * state.scaleY;
  const float by = y + (image.height - image.handleY) * state.scaleY;
  int flip = SDL_FLIP_NONE;
  if (state.scaleX < 0) flip |= SDL_FLIP_HORIZONTAL;
  if (state.scaleY < 0) flip |= SDL_FLIP_VERTICAL;
  const SDL_Rect source{0, frame * image.height, image.width, image.height};
  CopyRegion(image, source, std::min(ax, bx), std::min(ay, by), std::max(ax, bx),
             std::max(ay, by), flip, state);
}

bool SoftwareRenderer::PrepareShape(const DrawState& state, SDL_Color* colour) {
  uint8_t alpha = state.alpha;
  SDL_BlendMode mode = SdlBlendFor(state.blend);
  if (state.blend == kBlendMask) {
    if (!MaskKeeps(255, alpha)) return false;
    alpha = 255;
    mode = SDL_BLENDMODE_NONE;
  }
  if (!ApplyViewport(state)) return false;
  *colour = SDL_Color{static_cast<uint8_t>(ClampByte(state.r)),
                      static_cast<uint8_t>(ClampByte(state.g)),
                      static_cast<uint8_t>(ClampByte(state.b)), alpha};
  SDL_SetRenderDrawBlendMode(renderer_, mode);
  SDL_SetRenderDrawColor(renderer_, colour->r, colour->g, colour->b, colour->a);
  return true;
}

void SoftwareRenderer::DrawRect(float x, float y, float w, float h, const DrawState& state) {
  if (!renderer_) return;
  const float ax = x, bx = x + w * state.scaleX;
  const float ay = y, by = y + h * state.scaleY;
  int x0, x1, y0, y1;
  PixelSpan(std::min(ax, bx), std::max(ax, bx), &x0, &x1);
  PixelSpan(std::min(ay, by), std::max(ay, by), &y0, &y1);
  if (x1 <= x0 || y1 <= y0) return;
  SDL_Color colour;
  if (!PrepareShape(state, &colour)) return;
  const SDL_FRect rect{static_cast<float>(x0), static_cast<float>(y0),
                       static_cast<float>(x1 - x0), static_cast<float>(y1 - y0)};
  SDL_RenderFillRectF(renderer_, &rect);
  ++drawCalls_;
}

void SoftwareRenderer::DrawOval(float x, float y, float w, float h, const DrawState& state) {
  if (!renderer_) return;
  const float ax = x, bx = x + w * state.scaleX;
  const float ay = y, by = y + h * state.scaleY;
  const float rx = std::fabs(bx - ax) * 0.5f;
  const float ry = std::fabs(by - ay) * 0.5f;
  if (rx <= 0.0f || ry <= 0.0f) return;
  SDL_Color colour;
  if (!PrepareShape(state, &colour)) return;
  const float cx = (ax + bx) * 0.5f;
  const float cy = (ay + by) * 0.5f;
  // Enough segments that the chords stay within a small fraction of a pixel
  // of the true outline (the error is about r * pi^2 / (2 n^2)).
  const float radius = std::max(rx, ry);
  const int segments =
      std::clamp(static_cast<int>(std::ceil(4.0 * kPi * std::sqrt(radius))), 24, 1024);
  std::vector<SDL_Vertex> vertices(static_cast<size_t>(segments) + 1);
  vertices[0] = SDL_Vertex{SDL_FPoint{cx, cy}, colour, SDL_FPoint{0, 0}};
  for (int i = 0; i < segments; ++i) {
    const double angle = 2.0 * kPi * i / segments;
    vertices[i + 1] = SDL_Vertex{
        SDL_FPoint{cx + rx * static_cast<float>(std::cos(angle)),
                   cy + ry * static_cast<float>(std::sin(angle))},
        colour, SDL_FPoint{0, 0}};
  }
  std::vector<int> indices;
  indices.reserve(static_cast<size_t>(segments) * 3);
  for (int i = 0; i < segments; ++i) {
    indices.push_back(0);
    indices.push_back(i + 1);
    indices.push_back((i + 1) % segments + 1);
  }
  SDL_RenderGeometry(renderer_, nullptr, vertices.data(), static_cast<int>(vertices.size()),
                     indices.data(), static_cast<int>(indices.size()));
  ++drawCalls_;
}

SoftFontAtlas& SoftwareRenderer::FallbackAtlas(const Font& font) {
  std::unique_ptr<SoftFontAtlas>& atlas = fallbackAtlases_[&font];
  if (!atlas) {
    atlas = std::make_unique<SoftFontAtlas>();
    PackAtlas(font, atlas.get());
  }
  return *atlas;
}

void SoftwareRenderer::DrawText(const std::string& text, float x, float y, const Font& font,
                                const DrawState& state) {
  if (!renderer_ || text.empty()) return;
  Image* atlas = font.atlas.get();
  const int* atlasX = font.atlasX;
  const int* atlasY = font.atlasY;
  if (!atlas || atlas->width <= 0 || atlas->height <= 0) {
    // Kept per font for the renderer object's lifetime (fonts live for the
    // whole run); its texture is remade after each Open like any image's.
    SoftFontAtlas& own = FallbackAtlas(font);
    atlas = &own.image;
    atlasX = own.x;
    atlasY = own.y;
  }
  const float sx = state.scaleX, sy = state.scaleY;
  int flip = SDL_FLIP_NONE;
  if (sx < 0) flip |= SDL_FLIP_HORIZONTAL;
  if (sy < 0) flip |= SDL_FLIP_VERTICAL;
  float pen = x;
  for (unsigned char code : text) {
    const Glyph& g = font.glyphs[code];
    if (!g.present) continue;
    if (g.width > 0 && g.height > 0) {
      const float ax = pen + g.offsetX * sx, bx = ax + g.width * sx;
      const float ay = y + g.offsetY * sy, by = ay + g.height * sy;
      const SDL_Rect source{atlasX[code], atlasY[code], g.width, g.height};
      CopyRegion(*atlas, source, std::min(ax, bx), std::min(ay, by), std::max(ax, bx),
                 std::max(ay, by), flip, state);
    }
    pen += g.advance * sx;
  }
}

void SoftwareRenderer::Present(bool waitForVerticalBlank) {
  if (!renderer_) return;
  // No vertical-blank wait: SDL would only imitate it with a delay here, and
  // the game keeps its own frame timing.
  (void)waitForVerticalBlank;
  // Keep the finished frame for ReadLastFrame; the window shows it opaque.
  lastFrame_.assign(static_cast<size_t>(width_) * height_, 0);
  if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, lastFrame_.data(),
                           width_ * 4) == 0) {
    for (uint32_t& p : lastFrame_) p |= 0xFF000000u;
    haveLastFrame_ = true;
  } else {
    haveLastFrame_ = false;
  }

  SDL_SetRenderTarget(renderer_, nullptr);
  SDL_RenderSetClipRect(renderer_, nullptr);
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  int outW = 0, outH = 0;
  if (SDL_GetRendererOutputSize(renderer_, &outW, &outH) == 0 && outW > 0 && outH > 0) {
    const double scale = std::min(static_cast<double>(outW) / width_,
                                  static_cast<double>(outH) / height_);
    const int w = std::max(1, static_cast<int>(std::lround(width_ * scale)));
    const int h = std::max(1, static_cast<int>(std::lround(height_ * scale)));
    const SDL_Rect dest{(outW - w) / 2, (outH - h) / 2, w, h};
    SDL_RenderCopy(renderer_, target_, nullptr, &dest);
  }
  SDL_RenderPresent(renderer_);
  SDL_SetRenderTarget(renderer_, target_);

  drawCallsLastFrame_ = drawCalls_;
  drawCalls_ = 0;
}

bool SoftwareRenderer::ReadLastFrame(std::vector<uint32_t>* pixels) {
  if (!haveLastFrame_ || !pixels) return false;
  *pixels = lastFrame_;
  return true;
}
