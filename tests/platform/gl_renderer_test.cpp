// Pixel tests of the OpenGL frame renderer: draw into a real GL context (SDL's
// offscreen video driver when there is no display), present, read the frame
// back and look at single pixels.
#include "platform/gl_renderer.h"
#include "support/pin_libraries.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/services.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

struct Rgb {
  int r, g, b;
};

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255},
    kBlack{0, 0, 0};

uint32_t Argb(int a, Rgb c) {
  return static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(c.r) << 16 |
         static_cast<uint32_t>(c.g) << 8 | static_cast<uint32_t>(c.b);
}

// One frame of solid colour per entry of `frames`, each w x h.
Image SolidFrames(int w, int h, const std::vector<uint32_t>& frames) {
  Image image;
  image.width = w;
  image.height = h;
  image.frames = static_cast<int>(frames.size());
  for (uint32_t colour : frames) image.pixels.insert(image.pixels.end(), w * h, colour);
  return image;
}

// 4x4: red top-left, green top-right, blue bottom-left, white bottom-right
// quarters, handle in the middle.
Image Quarters() {
  Image image;
  image.width = image.height = 4;
  image.handleX = image.handleY = 2;
  image.filtered = false;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      image.pixels.push_back(Argb(255, y < 2 ? (x < 2 ? kRed : kGreen) : (x < 2 ? kBlue : kWhite)));
  return image;
}

DrawState StateWith(int blend, Rgb colour = kWhite, int alpha = 255) {
  DrawState s;
  s.blend = blend;
  s.r = colour.r;
  s.g = colour.g;
  s.b = colour.b;
  s.alpha = static_cast<uint8_t>(alpha);
  return s;
}

class GlRendererTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
      setenv("SDL_VIDEODRIVER", "offscreen", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      skipReason_ = std::string("SDL video does not start: ") + SDL_GetError();
      return;
    }
    window_ = SDL_CreateWindow("gl renderer test", 0, 0, kWidth, kHeight,
                               SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!window_) {
      skipReason_ = std::string("SDL cannot make an OpenGL window: ") + SDL_GetError();
      return;
    }
    // Tell "no OpenGL on this machine" (skip) from "the renderer fails" (fail).
    SDL_GLContext probe = SDL_GL_CreateContext(window_);
    if (!probe) {
      skipReason_ = std::string("SDL cannot make an OpenGL context: ") + SDL_GetError();
      SDL_DestroyWindow(window_);
      window_ = nullptr;
      return;
    }
    PinLoadedLibraries();
    SDL_GL_DeleteContext(probe);
  }
  static void TearDownTestSuite() {
    if (window_) SDL_DestroyWindow(window_);
    window_ = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  void SetUp() override {
    if (!window_) GTEST_SKIP() << skipReason_;
    renderer_ = CreateOpenGLRenderer();
    std::string error;
    ASSERT_TRUE(renderer_->Open(window_, kWidth, kHeight, &error)) << error;
  }
  void TearDown() override {
    if (renderer_) renderer_->Close();
  }

  // Starts a frame filled with one colour.
  void Background(Rgb colour) {
    renderer_->Clear();
    renderer_->DrawRect(0, 0, kWidth, kHeight, StateWith(kBlendSolid, colour));
  }
  // Presents and reads the frame back.
  void Show() {
    renderer_->Present(false);
    ASSERT_TRUE(renderer_->ReadLastFrame(&frame_));
    ASSERT_EQ(frame_.size(), static_cast<size_t>(kWidth * kHeight));
  }
  ::testing::AssertionResult PixelIs(int x, int y, Rgb want, int tolerance = 0) const {
    const uint32_t p = frame_[static_cast<size_t>(y) * kWidth + x];
    const int r = p >> 16 & 255, g = p >> 8 & 255, b = p & 255;
    if ((p >> 24) == 255 && std::abs(r - want.r) <= tolerance &&
        std::abs(g - want.g) <= tolerance && std::abs(b - want.b) <= tolerance)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "pixel (" << x << "," << y << ") is " << r << "," << g << "," << b << " alpha "
           << (p >> 24) << ", wanted " << want.r << "," << want.g << "," << want.b;
  }

  static SDL_Window* window_;
  static std::string skipReason_;
  std::unique_ptr<FrameRenderer> renderer_;
  std::vector<uint32_t> frame_;
};

