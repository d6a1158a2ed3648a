// Software mixer.  Each channel reads its sound with a fractional position in
// sound frames; Render() resamples with linear interpolation and sums all
// channels into an interleaved stereo float buffer, Advance() moves the same
// positions along without producing samples.
//
// Pan law (a linear balance): the side the sound is panned towards keeps the
// full volume, the other side falls linearly to silence at full pan.
//   left gain  = volume * min(1, 1 - pan)
//   right gain = volume * min(1, 1 + pan)
// So a centred mono sound comes out of both speakers at exactly the channel
// volume, and a stereo sound keeps its own left/right picture at pan 0.
#include "platform/mixer.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kMinRate = 0.01f;
constexpr float kMaxRate = 16.0f;
constexpr float kSampleScale = 1.0f / 32768.0f;

bool UsableSound(const Sound& s) {
  return s.sampleRate > 0 && s.channels > 0 && s.FrameCount() > 0;
}
}  // namespace

// `decoded` is read first: once it is set, `ready` is the sound's final length.
Mixer::Readable Mixer::ReadableNow(const Sound& s) {
  Readable r;
  r.decoded = s.Decoded();
  r.ready = s.ReadyFrames();
  r.length = r.decoded ? r.ready : s.decoding->announcedFrames;
  return r;
}

Mixer::Channel* Mixer::Find(ChannelId channel) {
  auto it = channels_.find(channel);
  return it == channels_.end() ? nullptr : &it->second;
}

const Mixer::Channel* Mixer::Find(ChannelId channel) const {
  auto it = channels_.find(channel);
  return it == channels_.end() ? nullptr : &it->second;
}

// A channel moves along its sound when it has one, is resumed and has not run out.
bool Mixer::Moving(const Channel& c) { return c.sound && !c.paused && !c.finished; }

ChannelId Mixer::Allocate() {
  std::lock_guard<std::mutex> lock(mutex_);
  ChannelId id = nextId_++;
  channels_.emplace(id, Channel());
  return id;
}

void Mixer::Cue(const Sound* sound, ChannelId channel) {
  std::lock_guard<std::mutex> lock(mutex_);
  Channel* c = Find(channel);
  if (!c) return;
  c->sound = sound;
  c->position = 0.0;
  c->paused = true;
  c->started = false;
  // A sound with no usable samples is over before it begins.
  c->finished = sound && !UsableSound(*sound);
}

void Mixer::SetVolume(ChannelId channel, float volume) {
  std::lock_guard<std::mutex> lock(mutex_);
  Channel* c = Find(channel);
  if (!c) return;
  if (!(volume > 0.0f)) volume = 0.0f;  // also catches NaN
  c->volume = std::min(volume, 1.0f);
}

void Mixer::SetPan(ChannelId channel, float pan) {
  std::lock_guard<std::mutex> lock(mutex_);
  Channel* c = Find(channel);
  if (!c) return;
  if (std::isnan(pan)) pan = 0.0f;
  c->pan = std::clamp(pan, -1.0f, 1.0f);
}

void Mixer::SetRate(ChannelId channel, float rate) {
  std::lock_guard<std::mutex> lock(mutex_);
  Channel* c = Find(channel);
  if (!c) return;
  if (std::isnan(rate)) rate = 1.0f;
  c->rate = std::clamp(rate, kMinRate, kMaxRate);
}

void Mixer::Pause(ChannelId channel) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Channel* c = Find(channel)) c->paused = true;
}

void Mixer::Resume(ChannelId channel) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (Channel* c = Find(channel)) {
    c->paused = false;
    c->started = true;
  }
}

void Mixer::Stop(ChannelId channel) {
  std::lock_guard<std::mutex> lock(mutex_);
  channels_.erase(channel);
}

// A channel paused after it started still counts as playing (the game pauses
// its music while the window is in the background and asks about it later);
// a cued sound that was never resumed has not started yet.
bool Mixer::IsPlaying(ChannelId channel) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Channel* c = Find(channel);
  return c && c->sound && !c->finished && c->started;
}

