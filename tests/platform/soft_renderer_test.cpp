// Pixel tests of the SDL software renderer: draw into a real (offscreen when
// there is no X display) window, present, and read the frame back.
#include "platform/soft_renderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/builtin_font.h"
#include "platform/services.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
// The two renderers must agree within a few levels per channel.
constexpr int kTolerance = 3;

struct Rgb {
  int r, g, b;
};

Rgb RgbOf(uint32_t p) {
  return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
          static_cast<int>(p & 0xFF)};
}

::testing::AssertionResult Near(uint32_t pixel, Rgb want, int tolerance = kTolerance) {
  const Rgb got = RgbOf(pixel);
  if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
      std::abs(got.b - want.b) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "got (" << got.r << "," << got.g << "," << got.b
                                       << ") want (" << want.r << "," << want.g << ","
                                       << want.b << ")";
}

uint32_t Argb(int a, int r, int g, int b) {
  return (static_cast<uint32_t>(a) << 24) | (static_cast<uint32_t>(r) << 16) |
         (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}

// An image made of rows of pixels, one frame unless more rows are given.
Image MakeImage(int width, int height, std::vector<uint32_t> pixels, bool filtered = false) {
  Image image;
  image.width = width;
  image.height = height;
  image.frames = static_cast<int>(pixels.size()) / (width * height);
  image.filtered = filtered;
  image.masked = false;
  image.pixels = std::move(pixels);
  return image;
}

Image SolidImage(int width, int height, uint32_t pixel) {
  return MakeImage(width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, pixel));
}

DrawState StateWith(int blend, int r = 255, int g = 255, int b = 255, int alpha = 255) {
  DrawState s;
  s.blend = blend;
  s.r = r;
  s.g = g;
  s.b = b;
  s.alpha = static_cast<uint8_t>(alpha);
  return s;
}

class SoftRendererTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) setenv("SDL_VIDEODRIVER", "offscreen", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      skipReason_ = new std::string(std::string("SDL video: ") + SDL_GetError());
      return;
    }
    window_ = SDL_CreateWindow("soft renderer test", SDL_WINDOWPOS_UNDEFINED,
                               SDL_WINDOWPOS_UNDEFINED, kWidth, kHeight, SDL_WINDOW_HIDDEN);
    if (!window_) {
      skipReason_ = new std::string(std::string("SDL_CreateWindow: ") + SDL_GetError());
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
  }
  static void TearDownTestSuite() {
    if (window_) {
      SDL_DestroyWindow(window_);
      window_ = nullptr;
      SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    delete skipReason_;
    skipReason_ = nullptr;
  }

  void SetUp() override {
    if (!window_) GTEST_SKIP() << (skipReason_ ? *skipReason_ : "no window");
    renderer_ = std::make_unique<SoftwareRenderer>();
    std::string error;
    ASSERT_TRUE(renderer_->Open(window_, kWidth, kHeight, &error)) << error;
  }
  void TearDown() override { renderer_.reset(); }

  // Fills the frame with one opaque colour.
  void Background(Rgb c) {
    renderer_->DrawRect(0, 0, kWidth, kHeight, StateWith(kBlendSolid, c.r, c.g, c.b));
  }
  // Presents and reads the frame back.
  void Show() {
    renderer_->Present(false);
    ASSERT_TRUE(renderer_->ReadLastFrame(&frame_));
    ASSERT_EQ(frame_.size(), static_cast<size_t>(kWidth) * kHeight);
  }
  uint32_t At(int x, int y) const { return frame_[static_cast<size_t>(y) * kWidth + x]; }

  static SDL_Window* window_;
  static std::string* skipReason_;
  std::unique_ptr<SoftwareRenderer> renderer_;
  std::vector<uint32_t> frame_;
};

SDL_Window* SoftRendererTest::window_ = nullptr;
std::string* SoftRendererTest::skipReason_ = nullptr;

const Rgb kBlack{0, 0, 0};
const Rgb kBack{100, 150, 200};

