// The image and font registries: identifier ranges of strips, identifiers taken
// once, the opaque box, and what the drawing functions hand to the renderer.
#include "data/image_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "data/font_list.h"
#include "platform/draw_state.h"
#include "platform/image_loading.h"
#include "platform/png_writer.h"
#include "support/headless_fixture.h"
#include "support/temp_dir.h"

namespace {

constexpr uint32_t kClear = 0x00000000u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

using Call = HeadlessBackend::DrawCall;

// A w by h picture, transparent except for the rectangle of columns
// left..right and rows top..bottom (inclusive), which is opaque white.
std::vector<uint32_t> BoxPicture(int w, int h, int left, int top, int right, int bottom) {
  std::vector<uint32_t> px(static_cast<size_t>(w) * h, kClear);
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) px[static_cast<size_t>(y) * w + x] = kWhite;
  }
  return px;
}

class ImageListTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ImageList::Reset();
    EnableAutoMidHandle(1);
  }
  void TearDown() override {
    ImageList::Reset();
    ResetImageLoading();
    HeadlessTest::TearDown();
  }

  std::string Png(const std::string& name, int w, int h, const std::vector<uint32_t>& pixels) {
    const std::string path = dir / name;
    std::string error;
    EXPECT_TRUE(WritePngFile(path, w, h, pixels, &error)) << error;
    return path;
  }
  // A plain opaque picture.
  std::string Solid(const std::string& name, int w, int h) {
    return Png(name, w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, kWhite));
  }
  // A strip of 4 by 4 cells, `across` cells wide and `down` cells high; cell k
  // (counted left to right, top to bottom) is filled with red value k.
  std::string Strip(const std::string& name, int across, int down) {
    const int w = 4 * across, h = 4 * down;
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const uint32_t cell = static_cast<uint32_t>((y / 4) * across + x / 4);
        px[static_cast<size_t>(y) * w + x] = 0xFF000000u | (cell << 16);
      }
    }
    return Png(name, w, h, px);
  }
  std::vector<Call> ImageCalls() const {
    std::vector<Call> out;
    for (const Call& c : backend->FrameCalls()) {
      if (c.kind == Call::kImage) out.push_back(c);
    }
    return out;
  }
  const Image* ImageOf(int id) const {
    const ImageContainer* c = ImageList::FindImage(id);
    return c ? c->image.get() : nullptr;
  }

  TempDir dir;
};

TEST_F(ImageListTest, StripAnswersToEveryIdentifierOfItsRangeAndNoOther) {
  ASSERT_EQ(ImageList::LoadImageFrames(Strip("strip.png", 4, 2), 100, 4, 4, 8), 1);
  const ImageContainer* strip = ImageList::FindImage(100);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->firstId, 100);
  EXPECT_EQ(strip->frameCount, 8);
  EXPECT_EQ(ImageList::FindImage(107), strip);
  EXPECT_EQ(ImageList::FindImage(99), nullptr);
  EXPECT_EQ(ImageList::FindImage(108), nullptr);
  // Cells are cut left to right, top to bottom from the first.
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ((ReadFramePixel(strip->image.get(), k, 1, 1) >> 16) & 0xFF, static_cast<uint32_t>(k));
  }

  ImageList::DrawImage(105, 30, 40);
  ImageList::DrawImage(108, 30, 40);
  ImageList::DrawImage(99, 30, 40);
  std::vector<Call> calls = ImageCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].image, strip->image.get());
  EXPECT_EQ(calls[0].frame, 5);
  EXPECT_FLOAT_EQ(calls[0].x, 30.0f);
  EXPECT_FLOAT_EQ(calls[0].y, 40.0f);

  // Once another container covers 108, it draws that one.
  ASSERT_EQ(ImageList::LoadImage(Solid("single.png", 6, 6), 108), 1);
  ImageList::DrawImage(108, 1, 2);
  calls = ImageCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[1].image, ImageOf(108));
  EXPECT_NE(calls[1].image, strip->image.get());
  EXPECT_EQ(calls[1].frame, 0);
}

