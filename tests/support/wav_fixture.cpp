#include "support/wav_fixture.h"

#include <cstdint>

std::string WavBytes(int frames) {
  auto le = [](uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return s;
  };
  const uint32_t rate = 8000;
  const uint32_t dataBytes = static_cast<uint32_t>(frames) * 2;
  std::string wav = "RIFF" + le(36 + dataBytes, 4) + "WAVE";
  wav += "fmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(rate, 4) + le(rate * 2, 4) + le(2, 2) +
         le(16, 2);
  wav += "data" + le(dataBytes, 4);
  for (int i = 0; i < frames; ++i) wav += le(static_cast<uint32_t>((i % 64) * 100), 2);
  return wav;
}
