// The credits: the text rolls up and the screen closes 200 ticks after it
// has passed or after the player asked to leave, the sheep parade walks
// and respawns, the backdrop drifts, and an inactive window freezes it all.
#include <gtest/gtest.h>

#include <cmath>

#include "data/animation_list.h"
#include "screens/credits.h"
#include "screens/title.h"
#include "ui/ui_fixture.h"

namespace {

// A 200-tick fade of the tint, summed in single precision, arrives at 0 one
// tick late.
constexpr int kFloatSlack = 1;

class CreditsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    BuildGameAnimations();
    Strip(100, 4);
    Strip(501, 3);  // 500 is one of the fixture's pictures
    Strip(800, 4);
    Image(32, 800, 600);
    Image(48, 400, 100);
    WriteFileBytes(dir / "music.wav", WavBytes(8000));
    AudioList::LoadSound("music.wav", kCreditsMusic, 1, 1.0f);
    // The title screen reads the quest list once a profile is chosen.
    CreateFolder(dir / "Data", 0);
    WriteFileBytes(dir / "Data/quests.xml", "<quests/>\r\n");
    // Coming from a screen that faded out.
    TintRed = TintGreen = TintBlue = Interpolation::Create(0.0f);
  }
  void Strip(int first, int frames) {
    std::string error;
    const std::string name = "sheep" + std::to_string(first) + ".png";
    ASSERT_TRUE(WritePngFile(dir / name, 32 * frames, 24,
                             std::vector<uint32_t>(32u * frames * 24, 0xFFFFFFFFu), &error));
    ASSERT_EQ(ImageList::LoadImageFrames(name, first, 32, 24, frames), 1);
  }
  void Frame() {
    TintRed.Update(1.0f);
    TintGreen.Update(1.0f);
    TintBlue.Update(1.0f);
    CurrentScreen->Update(1.0f);
    backend->ClearScreen();
    CurrentScreen->Draw();
    CurrentScreen.ReleaseRetired();
  }
  // Frames run until the title screen is current (at most 10).
  int FramesUntilTitle() {
    for (int n = 1; n <= 10; ++n) {
      Frame();
      if (OnTitle()) return n;
    }
    return -1;
  }
  Credits* Screen() const { return dynamic_cast<Credits*>(CurrentScreen.get()); }
  bool OnTitle() const { return dynamic_cast<Title*>(CurrentScreen.get()) != nullptr; }
  std::vector<HeadlessBackend::DrawCall> DrawsOf(int id) const {
    std::vector<HeadlessBackend::DrawCall> calls;
    const ::Image* image = ImageList::FindImage(id)->image.get();
    for (const auto& c : backend->FrameCalls())
      if (c.kind == HeadlessBackend::DrawCall::kImage && c.image == image) calls.push_back(c);
    return calls;
  }
};

TEST_F(CreditsTest, TheTextRollsPastAndTheTitleFollows) {
  Credits* credits = Credits::Create();
  ASSERT_EQ(Screen(), credits);
  EXPECT_EQ(credits->lines[0], "Congratulations!");
  EXPECT_EQ(credits->lines[12], "Thank you for playing Fleecewick!");
  EXPECT_EQ(credits->lines[16], "Credits");
  EXPECT_EQ(credits->lines[18].rfind("Programming: ", 0), 0u);
  EXPECT_EQ(credits->lines[26].rfind("Playtesting: ", 0), 0u);
  EXPECT_EQ(credits->lines[33], "The End");
  EXPECT_EQ(credits->lines[13] + credits->lines[14] + credits->lines[15], "");
  EXPECT_EQ(TintRed.target, 255.0f);
  for (const ParadeSheep& s : credits->sheep) {
    EXPECT_GE(s.x, -64 - 350);
    EXPECT_LE(s.x, -64);
    EXPECT_GE(s.y, 250);
    EXPECT_LE(s.y, 550);
    ASSERT_TRUE(s.animation);
    EXPECT_TRUE(s.animation->animId == 101 || s.animation->animId == 501 ||
                s.animation->animId == 801);
  }
  EXPECT_TRUE(AudioList::IsSoundPlaying(kCreditsMusic));

  // The first line enters at the bottom edge and rises a pixel every 6 ticks.
  Frame();
  bool black = true;
  int firstY = -1;
  for (const auto& c : backend->FrameCalls()) {
    if (c.kind != HeadlessBackend::DrawCall::kText) continue;
    black = black && c.state.r == 0 && c.state.g == 0 && c.state.b == 0 && c.state.alpha == 255;
    if (c.text == "Congratulations!") firstY = static_cast<int>(c.y);
  }
  EXPECT_EQ(firstY, 599);
  for (int i = 0; i < 59; ++i) Frame();
  for (const auto& c : backend->FrameCalls())
    if (c.text == "Congratulations!") firstY = static_cast<int>(c.y);
  EXPECT_EQ(firstY, 590);
  EXPECT_FLOAT_EQ(credits->scroll, 60.0f);
  EXPECT_NEAR(credits->musicFade.Value(), 0.3, 1e-5);

  // With 34 lines of 16 pixels the last leaves the top after
  // (600 + 544) x 6 ticks; the closing fade then takes 200 ticks.
  ASSERT_EQ(TextHeightOf(credits->lines[0]), 16);
  while (credits->scroll < 6869.0f) {
    Frame();
    for (const auto& c : backend->FrameCalls()) {
      if (c.kind == HeadlessBackend::DrawCall::kText)
        black = black && c.state.r == 0 && c.state.alpha == 255;
    }
  }
  EXPECT_EQ(credits->ending, 0);
  Frame();
  EXPECT_EQ(credits->ending, 1);
  for (int i = 0; i < 199; ++i) Frame();
  ASSERT_EQ(Screen(), credits);
  EXPECT_GT(TintRed.Value(), 0.0);
  // The picture fades, the text stays black.
  EXPECT_EQ(DrawsOf(kCreditsBackdropImage).at(0).state.r, TruncToInt(TintRed.Value()));
  EXPECT_TRUE(black);
  EXPECT_EQ(FramesUntilTitle(), 1 + kFloatSlack);
  EXPECT_FALSE(AudioList::IsSoundPlaying(kCreditsMusic));
}

