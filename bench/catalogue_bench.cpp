// Prints how long the asset catalogue takes to read and how long each of its
// entries takes to load at the loading screen, which loads one entry a frame:
// the slowest entry decides whether the screen keeps animating.  Runs on the
// headless backend (decoding and registration, no texture upload).
//
//   build/catalogue_bench [DATA_FOLDER] [REPEATS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "data/animation_list.h"
#include "data/audio_list.h"
#include "data/file_loader.h"
#include "data/font_list.h"
#include "data/image_list.h"
#include "data/loading_event.h"
#include "platform/backend.h"
#include "platform/headless_backend.h"
#include "platform/image_loading.h"
#include "platform/services.h"

namespace {
double Now() {
  using Clock = std::chrono::steady_clock;
  return std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count();
}

struct Timing {
  double ms;
  std::string path;
};
}  // namespace

int main(int argc, char** argv) {
  std::string folder = argc > 1 ? argv[1] : ".";
  int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;
  SetDataFolder(folder);
  InstallBackend(std::make_unique<HeadlessBackend>());

  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(ResolvePath("files.xml"), &bytes, 64 << 20)) {
    std::fprintf(stderr, "catalogue_bench: no files.xml in '%s'\n", folder.c_str());
    return 1;
  }

  // Reading the catalogue, against reading its bytes alone.
  double rawStart = Now();
  for (int i = 0; i < repeats; ++i) ReadWholeFile(ResolvePath("files.xml"), &bytes, 64 << 20);
  double rawMs = (Now() - rawStart) / repeats;
  double readStart = Now();
  for (int i = 0; i < repeats; ++i) {
    FileQueue.clear();
    if (FileLoader::Read("files.xml") == 0) {
      std::fprintf(stderr, "catalogue_bench: files.xml is not a valid catalogue\n");
      return 1;
    }
  }
  double readMs = (Now() - readStart) / repeats;
  std::printf("catalogue: %zu bytes, %zu entries\n", bytes.size(), FileQueue.size());
  std::printf("read catalogue: %.3f ms (bytes alone %.3f ms, ratio %.1f)\n", readMs, rawMs,
              rawMs > 0 ? readMs / rawMs : 0.0);

  // Loading every entry once, as the loading screen does.
  std::vector<Timing> timings;
  LoadingEvent screen;
  double total = 0;
  int failed = 0;
  for (const FileEntry& entry : FileQueue) {
    double start = Now();
    int ok = screen.LoadEntry(entry);
    double ms = Now() - start;
    failed += ok ? 0 : 1;
    total += ms;
    timings.push_back({ms, entry.path});
  }
  std::sort(timings.begin(), timings.end(),
            [](const Timing& a, const Timing& b) { return a.ms > b.ms; });
  std::printf("load entries: %.1f ms in all, %.3f ms on average, %d failed\n", total,
              timings.empty() ? 0.0 : total / timings.size(), failed);
  std::printf("slowest entries (a frame is 10 ms):\n");
  for (size_t i = 0; i < timings.size() && i < 5; ++i) {
    std::printf("  %8.3f ms  %s\n", timings[i].ms, timings[i].path.c_str());
  }
  FileQueue.clear();
  ImageList::Reset();
  FontList::Reset();
  AudioList::Reset();
  AnimationList::Reset();
  InstallBackend(nullptr);
  return failed ? 1 : 0;
}
