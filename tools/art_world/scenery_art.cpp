// The level scenery the code gives meaning to: the tree in its four states,
// the fence in its four states, the hurdle bar, rocks and bushes, the swamp
// and the tall-grass patches.
#include <cmath>

#include "art_world/groups.h"
#include "art_world/world_common.h"

namespace world {
namespace {

namespace pal = art::palette;

const Rgb kLeafDark = art::Hex(0x355f24);
const Rgb kLeaf = art::Hex(0x4f8a33);
const Rgb kLeafLight = art::Hex(0x86bf4f);
const Rgb kBark = art::Hex(0x7a5232);
const Rgb kWood = art::Hex(pal::kWood);
const Rgb kStone = art::Hex(0x9a9a92);

// A tapered stroke from (x0, y0) to (x1, y1), bending through (cx, cy).
void Limb(cairo_t* cr, double x0, double y0, double cx, double cy, double x1, double y1,
          double w0, double w1, Rgb colour) {
  const int steps = 10;
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < steps; ++i) {
      const double t0 = double(i) / steps, t1 = double(i + 1) / steps;
      auto at = [&](double t, double& x, double& y) {
        x = (1 - t) * (1 - t) * x0 + 2 * (1 - t) * t * cx + t * t * x1;
        y = (1 - t) * (1 - t) * y0 + 2 * (1 - t) * t * cy + t * t * y1;
      };
      double ax, ay, bx, by;
      at(t0, ax, ay);
      at(t1, bx, by);
      const double w = w0 + (w1 - w0) * (t0 + t1) / 2;
      cairo_move_to(cr, ax, ay);
      cairo_line_to(cr, bx, by);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      cairo_set_line_width(cr, pass == 0 ? w + 2.2 : w);
      art::SetColour(cr, pass == 0 ? art::Shade(colour, 0.55) : colour);
      cairo_stroke(cr);
    }
  }
}

// A leafy clump in three tones, lit from the top left.
void LeafClump(cairo_t* cr, double cx, double cy, double r, art::Rng& rng) {
  BumpyBlob(cr, cx, cy, r, r * 0.9, 9, 0.12, rng);
  art::SetColour(cr, kLeafDark);
  cairo_fill_preserve(cr);
  art::SetColour(cr, art::Shade(kLeafDark, 0.6));
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  BumpyBlob(cr, cx - r * 0.12, cy - r * 0.14, r * 0.8, r * 0.7, 8, 0.13, rng);
  art::SetColour(cr, kLeaf);
  cairo_fill(cr);
  BumpyBlob(cr, cx - r * 0.3, cy - r * 0.35, r * 0.45, r * 0.36, 7, 0.14, rng);
  art::SetColour(cr, kLeafLight);
  cairo_fill(cr);
  // Leaf specks for texture.
  for (int i = 0; i < int(r * 0.9); ++i) {
    const double a = rng.Uniform(0, 2 * M_PI), d = std::sqrt(rng.Uniform(0, 1)) * r * 0.8;
    const double x = cx + std::cos(a) * d, y = cy + std::sin(a) * d * 0.9;
    art::Ellipse(cr, x, y, 2.2, 1.5);
    const bool upper = (x - cx) + (y - cy) < -r * 0.2;
    art::SetColour(cr, upper ? art::Shade(kLeafLight, 1.2) : art::Shade(kLeafDark, 0.85), 0.8);
    cairo_fill(cr);
  }
}

void TreeTrunk(cairo_t* cr, double top) {
  SoftShadow(cr, 52, 113, 32, 6.5, 0.5);
  cairo_new_path(cr);
  cairo_move_to(cr, 43, top);
  cairo_curve_to(cr, 44, 95, 42, 106, 35, 114);
  cairo_curve_to(cr, 42, 112, 46, 113, 50, 115);
  cairo_curve_to(cr, 54, 113, 59, 112, 66, 114);
  cairo_curve_to(cr, 58, 106, 56, 95, 57, top);
  cairo_close_path(cr);
  art::FillShadedOutlined(cr, kBark, 46, 95, 18, 1.6);
  art::SetColour(cr, art::Shade(kBark, 0.7), 0.7);
  cairo_set_line_width(cr, 1.0);
  cairo_move_to(cr, 48, top + 6);
  cairo_curve_to(cr, 48, 95, 47, 102, 45, 108);
  cairo_move_to(cr, 53, top + 12);
  cairo_curve_to(cr, 54, 98, 54, 104, 56, 109);
  cairo_stroke(cr);
}

