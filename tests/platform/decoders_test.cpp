// DecodeSound on WAV and Ogg Vorbis data, ReadWholeFile, and the image and
// sound loading services on files the tests write to a temporary folder.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/decode_fixtures.h"
#include "platform/image_loading.h"
#include "platform/services.h"

namespace {

using fixtures::Bytes;

// A folder under /tmp that is removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    char name[] = "/tmp/fleecewick-decoders-XXXXXX";
    if (::mkdtemp(name) != nullptr) path_ = name;
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }
  std::string Write(const std::string& name, const Bytes& bytes) const {
    std::string full = path_ + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream(full, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return full;
  }

 private:
  std::string path_;
};

// ---- WAV -------------------------------------------------------------------

Bytes Samples16(std::initializer_list<int> values) {
  Bytes b;
  for (int v : values) fixtures::Put16(&b, static_cast<uint16_t>(v));
  return b;
}

Bytes ExtensibleFormat(int channels, uint32_t rate, int bits, uint16_t subFormat) {
  Bytes f = fixtures::WavFormat(0xFFFE, channels, rate, bits);
  fixtures::Put16(&f, 22);    // extra bytes
  fixtures::Put16(&f, bits);  // valid bits
  fixtures::Put32(&f, channels == 2 ? 3 : 4);
  fixtures::Put16(&f, subFormat);
  const uint8_t guidRest[14] = {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
  f.insert(f.end(), guidRest, guidRest + 14);
  return f;
}

struct SoundCase {
  const char* name;
  Bytes file;
  int rate;
  int channels;
  std::vector<int16_t> samples;
};

TEST(DecodeWav, DecodesPcmLayouts) {
  using fixtures::MakeWav;
  using fixtures::WavChunk;
  using fixtures::WavFormat;
  const std::vector<SoundCase> cases = {
      {"16-bit stereo", fixtures::MakePcmWav(2, 44100, 16, {1, -2, 300, -32768, 32767, 0}), 44100, 2,
       {1, -2, 300, -32768, 32767, 0}},
      {"8-bit mono", fixtures::MakePcmWav(1, 11025, 8, {-32768, 0, 32512}), 11025, 1,
       {-32768, 0, 32512}},
      {"unknown and odd-sized chunks skipped",
       MakeWav({WavChunk("LIST", {1, 2, 3}), WavChunk("fmt ", WavFormat(1, 1, 8000, 16)),
                WavChunk("junk", {9}), WavChunk("data", Samples16({5, 6, 7}))}),
       8000, 1, {5, 6, 7}},
      {"extensible PCM",
       MakeWav({WavChunk("fmt ", ExtensibleFormat(2, 48000, 16, 1)),
                WavChunk("data", Samples16({10, 20, 30, 40}))}),
       48000, 2, {10, 20, 30, 40}},
      {"partial last frame dropped",
       MakeWav({WavChunk("fmt ", WavFormat(1, 2, 22050, 16)),
                WavChunk("data", Samples16({1, 2, 3}))}),
       22050, 2, {1, 2}},
  };
  for (const SoundCase& c : cases) {
    SCOPED_TRACE(c.name);
    Sound out;
    std::string error;
    ASSERT_TRUE(DecodeSound(c.file.data(), c.file.size(), &out, &error)) << error;
    EXPECT_EQ(out.sampleRate, c.rate);
    EXPECT_EQ(out.channels, c.channels);
    EXPECT_EQ(out.samples, c.samples);
    EXPECT_EQ(out.FrameCount(), c.samples.size() / c.channels);
  }
}

void ExpectSoundRejected(const Bytes& file) {
  Sound out;
  out.sampleRate = 1234;
  std::string error;
  EXPECT_FALSE(DecodeSound(file.data(), file.size(), &out, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(out.sampleRate, 1234) << "a failed decode must leave the sound alone";
  EXPECT_TRUE(out.samples.empty());
}

TEST(DecodeWav, RejectsBrokenAndUnsupportedFiles) {
  using fixtures::MakeWav;
  using fixtures::WavChunk;
  using fixtures::WavFormat;
  const Bytes data = Samples16({1, 2, 3, 4});
  const Bytes good = fixtures::MakePcmWav(1, 8000, 16, {1, 2, 3, 4});
  auto withFormat = [&](const Bytes& format) {
    return MakeWav({WavChunk("fmt ", format), WavChunk("data", data)});
  };
  Bytes badAlign = WavFormat(1, 1, 8000, 16);
  fixtures::Set16(&badAlign, 12, 4);
  Bytes lyingData = good;
  fixtures::Set32(&lyingData, lyingData.size() - 8 - 4, 1000);  // the data chunk's size
  struct Case {
    const char* name;
    Bytes file;
  };
  const std::vector<Case> cases = {
      {"cut in RIFF", fixtures::Truncated(good, 4)},
      {"cut before WAVE ends", fixtures::Truncated(good, 11)},
      {"cut in fmt", fixtures::Truncated(good, 20)},
      {"cut in data", fixtures::Truncated(good, good.size() - 1)},
      {"data size past the end", lyingData},
      {"no fmt", MakeWav({WavChunk("data", data)})},
      {"no data", MakeWav({WavChunk("fmt ", WavFormat(1, 1, 8000, 16))})},
      {"fmt too short", withFormat(fixtures::Truncated(WavFormat(1, 1, 8000, 16), 14))},
      {"three channels", withFormat(WavFormat(1, 3, 8000, 16))},
      {"no channels", withFormat(WavFormat(1, 0, 8000, 16))},
      {"24-bit", withFormat(WavFormat(1, 1, 8000, 24))},
      {"float", withFormat(WavFormat(3, 1, 8000, 32))},
      {"ADPCM", withFormat(WavFormat(2, 1, 8000, 4))},
      {"zero rate", withFormat(WavFormat(1, 1, 0, 16))},
      {"absurd rate", withFormat(WavFormat(1, 1, 1000000, 16))},
      {"bad block alignment", withFormat(badAlign)},
      {"extensible float", withFormat(ExtensibleFormat(1, 8000, 16, 3))},
      {"extensible too short", withFormat(fixtures::Truncated(ExtensibleFormat(1, 8000, 16, 1), 30))},
      {"unknown format", Bytes{'R', 'I', 'F', 'X', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}},
      {"empty", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectSoundRejected(c.file);
  }
}

// ---- Ogg Vorbis ------------------------------------------------------------

TEST(DecodeOgg, DecodesWholeStreams) {
  struct Case {
    int channels;
    long rate;
    long frames;
  };
  for (Case c : {Case{1, 22050, 5000}, Case{2, 44100, 12345}}) {
    SCOPED_TRACE(std::to_string(c.channels) + " channels");
    Bytes file = fixtures::MakeOgg(c.channels, c.rate, c.frames);
    ASSERT_FALSE(file.empty());
    Sound out;
    std::string error;
    ASSERT_TRUE(DecodeSound(file.data(), file.size(), &out, &error)) << error;
    EXPECT_EQ(out.channels, c.channels);
    EXPECT_EQ(out.sampleRate, c.rate);
    EXPECT_EQ(out.FrameCount(), static_cast<size_t>(c.frames));
    int peak = 0;
    for (int16_t s : out.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_GT(peak, 4000) << "the tone is a quarter of full scale";
    EXPECT_LT(peak, 14000);
  }
}

TEST(DecodeOgg, RejectsBrokenAndUnsupportedStreams) {
  const Bytes good = fixtures::MakeOgg(2, 22050, 30000);
  ASSERT_GT(good.size(), 200u);
  for (size_t cut : {size_t{4}, size_t{30}, size_t{200}, good.size() / 2, good.size() - 10,
                     good.size() - 1}) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    ExpectSoundRejected(fixtures::Truncated(good, cut));
  }
  {
    SCOPED_TRACE("three channels");
    Bytes surround = fixtures::MakeOgg(3, 22050, 2000);
    ASSERT_FALSE(surround.empty());
    ExpectSoundRejected(surround);
  }
  {
    SCOPED_TRACE("not Vorbis");
    Bytes junk = {'O', 'g', 'g', 'S'};
    junk.resize(300, 0x5A);
    ExpectSoundRejected(junk);
  }
}

// ---- ReadWholeFile ---------------------------------------------------------

TEST(ReadWholeFile, ReadsWithinTheLimitOnly) {
  TempFolder tmp;
  ASSERT_FALSE(tmp.path().empty());
  const Bytes content = {0, 1, 2, 255, 'a', 'b'};
  const std::string file = tmp.Write("data.bin", content);
  const std::string empty = tmp.Write("empty.bin", {});
  std::vector<uint8_t> got = {9, 9};
  ASSERT_TRUE(ReadWholeFile(file, &got, content.size()));
  EXPECT_EQ(got, content);
  ASSERT_TRUE(ReadWholeFile(empty, &got, 10));
  EXPECT_TRUE(got.empty());

  got = {7};
  EXPECT_FALSE(ReadWholeFile(file, &got, content.size() - 1));
  EXPECT_FALSE(ReadWholeFile(tmp.path(), &got, 1000));  // a folder
  EXPECT_FALSE(ReadWholeFile(tmp.path() + "/missing", &got, 1000));
  EXPECT_EQ(got, Bytes{7}) << "a failed read must leave the buffer alone";
}

// ---- Loading services ------------------------------------------------------

class LoadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(tmp_.path().empty());
    savedDataFolder_ = DataFolder();
    ResetImageLoading();
  }
  void TearDown() override {
    ResetImageLoading();
    SetDataFolder(savedDataFolder_);
  }
  std::unique_ptr<Image> Load(const std::string& path, int flags = -1) {
    return std::unique_ptr<Image>(LoadImageFile(path, flags));
  }

  TempFolder tmp_;
  std::string savedDataFolder_;
};

TEST_F(LoadingTest, MaskingAndFilteringFollowTheFlags) {
  // Black, near-black and white pixels in a picture without alpha.
  const std::string path = tmp_.Write("rgb.png", fixtures::MakeRgbPng(3, 1, {0x000000, 0x000001, 0xFFFFFF}));
  struct Case {
    int flags;
    bool masked;
    bool filtered;
  };
  for (Case c : {Case{-1, true, true}, Case{0, false, false}, Case{4, true, false},
                 Case{2, false, true}, Case{6, true, true}}) {
    SCOPED_TRACE("flags " + std::to_string(c.flags));
    auto image = Load(path, c.flags);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->masked, c.masked);
    EXPECT_EQ(image->filtered, c.filtered);
    EXPECT_EQ(image->frames, 1);
    EXPECT_EQ(ReadFramePixel(image.get(), 0, 0, 0), c.masked ? 0x00000000u : 0xFF000000u);
    EXPECT_EQ(ReadFramePixel(image.get(), 0, 1, 0), 0xFF000001u);
    EXPECT_EQ(ReadFramePixel(image.get(), 0, 2, 0), 0xFFFFFFFFu);
  }
}

TEST_F(LoadingTest, PicturesWithAlphaAreNotMasked) {
  const std::vector<uint32_t> px = {0xFF000000, 0x80000000, 0x00FFFFFF, 0x7F102030};
  const std::string path = tmp_.Write("rgba.png", fixtures::MakeRgbaPng(2, 2, px));
  auto image = Load(path);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->pixels, px);
}

