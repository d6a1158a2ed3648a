// The data-file checker on message catalogues: what the game refuses fails
// the check, what it accepts but is surely a mistake is a warning.
#include <gtest/gtest.h>

#include <cstdio>

#include "data/data_check.h"
#include "platform/services.h"
#include "support/temp_dir.h"
#include "ui/message_list.h"

TEST(MessageCheck, RefusedFilesFailAndMistakesWarn) {
  TempDir dir;
  struct Case {
    const char* name;
    const char* body;
    int status;       // the checker's
    int gameLoads;    // MessageList::Load on the same file
    const char* said;  // part of what the checker prints
  };
  const Case cases[] = {
      {"fine", "<m><a id=\"1\" title=\"t\" text=\"x\" next=\"2\"/><a id=\"2\" title=\"t\" text=\"y\"/></m>",
       0, 1, "messages.xml: ok"},
      {"no title", "<m><a id=\"1\" title=\"t\" text=\"x\"/><b id=\"2\" text=\"y\"/></m>", 1, 0,
       "element 2 ('b') has no 'title' attribute"},
      {"duplicate", "<m><a id=\"1\" title=\"t\" text=\"x\"/><a id=\" 1\" title=\"u\" text=\"y\"/></m>",
       0, 1, "warning: element 2 ('a'): message 1 is already defined"},
      {"dangling next", "<m><a id=\"1\" title=\"t\" text=\"x\" next=\"7\"/></m>", 0, 1,
       "warning: message 1 is followed by message 7, which does not exist"},
      {"loop",
       "<m><a id=\"1\" title=\"t\" text=\"x\" next=\"2\"/><a id=\"2\" title=\"t\" text=\"x\" next=\"3\"/>"
       "<a id=\"3\" title=\"t\" text=\"x\" next=\"1\"/></m>",
       0, 1, "come back to it (1 -> 2 -> 3 -> 1)"},
      {"unparsable", "<m><a id=\"1\" title=\"t\" text=\"x\"/>", 1, 0, "messages.xml:1:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir / "messages.xml";
    WriteFileBytes(path, c.body);
    std::FILE* out = std::tmpfile();
    int status = CheckDataFiles({path}, out);
    std::rewind(out);
    std::string printed;
    for (int ch; (ch = std::fgetc(out)) != EOF;) printed.push_back(static_cast<char>(ch));
    std::fclose(out);
    EXPECT_EQ(status, c.status) << printed;
    EXPECT_NE(printed.find(c.said), std::string::npos) << printed;
    EXPECT_EQ(MessageList::Load(path), c.gameLoads) << "the checker agrees with the game";
    MessageList::Reset();
  }
}
