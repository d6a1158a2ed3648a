// Sound-synthesis building blocks shared by the effect and tune generators:
// seeded noise, oscillators, a state-variable filter, envelopes, a plucked
// string, a small stereo reverb and level measurement.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace audio {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

using Samples = std::vector<float>;

// xorshift64*: the same seed gives the same noise on every build.
class Rng {
 public:
  explicit Rng(uint64_t seed);
  uint32_t Next();
  double Uniform();  // [0, 1)
  double Signed();   // [-1, 1)

 private:
  uint64_t state_;
};

// Topology-preserving state-variable filter; the cutoff may change every sample.
class Svf {
 public:
  Svf() = default;
  Svf(double freq, double q) { Set(freq, q); }
  void Set(double freq, double q);
  // Runs one sample; afterwards Low(), Band() and High() hold the three outputs.
  void Run(double x);
  double Low() const { return low_; }
  double Band() const { return band_; }
  double High() const { return high_; }
  double LowPass(double x) { Run(x); return low_; }
  double BandPass(double x) { Run(x); return band_; }
  double HighPass(double x) { Run(x); return high_; }

 private:
  double g_ = 0, k_ = 1, a1_ = 0, a2_ = 0, a3_ = 0;
  double ic1_ = 0, ic2_ = 0, low_ = 0, band_ = 0, high_ = 0;
};

// A band-limited (polyBLEP) sawtooth and a sine with a running phase.
class Oscillator {
 public:
  // One sample at frequency `freq`, advancing the phase.
  double Saw(double freq);
  double Sine(double freq);
  double phase = 0;  // 0..1
};

// Linear attack, exponential-looking decay to `sustain`, release after `hold`
// seconds; t in seconds from the note's start.
double Adsr(double t, double attack, double decay, double sustain, double hold, double release);

// Smooth 0..1 step between edges a and b.
double SmoothStep(double a, double b, double x);

// Piecewise-linear curve through (time, value) points, held at both ends.
double Curve(const std::vector<std::pair<double, double>>& points, double t);

// Karplus-Strong string: `seconds` of a plucked note at `freq`.  `brightness`
// 0..1 shapes the pluck and the loop filter; `decaySeconds` is the time to
// fall by 60 dB at 440 Hz.
Samples Pluck(double freq, double seconds, double brightness, double decaySeconds, Rng& rng);

// Freeverb-style stereo reverb: eight damped combs and four all-passes a side.
class Reverb {
 public:
  Reverb(double roomSize, double damping);
  // Adds the reverb of the mono input `in` into left and right, scaled by wet.
  void Process(const Samples& in, double wet, Samples& left, Samples& right);

 private:
  struct Comb {
    std::vector<float> line;
    size_t pos = 0;
    float store = 0;
  };
  struct AllPass {
    std::vector<float> line;
    size_t pos = 0;
  };
  float feedback_, damp_;
  Comb combs_[2][8];
  AllPass passes_[2][4];
};

double DbToGain(double db);
double GainToDb(double gain);
double PeakOf(const Samples& s);
// Loudness of a short sound: the power average of its 20 ms windows that lie
// within 20 dB of the loudest one, as dBFS RMS.
double LoudnessDb(const Samples& s);

// Adds `src` into `dst` from sample `at`, scaled, growing dst as needed.
void MixInto(Samples& dst, const Samples& src, size_t at, double gain);

}  // namespace audio
