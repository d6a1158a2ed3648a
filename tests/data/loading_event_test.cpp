// The asset catalogue and the loading screen: what each catalogue element
// queues, which catalogues are refused, the screen's waits and one asset per
// frame, the failures that end the game, the fades as drawn, and the hand-over
// once the closing wait is over.
#include "data/loading_event.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "app/globals.h"
#include "data/animation_list.h"
#include "data/audio_list.h"
#include "data/file_loader.h"
#include "data/font_list.h"
#include "data/image_list.h"
#include "platform/draw_state.h"
#include "platform/image_loading.h"
#include "platform/png_writer.h"
#include "support/headless_fixture.h"
#include "support/temp_dir.h"
#include "support/wav_fixture.h"
#include "screens/title.h"

namespace {

using Call = HeadlessBackend::DrawCall;

const char kSansPath[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";


// A data folder with a "Data" subfolder, the registries and the queue empty,
// and the log written into the folder.
class AssetTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ResetRegistries();
    EnableAutoMidHandle(1);
    SetDataFolder(dir.path());
    ASSERT_EQ(CreateFolder(dir / "Data", 0), 1);
    LogFilePath = dir / "log.txt";
  }
  void TearDown() override {
    ResetRegistries();
    ResetImageLoading();
    HeadlessTest::TearDown();
  }
  static void ResetRegistries() {
    FileQueue.clear();
    ImageList::Reset();
    FontList::Reset();
    AudioList::Reset();
    AnimationList::Reset();
  }

  // A w by h opaque picture at a path relative to the data folder.
  void Png(const std::string& relative, int w, int h) {
    std::string error;
    ASSERT_TRUE(WritePngFile(dir / relative, w, h,
                             std::vector<uint32_t>(static_cast<size_t>(w) * h, 0xFFFFFFFFu),
                             &error))
        << error;
  }
  void Catalogue(const std::string& body) { WriteFileBytes(dir / "files.xml", body); }
  std::string LogText() { return ReadFileBytes(dir / "log.txt"); }

  TempDir dir;
};

// ---- The catalogue -------------------------------------------------------

struct ElementCase {
  const char* name;
  const char* element;
  int kind;
  int loop, sizeX, sizeY, frames;
  float volume;
};

void PrintTo(const ElementCase& c, std::ostream* os) { *os << c.element; }

class CatalogueElements : public AssetTest, public ::testing::WithParamInterface<ElementCase> {};

TEST_P(CatalogueElements, QueueTheKindAndItsAttributes) {
  const ElementCase& c = GetParam();
  Catalogue(std::string("<files>") + c.element + "</files>");
  ASSERT_EQ(FileLoader::Read("files.xml"), 1);
  ASSERT_EQ(FileQueue.size(), 1u);
  const FileEntry& e = FileQueue.front();
  EXPECT_EQ(e.kind, c.kind);
  EXPECT_EQ(e.id, 42);
  EXPECT_EQ(e.path, "Data\\thing.dat");
  EXPECT_EQ(e.loop, c.loop);
  EXPECT_EQ(e.sizeX, c.sizeX);
  EXPECT_EQ(e.sizeY, c.sizeY);
  EXPECT_EQ(e.frames, c.frames);
  EXPECT_FLOAT_EQ(e.volume, c.volume);
}

