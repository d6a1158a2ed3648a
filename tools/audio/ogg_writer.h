// Writes float samples as an Ogg Vorbis file with libvorbisenc, with a fixed
// stream serial so that the same samples always give the same bytes.
#pragma once

#include <cstdint>
#include <string>

#include "audio/dsp.h"

namespace audio {

// Mono when `right` is null, otherwise stereo.  Samples are clamped to -1..1.
// Writes to a temporary file first and renames it over `path`.  False with a
// message in `error` when the file cannot be written.
bool WriteOgg(const std::string& path, const Samples& left, const Samples* right,
              double quality, uint32_t serial, const std::string& title, std::string* error);

// A serial derived from a file name, stable from build to build.
uint32_t SerialFor(const std::string& name);

}  // namespace audio
