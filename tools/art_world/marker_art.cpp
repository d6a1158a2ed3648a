// The quest-map markers (padlock, gold flag, waving flag, magic lock, next
// level) and the five power-up icons.
#include <cmath>

#include "art_world/groups.h"
#include "art_world/world_common.h"

namespace world {
namespace {

namespace pal = art::palette;

constexpr int kCell = 48;

// A four-pointed glint of `r` at (x, y).
void Glint(cairo_t* cr, double x, double y, double r, double alpha) {
  SoftDisc(cr, x, y, r * 0.9, art::Rgb{1, 1, 0.9}, alpha * 0.6);
  cairo_new_path(cr);
  cairo_move_to(cr, x, y - r);
  cairo_curve_to(cr, x + r * 0.1, y - r * 0.1, x + r * 0.1, y - r * 0.1, x + r, y);
  cairo_curve_to(cr, x + r * 0.1, y + r * 0.1, x + r * 0.1, y + r * 0.1, x, y + r);
  cairo_curve_to(cr, x - r * 0.1, y + r * 0.1, x - r * 0.1, y + r * 0.1, x - r, y);
  cairo_curve_to(cr, x - r * 0.1, y - r * 0.1, x - r * 0.1, y - r * 0.1, x, y - r);
  art::SetColour(cr, art::Rgb{1, 1, 1}, alpha);
  cairo_fill(cr);
}

// A little stone base under a flag, so that it stands on any map (meadow or
// snow).
void Mound(cairo_t* cr, double cx, double cy) {
  SoftShadow(cr, cx + 1, cy + 1, 15, 4.5, 0.45);
  art::Ellipse(cr, cx, cy - 1, 10, 3.8);
  art::FillShadedOutlined(cr, art::Hex(0xb9b2a2), cx - 2, cy - 2, 10, 1.2);
}

// 3000-3002: a brass padlock with a glint crossing it.
void DrawPadlock(cairo_t* cr, int frame) {
  SoftShadow(cr, 25, 43, 15, 4, 0.45);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    cairo_new_path(cr);
    cairo_arc(cr, 24, 21, 9, M_PI, 2 * M_PI);
    cairo_move_to(cr, 15, 21);
    cairo_line_to(cr, 15, 24);
    cairo_move_to(cr, 33, 21);
    cairo_line_to(cr, 33, 24);
    art::SetColour(cr, pass == 0 ? art::Hex(0x4c4f57) : art::Hex(0xc9ccd3));
    cairo_set_line_width(cr, pass == 0 ? 6.5 : 3.6);
    cairo_stroke(cr);
  }
  art::RoundedRect(cr, 10, 22, 28, 21, 5);
  art::FillShadedOutlined(cr, art::Hex(0xe0a93c), 20, 28, 18, 1.6);
  // Keyhole.
  art::Ellipse(cr, 24, 30, 3, 3);
  cairo_move_to(cr, 22.5, 31);
  cairo_line_to(cr, 21.8, 37);
  cairo_line_to(cr, 26.2, 37);
  cairo_line_to(cr, 25.5, 31);
  cairo_close_path(cr);
  art::SetColour(cr, art::Hex(0x4a2e10));
  cairo_fill(cr);
  const double gx[3] = {15, 26, 34}, gy[3] = {25, 24, 39}, gr[3] = {6.5, 5, 3};
  Glint(cr, gx[frame], gy[frame], gr[frame], frame == 2 ? 0.6 : 1.0);
}

// A flag on a pole waving to the right; `phase` moves the wave.
void Flag(cairo_t* cr, double phase, Rgb cloth, bool star) {
  Mound(cr, 17, 44);
  // Pole.
  art::RoundedRect(cr, 14.5, 5, 4, 40, 2);
  art::FillOutlined(cr, art::Hex(pal::kWood), 1.0);
  art::Ellipse(cr, 16.5, 5, 3.2, 3.2);
  art::FillShadedOutlined(cr, art::Hex(pal::kGold), 16.5, 5, 3.2, 1.0);
  // Cloth.
  const double x0 = 18.5, x1 = 44, top = 8, h = 17;
  auto wave = [&](double x) {
    const double t = (x - x0) / (x1 - x0);
    return std::sin(t * 5.2 - phase) * 2.6 * t;
  };
  // The cloth's outline: the top edge along the wave, the lower edge back.
  auto clothPath = [&] {
    cairo_new_path(cr);
    for (int i = 0; i <= 20; ++i) {
      const double x = x0 + (x1 - x0) * i / 20;
      cairo_line_to(cr, x, top + wave(x));
    }
    for (int i = 20; i >= 0; --i) {
      const double x = x0 + (x1 - x0) * i / 20;
      cairo_line_to(cr, x, top + h + wave(x) - 1.5 * (x - x0) / (x1 - x0));
    }
    cairo_close_path(cr);
  };
  clothPath();
  art::FillShadedOutlined(cr, cloth, 26, 12, 18, 1.3);
  // A highlight fold along the wave crest.
  const double fx = x0 + (x1 - x0) * std::fmod(phase / (2 * M_PI) + 0.3, 1.0);
  cairo_save(cr);
  clothPath();
  cairo_clip(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(fx - 6, 0, fx + 6, 0);
  cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0);
  cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 1, 1, 0.35);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
  const double mx = 31, my = top + h / 2 + wave(31);
  if (star) {
    StarPath(cr, mx, my, 6, 2.7, 5);
    art::FillOutlined(cr, art::Rgb{1, 1, 0.93}, 1.0);
  } else {
    art::Ellipse(cr, mx, my, 4, 4);
    art::FillOutlined(cr, art::Rgb{1, 0.97, 0.9}, 1.0);
  }
}

