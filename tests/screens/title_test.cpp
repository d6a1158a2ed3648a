// The title screen's rules that a run does not show at a glance: the letters'
// bounce, the phrase matcher, the completion bars, the quest buttons' places
// and the name entry's limits.
#include "screens/title.h"

#include <gtest/gtest.h>

#include "persist/profile.h"
#include "platform/backend.h"
#include "ui/ui_fixture.h"

namespace {
using Call = HeadlessBackend::DrawCall;

class TitleTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Title::Reset();
    Profile::ResetToProgramStart();
    for (int id = 3056; id <= 3059; ++id) Image(id, 32, 32);
    Image(2018, 208, 64);
    Image(2019, 208, 64);
    Image(2024, 208, 64);
    AudioList::LoadSound("sound.wav", kLetterBounceSound, 0, 1.0f);
  }
  void TearDown() override {
    Title::Reset();
    Profile::ResetToProgramStart();
    UiTest::TearDown();
  }
};
}  // namespace

TEST_F(TitleTest, ALetterTouchesTheGroundNineTimesThenRests) {
  std::vector<Letter> letters = Title::StartLetters();
  ASSERT_EQ(letters.size(), 10u);
  EXPECT_EQ(letters[4].imageId, 4008);
  EXPECT_EQ(letters[4].yOffset, 60);
  std::vector<Letter> one = {letters[0]};
  int contacts = 0;
  float lastBounce = 1.0f;
  for (int tick = 0; tick < 2000 && one[0].active; ++tick) {
    Title::UpdateLetters(one, 1.0f);
    if (one[0].bounce != lastBounce) {
      ++contacts;
      lastBounce = one[0].bounce;
      EXPECT_FLOAT_EQ(one[0].y, kLetterGround);
      if (contacts == 1) {
        EXPECT_TRUE(Played(kLetterBounceSound)) << "the F lands with a sound";
      }
    }
  }
  EXPECT_EQ(contacts, 9);
  EXPECT_EQ(one[0].active, 0);
  EXPECT_FLOAT_EQ(one[0].y, kLetterGround);
  EXPECT_NEAR(one[0].bounce, 0.075f, 0.001f);

  // Only the F and the curled sheep make the landing sound.
  Played(kLetterBounceSound);  // stops what the F's later landings started
  std::vector<Letter> quiet = {letters[1]};
  for (int tick = 0; tick < 400; ++tick) Title::UpdateLetters(quiet, 1.0f);
  EXPECT_FALSE(Played(kLetterBounceSound));
}

TEST_F(TitleTest, PhrasesAreMatchedWhateverWasTypedBefore) {
  struct Case {
    const char* typed;
    std::vector<int> completed;
  };
  const Case cases[] = {
      {"lambkin", {1}},
      {"xxlambkin", {1}},
      {"llambkin", {1}},  // the second l breaks the match and starts it again
      {"lamb kin", {}},
      {"fluff barnyards", {2}},
      {"bbold trots", {3}},
      {"bold trotsbold trots", {3, 3}},
      {"shear the flock", {4}},
      {"muddy paddockmuddy", {5}},
      {"Lambkin", {}},
  };
  for (const Case& c : cases) {
    CheatIndex = -1;
    CheatPosition = 0;
    std::vector<int> completed;
    for (const char* p = c.typed; *p; ++p) {
      EXPECT_EQ(Title::MatchPhrase(0), 0) << "no character changes nothing";
      if (int n = Title::MatchPhrase(static_cast<unsigned char>(*p))) completed.push_back(n);
    }
    EXPECT_EQ(completed, c.completed) << c.typed;
  }
}

