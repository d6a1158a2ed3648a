// Extra decorations for level makers (identifiers from 6002 up): flowers,
// stones, a cottage, a well, a pond, a haystack, logs, mushrooms, a signpost,
// a pine and a cart.  Each blocks by its opaque box.
#include <cmath>

#include "art_world/groups.h"
#include "art_world/world_common.h"

namespace world {
namespace {

namespace pal = art::palette;

const Rgb kWood = art::Hex(pal::kWood);
const Rgb kStone = art::Hex(0x9a9a92);
const Rgb kThatch = art::Hex(0xd8b25a);
const Rgb kLeaf = art::Hex(0x4f8a33);

void Flower(cairo_t* cr, double x, double y, double r, Rgb petal, Rgb middle, int petals) {
  cairo_move_to(cr, x, y + r);
  cairo_line_to(cr, x + 0.5, y + r * 3.2);
  art::SetColour(cr, art::Hex(0x3f6e2a));
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  for (int k = 0; k < petals; ++k) {
    const double a = 2 * M_PI * k / petals;
    art::Ellipse(cr, x + std::cos(a) * r * 0.75, y + std::sin(a) * r * 0.75, r * 0.62, r * 0.62);
  }
  art::FillOutlined(cr, petal, 0.8);
  art::Ellipse(cr, x, y, r * 0.42, r * 0.42);
  art::FillOutlined(cr, middle, 0.6);
}

void FlowerPatch(cairo_t* cr, uint32_t seed, Rgb petal, Rgb middle, int petals) {
  art::Rng rng(seed);
  WobblyPatch(cr, 24, 22, 21, 11, 0.15, rng, 10);
  art::SetColour(cr, art::Hex(0x4c8530), 0.8);
  cairo_fill(cr);
  for (int i = 0; i < 9; ++i) {
    const double x = rng.Uniform(8, 40), y = rng.Uniform(8, 24);
    Flower(cr, x, y, rng.Uniform(2.6, 3.6), petal, middle, petals);
  }
}

void Stones(cairo_t* cr) {
  art::Rng rng(6004);
  const double st[5][3] = {{12, 16, 8}, {26, 12, 6}, {36, 18, 7}, {22, 22, 5}, {42, 10, 4}};
  for (const auto& s : st) {
    SoftShadow(cr, s[0] + 1, s[1] + s[2] * 0.6, s[2] + 1, s[2] * 0.35, 0.4);
    WobblyPatch(cr, s[0], s[1], s[2], s[2] * 0.7, 0.12, rng, 8);
    art::FillShadedOutlined(cr, kStone, s[0], s[1], s[2], 1.2);
  }
}

void Cottage(cairo_t* cr) {
  art::Rng rng(6005);
  SoftShadow(cr, 66, 104, 60, 10, 0.45);
  // Walls: front and gable side.
  cairo_rectangle(cr, 16, 56, 96, 46);
  art::FillShadedOutlined(cr, art::Hex(0xf1e6cf), 40, 70, 60, 1.6);
  // Timber beams.
  art::SetColour(cr, art::Hex(0x6b4526));
  for (double x : {16.0, 48.0, 80.0, 112.0}) cairo_rectangle(cr, x - 2, 56, 4, 46);
  cairo_rectangle(cr, 16, 76, 96, 3);
  cairo_fill(cr);
  // Door and windows.
  art::RoundedRect(cr, 56, 74, 16, 28, 6);
  art::FillShadedOutlined(cr, art::Hex(0x8a5030), 62, 84, 12, 1.2);
  art::Ellipse(cr, 68.5, 89, 1.2, 1.2);
  art::SetColour(cr, art::Hex(pal::kGold));
  cairo_fill(cr);
  for (double x : {26.0, 88.0}) {
    cairo_rectangle(cr, x, 64, 14, 11);
    art::FillOutlined(cr, art::Hex(0x9fd3f0), 1.4);
    art::SetColour(cr, art::Hex(0x6b4526));
    cairo_set_line_width(cr, 1.2);
    cairo_move_to(cr, x + 7, 64);
    cairo_line_to(cr, x + 7, 75);
    cairo_move_to(cr, x, 69.5);
    cairo_line_to(cr, x + 14, 69.5);
    cairo_stroke(cr);
    cairo_rectangle(cr, x - 1, 82, 16, 5);
    art::FillOutlined(cr, art::Hex(0x7a5232), 1.0);
    for (int k = 0; k < 4; ++k) {
      art::Ellipse(cr, x + 2 + k * 3.6, 81, 2, 2);
      art::FillOutlined(cr, k % 2 ? art::Hex(0xe85a6b) : art::Hex(0xffd35a), 0.6);
    }
  }
  // Chimney, then the thatched roof.
  cairo_rectangle(cr, 88, 12, 12, 24);
  art::FillShadedOutlined(cr, art::Hex(0xb0674a), 92, 20, 12, 1.4);
  cairo_move_to(cr, 6, 60);
  cairo_curve_to(cr, 10, 40, 30, 16, 50, 10);
  cairo_line_to(cr, 80, 10);
  cairo_curve_to(cr, 98, 16, 118, 40, 122, 60);
  cairo_curve_to(cr, 90, 64, 40, 64, 6, 60);
  cairo_close_path(cr);
  art::FillShadedOutlined(cr, kThatch, 50, 30, 60, 1.8);
  art::SetColour(cr, art::Shade(kThatch, 0.7), 0.7);
  cairo_set_line_width(cr, 1);
  for (int i = 0; i < 26; ++i) {
    const double x = rng.Uniform(16, 112), y = rng.Uniform(20, 56);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + (x - 64) * 0.08, y + 5);
  }
  cairo_stroke(cr);
  cairo_move_to(cr, 50, 12);
  cairo_line_to(cr, 80, 12);
  art::SetColour(cr, art::Shade(kThatch, 1.3));
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
}

void Well(cairo_t* cr) {
  SoftShadow(cr, 33, 68, 28, 7, 0.45);
  // Posts and roof.
  for (double x : {12.0, 52.0}) {
    cairo_rectangle(cr, x - 2.5, 14, 5, 44);
    art::FillShadedOutlined(cr, kWood, x, 30, 20, 1.2);
  }
  cairo_move_to(cr, 4, 20);
  cairo_line_to(cr, 32, 4);
  cairo_line_to(cr, 60, 20);
  cairo_line_to(cr, 54, 24);
  cairo_line_to(cr, 32, 11);
  cairo_line_to(cr, 10, 24);
  cairo_close_path(cr);
  art::FillShadedOutlined(cr, art::Hex(0xa0503a), 24, 10, 30, 1.5);
  // Rope and bucket.
  cairo_move_to(cr, 12, 26);
  cairo_line_to(cr, 52, 26);
  art::SetColour(cr, art::Hex(0x6b4526));
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  cairo_move_to(cr, 36, 26);
  cairo_line_to(cr, 36, 36);
  art::SetColour(cr, art::Hex(0xcaa56a));
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  cairo_move_to(cr, 31, 36);
  cairo_line_to(cr, 41, 36);
  cairo_line_to(cr, 40, 44);
  cairo_line_to(cr, 32, 44);
  cairo_close_path(cr);
  art::FillOutlined(cr, kWood, 1.2);
  // Stone ring, its far rim, the dark water, the near wall.
  art::Ellipse(cr, 32, 50, 24, 9);
  art::FillOutlined(cr, art::Shade(kStone, 1.1), 1.4);
  art::Ellipse(cr, 32, 50, 18, 6);
  art::SetColour(cr, art::Hex(0x1d2e36));
  cairo_fill(cr);
  cairo_move_to(cr, 8, 50);
  cairo_curve_to(cr, 8, 58, 20, 62, 32, 62);
  cairo_curve_to(cr, 44, 62, 56, 58, 56, 50);
  cairo_line_to(cr, 56, 64);
  cairo_curve_to(cr, 56, 70, 44, 74, 32, 74);
  cairo_curve_to(cr, 20, 74, 8, 70, 8, 64);
  cairo_close_path(cr);
  art::FillShadedOutlined(cr, kStone, 24, 60, 24, 1.4);
  art::SetColour(cr, art::Shade(kStone, 0.6), 0.7);
  cairo_set_line_width(cr, 1);
  for (double x : {16.0, 26.0, 38.0, 48.0}) {
    cairo_move_to(cr, x, 62 + (x > 30 ? 1 : 0));
    cairo_line_to(cr, x, 69);
  }
  cairo_move_to(cr, 9, 66);
  cairo_curve_to(cr, 20, 70, 44, 70, 55, 66);
  cairo_stroke(cr);
}

void Pond(cairo_t* cr) {
  art::Rng rng(6007);
  WobblyPatch(cr, 80, 50, 76, 44, 0.08, rng, 16);
  art::FillOutlined(cr, art::Hex(0x8a7a52), 1.6);
  WobblyPatch(cr, 80, 50, 68, 37, 0.08, rng, 16);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 14, 0, 88);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.45, 0.68, 0.82);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.25, 0.45, 0.62);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  art::SetColour(cr, art::Rgb{1, 1, 1}, 0.45);
  cairo_set_line_width(cr, 1.4);
  for (int i = 0; i < 6; ++i) {
    const double x = rng.Uniform(40, 120), y = rng.Uniform(34, 66);
    cairo_new_path(cr);
    cairo_move_to(cr, x - 6, y);
    cairo_line_to(cr, x + 6, y);
    cairo_stroke(cr);
  }
  // Edge stones around the rim.
  for (int i = 0; i < 22; ++i) {
    const double a = 2 * M_PI * i / 22 + rng.Uniform(-0.08, 0.08);
    const double x = 80 + std::cos(a) * 71, y = 50 + std::sin(a) * 40;
    const double r = rng.Uniform(4, 7);
    WobblyPatch(cr, x, y, r, r * 0.7, 0.12, rng, 7);
    art::FillShadedOutlined(cr, kStone, x, y, r, 1.1);
  }
  for (int i = 0; i < 3; ++i) {
    const double x = rng.Uniform(50, 110), y = rng.Uniform(40, 64);
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_arc(cr, x, y, 6, 0.5, 2 * M_PI);
    cairo_close_path(cr);
    art::FillOutlined(cr, art::Hex(0x5f9a3a), 1.0);
  }
  Flower(cr, 96, 50, 2.4, art::Hex(0xf7c6d9), art::Hex(0xffe066), 6);
}

