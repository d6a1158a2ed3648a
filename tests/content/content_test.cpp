// The game's built content: the catalogue passes the checker, every picture,
// sound, tune and font the game asks for is registered, the loading screen's
// own pictures and the window icon are there, and a headless run loads it all.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "data/animation_list.h"
#include "data/data_check.h"
#include "data/file_loader.h"
#include "data/xml_node.h"
#include "platform/image_loading.h"
#include "platform/services.h"
#include "support/run_game.h"
#include "support/temp_dir.h"

namespace {

// Identifiers the screens, controls and level objects draw, play or write with.
std::vector<int> Range(int first, int last) {
  std::vector<int> ids;
  for (int id = first; id <= last; ++id) ids.push_back(id);
  return ids;
}

std::vector<int> RequiredImages() {
  std::vector<int> ids = {
      1,    1000, 1002,                                   // particles
      8,    9,                                            // pointers
      16,   24,   77,   3006, 3032, 3033, 3034,           // controls, frame, bar, token
      32,   48,   2600, 2501, 2024,                       // backgrounds, overlays, locked quest
      64,   69,   72,   73,   70,   71,   74,   75,   76, // trees, fences, bar
      65,   66,   67,   68,   6000, 6001, 325,            // rocks, bushes, swamp, grass, portrait
      3000, 3001, 3002, 3003, 3004, 3005, 3009, 3010, 3011, 3018, 3024, 3025, 3026};
  for (int id : Range(3012, 3016)) ids.push_back(id);  // power-up icons
  for (int id : Range(3056, 3059)) ids.push_back(id);  // quest progress bar
  for (int id : Range(4001, 4009)) ids.push_back(id);  // title letters
  return ids;
}

std::vector<int> RequiredSounds() {
  std::vector<int> ids = {2, 4, 6, 8, 9, 64, 70};
  for (int id : Range(10, 15)) ids.push_back(id);
  for (int id : Range(18, 27)) ids.push_back(id);
  return ids;
}

class BuiltContent : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDataFolder(FLEECEWICK_DATA_DIR);
    FileQueue.clear();
    ASSERT_EQ(FileLoader::Read("files.xml"), 1) << "no usable catalogue in " FLEECEWICK_DATA_DIR;
    for (const FileEntry& e : FileQueue) {
      if (e.kind == kEntryImage) {
        int frames = (e.sizeX && e.sizeY && e.frames) ? e.frames : 1;
        for (int k = 0; k < frames; ++k) images.insert(e.id + k);
      } else if (e.kind == kEntrySound) {
        sounds[e.id] = e.loop;
      } else if (e.kind == kEntryFont) {
        fonts.insert(e.id);
      }
    }
    FileQueue.clear();
  }
  void TearDown() override {
    FileQueue.clear();
    AnimationList::Reset();
    SetDataFolder("");
  }

  std::set<int> images;
  std::map<int, int> sounds;  // identifier to loop flag
  std::set<int> fonts;
};

std::string Join(const std::vector<int>& ids) {
  std::string text;
  for (int id : ids) text += (text.empty() ? "" : " ") + std::to_string(id);
  return text;
}

std::string Value(const xmlNode* node, const char* name) {
  const xmlAttribute* a = node->Attribute(name);
  return a ? a->value : std::string();
}

std::unique_ptr<xmlNode> LoadData(const std::string& path) {
  std::unique_ptr<xmlNode> root = xmlNode::Load(path);
  EXPECT_NE(root, nullptr) << path;
  return root;
}

}  // namespace

TEST_F(BuiltContent, CataloguePassesTheChecker) {
  TempDir dir;
  std::FILE* out = std::fopen((dir / "report.txt").c_str(), "w");
  ASSERT_NE(out, nullptr);
  int status = CheckDataFiles({std::string(FLEECEWICK_DATA_DIR) + "/files.xml"}, out);
  std::fclose(out);
  EXPECT_EQ(status, 0) << ReadFileBytes(dir / "report.txt");
}

TEST_F(BuiltContent, TextDataPassesTheChecker) {
  TempDir dir;
  const std::string data = std::string(FLEECEWICK_DATA_DIR) + "/Data/";
  std::vector<std::string> files = {data + "messages.xml", data + "quests.xml"};
  for (const char* quest : {"CloverMeadows", "BrambleValley", "FrostfellHills"}) {
    files.push_back(data + "Quests/" + quest + ".xml");
  }
  std::FILE* out = std::fopen((dir / "report.txt").c_str(), "w");
  ASSERT_NE(out, nullptr);
  int status = CheckDataFiles(files, out);
  std::fclose(out);
  const std::string report = ReadFileBytes(dir / "report.txt");
  EXPECT_EQ(status, 0) << report;
  // The level files come with level play; anything else the checker says is
  // a fault of ours.
  size_t start = 0;
  for (size_t end; (end = report.find('\n', start)) != std::string::npos; start = end + 1) {
    const std::string line = report.substr(start, end - start);
    if (line.find("warning") == std::string::npos) continue;
    EXPECT_NE(line.find("the level file 'Data/Levels/"), std::string::npos) << line;
  }
}