void Branches(cairo_t* cr, double spread) {
  Limb(cr, 50, 86, 48, 66, 30 - 8 * spread, 38, 9, 3, kBark);
  Limb(cr, 50, 84, 54, 60, 72 + 8 * spread, 34, 8, 3, kBark);
  Limb(cr, 50, 86, 50, 50, 48, 16, 8, 2.5, kBark);
  Limb(cr, 47, 62, 34, 54, 18 - 4 * spread, 56, 4, 1.5, kBark);
  Limb(cr, 54, 58, 68, 50, 84 + 4 * spread, 54, 4, 1.5, kBark);
  Limb(cr, 49, 40, 40, 28, 34, 18, 3, 1.2, kBark);
  Limb(cr, 60, 44, 64, 28, 62, 16, 3, 1.2, kBark);
}

// state 0: full (64), 1: thinning (69), 2: nearly bare (72), 3: stump (73).
void DrawTree(cairo_t* cr, int state) {
  art::Rng rng(0x7ee + state * 17);
  if (state == 3) {
    SoftShadow(cr, 52, 108, 40, 9, 0.45);
    // Fallen branches and leaves around a broad stump.
    Limb(cr, 14, 104, 28, 96, 42, 100, 5, 2.5, kBark);
    Limb(cr, 86, 106, 74, 96, 62, 101, 5, 2.5, kBark);
    Limb(cr, 20, 112, 40, 116, 58, 112, 3, 1.5, kBark);
    for (double cx : {16.0, 84.0, 30.0, 72.0}) {
      LeafClump(cr, cx, 104 + (cx < 50 ? -2 : 1), 9, rng);
    }
    cairo_new_path(cr);
    cairo_move_to(cr, 36, 86);
    cairo_curve_to(cr, 36, 100, 32, 106, 26, 110);
    cairo_curve_to(cr, 40, 110, 44, 112, 50, 112);
    cairo_curve_to(cr, 58, 112, 64, 110, 76, 110);
    cairo_curve_to(cr, 68, 106, 64, 100, 64, 86);
    cairo_close_path(cr);
    art::FillShadedOutlined(cr, kBark, 44, 96, 22, 1.6);
    art::Ellipse(cr, 50, 86, 14, 5.5);
    art::FillOutlined(cr, art::Hex(0xe0c08a), 1.4);
    for (double r : {3.0, 6.5, 10.0}) {
      art::Ellipse(cr, 50.5, 86.2, r, r * 0.38);
      art::SetColour(cr, art::Hex(0xa67c4a), 0.8);
      cairo_set_line_width(cr, 0.9);
      cairo_stroke(cr);
    }
    // Splinters on the cut.
    cairo_move_to(cr, 58, 85);
    cairo_line_to(cr, 61, 79);
    cairo_line_to(cr, 62, 86);
    cairo_close_path(cr);
    art::FillOutlined(cr, art::Hex(0xe0c08a), 1.0);
    return;
  }
  TreeTrunk(cr, 70);
  if (state == 0) {
    LeafClump(cr, 50, 52, 42, rng);
    LeafClump(cr, 30, 46, 20, rng);
    LeafClump(cr, 66, 40, 22, rng);
    LeafClump(cr, 46, 28, 20, rng);
    const double apples[5][2] = {{30, 62}, {62, 66}, {72, 50}, {40, 40}, {54, 30}};
    for (const auto& a : apples) {
      art::Ellipse(cr, a[0], a[1], 3.4, 3.2);
      art::FillShadedOutlined(cr, art::Hex(0xd8402f), a[0], a[1], 3.4, 1.0);
    }
  } else if (state == 1) {
    Branches(cr, 0);
    LeafClump(cr, 28, 44, 19, rng);
    LeafClump(cr, 70, 40, 21, rng);
    LeafClump(cr, 48, 26, 18, rng);
    LeafClump(cr, 58, 62, 14, rng);
    for (int i = 0; i < 6; ++i) {
      const double x = rng.Uniform(12, 88), y = rng.Uniform(70, 104);
      art::Ellipse(cr, x, y, 2.6, 1.6);
      art::FillOutlined(cr, i % 2 ? kLeafLight : art::Hex(0xc9a43a), 0.8);
    }
  } else {
    Branches(cr, 1);
    const double tufts[4][2] = {{22, 38}, {80, 34}, {48, 16}, {86, 54}};
    for (const auto& t : tufts) LeafClump(cr, t[0], t[1], 7, rng);
    for (int i = 0; i < 8; ++i) {
      const double x = rng.Uniform(14, 86), y = rng.Uniform(98, 116);
      art::Ellipse(cr, x, y, 2.8, 1.6);
      art::FillOutlined(cr, i % 3 ? art::Hex(0xc98f32) : kLeafLight, 0.8);
    }
  }
}

