// The interface pictures: pointers, button and toggle faces, the framed-box
// picture, the slider track and knob, the check mark, the token, the quest
// progress bar pieces and the three particle pictures.
#include <cmath>

#include "art_world/groups.h"
#include "art_world/world_common.h"

namespace world {
namespace {

namespace pal = art::palette;

const Rgb kRim = art::Hex(pal::kFrame);
const Rgb kParch = art::Hex(pal::kParchment);
const Rgb kInk = art::Hex(0x4a2e16);

// A paw print: a big pad and four toes, centred on (cx, cy), `s` its scale.
void PawPath(cairo_t* cr, double cx, double cy, double s) {
  art::Ellipse(cr, cx, cy + 3 * s, 5.2 * s, 4.4 * s);
  const double toes[4][2] = {{-6.2, -2.6}, {-2.3, -6.8}, {2.3, -6.8}, {6.2, -2.6}};
  for (const auto& t : toes) art::Ellipse(cr, cx + t[0] * s, cy + t[1] * s, 2.1 * s, 2.6 * s);
}

// 8: a paw print inside a target ring, centred on the pointed-at spot.
void DrawTargetPointer(const std::string& dir) {
  art::Picture pic(32, 32);
  cairo_t* cr = pic.Context();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  // Dark halo first so that the pale ring reads on the meadow and on sky.
  for (int pass = 0; pass < 2; ++pass) {
    art::SetColour(cr, pass == 0 ? kInk : art::Hex(0xfff6dc), pass == 0 ? 0.8 : 1.0);
    cairo_set_line_width(cr, pass == 0 ? 4.2 : 2.0);
    cairo_new_path(cr);
    cairo_arc(cr, 16, 16, 12, 0, 2 * M_PI);
    cairo_stroke(cr);
    const double ticks[4][4] = {{16, 1.5, 16, 5}, {16, 27, 16, 30.5}, {1.5, 16, 5, 16},
                                {27, 16, 30.5, 16}};
    for (const auto& t : ticks) {
      cairo_move_to(cr, t[0], t[1]);
      cairo_line_to(cr, t[2], t[3]);
    }
    cairo_stroke(cr);
  }
  PawPath(cr, 16, 16.5, 1.0);
  art::FillOutlined(cr, art::Hex(pal::kDogTan), 1.2);
  SaveOrDie(pic, dir, "Data/Interface/Pointer.png");
}

// 9: an arrow whose tip sits 6 pixels up and left of the picture's centre.
void DrawArrowPointer(const std::string& dir) {
  art::Picture pic(32, 32);
  cairo_t* cr = pic.Context();
  const double tx = 10, ty = 10;  // centre (16, 16) less 6
  cairo_move_to(cr, tx, ty);
  cairo_line_to(cr, tx, ty + 18);
  cairo_line_to(cr, tx + 4.5, ty + 14);
  cairo_line_to(cr, tx + 8, ty + 21);
  cairo_line_to(cr, tx + 11, ty + 19.5);
  cairo_line_to(cr, tx + 7.6, ty + 12.6);
  cairo_line_to(cr, tx + 13.5, ty + 12.6);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  art::SetColour(cr, kInk);
  cairo_set_line_width(cr, 2.4);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(tx, ty, tx + 10, ty + 20);
  cairo_pattern_add_color_stop_rgb(p, 0, 1, 0.99, 0.95);
  cairo_pattern_add_color_stop_rgb(p, 1, kParch.r * 0.92, kParch.g * 0.9, kParch.b * 0.85);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  SaveOrDie(pic, dir, "Data/Interface/Arrow.png");
}

// A wooden rim with a parchment inset: the look of every push button.
void WoodenPlaque(cairo_t* cr, double x, double y, double w, double h, double radius,
                  double rim) {
  art::RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, radius);
  cairo_pattern_t* wood = cairo_pattern_create_linear(0, y, 0, y + h);
  const Rgb lit = art::Shade(kRim, 1.3), dark = art::Shade(kRim, 0.75);
  cairo_pattern_add_color_stop_rgb(wood, 0, lit.r, lit.g, lit.b);
  cairo_pattern_add_color_stop_rgb(wood, 0.5, kRim.r, kRim.g, kRim.b);
  cairo_pattern_add_color_stop_rgb(wood, 1, dark.r, dark.g, dark.b);
  cairo_set_source(cr, wood);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(wood);
  art::SetColour(cr, art::Shade(kRim, 0.55));
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  // Grain lines along the rim.
  art::SetColour(cr, art::Shade(kRim, 0.8), 0.5);
  cairo_set_line_width(cr, 0.8);
  for (double gy : {y + rim * 0.35, y + h - rim * 0.4}) {
    cairo_move_to(cr, x + radius, gy);
    cairo_line_to(cr, x + w - radius, gy);
  }
  cairo_stroke(cr);
  // The parchment inset, lit from the top left.
  art::RoundedRect(cr, x + rim, y + rim, w - 2 * rim, h - 2 * rim, std::max(2.0, radius - rim));
  cairo_pattern_t* paper = cairo_pattern_create_linear(x, y, x + w * 0.3, y + h);
  const Rgb pl = art::Shade(kParch, 1.25), pd = art::Shade(kParch, 0.9);
  cairo_pattern_add_color_stop_rgb(paper, 0, pl.r, pl.g, pl.b);
  cairo_pattern_add_color_stop_rgb(paper, 1, pd.r, pd.g, pd.b);
  cairo_set_source(cr, paper);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(paper);
  art::SetColour(cr, art::Shade(kRim, 0.6), 0.8);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);
}

