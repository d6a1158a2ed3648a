// The quest maps: painted countryside with a path through clear spots for the
// level markers and a calm band at the top for the panels; and each map's
// button, a framed vignette of the map with the quest's name.
#include <algorithm>
#include <cmath>
#include <functional>

#include "art_world/groups.h"
#include "art_world/quest_map.h"
#include "art_world/world_common.h"

namespace world {
namespace {

namespace pal = art::palette;

constexpr int kW = 800, kH = 600;
constexpr double kLandTop = 196;  // the panels' calm band lies above

struct Theme {
  Rgb groundTop, groundBottom;  // the land's gradient
  Rgb pathEdge, pathFill, clearing;
  Rgb skyTop, skyBottom, farHills, nearHills;
  bool snow;
};

Theme ThemeOf(const std::string& name) {
  Theme t;
  const Rgb skyHi = art::Hex(pal::kSkyHigh), skyLo = art::Hex(pal::kSkyLow);
  t.skyTop = skyHi, t.skyBottom = skyLo;
  t.snow = name == "snow";
  if (name == "meadow") {
    t.groundTop = art::Hex(0x8cc257), t.groundBottom = art::Hex(0x6aa640);
    t.pathEdge = art::Hex(0x9a7a4a), t.pathFill = art::Hex(0xe3cf96);
    t.clearing = art::Hex(0xb4d67a);
    t.farHills = art::Mix(art::Hex(0x7fa88a), skyLo, 0.5);
    t.nearHills = art::Hex(0x9ccc66);
  } else if (name == "valley") {
    t.groundTop = art::Hex(0x7aab4a), t.groundBottom = art::Hex(0x5a8e36);
    t.pathEdge = art::Hex(0x8a6a3e), t.pathFill = art::Hex(0xd9c08a);
    t.clearing = art::Hex(0xa6c872);
    t.farHills = art::Mix(art::Hex(0x5f8a6a), skyLo, 0.4);
    t.nearHills = art::Hex(0x86b456);
  } else {
    t.groundTop = art::Hex(0xf4f8fc), t.groundBottom = art::Hex(0xd6e4f0);
    t.pathEdge = art::Hex(0xa9bccf), t.pathFill = art::Hex(0xe2eaf2);
    t.clearing = art::Hex(0xe6eef6);
    t.skyTop = art::Hex(0xb9d3e6), t.skyBottom = art::Hex(0xeef4f8);
    t.farHills = art::Hex(0xc9d8e6);
    t.nearHills = art::Hex(0xe9f1f8);
  }
  return t;
}

void LinearFill(cairo_t* cr, double y0, double y1, Rgb a, Rgb b) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgb(p, 0, a.r, a.g, a.b);
  cairo_pattern_add_color_stop_rgb(p, 1, b.r, b.g, b.b);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

// A ridge line waving around `ridge`, closed down to `bottom`.
void Ridge(cairo_t* cr, double ridge, double amplitude, double wavelength, double phase,
           double bottom, bool jagged) {
  cairo_new_path(cr);
  cairo_move_to(cr, -10, bottom);
  for (double x = -10; x <= kW + 10; x += jagged ? 14 : 5) {
    double y = ridge + amplitude * (0.6 * std::sin(x / wavelength + phase) +
                                    0.4 * std::sin(x / (wavelength * 0.41) + phase * 1.7));
    if (jagged) y -= amplitude * 0.5 * std::fabs(std::sin(x / 23 + phase));
    cairo_line_to(cr, x, y);
  }
  cairo_line_to(cr, kW + 10, bottom);
  cairo_close_path(cr);
}

// Sky and far hills: the calm band where the panels sit.
void TopBand(cairo_t* cr, const Theme& t) {
  cairo_rectangle(cr, 0, 0, kW, 150);
  LinearFill(cr, 0, 150, t.skyTop, t.skyBottom);
  Ridge(cr, 120, 18, 80, 0.7, 190, t.snow);
  art::SetColour(cr, t.farHills);
  cairo_fill(cr);
  if (t.snow) {
    // Sunlit faces on the far peaks.
    Ridge(cr, 122, 18, 80, 0.7, 190, true);
    cairo_save(cr);
    cairo_clip(cr);
    for (int i = 0; i < 14; ++i) {
      const double x = 30 + i * 60;
      cairo_move_to(cr, x, 90);
      cairo_line_to(cr, x + 26, 200);
      cairo_line_to(cr, x + 50, 200);
      cairo_close_path(cr);
    }
    art::SetColour(cr, art::Hex(0xaebfd2), 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  // The near hills fade into the land below them.
  Ridge(cr, 158, 10, 60, 2.3, 236, false);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 145, 0, 236);
  const Rgb a = t.nearHills, b = t.groundTop;
  cairo_pattern_add_color_stop_rgba(p, 0, a.r, a.g, a.b, 1);
  cairo_pattern_add_color_stop_rgba(p, 0.55, b.r, b.g, b.b, 1);
  cairo_pattern_add_color_stop_rgba(p, 1, b.r, b.g, b.b, 0);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Ground(cairo_t* cr, const Theme& t, art::Rng& rng) {
  cairo_rectangle(cr, 0, 0, kW, kH);
  LinearFill(cr, kLandTop, kH, t.groundTop, t.groundBottom);
  for (int i = 0; i < 30; ++i) {
    const double x = rng.Uniform(-40, kW + 40), y = rng.Uniform(kLandTop, kH + 40);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 1, 0.6);
    SoftDisc(cr, 0, 0, rng.Uniform(50, 120),
             i % 2 ? art::Shade(t.groundTop, 1.12) : art::Shade(t.groundBottom, 0.9), 0.22);
    cairo_restore(cr);
  }
}

void StrokePolyline(cairo_t* cr, const std::vector<Point>& pts) {
  cairo_new_path(cr);
  for (size_t i = 0; i < pts.size(); ++i) {
    if (i == 0) cairo_move_to(cr, pts[i].x, pts[i].y);
    else cairo_line_to(cr, pts[i].x, pts[i].y);
  }
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

void PathAndClearings(cairo_t* cr, const MapLayout& map, const Theme& t, art::Rng& rng) {
  for (const Point& s : map.spots) {
    SoftDisc(cr, s.x, s.y + 6, 44, art::Shade(t.pathEdge, 0.8), 0.25);
    art::Ellipse(cr, s.x, s.y + 6, 33, 21);
    art::SetColour(cr, t.clearing);
    cairo_fill_preserve(cr);
    art::SetColour(cr, art::Shade(t.clearing, 0.75), 0.9);
    cairo_set_line_width(cr, 1.6);
    cairo_stroke(cr);
  }
  art::SetColour(cr, art::Shade(t.pathEdge, 0.8), 0.35);
  cairo_set_line_width(cr, 22);
  StrokePolyline(cr, map.path);
  art::SetColour(cr, t.pathEdge);
  cairo_set_line_width(cr, 17);
  StrokePolyline(cr, map.path);
  art::SetColour(cr, t.pathFill);
  cairo_set_line_width(cr, 12);
  StrokePolyline(cr, map.path);
  // Pebbles, or footprints in the snow.
  for (size_t i = 3; i < map.path.size(); i += 3) {
    const Point& p = map.path[i];
    const Point& q = map.path[i - 1];
    const double a = std::atan2(p.y - q.y, p.x - q.x);
    const double side = (i / 3) % 2 ? 2.5 : -2.5;
    const double x = p.x - std::sin(a) * side, y = p.y + std::cos(a) * side;
    if (t.snow) {
      cairo_save(cr);
      cairo_translate(cr, x, y);
      cairo_rotate(cr, a);
      art::Ellipse(cr, 0, 0, 2.2, 1.3);
      art::SetColour(cr, art::Hex(0x9fb3c8), 0.8);
      cairo_fill(cr);
      cairo_restore(cr);
    } else if (rng.Uniform(0, 1) < 0.45) {
      art::Ellipse(cr, x + rng.Uniform(-2, 2), y, 1.4, 1.0);
      art::SetColour(cr, art::Shade(t.pathFill, 0.78), 0.9);
      cairo_fill(cr);
    }
  }
}

// Tries `tries` random places in [x0,x1]x[y0,y1] and calls `put` at each free one.
void Scatter(const MapLayout& map, art::Rng& rng, int tries, double x0, double x1, double y0,
             double y1, double spotGap, double pathGap, const std::function<void(Point)>& put) {
  for (int i = 0; i < tries; ++i) {
    const Point p{rng.Uniform(x0, x1), rng.Uniform(y0, y1)};
    if (IsFree(map, p, spotGap, pathGap)) put(p);
  }
}

// Finds the free place that is farthest from spots and path within a region.
Point RoomiestPlace(const MapLayout& map, double x0, double x1, double y0, double y1,
                    const std::vector<Point>& avoid = {}) {
  Point best{x0, y0};
  double bestRoom = -1;
  for (double x = x0; x <= x1; x += 10)
    for (double y = y0; y <= y1; y += 10) {
      double room = DistanceToPath(map, {x, y});
      for (const Point& s : map.spots) room = std::min(room, std::hypot(x - s.x, y - s.y) - 20);
      for (const Point& s : avoid) room = std::min(room, std::hypot(x - s.x, y - s.y) - 20);
      if (room > bestRoom) bestRoom = room, best = {x, y};
    }
  return best;
}

void MapTree(cairo_t* cr, Point p, double r, art::Rng& rng) {
  SoftShadow(cr, p.x + r * 0.5, p.y + r * 0.5, r * 1.1, r * 0.5, 0.4);
  cairo_rectangle(cr, p.x - r * 0.14, p.y - r * 0.2, r * 0.28, r * 0.7);
  art::FillOutlined(cr, art::Hex(0x7a5232), 1.0);
  BumpyBlob(cr, p.x, p.y - r * 0.6, r, r * 0.85, 8, 0.12, rng);
  art::FillShadedOutlined(cr, art::Hex(0x4f8a33), p.x, p.y - r * 0.6, r, 1.3);
  BumpyBlob(cr, p.x - r * 0.3, p.y - r * 0.9, r * 0.4, r * 0.32, 7, 0.12, rng);
  art::SetColour(cr, art::Hex(0x8cc257), 0.9);
  cairo_fill(cr);
}

void SnowPine(cairo_t* cr, Point p, double s) {
  SoftShadow(cr, p.x + s * 0.5, p.y + 1, s * 0.8, s * 0.22, 0.35);
  cairo_rectangle(cr, p.x - s * 0.1, p.y - s * 0.3, s * 0.2, s * 0.3);
  art::FillOutlined(cr, art::Hex(0x6b4a2e), 1.0);
  for (int tier = 0; tier < 3; ++tier) {
    const double top = p.y - s * (1.7 - tier * 0.45), bottom = p.y - s * (0.8 - tier * 0.3);
    const double half = s * (0.35 + tier * 0.18);
    cairo_move_to(cr, p.x, top);
    cairo_line_to(cr, p.x + half, bottom);
    cairo_line_to(cr, p.x - half, bottom);
    cairo_close_path(cr);
    art::FillOutlined(cr, art::Hex(0x2f5e48), 1.1);
    cairo_move_to(cr, p.x, top);
    cairo_line_to(cr, p.x + half * 0.45, top + (bottom - top) * 0.45);
    cairo_curve_to(cr, p.x, top + (bottom - top) * 0.55, p.x - half * 0.3,
                   top + (bottom - top) * 0.4, p.x - half * 0.55, top + (bottom - top) * 0.5);
    cairo_close_path(cr);
    art::SetColour(cr, art::Hex(0xf8fbff));
    cairo_fill(cr);
  }
}

void Cottage(cairo_t* cr, Point p, double s, Rgb roof) {
  SoftShadow(cr, p.x + s * 0.3, p.y + 1, s * 0.9, s * 0.22, 0.4);
  cairo_rectangle(cr, p.x - s * 0.6, p.y - s * 0.7, s * 1.2, s * 0.7);
  art::FillOutlined(cr, art::Hex(0xf1e6cf), 1.1);
  cairo_rectangle(cr, p.x - s * 0.12, p.y - s * 0.42, s * 0.24, s * 0.42);
  art::SetColour(cr, art::Hex(0x8a5030));
  cairo_fill(cr);
  cairo_rectangle(cr, p.x + s * 0.25, p.y - s * 0.55, s * 0.2, s * 0.16);
  art::SetColour(cr, art::Hex(0x9fd3f0));
  cairo_fill(cr);
  cairo_move_to(cr, p.x - s * 0.75, p.y - s * 0.66);
  cairo_line_to(cr, p.x, p.y - s * 1.25);
  cairo_line_to(cr, p.x + s * 0.75, p.y - s * 0.66);
  cairo_close_path(cr);
  art::FillShadedOutlined(cr, roof, p.x - s * 0.2, p.y - s, s, 1.2);
}

void MiniSheep(cairo_t* cr, Point p, bool right) {
  art::Ellipse(cr, p.x, p.y, 5, 3.6);
  art::FillOutlined(cr, art::Hex(pal::kWool), 0.9);
  art::Ellipse(cr, p.x + (right ? 5 : -5), p.y - 1, 2, 1.7);
  art::SetColour(cr, art::Hex(pal::kDarkWool));
  cairo_fill(cr);
}

void Pond(cairo_t* cr, Point p, double rx, double ry, bool frozen) {
  art::Rng rng(static_cast<uint32_t>(p.x * 7 + p.y));
  WobblyPatch(cr, p.x, p.y, rx + 5, ry + 4, 0.08, rng, 12);
  art::SetColour(cr, frozen ? art::Hex(0xb9cde0) : art::Hex(0x8a7a52));
  cairo_fill(cr);
  WobblyPatch(cr, p.x, p.y, rx, ry, 0.08, rng, 12);
  cairo_path_t* water = cairo_copy_path(cr);
  LinearFill(cr, p.y - ry, p.y + ry, frozen ? art::Hex(0xd9f0fa) : art::Hex(0x7cc0e4),
             frozen ? art::Hex(0xa9d4ea) : art::Hex(0x3f7fae));
  art::SetColour(cr, art::Rgb{1, 1, 1}, frozen ? 0.8 : 0.5);
  cairo_set_line_width(cr, 1.4);
  cairo_save(cr);
  cairo_append_path(cr, water);
  cairo_clip(cr);
  for (int i = 0; i < 5; ++i) {
    const double x = p.x + rng.Uniform(-rx * 0.7, rx * 0.5), y = p.y + rng.Uniform(-ry * 0.6, ry * 0.6);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + rng.Uniform(8, 20), y + (frozen ? rng.Uniform(-6, 6) : 0));
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_path_destroy(water);
}

void Hedge(cairo_t* cr, const MapLayout& map, Point a, Point b) {
  const double len = std::hypot(b.x - a.x, b.y - a.y);
  for (int pass = 0; pass < 2; ++pass) {
    art::Rng local(static_cast<uint32_t>(a.x * 31 + a.y * 17 + b.x));
    for (double d = 0; d <= len; d += 7) {
      const Point p{a.x + (b.x - a.x) * d / len, a.y + (b.y - a.y) * d / len};
      const double r = local.Uniform(6, 8.5);
      if (!IsFree(map, p, 40, 18)) continue;
      art::Ellipse(cr, p.x + (pass == 0 ? 2 : 0), p.y + (pass == 0 ? 3 : 0), r, r * 0.85);
      art::SetColour(cr, pass == 0 ? art::Hex(0x2d4f1e) : art::Hex(0x3f7030));
      cairo_fill(cr);
      if (pass == 1 && local.Uniform(0, 1) < 0.3) {
        art::Ellipse(cr, p.x - 2, p.y - 2, 1.4, 1.4);
        art::SetColour(cr, art::Hex(0xb8324a));
        cairo_fill(cr);
      }
    }
  }
}

void Field(cairo_t* cr, Point c, double w, double h, double angle, Rgb colour, bool furrows) {
  cairo_save(cr);
  cairo_translate(cr, c.x, c.y);
  cairo_rotate(cr, angle);
  art::RoundedRect(cr, -w / 2, -h / 2, w, h, 8);
  art::SetColour(cr, colour, 0.75);
  cairo_fill_preserve(cr);
  if (furrows) {
    cairo_save(cr);
    cairo_clip(cr);
    art::SetColour(cr, art::Shade(colour, 0.8), 0.6);
    cairo_set_line_width(cr, 1.2);
    for (double x = -w / 2 + 4; x < w / 2; x += 6) {
      cairo_move_to(cr, x, -h / 2);
      cairo_line_to(cr, x, h / 2);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
  }
  cairo_new_path(cr);
  cairo_restore(cr);
}

void PaintMeadowLand(cairo_t* cr, art::Rng& rng) {
  const Rgb fields[3] = {art::Hex(0x9cc85e), art::Hex(0x78b048), art::Hex(0xb2cf6a)};
  for (int i = 0; i < 9; ++i) {
    const Point c{rng.Uniform(60, 740), rng.Uniform(240, 580)};
    Field(cr, c, rng.Uniform(90, 160), rng.Uniform(60, 100), rng.Uniform(-0.25, 0.25),
          fields[i % 3], false);
  }
}

void PaintMeadow(cairo_t* cr, const MapLayout& map, art::Rng& rng) {
  // Clover: little three-leaf sprigs and pink heads.
  Scatter(map, rng, 420, 0, kW, kLandTop + 10, kH, 36, 14, [&](Point p) {
    for (int k = 0; k < 3; ++k) {
      const double a = -M_PI / 2 + k * 2 * M_PI / 3;
      art::Ellipse(cr, p.x + std::cos(a) * 2, p.y + std::sin(a) * 2, 1.8, 1.8);
    }
    art::SetColour(cr, art::Hex(0x3f7a2c), 0.8);
    cairo_fill(cr);
  });
  Scatter(map, rng, 160, 0, kW, kLandTop + 10, kH, 36, 14, [&](Point p) {
    art::Ellipse(cr, p.x, p.y, 2, 2.2);
    art::SetColour(cr, rng.Uniform(0, 1) < 0.6 ? art::Hex(0xf09cc0) : art::Hex(0xfbfaf4));
    cairo_fill(cr);
  });
  const Point pond = RoomiestPlace(map, 220, 700, 420, 560);
  Pond(cr, pond, 46, 24, false);
  const Point farm = RoomiestPlace(map, 420, 760, 236, 300);
  Cottage(cr, farm, 26, art::Hex(0xc0533a));
  Cottage(cr, {farm.x + 34, farm.y + 4}, 18, art::Hex(0xa0703a));
  // Sheep grazing in the open.
  Scatter(map, rng, 60, 40, 760, 230, 580, 50, 24, [&](Point p) {
    if (rng.Uniform(0, 1) < 0.4) MiniSheep(cr, p, rng.Uniform(0, 1) < 0.5);
  });
  std::vector<std::pair<Point, double>> trees;
  Scatter(map, rng, 140, 10, 790, kLandTop + 16, kH - 4, 52, 26, [&](Point p) {
    if (std::hypot(p.x - pond.x, p.y - pond.y) < 60) return;
    if (std::hypot(p.x - farm.x, p.y - farm.y) < 50) return;
    for (const auto& t : trees)
      if (std::hypot(p.x - t.first.x, p.y - t.first.y) < 34) return;
    if (trees.size() < 22) trees.push_back({p, rng.Uniform(10, 16)});
  });
  std::sort(trees.begin(), trees.end(),
            [](const auto& a, const auto& b) { return a.first.y < b.first.y; });
  for (const auto& t : trees) MapTree(cr, t.first, t.second, rng);
}

std::vector<Point> RiverCourse() {
  const std::vector<Point> knots = {{392, 150}, {400, 250}, {392, 330},
                                    {418, 400}, {470, 470}, {520, 540}, {540, 620}};
  std::vector<Point> out;
  for (size_t i = 0; i + 1 < knots.size(); ++i)
    for (int s = 0; s < 20; ++s) {
      const double t = s / 20.0;
      const Point p0 = knots[i == 0 ? 0 : i - 1], p1 = knots[i], p2 = knots[i + 1],
                  p3 = knots[std::min(knots.size() - 1, i + 2)];
      auto c = [&](double a, double b, double cc, double d) {
        return 0.5 * (2 * b + (-a + cc) * t + (2 * a - 5 * b + 4 * cc - d) * t * t +
                      (-a + 3 * b - 3 * cc + d) * t * t * t);
      };
      out.push_back({c(p0.x, p1.x, p2.x, p3.x), c(p0.y, p1.y, p2.y, p3.y)});
    }
  return out;
}

double DistanceTo(const std::vector<Point>& line, Point p) {
  double best = 1e9;
  for (const Point& q : line) best = std::min(best, std::hypot(p.x - q.x, p.y - q.y));
  return best;
}

void PaintValleyLand(cairo_t* cr, const MapLayout& map, art::Rng& rng,
                     const std::vector<Point>& river) {
  const Rgb fields[4] = {art::Hex(0xd9c46a), art::Hex(0x8cbc52), art::Hex(0xa8845a),
                         art::Hex(0x6ea444)};
  for (int i = 0; i < 12; ++i) {
    const Point c{rng.Uniform(40, 760), rng.Uniform(230, 590)};
    if (DistanceTo(river, c) < 60) continue;
    Field(cr, c, rng.Uniform(80, 140), rng.Uniform(50, 90), rng.Uniform(-0.3, 0.3),
          fields[i % 4], i % 4 == 2 || i % 4 == 0);
  }
  // The river, with sandy banks.
  cairo_save(cr);
  art::SetColour(cr, art::Hex(0xb8a577));
  cairo_set_line_width(cr, 36);
  StrokePolyline(cr, river);
  art::SetColour(cr, art::Hex(0x4f97c4));
  cairo_set_line_width(cr, 27);
  StrokePolyline(cr, river);
  art::SetColour(cr, art::Hex(0x7cc0e4));
  cairo_set_line_width(cr, 15);
  StrokePolyline(cr, river);
  cairo_restore(cr);
  art::SetColour(cr, art::Rgb{1, 1, 1}, 0.55);
  cairo_set_line_width(cr, 1.4);
  for (size_t i = 4; i + 3 < river.size(); i += 7) {
    const double dx = rng.Uniform(-6, 6);
    cairo_move_to(cr, river[i].x + dx, river[i].y);
    cairo_line_to(cr, river[i + 2].x + dx, river[i + 2].y);
    cairo_stroke(cr);
  }
  // Hedgerows dividing the fields; gaps open where the path passes.
  const double hedges[8][4] = {{20, 250, 300, 236},  {40, 360, 200, 372}, {230, 560, 330, 590},
                               {460, 230, 620, 246}, {600, 420, 780, 400}, {500, 340, 520, 470},
                               {160, 520, 60, 590},  {700, 330, 780, 250}};
  for (const auto& h : hedges) {
    const Point a{h[0], h[1]}, b{h[2], h[3]};
    if (DistanceTo(river, {(a.x + b.x) / 2, (a.y + b.y) / 2}) < 40) continue;
    Hedge(cr, map, a, b);
  }
}

void PaintValleyLife(cairo_t* cr, const MapLayout& map, art::Rng& rng,
                     const std::vector<Point>& river) {
  // The village.
  const Point village = RoomiestPlace(map, 150, 780, 250, 560, river);
  const double houses[6][3] = {{0, 0, 22}, {-36, 8, 18}, {34, 10, 20},
                               {-14, 30, 17}, {18, 36, 19}, {52, 34, 16}};
  const Rgb roofs[3] = {art::Hex(0xc0533a), art::Hex(0x8a5a3a), art::Hex(0x6b6e8a)};
  for (int i = 0; i < 6; ++i) {
    const Point p{village.x + houses[i][0], village.y + houses[i][1]};
    if (IsFree(map, p, 40, 18) && DistanceTo(river, p) > 26) Cottage(cr, p, houses[i][2], roofs[i % 3]);
  }
  std::vector<std::pair<Point, double>> trees;
  Scatter(map, rng, 200, 10, 790, kLandTop + 16, kH - 4, 50, 24, [&](Point p) {
    const double dr = DistanceTo(river, p);
    if (dr < 24 || std::hypot(p.x - village.x - 10, p.y - village.y - 20) < 70) return;
    for (const auto& t : trees)
      if (std::hypot(p.x - t.first.x, p.y - t.first.y) < 30) return;
    // Trees gather along the river.
    if (trees.size() < 26 && (dr < 70 || rng.Uniform(0, 1) < 0.35))
      trees.push_back({p, rng.Uniform(9, 14)});
  });
  std::sort(trees.begin(), trees.end(),
            [](const auto& a, const auto& b) { return a.first.y < b.first.y; });
  for (const auto& t : trees) MapTree(cr, t.first, t.second, rng);
}

// The bridge where the path crosses the river: planks and rails.
void Bridges(cairo_t* cr, const MapLayout& map, const std::vector<Point>& river) {
  for (size_t i = 1; i < map.path.size(); ++i) {
    const Point& p = map.path[i];
    if (DistanceTo(river, p) > 24) continue;
    const Point& q = map.path[i - 1];
    const double a = std::atan2(p.y - q.y, p.x - q.x);
    cairo_save(cr);
    cairo_translate(cr, p.x, p.y);
    cairo_rotate(cr, a);
    cairo_rectangle(cr, -2.6, -10, 5.2, 20);
    art::SetColour(cr, art::Hex(pal::kWood));
    cairo_fill_preserve(cr);
    art::SetColour(cr, art::Shade(art::Hex(pal::kWood), 0.55));
    cairo_set_line_width(cr, 0.8);
    cairo_stroke(cr);
    cairo_rectangle(cr, -2.8, -12, 5.6, 2.6);
    cairo_rectangle(cr, -2.8, 9.4, 5.6, 2.6);
    art::SetColour(cr, art::Hex(0x5a3a20));
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

// Soft snowy hills, lit from the top left: a blue shade to the lower right
// and a white crest to the upper left, with no hard edges.
void PaintSnowLand(cairo_t* cr, art::Rng& rng) {
  for (int i = 0; i < 16; ++i) {
    const double x = rng.Uniform(0, kW), y = rng.Uniform(kLandTop + 20, kH);
    const double rx = rng.Uniform(70, 140), ry = rng.Uniform(28, 50);
    cairo_save(cr);
    cairo_translate(cr, x + rx * 0.12, y + ry * 0.25);
    cairo_scale(cr, rx / ry, 1);
    SoftDisc(cr, 0, 0, ry, art::Hex(0xa9bfd4), 0.45);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_translate(cr, x - rx * 0.1, y - ry * 0.15);
    cairo_scale(cr, rx / ry, 1);
    SoftDisc(cr, 0, 0, ry * 0.9, art::Rgb{1, 1, 1}, 0.9);
    cairo_restore(cr);
  }
}

void PaintSnow(cairo_t* cr, const MapLayout& map, art::Rng& rng) {
  const Point lake = RoomiestPlace(map, 220, 600, 380, 530);
  const Point cabin = RoomiestPlace(map, 60, 760, 240, 330, {lake});
  Pond(cr, lake, 52, 26, true);
  // A cabin with a snowy roof and a thread of smoke.
  for (int i = 0; i < 5; ++i)
    SoftDisc(cr, cabin.x + 14 + i * 3, cabin.y - 40 - i * 9, 5 + i * 1.5, art::Hex(0xdde6ee), 0.6);
  Cottage(cr, cabin, 24, art::Hex(0xf8fbff));
  // Rocks poking out of the snow.
  Scatter(map, rng, 40, 20, 780, kLandTop + 20, kH - 10, 50, 22, [&](Point p) {
    if (std::hypot(p.x - lake.x, p.y - lake.y) < 70 || rng.Uniform(0, 1) < 0.6) return;
    const double r = rng.Uniform(5, 10);
    WobblyPatch(cr, p.x, p.y, r, r * 0.7, 0.15, rng, 7);
    art::FillShadedOutlined(cr, art::Hex(0x8a8f98), p.x, p.y, r, 1.1);
    WobblyPatch(cr, p.x - r * 0.2, p.y - r * 0.45, r * 0.7, r * 0.3, 0.15, rng, 7);
    art::SetColour(cr, art::Rgb{1, 1, 1});
    cairo_fill(cr);
  });
  std::vector<std::pair<Point, double>> pines;
  Scatter(map, rng, 260, 10, 790, kLandTop + 20, kH - 4, 50, 24, [&](Point p) {
    if (std::hypot(p.x - lake.x, p.y - lake.y) < 72) return;
    if (std::hypot(p.x - cabin.x, p.y - cabin.y) < 40) return;
    for (const auto& t : pines)
      if (std::hypot(p.x - t.first.x, p.y - t.first.y) < 22) return;
    if (pines.size() < 44) pines.push_back({p, rng.Uniform(12, 19)});
  });
  std::sort(pines.begin(), pines.end(),
            [](const auto& a, const auto& b) { return a.first.y < b.first.y; });
  for (const auto& t : pines) SnowPine(cr, t.first, t.second);
}

void DrawButton(const std::string& dir, const MapLayout& map, cairo_surface_t* painting) {
  art::Picture pic(208, 64);
  cairo_t* cr = pic.Context();
  // The vignette: the map's land, scaled into the button (opaque everywhere:
  // the title draws quest buttons without blending).
  const double sx = 0, sy = 200, sw = 800, sh = 800 * 64.0 / 208;
  cairo_save(cr);
  cairo_scale(cr, 208 / sw, 64 / sh);
  cairo_set_source_surface(cr, painting, -sx, -sy);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
  // Wooden frame.
  cairo_rectangle(cr, 2.5, 2.5, 203, 59);
  art::SetColour(cr, art::Hex(pal::kFrame));
  cairo_set_line_width(cr, 5);
  cairo_stroke(cr);
  cairo_rectangle(cr, 0.5, 0.5, 207, 63);
  art::SetColour(cr, art::Shade(art::Hex(pal::kFrame), 0.55));
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_rectangle(cr, 5.5, 5.5, 197, 53);
  art::SetColour(cr, art::Shade(art::Hex(pal::kFrame), 1.4), 0.8);
  cairo_stroke(cr);
  // The name on a parchment ribbon.
  SetLetteringFont(cr, 20);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, map.name.c_str(), &ext);
  const double rw = ext.width + 26;
  art::RoundedRect(cr, 104 - rw / 2, 18, rw, 28, 9);
  art::SetColour(cr, art::Hex(pal::kParchment), 0.93);
  cairo_fill_preserve(cr);
  art::SetColour(cr, art::Shade(art::Hex(pal::kFrame), 0.8));
  cairo_set_line_width(cr, 1.4);
  cairo_stroke(cr);
  LetterCentred(cr, map.name, 104, 32, 20, art::Hex(0x4a2e16), art::Hex(0xfff8e6), 0);
  SaveOrDie(pic, dir, "Data/Maps/" + map.stem + "Button.png");
}

}  // namespace

void DrawQuestMap(const std::string& dir, const std::string& layoutPath,
                  const std::string& name) {
  const MapLayout map = ReadMapLayout(layoutPath, name);
  const Theme theme = ThemeOf(map.theme);
  art::Picture pic(kW, kH);
  cairo_t* cr = pic.Context();
  art::Rng rng(static_cast<uint32_t>(map.imageId));
  Ground(cr, theme, rng);
  std::vector<Point> river;
  if (map.theme == "valley") {
    river = RiverCourse();
    PaintValleyLand(cr, map, rng, river);
  }
  if (map.theme == "meadow") PaintMeadowLand(cr, rng);
  if (map.theme == "snow") PaintSnowLand(cr, rng);
  PathAndClearings(cr, map, theme, rng);
  if (map.theme == "meadow") PaintMeadow(cr, map, rng);
  else if (map.theme == "valley") {
    Bridges(cr, map, river);
    PaintValleyLife(cr, map, rng, river);
  } else PaintSnow(cr, map, rng);
  TopBand(cr, theme);
  SaveOrDie(pic, dir, "Data/Maps/" + map.stem + ".png");
  DrawButton(dir, map, pic.Surface());
}

}  // namespace world