void Haystack(cairo_t* cr) {
  art::Rng rng(6008);
  SoftShadow(cr, 38, 56, 33, 7, 0.45);
  cairo_move_to(cr, 6, 56);
  cairo_curve_to(cr, 4, 30, 20, 6, 36, 5);
  cairo_curve_to(cr, 54, 6, 70, 30, 66, 56);
  cairo_curve_to(cr, 46, 60, 26, 60, 6, 56);
  cairo_close_path(cr);
  art::FillShadedOutlined(cr, kThatch, 28, 24, 36, 1.6);
  cairo_set_line_width(cr, 1);
  for (int i = 0; i < 40; ++i) {
    const double x = rng.Uniform(10, 62), y = rng.Uniform(10, 54);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + rng.Uniform(-3, 3), y + 5);
    art::SetColour(cr, i % 2 ? art::Shade(kThatch, 0.7) : art::Shade(kThatch, 1.25), 0.8);
    cairo_stroke(cr);
  }
  // A pitchfork leaning on it.
  cairo_move_to(cr, 58, 58);
  cairo_line_to(cr, 66, 18);
  art::SetColour(cr, kWood);
  cairo_set_line_width(cr, 2.2);
  cairo_stroke(cr);
  for (double dx : {-3.0, 0.0, 3.0}) {
    cairo_move_to(cr, 66 + dx * 0.9, 19);
    cairo_line_to(cr, 67.5 + dx, 10);
  }
  art::SetColour(cr, art::Hex(0x6d6f75));
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
}

