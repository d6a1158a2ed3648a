// The reader that every data file of the game goes through: a restricted,
// tag-and-attribute subset of XML read byte by byte into a tree of elements.
//
// What it accepts, in short: attribute values in double quotes only, no blanks
// around "=", exactly one space between a tag name and its first attribute,
// "<?...>" and "<-...>" skipped up to the next ">", no entity decoding ("&" is
// an ordinary character), text between tags tolerated and discarded, text
// outside every element rejected.  Each byte is one character (0 to 255).
#pragma once

#include <memory>
#include <string>
#include <vector>

struct File;

// Token codes returned by xmlNode::NextToken.
constexpr int kTokenEnd = -1;           // end of the file
constexpr int kTokenNothing = 0;        // blanks, or a skipped declaration or comment
constexpr int kTokenStartTag = 1;       // "<" and a tag name (the name is the token text)
constexpr int kTokenTagClose = 2;       // ">"
constexpr int kTokenEndTag = 3;         // "</" and a name (the ">" is left for the next token)
constexpr int kTokenEmptyTagClose = 4;  // "/>"
constexpr int kTokenEquals = 5;         // "="
constexpr int kTokenText = 6;           // other characters up to "<", "/", "=", ">", CR or LF
constexpr int kTokenQuoted = 7;         // a double-quoted string, without the quotes
constexpr int kTokenError = 9;          // malformed tag, end tag or stray "/"

// Elements may nest at most this deep (the root element is level 1).  Real
// data files nest a handful of levels; the limit only keeps a hostile or
// broken file from exhausting the stack, and such a file fails to load.
constexpr int kMaxXmlDepth = 256;

// Where and why a file failed to load, for tools that check data files.
// offset is the byte offset of the first character of the token that failed;
// line and column (1-based, in bytes) are computed from it.  A file that
// cannot be opened has line and column 0.
struct XmlError {
  long long offset = 0;
  int line = 0;
  int column = 0;
  std::string message;
};

class xmlAttribute {
 public:
  std::string name;
  std::string value;  // without the quotes
};

class xmlNode {
 public:
  std::string name;  // empty for the document node that Load parses into
  std::vector<std::unique_ptr<xmlNode>> children;
  std::vector<xmlAttribute> attributes;  // document order, duplicates kept
  std::string token;                     // text of the last token read

  // The first top-level element of the file, or null when the file cannot be
  // opened, does not parse, or holds no element.  Relative paths are taken
  // from the data folder.
  static std::unique_ptr<xmlNode> Load(const std::string& path);
  // The same parse as Load; on failure also fills *error when it is not
  // null, and on success resets it.  It accepts exactly what Load accepts.
  static std::unique_ptr<xmlNode> LoadWithReport(const std::string& path, XmlError* error);

  // -1 at the end of the file, else the next byte (0 to 255).
  int ReadChar(File* stream);
  // Steps back over the last byte read.
  void UnreadChar(File* stream);
  // Reads one token, leaves its text in `token` and returns its code.
  int NextToken(File* stream);
  // Parses this element's content up to and including its end tag (for the
  // document node, parent null: up to the end of the file).  1 on success,
  // 0 on failure.
  int ParseContent(xmlNode* parent, File* stream);

  int ChildCount() const;
  // The child at a 0-based index, or null outside 0 .. ChildCount() - 1.
  xmlNode* Child(int index);
  const xmlNode* Child(int index) const;
  // Names are compared exactly (case-sensitive).
  int HasAttribute(const std::string& name) const;
  // The first attribute with this name, or null.
  xmlAttribute* Attribute(const std::string& name);
  const xmlAttribute* Attribute(const std::string& name) const;

 private:
  struct Reader;
  int NextToken(Reader& reader);
  int ParseContent(xmlNode* parent, Reader& reader, int depth);
};