TEST_F(CreditsTest, APressOrEscapeClosesAfterTheFade) {
  for (int escape = 0; escape < 2; ++escape) {
    SCOPED_TRACE(escape ? "Escape" : "pointer");
    Credits* credits = Credits::Create();
    Frame();
    Frame();
    if (escape) Input().KeyDown(kKeyEscape);
    else PointerDown = 1;
    Frame();
    EXPECT_EQ(credits->ending, 1);
    Input().KeyUp(kKeyEscape);
    PointerDown = 0;
    for (int i = 0; i < 199; ++i) Frame();
    ASSERT_EQ(Screen(), credits);
    EXPECT_EQ(credits->musicFade.target, 0.0f);
    EXPECT_EQ(FramesUntilTitle(), 1 + kFloatSlack);
  }
}

TEST_F(CreditsTest, SheepWalkRespawnAndAreDrawnTopDown) {
  Credits* credits = Credits::Create();
  for (ParadeSheep& s : credits->sheep) {
    s.x = 100;
    s.speed = 0;
  }
  credits->sheep[7].x = 864;
  credits->sheep[7].speed = 10;
  credits->sheep[3].speed = 4;
  const float y3 = credits->sheep[3].y;
  Frame();
  int respawned = 0, walked = 0;
  for (const ParadeSheep& s : credits->sheep) {
    if (s.x == -64) {
      ++respawned;
      EXPECT_GE(s.speed, 2.5f);
      EXPECT_LE(s.speed, 5.5f);
      EXPECT_GE(s.y, 250);
      EXPECT_LE(s.y, 550);
    }
    if (s.y == y3 && std::abs(s.x - 100.4f) < 1e-4f) ++walked;
  }
  EXPECT_EQ(respawned, 1);
  EXPECT_EQ(walked, 1);
  for (int i = 1; i < kParadeSize; ++i)
    EXPECT_LE(credits->sheep[i - 1].y, credits->sheep[i].y) << i;
  // Each sheep is drawn with its shadow, in that order.
  const int drawn = static_cast<int>(DrawsOf(100).size() + DrawsOf(500).size() +
                                     DrawsOf(501).size() + DrawsOf(800).size());
  EXPECT_EQ(drawn, 2 * kParadeSize);
}

TEST_F(CreditsTest, TheBackdropDriftsLeft) {
  Credits* credits = Credits::Create();
  credits->scroll = 1000.0f;
  backend->ClearScreen();
  credits->Draw();
  const auto layers = DrawsOf(kCreditsLayerImage);
  ASSERT_EQ(layers.size(), 2u);
  EXPECT_EQ(layers[0].x, 1100 - 400);
  EXPECT_EQ(layers[0].y, 64);
  EXPECT_FLOAT_EQ(layers[0].state.scaleX, 1.2f);
  EXPECT_EQ(layers[0].state.alpha, static_cast<uint8_t>(255 * 0.5f));
  EXPECT_EQ(layers[1].x, 1537 - 400);
  EXPECT_EQ(layers[1].y, 56);
  EXPECT_EQ(layers[1].state.alpha, static_cast<uint8_t>(255 * 0.4f));
  EXPECT_EQ(DrawsOf(kCreditsBackdropImage).at(0).state.blend, kBlendSolid);
}

TEST_F(CreditsTest, AnInactiveWindowFreezesTheScreen) {
  Credits* credits = Credits::Create();
  Frame();
  credits->Suspend();
  EXPECT_EQ(AudioList::FindSound(kCreditsMusic)->paused, 1);
  AppActive = 0;
  PointerDown = 1;
  for (int i = 0; i < 20; ++i) Frame();
  EXPECT_FLOAT_EQ(credits->scroll, 1.0f);
  EXPECT_EQ(credits->ending, 0);
  EXPECT_EQ(backend->FrameCalls().size(), 1u);  // only the test's own clear
  AppActive = 1;
  PointerDown = 0;
  credits->Resume();
  EXPECT_EQ(AudioList::FindSound(kCreditsMusic)->paused, 0);
  Frame();
  EXPECT_FLOAT_EQ(credits->scroll, 2.0f);
}

}  // namespace
