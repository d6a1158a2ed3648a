// The sound effects: the list in content/audio/effects.txt (identifier, file,
// recipe, loudness, settings) and the recipes that synthesise each one.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "audio/dsp.h"

namespace audio {

struct EffectLine {
  int id = 0;
  std::string file;
  std::string recipe;
  double loudnessDb = -16;  // target of LoudnessDb()
  std::map<std::string, double> settings;
  int line = 0;
};

// Reads the effect list; false with "FILE:LINE: reason" in `error`.
bool ReadEffectList(const std::string& path, std::vector<EffectLine>* out, std::string* error);

// The raw sound of one effect; false when the recipe or a setting is unknown.
bool SynthesiseEffect(const EffectLine& effect, Samples* out, std::string* error);

// Brings a raw effect to its loudness with peaks at most `peakDb`, cuts the
// silence at the head and tail and fades both ends by a few samples.
Samples FinishEffect(Samples raw, double loudnessDb, double peakDb);

}  // namespace audio
