// Sound sources for animals, bells, horns and percussion.
#include "audio/voices.h"

#include <algorithm>
#include <cmath>

namespace audio {

Samples RenderVocal(const Vocal& v, Rng& rng) {
  const size_t n = static_cast<size_t>(v.length * kRate);
  Samples out(n);
  Oscillator saw, quiver, vibrato;
  Svf r1, r2, r3;
  Svf breath(3000, 0.7);
  double jitter = 0;
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    if (i % 32 == 0) {
      r1.Set(Curve(v.f1, t), v.formantQ);
      r2.Set(Curve(v.f2, t), v.formantQ * 1.3);
      r3.Set(Curve(v.f3, t), v.formantQ * 1.6);
      jitter += 0.2 * (rng.Signed() * v.jitter - jitter);
    }
    double semis = jitter;
    if (v.vibratoSemitones > 0) {
      semis += v.vibratoSemitones * SmoothStep(v.vibratoDelay, v.vibratoDelay + 0.2, t) *
               vibrato.Sine(v.vibratoRate);
    }
    const double f = Curve(v.pitch, t) * std::pow(2.0, semis / 12.0);
    double src = saw.Saw(f) * (1.0 - v.noise) + breath.LowPass(rng.Signed()) * v.noise * 2.0;
    const double voiced =
        r1.BandPass(src) + 0.7 * r2.BandPass(src) + 0.35 * r3.BandPass(src) + 0.1 * src;
    double a = Curve(v.amp, t);
    if (v.quiverDepth > 0) a *= 1.0 - v.quiverDepth * (0.5 + 0.5 * quiver.Sine(v.quiverRate));
    double y = voiced * a;
    if (v.drive > 0) y = std::tanh(y * (1.0 + v.drive)) / std::tanh(1.0 + v.drive);
    out[i] = static_cast<float>(y);
  }
  return out;
}

Samples Bell(double freq, double seconds, double ring, double brightness) {
  const size_t n = static_cast<size_t>(seconds * kRate);
  Samples out(n);
  const double ratios[3] = {1.0, 2.756, 5.404};
  const double levels[3] = {1.0, 0.35 * brightness, 0.15 * brightness};
  const double rings[3] = {ring, ring * 0.45, ring * 0.2};
  for (int p = 0; p < 3; ++p) {
    const double f = freq * ratios[p];
    if (f > kRate * 0.45) continue;
    // A rotating phasor that shrinks a little every sample: no sin() or exp()
    // in the loop.
    const double w = 2.0 * kPi * f / kRate, fall = std::exp(-1.0 / (rings[p] * kRate));
    const double cw = std::cos(w) * fall, sw = std::sin(w) * fall;
    double re = levels[p], im = 0.0;
    for (size_t i = 0; i < n; ++i) {
      const double attack = std::min(1.0, static_cast<double>(i) / (0.002 * kRate));
      out[i] += static_cast<float>(attack * im);
      const double r = re * cw - im * sw;
      im = re * sw + im * cw;
      re = r;
    }
  }
  const size_t fade = std::min<size_t>(n, kRate / 50);
  for (size_t i = 0; i < fade; ++i) out[n - 1 - i] *= static_cast<float>(i) / fade;
  return out;
}

Samples Horn(double freq, double seconds, double brightness, double vibrato) {
  const size_t n = static_cast<size_t>(seconds * kRate);
  Samples out(n);
  Oscillator a, b, lfo;
  Svf lp;
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double env = Adsr(t, 0.012, 0.15, 0.75, seconds - 0.08, 0.08);
    const double vib = vibrato * SmoothStep(0.15, 0.4, t) * lfo.Sine(5.2);
    const double f = freq * std::pow(2.0, vib / 12.0);
    const double src = 0.6 * a.Saw(f) + 0.4 * b.Saw(f * 1.004);
    if (i % 16 == 0) lp.Set(freq * (1.5 + brightness * 5.0 * env), 0.9);
    out[i] = static_cast<float>(lp.LowPass(src) * env);
  }
  return out;
}

Samples WoodBlock(double freq, double ring, Rng& rng) {
  const size_t n = static_cast<size_t>((ring * 5 + 0.01) * kRate);
  Samples out(n);
  Svf body(freq, 25), overtone(freq * 2.7, 18);
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double strike = i < 90 ? rng.Signed() * (1.0 - i / 90.0) : 0.0;
    const double tone = std::sin(2.0 * kPi * freq * t) * std::exp(-t / ring);
    const double y = 2.5 * body.BandPass(strike) + 1.2 * overtone.BandPass(strike) + 0.6 * tone;
    out[i] = static_cast<float>(y);
  }
  return out;
}

Samples Thump(double from, double to, double seconds, double noise, Rng& rng) {
  const size_t n = static_cast<size_t>(seconds * kRate);
  Samples out(n);
  Svf lp(1800, 0.7);
  double phase = 0;
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double f = to + (from - to) * std::exp(-t / (seconds * 0.25));
    phase += f / kRate;
    const double env = std::min(1.0, t / 0.002) * std::exp(-t / (seconds * 0.3));
    const double hiss = lp.LowPass(rng.Signed()) * std::exp(-t / 0.012) * noise;
    out[i] = static_cast<float>(std::sin(2.0 * kPi * phase) * env + hiss);
  }
  return out;
}

Samples Swish(double seconds, const Points& centre, const Points& amp, double q, Rng& rng) {
  const size_t n = static_cast<size_t>(seconds * kRate);
  Samples out(n);
  Svf bp;
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    if (i % 32 == 0) bp.Set(Curve(centre, t), q);
    out[i] = static_cast<float>(bp.BandPass(rng.Signed()) * Curve(amp, t));
  }
  return out;
}

}  // namespace audio