TEST_F(LoadingTest, FindsFilesThroughTheDataFolderAndSniffsTheirFormat) {
  SetDataFolder(tmp_.path());
  // A PNG named .bmp, and a BMP in a subfolder named with a backslash path.
  tmp_.Write("misnamed.bmp", fixtures::MakeRgbPng(1, 1, {0x123456}));
  fixtures::BmpLayout bmp;
  bmp.width = 2;
  bmp.pixels = {0, 0, 0, 0x30, 0x20, 0x10, 0, 0};
  tmp_.Write("pics/sheep.bmp", fixtures::MakeBmp(bmp));
  tmp_.Write("pics/broken.png", fixtures::Truncated(fixtures::MakeRgbPng(1, 1, {1}), 30));

  auto png = Load("misnamed.bmp");
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(ReadFramePixel(png.get(), 0, 0, 0), 0xFF123456u);
  auto sheep = Load("pics\\sheep.bmp");
  ASSERT_NE(sheep, nullptr);
  EXPECT_EQ(ImageWidthOf(sheep.get()), 2);
  EXPECT_EQ(ImageHeightOf(sheep.get()), 1);
  EXPECT_EQ(ReadFramePixel(sheep.get(), 0, 0, 0), 0x00000000u);  // black, masked
  EXPECT_EQ(ReadFramePixel(sheep.get(), 0, 1, 0), 0xFF102030u);

  EXPECT_EQ(Load("pics/missing.png"), nullptr);
  EXPECT_EQ(Load("pics/broken.png"), nullptr);
  EXPECT_EQ(Load("pics"), nullptr);
}