void Log(cairo_t* cr, double x0, double y, double x1, double r) {
  cairo_rectangle(cr, x0, y - r, x1 - x0, 2 * r);
  art::FillShadedOutlined(cr, art::Hex(0x8a5a34), (x0 + x1) / 2, y - r, x1 - x0, 1.3);
  art::Ellipse(cr, x1, y, r * 0.55, r);
  art::FillOutlined(cr, art::Hex(0xe0c08a), 1.2);
  art::Ellipse(cr, x1, y, r * 0.25, r * 0.5);
  art::SetColour(cr, art::Hex(0xa67c4a));
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
}

void LogPile(cairo_t* cr) {
  SoftShadow(cr, 36, 42, 32, 6, 0.45);
  Log(cr, 6, 34, 58, 7);
  Log(cr, 10, 36, 64, 7.5);
  Log(cr, 12, 22, 52, 7);
  Log(cr, 16, 24, 60, 7);
  Log(cr, 18, 12, 52, 6.5);
}

void Mushrooms(cairo_t* cr) {
  const double m[4][3] = {{10, 22, 6}, {22, 16, 8}, {32, 24, 5.5}, {18, 27, 4}};
  for (const auto& s : m) {
    SoftShadow(cr, s[0] + 1, s[1] + s[2] * 0.9, s[2], s[2] * 0.3, 0.35);
    art::RoundedRect(cr, s[0] - s[2] * 0.3, s[1] - s[2] * 0.2, s[2] * 0.6, s[2] * 1.1, 1.5);
    art::FillOutlined(cr, art::Hex(0xf4eee0), 1.0);
    cairo_new_path(cr);
    cairo_arc(cr, s[0], s[1], s[2], M_PI, 2 * M_PI);
    cairo_close_path(cr);
    art::FillShadedOutlined(cr, art::Hex(0xd8402f), s[0] - 2, s[1] - 3, s[2], 1.1);
    art::Ellipse(cr, s[0] - s[2] * 0.4, s[1] - s[2] * 0.45, s[2] * 0.18, s[2] * 0.14);
    art::Ellipse(cr, s[0] + s[2] * 0.35, s[1] - s[2] * 0.6, s[2] * 0.15, s[2] * 0.12);
    art::SetColour(cr, art::Rgb{1, 1, 1});
    cairo_fill(cr);
  }
}

