#include "data/audio_list.h"

#include <vector>

#include "platform/services.h"

Interpolation MusicVolume = Interpolation::Create(1.0f);
Interpolation SoundVolume = Interpolation::Create(1.0f);

namespace {

std::vector<std::unique_ptr<AudioContainer>>& Sounds() {
  static std::vector<std::unique_ptr<AudioContainer>> sounds;
  return sounds;
}

// The container with a channel for `id`, or none.
AudioContainer* Playable(int id) {
  AudioContainer* c = AudioList::FindSound(id);
  return c != nullptr && c->channel != 0 ? c : nullptr;
}

float EffectiveVolume(const AudioContainer& c, float factor) {
  const Interpolation& volume = c.isMusic == 1 ? MusicVolume : SoundVolume;
  return static_cast<float>(static_cast<double>(factor) * c.baseVolume * volume.Value());
}

void Start(int id, float pan, float factor, int asMusic) {
  AudioContainer* c = Playable(id);
  if (c == nullptr) return;
  c->isMusic = asMusic;
  CueOnChannel(c->sound.get(), c->channel);
  SetChannelVolume(c->channel, EffectiveVolume(*c, factor));
  SetChannelPan(c->channel, pan);
  SetChannelRate(c->channel, 1.0f);
  ResumeChannel(c->channel);
  c->paused = 0;
}

}  // namespace

AudioContainer* AudioList::FindSound(int id) {
  for (const auto& c : Sounds()) {
    if (c->soundId == id) return c.get();
  }
  return nullptr;
}

int AudioList::LoadSound(const std::string& path, int id, int loop, float volume) {
  if (FindSound(id) != nullptr) return 0;
  Sound* sound = LoadSoundFile(path, loop);
  if (sound == nullptr) return 0;
  auto c = std::make_unique<AudioContainer>();
  c->soundId = id;
  c->sound.reset(sound);
  c->channel = AllocateChannel();
  c->baseVolume = volume;
  c->paused = 0;
  c->isMusic = 0;
  Sounds().push_back(std::move(c));
  return 1;
}

void AudioList::AdjustSound(int id, float factor, float pan) {
  AudioContainer* c = Playable(id);
  if (c == nullptr) return;
  SetChannelVolume(c->channel, EffectiveVolume(*c, factor));
  SetChannelPan(c->channel, pan);
}

void AudioList::StopSound(int id) {
  AudioContainer* c = Playable(id);
  if (c == nullptr) return;
  StopChannel(c->channel);
  c->channel = AllocateChannel();
  c->paused = 0;
}

void AudioList::PauseSound(int id) {
  AudioContainer* c = Playable(id);
  if (c == nullptr || !IsChannelPlaying(c->channel)) return;
  PauseChannel(c->channel);
  c->paused = 1;
}

void AudioList::ResumeSound(int id) {
  AudioContainer* c = Playable(id);
  if (c == nullptr || c->paused != 1) return;
  ResumeChannel(c->channel);
  c->paused = 0;
}

int AudioList::IsSoundPlaying(int id) {
  AudioContainer* c = Playable(id);
  return c != nullptr && IsChannelPlaying(c->channel) ? 1 : 0;
}

void AudioList::PlaySound(int id, float pan, float factor) { Start(id, pan, factor, 0); }

void AudioList::PlayMusic(int id, float pan, float factor) { Start(id, pan, factor, 1); }

void AudioList::Reset() {
  // The mixer must not keep playing a sound that is about to be freed.
  for (const auto& c : Sounds()) {
    if (c->channel != 0) StopChannel(c->channel);
  }
  Sounds().clear();
  MusicVolume = Interpolation::Create(1.0f);
  SoundVolume = Interpolation::Create(1.0f);
}
