// The loading screen, the first screen of the game: the title picture rises
// out of black behind a fading-in "loading" image while the catalogued assets
// are loaded, one per frame, so that the picture keeps moving; then the title
// screen, whose backdrop is the same picture, takes over.
#pragma once

#include "app/event.h"
#include "app/interpolation.h"
#include "data/file_loader.h"

// The loading screen's phases.
constexpr int kLoadingOpeningWait = 0;
constexpr int kLoadingAssets = 1;
constexpr int kLoadingClosingWait = 2;

// Ticks of the opening and the closing wait.
constexpr float kLoadingWaitTicks = 50.0f;

// The screen's own two images, loaded by Create.
constexpr int kLoadingBackdropImage = 4000;
constexpr int kLoadingLogoImage = 5000;
extern const char kLoadingBackdropPath[];  // "Data\Title1.png"
extern const char kLoadingLogoPath[];      // "Data\Loading.png"

class LoadingEvent : public Event {
 public:
  int phase = kLoadingOpeningWait;
  float timer = 0.0f;           // ticks spent in the current wait
  Interpolation logoAlpha;      // opacity of the loading image
  Interpolation backdropLevel;  // brightness factor of the backdrop

  // Loads the screen's own images, starts the fades and makes the screen
  // current.  A missing image is reported and ends the game after this frame.
  static LoadingEvent* Create();
  void Update(float step) override;
  void Draw() override;

  // Registers one catalogue entry; 1 on success.
  int LoadEntry(const FileEntry& entry);

  // True once the closing wait is over: the game's animations are built and
  // the title screen has taken over.
  bool Finished() const { return handedOver; }
  bool handedOver = false;
};
