// What LoadProfile makes of each kind of profile file, including the ones it
// stops on part-way.
#include <gtest/gtest.h>

#include "persist_fixture.h"

namespace {
class ProfileLoad : public PersistTest {};

const char* kHead = "<profile name=\"Ann\" tokens=\"4\" total_tokens=\"9\">";
}  // namespace

TEST_F(ProfileLoad, FilesAndWhatTheyLoadAs) {
  struct Case {
    const char* what;
    std::string file;
    int result;
    std::string name;  // ProfileName afterwards
    int spendable, total, quests, levelsOfFirst, range;
    std::string logged;  // part of the log, or empty for no log at all
  };
  const Case cases[] = {
      {"root of another tag", CrLf({"<player name=\"Ann\" tokens=\"4\" total_tokens=\"9\"/>"}), 1,
       "Ann", 4, 9, 0, 0, 1, ""},
      {"name inside differs", CrLf({"<profile name=\"Bea\" tokens=\"1\" total_tokens=\"2\"/>"}), 1,
       "Bea", 1, 2, 0, 0, 1, ""},
      {"quest holding other elements",
       CrLf({kHead, "  <quest id=\"3\">", "    <level id=\"1\" score=\"5\" rank=\"1\"/>",
             "    <note text=\"x\"/>", "  </quest>", "</profile>"}),
       1, "Ann", 4, 9, 1, 1, 1, "its element 2 ('note') is not a level; it is skipped"},
      {"root lacks total_tokens", CrLf({"<profile name=\"Bea\" tokens=\"4\"/>"}), 0, "Ann", 0, 0,
       0, 0, 1, "the root element has no 'total_tokens' attribute"},
      {"level lacks its rank",
       CrLf({kHead, "  <dog range=\"7\" speed=\"2\"/>", "  <quest id=\"1\">",
             "    <level id=\"1\" score=\"5\" rank=\"1\"/>", "  </quest>", "  <quest id=\"2\">",
             "    <level id=\"1\" score=\"5\"/>", "  </quest>", "</profile>"}),
       0, "Ann", 4, 9, 1, 1, 7, "its element 1 ('level') has no 'rank' attribute"},
      {"unknown element", CrLf({kHead, "  <dog range=\"3\" speed=\"2\"/>", "  <hat/>", "  <dog range=\"5\" speed=\"5\"/>", "</profile>"}),
       0, "Ann", 4, 9, 0, 0, 3, "element 2 ('hat') is not a profile element"},
      {"dog lacks speed", CrLf({kHead, "  <dog range=\"3\"/>", "</profile>"}), 0, "Ann", 4, 9, 0,
       0, 1, "element 1 ('dog') has no 'speed' attribute"},
      {"does not parse", CrLf({kHead, "  <dog range=\"3\" speed=\"2\"/>"}), 0, "Ann", 0, 0, 0, 0,
       1, "end of file inside element 'profile'"},
      {"name in the file refused",
       CrLf({"<profile name=\"../../x\" tokens=\"1\" total_tokens=\"1\"/>"}), 1, "Ann", 1, 1, 0, 0,
       1, "the name '../../x' in the file starts with a dot, so the profile keeps the name 'Ann'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Profile::ResetToProgramStart();
    DeleteFile(LogFilePath);
    WriteProfileFile("Ann.usr", c.file);
    EXPECT_EQ(Profile::LoadProfile("Ann"), c.result);
    EXPECT_EQ(NoProfileChosen, 0) << "even a failed load leaves a profile chosen";
    EXPECT_EQ(Profile::ProfileName, c.name);
    EXPECT_EQ(Profile::SpendableTokens, c.spendable);
    EXPECT_EQ(Profile::TotalTokens, c.total);
    EXPECT_EQ(Profile::PreviousTotalTokens, c.total);
    ASSERT_EQ(static_cast<int>(Profile::ProfileQuests.size()), c.quests);
    if (c.quests) {
      EXPECT_EQ(static_cast<int>(Profile::ProfileQuests[0].levels.size()), c.levelsOfFirst);
    }
    EXPECT_EQ(Profile::RangeLevel, c.range);
    if (c.logged.empty()) {
      EXPECT_EQ(LogText(), "");
    } else {
      EXPECT_NE(LogText().find(c.logged), std::string::npos) << LogText();
    }
  }
}

TEST_F(ProfileLoad, ElementsSetTheirGlobalsAndANewLoadStartsAfresh) {
  WriteProfileFile("Ann.usr",
                   CrLf({"<profile name=\"Ann\" tokens=\" 7\" total_tokens=\"+12abc\" won=\"no\" credits=\"\">",
                         "  <control left=\"1\" action=\"-5\"/>", "  <secret id=\"2\"/>",
                         "  <secret id=\"32\"/>", "  <secret id=\"-1\"/>", "  <powerup id=\"16\"/>",
                         "  <powerup id=\"17\"/>", "  <powerup id=\"0\"/>", "  <message id=\"8\"/>",
                         "  <message id=\"4\"/>", "  <message id=\"8\"/>", "</profile>"}));
  ASSERT_EQ(Profile::LoadProfile("Ann"), 1);
  EXPECT_EQ(Profile::SpendableTokens, 7);
  EXPECT_EQ(Profile::TotalTokens, 12);
  EXPECT_EQ(Profile::GameWon, 1) << "only the presence of 'won' counts";
  EXPECT_EQ(Profile::CreditsShown, 1);
  EXPECT_EQ(KeyCodeLeft, 1);
  EXPECT_EQ(KeyCodeRight, 39) << "absent bindings keep the defaults";
  EXPECT_EQ(KeyCodeAction, -5);
  EXPECT_EQ(Profile::OwnsSecret(3), 1);
  int owned = 0, taken = 0;
  for (int n = 1; n <= kSecretSlots; ++n) owned += Profile::OwnsSecret(n);
  for (int id = 1; id <= kPowerupSlots; ++id) taken += Profile::HasPowerup(id);
  EXPECT_EQ(owned, 1);
  EXPECT_EQ(taken, 1);
  EXPECT_EQ(Profile::HasPowerup(16), 1);
  EXPECT_EQ(CurrentSeenMessages().ShownIds(), (std::vector<int>{8, 4}));
  const std::string log = LogText();
  for (const char* part : {"secret id 32 is outside 0 to 31", "secret id -1 is outside",
                           "power-up id 17 is outside 1 to 16", "power-up id 0 is outside"})
    EXPECT_NE(log.find(part), std::string::npos) << part << "\n" << log;

  // Another profile without "won": everything the first one set is gone.
  Profile::SelectQuest(1);
  WriteProfileFile("Bo.usr", CrLf({"<profile name=\"Bo\" tokens=\"0\" total_tokens=\"0\"/>"}));
  ASSERT_EQ(Profile::LoadProfile("Bo"), 1);
  ProfileData fresh;
  fresh.name = "Bo";
  EXPECT_TRUE(Profile::Capture() == fresh);
  EXPECT_EQ(Profile::CurrentQuestId, 1) << "the selection is not part of the profile";
}

TEST_F(ProfileLoad, AMissingFileOrARefusedNameChangesNothing) {
  Profile::ResetProfile("Keep");
  Profile::SpendableTokens = 3;
  for (const char* name : {"Nobody", "../Fleecewick", "", "a/b", ".hidden"}) {
    EXPECT_EQ(Profile::LoadProfile(name), 0) << name;
    EXPECT_EQ(Profile::ProfileName, "Keep");
    EXPECT_EQ(Profile::SpendableTokens, 3);
  }
  EXPECT_NE(LogText().find("# Profile name '../Fleecewick' starts with a dot"), std::string::npos);
}

TEST_F(ProfileLoad, AQuestElementsOtherChildrenAreDroppedAtTheNextSave) {
  WriteProfileFile("Ann.usr", CrLf({kHead, "  <quest id=\"3\" tokens=\"2\">", "    <x/>",
                                    "    <level id=\"1\" score=\"5\" rank=\"1\"/>", "  </quest>",
                                    "</profile>"}));
  ASSERT_EQ(Profile::LoadProfile("Ann"), 1);
  ASSERT_EQ(Profile::SaveProfile(), 1);
  EXPECT_EQ(ReadFileBytes(ProfilePath("Ann.usr")),
            CrLf({"<?xml version=\"1.0\"?>", kHead,
                  "  <control left=\"37\" right=\"39\" up=\"38\" down=\"40\" action=\"32\"/>",
                  "  <dog range=\"1\" speed=\"1\"/>",
                  "  <quest id=\"3\" tokens=\"2\" total_tokens=\"0\">",
                  "    <level id=\"1\" score=\"5\" rank=\"1\"/>", "  </quest>", "</profile>"}));
}

TEST_F(ProfileLoad, ANameInsideTheFileIsSavedUnderThatName) {
  WriteProfileFile("Ann.usr", CrLf({"<profile name=\"Bea\" tokens=\"1\" total_tokens=\"2\"/>"}));
  ASSERT_EQ(Profile::LoadProfile("Ann"), 1);
  ASSERT_EQ(Profile::SaveProfile(), 1);
  EXPECT_NE(ReadFileBytes(ProfilePath("Bea.usr")).find("name=\"Bea\" tokens=\"1\""), std::string::npos);
  EXPECT_EQ(ReadFileBytes(ProfilePath("Ann.usr")),
            CrLf({"<profile name=\"Bea\" tokens=\"1\" total_tokens=\"2\"/>"}));
}
