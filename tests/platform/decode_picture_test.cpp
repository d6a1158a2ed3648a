// DecodePicture on PNG, JPEG, BMP and TGA files built by the tests, and on
// broken variants of them.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/decode_fixtures.h"
#include "platform/image_loading.h"

namespace {

using fixtures::Bytes;

std::string Hex(const std::vector<uint32_t>& pixels) {
  std::string s;
  char buf[16];
  for (uint32_t p : pixels) {
    std::snprintf(buf, sizeof buf, "%08X ", p);
    s += buf;
  }
  return s;
}

struct Expected {
  int width;
  int height;
  bool hasAlpha;
  std::vector<uint32_t> pixels;
};

void ExpectDecodes(const Bytes& file, const Expected& want) {
  ASSERT_FALSE(file.empty()) << "fixture could not be built";
  DecodedPicture out;
  std::string error;
  ASSERT_TRUE(DecodePicture(file.data(), file.size(), &out, &error)) << error;
  EXPECT_EQ(out.width, want.width);
  EXPECT_EQ(out.height, want.height);
  EXPECT_EQ(out.hasAlpha, want.hasAlpha);
  EXPECT_EQ(Hex(out.pixels), Hex(want.pixels));
}

void ExpectRejected(const Bytes& file) {
  DecodedPicture out;
  out.width = 77;
  std::string error;
  EXPECT_FALSE(DecodePicture(file.data(), file.size(), &out, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(out.width, 77) << "a failed decode must leave the output alone";
}

// ---- PNG -------------------------------------------------------------------

struct PngCase {
  const char* name;
  fixtures::PngLayout layout;
  Expected want;
};

fixtures::PngLayout Png(int w, int h, int type, int depth, std::vector<Bytes> rows) {
  fixtures::PngLayout s;
  s.width = w;
  s.height = h;
  s.colourType = type;
  s.bitDepth = depth;
  s.rows = std::move(rows);
  return s;
}

std::vector<PngCase> PngCases() {
  std::vector<PngCase> cases;
  cases.push_back({"rgba8", Png(2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {{255, 0, 0, 128, 0, 255, 0, 0}}),
                   {2, 1, true, {0x80FF0000, 0x0000FF00}}});
  cases.push_back({"rgb8", Png(2, 1, PNG_COLOR_TYPE_RGB, 8, {{0x10, 0x20, 0x30, 0, 0, 0}}),
                   {2, 1, false, {0xFF102030, 0xFF000000}}});
  cases.push_back({"grey8", Png(2, 2, PNG_COLOR_TYPE_GRAY, 8, {{0, 200}, {7, 255}}),
                   {2, 2, false, {0xFF000000, 0xFFC8C8C8, 0xFF070707, 0xFFFFFFFF}}});
  cases.push_back({"grey1", Png(3, 1, PNG_COLOR_TYPE_GRAY, 1, {{0xA0}}),
                   {3, 1, false, {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}}});
  cases.push_back({"grey_alpha8", Png(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {{10, 20, 30, 40}}),
                   {2, 1, true, {0x140A0A0A, 0x281E1E1E}}});
  cases.push_back({"rgb16", Png(1, 1, PNG_COLOR_TYPE_RGB, 16, {{0x12, 0x12, 0xAB, 0xAB, 0xFF, 0xFF}}),
                   {1, 1, false, {0xFF12ABFF}}});
  cases.push_back({"grey_alpha16",
                   Png(1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 16, {{0x80, 0x80, 0x12, 0x12}}),
                   {1, 1, true, {0x12808080}}});
  {
    auto s = Png(3, 1, PNG_COLOR_TYPE_PALETTE, 8, {{0, 1, 2}});
    s.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    s.paletteAlpha = {0, 128};  // the third entry stays opaque
    cases.push_back({"palette8_trns", s, {3, 1, true, {0x00FF0000, 0x8000FF00, 0xFF0000FF}}});
  }
  {
    auto s = Png(4, 1, PNG_COLOR_TYPE_PALETTE, 2, {{0x1B}});  // indices 0 1 2 3
    s.palette = {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}};
    cases.push_back({"palette2", s, {4, 1, false, {0xFF010101, 0xFF020202, 0xFF030303, 0xFF040404}}});
  }
  {
    auto s = Png(2, 1, PNG_COLOR_TYPE_RGB, 8, {{1, 2, 3, 4, 5, 6}});
    s.hasTransparentColour = true;
    s.transparentColour.red = 1, s.transparentColour.green = 2, s.transparentColour.blue = 3;
    cases.push_back({"rgb_trns", s, {2, 1, true, {0x00010203, 0xFF040506}}});
  }
  {
    auto s = Png(2, 1, PNG_COLOR_TYPE_GRAY, 8, {{0, 9}});
    s.hasTransparentColour = true;
    s.transparentColour.gray = 0;
    cases.push_back({"grey_trns", s, {2, 1, true, {0x00000000, 0xFF090909}}});
  }
  {
    // Interlaced: every pixel distinct, so a pass written to the wrong place shows.
    fixtures::PngLayout s = Png(9, 7, PNG_COLOR_TYPE_RGB, 8, {});
    Expected want{9, 7, false, {}};
    for (int y = 0; y < 7; ++y) {
      Bytes row;
      for (int x = 0; x < 9; ++x) {
        uint8_t r = static_cast<uint8_t>(x * 20), g = static_cast<uint8_t>(y * 30), b = 7;
        row.insert(row.end(), {r, g, b});
        want.pixels.push_back(0xFF000000u | (r << 16) | (g << 8) | b);
      }
      s.rows.push_back(row);
    }
    s.interlaced = true;
    cases.push_back({"interlaced", s, want});
  }
  return cases;
}

TEST(DecodePng, DecodesEveryColourTypeToArgb) {
  for (const PngCase& c : PngCases()) {
    SCOPED_TRACE(c.name);
    ExpectDecodes(fixtures::MakePng(c.layout), c.want);
  }
}

TEST(DecodePng, RejectsBrokenFiles) {
  std::vector<uint32_t> pixels(16 * 16, 0xFF336699);
  const Bytes good = fixtures::MakeRgbPng(16, 16, pixels);
  ASSERT_GT(good.size(), 60u);
  DecodedPicture ok;
  std::string error;
  ASSERT_TRUE(DecodePicture(good.data(), good.size(), &ok, &error)) << error;

  // Cut inside the signature, the header, the data and the end chunk.
  for (size_t cut : {size_t{4}, size_t{8}, size_t{20}, size_t{33}, good.size() / 2,
                     good.size() - 12, good.size() - 1}) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    ExpectRejected(fixtures::Truncated(good, cut));
  }
  struct SizeCase {
    uint32_t width, height;
  };
  // Lying (more rows than the data holds), too wide, too tall, too many pixels.
  for (SizeCase s : {SizeCase{16, 400}, SizeCase{8193, 1}, SizeCase{1, 9000},
                     SizeCase{8192, 8193}}) {
    SCOPED_TRACE(std::to_string(s.width) + "x" + std::to_string(s.height));
    Bytes bad = good;
    fixtures::SetPngSize(&bad, s.width, s.height);
    ExpectRejected(bad);
  }
  {
    SCOPED_TRACE("palette index out of range");
    auto s = Png(2, 1, PNG_COLOR_TYPE_PALETTE, 8, {{0, 5}});
    s.palette = {{1, 2, 3}, {4, 5, 6}};
    Bytes bad = fixtures::MakePng(s);
    ASSERT_FALSE(bad.empty());
    ExpectRejected(bad);
  }
  {
    SCOPED_TRACE("damaged chunk checksum");
    Bytes bad = good;
    bad[30] ^= 0xFF;  // inside IHDR's CRC
    ExpectRejected(bad);
  }
}

// ---- JPEG ------------------------------------------------------------------

// Every channel within `tolerance` of the wanted value; JPEG is lossy.
void ExpectNear(const DecodedPicture& got, const std::vector<uint32_t>& want, int tolerance) {
  ASSERT_EQ(got.pixels.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    for (int shift : {0, 8, 16}) {
      int a = (got.pixels[i] >> shift) & 0xFF, b = (want[i] >> shift) & 0xFF;
      ASSERT_LE(std::abs(a - b), tolerance) << "pixel " << i << " shift " << shift;
    }
    ASSERT_EQ(got.pixels[i] >> 24, 0xFFu) << "pixel " << i;
  }
}

std::vector<uint32_t> Quadrants(int size) {
  std::vector<uint32_t> px(size * size);
  const uint32_t colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) px[y * size + x] = colours[(y >= size / 2) * 2 + (x >= size / 2)];
  }
  return px;
}