// A wooden post with a lit top face; `lean` tilts it about its foot.
void Post(cairo_t* cr, double x, double foot, double height, double lean) {
  cairo_save(cr);
  cairo_translate(cr, x, foot);
  cairo_rotate(cr, lean);
  art::RoundedRect(cr, -4.5, -height, 9, height, 3);
  art::FillShadedOutlined(cr, kWood, -2, -height * 0.6, height * 0.6, 1.5);
  art::Ellipse(cr, 0, -height + 1.5, 4, 2);
  art::FillOutlined(cr, art::Shade(kWood, 1.35), 1.0);
  cairo_restore(cr);
}

// A rail from (x0, y0) to (x1, y1); `crack` 0..1 draws a split at its middle.
void Rail(cairo_t* cr, double x0, double y0, double x1, double y1, double crack) {
  const double dx = x1 - x0, dy = y1 - y0, len = std::hypot(dx, dy);
  cairo_save(cr);
  cairo_translate(cr, x0, y0);
  cairo_rotate(cr, std::atan2(dy, dx));
  art::RoundedRect(cr, 0, -3.5, len, 7, 2.5);
  art::FillShadedOutlined(cr, art::Shade(kWood, 1.05), len * 0.3, -2, len * 0.5, 1.4);
  art::SetColour(cr, art::Shade(kWood, 0.7), 0.6);
  cairo_set_line_width(cr, 0.8);
  cairo_move_to(cr, 4, -0.5);
  cairo_line_to(cr, len - 4, 0.5);
  cairo_stroke(cr);
  if (crack > 0) {
    const double m = len * 0.55;
    cairo_move_to(cr, m - 3, -3.5);
    cairo_line_to(cr, m + 1, -0.5);
    cairo_line_to(cr, m - 2, 1.5);
    cairo_line_to(cr, m + 2.5 * crack, 3.5);
    art::SetColour(cr, art::Shade(kWood, 0.4));
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

// A splintered rail end lying or hanging from (x0, y0) towards (x1, y1).
void BrokenRail(cairo_t* cr, double x0, double y0, double x1, double y1) {
  Rail(cr, x0, y0, x1, y1, 0);
  const double a = std::atan2(y1 - y0, x1 - x0);
  cairo_save(cr);
  cairo_translate(cr, x1, y1);
  cairo_rotate(cr, a);
  cairo_move_to(cr, -1, -3.5);
  cairo_line_to(cr, 4, -2);
  cairo_line_to(cr, 1, -0.5);
  cairo_line_to(cr, 5, 1.5);
  cairo_line_to(cr, -1, 3.5);
  cairo_close_path(cr);
  art::FillOutlined(cr, art::Hex(0xd9b07a), 1.0);
  cairo_restore(cr);
}

// state 0: whole (70), 1: cracked (71), 2: broken (74), 3: wrecked (75).
void DrawFence(cairo_t* cr, int state) {
  SoftShadow(cr, 56, 63, 47, 5, 0.35);
  if (state == 0 || state == 1) {
    Rail(cr, 10, 40, 102, 40, state == 1 ? 0.6 : 0);
    Post(cr, 13, 64, 52, 0);
    Post(cr, 56, 64, 52, 0);
    Post(cr, 99, 64, 52, state == 1 ? 0.06 : 0);
    Rail(cr, 8, 24, 104, 24, 0);
    if (state == 1) Rail(cr, 56, 24, 104, 24, 1.0);
  } else if (state == 2) {
    Rail(cr, 10, 40, 56, 40, 0.8);
    BrokenRail(cr, 56, 41, 84, 58);
    Post(cr, 13, 64, 52, 0);
    Post(cr, 56, 64, 52, 0.04);
    Post(cr, 97, 64, 50, 0.22);
    Rail(cr, 8, 24, 60, 24, 0);
    BrokenRail(cr, 94, 27, 72, 46);
  } else {
    BrokenRail(cr, 16, 60, 58, 56);
    BrokenRail(cr, 102, 60, 66, 52);
    Post(cr, 13, 64, 50, -0.1);
    Post(cr, 56, 64, 26, 0.1);
    BrokenRail(cr, 8, 32, 36, 42);
    cairo_save(cr);
    cairo_translate(cr, 90, 60);
    cairo_rotate(cr, 1.35);
    art::RoundedRect(cr, -4.5, -34, 9, 34, 3);
    art::FillShadedOutlined(cr, kWood, -2, -20, 20, 1.5);
    cairo_restore(cr);
  }
}

// 76: a striped jumping pole on two trestles, lying across the sheep's path.
void DrawHurdle(cairo_t* cr) {
  SoftShadow(cr, 18, 42, 6, 30, 0.35);
  auto trestle = [&](double y) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
      cairo_move_to(cr, 7.5, y + 4);
      cairo_line_to(cr, 24.5, y - 4);
      cairo_move_to(cr, 7.5, y - 4);
      cairo_line_to(cr, 24.5, y + 4);
      art::SetColour(cr, pass == 0 ? art::Shade(kWood, 0.5) : kWood);
      cairo_set_line_width(cr, pass == 0 ? 4.6 : 2.8);
      cairo_stroke(cr);
    }
  };
  trestle(10);
  trestle(70);
  // The pole, in red and white bands.
  art::RoundedRect(cr, 12, 6, 8, 68, 4);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  for (int i = 0; i < 7; ++i) {
    cairo_rectangle(cr, 10, 6 + i * 10, 12, 10);
    art::SetColour(cr, i % 2 ? art::Hex(0xf8f4ea) : art::Hex(0xd6402f));
    cairo_fill(cr);
  }
  cairo_pattern_t* p = cairo_pattern_create_linear(12, 0, 20, 0);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0.35);
  cairo_pattern_add_color_stop_rgba(p, 0.4, 1, 1, 1, 0);
  cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0.25);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
  art::RoundedRect(cr, 12, 6, 8, 68, 4);
  art::SetColour(cr, art::Hex(0x5a2a20));
  cairo_set_line_width(cr, 1.3);
  cairo_stroke(cr);
}