// 16: the standard button face; the caption is drawn over its middle.  152
// wide, so that a hovered "Next >>" centred at x 724 ends at the screen's edge.
void DrawButtonFace(const std::string& dir) {
  art::Picture pic(152, 44);
  WoodenPlaque(pic.Context(), 0, 0, 152, 44, 14, 5);
  SaveOrDie(pic, dir, "Data/Interface/Button.png");
}

// 24: the framed-box picture.  Boxes are drawn from its four quarters, so the
// picture is mirror-symmetric and the rims are the same all along each side:
// any two quarters meet without a seam.  Corner studs stay within 24 pixels of
// the corners, which every box (at least 48 by 48) shows whole.
void DrawFrame(const std::string& dir) {
  const int n = 512;
  art::Picture pic(n, n);
  cairo_t* cr = pic.Context();
  const double rim = 12;
  // Parchment, darkening gently towards the rim.
  art::RoundedRect(cr, 1, 1, n - 2, n - 2, 12);
  art::SetColour(cr, kParch);
  cairo_fill(cr);
  const Rgb edge = art::Shade(kParch, 0.86);
  for (int side = 0; side < 4; ++side) {
    cairo_pattern_t* p;
    const double d0 = rim, d1 = rim + 22;
    if (side == 0) p = cairo_pattern_create_linear(0, d0, 0, d1);
    else if (side == 1) p = cairo_pattern_create_linear(0, n - d0, 0, n - d1);
    else if (side == 2) p = cairo_pattern_create_linear(d0, 0, d1, 0);
    else p = cairo_pattern_create_linear(n - d0, 0, n - d1, 0);
    cairo_pattern_add_color_stop_rgba(p, 0, edge.r, edge.g, edge.b, 0.9);
    cairo_pattern_add_color_stop_rgba(p, 1, edge.r, edge.g, edge.b, 0);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, rim, rim, n - 2 * rim, n - 2 * rim);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
  // The wooden rim: one band per side, a constant tone along its length, the
  // top and left ones lit, the bottom and right ones in shade.
  const Rgb tones[4] = {art::Shade(kRim, 1.22), art::Shade(kRim, 0.8), art::Shade(kRim, 1.1),
                        art::Shade(kRim, 0.88)};
  for (int side = 0; side < 4; ++side) {
    cairo_save(cr);
    art::RoundedRect(cr, 1, 1, n - 2, n - 2, 12);
    cairo_clip(cr);
    cairo_new_path(cr);
    // Mitred trapezoids so the corners join diagonally.
    if (side == 0) {
      cairo_move_to(cr, 0, 0); cairo_line_to(cr, n, 0);
      cairo_line_to(cr, n - rim, rim); cairo_line_to(cr, rim, rim);
    } else if (side == 1) {
      cairo_move_to(cr, 0, n); cairo_line_to(cr, n, n);
      cairo_line_to(cr, n - rim, n - rim); cairo_line_to(cr, rim, n - rim);
    } else if (side == 2) {
      cairo_move_to(cr, 0, 0); cairo_line_to(cr, 0, n);
      cairo_line_to(cr, rim, n - rim); cairo_line_to(cr, rim, rim);
    } else {
      cairo_move_to(cr, n, 0); cairo_line_to(cr, n, n);
      cairo_line_to(cr, n - rim, n - rim); cairo_line_to(cr, n - rim, rim);
    }
    cairo_close_path(cr);
    art::SetColour(cr, tones[side]);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  // Grain and carved grooves run along each side.
  cairo_set_line_width(cr, 1.0);
  for (double d : {3.5, 8.0}) {
    art::SetColour(cr, art::Shade(kRim, 0.62), 0.55);
    art::RoundedRect(cr, d, d, n - 2 * d, n - 2 * d, std::max(2.0, 12 - d));
    cairo_stroke(cr);
  }
  art::SetColour(cr, art::Shade(kRim, 1.5), 0.5);
  art::RoundedRect(cr, 5.5, 5.5, n - 11, n - 11, 7);
  cairo_stroke(cr);
  // Inner and outer outlines.
  art::SetColour(cr, art::Shade(kRim, 0.5));
  cairo_set_line_width(cr, 1.6);
  art::RoundedRect(cr, 1, 1, n - 2, n - 2, 12);
  cairo_stroke(cr);
  cairo_rectangle(cr, rim, rim, n - 2 * rim, n - 2 * rim);
  cairo_stroke(cr);
  // Brass studs at the corners.
  for (double sx : {rim / 2 + 0.5, n - rim / 2 - 0.5})
    for (double sy : {rim / 2 + 0.5, n - rim / 2 - 0.5}) {
      art::Ellipse(cr, sx, sy, 4.2, 4.2);
      art::FillShadedOutlined(cr, art::Hex(pal::kGold), sx, sy, 4.2, 1.0);
    }
  SaveOrDie(pic, dir, "Data/Interface/Frame.png");
}

// 77: the slider track, also the dog's statistics bar.  The groove runs from
// x 15 to 119 (the bar's clip window), wooden caps sit outside it.
void DrawBar(const std::string& dir) {
  art::Picture pic(130, 24);
  cairo_t* cr = pic.Context();
  for (double cx : {8.5, 121.5}) {
    art::Ellipse(cr, cx, 12, 6.5, 8.5);
    art::FillShadedOutlined(cr, kRim, cx, 12, 8, 1.2);
  }
  art::RoundedRect(cr, 15, 6, 104, 12, 6);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 6, 0, 18);
  const Rgb g = art::Hex(pal::kGold);
  cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 0.95, 0.7);
  cairo_pattern_add_color_stop_rgb(p, 0.45, g.r, g.g, g.b);
  cairo_pattern_add_color_stop_rgb(p, 1, g.r * 0.75, g.g * 0.6, g.b * 0.3);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  art::SetColour(cr, art::Shade(g, 0.45));
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  art::SetColour(cr, art::Rgb{1, 1, 1}, 0.6);
  cairo_set_line_width(cr, 1.6);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, 21, 9);
  cairo_line_to(cr, 113, 9);
  cairo_stroke(cr);
  SaveOrDie(pic, dir, "Data/Interface/Bar.png");
}