TEST_F(ImageListTest, OverlappingRangesResolveToTheFirstRegistered) {
  ASSERT_EQ(ImageList::LoadImage(Solid("single.png", 6, 6), 200), 1);
  // 198 is free, so a strip 198..201 may still be registered over 200.
  ASSERT_EQ(ImageList::LoadImageFrames(Strip("strip.png", 4, 1), 198, 4, 4, 4), 1);
  const Image* single = ImageList::FindImage(200)->image.get();
  const Image* strip = ImageList::FindImage(198)->image.get();
  ASSERT_NE(single, strip);
  EXPECT_EQ(ImageList::FindImage(199)->image.get(), strip);
  EXPECT_EQ(ImageList::FindImage(201)->image.get(), strip);

  ImageList::DrawImage(200, 0, 0);
  ImageList::DrawImage(201, 0, 0);
  const std::vector<Call> calls = ImageCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].image, single);
  EXPECT_EQ(calls[0].frame, 0);
  EXPECT_EQ(calls[1].image, strip);
  EXPECT_EQ(calls[1].frame, 3);
}

TEST_F(ImageListTest, AnIdentifierIsTakenOnlyOnce) {
  ASSERT_EQ(ImageList::LoadImage(Solid("first.png", 10, 10), 100), 1);
  ASSERT_EQ(ImageList::LoadImageFrames(Strip("strip.png", 4, 1), 300, 4, 4, 4), 1);
  const Image* first = ImageOf(100);

  EXPECT_EQ(ImageList::LoadImage(Solid("second.png", 20, 20), 100), 0);
  EXPECT_EQ(ImageList::LoadImageFrames(Strip("strip2.png", 2, 1), 100, 4, 4, 2), 0);
  // An identifier inside a strip's range is taken too.
  EXPECT_EQ(ImageList::LoadImage(Solid("third.png", 20, 20), 302), 0);
  EXPECT_EQ(ImageOf(100), first);
  EXPECT_EQ(ImageWidthOf(ImageOf(100)), 10);
  EXPECT_EQ(ImageList::FindImage(302)->firstId, 300);
}

TEST_F(ImageListTest, FailedLoadsReturnZeroAndLeaveTheIdentifierFree) {
  const std::string garbage = dir / "garbage.png";
  WriteFileBytes(garbage, std::string(64, '\x42'));
  const std::string strip = Strip("strip.png", 2, 2);
  struct Case {
    const char* what;
    std::string path;
    int frameWidth, frameHeight, frames;  // frames 0: a single image
  } cases[] = {
      {"missing single", dir / "missing.png", 0, 0, 0},
      {"unreadable single", garbage, 0, 0, 0},
      {"missing strip", dir / "missing.png", 4, 4, 4},
      {"strip with more frames than cells", strip, 4, 4, 5},
      {"strip with cells larger than the picture", strip, 16, 16, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int result = c.frames == 0
                           ? ImageList::LoadImage(c.path, 50)
                           : ImageList::LoadImageFrames(c.path, 50, c.frameWidth, c.frameHeight,
                                                        c.frames);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ImageList::FindImage(50), nullptr);
  }
  EXPECT_EQ(ImageList::LoadImageFrames(strip, 50, 4, 4, 4), 1);
}

TEST_F(ImageListTest, OpaqueBoundsGivesTheBoxSizeAndItsOffsetFromTheCentre) {
  struct Case {
    const char* what;
    int w, h;
    int left, top, right, bottom;  // opaque rectangle; left > right: none
    int x, y, width, height;       // expected Area
  } cases[] = {
      {"box low in a square", 64, 64, 10, 40, 29, 63, -12, 20, 20, 24},
      {"fully opaque", 7, 5, 0, 0, 6, 4, 0, 0, 7, 5},
      {"one pixel in the right top corner, odd size", 5, 3, 4, 0, 4, 0, 2, -1, 1, 1},
      {"one pixel in the left bottom corner", 8, 6, 0, 5, 0, 5, -3, 3, 1, 1},
      {"nothing opaque", 64, 64, 1, 0, 0, 0, -32, -32, 0, 0},
      {"nothing opaque, odd size", 9, 7, 1, 0, 0, 0, -4, -3, 0, 0},
  };
  int id = 1000;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<uint32_t> px =
        c.left > c.right ? std::vector<uint32_t>(static_cast<size_t>(c.w) * c.h, kClear)
                         : BoxPicture(c.w, c.h, c.left, c.top, c.right, c.bottom);
    ASSERT_EQ(ImageList::LoadImage(Png("box" + std::to_string(id) + ".png", c.w, c.h, px), id),
              1);
    const std::optional<Area> area = ImageList::OpaqueBounds(id);
    ASSERT_TRUE(area.has_value());
    EXPECT_EQ(area->x, c.x);
    EXPECT_EQ(area->y, c.y);
    EXPECT_EQ(area->width, c.width);
    EXPECT_EQ(area->height, c.height);
    ++id;
  }
  EXPECT_FALSE(ImageList::OpaqueBounds(999).has_value());
}

