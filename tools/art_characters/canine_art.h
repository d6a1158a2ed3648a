// The sheep dog and the wolf: one four-legged build drawn with two looks.
#pragma once

#include <string>

namespace canine {

// The sheep dog's strip: 32 cells of 64 by 64 (identifiers 300 to 331).
bool DrawDogStrip(const std::string& path);
// The wolf's strip: 30 cells of 80 by 64 (identifiers 200 to 229).
bool DrawWolfStrip(const std::string& path);

}  // namespace canine