// A rounded boulder with a lit top, a crack and a cap of moss.
void Boulder(cairo_t* cr, double cx, double cy, double rx, double ry, art::Rng& rng) {
  WobblyPatch(cr, cx, cy, rx, ry, 0.08, rng, 9);
  art::FillShadedOutlined(cr, kStone, cx, cy, std::max(rx, ry), 1.6);
  WobblyPatch(cr, cx - rx * 0.2, cy - ry * 0.35, rx * 0.55, ry * 0.35, 0.12, rng, 8);
  art::SetColour(cr, art::Shade(kStone, 1.3), 0.7);
  cairo_fill(cr);
  cairo_move_to(cr, cx + rx * 0.25, cy - ry * 0.2);
  cairo_line_to(cr, cx + rx * 0.1, cy + ry * 0.2);
  cairo_line_to(cr, cx + rx * 0.3, cy + ry * 0.55);
  art::SetColour(cr, art::Shade(kStone, 0.55), 0.8);
  cairo_set_line_width(cr, 1.1);
  cairo_stroke(cr);
  WobblyPatch(cr, cx - rx * 0.35, cy - ry * 0.55, rx * 0.3, ry * 0.16, 0.2, rng, 7);
  art::SetColour(cr, kLeafLight, 0.85);
  cairo_fill(cr);
}

void DrawBoulder(cairo_t* cr) {
  art::Rng rng(65);
  SoftShadow(cr, 34, 44, 30, 7, 0.45);
  Boulder(cr, 32, 27, 27, 20, rng);
}

