#include "app/text_lines.h"

#include "platform/services.h"

namespace {
std::string WithoutCentreMark(const std::string& line) {
  if (!line.empty() && line[0] == kCentreMark) return line.substr(1);
  return line;
}
}  // namespace

std::vector<std::string> SplitTextLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '|') {
      lines.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

int CountTextLines(const std::string& text) {
  return static_cast<int>(SplitTextLines(text).size());
}

int WidestTextLine(const std::string& text) {
  int widest = 0;
  for (const std::string& line : SplitTextLines(text)) {
    int w = TextWidthOf(WithoutCentreMark(line));
    if (w > widest) widest = w;
  }
  return widest;
}

int TallestTextLine(const std::string& text) {
  int tallest = 0;
  for (const std::string& line : SplitTextLines(text)) {
    int h = TextHeightOf(WithoutCentreMark(line));
    if (h > tallest) tallest = h;
  }
  return tallest;
}

void DrawTextLines(const std::string& text, int x, int y, int lineStep, int width) {
  for (const std::string& line : SplitTextLines(text)) {
    if (!line.empty() && line[0] == kCentreMark) {
      std::string rest = line.substr(1);
      DrawTextAt(rest, static_cast<float>(x + (width - TextWidthOf(rest)) / 2),
                 static_cast<float>(y));
    } else {
      DrawTextAt(line, static_cast<float>(x), static_cast<float>(y));
    }
    y += lineStep;
  }
}
