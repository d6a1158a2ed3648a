// Pixel, glyph and sample data that the service layer hands to the backends.
// Images, fonts and sounds keep their data in memory for the whole run, so they
// survive a display being closed and reopened with either renderer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A renderer's private copy of an image's pixels (a texture).  The renderer that
// made it recognises its own copies by `owner` and `generation`.
struct RendererCopy {
  virtual ~RendererCopy() = default;
  const void* owner = nullptr;
  uint64_t generation = 0;
};

// Pixels are 0xAARRGGBB, row by row, frames stacked one after another.
struct Image {
  int width = 0;   // frame width in pixels
  int height = 0;  // frame height in pixels
  int frames = 1;
  float handleX = 0;
  float handleY = 0;
  bool masked = true;    // pictures without alpha: black became transparent
  bool filtered = true;  // bilinear sampling when drawn scaled
  std::vector<uint32_t> pixels;
  std::unique_ptr<RendererCopy> copy;

  const uint32_t* Frame(int frame) const {
    return pixels.data() + static_cast<size_t>(frame) * width * height;
  }
};

struct Glyph {
  bool present = false;
  int advance = 0;   // pen advance in pixels
  int offsetX = 0;   // bitmap position relative to the pen and the line top
  int offsetY = 0;
  int width = 0;
  int height = 0;
  std::vector<uint8_t> coverage;  // width * height alpha values
};

// A font rasterised at one pixel size; characters are 8-bit codes.
struct Font {
  int lineHeight = 16;
  bool smooth = true;
  Glyph glyphs[256];
  // Glyph atlas made from the glyphs, shared by the renderers like an image.
  std::unique_ptr<Image> atlas;
  int atlasX[256] = {};
  int atlasY[256] = {};
};

// A decoded sound: interleaved signed 16-bit samples.
struct Sound {
  int sampleRate = 44100;
  int channels = 1;  // 1 mono, 2 stereo
  bool looping = false;
  std::vector<int16_t> samples;

  size_t FrameCount() const { return channels > 0 ? samples.size() / channels : 0; }
  // Length in milliseconds at rate 1.
  double LengthMs() const {
    return sampleRate > 0 ? 1000.0 * static_cast<double>(FrameCount()) / sampleRate : 0.0;
  }
};
