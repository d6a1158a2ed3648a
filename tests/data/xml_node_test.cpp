// The data-file reader: tokens, put-back, what loads and what fails, the tree
// it builds, and the failure report for the data-file checker.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "data/xml_node.h"
#include "platform/services.h"
#include "support/temp_dir.h"

namespace {

struct Token {
  int code;
  std::string text;
  bool operator==(const Token& other) const { return code == other.code && text == other.text; }
};

std::ostream& operator<<(std::ostream& out, const Token& t) {
  return out << "{" << t.code << ", \"" << t.text << "\"}";
}

class Xml : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDataFolder("");
    ASSERT_FALSE(dir.path().empty()) << "mkdtemp failed";
  }
  void TearDown() override { SetDataFolder(""); }

  std::string Write(const std::string& bytes, const std::string& name = "file.xml") {
    const std::string path = dir / name;
    WriteFileBytes(path, bytes);
    return path;
  }
  std::unique_ptr<xmlNode> LoadText(const std::string& bytes) { return xmlNode::Load(Write(bytes)); }

  // Reads `count` tokens from a file holding `bytes`.
  std::vector<Token> Tokens(const std::string& bytes, size_t count) {
    File* file = OpenFile(Write(bytes), 1, 0);
    EXPECT_NE(file, nullptr);
    std::vector<Token> tokens;
    if (!file) return tokens;
    xmlNode reader;
    for (size_t i = 0; i < count; ++i) {
      int code = reader.NextToken(file);
      tokens.push_back({code, reader.token});
    }
    CloseFile(file);
    return tokens;
  }

  TempDir dir;
};

std::string Nested(int depth) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "<a>";
  for (int i = 0; i < depth; ++i) text += "</a>";
  return text;
}

// ---- Characters and tokens -------------------------------------------------

TEST_F(Xml, ReadCharGivesBytesAsUnsignedAndMinusOneAtTheEnd) {
  File* file = OpenFile(Write("a\xE9"), 1, 0);
  ASSERT_NE(file, nullptr);
  xmlNode reader;
  EXPECT_EQ(reader.ReadChar(file), 'a');
  EXPECT_EQ(reader.ReadChar(file), 0xE9);
  EXPECT_EQ(reader.ReadChar(file), -1);
  EXPECT_EQ(reader.ReadChar(file), -1) << "the end does not move";
  reader.UnreadChar(file);
  EXPECT_EQ(reader.ReadChar(file), 0xE9) << "the last byte is put back";
  reader.UnreadChar(file);
  reader.UnreadChar(file);
  EXPECT_EQ(reader.ReadChar(file), 'a');
  CloseFile(file);
}

