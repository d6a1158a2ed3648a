// The quest map: one animated marker per level of the chosen quest, the dog's
// statistics and the player's tokens; the player starts, unlocks or skips to
// a level here, or goes back to the title screen.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/event.h"
#include "app/interpolation.h"
#include "screens/pointer_sparkles.h"
#include "ui/control.h"

// QuestState values.
constexpr int kQuestOnMap = 1;
constexpr int kQuestStartingLevel = 2;
constexpr int kQuestLeaving = 3;

// Ticks between choosing a way out and the next screen.
constexpr float kQuestLeaveTicks = 60.0f;

// Marker animations.
constexpr int kMarkerNextLevel = 0;     // the level "Next >>" starts
constexpr int kMarkerPlayable = 3000;   // unlocked, played or not the next
constexpr int kMarkerMastered = 3001;   // rank 5
constexpr int kMarkerCostLocked = 3002;  // waits for tokens
constexpr int kMarkerSecretLocked = 3003;

// Pictures of the screen.
constexpr int kSnowMapImage = 2001;  // this map has the falling-tile overlay
constexpr int kFallingTileImage = 2501;
constexpr int kDriftImage = 2600;
constexpr int kDogPortraitImage = 325;
constexpr int kStatisticsBarImage = 77;
constexpr int kTokenImage = 3034;

constexpr int kUnlockSound = 8;
// Greets the first tokens a profile ever earns.
constexpr int kFirstTokensMessage = 3;

class LevelInfo {
 public:
  int id = 0;
  int cost = 0;      // tokens to unlock; 0 once unlocked
  int unlocked = 1;  // 0 only while a level with a cost was never entered
  int secret = 0;    // a secret the profile must own first; 0 none or owned
  int additionalSecret = 0;
  int x = 0, y = 0;  // the marker's centre
  std::string name;
  std::string info;  // read and kept; this screen does not show it
  std::string filename;
  Interpolation infoAlpha = Interpolation::Create(0.0f);
  std::shared_ptr<AnimatedButton> marker;
};

// Set by the title screen when a quest is chosen.
extern std::string CurrentQuestFile;
extern std::string CurrentQuestName;
extern int CurrentQuestImage;
// Set here for the level play screen.
extern int LevelMusicId;
extern std::string LevelToPlay;

extern std::vector<LevelInfo> QuestLevels;  // in file order
extern LevelInfo* NextLevel;                // in QuestLevels, or none
extern int QuestState;
extern float QuestCountdown;
extern int QuestMusicId;
extern Interpolation QuestMusicFade;
extern std::shared_ptr<ClickButton> MenuButton;
extern std::shared_ptr<ClickButton> NextButton;
extern int UnlockLatch;  // set by an unlock; ignores clicks on playable markers
extern int LastStageMessageId;
extern int LastStageTokens;

class Quest : public Event {
 public:
  float sparkleTimer = 0.0f;
  float driftTimer = 0.0f;
  float columnTimer = 0.0f;

  void Update(float dt) override;
  void Draw() override;
  void Suspend() override;
  void Resume() override;

  // Reads CurrentQuestFile and makes the map current; a quest file the game
  // cannot use ends the program after a message box and a log line.
  static Quest* Create();
  // Shows the last-stage message when it is earned; 1 if a box is now open.
  static int CheckLastStage();
  // Runs when the last message of a chain is closed.
  static void AfterMessage();
  static void CreateLevelMarkers(int fadeIn);
  static void CreateButtons();
  static void LeaveToTitle();
  static void PlayNextLevel();
  static void PlayLevel();
  static void UnlockLevel();
  // 1 on success; 0 when the file is missing, does not parse, or a level
  // lacks one of its required attributes.
  static int LoadQuestFile(const std::string& path);

  // Where the panel of `level` goes for a panel of w by h on this screen:
  // beside the marker, moved left or up to stay inside the screen.
  static void PlaceLevelPanel(const LevelInfo& level, int w, int h, int* px, int* py);
  // The panel's title and text for the level as the profile has it now.
  static void LevelPanelText(const LevelInfo& level, std::string* title, std::string* text);

  // Puts every global of the screen back to its program-start value (tests).
  static void Reset();

 private:
  static void StartLevel(const LevelInfo& level);
  static LevelInfo* LevelUnderPointer();
  void UpdateOverlayTimers(float dt);
  void DrawOverlay() const;
  static void DrawDogStatistics();
  static void DrawLevelPanels();
  static void DrawTokenPanels();
};
