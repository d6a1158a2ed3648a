// The title's falling letters: chunky woolly letters spelling "Fleecewick",
// the first "c" a sheep curled into the letter.  The title screen centres
// each picture at its own height; letters that sit lower there get taller
// pictures with the glyph at the top, so that all glyphs share one baseline
// give or take the intended bounce.
#include <cmath>
#include <functional>
#include <vector>

#include "art_world/groups.h"
#include "art_world/world_common.h"

namespace world {
namespace {

namespace pal = art::palette;

constexpr int kWidth = 76;
constexpr double kRadius = 9.5;

struct Dot {
  double x, y, r;
};

// Samples the current path (flattened) every few pixels; the path is consumed.
std::vector<Dot> SamplePath(cairo_t* cr, art::Rng& rng, double radius) {
  std::vector<Dot> dots;
  cairo_path_t* path = cairo_copy_path_flat(cr);
  cairo_new_path(cr);
  double lx = 0, ly = 0, carry = 0;
  const double step = radius * 0.62;
  for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
    const cairo_path_data_t* d = &path->data[i];
    if (d->header.type == CAIRO_PATH_MOVE_TO) {
      lx = d[1].point.x, ly = d[1].point.y;
      dots.push_back({lx, ly, radius * rng.Uniform(0.92, 1.08)});
      carry = 0;
    } else if (d->header.type == CAIRO_PATH_LINE_TO) {
      const double x = d[1].point.x, y = d[1].point.y;
      const double len = std::hypot(x - lx, y - ly);
      double t = step - carry;
      while (t <= len) {
        dots.push_back({lx + (x - lx) * t / len, ly + (y - ly) * t / len,
                        radius * rng.Uniform(0.9, 1.1)});
        t += step;
      }
      carry = len - (t - step);
      lx = x, ly = y;
    }
  }
  cairo_path_destroy(path);
  return dots;
}

// Draws the dots as a woolly stroke: shadow, outline, shade, wool, highlights.
void Wool(cairo_t* cr, const std::vector<Dot>& dots) {
  const Rgb wool = art::Hex(pal::kWool), shade = art::Hex(pal::kWoolShade);
  const Rgb outline = art::Hex(0x6b5a44);
  for (const Dot& d : dots) art::Ellipse(cr, d.x + 3, d.y + 4, d.r + 2, d.r + 2);
  art::SetColour(cr, art::Rgb{0.1, 0.12, 0.2}, 0.25);
  cairo_fill(cr);
  for (const Dot& d : dots) art::Ellipse(cr, d.x, d.y, d.r + 2.2, d.r + 2.2);
  art::SetColour(cr, outline);
  cairo_fill(cr);
  for (const Dot& d : dots) art::Ellipse(cr, d.x, d.y, d.r, d.r);
  art::SetColour(cr, shade);
  cairo_fill(cr);
  for (const Dot& d : dots) art::Ellipse(cr, d.x - 1.2, d.y - 1.6, d.r - 2.2, d.r - 2.4);
  art::SetColour(cr, wool);
  cairo_fill(cr);
  for (size_t i = 0; i < dots.size(); i += 2) {
    const Dot& d = dots[i];
    art::Ellipse(cr, d.x - d.r * 0.38, d.y - d.r * 0.42, d.r * 0.3, d.r * 0.26);
  }
  art::SetColour(cr, art::Rgb{1, 1, 1}, 0.8);
  cairo_fill(cr);
}

// Glyph skeletons in a 76 by 100 box: baseline 90, x-height 40, ascender 8.
void SkeletonF(cairo_t* cr) {
  cairo_move_to(cr, 26, 90); cairo_line_to(cr, 26, 12); cairo_line_to(cr, 62, 12);
  cairo_move_to(cr, 26, 50); cairo_line_to(cr, 54, 50);
}
void SkeletonL(cairo_t* cr) {
  cairo_move_to(cr, 36, 8);
  cairo_line_to(cr, 36, 78);
  cairo_curve_to(cr, 36, 88, 42, 91, 50, 89);
}
void SkeletonE(cairo_t* cr) {
  cairo_move_to(cr, 17, 64);
  cairo_line_to(cr, 59, 64);
  cairo_arc_negative(cr, 38, 65, 21, 0, 0.8);
}
void SkeletonC(cairo_t* cr) {
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, 39, 65, 22, -0.8, 0.8);
}
void SkeletonW(cairo_t* cr) {
  cairo_move_to(cr, 11, 42); cairo_line_to(cr, 23, 88); cairo_line_to(cr, 38, 56);
  cairo_line_to(cr, 53, 88); cairo_line_to(cr, 65, 42);
}
void SkeletonI(cairo_t* cr) {
  cairo_move_to(cr, 38, 46);
  cairo_line_to(cr, 38, 90);
}
void SkeletonK(cairo_t* cr) {
  cairo_move_to(cr, 22, 8); cairo_line_to(cr, 22, 90);
  cairo_move_to(cr, 58, 42); cairo_line_to(cr, 25, 68);
  cairo_move_to(cr, 35, 61); cairo_line_to(cr, 58, 90);
}