// 3024-3026: a sealed rune stone that only a secret opens; runes glow in turn.
void DrawMagicLock(cairo_t* cr, int frame) {
  SoftShadow(cr, 25, 43, 15, 4, 0.45);
  SoftDisc(cr, 24, 24, 23, art::Hex(0xc9a0ff), 0.35 + 0.15 * frame);
  art::Ellipse(cr, 24, 25, 15.5, 15.5);
  art::FillShadedOutlined(cr, art::Hex(0x6a3fa8), 24, 25, 15.5, 1.6);
  art::Ellipse(cr, 24, 25, 12, 12);
  art::SetColour(cr, art::Hex(pal::kGold), 0.9);
  cairo_set_line_width(cr, 1.4);
  cairo_stroke(cr);
  // Rune ticks around the ring; a different third glows each frame.
  for (int i = 0; i < 9; ++i) {
    const double a = 2 * M_PI * i / 9 - M_PI / 2;
    const bool lit = i % 3 == frame;
    const double x = 24 + std::cos(a) * 12, y = 25 + std::sin(a) * 12;
    if (lit) SoftDisc(cr, x, y, 4.5, art::Hex(0xe8d6ff), 0.9);
    cairo_new_path(cr);
    cairo_move_to(cr, x - std::sin(a) * 1.8, y + std::cos(a) * 1.8);
    cairo_line_to(cr, x + std::sin(a) * 1.8, y - std::cos(a) * 1.8);
    art::SetColour(cr, lit ? art::Rgb{1, 1, 1} : art::Hex(0xf6dc8a));
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
  }
  // A glowing keyhole.
  SoftDisc(cr, 24, 25, 7, art::Hex(0x9ff3ff), 0.5 + 0.2 * frame);
  art::Ellipse(cr, 24, 22.5, 2.8, 2.8);
  cairo_move_to(cr, 22.6, 23.5);
  cairo_line_to(cr, 21.8, 29.5);
  cairo_line_to(cr, 26.2, 29.5);
  cairo_line_to(cr, 25.4, 23.5);
  cairo_close_path(cr);
  art::SetColour(cr, art::Hex(0x1d0f33));
  cairo_fill(cr);
  const double sx[3] = {38, 11, 35}, sy[3] = {11, 14, 39};
  Glint(cr, sx[frame], sy[frame], 4.5, 0.95);
}

// 3018: the next level to play, a paw print in a bright golden ring.
void DrawNextLevel(cairo_t* cr) {
  SoftShadow(cr, 25, 43, 15, 4, 0.4);
  SoftDisc(cr, 24, 24, 23.5, art::Hex(0xfff3b0), 0.8);
  art::Ellipse(cr, 24, 24, 16, 16);
  art::SetColour(cr, art::Hex(0x8a5a12));
  cairo_set_line_width(cr, 6.5);
  cairo_stroke_preserve(cr);
  art::SetColour(cr, art::Hex(pal::kGold));
  cairo_set_line_width(cr, 4);
  cairo_stroke(cr);
  art::Ellipse(cr, 24, 24, 13.5, 13.5);
  art::SetColour(cr, art::Hex(0xfffaf0), 0.9);
  cairo_fill(cr);
  cairo_new_path(cr);
  const double s = 1.35, cx = 24, cy = 25;
  art::Ellipse(cr, cx, cy + 3 * s, 5.2 * s, 4.4 * s);
  const double toes[4][2] = {{-6.2, -2.6}, {-2.3, -6.8}, {2.3, -6.8}, {6.2, -2.6}};
  for (const auto& t : toes) art::Ellipse(cr, cx + t[0] * s, cy + t[1] * s, 2.1 * s, 2.6 * s);
  art::FillOutlined(cr, art::Hex(pal::kDogTan), 1.2);
  Glint(cr, 36, 11, 5, 1.0);
}

// Power-ups, 32 by 32, each its own shape and colour.
void RangeIcon(cairo_t* cr) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < 3; ++i) {
      cairo_new_path(cr);
      cairo_arc(cr, 7, 16, 6 + i * 6, -0.8, 0.8);
      art::SetColour(cr, pass == 0 ? art::Hex(0x163e7a) : art::Hex(0x5fb3ff));
      cairo_set_line_width(cr, pass == 0 ? 6 : 3.4);
      cairo_stroke(cr);
    }
  }
  art::Ellipse(cr, 7, 16, 4.5, 4.5);
  art::FillShadedOutlined(cr, art::Hex(0x5fb3ff), 7, 16, 4.5, 1.6);
}

