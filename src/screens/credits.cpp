#include "screens/credits.h"

#include <algorithm>

#include "app/globals.h"
#include "data/audio_list.h"
#include "data/font_list.h"
#include "data/image_list.h"
#include "platform/services.h"
#include "screens/title.h"
#include "ui/gui.h"

namespace {

const std::array<std::string, kCreditsLineCount> kCreditsText = {
    "Congratulations!",
    "",
    "You have brought your sheep all the way to Meadowmere,",
    "and received first prize in the sheep-jumping competition!",
    "",
    "In your travels you have fought off hungry wolves, avoided menacing",
    "eagles, thwarted bothersome bandits and made sure that your",
    "stubborn sheep behave.",
    "",
    "In short: you have proven yourself to be the best shepherd",
    "for miles and miles!",
    "",
    "Thank you for playing Fleecewick!",
    "",
    "",
    "",
    "Credits",
    "",
    "Programming: Tobias Wrenfield",
    "",
    "Art: Marit Holloway",
    "",
    "Sound: Jonas Pellmann",
    "",
    "GUI and additional art: Ada Fenwick",
    "",
    "Playtesting: Lena Hartley, Oskar Brandvik, Mia Thorne,",
    "Rufus Dale and Nora Vance",
    "",
    "",
    "And special thanks to you for playing the game!",
    "",
    "",
    "The End",
};

}  // namespace

// ---- ParadeSheep ----------------------------------------------------------

void ParadeSheep::Draw() const {
  if (!animation) return;
  const int image = animation->CurrentImage();
  const int mirrored = direction > 90 && direction < 270 ? 1 : 0;
  if (image > 0) ImageList::DrawWithShadow(image, TruncToInt(x), TruncToInt(y), mirrored, 0);
}

int ParadeSheep::DrawOrderCompare(const ParadeSheep& other) const {
  if (&other == this) return 0;
  return other.y >= y ? -1 : 1;
}

// ---- Credits --------------------------------------------------------------

Credits* Credits::Create() {
  auto screen = std::make_unique<Credits>();
  screen->lines = kCreditsText;
  GUI::Clear();
  FadeTintTo(255.0f, 50);
  for (int i = 0; i < kParadeSize; ++i) {
    screen->SpawnSheep(i);
    screen->sheep[i].x -= static_cast<float>(RandomInt(0, 350));
  }
  screen->musicFade = Interpolation::Create(0.0f);
  screen->musicFade.SetTargetIn(0.5f, 100);
  AudioList::PlayMusic(kCreditsMusic, 0.0f, static_cast<float>(screen->musicFade.Value()));
  Credits* raw = screen.get();
  CurrentScreen.Replace(std::move(screen));
  return raw;
}

void Credits::SpawnSheep(int index) {
  ParadeSheep& s = sheep[index];
  s = ParadeSheep();
  s.animation = AnimationList::NewAnimation(kParadeAnimations[RandomInt(0, 2)]);
  s.direction = 0;
  s.speed = RandomFloat(2.5f, 5.5f);
  s.x = -64.0f;
  s.y = static_cast<float>(RandomInt(250, 550));
}

void Credits::StartClosing() {
  ending = 1;
  FadeTintTo(0.0f, kCreditsClosingTicks);
  musicFade.SetTargetIn(0.0f, kCreditsClosingTicks);
}

void Credits::Suspend() { AudioList::PauseSound(kCreditsMusic); }
void Credits::Resume() { AudioList::ResumeSound(kCreditsMusic); }

void Credits::Update(float step) {
  if (!AppActive) return;
  if ((IsKeyDown(kKeyEscape) || PointerDown == 1) && ending == 0) StartClosing();
  if (ending == 1 && TintRed.Value() == 0.0) {
    AudioList::StopSound(kCreditsMusic);
    Title::Create();
    return;
  }
  scroll += step;
  musicFade.Update(step);
  AudioList::AdjustSound(kCreditsMusic, static_cast<float>(musicFade.Value()), 0.0f);
  for (int i = 0; i < kParadeSize; ++i) {
    ParadeSheep& s = sheep[i];
    if (s.animation) s.animation->Update(step);
    s.x += CosDeg(static_cast<float>(s.direction)) * s.speed * step / 10.0f;
    if (s.x > ScreenWidth + 64) SpawnSheep(i);
  }
  // Lower sheep overlap higher ones.  Sheep on one row compare as "first"
  // both ways, so the sort is given the strict order that this implies.
  std::stable_sort(sheep.begin(), sheep.end(), [](const ParadeSheep& a, const ParadeSheep& b) {
    return a.DrawOrderCompare(b) < 0 && b.DrawOrderCompare(a) > 0;
  });
  GUI::UpdateAll(step);
}

void Credits::Draw() {
  if (!AppActive) return;
  ClearScreen();
  ApplyTint();
  SetBlendMode(kBlendSolid);
  SetDrawScale(1.0f, 1.0f);
  ImageList::DrawImage(kCreditsBackdropImage, ScreenWidth / 2, ScreenHeight / 2);

  SetBlendMode(kBlendAlpha);
  int x = TruncToInt(1600 - FloatRemainder(scroll / 10 + 400, 1600));
  SetDrawAlpha(0.5f);
  SetDrawScale(1.2f, 1.2f);
  ImageList::DrawImage(kCreditsLayerImage, x - 400, 64);
  x = TruncToInt(1600 - FloatRemainder(scroll / 16, 1600));
  SetDrawAlpha(0.4f);
  SetDrawScale(1.3f, 1.3f);
  ImageList::DrawImage(kCreditsLayerImage, x - 400, 56);

  for (const ParadeSheep& s : sheep) s.Draw();

  FontList::UseFont(kCreditsFont);
  SetDrawColour(0, 0, 0);
  SetDrawAlpha(1.0f);
  SetDrawScale(1.0f, 1.0f);
  int y = TruncToInt(ScreenHeight - scroll / 6);
  const int h = TextHeightOf(lines[0]);
  for (int i = 0; y < ScreenHeight && i < kCreditsLineCount; ++i) {
    if (y > -h) DrawTextAt(lines[i], static_cast<float>((ScreenWidth - TextWidthOf(lines[i])) / 2),
                           static_cast<float>(y));
    y += h;
  }
  if (y < 0 && ending == 0) StartClosing();
}
