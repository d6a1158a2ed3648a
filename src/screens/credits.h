// The closing screen: the congratulation and the credits scroll up over a
// drifting backdrop while a parade of sheep walks across, until the text has
// passed or the player asks to leave; then the title screen follows.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "app/event.h"
#include "app/interpolation.h"
#include "data/animation_list.h"

constexpr int kCreditsBackdropImage = 32;
constexpr int kCreditsLayerImage = 48;
constexpr int kCreditsFont = 2;
constexpr int kCreditsMusic = 70;
// Walking animations of the three sheep breeds.
constexpr int kParadeAnimations[3] = {101, 501, 801};

constexpr int kParadeSize = 32;
constexpr int kCreditsLineCount = 34;
// Ticks of the closing fade of picture and music.
constexpr int kCreditsClosingTicks = 200;

// One walking sheep of the parade: it only walks right and animates, drawn
// with its ground shadow the way level characters are.
class ParadeSheep {
 public:
  float x = 0.0f, y = 0.0f;
  int direction = 0;
  float speed = 0.0f;  // pixels per 10 ticks
  std::unique_ptr<Animation> animation;

  void Draw() const;
  // Negative when this sheep is drawn before `other`: the higher one first.
  int DrawOrderCompare(const ParadeSheep& other) const;
};

class Credits : public Event {
 public:
  float scroll = 0.0f;  // ticks while the application was active
  int ending = 0;       // 1 once the closing fade has started
  Interpolation musicFade = Interpolation::Create(0.0f);
  std::array<ParadeSheep, kParadeSize> sheep;
  std::array<std::string, kCreditsLineCount> lines;

  void Update(float step) override;
  void Draw() override;
  void Suspend() override;
  void Resume() override;

  static Credits* Create();
  // A new sheep of a random breed, pace and row at the left edge.
  void SpawnSheep(int index);

 private:
  void StartClosing();
};
