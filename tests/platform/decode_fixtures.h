// Builders for the picture and sound files the decoder tests feed in: PNG
// through libpng, JPEG through libjpeg, Ogg Vorbis through libvorbisenc, and
// BMP, TGA and WAV byte by byte.  No test framework here: the fuzz seed
// generator uses these too.
#pragma once

#include <cstdio>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <png.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace fixtures {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes* b, uint32_t v) {
  b->push_back(v & 0xFF);
  b->push_back((v >> 8) & 0xFF);
}
inline void Put32(Bytes* b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
inline void Set32(Bytes* b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*b)[at + i] = (v >> (8 * i)) & 0xFF;
}
inline void Set16(Bytes* b, size_t at, uint32_t v) {
  (*b)[at] = v & 0xFF;
  (*b)[at + 1] = (v >> 8) & 0xFF;
}
inline Bytes Truncated(const Bytes& b, size_t size) { return Bytes(b.begin(), b.begin() + size); }

// ---- PNG -------------------------------------------------------------------

struct PngLayout {
  int width = 1;
  int height = 1;
  int colourType = PNG_COLOR_TYPE_RGB;
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<png_color> palette;
  std::vector<uint8_t> paletteAlpha;  // tRNS for palette pictures
  bool hasTransparentColour = false;  // tRNS for grey or RGB pictures
  png_color_16 transparentColour = {};
  std::vector<Bytes> rows;  // packed rows exactly as PNG stores them (big-endian 16-bit)
};

