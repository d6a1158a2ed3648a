// The tunes' instruments and drum sounds.
#include "audio/instruments.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "audio/voices.h"

namespace audio {
namespace {

// A flute or a tin whistle: a few sine harmonics, breath noise, a soft chiff
// at the start of the note and a vibrato that grows on long notes.
Samples Wind(const Voice& v, double freq, double seconds, double velocity, bool whistle, Rng& rng) {
  const double release = v.Get("release", 0.1);
  const size_t n = static_cast<size_t>((seconds + release) * kRate);
  Samples out(n);
  static const double kFlute[4] = {1.0, 0.22, 0.07, 0.03};
  static const double kWhistle[4] = {1.0, 0.42, 0.16, 0.07};
  const double* harmonics = whistle ? kWhistle : kFlute;
  const double attack = v.Get("attack", whistle ? 0.025 : 0.045);
  const double depth = v.Get("vibrato", whistle ? 0.12 : 0.18);
  Svf breath(freq * 2.0, 2.5), chiff(freq * 3.0, 1.5);
  const double lfoPhase = rng.Uniform(), vibRate = whistle ? 5.6 : 5.0;
  int harmonicCount = 0;  // only those below the Nyquist limit
  while (harmonicCount < 4 && freq * (harmonicCount + 1) < kRate * 0.45) ++harmonicCount;
  double phase = 0, env = 0, f = freq;
  double chiffLevel = 0.5;
  const double chiffFall = std::exp(-1.0 / (0.02 * kRate));
  for (size_t i = 0; i < n; ++i) {
    if (i % 8 == 0) {  // envelope and vibrato move slowly: work them out every 8 samples
      const double t = static_cast<double>(i) / kRate;
      env = Adsr(t, attack, 0.12, 0.85, seconds, release) * velocity;
      const double vib = depth * SmoothStep(0.22, 0.6, t) * std::sin(2.0 * kPi * (lfoPhase + t * vibRate));
      f = freq * std::pow(2.0, vib / 12.0) * (1.0 - 0.012 * std::exp(-t / 0.025));
    }
    phase += f / kRate;
    phase -= std::floor(phase);
    // Harmonics by the Chebyshev recurrence sin((k+1)x) = 2 cos(x) sin(kx) - sin((k-1)x).
    const double s1 = std::sin(2.0 * kPi * phase), c2 = 2.0 * std::cos(2.0 * kPi * phase);
    double prev = 0, cur = s1, tone = 0;
    for (int k = 0; k < harmonicCount; ++k) {
      tone += harmonics[k] * cur;
      const double next = c2 * cur - prev;
      prev = cur;
      cur = next;
    }
    const double noise = rng.Signed();
    const double air = breath.BandPass(noise) * 0.12 + chiff.BandPass(noise) * chiffLevel;
    chiffLevel *= chiffFall;
    out[i] = static_cast<float>((tone + air) * env);
  }
  return out;
}

// A soft pad of two slightly detuned sawtooths behind a gentle low-pass.
Samples Pad(const Voice& v, double freq, double seconds, double velocity) {
  const double release = v.Get("release", 0.5);
  const size_t n = static_cast<size_t>((seconds + release) * kRate);
  Samples out(n);
  Oscillator a, b;
  b.phase = 0.37;
  Svf lp(freq * v.Get("tone", 3.0), 0.6);
  const double attack = v.Get("attack", 0.3);
  double env = 0;
  for (size_t i = 0; i < n; ++i) {
    if (i % 8 == 0) env = Adsr(static_cast<double>(i) / kRate, attack, 0.5, 0.8, seconds, release);
    const double src = a.Saw(freq * 1.0035) + b.Saw(freq / 1.0035);
    out[i] = static_cast<float>(lp.LowPass(src) * 0.5 * env * velocity);
  }
  return out;
}

// A plucked bass: a dull string with a round sine underneath, damped early.
Samples Bass(const Voice& v, double freq, double seconds, double velocity, Rng& rng) {
  const double ring = std::min(seconds + 0.12, v.Get("ring", 1.2));
  Samples out = Pluck(freq, ring, v.Get("bright", 0.25), v.Get("decay", 1.5), rng);
  const size_t n = out.size();
  // The body: a decaying sine, turned by a rotating phasor rather than sin().
  const double w = 2.0 * kPi * freq / kRate, fall = std::exp(-1.0 / (0.5 * kRate));
  const double cw = std::cos(w), sw = std::sin(w);
  double re = 1.0, im = 0.0, level = 1.0;
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double body = im * level * std::min(1.0, t / 0.004);
    const double r = re * cw - im * sw;
    im = re * sw + im * cw;
    re = r;
    level *= fall;
    const double fade = std::min(1.0, static_cast<double>(n - i) / (kRate * 0.03));
    out[i] = static_cast<float>((out[i] * 0.6 + body * 0.7) * fade * velocity);
  }
  return out;
}

}  // namespace

