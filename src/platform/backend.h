// What a platform backend provides under the service layer: the clock, the
// display and its renderers, drawing, input events and the sound device.  The
// SDL2/OpenGL backend and the headless backend implement it; exactly one is
// installed at a time.
#pragma once

#include <memory>
#include <string>

#include "platform/assets.h"
#include "platform/draw_state.h"
#include "platform/input_script.h"
#include "platform/input_state.h"
#include "platform/mixer.h"

struct Display {
  virtual ~Display() = default;
  int width = 0;
  int height = 0;
  int depth = 0;  // 0 for a window
  int renderer = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;

  // Clock: a millisecond counter; only differences matter.
  virtual int Milliseconds() = 0;
  virtual void SleepMs(int ms) = 0;

  // Display.
  virtual void SelectRenderer(int renderer, int flags) = 0;
  virtual int DisplayModeExists(int width, int height, int depth, int refresh) = 0;
  virtual Display* OpenDisplay(int width, int height, int depth, int refresh, int flags) = 0;
  virtual void MakeDisplayCurrent(Display* display) = 0;
  virtual void CloseDisplay(Display* display) = 0;
  virtual int Direct3D7DeviceUsable() = 0;
  virtual void SetWindowTitle(const std::string& title) = 0;
  virtual void SetWindowIconFile(const std::string& path) = 0;
  virtual std::string DriverText(int driver) = 0;
  // Gamepad button and axis mappings in SDL's text format, when the file exists.
  virtual void LoadGamepadMappings(const std::string& path) { (void)path; }

  // Drawing, with the state current at the call.
  virtual void ClearScreen() = 0;
  virtual void PresentFrame(int sync) = 0;
  virtual void DrawImage(Image& image, float x, float y, int frame, const DrawState& state) = 0;
  virtual void DrawRect(float x, float y, float w, float h, const DrawState& state) = 0;
  virtual void DrawOval(float x, float y, float w, float h, const DrawState& state) = 0;
  virtual void DrawText(const std::string& text, float x, float y, const Font& font,
                        const DrawState& state) = 0;
  // Writes the last presented frame as a PNG; false with a reason when there is
  // none (the headless backend has no pixels).
  virtual bool SaveScreenshot(const std::string& path, std::string* error) = 0;

  // Input: process pending events into the state tables.  WaitForEvent
  // blocks until at least one more event was processed or none can come.
  virtual void PumpEvents(InputState& input) = 0;
  virtual bool WaitForEvent(InputState& input) = 0;
  virtual void MoveMousePointer(int x, int y, InputState& input) = 0;
  virtual void HideMousePointer() = 0;

  // Sound: the backend mixes the service layer's channels.
  virtual Mixer& SoundMixer() = 0;

  // A modal message box captioned with the application title.
  virtual void ShowMessageBox(const std::string& text, int serious) = 0;

  // Scripted input, played along with whatever else the backend reads: its
  // events come due by the number of frames presented, and a wait for a key
  // takes the next one.  Headless runs use it, and so do demo and screenshot
  // runs in a real window.
  void SetScript(std::vector<ScriptEvent> events) { script_.Set(std::move(events)); }
  void ArmScript() { script_.Arm(); }

 protected:
  ScriptPlayer script_;
};

// The backend with a real window, renderers, sound and controllers.
std::unique_ptr<Backend> CreateWindowBackend();

// The installed backend (none until InstallBackend); installing a new one
// replaces and destroys the previous.
void InstallBackend(std::unique_ptr<Backend> backend);
Backend* CurrentBackend();
// The service layer's own state: the input tables and the drawing state.
InputState& Input();
DrawState& CurrentDrawState();
// Puts the service layer back as at program start (for tests).
void ResetServices();
