// The title screen in whole headless runs over the game's own content, driven
// by scripted input and checked on the files and the log the runs leave.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "data/file_loader.h"
#include "data/font_list.h"
#include "platform/services.h"
#include "support/run_game.h"
#include "ui/message_list.h"
#include "ui/panels.h"
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

// Where the message box puts its "OK" button for message `id`, measured with
// the game's own fonts and panels.
int OkButtonY(int id) {
  SetDataFolder(FLEECEWICK_DATA_DIR);
  FileQueue.clear();
  FileLoader::Read("files.xml");
  for (const FileEntry& e : FileQueue) {
    if (e.kind == kEntryFont && (e.id == 2 || e.id == 4)) FontList::LoadFont(e.path, e.id, e.sizeX);
  }
  FileQueue.clear();
  MessageList::Load("Data/messages.xml");
  MessagePtr m = MessageList::Find(id);
  const int h = m ? PanelHeight(m->title, m->text) : 0;
  MessageList::Reset();
  FontList::Reset();
  SetDataFolder("");
  return (600 - (h + 100)) / 2 + (h + 100) - 64;
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

namespace {
// A returning player: the settings name the profile, which has seen the
// messages that would otherwise open over the screens.
void WriteReturningPlayer(const TempDir& home, const std::string& name) {
  ::mkdir((home / "Fleecewick").c_str(), 0755);
  ::mkdir((home / "Fleecewick/Profiles").c_str(), 0755);
  WriteFileBytes(home / ("Fleecewick/Profiles/" + name + ".usr"),
                 "<?xml version=\"1.0\"?>\r\n<profile name=\"" + name +
                     "\" tokens=\"0\" total_tokens=\"0\">\r\n"
                     "  <control left=\"37\" right=\"39\" up=\"38\" down=\"40\" action=\"32\"/>\r\n"
                     "  <dog range=\"1\" speed=\"1\"/>\r\n"
                     "  <message id=\"3\"/>\r\n  <message id=\"10\"/>\r\n  <message id=\"11\"/>\r\n"
                     "  <message id=\"19\"/>\r\n</profile>\r\n");
  WriteFileBytes(home / "Fleecewick/Fleecewick.ini",
                 "<?xml version=\"1.0\"?>\r\n<options>\r\n  <profile name=\"" + name +
                     "\"/>\r\n  <audio sound_volume=\"1.0\" music_volume=\"1.0\"/>\r\n"
                     "  <graphics renderer=\"0\" fullscreen=\"1\"/>\r\n</options>\r\n");
}

std::string Profile(const TempDir& home, const std::string& name) {
  return ReadFileBytes(home / ("Fleecewick/Profiles/" + name + ".usr"));
}
}  // namespace

TEST(TitleRun, FirstQuestOpensItsMapWithItsStoryAndEscapeReturnsToTheTitle) {
  TempDir home;
  const int t = TitleFrame() + 10;
  // The quest opens with messages 10 and 11; each box's "OK" sits 64 pixels
  // above its bottom edge.
  std::string script = At(t, "text Rover") + At(t + 2, "char 13") +
                       ClickAt(t + 60, 280, 320) +   // "Play"
                       ClickAt(t + 130, 344, 296) +  // the first quest
                       ClickAt(t + 300, 400, OkButtonY(10)) +
                       ClickAt(t + 400, 400, OkButtonY(11)) +
                       At(t + 500, "key_down 27") + At(t + 502, "key_up 27") +
                       ClickAt(t + 650, 320, 480);  // "Quit"
  GameRun run = Play(home, script);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  const std::string profile = Profile(home, "Rover");
  // The map read its quest file: the quest holds as many tokens as five a
  // level, and the quest's opening story was shown.
  EXPECT_NE(profile.find("<quest id=\"1\" tokens=\"0\" total_tokens=\"30\">"), std::string::npos)
      << profile;
  EXPECT_NE(profile.find("<message id=\"10\"/>"), std::string::npos) << profile;
  EXPECT_NE(ReadFileBytes(home / "Fleecewick/Fleecewick.ini").find("<profile name=\"Rover\"/>"),
            std::string::npos);
  // Quitting from the title screen, not from the map: the run ended by itself.
  EXPECT_EQ(run.out.find("100000 frames"), std::string::npos) << run.out;
}

TEST(TitleRun, ASecondProfileIsMadeAndTheFirstChosenByItsRow) {
  TempDir home;
  WriteReturningPlayer(home, "First");
  const int t = TitleFrame() + 10;
  std::string script = ClickAt(t + 60, 650, 496) +    // "Change Profile"
                       ClickAt(t + 90, 316, 396) +    // "New"
                       At(t + 100, "text Second") + At(t + 104, "char 13") +
                       ClickAt(t + 170, 650, 496) +   // "Change Profile" again
                       ClickAt(t + 200, 240, 205) +   // the first row: "First"
                       ClickAt(t + 270, 320, 480);    // "Quit"
  GameRun run = Play(home, script);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(Profile(home, "Second").find("<profile name=\"Second\""), std::string::npos);
  EXPECT_NE(Profile(home, "First").find("<profile name=\"First\""), std::string::npos);
  EXPECT_NE(ReadFileBytes(home / "Fleecewick/Fleecewick.ini").find("<profile name=\"First\"/>"),
            std::string::npos)
      << "the first profile was chosen last";
}

TEST(TitleRun, SecretPhrasesRaiseTheDogAndPayForALockedLevel) {
  struct Case {
    const char* name;
    std::string typed;
    const char* dog;
    const char* tokens;
    bool unlocked;
  };
  const Case cases[] = {
      {"speed", "text bold\n{t} char 32\n{t} text trots\n", "<dog range=\"1\" speed=\"9\"/>",
       "tokens=\"0\" total_tokens=\"0\">", false},
      {"tokens", "text muddy\n{t} char 32\n{t} text paddock\n", "<dog range=\"1\" speed=\"1\"/>",
       "tokens=\"47\" total_tokens=\"50\">", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir home;
    WriteReturningPlayer(home, "Miner");
    const int t = TitleFrame() + 10;
    std::string typed = c.typed;
    for (size_t at; (at = typed.find("{t}")) != std::string::npos;) {
      typed.replace(at, 3, std::to_string(t + 1));
    }
    std::string script = std::to_string(t) + " " + typed +
                         ClickAt(t + 60, 280, 320) +   // "Play"
                         ClickAt(t + 130, 344, 296) +  // the first quest
                         ClickAt(t + 280, 500, 430) +  // the locked "Daisy Hill", 3 tokens
                         At(t + 330, "key_down 27") + At(t + 332, "key_up 27") +
                         ClickAt(t + 470, 320, 480);  // "Quit"
    GameRun run = Play(home, script);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string profile = Profile(home, "Miner");
    EXPECT_NE(profile.find(c.dog), std::string::npos) << profile;
    EXPECT_NE(profile.find("<profile name=\"Miner\" " + std::string(c.tokens)), std::string::npos)
        << profile;
    EXPECT_EQ(profile.find("<level id=\"4\"") != std::string::npos, c.unlocked) << profile;
  }
}
