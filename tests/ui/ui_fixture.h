// A headless fixture for the user-interface tests: the control pictures
// registered at their game sizes, the hover and click sounds, no fonts (so
// text is measured with the built-in 8 by 16 font), and the registries and
// the UI globals empty.
#pragma once

#include <string>
#include <vector>

#include "data/animation_list.h"
#include "data/audio_list.h"
#include "data/font_list.h"
#include "data/image_list.h"
#include "platform/image_loading.h"
#include "platform/png_writer.h"
#include "support/headless_fixture.h"
#include "support/temp_dir.h"
#include "support/wav_fixture.h"
#include "ui/gui.h"
#include "ui/message_list.h"
#include "ui/options.h"

class UiTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Clean();
    EnableAutoMidHandle(1);
    SetDataFolder(dir.path());
    Image(16, 160, 44);
    Image(24, 512, 512);
    Image(77, 130, 20);
    Image(3006, 40, 24);
    Image(3032, 16, 16);
    Image(3033, 20, 28);
    Image(500, 30, 30);
    WriteFileBytes(dir / "sound.wav", WavBytes(8000));
    AudioList::LoadSound("sound.wav", kHoverSound, 0, 1.0f);
    AudioList::LoadSound("sound.wav", kClickSound, 0, 1.0f);
  }
  void TearDown() override {
    Clean();
    ResetImageLoading();
    SetDataFolder("");
    HeadlessTest::TearDown();
  }
  static void Clean() {
    GUI::Clear();
    ClickReady = 1;
    MessageList::Reset();
    Options::Reset();
    ImageList::Reset();
    FontList::Reset();
    AudioList::Reset();
    AnimationList::Reset();
  }

  // An opaque picture of w by h registered under id.
  void Image(int id, int w, int h) {
    std::string name = "image" + std::to_string(id) + ".png";
    std::string error;
    ASSERT_TRUE(WritePngFile(dir / name, w, h,
                             std::vector<uint32_t>(static_cast<size_t>(w) * h, 0xFFFFFFFFu),
                             &error))
        << error;
    ASSERT_EQ(ImageList::LoadImage(name, id), 1);
  }

  // One frame of a screen that holds controls: update them, then draw them.
  void Frame(float dt = 1.0f) {
    GUI::UpdateAll(dt);
    backend->ClearScreen();
    GUI::DrawAll();
  }
  void PointAt(int x, int y) {
    PointerX = x;
    PointerY = y;
  }
  // Whether the sound played since the last call (each call stops it again).
  bool Played(int sound) {
    bool playing = AudioList::IsSoundPlaying(sound) == 1;
    AudioList::StopSound(sound);
    return playing;
  }

  TempDir dir;
};