TEST_F(BuiltContent, EveryImageTheGameDrawsIsRegistered) {
  std::vector<int> wanted = RequiredImages();
  BuildGameAnimations();
  for (const Animation& a : AnimationList::Templates()) {
    for (const auto& frame : a.frames) wanted.push_back(frame->imageId);
  }
  // Each quest's map and its button.
  std::unique_ptr<xmlNode> quests = LoadData("Data/quests.xml");
  ASSERT_NE(quests, nullptr);
  ASSERT_EQ(quests->ChildCount(), 3);
  for (int i = 0; i < quests->ChildCount(); ++i) {
    int image = std::atoi(Value(quests->Child(i), "image").c_str());
    wanted.push_back(image);
    wanted.push_back(image + 16);
  }
  std::vector<int> missing;
  for (int id : wanted) {
    if (!images.count(id)) missing.push_back(id);
  }
  EXPECT_TRUE(missing.empty()) << "missing images: " << Join(missing);
  EXPECT_FALSE(images.count(4000) || images.count(5000))
      << "the loading screen registers 4000 and 5000 itself";
}

TEST_F(BuiltContent, EverySoundTuneAndFontIsRegistered) {
  std::vector<int> missing;
  for (int id : RequiredSounds()) {
    if (!sounds.count(id)) missing.push_back(id);
  }
  EXPECT_TRUE(missing.empty()) << "missing sounds: " << Join(missing);
  EXPECT_EQ(sounds[64], 1) << "the title tune loops";
  EXPECT_EQ(sounds[70], 1) << "the credits tune loops";
  // The tunes the quest files name, for their maps and their levels.
  std::unique_ptr<xmlNode> quests = LoadData("Data/quests.xml");
  ASSERT_NE(quests, nullptr);
  for (int i = 0; i < quests->ChildCount(); ++i) {
    std::string file = Value(quests->Child(i), "filename");
    std::unique_ptr<xmlNode> quest = LoadData(file);
    ASSERT_NE(quest, nullptr) << file;
    for (const char* attr : {"level_music", "quest_music"}) {
      int id = std::atoi(Value(quest.get(), attr).c_str());
      EXPECT_EQ(sounds.count(id), 1u) << file << " " << attr << " " << id;
      EXPECT_EQ(sounds[id], 1) << file << " " << attr << " " << id << " loops";
    }
  }
  for (int id : Range(1, 7)) EXPECT_EQ(fonts.count(id), 1u) << "font " << id;
}

TEST_F(BuiltContent, LoadingPicturesAndIconDecode) {
  struct Case {
    const char* path;
    int width, height;  // 0: any size
  };
  for (const Case& c : {Case{"Data/Title1.png", 800, 600}, Case{"Data/Loading.png", 0, 0},
                        Case{"Data/icon.png", 0, 0}}) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(ResolvePath(c.path), &bytes, 16 << 20)) << c.path;
    DecodedPicture picture;
    std::string error;
    ASSERT_TRUE(DecodePicture(bytes.data(), bytes.size(), &picture, &error)) << c.path << error;
    if (c.width) {
      EXPECT_EQ(picture.width, c.width) << c.path;
      EXPECT_EQ(picture.height, c.height) << c.path;
    }
  }
}

TEST(BuiltContentRun, AHeadlessRunLoadsTheWholeCatalogue) {
  TempDir home;
  // 50 ticks of opening wait, one entry a frame, 50 ticks of closing wait.
  SetDataFolder(FLEECEWICK_DATA_DIR);
  FileQueue.clear();
  ASSERT_EQ(FileLoader::Read("files.xml"), 1);
  const int frames = 50 + static_cast<int>(FileQueue.size()) + 60;
  FileQueue.clear();
  SetDataFolder("");
  GameRun run = RunGameProcess({"--headless", "--frames", std::to_string(frames), "--home",
                                home.path(), "--data", FLEECEWICK_DATA_DIR});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Fleecewick headless: " + std::to_string(frames) + " frames presented\n");
  std::string log = ReadFileBytes(home / "Fleecewick/Fleecewick.log");
  EXPECT_EQ(log.find("Failed to load"), std::string::npos) << log;
  EXPECT_TRUE(run.err.empty()) << run.err;
}
