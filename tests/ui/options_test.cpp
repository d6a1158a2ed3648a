// The options overlay: its controls and labels, key binding through the main
// loop's capture, the display toggles with their notice, and the volumes that
// follow the sliders only while it is open.
#include <gtest/gtest.h>

#include "app/globals.h"
#include "data/audio_list.h"
#include "ui/key_names.h"
#include "ui_fixture.h"

namespace {
class OptionsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    WriteFileBytes(dir / "messages.xml",
                   "<m><n id=\"18\" title=\"Display changed\" text=\"ok\"/></m>");
    ASSERT_EQ(MessageList::Load("messages.xml"), 1);
    MusicVolume = Interpolation::Create(1.0f);
    SoundVolume = Interpolation::Create(1.0f);
  }
  // A frame of the title screen with the overlay: it updates and draws the
  // overlay while it is open, the message box otherwise.
  void OverlayFrame() {
    TintRed.Update(1.0f);
    if (Options::IsOpen()) {
      Options::Update(1.0f);
    } else {
      MessageList::Update(1.0f);
    }
    GUI::UpdateAll(1.0f);
    backend->ClearScreen();
    if (Options::IsOpen()) {
      Options::Draw();
    } else {
      MessageList::Draw();
    }
    GUI::DrawAll();
  }
  void Click(const Control& c) {
    PointAt(c.x + c.width / 2, c.y + c.height / 2);
    PointerDown = 0;
    OverlayFrame();
    PointerDown = 1;
    OverlayFrame();
    PointerDown = 0;
    OverlayFrame();
  }
  // What the main loop does with a capture request: waits for the key.
  void MainLoopCaptures(int key) {
    ASSERT_NE(KeyCaptureRequested, 0);
    CapturedKeyCode = key;
    KeyCaptureRequested = 0;
    OverlayFrame();
  }
};

std::vector<std::string> Texts(const HeadlessBackend& b) {
  std::vector<std::string> texts;
  for (const auto& c : b.FrameCalls()) {
    if (c.kind == HeadlessBackend::DrawCall::kText) texts.push_back(c.text);
  }
  return texts;
}
}  // namespace

TEST_F(OptionsTest, OpenBuildsItsControlsOverTheFrozenScreen) {
  auto below = Button::Create(100, 100, 16, [] {});
  GUI::Add(below);
  FullScreen = 1;
  RendererChoice = 0;
  KeyCodeLeft = 65;
  Options::Open(nullptr);
  EXPECT_EQ(Options::IsOpen(), 1);
  EXPECT_EQ(below->enabled, 0);
  // Two sliders, two toggles, five key buttons and "OK", after the screen's own.
  ASSERT_EQ(GUI::Controls().size(), 11u);
  EXPECT_EQ(GUI::Controls()[1], MusicSlider);
  EXPECT_EQ(GUI::Controls()[10], OptionsOKButton);
  EXPECT_EQ(FullScreenToggle->markImageId, 3032);
  EXPECT_EQ(RendererToggle->markImageId, 0);
  EXPECT_EQ(FullScreenToggle->markX, FullScreenToggle->x + 20);
  EXPECT_EQ(LeftKeyButton->caption, "A");
  EXPECT_EQ(RightKeyButton->caption, "Cursor Right");
  EXPECT_EQ(ActionKeyButton->caption, "Space");
  EXPECT_FLOAT_EQ(MusicSlider->value, 1.0f);
  EXPECT_EQ(OptionsOKButton->x + OptionsOKButton->width / 2, 400);
  OverlayFrame();
  std::vector<std::string> texts = Texts(*backend);
  for (const char* label : {"Options", "Music volume", "Sound FX volume", "Fullscreen",
                            "Alternate renderer", "Left key", "Action key",
                            "For gamepad control: use the default", "X And Y axis, and button 0."}) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), label), texts.end()) << label;
  }
}