TEST_F(LoadingTest, HandlesFollowTheAutoMidHandleSetting) {
  const std::string path = tmp_.Write("odd.png", fixtures::MakeRgbPng(5, 3, std::vector<uint32_t>(15, 1)));
  auto plain = Load(path);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->handleX, 0.0f);
  EXPECT_EQ(plain->handleY, 0.0f);

  EnableAutoMidHandle(1);
  auto centred = Load(path);
  auto strip = std::unique_ptr<Image>(LoadImageStrip(path, 2, 3, 0, 2, -1));
  ASSERT_NE(centred, nullptr);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(centred->handleX, 2.5f);
  EXPECT_EQ(centred->handleY, 1.5f);
  EXPECT_EQ(strip->handleX, 1.0f);  // from the frame size, not the picture's
  EXPECT_EQ(strip->handleY, 1.5f);

  EnableAutoMidHandle(0);
  auto again = Load(path);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->handleX, 0.0f);

  EnableAutoMidHandle(1);
  ResetImageLoading();
  auto reset = Load(path);
  ASSERT_NE(reset, nullptr);
  EXPECT_EQ(reset->handleY, 0.0f);
}

// Every pixel of the strip picture names its own position, and none is black.
uint32_t StripPixel(int x, int y) { return 0xFF000000u | (x << 16) | (y << 8) | 1; }

