#include "art_world/world_common.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace world {

namespace {

cairo_font_face_t* LetteringFace() {
  static cairo_font_face_t* face = nullptr;
  if (face) return face;
  static FT_Library library;
  static FT_Face ftFace;
  if (FT_Init_FreeType(&library) != 0) {
    std::fprintf(stderr, "art_world: cannot start FreeType\n");
    std::exit(1);
  }
  if (FT_New_Face(library, FW_LETTERING_FONT, 0, &ftFace) != 0) {
    std::fprintf(stderr,
                 "art_world: the lettering font %s is missing or unreadable "
                 "(install the Debian package fonts-comic-neue)\n",
                 FW_LETTERING_FONT);
    std::exit(1);
  }
  face = cairo_ft_font_face_create_for_ft_face(ftFace, 0);
  return face;
}

}  // namespace

void SetLetteringFont(cairo_t* cr, double size) {
  cairo_set_font_face(cr, LetteringFace());
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

void LetterCentred(cairo_t* cr, const std::string& text, double cx, double cy, double size,
                   Rgb fill, Rgb outline, double outlineWidth) {
  cairo_save(cr);
  SetLetteringFont(cr, size);
  cairo_text_extents_t ext;
  cairo_text_extents(cr, text.c_str(), &ext);
  const double x = cx - ext.width / 2 - ext.x_bearing;
  const double y = cy - ext.height / 2 - ext.y_bearing;
  cairo_new_path(cr);
  cairo_move_to(cr, x, y);
  cairo_text_path(cr, text.c_str());
  if (outlineWidth > 0) {
    art::SetColour(cr, outline);
    cairo_set_line_width(cr, outlineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
  }
  art::SetColour(cr, fill);
  cairo_fill(cr);
  cairo_restore(cr);
}

void BumpyBlob(cairo_t* cr, double cx, double cy, double rx, double ry, int lobes, double bump,
               art::Rng& rng) {
  // Each lobe is an arc-like bulge between two points on the base ellipse.
  std::vector<double> px(lobes), py(lobes);
  const double start = rng.Uniform(0, 2 * M_PI);
  for (int i = 0; i < lobes; ++i) {
    const double a = start + 2 * M_PI * (i + rng.Uniform(-0.15, 0.15)) / lobes;
    const double k = 1 + rng.Uniform(-0.06, 0.06);
    px[i] = cx + std::cos(a) * rx * k;
    py[i] = cy + std::sin(a) * ry * k;
  }
  cairo_new_sub_path(cr);
  cairo_move_to(cr, px[0], py[0]);
  for (int i = 0; i < lobes; ++i) {
    const int j = (i + 1) % lobes;
    const double mx = (px[i] + px[j]) / 2, my = (py[i] + py[j]) / 2;
    // Push the control points outward from the centre.
    const double dx = mx - cx, dy = my - cy;
    const double len = std::max(1e-6, std::hypot(dx, dy));
    const double depth = bump * (rx + ry) / 2 * rng.Uniform(0.8, 1.25);
    const double ox = dx / len * depth * 1.3, oy = dy / len * depth * 1.3;
    cairo_curve_to(cr, px[i] + ox, py[i] + oy, px[j] + ox, py[j] + oy, px[j], py[j]);
  }
  cairo_close_path(cr);
}

void WobblyPatch(cairo_t* cr, double cx, double cy, double rx, double ry, double wobble,
                 art::Rng& rng, int points) {
  std::vector<double> px(points), py(points);
  for (int i = 0; i < points; ++i) {
    const double a = 2 * M_PI * i / points;
    const double k = 1 + rng.Uniform(-wobble, wobble);
    px[i] = cx + std::cos(a) * rx * k;
    py[i] = cy + std::sin(a) * ry * k;
  }
  // Catmull-Rom through the points, as Bezier segments.
  cairo_new_sub_path(cr);
  cairo_move_to(cr, px[0], py[0]);
  for (int i = 0; i < points; ++i) {
    const int p0 = (i + points - 1) % points, p1 = i, p2 = (i + 1) % points,
              p3 = (i + 2) % points;
    cairo_curve_to(cr, px[p1] + (px[p2] - px[p0]) / 6, py[p1] + (py[p2] - py[p0]) / 6,
                   px[p2] - (px[p3] - px[p1]) / 6, py[p2] - (py[p3] - py[p1]) / 6, px[p2],
                   py[p2]);
  }
  cairo_close_path(cr);
}

void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double rotation) {
  cairo_new_sub_path(cr);
  for (int i = 0; i < points * 2; ++i) {
    const double a = rotation - M_PI / 2 + M_PI * i / points;
    const double r = (i % 2 == 0) ? outer : inner;
    if (i == 0)
      cairo_move_to(cr, cx + std::cos(a) * r, cy + std::sin(a) * r);
    else
      cairo_line_to(cr, cx + std::cos(a) * r, cy + std::sin(a) * r);
  }
  cairo_close_path(cr);
}

void SoftShadow(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_pattern_t* p = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(p, 0, 0.1, 0.16, 0.06, alpha);
  cairo_pattern_add_color_stop_rgba(p, 0.6, 0.1, 0.16, 0.06, alpha * 0.7);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.1, 0.16, 0.06, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
}

void SoftDisc(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha) {
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
  cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, alpha);
  cairo_pattern_add_color_stop_rgba(p, 0.5, c.r, c.g, c.b, alpha * 0.6);
  cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
  cairo_set_source(cr, p);
  cairo_new_path(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void SaveOrDie(const art::Picture& picture, const std::string& dataDir,
               const std::string& relative) {
  if (!picture.Save(dataDir + "/" + relative)) std::exit(1);
}

void SaveOrDie(const art::Strip& strip, const std::string& dataDir, const std::string& relative) {
  if (!strip.Save(dataDir + "/" + relative)) std::exit(1);
}

void Desaturate(art::Picture& picture, double keep, double level) {
  cairo_surface_t* s = picture.Surface();
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < picture.Height(); ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < picture.Width(); ++x) {
      const uint32_t p = row[x];
      const double a = (p >> 24) & 0xff, r = (p >> 16) & 0xff, g = (p >> 8) & 0xff,
                   b = p & 0xff;
      const double grey = 0.3 * r + 0.59 * g + 0.11 * b;
      auto mixc = [&](double c) {
        const double v = (grey + (c - grey) * keep) * level;
        return static_cast<uint32_t>(std::lround(std::min(a, std::max(0.0, v))));
      };
      row[x] = (static_cast<uint32_t>(a) << 24) | (mixc(r) << 16) | (mixc(g) << 8) | mixc(b);
    }
  }
  cairo_surface_mark_dirty(s);
}

}  // namespace world
