// Windows and OS/2 bitmaps: 1, 4 and 8-bit palette pictures (uncompressed,
// RLE8 and RLE4), 16, 24 and 32-bit true colour (uncompressed or with bit
// masks), stored bottom-up or top-down.
//
// 32-bit pixels carry alpha in their fourth byte or alpha mask, except that a
// picture whose alpha values are all zero is taken as opaque: many writers
// leave that byte zero.  Pixels that RLE data skips take palette colour 0.
#include <cstring>
#include <vector>

#include "platform/decode_formats.h"

namespace decode {
namespace {

enum Compression : uint32_t {
  kRgb = 0,
  kRle8 = 1,
  kRle4 = 2,
  kBitFields = 3,
  kAlphaBitFields = 6,
};

struct BmpHeader {
  int64_t width = 0;
  int64_t height = 0;  // always positive here; see topDown
  bool topDown = false;
  int bpp = 0;
  uint32_t compression = kRgb;
  uint32_t masks[4] = {};  // red, green, blue, alpha
  size_t paletteOffset = 0;
  size_t paletteEntryBytes = 4;
  uint32_t colours = 0;  // palette entries given
  size_t pixelOffset = 0;
};

// One channel of a bit-masked pixel, scaled to 0..255.
struct MaskChannel {
  uint32_t mask = 0;
  int shift = 0;
  uint64_t max = 0;

  bool Set(uint32_t m) {
    mask = m;
    if (m == 0) return true;
    shift = 0;
    while (((m >> shift) & 1u) == 0) ++shift;
    max = m >> shift;
    return (max & (max + 1)) == 0;  // the mask's bits must be contiguous
  }
  uint32_t Get(uint32_t pixel) const {
    if (mask == 0) return 0;
    uint64_t v = (pixel & mask) >> shift;
    return static_cast<uint32_t>((v * 255 + max / 2) / max);
  }
};

bool Fail(std::string* error, const char* reason) {
  *error = std::string("BMP: ") + reason;
  return false;
}

bool ReadHeader(const uint8_t* data, size_t size, BmpHeader* h, std::string* error) {
  if (size < 18) return Fail(error, "file is truncated");
  h->pixelOffset = Le32(data + 10);
  const uint32_t infoSize = Le32(data + 14);
  if (infoSize > size - 14) return Fail(error, "file is truncated");
  int planes = 0;
  size_t masksAfterHeader = 0;
  if (infoSize == 12) {  // OS/2 1.x: 16-bit sizes, 3-byte palette entries
    h->width = Le16(data + 18);
    h->height = Le16(data + 20);
    planes = Le16(data + 22);
    h->bpp = Le16(data + 24);
    h->paletteEntryBytes = 3;
  } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 108 ||
             infoSize == 124) {
    h->width = static_cast<int32_t>(Le32(data + 18));
    h->height = static_cast<int32_t>(Le32(data + 22));
    planes = Le16(data + 26);
    h->bpp = Le16(data + 28);
    h->compression = Le32(data + 30);
    h->colours = Le32(data + 46);
    if (h->compression == kBitFields || h->compression == kAlphaBitFields) {
      // Masks sit in the larger headers, or straight after the 40-byte one.
      size_t maskCount = h->compression == kAlphaBitFields ? 4 : 3;
      if (infoSize == 40) {
        masksAfterHeader = maskCount * 4;
        if (14 + 40 + masksAfterHeader > size) return Fail(error, "file is truncated");
      } else if (infoSize == 52) {
        maskCount = 3;
      } else {
        maskCount = 4;
      }
      for (size_t i = 0; i < maskCount; ++i) h->masks[i] = Le32(data + 54 + 4 * i);
    }
  } else {
    return Fail(error, "unsupported header");
  }
  if (planes != 1) return Fail(error, "bad plane count");
  if (h->height < 0) {
    h->topDown = true;
    h->height = -h->height;
  }
  if (!PictureSizeAllowed(h->width, h->height, error)) return false;