TEST_F(SoftRendererTest, NamesItselfAndTracksDeviceResets) {
  EXPECT_EQ(renderer_->Name(), "software");
  EXPECT_EQ(renderer_->WindowFlags(), 0u);
  EXPECT_TRUE(renderer_->DeviceUsable());
  renderer_->OnRenderReset();
  EXPECT_FALSE(renderer_->DeviceUsable());
  renderer_->Close();
  EXPECT_FALSE(renderer_->DeviceUsable());
  std::string error;
  ASSERT_TRUE(renderer_->Open(window_, kWidth, kHeight, &error)) << error;
  EXPECT_TRUE(renderer_->DeviceUsable());
}

TEST_F(SoftRendererTest, HasNoFrameBeforeTheFirstPresentAndClearsToBlack) {
  std::vector<uint32_t> pixels;
  EXPECT_FALSE(renderer_->ReadLastFrame(&pixels));
  Background(kBack);
  renderer_->Clear();
  ASSERT_NO_FATAL_FAILURE(Show());
  for (uint32_t p : frame_) ASSERT_EQ(p, 0xFF000000u);
}

TEST_F(SoftRendererTest, CountsTheDrawCallsOfEachFrame) {
  Image image = SolidImage(2, 2, 0xFFFFFFFFu);
  renderer_->Clear();
  renderer_->DrawRect(0, 0, 10, 10, StateWith(kBlendSolid));
  renderer_->DrawImage(image, 20, 20, 0, StateWith(kBlendAlpha));
  renderer_->DrawOval(40, 40, 10, 10, StateWith(kBlendAlpha));
  renderer_->Present(false);
  EXPECT_EQ(renderer_->DrawCallsLastFrame(), 4);
  renderer_->Present(false);
  EXPECT_EQ(renderer_->DrawCallsLastFrame(), 0);
}

// One half-transparent pixel colour drawn in each mode over a known background.
TEST_F(SoftRendererTest, BlendModesCombineSourceAndFrame) {
  const Rgb src{200, 100, 50};
  const int a = 128;
  const double f = a / 255.0;
  auto mix = [](double v) { return static_cast<int>(std::lround(v)); };
  struct Case {
    const char* name;
    int blend;
    Rgb want;
  };
  const Case cases[] = {
      {"mask keeps alpha above one half", kBlendMask, src},
      {"solid replaces", kBlendSolid, src},
      {"alpha mixes",
       kBlendAlpha,
       {mix(src.r * f + kBack.r * (1 - f)), mix(src.g * f + kBack.g * (1 - f)),
        mix(src.b * f + kBack.b * (1 - f))}},
      {"light adds",
       kBlendLight,
       {mix(src.r * f + kBack.r), mix(src.g * f + kBack.g), std::min(255, mix(src.b * f + kBack.b))}},
      {"shade multiplies",
       kBlendShade,
       {mix(src.r * kBack.r / 255.0), mix(src.g * kBack.g / 255.0), mix(src.b * kBack.b / 255.0)}},
  };
  Image image = SolidImage(4, 4, Argb(a, src.r, src.g, src.b));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Background(kBack);
    renderer_->DrawImage(image, 50, 60, 0, StateWith(c.blend));
    ASSERT_NO_FATAL_FAILURE(Show());
    EXPECT_TRUE(Near(At(51, 61), c.want));
    EXPECT_TRUE(Near(At(53, 63), c.want));
    EXPECT_TRUE(Near(At(49, 61), kBack));
    EXPECT_TRUE(Near(At(54, 61), kBack));
  }
}

TEST_F(SoftRendererTest, ColourTintsImagesAndShapesAndAlphaIsOpacity) {
  Image white = SolidImage(4, 4, 0xFFFFFFFFu);
  struct Case {
    const char* name;
    int what;  // 0 image, 1 rectangle, 2 oval
    int alpha;
  };
  const Case cases[] = {{"image opaque", 0, 255}, {"image quarter", 0, 64},
                        {"rect opaque", 1, 255},  {"rect quarter", 1, 64},
                        {"oval opaque", 2, 255},  {"oval quarter", 2, 64}};
  const Rgb tint{255, 128, 0};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Background(kBack);
    const DrawState s = StateWith(kBlendAlpha, tint.r, tint.g, tint.b, c.alpha);
    if (c.what == 0) renderer_->DrawImage(white, 100, 100, 0, s);
    if (c.what == 1) renderer_->DrawRect(100, 100, 4, 4, s);
    if (c.what == 2) renderer_->DrawOval(96, 96, 12, 12, s);
    ASSERT_NO_FATAL_FAILURE(Show());
    const double f = c.alpha / 255.0;
    const Rgb want{static_cast<int>(std::lround(tint.r * f + kBack.r * (1 - f))),
                   static_cast<int>(std::lround(tint.g * f + kBack.g * (1 - f))),
                   static_cast<int>(std::lround(tint.b * f + kBack.b * (1 - f)))};
    EXPECT_TRUE(Near(At(101, 102), want));
    EXPECT_TRUE(Near(At(95, 95), kBack));
  }
}

