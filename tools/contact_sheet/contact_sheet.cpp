// Draws the game's art for review on one sheet: every catalogued picture (each
// frame of a strip on its own) with its identifier, on a checkerboard so that
// transparency shows, then every animation of the game as a row of its frames
// with the ticks each frame lasts.
//
//   build/contact_sheet [--pages] [DATA_FOLDER] OUTPUT.png
//
// --pages also writes the sheet cut into pages of at most 1000 pixels high,
// OUTPUT-1.png, OUTPUT-2.png and so on, for viewers that shrink tall pictures.
#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/animation_list.h"
#include "data/file_loader.h"
#include "platform/image_loading.h"
#include "platform/services.h"

namespace {

constexpr int kTile = 96;         // a picture is scaled down to fit this square
constexpr int kLabel = 16;        // room for the identifier under it
constexpr int kColumns = 14;
constexpr int kMargin = 8;
constexpr int kAnimFrame = 64;    // animation frames are drawn at this size
constexpr int kAnimLabel = 150;   // room for the animation's name on the left

// One frame of a catalogued picture, as a Cairo surface of its own.
struct Cell {
  int id = 0;
  cairo_surface_t* surface = nullptr;
};

cairo_surface_t* SurfaceFrom(const DecodedPicture& picture, int x0, int y0, int w, int h) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  cairo_surface_flush(s);
  for (int y = 0; y < h; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < w; ++x) {
      int sx = x0 + x, sy = y0 + y;
      uint32_t p = (sx < picture.width && sy < picture.height)
                       ? picture.pixels[static_cast<size_t>(sy) * picture.width + sx]
                       : 0;
      // Cairo wants premultiplied alpha.
      uint32_t a = p >> 24, r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
      row[x] = (a << 24) | ((r * a / 255) << 16) | ((g * a / 255) << 8) | (b * a / 255);
    }
  }
  cairo_surface_mark_dirty(s);
  return s;
}

bool IsEmpty(cairo_surface_t* s) {
  const unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < cairo_image_surface_get_height(s); ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + y * stride);
    for (int x = 0; x < cairo_image_surface_get_width(s); ++x) {
      if (row[x] >> 24) return false;
    }
  }
  return true;
}

void Checkerboard(cairo_t* cr, double x, double y, double w, double h) {
  for (int j = 0; j * 8 < h; ++j) {
    for (int i = 0; i * 8 < w; ++i) {
      double shade = ((i + j) & 1) ? 0.80 : 0.92;
      cairo_set_source_rgb(cr, shade, shade, shade);
      cairo_rectangle(cr, x + i * 8, y + j * 8, std::min(8.0, w - i * 8), std::min(8.0, h - j * 8));
      cairo_fill(cr);
    }
  }
}

// Draws the surface centred in the box (x, y, w, h): scaled down to fit, or
// enlarged at most twice so that small particles stay visible.
void Fit(cairo_t* cr, cairo_surface_t* s, double x, double y, double w, double h) {
  int sw = cairo_image_surface_get_width(s), sh = cairo_image_surface_get_height(s);
  double scale = std::min(w / sw, h / sh);
  if (scale > 1) scale = std::min(2.0, scale);
  cairo_save(cr);
  cairo_translate(cr, x + (w - sw * scale) / 2, y + (h - sh * scale) / 2);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, s, 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
}