  const int bpp = h->bpp;
  switch (h->compression) {
    case kRgb:
      if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) {
        return Fail(error, "unsupported bit depth");
      }
      break;
    case kRle8:
      if (bpp != 8) return Fail(error, "RLE8 needs 8 bits a pixel");
      break;
    case kRle4:
      if (bpp != 4) return Fail(error, "RLE4 needs 4 bits a pixel");
      break;
    case kBitFields:
    case kAlphaBitFields:
      if (bpp != 16 && bpp != 32) return Fail(error, "bit masks need 16 or 32 bits a pixel");
      break;
    default:
      return Fail(error, "unsupported compression");
  }

  h->paletteOffset = 14 + infoSize + masksAfterHeader;
  if (bpp <= 8) {
    const uint32_t most = 1u << bpp;
    if (h->colours == 0) h->colours = most;
    if (h->colours > most) return Fail(error, "too many palette colours");
    if (h->paletteOffset + h->colours * h->paletteEntryBytes > size) {
      return Fail(error, "palette is truncated");
    }
  }
  if (h->pixelOffset >= size) return Fail(error, "pixel data is missing");
  return true;
}

// Maps a palette index picture to colours, refusing indices past the palette.
bool ApplyPalette(const BmpHeader& h, const uint8_t* data, const std::vector<uint8_t>& indices,
                  DecodedPicture* out, std::string* error) {
  uint32_t palette[256];
  for (uint32_t i = 0; i < h.colours; ++i) {
    const uint8_t* e = data + h.paletteOffset + i * h.paletteEntryBytes;
    palette[i] = Argb(255, e[2], e[1], e[0]);
  }
  out->pixels.resize(indices.size());
  for (size_t i = 0; i < indices.size(); ++i) {
    if (indices[i] >= h.colours) return Fail(error, "palette index out of range");
    out->pixels[i] = palette[indices[i]];
  }
  return true;
}

bool DecodeRle(const BmpHeader& h, const uint8_t* data, size_t size, DecodedPicture* out,
               std::string* error) {
  const int64_t w = h.width, ht = h.height;
  std::vector<uint8_t> indices(static_cast<size_t>(w * ht), 0);
  const bool four = h.compression == kRle4;
  auto at = [&](int64_t x, int64_t y) -> uint8_t& {
    int64_t row = h.topDown ? y : ht - 1 - y;
    return indices[static_cast<size_t>(row * w + x)];
  };
  size_t p = h.pixelOffset;
  int64_t x = 0, y = 0;
  for (;;) {
    if (size - p < 2) {
      if (y >= ht) break;  // every row given, only the end marker is missing
      return Fail(error, "RLE data is truncated");
    }
    const uint8_t count = data[p], value = data[p + 1];
    p += 2;
    if (count > 0) {  // a run of one value (two alternating nibbles in RLE4)
      if (y >= ht || x + count > w) return Fail(error, "RLE run overflows the picture");
      for (int i = 0; i < count; ++i) {
        at(x + i, y) = four ? ((i & 1) ? (value & 15) : (value >> 4)) : value;
      }
      x += count;
    } else if (value == 0) {  // end of line
      x = 0;
      if (++y > ht) return Fail(error, "RLE data overflows the picture");
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // move right and up
      if (size - p < 2) return Fail(error, "RLE data is truncated");
      x += data[p];
      y += data[p + 1];
      p += 2;
      if (x > w || y > ht) return Fail(error, "RLE move leaves the picture");
    } else {  // literal pixels, padded to a 16-bit boundary
      const size_t bytes = four ? (value + 1u) / 2 : value;
      const size_t padded = (bytes + 1) & ~static_cast<size_t>(1);
      if (size - p < padded) return Fail(error, "RLE data is truncated");
      if (y >= ht || x + value > w) return Fail(error, "RLE run overflows the picture");
      for (int i = 0; i < value; ++i) {
        uint8_t b = data[p + (four ? i / 2 : i)];
        at(x + i, y) = four ? ((i & 1) ? (b & 15) : (b >> 4)) : b;
      }
      x += value;
      p += padded;
    }
  }
  return ApplyPalette(h, data, indices, out, error);
}

