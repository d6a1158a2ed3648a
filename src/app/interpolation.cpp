#include "app/interpolation.h"

Interpolation Interpolation::Create(float value) {
  Interpolation i;
  i.current = value;
  i.target = value;
  i.rate = 0.0f;
  return i;
}

void Interpolation::SetTarget(float newTarget, float speed) {
  target = newTarget;
  rate = newTarget < current ? -speed : speed;
}

void Interpolation::SetTargetIn(float newTarget, int ticks) {
  target = newTarget;
  rate = (newTarget - current) / static_cast<float>(ticks > 0 ? ticks : 1);
}

// Never overshoots: arriving sets the value to the target and clears the rate.
// A rate pointing away from the target (only after `current` was written
// directly) moves the value away without end, as callers expect.
void Interpolation::Update(float step) {
  if (current >= target) {
    if (current == target) return;
    current += step * rate;
    if (current > target) return;
  } else {
    current += step * rate;
    if (current < target) return;
  }
  current = target;
  rate = 0.0f;
}
