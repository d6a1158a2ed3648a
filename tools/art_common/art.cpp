#include "art_common/art.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>

namespace art {

Rgb Hex(uint32_t rgb) {
  return Rgb{((rgb >> 16) & 0xff) / 255.0, ((rgb >> 8) & 0xff) / 255.0, (rgb & 0xff) / 255.0};
}

Rgb Shade(Rgb c, double f) {
  if (f < 1) return Rgb{c.r * f, c.g * f, c.b * f};
  const double t = std::min(1.0, f - 1);
  return Mix(c, Rgb{1, 1, 1}, t);
}

Rgb Mix(Rgb a, Rgb b, double t) {
  return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void SetColour(cairo_t* cr, Rgb c, double alpha) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void FillOutlined(cairo_t* cr, Rgb fill, double outlineWidth) {
  SetColour(cr, fill);
  cairo_fill_preserve(cr);
  SetColour(cr, Shade(fill, 0.55));
  cairo_set_line_width(cr, outlineWidth);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

void FillShaded(cairo_t* cr, Rgb fill, double x, double y, double radius) {
  cairo_pattern_t* light = cairo_pattern_create_radial(
      x - radius * 0.45, y - radius * 0.5, radius * 0.1, x, y, radius * 1.25);
  const Rgb lit = Shade(fill, 1.18);
  const Rgb dark = Shade(fill, 0.8);
  cairo_pattern_add_color_stop_rgb(light, 0.0, lit.r, lit.g, lit.b);
  cairo_pattern_add_color_stop_rgb(light, 0.55, fill.r, fill.g, fill.b);
  cairo_pattern_add_color_stop_rgb(light, 1.0, dark.r, dark.g, dark.b);
  cairo_set_source(cr, light);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(light);
}

void FillShadedOutlined(cairo_t* cr, Rgb fill, double x, double y, double radius,
                        double outlineWidth) {
  FillShaded(cr, fill, x, y, radius);
  SetColour(cr, Shade(fill, 0.55));
  cairo_set_line_width(cr, outlineWidth);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_stroke(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min(r, std::min(w, h) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

Picture::Picture(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_BEST);
}

Picture::~Picture() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

bool Picture::Save(const std::string& path) const {
  cairo_surface_flush(surface_);
  const std::string folder = path.substr(0, path.find_last_of('/'));
  if (folder != path && !MakeFolders(folder)) {
    std::fprintf(stderr, "cannot create folder %s\n", folder.c_str());
    return false;
  }
  const cairo_status_t status = cairo_surface_write_to_png(surface_, path.c_str());
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), cairo_status_to_string(status));
    return false;
  }
  return true;
}

Strip::Strip(int cellWidth, int cellHeight, int frames, int across)
    : cellWidth_(cellWidth),
      cellHeight_(cellHeight),
      frames_(frames),
      across_(std::max(1, std::min(across, frames))),
      picture_(cellWidth * std::max(1, std::min(across, frames)),
               cellHeight * ((frames + std::max(1, std::min(across, frames)) - 1) /
                             std::max(1, std::min(across, frames)))) {}

cairo_t* Strip::BeginCell(int index) {
  cairo_t* cr = picture_.Context();
  cairo_save(cr);
  cairo_translate(cr, (index % across_) * cellWidth_, (index / across_) * cellHeight_);
  cairo_rectangle(cr, 0, 0, cellWidth_, cellHeight_);
  cairo_clip(cr);
  cairo_new_path(cr);
  return cr;
}

void Strip::EndCell() { cairo_restore(picture_.Context()); }

uint32_t Rng::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

double Rng::Uniform(double low, double high) {
  return low + (high - low) * (Next() / 4294967296.0);
}

bool MakeFolders(const std::string& path) {
  if (path.empty()) return true;
  struct stat st;
  if (stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const size_t slash = path.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(path.substr(0, slash))) {
    return false;
  }
  return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

}  // namespace art
