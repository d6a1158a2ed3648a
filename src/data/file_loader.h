// The asset catalogue ("files.xml"): every picture, font and sound of the game
// with the identifier it is registered under.  Start-up reads it into the load
// queue, and the loading screen empties the queue one entry per frame.
#pragma once

#include <deque>
#include <string>

// What a catalogue entry registers.
constexpr int kEntryUnknown = 0;  // never queued
constexpr int kEntryFont = 1;
constexpr int kEntryImage = 2;
constexpr int kEntrySound = 3;

// The font size used when a "font" element gives none.
constexpr int kDefaultFontSize = 12;

class FileEntry {
 public:
  int kind = kEntryUnknown;
  std::string path;  // as written in the catalogue
  int id = 0;
  int loop = 0;         // sound: 1 if it loops
  int sizeX = 0;        // font: pixel size; image: frame width
  int sizeY = 0;        // image: frame height
  int frames = 0;       // image: number of frames
  float volume = 0.0f;  // sound: base volume
};

// The entries still to load, in catalogue order; consumed from the front.
extern std::deque<FileEntry> FileQueue;

class FileLoader {
 public:
  // Appends the catalogue's entries to FileQueue and returns 1, or returns 0
  // (queueing nothing) when the file is missing, does not parse, has no
  // elements under its root, or has an image, font or audio element without
  // an "id" or "path" attribute.
  static int Read(const std::string& path);
};