TEST_F(Xml, TokenSequences) {
  struct Case {
    const char* input;
    std::vector<Token> tokens;  // exactly these, in order
  };
  const Case cases[] = {
      {"", {{kTokenEnd, ""}, {kTokenEnd, ""}}},
      {" \t\r\n ", {{kTokenEnd, ""}}},
      {" \r\n\tx", {{kTokenNothing, ""}, {kTokenText, "x"}, {kTokenEnd, ""}}},
      {"<a>", {{kTokenStartTag, "a"}, {kTokenTagClose, ""}, {kTokenEnd, ""}}},
      {"<a b", {{kTokenStartTag, "a"}, {kTokenText, "b"}, {kTokenEnd, ""}}},
      {"<a  >", {{kTokenStartTag, "a"}, {kTokenNothing, ""}, {kTokenTagClose, ""}}},
      {"<a/>", {{kTokenStartTag, "a"}, {kTokenEmptyTagClose, ""}, {kTokenEnd, ""}}},
      {"<>", {{kTokenStartTag, ""}, {kTokenTagClose, ""}}},
      {"< >", {{kTokenStartTag, ""}, {kTokenTagClose, ""}}},
      {"<a<b=c>", {{kTokenStartTag, "a<b=c"}, {kTokenTagClose, ""}}},
      {"</quest>", {{kTokenEndTag, "quest"}, {kTokenTagClose, ""}, {kTokenEnd, ""}}},
      {"</>", {{kTokenEndTag, ""}, {kTokenTagClose, ""}}},
      {"=>", {{kTokenEquals, ""}, {kTokenTagClose, ""}}},
      {"a=\"1\"", {{kTokenText, "a"}, {kTokenEquals, ""}, {kTokenQuoted, "1"}, {kTokenEnd, ""}}},
      {"\"x y\r\nz\" \r\n\t/>", {{kTokenQuoted, "x y\r\nz"}, {kTokenEmptyTagClose, ""}}},
      {"\"\"", {{kTokenQuoted, ""}, {kTokenEnd, ""}}},
      {"\"never closed", {{kTokenEnd, "never closed"}}},
      {"two words\t\"q\"'s>", {{kTokenText, "two words\t\"q\"'s"}, {kTokenTagClose, ""}}},
      {"x\r\ny", {{kTokenText, "x"}, {kTokenNothing, ""}, {kTokenText, "y"}}},
      {"a/b", {{kTokenText, "a"}, {kTokenError, ""}, {kTokenText, "b"}}},
      {"/", {{kTokenError, ""}, {kTokenEnd, ""}}},
      {"&amp;\xE9\xFF", {{kTokenText, "&amp;\xE9\xFF"}, {kTokenEnd, ""}}},
      {"<\xC4\xE9>", {{kTokenStartTag, "\xC4\xE9"}, {kTokenTagClose, ""}}},
      {"<?xml version=\"1.0\"?>x", {{kTokenNothing, ""}, {kTokenText, "x"}}},
      {"<- \"a>b\" ->", {{kTokenNothing, ""}, {kTokenText, "b\" -"}, {kTokenTagClose, ""}}},
      {"<!-- c -->", {{kTokenStartTag, "!--"}, {kTokenText, "c --"}, {kTokenTagClose, ""}}},
      // Malformed tags; what follows an error is not relied on.
      {"<?never closed", {{kTokenError, ""}}},
      {"<-", {{kTokenError, ""}}},
      {"<", {{kTokenError, ""}}},
      {"<a", {{kTokenError, "a"}}},
      {"<a\nb", {{kTokenError, "a"}}},
      {"<a\rb", {{kTokenError, "a"}}},
      {"<a\tb", {{kTokenError, "a"}}},
      {"<a\"b", {{kTokenError, "a"}}},
      {"</a", {{kTokenError, "a"}}},
      {"</a b>", {{kTokenError, "a"}}},
      {"</a/>", {{kTokenError, "a"}}},
      {"</a\t>", {{kTokenError, "a"}}},
      {"</a\n>", {{kTokenError, "a"}}},
      {"</a\">", {{kTokenError, "a"}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Tokens(c.input, c.tokens.size()), c.tokens) << "input: " << c.input;
  }
}

TEST_F(Xml, TokensPutBackTheCharacterThatEndsThem) {
  struct Case {
    const char* input;
    int code;
    long long positionAfter;  // where the next token starts
  };
  const Case cases[] = {
      {"abc<", kTokenText, 3},      {"abc", kTokenText, 3},
      {"ab\r\n", kTokenText, 2},    {"ab/", kTokenText, 2},
      {"  \r\n\tx", kTokenNothing, 5}, {"<a b", kTokenStartTag, 3},
      {"<a>", kTokenStartTag, 2},   {"<a/>", kTokenStartTag, 2},
      {"</a>", kTokenEndTag, 3},    {"\"v\" \r\n x", kTokenQuoted, 7},
      {"\"v\"x", kTokenQuoted, 3},  {"/x", kTokenError, 1},
      {"/>", kTokenEmptyTagClose, 2}, {"<?x?>y", kTokenNothing, 5},
      {">>", kTokenTagClose, 1},    {"==", kTokenEquals, 1},
  };
  for (const Case& c : cases) {
    File* file = OpenFile(Write(c.input), 1, 0);
    ASSERT_NE(file, nullptr);
    xmlNode reader;
    EXPECT_EQ(reader.NextToken(file), c.code) << "input: " << c.input;
    EXPECT_EQ(PositionOf(file), c.positionAfter) << "input: " << c.input;
    CloseFile(file);
  }
}

// ---- What loads ------------------------------------------------------------

TEST_F(Xml, AcceptsExactlyTheRestrictedSyntax) {
  struct Case {
    const char* input;
    bool loads;
  };
  const Case cases[] = {
      // Spaces around tag names and attributes.
      {"<a/>", true},
      {"<a />", true},
      {"<a >\n</a>", true},
      {"<a  />", false},
      {"<a\t/>", false},
      {"<a \t/>", false},
      {"<a\n/>", false},
      {"<a\r\n/>", false},
      {"<a b=\"1\"/>", true},
      {"<a  b=\"1\"/>", false},
      {"<a\tb=\"1\"/>", false},
      {"<a\nb=\"1\"/>", false},
      {"<a b=\"1\"\r\n   c=\"2\"\t/>", true},
      {"<a b=\"1\"c=\"2\"/>", true},
      {"<a b =\"1\"/>", true},
      {"<a b= \"1\"/>", false},
      {"<a b='1'/>", false},
      {"<a b=1/>", false},
      {"<a b/>", false},
      {"<a b=/>", false},
      {"<a b=\"1\"", false},
      {"<a b=\"never closed/>", false},
      {"<a\"b/>", false},
      {"<a/", false},
      // Content.
      {"<a>text</a>", true},
      {"<a>two words\tand \"quotes\" &amp;</a>", true},
      {"<a>x/y</a>", false},
      {"<a>= \"stray\"</a>", true},
      {"<a>></a>", false},
      {"<a>/></a>", false},
      // End tags.
      {"<a></a >", false},
      {"<a></ a>", false},
      {"<a></A>", false},
      {"<a><b></a></b>", false},
      {"<a>", false},
      {"<a><b/>", false},
      {"<></>", true},
      // Top level.
      {"</a>", false},
      {"text<a/>", false},
      {"<a/>text", false},
      {"<a/><b>", false},
      {"<a/>\r\n<b/>", true},
      {"<a/>\n\"stray\" = \n", true},
      {"<a/></>text", true},  // an empty end tag closes the document
      // Declarations and comments.
      {"<?xml version=\"1.0\"?><a/>", true},
      {"<?xml version=\"1.0\"", false},
      {"<- a comment -> <a/>", true},
      {"<a><- inside -></a>", true},
      {"<- x=\"a>b\" -><a/>", false},  // quotes do not hide the ">"
      {"<!-- comment --><a/>", false},
      {"<a/><!-- comment -->", false},
      {"<a><!-- c --></a>", false},
  };
  for (const Case& c : cases) {
    std::unique_ptr<xmlNode> root = LoadText(c.input);
    EXPECT_EQ(root != nullptr, c.loads) << "input: " << c.input;
    // The report changes nothing about what loads.
    XmlError error;
    std::unique_ptr<xmlNode> reported = xmlNode::LoadWithReport(dir / "file.xml", &error);
    EXPECT_EQ(reported != nullptr, c.loads) << "with report, input: " << c.input;
    EXPECT_EQ(error.message.empty(), c.loads) << "input: " << c.input << " message: " << error.message;
  }
}

TEST_F(Xml, SettingsFileWithDeclaration) {
  std::unique_ptr<xmlNode> root = LoadText(
      "<?xml version=\"1.0\"?>\r\n"
      "<options>\r\n"
      "  <profile name=\"Ann\"/>\r\n"
      "  <audio sound_volume=\"80\" music_volume=\"60\"/>\r\n"
      "  <graphics renderer=\"1\" fullscreen=\"0\"/>\r\n"
      "</options>\r\n");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->name, "options");
  EXPECT_TRUE(root->attributes.empty());
  ASSERT_EQ(root->ChildCount(), 3);
  EXPECT_EQ(root->Child(0)->name, "profile");
  EXPECT_EQ(root->Child(0)->Attribute("name")->value, "Ann");
  const xmlNode* audio = root->Child(1);
  EXPECT_EQ(audio->name, "audio");
  ASSERT_EQ(audio->attributes.size(), 2u);
  EXPECT_EQ(audio->attributes[0].name, "sound_volume");
  EXPECT_EQ(audio->attributes[0].value, "80");
  EXPECT_EQ(audio->attributes[1].name, "music_volume");
  EXPECT_EQ(audio->attributes[1].value, "60");
  EXPECT_EQ(root->Child(2)->Attribute("fullscreen")->value, "0");
  EXPECT_EQ(root->Child(2)->ChildCount(), 0);
}

