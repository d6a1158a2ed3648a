#include "ui/slider_control.h"

#include "app/globals.h"
#include "data/audio_list.h"
#include "data/image_list.h"
#include "platform/services.h"
#include "ui/gui.h"

std::shared_ptr<SliderControl> SliderControl::Create(int x, int y) {
  auto s = std::make_shared<SliderControl>();
  ImageContainer* track = ImageList::FindImage(kSliderTrackImage);
  const int w = track && track->image ? ImageWidthOf(track->image.get()) : 0;
  const int h = track && track->image ? ImageHeightOf(track->image.get()) : 0;
  s->width = w;
  s->height = h / 4;
  s->x = x - s->width / 2;
  s->y = y - h / 8;
  return s;
}

void SliderControl::Update(float dt) {
  brightness.Update(dt);
  scale.Update(dt);
  alpha.Update(dt);
  if (alpha.current == 0.0f) RemoveSelf();
}

void SliderControl::HandleInput(float dt) {
  (void)dt;
  if (IsPointerOver() && PointerDown && ClickReady) {
    if (ready) {
      ready = 0;
      AudioList::PlaySound(kClickSound, 0.0f, 1.0f);
    }
    int v = PointerX - x - 20;
    if (v < 0) v = 0;
    if (v > 90) v = 90;
    value = static_cast<float>(v) / 90.0f;
    return;
  }
  ready = 1;
}

void SliderControl::Draw() {
  SetBlendMode(kBlendAlpha);
  SetDrawAlpha(static_cast<float>(alpha.Value()));
  if (enabled) {
    if (IsPointerOver() && ready) {
      if (hoverSoundArmed) {
        hoverSoundArmed = 0;
        AudioList::PlaySound(kHoverSound, 0.0f, 1.0f);
      }
      brightness.SetTarget(255.0f, 4.0f);
    } else {
      hoverSoundArmed = 1;
      brightness.SetTarget(248.0f, 4.0f);
    }
  } else {
    brightness.SetTarget(128.0f, 6.0f);
  }
  const float s = static_cast<float>(scale.Value());
  SetDrawScale(s, s);
  SetGreyColour(brightness.Value(), tinted);
  ImageList::DrawImage(kSliderTrackImage, x + width / 2, y + height / 2);
  ImageList::DrawImage(kSliderKnobImage, x + width / 2 - 44 + TruncToInt(value * 90.0f),
                       y + height / 2);
}