#define ITEM " id=\"42\" path=\"Data\\thing.dat\""
INSTANTIATE_TEST_SUITE_P(
    Read, CatalogueElements,
    ::testing::Values(
        ElementCase{"FontDefaultSize", "<font" ITEM "/>", kEntryFont, 0, 12, 0, 0, 0.0f},
        ElementCase{"FontSize", "<font" ITEM " size=\"20\"/>", kEntryFont, 0, 20, 0, 0, 0.0f},
        ElementCase{"FontSizeWithoutDigits", "<font" ITEM " size=\"big\"/>", kEntryFont, 0, 0, 0, 0,
                    0.0f},
        ElementCase{"AudioDefaults", "<audio" ITEM "/>", kEntrySound, 0, 0, 0, 0, 1.0f},
        ElementCase{"AudioLoopZeroStillLoops", "<audio" ITEM " loop=\"0\"/>", kEntrySound, 1, 0, 0,
                    0, 1.0f},
        ElementCase{"AudioEmptyLoopAndVolume", "<audio" ITEM " loop=\"\" volume=\"0.25\"/>",
                    kEntrySound, 1, 0, 0, 0, 0.25f},
        ElementCase{"ImageWhole", "<image" ITEM "/>", kEntryImage, 0, 0, 0, 0, 0.0f},
        ElementCase{"ImageStrip", "<image" ITEM " size_x=\"16\" size_y=\"24\" number=\"5\"/>",
                    kEntryImage, 0, 16, 24, 5, 0.0f},
        ElementCase{"ImageWithoutNumber", "<image" ITEM " size_x=\"16\" size_y=\"24\"/>",
                    kEntryImage, 0, 0, 0, 0, 0.0f},
        ElementCase{"ImageWithoutSizeX", "<image" ITEM " size_y=\"24\" number=\"5\"/>", kEntryImage,
                    0, 0, 0, 0, 0.0f},
        ElementCase{"ImageSizeWithoutDigits",
                    "<image" ITEM " size_x=\"wide\" size_y=\"24\" number=\"5\"/>", kEntryImage, 0,
                    0, 24, 5, 0.0f}),
    [](const ::testing::TestParamInfo<ElementCase>& info) { return info.param.name; });
#undef ITEM

TEST_F(AssetTest, CatalogueKeepsItsOrderSkipsUnknownElementsAndAppends) {
  FileQueue.push_back(FileEntry{});
  Catalogue(
      "<anything>\r\n"
      "  <image id=\"3\" path=\"a.png\"/>\r\n"
      "  <music path=\"no-id.ogg\"/>\r\n"
      "  <font id=\"1\" path=\"b.ttf\"></font>\r\n"
      "  <audio id=\"2\" path=\"c.wav\"/>\r\n"
      "</anything>\r\n");
  ASSERT_EQ(FileLoader::Read("files.xml"), 1);
  ASSERT_EQ(FileQueue.size(), 4u);
  EXPECT_EQ(FileQueue[0].kind, kEntryUnknown);
  EXPECT_EQ(FileQueue[1].path, "a.png");
  EXPECT_EQ(FileQueue[1].id, 3);
  EXPECT_EQ(FileQueue[2].path, "b.ttf");
  EXPECT_EQ(FileQueue[3].path, "c.wav");
  EXPECT_EQ(FileQueue[3].id, 2);
}

struct BadCatalogue {
  const char* name;
  const char* body;  // null: no file at all
};

void PrintTo(const BadCatalogue& c, std::ostream* os) { *os << c.name; }

class RefusedCatalogues : public AssetTest, public ::testing::WithParamInterface<BadCatalogue> {};

