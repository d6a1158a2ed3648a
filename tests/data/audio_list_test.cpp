// The sound and music registry over the headless mixer: one channel per
// sound, restarts, the effective volume, pause and resume, stop, and the
// no-ops for unknown identifiers and sounds without a channel.
#include "data/audio_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/headless_fixture.h"
#include "support/temp_dir.h"
#include "support/wav_fixture.h"

namespace {


// 800 frames at 8000 Hz: 100 milliseconds.
constexpr int kSoundFrames = 800;
constexpr double kSoundMs = 100.0;

class AudioListTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    AudioList::Reset();
    path = dir / "beep.wav";
    WriteFileBytes(path, WavBytes(kSoundFrames));
  }
  void TearDown() override {
    AudioList::Reset();
    HeadlessTest::TearDown();
  }

  Mixer& mixer() { return backend->SoundMixer(); }
  ChannelId ChannelOf(int id) { return AudioList::FindSound(id)->channel; }
  Mixer::ChannelState StateOf(int id) { return mixer().StateOf(ChannelOf(id)); }

  TempDir dir;
  std::string path;
};

TEST_F(AudioListTest, LoadSoundRegistersWithItsOwnChannel) {
  ASSERT_EQ(AudioList::LoadSound(path, 1, 0, 0.8f), 1);
  ASSERT_EQ(AudioList::LoadSound(path, 2, 1, 1.0f), 1);
  const AudioContainer* once = AudioList::FindSound(1);
  const AudioContainer* looped = AudioList::FindSound(2);
  ASSERT_TRUE(once && looped);
  EXPECT_EQ(once->soundId, 1);
  EXPECT_EQ(once->isMusic, 0);
  EXPECT_FLOAT_EQ(once->baseVolume, 0.8f);
  EXPECT_EQ(once->paused, 0);
  EXPECT_FALSE(once->sound->looping);
  EXPECT_TRUE(looped->sound->looping);
  EXPECT_NE(once->channel, 0u);
  EXPECT_NE(looped->channel, 0u);
  EXPECT_NE(once->channel, looped->channel);
  EXPECT_TRUE(mixer().StateOf(once->channel).exists);
  EXPECT_EQ(AudioList::IsSoundPlaying(1), 0);
}

TEST_F(AudioListTest, LoadSoundWithATakenIdentifierKeepsTheFirstSound) {
  ASSERT_EQ(AudioList::LoadSound(path, 1, 0, 0.8f), 1);
  const AudioContainer* first = AudioList::FindSound(1);
  const Sound* sound = first->sound.get();
  const ChannelId channel = first->channel;
  const size_t channels = mixer().ChannelCount();

  EXPECT_EQ(AudioList::LoadSound(path, 1, 1, 0.3f), 0);
  EXPECT_EQ(AudioList::FindSound(1), first);
  EXPECT_EQ(first->sound.get(), sound);
  EXPECT_EQ(first->channel, channel);
  EXPECT_FLOAT_EQ(first->baseVolume, 0.8f);
  EXPECT_FALSE(first->sound->looping);
  EXPECT_EQ(mixer().ChannelCount(), channels);  // no channel spent on the refusal
}

TEST_F(AudioListTest, LoadSoundFailsForMissingOrUnreadableFiles) {
  const std::string garbage = dir / "garbage.wav";
  WriteFileBytes(garbage, "RIFF nonsense that is no sound");
  for (const std::string& bad : {dir / "missing.wav", garbage}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(AudioList::LoadSound(bad, 5, 0, 1.0f), 0);
    EXPECT_EQ(AudioList::FindSound(5), nullptr);
  }
  EXPECT_EQ(mixer().ChannelCount(), 0u);
  EXPECT_EQ(AudioList::LoadSound(path, 5, 0, 1.0f), 1);
}

