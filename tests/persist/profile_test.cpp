// The profile's functions and its file: exact bytes, token accounting, the
// power-up and secret identifiers, and what loading does with each file.
#include "persist/profile.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "persist_fixture.h"

namespace {
class ProfileTest : public PersistTest {};

// The profile of the golden file "full_profile.usr", made through the
// functions the screens call.
void PlayTheFullProfile() {
  Profile::ResetProfile("Zo\xEB");
  KeyCodeLeft = 65;
  KeyCodeRight = 68;
  KeyCodeUp = 87;
  KeyCodeDown = 83;
  KeyCodeAction = 13;
  Profile::SelectQuest(1);
  Profile::SetQuestMaxTokens(15);
  Profile::SelectLevel(1);
  Profile::RecordLevelResult(1200, 0.5f);
  Profile::SelectLevel(2);
  Profile::RecordLevelResult(800, 0.25f);
  Profile::SpendTokens(2);
  Profile::SelectQuest(2);
  Profile::SelectLevel(4);
  Profile::RecordLevelResult(0, -0.25f);  // the quest map's unlock
  Profile::SelectQuest(7);
  for (int id : {3, 10, 2}) CurrentSeenMessages().MarkSeen(id);
  for (int id : {66, 95, 5, 16}) Profile::CollectPowerup(id);
  Profile::GameWon = 1;
  Profile::CreditsShown = 1;
}
}  // namespace

TEST_F(ProfileTest, SavedFilesMatchTheirGoldenBytes) {
  Profile::ResetProfile("Newcomer");
  ASSERT_EQ(Profile::SaveProfile(), 1);
  EXPECT_EQ(ReadFileBytes(ProfilePath("Newcomer.usr")), Golden("new_profile.usr"));

  PlayTheFullProfile();
  ASSERT_EQ(Profile::SaveProfile(), 1);
  // The 8-bit name is stored as it is inside the file, in UTF-8 in its name.
  const std::string path = ProfilePath("Zo\xC3\xAB.usr");
  EXPECT_EQ(ReadFileBytes(path), Golden("full_profile.usr"));

  // Loading it gives the same profile, and saving that gives the same bytes.
  const ProfileData before = Profile::Capture();
  Profile::ResetToProgramStart();
  ASSERT_EQ(Profile::LoadProfile("Zo\xEB"), 1);
  EXPECT_TRUE(Profile::Capture() == before);
  EXPECT_EQ(Profile::PreviousTotalTokens, 5);
  EXPECT_EQ(KeyCodeAction, 13);
  ASSERT_EQ(Profile::SaveProfile(), 1);
  EXPECT_EQ(ReadFileBytes(path), Golden("full_profile.usr"));
  EXPECT_EQ(LogText(), "");
  EXPECT_EQ(Profile::SaveProfile(), 1);
  Profile::ResetToProgramStart();
  EXPECT_EQ(Profile::SaveProfile(), 0) << "no profile, nothing written";
}

