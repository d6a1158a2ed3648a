// The current player's profile: progress, tokens, power-ups, secrets, dog
// upgrades and story flags in globals of class Profile, with the functions
// that every screen and creature uses on them, and loading and saving of the
// player's file "Profiles/NAME.usr" in the game folder.
#pragma once

#include <deque>
#include <string>

#include "persist/profile_file.h"

// 1 until a profile has been made or loaded; the title screen opens on the
// name entry while it is 1.
extern int NoProfileChosen;

class Profile {
 public:
  inline static std::string ProfileName;  // empty: no profile
  inline static int CurrentQuestId = 0;
  inline static int CurrentLevelId = 0;
  inline static std::deque<ProfileQuest> ProfileQuests;
  inline static int LevelScore = 0;  // never saved
  inline static int PreviousTotalTokens = 0;
  inline static int TotalTokens = 0;
  inline static int SpendableTokens = 0;
  inline static int GameWon = 0;
  inline static int CreditsShown = 0;
  inline static int RangeLevel = 1;
  inline static int SpeedLevel = 1;
  // Kind of power-ups 1 to 14: 1 range upgrade, 2 speed upgrade.
  static constexpr int PowerupKinds[14] = {1, 2, 1, 1, 2, 2, 1, 2, 2, 1, 2, 2, 1, 1};
  inline static int PowerupsTaken[kPowerupSlots] = {};  // power-up k is element k - 1
  inline static int Secrets[kSecretSlots] = {};          // secret n is element n - 1

  static void ResetProfile(const std::string& name);
  static ProfileQuest* FindQuest(int id);
  static void SetQuestMaxTokens(int n);
  static void AddQuestTokens(int n);
  static int GetTotalTokens();
  static int GetSpendableTokens();
  static void SpendTokens(int n);
  static int OwnsSecret(int n);
  // Identifiers outside the tables (below 1, 17 to 63, 96 to 127) give 0
  // and are collected as nothing, with a log line.
  static int HasPowerup(int id);
  static void CollectPowerup(int id);
  // 0 for identifiers with no kind: 15, 16 and those outside the tables.
  static int PowerupKind(int id);
  static void SelectQuest(int id);
  static void SelectLevel(int id);
  static ProfileLevel* FindLevel(int id);
  static void RecordLevelResult(int score, float fraction);
  static void ResetLevelScore();
  static void AddLevelScore(int points);
  static int GetLevelScore();
  // 1 when the file was read whole.  A name the game refuses, or no file,
  // gives 0 and changes nothing.  A file that exists but cannot be read
  // gives 0 and leaves the profile as far as it was read; that file is kept
  // and moved aside as "NAME.usr.unreadable" before this profile is saved.
  static int LoadProfile(const std::string& name);
  // 1 after writing the file crash-safe; 0 without a profile.  A file that
  // cannot be written ends the program after a message box and a log line.
  static int SaveProfile();

  // The file-system path of a profile's file.
  static std::string FilePath(const std::string& name);
  // The current profile as a value, and a value made current (the shown
  // messages are marked seen in order).
  static ProfileData Capture();
  static void Apply(const ProfileData& data);
  // Program-start state, for tests.
  static void ResetToProgramStart();
};
