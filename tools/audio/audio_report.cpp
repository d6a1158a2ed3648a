// Checks the generated sounds as the game will hear them: decodes every
// "audio" entry of the given catalogue fragments and prints its length, peak,
// RMS, loudness, the silence at its head and, for loops, the jump from the
// last sample to the first.  Exits 1 when a file is missing or undecodable,
// peaks above -1 dBFS, an effect starts late, or a loop clicks.
//   audio_report [--detail] [--pictures FOLDER] DATA_FOLDER FRAGMENT.xml...
// --detail adds a coarse envelope and octave-band balance of each sound;
// --pictures writes a picture of each, frequency over time (the first 20 s of a tune).
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "audio/dsp.h"
#include "audio/sound_picture.h"

namespace {

struct Entry {
  int id = 0;
  std::string path;
  bool loop = false;
};

bool Decode(const std::string& path, std::vector<audio::Samples>* channels, long* rate) {
  OggVorbis_File vf;
  if (ov_fopen(path.c_str(), &vf) != 0) return false;
  const vorbis_info* info = ov_info(&vf, -1);
  *rate = info->rate;
  channels->assign(info->channels, {});
  for (;;) {
    float** pcm = nullptr;
    int section = 0;
    const long got = ov_read_float(&vf, &pcm, 4096, &section);
    if (got == 0) break;
    if (got < 0) {
      ov_clear(&vf);
      return false;
    }
    for (size_t c = 0; c < channels->size(); ++c) {
      (*channels)[c].insert((*channels)[c].end(), pcm[c], pcm[c] + got);
    }
  }
  ov_clear(&vf);
  return true;
}

double Db(double v) { return audio::GainToDb(v); }

constexpr size_t kNear = audio::kRate / 20;

// A coarse envelope: the peak of each of 16 equal slices in dB.
std::string Envelope(const audio::Samples& s) {
  std::string out;
  const size_t slices = 16, step = std::max<size_t>(1, s.size() / slices);
  for (size_t at = 0; at < s.size(); at += step) {
    double p = 0;
    for (size_t i = at; i < std::min(s.size(), at + step); ++i) p = std::max(p, double(std::fabs(s[i])));
    char buf[16];
    std::snprintf(buf, sizeof buf, "%4.0f", Db(p));
    out += buf;
  }
  return out;
}

// Share of the energy in octave bands from 125 Hz to 8 kHz, in dB.
std::string Bands(const audio::Samples& s) {
  std::string out;
  double total = 1e-12;
  for (float v : s) total += double(v) * v;
  for (double centre = 125; centre <= 8000; centre *= 2) {
    audio::Svf bp(centre, 1.4);
    double e = 0;
    for (float v : s) {
      const double y = bp.BandPass(v);
      e += y * y;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, " %gHz:%.0f", centre, 10 * std::log10(e / total + 1e-12));
    out += buf;
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  bool detail = false;
  std::string pictures;
  for (;;) {
    const std::string arg = first < argc ? argv[first] : "";
    if (arg == "--detail") {
      detail = true;
      ++first;
    } else if (arg == "--pictures" && first + 1 < argc) {
      pictures = argv[first + 1];
      first += 2;
    } else {
      break;
    }
  }
  if (argc - first < 2) {
    std::fprintf(stderr, "usage: audio_report [--detail] [--pictures FOLDER] DATA_FOLDER FRAGMENT.xml...\n");
    return 2;
  }
  const std::string data = argv[first];
  std::vector<Entry> entries;
  const std::regex audioLine("<audio id=\"([0-9]+)\" path=\"([^\"]+)\"( loop=\"[^\"]*\")?");
  for (int i = first + 1; i < argc; ++i) {
    std::ifstream in(argv[i]);
    if (!in) {
      std::fprintf(stderr, "%s: cannot be read\n", argv[i]);
      return 1;
    }
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
      if (!std::regex_search(line, m, audioLine)) continue;
      Entry e;
      e.id = std::stoi(m[1]);
      e.path = m[2];
      std::replace(e.path.begin(), e.path.end(), '\\', '/');
      e.loop = m[3].matched;
      entries.push_back(e);
    }
  }

  int faults = 0;
  std::printf("%5s %-26s %2s %7s %7s %7s %7s %6s  %s\n", "id", "file", "ch", "length", "peak",
              "rms", "loud", "head", "loop jump (x typical step)");
  for (const Entry& e : entries) {
    std::vector<audio::Samples> ch;
    long rate = 0;
    const std::string name = e.path.substr(e.path.rfind('/') + 1);
    if (!Decode(data + "/" + e.path, &ch, &rate) || ch.empty() || ch[0].empty()) {
      std::printf("%5d %-26s cannot be decoded\n", e.id, name.c_str());
      ++faults;
      continue;
    }
    const size_t n = ch[0].size();
    double peak = 0, sum = 0, jump = 0, nearSteps = 0;
    size_t nearCount = 0;
    size_t head = n;
    for (const auto& c : ch) peak = std::max(peak, audio::PeakOf(c));
    for (const auto& c : ch) {
      for (size_t i = 0; i < n; ++i) {
        sum += double(c[i]) * c[i];
        if (std::fabs(c[i]) >= peak * 0.1 && i < head) head = i;
      }
      // The steps the sound takes anyway within 50 ms either side of the seam.
      const size_t near = std::min<size_t>(n / 2, kNear);
      for (size_t i = 1; i < near; ++i) {
        for (double d : {double(c[i] - c[i - 1]), double(c[n - i] - c[n - i - 1])}) {
          nearSteps += d * d;
          ++nearCount;
        }
      }
      jump = std::max(jump, double(std::fabs(c[0] - c[n - 1])));
    }
    const double rms = std::sqrt(sum / (n * ch.size()));
    const double typicalStep = std::sqrt(nearSteps / std::max<size_t>(nearCount, 1));
    const double headMs = 1000.0 * head / rate;
    std::string jumpText = "-";
    if (e.loop) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%.4f (%.1fx)", jump, jump / std::max(typicalStep, 1e-9));
      jumpText = buf;
    }
    std::printf("%5d %-26s %2zu %6.2fs %7.1f %7.1f %7.1f %4.0fms  %s\n", e.id, name.c_str(),
                ch.size(), double(n) / rate, Db(peak), Db(rms), audio::LoudnessDb(ch[0]), headMs,
                jumpText.c_str());
    std::string why;
    if (rate != audio::kRate) why += " not 44100 Hz;";
    if (Db(peak) > -1.0) why += " peak above -1 dBFS;";
    if (!e.loop && headMs > 5) why += " starts late;";
    // A seamless loop's seam is a step like those the music takes around it.
    if (e.loop && jump > 4 * typicalStep && jump > 0.002) why += " the loop clicks;";
    if (!why.empty()) {
      std::printf("      FAULT:%s\n", why.c_str());
      ++faults;
    }
    if (!pictures.empty()) {
      const std::string png = pictures + "/" + name.substr(0, name.rfind('.')) + ".png";
      if (!audio::WriteSoundPicture(ch[0], 20.0, png)) std::printf("      cannot write %s\n", png.c_str());
    }
    if (detail) {
      std::printf("      envelope%s\n", Envelope(ch[0]).c_str());
      std::printf("      bands   %s\n", Bands(ch[0]).c_str());
    }
  }
  std::printf("%zu sounds, %d faults\n", entries.size(), faults);
  return faults == 0 ? 0 : 1;
}