TEST(DecodeJpeg, DecodesColourGreyAndProgressive) {
  struct Case {
    const char* name;
    int components;
    bool progressive;
  };
  for (Case c : {Case{"colour", 3, false}, Case{"grey", 1, false}, Case{"progressive", 3, true}}) {
    SCOPED_TRACE(c.name);
    std::vector<uint32_t> px = c.components == 3 ? Quadrants(16) : std::vector<uint32_t>(256, 0x80);
    Bytes file = fixtures::MakeJpeg(16, 16, px, c.components, c.progressive);
    ASSERT_FALSE(file.empty());
    DecodedPicture out;
    std::string error;
    ASSERT_TRUE(DecodePicture(file.data(), file.size(), &out, &error)) << error;
    EXPECT_EQ(out.width, 16);
    EXPECT_EQ(out.height, 16);
    EXPECT_FALSE(out.hasAlpha);
    std::vector<uint32_t> want = px;
    if (c.components == 1) want.assign(256, 0x808080);
    ExpectNear(out, want, 8);
  }
}

TEST(DecodeJpeg, RejectsBrokenFilesWithoutExiting) {
  const Bytes good = fixtures::MakeJpeg(16, 16, Quadrants(16));
  ASSERT_GT(good.size(), 100u);
  for (size_t cut : {size_t{3}, size_t{20}, good.size() / 2, good.size() - 2}) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    ExpectRejected(fixtures::Truncated(good, cut));
  }
  // The frame header (SOF0: FF C0, length, precision, height, width) with a huge size.
  size_t sof = 0;
  for (size_t i = 2; i + 9 < good.size(); ++i) {
    if (good[i] == 0xFF && good[i + 1] == 0xC0) {
      sof = i;
      break;
    }
  }
  ASSERT_NE(sof, 0u);
  struct SizeCase {
    int width, height;
  };
  for (SizeCase s : {SizeCase{9000, 16}, SizeCase{16, 9000}, SizeCase{0, 16}}) {
    SCOPED_TRACE(std::to_string(s.width) + "x" + std::to_string(s.height));
    Bytes bad = good;
    bad[sof + 5] = s.height >> 8, bad[sof + 6] = s.height & 0xFF;
    bad[sof + 7] = s.width >> 8, bad[sof + 8] = s.width & 0xFF;
    ExpectRejected(bad);
  }
  {
    SCOPED_TRACE("garbage after the start marker");
    Bytes bad = {0xFF, 0xD8, 0xFF, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07};
    ExpectRejected(bad);
  }
}