inline void PngWriteToVector(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
inline void PngFlushNothing(png_structp) {}

// Returns an empty vector when libpng refuses the layout.
inline Bytes MakePng(const PngLayout& layout) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return Bytes();
  }
  png_set_write_fn(png, &out, PngWriteToVector, PngFlushNothing);
  png_set_check_for_invalid_index(png, 0);  // the tests write bad indices on purpose
  png_set_IHDR(png, info, layout.width, layout.height, layout.bitDepth, layout.colourType,
               layout.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!layout.palette.empty()) {
    png_set_PLTE(png, info, layout.palette.data(), static_cast<int>(layout.palette.size()));
  }
  if (!layout.paletteAlpha.empty()) {
    png_set_tRNS(png, info, layout.paletteAlpha.data(), static_cast<int>(layout.paletteAlpha.size()),
                 nullptr);
  } else if (layout.hasTransparentColour) {
    png_set_tRNS(png, info, nullptr, 0, &layout.transparentColour);
  }
  png_write_info(png, info);
  std::vector<png_bytep> rows;
  for (const Bytes& r : layout.rows) rows.push_back(const_cast<png_bytep>(r.data()));
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// PNG chunk CRC, for tests that edit a chunk and keep the file otherwise valid.
inline void FixPngChunkCrc(Bytes* png, size_t chunkStart) {
  uint32_t length = (uint32_t((*png)[chunkStart]) << 24) | ((*png)[chunkStart + 1] << 16) |
                    ((*png)[chunkStart + 2] << 8) | (*png)[chunkStart + 3];
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = chunkStart + 4; i < chunkStart + 8 + length; ++i) {
    crc ^= (*png)[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  crc ^= 0xFFFFFFFFu;
  size_t at = chunkStart + 8 + length;
  for (int i = 0; i < 4; ++i) (*png)[at + i] = (crc >> (24 - 8 * i)) & 0xFF;
}

// Rewrites the IHDR size (the first chunk, at byte 8) with a valid CRC.
inline void SetPngSize(Bytes* png, uint32_t width, uint32_t height) {
  for (int i = 0; i < 4; ++i) {
    (*png)[16 + i] = (width >> (24 - 8 * i)) & 0xFF;
    (*png)[20 + i] = (height >> (24 - 8 * i)) & 0xFF;
  }
  FixPngChunkCrc(png, 8);
}

// An 8-bit RGBA PNG from 0xAARRGGBB pixels.
inline Bytes MakeRgbaPng(int width, int height, const std::vector<uint32_t>& argb) {
  PngLayout layout;
  layout.width = width;
  layout.height = height;
  layout.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  for (int y = 0; y < height; ++y) {
    Bytes row;
    for (int x = 0; x < width; ++x) {
      uint32_t p = argb[y * width + x];
      row.insert(row.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
    }
    layout.rows.push_back(row);
  }
  return MakePng(layout);
}

// An 8-bit RGB PNG (no alpha) from 0x00RRGGBB pixels.
inline Bytes MakeRgbPng(int width, int height, const std::vector<uint32_t>& rgb) {
  PngLayout layout;
  layout.width = width;
  layout.height = height;
  for (int y = 0; y < height; ++y) {
    Bytes row;
    for (int x = 0; x < width; ++x) {
      uint32_t p = rgb[y * width + x];
      row.insert(row.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
    }
    layout.rows.push_back(row);
  }
  return MakePng(layout);
}

// ---- JPEG ------------------------------------------------------------------

struct JpegFailure {
  jpeg_error_mgr base;
  jmp_buf jump;
};
inline void JpegWriteFailed(j_common_ptr cinfo) {
  std::longjmp(reinterpret_cast<JpegFailure*>(cinfo->err)->jump, 1);
}

// A baseline JPEG at quality 100 without chroma subsampling; `components` is
// 3 (pixels are 0x00RRGGBB) or 1 (the blue byte is the grey level).
inline Bytes MakeJpeg(int width, int height, const std::vector<uint32_t>& rgb,
                      int components = 3, bool progressive = false) {
  jpeg_compress_struct cinfo;
  JpegFailure failure;
  cinfo.err = jpeg_std_error(&failure.base);
  failure.base.error_exit = JpegWriteFailed;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(failure.jump)) {
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return Bytes();
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = width;
  cinfo.image_height = height;
  cinfo.input_components = components;
  cinfo.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  for (int i = 0; i < cinfo.num_components; ++i) {
    cinfo.comp_info[i].h_samp_factor = 1;
    cinfo.comp_info[i].v_samp_factor = 1;
  }
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  Bytes row(static_cast<size_t>(width) * components);
  while (cinfo.next_scanline < cinfo.image_height) {
    for (int x = 0; x < width; ++x) {
      uint32_t p = rgb[cinfo.next_scanline * width + x];
      if (components == 3) {
        row[x * 3] = p >> 16, row[x * 3 + 1] = p >> 8, row[x * 3 + 2] = p;
      } else {
        row[x] = p & 0xFF;
      }
    }
    JSAMPROW r = row.data();
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

// ---- BMP -------------------------------------------------------------------

struct BmpLayout {
  int32_t width = 1;
  int32_t height = 1;  // negative: top-down
  int bpp = 24;
  uint32_t compression = 0;
  std::vector<uint32_t> palette;  // 0x00RRGGBB, written as B, G, R, 0
  uint32_t coloursUsed = 0;       // 0: the palette's size
  std::vector<uint32_t> masks;    // written after the 40-byte header when given
  Bytes pixels;                   // rows (or RLE data) as stored in the file
};

inline Bytes MakeBmp(const BmpLayout& s) {
  Bytes b = {'B', 'M'};
  const uint32_t paletteBytes = static_cast<uint32_t>(s.palette.size() * 4);
  const uint32_t maskBytes = static_cast<uint32_t>(s.masks.size() * 4);
  const uint32_t offset = 14 + 40 + maskBytes + paletteBytes;
  Put32(&b, offset + static_cast<uint32_t>(s.pixels.size()));
  Put32(&b, 0);
  Put32(&b, offset);
  Put32(&b, 40);
  Put32(&b, static_cast<uint32_t>(s.width));
  Put32(&b, static_cast<uint32_t>(s.height));
  Put16(&b, 1);
  Put16(&b, s.bpp);
  Put32(&b, s.compression);
  Put32(&b, static_cast<uint32_t>(s.pixels.size()));
  Put32(&b, 2835);
  Put32(&b, 2835);
  Put32(&b, s.coloursUsed ? s.coloursUsed : static_cast<uint32_t>(s.palette.size()));
  Put32(&b, 0);
  for (uint32_t m : s.masks) Put32(&b, m);
  for (uint32_t c : s.palette) Put32(&b, c & 0xFFFFFF);
  b.insert(b.end(), s.pixels.begin(), s.pixels.end());
  return b;
}

// Pads a row of bytes to the 4-byte boundary BMP rows keep.
inline Bytes BmpRow(Bytes row) {
  while (row.size() % 4) row.push_back(0);
  return row;
}

// ---- TGA -------------------------------------------------------------------

struct TgaLayout {
  int type = 2;
  int width = 1;
  int height = 1;
  int depth = 24;
  int descriptor = 0;
  Bytes id;
  bool hasMap = false;
  int mapFirst = 0;
  int mapLength = 0;
  int mapDepth = 24;
  Bytes map;     // colour map entries as stored
  Bytes pixels;  // pixel data (or RLE packets) as stored
};

inline Bytes MakeTga(const TgaLayout& s) {
  Bytes b;
  b.push_back(static_cast<uint8_t>(s.id.size()));
  b.push_back(s.hasMap ? 1 : 0);
  b.push_back(static_cast<uint8_t>(s.type));
  Put16(&b, s.mapFirst);
  Put16(&b, s.mapLength);
  b.push_back(static_cast<uint8_t>(s.hasMap ? s.mapDepth : 0));
  Put16(&b, 0);
  Put16(&b, 0);
  Put16(&b, s.width);
  Put16(&b, s.height);
  b.push_back(static_cast<uint8_t>(s.depth));
  b.push_back(static_cast<uint8_t>(s.descriptor));
  b.insert(b.end(), s.id.begin(), s.id.end());
  b.insert(b.end(), s.map.begin(), s.map.end());
  b.insert(b.end(), s.pixels.begin(), s.pixels.end());
  return b;
}

// ---- WAV -------------------------------------------------------------------

inline Bytes WavChunk(const char* id, const Bytes& body) {
  Bytes b(id, id + 4);
  Put32(&b, static_cast<uint32_t>(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  if (body.size() & 1) b.push_back(0);
  return b;
}

inline Bytes WavFormat(int format, int channels, uint32_t rate, int bits) {
  Bytes f;
  Put16(&f, format);
  Put16(&f, channels);
  Put32(&f, rate);
  Put32(&f, rate * channels * bits / 8);
  Put16(&f, channels * bits / 8);
  Put16(&f, bits);
  return f;
}

inline Bytes MakeWav(const std::vector<Bytes>& chunks) {
  Bytes body = {'W', 'A', 'V', 'E'};
  for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
  Bytes b = {'R', 'I', 'F', 'F'};
  Put32(&b, static_cast<uint32_t>(body.size()));
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

// A plain PCM WAV from interleaved samples (16-bit, or 8-bit taking the high byte).
inline Bytes MakePcmWav(int channels, uint32_t rate, int bits, const std::vector<int16_t>& s) {
  Bytes data;
  for (int16_t v : s) {
    if (bits == 8) {
      data.push_back(static_cast<uint8_t>((v >> 8) + 128));
    } else {
      Put16(&data, static_cast<uint16_t>(v));
    }
  }
  return MakeWav({WavChunk("fmt ", WavFormat(1, channels, rate, bits)), WavChunk("data", data)});
}

// ---- Ogg Vorbis ------------------------------------------------------------

// `frames` sample frames of a quiet tone; empty when the encoder refuses.
inline Bytes MakeOgg(int channels, long rate, long frames) {
  Bytes out;
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, rate, 0.1f) != 0) {
    vorbis_info_clear(&vi);
    return out;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 1234);
  ogg_packet header, comments, codebooks;
  vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comments);
  ogg_stream_packetin(&os, &codebooks);
  ogg_page page;
  auto append = [&](const ogg_page& p) {
    out.insert(out.end(), p.header, p.header + p.header_len);
    out.insert(out.end(), p.body, p.body + p.body_len);
  };
  while (ogg_stream_flush(&os, &page) != 0) append(page);

  long done = 0;
  bool ended = false;
  while (!ended) {
    const long chunk = std::min(1024L, frames - done);
    if (chunk > 0) {
      float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(chunk));
      for (long i = 0; i < chunk; ++i) {
        for (int c = 0; c < channels; ++c) {
          buffer[c][i] = 0.25f * std::sin(0.05f * static_cast<float>(done + i) * (c + 1));
        }
      }
      vorbis_analysis_wrote(&vd, static_cast<int>(chunk));
      done += chunk;
    } else {
      vorbis_analysis_wrote(&vd, 0);
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&vd, &packet)) {
        ogg_stream_packetin(&os, &packet);
        while (ogg_stream_pageout(&os, &page) != 0) {
          append(page);
          if (ogg_page_eos(&page)) ended = true;
        }
      }
    }
    if (chunk <= 0 && !ended) {
      while (ogg_stream_flush(&os, &page) != 0) {
        append(page);
        if (ogg_page_eos(&page)) ended = true;
      }
      ended = true;
    }
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

}  // namespace fixtures
