// Framed boxes drawn from the frame image in four clipped quarters, and the
// titled text panels built on them (message boxes, level and statistics
// panels, notices).  Every panel has a 24-pixel margin inside its box.
#pragma once

#include <string>

constexpr int kFrameImage = 24;
constexpr int kFrameImageSize = 512;
constexpr int kPanelMargin = 24;

// Large panels: title in font 4, body in font 2; small ones: font 2 and font 5.
constexpr int kLargeTitleFont = 4;
constexpr int kLargeBodyFont = 2;
constexpr int kSmallTitleFont = 2;
constexpr int kSmallBodyFont = 5;

// Draws a box with its top-left corner at (x, y); width and height are
// rounded up to multiples of 4.  With `useTint` the colour becomes the global
// tint, otherwise the current colour stays.
void DrawFramedBox(int x, int y, int width, int height, float alpha, int useTint);

int PanelWidth(const std::string& title, const std::string& text);
int PanelHeight(const std::string& title, const std::string& text);
int SmallPanelWidth(const std::string& title, const std::string& text);
int SmallPanelHeight(const std::string& title, const std::string& text);

// x or y 0 centres the panel on the screen in both directions.  A minWidth
// above the measured width widens the panel; 0 never does.
void DrawPanelAt(const std::string& title, const std::string& text, float alpha, int x, int y,
                 int minWidth, int useTint);
void DrawSmallPanelAt(const std::string& title, const std::string& text, float alpha, int x,
                      int y, int minWidth, int useTint);
void DrawPanel(const std::string& title, const std::string& text, float alpha, int minWidth,
               int useTint);
// A large panel centred on the screen with 100 more pixels at the bottom for
// the message box's button; drawn in the current colour.
void DrawMessagePanel(const std::string& title, const std::string& text, float alpha);
