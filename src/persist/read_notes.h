// What a reader of the game's own files met that it did not use: why it
// stopped, and what it read past.  The game logs these; the data-file checker
// prints them.
#pragma once

#include <string>
#include <vector>

struct ReadNotes {
  std::string error;                 // why reading stopped; empty when it read to the end
  std::vector<std::string> ignored;  // what was read past without effect
};
