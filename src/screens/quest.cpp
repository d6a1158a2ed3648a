#include "screens/quest.h"

#include "app/globals.h"
#include "app/logging.h"
#include "data/audio_list.h"
#include "data/xml_node.h"
#include "level/particle.h"
#include "persist/profile.h"
#include "platform/services.h"
#include "screens/pointer_sparkles.h"
#include "screens/title.h"
#include "ui/gui.h"
#include "ui/message_list.h"
#include "ui/panels.h"

std::string CurrentQuestFile;
std::string CurrentQuestName;
int CurrentQuestImage = 0;
int LevelMusicId = 0;
std::string LevelToPlay;

std::vector<LevelInfo> QuestLevels;
LevelInfo* NextLevel = nullptr;
int QuestState = 0;
float QuestCountdown = 0.0f;
int QuestMusicId = 0;
Interpolation QuestMusicFade = Interpolation::Create(0.0f);
std::shared_ptr<ClickButton> MenuButton;
std::shared_ptr<ClickButton> NextButton;
int UnlockLatch = 0;
int LastStageMessageId = 0;
int LastStageTokens = 0;

namespace {

constexpr int kFadeTicks = 50;

const std::string* Value(const xmlNode& node, const char* name) {
  const xmlAttribute* a = node.Attribute(name);
  return a ? &a->value : nullptr;
}

// Reads one "level" element; false when a required attribute is missing.
bool ReadLevel(const xmlNode& e, LevelInfo* level) {
  const std::string *id = Value(e, "id"), *name = Value(e, "name"),
                    *filename = Value(e, "filename"), *x = Value(e, "x"), *y = Value(e, "y");
  if (!id || !name || !filename || !x || !y) return false;
  level->id = TextToInt(*id);
  level->name = *name;
  level->filename = *filename;
  level->x = TextToInt(*x);
  level->y = TextToInt(*y);
  if (const std::string* info = Value(e, "info")) level->info = *info;
  if (const std::string* cost = Value(e, "cost")) {
    if (Profile::FindLevel(level->id)) {
      level->cost = 0;
      level->unlocked = 1;
    } else {
      level->cost = TextToInt(*cost);
      level->unlocked = 0;
    }
  }
  if (const std::string* s = Value(e, "secret")) {
    const int n = TextToInt(*s);
    level->secret = n > 0 && Profile::OwnsSecret(n) ? 0 : n;
  }
  if (const std::string* s = Value(e, "additional_secret")) {
    const int n = TextToInt(*s);
    level->additionalSecret = n > 0 && Profile::OwnsSecret(n) ? 0 : n;
  }
  return true;
}

bool SecretLocked(const LevelInfo& level) {
  return level.secret > 0 || level.additionalSecret > 0;
}

void SetMarkerAnimation(LevelInfo& level, int animation) {
  if (level.marker) level.marker->animation = AnimationList::NewAnimation(animation);
}

}  // namespace

void Quest::Reset() {
  CurrentQuestFile.clear();
  CurrentQuestName.clear();
  CurrentQuestImage = 0;
  LevelMusicId = 0;
  LevelToPlay.clear();
  QuestLevels.clear();
  NextLevel = nullptr;
  QuestState = 0;
  QuestCountdown = 0.0f;
  QuestMusicId = 0;
  QuestMusicFade = Interpolation::Create(0.0f);
  MenuButton = nullptr;
  NextButton = nullptr;
  UnlockLatch = 0;
  LastStageMessageId = 0;
  LastStageTokens = 0;
}

Quest* Quest::Create() {
  auto screen = std::make_unique<Quest>();
  LastStageMessageId = 0;
  LastStageTokens = 0;
  NextLevel = nullptr;
  if (!LoadQuestFile(CurrentQuestFile)) {
    ShowMessageBox("Error: '" + CurrentQuestFile + "' invalid!", 1);
    Log("# File '" + CurrentQuestFile + "' not valid!");
    EndProgram();
  }
  FadeTintTo(255.0f, kFadeTicks);
  CreateButtons();
  if (MessageList::IsActive()) MessageOnClose = AfterMessage;
  if (!MessageList::IsActive() && Profile::PreviousTotalTokens == 0 &&
      Profile::GetTotalTokens() > 0) {
    MessageList::Show(kFirstTokensMessage, AfterMessage);
  }
  if (!MessageList::IsActive()) CheckLastStage();
  if (!MessageList::IsActive()) CreateLevelMarkers(0);
  QuestState = kQuestOnMap;
  QuestCountdown = 0.0f;
  UnlockLatch = 0;
  QuestMusicFade = Interpolation::Create(0.0f);
  QuestMusicFade.SetTargetIn(0.5f, kFadeTicks);
  AudioList::PlayMusic(QuestMusicId, 0.0f, static_cast<float>(QuestMusicFade.Value()));
  Quest* raw = screen.get();
  CurrentScreen.Replace(std::move(screen));
  return raw;
}