TEST_F(ProfileTest, RecordLevelResultCountsTokensOnce) {
  Profile::ResetProfile("P");
  Profile::SelectQuest(4);
  struct Step {
    int level, score;
    float fraction;
    int expectScore, expectRank, spendable, total, previous, questTokens;
  };
  const Step steps[] = {
      {1, 1200, 0.5f, 1200, 3, 3, 3, 0, 3},  // a fresh level
      {1, 1500, 1.0f, 1500, 5, 5, 5, 3, 5},  // better: two more tokens
      {1, 1400, 1.0f, 1500, 5, 5, 5, 3, 5},  // lower: nothing
      {1, 1500, 1.0f, 1500, 5, 5, 5, 3, 5},  // equal: nothing
      {1, 1600, 0.0f, 1600, 1, 5, 5, 3, 5},  // better score, lower rank: no tokens back
      {2, 0, 1.0f, 0, 0, 5, 5, 3, 5},        // score 0 on a fresh level
      {2, 10, 0.75f, 10, 4, 9, 9, 5, 9},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(::testing::Message() << "level " << s.level << " score " << s.score);
    Profile::SelectLevel(s.level);
    Profile::RecordLevelResult(s.score, s.fraction);
    const ProfileLevel* level = Profile::FindLevel(s.level);
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->score, s.expectScore);
    EXPECT_EQ(level->rank, s.expectRank);
    EXPECT_EQ(Profile::GetSpendableTokens(), s.spendable);
    EXPECT_EQ(Profile::GetTotalTokens(), s.total);
    EXPECT_EQ(Profile::PreviousTotalTokens, s.previous);
    EXPECT_EQ(Profile::FindQuest(4)->tokens, s.questTokens);
  }
  EXPECT_EQ(Profile::FindQuest(4)->levels.size(), 2u);

  // A result for a level that was never selected is logged, not recorded.
  Profile::CurrentLevelId = 99;
  Profile::RecordLevelResult(5000, 1.0f);
  EXPECT_EQ(Profile::GetTotalTokens(), 9);
  EXPECT_NE(LogText().find("# Level 99 of quest 4 was never selected"), std::string::npos);
  Profile::SelectQuest(5);
  Profile::RecordLevelResult(5000, 1.0f);
  EXPECT_EQ(Profile::GetTotalTokens(), 9);
}

