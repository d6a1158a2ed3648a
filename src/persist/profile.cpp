#include "persist/profile.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "app/globals.h"
#include "app/logging.h"
#include "data/xml_node.h"
#include "persist/profile_names.h"
#include "persist/safe_file.h"
#include "persist/seen_messages.h"
#include "platform/services.h"

int NoProfileChosen = 1;

namespace {
// Profile files of this run that exist but could not be read.  Saving a
// profile over one of them first moves the file aside, so that the
// player's old progress is never overwritten by a reset profile.
std::set<std::string> UnreadableFiles;

[[noreturn]] void CannotWrite(const std::string& path, const std::string& why) {
  ShowMessageBox("Error: Could not write file '" + path + "'!", 1);
  Log("# Could not write file '" + path + "'!");
  Log(" - " + why);
  EndProgram();
}

// Renames an unreadable profile file to the first free name of
// "NAME.usr.unreadable", "NAME.usr.unreadable-2", ...
bool MoveAside(const std::string& path, std::string* aside, std::string* why) {
  for (int n = 1; n < 1000; ++n) {
    *aside = path + ".unreadable" + (n == 1 ? "" : "-" + IntToText(n));
    if (FileTypeOf(*aside) != 0) continue;
    if (std::rename(ResolvePath(path).c_str(), ResolvePath(*aside).c_str()) == 0) return true;
    *why = "cannot rename it to '" + *aside + "'";
    return false;
  }
  *why = "every name for keeping it aside is taken";
  return false;
}
}  // namespace

void Profile::ResetProfile(const std::string& name) {
  ProfileName = name;
  ProfileQuests.clear();
  std::fill(PowerupsTaken, PowerupsTaken + kPowerupSlots, 0);
  std::fill(Secrets, Secrets + kSecretSlots, 0);
  NoProfileChosen = 0;
  RangeLevel = 1;
  SpeedLevel = 1;
  LevelScore = PreviousTotalTokens = TotalTokens = SpendableTokens = 0;
  GameWon = CreditsShown = 0;
  CurrentSeenMessages().ResetForNewProfile();
  KeyCodeLeft = kKeyLeft;
  KeyCodeRight = kKeyRight;
  KeyCodeUp = kKeyUp;
  KeyCodeDown = kKeyDown;
  KeyCodeAction = kKeySpace;
}

ProfileQuest* Profile::FindQuest(int id) {
  for (ProfileQuest& q : ProfileQuests) {
    if (q.id == id) return &q;
  }
  return nullptr;
}

void Profile::SetQuestMaxTokens(int n) {
  if (ProfileQuest* q = FindQuest(CurrentQuestId)) q->totalTokens = n;
}

void Profile::AddQuestTokens(int n) {
  if (ProfileQuest* q = FindQuest(CurrentQuestId)) q->tokens += n;
}

int Profile::GetTotalTokens() { return TotalTokens; }
int Profile::GetSpendableTokens() { return SpendableTokens; }
void Profile::SpendTokens(int n) { SpendableTokens -= n; }

int Profile::OwnsSecret(int n) {
  if (n < 1 || n > kSecretSlots) return 0;
  return Secrets[n - 1];
}

int Profile::HasPowerup(int id) {
  if (id >= 128) return 0;
  if (id >= 64) return id - 64 < kSecretSlots ? Secrets[id - 64] : 0;
  if (id >= 1 && id <= kPowerupSlots) return PowerupsTaken[id - 1];
  return 0;
}

int Profile::PowerupKind(int id) {
  if (id == 128) return 3;
  if (id == 129) return 4;
  if (id >= 64) return 5;
  if (id >= 1 && id <= 14) return PowerupKinds[id - 1];
  return 0;
}

void Profile::CollectPowerup(int id) {
  if (id >= 128) {
    if (id == 128) AddLevelScore(1000);
    if (id == 129) AddLevelScore(500);
    if (id == 130) RangeLevel += 1;
    if (id == 131) SpeedLevel += 1;
    return;
  }
  if (id >= 64 && id - 64 < kSecretSlots) {
    Secrets[id - 64] = 1;
    return;
  }
  if (id >= 1 && id <= kPowerupSlots) {
    PowerupsTaken[id - 1] = 1;
    const int kind = PowerupKind(id);
    if (kind == 1) RangeLevel += 1;
    if (kind == 2) SpeedLevel += 1;
    return;
  }
  Log("# Power-up " + IntToText(id) + " is not a known identifier; nothing is collected");
}

void Profile::SelectQuest(int id) {
  CurrentQuestId = id;
  if (!FindQuest(id)) {
    ProfileQuest quest;
    quest.id = id;
    ProfileQuests.push_back(quest);
  }
}

void Profile::SelectLevel(int id) {
  CurrentLevelId = id;
  ProfileQuest* quest = FindQuest(CurrentQuestId);
  if (!quest) {
    Log("# Level " + IntToText(id) + " selected without a current quest");
    return;
  }
  if (!FindLevel(id)) {
    ProfileLevel level;
    level.id = id;
    quest->levels.push_back(level);
  }
}

ProfileLevel* Profile::FindLevel(int id) {
  ProfileQuest* quest = FindQuest(CurrentQuestId);
  if (!quest) return nullptr;
  for (ProfileLevel& l : quest->levels) {
    if (l.id == id) return &l;
  }
  return nullptr;
}

