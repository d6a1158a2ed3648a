// The software mixer, checked on rendered sample buffers (no audio device).
#include "platform/mixer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

namespace {

constexpr int kRate = 8000;

Sound MakeSound(std::vector<int16_t> samples, int channels = 1, bool looping = false,
                int sampleRate = kRate) {
  Sound s;
  s.sampleRate = sampleRate;
  s.channels = channels;
  s.looping = looping;
  s.samples = std::move(samples);
  return s;
}

// A mono sound whose frame i holds 100 * i, so a sample's value tells where
// in the sound it came from.
Sound Ramp(int frames, bool looping = false, int sampleRate = kRate) {
  std::vector<int16_t> v(frames);
  for (int i = 0; i < frames; ++i) v[i] = static_cast<int16_t>(100 * i);
  return MakeSound(v, 1, looping, sampleRate);
}

float Level(int sample) { return static_cast<float>(sample) / 32768.0f; }

class MixerTest : public ::testing::Test {
 protected:
  // Interleaved stereo output of `frames` frames at `rate`.
  std::vector<float> Render(size_t frames, int rate = kRate) {
    std::vector<float> out(2 * frames, 12345.0f);  // must be overwritten
    mixer.Render(out.data(), frames, rate);
    return out;
  }
  ChannelId Play(const Sound& sound) {
    ChannelId ch = mixer.Allocate();
    mixer.Cue(&sound, ch);
    mixer.Resume(ch);
    return ch;
  }
  static bool Silent(const std::vector<float>& out) {
    for (float v : out) {
      if (v != 0.0f) return false;
    }
    return true;
  }