TEST_F(ImageListTest, OpaqueBoundsMeasuresTheAddressedFrameByAlphaOnly) {
  // Two 8 by 8 cells: the first fully opaque, the second opaque only in
  // columns 2..3 and rows 5..6 and elsewhere coloured but fully transparent.
  std::vector<uint32_t> px(16 * 8, 0xFF0000FFu);
  for (int y = 0; y < 8; ++y) {
    for (int x = 8; x < 16; ++x) {
      const bool inBox = x - 8 >= 2 && x - 8 <= 3 && y >= 5 && y <= 6;
      px[static_cast<size_t>(y) * 16 + x] = inBox ? 0x01FFFFFFu : 0x00FFFFFFu;
    }
  }
  ASSERT_EQ(ImageList::LoadImageFrames(Png("two.png", 16, 8, px), 40, 8, 8, 2), 1);
  const std::optional<Area> whole = ImageList::OpaqueBounds(40);
  const std::optional<Area> box = ImageList::OpaqueBounds(41);
  ASSERT_TRUE(whole && box);
  EXPECT_EQ(whole->width, 8);
  EXPECT_EQ(whole->height, 8);
  EXPECT_EQ(box->width, 2);
  EXPECT_EQ(box->height, 2);
  EXPECT_EQ(box->x, 2 - 3);
  EXPECT_EQ(box->y, 5 - 3);
}

TEST_F(ImageListTest, DrawImageUsesTheCurrentDrawingState) {
  ASSERT_EQ(ImageList::LoadImage(Solid("a.png", 8, 8), 7), 1);
  SetDrawColour(10, 20, 30);
  SetDrawAlpha(0.5f);
  SetBlendMode(kBlendLight);
  SetDrawScale(2.0f, -1.0f);
  ImageList::DrawImage(7, -5, 600);
  const std::vector<Call> calls = ImageCalls();
  ASSERT_EQ(calls.size(), 1u);
  const DrawState& s = calls[0].state;
  EXPECT_EQ(s.r, 10);
  EXPECT_EQ(s.g, 20);
  EXPECT_EQ(s.b, 30);
  EXPECT_EQ(s.alpha, 127);
  EXPECT_EQ(s.blend, kBlendLight);
  EXPECT_FLOAT_EQ(s.scaleX, 2.0f);
  EXPECT_FLOAT_EQ(s.scaleY, -1.0f);
  EXPECT_FLOAT_EQ(calls[0].x, -5.0f);
  EXPECT_FLOAT_EQ(calls[0].y, 600.0f);
}

