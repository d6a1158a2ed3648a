#include "ui/panels.h"

#include <algorithm>

#include "app/globals.h"
#include "app/text_lines.h"
#include "data/font_list.h"
#include "data/image_list.h"
#include "platform/services.h"

namespace {

struct Style {
  int titleFont;
  int bodyFont;
};
constexpr Style kLarge{kLargeTitleFont, kLargeBodyFont};
constexpr Style kSmall{kSmallTitleFont, kSmallBodyFont};

int RoundUpTo4(int v) { return (v + 3) / 4 * 4; }

int TitleWidth(const std::string& title, int font) {
  FontList::UseFont(font);
  return TextWidthOf(title);
}

int TitleHeight(const std::string& title, int font) {
  FontList::UseFont(font);
  return TextHeightOf(title);
}

int Width(const Style& style, const std::string& title, const std::string& text) {
  int w = 0;
  if (!text.empty()) {
    FontList::UseFont(style.bodyFont);
    w = WidestTextLine(text);
  }
  if (!title.empty()) w = std::max(w, TitleWidth(title, style.titleFont));
  return w + 2 * kPanelMargin;
}

int Height(const Style& style, const std::string& title, const std::string& text) {
  int h = 0;
  if (!text.empty()) {
    FontList::UseFont(style.bodyFont);
    h = TallestTextLine(text) * CountTextLines(text);
  }
  if (!title.empty()) {
    const int th = TitleHeight(title, style.titleFont);
    h = text.empty() ? h + th - 8 : h + th + th / 2;
  }
  return h + 2 * kPanelMargin;
}

// The title and the body of a panel whose box is at (x, y), w wide.
void DrawContents(const Style& style, const std::string& title, const std::string& text,
                  float alpha, int x, int y, int w) {
  SetDrawScale(1.0f, 1.0f);
  SetBlendMode(kBlendAlpha);
  int th = 0;
  if (!title.empty()) {
    FontList::UseFont(style.titleFont);
    th = TextHeightOf(title);
    SetDrawColour(0, 0, 0);
    SetDrawAlpha(alpha);
    DrawTextAt(title, static_cast<float>(x + (w - TextWidthOf(title)) / 2),
               static_cast<float>(y + kPanelMargin));
  }
  if (text.empty()) return;
  const int ty = title.empty() ? y + kPanelMargin : TruncToInt(th * 1.5 + y + kPanelMargin);
  FontList::UseFont(style.bodyFont);
  SetDrawColour(0, 0, 0);
  SetDrawAlpha(alpha);
  DrawTextLines(text, x + kPanelMargin, ty, TallestTextLine(text), w - 2 * kPanelMargin);
}

void DrawStyledPanelAt(const Style& style, const std::string& title, const std::string& text,
                       float alpha, int x, int y, int minWidth, int useTint) {
  int w = Width(style, title, text);
  const int h = Height(style, title, text);
  if (minWidth != 0 && w < minWidth) w = minWidth;
  if (x == 0 || y == 0) {
    x = (ScreenWidth - w) / 2;
    y = (ScreenHeight - h) / 2;
  }
  DrawFramedBox(x, y, w, h, alpha * 0.75f, useTint);
  DrawContents(style, title, text, alpha, x, y, w);
}

}  // namespace

void DrawFramedBox(int x, int y, int width, int height, float alpha, int useTint) {
  if (useTint) {
    ApplyTint();
  }
  SetBlendMode(kBlendAlpha);
  SetDrawAlpha(alpha);
  SetDrawScale(1.0f, 1.0f);
  width = RoundUpTo4(width);
  height = RoundUpTo4(height);
  const int hw = width / 2, hh = height / 2;
  const int left = x + width / 4, right = x + width - width / 4;
  const int top = y + height / 4, bottom = y + height - height / 4;
  ImageList::DrawRegion(kFrameImage, 0, 0, hw, hh, left, top);
  ImageList::DrawRegion(kFrameImage, kFrameImageSize - hw, 0, hw, hh, right, top);
  ImageList::DrawRegion(kFrameImage, 0, kFrameImageSize - hh, hw, hh, left, bottom);
  ImageList::DrawRegion(kFrameImage, kFrameImageSize - hw, kFrameImageSize - hh, hw, hh, right,
                        bottom);
}

int PanelWidth(const std::string& title, const std::string& text) {
  return Width(kLarge, title, text);
}
int PanelHeight(const std::string& title, const std::string& text) {
  return Height(kLarge, title, text);
}
int SmallPanelWidth(const std::string& title, const std::string& text) {
  return Width(kSmall, title, text);
}
int SmallPanelHeight(const std::string& title, const std::string& text) {
  return Height(kSmall, title, text);
}

void DrawPanelAt(const std::string& title, const std::string& text, float alpha, int x, int y,
                 int minWidth, int useTint) {
  DrawStyledPanelAt(kLarge, title, text, alpha, x, y, minWidth, useTint);
}

void DrawSmallPanelAt(const std::string& title, const std::string& text, float alpha, int x,
                      int y, int minWidth, int useTint) {
  DrawStyledPanelAt(kSmall, title, text, alpha, x, y, minWidth, useTint);
}

void DrawPanel(const std::string& title, const std::string& text, float alpha, int minWidth,
               int useTint) {
  DrawPanelAt(title, text, alpha, 0, 0, minWidth, useTint);
}

void DrawMessagePanel(const std::string& title, const std::string& text, float alpha) {
  const int w = PanelWidth(title, text);
  const int h = PanelHeight(title, text) + 100;
  const int x = (ScreenWidth - w) / 2, y = (ScreenHeight - h) / 2;
  DrawFramedBox(x, y, w, h, alpha * 0.75f, 0);
  DrawContents(kLarge, title, text, alpha, x, y, w);
}
