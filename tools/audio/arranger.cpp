// Turns a score into notes and mixes them.
#include "audio/arranger.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "audio/instruments.h"

namespace audio {
namespace {

double MidiToFreq(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

const Chord& ChordAt(const Section& s, int meter, int tick) {
  const int bar = meter * kTicksPerBeat;
  const auto& chords = s.bars[std::min<size_t>(tick / bar, s.bars.size() - 1)];
  return chords[static_cast<size_t>((tick % bar) * static_cast<int>(chords.size()) / bar)];
}

// The root of the chord nearest the voice's middle register.
int RootNear(int pitchClass, int centre) {
  int best = pitchClass;
  for (int m = pitchClass; m < 128; m += 12) {
    if (std::abs(m - centre) < std::abs(best - centre)) best = m;
  }
  return best;
}

int ToneOffset(const Chord& c, const std::string& tone) {
  const int third = c.intervals[0], fifth = c.intervals[1];
  const int seventh = c.intervals.size() > 2 ? c.intervals[2] : 12;
  if (tone == "1") return 0;
  if (tone == "3") return third;
  if (tone == "5") return fifth;
  if (tone == "7") return seventh;
  if (tone == "8") return 12;
  if (tone == "10") return 12 + third;
  if (tone == "12") return 12 + fifth;
  if (tone == "15") return 24;
  if (tone == "5-") return fifth - 12;
  if (tone == "3-") return third - 12;
  return -12;  // "1-"
}

int DefaultCentre(const Voice& v) {
  if (v.kind == "bass") return 43;
  if (v.kind == "pad") return 57;
  return 57;
}

class Mixer {
 public:
  Mixer(const Tune& tune) : tune_(tune), rng_(SerialSeed(tune.output)) {
    samplesPerTick_ = 60.0 / (tune.tempo * kTicksPerBeat) * kRate;
  }

  void Section(const audio::Section& s, int offset) {
    for (const auto& m : s.melodies) {
      const Voice* v = tune_.FindVoice(m.first);
      for (const Note& n : m.second) {
        Add(*v, offset + n.start, n.length * v->Get("legato", 0.92), n.midi + v->Get("transpose", 0),
            Accent(n.start) * n.accent);
      }
    }
    for (const Voice& v : tune_.voices) {
      if (s.silent.count(v.name)) continue;
      bool own = false;
      for (const Pattern& p : s.patterns) own = own || p.voice == v.name;
      for (const Pattern& p : own ? s.patterns : tune_.patterns) {
        if (p.voice == v.name) Play(v, p, s, offset);
      }
    }
  }

  StereoTune Finish(int totalTicks, double peakDb) {
    const size_t loop = static_cast<size_t>(std::llround(totalTicks * samplesPerTick_));
    size_t length = loop;
    for (const auto& b : buffers_) length = std::max(length, b.second.size());
    length += kRate * 5;  // room for the reverb's tail to die away
    Samples left(length, 0.0f), right(length, 0.0f), send(length, 0.0f);
    for (const Voice& v : tune_.voices) {
      auto it = buffers_.find(v.name);
      if (it == buffers_.end()) continue;
      const double gain = DbToGain(v.Get("level", -10));
      const double pan = std::clamp(v.Get("pan", 0), -1.0, 1.0);
      const double gl = gain * std::cos((pan + 1) * kPi / 4) * std::sqrt(2.0);
      const double gr = gain * std::sin((pan + 1) * kPi / 4) * std::sqrt(2.0);
      const double gs = gain * v.Get("send", 1.0);
      const Samples& b = it->second;
      double power = 0;
      for (float x : b) power += double(x) * x;
      levels_.emplace_back(v.name, power * gain * gain / static_cast<double>(loop));
      for (size_t i = 0; i < b.size(); ++i) {
        left[i] += static_cast<float>(b[i] * gl);
        right[i] += static_cast<float>(b[i] * gr);
        send[i] += static_cast<float>(b[i] * gs);
      }
    }
    Reverb reverb(0.72, 0.45);
    reverb.Process(send, tune_.reverb * 3.0, left, right);

    // Fold everything past the loop's end back onto its start: the notes that
    // ring over the end then sound under the first bars, as they would when
    // the tune repeats.
    StereoTune out;
    out.left.assign(left.begin(), left.begin() + static_cast<long>(loop));
    out.right.assign(right.begin(), right.begin() + static_cast<long>(loop));
    for (size_t i = loop; i < length; ++i) {
      out.left[(i - loop) % loop] += left[i];
      out.right[(i - loop) % loop] += right[i];
    }
    double sum = 0;
    for (size_t i = 0; i < loop; ++i) sum += double(out.left[i]) * out.left[i] + double(out.right[i]) * out.right[i];
    const double gain = DbToGain(tune_.loudnessDb - GainToDb(std::sqrt(sum / (2.0 * loop))));
    for (float& s : out.left) s *= static_cast<float>(gain);
    for (float& s : out.right) s *= static_cast<float>(gain);
    out.limiterDb = GainToDb(Limit(out, DbToGain(peakDb)));
    for (const auto& l : levels_) out.voiceLevels.emplace_back(l.first, GainToDb(std::sqrt(l.second) * gain));
    return out;
  }

 private:
  static uint64_t SerialSeed(const std::string& name) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : name) h = (h ^ c) * 1099511628211ull;
    return h;
  }