TEST_F(SoftRendererTest, TransparentPixelsLeaveTheFrameAlone) {
  // Left column transparent (with a colour that would show), right opaque.
  Image image = MakeImage(2, 1, {0x00FF00FFu, 0xFFFFFFFFu});
  for (int blend : {kBlendMask, kBlendAlpha, kBlendLight}) {
    SCOPED_TRACE(blend);
    Background(kBack);
    renderer_->DrawImage(image, 10, 10, 0, StateWith(blend));
    ASSERT_NO_FATAL_FAILURE(Show());
    EXPECT_TRUE(Near(At(10, 10), kBack, 0));
    EXPECT_FALSE(Near(At(11, 10), kBack));
  }
}

TEST_F(SoftRendererTest, MaskModeDropsPixelsAtOrBelowHalfAlpha) {
  // Texel alphas 255, 129, 128, 127; a pixel is kept while
  // texel alpha * drawing alpha is above one half.
  Image image = MakeImage(4, 1,
                          {Argb(255, 10, 20, 30), Argb(129, 10, 20, 30), Argb(128, 10, 20, 30),
                           Argb(127, 10, 20, 30)});
  struct Case {
    int drawAlpha;
    bool kept[4];
  };
  const Case cases[] = {
      {255, {true, true, true, false}},
      {128, {true, false, false, false}},
      {127, {false, false, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.drawAlpha);
    Background(kBack);
    renderer_->DrawImage(image, 200, 200, 0, StateWith(kBlendMask, 255, 255, 255, c.drawAlpha));
    // Shapes follow the same rule with a texel alpha of one.
    renderer_->DrawRect(300, 300, 2, 2, StateWith(kBlendMask, 10, 20, 30, c.drawAlpha));
    ASSERT_NO_FATAL_FAILURE(Show());
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(i);
      // Kept pixels are drawn as they are, not mixed with the frame.
      EXPECT_TRUE(Near(At(200 + i, 200), c.kept[i] ? Rgb{10, 20, 30} : kBack, 0));
    }
    EXPECT_TRUE(Near(At(300, 300), c.drawAlpha > 127 ? Rgb{10, 20, 30} : kBack, 0));
  }
}

