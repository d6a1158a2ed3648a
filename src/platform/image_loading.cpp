// Reading files and the image and sound loading services built on the decoders.
#include "platform/image_loading.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "platform/services.h"
#include "platform/sound_decoding.h"

namespace {

// No picture or sound file the game uses comes near this.
constexpr size_t kMaxAssetFileBytes = 256u << 20;

int AutoMidHandle = 0;

// Image flags: -1 asks for the defaults, masked and filtered.  Otherwise the
// value 4 bit means masked (black becomes transparent in pictures without
// alpha) and the value 2 bit means filtered (bilinear sampling when scaled).
constexpr int kImageMasked = 4;
constexpr int kImageFiltered = 2;
// Sound flags: the value 1 bit makes the sound loop; negative values are the
// defaults (not looping).
constexpr int kSoundLooping = 1;

// Reads and decodes the picture at a game path; false when that fails.
bool LoadPicture(const std::string& path, DecodedPicture* picture) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(ResolvePath(path), &bytes, kMaxAssetFileBytes)) return false;
  std::string error;
  return DecodePicture(bytes.data(), bytes.size(), picture, &error);
}

// Applies the masking rule and sets flags and handle on a freshly cut image.
void FinishImage(const DecodedPicture& picture, int flags, Image* image) {
  const bool masked = flags == -1 || (flags & kImageMasked) != 0;
  const bool filtered = flags == -1 || (flags & kImageFiltered) != 0;
  image->masked = masked;
  image->filtered = filtered;
  if (!picture.hasAlpha) {
    for (uint32_t& px : image->pixels) {
      px = (masked && (px & 0x00FFFFFFu) == 0) ? 0u : (px | 0xFF000000u);
    }
  }
  if (AutoMidHandle != 0) {
    image->handleX = image->width * 0.5f;
    image->handleY = image->height * 0.5f;
  } else {
    image->handleX = 0;
    image->handleY = 0;
  }
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* out, size_t maxBytes) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  struct stat st;
  if (::fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode) ||
      static_cast<unsigned long long>(st.st_size) > maxBytes) {
    std::fclose(f);
    return false;
  }
  std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
  size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), f);
  // The file may have changed size since fstat: read to the real end, within the cap.
  bool ok = got == bytes.size() && !std::ferror(f);
  if (ok) {
    int c;
    while ((c = std::fgetc(f)) != EOF) {
      if (bytes.size() >= maxBytes) {
        ok = false;
        break;
      }
      bytes.push_back(static_cast<uint8_t>(c));
    }
    ok = ok && !std::ferror(f);
  }
  std::fclose(f);
  if (!ok) return false;
  *out = std::move(bytes);
  return true;
}

void ResetImageLoading() { AutoMidHandle = 0; }

void EnableAutoMidHandle(int flag) { AutoMidHandle = flag; }

Image* LoadImageFile(const std::string& path, int flags) {
  DecodedPicture picture;
  if (!LoadPicture(path, &picture)) return nullptr;
  auto* image = new Image;
  image->width = picture.width;
  image->height = picture.height;
  image->frames = 1;
  image->pixels = std::move(picture.pixels);
  FinishImage(picture, flags, image);
  return image;
}

Image* LoadImageStrip(const std::string& path, int cellWidth, int cellHeight, int first,
                      int count, int flags) {
  if (cellWidth <= 0 || cellHeight <= 0 || count <= 0 || first < 0) return nullptr;
  DecodedPicture picture;
  if (!LoadPicture(path, &picture)) return nullptr;
  const int64_t across = picture.width / cellWidth;
  const int64_t down = picture.height / cellHeight;
  if (across * down < static_cast<int64_t>(first) + count) return nullptr;

  auto* image = new Image;
  image->width = cellWidth;
  image->height = cellHeight;
  image->frames = count;
  image->pixels.resize(static_cast<size_t>(cellWidth) * cellHeight * count);
  uint32_t* dest = image->pixels.data();
  for (int frame = 0; frame < count; ++frame) {
    const int64_t cell = first + frame;
    const int64_t left = (cell % across) * cellWidth;
    const int64_t top = (cell / across) * cellHeight;
    for (int y = 0; y < cellHeight; ++y) {
      const uint32_t* src = picture.pixels.data() + (top + y) * picture.width + left;
      dest = std::copy(src, src + cellWidth, dest);
    }
  }
  FinishImage(picture, flags, image);
  return image;
}

int ImageWidthOf(const Image* image) { return image ? image->width : 0; }

int ImageHeightOf(const Image* image) { return image ? image->height : 0; }

uint32_t ReadFramePixel(const Image* image, int frame, int x, int y) {
  if (image == nullptr || frame < 0 || frame >= image->frames || x < 0 || y < 0 ||
      x >= image->width || y >= image->height) {
    return 0;
  }
  const size_t index = (static_cast<size_t>(frame) * image->height + y) * image->width + x;
  return index < image->pixels.size() ? image->pixels[index] : 0;
}

Sound* LoadSoundFile(const std::string& path, int flags) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(ResolvePath(path), &bytes, kMaxAssetFileBytes)) return nullptr;
  auto sound = std::make_unique<Sound>();
  std::string error;
  if (!DecodeSoundInBackground(std::move(bytes), sound.get(), &error)) return nullptr;
  sound->looping = flags >= 0 && (flags & kSoundLooping) != 0;
  return sound.release();
}
