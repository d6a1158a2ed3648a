// Picks the decoder for a picture or sound from its first bytes.  File names
// are never consulted: data files are often misnamed.
#include <string>

#include "platform/decode_formats.h"

namespace decode {

const char* PictureSizeProblem(int64_t width, int64_t height) {
  if (width <= 0 || height <= 0) return "picture has no pixels";
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels) {
    return "picture is too large";
  }
  return nullptr;
}

bool PictureSizeAllowed(int64_t width, int64_t height, std::string* error) {
  const char* problem = PictureSizeProblem(width, height);
  if (problem != nullptr) *error = problem;
  return problem == nullptr;
}

}  // namespace decode

bool DecodePicture(const uint8_t* data, size_t size, DecodedPicture* out, std::string* error) {
  std::string ignored;
  if (error == nullptr) error = &ignored;
  if (out == nullptr || (data == nullptr && size > 0)) {
    *error = "no picture";
    return false;
  }
  DecodedPicture result;
  bool ok = false;
  if (decode::LooksLikePng(data, size)) {
    ok = decode::DecodePng(data, size, &result, error);
  } else if (decode::LooksLikeJpeg(data, size)) {
    ok = decode::DecodeJpeg(data, size, &result, error);
  } else if (decode::LooksLikeBmp(data, size)) {
    ok = decode::DecodeBmp(data, size, &result, error);
  } else if (decode::LooksLikeTga(data, size)) {
    // TGA has no signature, so it is tried last, on a plausible header.
    ok = decode::DecodeTga(data, size, &result, error);
  } else {
    *error = "unknown picture format";
  }
  if (!ok) return false;
  *out = std::move(result);
  return true;
}

bool DecodeSound(const uint8_t* data, size_t size, Sound* out, std::string* error) {
  std::string ignored;
  if (error == nullptr) error = &ignored;
  if (out == nullptr || (data == nullptr && size > 0)) {
    *error = "no sound";
    return false;
  }
  Sound result;
  bool ok = false;
  if (decode::LooksLikeWav(data, size)) {
    ok = decode::DecodeWav(data, size, &result, error);
  } else if (decode::LooksLikeOgg(data, size)) {
    ok = decode::DecodeOgg(data, size, &result, error);
  } else {
    *error = "unknown sound format";
  }
  if (!ok) return false;
  out->sampleRate = result.sampleRate;
  out->channels = result.channels;
  out->samples = std::move(result.samples);
  return true;
}