// 3006: the toggle face; the check mark lands on the box in its middle at
// (20, 12) from the top-left corner.
void DrawToggleFace(const std::string& dir) {
  art::Picture pic(40, 24);
  cairo_t* cr = pic.Context();
  art::RoundedRect(cr, 0.5, 0.5, 39, 23, 7);
  art::FillShadedOutlined(cr, kRim, 14, 8, 22, 1.2);
  art::RoundedRect(cr, 11, 3, 18, 18, 3);
  cairo_pattern_t* p = cairo_pattern_create_linear(11, 3, 29, 21);
  cairo_pattern_add_color_stop_rgb(p, 0, kParch.r * 0.85, kParch.g * 0.82, kParch.b * 0.75);
  cairo_pattern_add_color_stop_rgb(p, 1, 1, 0.98, 0.92);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  art::SetColour(cr, art::Shade(kRim, 0.5));
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  for (double sx : {5.0, 35.0}) {
    art::Ellipse(cr, sx, 12, 1.8, 1.8);
    art::FillOutlined(cr, art::Hex(pal::kGold), 0.8);
  }
  SaveOrDie(pic, dir, "Data/Interface/Toggle.png");
}

// 3032: a hand-drawn check mark, a little larger than the box it ticks.
void DrawCheckMark(const std::string& dir) {
  art::Picture pic(24, 24);
  cairo_t* cr = pic.Context();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    cairo_move_to(cr, 5, 12.5);
    cairo_curve_to(cr, 7, 14, 8.5, 16, 9.8, 18.5);
    cairo_curve_to(cr, 12, 12, 15.5, 7.5, 20, 4);
    art::SetColour(cr, pass == 0 ? art::Hex(0x1f4d14) : art::Hex(0x4caf34));
    cairo_set_line_width(cr, pass == 0 ? 5.6 : 3.2);
    cairo_stroke(cr);
  }
  SaveOrDie(pic, dir, "Data/Interface/Check.png");
}

