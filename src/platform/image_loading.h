// Decoding pictures and sounds from files into the service layer's images and
// sounds (PNG, JPEG, BMP, TGA; WAV, Ogg Vorbis).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/assets.h"

struct DecodedPicture {
  int width = 0;
  int height = 0;
  bool hasAlpha = false;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, row by row
};

// Every decoder rejects malformed input by returning false (with a reason),
// never by reading or writing out of bounds.
bool DecodePicture(const uint8_t* data, size_t size, DecodedPicture* out, std::string* error);
bool DecodeSound(const uint8_t* data, size_t size, Sound* out, std::string* error);

// Reads a whole file; false when it cannot be read or is larger than maxBytes.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* out, size_t maxBytes);

// Puts the image loading settings back to their start (no automatic mid handle).
void ResetImageLoading();
