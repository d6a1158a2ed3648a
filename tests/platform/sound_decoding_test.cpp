// Long Ogg Vorbis sounds decoded in the background: loading returns before the
// samples, the mixer plays them as they arrive (and waits where they have not),
// freeing a sound stops its decode, and refusals still happen at load time.
#include "platform/sound_decoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "data/audio_list.h"
#include "platform/decode_fixtures.h"
#include "platform/headless_backend.h"
#include "platform/image_loading.h"
#include "platform/mixer.h"
#include "platform/services.h"
#include "support/temp_dir.h"

namespace {

using fixtures::Bytes;

constexpr int kRate = 44100;
constexpr long kLongFrames = 20L * kRate;  // 20 s of stereo

const Bytes& LongTune() {
  static const Bytes tune = fixtures::MakeOgg(2, kRate, kLongFrames);
  return tune;
}

// The same tune decoded whole, to compare with.
const Sound& WholeTune() {
  static const Sound whole = [] {
    Sound s;
    std::string error;
    EXPECT_TRUE(DecodeSound(LongTune().data(), LongTune().size(), &s, &error)) << error;
    return s;
  }();
  return whole;
}

std::unique_ptr<Sound> StartDecode(const Bytes& file) {
  auto sound = std::make_unique<Sound>();
  std::string error;
  EXPECT_TRUE(DecodeSoundInBackground(file, sound.get(), &error)) << error;
  return sound;
}

double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// The tune's pages start at each "OggS"; this spoils one byte inside the
// first page that begins past `fraction` of the file, so its checksum fails.
Bytes DamagedTune(double fraction) {
  Bytes file = LongTune();
  const char tag[] = "OggS";
  auto at = std::search(file.begin() + static_cast<long>(file.size() * fraction), file.end(), tag,
                        tag + 4);
  EXPECT_NE(at, file.end());
  at[60] ^= 0x55;
  return file;
}

// Stereo output of a mixer playing `sound` from its start at `rate`.
std::vector<float> RenderWhole(const Sound& sound, float rate, size_t frames) {
  Mixer mixer;
  ChannelId ch = mixer.Allocate();
  mixer.Cue(&sound, ch);
  mixer.SetRate(ch, rate);
  mixer.SetPan(ch, -0.3f);
  mixer.Resume(ch);
  std::vector<float> out(2 * frames);
  mixer.Render(out.data(), frames, kRate);
  return out;
}

// How fast loading is, beside a whole decode, is for build/catalogue_bench
// to print; here the background decode must give the same sound.
TEST(BackgroundDecoding, LongOggDecodesInTheBackgroundToTheSameSamples) {
  ASSERT_FALSE(LongTune().empty());
  ASSERT_EQ(WholeTune().FrameCount(), static_cast<size_t>(kLongFrames));
  std::unique_ptr<Sound> sound = StartDecode(LongTune());
  ASSERT_NE(sound->decoding, nullptr) << "a long tune is decoded by a worker";
  // The length and format are known before the samples.
  EXPECT_EQ(sound->channels, 2);
  EXPECT_EQ(sound->sampleRate, kRate);
  EXPECT_EQ(sound->FrameCount(), static_cast<size_t>(kLongFrames));
  EXPECT_NEAR(sound->LengthMs(), 20000.0, 0.01);

  EXPECT_TRUE(sound->WaitUntilDecoded());
  EXPECT_TRUE(sound->Decoded());
  ASSERT_EQ(sound->FrameCount(), WholeTune().FrameCount());
  ASSERT_EQ(sound->ReadyFrames(), WholeTune().FrameCount());
  EXPECT_EQ(std::memcmp(sound->Data(), WholeTune().samples.data(),
                        WholeTune().samples.size() * sizeof(int16_t)),
            0);
  // Played at an odd rate, both give the same output, sample for sample.
  EXPECT_EQ(RenderWhole(*sound, 1.37f, 40000), RenderWhole(WholeTune(), 1.37f, 40000));
}

TEST(BackgroundDecoding, ShortSoundsAreDecodedAtOnce) {
  struct Case {
    const char* name;
    Bytes file;
    size_t frames;
  };
  const Case cases[] = {
      {"short Ogg", fixtures::MakeOgg(1, 22050, kBackgroundDecodeFrames - 1000),
       kBackgroundDecodeFrames - 1000},
      {"WAV", fixtures::MakePcmWav(1, 22050, 16, {5, 6, 7}), 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<Sound> sound = StartDecode(c.file);
    EXPECT_EQ(sound->decoding, nullptr);
    EXPECT_TRUE(sound->Decoded());
    EXPECT_EQ(sound->FrameCount(), c.frames);
    EXPECT_EQ(sound->samples.size(), c.frames);
  }
}

// A decode the test moves along by hand.
struct ManualDecoding : SoundDecoding {
  void Wait() const override {}
};

// A sound of `frames` frames holding 100 * i in frame i, of which the test
// says how many are decoded.
struct ManualSound {
  explicit ManualSound(size_t frames) : data(frames) {
    for (size_t i = 0; i < frames; ++i) data[i] = static_cast<int16_t>(100 * (i % 300));
    auto decoding = std::make_unique<ManualDecoding>();
    decoding->samples = data.data();
    decoding->announcedFrames = frames;
    progress = decoding.get();
    sound.sampleRate = 8000;
    sound.decoding = std::move(decoding);
  }
  void Publish(size_t frames, bool finished = false) {
    progress->readyFrames.store(frames, std::memory_order_release);
    progress->finished.store(finished, std::memory_order_release);
  }
  std::vector<int16_t> data;
  ManualDecoding* progress = nullptr;
  Sound sound;
};

size_t SoundingFrames(const std::vector<float>& out) {
  size_t n = 0;
  for (size_t f = 0; f < out.size() / 2; ++f) n += out[2 * f] != 0.0f ? 1 : 0;
  return n;
}

TEST(BackgroundDecoding, ChannelWaitsSilentlyForSamplesNotYetDecoded) {
  ManualSound manual(1000);
  Mixer mixer;
  ChannelId ch = mixer.Allocate();
  mixer.Cue(&manual.sound, ch);
  mixer.Resume(ch);
  std::vector<float> out(2 * 200);

  // Nothing decoded: silent, playing, standing still.
  mixer.Render(out.data(), 200, 8000);
  EXPECT_EQ(SoundingFrames(out), 0u);
  EXPECT_TRUE(mixer.IsPlaying(ch));
  EXPECT_EQ(mixer.StateOf(ch).position, 0.0);
  mixer.Advance(50.0);
  EXPECT_EQ(mixer.StateOf(ch).position, 0.0);

  // 100 frames: the channel plays up to the last one it can interpolate from
  // (frame 99 needs frame 100) and waits there.
  manual.Publish(100);
  mixer.Render(out.data(), 200, 8000);
  EXPECT_EQ(SoundingFrames(out), 98u) << "frame 0 holds 0";
  EXPECT_FLOAT_EQ(out[2 * 98], 9800.0f / 32768.0f);
  EXPECT_EQ(out[2 * 99], 0.0f);
  EXPECT_EQ(mixer.StateOf(ch).position, 99.0);
  // Advance (a clock without a device) stops at the decoded frames too.
  manual.Publish(150);
  mixer.Advance(1000.0);
  EXPECT_EQ(mixer.StateOf(ch).position, 150.0);
  EXPECT_TRUE(mixer.IsPlaying(ch));

  // Paused and resumed while waiting, it goes on from the same frame.
  mixer.Pause(ch);
  manual.Publish(400);
  mixer.Render(out.data(), 200, 8000);
  EXPECT_EQ(mixer.StateOf(ch).position, 150.0);
  mixer.Resume(ch);
  mixer.Render(out.data(), 200, 8000);
  EXPECT_FLOAT_EQ(out[0], 15000.0f / 32768.0f);
  EXPECT_EQ(mixer.StateOf(ch).position, 350.0);

  // The decode ends short of the announced 1000 frames (damage): the sound
  // ends there, like a sound of 420 frames.
  EXPECT_EQ(manual.sound.FrameCount(), 1000u);
  manual.Publish(420, true);
  EXPECT_EQ(manual.sound.FrameCount(), 420u);
  mixer.Render(out.data(), 200, 8000);
  EXPECT_EQ(SoundingFrames(out), 70u);
  EXPECT_FALSE(mixer.IsPlaying(ch));
  EXPECT_EQ(mixer.StateOf(ch).position, 420.0);
}

TEST(BackgroundDecoding, LoopingSoundWrapsOnlyOnceDecoded) {
  ManualSound manual(300);
  manual.sound.looping = true;
  Mixer mixer;
  ChannelId ch = mixer.Allocate();
  mixer.Cue(&manual.sound, ch);
  mixer.Resume(ch);
  manual.Publish(300);  // every frame, but not yet known to be the last
  mixer.Advance(1000.0);
  EXPECT_EQ(mixer.StateOf(ch).position, 300.0);
  manual.Publish(300, true);
  mixer.Advance(10.0);  // 80 frames on, around the end
  EXPECT_EQ(mixer.StateOf(ch).position, 80.0);
  EXPECT_TRUE(mixer.IsPlaying(ch));
}

// Rendering on this thread while the worker decodes, as the audio thread
// does: every block holds exactly the samples of a whole decode between the
// channel's old and new positions, then silence while it waits.
TEST(BackgroundDecoding, RenderingDuringTheDecodeGivesTheDecodedSamplesInOrder) {
  const size_t total = WholeTune().FrameCount();
  const std::vector<float> reference = RenderWhole(WholeTune(), 1.0f, total + 10);
  std::unique_ptr<Sound> sound = StartDecode(LongTune());
  Mixer mixer;
  ChannelId ch = mixer.Allocate();
  mixer.Cue(sound.get(), ch);
  mixer.SetPan(ch, -0.3f);
  mixer.Resume(ch);
  constexpr size_t kBlock = 512;
  std::vector<float> out(2 * kBlock);
  size_t position = 0;
  size_t waits = 0;
  for (int guard = 0; mixer.IsPlaying(ch) && guard < 10000000; ++guard) {
    mixer.Render(out.data(), kBlock, kRate);
    const size_t now = static_cast<size_t>(mixer.StateOf(ch).position);
    ASSERT_GE(now, position);
    const size_t played = now - position;
    ASSERT_LE(played, kBlock);
    if (played < kBlock && now < total) ++waits;
    ASSERT_TRUE(std::equal(out.begin(), out.begin() + 2 * played,
                           reference.begin() + 2 * position))
        << "at frame " << position;
    ASSERT_TRUE(std::all_of(out.begin() + 2 * played, out.end(), [](float v) { return v == 0; }))
        << "at frame " << now;
    position = now;
  }
  EXPECT_EQ(position, total);
  EXPECT_TRUE(sound->Decoded());
  // Rendering runs far ahead of real time, so it caught up with the decoder.
  RecordProperty("waits", static_cast<int>(waits));
}

TEST(BackgroundDecoding, FreeingSoundsWhileTheyDecodeStopsTheDecodes) {
  // Three tunes: the first decoding, the others waiting for their turn.
  std::vector<std::unique_ptr<Sound>> sounds;
  for (int i = 0; i < 3; ++i) sounds.push_back(StartDecode(LongTune()));
  Mixer mixer;
  ChannelId ch = mixer.Allocate();
  mixer.Cue(sounds[0].get(), ch);
  mixer.Resume(ch);
  std::vector<float> out(2 * 256);
  mixer.Render(out.data(), 256, kRate);
  // Stopped, then freed, in the middle of its decode; the waiting ones freed
  // before their turn came, the last one last.
  mixer.Stop(ch);
  const auto start = std::chrono::steady_clock::now();
  sounds[0].reset();
  sounds[1].reset();
  sounds[2].reset();
  const double freeMs = MsSince(start);
  RecordProperty("free_ms", std::to_string(freeMs));

  // A sound freed at once after loading, over and over.
  for (int i = 0; i < 20; ++i) StartDecode(LongTune()).reset();
  // The decodes still work afterwards.
  std::unique_ptr<Sound> again = StartDecode(LongTune());
  EXPECT_TRUE(again->WaitUntilDecoded());
  EXPECT_EQ(again->FrameCount(), WholeTune().FrameCount());
}

TEST(BackgroundDecoding, RegistryResetDuringADecodeIsSafe) {
  TempDir dir;
  WriteFileBytes(dir / "Title.ogg", std::string(LongTune().begin(), LongTune().end()));
  ResetServices();
  InstallBackend(std::make_unique<HeadlessBackend>());
  ASSERT_EQ(AudioList::LoadSound(dir / "Title.ogg", 7, 1, 1.0f), 1);
  ASSERT_EQ(AudioList::LoadSound(dir / "Title.ogg", 8, 0, 1.0f), 1);
  AudioList::PlayMusic(7, 0.0f, 1.0f);
  EXPECT_EQ(AudioList::IsSoundPlaying(7), 1);
  AudioList::Reset();
  EXPECT_EQ(AudioList::FindSound(7), nullptr);
  // Shutdown with a sound still decoding: the backend goes, then the sound.
  ASSERT_EQ(AudioList::LoadSound(dir / "Title.ogg", 9, 0, 1.0f), 1);
  AudioList::PlaySound(9, 0.0f, 1.0f);
  ResetServices();
  AudioList::Reset();
}

// The headless clock waits for the decode, so a run moves the same way
// whatever the machine's speed: 10 ms is 441 frames from the first sleep.
TEST(BackgroundDecoding, HeadlessClockWaitsForTheDecode) {
  TempDir dir;
  WriteFileBytes(dir / "Tune.ogg", std::string(LongTune().begin(), LongTune().end()));
  ResetServices();
  InstallBackend(std::make_unique<HeadlessBackend>());
  for (int run = 0; run < 3; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    std::unique_ptr<Sound> sound(LoadSoundFile(dir / "Tune.ogg", 0));
    ASSERT_NE(sound, nullptr);
    ASSERT_NE(sound->decoding, nullptr);
    ChannelId ch = AllocateChannel();
    CueOnChannel(sound.get(), ch);
    ResumeChannel(ch);
    SleepMs(10);
    EXPECT_DOUBLE_EQ(CurrentBackend()->SoundMixer().StateOf(ch).position, 441.0);
    SleepMs(19980);
    EXPECT_EQ(IsChannelPlaying(ch), 1);
    SleepMs(20);
    EXPECT_EQ(IsChannelPlaying(ch), 0);
    StopChannel(ch);
  }
  ResetServices();
}

// What a whole decode refuses before its first sample, loading refuses too,
// with the same reason.
TEST(BackgroundDecoding, RefusalsHappenAtLoadTimeWithTheSameReasons) {
  const Bytes& good = LongTune();
  Bytes surround = fixtures::MakeOgg(3, 22050, kBackgroundDecodeFrames + 1000);
  ASSERT_FALSE(surround.empty());
  Bytes junk = {'O', 'g', 'g', 'S'};
  junk.resize(300, 0x5A);
  struct Case {
    std::string name;
    Bytes file;
  };
  std::vector<Case> cases = {{"three channels", surround}, {"not Vorbis", junk}};
  for (size_t cut : {size_t{4}, size_t{200}, good.size() / 3, good.size() - 10}) {
    cases.push_back({"cut at " + std::to_string(cut), fixtures::Truncated(good, cut)});
  }
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Sound whole;
    std::string wholeError;
    EXPECT_FALSE(DecodeSound(c.file.data(), c.file.size(), &whole, &wholeError));
    Sound sound;
    std::string error;
    EXPECT_FALSE(DecodeSoundInBackground(c.file, &sound, &error));
    EXPECT_EQ(error, wholeError);
    WriteFileBytes(dir / "bad.ogg", std::string(c.file.begin(), c.file.end()));
    EXPECT_EQ(LoadSoundFile(dir / "bad.ogg", 0), nullptr);
  }
}

// Damage that only decoding finds: a whole decode refuses the file, while a
// background one has already been accepted, so the sound ends where the
// damage starts, as if cut there.
TEST(BackgroundDecoding, DamageFoundWhileDecodingEndsTheSoundThere) {
  const Bytes damaged = DamagedTune(0.5);
  Sound whole;
  std::string error;
  EXPECT_FALSE(DecodeSound(damaged.data(), damaged.size(), &whole, &error));
  EXPECT_EQ(error, "Ogg: stream is damaged");

  std::unique_ptr<Sound> sound = StartDecode(damaged);
  ASSERT_NE(sound->decoding, nullptr);
  EXPECT_EQ(sound->FrameCount(), static_cast<size_t>(kLongFrames));
  EXPECT_FALSE(sound->WaitUntilDecoded());
  const size_t frames = sound->FrameCount();
  EXPECT_GT(frames, static_cast<size_t>(kLongFrames) / 3);
  EXPECT_LT(frames, static_cast<size_t>(kLongFrames) * 2 / 3);
  // Up to the damaged page the samples are those of the sound undamaged.
  EXPECT_EQ(std::memcmp(sound->Data(), WholeTune().samples.data(), frames * 2 * sizeof(int16_t)),
            0);

  Mixer mixer;
  ChannelId ch = mixer.Allocate();
  mixer.Cue(sound.get(), ch);
  mixer.Resume(ch);
  mixer.Advance(sound->LengthMs() - 1.0);
  EXPECT_TRUE(mixer.IsPlaying(ch));
  mixer.Advance(2.0);
  EXPECT_FALSE(mixer.IsPlaying(ch));
}

}  // namespace
