// The score reader: a line-based text format, checked bar by bar so that a
// miscounted bar is reported with its line instead of shifting the tune.
#include "audio/score.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace audio {
namespace {

class Reader {
 public:
  Reader(const std::string& path, Tune* tune) : path_(path), tune_(tune) {}
  bool Run(std::string* error);

 private:
  bool Fail(const std::string& reason) {
    error_ = path_ + ":" + std::to_string(line_) + ": " + reason;
    return false;
  }
  bool Line(const std::vector<std::string>& words, const std::string& text);
  bool Setting(const std::vector<std::string>& words);
  bool ReadPattern(const std::vector<std::string>& words, Pattern* p);
  bool ReadChords(const std::string& text, std::vector<std::vector<Chord>>* bars);
  bool ReadMelody(const std::string& voice, const std::string& text);
  bool ParseTicks(const std::string& text, int* ticks);
  bool ParseChord(const std::string& name, Chord* chord);
  bool ParseNote(const std::string& word, int* midi);
  bool Check();

  std::string path_, error_;
  Tune* tune_;
  int line_ = 0;
  Section* section_ = nullptr;
  std::set<std::string> replaced_;  // parts of a "like" copy already rewritten
  std::map<std::string, int> sectionLine_;
};

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> out;
  std::string w;
  while (in >> w) out.push_back(w);
  return out;
}

bool ParseNumber(const std::string& text, double* value) {
  char* end = nullptr;
  *value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0';
}

bool Reader::ParseTicks(const std::string& text, int* ticks) {
  const auto slash = text.find('/');
  const std::string top = text.substr(0, slash);
  const std::string bottom = slash == std::string::npos ? "1" : text.substr(slash + 1);
  char* e1 = nullptr;
  char* e2 = nullptr;
  const long num = std::strtol(top.c_str(), &e1, 10);
  const long den = std::strtol(bottom.c_str(), &e2, 10);
  if (top.empty() || bottom.empty() || *e1 || *e2 || num <= 0 || den <= 0 ||
      (num * kTicksPerBeat) % den != 0) {
    return Fail("bad length \"" + text + "\" (beats as N or N/M, in 48ths of a beat)");
  }
  *ticks = static_cast<int>(num * kTicksPerBeat / den);
  return true;
}

bool Reader::ParseChord(const std::string& name, Chord* chord) {
  static const std::map<char, int> kRoots = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5},
                                             {'G', 7}, {'A', 9}, {'B', 11}};
  static const std::map<std::string, std::vector<int>> kKinds = {
      {"", {4, 7}},       {"m", {3, 7}},      {"7", {4, 7, 10}},  {"m7", {3, 7, 10}},
      {"maj7", {4, 7, 11}}, {"sus4", {5, 7}}, {"sus2", {2, 7}},   {"6", {4, 7, 9}},
      {"m6", {3, 7, 9}},  {"add9", {4, 7, 14}}};
  if (name.empty() || !kRoots.count(name[0])) return Fail("bad chord \"" + name + "\"");
  size_t at = 1;
  int root = kRoots.at(name[0]);
  if (at < name.size() && (name[at] == '#' || name[at] == 'b')) {
    root += name[at] == '#' ? 1 : -1;
    ++at;
  }
  auto kind = kKinds.find(name.substr(at));
  if (kind == kKinds.end()) return Fail("bad chord \"" + name + "\"");
  chord->root = (root + 12) % 12;
  chord->intervals = kind->second;
  return true;
}

bool Reader::ParseNote(const std::string& word, int* midi) {
  static const int kSteps[7] = {9, 11, 0, 2, 4, 5, 7};  // a..g
  if (word.empty() || word[0] < 'a' || word[0] > 'g') return Fail("bad note \"" + word + "\"");
  int pitch = kSteps[word[0] - 'a'];
  size_t at = 1;
  if (at < word.size() && (word[at] == '#' || word[at] == 'b') && at + 1 < word.size() &&
      std::isdigit(static_cast<unsigned char>(word[at + 1]))) {
    pitch += word[at] == '#' ? 1 : -1;
    ++at;
  }
  if (at + 1 != word.size() || !std::isdigit(static_cast<unsigned char>(word[at]))) {
    return Fail("bad note \"" + word + "\" (a letter, # or b, an octave: f#4, bb3)");
  }
  *midi = 12 * (word[at] - '0' + 1) + pitch;
  return true;
}

