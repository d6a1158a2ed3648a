// Background decoding of long Ogg Vorbis sounds.  Each sound has a worker
// thread of its own, but the workers take turns: one decodes at a time, at a
// lower priority, so the loading thread keeps a core and the sounds become
// ready in the order they were loaded.
#include "platform/sound_decoding.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "platform/decode_formats.h"
#include "platform/image_loading.h"

namespace {

// Frames a worker decodes between two looks at its stop flag.
constexpr size_t kChunkFrames = 4096;

// The one decoding turn the workers share.  Never destroyed: sounds freed at
// program exit may still need it.
struct Turns {
  std::mutex mutex;
  std::condition_variable changed;
  bool taken = false;
};

Turns& TheTurns() {
  static Turns* turns = new Turns;
  return *turns;
}

class BackgroundDecoding : public SoundDecoding {
 public:
  explicit BackgroundDecoding(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  ~BackgroundDecoding() override {
    {
      std::lock_guard<std::mutex> lock(TheTurns().mutex);
      stop_ = true;
    }
    TheTurns().changed.notify_all();
    if (thread_.joinable()) thread_.join();
  }

  decode::OggReader& Reader() { return reader_; }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

  // Decodes announcedFrames frames at most.  The buffer is left untouched
  // here (not even zeroed): its pages are first touched by the decoder.
  void Start(size_t announced, int channels) {
    announcedFrames = announced;
    channels_ = static_cast<size_t>(channels);
    buffer_.reset(new int16_t[announced * channels_]);
    samples = buffer_.get();
    try {
      thread_ = std::thread([this] {
        // A nicer thread than the game's own; failing to lower it is harmless.
        setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
        Run();
      });
    } catch (const std::system_error&) {
      Run();  // no thread to be had: decode here and now
    }
  }

  void Wait() const override {
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return finished.load(std::memory_order_acquire); });
  }

 private:
  bool TakeTurn() {
    Turns& turns = TheTurns();
    std::unique_lock<std::mutex> lock(turns.mutex);
    turns.changed.wait(lock, [&] { return !turns.taken || stop_; });
    if (stop_) return false;
    turns.taken = true;
    return true;
  }

  static void GiveTurn() {
    Turns& turns = TheTurns();
    {
      std::lock_guard<std::mutex> lock(turns.mutex);
      turns.taken = false;
    }
    turns.changed.notify_all();
  }

  void Run() {
    if (TakeTurn()) {
      Decode();
      GiveTurn();
    }
    // The compressed data is no longer needed.
    reader_.Close();
    std::vector<uint8_t>().swap(bytes_);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      finished.store(true, std::memory_order_release);
    }
    done_.notify_all();
  }

  // Only this thread writes past readyFrames; readers never look there.
  void Decode() {
    size_t ready = 0;
    while (ready < announcedFrames && !StopAsked()) {
      const size_t room = std::min(announcedFrames - ready, kChunkFrames);
      size_t got = 0;
      while (got < room) {
        const long samples = reader_.Read(buffer_.get() + (ready + got) * channels_, (room - got) * channels_);
        if (samples == 0) break;
        if (samples < 0) {
          damaged.store(true, std::memory_order_release);
          break;
        }
        got += static_cast<size_t>(samples) / channels_;
      }
      ready += got;
      readyFrames.store(ready, std::memory_order_release);
      if (got < room) break;  // the end of the stream, or damage
    }
  }

  bool StopAsked() {
    std::lock_guard<std::mutex> lock(TheTurns().mutex);
    return stop_;
  }

  std::vector<uint8_t> bytes_;
  decode::OggReader reader_;
  std::unique_ptr<int16_t[]> buffer_;
  size_t channels_ = 1;
  bool stop_ = false;  // guarded by the turns' mutex
  std::thread thread_;
  mutable std::mutex mutex_;
  mutable std::condition_variable done_;
};

}  // namespace

bool DecodeSoundInBackground(std::vector<uint8_t> bytes, Sound* out, std::string* error) {
  std::string ignored;
  if (error == nullptr) error = &ignored;
  if (out == nullptr) {
    *error = "no sound";
    return false;
  }
  out->decoding.reset();
  if (!decode::LooksLikeOgg(bytes.data(), bytes.size())) {
    return DecodeSound(bytes.data(), bytes.size(), out, error);
  }
  auto job = std::make_unique<BackgroundDecoding>(std::move(bytes));
  decode::OggReader& reader = job->Reader();
  if (!reader.Open(job->Bytes().data(), job->Bytes().size(), error)) return false;
  const int64_t announced = reader.AnnouncedFrames();
  Sound result;
  result.channels = reader.Channels();
  result.sampleRate = reader.Rate();
  if (announced < static_cast<int64_t>(kBackgroundDecodeFrames) ||
      announced > reader.PlausibleFrames()) {
    // Short, or a length not worth trusting with a buffer: decode it now.
    if (!decode::DecodeOggRest(&reader, &result, error)) return false;
  } else {
    job->Start(static_cast<size_t>(announced), result.channels);
    result.decoding = std::move(job);
  }
  out->sampleRate = result.sampleRate;
  out->channels = result.channels;
  out->samples = std::move(result.samples);
  out->decoding = std::move(result.decoding);
  return true;
}
