// A float that moves toward a target by a rate per tick and stops exactly on
// it: fades, volumes and slides.
#pragma once

class Interpolation {
 public:
  float current = 0.0f;
  float target = 0.0f;
  float rate = 0.0f;  // change per tick, signed

  static Interpolation Create(float value);
  void SetTarget(float newTarget, float speed);
  // Reaches the target in `ticks` ticks; zero or fewer ticks arrive at the
  // next update.
  void SetTargetIn(float newTarget, int ticks);
  void Update(float step);
  double Value() const { return current; }
};
