// RIFF WAVE sounds holding PCM: 8-bit unsigned or 16-bit signed, mono or
// stereo (plain or "extensible" format headers).  Chunks other than "fmt " and
// "data" are skipped.  A trailing partial sample frame is dropped.
#include <cstring>

#include "platform/decode_formats.h"

namespace decode {
namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;

bool Fail(std::string* error, const char* reason) {
  *error = std::string("WAV: ") + reason;
  return false;
}

}  // namespace

bool LooksLikeWav(const uint8_t* data, size_t size) {
  return size >= 12 && std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "WAVE", 4) == 0;
}

bool DecodeWav(const uint8_t* data, size_t size, Sound* out, std::string* error) {
  if (size < 12) return Fail(error, "file is truncated");
  // The RIFF size is not trusted beyond the end of the file; the chunk sizes are.
  const uint8_t* fmt = nullptr;
  size_t fmtSize = 0;
  const uint8_t* pcm = nullptr;
  size_t pcmSize = 0;
  size_t p = 12;
  while (size - p >= 8) {
    const uint8_t* id = data + p;
    const size_t chunkSize = Le32(data + p + 4);
    p += 8;
    if (chunkSize > size - p) return Fail(error, "chunk runs past the end of the file");
    if (std::memcmp(id, "fmt ", 4) == 0 && fmt == nullptr) {
      fmt = data + p;
      fmtSize = chunkSize;
    } else if (std::memcmp(id, "data", 4) == 0 && pcm == nullptr) {
      pcm = data + p;
      pcmSize = chunkSize;
    }
    p += chunkSize;
    if ((chunkSize & 1) && p < size) ++p;  // chunks are padded to even sizes
  }
  if (fmt == nullptr) return Fail(error, "format chunk is missing");
  if (pcm == nullptr) return Fail(error, "data chunk is missing");
  if (fmtSize < 16) return Fail(error, "format chunk is too short");

  uint16_t format = Le16(fmt);
  const int channels = Le16(fmt + 2);
  const uint32_t rate = Le32(fmt + 4);
  const int blockAlign = Le16(fmt + 12);
  const int bits = Le16(fmt + 14);
  if (format == kFormatExtensible) {
    // The real format is the first two bytes of the sub-format GUID.
    if (fmtSize < 40) return Fail(error, "format chunk is too short");
    format = Le16(fmt + 24);
  }
  if (format != kFormatPcm) return Fail(error, "only PCM is supported");
  if (channels != 1 && channels != 2) return Fail(error, "only mono and stereo are supported");
  if (bits != 8 && bits != 16) return Fail(error, "only 8 and 16-bit samples are supported");
  if (rate == 0 || rate > static_cast<uint32_t>(kMaxSampleRate)) {
    return Fail(error, "unsupported sample rate");
  }
  if (blockAlign != channels * bits / 8) return Fail(error, "bad block alignment");

  const size_t frames = pcmSize / blockAlign;
  const size_t samples = frames * channels;
  if (samples > static_cast<size_t>(kMaxSoundSamples)) return Fail(error, "sound is too long");
  out->samples.resize(samples);
  if (bits == 8) {
    for (size_t i = 0; i < samples; ++i) {
      out->samples[i] = static_cast<int16_t>((pcm[i] - 128) * 256);
    }
  } else {
    for (size_t i = 0; i < samples; ++i) {
      out->samples[i] = static_cast<int16_t>(Le16(pcm + 2 * i));
    }
  }
  out->sampleRate = static_cast<int>(rate);
  out->channels = channels;
  return true;
}

}  // namespace decode
