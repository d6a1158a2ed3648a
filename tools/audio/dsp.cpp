// Sound-synthesis building blocks: noise, oscillators, filter, envelopes,
// plucked string, reverb and level measurement.
#include "audio/dsp.h"

#include <algorithm>
#include <cmath>

namespace audio {

Rng::Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x2545F4914F6CDD1Dull) {
  if (state_ == 0) state_ = 1;
}

uint32_t Rng::Next() {
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  return static_cast<uint32_t>((state_ * 0x2545F4914F6CDD1Dull) >> 32);
}

double Rng::Uniform() { return Next() / 4294967296.0; }
double Rng::Signed() { return Uniform() * 2.0 - 1.0; }

void Svf::Set(double freq, double q) {
  freq = std::clamp(freq, 10.0, kRate * 0.45);
  g_ = std::tan(kPi * freq / kRate);
  k_ = 1.0 / std::max(q, 0.05);
  a1_ = 1.0 / (1.0 + g_ * (g_ + k_));
  a2_ = g_ * a1_;
  a3_ = g_ * a2_;
}

void Svf::Run(double x) {
  const double v3 = x - ic2_;
  const double v1 = a1_ * ic1_ + a2_ * v3;
  const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
  ic1_ = 2.0 * v1 - ic1_;
  ic2_ = 2.0 * v2 - ic2_;
  low_ = v2;
  band_ = v1 * k_;  // normalised: 0 dB at the centre frequency
  high_ = x - k_ * v1 - v2;
}

namespace {
double Blep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}
}  // namespace

double Oscillator::Saw(double freq) {
  const double dt = std::clamp(freq / kRate, 0.0, 0.45);
  const double v = 2.0 * phase - 1.0 - Blep(phase, dt);
  phase += dt;
  if (phase >= 1.0) phase -= 1.0;
  return v;
}

double Oscillator::Sine(double freq) {
  const double v = std::sin(2.0 * kPi * phase);
  phase += freq / kRate;
  phase -= std::floor(phase);
  return v;
}

double Adsr(double t, double attack, double decay, double sustain, double hold, double release) {
  if (t < 0) return 0;
  auto held = [&](double u) {
    if (u < attack) return u / attack;
    return sustain + (1.0 - sustain) * std::exp(-(u - attack) / std::max(decay, 1e-4));
  };
  if (t < hold) return held(t);
  const double r = 1.0 - (t - hold) / std::max(release, 1e-4);
  return r <= 0 ? 0.0 : held(hold) * r * r;
}

double SmoothStep(double a, double b, double x) {
  const double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
  return t * t * (3.0 - 2.0 * t);
}

double Curve(const std::vector<std::pair<double, double>>& points, double t) {
  if (points.empty()) return 0;
  if (t <= points.front().first) return points.front().second;
  for (size_t i = 1; i < points.size(); ++i) {
    if (t < points[i].first) {
      const auto& a = points[i - 1];
      const auto& b = points[i];
      return a.second + (b.second - a.second) * (t - a.first) / (b.first - a.first);
    }
  }
  return points.back().second;
}

Samples Pluck(double freq, double seconds, double brightness, double decaySeconds, Rng& rng) {
  const size_t total = static_cast<size_t>(seconds * kRate);
  Samples out(total);
  const double period = kRate / freq;
  const double s = 0.5 - 0.4 * std::clamp(brightness, 0.0, 1.0);  // loop-filter delay
  const size_t n = std::max<size_t>(2, static_cast<size_t>(period - s - 0.1));
  const double d = period - n - s;  // fractional rest, made by an all-pass
  const double c = (1.0 - d) / (1.0 + d);
  const double t60 = decaySeconds * std::sqrt(440.0 / freq);
  const double rho = std::pow(10.0, -3.0 / (t60 * freq));

  // The pluck: noise, softened for a darker tone, with the pick's comb notch.
  std::vector<double> line(n);
  double lp = 0, mean = 0;
  const double soft = 0.15 + 0.8 * brightness;
  for (size_t i = 0; i < n; ++i) {
    lp += soft * (rng.Signed() - lp);
    line[i] = lp;
  }
  const size_t pick = std::max<size_t>(1, n / 7);
  std::vector<double> shaped(n);
  for (size_t i = 0; i < n; ++i) shaped[i] = line[i] - 0.6 * line[(i + n - pick) % n];
  for (double v : shaped) mean += v;
  mean /= n;
  double peak = 1e-9;
  for (double& v : shaped) {
    v -= mean;
    peak = std::max(peak, std::fabs(v));
  }
  for (size_t i = 0; i < n; ++i) line[i] = shaped[i] / peak;

  size_t pos = 0;
  double last = 0, apX = 0, apY = 0;
  for (size_t i = 0; i < total; ++i) {
    const double cur = line[pos];
    const double filt = (1.0 - s) * cur + s * last;
    last = cur;
    const double ap = c * filt + apX - c * apY;
    apX = filt;
    apY = ap;
    line[pos] = ap * rho;
    pos = pos + 1 == n ? 0 : pos + 1;
    out[i] = static_cast<float>(cur);
  }
  // A short fade so that cutting the note off never clicks.
  const size_t fade = std::min<size_t>(total, kRate / 100);
  for (size_t i = 0; i < fade; ++i) out[total - 1 - i] *= static_cast<float>(i) / fade;
  return out;
}

