// What the data-file checker says about the quest list ("Data/quests.xml")
// and the quest files it names: errors for what the game refuses, warnings
// for what it accepts but is surely a mistake (a file, picture, tune or
// message that does not exist, a marker off the screen, a secret no profile
// can own).
#pragma once

#include <string>
#include <vector>

#include "ui/message_check.h"

class xmlNode;

// `path` is where the checked file is; the asset and message catalogues are
// looked for in the data folder above it (the nearest folder holding
// "files.xml").
std::vector<CheckFinding> CheckQuestList(const xmlNode& root, const std::string& path);
std::vector<CheckFinding> CheckQuestFile(const xmlNode& root, const std::string& path);
