// The built-in font, TrueType fonts loaded with FreeType, and their atlases.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/builtin_font.h"
#include "platform/services.h"

namespace {

const char kSansPath[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kSmooth = 4;

int LitPixels(const Glyph& g) {
  int lit = 0;
  for (uint8_t c : g.coverage) lit += c > 0;
  return lit;
}

// Every present glyph's coverage must appear in the atlas at its cell as white
// pixels with alpha = coverage, and nothing else may be drawn in the atlas.
void ExpectAtlasMatchesGlyphs(const Font& font) {
  ASSERT_NE(font.atlas, nullptr);
  const Image& atlas = *font.atlas;
  ASSERT_EQ(atlas.frames, 1);
  ASSERT_EQ(atlas.pixels.size(), static_cast<size_t>(atlas.width) * atlas.height);
  long glyphAlpha = 0;
  for (int code = 0; code < 256; ++code) {
    const Glyph& g = font.glyphs[code];
    if (!g.present) continue;
    ASSERT_EQ(g.coverage.size(), static_cast<size_t>(g.width) * g.height) << code;
    if (g.width == 0 || g.height == 0) continue;
    ASSERT_GE(font.atlasX[code], 0);
    ASSERT_GE(font.atlasY[code], 0);
    ASSERT_LE(font.atlasX[code] + g.width, atlas.width) << code;
    ASSERT_LE(font.atlasY[code] + g.height, atlas.height) << code;
    for (int y = 0; y < g.height; ++y) {
      for (int x = 0; x < g.width; ++x) {
        const uint32_t p =
            atlas.pixels[(font.atlasY[code] + y) * atlas.width + font.atlasX[code] + x];
        const uint8_t c = g.coverage[y * g.width + x];
        ASSERT_EQ(p, (static_cast<uint32_t>(c) << 24) | 0xFFFFFFu)
            << "code " << code << " at " << x << "," << y;
        glyphAlpha += c;
      }
    }
  }
  long atlasAlpha = 0;
  for (uint32_t p : atlas.pixels) atlasAlpha += p >> 24;
  EXPECT_EQ(atlasAlpha, glyphAlpha);
}

std::unique_ptr<Font> Load(const std::string& path, int size, int flags = kSmooth) {
  return std::unique_ptr<Font>(LoadFontFile(path, size, flags));
}

TEST(BuiltinFontTest, CoversCodes32To127InEightBySixteenCells) {
  const Font* font = BuiltinFont();
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->lineHeight, 16);
  for (int code = 0; code < 256; ++code) {
    const Glyph& g = font->glyphs[code];
    if (code < 32 || code > 127) {
      EXPECT_FALSE(g.present) << code;
      continue;
    }
    EXPECT_TRUE(g.present) << code;
    EXPECT_EQ(g.advance, 8) << code;
    EXPECT_GE(g.offsetX, 0) << code;
    EXPECT_GE(g.offsetY, 0) << code;
    EXPECT_LE(g.offsetX + g.width, 8) << code;
    EXPECT_LE(g.offsetY + g.height, 16) << code;
  }
  EXPECT_EQ(BuiltinFont(), font);  // made once
}

TEST(BuiltinFontTest, VisibleCharactersHavePixelsAndSpaceHasNone) {
  const Font& font = *BuiltinFont();
  EXPECT_EQ(LitPixels(font.glyphs[' ']), 0);
  for (const char* p = "AZaz09gW@#~!"; *p; ++p) {
    EXPECT_GT(LitPixels(font.glyphs[static_cast<unsigned char>(*p)]), 0) << *p;
  }
  // Anti-aliased: some partial coverage somewhere in 'A'.
  bool partial = false;
  for (uint8_t c : font.glyphs['A'].coverage) partial = partial || (c > 0 && c < 255);
  EXPECT_TRUE(partial);
  // A descender reaches below the bottom of a letter sitting on the baseline.
  auto lowestRow = [&](unsigned char ch) {
    const Glyph& g = font.glyphs[ch];
    int lowest = -1;
    for (int y = 0; y < g.height; ++y) {
      for (int x = 0; x < g.width; ++x) {
        if (g.coverage[y * g.width + x] > 0) lowest = g.offsetY + y;
      }
    }
    return lowest;
  };
  EXPECT_GT(lowestRow('g'), lowestRow('a'));
  EXPECT_LT(lowestRow('a'), 16);
}

TEST(BuiltinFontTest, AtlasMatchesTheGlyphs) { ExpectAtlasMatchesGlyphs(*BuiltinFont()); }

TEST(FontTextWidthTest, SumsAdvancesAndSkipsMissingCharacters) {
  const Font& builtin = *BuiltinFont();
  EXPECT_EQ(FontTextWidth(builtin, ""), 0);
  EXPECT_EQ(FontTextWidth(builtin, "Baa!"), 32);
  // Tab (9) and 0xE9 are not in the built-in font.
  EXPECT_EQ(FontTextWidth(builtin, std::string("a\tb\xE9") + "c"), 24);

  Font font;
  font.glyphs['a'].present = true;
  font.glyphs['a'].advance = 5;
  font.glyphs['b'].advance = 9;  // not present: must not count
  font.glyphs[0xFF].present = true;
  font.glyphs[0xFF].advance = 7;
  EXPECT_EQ(FontTextWidth(font, std::string("aba\xFF")), 17);
}

class LoadFontFileTest : public ::testing::Test {
 protected:
  void TearDown() override { SetDataFolder(""); }
  static std::string TempFile(const std::string& name, const std::string& contents) {
    std::filesystem::path dir = std::filesystem::path(FLEECEWICK_TEST_TMP) / "font_test";
    std::filesystem::create_directories(dir);
    std::string path = (dir / name).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f) {
      std::fwrite(contents.data(), 1, contents.size(), f);
      std::fclose(f);
    }
    return path;
  }
};