bool Reader::ReadChords(const std::string& text, std::vector<std::vector<Chord>>* bars) {
  std::istringstream in(text);
  std::string bar;
  bool first = true;
  while (std::getline(in, bar, '|')) {
    const auto words = Words(bar);
    if (first) {  // what precedes the first bar line: the word "chords"
      first = false;
      continue;
    }
    if (words.empty()) continue;
    std::vector<Chord> chords;
    for (const auto& w : words) {
      Chord c;
      if (w == ".") {
        if (chords.empty() && bars->empty()) return Fail("\".\" repeats a chord, but none came before");
        c = chords.empty() ? bars->back().back() : chords.back();
      } else if (!ParseChord(w, &c)) {
        return false;
      }
      chords.push_back(c);
    }
    if ((tune_->meter * kTicksPerBeat) % static_cast<int>(chords.size()) != 0) {
      return Fail("a bar cannot be shared evenly by " + std::to_string(chords.size()) + " chords");
    }
    bars->push_back(chords);
  }
  return true;
}

bool Reader::ReadMelody(const std::string& voice, const std::string& text) {
  auto& notes = section_->melodies[voice];
  int at = 0;
  for (const Note& n : notes) at = std::max(at, n.start + n.length);
  const int barTicks = tune_->meter * kTicksPerBeat;
  int length = kTicksPerBeat;  // lengths carry on to the following notes
  std::istringstream in(text);
  std::string bar;
  bool first = true;
  while (std::getline(in, bar, '|')) {
    const auto words = Words(bar);
    if (first) {
      first = false;
      continue;
    }
    if (words.empty()) continue;
    int used = 0;
    for (const auto& w : words) {
      const auto colon = w.find(':');
      const std::string head = w.substr(0, colon);
      if (colon != std::string::npos && !ParseTicks(w.substr(colon + 1), &length)) return false;
      if (head == "r") {
        // a rest: nothing sounds
      } else if (head == "~") {
        if (notes.empty() || notes.back().start + notes.back().length != at) {
          return Fail("\"~\" holds the note before it, but a rest or nothing came before");
        }
        notes.back().length += length;
      } else {
        Note n;
        if (!ParseNote(head, &n.midi)) return false;
        n.start = at;
        n.length = length;
        notes.push_back(n);
      }
      at += length;
      used += length;
    }
    if (used != barTicks) {
      return Fail("a bar of " + voice + " holds " + std::to_string(used) + "/" +
                  std::to_string(kTicksPerBeat) + " beats, not " + std::to_string(tune_->meter));
    }
  }
  return true;
}

bool Reader::ReadPattern(const std::vector<std::string>& words, Pattern* p) {
  p->kind = words[0];
  size_t at = 1;
  const size_t need = p->kind == "pad" ? 2 : p->kind == "beat" ? 5 : 4;
  if (words.size() < need) {
    return Fail(p->kind == "pad" ? "expected: pad VOICE"
                : p->kind == "beat" ? "expected: beat VOICE SOUND STEP HIT..."
                                    : "expected: play VOICE STEP TONE...");
  }
  p->voice = words[at++];
  if (p->kind == "pad") return true;
  if (p->kind == "beat") p->sound = words[at++];
  if (!ParseTicks(words[at++], &p->step)) return false;
  p->tokens.assign(words.begin() + static_cast<long>(at), words.end());
  const int bar = tune_->meter * kTicksPerBeat;
  const int span = p->step * static_cast<int>(p->tokens.size());
  if (span % bar != 0 && bar % span != 0) {
    return Fail("a pattern must last a whole number of bars or divide one");
  }
  static const std::set<std::string> kTones = {".", "-", "c", "1", "3", "5", "7", "8",
                                               "10", "12", "15", "5-", "3-", "1-"};
  for (const auto& t : p->tokens) {
    if (p->kind == "beat" ? (t != "." && t != "x" && t != "o" && t != "X") : !kTones.count(t)) {
      return Fail("bad step \"" + t + "\" in a " + p->kind + " pattern");
    }
  }
  return true;
}

