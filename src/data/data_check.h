// The data-file checker for level authors and for our own content: reads each
// file with the game's own reader and says what is wrong, without changing
// what the game accepts.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Checks the files, writes "FILE:LINE:COLUMN: what is wrong" lines (and
// warnings) to `out`, and returns the exit status: 0 when every file would
// load in the game, 1 otherwise.
int CheckDataFiles(const std::vector<std::string>& files, std::FILE* out);
