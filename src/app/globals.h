// The globals that every screen shares: display size and mode, the running
// and focus flags, the global tint, the game pointer, the direction flags and
// their key bindings.
#pragma once

#include <string>

#include "app/interpolation.h"

extern int ScreenWidth;
extern int ScreenHeight;
extern int FullScreen;
extern int RendererChoice;
extern int AppRunning;
extern int AppActive;
extern int RedoDisplaySetup;
extern std::string GameFolder;
extern std::string LogFilePath;
extern Interpolation TintRed;
extern Interpolation TintGreen;
extern Interpolation TintBlue;
extern int PointerX;
extern int PointerY;
extern int PointerDown;
extern int PointerArmed;
extern int VirtualPointer;
extern int PointerAnchorX;
extern int PointerAnchorY;
extern int MoveLeft;
extern int MoveRight;
extern int MoveUp;
extern int MoveDown;
extern int KeyCodeLeft;
extern int KeyCodeRight;
extern int KeyCodeUp;
extern int KeyCodeDown;
extern int KeyCodeAction;
extern int KeyCaptureRequested;
extern int CapturedKeyCode;
extern float ActiveTime;

// Virtual-key codes the game names.
constexpr int kKeyEscape = 27;
constexpr int kKeySpace = 32;
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;

// Moves the three components of the global tint to `level` in `ticks` ticks
// (the screen fades to black, dims behind a box, or comes back).
void FadeTintTo(float level, int ticks);

// Sets the drawing colour to the global tint times `factor`, each component
// truncated toward zero, so that what is drawn next follows the screen fades.
void ApplyTint(double factor = 1.0);

// Puts every shared global back to its value at program start (for tests).
void ResetGlobals();
