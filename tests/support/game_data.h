// Small data folders for runs of the whole game: the loading screen's two
// pictures and a catalogue of little images, so a test controls what loads.
#pragma once

#include <string>

// Writes "files.xml", "Data/messages.xml" (messages 2, 3 and 10), "Data/Title1.png",
// "Data/Loading.png" and `entries` catalogued 8 by 8 images (identifiers 1000
// upward) into `dir`.  When `broken` is 1 or more, that entry's file (1-based)
// holds text, not a picture.
void WriteGameData(const std::string& dir, int entries, int broken = 0);

// A data folder with a catalogue of three images, written once per test
// process and removed at its end.
const std::string& SmallGameData();
