// A test fixture for the settings and profile code: program-start state, a
// headless backend, and a fresh game folder with its log.
#pragma once

#include <string>

#include "app/logging.h"
#include "data/audio_list.h"
#include "persist/profile.h"
#include "persist/safe_file.h"
#include "persist/seen_messages.h"
#include "support/headless_fixture.h"
#include "support/temp_dir.h"

class PersistTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    AudioList::Reset();
    InstallSeenMessages(nullptr);
    Profile::ResetToProgramStart();
    GameFolder = dir / "Fleecewick";
    CreateFolder(GameFolder, 0);
    LogFilePath = GameFolder + "/Fleecewick.log";
  }
  void TearDown() override {
    SetSafeWriteHook(nullptr);
    Profile::ResetToProgramStart();
    InstallSeenMessages(nullptr);
    AudioList::Reset();
    HeadlessTest::TearDown();
  }
  std::string Golden(const std::string& name) const {
    std::string here = __FILE__;
    return ReadFileBytes(here.substr(0, here.rfind('/')) + "/golden/" + name);
  }
  std::string LogText() const { return ReadFileBytes(LogFilePath); }
  std::string ProfilePath(const std::string& fileName) const {
    return GameFolder + "/Profiles/" + fileName;
  }
  void WriteProfileFile(const std::string& fileName, const std::string& bytes) const {
    CreateFolder(GameFolder + "/Profiles", 0);
    WriteFileBytes(ProfilePath(fileName), bytes);
  }

  TempDir dir;
};

// "\r\n"-ended lines joined, for writing test files briefly.
inline std::string CrLf(std::initializer_list<const char*> lines) {
  std::string out;
  for (const char* line : lines) out += std::string(line) + "\r\n";
  return out;
}
