// The controls and their registry: one click per press, hover looks and
// sounds, self-removal at alpha 0, the click button's press latch, the slider
// drag, the text button's width, the toggle's mark and the key names.
#include <gtest/gtest.h>

#include "ui/key_names.h"
#include "ui/slider_control.h"
#include "ui/text_button.h"
#include "ui/toggle_button.h"
#include "ui_fixture.h"

namespace {
using Call = HeadlessBackend::DrawCall;

// The image draws of the frame being built, in order.
std::vector<Call> ImageDraws(const HeadlessBackend& b) {
  std::vector<Call> draws;
  for (const Call& c : b.FrameCalls()) {
    if (c.kind == Call::kImage) draws.push_back(c);
  }
  return draws;
}
}  // namespace

TEST_F(UiTest, ButtonsAreSizedByTheirImageAndCentred) {
  auto b = Button::CreateWithCaption(400, 300, "Play", nullptr);
  EXPECT_EQ(b->x, 320);
  EXPECT_EQ(b->y, 278);
  EXPECT_EQ(b->width, 160);
  EXPECT_EQ(b->height, 44);
  EXPECT_EQ(b->imageId, 16);
  auto odd = ClickButton::Create(0, 0, 3033, nullptr);  // 20 by 28
  EXPECT_EQ(odd->x, -10);
  EXPECT_EQ(odd->y, -14);
  auto none = Button::Create(50, 50, 9999, nullptr);
  EXPECT_EQ(none->width, 0) << "an unknown image gives an empty rectangle";
  EXPECT_EQ(none->IsPointerOver(), 0);
}

TEST_F(UiTest, OnePressClicksAtMostOneControl) {
  int first = 0, second = 0;
  auto a = Button::Create(400, 300, 16, [&] { ++first; });
  auto b = AnimatedButton::Create(400, 300, 0, [&] { ++second; });
  b->x = a->x;
  b->y = a->y;
  b->width = a->width;
  b->height = a->height;
  GUI::Add(a);
  GUI::Add(b);
  PointAt(400, 300);
  Frame();  // a pass without the button: both become ready
  PointerDown = 1;
  Frame();
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 0) << "the press went to the first control in the list";
  EXPECT_EQ(PointerDown, 0) << "a button consumes the press";
  EXPECT_EQ(PointerArmed, 0);
  EXPECT_EQ(a->enabled, 0) << "a click disables the control";
  EXPECT_TRUE(Played(kClickSound));

  // Held on: the main loop reports the held button as down again; the click
  // is still used up until the button is seen up.
  PointerDown = 1;
  Frame();
  EXPECT_EQ(second, 0);
  PointerDown = 0;
  Frame();
  PointerDown = 1;
  Frame();
  EXPECT_EQ(second, 1) << "a new press reaches the next control";
  EXPECT_EQ(PointerDown, 1) << "an animated button leaves the press alone";
  EXPECT_EQ(first, 1);
}

TEST_F(UiTest, HoldingOutsideThenMovingOntoAControlClicksIt) {
  int clicks = 0;
  GUI::Add(Button::Create(400, 300, 16, [&] { ++clicks; }));
  PointAt(10, 10);
  PointerDown = 1;
  Frame();
  Frame();
  EXPECT_EQ(clicks, 0);
  PointAt(400, 300);
  Frame();
  EXPECT_EQ(clicks, 1) << "nothing had consumed the press";
}

TEST_F(UiTest, WithoutACallbackAControlHoversButNeverClicks) {
  auto b = Button::Create(400, 300, 16, nullptr);
  GUI::Add(b);
  PointAt(400, 300);
  PointerDown = 1;
  for (int i = 0; i < 10; ++i) Frame();
  EXPECT_EQ(b->enabled, 1);
  EXPECT_EQ(ClickReady, 1);
  EXPECT_EQ(PointerDown, 1);
  EXPECT_FALSE(Played(kClickSound));
  EXPECT_FLOAT_EQ(b->scale.target, 1.0f) << "the hover look";
  EXPECT_FLOAT_EQ(b->brightness.target, 255.0f);
}

