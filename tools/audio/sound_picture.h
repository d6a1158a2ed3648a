// A picture of a sound for reviewing it by eye: time left to right, pitch
// upwards on a log scale from 60 Hz to 10 kHz, loudness as brightness.
#pragma once

#include <string>

#include "audio/dsp.h"

namespace audio {

// Draws up to `seconds` of `s` into a PNG; false if it cannot be written.
bool WriteSoundPicture(const Samples& s, double seconds, const std::string& path);

}  // namespace audio
