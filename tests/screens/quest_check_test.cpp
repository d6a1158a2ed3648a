// The data-file checker on the quest list and on quest files: what the game
// refuses fails the check, what it accepts but is surely a mistake warns,
// and the catalogues are looked for in the data folder above the file.
#include <gtest/gtest.h>

#include <cstdio>

#include "data/data_check.h"
#include "platform/services.h"
#include "support/check_runner.h"
#include "support/temp_dir.h"

namespace {


class QuestCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"Data", "Data/Levels", "Data/Quests"})
      ASSERT_EQ(CreateFolder(dir / folder, 0), 1);
    // The checker reads the catalogue, not the files it names.
    WriteFileBytes(dir / "files.xml",
                   "<files>\r\n"
                   "  <image id=\"2002\" path=\"Data\\Maps\\Meadow.png\"/>\r\n"
                   "  <image id=\"2017\" path=\"Data\\Maps\\Buttons.png\" size_x=\"8\" "
                   "size_y=\"8\" number=\"2\"/>\r\n"
                   "  <audio id=\"65\" path=\"Data\\Music\\Map.ogg\" loop=\"1\"/>\r\n"
                   "  <audio id=\"71\" path=\"Data\\Music\\Level.ogg\" loop=\"1\"/>\r\n"
                   "</files>\r\n");
    WriteFileBytes(dir / "Data/messages.xml",
                   "<messages>\r\n"
                   "  <message id=\"10\" title=\"a\" text=\"b\"/>\r\n"
                   "  <message id=\"19\" title=\"a\" text=\"b\"/>\r\n"
                   "</messages>\r\n");
    WriteFileBytes(dir / "Data/Levels/L1.xml", "<level/>\r\n");
    WriteFileBytes(dir / "Data/Levels/L2.xml", "<level/>\r\n");
  }
  std::string Quest(const std::string& root, const std::string& body) {
    return "<?xml version=\"1.0\"?>\r\n<quest" + root + ">\r\n" + body + "</quest>\r\n";
  }
  static std::string Level(const std::string& attributes) {
    return "  <level " + attributes + "/>\r\n";
  }
  static constexpr const char* kRoot = " level_music=\"71\" quest_music=\"65\" message=\"10\"";
  static constexpr const char* kLevel1 =
      "id=\"1\" name=\"One\" filename=\"Data\\Levels\\L1.xml\" x=\"140\" y=\"300\"";
  static constexpr const char* kLevel2 =
      "id=\"2\" name=\"Two\" filename=\"Data/Levels/L2.xml\" x=\"260\" y=\"390\" cost=\"3\"";
  TempDir dir;
};

