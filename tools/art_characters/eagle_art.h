// The eagle: a gliding silhouette seen from above (the circling frames, drawn
// black by the game as a shadow) and the bird itself diving, talons forward.
#pragma once

#include <string>

namespace eagle {

// The eagle's strip: 16 cells of 96 by 96 (identifiers 400 to 415).
bool DrawStrip(const std::string& path);

}  // namespace eagle