TEST_F(TitleTest, QuestButtonsStepDownAndCompletionBarsAreClipped) {
  WriteFileBytes(dir / "quests.xml",
                 "<quests>"
                 "<q id=\"1\" name=\"One\" filename=\"a.xml\" image=\"2002\" info=\"i\"/>"
                 "<q id=\"2\" name=\"Two\" filename=\"b.xml\" image=\"2003\" info=\"i\" secret=\"1\"/>"
                 "<q id=\"3\" name=\"Three\" filename=\"c.xml\" image=\"2002\" info=\"i\"/>"
                 "<q id=\"4\" name=\"Four\" filename=\"d.xml\" image=\"2002\" info=\"i\"/>"
                 "</quests>");
  Profile::ResetProfile("Ann");
  // 1 of 20 tokens is 5 %, raised to the bar's smallest visible width.
  const int tokens[] = {1, 0, 20, 10};
  for (int id = 1; id <= 4; ++id) {
    Profile::SelectQuest(id);
    Profile::SetQuestMaxTokens(20);
    Profile::AddQuestTokens(tokens[id - 1]);
  }
  ASSERT_EQ(Title::LoadQuests("quests.xml"), 1);
  ASSERT_EQ(TitleQuests.size(), 4u);
  EXPECT_EQ(TitleQuests[0].percentComplete, 5);
  EXPECT_EQ(TitleQuests[1].available, 0) << "secret 1 is not owned";
  EXPECT_EQ(TitleQuests[2].percentComplete, 100);

  Title::ShowQuests();
  EXPECT_EQ(TitleState, kTitleQuestList);
  for (int i = 0; i < 4; ++i) {
    const ClickButton& b = *TitleQuests[i].button;
    EXPECT_EQ(b.x + b.width / 2, 324 + 20 * (i + 1)) << i;
    EXPECT_EQ(b.y + b.height / 2, 220 + 76 * (i + 1)) << i;
    EXPECT_EQ(b.solidBlend, 1);
  }
  EXPECT_EQ(TitleQuests[1].button->imageId, 2024) << "a locked quest shows the locked button";
  EXPECT_EQ(TitleQuests[0].button->imageId, 2018);
  EXPECT_EQ(QuestMenuButton->x + QuestMenuButton->width / 2, 324 + 20 * 5);
  EXPECT_EQ(QuestMenuButton->y + QuestMenuButton->height / 2, 220 + 76 * 5);

  Title title;
  backend->ClearScreen();
  title.Draw();
  // The tinted pass of each bar is clipped to the completed share of 110.
  std::vector<int> widths;
  for (const Call& c : backend->FrameCalls()) {
    if (c.kind == Call::kImage && c.state.viewH == 32 && c.state.scaleX == 1.0f &&
        c.image == ImageList::FindImage(3056)->image.get()) {
      widths.push_back(c.state.viewW);
    }
  }
  EXPECT_EQ(widths, (std::vector<int>{16, 0, 110, 55}));
}

TEST_F(TitleTest, NameEntryLimitsAndRefusedCharacters) {
  Title::Create();
  ASSERT_EQ(TitleState, kTitleNameEntry) << "no profile yet";
  auto* title = dynamic_cast<Title*>(CurrentScreen.get());
  ASSERT_NE(title, nullptr);
  auto type = [&](const std::string& text) {
    for (char ch : text) {
      backend->ClearScreen();
      Input().TypedChar(static_cast<unsigned char>(ch));
      title->Update(1.0f);
    }
  };
  type("\b");
  EXPECT_EQ(ProfileNameInput, "") << "Backspace on an empty name";
  type("\r");
  EXPECT_EQ(TitleState, kTitleNameEntry) << "Enter with an empty name does nothing";
  type(".");
  EXPECT_EQ(ProfileNameInput, "") << "a leading dot is refused";
  EXPECT_NE(NameEntryNotice.find("starts with a dot"), std::string::npos) << NameEntryNotice;
  type("Ann/");
  EXPECT_EQ(ProfileNameInput, "Ann");
  EXPECT_NE(NameEntryNotice.find("slash"), std::string::npos) << NameEntryNotice;
  type(std::string(60, 'x'));
  EXPECT_EQ(ProfileNameInput.size(), 48u) << "a 49th character is ignored";
  type("\b\b");
  EXPECT_EQ(ProfileNameInput.size(), 46u);
}