TEST_F(LoadingTest, StripsCutCellsRowByRow) {
  // 9 x 5 in 2 x 2 cells: 4 across, 2 down; the odd column and row are unused.
  std::vector<uint32_t> px;
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 9; ++x) px.push_back(StripPixel(x, y) & 0xFFFFFF);
  }
  const std::string path = tmp_.Write("strip.png", fixtures::MakeRgbPng(9, 5, px));
  auto strip = std::unique_ptr<Image>(LoadImageStrip(path, 2, 2, 3, 4, -1));
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->frames, 4);
  EXPECT_EQ(ImageWidthOf(strip.get()), 2);
  EXPECT_EQ(ImageHeightOf(strip.get()), 2);
  for (int frame = 0; frame < 4; ++frame) {
    const int cell = 3 + frame;
    const int left = (cell % 4) * 2, top = (cell / 4) * 2;
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 2; ++x) {
        EXPECT_EQ(ReadFramePixel(strip.get(), frame, x, y), StripPixel(left + x, top + y))
            << "frame " << frame << " at " << x << "," << y;
      }
    }
  }

  struct Request {
    int cellWidth, cellHeight, first, count;
    bool loads;
  };
  for (Request r : {Request{2, 2, 0, 8, true}, Request{2, 2, 7, 1, true},
                    Request{2, 2, 0, 9, false}, Request{2, 2, 7, 2, false},
                    Request{2, 2, 8, 1, false}, Request{10, 2, 0, 1, false},
                    Request{2, 6, 0, 1, false}, Request{0, 2, 0, 1, false},
                    Request{2, -1, 0, 1, false}, Request{2, 2, -1, 1, false},
                    Request{2, 2, 0, 0, false}, Request{2, 2, 0, -3, false},
                    Request{9, 5, 0, 1, true}}) {
    SCOPED_TRACE(std::to_string(r.cellWidth) + "x" + std::to_string(r.cellHeight) + " from " +
                 std::to_string(r.first) + " count " + std::to_string(r.count));
    auto image = std::unique_ptr<Image>(
        LoadImageStrip(path, r.cellWidth, r.cellHeight, r.first, r.count, -1));
    EXPECT_EQ(image != nullptr, r.loads);
    if (image) {
      EXPECT_EQ(image->frames, r.count);
    }
  }
  EXPECT_EQ(LoadImageStrip(tmp_.path() + "/missing.png", 2, 2, 0, 1, -1), nullptr);
}

