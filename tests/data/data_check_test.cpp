#include "data/data_check.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "platform/png_writer.h"
#include "platform/services.h"
#include "support/check_runner.h"
#include "support/temp_dir.h"

TEST(DataCheck, CataloguesAndXmlErrors) {
  TempDir dir;
  std::string error;
  ASSERT_EQ(CreateFolder(dir / "Data", 0), 1);
  ASSERT_TRUE(WritePngFile(dir / "Data/a.png", 64, 32, std::vector<uint32_t>(64 * 32, 0xFFFF0000u),
                           &error));
  struct Case {
    std::string file, content;
    int status;
    std::string message;
  };
  const Case cases[] = {
      {"files.xml", "<files>\r\n<image id=\"100\" path=\"Data\\a.png\" size_x=\"32\" size_y=\"32\" number=\"2\"/>\r\n</files>\r\n",
       0, "files.xml: ok"},
      {"files.xml", "<files>\r\n<image id=\"1\" path=\"Data/none.png\"/>\r\n</files>\r\n", 1,
       "image 1 ('Data/none.png'): the file does not exist"},
      {"files.xml", "<files>\r\n<audio id=\"5\"/>\r\n</files>\r\n", 1,
       "element 1 ('audio') has no 'path' attribute"},
      {"files.xml",
       "<files>\r\n<image id=\"100\" path=\"Data/a.png\" size_x=\"32\" size_y=\"32\" number=\"2\"/>\r\n"
       "<image id=\"101\" path=\"Data/a.png\"/>\r\n</files>\r\n",
       1, "identifier 101 is already registered by 'Data/a.png'"},
      {"files.xml",
       "<files>\r\n<image id=\"101\" path=\"Data/a.png\"/>\r\n"
       "<image id=\"100\" path=\"Data/a.png\" size_x=\"32\" size_y=\"32\" number=\"2\"/>\r\n</files>\r\n",
       0, "warning: image 100 ('Data/a.png'): its identifiers 100 to 101 overlap"},
      {"files.xml", "<files>\r\n<image id=\"1\" path=\"Data/a.png\" size_x=\"32\" size_y=\"32\" number=\"3\"/>\r\n</files>\r\n",
       1, "holds fewer than 3 cells of 32 by 32"},
      {"files.xml", "<files>\r\n<font id=\"1\" path=\"Data/a.png\"/>\r\n</files>\r\n", 1,
       "font 1 ('Data/a.png'): the font does not load at size 12"},
      {"files.xml", "<files/>\r\n", 1, "the root element has no elements"},
      {"level.xml", "<a>\r\n<b  x=\"1\"/>\r\n</a>\r\n", 1, "level.xml:2:4: more than one space"},
      {"level.xml", "<a x=\"1\"/>\r\n", 0, "level.xml: ok"},
  };
  for (const Case& c : cases) {
    WriteFileBytes(dir / c.file, c.content);
    std::string printed;
    EXPECT_EQ(RunCheck(dir / c.file, &printed), c.status) << c.content << printed;
    EXPECT_NE(printed.find(c.message), std::string::npos) << printed;
  }
  std::string printed;
  EXPECT_EQ(RunCheck(dir / "missing.xml", &printed), 1);
  EXPECT_NE(printed.find("no such file"), std::string::npos);
}