// ---- BMP -------------------------------------------------------------------

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes b;
  for (const Bytes& p : parts) b.insert(b.end(), p.begin(), p.end());
  return b;
}

fixtures::BmpLayout Bmp(int32_t w, int32_t h, int bpp, Bytes pixels,
                      std::vector<uint32_t> palette = {}, uint32_t compression = 0) {
  fixtures::BmpLayout s;
  s.width = w;
  s.height = h;
  s.bpp = bpp;
  s.pixels = std::move(pixels);
  s.palette = std::move(palette);
  s.compression = compression;
  return s;
}

struct BmpCase {
  const char* name;
  fixtures::BmpLayout layout;
  Expected want;
};

std::vector<BmpCase> BmpCases() {
  using fixtures::BmpRow;
  const std::vector<uint32_t> pal = {0x112233, 0x445566, 0x778899, 0xAABBCC, 0xDDEEFF, 0x010203};
  auto P = [&](int i) { return 0xFF000000u | pal[i]; };
  std::vector<BmpCase> cases;
  // Rows: A B C over D E F.  Bottom-up files store D E F first.
  const Bytes top = BmpRow({1, 2, 3, 4, 5, 6, 7, 8, 9});
  const Bytes bottom = BmpRow({10, 11, 12, 13, 14, 15, 16, 17, 18});
  const Expected abcdef{3, 2, false,
                        {0xFF030201, 0xFF060504, 0xFF090807, 0xFF0C0B0A, 0xFF0F0E0D, 0xFF121110}};
  cases.push_back({"rgb24_bottom_up", Bmp(3, 2, 24, Cat({bottom, top})), abcdef});
  cases.push_back({"rgb24_top_down", Bmp(3, -2, 24, Cat({top, bottom})), abcdef});
  cases.push_back({"rgb32_alpha", Bmp(2, 1, 32, {1, 2, 3, 0x80, 4, 5, 6, 0}),
                   {2, 1, true, {0x80030201, 0x00060504}}});
  cases.push_back({"rgb32_zero_alpha_is_opaque", Bmp(2, 1, 32, {1, 2, 3, 0, 4, 5, 6, 0}),
                   {2, 1, false, {0xFF030201, 0xFF060504}}});
  cases.push_back({"palette8", Bmp(3, 1, 8, BmpRow({2, 0, 1}), {pal[0], pal[1], pal[2]}),
                   {3, 1, false, {P(2), P(0), P(1)}}});
  cases.push_back({"palette4", Bmp(3, 1, 4, BmpRow({0x21, 0x00}), {pal[0], pal[1], pal[2]}),
                   {3, 1, false, {P(2), P(1), P(0)}}});
  cases.push_back({"palette1", Bmp(10, 1, 1, BmpRow({0xA0, 0xC0}), {0x000000, 0xFFFFFF}),
                   {10, 1, false,
                    {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFF000000, 0xFF000000,
                     0xFF000000, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF}}});
  // RLE8, 4x3 bottom-up: a run; literal pixels then a run; a move then a run.
  cases.push_back({"rle8",
                   Bmp(4, 3, 8,
                       {4, 1, 0, 0,                          // bottom row: 1 1 1 1, end of line
                        0, 3, 2, 1, 2, 0, 1, 0, 0, 0,        // 2 1 2 (padded), then 0
                        0, 2, 2, 0, 2, 2, 0, 1},             // skip 2, then 2 2, end
                       {pal[0], pal[1], pal[2]}, 1),
                   {4, 3, false,
                    {P(0), P(0), P(2), P(2), P(2), P(1), P(2), P(0), P(1), P(1), P(1), P(1)}}});
  cases.push_back({"rle4",
                   Bmp(8, 1, 4, {3, 0x12, 0, 5, 0x34, 0x53, 0x40, 0, 0, 1}, pal, 2),
                   {8, 1, false, {P(1), P(2), P(1), P(3), P(4), P(5), P(3), P(4)}}});
  cases.push_back({"rgb16_555", Bmp(2, 1, 16, {0x00, 0x7C, 0x1F, 0x00}),
                   {2, 1, false, {0xFFFF0000, 0xFF0000FF}}});
  {
    auto s = Bmp(2, 1, 16, {0xE0, 0x07, 0x10, 0x84}, {}, 3);
    s.masks = {0xF800, 0x07E0, 0x001F};
    cases.push_back({"bitfields565", s, {2, 1, false, {0xFF00FF00, 0xFF848284}}});
  }
  {
    auto s = Bmp(1, 1, 32, {0x11, 0x22, 0x33, 0x44}, {}, 6);
    s.masks = {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF};  // B G R A order, reversed
    cases.push_back({"alpha_bitfields", s, {1, 1, true, {0x11223344}}});
  }
  return cases;
}

