// The title screen in whole headless runs over the game's own content, driven
// by scripted input and checked on the files and the log the runs leave.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "data/file_loader.h"
#include "platform/services.h"
#include "support/run_game.h"
#include "support/temp_dir.h"

namespace {
// The frame in which the title screen takes over from the loading screen:
// 50 ticks of opening wait, one catalogue entry a frame, 50 of closing wait.
int TitleFrame() {
  SetDataFolder(FLEECEWICK_DATA_DIR);
  FileQueue.clear();
  const int entries = FileLoader::Read("files.xml") ? static_cast<int>(FileQueue.size()) : 0;
  FileQueue.clear();
  SetDataFolder("");
  return 50 + entries + 50;
}

// Runs the game on the built content with the script, in the home folder.
GameRun Play(const TempDir& home, const std::string& script, int frames = 100000) {
  WriteFileBytes(home / "input.txt", script);
  return RunGameProcess({"--headless", "--frames", std::to_string(frames), "--home", home.path(),
                         "--data", FLEECEWICK_DATA_DIR, "--input", home / "input.txt"});
}

std::string At(int frame, const std::string& command) {
  return std::to_string(frame) + " " + command + "\n";
}

std::string Golden(const std::string& name) {
  return ReadFileBytes(std::string(FLEECEWICK_SOURCE_DIR) + "/tests/persist/golden/" + name);
}

// A click of the left mouse button at (x, y), starting at frame f.
std::string ClickAt(int f, int x, int y) {
  return At(f, "mouse_move " + std::to_string(x) + " " + std::to_string(y)) +
         At(f + 2, "mouse_down 1") + At(f + 4, "mouse_up 1");
}
}  // namespace

TEST(TitleRun, FirstStartAsksForANameThenQuitSavesProfileAndSettings) {
  TempDir home;
  const int t = TitleFrame() + 10;
  GameRun run = Play(home, At(t, "text Newcomer") + At(t + 2, "char 13") +
                               ClickAt(t + 60, 320, 480));  // "Quit"
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  // The press in frame t + 62 clicks "Quit"; its 60-tick countdown runs from
  // the next frame, and the game ends by itself after the frame it runs out in.
  EXPECT_EQ(run.out, "Fleecewick headless: " + std::to_string(t + 62 + 60 + 1) + " frames presented\n");
  EXPECT_EQ(ReadFileBytes(home / "Fleecewick/Profiles/Newcomer.usr"), Golden("new_profile.usr"));
  EXPECT_NE(ReadFileBytes(home / "Fleecewick/Fleecewick.ini").find("<profile name=\"Newcomer\"/>"),
            std::string::npos);
}

TEST(TitleRun, EscapeAtTheFirstNameEntryQuitsWithoutAProfile) {
  TempDir home;
  const int t = TitleFrame() + 10;
  GameRun run = Play(home, At(t, "text Ann") + At(t + 2, "key_down 27") + At(t + 4, "key_up 27"));
  ASSERT_EQ(run.status, 0) << run.err;
  // Escape is handled before the countdown in a frame: it counts from t + 2.
  EXPECT_EQ(run.out, "Fleecewick headless: " + std::to_string(t + 2 + 60) + " frames presented\n");
  std::string settings = ReadFileBytes(home / "Fleecewick/Fleecewick.ini");
  EXPECT_EQ(settings.find("<profile"), std::string::npos) << settings;
  EXPECT_NE(FileTypeOf(home / "Fleecewick/Profiles/Ann.usr"), 1);
}

TEST(TitleRun, OptionsOverlaySetsTheMusicVolumeAndRebindsAKey) {
  TempDir home;
  const int t = TitleFrame() + 10;
  std::string script = At(t, "text Keys") + At(t + 2, "char 13") +
                       ClickAt(t + 60, 300, 400);  // "Options"
  // The music slider's band is centred on (500, 122); 45 pixels right of its
  // 20-pixel dead zone is the middle.
  script += At(t + 120, "mouse_move 440 121") + At(t + 122, "mouse_down 1") +
            At(t + 124, "mouse_move 500 121") + At(t + 130, "mouse_up 1");
  // The left key's button, then the key the main loop waits for.
  script += ClickAt(t + 200, 470, 258) + At(t + 220, "key_down 65") + At(t + 222, "key_up 65");
  script += ClickAt(t + 260, 400, 490);  // "OK"
  script += ClickAt(t + 330, 320, 480);  // "Quit"
  GameRun run = Play(home, script);
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string settings = ReadFileBytes(home / "Fleecewick/Fleecewick.ini");
  const size_t at = settings.find("music_volume=\"");
  ASSERT_NE(at, std::string::npos) << settings;
  const double music = std::atof(settings.c_str() + at + 14);
  EXPECT_NEAR(music, 0.5, 0.05) << settings;
  EXPECT_NE(settings.find("sound_volume=\"1.0000000000000000\""), std::string::npos) << settings;
  const std::string profile = ReadFileBytes(home / "Fleecewick/Profiles/Keys.usr");
  EXPECT_NE(profile.find("<control left=\"65\" right=\"39\""), std::string::npos) << profile;
}
