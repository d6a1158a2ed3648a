// Plays one tune's score into a looping stereo Ogg Vorbis file:
//   make_tune SCORE OUTPUT_FOLDER [--levels]
// --levels prints the loudness of each voice, for balancing a score.
#include <cstdio>
#include <string>

#include "audio/arranger.h"
#include "audio/ogg_writer.h"
#include "audio/score.h"

int main(int argc, char** argv) {
  const bool levels = argc == 4 && std::string(argv[3]) == "--levels";
  if (argc != 3 && !levels) {
    std::fprintf(stderr, "usage: make_tune SCORE OUTPUT_FOLDER [--levels]\n");
    return 2;
  }
  audio::Tune tune;
  std::string error;
  if (!audio::ReadScore(argv[1], &tune, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  if (!audio::CheckInstruments(tune, &error)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  const audio::StereoTune music = audio::Arrange(tune, -3.5);
  if (levels) {
    for (const auto& v : music.voiceLevels) std::printf("%-10s %6.1f dBFS\n", v.first.c_str(), v.second);
    std::printf("%-10s %6.1f dB at most\n", "limiter", music.limiterDb);
  }
  const std::string path = std::string(argv[2]) + "/" + tune.output;
  if (!audio::WriteOgg(path, music.left, &music.right, 0.4, audio::SerialFor(tune.output),
                       tune.output, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}
