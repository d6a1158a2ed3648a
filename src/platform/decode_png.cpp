// PNG pictures through libpng.  Every colour type and bit depth becomes 8-bit
// ARGB; palette pictures are expanded here rather than by libpng so that an
// index past the end of the palette is refused instead of read as black.
//
// libpng reports errors by longjmp, so all libpng calls happen inside
// ReadPngGuarded, whose own locals are plain values; the buffers live in the
// caller's PngJob and are released normally whichever way the read ends.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/decode_formats.h"

namespace decode {
namespace {

struct PngJob {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t pos = 0;
  char message[128] = {};
  // Filled by the guarded reader.
  int width = 0;
  int height = 0;
  bool palette = false;
  bool hasAlpha = false;
  int paletteSize = 0;
  uint32_t paletteArgb[256] = {};
  std::vector<uint8_t> rows;  // decoded rows: 4 bytes (RGBA) or 1 byte (index) a pixel
  size_t rowBytes = 0;
};

void PngError(png_structp png, png_const_charp message) {
  auto* job = static_cast<PngJob*>(png_get_error_ptr(png));
  std::snprintf(job->message, sizeof job->message, "PNG: %s", message ? message : "error");
  png_longjmp(png, 1);
}

void PngWarning(png_structp, png_const_charp) {}

void PngRead(png_structp png, png_bytep dest, size_t length) {
  auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
  if (length > job->size - job->pos) png_error(png, "file is truncated");
  std::memcpy(dest, job->data + job->pos, length);
  job->pos += length;
}

// Returns 0 on success, 1 after a libpng error, 2 after a check of ours failed
// (with job->message set).
int ReadPngGuarded(png_structp png, png_infop info, PngJob* job) {
  if (setjmp(png_jmpbuf(png))) return 1;

  png_set_read_fn(png, job, PngRead);
  png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
  png_set_chunk_cache_max(png, 1000);
  png_set_chunk_malloc_max(png, 8u << 20);
  png_read_info(png, info);

  png_uint_32 width = 0, height = 0;
  int depth = 0, colourType = 0, interlace = 0;
  png_get_IHDR(png, info, &width, &height, &depth, &colourType, &interlace, nullptr, nullptr);
  if (const char* problem = PictureSizeProblem(width, height)) {
    std::snprintf(job->message, sizeof job->message, "%s", problem);
    return 2;
  }
  job->width = static_cast<int>(width);
  job->height = static_cast<int>(height);

  if (colourType == PNG_COLOR_TYPE_PALETTE) {
    png_colorp entries = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &entries, &count) == 0 || count <= 0 || count > 256) {
      std::snprintf(job->message, sizeof job->message, "PNG: palette is missing");
      return 2;
    }
    png_bytep alphas = nullptr;
    int alphaCount = 0;
    if (png_get_valid(png, info, PNG_INFO_tRNS)) {
      png_get_tRNS(png, info, &alphas, &alphaCount, nullptr);
      job->hasAlpha = true;
    }
    for (int i = 0; i < count; ++i) {
      uint32_t a = (alphas != nullptr && i < alphaCount) ? alphas[i] : 255;
      job->paletteArgb[i] = Argb(a, entries[i].red, entries[i].green, entries[i].blue);
    }
    job->paletteSize = count;
    job->palette = true;
    png_set_packing(png);  // one index a byte
  } else {
    job->hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 ||
                    png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    png_set_expand_gray_1_2_4_to_8(png);
    png_set_tRNS_to_alpha(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    if (!job->hasAlpha) png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
  }
  int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);

  job->rowBytes = png_get_rowbytes(png, info);
  size_t expected = static_cast<size_t>(width) * (job->palette ? 1 : 4);
  if (job->rowBytes != expected) {
    std::snprintf(job->message, sizeof job->message, "PNG: unexpected row layout");
    return 2;
  }
  if (passes > 1) {
    // Interlaced rows are revisited on every pass, so the whole picture is needed.
    job->rows.resize(job->rowBytes * height);
    for (int pass = 0; pass < passes; ++pass) {
      for (png_uint_32 y = 0; y < height; ++y) {
        png_read_row(png, job->rows.data() + job->rowBytes * y, nullptr);
      }
    }
  } else {
    // Rows are added as they decode, so a truncated file claiming a huge
    // picture fails before the memory for all of it is taken.
    for (png_uint_32 y = 0; y < height; ++y) {
      job->rows.resize(job->rowBytes * (y + 1));
      png_read_row(png, job->rows.data() + job->rowBytes * y, nullptr);
    }
  }
  png_read_end(png, nullptr);
  return 0;
}

}  // namespace

bool LooksLikePng(const uint8_t* data, size_t size) {
  return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

bool DecodePng(const uint8_t* data, size_t size, DecodedPicture* out, std::string* error) {
  PngJob job;
  job.data = data;
  job.size = size;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, PngError, PngWarning);
  if (png == nullptr) {
    *error = "PNG: out of memory";
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    *error = "PNG: out of memory";
    return false;
  }
  int result = ReadPngGuarded(png, info, &job);
  png_destroy_read_struct(&png, &info, nullptr);
  if (result != 0) {
    *error = job.message[0] ? job.message : "PNG: cannot decode";
    return false;
  }

  size_t count = static_cast<size_t>(job.width) * job.height;
  out->pixels.resize(count);
  const uint8_t* src = job.rows.data();
  if (job.palette) {
    for (size_t i = 0; i < count; ++i) {
      if (src[i] >= job.paletteSize) {
        *error = "PNG: palette index out of range";
        out->pixels.clear();
        return false;
      }
      out->pixels[i] = job.paletteArgb[src[i]];
    }
  } else {
    for (size_t i = 0; i < count; ++i, src += 4) {
      out->pixels[i] = Argb(src[3], src[0], src[1], src[2]);
    }
  }
  out->width = job.width;
  out->height = job.height;
  out->hasAlpha = job.hasAlpha;
  return true;
}

}  // namespace decode