TEST_F(AudioListTest, PlayingSetsTheEffectiveVolumePanAndRate) {
  struct Case {
    const char* what;
    bool music;
    float soundVolume, musicVolume, base, factor, pan;
    float expected;
  } cases[] = {
      {"effect", false, 0.5f, 1.0f, 0.8f, 1.0f, 0.0f, 0.4f},
      {"effect with a factor", false, 0.5f, 0.1f, 1.0f, 0.5f, -1.0f, 0.25f},
      {"music", true, 0.5f, 0.25f, 0.8f, 1.0f, 0.5f, 0.2f},
      {"music with a factor", true, 1.0f, 0.5f, 0.5f, 0.6f, 1.0f, 0.15f},
  };
  int id = 10;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SoundVolume = Interpolation::Create(c.soundVolume);
    MusicVolume = Interpolation::Create(c.musicVolume);
    ASSERT_EQ(AudioList::LoadSound(path, id, 0, c.base), 1);
    SetChannelRate(ChannelOf(id), 2.0f);
    if (c.music) {
      AudioList::PlayMusic(id, c.pan, c.factor);
    } else {
      AudioList::PlaySound(id, c.pan, c.factor);
    }
    const Mixer::ChannelState s = StateOf(id);
    EXPECT_FLOAT_EQ(s.volume, c.expected);
    EXPECT_FLOAT_EQ(s.pan, c.pan);
    EXPECT_FLOAT_EQ(s.rate, 1.0f);
    EXPECT_TRUE(s.playing);
    EXPECT_FALSE(s.paused);
    EXPECT_EQ(AudioList::FindSound(id)->isMusic, c.music ? 1 : 0);
    EXPECT_EQ(AudioList::IsSoundPlaying(id), 1);
    ++id;
  }
}

TEST_F(AudioListTest, PlayingAgainRestartsFromTheStartOnTheSameChannel) {
  ASSERT_EQ(AudioList::LoadSound(path, 1, 0, 1.0f), 1);
  const ChannelId channel = ChannelOf(1);
  AudioList::PlaySound(1, 0.0f, 1.0f);
  mixer().Advance(kSoundMs / 2);
  ASSERT_GT(StateOf(1).position, 0.0);

  AudioList::PlaySound(1, 0.0f, 1.0f);
  EXPECT_EQ(ChannelOf(1), channel);
  EXPECT_EQ(StateOf(1).position, 0.0);
  EXPECT_TRUE(StateOf(1).playing);
  EXPECT_EQ(mixer().ChannelCount(), 1u);

  // A sound that has ended starts again too, now as music.
  mixer().Advance(2 * kSoundMs);
  ASSERT_EQ(AudioList::IsSoundPlaying(1), 0);
  AudioList::PlayMusic(1, 0.0f, 1.0f);
  EXPECT_EQ(ChannelOf(1), channel);
  EXPECT_EQ(AudioList::IsSoundPlaying(1), 1);
}

TEST_F(AudioListTest, AdjustTakesFactorThenPanAndDoesNotRestart) {
  ASSERT_EQ(AudioList::LoadSound(path, 1, 1, 0.5f), 1);
  SoundVolume = Interpolation::Create(0.5f);
  MusicVolume = Interpolation::Create(1.0f);
  AudioList::PlaySound(1, -0.75f, 0.8f);  // pan, factor
  EXPECT_FLOAT_EQ(StateOf(1).pan, -0.75f);
  EXPECT_FLOAT_EQ(StateOf(1).volume, 0.8f * 0.5f * 0.5f);

  mixer().Advance(kSoundMs / 4);
  const double position = StateOf(1).position;
  ASSERT_GT(position, 0.0);
  AudioList::AdjustSound(1, 0.4f, 0.25f);  // factor, pan
  EXPECT_FLOAT_EQ(StateOf(1).volume, 0.4f * 0.5f * 0.5f);
  EXPECT_FLOAT_EQ(StateOf(1).pan, 0.25f);
  EXPECT_EQ(StateOf(1).position, position);
  EXPECT_TRUE(StateOf(1).playing);

  // After PlayMusic, adjusting goes by the music volume.
  AudioList::PlayMusic(1, 0.0f, 1.0f);
  AudioList::AdjustSound(1, 0.5f, 0.0f);
  EXPECT_FLOAT_EQ(StateOf(1).volume, 0.5f * 0.5f * 1.0f);
}

