// TGA pictures: true colour (15/16, 24, 32 bits), 8-bit grey and 8-bit
// colour-mapped, each uncompressed or run-length encoded, with the origin at
// any corner.  As with BMP, 32-bit pixels whose alpha is zero everywhere are
// taken as opaque; 15/16-bit pixels are always opaque.
#include <vector>

#include "platform/decode_formats.h"

namespace decode {
namespace {

constexpr size_t kHeaderBytes = 18;

enum TgaType {
  kColourMapped = 1,
  kTrueColour = 2,
  kGrey = 3,
  kRleColourMapped = 9,
  kRleTrueColour = 10,
  kRleGrey = 11,
};

bool Fail(std::string* error, const char* reason) {
  *error = std::string("TGA: ") + reason;
  return false;
}

bool ValidColourDepth(int depth) {
  return depth == 15 || depth == 16 || depth == 24 || depth == 32;
}

// A colour stored in `depth` bits (little-endian BGR(A)) as ARGB.
uint32_t ReadColour(const uint8_t* p, int depth) {
  switch (depth) {
    case 15:
    case 16: {
      uint32_t v = Le16(p);
      uint32_t r = (v >> 10) & 31, g = (v >> 5) & 31, b = v & 31;
      return Argb(255, (r << 3) | (r >> 2), (g << 3) | (g >> 2), (b << 3) | (b >> 2));
    }
    case 24:
      return Argb(255, p[2], p[1], p[0]);
    default:
      return Argb(p[3], p[2], p[1], p[0]);
  }
}

}  // namespace

bool LooksLikeTga(const uint8_t* data, size_t size) {
  if (size < kHeaderBytes) return false;
  const int mapType = data[1], type = data[2], depth = data[16];
  if (mapType > 1) return false;
  if (type != kColourMapped && type != kTrueColour && type != kGrey &&
      type != kRleColourMapped && type != kRleTrueColour && type != kRleGrey) {
    return false;
  }
  return depth == 8 || ValidColourDepth(depth);
}

bool DecodeTga(const uint8_t* data, size_t size, DecodedPicture* out, std::string* error) {
  if (size < kHeaderBytes) return Fail(error, "file is truncated");
  const size_t idLength = data[0];
  const int mapType = data[1], type = data[2];
  const int mapFirst = Le16(data + 3), mapLength = Le16(data + 5), mapDepth = data[7];
  const int64_t width = Le16(data + 12), height = Le16(data + 14);
  const int depth = data[16], descriptor = data[17];
  const bool rle = type >= kRleColourMapped;
  const int baseType = rle ? type - 8 : type;

  if (!PictureSizeAllowed(width, height, error)) return false;
  bool mapped = baseType == kColourMapped;
  if (mapped) {
    if (mapType != 1) return Fail(error, "colour map is missing");
    if (depth != 8) return Fail(error, "unsupported colour-mapped depth");
  } else if (baseType == kGrey) {
    if (depth != 8) return Fail(error, "unsupported grey depth");
  } else if (baseType == kTrueColour) {
    if (!ValidColourDepth(depth)) return Fail(error, "unsupported true-colour depth");
  } else {
    return Fail(error, "unsupported image type");
  }

  size_t p = kHeaderBytes + idLength;
  uint32_t palette[256] = {};
  if (mapType == 1) {
    if (!ValidColourDepth(mapDepth)) return Fail(error, "unsupported colour map depth");
    const size_t entryBytes = (mapDepth + 7) / 8;
    const size_t mapBytes = entryBytes * mapLength;
    if (p > size || size - p < mapBytes) return Fail(error, "colour map is truncated");
    if (mapped) {
      if (mapFirst + mapLength > 256) return Fail(error, "colour map is too long");
      for (int i = 0; i < mapLength; ++i) {
        palette[mapFirst + i] = ReadColour(data + p + i * entryBytes, mapDepth);
      }
    }
    p += mapBytes;  // a map in a true-colour picture is skipped
  }
  if (p > size) return Fail(error, "file is truncated");

  // Pixels in file order into a flat list, decoded from runs if need be.
  const size_t count = static_cast<size_t>(width * height);
  const size_t pixelBytes = (depth + 7) / 8;
  auto colourOf = [&](const uint8_t* s, uint32_t* colour) {
    if (mapped) {
      if (*s < mapFirst || *s >= mapFirst + mapLength) return false;
      *colour = palette[*s];
    } else if (baseType == kGrey) {
      *colour = Argb(255, *s, *s, *s);
    } else {
      *colour = ReadColour(s, depth);
    }
    return true;
  };
  std::vector<uint32_t> flat;
  if (!rle) {
    if ((size - p) / pixelBytes < count) return Fail(error, "pixel data is truncated");
    flat.resize(count);
    for (size_t i = 0; i < count; ++i, p += pixelBytes) {
      if (!colourOf(data + p, &flat[i])) return Fail(error, "colour index out of range");
    }
  } else {
    // A packet of at least two bytes gives at most 128 pixels; refuse before
    // allocating when the data cannot possibly be long enough.
    if ((size - p) / 2 < (count + 127) / 128) return Fail(error, "pixel data is truncated");
    flat.resize(count);
    size_t i = 0;
    while (i < count) {
      if (p >= size) return Fail(error, "pixel data is truncated");
      const uint8_t packet = data[p++];
      const size_t n = (packet & 0x7F) + 1u;
      if (n > count - i) return Fail(error, "RLE run overflows the picture");
      const size_t bytes = (packet & 0x80) ? pixelBytes : pixelBytes * n;
      if (size - p < bytes) return Fail(error, "pixel data is truncated");
      if (packet & 0x80) {
        uint32_t colour = 0;
        if (!colourOf(data + p, &colour)) return Fail(error, "colour index out of range");
        for (size_t k = 0; k < n; ++k) flat[i + k] = colour;
      } else {
        for (size_t k = 0; k < n; ++k) {
          if (!colourOf(data + p + k * pixelBytes, &flat[i + k])) {
            return Fail(error, "colour index out of range");
          }
        }
      }
      p += bytes;
      i += n;
    }
  }

  // Rows run bottom to top unless bit 5 of the descriptor is set, and left to
  // right unless bit 4 is set.
  const bool topDown = (descriptor & 0x20) != 0;
  const bool rightToLeft = (descriptor & 0x10) != 0;
  out->pixels.resize(count);
  bool anyAlpha = false;
  for (int64_t y = 0; y < height; ++y) {
    const int64_t row = topDown ? y : height - 1 - y;
    for (int64_t x = 0; x < width; ++x) {
      const int64_t col = rightToLeft ? width - 1 - x : x;
      uint32_t px = flat[static_cast<size_t>(y * width + x)];
      anyAlpha |= (px >> 24) != 0;
      out->pixels[static_cast<size_t>(row * width + col)] = px;
    }
  }
  // Only 32-bit colours carry alpha; the others were made opaque already.
  const bool alphaDepth = (mapped ? mapDepth : depth) == 32 && baseType != kGrey;
  out->hasAlpha = alphaDepth && anyAlpha;
  if (!out->hasAlpha) {
    for (uint32_t& px : out->pixels) px |= 0xFF000000u;
  }
  out->width = static_cast<int>(width);
  out->height = static_cast<int>(height);
  return true;
}

}  // namespace decode
