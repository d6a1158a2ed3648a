// Sprite drawing benchmark: N sprites a frame from one frame strip, each with
// its own colour, alpha, mirroring and scale, drawn
//   (a) by the OpenGL frame renderer (batched),
//   (b) by SDL's own renderer API (batching hint on) in a second window,
//   (c) by the OpenGL frame renderer with one GL draw call per sprite.
// Prints milliseconds per frame (GPU work finished before the clock stops),
// the ratios and the GL draw calls per frame; a row of empty frames shows
// what clearing and presenting cost alone.  Uses SDL's offscreen video
// driver unless SDL_VIDEODRIVER says otherwise.
//
//   draw_bench [frames per round]
#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/gl_renderer.h"
#include "platform/services.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kStripFrames = 8;

struct Sprite {
  float x, y;
  int frame;
  uint8_t r, g, b, alpha;
  float scaleX, scaleY;  // negative scaleX: mirrored
};

// A strip of round sprites with soft edges, a different hue per frame.
Image MakeStrip(int size) {
  Image image;
  image.width = image.height = size;
  image.frames = kStripFrames;
  image.handleX = image.handleY = size / 2.0f;
  image.masked = false;
  image.filtered = true;
  const float c = (size - 1) / 2.0f;
  for (int f = 0; f < kStripFrames; ++f)
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        const float d = std::sqrt((x - c) * (x - c) + (y - c) * (y - c)) / (size / 2.0f);
        const int a = d >= 1 ? 0 : static_cast<int>(255 * (1 - d * d));
        const uint32_t rgb = static_cast<uint32_t>((f * 32) & 255) << 16 |
                             static_cast<uint32_t>(255 - x * 255 / size) << 8 |
                             static_cast<uint32_t>(y * 255 / size);
        image.pixels.push_back(static_cast<uint32_t>(a) << 24 | rgb);
      }
  return image;
}

std::vector<Sprite> MakeSprites(int count, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> px(0, kWidth), py(0, kHeight), scale(0.5f, 2.0f);
  std::uniform_int_distribution<int> frame(0, kStripFrames - 1), channel(0, 255),
      alpha(96, 255), coin(0, 1);
  std::vector<Sprite> sprites(count);
  for (Sprite& s : sprites) {
    s.x = px(rng);
    s.y = py(rng);
    s.frame = frame(rng);
    s.r = static_cast<uint8_t>(channel(rng));
    s.g = static_cast<uint8_t>(channel(rng));
    s.b = static_cast<uint8_t>(channel(rng));
    s.alpha = static_cast<uint8_t>(alpha(rng));
    const float k = scale(rng);
    s.scaleX = coin(rng) ? -k : k;
    s.scaleY = k;
  }
  return sprites;
}

using GlFinishFn = void(APIENTRY*)();

double Seconds() {
  return static_cast<double>(SDL_GetPerformanceCounter()) /
         static_cast<double>(SDL_GetPerformanceFrequency());
}

// One frame through a frame renderer.
void DrawFrame(FrameRenderer& renderer, Image& strip, const std::vector<Sprite>& sprites) {
  renderer.Clear();
  DrawState state;
  state.blend = kBlendAlpha;
  for (const Sprite& s : sprites) {
    state.r = s.r;
    state.g = s.g;
    state.b = s.b;
    state.alpha = s.alpha;
    state.scaleX = s.scaleX;
    state.scaleY = s.scaleY;
    renderer.DrawImage(strip, s.x, s.y, s.frame, state);
  }
  renderer.Present(false);
}

// One frame through SDL's renderer; the strip texture holds the frames stacked
// like the image's pixels.
void DrawFrame(SDL_Renderer* renderer, SDL_Texture* strip, int size,
               const std::vector<Sprite>& sprites) {
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  const float half = size / 2.0f;
  for (const Sprite& s : sprites) {
    const SDL_Rect src{0, s.frame * size, size, size};
    const float w = size * std::fabs(s.scaleX), h = size * s.scaleY;
    const SDL_FRect dst{s.x - half * std::fabs(s.scaleX), s.y - half * s.scaleY, w, h};
    SDL_SetTextureColorMod(strip, s.r, s.g, s.b);
    SDL_SetTextureAlphaMod(strip, s.alpha);
    SDL_RenderCopyExF(renderer, strip, &src, &dst, 0.0, nullptr,
                      s.scaleX < 0 ? SDL_FLIP_HORIZONTAL : SDL_FLIP_NONE);
  }
  SDL_RenderPresent(renderer);
}

}  // namespace