TEST_F(UiTest, HoverSoundNeedsThePointerToLeaveOnceAndReadyGatesTheLook) {
  auto b = Button::Create(400, 300, 16, [] {});
  GUI::Add(b);
  PointAt(400, 300);
  backend->ClearScreen();
  GUI::DrawAll();  // drawn before any input pass: not ready, so no hover look
  EXPECT_FLOAT_EQ(b->scale.target, 0.94f);
  EXPECT_EQ(b->hoverSoundArmed, 1) << "a draw without hover arms the sound";
  b->hoverSoundArmed = 0;  // as made under the pointer and drawn hovered at once
  Frame();
  EXPECT_FLOAT_EQ(b->scale.target, 1.0f);
  EXPECT_FALSE(Played(kHoverSound)) << "created under the pointer: no hover sound";
  PointAt(10, 10);
  Frame();
  EXPECT_FALSE(Played(kHoverSound));
  PointAt(400, 300);
  Frame();
  EXPECT_TRUE(Played(kHoverSound)) << "the pointer came back";
  Frame();
  EXPECT_FALSE(Played(kHoverSound)) << "once per entry";
}

TEST_F(UiTest, AlphaZeroRemovesTheControlOnTheSameUpdate) {
  int clicks = 0;
  auto fading = Button::Create(400, 300, 16, [&] { ++clicks; });
  auto rising = ClickButton::Create(100, 100, 16, nullptr);
  rising->alpha.current = 0.0f;
  rising->alpha.SetTargetIn(1.0f, 10);
  rising->solidBlend = 1;
  GUI::Add(fading);
  GUI::Add(rising);
  fading->alpha.SetTargetIn(0.0f, 3);
  PointAt(400, 300);
  Frame();
  Frame();
  EXPECT_EQ(GUI::Controls().size(), 2u);
  EXPECT_EQ(rising->inGui, true) << "alpha starting at 0 survives its first update";
  // The solid click button ignores its low alpha.
  std::vector<Call> draws = ImageDraws(*backend);
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[1].state.blend, kBlendSolid);
  PointerDown = 1;
  Frame();
  EXPECT_FALSE(fading->inGui);
  EXPECT_EQ(clicks, 0) << "gone on the update that reached 0: never clicked";
  EXPECT_EQ(ImageDraws(*backend).size(), 1u) << "nor drawn";
  rising->alpha.SetTargetIn(0.0f, 1);
  Frame();
  EXPECT_TRUE(GUI::Controls().empty()) << "a solid button still leaves at alpha 0";
}

TEST_F(UiTest, ClickButtonShrinksToTheLatchThenSpringsBack) {
  auto b = ClickButton::Create(400, 300, 16, [] {});
  GUI::Add(b);
  PointAt(400, 300);
  Frame();
  PointerDown = 1;
  Frame();
  ASSERT_EQ(b->enabled, 0);
  int frames = 0;
  while (b->pressedLatch == 0 && frames < 100) {
    Frame();
    ++frames;
    if (b->pressedLatch == 0) {
      EXPECT_FLOAT_EQ(b->scale.target, 0.84f);
      EXPECT_FLOAT_EQ(b->brightness.target, 128.0f);
    }
  }
  ASSERT_EQ(b->pressedLatch, 1) << "latched once the scale reached 0.84 exactly";
  EXPECT_FLOAT_EQ(b->scale.current, 0.84f);
  for (int i = 0; i < 100; ++i) Frame();
  EXPECT_FLOAT_EQ(b->scale.current, 1.0f) << "sprang back while disabled";
  EXPECT_FLOAT_EQ(b->brightness.current, 255.0f);
  EXPECT_EQ(b->enabled, 0);

  // A plain button stays shrunk and dark.
  auto plain = Button::Create(100, 100, 16, [] {});
  plain->enabled = 0;
  GUI::Add(plain);
  for (int i = 0; i < 100; ++i) Frame();
  EXPECT_FLOAT_EQ(plain->scale.current, 0.84f);
  EXPECT_FLOAT_EQ(plain->brightness.current, 128.0f);
}

