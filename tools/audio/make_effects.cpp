// Synthesises every sound effect of the effect list into Ogg Vorbis files:
//   make_effects EFFECT_LIST OUTPUT_FOLDER
#include <cstdio>
#include <string>
#include <vector>

#include "audio/effects.h"
#include "audio/ogg_writer.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_effects EFFECT_LIST OUTPUT_FOLDER\n");
    return 2;
  }
  std::vector<audio::EffectLine> effectLines;
  std::string error;
  if (!audio::ReadEffectList(argv[1], &effectLines, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  const double kPeakDb = -3.0;
  for (const auto& effect : effectLines) {
    audio::Samples raw;
    if (!audio::SynthesiseEffect(effect, &raw, &error)) {
      std::fprintf(stderr, "%s:%d: %s\n", argv[1], effect.line, error.c_str());
      return 1;
    }
    const audio::Samples done = audio::FinishEffect(std::move(raw), effect.loudnessDb, kPeakDb);
    const std::string path = std::string(argv[2]) + "/" + effect.file;
    if (!audio::WriteOgg(path, done, nullptr, 0.4, audio::SerialFor(effect.file), effect.file, &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
  }
  return 0;
}
