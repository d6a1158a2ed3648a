// The title screen: ten letters fall and bounce into the game's name over the
// title picture; below them the main menu ("Play", "Options", "Quit", "Change
// Profile"), the quest list, the profile list and the name entry, the options
// overlay, and a few secret phrases typed on the keyboard.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/event.h"
#include "app/interpolation.h"
#include "screens/pointer_sparkles.h"
#include "ui/control.h"
#include "ui/text_button.h"

// TitleState.
constexpr int kTitleMainMenu = 0;
constexpr int kTitleLeaving = 1;  // quitting or going to the credits
constexpr int kTitleQuestList = 3;
constexpr int kTitleNameEntry = 4;
constexpr int kTitleProfileList = 5;

constexpr int kTitleBackdropImage = 4000;
constexpr int kTitleMusic = 64;
constexpr int kLetterBounceSound = 12;
constexpr int kSecretSound = 8;
// The line the letters land on.
constexpr float kLetterGround = 112.0f;
constexpr int kMaxNameInput = 48;
constexpr int kMaxProfilesForNew = 6;

struct Letter {
  int imageId = 0;
  int x = 0;
  float y = 0;
  int yOffset = 0;
  float velocity = 0;  // pixels per tick, down is positive
  int active = 1;
  float bounce = 1.0f;
};

struct TitleQuest {
  int id = 0;
  std::string name;
  std::string info;
  std::string filename;
  int image = 0;  // the quest map; its button is image + 16
  int percentComplete = 0;
  int secret = 0;
  int available = 1;
  std::shared_ptr<ClickButton> button;
  Interpolation infoAlpha = Interpolation::Create(0.0f);
};

extern int TitleState;
extern float TitleCountdown;
extern Interpolation TitleFade;
extern Interpolation QuestPanelFade;
extern Interpolation TitleMusicFade;
extern std::shared_ptr<ClickButton> PlayButton;
extern std::shared_ptr<ClickButton> OptionsButton;
extern std::shared_ptr<ClickButton> QuitButton;
extern std::shared_ptr<TextButton> ChangeProfileButton;
extern std::shared_ptr<ClickButton> QuestMenuButton;
extern std::vector<TitleQuest> TitleQuests;
extern std::string ProfileNameInput;
extern std::vector<std::string> ProfileNames;
extern Callback DeferredCloseCallback;
// The secret phrase being matched (-1 none) and the characters matched less one.
extern int CheatIndex;
extern int CheatPosition;
// Why the last character typed into the name was refused ("" when it was not).
extern std::string NameEntryNotice;

class Title : public Event {
 public:
  float sparkleTimer = 0;
  std::vector<Letter> letters;
  int endingRequested = 0;
  int escapeLatch = 0;

  void Update(float dt) override;
  void Draw() override;
  void Suspend() override;
  void Resume() override;

  static void Create();
  static int LoadQuests(const std::string& path);
  static void CreateMainMenu();
  static void CreateProfileMenu();
  static void ChooseProfile();
  static void NewProfile();
  static void BackToMenu();
  static void ShowQuests();
  static void StartQuest();
  static void LockedQuestClicked();
  static void QuestsBack();
  static void OpenOptions();
  static void QuitGame();

  // Feeds one typed character to the phrase matcher; the number (1 to 5) of
  // the phrase it completes, else 0.
  static int MatchPhrase(int ch);
  // The ten letters at their starting heights.
  static std::vector<Letter> StartLetters();
  // Moves the letters by dt ticks; plays the landing sound for the F and the
  // curled sheep.
  static void UpdateLetters(std::vector<Letter>& letters, float dt);
  // Back to the state at program start (for tests).
  static void Reset();

 private:
  void HandlePhrase(int phrase);
  void HandleEscape();
  void HandleNameEntry(int ch);
  void DrawQuestList() const;
  void DrawNameEntry() const;
};
