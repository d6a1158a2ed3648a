// Whole headless runs of the game: the settings and the profile they name
// are read at start-up and written back at shutdown.
#include <gtest/gtest.h>

#include "platform/services.h"
#include "support/game_data.h"
#include "support/run_game.h"
#include "support/temp_dir.h"

namespace {
std::string Golden(const std::string& name) {
  std::string here = __FILE__;
  return ReadFileBytes(here.substr(0, here.rfind('/')) + "/golden/" + name);
}

// The same text with bare LF line ends: the reader takes it, the game
// writes CR LF.
std::string WithLf(std::string text) {
  for (size_t i; (i = text.find("\r\n")) != std::string::npos;) text.erase(i, 1);
  return text;
}

GameRun RunFrom(const TempDir& home, std::vector<std::string> extra = {}) {
  std::vector<std::string> args = {"--headless", "--frames", "20", "--home", home.path(),
                                   "--data", SmallGameData()};
  args.insert(args.begin(), extra.begin(), extra.end());
  return RunGameProcess(args);
}

const char* kZoeFile = "Fleecewick/Profiles/Zo\xC3\xAB.usr";
}  // namespace

TEST(PersistRun, AFirstStartWritesTheSettings) {
  TempDir home;
  GameRun run = RunFrom(home);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadFileBytes(home / "Fleecewick/Fleecewick.ini"), Golden("settings_no_profile.ini"));
  EXPECT_EQ(FileTypeOf(home / "Fleecewick/Profiles"), 0) << "no profile, no folder";

  ASSERT_EQ(RunFrom(home, {"-w"}).status, 0);
  EXPECT_NE(ReadFileBytes(home / "Fleecewick/Fleecewick.ini").find("fullscreen=\"0\""),
            std::string::npos);
}

TEST(PersistRun, TheProfileNamedInTheSettingsIsCurrentAtTheNextStart) {
  TempDir home;
  ASSERT_EQ(CreateFolder(home / "Fleecewick/Profiles", 1), 1);
  // A message catalogue holding the messages the profile has seen.
  const std::string data = home / "data";
  WriteGameData(data, 3);
  WriteFileBytes(data + "/Data/messages.xml",
                 "<messages>\r\n"
                 "  <message id=\"2\" title=\"a\" text=\"x\"/>\r\n"
                 "  <message id=\"3\" title=\"b\" text=\"x\"/>\r\n"
                 "  <message id=\"10\" title=\"c\" text=\"x\"/>\r\n"
                 "</messages>\r\n");
  // The first start finds a profile and settings naming it, both in another
  // layout than the game's own; the game saves both in its layout.
  std::string profile = WithLf(Golden("full_profile.usr"));
  profile.insert(profile.find("  </quest>"), "    <note text=\"dropped\"/>\n");
  // A message the catalogue does not hold is not kept.
  profile.insert(profile.find("  <message"), "  <message id=\"77\"/>\n");
  WriteFileBytes(home / kZoeFile, profile);
  WriteFileBytes(home / "Fleecewick/Fleecewick.ini",
                 "<options>\n  <profile name=\"Zo\xEB\"/>\n"
                 "  <audio sound_volume=\"0.5\" music_volume=\"0.25\"/>\n"
                 "  <graphics renderer=\"1\" fullscreen=\"2\"/>\n</options>\n");
  for (int start = 1; start <= 2; ++start) {
    SCOPED_TRACE(start);
    GameRun run = RunGameProcess(
        {"--headless", "--frames", "20", "--home", home.path(), "--data", data});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFileBytes(home / "Fleecewick/Fleecewick.ini"), Golden("settings_profile.ini"));
    // Tokens, levels, messages, secrets, power-ups and key bindings all came
    // through the start and the shutdown.
    EXPECT_EQ(ReadFileBytes(home / kZoeFile), Golden("full_profile.usr"));
    const std::string log = ReadFileBytes(home / "Fleecewick/Fleecewick.log");
    EXPECT_EQ(log.find("not valid"), std::string::npos) << log;
    // Only a start that loaded the profile writes it back with CR LF.
    WriteFileBytes(home / kZoeFile, WithLf(Golden("full_profile.usr")));
  }
}

TEST(PersistRun, AnUnreadableProfileOrSettingsFileIsNotLost) {
  TempDir home;
  ASSERT_EQ(CreateFolder(home / "Fleecewick/Profiles", 1), 1);
  const std::string broken = "<profile name=\"Ann\" tokens=\"40\" total_tokens=\"90\">\r\n  <dog";
  WriteFileBytes(home / "Fleecewick/Profiles/Ann.usr", broken);
  WriteFileBytes(home / "Fleecewick/Fleecewick.ini",
                 "<options>\r\n  <profile name=\"Ann\"/>\r\n  <window x=\"3\"/>\r\n</options>\r\n");
  GameRun run = RunFrom(home);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string log = ReadFileBytes(home / "Fleecewick/Fleecewick.log");
  EXPECT_NE(log.find("# Profile 'Ann' not valid!\r\n"), std::string::npos) << log;
  EXPECT_NE(log.find("# Options file not valid. Creating new settings.\r\n"), std::string::npos);
  EXPECT_NE(log.find("kept as '" + home.path() + "/Fleecewick/Profiles/Ann.usr.unreadable'"),
            std::string::npos) << log;
  EXPECT_EQ(ReadFileBytes(home / "Fleecewick/Profiles/Ann.usr.unreadable"), broken);
  EXPECT_NE(ReadFileBytes(home / "Fleecewick/Profiles/Ann.usr")
                .find("<profile name=\"Ann\" tokens=\"0\" total_tokens=\"0\">\r\n"),
            std::string::npos);
  EXPECT_NE(ReadFileBytes(home / "Fleecewick/Fleecewick.ini").find("  <profile name=\"Ann\"/>\r\n"),
            std::string::npos);

  // The next start loads what was saved without complaint.
  ASSERT_EQ(RunFrom(home).status, 0);
  EXPECT_EQ(ReadFileBytes(home / "Fleecewick/Fleecewick.log").find("not valid"), std::string::npos);
}
