// Ogg Vorbis sounds through libvorbisfile, read from memory.  OggReader opens a
// stream (checks, headers, length) and then decodes it piece by piece, so the
// samples can be decoded later or elsewhere; DecodeOgg decodes one whole.
// libvorbisfile happily plays a cut-off file up to the cut, so the pages are
// checked first: the stream must end with an end-of-stream page.  Chained
// streams must keep one channel count and rate throughout.
#include <ogg/ogg.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/decode_formats.h"

namespace decode {
namespace {

struct MemoryReader {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t pos = 0;
};

size_t ReadMemory(void* dest, size_t itemSize, size_t items, void* source) {
  auto* r = static_cast<MemoryReader*>(source);
  if (itemSize == 0) return 0;
  size_t n = std::min(items, (r->size - r->pos) / itemSize);
  std::memcpy(dest, r->data + r->pos, n * itemSize);
  r->pos += n * itemSize;
  return n;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
  auto* r = static_cast<MemoryReader*>(source);
  int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<int64_t>(r->pos)
                 : whence == SEEK_END ? static_cast<int64_t>(r->size) : -1;
  if (base < 0) return -1;
  if (offset < -base || offset > static_cast<int64_t>(r->size) - base) return -1;
  r->pos = static_cast<size_t>(base + offset);
  return 0;
}

long TellMemory(void* source) { return static_cast<long>(static_cast<MemoryReader*>(source)->pos); }

bool Fail(std::string* error, const char* reason) {
  *error = std::string("Ogg: ") + reason;
  return false;
}

// True when the last whole page in the data ends a logical stream.
bool EndsWithEndOfStream(const uint8_t* data, size_t size) {
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  bool lastWasEnd = false;
  size_t fed = 0;
  ogg_page page;
  for (;;) {
    int got = ogg_sync_pageout(&sync, &page);
    if (got > 0) {
      lastWasEnd = ogg_page_eos(&page) != 0;
      continue;
    }
    if (got < 0) continue;  // skipped bytes that were not a page
    if (fed >= size) break;
    const size_t chunk = std::min<size_t>(size - fed, 65536);
    char* buffer = ogg_sync_buffer(&sync, static_cast<long>(chunk));
    if (buffer == nullptr) break;
    std::memcpy(buffer, data + fed, chunk);
    ogg_sync_wrote(&sync, static_cast<long>(chunk));
    fed += chunk;
  }
  ogg_sync_clear(&sync);
  return lastWasEnd;
}

int HostIsBigEndian() {
  const uint16_t probe = 1;
  uint8_t first;
  std::memcpy(&first, &probe, 1);
  return first == 0 ? 1 : 0;
}

}  // namespace

struct OggReader::State {
  MemoryReader memory;
  OggVorbis_File file;
};

OggReader::OggReader() = default;

OggReader::~OggReader() { Close(); }

void OggReader::Close() {
  if (state_) ov_clear(&state_->file);
  state_.reset();
  channels_ = 0;
}

bool OggReader::Open(const uint8_t* data, size_t size, std::string* error) {
  Close();
  if (!EndsWithEndOfStream(data, size)) return Fail(error, "stream is truncated");
  auto state = std::make_unique<State>();
  state->memory = MemoryReader{data, size, 0};
  ov_callbacks callbacks = {ReadMemory, SeekMemory, nullptr, TellMemory};
  if (ov_open_callbacks(&state->memory, &state->file, nullptr, 0, callbacks) != 0) {
    return Fail(error, "not a Vorbis stream");
  }
  state_ = std::move(state);  // from here on the destructor clears the file

  const vorbis_info* info = ov_info(&state_->file, -1);
  if (info == nullptr) return Fail(error, "stream has no header");
  const int channels = info->channels;
  const long rate = info->rate;
  if (channels != 1 && channels != 2) return Fail(error, "only mono and stereo are supported");
  if (rate <= 0 || rate > kMaxSampleRate) return Fail(error, "unsupported sample rate");
  const long links = ov_streams(&state_->file);
  for (long i = 0; i < links; ++i) {
    const vorbis_info* link = ov_info(&state_->file, static_cast<int>(i));
    if (link == nullptr || link->channels != channels || link->rate != rate) {
      return Fail(error, "chained streams differ in format");
    }
  }
  const ogg_int64_t total = ov_pcm_total(&state_->file, -1);
  if (total > kMaxSoundSamples / channels) return Fail(error, "sound is too long");
  channels_ = channels;
  rate_ = static_cast<int>(rate);
  announcedFrames_ = total > 0 ? total : 0;
  // The length comes from the last page, which can lie: only a length that so
  // much data could plausibly hold is worth reserving room for.
  plausibleFrames_ = static_cast<int64_t>(std::min<size_t>(size, 1u << 22)) * 32 / channels;
  return true;
}

long OggReader::Read(int16_t* dest, size_t maxSamples) {
  if (!state_ || channels_ == 0) return -1;
  // Whole frames only; ov_read never splits one.
  const size_t bytes = std::min<size_t>(maxSamples - maxSamples % channels_, 1u << 20) * 2;
  if (bytes == 0) return 0;
  static const int bigEndian = HostIsBigEndian();
  int section = 0;
  const long got = ov_read(&state_->file, reinterpret_cast<char*>(dest), static_cast<int>(bytes),
                           bigEndian, 2, 1, &section);
  if (got < 0) return -1;
  return got / static_cast<long>(sizeof(int16_t));
}

bool LooksLikeOgg(const uint8_t* data, size_t size) {
  return size >= 4 && std::memcmp(data, "OggS", 4) == 0;
}

bool DecodeOggRest(OggReader* reader, Sound* out, std::string* error) {
  const int channels = reader->Channels();
  if (reader->AnnouncedFrames() > 0) {
    out->samples.reserve(static_cast<size_t>(
        std::min(reader->AnnouncedFrames(), reader->PlausibleFrames()) * channels));
  }
  int16_t buffer[2048];
  for (;;) {
    const long got = reader->Read(buffer, 2048);
    if (got == 0) break;
    if (got < 0) return Fail(error, "stream is damaged");
    const size_t count = static_cast<size_t>(got);
    if (out->samples.size() + count > static_cast<size_t>(kMaxSoundSamples)) {
      return Fail(error, "sound is too long");
    }
    out->samples.insert(out->samples.end(), buffer, buffer + count);
  }
  // Whole frames only, in case a damaged stream ends mid-frame.
  out->samples.resize(out->samples.size() - out->samples.size() % channels);
  out->channels = channels;
  out->sampleRate = reader->Rate();
  return true;
}

bool DecodeOgg(const uint8_t* data, size_t size, Sound* out, std::string* error) {
  OggReader reader;
  if (!reader.Open(data, size, error)) return false;
  return DecodeOggRest(&reader, out, error);
}

}  // namespace decode