bool Reader::Setting(const std::vector<std::string>& words) {
  const std::string& key = words[0];
  if (key == "output") {
    if (words.size() != 2) return Fail("expected: output FILE.ogg");
    tune_->output = words[1];
    return true;
  }
  if (key == "meter") {
    if (words.size() != 2 || (words[1] != "2" && words[1] != "3" && words[1] != "4")) {
      return Fail("expected: meter 2, 3 or 4 (beats a bar)");
    }
    tune_->meter = words[1][0] - '0';
    return true;
  }
  double value = 0;
  if (words.size() != 2 || !ParseNumber(words[1], &value)) return Fail("expected: " + key + " NUMBER");
  if (key == "tempo" && value >= 40 && value <= 240) tune_->tempo = value;
  else if (key == "swing" && value >= 0 && value < 1) tune_->swing = value;
  else if (key == "reverb" && value >= 0 && value <= 1) tune_->reverb = value;
  else if (key == "loudness" && value < 0) tune_->loudnessDb = value;
  else return Fail("\"" + key + "\" " + words[1] + " is out of range");
  return true;
}

bool Reader::Line(const std::vector<std::string>& words, const std::string& text) {
  const std::string& key = words[0];
  static const std::set<std::string> kSettings = {"output", "tempo", "meter", "swing", "reverb",
                                                  "loudness"};
  if (key == "form") {
    tune_->form.assign(words.begin() + 1, words.end());
    return true;
  }
  if (key == "section") {
    if (words.size() != 2 && !(words.size() == 4 && words[2] == "like")) {
      return Fail("expected: section NAME [like OTHER]");
    }
    if (tune_->sections.count(words[1])) return Fail("section " + words[1] + " is defined twice");
    Section s;
    if (words.size() == 4) {
      auto other = tune_->sections.find(words[3]);
      if (other == tune_->sections.end()) return Fail("no section " + words[3] + " before this one");
      s = other->second;
    }
    s.name = words[1];
    section_ = &(tune_->sections[words[1]] = s);
    sectionLine_[words[1]] = line_;
    replaced_.clear();
    return true;
  }
  if (!section_) {
    if (kSettings.count(key)) return Setting(words);
    if (key == "voice") {
      if (words.size() < 3) return Fail("expected: voice NAME KIND [setting=value ...]");
      Voice v;
      v.name = words[1];
      v.kind = words[2];
      for (size_t i = 3; i < words.size(); ++i) {
        const auto eq = words[i].find('=');
        double value = 0;
        if (eq == std::string::npos || !ParseNumber(words[i].substr(eq + 1), &value)) {
          return Fail("bad setting \"" + words[i] + "\" (expected name=number)");
        }
        v.settings[words[i].substr(0, eq)] = value;
      }
      if (tune_->FindVoice(v.name)) return Fail("voice " + v.name + " is defined twice");
      tune_->voices.push_back(v);
      return true;
    }
  }
  if (key == "play" || key == "pad" || key == "beat") {
    Pattern p;
    if (!ReadPattern(words, &p)) return false;
    if (!tune_->FindVoice(p.voice)) return Fail("no voice " + p.voice);
    if (section_) {
      if (replaced_.insert("pattern " + p.voice).second) {  // drop the copied ones of this voice
        auto& ps = section_->patterns;
        for (size_t i = ps.size(); i-- > 0;) {
          if (ps[i].voice == p.voice) ps.erase(ps.begin() + static_cast<long>(i));
        }
      }
      section_->patterns.push_back(p);
    } else {
      tune_->patterns.push_back(p);
    }
    return true;
  }
  if (!section_) return Fail("\"" + key + "\" is not a setting, and no section has begun");
  if (key == "chords") {
    if (replaced_.insert("chords").second) section_->bars.clear();
    return ReadChords(text, &section_->bars);
  }
  if (key == "swap" || key == "octave") {
    if (words.size() != 3) return Fail(key == "swap" ? "expected: swap FROM TO" : "expected: octave VOICE N");
    if (!tune_->FindVoice(words[1])) return Fail("no voice " + words[1]);
    auto it = section_->melodies.find(words[1]);
    if (it == section_->melodies.end()) return Fail("voice " + words[1] + " has no melody here yet");
    if (key == "swap") {
      if (!tune_->FindVoice(words[2])) return Fail("no voice " + words[2]);
      std::vector<Note> notes = it->second;
      section_->melodies.erase(it);
      section_->melodies[words[2]] = notes;
    } else {
      char* end = nullptr;
      const long n = std::strtol(words[2].c_str(), &end, 10);
      if (*end || n < -3 || n > 3) return Fail("an octave shift is a whole number from -3 to 3");
      for (Note& note : it->second) note.midi += static_cast<int>(n) * 12;
    }
    return true;
  }
  if (key == "silent") {
    for (size_t i = 1; i < words.size(); ++i) {
      if (!tune_->FindVoice(words[i])) return Fail("no voice " + words[i]);
      section_->silent.insert(words[i]);
    }
    return true;
  }
  if (!tune_->FindVoice(key)) return Fail("\"" + key + "\" is neither a voice nor a section line");
  if (replaced_.insert("melody " + key).second) section_->melodies.erase(key);
  return ReadMelody(key, text);
}

