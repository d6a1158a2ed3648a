// Particles: the list's cap and its important exception, life and removal,
// motion with acceleration, the opacity and size curves, and their drawing.
#include "level/particle.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/headless_fixture.h"

namespace {
using Call = HeadlessBackend::DrawCall;

class Particles : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ParticleList::Clear();
  }
  void TearDown() override {
    ParticleList::Clear();
    HeadlessTest::TearDown();
  }
  static std::unique_ptr<Particle> Make(int delay, int duration, bool important = false) {
    auto p = std::make_unique<Particle>();
    p->delay = delay;
    p->duration = duration;
    p->important = important ? 1 : 0;
    p->alpha1 = 1;
    p->scale1 = 1;
    return p;
  }
  std::vector<Call> Drawn() {
    backend->ClearScreen();
    ParticleList::DrawAll();
    std::vector<Call> calls(backend->FrameCalls().begin() + 1, backend->FrameCalls().end());
    return calls;
  }
};
}  // namespace

TEST_F(Particles, TheListHoldsAtMost224OrdinaryParticles) {
  for (int i = 0; i < 230; ++i) ParticleList::Add(Make(0, 100));
  EXPECT_EQ(ParticleList::Particles().size(), 224u);
  ParticleList::Add(Make(0, 100, true));
  EXPECT_EQ(ParticleList::Particles().size(), 225u) << "an important one always gets in";
  ParticleList::Add(Make(0, 100));
  EXPECT_EQ(ParticleList::Particles().size(), 225u);
}

TEST_F(Particles, DelayThenDurationThenRemovalKeepingTheOrder) {
  ParticleList::Add(Make(30, 50));
  auto keeper = Make(0, 1000);
  keeper->imageId = 0;
  keeper->x = 7;
  ParticleList::Add(std::move(keeper));
  for (int t = 1; t <= 80; ++t) {
    ParticleList::UpdateAll(1.0f);
    const size_t expected = t < 80 ? 2u : 1u;
    ASSERT_EQ(ParticleList::Particles().size(), expected) << "tick " << t;
    if (t == 29) {
      EXPECT_EQ(Drawn().size(), 1u) << "invisible during its delay";
    }
    if (t == 30) {
      EXPECT_EQ(Drawn().size(), 2u) << "shown from its delay on";
    }
  }
  EXPECT_FLOAT_EQ(ParticleList::Particles()[0]->x, 7) << "the survivor keeps its place";
}

TEST_F(Particles, MotionAndAccelerationNeverGoBackwards) {
  Particle p;
  p.duration = 1000;
  p.direction = 90;
  p.speed = 1;
  p.acceleration = -0.1f;
  for (int t = 0; t < 10; ++t) EXPECT_EQ(p.Update(1.0f), 1);
  EXPECT_NEAR(p.speed, 0.0f, 1e-5f);
  const float stopped = p.y;
  EXPECT_NEAR(stopped, 0.55f, 1e-3f) << "1, 0.9, ... 0.1 tenths of a pixel";
  for (int t = 0; t < 50; ++t) p.Update(1.0f);
  EXPECT_EQ(p.speed, 0.0f) << "never negative";
  EXPECT_NEAR(p.y, stopped, 1e-4f);
  EXPECT_NEAR(p.x, 0.0f, 1e-4f);

  Particle fast;
  fast.duration = 100;
  fast.speed = 10;
  fast.acceleration = 1;
  fast.maxSpeed = 12;
  for (int t = 0; t < 5; ++t) fast.Update(1.0f);
  EXPECT_FLOAT_EQ(fast.speed, 12);
}

TEST_F(Particles, OpacityAndScaleCurves) {
  struct Case {
    int alphaMode, scaleMode;
    float at;  // share of the duration
    float alpha, scale;
  };
  // alpha 0.2 -> 1.0, scale 0.5 -> 3
  for (const Case& c : {Case{0, 0, 0.5f, 1.0f, 3.0f}, Case{1, 1, 0.0f, 0.2f, 0.5f},
                        Case{1, 1, 0.5f, 1.0f, 3.0f}, Case{2, 2, 0.0f, 1.0f, 3.0f},
                        Case{2, 2, 1.0f, 0.2f, 0.5f}, Case{2, 3, 0.0f, 1.0f, 0.5f},
                        Case{1, 3, 1.0f, 0.2f, 3.0f}, Case{5, 7, 0.5f, 0.0f, 0.0f}}) {
    auto p = std::make_unique<Particle>();
    p->imageId = 0;
    p->duration = 100;
    p->alphaMode = c.alphaMode;
    p->scaleMode = c.scaleMode;
    p->alpha0 = 0.2f;
    p->alpha1 = 1.0f;
    p->scale0 = 0.5f;
    p->scale1 = 3.0f;
    p->age = c.at * 100;
    ParticleList::Clear();
    ParticleList::Add(std::move(p));
    std::vector<Call> calls = Drawn();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_NEAR(calls[0].state.alpha, std::trunc(255 * c.alpha), 1) << c.alphaMode << " " << c.at;
    EXPECT_NEAR(calls[0].state.scaleX, c.scale, 1e-4) << c.scaleMode << " " << c.at;
    EXPECT_EQ(calls[0].kind, Call::kOval) << "no image: a black oval";
    EXPECT_EQ(calls[0].state.r, 0);
    EXPECT_EQ(calls[0].state.blend, kBlendLight);
  }
}

TEST_F(Particles, TextIsCentredWithAShadowAndAnEmptyTextIsAnOval) {
  auto t = std::make_unique<TextParticle>();
  t->fontId = 3;  // no fonts registered: the built-in 8 by 16 font
  t->text = "500";
  t->x = 100;
  t->y = 50;
  t->duration = 100;
  t->alpha1 = 1;
  t->scale1 = 2;
  t->important = 1;
  ParticleList::Add(std::move(t));
  auto empty = std::make_unique<TextParticle>();
  empty->fontId = 2;
  empty->duration = 100;
  empty->scale1 = 1;
  ParticleList::Add(std::move(empty));
  std::vector<Call> calls = Drawn();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].kind, Call::kText);
  EXPECT_FLOAT_EQ(calls[0].x, 100 - 24 + 1);  // 3 characters of 8 at scale 2
  EXPECT_FLOAT_EQ(calls[0].y, 50 - 16 + 1);
  EXPECT_EQ(calls[0].state.blend, kBlendAlpha);
  EXPECT_EQ(calls[0].state.r, 0);
  EXPECT_FLOAT_EQ(calls[1].x, 76);
  EXPECT_EQ(calls[1].state.blend, kBlendLight);
  EXPECT_EQ(calls[1].state.r, 255);
  EXPECT_EQ(calls[2].kind, Call::kOval);
}