Reverb::Reverb(double roomSize, double damping)
    : feedback_(static_cast<float>(roomSize * 0.28 + 0.7)),
      damp_(static_cast<float>(damping * 0.4)) {
  static const int kCombs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static const int kPasses[4] = {556, 441, 341, 225};
  for (int side = 0; side < 2; ++side) {
    const int spread = side * 23;
    for (int i = 0; i < 8; ++i) combs_[side][i].line.assign(kCombs[i] + spread, 0.0f);
    for (int i = 0; i < 4; ++i) passes_[side][i].line.assign(kPasses[i] + spread, 0.0f);
  }
}

void Reverb::Process(const Samples& in, double wet, Samples& left, Samples& right) {
  const size_t len = in.size();
  if (left.size() < len) left.resize(len, 0.0f);
  if (right.size() < len) right.resize(len, 0.0f);
  Samples* outs[2] = {&left, &right};
  for (int side = 0; side < 2; ++side) {
    Samples& out = *outs[side];
    for (size_t i = 0; i < len; ++i) {
      const float x = in[i] * 0.015f;
      float acc = 0;
      for (Comb& c : combs_[side]) {
        const float y = c.line[c.pos];
        c.store = y * (1.0f - damp_) + c.store * damp_;
        c.line[c.pos] = x + c.store * feedback_;
        if (++c.pos == c.line.size()) c.pos = 0;
        acc += y;
      }
      for (AllPass& a : passes_[side]) {
        const float b = a.line[a.pos];
        const float y = b - acc;
        a.line[a.pos] = acc + b * 0.5f;
        if (++a.pos == a.line.size()) a.pos = 0;
        acc = y;
      }
      out[i] += static_cast<float>(acc * wet);
    }
  }
}

double DbToGain(double db) { return std::pow(10.0, db / 20.0); }
double GainToDb(double gain) { return gain <= 1e-12 ? -240.0 : 20.0 * std::log10(gain); }

double PeakOf(const Samples& s) {
  double p = 0;
  for (float v : s) p = std::max(p, static_cast<double>(std::fabs(v)));
  return p;
}

double LoudnessDb(const Samples& s) {
  const size_t window = kRate / 50;
  std::vector<double> powers;
  for (size_t at = 0; at < s.size(); at += window) {
    const size_t end = std::min(s.size(), at + window);
    double sum = 0;
    for (size_t i = at; i < end; ++i) sum += static_cast<double>(s[i]) * s[i];
    powers.push_back(sum / static_cast<double>(end - at));
  }
  if (powers.empty()) return -240.0;
  const double loudest = *std::max_element(powers.begin(), powers.end());
  double sum = 0;
  int count = 0;
  for (double p : powers) {
    if (p >= loudest * 0.01) {
      sum += p;
      ++count;
    }
  }
  return sum <= 0 ? -240.0 : 10.0 * std::log10(sum / count);
}

void MixInto(Samples& dst, const Samples& src, size_t at, double gain) {
  if (dst.size() < at + src.size()) dst.resize(at + src.size(), 0.0f);
  const float g = static_cast<float>(gain);
  for (size_t i = 0; i < src.size(); ++i) dst[at + i] += src[i] * g;
}

}  // namespace audio
