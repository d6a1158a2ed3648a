// Framed boxes and text panels, measured with the built-in 8 by 16 font.
#include <gtest/gtest.h>

#include "app/text_lines.h"
#include "ui/panels.h"
#include "ui_fixture.h"

namespace {
using Call = HeadlessBackend::DrawCall;

std::vector<Call> Draws(const HeadlessBackend& b, Call::Kind kind) {
  std::vector<Call> out;
  for (const Call& c : b.FrameCalls()) {
    if (c.kind == kind) out.push_back(c);
  }
  return out;
}
}  // namespace

TEST_F(UiTest, FramedBoxRoundsUpToFourAndDrawsFourClippedQuarters) {
  struct Case {
    int width, height, drawnW, drawnH;
  };
  for (const Case& c : {Case{50, 48, 52, 48}, Case{48, 49, 48, 52}, Case{100, 100, 100, 100}}) {
    backend->ClearScreen();
    DrawFramedBox(10, 20, c.width, c.height, 0.5f, 0);
    std::vector<Call> quarters = Draws(*backend, Call::kImage);
    ASSERT_EQ(quarters.size(), 4u);
    int left = 10000, top = 10000, right = -10000, bottom = -10000;
    for (const Call& q : quarters) {
      EXPECT_EQ(q.state.viewW, c.drawnW / 2);
      EXPECT_EQ(q.state.viewH, c.drawnH / 2);
      EXPECT_EQ(q.state.alpha, 127);
      left = std::min(left, q.state.viewX);
      top = std::min(top, q.state.viewY);
      right = std::max(right, q.state.viewX + q.state.viewW);
      bottom = std::max(bottom, q.state.viewY + q.state.viewH);
    }
    EXPECT_EQ(left, 10);
    EXPECT_EQ(top, 20);
    EXPECT_EQ(right - left, c.drawnW) << c.width;
    EXPECT_EQ(bottom - top, c.drawnH) << c.height;
  }
}

TEST_F(UiTest, PanelSizes) {
  // 8 by 16 pixels a character in every font here.
  struct Case {
    const char* title;
    const char* text;
    int width, height;
  };
  for (const Case& c : {
           Case{"", "", 48, 48},
           Case{"Title", "", 5 * 8 + 48, 16 - 8 + 48},             // title height + 40
           Case{"", "one|three", 5 * 8 + 48, 2 * 16 + 48},
           Case{"A much longer title", "ab|cd", 19 * 8 + 48, 2 * 16 + 16 + 8 + 48},
       }) {
    EXPECT_EQ(PanelWidth(c.title, c.text), c.width) << c.title << "/" << c.text;
    EXPECT_EQ(PanelHeight(c.title, c.text), c.height) << c.title << "/" << c.text;
    EXPECT_EQ(SmallPanelWidth(c.title, c.text), c.width);
  }
}

TEST_F(UiTest, PanelPlacementMinWidthAndCentredLines) {
  const std::string text = std::string("left|") + kCentreMark + "mid";
  const int w = PanelWidth("", text);  // "left" is the widest: 32 + 48
  ASSERT_EQ(w, 80);
  struct Case {
    int x, y, minWidth;
    int boxX, boxY, boxW;
  };
  const int h = PanelHeight("", text);
  for (const Case& c : {Case{100, 50, 0, 100, 50, 80}, Case{0, 50, 0, (800 - 80) / 2, (600 - h) / 2, 80},
                        Case{100, 0, 0, 360, (600 - h) / 2, 80}, Case{100, 50, 60, 100, 50, 80},
                        Case{100, 50, 200, 100, 50, 200}}) {
    backend->ClearScreen();
    DrawPanelAt("", text, 1.0f, c.x, c.y, c.minWidth, 0);
    std::vector<Call> quarters = Draws(*backend, Call::kImage);
    ASSERT_EQ(quarters.size(), 4u);
    EXPECT_EQ(quarters[0].state.viewX, c.boxX) << c.x << "," << c.y << " min " << c.minWidth;
    EXPECT_EQ(quarters[0].state.viewY, c.boxY);
    EXPECT_EQ(quarters[0].state.viewW * 2, c.boxW);
    EXPECT_EQ(quarters[0].state.alpha, 191) << "the box at three quarters of the text's opacity";
    std::vector<Call> lines = Draws(*backend, Call::kText);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "left");
    EXPECT_FLOAT_EQ(lines[0].x, c.boxX + 24);
    EXPECT_EQ(lines[1].text, "mid");
    // Centred in the inner width, without the mark.
    EXPECT_FLOAT_EQ(lines[1].x, c.boxX + 24 + (c.boxW - 48 - 24) / 2);
    EXPECT_FLOAT_EQ(lines[1].y, lines[0].y + 16);
  }
}

TEST_F(UiTest, TitledPanelAndMessagePanel) {
  backend->ClearScreen();
  DrawPanelAt("Hi", "body", 0.8f, 100, 100, 0, 0);
  std::vector<Call> texts = Draws(*backend, Call::kText);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "Hi");
  EXPECT_FLOAT_EQ(texts[0].x, 100 + (32 + 48 - 16) / 2);
  EXPECT_FLOAT_EQ(texts[0].y, 124);
  EXPECT_FLOAT_EQ(texts[1].y, 100 + 24 + 24) << "the body starts 1.5 title heights lower";
  EXPECT_EQ(texts[1].state.r, 0);

  backend->ClearScreen();
  SetDrawColour(255, 255, 255);
  DrawMessagePanel("Hi", "body", 0.8f);
  std::vector<Call> quarters = Draws(*backend, Call::kImage);
  ASSERT_EQ(quarters.size(), 4u);
  const int h = PanelHeight("Hi", "body") + 100;
  int top = 10000, bottom = 0;
  for (const Call& q : quarters) {
    top = std::min(top, q.state.viewY);
    bottom = std::max(bottom, q.state.viewY + q.state.viewH);
  }
  EXPECT_EQ(top, (600 - h) / 2);
  EXPECT_EQ(bottom - top, (h + 3) / 4 * 4);
  EXPECT_EQ(quarters[0].state.r, 255) << "the message panel keeps the current colour";
}
