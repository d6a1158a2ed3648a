// The options overlay that the title screen and the in-level menu open over
// themselves: volume sliders, the full-screen and renderer toggles, the five
// key bindings and "OK".  Its state lives in globals; the screen that opened
// it calls Update and Draw while it is open.
#pragma once

#include <memory>

#include "app/interpolation.h"
#include "ui/control.h"
#include "ui/slider_control.h"
#include "ui/text_button.h"
#include "ui/toggle_button.h"

constexpr int kOptionsNeverOpened = 0;
constexpr int kOptionsOpen = 1;
constexpr int kOptionsClosed = 2;

// Which key is being bound (KeyBeingBound and the capture request).
constexpr int kBindNone = 0;
constexpr int kBindLeft = 1;
constexpr int kBindRight = 2;
constexpr int kBindUp = 3;
constexpr int kBindDown = 4;
constexpr int kBindAction = 5;

// The notice shown after a display change.
constexpr int kDisplayNoticeMessage = 18;

extern int OptionsState;
extern Interpolation OptionsFade;
extern Callback OptionsOnClose;
extern int KeyBeingBound;
extern std::shared_ptr<SliderControl> MusicSlider;
extern std::shared_ptr<SliderControl> SoundSlider;
extern std::shared_ptr<ToggleButton> FullScreenToggle;
extern std::shared_ptr<ToggleButton> RendererToggle;
extern std::shared_ptr<TextButton> LeftKeyButton;
extern std::shared_ptr<TextButton> RightKeyButton;
extern std::shared_ptr<TextButton> UpKeyButton;
extern std::shared_ptr<TextButton> DownKeyButton;
extern std::shared_ptr<TextButton> ActionKeyButton;
extern std::shared_ptr<ClickButton> OptionsOKButton;

class Options {
 public:
  static int IsOpen();
  static void Open(Callback onClose);
  static void BindLeft();
  static void BindRight();
  static void BindUp();
  static void BindDown();
  static void BindAction();
  static void ToggleFullScreen();
  static void DisplayNoticeClosed();
  static void ToggleRenderer();
  static void Close();
  static void Update(float dt);
  static void Draw();
  // Back to the state at program start (for tests).
  static void Reset();
};