TEST(DecodeBmp, DecodesEveryLayout) {
  for (const BmpCase& c : BmpCases()) {
    SCOPED_TRACE(c.name);
    ExpectDecodes(fixtures::MakeBmp(c.layout), c.want);
  }
}

TEST(DecodeBmp, RejectsBrokenFiles) {
  using fixtures::BmpRow;
  const std::vector<uint32_t> pal3 = {0x111111, 0x222222, 0x333333};
  const Bytes rgb = fixtures::MakeBmp(Bmp(3, 2, 24, Cat({BmpRow({1, 2, 3, 4, 5, 6, 7, 8, 9}),
                                                         BmpRow({1, 2, 3, 4, 5, 6, 7, 8, 9})})));
  const Bytes indexed = fixtures::MakeBmp(Bmp(3, 1, 8, BmpRow({0, 1, 2}), pal3));
  struct Case {
    const char* name;
    Bytes file;
  };
  std::vector<Case> cases = {
      {"cut in the file header", fixtures::Truncated(rgb, 10)},
      {"cut in the info header", fixtures::Truncated(rgb, 30)},
      {"cut in the last row", fixtures::Truncated(rgb, rgb.size() - 4)},
      {"cut in the palette", fixtures::Truncated(indexed, 14 + 40 + 6)},
      {"zero width", fixtures::MakeBmp(Bmp(0, 1, 24, BmpRow({1, 2, 3})))},
      {"too wide", fixtures::MakeBmp(Bmp(9000, 1, 24, BmpRow({1, 2, 3})))},
      {"too tall, top-down", fixtures::MakeBmp(Bmp(1, -9000, 24, BmpRow({1, 2, 3})))},
      {"most negative height", fixtures::MakeBmp(Bmp(1, INT_MIN, 24, BmpRow({1, 2, 3})))},
      {"too many pixels", fixtures::MakeBmp(Bmp(8192, 8193, 24, BmpRow({1, 2, 3})))},
      {"unsupported compression", fixtures::MakeBmp(Bmp(1, 1, 24, BmpRow({1, 2, 3}), {}, 4))},
      {"RLE8 on 24 bits", fixtures::MakeBmp(Bmp(1, 1, 24, {1, 1, 0, 1}, {}, 1))},
      {"unsupported depth", fixtures::MakeBmp(Bmp(1, 1, 2, BmpRow({0}), {0, 0, 0, 0}))},
      {"RLE run past the row", fixtures::MakeBmp(Bmp(4, 1, 8, {5, 1, 0, 1}, pal3, 1))},
      {"RLE literal past the row",
       fixtures::MakeBmp(Bmp(2, 1, 8, {0, 3, 1, 1, 1, 0, 0, 1}, pal3, 1))},
      {"RLE4 run past the row", fixtures::MakeBmp(Bmp(3, 1, 4, {4, 0x11, 0, 1}, pal3, 2))},
      {"RLE move out of the picture", fixtures::MakeBmp(Bmp(4, 1, 8, {0, 2, 5, 0, 0, 1}, pal3, 1))},
      {"RLE too many lines",
       fixtures::MakeBmp(Bmp(1, 1, 8, {1, 0, 0, 0, 0, 0, 1, 0, 0, 1}, pal3, 1))},
      {"RLE ends early", fixtures::MakeBmp(Bmp(4, 2, 8, {4, 1, 0, 0}, pal3, 1))},
      {"RLE literal cut short", fixtures::MakeBmp(Bmp(4, 1, 8, {0, 4, 1, 1}, pal3, 1))},
      {"RLE palette index out of range", fixtures::MakeBmp(Bmp(2, 1, 8, {2, 7, 0, 1}, pal3, 1))},
  };
  {
    Bytes bad = indexed;
    fixtures::Set32(&bad, 10, 5000);  // pixel data offset past the end
    cases.push_back({"pixel offset past the end", bad});
  }
  {
    auto s = Bmp(3, 1, 8, BmpRow({0, 1, 2}), pal3);
    s.coloursUsed = 2;  // index 2 is outside the palette
    Bytes bad = fixtures::MakeBmp(s);
    cases.push_back({"palette index out of range", bad});
  }
  {
    auto s = Bmp(3, 1, 8, BmpRow({0, 1, 2}), pal3);
    s.coloursUsed = 300;
    cases.push_back({"more colours than 8 bits hold", fixtures::MakeBmp(s)});
  }
  {
    Bytes bad = rgb;
    fixtures::Set16(&bad, 26, 2);
    cases.push_back({"two planes", bad});
  }
  {
    Bytes bad = rgb;
    fixtures::Set32(&bad, 14, 20);
    cases.push_back({"unknown header size", bad});
  }
  {
    auto s = Bmp(1, 1, 16, {0, 0}, {}, 3);
    s.masks = {0xF0F0, 0x0F00, 0x000F};
    cases.push_back({"gappy bit mask", fixtures::MakeBmp(s)});
  }
  {
    auto s = Bmp(1, 1, 16, {0, 0}, {}, 3);
    s.masks = {0xF800, 0x07E0};  // third mask missing
    cases.push_back({"masks cut short", fixtures::Truncated(fixtures::MakeBmp(s), 14 + 40 + 8)});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectRejected(c.file);
  }
}