SDL_Window* GlRendererTest::window_ = nullptr;
std::string GlRendererTest::skipReason_;

struct PixelCheck {
  int x, y;
  Rgb colour;
};

TEST_F(GlRendererTest, NameWindowFlagsAndRefusals) {
  EXPECT_EQ(renderer_->Name(), "OpenGL");
  EXPECT_EQ(renderer_->WindowFlags(), static_cast<uint32_t>(SDL_WINDOW_OPENGL));
  auto other = CreateOpenGLRenderer();
  std::string error;
  EXPECT_FALSE(other->Open(nullptr, kWidth, kHeight, &error));
  EXPECT_FALSE(error.empty());
  std::vector<uint32_t> pixels;
  EXPECT_FALSE(other->ReadLastFrame(&pixels)) << "not open";
  EXPECT_FALSE(renderer_->ReadLastFrame(&pixels)) << "nothing presented yet";
}

TEST_F(GlRendererTest, ClearIsBlackWithOpaqueAlpha) {
  Background(kWhite);
  renderer_->Clear();
  Show();
  EXPECT_TRUE(PixelIs(0, 0, kBlack));
  EXPECT_TRUE(PixelIs(799, 599, kBlack));
}

TEST_F(GlRendererTest, BlendModesOverKnownBackground) {
  // Background (100,150,200); an opaque (200,100,50) image at drawing alpha
  // 128, i.e. a = 128/255.
  struct Case {
    int blend;
    Rgb expected;
  } cases[] = {
      {kBlendMask, {200, 100, 50}},    // alpha 0.502 > 0.5: drawn, not blended
      {kBlendSolid, {200, 100, 50}},   // replaces
      {kBlendAlpha, {150, 125, 125}},  // src*a + dst*(1-a)
      {kBlendLight, {200, 200, 225}},  // src*a + dst
      {kBlendShade, {78, 59, 39}},     // src*dst
  };
  Image image = SolidFrames(4, 4, {Argb(255, {200, 100, 50})});
  for (const Case& c : cases) {
    SCOPED_TRACE("blend " + std::to_string(c.blend));
    Background({100, 150, 200});
    renderer_->DrawImage(image, 10, 10, 0, StateWith(c.blend, kWhite, 128));
    Show();
    EXPECT_TRUE(PixelIs(11, 11, c.expected, 2));
    EXPECT_TRUE(PixelIs(13, 13, c.expected, 2));
    EXPECT_TRUE(PixelIs(14, 11, {100, 150, 200}));
    EXPECT_TRUE(PixelIs(9, 9, {100, 150, 200}));
  }
}

TEST_F(GlRendererTest, LightModeSaturates) {
  Background({200, 200, 200});
  renderer_->DrawRect(0, 0, 10, 10, StateWith(kBlendLight, {200, 100, 0}));
  Show();
  EXPECT_TRUE(PixelIs(5, 5, {255, 255, 200}, 1));
}

