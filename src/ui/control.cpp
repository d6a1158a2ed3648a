#include "ui/control.h"

#include "app/globals.h"
#include "data/audio_list.h"
#include "data/font_list.h"
#include "data/image_list.h"
#include "platform/services.h"
#include "ui/gui.h"

namespace {
// The frame size of a registered image, or 0 by 0 when there is none.
void ImageSize(int id, int* w, int* h) {
  ImageContainer* c = ImageList::FindImage(id);
  *w = c && c->image ? ImageWidthOf(c->image.get()) : 0;
  *h = c && c->image ? ImageHeightOf(c->image.get()) : 0;
}
}  // namespace

void SetGreyColour(double b, int tinted) {
  if (tinted) {
    SetDrawColour(TruncToInt(b * TintRed.Value() / 255.0), TruncToInt(b * TintGreen.Value() / 255.0),
                  TruncToInt(b * TintBlue.Value() / 255.0));
  } else {
    SetDrawColour(TruncToInt(b), TruncToInt(b), TruncToInt(b));
  }
}

int Control::IsPointerOver() const {
  return (x <= PointerX && PointerX < x + width && y <= PointerY && PointerY < y + height) ? 1 : 0;
}

void Control::RemoveSelf() { GUI::Remove(this); }

// ---- ButtonBase -------------------------------------------------------------

void ButtonBase::Update(float dt) {
  brightness.Update(dt);
  scale.Update(dt);
  alpha.Update(dt);
  UpdateExtra(dt);
  if (alpha.current == 0.0f) RemoveSelf();
}

void ButtonBase::HandleInput(float dt) {
  (void)dt;
  if (onClick && IsPointerOver() && PointerDown && ClickReady) {
    ClickReady = 0;
    if (ConsumesPress()) {
      PointerArmed = 0;
      PointerDown = 0;
    }
    if (ready) {
      ready = 0;
      AudioList::PlaySound(kClickSound, 0.0f, 1.0f);
    }
    enabled = 0;
    // The callback may remove or replace this control: keep it alive.
    std::shared_ptr<Control> keep = shared_from_this();
    Callback call = onClick;
    call();
    return;
  }
  ready = 1;
}

void ButtonBase::ApplyLook() {
  if (enabled) {
    if (IsPointerOver() && ready) {
      if (hoverSoundArmed) {
        hoverSoundArmed = 0;
        AudioList::PlaySound(kHoverSound, 0.0f, 1.0f);
      }
      scale.SetTarget(1.0f, 0.01f);
      brightness.SetTarget(255.0f, 4.0f);
    } else {
      hoverSoundArmed = 1;
      scale.SetTarget(0.94f, 0.01f);
      brightness.SetTarget(248.0f, 4.0f);
    }
  } else {
    ApplyDisabledLook();
  }
  const float s = static_cast<float>(scale.Value());
  SetDrawScale(s, s);
}

void ButtonBase::ApplyDisabledLook() {
  scale.SetTarget(0.84f, 0.025f);
  brightness.SetTarget(128.0f, 6.0f);
}

void ButtonBase::ApplyFaceColour() const { SetGreyColour(brightness.Value(), tinted); }

// ---- Button -----------------------------------------------------------------

void Button::Place(int cx, int cy, int image) {
  ImageSize(image, &width, &height);
  x = cx - width / 2;
  y = cy - height / 2;
}

std::shared_ptr<Button> Button::Create(int x, int y, int imageId, Callback onClick) {
  return Make<Button>(x, y, imageId, std::move(onClick));
}

std::shared_ptr<Button> Button::CreateWithCaption(int x, int y, const std::string& caption,
                                                  Callback onClick) {
  auto b = Create(x, y, kButtonFaceImage, std::move(onClick));
  b->caption = caption;
  return b;
}

void Button::DrawCaption() const {
  if (caption.empty()) return;
  const float s = static_cast<float>(scale.Value());
  FontList::UseFont(kCaptionFont);
  SetDrawScale(1.0f, 1.0f);
  const int tw = TextWidthOf(caption);
  const int th = TextHeightOf(caption);
  SetDrawScale(s, s);
  SetDrawColour(0, 0, 0);
  DrawTextAt(caption, x + (width - s * tw) / 2.0f, y + (height - s * th) / 2.0f);
}

void Button::Draw() {
  SetBlendMode(kBlendAlpha);
  SetDrawAlpha(static_cast<float>(alpha.Value()));
  ApplyLook();
  ApplyFaceColour();
  ImageList::DrawImage(imageId, x + width / 2, y + height / 2);
  DrawCaption();
}

// ---- ClickButton --------------------------------------------------------------

std::shared_ptr<ClickButton> ClickButton::Create(int x, int y, int imageId, Callback onClick) {
  return Make<ClickButton>(x, y, imageId, std::move(onClick));
}

std::shared_ptr<ClickButton> ClickButton::CreateWithCaption(int x, int y,
                                                            const std::string& caption,
                                                            Callback onClick) {
  auto b = Create(x, y, kButtonFaceImage, std::move(onClick));
  b->caption = caption;
  return b;
}

void ClickButton::ApplyDisabledLook() {
  // The single-precision 0.84 exactly, as the shrinking stops on its target.
  if (scale.current == 0.84f) pressedLatch = 1;
  if (pressedLatch) {
    scale.SetTarget(1.0f, 0.02f);
    brightness.SetTarget(255.0f, 4.0f);
  } else {
    ButtonBase::ApplyDisabledLook();
  }
}

void ClickButton::Draw() {
  if (solidBlend) {
    SetBlendMode(kBlendSolid);
  } else {
    SetBlendMode(kBlendAlpha);
    SetDrawAlpha(static_cast<float>(alpha.Value()));
  }
  ApplyLook();
  ApplyFaceColour();
  ImageList::DrawImage(imageId, x + width / 2, y + height / 2);
  DrawCaption();
}

// ---- AnimatedButton -----------------------------------------------------------

std::shared_ptr<AnimatedButton> AnimatedButton::Create(int x, int y, int animationId,
                                                       Callback onClick) {
  auto b = std::make_shared<AnimatedButton>();
  b->animation = AnimationList::NewAnimation(animationId);
  if (b->animation) {
    const int image = b->animation->CurrentImage();
    if (image != 0) ImageSize(image, &b->width, &b->height);
    b->x = x - b->width / 2;
    b->y = y - b->height / 2;
    b->animation->Update(static_cast<float>(RandomInt(0, 100)));
  }
  b->onClick = std::move(onClick);
  return b;
}

void AnimatedButton::UpdateExtra(float dt) {
  if (animation) animation->Update(dt);
}

void AnimatedButton::Draw() {
  SetBlendMode(kBlendAlpha);
  SetDrawAlpha(static_cast<float>(alpha.Value()));
  ApplyLook();
  ApplyFaceColour();
  if (animation) {
    const int image = animation->CurrentImage();
    if (image != 0) ImageList::DrawImage(image, x + width / 2, y + height / 2);
  }
}
