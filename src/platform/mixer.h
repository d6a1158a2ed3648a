// Software mixer: the playback channels of the sound service.  Every channel
// plays at most one sound with its own volume, pan, rate and paused state.  The
// real backend pulls mixed samples from its audio thread with Render(); the
// headless backend moves the channels along its virtual clock with Advance().
// All functions are safe to call from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>

#include "platform/assets.h"

// A channel handle; 0 is no channel.  Handles are never reused, so a stopped
// channel's handle stays harmless.
using ChannelId = uint32_t;

class Mixer {
 public:
  // What a channel holds right now (for the backends and for tests).
  struct ChannelState {
    bool exists = false;    // allocated and not stopped
    bool hasSound = false;  // a sound is cued on it
    bool paused = true;     // cued sounds wait paused until resumed
    bool playing = false;   // a sound is on it, resumed, not yet finished
    float volume = 1.0f;
    float pan = 0.0f;
    float rate = 1.0f;
    double position = 0.0;  // in sample frames of the sound
  };

  ChannelId Allocate();
  // Stops whatever the channel was playing and puts the sound at its start, paused.
  void Cue(const Sound* sound, ChannelId channel);
  void SetVolume(ChannelId channel, float volume);  // clamped to 0..1
  void SetPan(ChannelId channel, float pan);        // clamped to -1..1
  void SetRate(ChannelId channel, float rate);      // playback-speed factor, > 0
  void Pause(ChannelId channel);
  void Resume(ChannelId channel);
  // Stops the channel for good; the handle is not used again.
  void Stop(ChannelId channel);
  bool IsPlaying(ChannelId channel) const;
  ChannelState StateOf(ChannelId channel) const;

  // Mixes `frames` stereo frames at `outputRate` Hz into `out` (interleaved
  // left, right; overwritten, not added to), advancing every playing channel.
  void Render(float* out, size_t frames, int outputRate);
  // Advances every playing channel by `ms` milliseconds without producing
  // samples; a non-looping sound that runs out stops playing.
  void Advance(double ms);
  // A channel whose sound is still being decoded in the background is silent
  // and stays where it is until the samples arrive.  With waiting on, Advance
  // instead waits for such a sound's decode to finish, so that a virtual clock
  // moves the channels the same way however fast the decoding goes.
  void SetWaitsForDecoding(bool wait);
  // Forgets every channel (for tests and shutdown).
  void Reset();
  size_t ChannelCount() const;

 private:
  struct Channel {
    const Sound* sound = nullptr;
    bool paused = true;
    bool finished = false;
    bool started = false;  // resumed at least once since the last cue
    float volume = 1.0f;
    float pan = 0.0f;
    float rate = 1.0f;
    double position = 0.0;
  };
  // What of a sound can be read at one moment.
  struct Readable {
    bool decoded = true;  // `length` is final
    size_t ready = 0;     // frames that can be read
    size_t length = 0;    // frames in all (the announced length while decoding)
  };
  static Readable ReadableNow(const Sound& s);
  void AdvanceChannel(Channel& c, double soundFrames, const Readable& r);
  // Adds one channel's contribution to `out`; the caller holds the mutex.
  void MixChannel(Channel& c, float* out, size_t frames, int outputRate);
  // The channel for a handle, or null for an unknown or stopped one.
  Channel* Find(ChannelId channel);
  const Channel* Find(ChannelId channel) const;
  static bool Moving(const Channel& c);

  mutable std::mutex mutex_;
  std::map<ChannelId, Channel> channels_;
  ChannelId nextId_ = 1;
  bool waitsForDecoding_ = false;
};
