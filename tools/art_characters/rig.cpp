// Parts shared by the character drawings.
#include "art_characters/rig.h"

#include <cmath>

namespace rig {

double Rad(double deg) { return deg * M_PI / 180.0; }

Pt Project(double yawDeg, double f, double s, double u) {
  const double c = std::cos(Rad(yawDeg)), n = std::sin(Rad(yawDeg));
  const double gx = f * c - s * n;
  const double gd = f * n + s * c;
  return Pt{gx, -u + kHighView * gd, gd};
}

art::Rgb OutlineOf(art::Rgb fill) {
  const double light = 0.3 * fill.r + 0.55 * fill.g + 0.15 * fill.b;
  if (light < 0.3) return art::Mix(fill, art::Rgb{0.08, 0.06, 0.05}, 0.6);
  return art::Shade(fill, 0.55);
}

void AddOvals(cairo_t* cr, const std::vector<Oval>& ovals) {
  for (const Oval& o : ovals) {
    if (o.rx <= 0 || o.ry <= 0) continue;
    cairo_save(cr);
    cairo_translate(cr, o.x, o.y);
    cairo_rotate(cr, Rad(o.angleDeg));
    cairo_scale(cr, o.rx, o.ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
  }
}

static void StrokeOutside(cairo_t* cr, const std::vector<Oval>& ovals, art::Rgb fill,
                          double outline) {
  cairo_new_path(cr);
  AddOvals(cr, ovals);
  art::SetColour(cr, OutlineOf(fill));
  cairo_set_line_width(cr, outline * 2);
  cairo_stroke(cr);
}

void Blob(cairo_t* cr, const std::vector<Oval>& ovals, art::Rgb fill, double lx, double ly,
          double radius, double outline) {
  StrokeOutside(cr, ovals, fill, outline);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  AddOvals(cr, ovals);
  art::FillShaded(cr, fill, lx, ly, radius);
  cairo_new_path(cr);
}

void FlatBlob(cairo_t* cr, const std::vector<Oval>& ovals, art::Rgb fill, double outline) {
  StrokeOutside(cr, ovals, fill, outline);
  AddOvals(cr, ovals);
  art::SetColour(cr, fill);
  cairo_fill(cr);
}

void Limb(cairo_t* cr, const std::vector<Pt>& points, double w0, double w1, art::Rgb fill,
          double outline) {
  if (points.size() < 2) return;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // A tapered limb: each segment stroked with its own width, outline first.
  for (int pass = 0; pass < 2; ++pass) {
    art::SetColour(cr, pass == 0 ? OutlineOf(fill) : fill);
    for (size_t i = 0; i + 1 < points.size(); ++i) {
      const double t = points.size() > 2 ? double(i) / (points.size() - 2) : 0;
      const double w = w0 + (w1 - w0) * t;
      cairo_set_line_width(cr, pass == 0 ? w + 2 * outline : w);
      cairo_move_to(cr, points[i].x, points[i].y);
      cairo_line_to(cr, points[i + 1].x, points[i + 1].y);
      cairo_stroke(cr);
    }
  }
}

void WoolCloud(cairo_t* cr, double cx, double cy, double rx, double ry, double puff,
               art::Rgb wool, int seed, double jitter) {
  art::Rng rng(0x51ee9u + seed * 7919u);
  std::vector<Oval> ovals;
  ovals.push_back(Oval{cx, cy, rx - puff * 0.5, ry - puff * 0.5});
  const double perimeter = 2 * M_PI * std::sqrt((rx * rx + ry * ry) / 2);
  const int count = std::max(6, int(perimeter / (puff * 1.25)));
  for (int i = 0; i < count; ++i) {
    const double a = 2 * M_PI * (i + 0.5) / count + rng.Uniform(-0.08, 0.08);
    const double r = puff * rng.Uniform(0.85, 1.12);
    const double jx = jitter * std::sin(a * 3 + seed), jy = jitter * std::cos(a * 2 + seed);
    ovals.push_back(Oval{cx + (rx - puff) * std::cos(a) + jx, cy + (ry - puff) * std::sin(a) + jy,
                         r, r});
  }
  Blob(cr, ovals, wool, cx, cy, std::max(rx, ry), 1.3);
  // Curls: short arcs in the shading tone, more on the lower right.
  art::SetColour(cr, art::Shade(wool, 0.82));
  cairo_set_line_width(cr, 1.0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  const int curls = int(rx * ry / 70);
  for (int i = 0; i < curls; ++i) {
    const double u = rng.Uniform(-0.75, 0.8), v = rng.Uniform(-0.55, 0.75);
    if (u * u + v * v > 0.6) continue;
    const double x = cx + u * rx, y = cy + v * ry;
    const double start = rng.Uniform(0, M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, puff * 0.35, start, start + 2.2);
    cairo_stroke(cr);
  }
}

void Star(cairo_t* cr, double x, double y, double r, art::Rgb fill) {
  cairo_new_path(cr);
  for (int i = 0; i < 8; ++i) {
    const double a = M_PI / 4 * i - M_PI / 2;
    const double d = (i % 2 == 0) ? r : r * 0.38;
    if (i == 0) cairo_move_to(cr, x + d * std::cos(a), y + d * std::sin(a));
    else cairo_line_to(cr, x + d * std::cos(a), y + d * std::sin(a));
  }
  cairo_close_path(cr);
  art::FillOutlined(cr, fill, 1.0);
}

}  // namespace rig
