// Nothing the player has is lost: writes that are cut short or fail, files
// that cannot be read, names that cannot be file names, and names with
// accented letters.
#include <gtest/gtest.h>
#include <unistd.h>

#include "persist/profile_names.h"
#include "persist/settings_file.h"
#include "persist_fixture.h"

namespace {
class PersistMends : public PersistTest {
 protected:
  // Saves a profile worth keeping and returns its bytes.
  std::string SaveOldProfile() {
    Profile::ResetProfile("Ann");
    Profile::SelectQuest(1);
    Profile::SelectLevel(1);
    Profile::RecordLevelResult(900, 1.0f);
    EXPECT_EQ(Profile::SaveProfile(), 1);
    return ReadFileBytes(ProfilePath("Ann.usr"));
  }
  std::vector<std::string> ProfileFolder() const {
    std::vector<std::string> names;
    FolderListing* listing = OpenFolderListing(GameFolder + "/Profiles");
    for (std::string n; !(n = NextFolderEntry(listing)).empty();) names.push_back(n);
    CloseFolderListing(listing);
    return names;
  }
};

const SafeWriteStep kSteps[] = {kSafeWriteCreate, kSafeWriteFirstHalf, kSafeWriteSecondHalf,
                                kSafeWriteSync,   kSafeWriteClose,     kSafeWriteRename,
                                kSafeWriteSyncFolder};
}  // namespace

TEST_F(PersistMends, AWriteCutShortAtAnyStepLeavesAWholeProfile) {
  const std::string old = SaveOldProfile();
  for (SafeWriteStep step : kSteps) {
    SCOPED_TRACE(step);
    // The child process plays on and dies just before `step`.
    EXPECT_EXIT(
        {
          Profile::SelectLevel(2);
          Profile::RecordLevelResult(500, 0.5f);
          SetSafeWriteHook([step](SafeWriteStep now) {
            if (now == step) ::_exit(86);
            return 0;
          });
          Profile::SaveProfile();
        },
        ::testing::ExitedWithCode(86), "");
    const std::string now = ReadFileBytes(ProfilePath("Ann.usr"));
    // Up to the rename the old file stands; after it the new one.
    const bool renamed = step > kSafeWriteRename;
    EXPECT_EQ(now == old, !renamed);
    EXPECT_EQ(now.find("<level id=\"2\" score=\"500\" rank=\"3\"/>") != std::string::npos, renamed);
    ASSERT_EQ(Profile::LoadProfile("Ann"), 1);
    EXPECT_EQ(Profile::FindQuest(1)->levels.size(), renamed ? 2u : 1u);
    EXPECT_EQ(Profile::TotalTokens, renamed ? 8 : 5);
    // A crash between creating and renaming leaves a temporary file beside it.
    const size_t files = ProfileFolder().size();
    EXPECT_EQ(files, step > kSafeWriteCreate && step <= kSafeWriteRename ? 2u : 1u);
    // The next save that succeeds clears such leftovers.
    ASSERT_EQ(SaveOldProfile(), old);
    EXPECT_EQ(ProfileFolder(), std::vector<std::string>{"Ann.usr"});
  }
}

TEST_F(PersistMends, AFailedStepReportsAndKeepsTheOldFile) {
  const std::string old = SaveOldProfile();
  backend->EchoMessageBoxes = true;
  for (SafeWriteStep step : kSteps) {
    SCOPED_TRACE(step);
    DeleteFile(LogFilePath);
    EXPECT_EXIT(
        {
          Profile::SpendTokens(1);
          SetSafeWriteHook([step](SafeWriteStep now) { return now == step ? ENOSPC : 0; });
          Profile::SaveProfile();
        },
        ::testing::ExitedWithCode(1), "Error: Could not write file '.*/Profiles/Ann.usr'!");
    const std::string log = LogText();
    EXPECT_NE(log.find("# Could not write file '" + ProfilePath("Ann.usr") + "'!\r\n - "),
              std::string::npos) << log;
    EXPECT_NE(log.find("No space left on device"), std::string::npos) << log;
    // A failure after the rename has the new file in place; before it, the
    // old file and no temporary file.
    if (step < kSafeWriteSyncFolder) {
      EXPECT_EQ(ReadFileBytes(ProfilePath("Ann.usr")), old);
      EXPECT_EQ(ProfileFolder(), std::vector<std::string>{"Ann.usr"});
    } else {
      EXPECT_NE(ReadFileBytes(ProfilePath("Ann.usr")).find("tokens=\"4\""), std::string::npos);
    }
  }
  // The settings take the same path.
  EXPECT_EXIT(
      {
        SetSafeWriteHook([](SafeWriteStep now) { return now == kSafeWriteSecondHalf ? EIO : 0; });
        WriteSettings(GameFolder + "/Fleecewick.ini");
      },
      ::testing::ExitedWithCode(1), "Error: Could not write file '.*/Fleecewick.ini'!");
  EXPECT_EQ(FileTypeOf(GameFolder + "/Fleecewick.ini"), 0);
}

