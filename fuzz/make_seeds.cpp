// Writes a small seed corpus for the fuzzers: one valid file of each picture
// and sound layout the decoders handle, built with the tests' fixture builders.
// Usage: make_seeds PICTURE_DIR SOUND_DIR
#include <cstdio>
#include <string>
#include <vector>

#include "platform/decode_fixtures.h"

namespace {

using fixtures::Bytes;

bool Write(const std::string& dir, const std::string& name, const Bytes& bytes) {
  std::string path = dir + "/" + name;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s PICTURE_DIR SOUND_DIR\n", argv[0]);
    return 2;
  }
  const std::string pictures = argv[1], sounds = argv[2];
  std::vector<uint32_t> px(8 * 8);
  for (size_t i = 0; i < px.size(); ++i) px[i] = static_cast<uint32_t>(i * 0x030507u) | 0x40000000u;

  fixtures::PngLayout palette;
  palette.width = 4;
  palette.height = 2;
  palette.colourType = PNG_COLOR_TYPE_PALETTE;
  palette.bitDepth = 4;
  palette.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  palette.paletteAlpha = {0, 128};
  palette.rows = {{0x01, 0x20}, {0x21, 0x10}};
  fixtures::PngLayout grey16;
  grey16.width = 2;
  grey16.height = 2;
  grey16.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
  grey16.bitDepth = 16;
  grey16.interlaced = true;
  grey16.rows = {{1, 2, 3, 4, 5, 6, 7, 8}, {9, 10, 11, 12, 13, 14, 15, 16}};

  fixtures::BmpLayout bmp8;
  bmp8.width = 3;
  bmp8.height = 2;
  bmp8.bpp = 8;
  bmp8.palette = {0x112233, 0x445566, 0x778899};
  bmp8.pixels = {0, 1, 2, 0, 2, 1, 0, 0};
  fixtures::BmpLayout rle8 = bmp8;
  rle8.compression = 1;
  rle8.pixels = {3, 1, 0, 0, 0, 3, 2, 1, 0, 0, 0, 1};
  fixtures::BmpLayout rle4 = bmp8;
  rle4.bpp = 4;
  rle4.compression = 2;
  rle4.pixels = {3, 0x12, 0, 0, 0, 2, 2, 0, 1, 0, 0, 1};
  fixtures::BmpLayout bmp32;
  bmp32.width = 2;
  bmp32.height = -2;
  bmp32.bpp = 32;
  bmp32.compression = 3;
  bmp32.masks = {0xFF0000, 0xFF00, 0xFF};
  bmp32.pixels = Bytes(16, 0x7F);

  fixtures::TgaLayout tga;
  tga.width = 2;
  tga.height = 2;
  tga.depth = 32;
  tga.descriptor = 0x28;
  tga.pixels = Bytes(16, 0x55);
  fixtures::TgaLayout tgaRle;
  tgaRle.type = 9;
  tgaRle.width = 3;
  tgaRle.height = 2;
  tgaRle.depth = 8;
  tgaRle.hasMap = true;
  tgaRle.mapLength = 2;
  tgaRle.map = {1, 2, 3, 4, 5, 6};
  tgaRle.pixels = {0x82, 1, 0x02, 0, 1, 0};

  std::vector<int16_t> tone;
  for (int i = 0; i < 64; ++i) tone.push_back(static_cast<int16_t>((i % 16) * 1000 - 8000));

  bool ok = Write(pictures, "rgba.png", fixtures::MakeRgbaPng(8, 8, px)) &&
            Write(pictures, "palette.png", fixtures::MakePng(palette)) &&
            Write(pictures, "grey16.png", fixtures::MakePng(grey16)) &&
            Write(pictures, "colour.jpg", fixtures::MakeJpeg(8, 8, px)) &&
            Write(pictures, "progressive.jpg", fixtures::MakeJpeg(8, 8, px, 3, true)) &&
            Write(pictures, "grey.jpg", fixtures::MakeJpeg(8, 8, px, 1)) &&
            Write(pictures, "palette8.bmp", fixtures::MakeBmp(bmp8)) &&
            Write(pictures, "rle8.bmp", fixtures::MakeBmp(rle8)) &&
            Write(pictures, "rle4.bmp", fixtures::MakeBmp(rle4)) &&
            Write(pictures, "masks32.bmp", fixtures::MakeBmp(bmp32)) &&
            Write(pictures, "rgba.tga", fixtures::MakeTga(tga)) &&
            Write(pictures, "rle_mapped.tga", fixtures::MakeTga(tgaRle)) &&
            Write(sounds, "mono16.wav", fixtures::MakePcmWav(1, 22050, 16, tone)) &&
            Write(sounds, "stereo8.wav", fixtures::MakePcmWav(2, 11025, 8, tone)) &&
            Write(sounds, "mono.ogg", fixtures::MakeOgg(1, 8000, 600)) &&
            Write(sounds, "stereo.ogg", fixtures::MakeOgg(2, 22050, 1500));
  if (!ok) {
    std::fprintf(stderr, "make_seeds: cannot write the seeds\n");
    return 1;
  }
  return 0;
}
