#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/display_setup.h"
#include "app/main_loop.h"
#include "support/headless_fixture.h"

namespace {
std::vector<std::string> Calls;

// Records what the loop asks of it; optionally replaces itself on update.
class RecordingScreen : public Event {
 public:
  explicit RecordingScreen(std::string name) : name_(std::move(name)) {}
  static RecordingScreen* Create(const std::string& name) {
    auto s = std::make_unique<RecordingScreen>(name);
    RecordingScreen* raw = s.get();
    CurrentScreen.Replace(std::move(s));
    return raw;
  }
  void Update(float step) override {
    steps.push_back(step);
    Calls.push_back(name_ + ".Update");
    if (!successor.empty()) {
      std::string next = successor;
      RecordingScreen::Create(next);
      return;  // this screen is being replaced: touch nothing more
    }
  }
  void Draw() override { Calls.push_back(name_ + ".Draw"); }
  void Suspend() override { Calls.push_back(name_ + ".Suspend"); }
  void Resume() override { Calls.push_back(name_ + ".Resume"); }
  std::vector<float> steps;
  std::string successor;

 private:
  std::string name_;
};

class Loop : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Calls.clear();
    FullScreen = 0;
    SetUpDisplay(800, 600, 0);
    screen = RecordingScreen::Create("A");
    backend->SetClock(5000);
    loop.Start();
  }
  void TearDown() override {
    CloseOpenDisplay();
    HeadlessTest::TearDown();
  }
  // Runs passes until one more frame is presented.
  void NextFrame() {
    int before = loop.framesPresented;
    for (int i = 0; i < 1000 && loop.framesPresented == before; ++i) loop.Pass();
    ASSERT_GT(loop.framesPresented, before);
  }
  MainLoop loop;
  RecordingScreen* screen = nullptr;
};
}  // namespace

TEST_F(Loop, StepIsElapsedTimeInTicks) {
  backend->SetClock(5025);
  loop.Pass();
  ASSERT_EQ(screen->steps.size(), 1u);
  EXPECT_FLOAT_EQ(screen->steps[0], 2.5f);
  EXPECT_FLOAT_EQ(ActiveTime, 2.5f);
}

TEST_F(Loop, TintMovesByTheSameStep) {
  TintRed.SetTargetIn(0.0f, 51);  // -5 a tick
  backend->SetClock(5025);
  loop.Pass();
  EXPECT_FLOAT_EQ(TintRed.current, 255.0f - 12.5f);
  EXPECT_FLOAT_EQ(TintGreen.current, 255.0f);
}

TEST_F(Loop, PassesCloserThanTenMillisecondsOnlySleep) {
  backend->SetClock(5010);
  loop.Pass();
  ASSERT_EQ(screen->steps.size(), 1u);
  backend->SetClock(5014);
  int slept = backend->SleptMs();
  loop.Pass();
  EXPECT_EQ(screen->steps.size(), 1u) << "nothing updated";
  EXPECT_EQ(backend->SleptMs(), slept + 1);
  EXPECT_EQ(backend->PresentedFrames(), 1);
}

TEST_F(Loop, ClockGoingBackwardsRestartsTheFrameTimer) {
  backend->SetClock(3000);
  loop.Pass();  // resets lastTime to 3000 and sleeps
  EXPECT_TRUE(screen->steps.empty());
  backend->SetClock(3009);
  loop.Pass();
  EXPECT_TRUE(screen->steps.empty());
  backend->SetClock(3010);
  loop.Pass();
  ASSERT_EQ(screen->steps.size(), 1u);
  EXPECT_FLOAT_EQ(screen->steps[0], 1.0f);
}

TEST_F(Loop, VirtualTimeGivesExactlyOneTickPerFrame) {
  for (int i = 0; i < 5; ++i) NextFrame();
  ASSERT_EQ(screen->steps.size(), 5u);
  for (float s : screen->steps) EXPECT_EQ(s, 1.0f);
}