  // Holds the peaks of the looping tune under `ceiling`: the gain drops just
  // before a loud attack and recovers over 80 ms.  The loop wraps around, so
  // both passes run twice round it and keep the second lap.
  static double Limit(StereoTune& t, double ceiling) {
    const size_t n = t.left.size();
    std::vector<float> g(n);
    for (size_t i = 0; i < n; ++i) {
      const double p = std::max(std::fabs(t.left[i]), std::fabs(t.right[i]));
      g[i] = static_cast<float>(p > ceiling ? ceiling / p : 1.0);
    }
    const double release = 1.0 - std::exp(-1.0 / (0.08 * kRate));
    const double attack = 1.0 - std::exp(-1.0 / (0.0015 * kRate));
    double level = 1.0;
    for (size_t k = 0; k < 2 * n; ++k) {
      const size_t i = k % n;
      level = std::min<double>(g[i], level + (1.0 - level) * release);
      g[i] = static_cast<float>(level);
    }
    level = 1.0;
    for (size_t k = 2 * n; k-- > 0;) {
      const size_t i = k % n;
      level = std::min<double>(g[i], level + (1.0 - level) * attack);
      g[i] = static_cast<float>(level);
    }
    double deepest = 1.0;
    for (size_t i = 0; i < n; ++i) {
      t.left[i] *= g[i];
      t.right[i] *= g[i];
      deepest = std::min<double>(deepest, g[i]);
    }
    return deepest;
  }

  // Downbeats a little stronger than the other beats, off-beats softer.
  double Accent(int tick) const {
    const int bar = tune_.meter * kTicksPerBeat;
    if (tick % bar == 0) return 1.0;
    if (tick % kTicksPerBeat == 0) return 0.88;
    return 0.78;
  }

  void Add(const Voice& v, int tick, double lengthTicks, double midi, double velocity) {
    double at = tick;
    if (tick % kTicksPerBeat == kTicksPerBeat / 2) at += tune_.swing * kTicksPerBeat / 2;
    // A player is never quite on the grid: up to 6 ms late, a little uneven.
    const double late = rng_.Uniform() * 0.006 * kRate;
    const double vel = velocity * (0.94 + 0.08 * rng_.Uniform());
    const double seconds = lengthTicks * samplesPerTick_ / kRate;
    Samples note = RenderNote(v, MidiToFreq(midi), seconds, vel, rng_);
    MixInto(buffers_[v.name], note, static_cast<size_t>(at * samplesPerTick_ + late), 1.0);
  }

  void AddDrum(const Voice& v, const std::string& sound, int tick, double velocity) {
    double at = tick;
    if (tick % kTicksPerBeat == kTicksPerBeat / 2) at += tune_.swing * kTicksPerBeat / 2;
    const double late = rng_.Uniform() * 0.004 * kRate;
    Samples hit = RenderDrum(sound, velocity * (0.9 + 0.15 * rng_.Uniform()), rng_);
    MixInto(buffers_[v.name], hit, static_cast<size_t>(at * samplesPerTick_ + late), 1.0);
  }