TEST_F(GlRendererTest, ColourAndAlphaApplyToEveryKindOfDrawing) {
  Image white = SolidFrames(8, 8, {Argb(255, kWhite)});
  Image grey = SolidFrames(8, 8, {Argb(255, {128, 128, 128})});
  Font font;
  font.glyphs['W'].present = true;
  font.glyphs['W'].width = font.glyphs['W'].height = 8;
  font.glyphs['W'].coverage.assign(64, 255);
  struct Case {
    const char* what;
    std::function<void(const DrawState&)> draw;
    Rgb colour;
    int alpha;
    Rgb expected;  // over a blue background, alpha blending
  } cases[] = {
      {"image, white leaves it", [&](const DrawState& s) { renderer_->DrawImage(grey, 20, 20, 0, s); },
       kWhite, 255, {128, 128, 128}},
      {"image tinted", [&](const DrawState& s) { renderer_->DrawImage(white, 20, 20, 0, s); },
       {255, 128, 0}, 255, {255, 128, 0}},
      {"image tinted and half seen", [&](const DrawState& s) { renderer_->DrawImage(grey, 20, 20, 0, s); },
       {255, 0, 255}, 64, {32, 0, 223}},
      {"rectangle", [&](const DrawState& s) { renderer_->DrawRect(20, 20, 8, 8, s); },
       {10, 20, 30}, 255, {10, 20, 30}},
      {"rectangle, quarter seen", [&](const DrawState& s) { renderer_->DrawRect(20, 20, 8, 8, s); },
       {200, 100, 0}, 64, {50, 25, 191}},
      {"oval", [&](const DrawState& s) { renderer_->DrawOval(16, 16, 16, 16, s); },
       {0, 200, 0}, 255, {0, 200, 0}},
      {"text", [&](const DrawState& s) { renderer_->DrawText("W", 20, 20, font, s); },
       {255, 255, 0}, 128, {128, 128, 127}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Background(kBlue);
    c.draw(StateWith(kBlendAlpha, c.colour, c.alpha));
    Show();
    EXPECT_TRUE(PixelIs(23, 23, c.expected, 2));
    EXPECT_TRUE(PixelIs(30, 30, kBlue));
  }
}

TEST_F(GlRendererTest, MaskModeLeavesOutTexelsAtOrBelowHalfAlpha) {
  // Texel alphas 255, 128, 127, 0 in four columns, each drawn 4 pixels wide.
  Image image;
  image.width = 4;
  image.height = 1;
  image.filtered = false;
  for (int a : {255, 128, 127, 0}) image.pixels.push_back(Argb(a, kRed));
  struct Case {
    int drawAlpha;
    Rgb columns[4];
  } cases[] = {
      {255, {kRed, kRed, kGreen, kGreen}},  // 128 is drawn fully, not blended
      {127, {kGreen, kGreen, kGreen, kGreen}},  // 1.0 * 127/255 is below the half
      {128, {kRed, kGreen, kGreen, kGreen}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("drawing alpha " + std::to_string(c.drawAlpha));
    Background(kGreen);
    DrawState s = StateWith(kBlendMask, kWhite, c.drawAlpha);
    s.scaleX = s.scaleY = 4;
    renderer_->DrawImage(image, 100, 100, 0, s);
    Show();
    for (int col = 0; col < 4; ++col) {
      EXPECT_TRUE(PixelIs(100 + col * 4, 100, c.columns[col]));
      EXPECT_TRUE(PixelIs(103 + col * 4, 103, c.columns[col]));
    }
  }
}

TEST_F(GlRendererTest, TransparentBlackOfAPictureWithoutAlpha) {
  // What the loader makes of a picture without alpha: black became alpha 0.
  Image image;
  image.width = 3;
  image.height = 1;
  image.masked = true;
  image.filtered = false;
  image.pixels = {0x00000000u, Argb(255, kRed), 0x00000000u};
  struct Case {
    int blend;
    Rgb transparent;
  } cases[] = {
      {kBlendAlpha, kBlue},
      {kBlendMask, kBlue},
      {kBlendSolid, kBlack},  // no blending: even alpha-0 pixels replace
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("blend " + std::to_string(c.blend));
    Background(kBlue);
    renderer_->DrawImage(image, 50, 50, 0, StateWith(c.blend));
    Show();
    EXPECT_TRUE(PixelIs(50, 50, c.transparent));
    EXPECT_TRUE(PixelIs(51, 50, kRed));
    EXPECT_TRUE(PixelIs(52, 50, c.transparent));
  }
}

TEST_F(GlRendererTest, HandleAndScaleAndMirroring) {
  Image image = Quarters();
  const Rgb bg{40, 40, 40};
  struct Case {
    const char* what;
    float sx, sy, handleX, handleY;
    std::vector<PixelCheck> checks;
  } cases[] = {
      {"handle in the middle", 1, 1, 2, 2,
       {{98, 98, kRed}, {101, 98, kGreen}, {98, 101, kBlue}, {101, 101, kWhite},
        {97, 98, bg}, {102, 98, bg}, {98, 97, bg}, {98, 102, bg}}},
      {"mirrored left-right in the same place", -1, 1, 2, 2,
       {{98, 98, kGreen}, {101, 98, kRed}, {98, 101, kWhite}, {101, 101, kBlue},
        {97, 98, bg}, {102, 98, bg}}},
      {"mirrored upside down in the same place", 1, -1, 2, 2,
       {{98, 98, kBlue}, {101, 98, kWhite}, {98, 101, kRed}, {101, 101, kGreen},
        {98, 97, bg}, {98, 102, bg}}},
      {"mirrored about a corner handle", -1, 1, 0, 0,
       {{99, 100, kRed}, {96, 100, kGreen}, {99, 103, kBlue}, {96, 103, kWhite},
        {100, 100, bg}, {95, 100, bg}}},
      {"scaled 3 by 2 from the corner", 3, 2, 0, 0,
       {{100, 100, kRed}, {105, 103, kRed}, {106, 100, kGreen}, {111, 103, kGreen},
        {100, 104, kBlue}, {111, 107, kWhite}, {112, 100, bg}, {100, 108, bg}}},
      {"scaled with the handle kept on the spot", 2, 2, 2, 2,
       {{96, 96, kRed}, {99, 99, kRed}, {100, 96, kGreen}, {103, 103, kWhite},
        {95, 96, bg}, {104, 96, bg}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    image.handleX = c.handleX;
    image.handleY = c.handleY;
    Background(bg);
    DrawState s = StateWith(kBlendAlpha);
    s.scaleX = c.sx;
    s.scaleY = c.sy;
    renderer_->DrawImage(image, 100, 100, 0, s);
    Show();
    for (const PixelCheck& p : c.checks) EXPECT_TRUE(PixelIs(p.x, p.y, p.colour));
  }
}

TEST_F(GlRendererTest, FilteredFramesDoNotBleedIntoTheirNeighbours) {
  // Stacked frames of one colour each, magnified with bilinear filtering:
  // every pixel must stay exactly that frame's colour.
  Image image = SolidFrames(2, 2, {Argb(255, kRed), Argb(255, kGreen), Argb(255, kBlue)});
  image.filtered = true;
  const Rgb colours[] = {kRed, kGreen, kBlue};
  for (int f = 0; f < 3; ++f) {
    SCOPED_TRACE("frame " + std::to_string(f));
    Background(kBlack);
    DrawState s = StateWith(kBlendSolid);
    s.scaleX = s.scaleY = 8;
    renderer_->DrawImage(image, 100.5f, 100.25f, f, s);
    Show();
    for (int y = 101; y < 116; ++y)
      for (int x = 101; x < 116; ++x) ASSERT_TRUE(PixelIs(x, y, colours[f]));
  }
}

TEST_F(GlRendererTest, StripTallerThanOneTextureColumn) {
  // 300 frames of 64x62 do not fit above one another in any texture GL
  // offers here (16384 at most on llvmpipe), so they are laid out in columns.
  const int frames = 300;
  std::vector<uint32_t> colours;
  for (int f = 0; f < frames; ++f) colours.push_back(Argb(255, {f % 256, f / 256 * 100, 7}));
  Image image = SolidFrames(64, 62, colours);
  for (int f : {0, 150, 263, 299}) {
    SCOPED_TRACE("frame " + std::to_string(f));
    Background(kBlack);
    renderer_->DrawImage(image, 10, 10, f, StateWith(kBlendSolid));
    Show();
    const Rgb want{f % 256, f / 256 * 100, 7};
    EXPECT_TRUE(PixelIs(10, 10, want));
    EXPECT_TRUE(PixelIs(73, 71, want));
    EXPECT_TRUE(PixelIs(74, 71, kBlack));
  }
}

TEST_F(GlRendererTest, ViewportClipsEveryKindOfDrawing) {
  Image image = SolidFrames(800, 600, {Argb(255, kRed)});
  Font font;
  font.glyphs['#'].present = true;
  font.glyphs['#'].width = 800;
  font.glyphs['#'].height = 600;
  font.glyphs['#'].coverage.assign(800 * 600, 255);
  struct Case {
    const char* what;
    std::function<void(const DrawState&)> draw;
  } cases[] = {
      {"rectangle", [&](const DrawState& s) { renderer_->DrawRect(0, 0, 800, 600, s); }},
      {"image", [&](const DrawState& s) { renderer_->DrawImage(image, 0, 0, 0, s); }},
      {"oval", [&](const DrawState& s) { renderer_->DrawOval(-400, -300, 1600, 1200, s); }},
      {"text", [&](const DrawState& s) { renderer_->DrawText("#", 0, 0, font, s); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Background(kBlack);
    DrawState s = StateWith(kBlendSolid, kRed);
    // Near the top, so that rows counted from the bottom would show.
    s.viewX = 10;
    s.viewY = 20;
    s.viewW = 30;
    s.viewH = 40;
    c.draw(s);
    Show();
    EXPECT_TRUE(PixelIs(10, 20, kRed));
    EXPECT_TRUE(PixelIs(39, 59, kRed));
    EXPECT_TRUE(PixelIs(9, 20, kBlack));
    EXPECT_TRUE(PixelIs(10, 19, kBlack));
    EXPECT_TRUE(PixelIs(40, 59, kBlack));
    EXPECT_TRUE(PixelIs(39, 60, kBlack));
    EXPECT_TRUE(PixelIs(20, 560, kBlack));
  }
}

TEST_F(GlRendererTest, ViewportOutsideTheFrameDrawsNothing) {
  Background(kBlack);
  DrawState s = StateWith(kBlendSolid, kRed);
  s.viewX = 900;
  renderer_->DrawRect(0, 0, 800, 600, s);
  s.viewX = 0;
  s.viewW = 0;
  renderer_->DrawRect(0, 0, 800, 600, s);
  Show();
  EXPECT_TRUE(PixelIs(0, 0, kBlack));
  EXPECT_TRUE(PixelIs(799, 599, kBlack));
}

TEST_F(GlRendererTest, OvalFillsTheInscribedEllipse) {
  struct Case {
    float w, h, sx, sy;
  } cases[] = {{40, 20, 1, 1}, {20, 20, 2, 1}};  // the same 40x20 box at (100,100)
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.w) + " scaled " + std::to_string(c.sx));
    Background(kBlack);
    DrawState s = StateWith(kBlendAlpha, kRed);
    s.scaleX = c.sx;
    s.scaleY = c.sy;
    renderer_->DrawOval(100, 100, c.w, c.h, s);
    Show();
    for (PixelCheck p : std::vector<PixelCheck>{
             {120, 110, kRed}, {101, 110, kRed}, {138, 109, kRed}, {120, 101, kRed},
             {119, 118, kRed}, {110, 105, kRed},  // inside, near the outline
             {100, 100, kBlack}, {139, 100, kBlack}, {100, 119, kBlack}, {139, 119, kBlack},
             {105, 102, kBlack},  // just outside on the diagonal
             {99, 110, kBlack}, {140, 110, kBlack}, {120, 99, kBlack}, {120, 120, kBlack}})
      EXPECT_TRUE(PixelIs(p.x, p.y, p.colour));
  }
}

// Two glyphs and a half-covered one; 'x' is missing.
std::unique_ptr<Font> TinyFont(bool withAtlas) {
  auto font = std::make_unique<Font>();
  font->smooth = false;
  auto set = [&](unsigned char code, int w, int h, int advance, int ox, int oy, uint8_t cover) {
    Glyph& g = font->glyphs[code];
    g.present = true;
    g.width = w;
    g.height = h;
    g.advance = advance;
    g.offsetX = ox;
    g.offsetY = oy;
    g.coverage.assign(static_cast<size_t>(w) * h, cover);
  };
  set('A', 2, 3, 5, 1, 2, 255);
  set('B', 1, 1, 3, 0, 0, 255);
  set('C', 2, 2, 2, 0, 0, 128);
  font->glyphs[' '].present = true;  // no bitmap, only an advance
  font->glyphs[' '].advance = 4;
  if (withAtlas) {
    // White with alpha = coverage, glyphs side by side with a gap.
    auto atlas = std::make_unique<Image>();
    atlas->width = 12;
    atlas->height = 3;
    atlas->masked = false;
    atlas->pixels.assign(12 * 3, 0x00FFFFFFu);
    int x = 0;
    for (unsigned char code : {'A', 'B', 'C'}) {
      const Glyph& g = font->glyphs[code];
      font->atlasX[code] = x;
      font->atlasY[code] = 0;
      for (int gy = 0; gy < g.height; ++gy)
        for (int gx = 0; gx < g.width; ++gx)
          atlas->pixels[gy * 12 + x + gx] =
              static_cast<uint32_t>(g.coverage[gy * g.width + gx]) << 24 | 0xFFFFFF;
      x += g.width + 1;
    }
    font->atlas = std::move(atlas);
  }
  return font;
}

class GlRendererTextTest : public GlRendererTest, public ::testing::WithParamInterface<bool> {};

TEST_P(GlRendererTextTest, GlyphsAdvanceAndMissingOnesAreSkipped) {
  auto font = TinyFont(GetParam());
  struct Case {
    const char* text;
    float scale;
    std::vector<PixelCheck> checks;
  } cases[] = {
      // A at pen 50 covers (51..52, 62..64); x draws nothing and does not
      // advance; B at pen 55; A again at pen 58.
      {"AxBA", 1,
       {{51, 62, kRed}, {52, 64, kRed}, {50, 62, kBlack}, {53, 62, kBlack}, {51, 61, kBlack},
        {51, 65, kBlack}, {55, 60, kRed}, {54, 60, kBlack}, {56, 60, kBlack}, {59, 62, kRed},
        {60, 64, kRed}, {58, 62, kBlack}, {61, 62, kBlack}}},
      // Doubled: A covers (52..55, 64..69), pen 60; B (60..61, 60..61); pen
      // 66; A (68..71, 64..69).
      {"AxBA", 2,
       {{52, 64, kRed}, {55, 69, kRed}, {51, 64, kBlack}, {56, 64, kBlack}, {52, 63, kBlack},
        {52, 70, kBlack}, {60, 60, kRed}, {61, 61, kRed}, {62, 60, kBlack}, {68, 64, kRed},
        {71, 69, kRed}, {67, 64, kBlack}, {72, 64, kBlack}}},
      // A space advances without drawing; C is half covered.
      {"B C", 1, {{50, 60, kRed}, {57, 60, {128, 0, 0}}, {58, 61, {128, 0, 0}}, {59, 60, kBlack}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " scaled " + std::to_string(c.scale));
    Background(kBlack);
    DrawState s = StateWith(kBlendAlpha, kRed);
    s.scaleX = s.scaleY = c.scale;
    renderer_->DrawText(c.text, 50, 60, *font, s);
    Show();
    for (const PixelCheck& p : c.checks) EXPECT_TRUE(PixelIs(p.x, p.y, p.colour, 1));
  }
}

INSTANTIATE_TEST_SUITE_P(FromGlyphsAndFromAtlas, GlRendererTextTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Atlas" : "GlyphBitmaps";
                         });

TEST_F(GlRendererTest, ImagesSurviveReopeningAndOtherRenderers) {
  Image image = Quarters();
  auto drawAndCheck = [&](FrameRenderer& r) {
    r.Clear();
    r.DrawImage(image, 100, 100, 0, StateWith(kBlendSolid));
    r.Present(false);
    ASSERT_TRUE(r.ReadLastFrame(&frame_));
    EXPECT_TRUE(PixelIs(98, 98, kRed));
    EXPECT_TRUE(PixelIs(101, 101, kWhite));
  };
  drawAndCheck(*renderer_);
  ASSERT_TRUE(image.copy);
  const uint64_t firstGeneration = image.copy->generation;

  renderer_->Close();
  std::string error;
  ASSERT_TRUE(renderer_->Open(window_, kWidth, kHeight, &error)) << error;
  drawAndCheck(*renderer_);
  EXPECT_NE(image.copy->generation, firstGeneration);
  renderer_->Close();

  // A copy made by another renderer object.
  auto second = CreateOpenGLRenderer();
  ASSERT_TRUE(second->Open(window_, kWidth, kHeight, &error)) << error;
  drawAndCheck(*second);
  EXPECT_EQ(image.copy->owner, second.get());

  // A copy of a different kind of renderer is replaced, not misread.
  struct OtherCopy : RendererCopy {
    int notATexture = 42;
  };
  image.copy = std::make_unique<OtherCopy>();
  image.copy->owner = &image;
  drawAndCheck(*second);
  EXPECT_EQ(image.copy->owner, second.get());
  second->Close();

  // The image outlives every context; dropping its stale copy must not call GL.
  image.copy.reset();
}

TEST_F(GlRendererTest, ChangedPixelsAreUploadedAgain) {
  Image image = SolidFrames(4, 4, {Argb(255, kRed)});
  Background(kBlack);
  renderer_->DrawImage(image, 0, 0, 0, StateWith(kBlendSolid));
  Show();
  EXPECT_TRUE(PixelIs(1, 1, kRed));
  // Replaced in place, the copy made of the old pixels still attached.
  image.frames = 2;
  image.pixels = SolidFrames(4, 4, {Argb(255, kGreen), Argb(255, kBlue)}).pixels;
  ASSERT_TRUE(image.copy);
  Background(kBlack);
  renderer_->DrawImage(image, 0, 0, 1, StateWith(kBlendSolid));
  Show();
  EXPECT_TRUE(PixelIs(1, 1, kBlue));
}

TEST_F(GlRendererTest, DrawCallsAreBatchedPerTextureBlendAndViewport) {
  Image a = SolidFrames(4, 4, {Argb(255, kRed)});
  Image b = SolidFrames(4, 4, {Argb(255, kGreen)});
  auto font = TinyFont(false);
  struct Case {
    const char* what;
    std::function<void()> draw;
    int calls;
  } cases[] = {
      {"100 draws of one image in one state",
       [&] {
         for (int i = 0; i < 100; ++i) renderer_->DrawImage(a, i * 5.0f, 10, 0, StateWith(kBlendAlpha));
       },
       1},
      {"colour, alpha and scale do not break a run",
       [&] {
         for (int i = 0; i < 100; ++i) {
           DrawState s = StateWith(kBlendAlpha, {i, 255 - i, 7}, 100 + i);
           s.scaleX = (i % 2) ? -1.5f : 2.0f;
           renderer_->DrawImage(a, i * 5.0f, 10, 0, s);
         }
       },
       1},
      {"alternating images",
       [&] {
         for (int i = 0; i < 100; ++i)
           renderer_->DrawImage(i % 2 ? a : b, i * 5.0f, 10, 0, StateWith(kBlendAlpha));
       },
       100},
      {"alternating blend modes",
       [&] {
         for (int i = 0; i < 100; ++i)
           renderer_->DrawImage(a, i * 5.0f, 10, 0, StateWith(i % 2 ? kBlendAlpha : kBlendLight));
       },
       100},
      {"viewport changed every tenth draw",
       [&] {
         for (int i = 0; i < 100; ++i) {
           DrawState s = StateWith(kBlendAlpha);
           s.viewW = 700 + i / 10;
           renderer_->DrawImage(a, i * 5.0f, 10, 0, s);
         }
       },
       10},
      {"rectangles and ovals share a run",
       [&] {
         for (int i = 0; i < 50; ++i) {
           renderer_->DrawRect(i * 10.0f, 100, 5, 5, StateWith(kBlendAlpha));
           renderer_->DrawOval(i * 10.0f, 200, 9, 9, StateWith(kBlendAlpha));
         }
       },
       1},
      {"lines of text",
       [&] {
         for (int i = 0; i < 10; ++i) renderer_->DrawText("ABCAB", 10, i * 10.0f, *font, StateWith(kBlendAlpha));
       },
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    renderer_->Clear();
    c.draw();
    renderer_->Present(false);
    EXPECT_EQ(renderer_->DrawCallsLastFrame(), c.calls);
  }
}

TEST_F(GlRendererTest, LastFrameStaysReadableWhileTheNextIsDrawn) {
  Background(kRed);
  Show();
  EXPECT_TRUE(PixelIs(5, 5, kRed));

  // Drawing over the presented frame without clearing: the read shows the
  // presented frame; the next present shows both.
  renderer_->DrawRect(0, 0, 10, 10, StateWith(kBlendSolid, kGreen));
  ASSERT_TRUE(renderer_->ReadLastFrame(&frame_));
  EXPECT_TRUE(PixelIs(5, 5, kRed));
  Show();
  EXPECT_TRUE(PixelIs(5, 5, kGreen));
  EXPECT_TRUE(PixelIs(20, 20, kRed));

  // A frame that starts with a clear.
  renderer_->Clear();
  renderer_->DrawRect(0, 0, 10, 10, StateWith(kBlendSolid, kBlue));
  ASSERT_TRUE(renderer_->ReadLastFrame(&frame_));
  EXPECT_TRUE(PixelIs(5, 5, kGreen));
  EXPECT_TRUE(PixelIs(20, 20, kRed));
  Show();
  EXPECT_TRUE(PixelIs(5, 5, kBlue));
  EXPECT_TRUE(PixelIs(20, 20, kBlack));

  // Presenting again without drawing shows the same frame.
  Show();
  EXPECT_TRUE(PixelIs(5, 5, kBlue));
}

TEST_F(GlRendererTest, AFrameShownAgainOrDrawnOverKeepsEveryStep) {
  // Nothing of the first fill survives the clear in the middle of the frame.
  Background(kGreen);
  renderer_->Clear();
  renderer_->DrawRect(0, 0, 10, 10, StateWith(kBlendSolid, kRed));
  renderer_->DrawRect(0, 0, 10, 5, StateWith(kBlendShade, {255, 0, 0}));
  renderer_->Present(false);
  // Presented again without drawing, then read.
  Show();
  EXPECT_TRUE(PixelIs(5, 2, kRed));
  EXPECT_TRUE(PixelIs(5, 7, kRed));
  EXPECT_TRUE(PixelIs(20, 20, kBlack));
  // Drawn over without a clear.
  renderer_->Present(false);
  renderer_->DrawRect(20, 20, 10, 10, StateWith(kBlendSolid, kBlue));
  Show();
  EXPECT_TRUE(PixelIs(5, 5, kRed));
  EXPECT_TRUE(PixelIs(25, 25, kBlue));
  EXPECT_TRUE(PixelIs(50, 50, kBlack));
}

TEST_F(GlRendererTest, LastFrameKeepsTheTexturesItWasDrawnWith) {
  Image image = SolidFrames(4, 4, {Argb(255, kRed)});
  Background(kBlack);
  renderer_->DrawImage(image, 0, 0, 0, StateWith(kBlendSolid));
  // New pixels within the same frame: the red texture is dropped.
  image.pixels = SolidFrames(4, 4, {Argb(255, kGreen)}).pixels;
  renderer_->DrawImage(image, 10, 0, 0, StateWith(kBlendSolid));
  renderer_->Present(false);
  // The next frame makes a new texture before the presented frame is read.
  Image other = SolidFrames(4, 4, {Argb(255, kBlue)});
  renderer_->Clear();
  renderer_->DrawImage(other, 20, 0, 0, StateWith(kBlendSolid));
  ASSERT_TRUE(renderer_->ReadLastFrame(&frame_));
  EXPECT_TRUE(PixelIs(1, 1, kRed));
  EXPECT_TRUE(PixelIs(11, 1, kGreen));
  EXPECT_TRUE(PixelIs(21, 1, kBlack));
  Show();
  EXPECT_TRUE(PixelIs(1, 1, kBlack));
  EXPECT_TRUE(PixelIs(21, 1, kBlue));
}

TEST_F(GlRendererTest, WindowResizedWhileTheFrameIsDrawn) {
  Background(kBlack);
  renderer_->DrawRect(0, 0, 10, 10, StateWith(kBlendSolid, kGreen));
  SDL_SetWindowSize(window_, 1000, 500);
  Show();
  SDL_SetWindowSize(window_, kWidth, kHeight);
  EXPECT_TRUE(PixelIs(5, 5, kGreen));
  EXPECT_TRUE(PixelIs(15, 15, kBlack));
}

TEST_F(GlRendererTest, PresentsIntoAWindowOfAnotherShape) {
  // The frame read back stays at the logical size whatever the window is.
  SDL_SetWindowSize(window_, 1000, 500);
  Background(kBlack);
  renderer_->DrawRect(0, 0, 10, 10, StateWith(kBlendSolid, kGreen));
  Show();
  EXPECT_TRUE(PixelIs(5, 5, kGreen));
  EXPECT_TRUE(PixelIs(15, 15, kBlack));
  SDL_SetWindowSize(window_, kWidth, kHeight);
}

}  // namespace