bool DecodeUncompressed(const BmpHeader& h, const uint8_t* data, size_t size,
                        DecodedPicture* out, std::string* error) {
  const int64_t w = h.width, ht = h.height;
  const int bpp = h.bpp;
  const size_t stride = static_cast<size_t>(((w * bpp + 31) / 32) * 4);
  const size_t lastRow = static_cast<size_t>((w * bpp + 7) / 8);  // padding may be cut off
  if (size - h.pixelOffset < lastRow ||
      (size - h.pixelOffset - lastRow) / stride < static_cast<size_t>(ht - 1)) {
    return Fail(error, "pixel data is truncated");
  }
  auto rowData = [&](int64_t y) {  // y counts from the top of the picture
    int64_t fileRow = h.topDown ? y : ht - 1 - y;
    return data + h.pixelOffset + static_cast<size_t>(fileRow) * stride;
  };
  const size_t count = static_cast<size_t>(w * ht);

  if (bpp <= 8) {
    std::vector<uint8_t> indices(count);
    const int mask = (1 << bpp) - 1;
    for (int64_t y = 0; y < ht; ++y) {
      const uint8_t* row = rowData(y);
      for (int64_t x = 0; x < w; ++x) {
        int64_t bit = x * bpp;
        int shift = 8 - bpp - static_cast<int>(bit % 8);
        indices[static_cast<size_t>(y * w + x)] = (row[bit / 8] >> shift) & mask;
      }
    }
    return ApplyPalette(h, data, indices, out, error);
  }

  out->pixels.resize(count);
  if (bpp == 24) {
    for (int64_t y = 0; y < ht; ++y) {
      const uint8_t* s = rowData(y);
      uint32_t* d = out->pixels.data() + y * w;
      for (int64_t x = 0; x < w; ++x, s += 3) d[x] = Argb(255, s[2], s[1], s[0]);
    }
    return true;
  }

  uint32_t masks[4] = {h.masks[0], h.masks[1], h.masks[2], h.masks[3]};
  if (h.compression == kRgb) {
    if (bpp == 16) {
      masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F, masks[3] = 0;
    } else {
      masks[0] = 0x00FF0000, masks[1] = 0x0000FF00, masks[2] = 0x000000FF, masks[3] = 0xFF000000;
    }
  }
  if (bpp == 16) {
    for (uint32_t& m : masks) m &= 0xFFFF;
  }
  MaskChannel channels[4];
  for (int i = 0; i < 4; ++i) {
    if (!channels[i].Set(masks[i])) return Fail(error, "bit mask is not contiguous");
  }
  bool anyAlpha = false;
  for (int64_t y = 0; y < ht; ++y) {
    const uint8_t* s = rowData(y);
    uint32_t* d = out->pixels.data() + y * w;
    for (int64_t x = 0; x < w; ++x) {
      uint32_t v = bpp == 16 ? Le16(s + 2 * x) : Le32(s + 4 * x);
      uint32_t a = channels[3].Get(v);
      anyAlpha |= a != 0;
      d[x] = Argb(a, channels[0].Get(v), channels[1].Get(v), channels[2].Get(v));
    }
  }
  out->hasAlpha = anyAlpha;
  if (!anyAlpha) {
    for (uint32_t& px : out->pixels) px |= 0xFF000000u;
  }
  return true;
}

}  // namespace

bool LooksLikeBmp(const uint8_t* data, size_t size) {
  return size >= 2 && data[0] == 'B' && data[1] == 'M';
}

bool DecodeBmp(const uint8_t* data, size_t size, DecodedPicture* out, std::string* error) {
  BmpHeader h;
  if (!ReadHeader(data, size, &h, error)) return false;
  out->hasAlpha = false;
  bool ok = (h.compression == kRle8 || h.compression == kRle4)
                ? DecodeRle(h, data, size, out, error)
                : DecodeUncompressed(h, data, size, out, error);
  if (!ok) {
    out->pixels.clear();
    return false;
  }
  out->width = static_cast<int>(h.width);
  out->height = static_cast<int>(h.height);
  return true;
}

}  // namespace decode
