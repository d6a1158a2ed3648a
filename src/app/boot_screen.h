// The first screen while the game's content is not yet loaded: a field with a
// few sheep grazing under the game's name, faded in from black.  Escape quits.
#pragma once

#include "app/event.h"

class BootScreen : public Event {
 public:
  static BootScreen* Create();
  void Update(float step) override;
  void Draw() override;

 private:
  float time_ = 0.0f;
};
