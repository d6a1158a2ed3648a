// The window backend with a real SDL window (SDL's offscreen driver when
// there is no X display): display set-up with both renderers, keys, typed
// text, the mouse through the letterbox, and screenshots.
#include "platform/window_backend.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "app/display_setup.h"
#include "app/globals.h"
#include "platform/image_loading.h"
#include "platform/key_mapping.h"
#include "platform/services.h"
#include "support/pin_libraries.h"
#include "support/temp_dir.h"

namespace {
class WindowBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("FLEECEWICK_MESSAGE_BOX", "stderr", 1);
    unsetenv("FLEECEWICK_NO_OPENGL");
    ResetServices();
    ResetGlobals();
    auto b = WindowBackend::Create();
    backend = b.get();
    InstallBackend(std::move(b));
  }
  void TearDown() override {
    CloseOpenDisplay();
    ResetServices();
    ResetGlobals();
    unsetenv("FLEECEWICK_NO_OPENGL");
  }
  ModeInfo Open(int choice) {
    RendererChoice = choice;
    ModeInfo m = SetUpDisplay(800, 600, 0);
    if (m.driver < 0) ADD_FAILURE() << "no display: " << m.driver;
    if (m.driver == 1) PinLoadedLibraries();
    return m;
  }
  void Push(SDL_Event e) {
    e.key.windowID = SDL_GetWindowID(backend->Window());
    SDL_PushEvent(&e);
  }
  void Key(SDL_Scancode sc, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.keysym.scancode = sc;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    Push(e);
  }
  WindowBackend* backend = nullptr;
};
}  // namespace

TEST_F(WindowBackendTest, RendererChoiceOrdersTheAttempts) {
  struct Case {
    int choice;
    bool noGL;
    int driver;
    const char* line;
  };
  const Case cases[] = {
      {1, false, 1, " - Using OpenGL driver (800x600 Windowed)"},
      {0, false, 0, " - Using software driver (800x600 Windowed)"},
      {1, true, 0, " - Using software driver (800x600 Windowed)"},
  };
  for (const Case& c : cases) {
    if (c.noGL) setenv("FLEECEWICK_NO_OPENGL", "1", 1);
    else unsetenv("FLEECEWICK_NO_OPENGL");
    ModeInfo m = Open(c.choice);
    EXPECT_EQ(m.driver, c.driver) << c.choice << " " << c.noGL;
    EXPECT_EQ(DisplayLine(m), c.line);
    EXPECT_EQ(OpenGLInUse, c.driver == 1 ? 1 : 0);
    ASSERT_NE(backend->Window(), nullptr);
    int w, h;
    SDL_GetWindowSize(backend->Window(), &w, &h);
    EXPECT_EQ(w % 800, 0);
    EXPECT_EQ(h % 600, 0);
    EXPECT_EQ(w / 800, h / 600) << "a whole scale of the game's frame";
  }
}

TEST_F(WindowBackendTest, KeysAreReportedByVirtualKeyCode) {
  Open(0);
  struct Case {
    SDL_Scancode scancode;
    int code;
  };
  const Case cases[] = {
      {SDL_SCANCODE_LEFT, 37},  {SDL_SCANCODE_UP, 38},     {SDL_SCANCODE_RIGHT, 39},
      {SDL_SCANCODE_DOWN, 40},  {SDL_SCANCODE_SPACE, 32},  {SDL_SCANCODE_ESCAPE, 27},
      {SDL_SCANCODE_A, 65},     {SDL_SCANCODE_Z, 90},      {SDL_SCANCODE_0, 48},
      {SDL_SCANCODE_9, 57},     {SDL_SCANCODE_F1, 112},    {SDL_SCANCODE_F12, 123},
      {SDL_SCANCODE_KP_0, 96},  {SDL_SCANCODE_KP_9, 105},  {SDL_SCANCODE_LSHIFT, 160},
      {SDL_SCANCODE_RALT, 165}, {SDL_SCANCODE_GRAVE, 192}, {SDL_SCANCODE_NONUSBACKSLASH, 226},
      {SDL_SCANCODE_APOSTROPHE, 222}, {SDL_SCANCODE_RETURN, 13},
  };
  for (const Case& c : cases) {
    Key(c.scancode, true);
    EXPECT_EQ(IsKeyDown(c.code), 1) << SDL_GetScancodeName(c.scancode);
    Key(c.scancode, false);
    EXPECT_EQ(IsKeyDown(c.code), 0) << SDL_GetScancodeName(c.scancode);
  }
  EXPECT_EQ(VirtualKeyFromScancode(SDL_SCANCODE_MUTE), 0);
}

TEST_F(WindowBackendTest, TypedTextBecomesEightBitCharacters) {
  Open(0);
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  std::strcpy(e.text.text, "a\xC3\xA9\xE2\x82\xAC" "b");  // a, e acute, euro sign, b
  Push(e);
  Key(SDL_SCANCODE_BACKSPACE, true);
  Key(SDL_SCANCODE_RETURN, true);
  EXPECT_EQ(NextTypedChar(), 'a');
  EXPECT_EQ(NextTypedChar(), 0xE9);
  EXPECT_EQ(NextTypedChar(), 'b') << "the euro sign does not fit 8 bits";
  EXPECT_EQ(NextTypedChar(), 8);
  EXPECT_EQ(NextTypedChar(), 13);
  EXPECT_EQ(NextTypedChar(), 0);
}

