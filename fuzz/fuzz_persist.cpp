// libFuzzer harness for the settings and profile readers: every input is read
// both as a profile file and as a settings file.  Reading must never crash,
// and what was read must survive being written and read again unchanged.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/globals.h"
#include "data/audio_list.h"
#include "data/xml_node.h"
#include "persist/profile.h"
#include "persist/profile_file.h"
#include "persist/profile_names.h"
#include "persist/settings_file.h"
#include "platform/services.h"

namespace {
std::string Folder;

void WriteAll(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
  std::fclose(f);
}

void ResetSettingsGlobals() {
  Profile::ResetToProgramStart();
  SoundVolume = Interpolation::Create(1.0f);
  MusicVolume = Interpolation::Create(1.0f);
  RendererChoice = 0;
  FullScreen = 1;
}

// The profile the input loads as, written in the game's format and read
// again, must come back whole and equal.
void FuzzProfile(const std::string& input) {
  Profile::ResetToProgramStart();
  WriteAll(GameFolder + "/Profiles/Fuzz.usr", input);
  Profile::LoadProfile("Fuzz");
  const ProfileData loaded = Profile::Capture();
  if (loaded.name.empty() || !IsProfileNameAllowed(loaded.name)) std::abort();
  const std::string saved = FormatProfile(loaded);
  WriteAll(Folder + "/again.usr", saved);
  std::unique_ptr<xmlNode> root = xmlNode::Load(Folder + "/again.usr");
  if (!root) std::abort();
  ProfileData again;
  again.name = "other";
  ReadNotes notes;
  if (ReadProfileTree(*root, &again, &notes) != 1 || !notes.ignored.empty()) std::abort();
  if (!(again == loaded)) std::abort();
}

// The settings the input applies, written and read again, give the same
// file.
void FuzzSettings(const std::string& input) {
  ResetSettingsGlobals();
  const std::string path = GameFolder + "/Fleecewick.ini";
  WriteAll(path, input);
  ReadSettings(path);
  const std::string first = FormatSettings();
  // As at shutdown, the profile is saved before the settings that name it.
  const std::string profile = Profile::ProfileName;
  if (!profile.empty()) WriteAll(Profile::FilePath(profile), FormatProfile(Profile::Capture()));
  WriteAll(path, first);
  ResetSettingsGlobals();
  if (ReadSettings(path) != 1) std::abort();
  if (FormatSettings() != first) std::abort();
  if (!profile.empty() && profile != "Fuzz") std::remove(Profile::FilePath(profile).c_str());
}

void RemoveFolder() {
  const std::string command = "rm -rf '" + Folder + "'";
  if (std::system(command.c_str()) != 0) {
  }
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/fleecewick-fuzz-persist-XXXXXX";
  if (!::mkdtemp(pattern)) std::abort();
  Folder = pattern;
  std::atexit(RemoveFolder);
  GameFolder = Folder + "/Fleecewick";
  CreateFolder(GameFolder + "/Profiles", 1);
  LogFilePath.clear();  // nothing is logged while fuzzing
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  FuzzProfile(input);
  FuzzSettings(input);
  return 0;
}