bool Reader::Check() {
  line_ = 0;
  if (tune_->output.empty()) return Fail("no output file named");
  if (tune_->form.empty()) return Fail("no form");
  for (const auto& name : tune_->form) {
    if (!tune_->sections.count(name)) return Fail("the form names section " + name + ", which is not defined");
  }
  for (const auto& entry : tune_->sections) {
    const Section& s = entry.second;
    line_ = sectionLine_[s.name];
    if (s.bars.empty()) return Fail("section " + s.name + " has no chords");
    for (const auto& m : s.melodies) {
      int end = 0;
      for (const Note& n : m.second) end = std::max(end, n.start + n.length);
      const int bars = s.Ticks(tune_->meter) / (tune_->meter * kTicksPerBeat);
      if (end > s.Ticks(tune_->meter)) {  // a shorter melody just rests at the end
        return Fail("in section " + s.name + ", " + m.first + " runs past the " +
                    std::to_string(bars) + " bars of chords");
      }
    }
  }
  return true;
}

bool Reader::Run(std::string* error) {
  std::ifstream in(path_);
  if (!in) {
    *error = path_ + ": cannot be read";
    return false;
  }
  std::string text;
  while (std::getline(in, text)) {
    ++line_;
    // '#' also sharpens notes and chords: a comment starts at a '#' that
    // begins the line or follows a space.
    for (size_t hash = text.find('#'); hash != std::string::npos; hash = text.find('#', hash + 1)) {
      if (hash == 0 || std::isspace(static_cast<unsigned char>(text[hash - 1]))) {
        text.erase(hash);
        break;
      }
    }
    const auto words = Words(text);
    if (words.empty()) continue;
    if (!Line(words, text)) {
      *error = error_;
      return false;
    }
  }
  if (!Check()) {
    *error = error_;
    return false;
  }
  return true;
}

}  // namespace

const Voice* Tune::FindVoice(const std::string& name) const {
  for (const auto& v : voices) {
    if (v.name == name) return &v;
  }
  return nullptr;
}

bool ReadScore(const std::string& path, Tune* out, std::string* error) {
  Reader reader(path, out);
  return reader.Run(error);
}

}  // namespace audio
