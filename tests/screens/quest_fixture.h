// A headless fixture for the quest map: the UI pictures, the marker frames
// and the map's own pictures registered, the game's animations built, a
// message catalogue and a quest list in the data folder, and a fresh profile
// inside quest 1.  Frames run as the main loop runs them.
#pragma once

#include <string>
#include <vector>

#include "app/logging.h"
#include "data/animation_list.h"
#include "level/particle.h"
#include "persist/profile.h"
#include "screens/quest.h"
#include "screens/title.h"
#include "ui/ui_fixture.h"

class QuestMapTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    Quest::Reset();
    ParticleList::Clear();
    Profile::ResetToProgramStart();
    Profile::ResetProfile("Tester");
    Profile::SelectQuest(1);
    BuildGameAnimations();
    Strip(3000, 27, 40, 40);  // marker frames 3000 to 3026
    for (int id : {2001, 2002}) Image(id, 64, 48);
    Image(2501, 256, 256);
    Image(2600, 800, 150);
    Image(325, 60, 60);
    Image(3034, 20, 20);
    Image(9, 16, 16);
    Image(1002, 8, 8);
    WriteFileBytes(dir / "music.wav", WavBytes(8000));
    AudioList::LoadSound("music.wav", 65, 1, 1.0f);
    AudioList::LoadSound("music.wav", 8, 0, 1.0f);
    CreateFolder(dir / "Data", 0);
    WriteFileBytes(dir / "Data/messages.xml",
                   "<messages>\r\n"
                   "  <message id=\"3\" title=\"Tokens!\" text=\"Your first tokens.\"/>\r\n"
                   "  <message id=\"10\" title=\"Welcome\" text=\"The first quest.\"/>\r\n"
                   "  <message id=\"19\" title=\"Last stage\" text=\"Open!\" powerup=\"66\"/>\r\n"
                   "</messages>\r\n");
    ASSERT_EQ(MessageList::Load("Data/messages.xml"), 1);
    // The title screen reads the quest list when a profile is chosen.
    WriteFileBytes(dir / "Data/quests.xml",
                   "<quests>\r\n  <quest id=\"1\" name=\"Meadows\" filename=\"quest.xml\" "
                   "image=\"2002\" info=\"x\"/>\r\n</quests>\r\n");
    LogFilePath = dir / "Fleecewick.log";
    CurrentQuestFile = "quest.xml";
    CurrentQuestName = "Meadows";
    CurrentQuestImage = 2002;
  }
  void TearDown() override {
    Quest::Reset();
    ParticleList::Clear();
    Profile::ResetToProgramStart();
    UiTest::TearDown();
  }

  // A strip of `frames` cells of w by h under first .. first + frames - 1.
  void Strip(int first, int frames, int w, int h) {
    std::string error;
    const std::string name = "strip" + std::to_string(first) + ".png";
    ASSERT_TRUE(WritePngFile(dir / name, w * frames, h,
                             std::vector<uint32_t>(static_cast<size_t>(w) * frames * h,
                                                   0xFFFFFFFFu),
                             &error))
        << error;
    ASSERT_EQ(ImageList::LoadImageFrames(name, first, w, h, frames), 1);
  }

  // A quest file from its root attributes and its elements.
  void WriteQuest(const std::string& rootAttributes, const std::string& elements) {
    WriteFileBytes(dir / "quest.xml", "<?xml version=\"1.0\"?>\r\n<quest" +
                                          (rootAttributes.empty() ? "" : " " + rootAttributes) +
                                          ">\r\n" + elements + "</quest>\r\n");
  }
  static std::string Level(int id, int x, int y, const std::string& more = "") {
    return "  <level id=\"" + std::to_string(id) + "\" name=\"Level " + std::to_string(id) +
           "\" filename=\"Data/Levels/L" + std::to_string(id) + ".xml\" x=\"" +
           std::to_string(x) + "\" y=\"" + std::to_string(y) + "\"" +
           (more.empty() ? "" : " " + more) + "/>\r\n";
  }

  // One pass of the main loop: the tint, the screen's update, then the
  // drawing of whichever screen is current afterwards.
  void Frame(float dt = 1.0f) {
    TintRed.Update(dt);
    TintGreen.Update(dt);
    TintBlue.Update(dt);
    CurrentScreen->Update(dt);
    backend->ClearScreen();
    CurrentScreen->Draw();
    CurrentScreen.ReleaseRetired();
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) Frame();
  }
  // Press and release of the pointer button over (x, y).
  void ClickAt(int x, int y) {
    PointAt(x, y);
    PointerDown = 0;
    Frame();
    PointerDown = 1;
    Frame();
    PointerDown = 0;
    Frame();
  }
  void ClickMarker(const LevelInfo& level) { ClickAt(level.x, level.y); }
  void ClickOK() {
    ASSERT_TRUE(MessageOKButton);
    ClickAt(MessageOKButton->x + 5, MessageOKButton->y + 5);
    Frames(30);  // the box fades out
  }

  Quest* Screen() const { return dynamic_cast<Quest*>(CurrentScreen.get()); }
  bool OnTitle() const { return dynamic_cast<Title*>(CurrentScreen.get()) != nullptr; }
  static LevelInfo& LevelById(int id) {
    for (LevelInfo& l : QuestLevels)
      if (l.id == id) return l;
    ADD_FAILURE() << "no level " << id;
    return QuestLevels.front();
  }
  static int MarkerAnimation(const LevelInfo& level) {
    return level.marker && level.marker->animation ? level.marker->animation->animId : -1;
  }
  // Gives the level a profile entry with this score and rank.
  static void Scored(int id, int score, int rank) {
    Profile::SelectLevel(id);
    ProfileLevel* entry = Profile::FindLevel(id);
    entry->score = score;
    entry->rank = rank;
  }

  // The draw calls of one image in the frame being built.
  std::vector<HeadlessBackend::DrawCall> DrawsOf(int imageId) const {
    std::vector<HeadlessBackend::DrawCall> calls;
    ImageContainer* c = ImageList::FindImage(imageId);
    for (const auto& call : backend->FrameCalls()) {
      if (call.kind == HeadlessBackend::DrawCall::kImage && c && call.image == c->image.get() &&
          call.frame == imageId - c->firstId)
        calls.push_back(call);
    }
    return calls;
  }
  // The text draw calls of the frame being built.
  std::vector<HeadlessBackend::DrawCall> Texts() const {
    std::vector<HeadlessBackend::DrawCall> calls;
    for (const auto& call : backend->FrameCalls())
      if (call.kind == HeadlessBackend::DrawCall::kText) calls.push_back(call);
    return calls;
  }
  bool DrewText(const std::string& text) const {
    for (const auto& t : Texts())
      if (t.text == text) return true;
    return false;
  }
};
