// The big pictures behind the play: the level background with its sky and far
// hills, the drifting cloud band, the title scene, the loading sign and the
// window icon.
#include <cmath>

#include "art_world/groups.h"
#include "art_world/world_common.h"

namespace world {
namespace {

namespace pal = art::palette;

// `deep` darkens the zenith (the title's pale letters need the contrast).
void SkyGradient(cairo_t* cr, double top, double bottom, double width, double deep = 0) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, bottom);
  const Rgb hi = art::Hex(pal::kSkyHigh), lo = art::Hex(pal::kSkyLow);
  const Rgb zenith = art::Mix(art::Rgb{hi.r * 0.92, hi.g * 0.95, hi.b}, art::Hex(0x3f8fd0), deep);
  cairo_pattern_add_color_stop_rgb(p, 0, zenith.r, zenith.g, zenith.b);
  cairo_pattern_add_color_stop_rgb(p, 0.6, hi.r, hi.g, hi.b);
  cairo_pattern_add_color_stop_rgb(p, 1, lo.r, lo.g, lo.b);
  cairo_set_source(cr, p);
  cairo_rectangle(cr, 0, top, width, bottom - top);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

// A band of hills whose ridge waves around `ridge`, filled down to `bottom`.
void HillBand(cairo_t* cr, double width, double ridge, double bottom, double amplitude,
              double wavelength, double phase, Rgb colour, bool outline) {
  cairo_new_path(cr);
  cairo_move_to(cr, -10, bottom);
  for (double x = -10; x <= width + 10; x += 4) {
    const double y = ridge + amplitude * (0.6 * std::sin(x / wavelength + phase) +
                                          0.4 * std::sin(x / (wavelength * 0.43) + phase * 2.1));
    cairo_line_to(cr, x, y);
  }
  cairo_line_to(cr, width + 10, bottom);
  cairo_close_path(cr);
  art::SetColour(cr, colour);
  if (outline) {
    cairo_fill_preserve(cr);
    art::SetColour(cr, art::Shade(colour, 0.78), 0.8);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
  } else {
    cairo_fill(cr);
  }
}

// A calm meadow: the base green with soft lighter and darker patches, sparse
// tufts and a few tiny flowers.
void Meadow(cairo_t* cr, double top, double width, double height, uint32_t seed,
            double detail) {
  art::Rng rng(seed);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, height);
  const Rgb light = art::Hex(pal::kMeadowLight), mid = art::Hex(pal::kMeadow);
  cairo_pattern_add_color_stop_rgb(p, 0, light.r, light.g, light.b);
  cairo_pattern_add_color_stop_rgb(p, 0.35, (light.r + mid.r) / 2, (light.g + mid.g) / 2,
                                   (light.b + mid.b) / 2);
  cairo_pattern_add_color_stop_rgb(p, 1, mid.r, mid.g, mid.b);
  cairo_set_source(cr, p);
  cairo_rectangle(cr, 0, top, width, height - top);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_save(cr);
  cairo_rectangle(cr, 0, top, width, height - top);
  cairo_clip(cr);
  for (int i = 0; i < 40; ++i) {
    const double x = rng.Uniform(-40, width + 40), y = rng.Uniform(top, height + 40);
    const double r = rng.Uniform(40, 110);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 1, 0.55);
    SoftDisc(cr, 0, 0, r, i % 2 ? art::Hex(pal::kMeadowLight) : art::Hex(pal::kMeadowDark),
             0.16);
    cairo_restore(cr);
  }
  const int tufts = int(260 * detail);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < tufts; ++i) {
    const double x = rng.Uniform(0, width), y = rng.Uniform(top + 6, height);
    const double s = 0.6 + 0.6 * (y - top) / (height - top);
    art::SetColour(cr, rng.Uniform(0, 1) < 0.5 ? art::Hex(pal::kMeadowDark)
                                               : art::Shade(art::Hex(pal::kMeadowLight), 1.1),
                   0.5);
    cairo_set_line_width(cr, 1.1 * s);
    for (int k = -1; k <= 1; ++k) {
      cairo_move_to(cr, x + k * 1.5 * s, y);
      cairo_line_to(cr, x + k * 3 * s, y - (4 + (k == 0) * 2) * s);
    }
    cairo_stroke(cr);
  }
  const int flowers = int(50 * detail);
  for (int i = 0; i < flowers; ++i) {
    const double x = rng.Uniform(0, width), y = rng.Uniform(top + 10, height);
    art::Ellipse(cr, x, y, 1.6, 1.3);
    art::SetColour(cr, i % 3 == 0 ? art::Hex(0xfff3a0) : art::Hex(0xfbfaf4), 0.9);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

// A fluffy cloud: white puffs with a flat, bluish underside.
void Cloud(cairo_t* cr, double cx, double cy, double w, double h) {
  const int puffs = 6;
  const Rgb under = art::Hex(0xdbe8f2);
  for (int pass = 0; pass < 2; ++pass) {
    art::Rng local(static_cast<uint32_t>(cx * 13 + cy * 7 + 1));
    cairo_new_path(cr);
    for (int i = 0; i < puffs; ++i) {
      const double t = (i + 0.5) / puffs;
      const double x = cx - w / 2 + w * t;
      const double bulge = std::sin(t * M_PI);
      const double r = h * (0.32 + 0.38 * bulge) * local.Uniform(0.85, 1.1);
      const double y = cy + h * 0.25 - r * 0.75;
      art::Ellipse(cr, x, pass == 0 ? y + 3 : y, r * 1.15, r);
    }
    art::Ellipse(cr, cx, cy + h * 0.18, w * 0.52, h * 0.22);
    art::SetColour(cr, pass == 0 ? under : art::Rgb{1, 1, 1});
    cairo_fill(cr);
  }
}

void DrawBackground(const std::string& dir) {
  art::Picture pic(800, 600);
  cairo_t* cr = pic.Context();
  SkyGradient(cr, 0, 188, 800);
  const Rgb sky = art::Hex(pal::kSkyLow);
  HillBand(cr, 800, 150, 188, 9, 70, 0.5, art::Mix(art::Hex(0x7fa88a), sky, 0.55), false);
  HillBand(cr, 800, 166, 188, 7, 52, 2.0, art::Mix(art::Hex(0x6f9f55), sky, 0.3), false);
  // Tiny far trees on the nearer ridge.
  art::Rng rng(32);
  for (int i = 0; i < 22; ++i) {
    const double x = rng.Uniform(10, 790), y = 168 + rng.Uniform(0, 10);
    art::Ellipse(cr, x, y, rng.Uniform(3, 6), rng.Uniform(3, 4.5));
    art::SetColour(cr, art::Mix(art::Hex(0x3f6e2a), sky, 0.35));
    cairo_fill(cr);
  }
  HillBand(cr, 800, 180, 188, 3, 40, 4.0, art::Mix(art::Hex(pal::kMeadowLight), sky, 0.12),
           false);
  Meadow(cr, 188, 800, 600, 3232, 1.0);
  SaveOrDie(pic, dir, "Data/Backgrounds/Meadow.png");
}

void DrawClouds(const std::string& dir) {
  art::Picture pic(800, 120);
  cairo_t* cr = pic.Context();
  const double clouds[5][4] = {{80, 70, 130, 46}, {240, 56, 100, 36}, {410, 74, 150, 52},
                               {585, 58, 110, 40}, {730, 76, 100, 36}};
  for (const auto& c : clouds) Cloud(cr, c[0], c[1], c[2], c[3]);
  SaveOrDie(pic, dir, "Data/Backgrounds/Clouds.png");
}

// A small sheep seen from the side, for the scenes (not the game's sprites).
void SceneSheep(cairo_t* cr, double x, double y, double s, bool right, bool grazing) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, right ? s : -s, s);
  SoftShadow(cr, 0, 13, 16, 3.5, 0.35);
  const Rgb face = art::Hex(pal::kDarkWool);
  for (double lx : {-9.0, -4.0, 5.0, 10.0}) {
    art::RoundedRect(cr, lx - 1.6, 2, 3.2, 11, 1.5);
    art::SetColour(cr, face);
    cairo_fill(cr);
  }
  art::Rng rng(static_cast<uint32_t>(x * 3 + y));
  BumpyBlob(cr, 0, -2, 15, 10, 10, 0.14, rng);
  art::FillShadedOutlined(cr, art::Hex(pal::kWool), -4, -6, 16, 1.3);
  const double hy = grazing ? 6 : -6;
  art::Ellipse(cr, 16, hy, 5.2, 4);
  art::FillOutlined(cr, face, 1.0);
  art::Ellipse(cr, 13, hy - 3, 2.6, 1.4);
  art::FillOutlined(cr, face, 0.8);
  art::Ellipse(cr, 17.5, hy - 1, 0.9, 0.9);
  art::SetColour(cr, art::Rgb{1, 1, 1});
  cairo_fill(cr);
  cairo_restore(cr);
}

