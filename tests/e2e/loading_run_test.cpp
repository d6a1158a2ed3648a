// Start-up reads the catalogue and the loading screen loads it, one entry a
// frame, in whole headless runs of the game.
#include <gtest/gtest.h>

#include "support/game_data.h"
#include "support/run_game.h"
#include "support/temp_dir.h"

TEST(LoadingRun, ABrokenEntryEndsTheRunInTheFrameThatLoadsIt) {
  // The opening wait is 50 ticks, one a frame headless; the frame that ends it
  // loads the first entry, so entry k is loaded in frame 49 + k.
  struct Case {
    int entries, broken, frames;
  };
  for (const Case& c : {Case{5, 3, 52}, Case{120, 120, 169}, Case{3, 1, 50}}) {
    TempDir dir;
    WriteGameData(dir / "data", c.entries, c.broken);
    GameRun run = RunGameProcess({"--headless", "--frames", "1000", "--home", dir / "home",
                                  "--data", dir / "data"});
    const std::string path = "Data\\Item" + std::to_string(c.broken) + ".png";
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Fleecewick headless: " + std::to_string(c.frames) + " frames presented\n");
    EXPECT_NE(run.err.find("Error: Failed to load '" + path + "'!"), std::string::npos) << run.err;
    std::string log = ReadFileBytes(dir / "home/Fleecewick/Fleecewick.log");
    EXPECT_NE(log.find("# Failed to load '" + path + "'!\r\n"), std::string::npos) << log;
  }
}

TEST(LoadingRun, AWholeCatalogueLoadsAndTheScreenWaitsForItsSuccessor) {
  TempDir dir;
  WriteGameData(dir / "data", 120);
  GameRun run = RunGameProcess(
      {"--headless", "--frames", "400", "--home", dir / "home", "--data", dir / "data"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Fleecewick headless: 400 frames presented\n");
  EXPECT_TRUE(run.err.empty()) << run.err;
  EXPECT_EQ(ReadFileBytes(dir / "home/Fleecewick/Fleecewick.log").find("Failed"), std::string::npos);
}

TEST(LoadingRun, AMissingOrUnusableCatalogueEndsTheGameAtOnce) {
  TempDir dir;
  WriteGameData(dir / "data", 2);
  struct Case {
    const char* name;
    std::string catalogue;  // empty: no file at all
  };
  const Case cases[] = {
      {"missing", ""},
      {"no entries", "<files>\r\n</files>\r\n"},
      {"does not parse", "<files>\r\n  <image id=\"1000\" path=\"Data\\Item1.png\"/>\r\n"},
      {"entry without a path", "<files>\r\n  <image id=\"1000\"/>\r\n</files>\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.catalogue.empty()) {
      std::remove((dir / "data/files.xml").c_str());
    } else {
      WriteFileBytes(dir / "data/files.xml", c.catalogue);
    }
    GameRun run = RunGameProcess(
        {"--headless", "--frames", "100", "--home", dir / "home", "--data", dir / "data"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "") << "no frame is presented";
    EXPECT_NE(run.err.find("Error: 'files.xml' invalid!"), std::string::npos) << run.err;
    std::string log = ReadFileBytes(dir / "home/Fleecewick/Fleecewick.log");
    EXPECT_NE(log.find("\r\n# File 'files.xml' not valid!\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Setting up screen"), std::string::npos) << log;
  }
}

TEST(LoadingRun, AnUnusableMessageCatalogueEndsTheGameAtOnce) {
  TempDir dir;
  WriteGameData(dir / "data", 2);
  for (const char* body : {"", "<messages><message id=\"2\" title=\"t\"/></messages>"}) {
    SCOPED_TRACE(body);
    if (body[0]) {
      WriteFileBytes(dir / "data/Data/messages.xml", body);
    } else {
      std::remove((dir / "data/Data/messages.xml").c_str());
    }
    GameRun run = RunGameProcess(
        {"--headless", "--frames", "100", "--home", dir / "home", "--data", dir / "data"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Error: 'Data/messages.xml' invalid!"), std::string::npos) << run.err;
    std::string log = ReadFileBytes(dir / "home/Fleecewick/Fleecewick.log");
    EXPECT_NE(log.find("\r\n# File 'Data/messages.xml' not valid!\r\n"), std::string::npos) << log;
  }
}