TEST_F(Xml, TreeKeepsDocumentOrderAndLooksUpExactly) {
  std::unique_ptr<xmlNode> root = LoadText(
      "<quest name=\"Hills\" Name=\"other\">\n"
      "some text that is dropped\n"
      "<level file=\"a.xml\"><event time=\"5\"/></level>\n"
      "<level file=\"b.xml\"/>\n"
      "<token count=\"2\"/>\n"
      "</quest>\n");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->name, "quest");
  ASSERT_EQ(root->ChildCount(), 3) << "text is not a child";
  EXPECT_EQ(root->Child(0)->Attribute("file")->value, "a.xml");
  EXPECT_EQ(root->Child(1)->Attribute("file")->value, "b.xml");
  EXPECT_EQ(root->Child(2)->name, "token");
  ASSERT_EQ(root->Child(0)->ChildCount(), 1);
  EXPECT_EQ(root->Child(0)->Child(0)->name, "event");
  EXPECT_EQ(root->Child(0)->Child(0)->Attribute("time")->value, "5");

  EXPECT_EQ(root->Child(-1), nullptr);
  EXPECT_EQ(root->Child(3), nullptr);
  EXPECT_EQ(root->Child(2)->Child(0), nullptr);

  EXPECT_EQ(root->HasAttribute("name"), 1);
  EXPECT_EQ(root->HasAttribute("Name"), 1);
  EXPECT_EQ(root->HasAttribute("NAME"), 0);
  EXPECT_EQ(root->HasAttribute("nam"), 0);
  EXPECT_EQ(root->HasAttribute(""), 0);
  EXPECT_EQ(root->Attribute("name")->value, "Hills");
  EXPECT_EQ(root->Attribute("Name")->value, "other");
  EXPECT_EQ(root->Attribute("names"), nullptr);
}

