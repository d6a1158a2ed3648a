// The individual picture and sound decoders behind DecodePicture and
// DecodeSound, the limits they share and small little-endian readers.  The
// decoders depend only on assets.h, image_loading.h and the format libraries, so
// they also build on their own (the fuzz harnesses link just these files).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/image_loading.h"

namespace decode {

// Largest picture any decoder accepts: 8192 pixels a side, 64 M pixels in all.
constexpr int64_t kMaxPictureSide = 8192;
constexpr int64_t kMaxPicturePixels = 64ll * 1024 * 1024;
// Longest sound any decoder accepts: ten minutes of 48 kHz stereo.
constexpr int64_t kMaxSoundSamples = 10ll * 60 * 48000 * 2;
constexpr int kMaxSampleRate = 192000;

// Checks a picture's size against the limits: nullptr when allowed, else why not.
const char* PictureSizeProblem(int64_t width, int64_t height);
// The same check, setting *error when it fails.
bool PictureSizeAllowed(int64_t width, int64_t height, std::string* error);

inline uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
inline uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}

bool LooksLikePng(const uint8_t* data, size_t size);
bool LooksLikeJpeg(const uint8_t* data, size_t size);
bool LooksLikeBmp(const uint8_t* data, size_t size);
bool LooksLikeTga(const uint8_t* data, size_t size);
bool LooksLikeWav(const uint8_t* data, size_t size);
bool LooksLikeOgg(const uint8_t* data, size_t size);

// Each decoder fills *out completely on success and leaves *error alone;
// on failure it returns false with a short reason in *error.
bool DecodePng(const uint8_t* data, size_t size, DecodedPicture* out, std::string* error);
bool DecodeJpeg(const uint8_t* data, size_t size, DecodedPicture* out, std::string* error);
bool DecodeBmp(const uint8_t* data, size_t size, DecodedPicture* out, std::string* error);
bool DecodeTga(const uint8_t* data, size_t size, DecodedPicture* out, std::string* error);
bool DecodeWav(const uint8_t* data, size_t size, Sound* out, std::string* error);
bool DecodeOgg(const uint8_t* data, size_t size, Sound* out, std::string* error);

// An Ogg Vorbis stream in memory, decoded piece by piece.  Open makes every
// check that can be made without decoding (the pages end the stream, the
// headers, the format, the announced length); Read then decodes the samples in
// order.  The data must stay put while the reader is open.
class OggReader {
 public:
  OggReader();
  ~OggReader();
  OggReader(const OggReader&) = delete;
  OggReader& operator=(const OggReader&) = delete;

  bool Open(const uint8_t* data, size_t size, std::string* error);
  int Channels() const { return channels_; }
  int Rate() const { return rate_; }
  // The length in sample frames that the last page gives (0 when unknown).
  // It can lie; decoding tells the real length.
  int64_t AnnouncedFrames() const { return announcedFrames_; }
  // The most frames a stream of this many bytes plausibly holds.
  int64_t PlausibleFrames() const { return plausibleFrames_; }
  // Decodes up to maxSamples interleaved samples (whole frames) into dest:
  // how many, 0 at the end of the stream, -1 where it is damaged.
  long Read(int16_t* dest, size_t maxSamples);
  // Frees the decoder; Read fails from then on.
  void Close();

 private:
  struct State;
  std::unique_ptr<State> state_;
  int channels_ = 0;
  int rate_ = 0;
  int64_t announcedFrames_ = 0;
  int64_t plausibleFrames_ = 0;
};

// Decodes the rest of an open stream into *out, as DecodeOgg does.
bool DecodeOggRest(OggReader* reader, Sound* out, std::string* error);

}  // namespace decode
