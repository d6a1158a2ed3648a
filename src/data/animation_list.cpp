#include "data/animation_list.h"

namespace {

std::vector<Animation>& Registry() {
  static std::vector<Animation> templates;
  return templates;
}

Animation* FindTemplate(int animId) {
  for (Animation& a : Registry()) {
    if (a.animId == animId) return &a;
  }
  return nullptr;
}

}  // namespace

std::shared_ptr<Frame> Frame::Copy() const { return std::make_shared<Frame>(*this); }

int Animation::IsFinished() const {
  return frames.empty() || elapsed >= static_cast<float>(totalTicks) ? 1 : 0;
}

int Animation::CurrentImage() const {
  float t = elapsed;
  for (const auto& frame : frames) {
    if (static_cast<float>(frame->ticks) > t) return frame->imageId;
    t -= static_cast<float>(frame->ticks);
  }
  return kNoAnimationImage;
}

std::unique_ptr<Animation> Animation::Copy() const { return std::make_unique<Animation>(*this); }

void Animation::Update(float step) {
  elapsed += step;
  // A looping animation without length would never leave the wrap-around.
  if (looping != 1 || totalTicks <= 0) return;
  while (elapsed >= static_cast<float>(totalTicks)) elapsed -= static_cast<float>(totalTicks);
}

void AnimationList::AddFrame(int animId, int imageId, int ticks) {
  auto frame = std::make_shared<Frame>();
  frame->imageId = imageId;
  frame->ticks = ticks;
  if (Animation* a = FindTemplate(animId)) {
    a->frames.push_back(std::move(frame));
    a->totalTicks += ticks;
    return;
  }
  Animation a;
  a.animId = animId;
  a.totalTicks = ticks;
  a.looping = 0;
  a.elapsed = 0.0f;
  a.frames.push_back(std::move(frame));
  Registry().push_back(std::move(a));
}

void AnimationList::SetLooping(int animId, int flag) {
  if (Animation* a = FindTemplate(animId)) a->looping = flag;
}

std::unique_ptr<Animation> AnimationList::NewAnimation(int animId) {
  const Animation* a = FindTemplate(animId);
  return a != nullptr ? a->Copy() : nullptr;
}

const std::vector<Animation>& AnimationList::Templates() { return Registry(); }

void AnimationList::Reset() { Registry().clear(); }