int Quest::LoadQuestFile(const std::string& path) {
  if (FileTypeOf(path) != 1) return 0;
  std::unique_ptr<xmlNode> root = xmlNode::Load(path);
  if (!root) return 0;
  if (const std::string* v = Value(*root, "level_music")) LevelMusicId = TextToInt(*v);
  if (const std::string* v = Value(*root, "quest_music")) QuestMusicId = TextToInt(*v);
  if (const std::string* v = Value(*root, "message")) {
    if (!MessageList::IsActive()) MessageList::Show(TextToInt(*v), nullptr);
  }
  NextLevel = nullptr;
  QuestLevels.clear();
  for (const auto& child : root->children) {
    if (child->name == "level") {
      LevelInfo level;
      if (!ReadLevel(*child, &level)) return 0;
      QuestLevels.push_back(std::move(level));
    } else if (child->name == "secret") {
      const std::string* id = Value(*child, "id");
      const std::string* tokens = Value(*child, "tokens");
      if (id && tokens) {
        LastStageMessageId = TextToInt(*id);
        LastStageTokens = TextToInt(*tokens);
      }
    }
  }
  Profile::SetQuestMaxTokens(5 * static_cast<int>(QuestLevels.size()));
  return 1;
}

void Quest::CreateButtons() {
  GUI::Clear();
  MenuButton = ClickButton::CreateWithCaption(596, 556, "Menu", LeaveToTitle);
  NextButton = ClickButton::CreateWithCaption(724, 556, "Next >>", PlayNextLevel);
  MenuButton->tinted = 1;
  NextButton->tinted = 1;
  GUI::Add(MenuButton);
  GUI::Add(NextButton);
}

void Quest::CreateLevelMarkers(int fadeIn) {
  NextLevel = nullptr;
  for (LevelInfo& level : QuestLevels) {
    if (level.secret > 0 && Profile::OwnsSecret(level.secret)) level.secret = 0;
    if (level.additionalSecret > 0 && Profile::OwnsSecret(level.additionalSecret))
      level.additionalSecret = 0;
    int animation;
    Callback onClick;
    const ProfileLevel* entry = Profile::FindLevel(level.id);
    if (SecretLocked(level)) {
      animation = kMarkerSecretLocked;
      onClick = UnlockLevel;
    } else if (!level.unlocked) {
      animation = kMarkerCostLocked;
      onClick = UnlockLevel;
    } else if (entry && entry->rank == 5) {
      animation = kMarkerMastered;
      onClick = PlayLevel;
    } else if ((entry && entry->rank > 0) || NextLevel) {
      animation = kMarkerPlayable;
      onClick = PlayLevel;
    } else {
      animation = kMarkerNextLevel;
      onClick = PlayLevel;
      NextLevel = &level;
    }
    if (level.marker) GUI::Remove(level.marker.get());
    level.marker = AnimatedButton::Create(level.x, level.y, animation, onClick);
    level.marker->tinted = 1;
    if (fadeIn == 1) {
      level.marker->alpha = Interpolation::Create(0.0f);
      level.marker->alpha.SetTargetIn(1.0f, 20);
    }
    GUI::Add(level.marker);
  }
}

LevelInfo* Quest::LevelUnderPointer() {
  for (LevelInfo& level : QuestLevels) {
    if (level.marker && level.marker->IsPointerOver()) return &level;
  }
  return nullptr;
}

void Quest::UnlockLevel() {
  LevelInfo* level = LevelUnderPointer();
  if (!level) return;
  if (SecretLocked(*level) || Profile::GetSpendableTokens() < level->cost) {
    level->marker->enabled = 1;
    return;
  }
  AudioList::StopSound(kClickSound);
  AudioList::PlaySound(kUnlockSound, 0.0f, 1.0f);
  Profile::SpendTokens(level->cost);
  Profile::SelectLevel(level->id);
  // A fresh entry has score 0, so this records nothing; it keeps the entry
  // exactly as a level that was started and never won.
  Profile::RecordLevelResult(0, -0.25f);
  level->cost = 0;
  level->unlocked = 1;
  if (!NextLevel) {
    SetMarkerAnimation(*level, kMarkerNextLevel);
    NextLevel = level;
  } else if (NextLevel->id > level->id) {
    SetMarkerAnimation(*NextLevel, kMarkerPlayable);
    SetMarkerAnimation(*level, kMarkerNextLevel);
    NextLevel = level;
  } else {
    SetMarkerAnimation(*level, kMarkerPlayable);
  }
  level->marker->enabled = 1;
  level->marker->onClick = PlayLevel;
  UnlockLatch = 1;
}

