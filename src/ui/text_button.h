// A click button drawn as its caption alone: measured in font 2, drawn in
// font 6, at least 64 pixels wide for hit testing.
#pragma once

#include "ui/control.h"

constexpr int kTextButtonMeasureFont = 2;
constexpr int kTextButtonDrawFont = 6;
constexpr int kTextButtonMinWidth = 64;

class TextButton : public ClickButton {
 public:
  // (x, y) is the top-left corner, not the centre.
  static std::shared_ptr<TextButton> Create(int x, int y, const std::string& caption,
                                            Callback onClick);
  void Draw() override;
};
