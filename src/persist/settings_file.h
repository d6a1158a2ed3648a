// The settings file "Fleecewick.ini" in the game folder: the last profile,
// the sound and music volumes, the renderer order and full screen or window.
#pragma once

#include <string>
#include <vector>

#include "persist/read_notes.h"

class xmlNode;

// What a settings file holds, in the order the game applies it.
struct SettingsData {
  struct Setting {
    enum Kind { kProfile, kSoundVolume, kMusicVolume, kRenderer, kFullScreen } kind;
    std::string text;  // the attribute's value
  };
  std::vector<Setting> settings;
};

// Reads the root element's children into *data, in order.  1 when every
// child was known; 0 at the first unknown element (what came before it is
// kept in *data) with notes->error saying which.
int ReadSettingsTree(const xmlNode& root, SettingsData* data, ReadNotes* notes);

// 1 when the file was read completely; 0 when there is none, it does not
// parse, or it holds an unknown element.  Settings read before a failure
// stay applied; a profile it names is loaded (and logged when it cannot be).
int ReadSettings(const std::string& path);

// The file's bytes from the current globals: 8-bit text, lines ended by
// CR LF, the profile line only while a profile is current.
std::string FormatSettings();

// Writes the file crash-safe and returns 1; a file that cannot be written
// ends the program after a message box and a log line.
int WriteSettings(const std::string& path);
