// JPEG pictures through libjpeg, always converted to RGB.  libjpeg's default
// error handler calls exit(), so errors longjmp back to ReadJpegGuarded instead;
// as with PNG, the buffers live in the caller's JpegJob.  A file that ends early
// is refused: libjpeg would otherwise pad it out with grey and only warn.
#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstring>
#include <vector>

#include "platform/decode_formats.h"

namespace decode {
namespace {

// Progressive files can ask for thousands of scans, each a pass over the whole
// picture; real ones use about ten.
constexpr int kMaxScans = 200;

struct JpegErrors {
  jpeg_error_mgr base;  // first, so libjpeg's pointer to it is a pointer to this
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX + 8];
};

struct JpegJob {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};

[[noreturn]] void JpegFail(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  char text[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, text);
  std::snprintf(errors->message, sizeof errors->message, "JPEG: %s", text);
  std::longjmp(errors->jump, 1);
}

void JpegMessage(j_common_ptr cinfo, int level) {
  // Level -1 is a warning about damaged data; running out of data is fatal.
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) JpegFail(cinfo);
}

void JpegProgress(j_common_ptr cinfo) {
  auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (cinfo->is_decompressor && dinfo->input_scan_number > kMaxScans) {
    auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
    std::snprintf(errors->message, sizeof errors->message, "JPEG: too many scans");
    std::longjmp(errors->jump, 1);
  }
}

// Returns true on success; on failure errors->message says why.
bool ReadJpegGuarded(jpeg_decompress_struct* cinfo, JpegErrors* errors,
                     jpeg_progress_mgr* progress, const uint8_t* data, size_t size,
                     JpegJob* job) {
  if (setjmp(errors->jump)) return false;
  jpeg_create_decompress(cinfo);
  cinfo->progress = progress;  // after creation, which clears the struct
  cinfo->mem->max_memory_to_use = 512l << 20;
  jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(cinfo, TRUE);

  if (const char* problem = PictureSizeProblem(cinfo->image_width, cinfo->image_height)) {
    std::snprintf(errors->message, sizeof errors->message, "%s", problem);
    return false;
  }
  if (cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK) {
    std::snprintf(errors->message, sizeof errors->message, "JPEG: CMYK is not supported");
    return false;
  }
  cinfo->out_color_space = JCS_RGB;
  jpeg_start_decompress(cinfo);
  if (cinfo->output_components != 3) {
    std::snprintf(errors->message, sizeof errors->message, "JPEG: unexpected output layout");
    return false;
  }
  job->width = static_cast<int>(cinfo->output_width);
  job->height = static_cast<int>(cinfo->output_height);
  const size_t rowBytes = static_cast<size_t>(cinfo->output_width) * 3;
  while (cinfo->output_scanline < cinfo->output_height) {
    // Grows with the decoded rows, so a short file cannot claim a big picture.
    size_t y = cinfo->output_scanline;
    job->rgb.resize(rowBytes * (y + 1));
    JSAMPROW row = job->rgb.data() + rowBytes * y;
    jpeg_read_scanlines(cinfo, &row, 1);
  }
  jpeg_finish_decompress(cinfo);
  return true;
}

}  // namespace

bool LooksLikeJpeg(const uint8_t* data, size_t size) {
  return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

bool DecodeJpeg(const uint8_t* data, size_t size, DecodedPicture* out, std::string* error) {
  jpeg_decompress_struct cinfo;
  std::memset(&cinfo, 0, sizeof cinfo);
  JpegErrors errors;
  std::memset(&errors, 0, sizeof errors);
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JpegFail;
  errors.base.emit_message = JpegMessage;
  jpeg_progress_mgr progress;
  std::memset(&progress, 0, sizeof progress);
  progress.progress_monitor = JpegProgress;
  JpegJob job;

  bool ok = ReadJpegGuarded(&cinfo, &errors, &progress, data, size, &job);
  jpeg_destroy_decompress(&cinfo);
  if (!ok) {
    *error = errors.message[0] ? errors.message : "JPEG: cannot decode";
    return false;
  }
  size_t count = static_cast<size_t>(job.width) * job.height;
  out->pixels.resize(count);
  const uint8_t* src = job.rgb.data();
  for (size_t i = 0; i < count; ++i, src += 3) out->pixels[i] = Argb(255, src[0], src[1], src[2]);
  out->width = job.width;
  out->height = job.height;
  out->hasAlpha = false;
  return true;
}

}  // namespace decode
