#include <gtest/gtest.h>

#include "platform/input_script.h"
#include "support/headless_fixture.h"

TEST(InputScript, ParsesEveryCommand) {
  const char* text =
      "# a comment line\n"
      "0 key_down 32   # trailing comment\n"
      "3 key_up 32\n"
      "\n"
      "1 char 13\n"
      "2 text Ab\n"
      "4 mouse_move 400 -3\n"
      "5 mouse_down 1\n"
      "5 mouse_up 3\n"
      "6 joy_axis -0.5 1\n"
      "7 joy_button_down 0\n"
      "7 joy_button_up 0\n"
      "8 focus_lost\n"
      "9 focus_gained\n"
      "10 close\n";
  std::vector<ScriptEvent> events;
  std::string error;
  ASSERT_TRUE(ParseInputScript(text, &events, &error)) << error;
  ASSERT_EQ(events.size(), 14u);
  // Ordered by frame; the same frame keeps file order.
  EXPECT_EQ(events[0].kind, ScriptEvent::kKeyDown);
  EXPECT_EQ(events[1].kind, ScriptEvent::kChar);
  EXPECT_EQ(events[1].a, 13);
  EXPECT_EQ(events[2].a, 'A');
  EXPECT_EQ(events[3].a, 'b');
  EXPECT_EQ(events[4].kind, ScriptEvent::kKeyUp);
  EXPECT_EQ(events[5].a, 400);
  EXPECT_EQ(events[5].b, -3);
  EXPECT_EQ(events[8].fx, -0.5f);
  EXPECT_EQ(events[8].fy, 1.0f);
  EXPECT_EQ(events.back().kind, ScriptEvent::kClose);
  EXPECT_EQ(events.back().line, 15);
}

TEST(InputScript, RejectsMalformedLinesWithTheirNumber) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"x key_down 1", "1: 'x' is not a frame number"},
      {"-1 close", "1: '-1' is not a frame number"},
      {"\n\n5", "3: a command is missing after the frame number"},
      {"1 jump", "1: unknown command 'jump'"},
      {"1 key_down", "1: 'key_down' takes 1 argument(s)"},
      {"1 key_down 256", "1: key codes run from 1 to 255"},
      {"1 key_down 3x", "1: key codes run from 1 to 255"},
      {"1 close now", "1: 'close' takes 0 argument(s)"},
      {"1 mouse_down 4", "1: mouse buttons are 1, 2 and 3"},
      {"1 joy_axis 2 0", "1: joy_axis takes two numbers from -1 to 1"},
      {"1 mouse_move 1 y", "1: mouse_move takes two whole numbers"},
  };
  for (const Case& c : cases) {
    std::vector<ScriptEvent> events;
    std::string error;
    EXPECT_FALSE(ParseInputScript(c.text, &events, &error)) << c.text;
    EXPECT_EQ(error, c.error) << c.text;
  }
}

class ScriptedInput : public HeadlessTest {};

TEST_F(ScriptedInput, EventsWaitForTheirFrame) {
  std::vector<ScriptEvent> events;
  std::string error;
  ASSERT_TRUE(ParseInputScript("0 key_down 65\n2 key_up 65\n2 text hi\n", &events, &error));
  backend->SetScript(events);
  EXPECT_EQ(IsKeyDown(65), 1);
  PresentFrame(0);
  EXPECT_EQ(IsKeyDown(65), 1);
  PresentFrame(0);
  EXPECT_EQ(IsKeyDown(65), 0);
  EXPECT_EQ(NextTypedChar(), 'h');
  EXPECT_EQ(NextTypedChar(), 'i');
  EXPECT_EQ(NextTypedChar(), 0);
}

TEST_F(ScriptedInput, NothingAppliesBeforeTheScriptIsArmed) {
  auto fresh = std::make_unique<HeadlessBackend>();
  HeadlessBackend* b = fresh.get();
  std::vector<ScriptEvent> events;
  std::string error;
  ASSERT_TRUE(ParseInputScript("0 key_down 65\n", &events, &error));
  b->SetScript(events);
  InstallBackend(std::move(fresh));
  EXPECT_EQ(IsKeyDown(65), 0);
  b->ArmScript();
  EXPECT_EQ(IsKeyDown(65), 1);
}

TEST_F(ScriptedInput, TypedCharacterQueueHoldsAtMost256) {
  for (int i = 0; i < 300; ++i) Input().TypedChar('a' + i % 26);
  int n = 0;
  while (NextTypedChar() != 0) ++n;
  EXPECT_EQ(n, 256);
  Input().TypedChar('z');
  Input().KeyDown(5);
  FlushInput();
  EXPECT_EQ(NextTypedChar(), 0);
  EXPECT_EQ(IsKeyDown(5), 0);
}

TEST_F(ScriptedInput, WaitForKeyAtTheEndOfTheScriptReturnsZero) {
  EXPECT_EQ(WaitForKey(), 0);
}