TEST_F(UiTest, SliderFollowsTheHeldPointerAndPlaysTheClickOncePerPress) {
  auto s = SliderControl::Create(500, 122);
  EXPECT_EQ(s->width, 130);
  EXPECT_EQ(s->height, 5) << "a quarter of the track's height";
  EXPECT_EQ(s->x, 435);
  EXPECT_EQ(s->y, 122 - 20 / 8);
  GUI::Add(s);
  const int y = s->y + 1;
  struct Case {
    int dx;
    float value;
  };
  PointAt(s->x + 5, y);
  Frame();
  PointerDown = 1;
  bool first = true;
  for (const Case& c : {Case{5, 0.0f}, Case{20, 0.0f}, Case{65, 0.5f}, Case{110, 1.0f},
                        Case{129, 1.0f}, Case{21, 1.0f / 90}}) {
    PointAt(s->x + c.dx, y);
    Frame();
    EXPECT_FLOAT_EQ(s->value, c.value) << c.dx;
    EXPECT_EQ(Played(kClickSound), first) << "the click plays at the start of the press only";
    first = false;
  }
  EXPECT_EQ(ClickReady, 1) << "the slider leaves the press for the others";
  EXPECT_EQ(PointerDown, 1);

  // Off the band the knob stays; back on it, the drag resumes with a click.
  PointAt(s->x + 100, y + 10);
  Frame();
  EXPECT_FLOAT_EQ(s->value, 1.0f / 90);
  PointAt(s->x + 100, y);
  Frame();
  EXPECT_FLOAT_EQ(s->value, 80.0f / 90);
  EXPECT_TRUE(Played(kClickSound));

  // The knob: 44 left of the track's centre at 0, 46 right of it at 1.
  for (float v : {0.0f, 1.0f}) {
    s->value = v;
    backend->ClearScreen();
    GUI::DrawAll();
    std::vector<Call> draws = ImageDraws(*backend);
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_FLOAT_EQ(draws[0].x, 500);
    EXPECT_FLOAT_EQ(draws[1].x, v == 0.0f ? 456 : 546);
  }
}

TEST_F(UiTest, TextButtonIsAtLeast64WideAndToggleDrawsItsMark) {
  auto shortOne = TextButton::Create(10, 20, "OK", nullptr);  // 16 wide in the 8 by 16 font
  EXPECT_EQ(shortOne->width, 64);
  EXPECT_EQ(shortOne->height, 16);
  EXPECT_EQ(shortOne->x, 10) << "placed by its top-left corner";
  auto longOne = TextButton::Create(0, 0, "Cursor Right and more", nullptr);
  EXPECT_EQ(longOne->width, 21 * 8);
  PointAt(60, 25);
  EXPECT_EQ(shortOne->IsPointerOver(), 1) << "the hit rectangle is 64 wide";

  auto t = ToggleButton::Create(500, 186, 3006, nullptr);
  t->markX = t->x + 20;
  t->markY = t->y + 12;
  GUI::Add(t);
  Frame();
  EXPECT_EQ(ImageDraws(*backend).size(), 1u) << "mark 0 draws only the face";
  t->markImageId = 3032;
  Frame();
  std::vector<Call> draws = ImageDraws(*backend);
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_FLOAT_EQ(draws[1].x, 500);
  EXPECT_FLOAT_EQ(draws[1].y, 186);
  EXPECT_EQ(draws[1].state.r, draws[0].state.r) << "the mark takes the face's colour";
  EXPECT_FLOAT_EQ(draws[1].state.scaleX, draws[0].state.scaleX);
}

TEST(KeyNames, TableAndUndefinedCodes) {
  struct Case {
    int code;
    const char* name;
  };
  for (const Case& c : {Case{37, "Cursor Left"}, Case{32, "Space"}, Case{65, "A"},
                        Case{57, "9"}, Case{105, "Numpad 9"}, Case{123, "F12"},
                        Case{165, "Alt Gr"}, Case{192, "Tilde"}, Case{222, "\""},
                        Case{226, "\\"}, Case{0, "(Undefined key name)"},
                        Case{255, "(Undefined key name)"}, Case{-1, "(Undefined key name)"},
                        Case{248, "(Undefined key name)"}, Case{108, "(Undefined key name)"}}) {
    EXPECT_EQ(KeyName(c.code), c.name) << c.code;
  }
}