void RoundTree(cairo_t* cr, double x, double base, double r, art::Rng& rng) {
  SoftShadow(cr, x + r * 0.2, base + 2, r * 0.8, r * 0.18, 0.45);
  cairo_rectangle(cr, x - r * 0.12, base - r * 1.1, r * 0.24, r * 1.1);
  art::FillShadedOutlined(cr, art::Hex(0x7a5232), x, base - r * 0.5, r * 0.6, 1.4);
  const double cy = base - r * 1.55;
  BumpyBlob(cr, x, cy, r, r * 0.9, 11, 0.1, rng);
  art::FillShadedOutlined(cr, art::Hex(0x4f8a33), x, cy, r, 1.6);
  BumpyBlob(cr, x - r * 0.28, cy - r * 0.3, r * 0.45, r * 0.36, 8, 0.14, rng);
  art::SetColour(cr, art::Hex(0x86bf4f), 0.9);
  cairo_fill(cr);
}

void DrawTitleScene(const std::string& dir) {
  art::Picture pic(800, 600);
  cairo_t* cr = pic.Context();
  SkyGradient(cr, 0, 330, 800, 0.7);
  art::Rng rng(4000);
  // Clouds stay below the band where the title's letters fall.
  Cloud(cr, 420, 268, 150, 40);
  Cloud(cr, 90, 272, 120, 34);
  Cloud(cr, 730, 262, 130, 38);
  const Rgb sky = art::Hex(pal::kSkyLow);
  HillBand(cr, 800, 292, 600, 14, 90, 1.0, art::Mix(art::Hex(0x7fa88a), sky, 0.5), false);
  // A cottage on the far hill.
  cairo_rectangle(cr, 616, 280, 26, 16);
  art::FillOutlined(cr, art::Mix(art::Hex(0xf1e6cf), sky, 0.2), 1.0);
  cairo_move_to(cr, 612, 282);
  cairo_line_to(cr, 629, 268);
  cairo_line_to(cr, 646, 282);
  cairo_close_path(cr);
  art::FillOutlined(cr, art::Mix(art::Hex(0xb0674a), sky, 0.2), 1.0);
  HillBand(cr, 800, 318, 600, 12, 70, 3.0, art::Mix(art::Hex(0x6f9f55), sky, 0.2), true);
  for (int i = 0; i < 14; ++i) {
    const double x = rng.Uniform(10, 790), y = 318 + rng.Uniform(-8, 8);
    art::Ellipse(cr, x, y, rng.Uniform(5, 9), rng.Uniform(4, 7));
    art::SetColour(cr, art::Mix(art::Hex(0x3f6e2a), sky, 0.25));
    cairo_fill(cr);
  }
  HillBand(cr, 800, 346, 600, 8, 110, 5.0, art::Hex(pal::kMeadowLight), true);
  Meadow(cr, 352, 800, 600, 4001, 0.7);
  // A fence running across the middle distance.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  const Rgb wood = art::Hex(pal::kWood);
  for (int pass = 0; pass < 2; ++pass) {
    art::SetColour(cr, pass == 0 ? art::Shade(wood, 0.55) : wood);
    cairo_set_line_width(cr, pass == 0 ? 5 : 3);
    for (double ry : {372.0, 382.0}) {
      cairo_move_to(cr, 430, ry);
      cairo_curve_to(cr, 560, ry - 8, 680, ry - 4, 810, ry - 12);
    }
    cairo_stroke(cr);
    cairo_set_line_width(cr, pass == 0 ? 7 : 4.5);
    for (double x = 440; x < 810; x += 46) {
      const double t = (x - 430) / 380;
      const double yy = 372 - 8 * t;
      cairo_move_to(cr, x, yy - 10);
      cairo_line_to(cr, x, yy + 18);
    }
    cairo_stroke(cr);
  }
  // Sheep grazing behind the fence and in the meadow.
  SceneSheep(cr, 520, 356, 0.8, true, true);
  SceneSheep(cr, 590, 350, 0.7, false, false);
  SceneSheep(cr, 668, 354, 0.75, true, true);
  SceneSheep(cr, 520, 420, 1.2, false, true);
  // Trees framing the scene.
  RoundTree(cr, 40, 470, 58, rng);
  RoundTree(cr, 760, 440, 50, rng);
  RoundTree(cr, 700, 360, 24, rng);
  // Foreground flowers.
  for (int i = 0; i < 60; ++i) {
    const double x = rng.Uniform(0, 800), y = rng.Uniform(500, 600);
    if (x > 590 && y < 600) continue;  // the version panel sits there
    art::Ellipse(cr, x, y, 2.6, 2.2);
    art::FillOutlined(cr, i % 3 == 0 ? art::Hex(0xe0412f)
                          : i % 3 == 1 ? art::Hex(0xfbfaf4) : art::Hex(0xf2c14e), 0.7);
  }
  SaveOrDie(pic, dir, "Data/Title1.png");
}

