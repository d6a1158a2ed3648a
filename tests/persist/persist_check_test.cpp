// fleecewick --check on settings and profile files.
#include "data/data_check.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "persist_fixture.h"
#include "support/check_runner.h"

TEST(PersistCheck, SettingsAndProfileFiles) {
  TempDir dir;
  struct Case {
    std::string file, content;
    int status;
    std::vector<std::string> messages;  // each must be printed
  };
  const std::string head = "<profile name=\"Ann\" tokens=\"1\" total_tokens=\"2\">\r\n";
  const Case cases[] = {
      {"Fleecewick.ini",
       CrLf({"<?xml version=\"1.0\"?>", "<options>", "  <profile name=\"Ann\"/>",
             "  <audio sound_volume=\"0.50000000000000000\" music_volume=\"1.0\"/>",
             "  <graphics renderer=\"1\" fullscreen=\"0\"/>", "</options>"}),
       0, {"Fleecewick.ini: ok"}},
      {"Fleecewick.ini",
       CrLf({"<options>", "  <audio sound_volume=\"0.3\"/>", "  <window x=\"1\"/>",
             "  <graphics renderer=\"1\"/>", "</options>"}),
       1, {"Fleecewick.ini: element 2 ('window') is not a setting: the game stops reading there"}},
      {"Fleecewick.ini",
       CrLf({"<options>", "  <audio sound_volume =\"0.3\" music_volume=\"loud\"/>",
             "  <graphics fullscreen=\"2\" renderer=\"x\"/>", "  <profile name=\"../x\"/>",
             "</options>"}),
       0,
       {"warning: element 1 ('audio'): attribute 'sound_volume ' is not known; it is ignored",
        "warning: music_volume \"loud\" is read as 0.0000000000000000",
        "warning: graphics: fullscreen \"2\" is read as 1 (full screen)",
        "warning: graphics: renderer \"x\" is read as 0",
        "warning: the profile name '../x' starts with a dot, so the game loads no profile"}},
      {"Fleecewick.ini", "<options>\r\n  <audio\r\n</options>\r\n", 1,
       {"Fleecewick.ini:2:3: line break after tag name 'audio'"}},
      {"Ann.usr",
       head + CrLf({"  <control left=\"65\"/>", "  <dog range=\"2\" speed=\"1\"/>",
                    "  <quest id=\"1\">", "    <level id=\"1\" score=\"5\" rank=\"1\"/>",
                    "  </quest>", "  <message id=\"3\"/>", "  <secret id=\"0\"/>",
                    "  <powerup id=\"16\"/>", "</profile>"}),
       0, {"Ann.usr: ok"}},
      {"Ann.usr",
       head + CrLf({"  <quest id=\"1\">", "    <level id=\"1\" score=\"5\"/>", "  </quest>",
                    "</profile>"}),
       1, {"Ann.usr: element 1 ('quest'), its element 1 ('level') has no 'rank' attribute"}},
      {"Ann.usr", CrLf({"<profile name=\"Ann\" tokens=\"1\"/>"}), 1,
       {"Ann.usr: the root element has no 'total_tokens' attribute"}},
      {"Ann.usr", head + CrLf({"  <cat/>", "</profile>"}), 1,
       {"element 1 ('cat') is not a profile element: the game stops reading there"}},
      {"Ann.usr",
       CrLf({"<profile name=\"Bea\" tokens=\"1x\" total_tokens=\"2\" colour=\"red\">",
             "  <secret id=\"32\"/>", "  <powerup id=\"17\"/>", "  <quest id=\"1\">",
             "    <bonus/>", "  </quest>", "</profile>"}),
       0,
       {"warning: the profile inside is named 'Bea': the game loads it under that name and saves it as 'Bea.usr'",
        "warning: element 1 ('secret'): secret id 32 is outside 0 to 31; it is ignored",
        "warning: element 2 ('powerup'): power-up id 17 is outside 1 to 16; it is ignored",
        "warning: element 3 ('quest'), its element 1 ('bonus') is not a level; it is skipped",
        "warning: the root element: attribute 'colour' is not read; it is ignored",
        "warning: the root element: tokens \"1x\" is read as 1"}},
      {"Zo\xEB.usr", head + "</profile>\r\n", 0,
       {"is not a name the game loads a profile by"}},
  };
  for (const Case& c : cases) {
    WriteFileBytes(dir / c.file, c.content);
    std::string printed;
    EXPECT_EQ(RunCheck(dir / c.file, &printed), c.status) << c.content << printed;
    for (const std::string& m : c.messages)
      EXPECT_NE(printed.find(m), std::string::npos) << m << "\n" << printed;
    std::remove((dir / c.file).c_str());
  }
}