// ---- TGA -------------------------------------------------------------------

fixtures::TgaLayout Tga(int type, int w, int h, int depth, int descriptor, Bytes pixels) {
  fixtures::TgaLayout s;
  s.type = type;
  s.width = w;
  s.height = h;
  s.depth = depth;
  s.descriptor = descriptor;
  s.pixels = std::move(pixels);
  return s;
}

fixtures::TgaLayout Mapped(int type, int w, int h, Bytes pixels, int first, int depth, Bytes map) {
  auto s = Tga(type, w, h, 8, 0x20, std::move(pixels));
  s.hasMap = true;
  s.mapFirst = first;
  s.mapDepth = depth;
  s.mapLength = static_cast<int>(map.size() / ((depth + 7) / 8));
  s.map = std::move(map);
  return s;
}

struct TgaCase {
  const char* name;
  fixtures::TgaLayout layout;
  Expected want;
};

std::vector<TgaCase> TgaCases() {
  // A B over C D, in BGR.
  const Bytes A = {1, 2, 3}, B = {4, 5, 6}, C = {7, 8, 9}, D = {10, 11, 12};
  const Expected abcd{2, 2, false, {0xFF030201, 0xFF060504, 0xFF090807, 0xFF0C0B0A}};
  const Bytes map24 = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60};  // two BGR entries
  std::vector<TgaCase> cases;
  cases.push_back({"rgb24_bottom_left", Tga(2, 2, 2, 24, 0x00, Cat({C, D, A, B})), abcd});
  cases.push_back({"rgb24_top_left", Tga(2, 2, 2, 24, 0x20, Cat({A, B, C, D})), abcd});
  cases.push_back({"rgb24_top_right", Tga(2, 2, 2, 24, 0x30, Cat({B, A, D, C})), abcd});
  cases.push_back({"rgb24_bottom_right", Tga(2, 2, 2, 24, 0x10, Cat({D, C, B, A})), abcd});
  cases.push_back({"rgba32", Tga(2, 2, 1, 32, 0x28, {1, 2, 3, 0x40, 4, 5, 6, 0}),
                   {2, 1, true, {0x40030201, 0x00060504}}});
  cases.push_back({"rgba32_zero_alpha_is_opaque", Tga(2, 2, 1, 32, 0x20, {1, 2, 3, 0, 4, 5, 6, 0}),
                   {2, 1, false, {0xFF030201, 0xFF060504}}});
  cases.push_back({"rgb16", Tga(2, 2, 1, 16, 0x20, {0x00, 0x7C, 0x1F, 0x00}),
                   {2, 1, false, {0xFFFF0000, 0xFF0000FF}}});
  cases.push_back({"grey8", Tga(3, 3, 1, 8, 0x20, {0, 0x80, 0xFF}),
                   {3, 1, false, {0xFF000000, 0xFF808080, 0xFFFFFFFF}}});
  cases.push_back({"mapped_offset_first_entry", Mapped(1, 3, 1, {2, 3, 3}, 2, 24, map24),
                   {3, 1, false, {0xFF302010, 0xFF605040, 0xFF605040}}});
  cases.push_back({"mapped_alpha_entries",
                   Mapped(1, 2, 1, {0, 1}, 0, 32, {1, 2, 3, 0x80, 4, 5, 6, 0xFF}),
                   {2, 1, true, {0x80030201, 0xFF060504}}});
  // Runs may carry on into the next row.
  cases.push_back({"rle_rgb24_run_across_rows",
                   Tga(10, 3, 2, 24, 0x20, Cat({{0x83}, A, {0x01}, B, C})),
                   {3, 2, false,
                    {0xFF030201, 0xFF030201, 0xFF030201, 0xFF030201, 0xFF060504, 0xFF090807}}});
  cases.push_back({"rle_grey", Tga(11, 4, 1, 8, 0x20, {0x81, 0x10, 0x01, 0x20, 0x30}),
                   {4, 1, false, {0xFF101010, 0xFF101010, 0xFF202020, 0xFF303030}}});
  cases.push_back({"rle_mapped", Mapped(9, 3, 1, {0x82, 1}, 0, 24, map24),
                   {3, 1, false, {0xFF605040, 0xFF605040, 0xFF605040}}});
  {
    auto s = Tga(2, 1, 1, 24, 0, A);
    s.id = {'a', 'b', 'c'};
    s.hasMap = true;  // a colour map in a true-colour picture is skipped
    s.mapLength = 2;
    s.map = map24;
    cases.push_back({"id_and_unused_map", s, {1, 1, false, {0xFF030201}}});
  }
  return cases;
}

