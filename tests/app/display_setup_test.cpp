#include <gtest/gtest.h>

#include "app/display_setup.h"
#include "support/headless_fixture.h"

class DisplaySetup : public HeadlessTest {
 protected:
  void TearDown() override {
    CloseOpenDisplay();
    HeadlessTest::TearDown();
  }
};

TEST_F(DisplaySetup, ModeChoice) {
  struct Case {
    const char* what;
    int desktopW, desktopH;
    std::vector<int> depths;
    int wantFull;
    int driver, depth, fullScreen;
  };
  const Case cases[] = {
      {"full screen at 32 bits", 1920, 1080, {32, 24, 16, 15}, 1, -1, 32, 1},
      {"full screen listed only at 16 bits", 1920, 1080, {16}, 1, -1, 16, 1},
      {"full screen with no depth falls back to a window", 1920, 1080, {}, 1, -1, 0, 0},
      {"window when possible", 1920, 1080, {32}, 0, -1, 0, 0},
      {"no mode of that size at all, full screen wanted", 640, 480, {32}, 1, -2, 0, 0},
      {"no mode of that size at all, window wanted", 640, 480, {32}, 0, -2, 15, 1},
  };
  for (const Case& c : cases) {
    backend->SetDesktopSize(c.desktopW, c.desktopH);
    backend->SetFullScreenDepths(c.depths);
    ModeInfo m = FindDisplayMode(800, 600, c.wantFull);
    EXPECT_EQ(m.driver, c.driver) << c.what;
    EXPECT_EQ(m.depth, c.depth) << c.what;
    EXPECT_EQ(m.fullScreen, c.fullScreen) << c.what;
    EXPECT_EQ(m.width, 800) << c.what;
    EXPECT_EQ(m.height, 600) << c.what;
  }
}

TEST_F(DisplaySetup, RendererOrderAndFallback) {
  struct Case {
    const char* what;
    int choice;
    bool secondWorks, openglWorks;
    int driver, openGLInUse;
  };
  const Case cases[] = {
      {"choice 0 opens the second renderer first", 0, true, true, 0, 0},
      {"choice 0 falls back to OpenGL", 0, false, true, 1, 1},
      {"choice 1 opens OpenGL first", 1, true, true, 1, 1},
      {"choice 1 falls back to the second renderer", 1, true, false, 0, 0},
      {"nothing opens (choice 0)", 0, false, false, -1, 0},
      {"nothing opens (choice 1)", 1, false, false, -1, 0},
  };
  for (const Case& c : cases) {
    RendererChoice = c.choice;
    backend->SetRendererWorks(kRendererDirect3D7, c.secondWorks);
    backend->SetRendererWorks(kRendererOpenGL, c.openglWorks);
    ModeInfo m = SetUpDisplay(800, 600, 0);
    EXPECT_EQ(m.driver, c.driver) << c.what;
    EXPECT_EQ(OpenGLInUse, c.openGLInUse) << c.what;
    EXPECT_LE(backend->OpenDisplays(), 1) << c.what << ": one display at a time";
    EXPECT_EQ(backend->CurrentDisplay() != nullptr, c.driver >= 0) << c.what;
  }
}

TEST_F(DisplaySetup, SuccessPreparesInputAndSeedsFromTheClock) {
  Input().KeyDown(40);
  backend->SetClock(777);
  ModeInfo m = SetUpDisplay(800, 600, 1);
  ASSERT_EQ(m.driver, 0);
  EXPECT_EQ(IsKeyDown(40), 0) << "key state cleared";
  EXPECT_TRUE(backend->PointerHidden());
  int fromSetup = RandomInt(0, 1 << 30);
  SeedRandom(777);
  EXPECT_EQ(fromSetup, RandomInt(0, 1 << 30));
}

TEST_F(DisplaySetup, FailureSkipsThePreparations) {
  backend->SetDesktopSize(640, 480);
  Input().KeyDown(40);
  EXPECT_EQ(SetUpDisplay(800, 600, 1).driver, -2);
  EXPECT_EQ(IsKeyDown(40), 1);
  EXPECT_FALSE(backend->PointerHidden());
}

TEST_F(DisplaySetup, DisplayLine) {
  ModeInfo full;
  full.driver = 1;
  full.width = 800;
  full.height = 600;
  full.depth = 32;
  full.fullScreen = 1;
  EXPECT_EQ(DisplayLine(full), " - Using headless driver (800x600x32 Fullscreen)");
  ModeInfo window = full;
  window.depth = 0;
  window.fullScreen = 0;
  EXPECT_EQ(DisplayLine(window), " - Using headless driver (800x600 Windowed)");
}
