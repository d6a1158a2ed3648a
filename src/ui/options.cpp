#include "ui/options.h"

#include "app/globals.h"
#include "data/audio_list.h"
#include "data/font_list.h"
#include "platform/services.h"
#include "ui/gui.h"
#include "ui/key_names.h"
#include "ui/message_list.h"
#include "ui/panels.h"

int OptionsState = kOptionsNeverOpened;
Interpolation OptionsFade = Interpolation::Create(0.0f);
Callback OptionsOnClose;
int KeyBeingBound = kBindNone;
std::shared_ptr<SliderControl> MusicSlider;
std::shared_ptr<SliderControl> SoundSlider;
std::shared_ptr<ToggleButton> FullScreenToggle;
std::shared_ptr<ToggleButton> RendererToggle;
std::shared_ptr<TextButton> LeftKeyButton;
std::shared_ptr<TextButton> RightKeyButton;
std::shared_ptr<TextButton> UpKeyButton;
std::shared_ptr<TextButton> DownKeyButton;
std::shared_ptr<TextButton> ActionKeyButton;
std::shared_ptr<ClickButton> OptionsOKButton;

namespace {

struct Binding {
  int* keyCode;
  std::shared_ptr<TextButton>* button;
  const char* prompt;
};

// Indexed by the binding's number.
const Binding& BindingOf(int number) {
  static const Binding bindings[] = {
      {nullptr, nullptr, ""},
      {&KeyCodeLeft, &LeftKeyButton, "Press key for left"},
      {&KeyCodeRight, &RightKeyButton, "Press key for right"},
      {&KeyCodeUp, &UpKeyButton, "Press key for up"},
      {&KeyCodeDown, &DownKeyButton, "Press key for down"},
      {&KeyCodeAction, &ActionKeyButton, "Press action key"},
  };
  return bindings[number];
}

void StartBinding(int number) {
  const Binding& b = BindingOf(number);
  (*b.button)->enabled = 1;
  (*b.button)->caption = b.prompt;
  KeyCaptureRequested = number;
  KeyBeingBound = number;
}

void FadeIn(Interpolation& alpha) {
  alpha.current = 0.01f;
  alpha.SetTargetIn(1.0f, 50);
}

void Label(const char* text, int y) { DrawTextAt(text, 250.0f, static_cast<float>(y)); }

}  // namespace

int Options::IsOpen() { return OptionsState == kOptionsOpen ? 1 : 0; }

void Options::Open(Callback onClose) {
  GUI::SetAllEnabled(0);
  MusicSlider = SliderControl::Create(500, 122);
  SoundSlider = SliderControl::Create(500, 154);
  MusicSlider->value = static_cast<float>(MusicVolume.Value());
  SoundSlider->value = static_cast<float>(SoundVolume.Value());

  FullScreenToggle = ToggleButton::Create(500, 186, kToggleFaceImage, Options::ToggleFullScreen);
  RendererToggle = ToggleButton::Create(500, 218, kToggleFaceImage, Options::ToggleRenderer);
  for (ToggleButton* t : {FullScreenToggle.get(), RendererToggle.get()}) {
    t->markX = t->x + 20;
    t->markY = t->y + 12;
  }
  FullScreenToggle->markImageId = FullScreen ? kCheckMarkImage : 0;
  RendererToggle->markImageId = RendererChoice == 1 ? kCheckMarkImage : 0;

  LeftKeyButton = TextButton::Create(452, 250, KeyName(KeyCodeLeft), Options::BindLeft);
  RightKeyButton = TextButton::Create(452, 282, KeyName(KeyCodeRight), Options::BindRight);
  UpKeyButton = TextButton::Create(452, 314, KeyName(KeyCodeUp), Options::BindUp);
  DownKeyButton = TextButton::Create(452, 346, KeyName(KeyCodeDown), Options::BindDown);
  ActionKeyButton = TextButton::Create(452, 378, KeyName(KeyCodeAction), Options::BindAction);
  OptionsOKButton = ClickButton::CreateWithCaption(ScreenWidth / 2, 490, "OK", Options::Close);

  FadeIn(MusicSlider->alpha);
  FadeIn(SoundSlider->alpha);
  GUI::Add(MusicSlider);
  GUI::Add(SoundSlider);
  for (const std::shared_ptr<ClickButton>& b :
       {std::shared_ptr<ClickButton>(FullScreenToggle), std::shared_ptr<ClickButton>(RendererToggle),
        std::shared_ptr<ClickButton>(LeftKeyButton), std::shared_ptr<ClickButton>(RightKeyButton),
        std::shared_ptr<ClickButton>(UpKeyButton), std::shared_ptr<ClickButton>(DownKeyButton),
        std::shared_ptr<ClickButton>(ActionKeyButton), OptionsOKButton}) {
    FadeIn(b->alpha);
    GUI::Add(b);
  }

  FadeTintTo(128.0f, 20);
  OptionsFade.SetTargetIn(1.0f, 50);
  OptionsState = kOptionsOpen;
  OptionsOnClose = std::move(onClose);
}