bool IsInstrument(const std::string& kind) {
  static const std::set<std::string> kKinds = {"flute", "whistle", "pluck", "bass", "bells",
                                               "pad", "drums"};
  return kKinds.count(kind) != 0;
}

bool IsDrumSound(const std::string& sound) {
  static const std::set<std::string> kSounds = {"kick", "brush", "shaker", "tamb", "clave", "tom"};
  return kSounds.count(sound) != 0;
}

Samples RenderNote(const Voice& v, double freq, double seconds, double velocity, Rng& rng) {
  if (v.kind == "flute" || v.kind == "whistle") return Wind(v, freq, seconds, velocity, v.kind == "whistle", rng);
  if (v.kind == "pad") return Pad(v, freq, seconds, velocity);
  if (v.kind == "bass") return Bass(v, freq, seconds, velocity, rng);
  if (v.kind == "bells") {
    const double ring = v.Get("ring", 0.6);
    Samples out = Bell(freq, ring * 3.5, ring, v.Get("bright", 0.7));
    for (float& s : out) s *= static_cast<float>(velocity);
    return out;
  }
  // "pluck": a harp or lute string that rings on past the note.
  const double ring = std::max(seconds, v.Get("ring", 1.6));
  Samples out = Pluck(freq, ring, v.Get("bright", 0.55), v.Get("decay", 2.5), rng);
  // A string's energy is all in its attack: this brings a "level" of a pluck
  // to about the loudness of a held flute note at the same level.
  for (float& s : out) s *= static_cast<float>(velocity * 2.5);
  return out;
}

Samples RenderDrum(const std::string& sound, double velocity, Rng& rng) {
  Samples out;
  if (sound == "kick") {
    out = Thump(105, 52, 0.32, 0.25, rng);
  } else if (sound == "tom") {
    out = Thump(190, 125, 0.3, 0.3, rng);
  } else if (sound == "clave") {
    out = WoodBlock(1900, 0.022, rng);
  } else {
    // Noise strokes: brush, shaker and tambourine differ in colour and length.
    const double centre = sound == "brush" ? 2600 : sound == "shaker" ? 7000 : 8500;
    const double q = sound == "brush" ? 0.7 : sound == "shaker" ? 1.0 : 2.5;
    const double decay = sound == "brush" ? 0.07 : sound == "shaker" ? 0.035 : 0.11;
    const double attack = sound == "shaker" ? 0.008 : 0.002;
    const size_t n = static_cast<size_t>((decay * 6) * kRate);
    out.resize(n);
    Svf bp(centre, q);
    for (size_t i = 0; i < n; ++i) {
      const double t = static_cast<double>(i) / kRate;
      double env = std::min(1.0, t / attack) * std::exp(-t / decay);
      if (sound == "tamb") env *= 0.6 + 0.4 * std::cos(2.0 * kPi * 38.0 * t);  // jingles
      out[i] = static_cast<float>(bp.BandPass(rng.Signed()) * env);
    }
  }
  for (float& s : out) s *= static_cast<float>(velocity * 3.2);  // as loud as a pluck at one level
  return out;
}

}  // namespace audio
