#include "app/logging.h"

#include "app/globals.h"
#include "platform/services.h"

void Logging::ClearLog(const std::string& path) { DeleteFile(path); }

void Logging::AppendLog(const std::string& text, const std::string& path) {
  if (path.empty()) return;
  if (FileSizeOf(path) == -1) CreateEmptyFile(path);
  File* file = OpenFile(path, 1, 1);
  if (!file) return;
  SeekTo(file, SizeOf(file));
  WriteTextLine(file, text);
  CloseFile(file);
}

void Log(const std::string& text) { Logging::AppendLog(text, LogFilePath); }
