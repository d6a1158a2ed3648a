// The effect list reader, the effect recipes and the final levelling.
#include "audio/effects.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

#include "audio/voices.h"

namespace audio {
namespace {

// Settings of one recipe: every name read is remembered, so that a misspelt
// setting in the list is reported instead of silently ignored.
class Settings {
 public:
  explicit Settings(const std::map<std::string, double>& values) : values_(values) {}
  double Get(const std::string& name, double fallback) {
    used_.insert(name);
    auto it = values_.find(name);
    return it == values_.end() ? fallback : it->second;
  }
  std::string Unused() const {
    for (const auto& v : values_) {
      if (!used_.count(v.first)) return v.first;
    }
    return "";
  }

 private:
  const std::map<std::string, double>& values_;
  std::set<std::string> used_;
};

using Recipe = std::function<Samples(Settings&, Rng&)>;

double Semis(double freq, double semitones) { return freq * std::pow(2.0, semitones / 12.0); }

// A sheep's "baa": a quivering nasal voice that rises a little and falls.
Samples Bleat(Settings& s, Rng& rng) {
  const double f = s.Get("pitch", 360), len = s.Get("length", 0.6);
  Vocal v;
  v.length = len;
  v.pitch = {{0, f * 0.86}, {0.07, f}, {len * 0.7, f * s.Get("rise", 1.04)}, {len, f * 0.82}};
  v.amp = {{0, 0}, {0.006, 0.8}, {0.03, 1}, {len * 0.75, 0.8}, {len, 0}};
  v.f1 = {{0, 820}, {len, 640}};
  v.f2 = {{0, 1850}, {len, 1550}};
  v.f3 = {{0, 2800}, {len, 2600}};
  v.formantQ = 5;
  v.quiverRate = s.Get("quiver", 26);
  v.quiverDepth = s.Get("tremble", 0.55);
  v.noise = 0.12;
  v.jitter = 0.25;
  v.drive = 0.5;
  return RenderVocal(v, rng);
}

// A dog's bark: a rough, quickly falling shout with a hard onset.
Samples Bark(Settings& s, Rng& rng) {
  const double f = s.Get("pitch", 420), len = s.Get("length", 0.2);
  Vocal v;
  v.length = len;
  v.pitch = {{0, f * 1.25}, {0.025, f}, {len * 0.6, f * 0.85}, {len, f * 0.55}};
  v.amp = {{0, 0}, {0.004, 1}, {0.05, 0.95}, {len * 0.6, 0.45}, {len, 0}};
  const double open = s.Get("open", 1.0);
  v.f1 = {{0, 500 * open}, {0.04, 700 * open}, {len, 420}};
  v.f2 = {{0, 1200 * open}, {0.04, 1450 * open}, {len, 1000}};
  v.f3 = {{0, 2500}, {len, 2300}};
  v.formantQ = 3.5;
  v.noise = s.Get("rough", 0.4);
  v.jitter = 0.8;
  v.drive = 2.5;
  Samples out = RenderVocal(v, rng);
  Rng thumpRng(rng.Next());
  MixInto(out, Thump(f * 0.5, f * 0.3, 0.08, 0.3, thumpRng), 0, 0.35);
  return out;
}

// A wolf's howl: rises into a long wavering note and sinks away.
Samples Howl(Settings& s, Rng& rng) {
  const double f = s.Get("pitch", 480), len = s.Get("length", 2.0);
  Vocal v;
  v.length = len;
  v.pitch = {{0, f * 0.68}, {0.4, f}, {len * 0.65, f * 1.06}, {len, f * 0.72}};
  v.amp = {{0, 0}, {0.01, 0.45}, {0.3, 1}, {len * 0.7, 0.9}, {len, 0}};
  v.f1 = {{0, 350}, {0.5, 620}, {len * 0.7, 560}, {len, 380}};
  v.f2 = {{0, 800}, {0.5, 1050}, {len, 780}};
  v.f3 = {{0, 2400}, {len, 2300}};
  v.formantQ = 7;
  v.vibratoRate = 5.5;
  v.vibratoSemitones = 0.35;
  v.vibratoDelay = 0.45;
  v.noise = 0.06;
  v.jitter = 0.1;
  return RenderVocal(v, rng);
}

// A short high yelp, as of a wolf that was startled.
Samples Yelp(Settings& s, Rng& rng) {
  const double f = s.Get("pitch", 900), len = s.Get("length", 0.16);
  Vocal v;
  v.length = len;
  v.pitch = {{0, f}, {0.03, f * 1.4}, {len, f * 0.7}};
  v.amp = {{0, 0}, {0.006, 1}, {len * 0.5, 0.7}, {len, 0}};
  v.f1 = {{0, 900}, {len, 800}};
  v.f2 = {{0, 1900}, {len, 1700}};
  v.f3 = {{0, 3100}, {len, 3000}};
  v.formantQ = 4;
  v.noise = 0.2;
  v.jitter = 0.4;
  v.drive = 1.5;
  return RenderVocal(v, rng);
}

// A bird of prey's cry: a short "kee" and a long, falling, rasping "eeer".
Samples Screech(Settings& s, Rng& rng) {
  const double f = s.Get("pitch", 2200), len = s.Get("length", 0.85);
  Vocal v;
  v.length = len;
  v.pitch = {{0, f * 0.85}, {0.06, f * 1.1}, {0.13, f}, {0.2, f * 1.15},
             {len * 0.6, f * 1.05}, {len, f * 0.7}};
  v.amp = {{0, 0}, {0.01, 1}, {0.11, 0.9}, {0.15, 0.15}, {0.19, 1}, {len * 0.7, 0.8}, {len, 0}};
  v.f1 = {{0, 2600}, {len, 2200}};
  v.f2 = {{0, 4200}, {len, 3600}};
  v.f3 = {{0, 6500}, {len, 5800}};
  v.formantQ = 3;
  v.quiverRate = s.Get("rasp", 42);
  v.quiverDepth = 0.35;
  v.noise = 0.25;
  v.jitter = 0.5;
  v.drive = 1.2;
  return RenderVocal(v, rng);
}

// Paws on grass: a few soft thuds with a little rustle, alternating feet.
Samples Patter(Settings& s, Rng& rng) {
  const int steps = static_cast<int>(s.Get("steps", 4));
  const double gap = s.Get("gap", 0.075);
  Samples out;
  for (int i = 0; i < steps; ++i) {
    const double at = i * gap + rng.Uniform() * 0.008;
    const double level = i % 2 == 0 ? 1.0 : 0.7;
    MixInto(out, Thump(150, 80, 0.05, 0.8, rng), static_cast<size_t>(at * kRate), level);
    MixInto(out, Swish(0.04, {{0, 2500}, {0.04, 1800}}, {{0, 0}, {0.004, 0.5}, {0.04, 0}}, 1.2, rng),
            static_cast<size_t>(at * kRate), level);
  }
  return out;
}

// A soft, rising blip for the pointer entering a button.
Samples Blip(Settings& s, Rng&) {
  const double f = s.Get("pitch", 1500), len = s.Get("length", 0.05);
  const size_t n = static_cast<size_t>(len * kRate);
  Samples out(n);
  Oscillator o;
  for (size_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double env = std::min(1.0, t / 0.002) * std::exp(-t / (len * 0.3));
    out[i] = static_cast<float>(o.Sine(f * (1.0 + 0.2 * t / len)) * env);
  }
  return out;
}

// A wooden click or tick.
Samples Knock(Settings& s, Rng& rng) {
  Samples out = WoodBlock(s.Get("pitch", 1800), s.Get("ring", 0.012), rng);
  const double second = s.Get("echo", 0);
  if (second > 0) MixInto(out, WoodBlock(s.Get("pitch", 1800) * 0.75, s.Get("ring", 0.012), rng),
                          static_cast<size_t>(second * kRate), 0.6);
  return out;
}

// Bells one after another: `notes` semitone steps above `pitch`, `step` apart.
Samples Chime(Settings& s, Rng&) {
  const double f = s.Get("pitch", 784), step = s.Get("step", 0.07), ring = s.Get("ring", 0.5);
  const int pattern = static_cast<int>(s.Get("notes", 0));
  static const std::vector<std::vector<int>> kPatterns = {
      {0, 4, 7, 12, 16},  // a major run upwards
      {0, 7},             // a fifth
      {0, 4, 7, 12},      // a bright arpeggio
  };
  const auto& notes = kPatterns[std::clamp(pattern, 0, 2)];
  Samples out;
  for (size_t i = 0; i < notes.size(); ++i) {
    const bool last = i + 1 == notes.size();
    Samples b = Bell(Semis(f, notes[i]), last ? ring * 4 : ring * 2, last ? ring * 1.5 : ring, 1.0);
    MixInto(out, b, static_cast<size_t>(i * step * kRate), last ? 1.0 : 0.8);
  }
  return out;
}

// Horn phrases: the lost jingle falls, the fanfare climbs and holds a chord.
Samples Phrase(Settings& s, Rng& rng) {
  const double f = s.Get("pitch", 392);
  const int kind = static_cast<int>(s.Get("kind", 0));
  Samples out;
  auto note = [&](double at, double semis, double len, double level, double vibrato) {
    MixInto(out, Horn(Semis(f, semis), len, s.Get("bright", 0.6), vibrato),
            static_cast<size_t>(at * kRate), level);
  };
  if (kind == 0) {  // "wah, wah, wah, waaah" going down
    note(0.0, 0, 0.34, 1.0, 0);
    note(0.36, -1, 0.34, 1.0, 0);
    note(0.72, -2, 0.34, 1.0, 0);
    note(1.08, -3, 1.3, 1.0, 0.45);
  } else if (kind == 1) {  // a rising call and a held major chord with a bell on top
    note(0.0, 0, 0.13, 0.8, 0);
    note(0.13, 5, 0.13, 0.8, 0);
    note(0.26, 9, 0.13, 0.8, 0);
    for (int semis : {12, 9, 5}) note(0.40, semis, 1.0, 0.6, 0.15);
    MixInto(out, Bell(Semis(f, 24), 1.3, 0.5, 0.8), static_cast<size_t>(0.40 * kRate), 0.5);
  } else {  // two quick notes and a ring: a small reward
    note(0.0, 0, 0.10, 0.8, 0);
    note(0.10, 7, 0.22, 0.8, 0);
    MixInto(out, Bell(Semis(f, 19), 0.9, 0.3, 1.0), static_cast<size_t>(0.10 * kRate), 0.6);
    Rng pluckRng(rng.Next());
    MixInto(out, Pluck(Semis(f, 12), 0.6, 0.7, 0.8, pluckRng), static_cast<size_t>(0.10 * kRate),
            0.5);
  }
  return out;
}

// A title letter landing: a soft boom with a woody knock.
Samples Landing(Settings& s, Rng& rng) {
  const double f = s.Get("pitch", 170);
  Samples out = Thump(f, f * 0.5, 0.25, 0.5, rng);
  MixInto(out, WoodBlock(f * 4, 0.02, rng), 0, 0.4);
  return out;
}

// A crook swung through the air that hits with a thwack.
Samples Whack(Settings& s, Rng& rng) {
  const double hit = s.Get("hit", 0.14);
  Samples out = Swish(hit + 0.03, {{0, 900}, {hit * 0.7, 2800}, {hit + 0.03, 1500}},
                      {{0, 0}, {0.004, 1.2}, {hit * 0.8, 1.6}, {hit + 0.03, 0}}, 1.5, rng);
  const size_t at = static_cast<size_t>(hit * kRate);
  MixInto(out, Thump(140, 60, 0.22, 1.2, rng), at, 1.0);
  MixInto(out, WoodBlock(420, 0.03, rng), at, 0.6);
  return out;
}

// A scuffle of wool and a startled bleat: a bandit grabbing a sheep.
Samples Grab(Settings& s, Rng& rng) {
  Samples out;
  for (int i = 0; i < 3; ++i) {
    MixInto(out, Swish(0.05, {{0, 3000}, {0.05, 2200}}, {{0, 0}, {0.005, 0.8}, {0.05, 0}}, 1.0, rng),
            static_cast<size_t>(i * 0.065 * kRate), 1.0 - i * 0.2);
  }
  std::map<std::string, double> voice = {{"pitch", s.Get("pitch", 440)}, {"length", 0.42},
                                         {"tremble", 0.6}, {"quiver", 30}};
  Settings bleat(voice);
  MixInto(out, Bleat(bleat, rng), static_cast<size_t>(0.07 * kRate), 0.9);
  return out;
}

const std::map<std::string, Recipe>& Recipes() {
  static const std::map<std::string, Recipe> kRecipes = {
      {"bleat", Bleat}, {"bark", Bark},   {"howl", Howl},       {"yelp", Yelp},
      {"screech", Screech}, {"patter", Patter}, {"blip", Blip}, {"knock", Knock},
      {"chime", Chime}, {"phrase", Phrase}, {"landing", Landing}, {"whack", Whack},
      {"grab", Grab},
  };
  return kRecipes;
}

}  // namespace

bool ReadEffectList(const std::string& path, std::vector<EffectLine>* out, std::string* error) {
  std::ifstream in(path);
  if (!in) {
    *error = path + ": cannot be read";
    return false;
  }
  std::string text;
  int lineNo = 0;
  std::set<int> ids;
  while (std::getline(in, text)) {
    ++lineNo;
    const auto hash = text.find('#');
    if (hash != std::string::npos) text.erase(hash);
    std::istringstream words(text);
    EffectLine effect;
    effect.line = lineNo;
    if (!(words >> effect.id)) {
      std::istringstream probe(text);
      std::string any;
      if (probe >> any) {
        *error = path + ":" + std::to_string(lineNo) + ": expected an identifier, found \"" + any + "\"";
        return false;
      }
      continue;  // blank or comment line
    }
    const auto where = [&] { return path + ":" + std::to_string(lineNo) + ": "; };
    if (!(words >> effect.file >> effect.recipe >> effect.loudnessDb)) {
      *error = where() + "expected: identifier file recipe loudness [name=value ...]";
      return false;
    }
    if (!Recipes().count(effect.recipe)) {
      *error = where() + "unknown recipe \"" + effect.recipe + "\"";
      return false;
    }
    if (!ids.insert(effect.id).second) {
      *error = where() + "identifier " + std::to_string(effect.id) + " is listed twice";
      return false;
    }
    std::string setting;
    while (words >> setting) {
      const auto eq = setting.find('=');
      char* end = nullptr;
      const double value = eq == std::string::npos ? 0 : std::strtod(setting.c_str() + eq + 1, &end);
      if (eq == std::string::npos || eq == 0 || end == setting.c_str() + eq + 1 || *end != '\0') {
        *error = where() + "bad setting \"" + setting + "\" (expected name=number)";
        return false;
      }
      effect.settings[setting.substr(0, eq)] = value;
    }
    out->push_back(effect);
  }
  return true;
}

bool SynthesiseEffect(const EffectLine& effect, Samples* out, std::string* error) {
  auto it = Recipes().find(effect.recipe);
  if (it == Recipes().end()) {
    *error = "unknown recipe \"" + effect.recipe + "\"";
    return false;
  }
  Settings settings(effect.settings);
  Rng rng(static_cast<uint64_t>(settings.Get("seed", effect.id)));
  // Any recipe may be repeated: `repeat` times, `gap` seconds apart, each
  // time `step` semitones higher (variations of the same call).
  const int repeat = std::max(1, static_cast<int>(settings.Get("repeat", 1)));
  const double gap = settings.Get("gap", 0.2), step = settings.Get("step", 0);
  const double level = settings.Get("again", 0.85);
  std::map<std::string, double> varied = effect.settings;
  Samples mixed;
  for (int i = 0; i < repeat; ++i) {
    if (varied.count("pitch")) varied["pitch"] = Semis(effect.settings.at("pitch"), step * i);
    Settings one(i == 0 ? effect.settings : varied);
    Samples part = it->second(i == 0 ? settings : one, rng);
    MixInto(mixed, part, static_cast<size_t>(i * gap * kRate), i == 0 ? 1.0 : level);
  }
  const std::string unused = settings.Unused();
  if (!unused.empty()) {
    *error = "recipe \"" + effect.recipe + "\" has no setting \"" + unused + "\"";
    return false;
  }
  *out = std::move(mixed);
  return true;
}

Samples FinishEffect(Samples raw, double loudnessDb, double peakDb) {
  const double peak = PeakOf(raw);
  if (peak <= 0) return raw;
  // Cut what lies below -60 dB of the peak at both ends.
  const float floor = static_cast<float>(peak * DbToGain(-60));
  size_t first = 0, last = raw.size();
  while (first < last && std::fabs(raw[first]) < floor) ++first;
  while (last > first && std::fabs(raw[last - 1]) < floor) --last;
  Samples s(raw.begin() + static_cast<long>(first), raw.begin() + static_cast<long>(last));
  // Remove any offset the saturation left, then level.
  double mean = 0;
  for (float v : s) mean += v;
  mean /= static_cast<double>(s.size());
  for (float& v : s) v -= static_cast<float>(mean);
  double gain = DbToGain(loudnessDb - LoudnessDb(s));
  gain = std::min(gain, DbToGain(peakDb) / PeakOf(s));
  for (float& v : s) v *= static_cast<float>(gain);
  const size_t in = std::min<size_t>(s.size() / 4, 22), out = std::min<size_t>(s.size() / 4, 220);
  for (size_t i = 0; i < in; ++i) s[i] *= static_cast<float>(i + 1) / (in + 1);
  for (size_t i = 0; i < out; ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / out;
  return s;
}

}  // namespace audio
