// Start-up, the frame loop and shutdown of the game.
#pragma once

#include <string>
#include <vector>

// The user's application-data folder: the --home folder when one was given,
// else $XDG_DATA_HOME, else ~/.local/share.
std::string AppDataFolder();
void SetAppDataOverride(const std::string& folder);

// Start-up steps from the window title to the first screen.  A failure that
// ends the program ends it here, with a message box and a log line.
void StartUp(bool windowedSwitch);

// One pass of the frame loop at a time, so that tests can drive it.
class MainLoop {
 public:
  // Records the clock; the first frame comes 10 ms later.
  void Start();
  void Pass();
  // 0 = no limit; else the loop ends after this many presented frames.
  int framesLimit = 0;
  int framesPresented = 0;

 private:
  void UpdatePointerButton();
  void UpdateDirections();
  void UpdateGamePointer(float step);
  int lastTime_ = 0;
};

// Saves what the player has and the settings.
void ShutDown();

// The whole program: parses the arguments, runs start-up, the loop and
// shutdown, and returns the exit status.
int RunGame(const std::vector<std::string>& args);
