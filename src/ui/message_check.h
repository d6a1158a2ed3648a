// What the data-file checker says about a message catalogue: the faults that
// make the game refuse it, and the things it accepts but that are surely
// mistakes (a duplicate identifier, a follow-up that does not exist, a chain
// that comes back to itself).
#pragma once

#include <string>
#include <vector>

class xmlNode;

struct CheckFinding {
  bool error;  // the game refuses the file; otherwise a warning
  std::string text;
};

std::vector<CheckFinding> CheckMessageCatalogue(const xmlNode& root);