int main(int argc, char** argv) {
  const int framesPerRound = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  const int rounds = 3;  // the fastest round counts: the machine is shared
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "draw_bench: SDL video does not start: %s\n", SDL_GetError());
    return 1;
  }
  SDL_Window* glWindow = SDL_CreateWindow("draw_bench OpenGL", 0, 0, kWidth, kHeight,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  SDL_Window* naiveWindow = SDL_CreateWindow("draw_bench per sprite", 0, 0, kWidth, kHeight,
                                             SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  SDL_Window* sdlWindow = SDL_CreateWindow("draw_bench SDL", 0, 0, kWidth, kHeight,
                                           SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (!glWindow || !naiveWindow || !sdlWindow) {
    std::fprintf(stderr, "draw_bench: no OpenGL window: %s\n", SDL_GetError());
    return 1;
  }
  std::string error;
  auto batched = CreateOpenGLRenderer();
  GlRendererOptions perSprite;
  perSprite.batching = false;
  auto naive = CreateOpenGLRenderer(perSprite);
  if (!batched->Open(glWindow, kWidth, kHeight, &error) ||
      !naive->Open(naiveWindow, kWidth, kHeight, &error)) {
    std::fprintf(stderr, "draw_bench: OpenGL renderer does not open: %s\n", error.c_str());
    return 1;
  }
  SDL_Renderer* sdl = SDL_CreateRenderer(sdlWindow, -1, SDL_RENDERER_ACCELERATED);
  if (!sdl) {
    std::fprintf(stderr, "draw_bench: no accelerated SDL renderer: %s\n", SDL_GetError());
    return 1;
  }
  SDL_RenderSetLogicalSize(sdl, kWidth, kHeight);
  SDL_RendererInfo info;
  SDL_GetRendererInfo(sdl, &info);
  auto glFinishFn = reinterpret_cast<GlFinishFn>(SDL_GL_GetProcAddress("glFinish"));
  const bool sdlUsesGl = std::string(info.name).rfind("opengl", 0) == 0;
  const char* glRendererName = nullptr;
  {  // asked of the renderers' context, current after opening
    auto getString = reinterpret_cast<const GLubyte*(APIENTRY*)(GLenum)>(
        SDL_GL_GetProcAddress("glGetString"));
    if (getString) glRendererName = reinterpret_cast<const char*>(getString(GL_RENDERER));
  }
  std::printf("video driver %s, GL %s, SDL renderer \"%s\", %d frames x %d rounds (best)\n",
              SDL_GetCurrentVideoDriver(), glRendererName ? glRendererName : "?", info.name,
              framesPerRound, rounds);
  std::printf("%6s %6s | %9s %6s | %9s | %9s %6s | %8s %8s\n", "sprite", "count", "batched",
              "calls", "SDL", "per-spr", "calls", "SDL/bat", "per/bat");

  bool ok = true;
  for (int size : {4, 32}) {
    Image stripBatched = MakeStrip(size);
    Image stripNaive = MakeStrip(size);  // each renderer keeps its own texture
    SDL_Texture* texture = SDL_CreateTexture(sdl, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_STATIC, size, size * kStripFrames);
    SDL_UpdateTexture(texture, nullptr, stripBatched.pixels.data(), size * 4);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
    for (int count : {0, 500, 2000, 8000}) {
      const std::vector<Sprite> sprites = MakeSprites(count, 1234u + count + size);
      double best[3] = {1e9, 1e9, 1e9};
      int calls[2] = {0, 0};
      for (int round = 0; round < rounds; ++round) {
        for (int which = 0; which < 3; ++which) {
          auto frame = [&] {
            if (which == 0) DrawFrame(*batched, stripBatched, sprites);
            if (which == 1) DrawFrame(sdl, texture, size, sprites);
            if (which == 2) DrawFrame(*naive, stripNaive, sprites);
            // The context of whatever drew last is current.
            if (glFinishFn && (which != 1 || sdlUsesGl)) glFinishFn();
          };
          frame();  // uploads, warms caches
          const double start = Seconds();
          for (int f = 0; f < framesPerRound; ++f) frame();
          best[which] = std::min(best[which], (Seconds() - start) * 1000.0 / framesPerRound);
        }
        calls[0] = batched->DrawCallsLastFrame();
        calls[1] = naive->DrawCallsLastFrame();
      }
      std::printf("%4dpx %6d | %7.3fms %6d | %7.3fms | %7.3fms %6d | %7.2fx %7.2fx\n", size,
                  count, best[0], calls[0], best[1], best[2], calls[1], best[1] / best[0],
                  best[2] / best[0]);
      std::fflush(stdout);
      if ((count > 0 && calls[0] <= 0) || calls[1] != count) ok = false;
    }
    SDL_DestroyTexture(texture);
  }
  SDL_DestroyRenderer(sdl);
  batched->Close();
  naive->Close();
  SDL_DestroyWindow(sdlWindow);
  SDL_DestroyWindow(naiveWindow);
  SDL_DestroyWindow(glWindow);
  SDL_Quit();
  if (!ok) std::fprintf(stderr, "draw_bench: draw call counts are not what was drawn\n");
  return ok ? 0 : 1;
}