TEST_F(Loop, PointerButtonMustBeReleasedAfterAConsumedClick) {
  Input().MouseButton(1, true);
  NextFrame();
  EXPECT_EQ(PointerDown, 1);
  PointerDown = 0;  // a control consumed the click
  PointerArmed = 0;
  NextFrame();
  EXPECT_EQ(PointerDown, 0) << "still held";
  EXPECT_EQ(PointerArmed, 0);
  Input().MouseButton(1, false);
  NextFrame();
  EXPECT_EQ(PointerArmed, 1);
  Input().KeyDown(KeyCodeAction);  // the action key is a pointer button too
  NextFrame();
  EXPECT_EQ(PointerDown, 1);
  Input().KeyUp(KeyCodeAction);
  Input().JoyButton(0, true);
  NextFrame();
  EXPECT_EQ(PointerDown, 1);
}

TEST_F(Loop, VirtualPointerMovesFourPixelsATickAndStopsAtTheEdge) {
  Input().MouseMoved(100, 200);
  NextFrame();
  EXPECT_EQ(PointerX, 100);
  Input().KeyDown(KeyCodeRight);
  backend->SetClock(backend->Milliseconds() + 100);  // one 10-tick frame
  loop.Pass();
  EXPECT_EQ(VirtualPointer, 1);
  EXPECT_EQ(PointerAnchorX, 100);
  EXPECT_EQ(PointerX, 140);
  EXPECT_EQ(PointerY, 200);
  backend->SetClock(backend->Milliseconds() + 100000);
  loop.Pass();
  EXPECT_EQ(PointerX, ScreenWidth - 1);
  Input().KeyUp(KeyCodeRight);
  Input().KeyDown(KeyCodeUp);
  Input().KeyDown(KeyCodeLeft);
  backend->SetClock(backend->Milliseconds() + 100000);
  loop.Pass();
  EXPECT_EQ(PointerX, 0);
  EXPECT_EQ(PointerY, 0);
}

TEST_F(Loop, MovingTheMouseEndsVirtualMode) {
  Input().MouseMoved(300, 300);
  NextFrame();
  Input().KeyDown(KeyCodeDown);
  NextFrame();
  EXPECT_EQ(VirtualPointer, 1);
  EXPECT_EQ(PointerY, 304);
  Input().KeyUp(KeyCodeDown);
  Input().MouseMoved(310, 300);
  NextFrame();
  EXPECT_EQ(VirtualPointer, 0);
  // The system pointer was put where the game pointer was, and the game
  // pointer follows the mouse from there.
  EXPECT_EQ(MouseXPos(), 300);
  EXPECT_EQ(MouseYPos(), 304);
  EXPECT_EQ(PointerX, 300);
  EXPECT_EQ(PointerY, 304);
}

TEST_F(Loop, JoystickDeadZone) {
  struct Case {
    float x, y;
    int left, right, up, down;
  };
  const Case cases[] = {
      {0.1f, 0.1f, 0, 0, 0, 0},      {-0.1f, -0.1f, 0, 0, 0, 0},
      {0.11f, 0.0f, 0, 1, 0, 0},     {-0.5f, 0.0f, 1, 0, 0, 0},
      {0.0f, -1.0f, 0, 0, 1, 0},     {0.0f, 0.2f, 0, 0, 0, 1},
  };
  for (const Case& c : cases) {
    Input().JoyAxes(c.x, c.y);
    NextFrame();
    EXPECT_EQ(MoveLeft, c.left) << c.x << "," << c.y;
    EXPECT_EQ(MoveRight, c.right) << c.x << "," << c.y;
    EXPECT_EQ(MoveUp, c.up) << c.x << "," << c.y;
    EXPECT_EQ(MoveDown, c.down) << c.x << "," << c.y;
  }
}

TEST_F(Loop, BindingsDecideTheDirections) {
  KeyCodeLeft = 'A';
  Input().KeyDown(kKeyLeft);
  NextFrame();
  EXPECT_EQ(MoveLeft, 0);
  Input().KeyDown('A');
  NextFrame();
  EXPECT_EQ(MoveLeft, 1);
}