TEST_F(ImageListTest, DrawWithShadowDrawsASquashedBlackShadowThenTheTintedSprite) {
  // Frames 10 wide and 40 high, so the drop below the centre is visible.
  std::vector<uint32_t> px(20 * 40, kWhite);
  ASSERT_EQ(ImageList::LoadImageFrames(Png("s.png", 20, 40, px), 60, 10, 40, 2), 1);
  const Image* image = ImageOf(60);
  TintRed = Interpolation::Create(200.9f);
  TintGreen = Interpolation::Create(100.2f);
  TintBlue = Interpolation::Create(50.5f);

  struct Case {
    int mirrored, nearShadow;
    float facing, drop;
  } cases[] = {
      {0, 0, 1.0f, 0.38f},
      {1, 0, -1.0f, 0.38f},
      {0, 1, 1.0f, 0.3f},
      {5, -2, -1.0f, 0.3f},  // any non-zero flag counts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "mirrored " << c.mirrored << " near " << c.nearShadow);
    backend->PresentFrame(0);
    SetBlendMode(kBlendShade);
    SetDrawAlpha(0.1f);
    SetDrawColour(1, 2, 3);
    ImageList::DrawWithShadow(61, 100, 200, c.mirrored, c.nearShadow);
    const std::vector<Call> calls = ImageCalls();
    ASSERT_EQ(calls.size(), 2u);

    const Call& shadow = calls[0];
    EXPECT_EQ(shadow.image, image);
    EXPECT_EQ(shadow.frame, 1);
    EXPECT_FLOAT_EQ(shadow.x, 100.0f);
    EXPECT_FLOAT_EQ(shadow.y, 200.0f + 40.0f * c.drop);
    EXPECT_EQ(shadow.state.r, 0);
    EXPECT_EQ(shadow.state.g, 0);
    EXPECT_EQ(shadow.state.b, 0);
    EXPECT_EQ(shadow.state.alpha, 178);  // 70 %
    EXPECT_EQ(shadow.state.blend, kBlendAlpha);
    EXPECT_FLOAT_EQ(shadow.state.scaleX, c.facing);
    EXPECT_FLOAT_EQ(shadow.state.scaleY, 0.3f);

    const Call& sprite = calls[1];
    EXPECT_EQ(sprite.image, image);
    EXPECT_EQ(sprite.frame, 1);
    EXPECT_FLOAT_EQ(sprite.x, 100.0f);
    EXPECT_FLOAT_EQ(sprite.y, 200.0f);
    EXPECT_EQ(sprite.state.r, 200);
    EXPECT_EQ(sprite.state.g, 100);
    EXPECT_EQ(sprite.state.b, 50);
    EXPECT_EQ(sprite.state.alpha, 255);
    EXPECT_EQ(sprite.state.blend, kBlendAlpha);
    EXPECT_FLOAT_EQ(sprite.state.scaleX, c.facing);
    EXPECT_FLOAT_EQ(sprite.state.scaleY, 1.0f);

    // The scale stays as the sprite was drawn.
    EXPECT_FLOAT_EQ(CurrentDrawState().scaleX, c.facing);
    EXPECT_FLOAT_EQ(CurrentDrawState().scaleY, 1.0f);
  }
}

TEST_F(ImageListTest, DrawRegionClipsToThePieceAndPutsItsCornerOnTheClipCorner) {
  ScreenWidth = 1024;
  ScreenHeight = 768;
  // Two 32 by 16 frames side by side.
  ASSERT_EQ(ImageList::LoadImageFrames(Solid("frame.png", 64, 16), 20, 32, 16, 2), 1);
  const Image* image = ImageOf(20);
  struct Case {
    int id, srcX, srcY, width, height, x, y;
    int viewX, viewY;  // top-left of the clip rectangle
  } cases[] = {
      {20, 8, 4, 10, 6, 100, 50, 95, 47},
      {21, 0, 0, 32, 16, 16, 8, 0, 0},
      {20, 31, 15, 1, 1, 5, 5, 5, 5},
      {21, 3, 2, 7, 5, 2, 1, -1, -1},  // odd sizes: halves round toward zero
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "src " << c.srcX << "," << c.srcY << " size "
                                      << c.width << "x" << c.height);
    backend->PresentFrame(0);
    ImageList::DrawRegion(c.id, c.srcX, c.srcY, c.width, c.height, c.x, c.y);
    const std::vector<Call> calls = ImageCalls();
    ASSERT_EQ(calls.size(), 1u);
    const Call& call = calls[0];
    EXPECT_EQ(call.image, image);
    EXPECT_EQ(call.frame, c.id - 20);
    EXPECT_EQ(call.state.viewX, c.viewX);
    EXPECT_EQ(call.state.viewY, c.viewY);
    EXPECT_EQ(call.state.viewW, c.width);
    EXPECT_EQ(call.state.viewH, c.height);
    // The frame's pixel (srcX, srcY) lies on the clip rectangle's corner.
    EXPECT_FLOAT_EQ(call.x - image->handleX + static_cast<float>(c.srcX),
                    static_cast<float>(c.viewX));
    EXPECT_FLOAT_EQ(call.y - image->handleY + static_cast<float>(c.srcY),
                    static_cast<float>(c.viewY));
    const DrawState& after = CurrentDrawState();
    EXPECT_EQ(after.viewX, 0);
    EXPECT_EQ(after.viewY, 0);
    EXPECT_EQ(after.viewW, 1024);
    EXPECT_EQ(after.viewH, 768);
  }
}