TEST(DecodeTga, DecodesEveryLayout) {
  for (const TgaCase& c : TgaCases()) {
    SCOPED_TRACE(c.name);
    ExpectDecodes(fixtures::MakeTga(c.layout), c.want);
  }
}

TEST(DecodeTga, RejectsBrokenFiles) {
  const Bytes map24 = {0x10, 0x20, 0x30, 0x40, 0x50, 0x60};
  const Bytes rgb = fixtures::MakeTga(Tga(2, 2, 2, 24, 0, Bytes(12, 9)));
  struct Case {
    const char* name;
    Bytes file;
  };
  std::vector<Case> cases = {
      {"cut in the header", fixtures::Truncated(rgb, 17)},
      {"cut in the pixels", fixtures::Truncated(rgb, rgb.size() - 1)},
      {"zero width", fixtures::MakeTga(Tga(2, 0, 2, 24, 0, Bytes(12, 9)))},
      {"too wide", fixtures::MakeTga(Tga(2, 9000, 1, 24, 0, Bytes(12, 9)))},
      {"too tall", fixtures::MakeTga(Tga(3, 1, 8193, 8, 0, Bytes(12, 9)))},
      {"RLE run past the end", fixtures::MakeTga(Tga(10, 2, 2, 24, 0, {0x84, 1, 2, 3}))},
      {"RLE raw packet past the end",
       fixtures::MakeTga(Tga(11, 2, 1, 8, 0, {0x00, 5, 0x02, 1, 2, 3}))},
      {"RLE data cut short", fixtures::MakeTga(Tga(10, 4, 2, 24, 0, {0x83, 1, 2, 3}))},
      {"RLE packet missing its pixel", fixtures::MakeTga(Tga(11, 1, 1, 8, 0, {0x80}))},
      {"index above the map", fixtures::MakeTga(Mapped(1, 2, 1, {2, 4}, 2, 24, map24))},
      {"index below the map", fixtures::MakeTga(Mapped(1, 2, 1, {2, 1}, 2, 24, map24))},
      {"RLE index out of range", fixtures::MakeTga(Mapped(9, 2, 1, {0x81, 9}, 0, 24, map24))},
      {"colour map cut short",
       fixtures::Truncated(fixtures::MakeTga(Mapped(1, 1, 1, {0}, 0, 24, map24)), 18 + 4)},
      {"grey at 16 bits", fixtures::MakeTga(Tga(3, 1, 1, 16, 0, {1, 2}))},
      {"colour-mapped at 24 bits", fixtures::MakeTga(Tga(1, 1, 1, 24, 0, {1, 2, 3}))},
  };
  {
    auto s = Tga(1, 1, 1, 8, 0, {0});  // colour-mapped without a map
    cases.push_back({"map missing", fixtures::MakeTga(s)});
  }
  {
    auto s = Mapped(1, 1, 1, {0}, 0, 24, map24);
    s.mapDepth = 8;
    cases.push_back({"map of 8-bit entries", fixtures::MakeTga(s)});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectRejected(c.file);
  }
}

// ---- Sniffing --------------------------------------------------------------

TEST(DecodePicture, SniffsTheFormatAndRejectsUnknownData) {
  // A PNG that happens to start with BMP-like bytes further on still decodes as PNG;
  // anything with no signature and no plausible TGA header is refused.
  struct Case {
    const char* name;
    Bytes file;
  };
  const std::vector<Case> unknown = {
      {"empty", {}},
      {"three bytes", {1, 2, 3}},
      {"GIF", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"text", Bytes(40, 'x')},
  };
  for (const Case& c : unknown) {
    SCOPED_TRACE(c.name);
    ExpectRejected(c.file);
  }
  DecodedPicture out;
  std::string error;
  EXPECT_FALSE(DecodePicture(nullptr, 0, &out, &error));
  EXPECT_FALSE(DecodePicture(nullptr, 0, nullptr, nullptr));
}

}  // namespace
