// The program's command line: "-w" as the first argument, and the options
// that tests, tools and portable installs use.
#pragma once

#include <string>
#include <vector>

struct CommandLine {
  bool windowed = false;  // "-w" was the first argument
  bool help = false;
  bool version = false;
  bool headless = false;
  std::string home;        // instead of the user's application-data folder
  std::string data;        // where "files.xml" and "Data/" are
  int frames = 0;          // end after this many presented frames; 0 = no limit
  std::string inputFile;   // scripted input for the headless backend
  std::string screenshot;  // PNG of the last frame, written at shutdown
  std::vector<std::string> check;  // data files to check instead of playing
};

// False with a message for an unknown or malformed argument.
bool ParseCommandLine(const std::vector<std::string>& args, CommandLine* out,
                      std::string* error);

std::string UsageText();