void Profile::RecordLevelResult(int score, float fraction) {
  const int rank = TruncToInt(fraction * 4.0f + 1.0f);
  ProfileLevel* level = FindLevel(CurrentLevelId);
  if (!level) {
    Log("# Level " + IntToText(CurrentLevelId) + " of quest " + IntToText(CurrentQuestId) +
        " was never selected; its result is not recorded");
    return;
  }
  if (score <= level->score) return;
  level->score = score;
  if (rank > level->rank) {
    const int gain = rank - level->rank;
    SpendableTokens += gain;
    PreviousTotalTokens = TotalTokens;
    TotalTokens += gain;
    AddQuestTokens(gain);
  }
  level->rank = rank;
}

void Profile::ResetLevelScore() { LevelScore = 0; }
void Profile::AddLevelScore(int points) { LevelScore += points; }
int Profile::GetLevelScore() { return LevelScore; }

std::string Profile::FilePath(const std::string& name) {
  return GameFolder + "/Profiles/" + ProfileFileName(name);
}

ProfileData Profile::Capture() {
  ProfileData d;
  d.name = ProfileName;
  d.spendableTokens = SpendableTokens;
  d.totalTokens = TotalTokens;
  d.gameWon = GameWon;
  d.creditsShown = CreditsShown;
  d.rangeLevel = RangeLevel;
  d.speedLevel = SpeedLevel;
  d.keyLeft = KeyCodeLeft;
  d.keyRight = KeyCodeRight;
  d.keyUp = KeyCodeUp;
  d.keyDown = KeyCodeDown;
  d.keyAction = KeyCodeAction;
  d.quests = ProfileQuests;
  d.shownMessages = CurrentSeenMessages().ShownIds();
  std::copy(Secrets, Secrets + kSecretSlots, d.secrets);
  std::copy(PowerupsTaken, PowerupsTaken + kPowerupSlots, d.powerupsTaken);
  return d;
}

void Profile::Apply(const ProfileData& d) {
  ProfileName = d.name;
  SpendableTokens = d.spendableTokens;
  TotalTokens = d.totalTokens;
  PreviousTotalTokens = d.totalTokens;
  GameWon = d.gameWon;
  CreditsShown = d.creditsShown;
  RangeLevel = d.rangeLevel;
  SpeedLevel = d.speedLevel;
  KeyCodeLeft = d.keyLeft;
  KeyCodeRight = d.keyRight;
  KeyCodeUp = d.keyUp;
  KeyCodeDown = d.keyDown;
  KeyCodeAction = d.keyAction;
  ProfileQuests = d.quests;
  for (int id : d.shownMessages) CurrentSeenMessages().MarkSeen(id);
  std::copy(d.secrets, d.secrets + kSecretSlots, Secrets);
  std::copy(d.powerupsTaken, d.powerupsTaken + kPowerupSlots, PowerupsTaken);
}

int Profile::LoadProfile(const std::string& name) {
  const std::string problem = ProfileNameProblem(name);
  if (!problem.empty()) {
    Log("# Profile name '" + name + "' " + problem + "; no profile file is read for it");
    return 0;
  }
  const std::string path = FilePath(name);
  if (FileTypeOf(path) == 0) return 0;
  ResetProfile(name);

  ProfileData data;
  data.name = name;
  ReadNotes notes;
  XmlError error;
  std::unique_ptr<xmlNode> root = xmlNode::LoadWithReport(path, &error);
  int whole = 0;
  if (!root) {
    notes.error = IntToText(error.line) + ":" + IntToText(error.column) + ": " + error.message;
  } else {
    whole = ReadProfileTree(*root, &data, &notes);
    Apply(data);
  }
  for (const std::string& what : notes.ignored) Log("# Profile file '" + path + "': " + what);
  if (!whole) {
    UnreadableFiles.insert(path);
    Log("# Profile file '" + path + "' cannot be read (" + notes.error +
        "); it is kept, and moved aside before this profile is saved");
    return 0;
  }
  NoProfileChosen = 0;
  return 1;
}

int Profile::SaveProfile() {
  if (ProfileName.empty()) return 0;
  const std::string problem = ProfileNameProblem(ProfileName);
  if (!problem.empty()) {
    // Such a name would leave the "Profiles" folder or break the file.
    CannotWrite(GameFolder + "/Profiles/" + ProfileName + ".usr",
                "the profile name " + problem);
  }
  CreateFolder(GameFolder + "/Profiles", 0);
  const std::string path = FilePath(ProfileName);
  if (UnreadableFiles.count(path) && FileTypeOf(path) != 0) {
    std::string aside, why;
    if (!MoveAside(path, &aside, &why)) {
      CannotWrite(path, "the unreadable profile file there could not be kept: " + why);
    }
    Log("# Unreadable profile file '" + path + "' kept as '" + aside + "'");
  }
  UnreadableFiles.erase(path);
  std::string why;
  if (!WriteFileSafely(ResolvePath(path), FormatProfile(Capture()), &why)) CannotWrite(path, why);
  return 1;
}

void Profile::ResetToProgramStart() {
  ResetProfile("");
  NoProfileChosen = 1;
  CurrentQuestId = 0;
  CurrentLevelId = 0;
  UnreadableFiles.clear();
}
