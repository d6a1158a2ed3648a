// The game executable with its real window (SDL's offscreen driver when
// there is no X display) and with no display at all.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/image_loading.h"
#include "support/game_data.h"
#include "support/run_game.h"
#include "support/temp_dir.h"

namespace {
std::vector<std::string> WindowEnv() {
  std::vector<std::string> env = {"SDL_AUDIODRIVER=dummy", "FLEECEWICK_MESSAGE_BOX=stderr"};
  if (!std::getenv("DISPLAY")) env.push_back("SDL_VIDEODRIVER=offscreen");
  return env;
}
}  // namespace

TEST(WindowRun, PresentsFramesAndWritesAScreenshot) {
  TempDir home;
  GameRun run = RunGameProcess(
      {"-w", "--frames", "60", "--home", home.path(), "--data", SmallGameData(), "--screenshot", home / "shot.png"}, {},
      WindowEnv());
  ASSERT_EQ(run.status, 0) << run.err;
  std::string log = ReadFileBytes(home / "Fleecewick/Fleecewick.log");
  EXPECT_NE(log.find("# Setting up screen\r\n - Using software driver (800x600 Windowed)\r\n"),
            std::string::npos)
      << log;
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadWholeFile(home / "shot.png", &bytes, 1 << 24));
  DecodedPicture picture;
  std::string error;
  ASSERT_TRUE(DecodePicture(bytes.data(), bytes.size(), &picture, &error)) << error;
  EXPECT_EQ(picture.width, 800);
  EXPECT_EQ(picture.height, 600);
  size_t lit = 0;
  for (uint32_t p : picture.pixels) lit += (p & 0xFFFFFF) != 0;
  EXPECT_GT(lit, picture.pixels.size() / 2) << "the frame is not black";
}

TEST(WindowRun, NoDisplayAtAllEndsWithTheDriverMessage) {
  TempDir home;
  std::vector<std::string> env = {"SDL_AUDIODRIVER=dummy", "FLEECEWICK_MESSAGE_BOX=stderr",
                                  "SDL_VIDEODRIVER=no-such-driver"};
  GameRun run = RunGameProcess({"-w", "--frames", "5", "--home", home.path(), "--data", SmallGameData()}, {}, env);
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_NE(run.err.find("Error: Failed to select a graphics driver!"), std::string::npos)
      << run.err;
  std::string log = ReadFileBytes(home / "Fleecewick/Fleecewick.log");
  EXPECT_NE(log.find("# Setting up screen\r\n - Failed to select a graphics driver!\r\n"),
            std::string::npos)
      << log;
}
