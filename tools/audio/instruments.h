// The tunes' instruments: one note of a voice kind (flute, whistle, pluck,
// bass, bells, pad) and the soft drum sounds.
#pragma once

#include <string>

#include "audio/dsp.h"
#include "audio/score.h"

namespace audio {

// The kinds a voice may have, for checking a score.
bool IsInstrument(const std::string& kind);
bool IsDrumSound(const std::string& sound);

// One note: `seconds` is how long it is held; the result may ring on after.
Samples RenderNote(const Voice& voice, double freq, double seconds, double velocity, Rng& rng);

// One drum stroke.
Samples RenderDrum(const std::string& sound, double velocity, Rng& rng);

}  // namespace audio