TEST_F(OptionsTest, BindingAKeyEscapeKeepsTheOldOneAndUnnamedKeysStillBind) {
  Options::Open(nullptr);
  for (int i = 0; i < 60; ++i) OverlayFrame();
  Click(*LeftKeyButton);
  EXPECT_EQ(LeftKeyButton->caption, "Press key for left");
  EXPECT_EQ(KeyBeingBound, kBindLeft);
  EXPECT_EQ(LeftKeyButton->enabled, 1) << "the key button stays usable";
  MainLoopCaptures(kKeyEscape);
  EXPECT_EQ(KeyCodeLeft, kKeyLeft) << "Escape keeps the binding";
  EXPECT_EQ(LeftKeyButton->caption, "Press key for left") << "and the prompt stays";
  EXPECT_EQ(KeyBeingBound, kBindNone);
  EXPECT_EQ(PointerX, 400);
  EXPECT_EQ(PointerY, 300);

  Click(*DownKeyButton);
  EXPECT_EQ(DownKeyButton->caption, "Press key for down");
  MainLoopCaptures(0xE9);  // a code without a name
  EXPECT_EQ(KeyCodeDown, 0xE9);
  EXPECT_EQ(DownKeyButton->caption, "(Undefined key name)");

  Click(*ActionKeyButton);
  EXPECT_EQ(ActionKeyButton->caption, "Press action key");
  MainLoopCaptures(65);
  EXPECT_EQ(KeyCodeAction, 65);
  EXPECT_EQ(ActionKeyButton->caption, "A");
}

TEST_F(OptionsTest, TogglingFullScreenTwiceShowsTheNoticeOnceAfterClosing) {
  int closed = 0;
  FullScreen = 1;
  Options::Open([&] { ++closed; });
  for (int i = 0; i < 60; ++i) OverlayFrame();
  Click(*FullScreenToggle);
  EXPECT_EQ(FullScreen, 0);
  EXPECT_EQ(FullScreenToggle->markImageId, 0);
  Click(*FullScreenToggle);
  EXPECT_EQ(FullScreen, 1);
  EXPECT_EQ(FullScreenToggle->markImageId, 3032);
  EXPECT_EQ(MessageBoxState, kMessageBoxRequested) << "waits while the overlay is open";
  Click(*OptionsOKButton);
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(Options::IsOpen(), 0);
  for (int i = 0; i < 60; ++i) OverlayFrame();
  EXPECT_EQ(MessageBoxState, kMessageBoxOpen);
  EXPECT_EQ(CurrentMessage->id, 18);
  EXPECT_EQ(RedoDisplaySetup, 0);
  ASSERT_TRUE(MessageOKButton);
  Click(*MessageOKButton);
  EXPECT_EQ(RedoDisplaySetup, 1) << "closing the notice sets the display up again";
  EXPECT_NE(MessageList::Find(18), nullptr) << "and the notice is available again";

  RendererChoice = 0;
  Options::Open(nullptr);
  Click(*RendererToggle);
  EXPECT_EQ(RendererChoice, 1);
  EXPECT_EQ(RendererToggle->markImageId, 3032);
}

TEST_F(OptionsTest, VolumesFollowTheSlidersOnlyWhileOpen) {
  Options::Open(nullptr);
  for (int i = 0; i < 60; ++i) OverlayFrame();
  // Drag the music slider to its left end.
  PointAt(MusicSlider->x + 10, MusicSlider->y + 1);
  PointerDown = 1;
  OverlayFrame();
  PointerDown = 0;
  EXPECT_FLOAT_EQ(MusicSlider->value, 0.0f);
  for (int i = 0; i < 5; ++i) OverlayFrame();
  Options::Close();
  const float early = MusicVolume.current;
  EXPECT_GT(early, 0.0f);
  EXPECT_LT(early, 1.0f);
  for (int i = 0; i < 50; ++i) OverlayFrame();
  EXPECT_FLOAT_EQ(MusicVolume.current, early) << "it moves only while the overlay is open";
  EXPECT_FLOAT_EQ(SoundVolume.current, 1.0f);
  Options::Open(nullptr);
  EXPECT_FLOAT_EQ(MusicSlider->value, early) << "the slider opens at the volume";
  // Each frame the volume is sent toward the slider anew, so it settles by
  // ever smaller steps.
  for (int i = 0; i < 100; ++i) OverlayFrame();
  EXPECT_NEAR(MusicVolume.current, early, 0.01f);
}