TEST_F(LoadingTest, StripsMaskLikeWholeImages) {
  const std::string path = tmp_.Write("mask.png", fixtures::MakeRgbPng(2, 1, {0x000000, 0x000000}));
  auto masked = std::unique_ptr<Image>(LoadImageStrip(path, 1, 1, 1, 1, -1));
  auto opaque = std::unique_ptr<Image>(LoadImageStrip(path, 1, 1, 1, 1, 0));
  ASSERT_NE(masked, nullptr);
  ASSERT_NE(opaque, nullptr);
  EXPECT_EQ(ReadFramePixel(masked.get(), 0, 0, 0), 0u);
  EXPECT_EQ(ReadFramePixel(opaque.get(), 0, 0, 0), 0xFF000000u);
  EXPECT_FALSE(opaque->masked);
}

TEST_F(LoadingTest, PixelAndSizeQueriesRefuseBadArguments) {
  const std::string path = tmp_.Write("two.png", fixtures::MakeRgbPng(2, 2, {1, 2, 3, 4}));
  auto strip = std::unique_ptr<Image>(LoadImageStrip(path, 1, 2, 0, 2, -1));
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(ReadFramePixel(strip.get(), 1, 0, 1), 0xFF000004u);
  struct Query {
    int frame, x, y;
  };
  for (Query q : {Query{-1, 0, 0}, Query{2, 0, 0}, Query{0, -1, 0}, Query{0, 1, 0},
                  Query{0, 0, -1}, Query{0, 0, 2}}) {
    SCOPED_TRACE(std::to_string(q.frame) + " " + std::to_string(q.x) + "," + std::to_string(q.y));
    EXPECT_EQ(ReadFramePixel(strip.get(), q.frame, q.x, q.y), 0u);
  }
  EXPECT_EQ(ReadFramePixel(nullptr, 0, 0, 0), 0u);
  EXPECT_EQ(ImageWidthOf(nullptr), 0);
  EXPECT_EQ(ImageHeightOf(nullptr), 0);
}

TEST_F(LoadingTest, SoundsLoadWithTheirLoopFlag) {
  SetDataFolder(tmp_.path());
  tmp_.Write("sfx/baa.wav", fixtures::MakePcmWav(1, 22050, 16, {1, 2, 3}));
  tmp_.Write("sfx/tune.ogg", fixtures::MakeOgg(2, 44100, 4000));
  tmp_.Write("sfx/bad.wav", fixtures::Truncated(fixtures::MakePcmWav(1, 22050, 16, {1, 2, 3}), 30));
  struct Case {
    const char* path;
    int flags;
    bool looping;
    int channels;
    size_t frames;
  };
  for (Case c : {Case{"sfx\\baa.wav", 0, false, 1, 3}, Case{"sfx/baa.wav", 1, true, 1, 3},
                 Case{"sfx/baa.wav", -1, false, 1, 3}, Case{"sfx/tune.ogg", 1, true, 2, 4000}}) {
    SCOPED_TRACE(std::string(c.path) + " flags " + std::to_string(c.flags));
    std::unique_ptr<Sound> sound(LoadSoundFile(c.path, c.flags));
    ASSERT_NE(sound, nullptr);
    EXPECT_EQ(sound->looping, c.looping);
    EXPECT_EQ(sound->channels, c.channels);
    EXPECT_EQ(sound->FrameCount(), c.frames);
  }
  EXPECT_EQ(LoadSoundFile("sfx/bad.wav", 0), nullptr);
  EXPECT_EQ(LoadSoundFile("sfx/missing.wav", 0), nullptr);
  EXPECT_EQ(LoadSoundFile("sfx", 0), nullptr);
}

}  // namespace