void DrawLoadingSign(const std::string& dir) {
  art::Picture pic(320, 120);
  cairo_t* cr = pic.Context();
  const Rgb wood = art::Hex(pal::kWood);
  // Ropes it hangs from.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (double x : {60.0, 260.0}) {
    cairo_move_to(cr, x, 0);
    cairo_line_to(cr, x, 22);
    art::SetColour(cr, art::Hex(0x6b4a2a));
    cairo_set_line_width(cr, 3.4);
    cairo_stroke_preserve(cr);
    art::SetColour(cr, art::Hex(0xcaa56a));
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
  }
  art::RoundedRect(cr, 8, 18, 304, 94, 14);
  art::FillShadedOutlined(cr, wood, 100, 40, 200, 2.0);
  art::RoundedRect(cr, 18, 28, 284, 74, 8);
  art::FillShadedOutlined(cr, art::Hex(pal::kParchment), 100, 45, 200, 1.4);
  for (double x : {60.0, 260.0}) {
    art::Ellipse(cr, x, 22, 4, 4);
    art::FillShadedOutlined(cr, art::Hex(pal::kGold), x, 22, 4, 1.0);
  }
  LetterCentred(cr, "Loading...", 160, 64, 48, art::Hex(0x5a3414), art::Hex(0xfff8e6), 5);
  SaveOrDie(pic, dir, "Data/Loading.png");
}

