#include "app/boot_screen.h"

#include "app/globals.h"
#include "app/text_lines.h"
#include "platform/services.h"

BootScreen* BootScreen::Create() {
  auto screen = std::make_unique<BootScreen>();
  BootScreen* raw = screen.get();
  TintRed.current = TintGreen.current = TintBlue.current = 0.0f;
  TintRed.SetTargetIn(255.0f, 20);
  TintGreen.SetTargetIn(255.0f, 20);
  TintBlue.SetTargetIn(255.0f, 20);
  CurrentScreen.Replace(std::move(screen));
  return raw;
}

void BootScreen::Update(float step) {
  time_ += step;
  if (IsKeyDown(kKeyEscape)) AppRunning = 0;
}

namespace {
// Multiplies a colour component by the tint so the picture fades with it.
int Tinted(int component, const Interpolation& tint) {
  return TruncToInt(component * tint.Value() / 255.0);
}

void SetTintedColour(int r, int g, int b) {
  SetDrawColour(Tinted(r, TintRed), Tinted(g, TintGreen), Tinted(b, TintBlue));
}
}  // namespace

void BootScreen::Draw() {
  ClearScreen();
  SetBlendMode(kBlendSolid);
  SetDrawAlpha(1.0f);
  SetDrawScale(1.0f, 1.0f);
  SetViewportRect(0, 0, ScreenWidth, ScreenHeight);
  SetTintedColour(120, 184, 84);  // meadow
  DrawRectAt(0, 0, static_cast<float>(ScreenWidth), static_cast<float>(ScreenHeight));
  SetTintedColour(150, 206, 230);  // sky
  DrawRectAt(0, 0, static_cast<float>(ScreenWidth), 160);

  SetBlendMode(kBlendAlpha);
  for (int i = 0; i < 5; ++i) {
    float x = 140.0f + i * 130.0f;
    float y = 380.0f + (i % 2) * 60.0f + 3.0f * SinDeg(time_ * 6.0f + i * 70.0f);
    SetTintedColour(70, 110, 50);  // shadow
    DrawOvalAt(x - 30, y + 22, 64, 14);
    SetTintedColour(248, 246, 236);  // wool
    DrawOvalAt(x - 32, y - 20, 64, 44);
    SetTintedColour(60, 56, 60);  // face
    DrawOvalAt(x + 22, y - 14, 22, 20);
  }

  const std::string title = "Fleecewick";
  SetTintedColour(255, 255, 255);
  SetDrawScale(3.0f, 3.0f);
  DrawTextAt(title, static_cast<float>((ScreenWidth - 3 * TextWidthOf(title)) / 2), 40);
  SetDrawScale(1.0f, 1.0f);
  SetTintedColour(40, 60, 30);
  DrawTextLines(std::string(1, kCentreMark) + "Press Escape to leave", 0, ScreenHeight - 40,
                20, ScreenWidth);
}
