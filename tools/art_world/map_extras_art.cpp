// The quest maps' moving overlays (falling snow, drifting light and pollen)
// and the button of a quest that is still locked.
#include <cmath>

#include "art_world/groups.h"
#include "art_world/world_common.h"

namespace world {
namespace {

namespace pal = art::palette;

// Calls draw(x, y) at p and at its copies one tile away, so that shapes
// crossing an edge come back on the other side: the tile repeats seamlessly.
template <typename F>
void Wrapped(double x, double y, double w, double h, bool wrapY, F draw) {
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = wrapY ? -1 : 0; dy <= (wrapY ? 1 : 0); ++dy) draw(x + dx * w, y + dy * h);
}

// 2501: falling snow, 256 by 256, repeating in both directions.
void DrawSnowTile(const std::string& dir) {
  art::Picture pic(256, 256);
  cairo_t* cr = pic.Context();
  art::Rng rng(2501);
  for (int i = 0; i < 34; ++i) {
    const double x = rng.Uniform(0, 256), y = rng.Uniform(0, 256);
    const double r = rng.Uniform(1.2, 3.2);
    const bool crystal = r > 2.7;
    const double turn = rng.Uniform(0, M_PI);
    Wrapped(x, y, 256, 256, true, [&](double px, double py) {
      SoftDisc(cr, px, py, r * 1.8, art::Rgb{1, 1, 1}, 0.55);
      art::Ellipse(cr, px, py, r * 0.7, r * 0.7);
      art::SetColour(cr, art::Rgb{1, 1, 1}, 0.95);
      cairo_fill(cr);
      if (crystal) {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        art::SetColour(cr, art::Rgb{1, 1, 1}, 0.9);
        cairo_set_line_width(cr, 0.9);
        for (int k = 0; k < 3; ++k) {
          const double a = turn + k * M_PI / 3;
          cairo_move_to(cr, px - std::cos(a) * r * 1.8, py - std::sin(a) * r * 1.8);
          cairo_line_to(cr, px + std::cos(a) * r * 1.8, py + std::sin(a) * r * 1.8);
        }
        cairo_stroke(cr);
      }
    });
  }
  SaveOrDie(pic, dir, "Data/Maps/Snowfall.png");
}

// 2600: soft cloud shadows and floating pollen, 800 by 600, repeating
// sideways; it thins out towards the bottom, where it ends on screen.
void DrawDrift(const std::string& dir) {
  art::Picture pic(800, 600);
  cairo_t* cr = pic.Context();
  art::Rng rng(2600);
  for (int i = 0; i < 9; ++i) {
    const double x = rng.Uniform(0, 800), y = rng.Uniform(140, 480);
    const double rx = rng.Uniform(70, 130), ry = rng.Uniform(30, 55);
    Wrapped(x, y, 800, 600, false, [&](double px, double py) {
      for (int k = 0; k < 4; ++k) {
        cairo_save(cr);
        cairo_translate(cr, px + (k - 1.5) * rx * 0.45, py + (k % 2) * ry * 0.3);
        cairo_scale(cr, rx / ry, 1);
        SoftDisc(cr, 0, 0, ry, art::Hex(0x1d3a4a), 0.22);
        cairo_restore(cr);
      }
    });
  }
  for (int i = 0; i < 140; ++i) {
    const double x = rng.Uniform(0, 800), y = rng.Uniform(160, 560);
    const double r = rng.Uniform(1.2, 2.6);
    const double fade = std::min(1.0, (560 - y) / 120);
    Wrapped(x, y, 800, 600, false, [&](double px, double py) {
      SoftDisc(cr, px, py, r * 2.2, art::Hex(0xfff2a8), 0.6 * fade);
      art::Ellipse(cr, px, py, r * 0.6, r * 0.6);
      art::SetColour(cr, art::Hex(0xfffbe0), 0.9 * fade);
      cairo_fill(cr);
    });
  }
  SaveOrDie(pic, dir, "Data/Maps/Drift.png");
}

// 2024: a quest that is still locked: a grey vignette under a padlock.
void DrawLockedButton(const std::string& dir) {
  art::Picture pic(208, 64);
  cairo_t* cr = pic.Context();
  cairo_rectangle(cr, 0, 0, 208, 64);
  art::SetColour(cr, art::Hex(0xa9c8e0));
  cairo_fill(cr);
  // Far hills, a path and a few trees, drawn plainly, then greyed.
  for (int band = 0; band < 3; ++band) {
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 64);
    for (double x = 0; x <= 208; x += 4)
      cairo_line_to(cr, x, 22 + band * 12 + 5 * std::sin(x / (24 + band * 9) + band * 2));
    cairo_line_to(cr, 208, 64);
    cairo_close_path(cr);
    art::SetColour(cr, art::Shade(art::Hex(pal::kMeadow), 1.3 - band * 0.18));
    cairo_fill(cr);
  }
  cairo_move_to(cr, 0, 58);
  cairo_curve_to(cr, 60, 40, 120, 62, 208, 44);
  art::SetColour(cr, art::Hex(0xd9c08a));
  cairo_set_line_width(cr, 5);
  cairo_stroke(cr);
  art::Rng rng(2024);
  for (double x : {24.0, 52.0, 150.0, 182.0}) {
    BumpyBlob(cr, x, 38, 9, 8, 7, 0.12, rng);
    art::FillOutlined(cr, art::Hex(0x4f8a33), 1.0);
  }
  Desaturate(pic, 0.1, 0.85);
  // Frame.
  cairo_rectangle(cr, 2.5, 2.5, 203, 59);
  art::SetColour(cr, art::Hex(0x6e6a66));
  cairo_set_line_width(cr, 5);
  cairo_stroke(cr);
  cairo_rectangle(cr, 0.5, 0.5, 207, 63);
  art::SetColour(cr, art::Hex(0x3e3b38));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  // The padlock, in colour, over the middle.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    cairo_new_path(cr);
    cairo_arc(cr, 104, 27, 9.5, M_PI, 2 * M_PI);
    cairo_move_to(cr, 94.5, 27);
    cairo_line_to(cr, 94.5, 30);
    cairo_move_to(cr, 113.5, 27);
    cairo_line_to(cr, 113.5, 30);
    art::SetColour(cr, pass == 0 ? art::Hex(0x3a3d44) : art::Hex(0xc9ccd3));
    cairo_set_line_width(cr, pass == 0 ? 6.5 : 3.6);
    cairo_stroke(cr);
  }
  art::RoundedRect(cr, 90, 28, 28, 24, 5);
  art::FillShadedOutlined(cr, art::Hex(0xe0a93c), 100, 34, 18, 1.6);
  art::Ellipse(cr, 104, 37, 3, 3);
  cairo_move_to(cr, 102.5, 38);
  cairo_line_to(cr, 101.8, 45);
  cairo_line_to(cr, 106.2, 45);
  cairo_line_to(cr, 105.5, 38);
  cairo_close_path(cr);
  art::SetColour(cr, art::Hex(0x4a2e10));
  cairo_fill(cr);
  LetterCentred(cr, "Locked", 164, 34, 17, art::Hex(0xf4f1ea), art::Hex(0x3e3b38), 3.5);
  LetterCentred(cr, "???", 44, 34, 17, art::Hex(0xf4f1ea), art::Hex(0x3e3b38), 3.5);
  SaveOrDie(pic, dir, "Data/Maps/LockedButton.png");
}

}  // namespace

void DrawMapExtras(const std::string& dir) {
  DrawSnowTile(dir);
  DrawDrift(dir);
  DrawLockedButton(dir);
}

}  // namespace world
