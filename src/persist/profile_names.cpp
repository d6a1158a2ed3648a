#include "persist/profile_names.h"

#include "platform/services.h"

std::string ProfileNameProblem(const std::string& name) {
  if (name.empty()) return "is empty";
  if (static_cast<int>(name.size()) > kMaxProfileNameLength)
    return "is longer than " + IntToText(kMaxProfileNameLength) + " characters";
  if (name[0] == '.') return "starts with a dot";
  for (char ch : name) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '/' || c == '\\') return "holds a slash or a backslash";
    if (c == '"') return "holds a double quote";
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0)) return "holds a control character";
  }
  return "";
}

std::string Latin1ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      out.push_back(ch);
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

bool Utf8ToLatin1(const std::string& text, std::string* latin1) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
      continue;
    }
    // Only the two-byte forms of U+0080 to U+00FF: lead byte C2 or C3.
    if ((c != 0xC2 && c != 0xC3) || i + 1 >= text.size()) return false;
    const unsigned char next = static_cast<unsigned char>(text[i + 1]);
    if ((next & 0xC0) != 0x80) return false;
    out.push_back(static_cast<char>(((c & 0x03) << 6) | (next & 0x3F)));
    ++i;
  }
  *latin1 = out;
  return true;
}

std::string ProfileFileName(const std::string& name) { return Latin1ToUtf8(name) + ".usr"; }

std::string ProfileNameOfFile(const std::string& fileName) {
  const std::string suffix = ".usr";
  if (fileName.size() <= suffix.size() ||
      fileName.compare(fileName.size() - suffix.size(), suffix.size(), suffix) != 0)
    return "";
  std::string name;
  if (!Utf8ToLatin1(fileName.substr(0, fileName.size() - suffix.size()), &name)) return "";
  return IsProfileNameAllowed(name) ? name : "";
}