TEST_F(Loop, ScreenThatReplacesItselfIsNotDrawn) {
  screen->successor = "B";
  NextFrame();
  EXPECT_EQ(Calls, (std::vector<std::string>{"A.Update", "B.Draw"}));
  Calls.clear();
  NextFrame();
  EXPECT_EQ(Calls, (std::vector<std::string>{"B.Update", "B.Draw"}));
}

TEST_F(Loop, SuspendAndResumeOncePerFocusChange) {
  Input().SetSuspended(true);
  NextFrame();
  NextFrame();
  EXPECT_EQ(AppActive, 0);
  EXPECT_EQ(std::count(Calls.begin(), Calls.end(), "A.Suspend"), 1);
  // The screen changes while suspended; the new one gets Resume all the same.
  screen->successor = "B";
  NextFrame();
  Input().SetSuspended(false);
  NextFrame();
  EXPECT_EQ(AppActive, 1);
  EXPECT_EQ(std::count(Calls.begin(), Calls.end(), "B.Resume"), 1);
  EXPECT_EQ(std::count(Calls.begin(), Calls.end(), "A.Resume"), 0);
  // Frames go on while suspended, but active time does not: only the last
  // frame, after focus returned, counted.
  EXPECT_EQ(ActiveTime, 1.0f);
}

TEST_F(Loop, FocusLossClearsHeldKeys) {
  Input().KeyDown(KeyCodeRight);
  Input().MouseButton(1, true);
  Input().SetSuspended(true);
  EXPECT_EQ(IsKeyDown(KeyCodeRight), 0);
  EXPECT_EQ(IsMouseDown(1), 0);
}

TEST_F(Loop, RegainedFocusWithALostDeviceSetsUpTheDisplayAgain) {
  RendererChoice = 0;  // the second renderer is in use
  CloseOpenDisplay();
  SetUpDisplay(800, 600, 0);
  ASSERT_EQ(OpenGLInUse, 0);
  int opened = backend->DisplaysOpened();
  backend->SetDeviceUsable(false);
  Input().SetSuspended(true);
  NextFrame();
  Input().SetSuspended(false);
  NextFrame();
  EXPECT_EQ(backend->DisplaysOpened(), opened + 1);
  EXPECT_EQ(backend->OpenDisplays(), 1);
}

TEST_F(Loop, OpenGLNeverReopensOnFocus) {
  RendererChoice = 1;
  CloseOpenDisplay();
  SetUpDisplay(800, 600, 0);
  ASSERT_EQ(OpenGLInUse, 1);
  int opened = backend->DisplaysOpened();
  backend->SetDeviceUsable(false);
  Input().SetSuspended(true);
  NextFrame();
  Input().SetSuspended(false);
  NextFrame();
  EXPECT_EQ(backend->DisplaysOpened(), opened);
}

TEST_F(Loop, CloseRequestEndsTheLoopAfterThatPass) {
  Input().RequestClose();
  loop.Pass();
  EXPECT_EQ(AppRunning, 0);
  EXPECT_EQ(AppCloseRequested(), 0) << "asking cleared the request";
}

TEST_F(Loop, KeyCaptureWaitsForTheNextKey) {
  std::vector<ScriptEvent> script;
  std::string error;
  ASSERT_TRUE(ParseInputScript("50 key_down 65\n", &script, &error)) << error;
  backend->SetScript(script);
  Input().KeyDown(70);  // held before the capture: not taken
  KeyCaptureRequested = 3;
  NextFrame();
  EXPECT_EQ(CapturedKeyCode, 65);
  EXPECT_EQ(KeyCaptureRequested, 0);
}

TEST_F(Loop, PresentsWithoutVsyncInAWindowAndFullScreen) {
  NextFrame();
  FullScreen = 1;
  NextFrame();
  EXPECT_EQ(backend->PresentSyncs(), (std::vector<int>{-1, 0}));
}

TEST_F(Loop, FrameLimitEndsTheLoop) {
  loop.framesLimit = 3;
  for (int i = 0; i < 1000 && AppRunning; ++i) loop.Pass();
  EXPECT_EQ(backend->PresentedFrames(), 3);
}
