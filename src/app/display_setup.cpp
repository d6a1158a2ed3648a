#include "app/display_setup.h"

#include "app/globals.h"
#include "platform/services.h"

int OpenGLInUse = 0;

namespace {
Display* OpenedDisplay = nullptr;
const int kDepths[] = {32, 24, 16, 15};

bool TryFullScreenDepths(ModeInfo& mode) {
  for (int depth : kDepths) {
    mode.depth = depth;
    mode.fullScreen = 1;
    if (DisplayModeExists(mode.width, mode.height, depth, 0)) return true;
  }
  return false;
}

ModeInfo TryRenderer(int renderer, int success, int width, int height, int fullScreen) {
  CloseOpenDisplay();
  SelectRenderer(renderer, 2);
  ModeInfo mode = FindDisplayMode(width, height, fullScreen);
  if (mode.driver == -2) return mode;
  Display* display = OpenDisplay(mode.width, mode.height, mode.depth, -1, 2);
  if (!display) {
    mode.driver = -1;
  } else {
    OpenedDisplay = display;
    MakeDisplayCurrent(display);
    mode.driver = success;
  }
  return mode;
}
}  // namespace

// A window is only offered for a size that the display can also show.
ModeInfo FindDisplayMode(int width, int height, int fullScreen) {
  ModeInfo mode;
  mode.width = width;
  mode.height = height;
  if (fullScreen == 1) {
    if (TryFullScreenDepths(mode)) return mode;
    mode.depth = 0;
    mode.fullScreen = 0;
    if (!DisplayModeExists(width, height, 0, 0)) mode.driver = -2;
    return mode;
  }
  mode.depth = 0;
  mode.fullScreen = 0;
  if (DisplayModeExists(width, height, 0, 0)) return mode;
  if (!TryFullScreenDepths(mode)) mode.driver = -2;
  return mode;
}

ModeInfo TryDirect3D7(int width, int height, int fullScreen) {
  return TryRenderer(kRendererDirect3D7, 0, width, height, fullScreen);
}

ModeInfo TryOpenGL(int width, int height, int fullScreen) {
  return TryRenderer(kRendererOpenGL, 1, width, height, fullScreen);
}

ModeInfo SetUpDisplay(int width, int height, int fullScreen) {
  OpenGLInUse = 0;
  ModeInfo mode;
  if (RendererChoice == 0) {
    mode = TryDirect3D7(width, height, fullScreen);
    if (mode.driver != 0) {
      mode = TryOpenGL(width, height, fullScreen);
      if (mode.driver != 1) return mode;
    }
  } else {
    mode = TryOpenGL(width, height, fullScreen);
    if (mode.driver != 1) {
      mode = TryDirect3D7(width, height, fullScreen);
      if (mode.driver != 0) return mode;
    }
  }
  OpenGLInUse = mode.driver == 1 ? 1 : 0;
  EnablePolledInput();
  EnableAutoMidHandle(1);
  HideMousePointer();
  SeedRandom(Milliseconds());
  return mode;
}

int DisplayStillValid() { return OpenGLInUse == 1 ? 1 : Direct3D7DeviceUsable(); }

void CloseOpenDisplay() {
  if (OpenedDisplay) {
    CloseDisplay(OpenedDisplay);
    OpenedDisplay = nullptr;
  }
}

std::string DisplayLine(const ModeInfo& mode) {
  std::string line = DriverText(mode.driver) + "(" + IntToText(mode.width) + "x" +
                     IntToText(mode.height);
  if (mode.fullScreen == 1) {
    line += "x" + IntToText(mode.depth) + " Fullscreen";
  } else {
    line += " Windowed";
  }
  return line + ")";
}
