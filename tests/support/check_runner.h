// Runs the data-file checker as `fleecewick --check` does, for tests.
#pragma once

#include <string>

// Checks one file; returns the exit status and leaves what was printed in
// *printed.
int RunCheck(const std::string& path, std::string* printed);
