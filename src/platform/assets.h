// Pixel, glyph and sample data that the service layer hands to the backends.
// Images, fonts and sounds keep their data in memory for the whole run, so they
// survive a display being closed and reopened with either renderer.
#pragma once

#include <atomic>
#include <cstddef>
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

// The state of a sound whose samples are still being decoded in the background
// into a buffer of its own (`samples`, room for the announced length, written
// only by the decoder).  Frames are published in order: every frame below
// `readyFrames` is final and may be read from any thread once `readyFrames`
// was loaded with acquire.  `finished` (stored with release after the last
// `readyFrames`) says the decode is over; `readyFrames` is then the sound's
// real length, shorter than announced where the stream turned out damaged.
// Destroying it stops and joins the decode.
struct SoundDecoding {
  virtual ~SoundDecoding() = default;
  // Blocks until `finished` is set.
  virtual void Wait() const = 0;

  const int16_t* samples = nullptr;  // interleaved like Sound::samples
  size_t announcedFrames = 0;
  std::atomic<size_t> readyFrames{0};
  std::atomic<bool> finished{false};
  std::atomic<bool> damaged{false};  // decoding stopped at damage in the stream
};

// A sound: interleaved signed 16-bit samples, decoded whole into `samples`, or
// decoded in the background into the buffer of `decoding`.
struct Sound {
  int sampleRate = 44100;
  int channels = 1;  // 1 mono, 2 stereo
  bool looping = false;
  std::vector<int16_t> samples;
  std::unique_ptr<SoundDecoding> decoding;

  // The interleaved samples, wherever they are; only ReadyFrames() of them
  // may be read.
  const int16_t* Data() const { return decoding ? decoding->samples : samples.data(); }

  bool Decoded() const { return !decoding || decoding->finished.load(std::memory_order_acquire); }
  // Frames that can be read now; all of them once decoded.
  size_t ReadyFrames() const {
    if (!decoding) return channels > 0 ? samples.size() / channels : 0;
    return decoding->readyFrames.load(std::memory_order_acquire);
  }
  // The length in frames: the announced one while decoding, the real one after.
  size_t FrameCount() const {
    if (!decoding) return channels > 0 ? samples.size() / channels : 0;
    return Decoded() ? decoding->readyFrames.load(std::memory_order_acquire)
                     : decoding->announcedFrames;
  }
  // Length in milliseconds at rate 1.
  double LengthMs() const {
    return sampleRate > 0 ? 1000.0 * static_cast<double>(FrameCount()) / sampleRate : 0.0;
  }
  // Waits for a background decode to end; false when it stopped at damage.
  bool WaitUntilDecoded() const {
    if (!decoding) return true;
    decoding->Wait();
    return !decoding->damaged.load(std::memory_order_acquire);
  }
};