TEST_P(RefusedCatalogues, ReadGivesZeroAndQueuesNothing) {
  if (GetParam().body) Catalogue(GetParam().body);
  EXPECT_EQ(FileLoader::Read("files.xml"), 0);
  EXPECT_TRUE(FileQueue.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Read, RefusedCatalogues,
    ::testing::Values(BadCatalogue{"Missing", nullptr},
                      BadCatalogue{"Unparsable", "<files><image id=\"1\" path=\"a.png\"></files>"},
                      BadCatalogue{"RootWithoutChildren", "<files></files>"},
                      BadCatalogue{"EmptyRoot", "<files/>"},
                      BadCatalogue{"ImageWithoutId", "<files><image path=\"a.png\"/></files>"},
                      BadCatalogue{"FontWithoutPath", "<files><font id=\"1\" size=\"9\"/></files>"},
                      BadCatalogue{"AudioWithoutIdAfterGoodOnes",
                                   "<files><image id=\"1\" path=\"a.png\"/>"
                                   "<audio path=\"b.wav\"/></files>"}),
    [](const ::testing::TestParamInfo<BadCatalogue>& info) { return info.param.name; });

TEST_F(AssetTest, ReadRefusesAFolder) {
  ASSERT_EQ(CreateFolder(dir / "files.xml", 0), 1);
  EXPECT_EQ(FileLoader::Read("files.xml"), 0);
}

// ---- Loading one entry ---------------------------------------------------

class LoadingScreenTest : public AssetTest {
 protected:
  void SetUp() override {
    AssetTest::SetUp();
    Png("Data/Title1.png", 8, 6);
    Png("Data/Loading.png", 4, 2);
    Png("Data/strip.png", 12, 4);
    WriteFileBytes(dir / "Data/beep.wav", WavBytes(800));
  }

  static FileEntry Entry(int kind, const std::string& path, int id) {
    FileEntry e;
    e.kind = kind;
    e.path = path;
    e.id = id;
    return e;
  }
  // Queues `count` images made from the strip, identifiers 1 to count.
  static void QueueImages(int count) {
    for (int i = 1; i <= count; ++i) FileQueue.push_back(Entry(kEntryImage, "Data\\strip.png", i));
  }
  // Runs frames of one tick, as the main loop would, until the game is told
  // to quit or `frames` have run; the number of frames run.
  static int RunFrames(LoadingEvent* screen, int frames) {
    int run = 0;
    while (run < frames && AppRunning == 1) {
      screen->Update(1.0f);
      ++run;
    }
    return run;
  }
};

TEST_F(LoadingScreenTest, LoadEntryUsesTheRegistryOfItsKind) {
  LoadingEvent screen;

  FileEntry font = Entry(kEntryFont, kSansPath, 10);
  font.sizeX = 14;
  EXPECT_EQ(screen.LoadEntry(font), 1);
  EXPECT_NE(FontList::FindFont(10), nullptr);

  FileEntry sound = Entry(kEntrySound, "Data\\beep.wav", 20);
  sound.loop = 1;
  sound.volume = 0.5f;
  EXPECT_EQ(screen.LoadEntry(sound), 1);
  ASSERT_NE(AudioList::FindSound(20), nullptr);
  EXPECT_TRUE(AudioList::FindSound(20)->sound->looping);
  EXPECT_FLOAT_EQ(AudioList::FindSound(20)->baseVolume, 0.5f);

  FileEntry strip = Entry(kEntryImage, "Data\\strip.png", 30);
  strip.sizeX = strip.sizeY = 4;
  strip.frames = 3;
  EXPECT_EQ(screen.LoadEntry(strip), 1);
  ASSERT_NE(ImageList::FindImage(32), nullptr);
  EXPECT_EQ(ImageList::FindImage(30)->frameCount, 3);

  // Two of the three sizes: one whole picture.
  FileEntry whole = Entry(kEntryImage, "Data\\strip.png", 40);
  whole.sizeX = whole.sizeY = 4;
  EXPECT_EQ(screen.LoadEntry(whole), 1);
  ASSERT_NE(ImageList::FindImage(40), nullptr);
  EXPECT_EQ(ImageList::FindImage(40)->frameCount, 1);
  EXPECT_EQ(ImageWidthOf(ImageList::FindImage(40)->image.get()), 12);
}

TEST_F(LoadingScreenTest, LoadEntryFailures) {
  LoadingEvent screen;
  const FileEntry cases[] = {
      Entry(kEntryUnknown, "Data\\strip.png", 1),
      Entry(kEntryImage, "Data\\nothing.png", 2),
      Entry(kEntrySound, "Data\\nothing.wav", 3),
      Entry(kEntryFont, "Data\\nothing.ttf", 4),
  };
  for (const FileEntry& e : cases) EXPECT_EQ(screen.LoadEntry(e), 0) << e.path;
  // An identifier already taken is the registry's failure too.
  ASSERT_EQ(ImageList::LoadImage("Data\\strip.png", 5), 1);
  EXPECT_EQ(screen.LoadEntry(Entry(kEntryImage, "Data\\strip.png", 5)), 0);
}

// ---- The screen ----------------------------------------------------------

TEST_F(LoadingScreenTest, CreateStartsTheFadesLoadsItsImagesAndBecomesCurrent) {
  LoadingEvent* screen = LoadingEvent::Create();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(CurrentScreen.get(), screen);
  EXPECT_EQ(screen->phase, kLoadingOpeningWait);
  EXPECT_FLOAT_EQ(screen->timer, 0.0f);
  EXPECT_FLOAT_EQ(screen->logoAlpha.current, 0.0f);
  EXPECT_FLOAT_EQ(screen->logoAlpha.target, 1.0f);
  EXPECT_FLOAT_EQ(screen->logoAlpha.rate, 1.0f / 50);
  EXPECT_FLOAT_EQ(screen->backdropLevel.current, 0.0f);
  EXPECT_FLOAT_EQ(screen->backdropLevel.target, 0.25f);
  EXPECT_FLOAT_EQ(screen->backdropLevel.rate, 0.25f / 20);
  for (const Interpolation* tint : {&TintRed, &TintGreen, &TintBlue}) {
    EXPECT_FLOAT_EQ(tint->current, 0.0f);
    EXPECT_FLOAT_EQ(tint->target, 255.0f);
    EXPECT_FLOAT_EQ(tint->rate, 255.0f / 20);
  }
  ASSERT_NE(ImageList::FindImage(kLoadingBackdropImage), nullptr);
  ASSERT_NE(ImageList::FindImage(kLoadingLogoImage), nullptr);
  EXPECT_EQ(ImageWidthOf(ImageList::FindImage(kLoadingBackdropImage)->image.get()), 8);
  EXPECT_EQ(ImageWidthOf(ImageList::FindImage(kLoadingLogoImage)->image.get()), 4);
  EXPECT_EQ(AppRunning, 1);
  EXPECT_TRUE(backend->MessageBoxes().empty());
  EXPECT_FALSE(screen->Finished());
}

struct MissingOwnImages {
  const char* name;
  std::vector<std::string> removed;   // files under the data folder
  std::vector<std::string> reported;  // catalogue paths, in report order
};

void PrintTo(const MissingOwnImages& c, std::ostream* os) { *os << c.name; }

class LoadingOwnImages : public LoadingScreenTest,
                         public ::testing::WithParamInterface<MissingOwnImages> {};

TEST_P(LoadingOwnImages, AMissingOneIsReportedAndEndsTheGame) {
  for (const std::string& f : GetParam().removed) ASSERT_EQ(DeleteFile(dir / f), 1);
  LoadingEvent* screen = LoadingEvent::Create();
  EXPECT_EQ(CurrentScreen.get(), screen);
  EXPECT_EQ(AppRunning, 0);
  std::vector<std::string> boxes;
  std::string log;
  for (const std::string& p : GetParam().reported) {
    boxes.push_back("Error: Failed to load '" + p + "'!");
    log += "# Failed to load '" + p + "'!\r\n";
  }
  EXPECT_EQ(backend->MessageBoxes(), boxes);
  EXPECT_EQ(LogText(), log);
}

INSTANTIATE_TEST_SUITE_P(
    Create, LoadingOwnImages,
    ::testing::Values(MissingOwnImages{"Backdrop", {"Data/Title1.png"}, {"Data\\Title1.png"}},
                      MissingOwnImages{"Logo", {"Data/Loading.png"}, {"Data\\Loading.png"}},
                      MissingOwnImages{"Both",
                                       {"Data/Title1.png", "Data/Loading.png"},
                                       {"Data\\Title1.png", "Data\\Loading.png"}}),
    [](const ::testing::TestParamInfo<MissingOwnImages>& info) { return info.param.name; });

TEST_F(LoadingScreenTest, OpeningWaitLastsFiftyTicksWhateverTheStep) {
  QueueImages(2);
  LoadingEvent* screen = LoadingEvent::Create();
  for (int i = 0; i < 24; ++i) screen->Update(2.0f);  // 48 ticks
  EXPECT_EQ(screen->phase, kLoadingOpeningWait);
  EXPECT_EQ(FileQueue.size(), 2u);
  screen->Update(1.5f);  // 49.5
  EXPECT_EQ(screen->phase, kLoadingOpeningWait);
  screen->Update(0.5f);  // 50: loading starts within this frame
  EXPECT_EQ(screen->phase, kLoadingAssets);
  EXPECT_EQ(FileQueue.size(), 1u);
  EXPECT_NE(ImageList::FindImage(1), nullptr);
}

TEST_F(LoadingScreenTest, OneAssetPerFrameInCatalogueOrder) {
  const int kAssets = 120;
  QueueImages(kAssets);
  LoadingEvent* screen = LoadingEvent::Create();
  RunFrames(screen, 49);
  ASSERT_EQ(screen->phase, kLoadingOpeningWait);
  screen->Update(1.0f);  // the end of the opening wait loads the first asset
  ASSERT_EQ(screen->phase, kLoadingAssets);
  ASSERT_EQ(FileQueue.size(), static_cast<size_t>(kAssets - 1));

  int loadingFrames = 1;
  while (screen->phase != kLoadingClosingWait && loadingFrames <= kAssets + 1) {
    const size_t before = FileQueue.size();
    screen->Update(0.01f);  // frames far shorter than a tick still load one asset
    if (screen->phase == kLoadingAssets) {
      ++loadingFrames;
      ASSERT_EQ(FileQueue.size(), before - 1);
      const int loaded = kAssets - static_cast<int>(FileQueue.size());
      ASSERT_NE(ImageList::FindImage(loaded), nullptr);
      ASSERT_EQ(ImageList::FindImage(loaded + 1), nullptr);
    }
  }
  EXPECT_EQ(loadingFrames, kAssets);
  EXPECT_EQ(screen->phase, kLoadingClosingWait);
  EXPECT_TRUE(FileQueue.empty());
  EXPECT_EQ(AppRunning, 1);
  EXPECT_TRUE(backend->MessageBoxes().empty());
  // The closing fades: the logo out, the backdrop up to full brightness.
  EXPECT_FLOAT_EQ(screen->logoAlpha.target, 0.0f);
  EXPECT_FLOAT_EQ(screen->backdropLevel.target, 1.0f);
  EXPECT_FLOAT_EQ(screen->backdropLevel.rate, (1.0f - screen->backdropLevel.current) / 50);
}

TEST_F(LoadingScreenTest, AFailedAssetEndsTheGameAndNothingAfterItLoads) {
  QueueImages(6);
  FileQueue[2].path = "Data\\gone.png";
  LoadingEvent* screen = LoadingEvent::Create();
  const int frames = RunFrames(screen, 500);
  EXPECT_EQ(frames, 50 + 2);  // the opening wait's last frame loads the first asset
  EXPECT_EQ(AppRunning, 0);
  EXPECT_NE(ImageList::FindImage(1), nullptr);
  EXPECT_NE(ImageList::FindImage(2), nullptr);
  for (int id = 3; id <= 6; ++id) EXPECT_EQ(ImageList::FindImage(id), nullptr) << id;
  ASSERT_EQ(FileQueue.size(), 3u);  // the failed entry is dropped
  EXPECT_EQ(FileQueue.front().id, 4);
  EXPECT_EQ(backend->MessageBoxes(),
            std::vector<std::string>{"Error: Failed to load 'Data\\gone.png'!"});
  EXPECT_EQ(LogText(), "# Failed to load 'Data\\gone.png'!\r\n");
  EXPECT_EQ(screen->phase, kLoadingAssets);
}

TEST_F(LoadingScreenTest, AfterTheClosingWaitTheAnimationsAreBuiltAndTheTitleTakesOver) {
  QueueImages(2);
  LoadingEvent* screen = LoadingEvent::Create();
  // 50 ticks of opening wait (the last also loads asset 1), asset 2, then the
  // frame that finds the queue empty starts the 50 ticks of closing wait.
  RunFrames(screen, 50 + 1 + 49);
  EXPECT_EQ(screen->phase, kLoadingClosingWait);
  EXPECT_FLOAT_EQ(screen->timer, 49.0f);
  EXPECT_FALSE(screen->Finished());
  EXPECT_TRUE(AnimationList::Templates().empty());

  screen->Update(1.0f);
  EXPECT_TRUE(screen->Finished());
  EXPECT_EQ(AnimationList::Templates().size(), 57u);
  ASSERT_NE(dynamic_cast<Title*>(CurrentScreen.get()), nullptr) << "the title screen took over";
  EXPECT_EQ(TitleState, kTitleNameEntry) << "no profile yet: the name entry";
  EXPECT_EQ(AppRunning, 1);
  CurrentScreen.ReleaseRetired();
}

TEST_F(LoadingScreenTest, FadesRiseOverTheirTicks) {
  QueueImages(1);
  LoadingEvent* screen = LoadingEvent::Create();
  RunFrames(screen, 10);
  EXPECT_NEAR(screen->backdropLevel.current, 0.125f, 1e-5);
  EXPECT_NEAR(screen->logoAlpha.current, 0.2f, 1e-5);
  RunFrames(screen, 30);
  EXPECT_FLOAT_EQ(screen->backdropLevel.current, 0.25f);  // arrived exactly
  EXPECT_NEAR(screen->logoAlpha.current, 0.8f, 1e-5);
}

struct DrawCase {
  const char* name;
  float tintR, tintG, tintB;
  float level, alpha;
  int r, g, b;  // backdrop colour
  int logoR, logoG, logoB;
  int logoAlpha;  // 0..255
};

void PrintTo(const DrawCase& c, std::ostream* os) { *os << c.name; }

class LoadingDraw : public LoadingScreenTest, public ::testing::WithParamInterface<DrawCase> {};

TEST_P(LoadingDraw, BackdropIsDimmedAndTheLogoFaded) {
  const DrawCase& c = GetParam();
  ScreenWidth = 641;
  ScreenHeight = 481;
  LoadingEvent* screen = LoadingEvent::Create();
  TintRed.current = c.tintR;
  TintGreen.current = c.tintG;
  TintBlue.current = c.tintB;
  screen->backdropLevel.current = c.level;
  screen->logoAlpha.current = c.alpha;
  SetDrawScale(3.0f, 2.0f);
  SetDrawAlpha(0.5f);
  screen->Draw();

  const std::vector<Call>& calls = backend->FrameCalls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].kind, Call::kClear);

  const Call& back = calls[1];
  ASSERT_EQ(back.kind, Call::kImage);
  EXPECT_EQ(back.image, ImageList::FindImage(kLoadingBackdropImage)->image.get());
  EXPECT_FLOAT_EQ(back.x, 320.0f);
  EXPECT_FLOAT_EQ(back.y, 240.0f);
  EXPECT_EQ(back.state.r, c.r);
  EXPECT_EQ(back.state.g, c.g);
  EXPECT_EQ(back.state.b, c.b);
  EXPECT_EQ(back.state.blend, kBlendSolid);
  EXPECT_FLOAT_EQ(back.state.scaleX, 1.0f);
  EXPECT_FLOAT_EQ(back.state.scaleY, 1.0f);

  const Call& logo = calls[2];
  ASSERT_EQ(logo.kind, Call::kImage);
  EXPECT_EQ(logo.image, ImageList::FindImage(kLoadingLogoImage)->image.get());
  EXPECT_FLOAT_EQ(logo.x, 320.0f);
  EXPECT_FLOAT_EQ(logo.y, 240.0f);
  EXPECT_EQ(logo.state.r, c.logoR);
  EXPECT_EQ(logo.state.g, c.logoG);
  EXPECT_EQ(logo.state.b, c.logoB);
  EXPECT_EQ(logo.state.blend, kBlendAlpha);
  EXPECT_EQ(logo.state.alpha, c.logoAlpha);
}

INSTANTIATE_TEST_SUITE_P(
    Draw, LoadingDraw,
    ::testing::Values(
        // At creation: black.
        DrawCase{"Black", 0, 0, 0, 0.0f, 0.0f, 0, 0, 0, 0, 0, 0, 0},
        // Truncated toward zero: 255 * 0.3 = 76.5, 99.9 * 0.3 = 29.97, 255 * 0.5 = 127.5.
        DrawCase{"Truncated", 255, 99.9f, 10, 0.3f, 0.5f, 76, 29, 3, 255, 99, 10, 127},
        DrawCase{"QuarterLevelFullLogo", 255, 255, 255, 0.25f, 1.0f, 63, 63, 63, 255, 255, 255,
                 255},
        DrawCase{"FullLevel", 128.5f, 200, 64, 1.0f, 0.2f, 128, 200, 64, 128, 200, 64, 51}),
    [](const ::testing::TestParamInfo<DrawCase>& info) { return info.param.name; });

}  // namespace