// A sheep curled into a "c": the fleece is the letter, its face at the top
// end, its tail at the bottom end and its legs tucked into the curl (legs
// hanging below the letter would read as a cedilla).
void SheepC(cairo_t* cr, art::Rng& rng) {
  const Rgb face = art::Hex(pal::kDarkWool);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // Drawn first, so the fleece covers where they join the body.
  const double legs[][4] = {{30, 70, 44, 63}, {31, 76, 46, 72}};
  for (const auto& leg : legs) {
    for (int pass = 0; pass < 2; ++pass) {
      cairo_move_to(cr, leg[0], leg[1]);
      cairo_line_to(cr, leg[2], leg[3]);
      art::SetColour(cr, pass == 0 ? art::Hex(0x6b5a44) : face);
      cairo_set_line_width(cr, pass == 0 ? 6.0 : 3.8);
      cairo_stroke(cr);
    }
    art::Ellipse(cr, leg[2] + 1, leg[3], 2.6, 2.0);
    art::FillOutlined(cr, art::Hex(0x1d1815), 1.0);
  }
  cairo_new_sub_path(cr);
  cairo_arc_negative(cr, 38, 64, 24, -0.75, 0.85);
  Wool(cr, SamplePath(cr, rng, 11));
  // Tail at the lower end.
  art::Ellipse(cr, 62, 83, 5, 4);
  art::FillShadedOutlined(cr, art::Hex(pal::kWool), 61, 82, 5, 1.4);
  // Head at the upper end, looking out to the right.
  cairo_save(cr);
  cairo_translate(cr, 60, 41);
  cairo_rotate(cr, -0.35);
  cairo_scale(cr, 1.3, 1.3);
  art::Ellipse(cr, -5, -8, 5, 2.6);
  art::FillOutlined(cr, face, 1.2);
  art::Ellipse(cr, 2, 0, 9.5, 7.2);
  art::FillShadedOutlined(cr, face, 0, -2, 9, 1.4);
  art::Ellipse(cr, 3, -2.5, 2.4, 2.6);
  art::SetColour(cr, art::Rgb{1, 1, 1});
  cairo_fill(cr);
  art::Ellipse(cr, 3.8, -2, 1.2, 1.5);
  art::SetColour(cr, art::Hex(0x120e0c));
  cairo_fill(cr);
  art::Ellipse(cr, 9.5, 2, 1.1, 0.8);
  cairo_fill(cr);
  art::Ellipse(cr, -5, -6, 5.5, 4.5);
  art::FillShadedOutlined(cr, art::Hex(pal::kWool), -6, -7, 5, 1.2);
  cairo_restore(cr);
}

struct Letter {
  int id;
  const char* file;
  int offset;  // the title screen's vertical offset of this letter
  std::function<void(cairo_t*)> skeleton;
};

}  // namespace

void DrawTitleLetters(const std::string& dir) {
  const std::vector<Letter> letters = {
      {4009, "LetterF.png", 0, SkeletonF},  {4001, "LetterL.png", 10, SkeletonL},
      {4002, "LetterE1.png", 8, SkeletonE}, {4003, "LetterE2.png", 20, SkeletonE},
      {4004, "LetterW.png", 8, SkeletonW},  {4005, "LetterI.png", 16, SkeletonI},
      {4006, "LetterC.png", 70, SkeletonC}, {4007, "LetterK.png", 16, SkeletonK},
      {4008, "LetterSheepC.png", 60, nullptr},
  };
  for (const Letter& l : letters) {
    const int height = 100 + 2 * std::max(0, l.offset - 20);
    art::Picture pic(kWidth, height);
    cairo_t* cr = pic.Context();
    art::Rng rng(static_cast<uint32_t>(l.id));
    if (l.skeleton) {
      l.skeleton(cr);
      Wool(cr, SamplePath(cr, rng, kRadius));
      if (l.id == 4005) {
        std::vector<Dot> dot = {{38, 22, 10}, {33, 19, 5}, {43, 21, 5}, {38, 26, 5}};
        Wool(cr, dot);
      }
    } else {
      SheepC(cr, rng);
    }
    SaveOrDie(pic, dir, std::string("Data/Title/") + l.file);
  }
}

}  // namespace world