TEST_F(AudioListTest, AVolumeChangeReachesPlayingMusicOnlyOnAdjustOrRestart) {
  ASSERT_EQ(AudioList::LoadSound(path, 1, 1, 1.0f), 1);
  AudioList::PlayMusic(1, 0.0f, 1.0f);
  ASSERT_FLOAT_EQ(StateOf(1).volume, 1.0f);

  MusicVolume.SetTargetIn(0.25f, 20);
  for (int i = 0; i < 20; ++i) MusicVolume.Update(1.0f);
  ASSERT_FLOAT_EQ(static_cast<float>(MusicVolume.Value()), 0.25f);
  EXPECT_FLOAT_EQ(StateOf(1).volume, 1.0f);

  AudioList::AdjustSound(1, 1.0f, 0.0f);
  EXPECT_FLOAT_EQ(StateOf(1).volume, 0.25f);

  MusicVolume = Interpolation::Create(0.5f);
  EXPECT_FLOAT_EQ(StateOf(1).volume, 0.25f);
  AudioList::PlayMusic(1, 0.0f, 1.0f);
  EXPECT_FLOAT_EQ(StateOf(1).volume, 0.5f);
  // The effect volume plays no part in music.
  SoundVolume = Interpolation::Create(0.0f);
  AudioList::PlayMusic(1, 0.0f, 1.0f);
  EXPECT_FLOAT_EQ(StateOf(1).volume, 0.5f);
}

TEST_F(AudioListTest, PauseAndResumeAPlayingSound) {
  ASSERT_EQ(AudioList::LoadSound(path, 1, 1, 1.0f), 1);
  AudioList::PlaySound(1, 0.0f, 1.0f);
  AudioList::PauseSound(1);
  EXPECT_EQ(AudioList::FindSound(1)->paused, 1);
  EXPECT_TRUE(StateOf(1).paused);
  const double position = StateOf(1).position;
  mixer().Advance(kSoundMs / 2);
  EXPECT_EQ(StateOf(1).position, position);

  AudioList::ResumeSound(1);
  EXPECT_EQ(AudioList::FindSound(1)->paused, 0);
  EXPECT_FALSE(StateOf(1).paused);
  mixer().Advance(kSoundMs / 2);
  EXPECT_GT(StateOf(1).position, position);

  // Restarting clears the pause mark.
  AudioList::PauseSound(1);
  AudioList::PlaySound(1, 0.0f, 1.0f);
  EXPECT_EQ(AudioList::FindSound(1)->paused, 0);
  EXPECT_FALSE(StateOf(1).paused);
}

TEST_F(AudioListTest, PausingASoundThatIsNotPlayingChangesNothing) {
  ASSERT_EQ(AudioList::LoadSound(path, 1, 0, 1.0f), 1);
  ASSERT_EQ(AudioList::LoadSound(path, 2, 0, 1.0f), 1);
  AudioList::PlaySound(1, 0.0f, 1.0f);
  mixer().Advance(2 * kSoundMs);  // sound 1 has finished; sound 2 never started
  for (int id : {1, 2}) {
    SCOPED_TRACE(id);
    ASSERT_EQ(AudioList::IsSoundPlaying(id), 0);
    const bool mixerPaused = StateOf(id).paused;
    AudioList::PauseSound(id);
    EXPECT_EQ(AudioList::FindSound(id)->paused, 0);
    EXPECT_EQ(StateOf(id).paused, mixerPaused);
    AudioList::ResumeSound(id);
    EXPECT_EQ(StateOf(id).paused, mixerPaused);
    EXPECT_EQ(AudioList::IsSoundPlaying(id), 0);
  }
}

