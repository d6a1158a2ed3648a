// Plays a score: melodies and accompaniment patterns become notes of the
// voices' instruments, mixed in stereo with a little reverb and folded so that
// the end of the tune runs seamlessly into its start.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "audio/dsp.h"
#include "audio/score.h"

namespace audio {

struct StereoTune {
  Samples left, right;  // exactly one pass of the loop
  std::vector<std::pair<std::string, double>> voiceLevels;  // RMS dBFS of each voice, levelled
  double limiterDb = 0;  // the deepest cut of the peak limiter
};

// False with a reason when the score names an unknown instrument or drum.
bool CheckInstruments(const Tune& tune, std::string* error);

// The whole tune, levelled to the score's loudness, its peaks held under
// `peakDb` by a limiter.
StereoTune Arrange(const Tune& tune, double peakDb);

}  // namespace audio