void SpeedIcon(cairo_t* cr) {
  cairo_new_path(cr);
  cairo_move_to(cr, 19, 2);
  cairo_line_to(cr, 6, 18);
  cairo_line_to(cr, 14.5, 18);
  cairo_line_to(cr, 11, 30);
  cairo_line_to(cr, 26, 12.5);
  cairo_line_to(cr, 17, 12.5);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  art::FillShadedOutlined(cr, art::Hex(0xff8a1e), 14, 12, 14, 1.8);
}

void CoinIcon(cairo_t* cr, const char* text, bool round) {
  if (round) {
    art::Ellipse(cr, 16, 16, 14.5, 14.5);
    art::FillShadedOutlined(cr, art::Hex(pal::kGold), 16, 16, 14.5, 1.8);
    art::Ellipse(cr, 16, 16, 11, 11);
    art::SetColour(cr, art::Hex(0xb07d18), 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    LetterCentred(cr, text, 16, 16.5, 11, art::Hex(0x6b4308), art::Hex(0xfff2c0), 1.6);
  } else {
    cairo_new_path(cr);
    for (int i = 0; i < 6; ++i) {
      const double a = M_PI / 3 * i;
      cairo_line_to(cr, 16 + std::cos(a) * 15, 16 + std::sin(a) * 13.5);
    }
    cairo_close_path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    art::FillShadedOutlined(cr, art::Hex(0x7fd6c8), 16, 16, 15, 1.8);
    LetterCentred(cr, text, 16, 16.5, 12, art::Hex(0x0f4d45), art::Hex(0xe6fffb), 1.6);
  }
}

void PathIcon(cairo_t* cr) {
  // A little unrolled map with a dashed route.
  art::RoundedRect(cr, 4, 6, 24, 20, 2);
  art::FillShadedOutlined(cr, art::Hex(pal::kParchment), 12, 12, 16, 1.5);
  for (double x : {4.0, 28.0}) {
    art::RoundedRect(cr, x - 2.5, 4.5, 5, 23, 2.5);
    art::FillShadedOutlined(cr, art::Hex(0xd9b878), x, 10, 6, 1.2);
  }
  cairo_new_path(cr);
  cairo_move_to(cr, 8, 22);
  cairo_curve_to(cr, 12, 12, 16, 24, 22, 11);
  double dashes[] = {2.6, 2.2};
  cairo_set_dash(cr, dashes, 2, 0);
  art::SetColour(cr, art::Hex(0xc0392b));
  cairo_set_line_width(cr, 1.8);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, 20, 8);
  cairo_line_to(cr, 24, 12);
  cairo_move_to(cr, 24, 8);
  cairo_line_to(cr, 20, 12);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}

}  // namespace

void DrawMarkers(const std::string& dir) {
  {
    art::Strip strip(kCell, kCell, 3, 3);
    for (int f = 0; f < 3; ++f) {
      DrawPadlock(strip.BeginCell(f), f);
      strip.EndCell();
    }
    SaveOrDie(strip, dir, "Data/Interface/MarkerPadlock.png");
  }
  {
    art::Strip strip(kCell, kCell, 3, 3);
    for (int f = 0; f < 3; ++f) {
      Flag(strip.BeginCell(f), f * 2 * M_PI / 3, art::Hex(0xf5c842), true);
      strip.EndCell();
    }
    SaveOrDie(strip, dir, "Data/Interface/MarkerGoldFlag.png");
  }
  {
    art::Strip strip(kCell, kCell, 3, 3);
    for (int f = 0; f < 3; ++f) {
      Flag(strip.BeginCell(f), f * 2 * M_PI / 3, art::Hex(0xd9483b), false);
      strip.EndCell();
    }
    SaveOrDie(strip, dir, "Data/Interface/MarkerFlag.png");
  }
  {
    art::Strip strip(kCell, kCell, 3, 3);
    for (int f = 0; f < 3; ++f) {
      DrawMagicLock(strip.BeginCell(f), f);
      strip.EndCell();
    }
    SaveOrDie(strip, dir, "Data/Interface/MarkerMagicLock.png");
  }
  {
    art::Picture pic(kCell, kCell);
    DrawNextLevel(pic.Context());
    SaveOrDie(pic, dir, "Data/Interface/MarkerNext.png");
  }
  {
    art::Strip strip(32, 32, 5, 5);
    RangeIcon(strip.BeginCell(0));
    strip.EndCell();
    SpeedIcon(strip.BeginCell(1));
    strip.EndCell();
    CoinIcon(strip.BeginCell(2), "1000", true);
    strip.EndCell();
    CoinIcon(strip.BeginCell(3), "500", false);
    strip.EndCell();
    PathIcon(strip.BeginCell(4));
    strip.EndCell();
    SaveOrDie(strip, dir, "Data/Interface/Powerups.png");
  }
}

}  // namespace world
