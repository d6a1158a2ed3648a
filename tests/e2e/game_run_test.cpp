// The game executable run end to end, headless, as tests and reviewers use it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "support/game_data.h"
#include "support/run_game.h"
#include "support/temp_dir.h"

namespace {
bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '\r' && text[i + 1] == '\n') {
      lines.push_back(text.substr(start, i - start));
      start = i + 2;
      ++i;
    }
  }
  return lines;
}
}  // namespace

TEST(GameRun, HeadlessRunWritesTheStartLogAndClearsResults) {
  TempDir home;
  ::mkdir((home / "Fleecewick").c_str(), 0755);
  WriteFileBytes(home / "Fleecewick/Results.log", "old results");
  WriteFileBytes(home / "Fleecewick/Fleecewick.log", "# an old start\r\n");
  GameRun run = RunGameProcess({"--headless", "--frames", "300", "--home", home.path(), "--data", SmallGameData()});
  ASSERT_EQ(run.status, 0) << run.err;
  std::string log = ReadFileBytes(home / "Fleecewick/Fleecewick.log");
  std::vector<std::string> lines = Lines(log);
  ASSERT_GE(lines.size(), 3u) << log;
  EXPECT_TRUE(StartsWith(lines[0], "# Fleecewick started ")) << lines[0];
  // "# Fleecewick started 10 Dec 2026 15:04:59"
  EXPECT_EQ(lines[0].size(), std::string("# Fleecewick started ").size() + 11 + 1 + 8) << lines[0];
  EXPECT_EQ(lines[1], "# Setting up screen");
  EXPECT_EQ(lines[2], " - Using headless driver (800x600x32 Fullscreen)");
  EXPECT_EQ(log.find("an old start"), std::string::npos) << "the log starts afresh";
  struct stat st;
  EXPECT_NE(::stat((home / "Fleecewick/Results.log").c_str(), &st), 0) << "Results.log deleted";
}

TEST(GameRun, WindowSwitchOnlyAsFirstArgument) {
  TempDir home;
  GameRun run = RunGameProcess({"-w", "--headless", "--frames", "2", "--home", home.path(), "--data", SmallGameData()});
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> lines = Lines(ReadFileBytes(home / "Fleecewick/Fleecewick.log"));
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[2], " - Using headless driver (800x600 Windowed)");

  GameRun late = RunGameProcess({"--headless", "-w", "--frames", "2", "--home", home.path(), "--data", SmallGameData()});
  EXPECT_EQ(late.status, 2);
  EXPECT_NE(late.err.find("'-w' must be the first argument"), std::string::npos) << late.err;
}

TEST(GameRun, ScriptedActionAndCloseShutDownNormally) {
  TempDir home;
  WriteFileBytes(home / "input.txt",
                 "# press the action key, then close the window\n"
                 "3 key_down 32\n"
                 "5 key_up 32\n"
                 "8 close\n");
  GameRun run = RunGameProcess(
      {"--headless", "--home", home.path(), "--data", SmallGameData(), "--input", home / "input.txt", "--frames", "100000"});
  EXPECT_EQ(run.status, 0) << run.err;
  // Frames 0 to 7 were presented; the close arrives while frame 8 is due and
  // ends the loop after that pass.
  EXPECT_EQ(run.out, "Fleecewick headless: 8 frames presented\n");
  EXPECT_TRUE(run.err.empty()) << run.err;
}

TEST(GameRun, HelpAndVersion) {
  GameRun help = RunGameProcess({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--headless"), std::string::npos);
  GameRun version = RunGameProcess({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_TRUE(StartsWith(version.out, "Fleecewick ")) << version.out;
}

TEST(GameRun, BadArgumentsAndFilesExitWithAMessage) {
  TempDir dir;
  WriteFileBytes(dir / "a-file", "x");
  WriteFileBytes(dir / "bad-script.txt", "0 key_down 32\n1 dance\n");
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"--nonsense"}, "unknown argument '--nonsense'"},
      {{"--frames", "x"}, "'--frames' needs a whole number"},
      {{"--headless", "--home", dir / "a-file/sub"}, "cannot create the home folder"},
      {{"--headless", "--home", dir.path(), "--input", dir / "missing.txt"},
       "cannot read the input file"},
      {{"--headless", "--home", dir.path(), "--input", dir.path()}, "cannot read the input file"},
      {{"--headless", "--home", dir.path(), "--input", dir / "bad-script.txt"},
       "bad-script.txt:2: unknown command 'dance'"},
      {{"--headless", "--data", dir / "no-such-folder"}, "does not exist"},
  };
  for (const Case& c : cases) {
    GameRun run = RunGameProcess(c.args);
    EXPECT_EQ(run.status, 2) << c.message << "\n" << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
}

TEST(GameRun, HeadlessScreenshotSaysThereAreNoPixels) {
  TempDir home;
  GameRun run = RunGameProcess(
      {"--headless", "--frames", "3", "--home", home.path(), "--data", SmallGameData(), "--screenshot", home / "s.png"});
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("no pixels"), std::string::npos) << run.err;
}

TEST(GameRun, UnwritableGameFolderRunsWithoutALog) {
  // A file where the game folder should be: nothing can be written there.
  TempDir home;
  WriteFileBytes(home / "Fleecewick", "in the way");
  GameRun run = RunGameProcess({"--headless", "--frames", "5", "--home", home.path(), "--data", SmallGameData()});
  // The run itself goes on; the settings cannot be written at shutdown, which
  // ends the program with a message.
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("Error: Could not write file '" + home.path() + "/Fleecewick/Fleecewick.ini'!"),
            std::string::npos) << run.err;
  EXPECT_EQ(run.out, "") << "the shutdown did not finish";
  EXPECT_EQ(ReadFileBytes(home / "Fleecewick"), "in the way");
}

TEST(GameRun, ReadOnlyGameFolderRunsWithoutALog) {
  TempDir home;
  ASSERT_EQ(::mkdir((home / "Fleecewick").c_str(), 0755), 0);
  ::chmod((home / "Fleecewick").c_str(), 0555);
  ::chmod(home.path().c_str(), 0755);
  std::vector<std::string> prefix;
  if (::geteuid() == 0) {
    // Root writes anywhere; run the game as an ordinary user instead.
    if (::access("/usr/bin/setpriv", X_OK) != 0) GTEST_SKIP() << "setpriv not available";
    prefix = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
  }
  GameRun run = RunGameProcess({"--headless", "--frames", "5", "--home", home.path(), "--data", SmallGameData()}, prefix);
  if (run.status == 127) GTEST_SKIP() << "cannot run as another user here";
  // As above: only the settings written at shutdown fail.
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("Error: Could not write file"), std::string::npos) << run.err;
  struct stat st;
  EXPECT_NE(::stat((home / "Fleecewick/Fleecewick.log").c_str(), &st), 0);
}

TEST(GameRun, SecondStartKeepsOnlyItsOwnLog) {
  TempDir home;
  ASSERT_EQ(RunGameProcess({"--headless", "--frames", "2", "--home", home.path(), "--data", SmallGameData()}).status, 0);
  ASSERT_EQ(RunGameProcess({"-w", "--headless", "--frames", "2", "--home", home.path(), "--data", SmallGameData()}).status, 0);
  std::vector<std::string> lines = Lines(ReadFileBytes(home / "Fleecewick/Fleecewick.log"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2], " - Using headless driver (800x600 Windowed)");
}
