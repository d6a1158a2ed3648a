// The world picture generator: `world_art GROUP DATA_DIR [ARGS]` draws one
// group of pictures into the data folder; `world_art --sizes PNG...` prints
// the opaque box of each picture (how the game measures scenery).
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "art_world/groups.h"

namespace {

int PrintOpaqueSizes(int argc, char** argv) {
  for (int i = 2; i < argc; ++i) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(argv[i]);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      cairo_surface_destroy(s);
      return 1;
    }
    const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    int left = w, right = -1, top = h, bottom = -1;
    for (int y = 0; y < h; ++y) {
      const uint32_t* row = reinterpret_cast<const uint32_t*>(data + y * stride);
      for (int x = 0; x < w; ++x) {
        if ((row[x] >> 24) == 0) continue;
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
    const int ow = right < 0 ? 0 : right - left + 1, oh = bottom < 0 ? 0 : bottom - top + 1;
    std::printf("%s: picture %dx%d, opaque %dx%d, centre offset (%d, %d)\n", argv[i], w, h, ow,
                oh, right < 0 ? -w / 2 : left - (w - ow) / 2,
                bottom < 0 ? -h / 2 : top - (h - oh) / 2);
    cairo_surface_destroy(s);
  }
  return 0;
}

// A review sheet: the pictures side by side, scaled, over a meadow-green and
// a dark backdrop half, each with its file name.
int DrawReviewSheet(int argc, char** argv) {
  const std::string out = argv[2];
  const double scale = std::atof(argv[3]);
  std::vector<cairo_surface_t*> pics;
  for (int i = 4; i < argc; ++i) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(argv[i]);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      return 1;
    }
    pics.push_back(s);
  }
  const int width = 1600;
  int x = 8, y = 8, rowH = 0;
  std::vector<std::pair<int, int>> at;
  for (cairo_surface_t* s : pics) {
    const int w = cairo_image_surface_get_width(s) * scale, h = cairo_image_surface_get_height(s) * scale;
    if (x + w > width && x > 8) x = 8, y += rowH + 24, rowH = 0;
    at.push_back({x, y});
    x += w + 12;
    rowH = std::max(rowH, h);
  }
  const int height = y + rowH + 24;
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 0.37, 0.58, 0.22);
  cairo_paint(cr);
  cairo_set_source_rgb(cr, 0.2, 0.2, 0.25);
  cairo_rectangle(cr, width / 2, 0, width / 2, height);
  cairo_fill(cr);
  for (size_t i = 0; i < pics.size(); ++i) {
    cairo_save(cr);
    cairo_translate(cr, at[i].first, at[i].second);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, pics[i], 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_font_size(cr, 11);
    cairo_move_to(cr, at[i].first, at[i].second + cairo_image_surface_get_height(pics[i]) * scale + 12);
    std::string name = argv[4 + i];
    name = name.substr(name.find_last_of('/') + 1);
    cairo_show_text(cr, name.c_str());
    cairo_surface_destroy(pics[i]);
  }
  cairo_destroy(cr);
  cairo_surface_write_to_png(sheet, out.c_str());
  cairo_surface_destroy(sheet);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--sizes") == 0) return PrintOpaqueSizes(argc, argv);
  if (argc >= 4 && std::strcmp(argv[1], "--sheet") == 0) return DrawReviewSheet(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: world_art GROUP DATA_DIR [LAYOUT NAME]\n"
                 "       world_art --sizes PNG...\n"
                 "       world_art --sheet OUT.png SCALE PNG...\n"
                 "groups: interface markers scenery decorations backdrops letters map extras\n");
    return 2;
  }
  const std::string group = argv[1], dir = argv[2];
  if (group == "interface") world::DrawInterface(dir);
  else if (group == "markers") world::DrawMarkers(dir);
  else if (group == "scenery") world::DrawScenery(dir);
  else if (group == "decorations") world::DrawDecorations(dir);
  else if (group == "backdrops") world::DrawBackdrops(dir);
  else if (group == "letters") world::DrawTitleLetters(dir);
  else if (group == "extras") world::DrawMapExtras(dir);
  else if (group == "map" && argc == 5) world::DrawQuestMap(dir, argv[3], argv[4]);
  else {
    std::fprintf(stderr, "world_art: unknown group or missing arguments: %s\n", group.c_str());
    return 2;
  }
  return 0;
}