TEST_F(ImageListTest, UnknownIdentifiersDrawNothingAndChangeNoState) {
  ASSERT_EQ(ImageList::LoadImage(Solid("a.png", 8, 8), 7), 1);
  SetViewportRect(10, 20, 30, 40);
  SetDrawColour(1, 2, 3);
  SetDrawScale(0.5f, 0.5f);
  ImageList::DrawImage(8, 0, 0);
  ImageList::DrawWithShadow(8, 0, 0, 1, 1);
  ImageList::DrawRegion(8, 0, 0, 4, 4, 0, 0);
  EXPECT_TRUE(ImageCalls().empty());
  const DrawState& s = CurrentDrawState();
  EXPECT_EQ(s.viewX, 10);
  EXPECT_EQ(s.viewW, 30);
  EXPECT_EQ(s.r, 1);
  EXPECT_FLOAT_EQ(s.scaleX, 0.5f);
}

// ---- Fonts ---------------------------------------------------------------

const char kFontPath[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class FontListTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    FontList::Reset();
  }
  void TearDown() override {
    FontList::Reset();
    HeadlessTest::TearDown();
  }
  TempDir dir;
};

TEST_F(FontListTest, LoadsAtTheGivenSizeSmoothedAndTakesAnIdentifierOnce) {
  ASSERT_EQ(FontList::LoadFont(kFontPath, 1, 12), 1);
  ASSERT_EQ(FontList::LoadFont(kFontPath, 2, 36), 1);
  const FontContainer* small = FontList::FindFont(1);
  const FontContainer* large = FontList::FindFont(2);
  ASSERT_TRUE(small && large);
  EXPECT_EQ(small->fontId, 1);
  EXPECT_TRUE(small->font->smooth);
  EXPECT_LT(small->font->lineHeight, large->font->lineHeight);

  EXPECT_EQ(FontList::LoadFont(kFontPath, 1, 36), 0);
  EXPECT_EQ(FontList::FindFont(1), small);
  EXPECT_EQ(FontList::FindFont(1)->font->lineHeight, small->font->lineHeight);
  EXPECT_EQ(FontList::FindFont(3), nullptr);
}

TEST_F(FontListTest, FailedLoadsReturnZeroAndRegisterNothing) {
  const std::string garbage = dir / "garbage.ttf";
  WriteFileBytes(garbage, std::string(2048, '\x5A'));
  for (const std::string& path : {dir / "missing.ttf", garbage}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(FontList::LoadFont(path, 9, 16), 0);
    EXPECT_EQ(FontList::FindFont(9), nullptr);
  }
  EXPECT_EQ(FontList::LoadFont(kFontPath, 9, 16), 1);
}

TEST_F(FontListTest, UseFontSelectsAKnownFontAndKeepsTheCurrentOneOtherwise) {
  ASSERT_EQ(FontList::LoadFont(kFontPath, 1, 12), 1);
  ASSERT_EQ(FontList::LoadFont(kFontPath, 2, 36), 1);
  const int builtinHeight = TextHeightOf("A");
  FontList::UseFont(5);
  EXPECT_EQ(CurrentDrawState().font, nullptr);

  FontList::UseFont(2);
  EXPECT_EQ(CurrentDrawState().font, FontList::FindFont(2)->font.get());
  EXPECT_EQ(TextHeightOf("A"), FontList::FindFont(2)->font->lineHeight);
  EXPECT_NE(TextHeightOf("A"), builtinHeight);

  FontList::UseFont(5);
  EXPECT_EQ(CurrentDrawState().font, FontList::FindFont(2)->font.get());
  FontList::UseFont(1);
  EXPECT_EQ(CurrentDrawState().font, FontList::FindFont(1)->font.get());
}

}  // namespace