TEST_F(Xml, ValuesAndNamesAreKeptAsWritten) {
  std::unique_ptr<xmlNode> root = LoadText(
      "<msg text=\"first line\r\nsecond line\" id=\"1\" id=\"2\" link=\"a &amp; b &#38; &lt;\" "
      "w\xE9rt=\"\xE4\xF6\xFC\xFF\" empty=\"\" pre =\"x\" slash=\"a/b>c\"/>");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->Attribute("text")->value, "first line\r\nsecond line");
  EXPECT_EQ(root->Attribute("link")->value, "a &amp; b &#38; &lt;") << "no entity decoding";
  EXPECT_EQ(root->Attribute("w\xE9rt")->value, "\xE4\xF6\xFC\xFF") << "8-bit bytes unchanged";
  EXPECT_EQ(root->Attribute("empty")->value, "");
  EXPECT_EQ(root->HasAttribute("empty"), 1);
  EXPECT_EQ(root->Attribute("slash")->value, "a/b>c");
  EXPECT_EQ(root->Attribute("pre"), nullptr) << "a space before '=' belongs to the name";
  EXPECT_EQ(root->Attribute("pre ")->value, "x");

  ASSERT_EQ(root->attributes.size(), 8u) << "duplicates are kept";
  EXPECT_EQ(root->attributes[1].value, "1");
  EXPECT_EQ(root->attributes[2].value, "2");
  EXPECT_EQ(root->Attribute("id")->value, "1") << "the first of two";
}

TEST_F(Xml, OnlyTheFirstTopLevelElementIsReturned) {
  std::unique_ptr<xmlNode> root = LoadText("<first a=\"1\"/>\n<second/>\n<third><x/></third>");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->name, "first");
  EXPECT_EQ(root->Attribute("a")->value, "1");
}

TEST_F(Xml, NoElementGivesNoNode) {
  EXPECT_EQ(LoadText(""), nullptr);
  EXPECT_EQ(LoadText("<?xml version=\"1.0\"?>\r\n"), nullptr);
  EXPECT_EQ(LoadText("  \r\n<- nothing but a comment ->\r\n"), nullptr);
  EXPECT_EQ(xmlNode::Load(dir / "missing.xml"), nullptr);
  EXPECT_EQ(xmlNode::Load(dir.path()), nullptr) << "a folder";
}

TEST_F(Xml, RelativePathsComeFromTheDataFolder) {
  ASSERT_EQ(CreateFolder(dir / "Data", 0), 1);
  Write("<quests/>", "Data/quests.xml");
  SetDataFolder(dir.path());
  std::unique_ptr<xmlNode> root = xmlNode::Load("Data\\quests.xml");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->name, "quests");
}

TEST_F(Xml, DeepNestingFailsCleanly) {
  std::unique_ptr<xmlNode> root = LoadText(Nested(kMaxXmlDepth));
  ASSERT_NE(root, nullptr) << "the deepest allowed nesting loads";
  const xmlNode* node = root.get();
  int depth = 1;
  while (node->ChildCount() == 1) {
    node = node->Child(0);
    ++depth;
  }
  EXPECT_EQ(depth, kMaxXmlDepth);

  EXPECT_EQ(LoadText(Nested(kMaxXmlDepth + 1)), nullptr);
  EXPECT_EQ(LoadText(Nested(100000)), nullptr);
  XmlError error;
  EXPECT_EQ(xmlNode::LoadWithReport(dir / "file.xml", &error), nullptr);
  EXPECT_EQ(error.message, "elements nested deeper than 256 levels at start tag 'a'");
  EXPECT_EQ(error.offset, 3 * kMaxXmlDepth);
}

