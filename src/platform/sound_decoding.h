// Loading sounds so that long Ogg Vorbis music does not hold up the caller: the
// file is checked at once and its samples are decoded on a worker thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/assets.h"

// Sounds announcing at least this many sample frames (about 1.5 s at 44.1 kHz)
// are decoded in the background; shorter ones take only a few milliseconds.
constexpr size_t kBackgroundDecodeFrames = 1 << 16;

// Decodes the sound file in `bytes` into *out.  A long Ogg Vorbis stream is
// opened and checked here, with the same refusals a whole decode makes before
// its first sample (truncated, not Vorbis, unsupported format, too long); its
// samples then follow on a worker thread through out->decoding.  Anything else
// is decoded at once.  False, with a reason, when the file is refused.
bool DecodeSoundInBackground(std::vector<uint8_t> bytes, Sound* out, std::string* error);
