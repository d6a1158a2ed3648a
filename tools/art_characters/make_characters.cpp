// Generator of the characters' frame strips: `make_characters KIND OUT.png`
// draws one strip; `make_characters --bounds STRIP.png CELL_W CELL_H FIRST ID...`
// prints the opaque box of frames the way the game measures them; `--review`
// makes an enlarged picture of a strip on grass for looking at.
#include "art_characters/bandit_art.h"
#include "art_characters/canine_art.h"
#include "art_characters/eagle_art.h"
#include "art_characters/sheep_art.h"

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

int PrintBounds(int argc, char** argv) {
  if (argc < 7) {
    std::fprintf(stderr, "usage: make_characters --bounds STRIP.png CELL_W CELL_H FIRST ID...\n");
    return 2;
  }
  cairo_surface_t* s = cairo_image_surface_create_from_png(argv[2]);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "cannot read %s\n", argv[2]);
    cairo_surface_destroy(s);
    return 1;
  }
  const int w = std::atoi(argv[3]), h = std::atoi(argv[4]), first = std::atoi(argv[5]);
  const int across = cairo_image_surface_get_width(s) / w;
  const int stride = cairo_image_surface_get_stride(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  int status = 0;
  for (int i = 6; i < argc; ++i) {
    const int k = std::atoi(argv[i]) - first;
    const int ox = (k % across) * w, oy = (k / across) * h;
    if (k < 0 || oy + h > cairo_image_surface_get_height(s)) {
      std::fprintf(stderr, "frame %s is not in the strip\n", argv[i]);
      status = 1;
      continue;
    }
    int left = w, right = -1, top = h, bottom = -1;
    for (int y = 0; y < h; ++y) {
      const uint32_t* row = reinterpret_cast<const uint32_t*>(data + (oy + y) * stride) + ox;
      for (int x = 0; x < w; ++x) {
        if ((row[x] >> 24) == 0) continue;
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
    if (right < 0) {
      std::printf("%s: empty\n", argv[i]);
      continue;
    }
    const int bw = right - left + 1, bh = bottom - top + 1;
    std::printf("%s: %d x %d, centre offset (%d, %d), rows %d-%d, columns %d-%d\n", argv[i], bw,
                bh, left - (w - bw) / 2, top - (h - bh) / 2, top, bottom, left, right);
  }
  cairo_surface_destroy(s);
  return status;
}

// A review picture: the strip (or cells FIRST to LAST of it, in one row) on a
// meadow background, cells framed, scaled up.
int Review(int argc, char** argv) {
  if (argc != 7 && argc != 9) {
    std::fprintf(stderr,
                 "usage: make_characters --review STRIP.png CELL_W CELL_H SCALE OUT.png "
                 "[FIRST_CELL LAST_CELL]\n");
    return 2;
  }
  cairo_surface_t* s = cairo_image_surface_create_from_png(argv[2]);
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "cannot read %s\n", argv[2]);
    cairo_surface_destroy(s);
    return 1;
  }
  const int w = std::atoi(argv[3]), h = std::atoi(argv[4]);
  const double scale = std::atof(argv[5]);
  const int across = cairo_image_surface_get_width(s) / w;
  const int rows = cairo_image_surface_get_height(s) / h;
  // The cells shown and where each goes.
  std::vector<std::pair<int, int>> cells;  // (cell, slot)
  int slotsAcross = across, slotRows = rows;
  if (argc == 9) {
    const int first = std::atoi(argv[7]), last = std::atoi(argv[8]);
    for (int k = first; k <= last; ++k) cells.push_back({k, k - first});
    slotsAcross = std::max(1, last - first + 1), slotRows = 1;
  } else {
    for (int k = 0; k < across * rows; ++k) cells.push_back({k, k});
  }
  cairo_surface_t* out = cairo_image_surface_create(
      CAIRO_FORMAT_RGB24, int(slotsAcross * w * scale), int(slotRows * h * scale));
  cairo_t* cr = cairo_create(out);
  cairo_set_source_rgb(cr, 0x7f / 255.0, 0xb0 / 255.0, 0x4a / 255.0);
  cairo_paint(cr);
  cairo_scale(cr, scale, scale);
  for (const auto& [cell, slot] : cells) {
    const int sx = (slot % slotsAcross) * w, sy = (slot / slotsAcross) * h;
    cairo_save(cr);
    cairo_rectangle(cr, sx, sy, w, h);
    cairo_clip(cr);
    cairo_set_source_surface(cr, s, sx - (cell % across) * w, sy - (cell / across) * h);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.25);
    cairo_set_line_width(cr, 1 / scale);
    cairo_rectangle(cr, sx, sy, w, h);
    cairo_stroke(cr);
  }
  cairo_destroy(cr);
  const bool ok = cairo_surface_write_to_png(out, argv[6]) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(out);
  cairo_surface_destroy(s);
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--bounds") == 0) return PrintBounds(argc, argv);
  if (argc >= 2 && std::strcmp(argv[1], "--review") == 0) return Review(argc, argv);
  const std::map<std::string, std::function<bool(const std::string&)>> kinds = {
      {"sheep100", [](const std::string& p) { return sheep::DrawStrip(sheep::Breed::kWhite, p); }},
      {"sheep500", [](const std::string& p) { return sheep::DrawStrip(sheep::Breed::kBrown, p); }},
      {"sheep800",
       [](const std::string& p) { return sheep::DrawStrip(sheep::Breed::kBlackFace, p); }},
      {"dog", canine::DrawDogStrip},
      {"wolf", canine::DrawWolfStrip},
      {"eagle", eagle::DrawStrip},
      {"bandit", bandit::DrawStrip},
  };
  if (argc != 3 || kinds.count(argv[1]) == 0) {
    std::fprintf(stderr, "usage: make_characters KIND OUT.png (KIND:");
    for (const auto& k : kinds) std::fprintf(stderr, " %s", k.first.c_str());
    std::fprintf(stderr, ")\n       make_characters --bounds STRIP.png CELL_W CELL_H FIRST ID...\n");
    return 2;
  }
  return kinds.at(argv[1])(argv[2]) ? 0 : 1;
}
