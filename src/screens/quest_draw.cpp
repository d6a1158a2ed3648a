// Drawing of the quest map: the picture and its moving overlay, the dog's
// statistics, the quest name, the level and token panels and the pointer.
#include <vector>

#include "app/globals.h"
#include "data/image_list.h"
#include "level/particle.h"
#include "persist/profile.h"
#include "platform/services.h"
#include "screens/quest.h"
#include "ui/gui.h"
#include "ui/message_list.h"
#include "ui/panels.h"

namespace {

// The heights at which one column of falling tiles is drawn when the drift
// timer stands at t (0 to 384): four tiles 256 apart that move down 2 pixels
// a tick, each drawn twice while it wraps around.
std::vector<int> FallingTileRows(float t) {
  std::vector<int> rows{TruncToInt(2 * t)};
  if (t >= 320) rows.push_back(TruncToInt(2 * t - 768));
  if (t >= 236) {
    rows.push_back(TruncToInt(2 * t - 512));
  } else {
    rows.push_back(TruncToInt(2 * t + 256));
    rows.push_back(TruncToInt(2 * t - 512));
  }
  if (t >= 108) {
    rows.push_back(TruncToInt(2 * t - 256));
  } else {
    rows.push_back(TruncToInt(2 * t + 512));
    rows.push_back(TruncToInt(2 * t - 256));
  }
  return rows;
}

}  // namespace

void Quest::Draw() {
  if (!AppActive) return;
  ApplyTint();
  SetBlendMode(kBlendSolid);
  SetDrawScale(1.0f, 1.0f);
  ImageList::DrawImage(CurrentQuestImage, ScreenWidth / 2, ScreenHeight / 2);
  DrawOverlay();
  DrawDogStatistics();
  DrawPanelAt(CurrentQuestName, "", 1.0f,
              (ScreenWidth - PanelWidth(CurrentQuestName, "")) / 2 - 32, 8, 0, 1);
  MessageList::Draw();
  ParticleList::DrawAll();
  GUI::DrawAll();
  DrawLevelPanels();
  DrawTokenPanels();
  SetDrawColour(255, 255, 255);
  SetDrawScale(1.0f, 1.0f);
  SetBlendMode(kBlendAlpha);
  SetDrawAlpha(1.0f);
  ImageList::DrawImage(kPointerImage, PointerX + 6, PointerY + 6);
}

void Quest::DrawOverlay() const {
  SetBlendMode(kBlendAlpha);
  const float t = driftTimer;
  if (CurrentQuestImage == kSnowMapImage) {
    SetDrawAlpha(0.8f);
    const std::vector<int> rows = FallingTileRows(t);
    for (int i = 0; i < 4; ++i) {
      int cx = TruncToInt(256.0f * i - columnTimer / 2);
      if (cx < -128) cx += 1024;
      for (int y : rows) ImageList::DrawImage(kFallingTileImage, cx, y);
    }
  } else {
    SetDrawAlpha(0.4f);
    ImageList::DrawImage(kDriftImage, TruncToInt(ScreenWidth / 2 - t / 4), ScreenHeight / 4);
    ImageList::DrawImage(kDriftImage, TruncToInt(800 - t / 4 + ScreenWidth / 2), ScreenHeight / 4);
  }
}

void Quest::DrawDogStatistics() {
  // The blanks and the empty line leave room for the portrait and the bars.
  DrawPanelAt("Dog Statistics", "                     ||Speed:|Range:", 0.7f, 8, 8, 0, 1);
  ApplyTint();
  SetBlendMode(kBlendAlpha);
  SetDrawAlpha(1.0f);
  SetDrawScale(1.0f, 1.0f);
  ImageList::DrawImage(kDogPortraitImage, 110, 100);
  SetDrawAlpha(0.5f);
  ApplyTint(0.25);
  ImageList::DrawImage(kStatisticsBarImage, 150, 146);
  ImageList::DrawImage(kStatisticsBarImage, 150, 174);
  SetDrawAlpha(1.0f);
  ApplyTint();
  SetViewportRect(100, 100, TruncToInt(Profile::SpeedLevel / 9.0 * 104), 100);
  ImageList::DrawImage(kStatisticsBarImage, 150, 146);
  SetViewportRect(100, 124, TruncToInt(Profile::RangeLevel / 9.0 * 104), 100);
  ImageList::DrawImage(kStatisticsBarImage, 150, 174);
  SetViewportRect(0, 0, ScreenWidth, ScreenHeight);
}

void Quest::DrawLevelPanels() {
  for (const LevelInfo& level : QuestLevels) {
    const float alpha = static_cast<float>(level.infoAlpha.Value());
    if (!(alpha > 0.0f)) continue;
    ApplyTint();
    SetBlendMode(kBlendAlpha);
    SetDrawScale(1.0f, 1.0f);
    std::string title, text;
    LevelPanelText(level, &title, &text);
    const int h = PanelHeight(title, text);
    int px, py;
    PlaceLevelPanel(level, PanelWidth(title, text), h, &px, &py);
    DrawPanelAt(title, text, alpha, px, py, 0, 1);
    if (level.secret > 0 || !level.unlocked) continue;
    const ProfileLevel* entry = Profile::FindLevel(level.id);
    if (!entry || entry->rank <= 0) continue;
    SetBlendMode(kBlendAlpha);
    SetDrawAlpha(alpha);
    SetDrawScale(1.0f, 1.0f);
    for (int k = 0; k < entry->rank; ++k) {
      const double f = 0.68 + 0.08 * k;
      SetDrawColour(TruncToInt(TintRed.Value()), TruncToInt(TintGreen.Value() * f),
                    TruncToInt(TintBlue.Value() * f));
      ImageList::DrawImage(kTokenImage, px + 90 + 21 * k, py + h - 38);
    }
  }
}

void Quest::DrawTokenPanels() {
  const int total = Profile::GetTotalTokens();
  if (total < LastStageTokens) {
    const std::string text = "Total collected tokens: " + IntToText(total) +
                             "|To unlock last stage: " + IntToText(LastStageTokens);
    DrawPanelAt("", text, 1.0f, ScreenWidth - PanelWidth("", text) - 8, 8, 0, 1);
  }
  // The leading blanks leave room for the token picture.
  DrawPanelAt("", "    : " + IntToText(Profile::GetSpendableTokens()), 1.0f, 32, 500, 0, 1);
  ApplyTint();
  SetBlendMode(kBlendAlpha);
  SetDrawAlpha(1.0f);
  SetDrawScale(1.0f, 1.0f);
  ImageList::DrawImage(kTokenImage, 64, 538);
}