void Signpost(cairo_t* cr) {
  SoftShadow(cr, 24, 68, 12, 3.5, 0.45);
  cairo_rectangle(cr, 21.5, 12, 5, 56);
  art::FillShadedOutlined(cr, kWood, 23, 36, 24, 1.3);
  // Two arrow boards.
  cairo_move_to(cr, 4, 14);
  cairo_line_to(cr, 36, 14);
  cairo_line_to(cr, 44, 21);
  cairo_line_to(cr, 36, 28);
  cairo_line_to(cr, 4, 28);
  cairo_close_path(cr);
  art::FillShadedOutlined(cr, art::Shade(kWood, 1.2), 20, 18, 24, 1.4);
  cairo_move_to(cr, 44, 34);
  cairo_line_to(cr, 12, 34);
  cairo_line_to(cr, 4, 41);
  cairo_line_to(cr, 12, 48);
  cairo_line_to(cr, 44, 48);
  cairo_close_path(cr);
  art::FillShadedOutlined(cr, art::Shade(kWood, 1.2), 24, 38, 24, 1.4);
  art::SetColour(cr, art::Shade(kWood, 0.5), 0.8);
  cairo_set_line_width(cr, 1.4);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (double y : {19.0, 23.0}) {
    cairo_move_to(cr, 9, y);
    cairo_line_to(cr, 31, y);
  }
  for (double y : {39.0, 43.0}) {
    cairo_move_to(cr, 16, y);
    cairo_line_to(cr, 38, y);
  }
  cairo_stroke(cr);
}

