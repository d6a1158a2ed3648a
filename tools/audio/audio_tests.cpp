// Tests of the sound generators: instruments in tune, scores read and checked
// bar by bar, loops that fold seamlessly, levelled effects, stable encoding.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "audio/arranger.h"
#include "audio/dsp.h"
#include "audio/effects.h"
#include "audio/instruments.h"
#include "audio/ogg_writer.h"
#include "audio/score.h"

namespace audio {
namespace {

// The fundamental of a steady stretch of sound, by autocorrelation.
double MeasurePitch(const Samples& s, size_t from, size_t count) {
  std::vector<double> sums(kRate / 60, 0.0);
  double best = 0;
  for (size_t lag = 1; lag < sums.size(); ++lag) {
    for (size_t i = from; i < from + count; ++i) sums[lag] += double(s[i]) * s[i + lag];
    best = std::max(best, sums[lag]);
  }
  // The shortest lag that correlates nearly as well as the best: a whole
  // number of periods correlates too, and would read an octave low.
  // Search from where the correlation first falls below zero: before that a
  // smooth low note still looks like itself.
  size_t start = 1;
  while (start + 1 < sums.size() && sums[start] > 0) ++start;
  double bestLag = 0;
  for (size_t lag = start; lag + 1 < sums.size(); ++lag) {
    if (sums[lag] > 0.9 * best && sums[lag] >= sums[lag - 1] && sums[lag] >= sums[lag + 1]) {
      bestLag = static_cast<double>(lag);
      break;
    }
  }
  // Refine between neighbouring lags with a parabola.
  auto at = [&](double lag) {
    double sum = 0;
    for (size_t i = from; i < from + count; ++i) sum += double(s[i]) * s[i + static_cast<size_t>(lag)];
    return sum;
  };
  const double a = at(bestLag - 1), b = at(bestLag), c = at(bestLag + 1);
  const double shift = 0.5 * (a - c) / (a - 2 * b + c);
  return kRate / (bestLag + shift);
}

double Cents(double measured, double wanted) { return 1200.0 * std::log2(measured / wanted); }

TEST(Instruments, PlayInTuneAcrossTheirRange) {
  Rng rng(5);
  Voice pluck{"harp", "pluck", {}}, flute{"lead", "flute", {}}, bass{"bass", "bass", {}};
  for (double freq : {98.0, 196.0, 392.0, 784.0, 1318.5}) {
    SCOPED_TRACE(freq);
    const Samples p = RenderNote(pluck, freq, 0.5, 1.0, rng);
    EXPECT_NEAR(Cents(MeasurePitch(p, kRate / 20, 2048), freq), 0.0, 8.0);
    if (freq >= 392) {
      // Past the onset and before the vibrato grows.
      const Samples f = RenderNote(flute, freq, 0.5, 1.0, rng);
      EXPECT_NEAR(Cents(MeasurePitch(f, kRate / 10, 2048), freq), 0.0, 8.0);
    }
  }
  const Samples b = RenderNote(bass, 82.41, 0.8, 1.0, rng);
  EXPECT_NEAR(Cents(MeasurePitch(b, kRate / 10, 4096), 82.41), 0.0, 8.0);
}

class ScoreFile : public ::testing::Test {
 protected:
  std::string Write(const std::string& text) {
    const std::string path = ::testing::TempDir() + "score_test.tune";
    std::ofstream(path) << text;
    return path;
  }
  const std::string head_ = "output T.ogg\ntempo 120\nmeter 4\nvoice lead flute\nvoice harp pluck\n";
};

TEST_F(ScoreFile, ReportsTheFaultyLine) {
  struct Case {
    const char* body;
    const char* message;
  } cases[] = {
      {"section A\nchords | C |\nlead | c5:1 d5 e5 |\nform A\n", ":8: a bar of lead holds 144/48 beats, not 4"},
      {"section A\nchords | C | Hm |\nform A\n", ":7: bad chord \"Hm\""},
      {"section A\nchords | C |\nlead | h5:4 |\nform A\n", ":8: bad note \"h5\""},
      {"section A\nchords | C |\nlead | c5:2/7 |\nform A\n", ":8: bad length \"2/7\""},
      {"section A\nchords | C |\nlead | r:1 ~:3 |\nform A\n", ":8: \"~\" holds the note before it"},
      {"play harp 3 1 5\nsection A\nchords | C |\nform A\n", ":6: a pattern must last a whole number of bars"},
      {"play harp 1 1 4 5 8\nsection A\nchords | C |\nform A\n", ":6: bad step \"4\""},
      {"section A\nchords | C |\nform A B\n", "the form names section B, which is not defined"},
      {"section A like B\n", ":6: no section B before this one"},
      {"section A\nchords | C |\nfiddle | c5:4 |\nform A\n", ":8: \"fiddle\" is neither a voice"},
      {"section A\nchords | C D E F G |\nform A\n", ":7: a bar cannot be shared evenly by 5 chords"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    Tune tune;
    std::string error;
    EXPECT_FALSE(ReadScore(Write(head_ + c.body), &tune, &error));
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
}

TEST_F(ScoreFile, ReadsNotesChordsAndSectionCopies) {
  Tune tune;
  std::string error;
  ASSERT_TRUE(ReadScore(Write(head_ +
                              "play harp 1/2 1 5 8 5 10 5 8 5\n"
                              "section A\nchords | G | Am D7 |\n"
                              "lead | d5:1/2 e5 f#5:1 g5:2 | bb4:3 ~:1 |  # two bars\n"
                              "section B like A\noctave lead 1\nswap lead harp\n"
                              "form A B\n"),
                        &tune, &error))
      << error;
  const Section& a = tune.sections.at("A");
  ASSERT_EQ(a.bars.size(), 2u);
  EXPECT_EQ(a.bars[1][1].root, 2);
  EXPECT_EQ(a.bars[1][1].intervals, (std::vector<int>{4, 7, 10}));
  const auto& notes = a.melodies.at("lead");
  ASSERT_EQ(notes.size(), 5u);
  EXPECT_EQ(notes[2].midi, 78);  // f#5
  EXPECT_EQ(notes[2].start, 48);
  EXPECT_EQ(notes[4].midi, 70);  // bb4, held on through the tie
  EXPECT_EQ(notes[4].length, 4 * 48);
  const Section& b = tune.sections.at("B");
  EXPECT_EQ(b.melodies.count("lead"), 0u);
  EXPECT_EQ(b.melodies.at("harp")[0].midi, 74 + 12);
}

TEST_F(ScoreFile, LoopsAreExactAndTheEndRingsIntoTheStart) {
  // Two bars: the first silent, the second a long harp note that rings past
  // the end.  The loop is exactly two bars long, and its first, silent bar
  // carries the ringing tail, so there is no jump at the seam.
  Tune tune;
  std::string error;
  ASSERT_TRUE(ReadScore(Write(head_ + "section A\nchords | C | C |\nharp | r:4 | r:3 c4:1 |\nform A\n"),
                        &tune, &error))
      << error;
  const StereoTune out = Arrange(tune, -3.0);
  ASSERT_EQ(out.left.size(), static_cast<size_t>(2 * 4 * 0.5 * kRate));
  double head = 0;
  for (size_t i = 0; i < kRate / 10; ++i) head = std::max(head, double(std::fabs(out.left[i])));
  EXPECT_GT(head, 0.01);
  const double seam = std::fabs(out.left.front() - out.left.back());
  double largestStep = 0;
  for (size_t i = 1; i < out.left.size(); ++i) {
    largestStep = std::max(largestStep, double(std::fabs(out.left[i] - out.left[i - 1])));
  }
  EXPECT_LT(seam, largestStep * 0.5);
  EXPECT_LE(std::max(PeakOf(out.left), PeakOf(out.right)), DbToGain(-3.0) + 1e-6);
}

TEST(Effects, AreLevelledAndStartAtOnce) {
  for (const char* recipe : {"bark", "bleat", "howl", "chime", "whack", "patter"}) {
    SCOPED_TRACE(recipe);
    EffectLine effect;
    effect.id = 1;
    effect.recipe = recipe;
    Samples raw;
    std::string error;
    ASSERT_TRUE(SynthesiseEffect(effect, &raw, &error)) << error;
    // A raw sound with silence in front: the finished one starts at once.
    raw.insert(raw.begin(), kRate / 10, 0.0f);
    const Samples done = FinishEffect(raw, -14.0, -3.0);
    EXPECT_LE(PeakOf(done), DbToGain(-3.0) + 1e-6);
    EXPECT_GT(std::fabs(done[20]) + std::fabs(done[60]) + std::fabs(done[120]), 1e-4);
    // Either the loudness is met or the peak limit stopped it short.
    const double loud = LoudnessDb(done);
    EXPECT_TRUE(std::fabs(loud - -14.0) < 0.1 || PeakOf(done) > DbToGain(-3.1)) << loud;
  }
}

TEST(Effects, ListRejectsUnknownRecipesAndSettings) {
  const std::string path = ::testing::TempDir() + "effects_test.txt";
  std::ofstream(path) << "# comment\n2 A.ogg bark -12 pitch=400\n4 B.ogg bark -12 pitchh=400\n";
  std::vector<EffectLine> effectLines;
  std::string error;
  ASSERT_TRUE(ReadEffectList(path, &effectLines, &error)) << error;
  ASSERT_EQ(effectLines.size(), 2u);
  Samples out;
  EXPECT_TRUE(SynthesiseEffect(effectLines[0], &out, &error)) << error;
  EXPECT_FALSE(SynthesiseEffect(effectLines[1], &out, &error));
  EXPECT_NE(error.find("no setting \"pitchh\""), std::string::npos) << error;

  std::ofstream(path) << "2 A.ogg purr -12\n";
  effectLines.clear();
  EXPECT_FALSE(ReadEffectList(path, &effectLines, &error));
  EXPECT_NE(error.find(":1: unknown recipe \"purr\""), std::string::npos) << error;
  std::ofstream(path) << "2 A.ogg bark -12\n2 B.ogg bark -12\n";
  EXPECT_FALSE(ReadEffectList(path, &effectLines, &error));
  EXPECT_NE(error.find(":2: identifier 2 is listed twice"), std::string::npos) << error;
}

TEST(OggWriter, SameSamplesGiveSameBytesAndDecodeWhole) {
  Samples left(kRate / 3), right(kRate / 3);
  for (size_t i = 0; i < left.size(); ++i) {
    left[i] = static_cast<float>(0.5 * std::sin(i * 0.05));
    right[i] = static_cast<float>(0.5 * std::sin(i * 0.07));
  }
  const std::string a = ::testing::TempDir() + "a.ogg", b = ::testing::TempDir() + "b.ogg";
  std::string error;
  ASSERT_TRUE(WriteOgg(a, left, &right, 0.4, SerialFor("x.ogg"), "x", &error)) << error;
  ASSERT_TRUE(WriteOgg(b, left, &right, 0.4, SerialFor("x.ogg"), "x", &error)) << error;
  auto bytes = [](const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  EXPECT_EQ(bytes(a), bytes(b));
  OggVorbis_File vf;
  ASSERT_EQ(ov_fopen(a.c_str(), &vf), 0);
  EXPECT_EQ(ov_pcm_total(&vf, -1), static_cast<ogg_int64_t>(left.size()));
  EXPECT_EQ(ov_info(&vf, -1)->channels, 2);
  ov_clear(&vf);
  EXPECT_FALSE(WriteOgg("/nonexistent/folder/c.ogg", left, nullptr, 0.4, 1, "c", &error));
}

}  // namespace
}  // namespace audio
