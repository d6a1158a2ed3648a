#include "level/particle.h"

#include "data/font_list.h"
#include "data/image_list.h"
#include "platform/services.h"

namespace {
std::vector<std::unique_ptr<Particle>>& List() {
  static std::vector<std::unique_ptr<Particle>> list;
  return list;
}
}  // namespace

int Particle::Update(float dt) {
  age += dt;
  if (age >= static_cast<float>(delay + duration)) return 0;
  if (speed > 0) {
    const float step = speed * dt / 10.0f;
    x += CosDeg(direction) * step;
    y += SinDeg(direction) * step;
  }
  if (acceleration == 0) return 1;
  speed += acceleration * dt;
  if (speed < 0) {
    speed = 0;
  } else if (maxSpeed != 0 && speed > maxSpeed) {
    speed = maxSpeed;
  }
  return 1;
}

float Particle::Phase() const {
  // A particle without a duration is over at its first update; until then it
  // counts as just visible.
  if (duration <= 0) return 0.0f;
  return 180.0f / static_cast<float>(duration) * (age - static_cast<float>(delay));
}

float Particle::Opacity() const {
  const float p = Phase();
  switch (alphaMode) {
    case kAlphaConstant: return alpha1;
    case kAlphaPulse: return alpha0 + SinDeg(p) * (alpha1 - alpha0);
    case kAlphaFadeOut: return alpha1 - SinDeg(p / 2) * (alpha1 - alpha0);
    default: return 0.0f;
  }
}

float Particle::Scale() const {
  const float p = Phase();
  switch (scaleMode) {
    case kScaleConstant: return scale1;
    case kScalePulse: return scale0 + SinDeg(p) * (scale1 - scale0);
    case kScaleShrink: return scale1 - SinDeg(p / 2) * (scale1 - scale0);
    case kScaleGrow: return scale0 + SinDeg(p / 2) * (scale1 - scale0);
    default: return 0.0f;
  }
}

void Particle::Draw() {
  if (age < static_cast<float>(delay)) return;
  const float a = Opacity(), s = Scale();
  SetDrawColour(255, 255, 255);
  SetBlendMode(kBlendLight);
  SetDrawScale(s, s);
  SetDrawAlpha(a);
  if (imageId != 0) {
    ImageList::DrawImage(imageId, TruncToInt(x), TruncToInt(y));
  } else {
    SetDrawColour(0, 0, 0);
    DrawOvalAt(x, y, 16, 16);
  }
}

// Centred on the particle and scaled about its centre, with a dark shadow one
// pixel down and right under a light face.
void TextParticle::Draw() {
  if (age < static_cast<float>(delay)) return;
  const float a = Opacity(), s = Scale();
  SetDrawAlpha(a);
  if (fontId != 0 && !text.empty()) {
    FontList::UseFont(fontId);
    SetDrawScale(1.0f, 1.0f);
    const float w = TextWidthOf(text) * s;
    const float h = TextHeightOf(text) * s;
    SetDrawScale(s, s);
    SetBlendMode(kBlendAlpha);
    SetDrawColour(0, 0, 0);
    DrawTextAt(text, x - w / 2 + 1, y - h / 2 + 1);
    SetBlendMode(kBlendLight);
    SetDrawColour(255, 255, 255);
    DrawTextAt(text, x - w / 2, y - h / 2);
  } else {
    SetDrawScale(s, s);
    SetDrawColour(0, 0, 0);
    DrawOvalAt(x, y, 16, 16);
  }
}

void ParticleList::Clear() { List().clear(); }

void ParticleList::Add(std::unique_ptr<Particle> particle) {
  if (!particle) return;
  if (List().size() < kParticleCapacity || particle->important) List().push_back(std::move(particle));
}

void ParticleList::UpdateAll(float dt) {
  auto& list = List();
  size_t kept = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i]->Update(dt)) {
      if (kept != i) list[kept] = std::move(list[i]);
      ++kept;
    }
  }
  list.resize(kept);
}

void ParticleList::DrawAll() {
  for (auto& p : List()) p->Draw();
}

const std::vector<std::unique_ptr<Particle>>& ParticleList::Particles() { return List(); }
