// Ogg Vorbis encoding of the generated sounds.
#include "audio/ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdio>

namespace audio {
namespace {

bool WritePage(std::FILE* f, const ogg_page& page) {
  return std::fwrite(page.header, 1, page.header_len, f) == static_cast<size_t>(page.header_len) &&
         std::fwrite(page.body, 1, page.body_len, f) == static_cast<size_t>(page.body_len);
}

}  // namespace

uint32_t SerialFor(const std::string& name) {
  uint32_t h = 2166136261u;  // FNV-1a
  for (unsigned char c : name) h = (h ^ c) * 16777619u;
  return h & 0x7fffffff;
}

bool WriteOgg(const std::string& path, const Samples& left, const Samples* right,
              double quality, uint32_t serial, const std::string& title, std::string* error) {
  const int channels = right ? 2 : 1;
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, channels, kRate, static_cast<float>(quality)) != 0) {
    vorbis_info_clear(&vi);
    *error = "the Vorbis encoder refused the settings";
    return false;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_comment_add_tag(&vc, "TITLE", title.c_str());
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, static_cast<int>(serial));

  const std::string temp = path + ".part";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  bool ok = f != nullptr;
  if (ok) {
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page page;
    while (ok && ogg_stream_flush(&os, &page) != 0) ok = WritePage(f, page);

    const size_t frames = left.size();
    const size_t chunk = 1024;
    size_t at = 0;
    bool ended = false, sentEnd = false;
    while (ok && !ended) {
      const size_t n = std::min(chunk, frames - at);
      if (n == 0) {
        if (sentEnd) {  // the last packet is out; push out whatever page is left
          while (ok && ogg_stream_flush(&os, &page) != 0) ok = WritePage(f, page);
          break;
        }
        vorbis_analysis_wrote(&vd, 0);  // end of stream
        sentEnd = true;
      } else {
        float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
        for (size_t i = 0; i < n; ++i) {
          buffer[0][i] = std::clamp(left[at + i], -1.0f, 1.0f);
          if (right) {
            const float r = at + i < right->size() ? (*right)[at + i] : 0.0f;
            buffer[1][i] = std::clamp(r, -1.0f, 1.0f);
          }
        }
        vorbis_analysis_wrote(&vd, static_cast<int>(n));
        at += n;
      }
      while (ok && vorbis_analysis_blockout(&vd, &vb) == 1) {
        vorbis_analysis(&vb, nullptr);
        vorbis_bitrate_addblock(&vb);
        ogg_packet packet;
        while (ok && vorbis_bitrate_flushpacket(&vd, &packet) == 1) {
          ogg_stream_packetin(&os, &packet);
          while (ok && ogg_stream_pageout(&os, &page) != 0) {
            ok = WritePage(f, page);
            if (ogg_page_eos(&page)) ended = true;
          }
        }
      }
    }
    if (std::fclose(f) != 0) ok = false;
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) std::remove(temp.c_str());
  }
  if (!ok) *error = "cannot write " + path;

  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return ok;
}

}  // namespace audio
