// The quest map's levels: reading the quest file against the profile, the
// marker of each kind and the choice of the next level, unlocking with
// tokens, starting a level, and the level panels with their placement.
#include <gtest/gtest.h>

#include "quest_fixture.h"
#include "ui/panels.h"

namespace {

TEST_F(QuestMapTest, MarkersAndTheNextLevelFollowTheProfile) {
  struct Case {
    const char* name;
    std::string levels;
    void (*profile)();
    std::vector<int> animations;  // per level in file order
    int next;                     // NextLevel's id, 0 none
  };
  const Case cases[] = {
      {"all open and unplayed: only the first is next",
       Level(1, 100, 300) + Level(2, 200, 300) + Level(3, 300, 300), [] {},
       {0, 3000, 3000}, 1},
      {"played levels are skipped; rank 5 is mastered",
       Level(1, 100, 300) + Level(2, 200, 300) + Level(3, 300, 300) + Level(4, 400, 300),
       [] { Scored(1, 900, 5); Scored(2, 500, 2); },
       {3001, 3000, 0, 3000}, 3},
      {"a cost locks a level the profile never entered",
       Level(1, 100, 300, "cost=\"4\"") + Level(2, 200, 300, "cost=\"4\""),
       [] { Scored(2, 0, 0); },
       {3002, 0}, 2},
      {"a secret locks until owned, also as the second secret",
       Level(1, 100, 300, "secret=\"2\"") + Level(2, 200, 300, "secret=\"3\"") +
           Level(3, 300, 300, "additional_secret=\"4\" cost=\"9\""),
       [] { Profile::CollectPowerup(64 + 2); },
       {3003, 0, 3003}, 2},
      {"an entered but never won level can still be next",
       Level(1, 100, 300) + Level(2, 200, 300), [] { Scored(1, 0, 0); }, {0, 3000}, 1},
      {"every level mastered: no next level",
       Level(1, 100, 300) + Level(2, 200, 300), [] { Scored(1, 9, 5); Scored(2, 9, 5); },
       {3001, 3001}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    c.profile();
    WriteQuest("", c.levels);
    ASSERT_TRUE(Quest::Create());
    std::vector<int> animations;
    for (const LevelInfo& l : QuestLevels) animations.push_back(MarkerAnimation(l));
    EXPECT_EQ(animations, c.animations);
    EXPECT_EQ(NextLevel ? NextLevel->id : 0, c.next);
  }
}

TEST_F(QuestMapTest, LoadingReadsTheFileAndSetsTheQuestsMaximum) {
  WriteQuest("level_music=\" 71\" quest_music=\"65\"",
             Level(7, 140, 300, "info=\"Calm sheep.\" cost=\"3\"") +
                 "  <scenery id=\"1\"/>\r\n  <secret id=\"19\"/>\r\n" + Level(8, 260, 390) +
                 "  <secret id=\"19\" tokens=\"20\"/>\r\n");
  ASSERT_TRUE(Quest::Create());
  ASSERT_EQ(QuestLevels.size(), 2u);
  const LevelInfo& first = QuestLevels[0];
  EXPECT_EQ(first.id, 7);
  EXPECT_EQ(first.name, "Level 7");
  EXPECT_EQ(first.filename, "Data/Levels/L7.xml");
  EXPECT_EQ(first.info, "Calm sheep.");
  EXPECT_EQ(first.cost, 3);
  EXPECT_EQ(first.unlocked, 0);
  EXPECT_EQ(LevelMusicId, 71);
  EXPECT_EQ(QuestMusicId, 65);
  EXPECT_EQ(LastStageMessageId, 19);
  EXPECT_EQ(LastStageTokens, 20);
  EXPECT_EQ(Profile::FindQuest(1)->totalTokens, 10);
  EXPECT_EQ(QuestState, kQuestOnMap);
  // "Menu", "Next >>" and one marker per level, in that order.
  ASSERT_EQ(GUI::Controls().size(), 4u);
  EXPECT_EQ(GUI::Controls()[0], MenuButton);
  EXPECT_EQ(MenuButton->caption, "Menu");
  EXPECT_EQ(NextButton->caption, "Next >>");
  EXPECT_EQ(MenuButton->x + MenuButton->width / 2, 596);
  EXPECT_EQ(NextButton->y + NextButton->height / 2, 556);
  EXPECT_EQ(QuestLevels[1].marker->x, 260 - 20);
  EXPECT_TRUE(AudioList::IsSoundPlaying(65));
}

TEST_F(QuestMapTest, AnInvalidQuestFileEndsTheGame) {
  const std::pair<const char*, std::string> files[] = {
      {"a level without its 'y'", "<q>\r\n  <level id=\"1\" name=\"a\" filename=\"f\" x=\"1\"/>\r\n</q>\r\n"},
      {"does not parse", "<q>\r\n  <level id=\"1\"\r\n"},
      {"missing", ""},
  };
  for (const auto& [name, body] : files) {
    SCOPED_TRACE(name);
    DeleteFile(dir / "quest.xml");
    if (!body.empty()) WriteFileBytes(dir / "quest.xml", body);
    EXPECT_EXIT(Quest::Create(), ::testing::ExitedWithCode(1), "");
    EXPECT_NE(ReadFileBytes(LogFilePath).find("# File 'quest.xml' not valid!"), std::string::npos);
    DeleteFile(LogFilePath);
  }
}

TEST_F(QuestMapTest, UnlockingSpendsTokensAndMovesTheNextLevel) {
  struct Run {
    const char* name;
    std::string levels;
    int tokens;
    int clicked;
    std::vector<int> animations;
    int next;
    int tokensLeft;
  };
  const Run runs[] = {
      {"a lower id than the next level takes its place",
       Level(1, 100, 300, "cost=\"4\"") + Level(2, 300, 300) + Level(3, 500, 300, "cost=\"4\""),
       5, 1, {0, 3000, 3002}, 1, 1},
      {"a higher id than the next level becomes playable",
       Level(1, 100, 300, "cost=\"4\"") + Level(2, 300, 300) + Level(3, 500, 300, "cost=\"4\""),
       5, 3, {3002, 0, 3000}, 2, 1},
      {"with no next level it becomes the next level",
       Level(1, 100, 300, "cost=\"4\"") + Level(2, 300, 300, "cost=\"2\""), 4, 2, {3002, 0}, 2,
       2},
      {"too few tokens change nothing",
       Level(1, 100, 300, "cost=\"4\"") + Level(2, 300, 300), 3, 1, {3002, 0}, 2, 3},
      {"a secret-locked level is not bought",
       Level(1, 100, 300, "secret=\"5\" cost=\"1\"") + Level(2, 300, 300), 9, 1, {3003, 0}, 2,
       9},
  };
  for (const Run& r : runs) {
    SCOPED_TRACE(r.name);
    TearDown();
    SetUp();
    Profile::SpendableTokens = r.tokens;
    WriteQuest("", r.levels);
    ASSERT_TRUE(Quest::Create());
    LevelInfo& clicked = LevelById(r.clicked);
    const bool buys = r.tokens != r.tokensLeft;
    ClickMarker(clicked);
    std::vector<int> animations;
    for (const LevelInfo& l : QuestLevels) animations.push_back(MarkerAnimation(l));
    EXPECT_EQ(animations, r.animations);
    EXPECT_EQ(NextLevel ? NextLevel->id : 0, r.next);
    EXPECT_EQ(Profile::GetSpendableTokens(), r.tokensLeft);
    EXPECT_EQ(clicked.marker->enabled, 1);
    EXPECT_EQ(clicked.unlocked, buys ? 1 : 0);
    EXPECT_EQ(Profile::FindLevel(r.clicked) != nullptr, buys);
    EXPECT_EQ(Played(8), buys);
    EXPECT_EQ(QuestState, kQuestOnMap);
    if (buys) {
      // The press that bought it does not start it; the next one does.
      EXPECT_EQ(Profile::FindLevel(r.clicked)->rank, 0);
      ClickMarker(clicked);
      EXPECT_EQ(QuestState, kQuestStartingLevel);
      EXPECT_EQ(LevelToPlay, clicked.filename);
    }
  }
}

TEST_F(QuestMapTest, TheLatchIgnoresAPlayableMarkerUntilThePointerIsUp) {
  Profile::SpendableTokens = 4;
  WriteQuest("", Level(1, 100, 300, "cost=\"4\"") + Level(2, 300, 300));
  ASSERT_TRUE(Quest::Create());
  Frame();
  PointAt(100, 300);
  PointerDown = 1;
  Frame();
  ASSERT_EQ(UnlockLatch, 1);
  // Another playable marker under a held pointer (as after a press that
  // slides): the click is ignored and the marker is enabled again.
  PointAt(300, 300);
  ClickReady = 1;
  Frame();
  EXPECT_EQ(QuestState, kQuestOnMap);
  EXPECT_EQ(LevelById(2).marker->enabled, 1);
  PointerDown = 0;
  Frame();
  EXPECT_EQ(UnlockLatch, 0);
  ClickMarker(LevelById(2));
  EXPECT_EQ(QuestState, kQuestStartingLevel);
}

TEST_F(QuestMapTest, NextStartsTheNextLevelOrIsEnabledAgain) {
  WriteQuest("", Level(1, 100, 300) + Level(2, 300, 300));
  Scored(1, 9, 5);
  Scored(2, 9, 5);
  ASSERT_TRUE(Quest::Create());
  Frame();
  ClickAt(NextButton->x + NextButton->width - 10, NextButton->y + 10);
  EXPECT_EQ(QuestState, kQuestOnMap);
  EXPECT_EQ(NextButton->enabled, 1);

  TearDown();
  SetUp();
  WriteQuest("", Level(1, 100, 300) + Level(2, 300, 300));
  Scored(1, 9, 3);
  Profile::SelectLevel(1);
  ASSERT_TRUE(Quest::Create());
  Frame();
  ClickAt(NextButton->x + NextButton->width - 10, NextButton->y + 10);
  EXPECT_EQ(QuestState, kQuestStartingLevel);
  EXPECT_EQ(LevelToPlay, "Data/Levels/L2.xml");
  EXPECT_EQ(Profile::CurrentLevelId, 2);
  EXPECT_EQ(QuestCountdown, 60.0f - 1.0f);
  EXPECT_EQ(TintRed.target, 0.0f);
}

TEST_F(QuestMapTest, PanelTexts) {
  WriteQuest("", Level(1, 100, 300, "secret=\"3\"") + Level(2, 200, 300, "cost=\"5\"") +
                     Level(3, 300, 300) + Level(4, 400, 300) +
                     Level(5, 500, 300, "additional_secret=\"4\" cost=\"2\""));
  Scored(3, 1200, 3);
  Profile::SpendableTokens = 4;
  ASSERT_TRUE(Quest::Create());
  struct Case {
    int level;
    int tokens;
    std::string title, text;
  };
  const Case cases[] = {
      {1, 4, "", "This level is locked!"},
      {2, 4, "Level 2", "5 tokens needed to|unlock this level!"},
      {2, 5, "Level 2", "5 tokens needed to|unlock this level!||Press left mouse button|to unlock."},
      {3, 4, "Level 3", "High score: 1200|Rank: "},
      {4, 4, "Level 4", ""},
      // Locked only by the second secret: the panel of a cost-locked level.
      {5, 4, "Level 5", "2 tokens needed to|unlock this level!||Press left mouse button|to unlock."},
  };
  for (const Case& c : cases) {
    Profile::SpendableTokens = c.tokens;
    std::string title, text;
    Quest::LevelPanelText(LevelById(c.level), &title, &text);
    EXPECT_EQ(title, c.title) << c.level;
    EXPECT_EQ(text, c.text) << c.level;
  }
  EXPECT_EQ(MarkerAnimation(LevelById(5)), 3003);
}

TEST_F(QuestMapTest, PanelsStayOnTheScreen) {
  struct Case {
    const char* name;
    int x, y, w, h;
    int px, py;
  };
  const Case cases[] = {
      {"beside the marker", 300, 300, 200, 100, 308, 252},
      {"exactly touching the right edge", 592, 300, 200, 100, 600, 252},
      {"past the right edge: to the left", 593, 300, 200, 100, 385, 252},
      {"past the bottom edge: up to it", 300, 560, 200, 100, 308, 500},
      {"both edges", 700, 590, 150, 120, 542, 480},
      {"y 48 gives 0, the centring request", 300, 48, 200, 100, 308, 0},
  };
  for (const Case& c : cases) {
    LevelInfo level;
    level.x = c.x;
    level.y = c.y;
    int px = -1, py = -1;
    Quest::PlaceLevelPanel(level, c.w, c.h, &px, &py);
    EXPECT_EQ(px, c.px) << c.name;
    EXPECT_EQ(py, c.py) << c.name;
  }
}

TEST_F(QuestMapTest, AHoveredLevelShowsItsPanelWithRankIcons) {
  WriteQuest("", Level(1, 300, 48) + Level(2, 780, 300));
  Scored(1, 1500, 3);
  Scored(2, 700, 2);
  ASSERT_TRUE(Quest::Create());
  Frames(60);  // fade in
  EXPECT_FALSE(DrewText("Level 1"));

  // The level at y 48: the panel is centred on the screen.
  PointAt(300, 48);
  Frames(30);
  EXPECT_FLOAT_EQ(LevelById(1).infoAlpha.Value(), 1.0f);
  const std::string text = "High score: 1500|Rank: ";
  const int w = PanelWidth("Level 1", text), h = PanelHeight("Level 1", text);
  bool found = false;
  for (const auto& t : Texts()) {
    if (t.text != "Level 1") continue;
    found = true;
    EXPECT_EQ(t.x, (800 - w) / 2 + (w - TextWidthOf("Level 1")) / 2);
    EXPECT_EQ(t.y, (600 - h) / 2 + 24);
  }
  EXPECT_TRUE(found);
  // Three icons at the uncentred place, each less blue and green.
  const auto icons = DrawsOf(kTokenImage);
  ASSERT_EQ(icons.size(), 3u + 1u);  // and the spendable-token panel's
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(icons[k].x, 308 + 90 + 21 * k);
    EXPECT_EQ(icons[k].y, 0 + h - 38);
    EXPECT_EQ(icons[k].state.r, 255);
    EXPECT_EQ(icons[k].state.g, static_cast<int>(255 * (0.68 + 0.08 * k)));
  }

  // Moving away fades it out in 10 ticks; the right-edge level's panel goes
  // to the left of its marker.
  PointAt(780, 300);
  Frames(10);
  EXPECT_EQ(LevelById(1).infoAlpha.Value(), 0.0);
  const std::string text2 = "High score: 700|Rank: ";
  const int w2 = PanelWidth("Level 2", text2);
  for (const auto& t : Texts()) {
    if (t.text == "Level 2") {
      EXPECT_EQ(t.x, 780 - w2 - 8 + (w2 - TextWidthOf("Level 2")) / 2);
    }
  }
  EXPECT_FALSE(DrewText("Level 1"));
}

TEST_F(QuestMapTest, DogStatisticsBarsShowTheUpgradeLevels) {
  WriteQuest("", Level(1, 300, 300));
  Profile::SpeedLevel = 9;
  Profile::RangeLevel = 1;
  ASSERT_TRUE(Quest::Create());
  Frame();
  const auto bars = DrawsOf(kStatisticsBarImage);
  ASSERT_EQ(bars.size(), 4u);
  // The two dark tracks, then the speed and the range bar through clips.
  EXPECT_EQ(bars[0].state.viewW, 800);
  EXPECT_EQ(bars[2].state.viewX, 100);
  EXPECT_EQ(bars[2].state.viewW, 104);
  EXPECT_EQ(bars[2].y, 146);
  EXPECT_EQ(bars[3].state.viewY, 124);
  EXPECT_EQ(bars[3].state.viewW, 11);
  EXPECT_EQ(bars[3].y, 174);
  EXPECT_EQ(CurrentDrawState().viewW, 800);
  EXPECT_TRUE(DrewText("Dog Statistics"));
  EXPECT_TRUE(DrewText("Meadows"));
}

}  // namespace
