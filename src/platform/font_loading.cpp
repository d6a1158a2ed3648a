// Fonts: the built-in 8x16 font (its cells are generated at build time) and
// TrueType fonts rasterised with FreeType at a pixel size, plus the glyph atlas
// that renderers draw text from.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/builtin_font.h"
#include "platform/services.h"

// Written by tools/make_builtin_font into the build folder.
extern const uint8_t kBuiltinFontCoverage[96][8 * 16];

namespace {
constexpr int kBuiltinFirst = 32;
constexpr int kBuiltinLast = 127;
constexpr int kBuiltinWidth = 8;
constexpr int kBuiltinHeight = 16;

constexpr int kFontFlagSmooth = 4;
constexpr int kMaxFontSize = 512;
constexpr size_t kMaxFontFileBytes = 64u << 20;
constexpr int kFirstLoadedCode = 32;
constexpr int kAtlasPadding = 1;  // transparent gap so filtered sampling does not bleed

std::unique_ptr<Font> MakeBuiltinFont() {
  auto font = std::make_unique<Font>();
  font->lineHeight = kBuiltinHeight;
  font->smooth = true;
  for (int code = kBuiltinFirst; code <= kBuiltinLast; ++code) {
    Glyph& g = font->glyphs[code];
    g.present = true;
    g.advance = kBuiltinWidth;
    g.width = kBuiltinWidth;
    g.height = kBuiltinHeight;
    const uint8_t* cell = kBuiltinFontCoverage[code - kBuiltinFirst];
    g.coverage.assign(cell, cell + kBuiltinWidth * kBuiltinHeight);
  }
  BuildFontAtlas(*font);
  return font;
}

bool ReadFontFile(const std::string& path, std::vector<uint8_t>* out) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  out->clear();
  uint8_t buffer[65536];
  bool ok = true;
  for (;;) {
    size_t n = std::fread(buffer, 1, sizeof buffer, f);
    if (n > 0) {
      if (out->size() + n > kMaxFontFileBytes) {
        ok = false;
        break;
      }
      out->insert(out->end(), buffer, buffer + n);
    }
    if (n < sizeof buffer) {
      ok = std::ferror(f) == 0;
      break;
    }
  }
  std::fclose(f);
  return ok && !out->empty();
}

// Copies a rendered FreeType bitmap into coverage values; monochrome bitmaps
// (one bit a pixel) become 0 or 255.
bool CopyBitmap(const FT_Bitmap& bm, Glyph* g) {
  g->width = static_cast<int>(bm.width);
  g->height = static_cast<int>(bm.rows);
  g->coverage.assign(static_cast<size_t>(g->width) * g->height, 0);
  for (int y = 0; y < g->height; ++y) {
    const unsigned char* row = bm.buffer + static_cast<long>(y) * bm.pitch;
    uint8_t* dst = g->coverage.data() + static_cast<size_t>(y) * g->width;
    for (int x = 0; x < g->width; ++x) {
      switch (bm.pixel_mode) {
        case FT_PIXEL_MODE_MONO:
          dst[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
          break;
        case FT_PIXEL_MODE_GRAY: {
          const int levels = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
          dst[x] = static_cast<uint8_t>(row[x] * 255 / levels);
          break;
        }
        default:
          return false;
      }
    }
  }
  return true;
}

// Rasterises the 8-bit codes 32..255 (Latin-1, which are also the first 256
// Unicode code points).  Symbol fonts without a Unicode map keep their
// characters at 0xF000 + code.
bool RasteriseFace(FT_Face face, int size, bool smooth, Font* font) {
  bool symbolMap = false;
  if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0) {
    if (FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL) != 0) return false;
    symbolMap = true;
  }
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size)) != 0) return false;

  const FT_Size_Metrics& metrics = face->size->metrics;
  const long ascender = metrics.ascender;   // 26.6 pixels above the baseline
  const long descender = metrics.descender; // 26.6, negative below it
  const int ascentPx = static_cast<int>((ascender + 63) >> 6);
  font->lineHeight = std::max(1, static_cast<int>((ascender - descender + 63) >> 6));
  font->smooth = smooth;

  const FT_Int32 loadFlags =
      smooth ? (FT_LOAD_DEFAULT | FT_LOAD_RENDER)
             : (FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME);
  for (int code = kFirstLoadedCode; code < 256; ++code) {
    const FT_ULong charCode = symbolMap ? 0xF000u + code : static_cast<FT_ULong>(code);
    const FT_UInt index = FT_Get_Char_Index(face, charCode);
    if (index == 0) continue;
    if (FT_Load_Glyph(face, index, loadFlags) != 0) continue;
    const FT_GlyphSlot slot = face->glyph;
    Glyph& g = font->glyphs[code];
    if (!CopyBitmap(slot->bitmap, &g)) {
      g = Glyph();
      continue;
    }
    g.present = true;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    g.offsetX = slot->bitmap_left;
    g.offsetY = ascentPx - slot->bitmap_top;  // from the line top, not the baseline
  }
  return true;
}

