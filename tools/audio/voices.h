// Sound sources shared by the effects and the tunes: a formant voice for the
// animals, bells, a brassy horn, wood blocks, thumps and noise swishes.
#pragma once

#include <utility>
#include <vector>

#include "audio/dsp.h"

namespace audio {

using Points = std::vector<std::pair<double, double>>;  // (seconds, value)

// A throat: a sawtooth at `pitch` (Hz) through three formant resonances,
// shaped by `amp`, with optional tremble (the sheep's quiver), vibrato, breath
// noise, pitch jitter and saturation.
struct Vocal {
  double length = 0.5;
  Points pitch, amp, f1, f2, f3;
  double formantQ = 6;
  double quiverRate = 0, quiverDepth = 0;
  double vibratoRate = 0, vibratoSemitones = 0, vibratoDelay = 0;
  double noise = 0;
  double jitter = 0;
  double drive = 0;
};
Samples RenderVocal(const Vocal& v, Rng& rng);

// A struck metal bar: partials at 1, 2.76 and 5.4 times `freq` (a glockenspiel)
// with the given ring in seconds.
Samples Bell(double freq, double seconds, double ring, double brightness);

// A horn: a sawtooth whose low-pass opens with the note, with vibrato.
Samples Horn(double freq, double seconds, double brightness, double vibrato);

// A hollow wooden knock at `freq` that rings for `ring` seconds.
Samples WoodBlock(double freq, double ring, Rng& rng);

// A low thud: a sine falling from `from` to `to` Hz with a noisy attack.
Samples Thump(double from, double to, double seconds, double noise, Rng& rng);

// Noise through a band-pass that moves along `centre`, shaped by `amp`.
Samples Swish(double seconds, const Points& centre, const Points& amp, double q, Rng& rng);

}  // namespace audio