void DrawRockPile(cairo_t* cr) {
  art::Rng rng(68);
  SoftShadow(cr, 46, 54, 42, 9, 0.45);
  Boulder(cr, 58, 28, 24, 18, rng);
  Boulder(cr, 28, 36, 22, 17, rng);
  Boulder(cr, 60, 46, 17, 12, rng);
  Boulder(cr, 14, 52, 9, 6, rng);
}

void DrawBush(cairo_t* cr, bool flowering) {
  art::Rng rng(flowering ? 67 : 66);
  const double w = flowering ? 80 : 72, h = flowering ? 64 : 60;
  SoftShadow(cr, w / 2 + 2, h - 8, w / 2 - 4, 7, 0.45);
  LeafClump(cr, w / 2, h / 2 + 2, w / 2 - 8, rng);
  LeafClump(cr, w / 2 - 14, h / 2 - 4, 16, rng);
  LeafClump(cr, w / 2 + 14, h / 2 - 2, 15, rng);
  if (!flowering) {
    for (int i = 0; i < 6; ++i) {
      const double x = rng.Uniform(16, w - 16), y = rng.Uniform(14, h - 18);
      art::Ellipse(cr, x, y, 2.2, 2.2);
      art::FillOutlined(cr, art::Hex(0x3b5bc2), 0.8);
    }
    return;
  }
  for (int i = 0; i < 11; ++i) {
    const double x = rng.Uniform(14, w - 14), y = rng.Uniform(12, h - 16);
    for (int k = 0; k < 5; ++k) {
      const double a = 2 * M_PI * k / 5;
      art::Ellipse(cr, x + std::cos(a) * 2.4, y + std::sin(a) * 2.4, 2.0, 2.0);
    }
    art::FillOutlined(cr, art::Hex(0xf29bc0), 0.8);
    art::Ellipse(cr, x, y, 1.3, 1.3);
    art::SetColour(cr, art::Hex(0xffe066));
    cairo_fill(cr);
  }
}

// A blade of grass rising from (x, y) `h` tall, bending by `bend`.
void Blade(cairo_t* cr, double x, double y, double h, double bend, double w, Rgb c) {
  cairo_move_to(cr, x - w, y);
  cairo_curve_to(cr, x - w * 0.5, y - h * 0.5, x + bend * 0.5, y - h * 0.8, x + bend, y - h);
  cairo_curve_to(cr, x + bend * 0.5 + w * 0.4, y - h * 0.75, x + w * 0.6, y - h * 0.45, x + w,
                 y);
  cairo_close_path(cr);
  art::SetColour(cr, c);
  cairo_fill_preserve(cr);
  art::SetColour(cr, art::Shade(c, 0.6), 0.8);
  cairo_set_line_width(cr, 0.6);
  cairo_stroke(cr);
}

void DrawGrass(cairo_t* cr) {
  art::Rng rng(6001);
  WobblyPatch(cr, 64, 56, 60, 36, 0.12, rng);
  art::SetColour(cr, art::Hex(0x41752a), 0.85);
  cairo_fill(cr);
  const Rgb tones[3] = {art::Hex(0x3d6e27), art::Hex(0x5c9a36), art::Hex(0x8cc455)};
  // Rows from the back to the front, so the nearer blades overlap.
  for (int row = 0; row < 9; ++row) {
    const double y = 28 + row * 7.5;
    const double half = 56 * std::sqrt(std::max(0.0, 1 - std::pow((y - 56) / 40.0, 2)));
    for (double x = 64 - half + rng.Uniform(0, 4); x < 64 + half; x += rng.Uniform(3, 6)) {
      const double h = rng.Uniform(14, 24);
      Blade(cr, x, y + rng.Uniform(-2, 2), h, rng.Uniform(-7, 7), rng.Uniform(1.4, 2.2),
            tones[int(rng.Uniform(0, 2.99))]);
    }
  }
  for (int i = 0; i < 7; ++i) {
    const double x = rng.Uniform(20, 108), y = rng.Uniform(14, 60);
    art::Ellipse(cr, x, y, 1.6, 3.2);
    art::FillOutlined(cr, art::Hex(0xd8c46a), 0.7);
  }
}

