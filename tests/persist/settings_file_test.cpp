// The settings file: its exact bytes, what reading applies, and where
// reading stops.
#include "persist/settings_file.h"

#include <gtest/gtest.h>

#include "persist_fixture.h"

namespace {
class SettingsFile : public PersistTest {
 protected:
  std::string Path() const { return GameFolder + "/Fleecewick.ini"; }
};
}  // namespace

TEST_F(SettingsFile, WrittenWithoutAndWithAProfile) {
  ASSERT_EQ(WriteSettings(Path()), 1);
  EXPECT_EQ(ReadFileBytes(Path()), Golden("settings_no_profile.ini"));

  // Read back a file naming the profile, with volumes of 0.5 and 0.25 and
  // full screen 2, then write it again.
  Profile::ResetProfile("Zo\xEB");
  ASSERT_EQ(Profile::SaveProfile(), 1);
  Profile::ResetToProgramStart();
  WriteFileBytes(Path(), CrLf({"<?xml version=\"1.0\"?>", "<options>", "  <profile name=\"Zo\xEB\"/>",
                               "  <audio sound_volume=\"0.5\" music_volume=\"0.25\"/>",
                               "  <graphics renderer=\"1\" fullscreen=\"2\"/>", "</options>"}));
  ASSERT_EQ(ReadSettings(Path()), 1);
  EXPECT_EQ(Profile::ProfileName, "Zo\xEB");
  EXPECT_EQ(NoProfileChosen, 0);
  EXPECT_EQ(SoundVolume.Value(), 0.5);
  EXPECT_EQ(SoundVolume.target, 0.5f);
  EXPECT_EQ(SoundVolume.rate, 0.0f);
  EXPECT_EQ(MusicVolume.Value(), 0.25);
  EXPECT_EQ(RendererChoice, 1);
  EXPECT_EQ(FullScreen, 1);
  ASSERT_EQ(WriteSettings(Path()), 1);
  EXPECT_EQ(ReadFileBytes(Path()), Golden("settings_profile.ini"));
  EXPECT_EQ(LogText(), "");
}

TEST_F(SettingsFile, ReadingAppliesWhatComesBeforeAFailure) {
  struct Case {
    const char* name;
    std::string content;  // empty: no file
    int result;
    float sound;
    int renderer, fullScreen;
  };
  const Case cases[] = {
      {"no file", "", 0, 1.0f, 0, 1},
      {"unknown element after audio",
       CrLf({"<options>", "  <audio sound_volume=\"0.3\"/>", "  <colour depth=\"16\"/>",
             "  <graphics renderer=\"1\" fullscreen=\"0\"/>", "</options>"}),
       0, 0.3f, 0, 1},
      {"does not parse", CrLf({"<options>", "  <audio sound_volume=\"0.3\"/>"}), 0, 1.0f, 0, 1},
      {"space before '='",
       CrLf({"<options>", "  <audio sound_volume =\"0.3\"/>", "  <graphics fullscreen=\"0\"/>",
             "</options>"}),
       1, 1.0f, 0, 0},
      {"root of another name, lenient numbers",
       CrLf({"<settings x=\"1\">", "  <graphics renderer=\" -3x\" fullscreen=\"no\"/>",
             "</settings>"}),
       1, 1.0f, -3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SoundVolume = Interpolation::Create(1.0f);
    RendererChoice = 0;
    FullScreen = 1;
    std::remove(Path().c_str());
    if (!c.content.empty()) WriteFileBytes(Path(), c.content);
    EXPECT_EQ(ReadSettings(Path()), c.result);
    EXPECT_EQ(SoundVolume.Value(), c.sound);
    EXPECT_EQ(RendererChoice, c.renderer);
    EXPECT_EQ(FullScreen, c.fullScreen);
  }
}

TEST_F(SettingsFile, ANamedProfileThatCannotBeLoadedIsLogged) {
  WriteFileBytes(Path(), CrLf({"<options>", "  <profile name=\"Nobody\"/>",
                               "  <graphics renderer=\"1\"/>", "</options>"}));
  EXPECT_EQ(ReadSettings(Path()), 1);
  EXPECT_EQ(Profile::ProfileName, "");
  EXPECT_EQ(NoProfileChosen, 1);
  EXPECT_EQ(RendererChoice, 1);
  EXPECT_EQ(LogText(), "# Profile 'Nobody' not valid!\r\n");
  // With no profile current, the file is written back without one.
  ASSERT_EQ(WriteSettings(Path()), 1);
  EXPECT_EQ(ReadFileBytes(Path()).find("profile"), std::string::npos);
}

TEST_F(SettingsFile, AFileThatCannotBeWrittenEndsTheProgram) {
  // A folder in the way of the file.
  ASSERT_EQ(CreateFolder(Path(), 0), 1);
  backend->EchoMessageBoxes = true;
  EXPECT_EXIT(WriteSettings(Path()), ::testing::ExitedWithCode(1),
              "Error: Could not write file '.*/Fleecewick.ini'!");
  EXPECT_NE(LogText().find("# Could not write file '" + Path() + "'!\r\n - cannot rename"),
            std::string::npos)
      << LogText();
}
