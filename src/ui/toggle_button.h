// A click button that draws a mark image over its face; its owner sets the
// mark (or 0 for none) in its click callback.
#pragma once

#include "ui/control.h"

constexpr int kToggleFaceImage = 3006;
constexpr int kCheckMarkImage = 3032;

class ToggleButton : public ClickButton {
 public:
  int markImageId = 0;
  int markX = 0;
  int markY = 0;

  static std::shared_ptr<ToggleButton> Create(int x, int y, int imageId, Callback onClick);
  void Draw() override;
};
