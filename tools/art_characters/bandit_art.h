// The bandit: a rough figure in a hat with a shepherd's crook, who carries
// stolen sheep off in a sack.
#pragma once

#include <string>

namespace bandit {

// The bandit's strip: 34 cells of 64 by 80 (identifiers 700 to 733).
bool DrawStrip(const std::string& path);

}  // namespace bandit
