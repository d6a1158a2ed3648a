// The three sheep breeds: a breed's colours and build, the poses of its
// animations, and the strip that draws every frame.
#pragma once

#include "art_common/art.h"

#include <string>

namespace sheep {

enum class Breed { kWhite = 100, kBrown = 500, kBlackFace = 800 };

// Draws the breed's strip (64 by 64 cells, first identifier = the breed).
bool DrawStrip(Breed breed, const std::string& path);

}  // namespace sheep
