// Which profile names the game accepts, and how a name (8-bit Latin-1 text,
// as everywhere in the game) maps to a UTF-8 file name in "Profiles" and back.
#pragma once

#include <string>

// Longest accepted name, in characters.
constexpr int kMaxProfileNameLength = 64;

// "" when `name` can be a profile name; otherwise why not, as a sentence
// fragment ("holds a double quote").  A name is refused when it is empty or
// too long, starts with a dot (so also "." and ".."), or holds "/", "\", a
// double quote or a control character: it would leave the "Profiles" folder,
// not stand in a file name, or break the profile file.  The title screen's
// name entry calls this before making a profile.
std::string ProfileNameProblem(const std::string& name);
inline int IsProfileNameAllowed(const std::string& name) {
  return ProfileNameProblem(name).empty() ? 1 : 0;
}

std::string Latin1ToUtf8(const std::string& text);
// False when `text` is not valid UTF-8 or holds a character above U+00FF.
bool Utf8ToLatin1(const std::string& text, std::string* latin1);

// "NAME.usr" with the name in UTF-8.
std::string ProfileFileName(const std::string& name);
// The profile name of an entry of "Profiles", or "" when the entry is not a
// profile file the game would load by that name.
std::string ProfileNameOfFile(const std::string& fileName);