TEST_F(AudioListTest, StopGivesAFreshChannelThatResumeLeavesAlone) {
  ASSERT_EQ(AudioList::LoadSound(path, 1, 1, 1.0f), 1);
  const ChannelId old = ChannelOf(1);
  AudioList::PlaySound(1, 0.0f, 1.0f);
  AudioList::PauseSound(1);
  ASSERT_EQ(AudioList::FindSound(1)->paused, 1);

  AudioList::StopSound(1);
  const ChannelId fresh = ChannelOf(1);
  EXPECT_NE(fresh, old);
  EXPECT_NE(fresh, 0u);
  EXPECT_FALSE(mixer().StateOf(old).exists);
  EXPECT_TRUE(mixer().StateOf(fresh).exists);
  EXPECT_EQ(AudioList::FindSound(1)->paused, 0);
  EXPECT_EQ(AudioList::IsSoundPlaying(1), 0);

  AudioList::ResumeSound(1);
  const Mixer::ChannelState s = mixer().StateOf(fresh);
  EXPECT_TRUE(s.paused);
  EXPECT_FALSE(s.hasSound);
  EXPECT_EQ(AudioList::IsSoundPlaying(1), 0);

  // The sound still plays on its new channel.
  AudioList::PlaySound(1, 0.0f, 1.0f);
  EXPECT_EQ(ChannelOf(1), fresh);
  EXPECT_EQ(AudioList::IsSoundPlaying(1), 1);
}

TEST_F(AudioListTest, UnknownIdentifiersDoNothing) {
  ASSERT_EQ(AudioList::LoadSound(path, 1, 1, 1.0f), 1);
  AudioList::PlaySound(1, 0.5f, 0.5f);
  const Mixer::ChannelState before = StateOf(1);
  const size_t channels = mixer().ChannelCount();

  AudioList::PlaySound(2, -1.0f, 1.0f);
  AudioList::PlayMusic(2, -1.0f, 1.0f);
  AudioList::AdjustSound(2, 1.0f, -1.0f);
  AudioList::PauseSound(2);
  AudioList::ResumeSound(2);
  AudioList::StopSound(2);
  EXPECT_EQ(AudioList::IsSoundPlaying(2), 0);
  EXPECT_EQ(AudioList::FindSound(2), nullptr);

  EXPECT_EQ(mixer().ChannelCount(), channels);
  const Mixer::ChannelState after = StateOf(1);
  EXPECT_EQ(after.volume, before.volume);
  EXPECT_EQ(after.pan, before.pan);
  EXPECT_EQ(after.paused, before.paused);
  EXPECT_EQ(after.playing, before.playing);
}

TEST_F(AudioListTest, ASoundWithoutAChannelIsLeftAlone) {
  // Without a backend there is no mixer, so the sound gets no channel.
  ResetServices();
  ASSERT_EQ(AudioList::LoadSound(path, 1, 0, 1.0f), 1);
  ASSERT_EQ(ChannelOf(1), 0u);
  auto b = std::make_unique<HeadlessBackend>();
  backend = b.get();
  InstallBackend(std::move(b));

  AudioList::PlaySound(1, 0.0f, 1.0f);
  AudioList::PlayMusic(1, 0.0f, 1.0f);
  AudioList::AdjustSound(1, 1.0f, 0.0f);
  AudioList::PauseSound(1);
  AudioList::ResumeSound(1);
  AudioList::StopSound(1);
  EXPECT_EQ(AudioList::IsSoundPlaying(1), 0);
  EXPECT_EQ(ChannelOf(1), 0u);
  EXPECT_EQ(AudioList::FindSound(1)->isMusic, 0);
  EXPECT_EQ(mixer().ChannelCount(), 0u);
}

}  // namespace
