// The backend without window or sound device, used by tests, tools and
// --headless runs: a virtual millisecond clock that only SleepMs advances,
// input from a script, a recorder of every drawing call with the drawing state
// at the call, and a mixer whose channels move along the virtual clock (which
// waits for sounds still being decoded).
#pragma once

#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/input_script.h"

class HeadlessBackend : public Backend {
 public:
  struct DrawCall {
    enum Kind { kClear, kImage, kRect, kOval, kText };
    Kind kind = kClear;
    const Image* image = nullptr;
    int frame = 0;
    float x = 0, y = 0, w = 0, h = 0;
    std::string text;
    const Font* font = nullptr;
    DrawState state;
  };

  HeadlessBackend();

  // Test and run controls.
  void SetClock(int ms) { clock_ = ms; }
  void SetDesktopSize(int width, int height);
  // The colour depths the display lists for full screen (default 32, 24, 16, 15).
  void SetFullScreenDepths(std::vector<int> depths) { depths_ = std::move(depths); }
  void SetRendererWorks(int renderer, bool works);
  void SetDeviceUsable(bool usable) { deviceUsable_ = usable; }

  // What happened.
  int PresentedFrames() const { return presented_; }
  const std::vector<DrawCall>& FrameCalls() const { return building_; }
  const std::vector<DrawCall>& LastFrame() const { return last_; }
  const std::vector<int>& PresentSyncs() const { return syncs_; }
  const std::vector<std::string>& MessageBoxes() const { return messages_; }
  const std::string& WindowTitle() const { return title_; }
  const std::string& WindowIcon() const { return icon_; }
  bool PointerHidden() const { return pointerHidden_; }
  int SleptMs() const { return slept_; }
  int OpenDisplays() const { return openDisplays_; }
  int DisplaysOpened() const { return displaysOpened_; }
  const Display* CurrentDisplay() const { return current_; }
  bool EchoMessageBoxes = true;  // also write message boxes to standard error

  // Backend.
  int Milliseconds() override { return clock_; }
  void SleepMs(int ms) override;
  void SelectRenderer(int renderer, int flags) override;
  int DisplayModeExists(int width, int height, int depth, int refresh) override;
  Display* OpenDisplay(int width, int height, int depth, int refresh, int flags) override;
  void MakeDisplayCurrent(Display* display) override;
  void CloseDisplay(Display* display) override;
  int Direct3D7DeviceUsable() override { return deviceUsable_ ? 1 : 0; }
  void SetWindowTitle(const std::string& title) override { title_ = title; }
  void SetWindowIconFile(const std::string& path) override { icon_ = path; }
  std::string DriverText(int driver) override;
  void ClearScreen() override;
  void PresentFrame(int sync) override;
  void DrawImage(Image& image, float x, float y, int frame, const DrawState& state) override;
  void DrawRect(float x, float y, float w, float h, const DrawState& state) override;
  void DrawOval(float x, float y, float w, float h, const DrawState& state) override;
  void DrawText(const std::string& text, float x, float y, const Font& font,
                const DrawState& state) override;
  bool SaveScreenshot(const std::string& path, std::string* error) override;
  void PumpEvents(InputState& input) override;
  bool WaitForEvent(InputState& input) override;
  void MoveMousePointer(int x, int y, InputState& input) override;
  void HideMousePointer() override { pointerHidden_ = true; }
  Mixer& SoundMixer() override { return mixer_; }
  void ShowMessageBox(const std::string& text, int serious) override;

 private:
  struct HeadlessDisplay : Display {};

  int clock_ = 1000;
  int slept_ = 0;
  int desktopW_ = 1920, desktopH_ = 1080;
  std::vector<int> depths_{32, 24, 16, 15};
  bool rendererWorks_[2] = {true, true};
  int selected_ = kRendererOpenGLSlot;
  bool deviceUsable_ = true;
  Display* current_ = nullptr;
  int openDisplays_ = 0;
  int displaysOpened_ = 0;
  std::vector<DrawCall> building_, last_;
  std::vector<int> syncs_;
  int presented_ = 0;
  std::vector<std::string> messages_;
  std::string title_, icon_;
  bool pointerHidden_ = false;
  Mixer mixer_;

  static constexpr int kRendererOpenGLSlot = 1;
};
