// Drawing helpers shared by the picture generators: the game's palette, cells
// of frame strips laid out as the loader cuts them, soft outlined shapes, and a
// seeded random source so that every build draws the same pixels.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace art {

struct Rgb {
  double r = 0, g = 0, b = 0;
};

// 0xRRGGBB to a colour.
Rgb Hex(uint32_t rgb);
// Lighter (factor > 1, towards white) or darker (factor < 1, towards black).
Rgb Shade(Rgb colour, double factor);
// Linear mix: 0 gives a, 1 gives b.
Rgb Mix(Rgb a, Rgb b, double t);

namespace palette {
constexpr uint32_t kMeadowLight = 0x7fb04a;
constexpr uint32_t kMeadow = 0x5e9438;
constexpr uint32_t kMeadowDark = 0x3f6e2a;
constexpr uint32_t kSkyHigh = 0x9fd3f0;
constexpr uint32_t kSkyLow = 0xd8f0fb;
constexpr uint32_t kWool = 0xf6f1e4;
constexpr uint32_t kWoolShade = 0xd9cfb8;
constexpr uint32_t kDarkWool = 0x3b3430;
constexpr uint32_t kDogTan = 0xc98a4b;
constexpr uint32_t kDogWhite = 0xf4efe6;
constexpr uint32_t kWolfGrey = 0x7d7f86;
constexpr uint32_t kWolfDark = 0x54565c;
constexpr uint32_t kWood = 0x9a6b3f;
constexpr uint32_t kParchment = 0xf3e6c4;
constexpr uint32_t kFrame = 0x8a5a2b;
constexpr uint32_t kGold = 0xf2c14e;
}  // namespace palette

void SetColour(cairo_t* cr, Rgb colour, double alpha = 1.0);

// Fills the current path with `fill` and strokes it with a darker shade of the
// fill (the soft outline of the style); the path is consumed.
void FillOutlined(cairo_t* cr, Rgb fill, double outlineWidth = 1.6);
// Fills the current path with a radial light from the top left: `fill` in the
// middle, lighter towards the light, darker away from it; the path is kept.
// (x, y, radius) is the shape's rough centre and size.
void FillShaded(cairo_t* cr, Rgb fill, double x, double y, double radius);
// Both: shaded fill, then the outline; the path is consumed.
void FillShadedOutlined(cairo_t* cr, Rgb fill, double x, double y, double radius,
                        double outlineWidth = 1.6);

// Adds an ellipse to the path.
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
// Adds a rectangle with rounded corners to the path.
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);

// A picture of its own (a background, a button) written as one PNG.
class Picture {
 public:
  Picture(int width, int height);
  ~Picture();
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  cairo_t* Context() const { return cr_; }
  cairo_surface_t* Surface() const { return surface_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Writes the picture as PNG; false (with a message on stderr) on failure.
  bool Save(const std::string& path) const;

 private:
  int width_, height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// A frame strip: `frames` cells of cellWidth x cellHeight, `across` to a row,
// left to right then top to bottom, which is how the game cuts a strip.
class Strip {
 public:
  Strip(int cellWidth, int cellHeight, int frames, int across = 10);
  // A context whose origin is the top-left corner of cell `index` and which
  // draws only inside it.  Call EndCell() before asking for another.
  cairo_t* BeginCell(int index);
  void EndCell();
  bool Save(const std::string& path) const { return picture_.Save(path); }
  int CellWidth() const { return cellWidth_; }
  int CellHeight() const { return cellHeight_; }
  int Frames() const { return frames_; }

 private:
  int cellWidth_, cellHeight_, frames_, across_;
  Picture picture_;
};

// A small deterministic random source (xorshift), the same on every machine.
class Rng {
 public:
  explicit Rng(uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}
  uint32_t Next();
  double Uniform(double low, double high);

 private:
  uint32_t state_;
};

// Creates the folder and its parents; false on failure.
bool MakeFolders(const std::string& path);

}  // namespace art
