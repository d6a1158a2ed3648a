// The names of the keys the options screen shows for the bound keys, by
// virtual-key code.
#pragma once

#include <string>

// The key's name, or "(Undefined key name)" for a code without one or
// outside 0 to 248.
std::string KeyName(int code);