  void Play(const Voice& v, const Pattern& p, const audio::Section& s, int offset) {
    const int ticks = s.Ticks(tune_.meter);
    const int centre = static_cast<int>(v.Get("centre", DefaultCentre(v)));
    if (p.kind == "pad") {
      // Hold each chord for as long as it lasts, across bar lines.
      int start = 0;
      const Chord* held = &ChordAt(s, tune_.meter, 0);
      const int unit = tune_.meter * kTicksPerBeat / 4;
      for (int t = unit; t <= ticks; t += unit) {
        const Chord* now = t < ticks ? &ChordAt(s, tune_.meter, t) : nullptr;
        if (now && now->root == held->root && now->intervals == held->intervals) continue;
        const int root = RootNear(held->root, centre);
        for (const char* tone : {"1", "3", "5"}) {
          Add(v, offset + start, t - start, root + ToneOffset(*held, tone), 0.8);
        }
        start = t;
        held = now;
      }
      return;
    }
    const int count = ticks / p.step;
    for (int i = 0; i < count; ++i) {
      const std::string& token = p.tokens[static_cast<size_t>(i) % p.tokens.size()];
      const int tick = i * p.step;
      if (token == "." || token == "-") continue;
      if (p.kind == "beat") {
        AddDrum(v, p.sound, offset + tick, token == "X" ? 1.0 : token == "x" ? 0.75 : 0.45);
        continue;
      }
      int hold = 1;  // "-" steps after a tone hold it on
      while (i + hold < count && p.tokens[static_cast<size_t>(i + hold) % p.tokens.size()] == "-") ++hold;
      const Chord& chord = ChordAt(s, tune_.meter, tick);
      const int root = RootNear(chord.root, centre);
      const double length = hold * p.step * v.Get("legato", 0.9);
      if (token == "c") {  // a strum: the chord's tones a few milliseconds apart
        int k = 0;
        for (const char* tone : {"1", "5", "8", "10"}) {
          Add(v, offset + tick + k++ * 1, length, root + ToneOffset(chord, tone), Accent(tick) * 0.7);
        }
      } else {
        Add(v, offset + tick, length, root + ToneOffset(chord, token), Accent(tick));
      }
    }
  }

  const Tune& tune_;
  Rng rng_;
  double samplesPerTick_ = 0;
  std::map<std::string, Samples> buffers_;
  std::vector<std::pair<std::string, double>> levels_;  // mean power before levelling
};

}  // namespace

bool CheckInstruments(const Tune& tune, std::string* error) {
  for (const Voice& v : tune.voices) {
    if (!IsInstrument(v.kind)) {
      *error = "voice " + v.name + " has an unknown instrument \"" + v.kind + "\"";
      return false;
    }
  }
  auto check = [&](const Pattern& p) {
    const Voice* v = tune.FindVoice(p.voice);
    if ((p.kind == "beat") != (v->kind == "drums")) {
      *error = "voice " + v->name + (p.kind == "beat" ? " is no drum kit for a beat" : " is a drum kit: give it beats");
      return false;
    }
    if (p.kind == "beat" && !IsDrumSound(p.sound)) {
      *error = "unknown drum sound \"" + p.sound + "\"";
      return false;
    }
    return true;
  };
  for (const Pattern& p : tune.patterns) {
    if (!check(p)) return false;
  }
  for (const auto& s : tune.sections) {
    for (const Pattern& p : s.second.patterns) {
      if (!check(p)) return false;
    }
    for (const auto& m : s.second.melodies) {
      if (tune.FindVoice(m.first)->kind == "drums") {
        *error = "voice " + m.first + " is a drum kit and cannot play a melody";
        return false;
      }
    }
  }
  return true;
}

StereoTune Arrange(const Tune& tune, double peakDb) {
  Mixer mixer(tune);
  int offset = 0;
  for (const auto& name : tune.form) {
    const Section& s = tune.sections.at(name);
    mixer.Section(s, offset);
    offset += s.Ticks(tune.meter);
  }
  return mixer.Finish(offset, peakDb);
}

}  // namespace audio
