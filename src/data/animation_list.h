// Animations: sequences of image identifiers, each shown for a whole number of
// ticks, played once or looped.  The registry holds one template per animation
// identifier; characters, buttons and screens take private copies with
// NewAnimation, advance them with Update and draw CurrentImage().
#pragma once

#include <memory>
#include <vector>

// The image identifier an animation shows past its end (no image).
constexpr int kNoAnimationImage = 0;

class Frame {
 public:
  int imageId = 0;
  int ticks = 0;  // how long the image is shown

  std::shared_ptr<Frame> Copy() const;
};

class Animation {
 public:
  int animId = 0;
  int totalTicks = 0;  // sum of the frames' ticks
  int looping = 0;     // 1: playback wraps around
  float elapsed = 0.0f;
  // Shared by the template and all its copies; never changed once built.
  std::vector<std::shared_ptr<const Frame>> frames;

  // 1 when there are no frames or the whole length has been played.
  int IsFinished() const;
  // The image to show now; kNoAnimationImage past the end.
  int CurrentImage() const;
  // A copy with its own `elapsed` and the same frames.
  std::unique_ptr<Animation> Copy() const;
  // Advances by `step` ticks; a looping animation wraps around, any other
  // keeps counting past its end.
  void Update(float step);
};

class AnimationList {
 public:
  // Appends a frame to the template `animId`, creating the template (not
  // looping) when it does not exist yet.
  static void AddFrame(int animId, int imageId, int ticks);
  static void SetLooping(int animId, int flag);
  // A fresh copy of the template, or none for an unknown identifier.
  static std::unique_ptr<Animation> NewAnimation(int animId);

  // The templates in registration order (for inspection).
  static const std::vector<Animation>& Templates();
  // Forgets every template (for tests; the game builds them once).
  static void Reset();
};

// Registers the game's animations; the loading screen calls it once, after
// its last asset.
void BuildGameAnimations();