TEST_F(QuestCheck, QuestFiles) {
  struct Case {
    const char* name;
    std::string content;
    int status;
    std::string message;  // empty: nothing but "ok"
  };
  const std::string good = Level(kLevel1) + Level(kLevel2) + "  <secret id=\"19\" tokens=\"8\"/>\r\n";
  const Case cases[] = {
      {"a good quest", Quest(kRoot, good), 0, ""},
      {"a level without its position",
       Quest(kRoot, Level(kLevel1) + Level("id=\"2\" name=\"Two\" filename=\"f\" x=\"5\"")), 1,
       "element 2 ('level', \"Two\") has no 'y' attribute, so the game refuses the quest file"},
      {"a level file that does not exist",
       Quest(kRoot, Level("id=\"1\" name=\"One\" filename=\"Data\\Levels\\L9.xml\" x=\"1\" y=\"1\"")),
       0, "warning: element 1 ('level', \"One\"): the level file 'Data\\Levels\\L9.xml' does not exist"},
      {"a marker off the screen",
       Quest(kRoot, Level("id=\"1\" name=\"One\" filename=\"Data/Levels/L1.xml\" x=\"810\" y=\"300\"")),
       0, "warning: element 1 ('level', \"One\"): the marker at (810, 300) is off the 800 by 600 screen"},
      {"a marker whose panel is centred",
       Quest(kRoot, Level("id=\"1\" name=\"One\" filename=\"Data/Levels/L1.xml\" x=\"100\" y=\"48\"")),
       0, "the level's panel is drawn in the middle of the screen"},
      {"music and a message the catalogues lack",
       Quest(" level_music=\"72\" quest_music=\"65\" message=\"11\"", good), 0,
       "warning: the root's 'level_music' 72 is not a sound of the catalogue"},
      {"a message the message catalogue lacks",
       Quest(" level_music=\"71\" quest_music=\"65\" message=\"11\"", good), 0,
       "warning: the root's 'message' 11 is not in the message catalogue"},
      {"no map music", Quest(" level_music=\"71\"", good), 0,
       "warning: the root has no 'quest_music', so the map's music is the one of the quest before"},
      {"a secret no profile can own",
       Quest(kRoot, Level(std::string(kLevel1) + " additional_secret=\"33\"")), 0,
       "additional_secret 33 is not a secret a profile can own (1 to 32), so the level stays locked"},
      {"a last stage without tokens", Quest(kRoot, Level(kLevel1) + "  <secret id=\"19\"/>\r\n"), 0,
       "warning: element 2 ('secret') needs both 'id' and 'tokens'; the game ignores it"},
      {"a last stage message that does not exist",
       Quest(kRoot, Level(kLevel1) + "  <secret id=\"18\" tokens=\"4\"/>\r\n"), 0,
       "warning: element 2 ('secret'): message 18 is not in the message catalogue"},
      {"a misspelt element", Quest(kRoot, Level(kLevel1) + "  <levle id=\"2\"/>\r\n"), 0,
       "warning: element 2 ('levle'): the game skips elements other than 'level' and 'secret'"},
      {"a number with trailing text",
       Quest(kRoot, Level("id=\"1\" name=\"One\" filename=\"Data/Levels/L1.xml\" x=\"14o\" y=\"300\"")),
       0, "'x' is \"14o\", which the game reads as 14"},
      {"two levels with one id", Quest(kRoot, Level(kLevel1) + Level(kLevel1)), 0,
       "level 1 is already element 1; both share one entry of the profile"},
      {"no levels", Quest(kRoot, ""), 0, "warning: the quest has no levels"},
      {"does not parse", "<quest>\r\n  <level id=\"1\"\r\n", 1, "Q.xml:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFileBytes(dir / "Data/Quests/Q.xml", c.content);
    std::string printed;
    EXPECT_EQ(RunCheck(dir / "Data/Quests/Q.xml", &printed), c.status) << printed;
    if (c.message.empty()) {
      EXPECT_EQ(printed, dir / "Data/Quests/Q.xml: ok\n");
    } else {
      EXPECT_NE(printed.find(c.message), std::string::npos) << printed;
    }
  }
}

TEST_F(QuestCheck, TheQuestList) {
  WriteFileBytes(dir / "Data/Quests/Good.xml", Quest(kRoot, Level(kLevel1)));
  WriteFileBytes(dir / "Data/Quests/Bad.xml", Quest(kRoot, Level("id=\"1\" x=\"1\" y=\"1\"")));
  const std::string good =
      "  <quest id=\"1\" name=\"Meadows\" filename=\"Data\\Quests\\Good.xml\" image=\"2002\" "
      "info=\"x\"/>\r\n";
  struct Case {
    const char* name;
    std::string quests;
    int status;
    std::string message;
  };
  const Case cases[] = {
      {"a good list", good, 0, ""},
      {"a quest without its info",
       good + "  <quest id=\"2\" name=\"Hills\" filename=\"f\" image=\"2001\"/>\r\n", 1,
       "element 2 ('quest', \"Hills\") has no 'info' attribute, so the game refuses the quest list"},
      {"a quest file that does not exist",
       "  <quest id=\"1\" name=\"Meadows\" filename=\"Data/Quests/None.xml\" image=\"2002\" "
       "info=\"x\"/>\r\n",
       0, "the quest file 'Data/Quests/None.xml' does not exist; choosing this quest ends the game"},
      {"a quest file the game refuses",
       "  <quest id=\"1\" name=\"Meadows\" filename=\"Data/Quests/Bad.xml\" image=\"2002\" "
       "info=\"x\"/>\r\n",
       0, "the game refuses the quest file 'Data/Quests/Bad.xml' (element 1 ('level') has no 'name'"},
      {"pictures the catalogue lacks",
       "  <quest id=\"1\" name=\"Snow\" filename=\"Data/Quests/Good.xml\" image=\"2003\" "
       "info=\"x\"/>\r\n",
       0, "the catalogue has no picture 2003 for the quest map"},
      {"a secret no profile can own",
       "  <quest id=\"1\" name=\"Snow\" filename=\"Data/Quests/Good.xml\" image=\"2002\" "
       "info=\"x\" secret=\"0\"/>\r\n",
       0, "secret 0 is not a secret a profile can own (1 to 32), so the quest stays locked"},
      {"one id twice", good + good, 0, "quest 1 is already element 1"},
      {"no quests", "", 0, "warning: the list holds no quests"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFileBytes(dir / "Data/quests.xml", "<quests>\r\n" + c.quests + "</quests>\r\n");
    std::string printed;
    EXPECT_EQ(RunCheck(dir / "Data/quests.xml", &printed), c.status) << printed;
    if (c.message.empty()) {
      EXPECT_EQ(printed, dir / "Data/quests.xml: ok\n");
    } else {
      EXPECT_NE(printed.find(c.message), std::string::npos) << printed;
    }
  }
}

TEST_F(QuestCheck, WithoutADataFolderOnlyTheFileItselfIsChecked) {
  TempDir lone;
  WriteFileBytes(lone / "quests.xml",
                 "<quests>\r\n  <quest id=\"1\" name=\"a\" filename=\"none.xml\" image=\"1\" "
                 "info=\"x\"/>\r\n</quests>\r\n");
  std::string printed;
  EXPECT_EQ(RunCheck(lone / "quests.xml", &printed), 0);
  EXPECT_NE(printed.find("no folder above this file holds 'files.xml'"), std::string::npos);
  EXPECT_EQ(printed.find("does not exist"), std::string::npos) << printed;
}

}  // namespace
