// The plain-text log in the game folder: rewritten at every start, each line
// written through at once so that it survives an abrupt end.
#pragma once

#include <string>

class Logging {
 public:
  static void ClearLog(const std::string& path);
  // One line: the text's bytes, then CR LF.  Fails silently.
  static void AppendLog(const std::string& text, const std::string& path);
};

// Appends a line to the game's log (LogFilePath).
void Log(const std::string& text);
