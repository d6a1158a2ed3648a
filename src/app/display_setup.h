// Opening the display: which renderer, which colour depth, full screen or
// window, with fallbacks between them.
#pragma once

#include <string>

class ModeInfo {
 public:
  int driver = -1;  // 0 second renderer open, 1 OpenGL open, -1 could not open, -2 no mode
  int width = 0;
  int height = 0;
  int depth = 0;  // 0 for a window
  int fullScreen = 0;
};

extern int OpenGLInUse;

ModeInfo FindDisplayMode(int width, int height, int fullScreen);
ModeInfo TryDirect3D7(int width, int height, int fullScreen);
ModeInfo TryOpenGL(int width, int height, int fullScreen);
ModeInfo SetUpDisplay(int width, int height, int fullScreen);
int DisplayStillValid();
// Closes the open display, if any (shutdown and tests).
void CloseOpenDisplay();

// The log line that says what display set-up obtained.
std::string DisplayLine(const ModeInfo& mode);
