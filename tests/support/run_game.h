// Runs the game executable as a separate process, as a player or a script
// would, and collects its exit status and output.
#pragma once

#include <string>
#include <vector>

struct GameRun {
  int status = -1;  // exit status; 128 + signal when killed by one
  std::string out;
  std::string err;
};

// `prefix` goes before the executable (for example a command that drops
// privileges).
// `env` holds NAME=VALUE settings for the game's environment.
GameRun RunGameProcess(const std::vector<std::string>& args,
                       const std::vector<std::string>& prefix = {},
                       const std::vector<std::string>& env = {});
