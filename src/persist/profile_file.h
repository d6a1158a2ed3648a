// The profile file: one player's progress as a value, read from the parsed
// file and formatted back into its exact bytes.  Nothing here touches the
// game's globals; class Profile moves values between the two.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "persist/read_notes.h"

class xmlNode;

constexpr int kPowerupSlots = 16;
constexpr int kSecretSlots = 32;

class ProfileLevel {
 public:
  int id = 0;
  int score = 0;  // best score
  int rank = 0;   // rank of the best score, 0 to 5; 0 = entered but never won
  bool operator==(const ProfileLevel& o) const {
    return id == o.id && score == o.score && rank == o.rank;
  }
};

class ProfileQuest {
 public:
  int id = 0;
  int tokens = 0;       // tokens earned in this quest
  int totalTokens = 0;  // the most the quest can give
  std::deque<ProfileLevel> levels;  // in the order they were entered
  bool operator==(const ProfileQuest& o) const {
    return id == o.id && tokens == o.tokens && totalTokens == o.totalTokens && levels == o.levels;
  }
};

// Everything a profile file holds, with the values of a fresh profile.
struct ProfileData {
  std::string name;
  int spendableTokens = 0;
  int totalTokens = 0;
  int gameWon = 0;
  int creditsShown = 0;
  int rangeLevel = 1;
  int speedLevel = 1;
  int keyLeft = 37, keyRight = 39, keyUp = 38, keyDown = 40, keyAction = 32;
  std::deque<ProfileQuest> quests;
  std::vector<int> shownMessages;  // in shown order
  int secrets[kSecretSlots] = {};
  int powerupsTaken[kPowerupSlots] = {};

  bool operator==(const ProfileData& o) const;
};

// Reads the root element of a profile file into *data, which holds a fresh
// profile named after the file.  1 when the whole file was read; 0 when the
// root lacks "name", "tokens" or "total_tokens", an element lacks a required
// attribute, or an element's tag is unknown: then *data holds what was read
// before (a quest whose level failed is left out) and notes->error says why.
// Identifiers outside the tables are ignored, as is a name in the file that
// could not be a profile name (the file's own name is kept); both are noted.
int ReadProfileTree(const xmlNode& root, ProfileData* data, ReadNotes* notes);

// The file's bytes: 8-bit text, lines ended by CR LF.
std::string FormatProfile(const ProfileData& data);
