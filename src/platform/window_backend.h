// The backend of a real game: an SDL2 window drawn by the OpenGL renderer or
// by the SDL-renderer one, keyboard, mouse and the first game controller, and
// the sound device mixing the service layer's channels.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/frame_renderer.h"

class WindowBackend : public Backend {
 public:
  // Starts SDL's video and controllers, and sound when a device can be had
  // (no sound device does not stop the game; no video makes every display
  // fail to open).
  static std::unique_ptr<WindowBackend> Create();
  ~WindowBackend() override;

  // For tests and benchmarks.
  FrameRenderer* ActiveRenderer() const { return active_; }
  SDL_Window* Window() const { return window_; }
  bool HasSoundDevice() const { return audio_ != 0; }

  int Milliseconds() override;
  void SleepMs(int ms) override;
  void SelectRenderer(int renderer, int flags) override;
  int DisplayModeExists(int width, int height, int depth, int refresh) override;
  Display* OpenDisplay(int width, int height, int depth, int refresh, int flags) override;
  void MakeDisplayCurrent(Display* display) override;
  void CloseDisplay(Display* display) override;
  int Direct3D7DeviceUsable() override;
  void SetWindowTitle(const std::string& title) override;
  void SetWindowIconFile(const std::string& path) override;
  std::string DriverText(int driver) override;
  void LoadGamepadMappings(const std::string& path) override;
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
  void HideMousePointer() override;
  Mixer& SoundMixer() override { return mixer_; }
  void ShowMessageBox(const std::string& text, int serious) override;

 private:
  struct WindowDisplay : Display {
    SDL_Window* window = nullptr;
    FrameRenderer* frameRenderer = nullptr;
  };
  WindowBackend() = default;
  int presented_ = 0;  // frames presented, for the input script
  void HandleEvent(const SDL_Event& event, InputState& input);
  void UpdateGamepadAxes(InputState& input);
  void OpenFirstGamepad();
  void CloseGamepad(InputState& input);
  // Window coordinates to game pixels and back, through the letterbox.
  void WindowToGame(int wx, int wy, int* gx, int* gy) const;
  void GameToWindow(int gx, int gy, int* wx, int* wy) const;
  void ApplyIcon(SDL_Window* window);
  static void AudioCallback(void* self, Uint8* stream, int len);

  std::unique_ptr<FrameRenderer> renderers_[2];
  int selected_ = 1;
  WindowDisplay* current_ = nullptr;
  SDL_Window* window_ = nullptr;
  FrameRenderer* active_ = nullptr;
  std::vector<uint32_t> lastFrame_;  // kept when a display closes
  std::string title_ = "Fleecewick";
  std::vector<uint32_t> iconPixels_;
  int iconW_ = 0, iconH_ = 0;
  bool pointerHidden_ = false;
  bool videoOk_ = true;

  Mixer mixer_;
  SDL_AudioDeviceID audio_ = 0;
  int audioRate_ = 44100;
  uint32_t lastMixTicks_ = 0;  // without a device, channels follow the clock

  SDL_GameController* pad_ = nullptr;
  SDL_JoystickID padId_ = -1;
  float stickX_ = 0, stickY_ = 0;
  bool dpad_[4] = {};  // left, right, up, down
};
