// Short-lived visual effects: dust, sparkles, glows and floating texts such as
// scores.  Each moves in a straight line and follows fixed opacity and size
// curves over its life; all live ones sit in one ordered list that the
// current screen updates and draws once a frame.
#pragma once

#include <memory>
#include <string>
#include <vector>

// Opacity curves (alphaMode).
constexpr int kAlphaConstant = 0;     // alpha1
constexpr int kAlphaPulse = 1;        // alpha0 -> alpha1 at mid-life -> alpha0
constexpr int kAlphaFadeOut = 2;      // alpha1 -> alpha0, fast at first
// Size curves (scaleMode).
constexpr int kScaleConstant = 0;     // scale1
constexpr int kScalePulse = 1;        // scale0 -> scale1 at mid-life -> scale0
constexpr int kScaleShrink = 2;       // scale1 -> scale0
constexpr int kScaleGrow = 3;         // scale0 -> scale1

// Ordinary particles the list holds at most; important ones always get in.
constexpr size_t kParticleCapacity = 224;

class Particle {
 public:
  float x = 0, y = 0;
  float direction = 0;  // degrees: 0 is +x, 90 down, 270 up
  float speed = 0;      // pixels per 10 ticks
  float maxSpeed = 0;   // 0: no limit
  float acceleration = 0;  // change of speed per tick
  int alphaMode = 0;
  float alpha0 = 0, alpha1 = 0;
  int scaleMode = 0;
  float scale0 = 0, scale1 = 0;
  int delay = 0;     // ticks before it is shown
  int duration = 0;  // ticks it is shown
  float age = 0;
  int imageId = 0;   // 0: none (drawn as a black oval)
  int important = 0;

  virtual ~Particle() = default;
  // 1 while the particle lives, 0 once its delay and duration are over.
  virtual int Update(float dt);
  virtual void Draw();

 protected:
  // The opacity and the scale at the particle's present age.
  float Opacity() const;
  float Scale() const;
  // The life phase in degrees: 0 when it becomes visible, 180 at its end.
  float Phase() const;
};

class TextParticle : public Particle {
 public:
  int fontId = 0;
  std::string text;
  void Draw() override;
};

class ParticleList {
 public:
  static void Clear();
  // Appends, unless the list is full and the particle is not important.
  static void Add(std::unique_ptr<Particle> particle);
  // Updates in list order and drops, in the same pass, those that are over.
  static void UpdateAll(float dt);
  static void DrawAll();
  static const std::vector<std::unique_ptr<Particle>>& Particles();
};