void Text(cairo_t* cr, double x, double y, const std::string& text, double size = 11) {
  cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, text.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  bool pages = argc > 1 && std::strcmp(argv[1], "--pages") == 0;
  if (pages) {
    --argc;
    ++argv;
  }
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: contact_sheet [--pages] [DATA_FOLDER] OUTPUT.png\n");
    return 2;
  }
  std::string folder = argc == 3 ? argv[1] : ".";
  std::string output = argv[argc - 1];
  SetDataFolder(folder);
  if (FileLoader::Read("files.xml") == 0) {
    std::fprintf(stderr, "contact_sheet: no usable files.xml in '%s'\n", folder.c_str());
    return 1;
  }

  std::vector<Cell> cells;
  std::vector<cairo_surface_t*> hidden;
  int emptyCells = 0;
  std::map<int, cairo_surface_t*> byId;
  int failures = 0;
  for (const FileEntry& e : FileQueue) {
    if (e.kind != kEntryImage) continue;
    std::vector<uint8_t> bytes;
    DecodedPicture picture;
    std::string error;
    if (!ReadWholeFile(ResolvePath(e.path), &bytes, 64 << 20) ||
        !DecodePicture(bytes.data(), bytes.size(), &picture, &error)) {
      std::fprintf(stderr, "contact_sheet: cannot read '%s' %s\n", e.path.c_str(), error.c_str());
      ++failures;
      continue;
    }
    const bool strip = e.sizeX > 0 && e.sizeY > 0 && e.frames > 0;
    const int fw = strip ? e.sizeX : picture.width, fh = strip ? e.sizeY : picture.height;
    const int frames = strip ? e.frames : 1;
    const int across = std::max(1, picture.width / fw);
    for (int k = 0; k < frames; ++k) {
      Cell cell{e.id + k, SurfaceFrom(picture, (k % across) * fw, (k / across) * fh, fw, fh)};
      byId.emplace(cell.id, cell.surface);
      // Unused cells of a strip are left out of the picture section.
      if (IsEmpty(cell.surface)) {
        ++emptyCells;
        hidden.push_back(cell.surface);
      } else {
        cells.push_back(cell);
      }
    }
  }
  FileQueue.clear();

  BuildGameAnimations();
  const std::vector<Animation>& anims = AnimationList::Templates();
  size_t widest = 0;
  for (const Animation& a : anims) widest = std::max(widest, a.frames.size());

  const int cellW = kTile + kMargin, cellH = kTile + kLabel + kMargin;
  const int rows = static_cast<int>((cells.size() + kColumns - 1) / kColumns);
  const int sheetW = std::max(kMargin + kColumns * cellW,
                              kAnimLabel + static_cast<int>(widest) * (kAnimFrame + 4) + kMargin);
  const int imagesH = 40 + rows * cellH;
  const int animRowH = kAnimFrame + 22;
  const int sheetH = imagesH + 40 + static_cast<int>(anims.size()) * animRowH + kMargin;

  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, sheetW, sheetH);
  cairo_t* cr = cairo_create(sheet);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  Text(cr, kMargin, 26,
       "Catalogued pictures (" + std::to_string(cells.size()) + " frames; " +
           std::to_string(emptyCells) + " empty cells of strips not shown)",
       18);
  for (size_t i = 0; i < cells.size(); ++i) {
    double x = kMargin + (i % kColumns) * cellW, y = 40 + (i / kColumns) * cellH;
    Checkerboard(cr, x, y, kTile, kTile);
    Fit(cr, cells[i].surface, x, y, kTile, kTile);
    int w = cairo_image_surface_get_width(cells[i].surface);
    int h = cairo_image_surface_get_height(cells[i].surface);
    Text(cr, x, y + kTile + 12,
         std::to_string(cells[i].id) + "  " + std::to_string(w) + "x" + std::to_string(h), 10);
  }

  int y = imagesH + 30;
  Text(cr, kMargin, y, "Animations (" + std::to_string(anims.size()) + ")", 18);
  y += 10;
  for (const Animation& a : anims) {
    Text(cr, kMargin, y + 30, "anim " + std::to_string(a.animId), 13);
    Text(cr, kMargin, y + 46,
         std::string(a.looping ? "loops, " : "once, ") + std::to_string(a.totalTicks) + " ticks", 10);
    int x = kAnimLabel;
    for (const auto& frame : a.frames) {
      Checkerboard(cr, x, y, kAnimFrame, kAnimFrame);
      auto found = byId.find(frame->imageId);
      if (found != byId.end()) {
        Fit(cr, found->second, x, y, kAnimFrame, kAnimFrame);
      } else {
        cairo_set_source_rgb(cr, 0.9, 0.1, 0.1);
        cairo_rectangle(cr, x + 2, y + 2, kAnimFrame - 4, kAnimFrame - 4);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
      }
      Text(cr, x, y + kAnimFrame + 11,
           std::to_string(frame->imageId) + " x" + std::to_string(frame->ticks), 9);
      x += kAnimFrame + 4;
    }
    y += animRowH;
  }

  cairo_destroy(cr);
  cairo_status_t status = cairo_surface_write_to_png(sheet, output.c_str());
  if (pages && status == CAIRO_STATUS_SUCCESS) {
    const std::string stem =
        output.size() > 4 && output.compare(output.size() - 4, 4, ".png") == 0
            ? output.substr(0, output.size() - 4)
            : output;
    for (int top = 0, page = 1; top < sheetH && status == CAIRO_STATUS_SUCCESS; top += 1000, ++page) {
      cairo_surface_t* part =
          cairo_surface_create_for_rectangle(sheet, 0, top, sheetW, std::min(1000, sheetH - top));
      status = cairo_surface_write_to_png(part, (stem + "-" + std::to_string(page) + ".png").c_str());
      cairo_surface_destroy(part);
    }
  }
  cairo_surface_destroy(sheet);
  for (Cell& c : cells) cairo_surface_destroy(c.surface);
  for (cairo_surface_t* s : hidden) cairo_surface_destroy(s);
  const size_t animCount = anims.size();
  AnimationList::Reset();
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "contact_sheet: cannot write '%s': %s\n", output.c_str(),
                 cairo_status_to_string(status));
    return 1;
  }
  std::printf("contact_sheet: %zu picture frames and %zu animations in %s\n", cells.size(),
              animCount, output.c_str());
  return failures ? 1 : 0;
}
