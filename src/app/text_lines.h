// Multi-line texts: lines separated by "|"; a line that starts with the
// section sign (byte 0xA7 in the game's 8-bit text) is drawn centred.
#pragma once

#include <string>
#include <vector>

constexpr char kCentreMark = '\xA7';

// A text ending in "|" has no empty last line; the empty text has no lines.
std::vector<std::string> SplitTextLines(const std::string& text);
int CountTextLines(const std::string& text);
int WidestTextLine(const std::string& text);
int TallestTextLine(const std::string& text);
void DrawTextLines(const std::string& text, int x, int y, int lineStep, int width);