void Quest::PlayLevel() {
  LevelInfo* level = LevelUnderPointer();
  if (!level) return;
  if (UnlockLatch) {
    level->marker->enabled = 1;
    return;
  }
  StartLevel(*level);
}

void Quest::PlayNextLevel() {
  if (!NextLevel) {
    if (NextButton) NextButton->enabled = 1;
    return;
  }
  StartLevel(*NextLevel);
}

void Quest::StartLevel(const LevelInfo& level) {
  QuestState = kQuestStartingLevel;
  QuestCountdown = kQuestLeaveTicks;
  LevelToPlay = level.filename;
  Profile::SelectLevel(level.id);
  FadeTintTo(0.0f, kFadeTicks);
  QuestMusicFade.SetTargetIn(0.0f, kFadeTicks);
}

void Quest::LeaveToTitle() {
  FadeTintTo(0.0f, kFadeTicks);
  QuestState = kQuestLeaving;
  QuestCountdown = kQuestLeaveTicks;
  QuestMusicFade.SetTargetIn(0.0f, kFadeTicks);
}

int Quest::CheckLastStage() {
  if (Profile::GetTotalTokens() >= LastStageTokens) MessageList::Show(LastStageMessageId, AfterMessage);
  return MessageList::IsActive();
}

void Quest::AfterMessage() {
  if (CurrentMessage && CurrentMessage->powerup > 0) {
    Profile::CollectPowerup(CurrentMessage->powerup);
    AudioList::PlaySound(kUnlockSound, 0.0f, 1.0f);
  }
  if (CheckLastStage() == 0) CreateLevelMarkers(1);
}

void Quest::Suspend() { AudioList::PauseSound(QuestMusicId); }
void Quest::Resume() { AudioList::ResumeSound(QuestMusicId); }

void Quest::Update(float dt) {
  if (!AppActive) return;
  if (IsKeyDown(kKeyEscape)) LeaveToTitle();
  if (UnlockLatch && PointerDown == 0) UnlockLatch = 0;
  if (QuestCountdown > 0.0f) {
    QuestCountdown -= dt;
    if (QuestCountdown <= 0.0f) {
      if (QuestState == kQuestStartingLevel) {
        AudioList::StopSound(QuestMusicId);
        // The level play screen takes over here once it exists.
        Log("# Level play is not built yet: '" + LevelToPlay + "'");
        Title::Create();
        return;
      }
      if (QuestState == kQuestLeaving) {
        AudioList::StopSound(QuestMusicId);
        Title::Create();
        return;
      }
    }
  }
  MessageList::Update(dt);
  QuestMusicFade.Update(dt);
  AudioList::AdjustSound(QuestMusicId, static_cast<float>(QuestMusicFade.Value()), 0.0f);
  GUI::UpdateAll(dt);
  ParticleList::UpdateAll(dt);
  for (LevelInfo& level : QuestLevels) {
    const bool hovered = level.marker && level.marker->enabled && level.marker->IsPointerOver();
    const float goal = hovered ? 1.0f : 0.0f;
    if (level.infoAlpha.target != goal) level.infoAlpha.SetTargetIn(goal, hovered ? 25 : 10);
    level.infoAlpha.Update(dt);
  }
  UpdateOverlayTimers(dt);
  AddPointerSparkles(&sparkleTimer, dt);
}

void Quest::UpdateOverlayTimers(float dt) {
  if (CurrentQuestImage == kSnowMapImage) {
    driftTimer += dt;
    while (driftTimer >= 384.0f) driftTimer -= 384.0f;
    columnTimer += dt;
    while (columnTimer >= 2048.0f) columnTimer -= 2048.0f;
  } else {
    driftTimer += dt;
    while (driftTimer > 3200.0f) driftTimer -= 3200.0f;
  }
}

void Quest::PlaceLevelPanel(const LevelInfo& level, int w, int h, int* px, int* py) {
  *px = level.x + 8;
  if (*px + w > ScreenWidth) *px = level.x - w - 8;
  *py = level.y - 48;
  if (*py + h > ScreenHeight) *py = ScreenHeight - h;
}

void Quest::LevelPanelText(const LevelInfo& level, std::string* title, std::string* text) {
  title->clear();
  text->clear();
  if (level.secret > 0) {
    *text = "This level is locked!";
    return;
  }
  *title = level.name;
  if (!level.unlocked) {
    *text = IntToText(level.cost) + " tokens needed to|unlock this level!";
    if (Profile::GetSpendableTokens() >= level.cost)
      *text += "||Press left mouse button|to unlock.";
    return;
  }
  const ProfileLevel* entry = Profile::FindLevel(level.id);
  if (entry && entry->rank > 0) *text = "High score: " + IntToText(entry->score) + "|Rank: ";
}