// 3033: the slider knob, a wooden peg.
void DrawKnob(const std::string& dir) {
  art::Picture pic(20, 28);
  cairo_t* cr = pic.Context();
  art::RoundedRect(cr, 2, 1, 16, 26, 6);
  art::FillShadedOutlined(cr, art::Shade(kRim, 1.15), 8, 10, 14, 1.4);
  art::SetColour(cr, art::Shade(kRim, 0.6), 0.8);
  cairo_set_line_width(cr, 1.0);
  for (double y : {10.5, 14.0, 17.5}) {
    cairo_move_to(cr, 6.5, y);
    cairo_line_to(cr, 13.5, y);
  }
  cairo_stroke(cr);
  SaveOrDie(pic, dir, "Data/Interface/Knob.png");
}

// 3034: the token, a pale gold star (the game tints it from orange to white).
void DrawToken(const std::string& dir) {
  art::Picture pic(20, 20);
  cairo_t* cr = pic.Context();
  StarPath(cr, 10, 10.6, 9.3, 4.3, 5);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_pattern_t* p = cairo_pattern_create_radial(7, 7, 0.5, 10, 10, 10);
  cairo_pattern_add_color_stop_rgb(p, 0, 1, 1, 0.95);
  cairo_pattern_add_color_stop_rgb(p, 0.6, 1, 0.93, 0.66);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.95, 0.8, 0.45);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  art::SetColour(cr, art::Hex(0xa0742a));
  cairo_set_line_width(cr, 1.1);
  cairo_stroke(cr);
  SaveOrDie(pic, dir, "Data/Interface/Token.png");
}

