// The quest map's way through a visit: the messages it opens before the
// markers appear, the countdowns out of the screen and Escape during them,
// the overlays of the map pictures, the token panels and the music.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "quest_fixture.h"

namespace {

std::multiset<int> Rows(const std::vector<HeadlessBackend::DrawCall>& calls, int x) {
  std::multiset<int> rows;
  for (const auto& c : calls)
    if (static_cast<int>(c.x) == x) rows.insert(static_cast<int>(c.y));
  return rows;
}

TEST_F(QuestMapTest, TheQuestsMessageComesFirstOnceThenTheMarkersFadeIn) {
  WriteQuest("message=\"10\"", Level(1, 100, 300) + Level(2, 300, 300));
  ASSERT_TRUE(Quest::Create());
  Frame();
  ASSERT_EQ(MessageList::IsActive(), 1);
  EXPECT_EQ(CurrentMessage->id, 10);
  EXPECT_FALSE(QuestLevels[0].marker);
  EXPECT_EQ(MenuButton->enabled, 0);
  ClickOK();
  EXPECT_EQ(MessageList::IsActive(), 0);
  ASSERT_TRUE(QuestLevels[0].marker);
  EXPECT_EQ(MarkerAnimation(QuestLevels[0]), 0);
  EXPECT_EQ(MenuButton->enabled, 1);

  // Markers made after a message fade in over 20 ticks.
  TearDown();
  SetUp();
  MessageList::MarkSeen(10);
  WriteQuest("message=\"10\"", Level(1, 100, 300));
  ASSERT_TRUE(Quest::Create());
  EXPECT_EQ(MessageList::IsActive(), 0);
  EXPECT_FLOAT_EQ(QuestLevels[0].marker->alpha.Value(), 1.0f);
  MessageList::Forget(10);
  Quest::AfterMessage();
  EXPECT_EQ(QuestLevels[0].marker->alpha.Value(), 0.0);
  Frames(10);
  EXPECT_NEAR(QuestLevels[0].marker->alpha.Value(), 0.5, 1e-5);
  ASSERT_EQ(GUI::Controls().size(), 3u);  // the old marker is gone
}

TEST_F(QuestMapTest, FirstTokensThenTheLastStageMessageWithItsPowerUp) {
  // The last stage opens with 3 tokens and grants secret 3 (power-up 66),
  // which level 2 waits for.
  WriteQuest("", Level(1, 100, 300) + Level(2, 300, 300, "secret=\"3\"") +
                     "  <secret id=\"19\" tokens=\"3\"/>\r\n");
  Scored(1, 500, 0);
  Profile::RecordLevelResult(800, 0.5f);  // rank 3: the first tokens
  ASSERT_EQ(Profile::PreviousTotalTokens, 0);
  ASSERT_EQ(Profile::GetTotalTokens(), 3);
  ASSERT_TRUE(Quest::Create());
  Frame();
  ASSERT_EQ(MessageList::IsActive(), 1);
  EXPECT_EQ(CurrentMessage->id, kFirstTokensMessage);
  EXPECT_FALSE(QuestLevels[0].marker);
  ClickOK();
  ASSERT_EQ(MessageList::IsActive(), 1);
  EXPECT_EQ(CurrentMessage->id, 19);
  EXPECT_FALSE(QuestLevels[0].marker);
  EXPECT_EQ(Profile::OwnsSecret(3), 0);
  ClickOK();
  EXPECT_EQ(MessageList::IsActive(), 0);
  EXPECT_EQ(Profile::OwnsSecret(3), 1);
  ASSERT_TRUE(QuestLevels[1].marker);
  EXPECT_EQ(QuestLevels[1].secret, 0);
  EXPECT_EQ(MarkerAnimation(QuestLevels[1]), 0);  // level 1 has a rank
  EXPECT_EQ(NextLevel, &QuestLevels[1]);

  // Both were shown once: the next visit opens straight on the markers.
  Frame();
  ASSERT_TRUE(Quest::Create());
  EXPECT_EQ(MessageList::IsActive(), 0);
  EXPECT_TRUE(QuestLevels[0].marker);
}

TEST_F(QuestMapTest, NoFirstTokensMessageWhenTokensWereHadBefore) {
  WriteQuest("", Level(1, 100, 300));
  Profile::TotalTokens = 5;
  Profile::PreviousTotalTokens = 2;
  ASSERT_TRUE(Quest::Create());
  EXPECT_EQ(MessageList::IsActive(), 0);
  EXPECT_TRUE(QuestLevels[0].marker);
}

TEST_F(QuestMapTest, StartingALevelFadesOutAndHandsOverToTheTitleForNow) {
  WriteQuest("quest_music=\"65\"", Level(1, 100, 300) + Level(2, 300, 300));
  ASSERT_TRUE(Quest::Create());
  Frames(60);
  EXPECT_FLOAT_EQ(QuestMusicFade.Value(), 0.5f);
  ClickMarker(LevelById(2));
  EXPECT_EQ(QuestState, kQuestStartingLevel);
  EXPECT_EQ(LevelToPlay, "Data/Levels/L2.xml");
  ASSERT_NE(Profile::FindLevel(2), nullptr);
  Frames(58);
  EXPECT_EQ(TintRed.Value(), 0.0);
  EXPECT_EQ(QuestMusicFade.Value(), 0.0);
  ASSERT_TRUE(Screen());
  EXPECT_TRUE(AudioList::IsSoundPlaying(65));
  Frame();
  EXPECT_TRUE(OnTitle());
  EXPECT_FALSE(AudioList::IsSoundPlaying(65));
  EXPECT_NE(ReadFileBytes(LogFilePath).find("# Level play is not built yet: 'Data/Levels/L2.xml'"),
            std::string::npos);
}

TEST_F(QuestMapTest, EscapeDuringTheCountdownReturnsToTheTitleInstead) {
  WriteQuest("", Level(1, 100, 300));
  ASSERT_TRUE(Quest::Create());
  Frame();
  ClickMarker(LevelById(1));
  ASSERT_EQ(QuestState, kQuestStartingLevel);
  Frames(40);
  Input().KeyDown(kKeyEscape);
  Frames(100);  // held: the countdown restarts every frame
  ASSERT_TRUE(Screen());
  EXPECT_EQ(QuestState, kQuestLeaving);
  EXPECT_EQ(QuestCountdown, 60.0f - 1.0f);
  Input().KeyUp(kKeyEscape);
  Frames(58);
  ASSERT_TRUE(Screen());
  Frame();
  EXPECT_TRUE(OnTitle());
  EXPECT_EQ(ReadFileBytes(LogFilePath).find("Level play"), std::string::npos);
}

TEST_F(QuestMapTest, MenuReturnsToTheTitleAndFocusPausesTheMusic) {
  WriteQuest("quest_music=\"65\"", Level(1, 100, 300));
  ASSERT_TRUE(Quest::Create());
  Frame();
  CurrentScreen->Suspend();
  EXPECT_EQ(AudioList::FindSound(65)->paused, 1);
  AppActive = 0;
  const float before = QuestMusicFade.Value();
  Frames(5);  // nothing moves, nothing is drawn
  EXPECT_EQ(QuestMusicFade.Value(), before);
  EXPECT_EQ(backend->FrameCalls().size(), 1u);
  AppActive = 1;
  CurrentScreen->Resume();
  EXPECT_EQ(AudioList::FindSound(65)->paused, 0);

  ClickAt(MenuButton->x + 10, MenuButton->y + 10);
  EXPECT_EQ(QuestState, kQuestLeaving);
  Frames(60);
  EXPECT_TRUE(OnTitle());
  EXPECT_FALSE(AudioList::IsSoundPlaying(65));
}

TEST_F(QuestMapTest, TheSnowMapHasFallingTiles) {
  CurrentQuestImage = kSnowMapImage;
  WriteQuest("", Level(1, 100, 300));
  Quest* quest = Quest::Create();
  ASSERT_TRUE(quest);
  struct Case {
    float t;
    std::multiset<int> rows;
  };
  const Case cases[] = {
      {0.0f, {0, 256, -512, 512, -256}},
      {107.5f, {215, 471, -297, 727, -41}},
      {108.0f, {216, 472, -296, -40}},
      {200.0f, {400, 656, -112, 144}},
      {236.0f, {472, -40, 216}},
      {300.0f, {600, 88, 344}},
      {350.0f, {700, -68, 188, 444}},
  };
  quest->columnTimer = 300.0f;  // columns at -150 + 1024, 106, 362, 618
  for (const Case& c : cases) {
    quest->driftTimer = c.t;
    backend->ClearScreen();
    quest->Draw();
    const auto tiles = DrawsOf(kFallingTileImage);
    for (int x : {874, 106, 362, 618}) EXPECT_EQ(Rows(tiles, x), c.rows) << c.t << " at " << x;
    EXPECT_EQ(tiles.size(), 4 * c.rows.size()) << c.t;
    EXPECT_EQ(tiles.front().state.alpha, static_cast<uint8_t>(255 * 0.8f));
    EXPECT_TRUE(DrawsOf(kDriftImage).empty());
  }
  // The timers wrap at 384 and 2048 ticks.
  quest->driftTimer = 383.5f;
  quest->columnTimer = 2047.0f;
  Frame();
  EXPECT_FLOAT_EQ(quest->driftTimer, 0.5f);
  EXPECT_FLOAT_EQ(quest->columnTimer, 0.0f);
}

TEST_F(QuestMapTest, OtherMapsHaveADriftingLayer) {
  WriteQuest("", Level(1, 100, 300));
  Quest* quest = Quest::Create();
  quest->driftTimer = 3199.5f;
  Frame();
  EXPECT_FLOAT_EQ(quest->driftTimer, 3200.5f - 3200.0f);
  quest->driftTimer = 1000.0f;
  backend->ClearScreen();
  quest->Draw();
  const auto layers = DrawsOf(kDriftImage);
  ASSERT_EQ(layers.size(), 2u);
  EXPECT_EQ(layers[0].x, 150);
  EXPECT_EQ(layers[1].x, 950);
  EXPECT_EQ(layers[0].y, 150);
  EXPECT_EQ(layers[0].state.alpha, static_cast<uint8_t>(255 * 0.4f));
  EXPECT_TRUE(DrawsOf(kFallingTileImage).empty());
  // The map picture itself, solid and centred.
  const auto map = DrawsOf(2002);
  ASSERT_EQ(map.size(), 1u);
  EXPECT_EQ(map[0].x, 400);
  EXPECT_EQ(map[0].state.blend, kBlendSolid);
}

TEST_F(QuestMapTest, TokenPanels) {
  WriteQuest("", Level(1, 100, 300) + "  <secret id=\"19\" tokens=\"20\"/>\r\n");
  Profile::TotalTokens = Profile::PreviousTotalTokens = 12;
  Profile::SpendableTokens = 7;
  ASSERT_TRUE(Quest::Create());
  Frame();
  EXPECT_TRUE(DrewText("Total collected tokens: 12"));
  EXPECT_TRUE(DrewText("To unlock last stage: 20"));
  EXPECT_TRUE(DrewText("    : 7"));
  const auto tokens = DrawsOf(kTokenImage);
  ASSERT_EQ(tokens.size(), 1u);
  EXPECT_EQ(tokens[0].x, 64);
  EXPECT_EQ(tokens[0].y, 538);
  // The pointer is drawn last, in white.
  PointAt(200, 100);
  Frame();
  const auto& last = backend->FrameCalls().back();
  EXPECT_EQ(last.kind, HeadlessBackend::DrawCall::kImage);
  EXPECT_EQ(last.image, ImageList::FindImage(kPointerImage)->image.get());
  EXPECT_EQ(last.x, 206);
  EXPECT_EQ(last.y, 106);

  // With no "secret" element the total is never shown.
  TearDown();
  SetUp();
  WriteQuest("", Level(1, 100, 300));
  Profile::TotalTokens = Profile::PreviousTotalTokens = 12;
  ASSERT_TRUE(Quest::Create());
  Frame();
  EXPECT_EQ(LastStageTokens, 0);
  EXPECT_FALSE(DrewText("Total collected tokens: 12"));
}

TEST_F(QuestMapTest, SparklesFollowThePointer) {
  WriteQuest("", Level(1, 100, 300));
  ASSERT_TRUE(Quest::Create());
  PointAt(400, 300);
  Frames(9);
  // One sparkle for every 2 ticks past the first 2.
  ASSERT_EQ(ParticleList::Particles().size(), 4u);
  for (const auto& p : ParticleList::Particles()) {
    EXPECT_GE(p->x, 400 + 12 - 23);
    EXPECT_LE(p->x, 400 + 12);
    EXPECT_EQ(p->imageId, 1002);
  }
}

}  // namespace