std::unique_ptr<Font> LoadFontFromMemory(const std::vector<uint8_t>& data, int size,
                                         bool smooth) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return nullptr;
  auto font = std::make_unique<Font>();
  FT_Face face = nullptr;
  bool ok = FT_New_Memory_Face(library, data.data(), static_cast<FT_Long>(data.size()), 0,
                               &face) == 0;
  if (ok) {
    ok = FT_IS_SCALABLE(face) && RasteriseFace(face, size, smooth, font.get());
    FT_Done_Face(face);
  }
  FT_Done_FreeType(library);
  if (!ok) return nullptr;
  BuildFontAtlas(*font);
  return font;
}
}  // namespace

const Font* BuiltinFont() {
  static const std::unique_ptr<Font> font = MakeBuiltinFont();
  return font.get();
}

int FontTextWidth(const Font& font, const std::string& text) {
  int width = 0;
  for (unsigned char c : text) {
    if (font.glyphs[c].present) width += font.glyphs[c].advance;
  }
  return width;
}

// Shelf packing: glyphs in code order, left to right in rows of a roughly
// square atlas, each with a transparent gap around it.
void BuildFontAtlas(Font& font) {
  long area = 0;
  int widest = 0;
  for (const Glyph& g : font.glyphs) {
    if (!g.present || g.width <= 0 || g.height <= 0) continue;
    area += static_cast<long>(g.width + kAtlasPadding) * (g.height + kAtlasPadding);
    widest = std::max(widest, g.width);
  }
  int atlasWidth = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(area))));
  atlasWidth = std::max({atlasWidth, widest + 2 * kAtlasPadding, 16});
  atlasWidth = (atlasWidth + 3) & ~3;

  int x = kAtlasPadding, y = kAtlasPadding, rowHeight = 0;
  for (int code = 0; code < 256; ++code) {
    const Glyph& g = font.glyphs[code];
    font.atlasX[code] = 0;
    font.atlasY[code] = 0;
    if (!g.present || g.width <= 0 || g.height <= 0) continue;
    if (x + g.width + kAtlasPadding > atlasWidth) {
      x = kAtlasPadding;
      y += rowHeight + kAtlasPadding;
      rowHeight = 0;
    }
    font.atlasX[code] = x;
    font.atlasY[code] = y;
    x += g.width + kAtlasPadding;
    rowHeight = std::max(rowHeight, g.height);
  }
  const int atlasHeight = y + rowHeight + kAtlasPadding;

  auto atlas = std::make_unique<Image>();
  atlas->width = atlasWidth;
  atlas->height = atlasHeight;
  atlas->frames = 1;
  atlas->masked = false;
  atlas->filtered = font.smooth;
  atlas->pixels.assign(static_cast<size_t>(atlasWidth) * atlasHeight, 0x00FFFFFFu);
  for (int code = 0; code < 256; ++code) {
    const Glyph& g = font.glyphs[code];
    if (!g.present || g.width <= 0 || g.height <= 0) continue;
    for (int gy = 0; gy < g.height; ++gy) {
      uint32_t* dst = atlas->pixels.data() +
                      static_cast<size_t>(font.atlasY[code] + gy) * atlasWidth + font.atlasX[code];
      const uint8_t* src = g.coverage.data() + static_cast<size_t>(gy) * g.width;
      for (int gx = 0; gx < g.width; ++gx) {
        dst[gx] = (static_cast<uint32_t>(src[gx]) << 24) | 0x00FFFFFFu;
      }
    }
  }
  font.atlas = std::move(atlas);
}

Font* LoadFontFile(const std::string& path, int size, int flags) {
  if (size <= 0 || size > kMaxFontSize) return nullptr;
  std::vector<uint8_t> data;
  if (!ReadFontFile(ResolvePath(path), &data)) return nullptr;
  // The file buffer is needed only while FreeType rasterises from it.
  return LoadFontFromMemory(data, size, (flags & kFontFlagSmooth) != 0).release();
}