// 3056 to 3059: four 32 by 32 pieces of one bar, drawn side by side 32 pixels
// apart; the fill reaches 110 pixels, so the bar ends at x 110.
void DrawQuestBar(const std::string& dir) {
  art::Strip strip(32, 32, 4, 4);
  cairo_t* cr = strip.BeginCell(0);
  cairo_reset_clip(cr);
  art::RoundedRect(cr, 2, 9, 108, 14, 7);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 9, 0, 23);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.85, 0.95, 0.55);
  cairo_pattern_add_color_stop_rgb(p, 0.5, 0.5, 0.74, 0.25);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.3, 0.5, 0.15);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  art::SetColour(cr, art::Hex(pal::kMeadowDark));
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  art::SetColour(cr, art::Rgb{1, 1, 1}, 0.55);
  cairo_set_line_width(cr, 2);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, 8, 12.5);
  cairo_line_to(cr, 104, 12.5);
  cairo_stroke(cr);
  strip.EndCell();
  SaveOrDie(strip, dir, "Data/Interface/QuestBar.png");
}

// 1: the bark ring, a soft white ring; the game scales it to the bark's reach.
void DrawBarkRing(const std::string& dir) {
  art::Picture pic(224, 224);
  cairo_t* cr = pic.Context();
  cairo_pattern_t* p = cairo_pattern_create_radial(112, 112, 0, 112, 112, 111);
  cairo_pattern_add_color_stop_rgba(p, 0.0, 1, 1, 1, 0);
  cairo_pattern_add_color_stop_rgba(p, 0.62, 1, 1, 1, 0);
  cairo_pattern_add_color_stop_rgba(p, 0.8, 1, 1, 1, 0.35);
  cairo_pattern_add_color_stop_rgba(p, 0.9, 1, 1, 1, 0.95);
  cairo_pattern_add_color_stop_rgba(p, 0.95, 1, 1, 1, 0.5);
  cairo_pattern_add_color_stop_rgba(p, 1.0, 1, 1, 1, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, 112, 112, 111, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  SaveOrDie(pic, dir, "Data/Particles/BarkRing.png");
}

// 1000: a small pale dust puff.
void DrawDust(const std::string& dir) {
  art::Picture pic(24, 24);
  cairo_t* cr = pic.Context();
  const Rgb dust = art::Hex(0xf3ead6);
  SoftDisc(cr, 12, 13, 10.5, dust, 0.55);
  SoftDisc(cr, 9, 10, 6.5, dust, 0.6);
  SoftDisc(cr, 15, 11, 6, dust, 0.5);
  SoftDisc(cr, 12, 15, 5.5, art::Rgb{1, 1, 1}, 0.35);
  SaveOrDie(pic, dir, "Data/Particles/Dust.png");
}

// 1002: a four-pointed sparkle with a soft glow.
void DrawSparkle(const std::string& dir) {
  art::Picture pic(16, 16);
  cairo_t* cr = pic.Context();
  SoftDisc(cr, 8, 8, 7.5, art::Hex(0xfff4c8), 0.5);
  cairo_new_path(cr);
  cairo_move_to(cr, 8, 0.5);
  cairo_curve_to(cr, 8.6, 6.4, 9.6, 7.4, 15.5, 8);
  cairo_curve_to(cr, 9.6, 8.6, 8.6, 9.6, 8, 15.5);
  cairo_curve_to(cr, 7.4, 9.6, 6.4, 8.6, 0.5, 8);
  cairo_curve_to(cr, 6.4, 7.4, 7.4, 6.4, 8, 0.5);
  cairo_close_path(cr);
  art::SetColour(cr, art::Rgb{1, 1, 1});
  cairo_fill(cr);
  SaveOrDie(pic, dir, "Data/Particles/Sparkle.png");
}

}  // namespace

void DrawInterface(const std::string& dir) {
  DrawTargetPointer(dir);
  DrawArrowPointer(dir);
  DrawButtonFace(dir);
  DrawFrame(dir);
  DrawBar(dir);
  DrawToggleFace(dir);
  DrawCheckMark(dir);
  DrawKnob(dir);
  DrawToken(dir);
  DrawQuestBar(dir);
  DrawBarkRing(dir);
  DrawDust(dir);
  DrawSparkle(dir);
}

}  // namespace world
