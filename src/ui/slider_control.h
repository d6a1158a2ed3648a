// A horizontal slider whose knob the held pointer drags; its owner reads
// `value` (0 at the left, 1 at the right) every frame.
#pragma once

#include "ui/control.h"

constexpr int kSliderTrackImage = 77;
constexpr int kSliderKnobImage = 3033;

class SliderControl : public Control {
 public:
  float value = 0.0f;
  Interpolation brightness = Interpolation::Create(248.0f);
  Interpolation scale = Interpolation::Create(0.94f);
  Interpolation alpha = Interpolation::Create(1.0f);
  int tinted = 0;
  int ready = 0;
  int hoverSoundArmed = 0;

  // Centred on x; the hit band is a quarter of the track's height around y.
  static std::shared_ptr<SliderControl> Create(int x, int y);
  void Update(float dt) override;
  // Neither ClickReady nor PointerDown is cleared, so the drag goes on every
  // frame while the button is held over the slider.
  void HandleInput(float dt) override;
  void Draw() override;
};
