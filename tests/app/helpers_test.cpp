#include <gtest/gtest.h>

#include "app/geometry.h"
#include "app/interpolation.h"
#include "app/text_lines.h"
#include "support/headless_fixture.h"

TEST(Interpolation, FadeArrivesExactlyAndClearsRate) {
  Interpolation i = Interpolation::Create(255.0f);
  i.SetTargetIn(0.0f, 51);
  EXPECT_FLOAT_EQ(i.rate, -5.0f);
  i.Update(10.0f);
  EXPECT_FLOAT_EQ(i.current, 205.0f);
  i.Update(50.0f);
  EXPECT_EQ(i.Value(), 0.0);
  EXPECT_EQ(i.rate, 0.0f);
}

TEST(Interpolation, NeverOvershootsUpward) {
  Interpolation i = Interpolation::Create(98.0f);
  i.SetTarget(100.0f, 3.0f);
  EXPECT_EQ(i.rate, 3.0f);
  i.Update(1.0f);
  EXPECT_EQ(i.Value(), 100.0);
  EXPECT_EQ(i.rate, 0.0f);
}

TEST(Interpolation, TargetEqualToValueStaysStill) {
  Interpolation i = Interpolation::Create(42.0f);
  i.SetTarget(42.0f, 7.0f);
  i.Update(3.0f);
  EXPECT_EQ(i.Value(), 42.0);
}

TEST(Interpolation, CurrentWrittenAfterTargetMovesAwayWithoutEnd) {
  // A fade set up the wrong way round: the rate points away from the target.
  Interpolation i = Interpolation::Create(0.0f);
  i.SetTarget(100.0f, 10.0f);
  i.current = 150.0f;
  i.Update(1.0f);
  EXPECT_EQ(i.Value(), 160.0);
  i.Update(1.0f);
  EXPECT_EQ(i.Value(), 170.0);
}

TEST(Interpolation, ZeroTicksArriveAtTheNextUpdate) {
  Interpolation i = Interpolation::Create(10.0f);
  i.SetTargetIn(200.0f, 0);
  i.Update(1.0f);
  EXPECT_EQ(i.Value(), 200.0);
}

TEST(TextLines, Splitting) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"no bar at all", {"no bar at all"}},
      {"ab|c", {"ab", "c"}},
      {"ab|", {"ab"}},
      {"|ab", {"", "ab"}},
      {"ab||cd", {"ab", "", "cd"}},
      {"|", {""}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitTextLines(c.text), c.lines) << "text: '" << c.text << "'";
    EXPECT_EQ(CountTextLines(c.text), static_cast<int>(c.lines.size())) << c.text;
  }
}

class TextDrawing : public HeadlessTest {};

TEST_F(TextDrawing, CentredLineAndLineStep) {
  // The built-in font advances 8 pixels a character.
  const std::string text = std::string(1, kCentreMark) + "abcd|xy";
  DrawTextLines(text, 100, 50, 20, 200);
  const auto& calls = backend->FrameCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].text, "abcd");
  EXPECT_EQ(calls[0].x, 100 + (200 - 32) / 2);
  EXPECT_EQ(calls[0].y, 50);
  EXPECT_EQ(calls[1].text, "xy");
  EXPECT_EQ(calls[1].x, 100);
  EXPECT_EQ(calls[1].y, 70);
}

TEST_F(TextDrawing, MeasuresWithoutTheCentreMark) {
  const std::string text = std::string(1, kCentreMark) + "abcdef|xy";
  EXPECT_EQ(WidestTextLine(text), 48);
  EXPECT_EQ(TallestTextLine(text), 16);
  EXPECT_EQ(WidestTextLine(""), 0);
  EXPECT_EQ(TallestTextLine(""), 0);
}

TEST_F(TextDrawing, CentringNarrowerThanTextRoundsTowardZero) {
  // (width - text width) / 2 with a negative numerator rounds toward zero.
  DrawTextLines(std::string(1, kCentreMark) + "abc", 0, 0, 16, 9);  // 24 wide
  ASSERT_EQ(backend->FrameCalls().size(), 1u);
  EXPECT_EQ(backend->FrameCalls()[0].x, -7);
}

TEST(RectsOverlap, Edges) {
  struct Case {
    int r[8];
    int expected;
  };
  const Case cases[] = {
      {{0, 0, 10, 10, 10, 0, 5, 5}, 1},    // second starts on the first's right edge
      {{10, 0, 5, 5, 0, 0, 10, 10}, 0},    // second ends on the first's left edge
      {{0, 0, 10, 10, 0, 10, 5, 5}, 1},    // bottom edge touches
      {{0, 10, 5, 5, 0, 0, 10, 10}, 0},    // top edge touches
      {{0, 0, 10, 10, 2, 2, 3, 3}, 1},     // inside
      {{0, 0, 10, 10, 11, 0, 5, 5}, 0},    // apart
      {{0, 0, 10, 10, -5, -5, 30, 30}, 1}, // enclosed by the second
      {{0, 0, 10, 10, 0, 20, 10, 10}, 0},  // apart vertically
  };
  for (const Case& c : cases) {
    const int* r = c.r;
    EXPECT_EQ(RectsOverlap(r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7]), c.expected)
        << r[0] << "," << r[1] << "," << r[2] << "," << r[3] << " vs " << r[4] << "," << r[5]
        << "," << r[6] << "," << r[7];
  }
}

TEST(RectsOverlap, ExtremeCoordinatesDoNotOverflow) {
  EXPECT_EQ(RectsOverlap(2147483000, 0, 600, 10, 0, 0, 10, 10), 0);
  EXPECT_EQ(RectsOverlap(-2147483000, 0, 10, 10, 2147483000, 0, 600, 10), 0);
}
