// Plays a score: melodies and accompaniment patterns become notes of the
// voices' instruments, mixed in stereo with a little reverb and folded so that
// the end of the tune runs seamlessly into its start.
#pragma once

#include <string>

#include "audio/dsp.h"
#include "audio/score.h"

namespace audio {

struct StereoTune {
  Samples left, right;  // exactly one pass of the loop
};

// False with a reason when the score names an unknown instrument or drum.
bool CheckInstruments(const Tune& tune, std::string* error);

// The whole tune, levelled to the score's loudness with peaks at most `peakDb`.
StereoTune Arrange(const Tune& tune, double peakDb);

}  // namespace audio