void Options::BindLeft() { StartBinding(kBindLeft); }
void Options::BindRight() { StartBinding(kBindRight); }
void Options::BindUp() { StartBinding(kBindUp); }
void Options::BindDown() { StartBinding(kBindDown); }
void Options::BindAction() { StartBinding(kBindAction); }

void Options::ToggleFullScreen() {
  FullScreenToggle->enabled = 1;
  FullScreen = FullScreen == 1 ? 0 : 1;
  FullScreenToggle->markImageId = FullScreen ? kCheckMarkImage : 0;
  MessageList::Show(kDisplayNoticeMessage, Options::DisplayNoticeClosed);
}

void Options::ToggleRenderer() {
  RendererToggle->enabled = 1;
  RendererChoice = RendererChoice == 1 ? 0 : 1;
  RendererToggle->markImageId = RendererChoice == 1 ? kCheckMarkImage : 0;
  MessageList::Show(kDisplayNoticeMessage, Options::DisplayNoticeClosed);
}

void Options::DisplayNoticeClosed() {
  RedoDisplaySetup = 1;
  MessageList::Forget(kDisplayNoticeMessage);
}

void Options::Close() {
  for (Interpolation* a : {&OptionsOKButton->alpha, &MusicSlider->alpha, &SoundSlider->alpha,
                           &FullScreenToggle->alpha, &RendererToggle->alpha}) {
    a->SetTargetIn(0.0f, 20);
  }
  for (TextButton* b : {LeftKeyButton.get(), RightKeyButton.get(), UpKeyButton.get(),
                        DownKeyButton.get(), ActionKeyButton.get()}) {
    b->alpha.SetTargetIn(0.0f, 10);
  }
  GUI::SetAllEnabled(1);
  FadeTintTo(255.0f, 20);
  OptionsState = kOptionsClosed;
  if (OptionsOnClose) {
    Callback call = OptionsOnClose;
    OptionsOnClose = nullptr;
    call();
  }
}

void Options::Update(float dt) {
  if (KeyBeingBound != KeyCaptureRequested) {
    if (KeyBeingBound != kBindNone) {
      const Binding& b = BindingOf(KeyBeingBound);
      if (CapturedKeyCode == kKeyEscape) {
        FlushInput();
      } else {
        *b.keyCode = CapturedKeyCode;
        (*b.button)->caption = KeyName(CapturedKeyCode);
      }
    }
    KeyBeingBound = kBindNone;
    PointerX = PointerAnchorX = ScreenWidth / 2;
    PointerY = PointerAnchorY = ScreenHeight / 2;
    MoveMousePointer(ScreenWidth / 2, ScreenHeight / 2);
  }
  OptionsFade.Update(dt);
  if (MusicVolume.current != MusicSlider->value) MusicVolume.SetTargetIn(MusicSlider->value, 20);
  if (SoundVolume.current != SoundSlider->value) SoundVolume.SetTargetIn(SoundSlider->value, 20);
  MusicVolume.Update(dt);
  SoundVolume.Update(dt);
}

void Options::Draw() {
  const float fade = static_cast<float>(OptionsFade.Value());
  SetDrawColour(255, 255, 255);
  DrawFramedBox(144, 24, 512, 528, 0.6f * fade, 0);
  DrawFramedBox(152, 32, 496, 512, 0.2f * fade, 0);
  SetDrawScale(1.0f, 1.0f);
  SetBlendMode(kBlendAlpha);
  SetDrawAlpha(fade);
  SetDrawColour(0, 0, 0);
  FontList::UseFont(kLargeTitleFont);
  DrawTextAt("Options", static_cast<float>((ScreenWidth - TextWidthOf("Options")) / 2), 60.0f);
  FontList::UseFont(kLargeBodyFont);
  Label("Music volume", 108);
  Label("Sound FX volume", 140);
  Label("Fullscreen", 172);
  Label("Alternate renderer", 204);
  Label("Left key", 248);
  Label("Right key", 280);
  Label("Up key", 312);
  Label("Down key", 344);
  Label("Action key", 376);
  FontList::UseFont(kSmallBodyFont);
  Label("For gamepad control: use the default", 408);
  Label("X And Y axis, and button 0.", 424);
}

void Options::Reset() {
  OptionsState = kOptionsNeverOpened;
  OptionsFade = Interpolation::Create(0.0f);
  OptionsOnClose = nullptr;
  KeyBeingBound = kBindNone;
  MusicSlider = SoundSlider = nullptr;
  FullScreenToggle = RendererToggle = nullptr;
  LeftKeyButton = RightKeyButton = UpKeyButton = DownKeyButton = ActionKeyButton = nullptr;
  OptionsOKButton = nullptr;
}
