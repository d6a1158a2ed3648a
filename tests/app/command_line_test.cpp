#include <gtest/gtest.h>

#include "app/command_line.h"

TEST(CommandLineParsing, AcceptedArguments) {
  CommandLine cl;
  std::string error;
  ASSERT_TRUE(ParseCommandLine({"-w", "--headless", "--frames", "300", "--home", "/tmp/h",
                                "--data", "d", "--input", "in.txt", "--screenshot", "s.png"},
                               &cl, &error))
      << error;
  EXPECT_TRUE(cl.windowed);
  EXPECT_TRUE(cl.headless);
  EXPECT_EQ(cl.frames, 300);
  EXPECT_EQ(cl.home, "/tmp/h");
  EXPECT_EQ(cl.data, "d");
  EXPECT_EQ(cl.inputFile, "in.txt");
  EXPECT_EQ(cl.screenshot, "s.png");

  ASSERT_TRUE(ParseCommandLine({}, &cl, &error));
  EXPECT_FALSE(cl.windowed);
  EXPECT_EQ(cl.frames, 0);
}

TEST(CommandLineParsing, Rejected) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  };
  const Case cases[] = {
      {{"--bogus"}, "unknown argument '--bogus'"},
      {{"--headless", "-w"}, "'-w' must be the first argument"},
      {{"-W"}, "unknown argument '-W'"},
      {{"--frames"}, "option '--frames' needs a value"},
      {{"--frames", "0"}, "'--frames' needs a whole number of at least 1, not '0'"},
      {{"--frames", "12x"}, "'--frames' needs a whole number of at least 1, not '12x'"},
      {{"--frames", "-3"}, "'--frames' needs a whole number of at least 1, not '-3'"},
      {{"--home"}, "option '--home' needs a value"},
      {{"--home", ""}, "option '--home' needs a value"},
  };
  for (const Case& c : cases) {
    CommandLine cl;
    std::string error;
    EXPECT_FALSE(ParseCommandLine(c.args, &cl, &error)) << c.message;
    EXPECT_EQ(error, c.message);
  }
}