void Pine(cairo_t* cr) {
  SoftShadow(cr, 38, 104, 26, 6, 0.45);
  cairo_rectangle(cr, 32, 84, 10, 20);
  art::FillShadedOutlined(cr, art::Hex(0x7a5232), 35, 90, 10, 1.3);
  const Rgb needle = art::Hex(0x2f6b3a);
  for (int tier = 0; tier < 4; ++tier) {
    const double top = 6 + tier * 18, bottom = 44 + tier * 14, half = 14 + tier * 7.5;
    cairo_move_to(cr, 37, top);
    cairo_curve_to(cr, 40, top + 10, 37 + half * 0.7, bottom - 8, 37 + half, bottom);
    cairo_curve_to(cr, 37 + half * 0.4, bottom + 4, 37 - half * 0.4, bottom + 4, 37 - half,
                   bottom);
    cairo_curve_to(cr, 37 - half * 0.7, bottom - 8, 34, top + 10, 37, top);
    cairo_close_path(cr);
    art::FillShadedOutlined(cr, needle, 30, top + 12, half * 1.4, 1.5);
  }
}

void Cart(cairo_t* cr) {
  SoftShadow(cr, 48, 58, 44, 6, 0.45);
  // Shafts.
  cairo_move_to(cr, 70, 42);
  cairo_line_to(cr, 94, 50);
  art::SetColour(cr, art::Shade(kWood, 0.5));
  cairo_set_line_width(cr, 4.5);
  cairo_stroke(cr);
  cairo_move_to(cr, 70, 42);
  cairo_line_to(cr, 94, 50);
  art::SetColour(cr, kWood);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
  // Box with a load of hay.
  cairo_move_to(cr, 8, 22);
  cairo_curve_to(cr, 14, 6, 58, 4, 68, 20);
  cairo_close_path(cr);
  art::FillShadedOutlined(cr, kThatch, 30, 12, 30, 1.4);
  cairo_rectangle(cr, 6, 20, 66, 22);
  art::FillShadedOutlined(cr, art::Shade(kWood, 1.1), 24, 26, 40, 1.5);
  art::SetColour(cr, art::Shade(kWood, 0.6), 0.8);
  cairo_set_line_width(cr, 1);
  for (double y : {27.0, 34.0}) {
    cairo_move_to(cr, 8, y);
    cairo_line_to(cr, 70, y);
  }
  cairo_stroke(cr);
  // Wheel.
  art::Ellipse(cr, 36, 46, 12, 12);
  art::FillOutlined(cr, art::Shade(kWood, 0.9), 1.6);
  art::Ellipse(cr, 36, 46, 9, 9);
  art::SetColour(cr, art::Hex(0x4a3020));
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  for (int k = 0; k < 6; ++k) {
    const double a = M_PI / 3 * k;
    cairo_move_to(cr, 36, 46);
    cairo_line_to(cr, 36 + std::cos(a) * 9, 46 + std::sin(a) * 9);
  }
  cairo_stroke(cr);
  art::Ellipse(cr, 36, 46, 2.5, 2.5);
  art::FillOutlined(cr, art::Hex(0x6d6f75), 1);
}

template <typename F>
void Save1(const std::string& dir, const std::string& name, int w, int h, F draw) {
  art::Picture pic(w, h);
  draw(pic.Context());
  SaveOrDie(pic, dir, "Data/Scenery/Decorations/" + name);
}

}  // namespace

void DrawDecorations(const std::string& dir) {
  Save1(dir, "Poppies.png", 48, 36, [](cairo_t* cr) {
    FlowerPatch(cr, 6002, art::Hex(0xe0412f), art::Hex(0x2d2a26), 5);
  });
  Save1(dir, "Daisies.png", 48, 36, [](cairo_t* cr) {
    FlowerPatch(cr, 6003, art::Hex(0xfbfaf4), art::Hex(0xf2c14e), 7);
  });
  Save1(dir, "Stones.png", 52, 30, Stones);
  Save1(dir, "Cottage.png", 128, 116, Cottage);
  Save1(dir, "Well.png", 64, 78, Well);
  Save1(dir, "Pond.png", 160, 100, Pond);
  Save1(dir, "Haystack.png", 76, 64, Haystack);
  Save1(dir, "LogPile.png", 76, 50, LogPile);
  Save1(dir, "Mushrooms.png", 42, 34, Mushrooms);
  Save1(dir, "Signpost.png", 48, 72, Signpost);
  Save1(dir, "Pine.png", 76, 112, Pine);
  Save1(dir, "Cart.png", 100, 66, Cart);
}

}  // namespace world