void DrawSwamp(cairo_t* cr) {
  art::Rng rng(6000);
  WobblyPatch(cr, 64, 52, 61, 40, 0.1, rng);
  art::FillOutlined(cr, art::Hex(0x6b5a3a), 1.6);
  WobblyPatch(cr, 64, 53, 53, 33, 0.12, rng);
  cairo_pattern_t* p = cairo_pattern_create_radial(50, 40, 4, 64, 53, 56);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.3, 0.42, 0.37);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.16, 0.25, 0.21);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // Ripples and bubbles.
  art::SetColour(cr, art::Hex(0x9fc3b0), 0.5);
  cairo_set_line_width(cr, 1.1);
  for (int i = 0; i < 5; ++i) {
    const double x = rng.Uniform(34, 94), y = rng.Uniform(36, 70);
    cairo_new_path(cr);
    cairo_arc(cr, x, y, rng.Uniform(4, 9), M_PI * 1.1, M_PI * 1.8);
    cairo_stroke(cr);
  }
  // Lily pads.
  for (int i = 0; i < 4; ++i) {
    const double x = rng.Uniform(30, 98), y = rng.Uniform(38, 72);
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_arc(cr, x, y, 5, 0.4, 2 * M_PI - 0.1);
    cairo_close_path(cr);
    art::FillOutlined(cr, art::Hex(0x5f9a3a), 0.9);
  }
  // Reeds along the back and the sides.
  const double reeds[7][2] = {{16, 46}, {22, 40}, {28, 30}, {98, 28}, {106, 36}, {112, 48},
                              {60, 18}};
  for (const auto& r : reeds) {
    for (int k = -1; k <= 1; ++k) {
      const double x = r[0] + k * 3, h = 20 + rng.Uniform(0, 10);
      cairo_new_path(cr);
      cairo_move_to(cr, x, r[1] + 4);
      cairo_curve_to(cr, x + k, r[1] - h * 0.5, x + k * 2, r[1] - h * 0.8, x + k * 3,
                     r[1] - h);
      art::SetColour(cr, art::Hex(0x4d7a2e));
      cairo_set_line_width(cr, 1.6);
      cairo_stroke(cr);
      if (k == 0) {
        art::RoundedRect(cr, x - 1.8, r[1] - h * 0.75, 3.6, 8, 1.8);
        art::FillOutlined(cr, art::Hex(0x7a4e2a), 0.8);
      }
    }
  }
}

template <typename F>
void Save1(const std::string& dir, const std::string& rel, int w, int h, F draw) {
  art::Picture pic(w, h);
  draw(pic.Context());
  SaveOrDie(pic, dir, rel);
}

}  // namespace

void DrawScenery(const std::string& dir) {
  const char* trees[4] = {"Tree.png", "TreeThinning.png", "TreeBare.png", "TreeStump.png"};
  for (int s = 0; s < 4; ++s)
    Save1(dir, std::string("Data/Scenery/") + trees[s], 100, 124,
          [&](cairo_t* cr) { DrawTree(cr, s); });
  const char* fences[4] = {"Fence.png", "FenceCracked.png", "FenceBroken.png",
                           "FenceWrecked.png"};
  for (int s = 0; s < 4; ++s)
    Save1(dir, std::string("Data/Scenery/") + fences[s], 112, 72,
          [&](cairo_t* cr) { DrawFence(cr, s); });
  Save1(dir, "Data/Scenery/Hurdle.png", 32, 80, DrawHurdle);
  Save1(dir, "Data/Scenery/Boulder.png", 64, 52, DrawBoulder);
  Save1(dir, "Data/Scenery/Bush.png", 72, 60, [](cairo_t* cr) { DrawBush(cr, false); });
  Save1(dir, "Data/Scenery/FlowerBush.png", 80, 64, [](cairo_t* cr) { DrawBush(cr, true); });
  Save1(dir, "Data/Scenery/RockPile.png", 88, 64, DrawRockPile);
  Save1(dir, "Data/Scenery/Swamp.png", 128, 96, DrawSwamp);
  Save1(dir, "Data/Scenery/TallGrass.png", 128, 96, DrawGrass);
}

}  // namespace world
