#include "data/loading_event.h"

#include <memory>
#include <string>

#include "app/globals.h"
#include "app/logging.h"
#include "data/animation_list.h"
#include "data/audio_list.h"
#include "data/font_list.h"
#include "data/image_list.h"
#include "platform/services.h"
#include "screens/title.h"

const char kLoadingBackdropPath[] = "Data\\Title1.png";
const char kLoadingLogoPath[] = "Data\\Loading.png";

namespace {

// Tells the player which file is missing; the main loop ends after this frame.
void ReportLoadFailure(const std::string& path) {
  ShowMessageBox("Error: Failed to load '" + path + "'!", 1);
  Log("# Failed to load '" + path + "'!");
  AppRunning = 0;
}

void LoadOwnImage(const std::string& path, int id) {
  if (ImageList::LoadImage(path, id) == 0) ReportLoadFailure(path);
}

}  // namespace

LoadingEvent* LoadingEvent::Create() {
  auto screen = std::make_unique<LoadingEvent>();
  LoadingEvent* raw = screen.get();
  raw->phase = kLoadingOpeningWait;
  raw->timer = 0.0f;
  raw->logoAlpha = Interpolation::Create(0.0f);
  raw->logoAlpha.SetTargetIn(1.0f, 50);
  raw->backdropLevel = Interpolation::Create(0.0f);
  raw->backdropLevel.SetTargetIn(0.25f, 20);

  TintRed.current = TintGreen.current = TintBlue.current = 0.0f;
  FadeTintTo(255.0f, 20);

  LoadOwnImage(kLoadingBackdropPath, kLoadingBackdropImage);
  LoadOwnImage(kLoadingLogoPath, kLoadingLogoImage);

  CurrentScreen.Replace(std::move(screen));
  return raw;
}

void LoadingEvent::Update(float step) {
  logoAlpha.Update(step);
  backdropLevel.Update(step);

  // The phases follow each other within one frame: the frame that ends the
  // opening wait loads the first asset, and the frame that finds the queue
  // empty already counts toward the closing wait.
  if (phase == kLoadingOpeningWait) {
    timer += step;
    if (timer >= kLoadingWaitTicks) phase = kLoadingAssets;
  }

  if (phase == kLoadingAssets) {
    if (FileQueue.empty()) {
      phase = kLoadingClosingWait;
      timer = 0.0f;
      logoAlpha.SetTargetIn(0.0f, 50);
      backdropLevel.SetTargetIn(1.0f, 50);
    } else {
      const FileEntry entry = FileQueue.front();
      const int loaded = LoadEntry(entry);
      FileQueue.pop_front();
      if (loaded == 0) ReportLoadFailure(entry.path);
    }
  }

  if (phase == kLoadingClosingWait && !handedOver) {
    timer += step;
    if (timer >= kLoadingWaitTicks) {
      handedOver = true;
      BuildGameAnimations();
      Title::Create();
    }
  }
}

int LoadingEvent::LoadEntry(const FileEntry& entry) {
  switch (entry.kind) {
    case kEntryFont:
      return FontList::LoadFont(entry.path, entry.id, entry.sizeX);
    case kEntrySound:
      return AudioList::LoadSound(entry.path, entry.id, entry.loop, entry.volume);
    case kEntryImage:
      if (entry.sizeX != 0 && entry.sizeY != 0 && entry.frames != 0) {
        return ImageList::LoadImageFrames(entry.path, entry.id, entry.sizeX, entry.sizeY,
                                          entry.frames);
      }
      return ImageList::LoadImage(entry.path, entry.id);
    default:
      return 0;
  }
}

void LoadingEvent::Draw() {
  ClearScreen();
  ApplyTint(backdropLevel.Value());
  SetDrawScale(1.0f, 1.0f);
  SetBlendMode(kBlendSolid);
  ImageList::DrawImage(kLoadingBackdropImage, ScreenWidth / 2, ScreenHeight / 2);

  ApplyTint();
  SetBlendMode(kBlendAlpha);
  SetDrawAlpha(static_cast<float>(logoAlpha.Value()));
  ImageList::DrawImage(kLoadingLogoImage, ScreenWidth / 2, ScreenHeight / 2);
}
