// Build-time generator for the built-in text font: rasterises the character
// codes 32 to 127 of a monospace TrueType font into 8 by 16 pixel anti-aliased
// coverage cells and writes them as a C++ source file.
//
//   make_builtin_font FONT.ttf OUTPUT.cpp
//
// The font is scaled so that its advance width is 8 pixels; the baseline sits
// 12 pixels below the cell top, leaving 4 rows for descenders.  Anything that
// reaches outside the cell is clipped.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {
constexpr int kCellWidth = 8;
constexpr int kCellHeight = 16;
constexpr int kBaseline = 12;  // rows above the baseline
constexpr int kFirstCode = 32;
constexpr int kLastCode = 127;
constexpr int kGlyphCount = kLastCode - kFirstCode + 1;

int Fail(const std::string& message) {
  std::fprintf(stderr, "make_builtin_font: %s\n", message.c_str());
  return 1;
}

// Rasterises one character into a cell; a character the font lacks (like
// code 127, DEL) stays blank.
bool RenderCell(FT_Face face, int code, std::vector<unsigned char>* cell) {
  cell->assign(kCellWidth * kCellHeight, 0);
  FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
  if (index == 0) return true;
  if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT | FT_LOAD_RENDER) != 0) return false;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bm = slot->bitmap;
  if (bm.width == 0 || bm.rows == 0) return true;
  if (bm.pixel_mode != FT_PIXEL_MODE_GRAY) return false;
  // Centre the glyph in the cell when hinting left its advance off 8 pixels.
  const int advance = static_cast<int>((slot->advance.x + 32) >> 6);
  const int left = slot->bitmap_left + (kCellWidth - advance) / 2;
  const int top = kBaseline - slot->bitmap_top;
  const int maxLevel = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
  for (unsigned row = 0; row < bm.rows; ++row) {
    const int y = top + static_cast<int>(row);
    if (y < 0 || y >= kCellHeight) continue;
    const unsigned char* src = bm.buffer + static_cast<long>(row) * bm.pitch;
    for (unsigned col = 0; col < bm.width; ++col) {
      const int x = left + static_cast<int>(col);
      if (x < 0 || x >= kCellWidth) continue;
      (*cell)[y * kCellWidth + x] = static_cast<unsigned char>(src[col] * 255 / maxLevel);
    }
  }
  return true;
}

std::string Describe(int code) {
  if (code == '\\') return "'\\\\'";
  if (code >= 33 && code < 127) return std::string("'") + static_cast<char>(code) + "'";
  return "code " + std::to_string(code);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return Fail("usage: make_builtin_font FONT.ttf OUTPUT.cpp");
  const std::string fontPath = argv[1];
  const std::string outPath = argv[2];

  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) return Fail("cannot start FreeType");
  FT_Face face = nullptr;
  if (FT_New_Face(library, fontPath.c_str(), 0, &face) != 0) {
    FT_Done_FreeType(library);
    return Fail("cannot open font " + fontPath);
  }

  // The em size that makes the (monospace) advance exactly one cell wide.
  int status = 0;
  std::vector<std::vector<unsigned char>> cells(kGlyphCount);
  FT_UInt mIndex = FT_Get_Char_Index(face, 'M');
  if (!FT_IS_SCALABLE(face) || mIndex == 0 ||
      FT_Load_Glyph(face, mIndex, FT_LOAD_NO_SCALE) != 0 || face->glyph->advance.x <= 0) {
    status = Fail("font is not a scalable font with an 'M'");
  } else {
    const double emPixels =
        static_cast<double>(kCellWidth) * face->units_per_EM / face->glyph->advance.x;
    const FT_F26Dot6 charSize = static_cast<FT_F26Dot6>(std::lround(emPixels * 64.0));
    if (FT_Set_Char_Size(face, 0, charSize, 72, 72) != 0) status = Fail("cannot set the size");
  }
  for (int i = 0; status == 0 && i < kGlyphCount; ++i) {
    if (!RenderCell(face, kFirstCode + i, &cells[i])) {
      status = Fail("cannot render " + Describe(kFirstCode + i));
    }
  }
  FT_Done_Face(face);
  FT_Done_FreeType(library);
  if (status != 0) return status;

  // A font that rendered nothing visible would give an unreadable game.
  int lit = 0;
  for (unsigned char c : cells['A' - kFirstCode]) lit += c > 0;
  if (lit == 0) return Fail("'A' came out blank");

  std::FILE* out = std::fopen(outPath.c_str(), "w");
  if (!out) return Fail("cannot write " + outPath);
  std::fprintf(out,
               "// Generated at build time by make_builtin_font; not to be edited.\n"
               "// Coverage (0..255) of the built-in font's 8x16 cells, codes %d..%d.\n"
               "#include <cstdint>\n\n"
               "extern const uint8_t kBuiltinFontCoverage[%d][%d];\n"
               "const uint8_t kBuiltinFontCoverage[%d][%d] = {\n",
               kFirstCode, kLastCode, kGlyphCount, kCellWidth * kCellHeight, kGlyphCount,
               kCellWidth * kCellHeight);
  for (int i = 0; i < kGlyphCount; ++i) {
    std::fprintf(out, "  {  // %s\n", Describe(kFirstCode + i).c_str());
    for (int y = 0; y < kCellHeight; ++y) {
      std::fprintf(out, "   ");
      for (int x = 0; x < kCellWidth; ++x) std::fprintf(out, " %3d,", cells[i][y * kCellWidth + x]);
      std::fprintf(out, "\n");
    }
    std::fprintf(out, "  },\n");
  }
  std::fprintf(out, "};\n");
  bool ok = std::ferror(out) == 0;
  ok = std::fclose(out) == 0 && ok;
  if (!ok) {
    std::remove(outPath.c_str());
    return Fail("error writing " + outPath);
  }
  return 0;
}