// The window icon: a sheep's face in its fleece.
void DrawIcon(const std::string& dir) {
  art::Picture pic(64, 64);
  cairo_t* cr = pic.Context();
  art::Rng rng(64);
  const Rgb face = art::Hex(pal::kDarkWool);
  // Ears.
  for (int side = -1; side <= 1; side += 2) {
    cairo_save(cr);
    cairo_translate(cr, 32 + side * 20, 30);
    cairo_rotate(cr, side * 0.4);
    art::Ellipse(cr, 0, 0, 9, 4.5);
    art::FillOutlined(cr, face, 1.4);
    cairo_restore(cr);
  }
  BumpyBlob(cr, 32, 24, 22, 17, 11, 0.12, rng);
  art::FillShadedOutlined(cr, art::Hex(pal::kWool), 26, 16, 22, 1.8);
  cairo_new_path(cr);
  cairo_move_to(cr, 20, 28);
  cairo_curve_to(cr, 20, 18, 44, 18, 44, 28);
  cairo_curve_to(cr, 44, 44, 40, 58, 32, 58);
  cairo_curve_to(cr, 24, 58, 20, 44, 20, 28);
  cairo_close_path(cr);
  art::FillShadedOutlined(cr, face, 28, 34, 18, 1.6);
  // Fringe over the brow.
  for (int i = 0; i < 4; ++i) {
    art::Ellipse(cr, 23.5 + i * 5.6, 23 + (i % 2), 4.4, 4);
  }
  art::FillShadedOutlined(cr, art::Hex(pal::kWool), 28, 20, 12, 1.2);
  for (int side = -1; side <= 1; side += 2) {
    art::Ellipse(cr, 32 + side * 6, 34, 3.4, 3.8);
    art::SetColour(cr, art::Rgb{1, 1, 1});
    cairo_fill(cr);
    art::Ellipse(cr, 32 + side * 6 + 0.6, 34.8, 1.7, 2.1);
    art::SetColour(cr, art::Hex(0x1a1512));
    cairo_fill(cr);
  }
  art::Ellipse(cr, 29, 50, 1.6, 1.1);
  art::Ellipse(cr, 35, 50, 1.6, 1.1);
  art::SetColour(cr, art::Hex(0x1a1512));
  cairo_fill(cr);
  SaveOrDie(pic, dir, "Data/icon.png");
}

}  // namespace

void DrawBackdrops(const std::string& dir) {
  DrawBackground(dir);
  DrawClouds(dir);
  DrawTitleScene(dir);
  DrawLoadingSign(dir);
  DrawIcon(dir);
}

}  // namespace world