TEST_F(PersistMends, AnUnreadableProfileIsMovedAsideNotOverwritten) {
  const std::string broken = CrLf({"<profile name=\"Ann\" tokens=\"40\" total_tokens=\"90\">",
                                   "  <dog range=\"4\" speed=\"3\"/>", "  <quest id=\"1\""});
  for (const char* aside : {"Ann.usr.unreadable", "Ann.usr.unreadable-2"}) {
    SCOPED_TRACE(aside);
    WriteProfileFile("Ann.usr", broken);
    EXPECT_EQ(Profile::LoadProfile("Ann"), 0);
    EXPECT_EQ(Profile::ProfileName, "Ann") << "the reset profile stays current";
    EXPECT_EQ(ReadFileBytes(ProfilePath("Ann.usr")), broken) << "loading changes nothing on disk";
    ASSERT_EQ(Profile::SaveProfile(), 1);
    EXPECT_EQ(ReadFileBytes(ProfilePath(aside)), broken);
    EXPECT_NE(LogText().find("# Unreadable profile file '" + ProfilePath("Ann.usr") +
                             "' kept as '" + ProfilePath(aside) + "'"),
              std::string::npos) << LogText();
    // What is saved now loads.
    EXPECT_EQ(Profile::LoadProfile("Ann"), 1);
  }
  // A second save of the same profile does not move the good file aside.
  ASSERT_EQ(Profile::SaveProfile(), 1);
  EXPECT_EQ(ProfileFolder().size(), 3u);
  // Another profile saved after a failed load leaves the unreadable file be.
  WriteProfileFile("Ann.usr", broken);
  EXPECT_EQ(Profile::LoadProfile("Ann"), 0);
  Profile::ResetProfile("Bo");
  ASSERT_EQ(Profile::SaveProfile(), 1);
  EXPECT_EQ(ReadFileBytes(ProfilePath("Ann.usr")), broken);
}

TEST_F(PersistMends, ProfileNamesTheGameRefuses) {
  struct Case {
    std::string name, problem;
  };
  const Case cases[] = {
      {"Zo\xEB", ""},
      {"Ann Lee-2", ""},
      {"a.b", ""},
      {std::string(64, 'x'), ""},
      {std::string(65, 'x'), "is longer than 64 characters"},
      {"", "is empty"},
      {".", "starts with a dot"},
      {"..", "starts with a dot"},
      {".Ann", "starts with a dot"},
      {"a/b", "holds a slash or a backslash"},
      {"..\\x", "starts with a dot"},
      {"a\\b", "holds a slash or a backslash"},
      {"say \"hi\"", "holds a double quote"},
      {"tab\there", "holds a control character"},
      {"line\r\n", "holds a control character"},
      {"del\x7F", "holds a control character"},
      {"c1\x85", "holds a control character"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProfileNameProblem(c.name), c.problem) << c.name;
    EXPECT_EQ(IsProfileNameAllowed(c.name), c.problem.empty() ? 1 : 0) << c.name;
  }

  // A refused name that reaches SaveProfile ends the program without writing
  // anything, inside or outside "Profiles".
  backend->EchoMessageBoxes = true;
  for (const char* name : {"../escaped", "a/b", "q\"uote"}) {
    EXPECT_EXIT(
        {
          Profile::ResetProfile(name);
          Profile::SaveProfile();
        },
        ::testing::ExitedWithCode(1), "Error: Could not write file");
  }
  EXPECT_EQ(FileTypeOf(GameFolder + "/escaped.usr"), 0);
  EXPECT_EQ(FileTypeOf(GameFolder + "/Profiles"), 0);
  EXPECT_NE(LogText().find(" - the profile name holds a double quote"), std::string::npos);
}

TEST_F(PersistMends, AccentedNamesSaveAndLoadAsThemselves) {
  // Latin-1 in the game, UTF-8 on disk.
  const std::string zoe = "Zo\xEB";
  const std::string all = "\xA0\xC0\xDF\xE9\xFF";
  EXPECT_EQ(Latin1ToUtf8(zoe), "Zo\xC3\xAB");
  EXPECT_EQ(Latin1ToUtf8(all), "\xC2\xA0\xC3\x80\xC3\x9F\xC3\xA9\xC3\xBF");
  std::string back;
  ASSERT_TRUE(Utf8ToLatin1(Latin1ToUtf8(all), &back));
  EXPECT_EQ(back, all);
  for (const char* bad : {"Zo\xEB", "\xE2\x82\xAC", "\xC3", "\xC3(", "\xC0\x80"})
    EXPECT_FALSE(Utf8ToLatin1(bad, &back)) << bad;

  Profile::ResetProfile(zoe);
  Profile::SpendableTokens = 6;
  ASSERT_EQ(Profile::SaveProfile(), 1);
  EXPECT_EQ(ProfileFolder(), std::vector<std::string>{"Zo\xC3\xAB.usr"});
  EXPECT_EQ(ProfileNameOfFile("Zo\xC3\xAB.usr"), zoe);
  for (const char* other : {"Zo\xEB.usr", "notes.txt", ".usr", ".Ann.usr", "Ann.usr.unreadable"})
    EXPECT_EQ(ProfileNameOfFile(other), "") << other;
  Profile::ResetToProgramStart();
  ASSERT_EQ(Profile::LoadProfile(zoe), 1);
  EXPECT_EQ(Profile::ProfileName, zoe);
  EXPECT_EQ(Profile::SpendableTokens, 6);
}

TEST_F(PersistMends, AProfilesFolderThatIsAFileEndsTheProgramAndStays) {
  WriteFileBytes(GameFolder + "/Profiles", "not a folder");
  backend->EchoMessageBoxes = true;
  EXPECT_EXIT(
      {
        Profile::ResetProfile("Ann");
        Profile::SaveProfile();
      },
      ::testing::ExitedWithCode(1), "Error: Could not write file '.*/Profiles/Ann.usr'!");
  EXPECT_EQ(ReadFileBytes(GameFolder + "/Profiles"), "not a folder");
  EXPECT_NE(LogText().find(" - cannot create a temporary file in '" + GameFolder + "/Profiles'"),
            std::string::npos) << LogText();
}