Mixer::ChannelState Mixer::StateOf(ChannelId channel) const {
  std::lock_guard<std::mutex> lock(mutex_);
  ChannelState s;
  const Channel* c = Find(channel);
  if (!c) return s;
  s.exists = true;
  s.hasSound = c->sound != nullptr;
  s.paused = c->paused;
  s.playing = c->sound && !c->finished && c->started;
  s.volume = c->volume;
  s.pan = c->pan;
  s.rate = c->rate;
  s.position = c->position;
  return s;
}

// Moves the position on by `soundFrames`; a looping sound wraps around, any
// other sound finishes at its end (the position stays at the end).  While the
// sound is still being decoded the position goes no further than the frames
// decoded so far, and the channel waits there.
void Mixer::AdvanceChannel(Channel& c, double soundFrames, const Readable& r) {
  if (!r.decoded) {
    c.position = std::min(c.position + soundFrames, static_cast<double>(r.ready));
    return;
  }
  const double length = static_cast<double>(r.length);
  if (length <= 0.0 || c.sound->sampleRate <= 0) {  // the sound was emptied after the cue
    c.position = 0.0;
    c.finished = true;
    return;
  }
  c.position += soundFrames;
  if (c.position < length) return;
  if (c.sound->looping) {
    c.position = std::fmod(c.position, length);
  } else {
    c.position = length;
    c.finished = true;
  }
}

void Mixer::MixChannel(Channel& c, float* out, size_t frames, int outputRate) {
  const Sound& s = *c.sound;
  const Readable readable = ReadableNow(s);
  const size_t length = readable.length;
  const size_t stride = static_cast<size_t>(s.channels);
  const size_t rightOffset = s.channels >= 2 ? 1 : 0;  // mono feeds both sides
  const int16_t* data = s.Data();
  if (readable.decoded && (length == 0 || s.sampleRate <= 0)) {  // nothing to play after all
    c.finished = true;
    return;
  }
  const double step = static_cast<double>(s.sampleRate) * c.rate / outputRate;
  const float leftGain = c.volume * std::min(1.0f, 1.0f - c.pan) * kSampleScale;
  const float rightGain = c.volume * std::min(1.0f, 1.0f + c.pan) * kSampleScale;

  for (size_t f = 0; f < frames && !c.finished; ++f) {
    const size_t i0 = static_cast<size_t>(c.position);
    const float frac = static_cast<float>(c.position - static_cast<double>(i0));
    // The frame after the last one is the first again for a looping sound and
    // silence for any other, so the seam and the end interpolate smoothly.
    size_t i1 = i0 + 1;
    // Samples not decoded yet: the channel stays silent where it is.
    if (!readable.decoded && i1 >= readable.ready) break;
    bool silentNext = false;
    if (i1 >= length) {
      if (s.looping) {
        i1 = 0;
      } else {
        silentNext = true;
      }
    }
    const float l0 = data[i0 * stride];
    const float r0 = data[i0 * stride + rightOffset];
    const float l1 = silentNext ? 0.0f : data[i1 * stride];
    const float r1 = silentNext ? 0.0f : data[i1 * stride + rightOffset];
    out[2 * f] += (l0 + (l1 - l0) * frac) * leftGain;
    out[2 * f + 1] += (r0 + (r1 - r0) * frac) * rightGain;
    AdvanceChannel(c, step, readable);
  }
}

void Mixer::Render(float* out, size_t frames, int outputRate) {
  if (frames == 0 || !out) return;
  std::fill(out, out + 2 * frames, 0.0f);
  if (outputRate <= 0) return;
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& entry : channels_) {
    Channel& c = entry.second;
    if (Moving(c)) MixChannel(c, out, frames, outputRate);
  }
  for (size_t i = 0; i < 2 * frames; ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void Mixer::Advance(double ms) {
  if (!(ms > 0.0)) return;
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& entry : channels_) {
    Channel& c = entry.second;
    if (!Moving(c)) continue;
    if (waitsForDecoding_ && !c.sound->Decoded()) c.sound->WaitUntilDecoded();
    AdvanceChannel(c, ms / 1000.0 * c.sound->sampleRate * c.rate, ReadableNow(*c.sound));
  }
}

void Mixer::SetWaitsForDecoding(bool wait) {
  std::lock_guard<std::mutex> lock(mutex_);
  waitsForDecoding_ = wait;
}

void Mixer::Reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  channels_.clear();
}

size_t Mixer::ChannelCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return channels_.size();
}