TEST_F(SoftRendererTest, NegativeScaleMirrorsAboutTheHandle) {
  const uint32_t red = 0xFFFF0000u, blue = 0xFF0000FFu;
  // 4x2: left half red, right half blue; the handle in the middle.
  Image image = MakeImage(4, 2, {red, red, blue, blue, red, red, blue, blue});
  image.handleX = 2;
  image.handleY = 1;
  struct Case {
    float sx, sy;
    Rgb left, right;
  };
  const Case cases[] = {
      {1, 1, {255, 0, 0}, {0, 0, 255}},
      {-1, 1, {0, 0, 255}, {255, 0, 0}},
      {1, -1, {255, 0, 0}, {0, 0, 255}},
      {-1, -1, {0, 0, 255}, {255, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.sx << "," << c.sy);
    Background(kBlack);
    DrawState s = StateWith(kBlendAlpha);
    s.scaleX = c.sx;
    s.scaleY = c.sy;
    renderer_->DrawImage(image, 100, 100, 0, s);
    ASSERT_NO_FATAL_FAILURE(Show());
    // The same place every time: x 98..101, y 99..100.
    for (int y : {99, 100}) {
      EXPECT_TRUE(Near(At(98, y), c.left, 0));
      EXPECT_TRUE(Near(At(99, y), c.left, 0));
      EXPECT_TRUE(Near(At(100, y), c.right, 0));
      EXPECT_TRUE(Near(At(101, y), c.right, 0));
    }
    EXPECT_TRUE(Near(At(97, 99), kBlack, 0));
    EXPECT_TRUE(Near(At(102, 99), kBlack, 0));
    EXPECT_TRUE(Near(At(98, 98), kBlack, 0));
    EXPECT_TRUE(Near(At(98, 101), kBlack, 0));
  }
}

TEST_F(SoftRendererTest, VerticalMirrorSwapsRows) {
  Image image = MakeImage(1, 2, {0xFFFF0000u, 0xFF00FF00u});
  DrawState s = StateWith(kBlendAlpha);
  s.scaleY = -1;
  Background(kBlack);
  renderer_->DrawImage(image, 10, 10, 0, s);  // rows land at y 8 and 9
  ASSERT_NO_FATAL_FAILURE(Show());
  EXPECT_TRUE(Near(At(10, 8), {0, 255, 0}, 0));
  EXPECT_TRUE(Near(At(10, 9), {255, 0, 0}, 0));
}

TEST_F(SoftRendererTest, ScaleStretchesAroundTheHandle) {
  // 2x2 checker, unfiltered, drawn three times wider and twice as tall with
  // the handle at its bottom-right corner.
  const uint32_t w = 0xFFFFFFFFu, k = 0xFF000000u;
  Image image = MakeImage(2, 2, {w, k, k, w});
  image.handleX = 2;
  image.handleY = 2;
  DrawState s = StateWith(kBlendAlpha);
  s.scaleX = 3;
  s.scaleY = 2;
  Background(kBack);
  renderer_->DrawImage(image, 106, 104, 0, s);  // covers x 100..105, y 100..103
  ASSERT_NO_FATAL_FAILURE(Show());
  for (int y = 100; y < 104; ++y) {
    for (int x = 100; x < 106; ++x) {
      const bool white = ((x - 100) / 3 + (y - 100) / 2) % 2 == 0;
      ASSERT_TRUE(Near(At(x, y), white ? Rgb{255, 255, 255} : kBlack, 0)) << x << "," << y;
    }
  }
  EXPECT_TRUE(Near(At(99, 100), kBack, 0));
  EXPECT_TRUE(Near(At(106, 103), kBack, 0));
  EXPECT_TRUE(Near(At(100, 104), kBack, 0));
}

TEST_F(SoftRendererTest, FilteredImagesBlendNeighbouringTexelsWhenScaled) {
  // Black and white texels stretched eight times: unfiltered gives a hard
  // edge, filtered a ramp across the middle with the ends unchanged.
  for (bool filtered : {false, true}) {
    SCOPED_TRACE(filtered);
    Image image = MakeImage(2, 1, {0xFF000000u, 0xFFFFFFFFu}, filtered);
    DrawState s = StateWith(kBlendAlpha);
    s.scaleX = 8;
    Background(kBack);
    renderer_->DrawImage(image, 100, 100, 0, s);
    ASSERT_NO_FATAL_FAILURE(Show());
    EXPECT_TRUE(Near(At(100, 100), kBlack));
    EXPECT_TRUE(Near(At(115, 100), {255, 255, 255}));
    int between = 0;
    for (int x = 100; x < 116; ++x) {
      const int level = RgbOf(At(x, 100)).g;
      if (level > 20 && level < 235) ++between;
      if (x > 100) {
        EXPECT_GE(level, RgbOf(At(x - 1, 100)).g) << x;
      }
    }
    if (filtered) {
      EXPECT_GE(between, 4);
    } else {
      EXPECT_EQ(between, 0);
    }
  }
}

TEST_F(SoftRendererTest, DrawsTheRequestedFrame) {
  Image image = MakeImage(2, 2, {0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u,
                                 0xFF00FF00u, 0xFF00FF00u, 0xFF00FF00u, 0xFF00FF00u});
  ASSERT_EQ(image.frames, 2);
  Background(kBack);
  renderer_->DrawImage(image, 10, 10, 1, StateWith(kBlendAlpha));
  renderer_->DrawImage(image, 20, 10, 0, StateWith(kBlendAlpha));
  renderer_->DrawImage(image, 30, 10, 2, StateWith(kBlendAlpha));  // no such frame
  ASSERT_NO_FATAL_FAILURE(Show());
  EXPECT_TRUE(Near(At(11, 11), {0, 255, 0}, 0));
  EXPECT_TRUE(Near(At(10, 12), kBack, 0));
  EXPECT_TRUE(Near(At(21, 11), {255, 0, 0}, 0));
  EXPECT_TRUE(Near(At(30, 10), kBack, 0));
}

TEST_F(SoftRendererTest, RectanglesNormaliseNegativeSizes) {
  struct Case {
    float x, y, w, h, sx, sy;
  };
  // All cover x 20..29, y 40..44.
  const Case cases[] = {{20, 40, 10, 5, 1, 1},   {30, 45, -10, -5, 1, 1},
                        {20, 40, 5, 5, 2, 1},    {30, 40, 5, 5, -2, 1},
                        {20, 45, 10, 5, 1, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y << " " << c.w << "x" << c.h);
    Background(kBlack);
    DrawState s = StateWith(kBlendSolid, 0, 255, 0);
    s.scaleX = c.sx;
    s.scaleY = c.sy;
    renderer_->DrawRect(c.x, c.y, c.w, c.h, s);
    ASSERT_NO_FATAL_FAILURE(Show());
    int filled = 0;
    for (int y = 30; y < 60; ++y) {
      for (int x = 10; x < 40; ++x) {
        const bool inside = x >= 20 && x < 30 && y >= 40 && y < 45;
        if (At(x, y) != 0xFF000000u) ++filled;
        ASSERT_TRUE(Near(At(x, y), inside ? Rgb{0, 255, 0} : kBlack, 0)) << x << "," << y;
      }
    }
    EXPECT_EQ(filled, 50);
  }
}

TEST_F(SoftRendererTest, ViewportClipsEveryKindOfDrawing) {
  Image image = SolidImage(40, 40, 0xFFFFFFFFu);
  Font font;
  font.glyphs['x'].present = true;
  font.glyphs['x'].advance = 40;
  font.glyphs['x'].width = 40;
  font.glyphs['x'].height = 40;
  font.glyphs['x'].coverage.assign(40 * 40, 255);
  DrawState s = StateWith(kBlendAlpha);
  s.viewX = 110;
  s.viewY = 120;
  s.viewW = 20;
  s.viewH = 10;
  // Each shape covers 100..139 x 100..139 and the viewport 110..129 x 120..129.
  for (int what = 0; what < 4; ++what) {
    SCOPED_TRACE(what);
    renderer_->Clear();
    if (what == 0) renderer_->DrawRect(100, 100, 40, 40, s);
    if (what == 1) renderer_->DrawImage(image, 100, 100, 0, s);
    if (what == 2) renderer_->DrawText("x", 100, 100, font, s);
    if (what == 3) renderer_->DrawOval(60, 60, 120, 120, s);
    ASSERT_NO_FATAL_FAILURE(Show());
    for (int y = 95; y < 145; ++y) {
      for (int x = 95; x < 145; ++x) {
        const bool inside = x >= 110 && x < 130 && y >= 120 && y < 130;
        ASSERT_TRUE(Near(At(x, y), inside ? Rgb{255, 255, 255} : kBlack, 0)) << x << "," << y;
      }
    }
  }
  // A viewport with nothing left of the frame draws nothing at all.
  DrawState empty = s;
  empty.viewW = 0;
  renderer_->Clear();
  renderer_->DrawRect(0, 0, kWidth, kHeight, empty);
  empty = s;
  empty.viewX = kWidth;
  renderer_->DrawRect(0, 0, kWidth, kHeight, empty);
  ASSERT_NO_FATAL_FAILURE(Show());
  for (uint32_t p : frame_) ASSERT_EQ(p, 0xFF000000u);
}

TEST_F(SoftRendererTest, OvalFillsTheInscribedEllipse) {
  struct Case {
    float x, y, w, h;
  };
  const Case cases[] = {{200, 200, 100, 60}, {400, 100, 31, 77}, {50, 400, 300, 150}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h);
    renderer_->Clear();
    renderer_->DrawOval(c.x, c.y, c.w, c.h, StateWith(kBlendAlpha, 255, 255, 0));
    ASSERT_NO_FATAL_FAILURE(Show());
    const double cx = c.x + c.w / 2.0, cy = c.y + c.h / 2.0;
    const double rx = c.w / 2.0, ry = c.h / 2.0;
    int wrong = 0;
    for (int y = static_cast<int>(c.y) - 2; y < c.y + c.h + 2; ++y) {
      for (int x = static_cast<int>(c.x) - 2; x < c.x + c.w + 2; ++x) {
        const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
        const double d = std::sqrt(dx * dx + dy * dy);
        const bool filled = At(x, y) != 0xFF000000u;
        // Within a pixel of the outline either answer is fine.
        const double margin = 1.0 / std::min(rx, ry);
        if (d < 1 - margin && !filled) ++wrong;
        if (d > 1 + margin && filled) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(Near(At(static_cast<int>(cx), static_cast<int>(cy)), {255, 255, 0}, 0));
    EXPECT_TRUE(Near(At(static_cast<int>(c.x), static_cast<int>(c.y)), kBlack, 0));
    EXPECT_TRUE(Near(At(static_cast<int>(c.x + c.w) - 1, static_cast<int>(c.y + c.h) - 1), kBlack, 0));
  }
}

// A tiny font: 'A' a 3x4 full block drawn one right and two down from the pen,
// advance 5; 'B' a 2x2 half-coverage block, advance 4; nothing else.
Font TinyFont(bool withAtlas) {
  Font font;
  Glyph& a = font.glyphs['A'];
  a.present = true;
  a.advance = 5;
  a.offsetX = 1;
  a.offsetY = 2;
  a.width = 3;
  a.height = 4;
  a.coverage.assign(12, 255);
  Glyph& b = font.glyphs['B'];
  b.present = true;
  b.advance = 4;
  b.width = 2;
  b.height = 2;
  b.coverage.assign(4, 128);
  font.smooth = false;
  if (withAtlas) BuildFontAtlas(font);
  return font;
}

TEST_F(SoftRendererTest, TextAdvancesThePenAndSkipsMissingCharacters) {
  struct Case {
    const char* name;
    bool withAtlas;
    float scale;
  };
  const Case cases[] = {{"own glyph texture", false, 1},
                        {"font atlas", true, 1},
                        {"own glyph texture, doubled", false, 2},
                        {"font atlas, doubled", true, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Font font = TinyFont(c.withAtlas);
    DrawState s = StateWith(kBlendAlpha, 255, 0, 0);
    s.scaleX = s.scaleY = c.scale;
    renderer_->Clear();
    // 'C' and the byte 200 have no glyph: no drawing, no advance.
    renderer_->DrawText(std::string("AC\xC8") + "BA", 300, 300, font, s);
    ASSERT_NO_FATAL_FAILURE(Show());
    const int k = static_cast<int>(c.scale);
    const int bx = 300 + 5 * k;   // pen after 'A'
    const int a2x = bx + 4 * k;   // pen after 'B'
    auto isA = [&](int x, int y, int pen) {
      return x >= pen + k && x < pen + 4 * k && y >= 300 + 2 * k && y < 300 + 6 * k;
    };
    auto isB = [&](int x, int y) { return x >= bx && x < bx + 2 * k && y >= 300 && y < 300 + 2 * k; };
    for (int y = 296; y < 300 + 8 * k; ++y) {
      for (int x = 296; x < a2x + 6 * k; ++x) {
        Rgb want = kBlack;
        if (isA(x, y, 300) || isA(x, y, a2x)) want = {255, 0, 0};
        if (isB(x, y)) want = {128, 0, 0};
        ASSERT_TRUE(Near(At(x, y), want)) << x << "," << y;
      }
    }
  }
}

TEST_F(SoftRendererTest, ReopeningUploadsImagesAgain) {
  Image image = MakeImage(2, 1, {0xFFFF0000u, 0xFF00FF00u});
  Background(kBack);
  renderer_->DrawImage(image, 10, 10, 0, StateWith(kBlendAlpha));
  ASSERT_NO_FATAL_FAILURE(Show());
  ASSERT_TRUE(image.copy);
  const uint64_t firstGeneration = image.copy->generation;

  renderer_->Close();
  std::string error;
  ASSERT_TRUE(renderer_->Open(window_, kWidth, kHeight, &error)) << error;
  Background(kBack);
  renderer_->DrawImage(image, 30, 10, 0, StateWith(kBlendAlpha));
  ASSERT_NO_FATAL_FAILURE(Show());
  EXPECT_TRUE(Near(At(30, 10), {255, 0, 0}, 0));
  EXPECT_TRUE(Near(At(31, 10), {0, 255, 0}, 0));
  EXPECT_TRUE(Near(At(10, 10), kBack, 0));
  ASSERT_TRUE(image.copy);
  EXPECT_NE(image.copy->generation, firstGeneration);
  EXPECT_EQ(image.copy->owner, renderer_.get());
}

TEST_F(SoftRendererTest, ReplacesCopiesOfOtherRenderers) {
  struct ForeignCopy : RendererCopy {};
  Image image = SolidImage(2, 2, 0xFF00FF00u);
  auto foreign = std::make_unique<ForeignCopy>();
  int otherRenderer = 0;
  foreign->owner = &otherRenderer;
  image.copy = std::move(foreign);
  Background(kBack);
  renderer_->DrawImage(image, 10, 10, 0, StateWith(kBlendAlpha));
  ASSERT_NO_FATAL_FAILURE(Show());
  EXPECT_TRUE(Near(At(10, 10), {0, 255, 0}, 0));
  ASSERT_TRUE(image.copy);
  EXPECT_EQ(image.copy->owner, renderer_.get());
}

TEST_F(SoftRendererTest, CopiesMayOutliveOrPredeceaseTheRenderer) {
  // An image freed while the renderer is open, one freed after the renderer
  // is gone: neither may touch a destroyed SDL object (the sanitizers watch).
  auto early = std::make_unique<Image>(SolidImage(2, 2, 0xFFFFFFFFu));
  Image late = SolidImage(2, 2, 0xFFFFFFFFu);
  renderer_->DrawImage(*early, 0, 0, 0, StateWith(kBlendMask));  // with a mask copy
  renderer_->DrawImage(late, 0, 0, 0, StateWith(kBlendAlpha));
  early.reset();
  renderer_->Present(false);
  renderer_.reset();
  ASSERT_TRUE(late.copy);
  late.copy.reset();
}

TEST_F(SoftRendererTest, PresentLetterboxesIntoTheWindow) {
  SDL_SetWindowSize(window_, 1000, 600);
  SDL_PumpEvents();
  Background({255, 255, 255});
  renderer_->Present(false);
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (surface && surface->w == 1000 && surface->h == 600 &&
      surface->format->BytesPerPixel == 4) {
    auto pixel = [&](int x, int y) {
      const auto* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
      uint32_t p;
      std::memcpy(&p, row + x * 4, 4);
      uint8_t r, g, b;
      SDL_GetRGB(p, surface->format, &r, &g, &b);
      return Rgb{r, g, b};
    };
    auto same = [](Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; };
    EXPECT_TRUE(same(pixel(50, 300), kBlack));
    EXPECT_TRUE(same(pixel(950, 300), kBlack));
    EXPECT_TRUE(same(pixel(500, 300), Rgb{255, 255, 255}));
    EXPECT_TRUE(same(pixel(101, 1), Rgb{255, 255, 255}));
    EXPECT_TRUE(same(pixel(98, 1), kBlack));
  } else {
    ADD_FAILURE() << "window surface did not follow the resize";
  }
  // The frame read back stays at the logical size.
  ASSERT_NO_FATAL_FAILURE(Show());
  EXPECT_TRUE(Near(At(0, 0), {255, 255, 255}, 0));
  SDL_SetWindowSize(window_, kWidth, kHeight);
  SDL_PumpEvents();
}

}  // namespace
