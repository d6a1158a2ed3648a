#include "app/globals.h"

#include "platform/services.h"

int ScreenWidth = 800;
int ScreenHeight = 600;
int FullScreen = 1;
int RendererChoice = 0;
int AppRunning = 1;
int AppActive = 1;
int RedoDisplaySetup = 0;
std::string GameFolder;
std::string LogFilePath;
Interpolation TintRed = Interpolation::Create(255.0f);
Interpolation TintGreen = Interpolation::Create(255.0f);
Interpolation TintBlue = Interpolation::Create(255.0f);
int PointerX = 0;
int PointerY = 0;
int PointerDown = 0;
int PointerArmed = 1;
int VirtualPointer = 0;
int PointerAnchorX = 0;
int PointerAnchorY = 0;
int MoveLeft = 0;
int MoveRight = 0;
int MoveUp = 0;
int MoveDown = 0;
int KeyCodeLeft = kKeyLeft;
int KeyCodeRight = kKeyRight;
int KeyCodeUp = kKeyUp;
int KeyCodeDown = kKeyDown;
int KeyCodeAction = kKeySpace;
int KeyCaptureRequested = 0;
int CapturedKeyCode = 0;
float ActiveTime = 0.0f;

void ApplyTint(double factor) {
  SetDrawColour(TruncToInt(TintRed.Value() * factor), TruncToInt(TintGreen.Value() * factor),
                TruncToInt(TintBlue.Value() * factor));
}

void ResetGlobals() {
  ScreenWidth = 800;
  ScreenHeight = 600;
  FullScreen = 1;
  RendererChoice = 0;
  AppRunning = 1;
  AppActive = 1;
  RedoDisplaySetup = 0;
  GameFolder.clear();
  LogFilePath.clear();
  TintRed = Interpolation::Create(255.0f);
  TintGreen = Interpolation::Create(255.0f);
  TintBlue = Interpolation::Create(255.0f);
  PointerX = PointerY = 0;
  PointerDown = 0;
  PointerArmed = 1;
  VirtualPointer = 0;
  PointerAnchorX = PointerAnchorY = 0;
  MoveLeft = MoveRight = MoveUp = MoveDown = 0;
  KeyCodeLeft = kKeyLeft;
  KeyCodeRight = kKeyRight;
  KeyCodeUp = kKeyUp;
  KeyCodeDown = kKeyDown;
  KeyCodeAction = kKeySpace;
  KeyCaptureRequested = 0;
  CapturedKeyCode = 0;
  ActiveTime = 0.0f;
}

void FadeTintTo(float level, int ticks) {
  TintRed.SetTargetIn(level, ticks);
  TintGreen.SetTargetIn(level, ticks);
  TintBlue.SetTargetIn(level, ticks);
}
