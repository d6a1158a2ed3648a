// Draws the eagle: wings, body, tail and head as outlined shapes, flexed and
// turned by the two pose tables below.
#include "art_characters/eagle_art.h"

#include "art_characters/rig.h"

#include <cmath>
#include <vector>

namespace eagle {

namespace {

using art::Hex;
using art::Rgb;
using rig::Oval;

const Rgb kBrown = Hex(0x5e412b);
const Rgb kWing = Hex(0x6e4c31);
const Rgb kHead = Hex(art::palette::kDogWhite);
const Rgb kYellow = Hex(art::palette::kGold);

// Seen from above, head up: the wings' spread and how far their tips sweep back.
struct Glide {
  int cell;
  double span;   // wingspan factor, 1 fully spread
  double sweep;  // degrees the outer wing swings back
  double bank;   // one wing a little shorter: leaning into the circle
};

// clang-format off
const std::vector<Glide> kGlides = {
  // cell span  sweep bank
  {0,   1.00,  0,   0.00},
  {1,   0.97,  5,   0.02},
  {2,   0.93,  10,  0.04},
  {6,   0.90,  15,  0.06},
  {7,   0.87,  19,  0.08},
  {8,   0.84,  23,  0.10},
};
// clang-format on

// Side view, diving to the right: the wings' angles (90 straight up, 180
// straight back) beat through a loop of four frames.
struct Dive {
  int cell;
  double nearWing, farWing;  // degrees
  double body;               // dive angle, nose down
  double talons;             // how far the feet reach forward, 0 to 1
};

// clang-format off
const std::vector<Dive> kDives = {
  // cell near  far   body  talons
  {12,   98,   118,  26,   1.0},
  {13,   125,  142,  28,   0.9},
  {14,   160,  172,  30,   0.8},
  {15,   132,  150,  28,   0.9},
};
// clang-format on

// One wing seen from above, pointing right from the shoulder at the origin
// (x out along the wing, y back); `side` -1 mirrors it to the left.
void GlideWing(cairo_t* cr, const Glide& g, double side) {
  const double span = 31 * g.span * (side > 0 ? 1 - g.bank : 1 + g.bank * 0.5);
  const double sweep = rig::Rad(g.sweep);
  // Outline: leading edge, five finger feathers at the tip, trailing edge.
  const double pts[][2] = {{0.06, -3.0}, {0.3, -6.2}, {0.6, -6.0}, {0.85, -4.0}, {1.0, -1.5},
                           {0.93, 0.2},  {1.0, 1.6},  {0.9, 2.6},  {0.95, 4.2}, {0.84, 4.6},
                           {0.86, 6.2},  {0.74, 6.2}, {0.7, 7.8},  {0.5, 8.6},  {0.25, 8.4},
                           {0.06, 6.5}};
  cairo_new_path(cr);
  for (const auto& p : pts) {
    double x = p[0] * span, y = p[1];
    if (p[0] > 0.35) {
      // The outer wing swings back about the wrist.
      const double wx = 0.35 * span, dx = x - wx, dy = y;
      x = wx + dx * std::cos(sweep) - dy * std::sin(sweep);
      y = dx * std::sin(sweep) + dy * std::cos(sweep);
    }
    cairo_line_to(cr, side * x, y);
  }
  cairo_close_path(cr);
  art::FillShadedOutlined(cr, kWing, side * span * 0.4, 0, span * 0.6, 1.2);
  // Covert feathers: a lighter band along the leading edge.
  art::SetColour(cr, art::Shade(kWing, 1.25));
  cairo_set_line_width(cr, 1.3);
  cairo_move_to(cr, side * 0.08 * span, -1.5);
  cairo_line_to(cr, side * 0.45 * span, -2.8);
  cairo_stroke(cr);
}

void DrawGlide(cairo_t* cr, const Glide& g) {
  cairo_translate(cr, 48, 50);
  // Tail fan, body, head.
  cairo_new_path(cr);
  cairo_move_to(cr, -3, 8);
  cairo_line_to(cr, -7, 19);
  cairo_curve_to(cr, -3, 21, 3, 21, 7, 19);
  cairo_line_to(cr, 3, 8);
  cairo_close_path(cr);
  art::FillShadedOutlined(cr, kBrown, 0, 14, 8, 1.2);
  GlideWing(cr, g, 1);
  GlideWing(cr, g, -1);
  rig::Blob(cr, {Oval{0, 0, 4.6, 11.5}}, kBrown, -1, -4, 10, 1.2);
  rig::Blob(cr, {Oval{0, -12.5, 3.6, 4.2}}, kHead, -1, -14, 4, 1.0);
  cairo_new_path(cr);
  cairo_move_to(cr, -1.5, -16);
  cairo_line_to(cr, 0, -19.5);
  cairo_line_to(cr, 1.5, -16);
  cairo_close_path(cr);
  art::FillOutlined(cr, kYellow, 0.8);
}

// A wing seen from the side, from the shoulder at the origin, pointing at
// `angle` (90 up, 180 back).
void SideWing(cairo_t* cr, double angle, double length, Rgb colour) {
  const double dx = std::cos(rig::Rad(angle)), dy = -std::sin(rig::Rad(angle));
  const double lx = -dy, ly = dx;  // towards the leading edge
  // Width across the wing (negative on the leading edge) along its length.
  const double pts[][2] = {{0.0, -4.5}, {0.35, -7.0}, {0.7, -6.0}, {0.95, -3.5}, {1.0, -1.0},
                           {0.9, 0.5},  {0.97, 1.8},  {0.86, 3.0}, {0.9, 4.6},   {0.78, 5.2},
                           {0.8, 7.0},  {0.66, 7.2},  {0.45, 8.6}, {0.2, 8.0},   {0.0, 6.0}};
  cairo_new_path(cr);
  for (const auto& p : pts) {
    const double a = p[0] * length, b = p[1];
    cairo_line_to(cr, a * dx - b * lx, a * dy - b * ly);
  }
  cairo_close_path(cr);
  art::FillShadedOutlined(cr, colour, dx * length * 0.4, dy * length * 0.4, length * 0.6, 1.2);
  art::SetColour(cr, art::Shade(colour, 1.28));
  cairo_set_line_width(cr, 1.4);
  cairo_move_to(cr, 0.1 * length * dx + 3 * lx, 0.1 * length * dy + 3 * ly);
  cairo_line_to(cr, 0.55 * length * dx + 3.5 * lx, 0.55 * length * dy + 3.5 * ly);
  cairo_stroke(cr);
}

void Foot(cairo_t* cr, double x, double y, double reach) {
  // Shank from the feathered thigh to the foot, then three talons spread forward.
  const double fx = x + 13 * reach + 2, fy = y + 5 + 3 * (1 - reach);
  rig::Limb(cr, {rig::Pt{x, y}, rig::Pt{fx, fy}}, 2.4, 2.2, kYellow, 0.8);
  art::SetColour(cr, Hex(0x2b2018));
  cairo_set_line_width(cr, 1.3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 3; ++i) {
    const double a = rig::Rad(-40 + i * 40);
    const double tx = fx + 4.2 * std::cos(a), ty = fy + 4.2 * std::sin(a);
    cairo_move_to(cr, fx, fy);
    cairo_line_to(cr, tx, ty);
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, tx - 1.2 * std::sin(a), ty + 1.2 * std::cos(a), 1.3, a - 1.6, a + 0.4);
    cairo_stroke(cr);
  }
}

void DrawDive(cairo_t* cr, const Dive& d) {
  cairo_translate(cr, 45, 50);
  cairo_scale(cr, 1.3, 1.3);
  cairo_rotate(cr, rig::Rad(d.body));
  SideWing(cr, d.farWing, 30, art::Shade(kWing, 0.8));
  // Tail.
  cairo_new_path(cr);
  cairo_move_to(cr, -10, -3);
  cairo_line_to(cr, -25, -7);
  cairo_curve_to(cr, -27, -3, -27, 1, -25, 4);
  cairo_line_to(cr, -10, 3);
  cairo_close_path(cr);
  art::FillShadedOutlined(cr, kBrown, -18, -2, 8, 1.2);
  // Feet under and ahead of the body, talons forward.
  Foot(cr, 3, 5, d.talons);
  Foot(cr, 6, 4, d.talons * 0.9);
  // Feathered thighs, body, head with hooked beak.
  rig::Blob(cr, {Oval{1, 4, 5, 3.6, 30}, Oval{0, 0, 13.5, 7.2}}, kBrown, -2, -4, 14, 1.2);
  rig::Blob(cr, {Oval{13.5, -4.5, 6.0, 5.2}, Oval{9.5, -2, 4.5, 4.5}}, kHead, 12, -7, 6, 1.1);
  cairo_new_path(cr);
  cairo_move_to(cr, 18, -6.5);
  cairo_curve_to(cr, 22, -7, 24.5, -5, 23.5, -1.5);
  cairo_line_to(cr, 21.5, -3.2);
  cairo_line_to(cr, 18, -2.5);
  cairo_close_path(cr);
  art::FillOutlined(cr, kYellow, 0.9);
  art::SetColour(cr, Hex(0x1a1412));
  rig::AddOvals(cr, {Oval{15.5, -5.8, 1.2, 1.2}});
  cairo_fill(cr);
  art::SetColour(cr, Hex(0x6e5a3a));
  cairo_set_line_width(cr, 1.0);
  cairo_move_to(cr, 13.5, -7.6);
  cairo_line_to(cr, 17.2, -7.0);
  cairo_stroke(cr);
  SideWing(cr, d.nearWing, 33, kWing);
}

}  // namespace

bool DrawStrip(const std::string& path) {
  art::Strip strip(96, 96, 16);
  for (const Glide& g : kGlides) {
    cairo_t* cr = strip.BeginCell(g.cell);
    DrawGlide(cr, g);
    strip.EndCell();
  }
  for (const Dive& d : kDives) {
    cairo_t* cr = strip.BeginCell(d.cell);
    DrawDive(cr, d);
    strip.EndCell();
  }
  return strip.Save(path);
}

}  // namespace eagle