TEST_F(LoadFontFileTest, RasterisesLatin1CharactersAtTheGivenSize) {
  auto small = Load(kSansPath, 12);
  auto large = Load(kSansPath, 32);
  ASSERT_NE(small, nullptr);
  ASSERT_NE(large, nullptr);
  EXPECT_GT(large->lineHeight, small->lineHeight);
  EXPECT_GE(large->lineHeight, 32);
  EXPECT_LE(large->lineHeight, 48);
  for (const Font* font : {small.get(), large.get()}) {
    EXPECT_GT(font->glyphs['W'].advance, font->glyphs['i'].advance);
    EXPECT_TRUE(font->glyphs[0xE9].present);  // e acute
    EXPECT_GT(LitPixels(font->glyphs[0xE9]), 0);
    EXPECT_TRUE(font->glyphs[' '].present);
    EXPECT_GT(font->glyphs[' '].advance, 0);
    EXPECT_EQ(LitPixels(font->glyphs[' ']), 0);
    for (int code = 0; code < 32; ++code) EXPECT_FALSE(font->glyphs[code].present) << code;
    EXPECT_FALSE(font->glyphs[0x85].present);  // a C1 control code
  }
  EXPECT_GT(large->glyphs['W'].advance, small->glyphs['W'].advance);
}

TEST_F(LoadFontFileTest, OffsetsAreFromTheLineTop) {
  auto font = Load(kSansPath, 32);
  ASSERT_NE(font, nullptr);
  const Glyph& h = font->glyphs['H'];
  const Glyph& x = font->glyphs['x'];
  const Glyph& g = font->glyphs['g'];
  // Letters on the baseline end on the same row; the line top is above them.
  EXPECT_EQ(h.offsetY + h.height, x.offsetY + x.height);
  EXPECT_GT(h.offsetY, 0);
  EXPECT_GT(x.offsetY, h.offsetY);
  EXPECT_GT(g.offsetY + g.height, x.offsetY + x.height);
  EXPECT_LE(g.offsetY + g.height, font->lineHeight);
}

TEST_F(LoadFontFileTest, SmoothFlagChoosesAntiAliasedOrMonochromeCoverage) {
  auto smooth = Load(kSansPath, 20, kSmooth);
  auto mono = Load(kSansPath, 20, 0);
  ASSERT_NE(smooth, nullptr);
  ASSERT_NE(mono, nullptr);
  EXPECT_TRUE(smooth->smooth);
  EXPECT_FALSE(mono->smooth);
  EXPECT_TRUE(smooth->atlas->filtered);
  EXPECT_FALSE(mono->atlas->filtered);
  int partialSmooth = 0, partialMono = 0, litMono = 0;
  for (int code = 32; code < 256; ++code) {
    for (uint8_t c : smooth->glyphs[code].coverage) partialSmooth += c > 0 && c < 255;
    for (uint8_t c : mono->glyphs[code].coverage) {
      partialMono += c > 0 && c < 255;
      litMono += c == 255;
    }
  }
  EXPECT_GT(partialSmooth, 0);
  EXPECT_EQ(partialMono, 0);
  EXPECT_GT(litMono, 0);
}

TEST_F(LoadFontFileTest, AtlasMatchesTheGlyphs) {
  for (int flags : {kSmooth, 0}) {
    auto font = Load(kSansPath, 24, flags);
    ASSERT_NE(font, nullptr);
    SCOPED_TRACE(flags);
    ExpectAtlasMatchesGlyphs(*font);
  }
}

TEST_F(LoadFontFileTest, RelativePathsComeFromTheDataFolder) {
  SetDataFolder("/usr/share/fonts/truetype");
  auto font = Load("dejavu\\DejaVuSans.ttf", 16);
  ASSERT_NE(font, nullptr);
  EXPECT_TRUE(font->glyphs['A'].present);
}

TEST_F(LoadFontFileTest, BadFilesAndSizesGiveNull) {
  const std::string garbage = TempFile("garbage.ttf", std::string(4096, '\x5A'));
  const std::string empty = TempFile("empty.ttf", "");
  struct Case {
    const char* name;
    std::string path;
    int size;
  };
  const Case cases[] = {
      {"missing file", "/nonexistent/folder/font.ttf", 16},
      {"garbage file", garbage, 16},
      {"empty file", empty, 16},
      {"a folder", "/usr/share/fonts/truetype/dejavu", 16},
      {"size zero", kSansPath, 0},
      {"negative size", kSansPath, -5},
      {"absurd size", kSansPath, 513},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Load(c.path, c.size), nullptr) << c.name;
  }
}

}  // namespace
