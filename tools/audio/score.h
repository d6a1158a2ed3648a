// Tunes as text scores: tempo, voices, accompaniment patterns over chord
// symbols, sections of melody and a form that strings the sections together.
// The file format is described in content/audio/tunes/README.md.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace audio {

constexpr int kTicksPerBeat = 48;  // halves, thirds, quarters, sixths and eighths of a beat

struct Voice {
  std::string name, kind;
  std::map<std::string, double> settings;
  double Get(const std::string& key, double fallback) const {
    auto it = settings.find(key);
    return it == settings.end() ? fallback : it->second;
  }
};

struct Chord {
  int root = 0;                // pitch class, 0 = C
  std::vector<int> intervals;  // semitones above the root: third, fifth, [seventh]
};

struct Note {
  int start = 0;     // ticks from the section's start
  int length = 0;    // ticks
  int midi = 0;      // 60 = middle C
  double accent = 1; // loudness factor
};

// An accompaniment: "play" picks chord tones on a grid, "pad" holds each
// chord, "beat" strikes one drum sound on a grid.
struct Pattern {
  std::string kind, voice, sound;
  int step = kTicksPerBeat;         // grid in ticks
  std::vector<std::string> tokens;  // one a grid step
};

struct Section {
  std::string name;
  std::vector<std::vector<Chord>> bars;  // the chords of each bar, sharing it evenly
  std::map<std::string, std::vector<Note>> melodies;
  std::vector<Pattern> patterns;  // replace the tune's patterns of the same voices
  std::set<std::string> silent;   // voices whose patterns rest in this section
  int Ticks(int meter) const { return static_cast<int>(bars.size()) * meter * kTicksPerBeat; }
};

struct Tune {
  std::string output;
  double tempo = 100;  // beats a minute
  int meter = 4;       // beats a bar
  double swing = 0;    // delay of the off-beat halves, as a share of half a beat
  double reverb = 0.2;
  double loudnessDb = -18;
  std::vector<Voice> voices;
  std::vector<Pattern> patterns;
  std::map<std::string, Section> sections;
  std::vector<std::string> form;
  const Voice* FindVoice(const std::string& name) const;
};

// Reads a score; false with "FILE:LINE: reason" in `error`.
bool ReadScore(const std::string& path, Tune* out, std::string* error);

}  // namespace audio