TEST_F(WindowBackendTest, MouseIsInGamePixelsWhateverTheWindowSize) {
  Open(0);
  SDL_SetWindowSize(backend->Window(), 1000, 600);  // bars left and right
  SDL_PumpEvents();
  struct Case {
    int wx, wy, gx, gy;
  };
  const Case cases[] = {{500, 300, 400, 300}, {100, 0, 0, 0}, {899, 599, 799, 599}, {0, 10, 0, 10}};
  for (const Case& c : cases) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = c.wx;
    e.motion.y = c.wy;
    Push(e);
    EXPECT_EQ(MouseXPos(), c.gx) << c.wx << "," << c.wy;
    EXPECT_EQ(MouseYPos(), c.gy) << c.wx << "," << c.wy;
  }
  MoveMousePointer(123, 45);
  EXPECT_EQ(MouseXPos(), 123);
  EXPECT_EQ(MouseYPos(), 45);
}

TEST_F(WindowBackendTest, FocusAndCloseEvents) {
  Open(0);
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  e.window.windowID = SDL_GetWindowID(backend->Window());
  SDL_PushEvent(&e);
  EXPECT_EQ(AppSuspended(), 1);
  e.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  SDL_PushEvent(&e);
  EXPECT_EQ(AppSuspended(), 0);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  EXPECT_EQ(AppCloseRequested(), 1);
  EXPECT_EQ(AppCloseRequested(), 0);
}

TEST_F(WindowBackendTest, ScreenshotOfTheLastFrameWithEitherRenderer) {
  // One image, loaded once, drawn by both renderers in turn: a display set
  // up again with the other renderer needs no reloading.
  Image image;
  image.width = image.height = 8;
  image.handleX = image.handleY = 4;
  image.pixels.assign(64, 0xFF10E020u);
  for (int choice : {0, 1, 0}) {
    CloseOpenDisplay();
    Open(choice);
    ClearScreen();
    SetBlendMode(kBlendSolid);
    SetDrawColour(200, 40, 10);
    DrawRectAt(100, 100, 50, 50);
    SetDrawColour(255, 255, 255);
    DrawImageAt(&image, 300, 300, 0);
    PresentFrame(-1);
    TempDir dir;
    std::string error;
    ASSERT_TRUE(backend->SaveScreenshot(dir / "shot.png", &error)) << error;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(dir / "shot.png", &bytes, 1 << 24));
    DecodedPicture picture;
    ASSERT_TRUE(DecodePicture(bytes.data(), bytes.size(), &picture, &error)) << error;
    ASSERT_EQ(picture.width, 800);
    ASSERT_EQ(picture.height, 600);
    EXPECT_EQ(picture.pixels[120 * 800 + 120] & 0xFFFFFF, 0xC8280Au) << "choice " << choice;
    EXPECT_EQ(picture.pixels[10 * 800 + 10] & 0xFFFFFF, 0u);
    EXPECT_EQ(picture.pixels[300 * 800 + 300] & 0xFFFFFF, 0x10E020u) << "choice " << choice;
  }
}

TEST_F(WindowBackendTest, NoFrameNoScreenshot) {
  std::string error;
  TempDir dir;
  EXPECT_FALSE(backend->SaveScreenshot(dir / "shot.png", &error));
  EXPECT_FALSE(error.empty());
}

TEST_F(WindowBackendTest, ChannelsRunWithoutASoundDevice) {
  Sound s;
  s.sampleRate = 1000;
  s.samples.assign(50, 1000);  // 50 ms
  ChannelId c = AllocateChannel();
  CueOnChannel(&s, c);
  ResumeChannel(c);
  EXPECT_EQ(IsChannelPlaying(c), 1);
  for (int i = 0; i < 100 && IsChannelPlaying(c); ++i) {
    SleepMs(10);
    IsKeyDown(32);  // input queries pump events and move the channels along
  }
  EXPECT_EQ(IsChannelPlaying(c), 0);
}

TEST_F(WindowBackendTest, GamepadStickButtonAndUnplug) {
  Open(0);
  // The window of a test may not have focus; take controller input anyway.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                        SDL_CONTROLLER_BUTTON_MAX, 0);
  if (index < 0) GTEST_SKIP() << "no virtual joystick: " << SDL_GetError();
  SDL_Joystick* stick = SDL_JoystickOpen(index);
  ASSERT_NE(stick, nullptr) << SDL_GetError();
  IsKeyDown(0);  // the backend sees the new controller and opens it
  SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, 32767);
  SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_JoystickUpdate();
  SDL_GameControllerUpdate();
  EXPECT_NEAR(JoyXAxis(0), 1.0f, 1e-4);
  EXPECT_EQ(IsJoyButtonDown(0, 0), 1);
  EXPECT_EQ(JoyXAxis(1), 0.0f) << "only port 0 has a joystick";
  SDL_JoystickClose(stick);
  SDL_JoystickDetachVirtual(index);
  IsKeyDown(0);
  EXPECT_EQ(JoyXAxis(0), 0.0f) << "an unplugged controller rests";
  EXPECT_EQ(IsJoyButtonDown(0, 0), 0);
}