  Mixer mixer;
};

TEST_F(MixerTest, HandlesStartAtOneAndAreNeverReused) {
  ChannelId a = mixer.Allocate();
  ChannelId b = mixer.Allocate();
  EXPECT_EQ(a, 1u);
  EXPECT_EQ(b, 2u);
  mixer.Stop(b);
  mixer.Reset();
  EXPECT_EQ(mixer.ChannelCount(), 0u);
  EXPECT_EQ(mixer.Allocate(), 3u);
}

TEST_F(MixerTest, NewChannelIsIdleAndEmptyMixIsSilent) {
  ChannelId ch = mixer.Allocate();
  Mixer::ChannelState s = mixer.StateOf(ch);
  EXPECT_TRUE(s.exists);
  EXPECT_FALSE(s.hasSound);
  EXPECT_TRUE(s.paused);
  EXPECT_FALSE(s.playing);
  EXPECT_FALSE(mixer.IsPlaying(ch));
  EXPECT_TRUE(Silent(Render(16)));
}

struct GainCase {
  const char* name;
  float volume;
  float pan;
  float left;   // expected gain on the left side
  float right;  // expected gain on the right side
};

TEST_F(MixerTest, VolumeAndPanGains) {
  const GainCase cases[] = {
      {"centre full", 1.0f, 0.0f, 1.0f, 1.0f},
      {"centre half volume", 0.5f, 0.0f, 0.5f, 0.5f},
      {"full left", 1.0f, -1.0f, 1.0f, 0.0f},
      {"full right", 1.0f, 1.0f, 0.0f, 1.0f},
      {"half right", 1.0f, 0.5f, 0.5f, 1.0f},
      {"quarter left at low volume", 0.4f, -0.25f, 0.4f, 0.3f},
      {"volume above 1 clamps", 3.0f, 0.0f, 1.0f, 1.0f},
      {"negative volume is silent", -0.5f, 0.0f, 0.0f, 0.0f},
      {"pan beyond right clamps", 1.0f, 7.0f, 0.0f, 1.0f},
      {"pan beyond left clamps", 1.0f, -7.0f, 1.0f, 0.0f},
  };
  const int value = 16000;
  Sound mono = MakeSound(std::vector<int16_t>(64, value));
  for (const GainCase& c : cases) {
    SCOPED_TRACE(c.name);
    mixer.Reset();
    ChannelId ch = Play(mono);
    mixer.SetVolume(ch, c.volume);
    mixer.SetPan(ch, c.pan);
    std::vector<float> out = Render(8);
    for (size_t f = 0; f < 8; ++f) {
      EXPECT_NEAR(out[2 * f], c.left * Level(value), 1e-6);
      EXPECT_NEAR(out[2 * f + 1], c.right * Level(value), 1e-6);
    }
  }
}

TEST_F(MixerTest, StereoSoundKeepsItsSidesAndPanBalancesThem) {
  Sound stereo = MakeSound({8000, -4000, 8000, -4000, 8000, -4000, 8000, -4000}, 2);
  ChannelId ch = Play(stereo);
  std::vector<float> out = Render(2);
  EXPECT_NEAR(out[0], Level(8000), 1e-6);
  EXPECT_NEAR(out[1], Level(-4000), 1e-6);
  mixer.SetPan(ch, 0.5f);
  out = Render(2);
  EXPECT_NEAR(out[0], 0.5f * Level(8000), 1e-6);
  EXPECT_NEAR(out[1], Level(-4000), 1e-6);
}

TEST_F(MixerTest, RateTwoConsumesTwiceAsFast) {
  Sound ramp = Ramp(100);
  ChannelId ch = Play(ramp);
  mixer.SetRate(ch, 2.0f);
  std::vector<float> out = Render(10);
  for (int f = 0; f < 10; ++f) EXPECT_NEAR(out[2 * f], Level(100 * 2 * f), 1e-6) << f;
  EXPECT_DOUBLE_EQ(mixer.StateOf(ch).position, 20.0);
}

TEST_F(MixerTest, RateIsClampedToASaneRange) {
  ChannelId ch = mixer.Allocate();
  mixer.SetRate(ch, 0.0f);
  EXPECT_FLOAT_EQ(mixer.StateOf(ch).rate, 0.01f);
  mixer.SetRate(ch, 1000.0f);
  EXPECT_FLOAT_EQ(mixer.StateOf(ch).rate, 16.0f);
}

TEST_F(MixerTest, ResamplesToTheOutputRateWithLinearInterpolation) {
  // A sound at half the output rate: every other output frame lies halfway
  // between two sound frames.
  Sound ramp = Ramp(50, false, kRate / 2);
  ChannelId ch = Play(ramp);
  std::vector<float> out = Render(8);
  for (int f = 0; f < 8; ++f) {
    EXPECT_NEAR(out[2 * f], Level(50 * f), 1e-6) << f;
    EXPECT_EQ(out[2 * f], out[2 * f + 1]);  // mono feeds both sides
  }
  EXPECT_DOUBLE_EQ(mixer.StateOf(ch).position, 4.0);
}

TEST_F(MixerTest, PauseHoldsThePositionAndStillCountsAsPlaying) {
  Sound ramp = Ramp(100);
  ChannelId ch = Play(ramp);
  Render(10);
  mixer.Pause(ch);
  EXPECT_TRUE(Silent(Render(10)));
  mixer.Advance(100.0);
  Mixer::ChannelState s = mixer.StateOf(ch);
  EXPECT_DOUBLE_EQ(s.position, 10.0);
  EXPECT_TRUE(s.paused);
  EXPECT_TRUE(s.playing);
  EXPECT_TRUE(mixer.IsPlaying(ch));

  mixer.Resume(ch);
  std::vector<float> out = Render(1);
  EXPECT_NEAR(out[0], Level(1000), 1e-6);  // carries on from frame 10
}

TEST_F(MixerTest, CuedSoundWaitsSilentlyUntilResumed) {
  Sound ramp = Ramp(100);
  ChannelId ch = mixer.Allocate();
  mixer.Cue(&ramp, ch);
  EXPECT_TRUE(Silent(Render(10)));
  mixer.Advance(50.0);
  Mixer::ChannelState s = mixer.StateOf(ch);
  EXPECT_TRUE(s.hasSound);
  EXPECT_TRUE(s.paused);
  EXPECT_FALSE(s.playing);
  EXPECT_EQ(s.position, 0.0);
  EXPECT_FALSE(mixer.IsPlaying(ch));

  mixer.Resume(ch);
  EXPECT_TRUE(mixer.IsPlaying(ch));
  std::vector<float> out = Render(3);
  EXPECT_NEAR(out[2], Level(100), 1e-6);
  EXPECT_NEAR(out[4], Level(200), 1e-6);
}

TEST_F(MixerTest, CueReplacesThePlayingSoundAndKeepsTheChannelSettings) {
  Sound first = Ramp(100);
  Sound second = MakeSound(std::vector<int16_t>(100, 3000));
  ChannelId ch = Play(first);
  mixer.SetVolume(ch, 0.5f);
  Render(20);
  mixer.Cue(&second, ch);
  EXPECT_FALSE(mixer.IsPlaying(ch));
  EXPECT_EQ(mixer.StateOf(ch).position, 0.0);
  EXPECT_TRUE(Silent(Render(4)));
  mixer.Resume(ch);
  EXPECT_NEAR(Render(1)[0], 0.5f * Level(3000), 1e-6);
}

TEST_F(MixerTest, CueWithNoSoundEmptiesTheChannel) {
  Sound ramp = Ramp(100);
  ChannelId ch = Play(ramp);
  mixer.Cue(nullptr, ch);
  mixer.Resume(ch);
  EXPECT_FALSE(mixer.StateOf(ch).hasSound);
  EXPECT_FALSE(mixer.IsPlaying(ch));
  EXPECT_TRUE(Silent(Render(8)));
}

TEST_F(MixerTest, LoopingSoundWrapsAndInterpolatesAcrossTheSeam) {
  // Four frames at half the output rate: output frame 7 sits halfway between
  // the last frame (3000) and the first again (0).
  Sound loop = MakeSound({0, 1000, 2000, 3000}, 1, true, kRate / 2);
  ChannelId ch = Play(loop);
  std::vector<float> out = Render(12);
  const int expected[12] = {0, 500, 1000, 1500, 2000, 2500, 3000, 1500, 0, 500, 1000, 1500};
  for (int f = 0; f < 12; ++f) EXPECT_NEAR(out[2 * f], Level(expected[f]), 1e-6) << f;
  EXPECT_DOUBLE_EQ(mixer.StateOf(ch).position, 2.0);
  mixer.Advance(1000.0 * 1000);  // a long time
  EXPECT_TRUE(mixer.IsPlaying(ch));
  EXPECT_LT(mixer.StateOf(ch).position, 4.0);
}

TEST_F(MixerTest, NonLoopingSoundEndsAndStaysOnTheChannel) {
  Sound shortSound = MakeSound({4000, 4000, 4000, 4000});
  ChannelId ch = Play(shortSound);
  std::vector<float> out = Render(10);
  for (int f = 0; f < 4; ++f) EXPECT_NEAR(out[2 * f], Level(4000), 1e-6) << f;
  for (int f = 4; f < 10; ++f) EXPECT_EQ(out[2 * f], 0.0f) << f;
  EXPECT_FALSE(mixer.IsPlaying(ch));
  Mixer::ChannelState s = mixer.StateOf(ch);
  EXPECT_TRUE(s.exists);
  EXPECT_TRUE(s.hasSound);
  EXPECT_FALSE(s.playing);

  // Resuming a finished sound does not restart it; cueing it again does.
  mixer.Resume(ch);
  EXPECT_FALSE(mixer.IsPlaying(ch));
  mixer.Cue(&shortSound, ch);
  mixer.Resume(ch);
  EXPECT_TRUE(mixer.IsPlaying(ch));
  EXPECT_NEAR(Render(1)[0], Level(4000), 1e-6);
}

TEST_F(MixerTest, EmptySoundFinishesAtOnce) {
  Sound empty = MakeSound({}, 1, true);
  ChannelId ch = Play(empty);
  EXPECT_FALSE(mixer.IsPlaying(ch));
  EXPECT_TRUE(Silent(Render(4)));
}

TEST_F(MixerTest, StoppedChannelIsGoneAndItsHandleHarmless) {
  Sound ramp = Ramp(100);
  ChannelId kept = Play(ramp);
  ChannelId stopped = Play(ramp);
  EXPECT_EQ(mixer.ChannelCount(), 2u);
  mixer.Stop(stopped);
  EXPECT_EQ(mixer.ChannelCount(), 1u);
  EXPECT_FALSE(mixer.StateOf(stopped).exists);
  EXPECT_FALSE(mixer.IsPlaying(stopped));

  // Every later call on the handle does nothing, and brings nothing back.
  mixer.Cue(&ramp, stopped);
  mixer.Resume(stopped);
  mixer.SetVolume(stopped, 0.1f);
  mixer.Pause(stopped);
  mixer.Stop(stopped);
  EXPECT_FALSE(mixer.IsPlaying(stopped));
  EXPECT_FALSE(mixer.StateOf(stopped).exists);
  EXPECT_EQ(mixer.ChannelCount(), 1u);

  // Only the kept channel is heard.
  std::vector<float> out = Render(3);
  EXPECT_NEAR(out[4], Level(200), 1e-6);
  EXPECT_TRUE(mixer.IsPlaying(kept));
}

TEST_F(MixerTest, CallsOnUnknownHandlesDoNothing) {
  Sound ramp = Ramp(10);
  mixer.Cue(&ramp, 0);
  mixer.Cue(&ramp, 99);
  mixer.Resume(99);
  EXPECT_EQ(mixer.ChannelCount(), 0u);
  EXPECT_FALSE(mixer.IsPlaying(0));
  EXPECT_FALSE(mixer.StateOf(99).exists);
}

TEST_F(MixerTest, FinalMixIsClamped) {
  Sound loud = MakeSound(std::vector<int16_t>(16, 24000));
  Sound quiet = MakeSound(std::vector<int16_t>(16, -30000));
  Play(loud);
  Play(loud);
  std::vector<float> out = Render(4);
  EXPECT_EQ(out[0], 1.0f);
  mixer.Reset();
  Play(quiet);
  Play(quiet);
  out = Render(4);
  EXPECT_EQ(out[1], -1.0f);
}

TEST_F(MixerTest, RenderAtAZeroRateWritesSilenceAndMovesNothing) {
  Sound ramp = Ramp(100);
  ChannelId ch = Play(ramp);
  EXPECT_TRUE(Silent(Render(8, 0)));
  EXPECT_EQ(mixer.StateOf(ch).position, 0.0);
}

struct AdvanceCase {
  const char* name;
  int frames;
  bool looping;
  int soundRate;
  float channelRate;
};

// Rendering N frames at the output rate and advancing N / rate seconds must
// leave a channel in the same place.
TEST(MixerAdvanceTest, AdvanceAgreesWithRender) {
  const AdvanceCase cases[] = {
      {"same rate", 1000, false, 44100, 1.0f},
      {"lower sound rate", 1000, false, 22050, 1.0f},
      {"fast channel", 5000, false, 44100, 1.7f},
      {"slow channel", 3000, false, 11025, 0.3f},
      {"looping wraps", 700, true, 44100, 1.25f},
      {"runs out", 300, false, 44100, 2.0f},
  };
  const int outputRate = 44100;
  const size_t chunk = 441;  // 10 ms
  for (const AdvanceCase& c : cases) {
    SCOPED_TRACE(c.name);
    Sound sound = Ramp(c.frames, c.looping, c.soundRate);
    Mixer rendered, advanced;
    ChannelId a = rendered.Allocate();
    ChannelId b = advanced.Allocate();
    for (auto [m, ch] : {std::pair<Mixer*, ChannelId>{&rendered, a}, {&advanced, b}}) {
      m->Cue(&sound, ch);
      m->SetRate(ch, c.channelRate);
      m->Resume(ch);
    }
    std::vector<float> out(2 * chunk);
    for (int step = 0; step < 10; ++step) {
      rendered.Render(out.data(), chunk, outputRate);
      advanced.Advance(10.0);
      Mixer::ChannelState r = rendered.StateOf(a);
      Mixer::ChannelState v = advanced.StateOf(b);
      EXPECT_NEAR(r.position, v.position, 1e-6) << "after " << (step + 1) * 10 << " ms";
      EXPECT_EQ(r.playing, v.playing) << "after " << (step + 1) * 10 << " ms";
    }
  }
}

// One thread renders as an audio callback would while the main thread works
// the channels; run under the sanitizers this catches unguarded state.
TEST(MixerThreadTest, RenderingWhileChannelsChangeIsSafe) {
  Mixer mixer;
  Sound loop = Ramp(256, true);
  Sound once = Ramp(64, false);
  std::atomic<bool> done{false};
  std::atomic<bool> outOfRange{false};
  std::atomic<int> blocks{0};
  std::thread audio([&] {
    std::vector<float> out(2 * 128);
    while (!done.load()) {
      mixer.Render(out.data(), 128, 44100);
      for (float v : out) {
        if (!(v >= -1.0f && v <= 1.0f)) outOfRange = true;
      }
      ++blocks;
    }
  });
  std::vector<ChannelId> live;
  for (int i = 0; i < 2000; ++i) {
    ChannelId ch = mixer.Allocate();
    mixer.Cue(i % 2 ? &loop : &once, ch);
    mixer.SetVolume(ch, 0.1f);
    mixer.SetPan(ch, (i % 5) * 0.5f - 1.0f);
    mixer.SetRate(ch, 0.5f + (i % 4));
    mixer.Resume(ch);
    live.push_back(ch);
    if (live.size() > 8) {
      mixer.Stop(live.front());
      live.erase(live.begin());
    }
    mixer.Advance(1.0);
    (void)mixer.IsPlaying(live.back());
  }
  while (blocks.load() < 10) std::this_thread::yield();
  done = true;
  audio.join();
  EXPECT_FALSE(outOfRange.load());
  EXPECT_EQ(mixer.ChannelCount(), 8u);
}

}  // namespace
