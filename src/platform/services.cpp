// The service layer: keeps the drawing state and the input tables and passes
// each operation to the installed backend.
#include "platform/services.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/backend.h"
#include "platform/builtin_font.h"

namespace {
std::unique_ptr<Backend> TheBackend;
InputState TheInput;
DrawState TheDrawState;

int ClampByte(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

const Font& FontInUse() {
  return TheDrawState.font ? *TheDrawState.font : *BuiltinFont();
}

void Pump() {
  if (TheBackend) TheBackend->PumpEvents(TheInput);
}

Mixer* TheMixer() { return TheBackend ? &TheBackend->SoundMixer() : nullptr; }
}  // namespace

void InstallBackend(std::unique_ptr<Backend> backend) { TheBackend = std::move(backend); }
Backend* CurrentBackend() { return TheBackend.get(); }
InputState& Input() { return TheInput; }
DrawState& CurrentDrawState() { return TheDrawState; }

void ResetServices() {
  TheBackend.reset();
  TheInput.Reset();
  TheDrawState = DrawState();
  SetDataFolder("");
  SeedRandom(0);
}

// ---- Drawing -------------------------------------------------------------
void ClearScreen() {
  if (TheBackend) TheBackend->ClearScreen();
}

void PresentFrame(int sync) {
  if (TheBackend) TheBackend->PresentFrame(sync);
}

void SetDrawColour(int r, int g, int b) {
  TheDrawState.r = ClampByte(r);
  TheDrawState.g = ClampByte(g);
  TheDrawState.b = ClampByte(b);
}

// Alpha is kept as a byte, so 0.999 draws like 254/255.
void SetDrawAlpha(float alpha) {
  if (!(alpha > 0.0f)) alpha = 0.0f;
  if (alpha > 1.0f) alpha = 1.0f;
  TheDrawState.alpha = static_cast<uint8_t>(TruncToInt(255.0f * alpha));
}

void SetBlendMode(int mode) {
  if (mode >= kBlendMask && mode <= kBlendShade) TheDrawState.blend = mode;
}

void SetDrawScale(float sx, float sy) {
  TheDrawState.scaleX = sx;
  TheDrawState.scaleY = sy;
}

void SetViewportRect(int x, int y, int w, int h) {
  TheDrawState.viewX = x;
  TheDrawState.viewY = y;
  TheDrawState.viewW = w < 0 ? 0 : w;
  TheDrawState.viewH = h < 0 ? 0 : h;
}

void DrawImageAt(Image* image, float x, float y, int frame) {
  if (!TheBackend || !image || frame < 0 || frame >= image->frames) return;
  TheBackend->DrawImage(*image, x, y, frame, TheDrawState);
}

void DrawRectAt(float x, float y, float w, float h) {
  if (TheBackend) TheBackend->DrawRect(x, y, w, h, TheDrawState);
}

void DrawOvalAt(float x, float y, float w, float h) {
  if (TheBackend) TheBackend->DrawOval(x, y, w, h, TheDrawState);
}

void DrawTextAt(const std::string& text, float x, float y) {
  if (TheBackend && !text.empty()) TheBackend->DrawText(text, x, y, FontInUse(), TheDrawState);
}

int TextWidthOf(const std::string& text) { return FontTextWidth(FontInUse(), text); }

int TextHeightOf(const std::string&) { return FontInUse().lineHeight; }

void SetTextFont(Font* font) { TheDrawState.font = font; }

// ---- Input ---------------------------------------------------------------
void EnablePolledInput() {
  Pump();
  TheInput.ClearKeysAndButtons();
}

int IsKeyDown(int code) {
  Pump();
  return TheInput.IsKeyDown(code) ? 1 : 0;
}

int NextTypedChar() {
  Pump();
  return TheInput.NextTypedChar();
}

void FlushInput() {
  Pump();
  TheInput.Flush();
}

// Blocks until a key goes down.  A backend that can deliver no more events
// (the headless backend at the end of its script) makes it return 0.
int WaitForKey() {
  if (!TheBackend) return 0;
  TheInput.ClearKeys();
  uint64_t before = TheInput.KeyPressCount();
  while (TheInput.KeyPressCount() == before) {
    if (!TheBackend->WaitForEvent(TheInput)) return 0;
  }
  return TheInput.LastKeyPressed();
}

int IsMouseDown(int button) {
  Pump();
  return TheInput.IsMouseDown(button) ? 1 : 0;
}

int MouseXPos() {
  Pump();
  return TheInput.MouseX();
}

int MouseYPos() {
  Pump();
  return TheInput.MouseY();
}

void MoveMousePointer(int x, int y) {
  if (TheBackend) TheBackend->MoveMousePointer(x, y, TheInput);
  else TheInput.MouseMoved(x, y);
}

void HideMousePointer() {
  if (TheBackend) TheBackend->HideMousePointer();
}

// Only port 0 has a joystick.
float JoyXAxis(int port) {
  Pump();
  return port == 0 ? TheInput.JoyX() : 0.0f;
}

float JoyYAxis(int port) {
  Pump();
  return port == 0 ? TheInput.JoyY() : 0.0f;
}

int IsJoyButtonDown(int button, int port) {
  Pump();
  return port == 0 && TheInput.IsJoyButtonDown(button) ? 1 : 0;
}

int AppSuspended() {
  Pump();
  return TheInput.Suspended() ? 1 : 0;
}

int AppCloseRequested() {
  Pump();
  return TheInput.TakeCloseRequest() ? 1 : 0;
}

// ---- Sound ---------------------------------------------------------------
ChannelId AllocateChannel() {
  Mixer* m = TheMixer();
  return m ? m->Allocate() : 0;
}

void CueOnChannel(Sound* sound, ChannelId channel) {
  if (Mixer* m = TheMixer()) m->Cue(sound, channel);
}

void SetChannelVolume(ChannelId channel, float volume) {
  if (Mixer* m = TheMixer()) m->SetVolume(channel, volume);
}

void SetChannelPan(ChannelId channel, float pan) {
  if (Mixer* m = TheMixer()) m->SetPan(channel, pan);
}

void SetChannelRate(ChannelId channel, float rate) {
  if (Mixer* m = TheMixer()) m->SetRate(channel, rate);
}

void PauseChannel(ChannelId channel) {
  if (Mixer* m = TheMixer()) m->Pause(channel);
}

void ResumeChannel(ChannelId channel) {
  if (Mixer* m = TheMixer()) m->Resume(channel);
}

void StopChannel(ChannelId channel) {
  if (Mixer* m = TheMixer()) m->Stop(channel);
}

int IsChannelPlaying(ChannelId channel) {
  Mixer* m = TheMixer();
  return m && m->IsPlaying(channel) ? 1 : 0;
}

// ---- Time ----------------------------------------------------------------
int Milliseconds() {
  if (TheBackend) return TheBackend->Milliseconds();
  using namespace std::chrono;
  return static_cast<int>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SleepMs(int ms) {
  if (ms < 0) return;
  if (TheBackend) TheBackend->SleepMs(ms);
  else std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// ---- System --------------------------------------------------------------
void ShowMessageBox(const std::string& text, int serious) {
  if (TheBackend) {
    TheBackend->ShowMessageBox(text, serious);
  } else {
    std::fprintf(stderr, "Fleecewick: %s\n", text.c_str());
  }
}

void EndProgram() {
  std::fflush(nullptr);
  std::exit(1);
}

// ---- Display -------------------------------------------------------------
void SelectRenderer(int renderer, int flags) {
  if (TheBackend) TheBackend->SelectRenderer(renderer, flags);
}

int DisplayModeExists(int width, int height, int depth, int refresh) {
  return TheBackend ? TheBackend->DisplayModeExists(width, height, depth, refresh) : 0;
}

Display* OpenDisplay(int width, int height, int depth, int refresh, int flags) {
  return TheBackend ? TheBackend->OpenDisplay(width, height, depth, refresh, flags) : nullptr;
}

void MakeDisplayCurrent(Display* display) {
  if (TheBackend) TheBackend->MakeDisplayCurrent(display);
}

void CloseDisplay(Display* display) {
  if (TheBackend) TheBackend->CloseDisplay(display);
}

int Direct3D7DeviceUsable() { return TheBackend ? TheBackend->Direct3D7DeviceUsable() : 0; }

void SetWindowTitle(const std::string& title) {
  if (TheBackend) TheBackend->SetWindowTitle(title);
}

void SetWindowIconFile(const std::string& path) {
  if (TheBackend) TheBackend->SetWindowIconFile(path);
}

void LoadGamepadMappings(const std::string& path) {
  if (TheBackend) TheBackend->LoadGamepadMappings(ResolvePath(path));
}

std::string DriverText(int driver) {
  return TheBackend ? TheBackend->DriverText(driver) : " - Using unknown driver ";
}
