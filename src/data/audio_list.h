// The sound and music registry: every sound of the game under its catalogue
// identifier, each with a playback channel of its own, so that playing a sound
// that is already playing restarts it instead of overlapping it.  Effects and
// music are scaled by the global SoundVolume and MusicVolume.
#pragma once

#include <memory>
#include <string>

#include "app/interpolation.h"
#include "platform/assets.h"
#include "platform/mixer.h"

struct AudioContainer {
  int soundId = 0;
  int isMusic = 0;  // 1 if last started as music, 0 as an effect
  float baseVolume = 1.0f;
  std::unique_ptr<Sound> sound;
  ChannelId channel = 0;  // 0: no channel
  int paused = 0;         // 1 after PauseSound paused it, until resumed or restarted
};

// Sound loading flag that makes a sound loop.
constexpr int kLoopingSoundFlag = 1;

// The volumes of music and effects, 0 to 1 (start at 1).  Changes reach a
// sound at its next PlaySound, PlayMusic or AdjustSound.
extern Interpolation MusicVolume;
extern Interpolation SoundVolume;

class AudioList {
 public:
  static AudioContainer* FindSound(int id);
  // 1 when the sound was loaded (looping if `loop` is 1) and registered with
  // its catalogue volume, 0 when the identifier is taken or loading failed.
  static int LoadSound(const std::string& path, int id, int loop, float volume);
  // Sets the channel's volume and pan without restarting playback.  Note the
  // order: factor first, then pan (PlaySound and PlayMusic take pan first).
  static void AdjustSound(int id, float factor, float pan);
  // Stops the sound and gives it a fresh channel.
  static void StopSound(int id);
  static void PauseSound(int id);
  // Resumes only a sound that PauseSound paused.
  static void ResumeSound(int id);
  static int IsSoundPlaying(int id);
  // (Re)starts the sound from its beginning as an effect, or as music.
  static void PlaySound(int id, float pan, float factor);
  static void PlayMusic(int id, float pan, float factor);

  // Stops and forgets every sound and puts both volumes back to 1 (for tests;
  // the game never removes a sound).
  static void Reset();
};
