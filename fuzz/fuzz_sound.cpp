// libFuzzer harness for DecodeSound: any input must either be refused or give
// mono or stereo samples in whole frames at a sensible rate.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/image_loading.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Sound sound;
  std::string error;
  if (DecodeSound(data, size, &sound, &error)) {
    if ((sound.channels != 1 && sound.channels != 2) || sound.sampleRate <= 0 ||
        sound.sampleRate > 192000 || sound.samples.size() % sound.channels != 0 ||
        sound.samples.size() > 10ull * 60 * 48000 * 2) {
      std::abort();
    }
  } else if (error.empty()) {
    std::abort();
  }
  return 0;
}
