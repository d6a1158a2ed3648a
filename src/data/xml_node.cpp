#include "data/xml_node.h"

#include <utility>

#include "platform/services.h"

// The state of one parse: the stream, where the current token began, what was
// wrong with it, and the first failure met.  The failure is recorded on every
// parse so that Load and LoadWithReport run exactly the same steps.
struct xmlNode::Reader {
  explicit Reader(File* s) : stream(s) {}

  File* stream;
  long long tokenStart = 0;
  // For kTokenNothing: what was skipped ("space", "tab", "line break",
  // "declaration or comment").  For kTokenError, and for kTokenEnd met inside
  // a quoted string: what went wrong.
  std::string detail;
  bool skippedBlanks = false;  // the last token was kTokenNothing for blanks
  bool failed = false;
  long long failOffset = 0;
  std::string failMessage;

  // Records the failure at the start of the current token; always returns 0
  // so that callers can write `return reader.Fail(...)`.
  int Fail(const std::string& message) {
    if (!failed) {
      failed = true;
      failOffset = tokenStart;
      failMessage = message;
    }
    return 0;
  }
};

namespace {

bool IsBlank(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

const char* BlankName(int c) {
  if (c == ' ') return "space";
  if (c == '\t') return "tab";
  return "line break";
}

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

// How a token appears in a message ("found ...").
std::string Describe(int code, const std::string& token, const std::string& detail) {
  switch (code) {
    case kTokenEnd:
      return detail.empty() ? "end of file" : detail;
    case kTokenNothing:
      return detail;
    case kTokenStartTag:
      return "start tag " + Quoted(token);
    case kTokenTagClose:
      return "'>'";
    case kTokenEndTag:
      return "end tag " + Quoted(token);
    case kTokenEmptyTagClose:
      return "'/>'";
    case kTokenEquals:
      return "'='";
    case kTokenText:
      return "text " + Quoted(token);
    case kTokenQuoted:
      return "quoted string \"" + token + "\"";
    default:
      return detail;
  }
}

// "expected X, found Y"; a malformed token or an unclosed quoted string is
// reported by what is wrong with it instead.
std::string Expected(const std::string& what, int code, const std::string& token,
                     const std::string& detail) {
  if (code == kTokenError || (code == kTokenEnd && !detail.empty())) return detail;
  return "expected " + what + ", found " + Describe(code, token, detail);
}

std::string Where(const xmlNode* parent, const std::string& name) {
  return parent ? "inside element " + Quoted(name) : "outside every element";
}

}  // namespace

int xmlNode::ReadChar(File* stream) {
  if (AtEndOf(stream)) return -1;
  return ReadByteFrom(stream);
}

void xmlNode::UnreadChar(File* stream) { SeekTo(stream, PositionOf(stream) - 1); }

int xmlNode::NextToken(File* stream) {
  Reader reader(stream);
  return NextToken(reader);
}

int xmlNode::NextToken(Reader& reader) {
  File* stream = reader.stream;
  token.clear();
  reader.detail.clear();
  reader.skippedBlanks = false;
  reader.tokenStart = PositionOf(stream);

  int c = ReadChar(stream);
  if (c == -1) return kTokenEnd;

  if (IsBlank(c)) {
    const int first = c;
    for (;;) {
      c = ReadChar(stream);
      if (c == -1) return kTokenEnd;
      if (!IsBlank(c)) {
        UnreadChar(stream);
        reader.detail = BlankName(first);
        reader.skippedBlanks = true;
        return kTokenNothing;
      }
    }
  }

  switch (c) {
    case '<': {
      c = ReadChar(stream);
      if (c == '?' || c == '-') {
        // Declaration or comment: everything up to the next ">", quotes
        // included.
        for (;;) {
          c = ReadChar(stream);
          if (c == -1) {
            reader.detail = "end of file inside declaration or comment";
            return kTokenError;
          }
          if (c == '>') {
            reader.detail = "declaration or comment";
            return kTokenNothing;
          }
        }
      }
      if (c == '/') {
        for (;;) {
          c = ReadChar(stream);
          if (c == '>') {
            UnreadChar(stream);
            return kTokenEndTag;
          }
          if (c == -1) {
            reader.detail = "end of file inside end tag " + Quoted(token);
            return kTokenError;
          }
          if (c == '/' || c == '"' || IsBlank(c)) {
            std::string what = c == '/' ? "'/'" : c == '"' ? "double quote" : BlankName(c);
            reader.detail = what + " inside end tag " + Quoted(token);
            return kTokenError;
          }
          token += static_cast<char>(c);
        }
      }
      // A tag name, ended by one space (consumed) or by ">" or "/" (left for
      // the next token).
      for (;; c = ReadChar(stream)) {
        if (c == ' ') return kTokenStartTag;
        if (c == '>' || c == '/') {
          UnreadChar(stream);
          return kTokenStartTag;
        }
        if (c == -1) {
          reader.detail = "end of file inside tag name " + Quoted(token);
          return kTokenError;
        }
        if (c == '\t' || c == '\r' || c == '\n') {
          reader.detail = std::string(BlankName(c)) + " after tag name " + Quoted(token);
          return kTokenError;
        }
        if (c == '"') {
          reader.detail = "double quote inside tag name " + Quoted(token);
          return kTokenError;
        }
        token += static_cast<char>(c);
      }
    }
    case '>':
      return kTokenTagClose;
    case '/':
      c = ReadChar(stream);
      if (c == '>') return kTokenEmptyTagClose;
      if (c != -1) UnreadChar(stream);
      reader.detail = "'/' not followed by '>'";
      return kTokenError;
    case '=':
      return kTokenEquals;
    case '"':
      for (;;) {
        c = ReadChar(stream);
        if (c == -1) {
          reader.detail = "quoted string not closed before the end of the file";
          return kTokenEnd;
        }
        if (c == '"') break;
        token += static_cast<char>(c);
      }
      do {
        c = ReadChar(stream);
      } while (IsBlank(c));
      if (c != -1) UnreadChar(stream);
      return kTokenQuoted;
    default:
      token += static_cast<char>(c);
      for (;;) {
        c = ReadChar(stream);
        if (c == -1) return kTokenText;
        if (c == '<' || c == '/' || c == '=' || c == '>' || c == '\r' || c == '\n') {
          UnreadChar(stream);
          return kTokenText;
        }
        token += static_cast<char>(c);
      }
  }
}

int xmlNode::ParseContent(xmlNode* parent, File* stream) {
  Reader reader(stream);
  return ParseContent(parent, reader, 0);
}

// depth: how many elements enclose this content (0 for the document node).
int xmlNode::ParseContent(xmlNode* parent, Reader& reader, int depth) {
  for (;;) {
    int code = NextToken(reader);
    switch (code) {
      case kTokenStartTag: {
        if (depth + 1 > kMaxXmlDepth) {
          return reader.Fail("elements nested deeper than " + std::to_string(kMaxXmlDepth) +
                             " levels at start tag " + Quoted(token));
        }
        auto child = std::make_unique<xmlNode>();
        child->name = token;
        code = NextToken(reader);
        while (code == kTokenText) {
          xmlAttribute attribute;
          attribute.name = token;
          code = NextToken(reader);
          if (code != kTokenEquals) {
            return reader.Fail(Expected("'=' after attribute name " + Quoted(attribute.name),
                                        code, token, reader.detail));
          }
          code = NextToken(reader);
          if (code != kTokenQuoted) {
            return reader.Fail(Expected("a double-quoted value after '" + attribute.name + "='",
                                        code, token, reader.detail));
          }
          attribute.value = token;
          child->attributes.push_back(std::move(attribute));
          code = NextToken(reader);
        }
        if (code == kTokenTagClose) {
          if (!child->ParseContent(this, reader, depth + 1)) return 0;
        } else if (code != kTokenEmptyTagClose) {
          if (reader.skippedBlanks && child->attributes.empty()) {
            // The one space after the name was consumed with it; this is a
            // second blank.
            const std::string what = reader.detail == "space" ? "more than one space" : reader.detail;
            return reader.Fail(what + " after tag name " + Quoted(child->name));
          }
          const std::string after = child->attributes.empty()
                                        ? "after tag name " + Quoted(child->name)
                                        : "after attribute " + Quoted(child->attributes.back().name) +
                                              " in start tag " + Quoted(child->name);
          return reader.Fail(
              Expected("attribute name, '>' or '/>' " + after, code, token, reader.detail));
        }
        children.push_back(std::move(child));
        break;
      }
      case kTokenEndTag: {
        if (token != name) {
          if (!parent) return reader.Fail("end tag " + Quoted(token) + " outside every element");
          return reader.Fail("end tag " + Quoted(token) + " does not match " + Quoted(name));
        }
        const std::string closing = token;
        code = NextToken(reader);
        if (code != kTokenTagClose) {
          return reader.Fail(Expected("'>' after end tag " + Quoted(closing), code, token,
                                      reader.detail));
        }
        return 1;
      }
      case kTokenText:
        if (!parent) return reader.Fail("text " + Quoted(token) + " outside every element");
        break;  // text content is not kept
      case kTokenTagClose:
      case kTokenEmptyTagClose:
        return reader.Fail("unexpected " + Describe(code, token, reader.detail) + " " +
                           Where(parent, name));
      case kTokenError:
        return reader.Fail(reader.detail);
      case kTokenEnd:
        if (!parent) return 1;
        if (!reader.detail.empty()) return reader.Fail(reader.detail);
        return reader.Fail("end of file inside element " + Quoted(name));
      default:
        break;  // blanks, declarations, stray "=" and stray quoted strings
    }
  }
}

namespace {

// Line and column (1-based) of a byte offset.  LF, CR LF and a lone CR each
// end a line.
void LocateOffset(File* stream, long long offset, XmlError* error) {
  SeekTo(stream, 0);
  int line = 1;
  int column = 1;
  bool afterCr = false;
  for (long long i = 0; i < offset && !AtEndOf(stream); ++i) {
    int c = ReadByteFrom(stream);
    if (c == '\r') {
      ++line;
      column = 1;
      afterCr = true;
    } else if (c == '\n') {
      if (!afterCr) {
        ++line;
        column = 1;
      }
      afterCr = false;
    } else {
      ++column;
      afterCr = false;
    }
  }
  error->offset = offset;
  error->line = line;
  error->column = column;
}

}  // namespace

std::unique_ptr<xmlNode> xmlNode::Load(const std::string& path) {
  return LoadWithReport(path, nullptr);
}

std::unique_ptr<xmlNode> xmlNode::LoadWithReport(const std::string& path, XmlError* error) {
  if (error) *error = XmlError();
  File* stream = OpenFile(path, 1, 0);
  if (!stream) {
    if (error) error->message = "cannot open file";
    return nullptr;
  }
  xmlNode document;
  Reader reader(stream);
  const bool parsed = document.ParseContent(nullptr, reader, 0) == 1;
  if (parsed && document.children.empty()) {
    reader.failOffset = reader.tokenStart;
    reader.failMessage = "file has no element";
  }
  const bool ok = parsed && !document.children.empty();
  if (!ok && error) {
    LocateOffset(stream, reader.failOffset, error);
    error->message = reader.failMessage;
  }
  CloseFile(stream);
  if (!ok) return nullptr;
  return std::move(document.children.front());
}

int xmlNode::ChildCount() const { return static_cast<int>(children.size()); }

xmlNode* xmlNode::Child(int index) {
  if (index < 0 || index >= ChildCount()) return nullptr;
  return children[static_cast<size_t>(index)].get();
}

const xmlNode* xmlNode::Child(int index) const {
  return const_cast<xmlNode*>(this)->Child(index);
}

int xmlNode::HasAttribute(const std::string& name) const { return Attribute(name) ? 1 : 0; }

xmlAttribute* xmlNode::Attribute(const std::string& name) {
  for (xmlAttribute& attribute : attributes) {
    if (attribute.name == name) return &attribute;
  }
  return nullptr;
}

const xmlAttribute* xmlNode::Attribute(const std::string& name) const {
  return const_cast<xmlNode*>(this)->Attribute(name);
}