// ---- The failure report ----------------------------------------------------

TEST_F(Xml, ReportNamesTheFailingTokenAndWhereItStarts) {
  struct Case {
    const char* input;
    long long offset;
    int line;
    int column;
    const char* message;
  };
  const Case cases[] = {
      {"<quest>\r\n  <level id=x/>\r\n</quest>\r\n", 21, 2, 13,
       "expected a double-quoted value after 'id=', found text 'x'"},
      {"<quest>\n  <level id/>\n</quest>\n", 19, 2, 12,
       "expected '=' after attribute name 'id', found '/>'"},
      {"<a id\n=\"1\"/>", 5, 1, 6, "expected '=' after attribute name 'id', found line break"},
      {"<a b= \"1\"/>", 5, 1, 6, "expected a double-quoted value after 'b=', found space"},
      {"<quest>\n<level\nid=\"1\"/>\n</quest>\n", 8, 2, 1, "line break after tag name 'level'"},
      {"<a\tb=\"1\"/>", 0, 1, 1, "tab after tag name 'a'"},
      {"<a  b=\"1\"/>", 3, 1, 4, "more than one space after tag name 'a'"},
      {"<a b=\"1\" c/>", 10, 1, 11, "expected '=' after attribute name 'c', found '/>'"},
      {"<a b=\"1\"", 8, 1, 9,
       "expected attribute name, '>' or '/>' after attribute 'b' in start tag 'a', found end of "
       "file"},
      {"<quest name=\"q\">\r\n  <level/>\r\n", 28, 2, 11, "end of file inside element 'quest'"},
      {"<a>\n  </b>\n", 6, 2, 3, "end tag 'b' does not match 'a'"},
      {"\n\n</a>", 2, 3, 1, "end tag 'a' outside every element"},
      {"<a/>\r\nhello", 6, 2, 1, "text 'hello' outside every element"},
      {"<a>\r\n<b c=\"1>\r\n</a>\r\n", 10, 2, 6,
       "quoted string not closed before the end of the file"},
      {"<a>\r/x</a>", 4, 2, 1, "'/' not followed by '>'"},
      {"<a>></a>", 3, 1, 4, "unexpected '>' inside element 'a'"},
      {"<a/>/>", 4, 1, 5, "unexpected '/>' outside every element"},
      {"<a></a b>", 3, 1, 4, "space inside end tag 'a'"},
      {"<!-- note -->\n<a/>", 12, 1, 13, "expected '=' after attribute name 'note --', found '>'"},
      {"<?xml version=\"1.0\"", 0, 1, 1, "end of file inside declaration or comment"},
      {"", 0, 1, 1, "file has no element"},
      {"<?xml version=\"1.0\"?>\r\n", 21, 1, 22, "file has no element"},
  };
  for (const Case& c : cases) {
    const std::string path = Write(c.input);
    XmlError error;
    EXPECT_EQ(xmlNode::LoadWithReport(path, &error), nullptr) << "input: " << c.input;
    EXPECT_EQ(error.message, c.message) << "input: " << c.input;
    EXPECT_EQ(error.offset, c.offset) << "input: " << c.input;
    EXPECT_EQ(error.line, c.line) << "input: " << c.input;
    EXPECT_EQ(error.column, c.column) << "input: " << c.input;
    EXPECT_EQ(xmlNode::Load(path), nullptr) << "input: " << c.input;
  }
}

TEST_F(Xml, ReportForAMissingFileAndAfterSuccess) {
  XmlError error;
  EXPECT_EQ(xmlNode::LoadWithReport(dir / "missing.xml", &error), nullptr);
  EXPECT_EQ(error.message, "cannot open file");
  EXPECT_EQ(error.line, 0);
  EXPECT_EQ(error.column, 0);

  error = {12, 3, 4, "stale"};
  std::unique_ptr<xmlNode> root = xmlNode::LoadWithReport(Write("<a/>"), &error);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->name, "a");
  EXPECT_EQ(error.message, "");
  EXPECT_EQ(error.offset, 0);
  EXPECT_EQ(error.line, 0);

  EXPECT_NE(xmlNode::LoadWithReport(Write("<a/>"), nullptr), nullptr) << "the report is optional";
}

}  // namespace
