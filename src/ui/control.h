// The on-screen controls every menu is built from: the base `Control`, the
// image button `Button`, the press-animated `ClickButton` and the
// animation-faced `AnimatedButton`.  They react to the game pointer and call a
// plain callback when clicked.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/interpolation.h"
#include "data/animation_list.h"

// What a click does.  An empty callback is "none": such a control never clicks.
using Callback = std::function<void()>;

// Sounds and fonts of the controls.
constexpr int kHoverSound = 4;
constexpr int kClickSound = 6;
constexpr int kCaptionFont = 1;
constexpr int kButtonFaceImage = 16;

// Sets the drawing colour to a grey level, multiplied by the global tint when
// `tinted` is set (components truncated toward zero).
void SetGreyColour(double grey, int tinted);

class Control : public std::enable_shared_from_this<Control> {
 public:
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int enabled = 1;

  virtual ~Control() = default;
  virtual void Update(float dt) { (void)dt; }
  // Called only while `enabled` is set.
  virtual void HandleInput(float dt) { (void)dt; }
  virtual void Draw() {}
  int IsPointerOver() const;

  // Set while the control is in the GUI list (bookkeeping of the registry).
  bool inGui = false;

 protected:
  // Takes the control out of the GUI list.
  void RemoveSelf();
};

// The fields and behaviour shared by `Button` and `AnimatedButton`.
class ButtonBase : public Control {
 public:
  Interpolation brightness = Interpolation::Create(248.0f);
  Interpolation scale = Interpolation::Create(0.94f);
  Interpolation alpha = Interpolation::Create(1.0f);
  int tinted = 0;
  std::string caption;
  int ready = 0;
  int hoverSoundArmed = 0;
  Callback onClick;

  void Update(float dt) override;
  void HandleInput(float dt) override;

 protected:
  // Advances what else the control animates (an AnimatedButton's animation).
  virtual void UpdateExtra(float dt) { (void)dt; }
  // Whether a click also clears PointerDown and PointerArmed.
  virtual bool ConsumesPress() const { return true; }
  // Sets the scale and brightness targets for the look of the moment (normal,
  // hovered, with the hover sound, or disabled) anew, then the draw scale.
  void ApplyLook();
  // The targets while disabled: shrunk to 0.84 and darkened.
  virtual void ApplyDisabledLook();
  // The face colour: the brightness grey, times the global tint if `tinted`.
  void ApplyFaceColour() const;
};

class Button : public ButtonBase {
 public:
  int imageId = 0;

  static std::shared_ptr<Button> Create(int x, int y, int imageId, Callback onClick);
  static std::shared_ptr<Button> CreateWithCaption(int x, int y, const std::string& caption,
                                                   Callback onClick);
  void Draw() override;

 protected:
  // Sizes the control to the image's frame and centres it on (x, y).
  void Place(int x, int y, int image);
  void DrawCaption() const;
  // A button of kind T with its image, centred on (x, y).
  template <typename T>
  static std::shared_ptr<T> Make(int x, int y, int imageId, Callback onClick) {
    auto b = std::make_shared<T>();
    b->Place(x, y, imageId);
    b->imageId = imageId;
    b->onClick = std::move(onClick);
    return b;
  }
};

class ClickButton : public Button {
 public:
  int pressedLatch = 0;
  int solidBlend = 0;

  static std::shared_ptr<ClickButton> Create(int x, int y, int imageId, Callback onClick);
  static std::shared_ptr<ClickButton> CreateWithCaption(int x, int y, const std::string& caption,
                                                        Callback onClick);
  void Draw() override;

 protected:
  // Shrinks to 0.84 and darkens like a button, but once fully shrunk springs
  // back to full size and brightness for good.
  void ApplyDisabledLook() override;
};

class AnimatedButton : public ButtonBase {
 public:
  std::unique_ptr<Animation> animation;

  static std::shared_ptr<AnimatedButton> Create(int x, int y, int animationId, Callback onClick);
  void Draw() override;

 protected:
  void UpdateExtra(float dt) override;
  bool ConsumesPress() const override { return false; }
};