TEST_F(ProfileTest, PowerupAndSecretIdentifiers) {
  struct Case {
    int id;
    int kind;       // PowerupKind
    int has;        // HasPowerup after collecting
    int range, speed, levelScore;
    int slot;       // PowerupsTaken element set, or -1
    int secret;     // secret number owned, or 0
  };
  const Case cases[] = {
      {1, 1, 1, 2, 1, 0, 0, 0},        {5, 2, 1, 1, 2, 0, 4, 0},
      {14, 1, 1, 2, 1, 0, 13, 0},      {15, 0, 1, 1, 1, 0, 14, 0},
      {16, 0, 1, 1, 1, 0, 15, 0},      {64, 5, 1, 1, 1, 0, -1, 1},
      {66, 5, 1, 1, 1, 0, -1, 3},      {95, 5, 1, 1, 1, 0, -1, 32},
      {128, 3, 0, 1, 1, 1000, -1, 0},  {129, 4, 0, 1, 1, 500, -1, 0},
      {130, 5, 0, 2, 1, 0, -1, 0},     {131, 5, 0, 1, 2, 0, -1, 0},
      {132, 5, 0, 1, 1, 0, -1, 0},     // outside the tables: nothing happens
      {0, 0, 0, 1, 1, 0, -1, 0},       {-1, 0, 0, 1, 1, 0, -1, 0},
      {17, 0, 0, 1, 1, 0, -1, 0},      {63, 0, 0, 1, 1, 0, -1, 0},
      {96, 5, 0, 1, 1, 0, -1, 0},      {127, 5, 0, 1, 1, 0, -1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    Profile::ResetProfile("P");
    EXPECT_EQ(Profile::PowerupKind(c.id), c.kind);
    EXPECT_EQ(Profile::HasPowerup(c.id), 0);
    Profile::CollectPowerup(c.id);
    EXPECT_EQ(Profile::HasPowerup(c.id), c.has);
    EXPECT_EQ(Profile::RangeLevel, c.range);
    EXPECT_EQ(Profile::SpeedLevel, c.speed);
    EXPECT_EQ(Profile::GetLevelScore(), c.levelScore);
    for (int i = 0; i < kPowerupSlots; ++i) EXPECT_EQ(Profile::PowerupsTaken[i], i == c.slot ? 1 : 0);
    for (int n = 1; n <= kSecretSlots; ++n) EXPECT_EQ(Profile::OwnsSecret(n), n == c.secret ? 1 : 0);
  }
  const std::string log = LogText();
  for (const char* id : {"0", "-1", "17", "63", "96", "127"})
    EXPECT_NE(log.find("# Power-up " + std::string(id) + " is not a known identifier"),
              std::string::npos) << id;
  EXPECT_EQ(log.find("# Power-up 132"), std::string::npos);
  for (int n : {0, -1, 33, 1000}) EXPECT_EQ(Profile::OwnsSecret(n), 0) << n;

  // A second collection upgrades again.
  Profile::ResetProfile("P");
  Profile::CollectPowerup(3);
  Profile::CollectPowerup(3);
  EXPECT_EQ(Profile::RangeLevel, 3);
  // 66 is saved as secret index 2.
  Profile::CollectPowerup(66);
  ASSERT_EQ(Profile::SaveProfile(), 1);
  EXPECT_NE(ReadFileBytes(ProfilePath("P.usr")).find("  <secret id=\"2\"/>\r\n  <powerup id=\"3\"/>\r\n"),
            std::string::npos);
}

TEST_F(ProfileTest, ResetGivesAFreshProfileButKeepsTheSelection) {
  PlayTheFullProfile();
  Profile::AddLevelScore(70);
  const int quest = Profile::CurrentQuestId;
  Profile::ResetProfile("Other");
  EXPECT_TRUE(Profile::Capture() == [] {
    ProfileData fresh;
    fresh.name = "Other";
    return fresh;
  }());
  EXPECT_EQ(Profile::GetLevelScore(), 0);
  EXPECT_EQ(Profile::PreviousTotalTokens, 0);
  EXPECT_EQ(Profile::CurrentQuestId, quest);
  EXPECT_EQ(Profile::FindQuest(quest), nullptr);
}

TEST_F(ProfileTest, ShownMessagesGoThroughTheInstalledCatalogue) {
  // A catalogue that knows messages 1 to 20 and records what it is asked.
  struct Catalogue : SeenMessages {
    std::vector<std::string>* calls;
    std::vector<int> shown;
    void ResetForNewProfile() override {
      calls->push_back("reset");
      shown.clear();
    }
    std::vector<int> ShownIds() const override { return shown; }
    void MarkSeen(int id) override {
      calls->push_back("seen " + std::to_string(id));
      if (id >= 1 && id <= 20 && std::find(shown.begin(), shown.end(), id) == shown.end())
        shown.push_back(id);
    }
    void Forget(int id) override { shown.erase(std::remove(shown.begin(), shown.end(), id), shown.end()); }
  };
  std::vector<std::string> calls;
  auto catalogue = std::make_unique<Catalogue>();
  catalogue->calls = &calls;
  InstallSeenMessages(std::move(catalogue));

  WriteProfileFile("Ann.usr", CrLf({"<profile name=\"Ann\" tokens=\"0\" total_tokens=\"0\">",
                                    "  <message id=\"7\"/>", "  <message id=\"99\"/>",
                                    "  <message id=\"2\"/>", "</profile>"}));
  ASSERT_EQ(Profile::LoadProfile("Ann"), 1);
  EXPECT_EQ(calls, (std::vector<std::string>{"reset", "seen 7", "seen 99", "seen 2"}));
  CurrentSeenMessages().MarkSeen(18);
  CurrentSeenMessages().Forget(18);  // shown again every time, never saved
  CurrentSeenMessages().MarkSeen(5);
  ASSERT_EQ(Profile::SaveProfile(), 1);
  const std::string saved = ReadFileBytes(ProfilePath("Ann.usr"));
  EXPECT_NE(saved.find("  <message id=\"7\"/>\r\n  <message id=\"2\"/>\r\n  <message id=\"5\"/>\r\n</profile>"),
            std::string::npos) << saved;
  Profile::ResetProfile("New");
  EXPECT_EQ(calls.back(), "reset");
  EXPECT_TRUE(CurrentSeenMessages().ShownIds().empty());

  // The in-memory list keeps each identifier once, in order.
  InstallSeenMessages(nullptr);
  for (int id : {4, 9, 4, 1}) CurrentSeenMessages().MarkSeen(id);
  CurrentSeenMessages().Forget(9);
  EXPECT_EQ(CurrentSeenMessages().ShownIds(), (std::vector<int>{4, 1}));
}
