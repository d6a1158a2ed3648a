// Files, folders, the data folder and the date and time texts.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <vector>

#include "platform/services.h"

// A file opened for reading only is read through a window of its own, so
// that reading a byte, stepping back over it and asking for the position cost
// no system call; stdio's ftell and fseek would each issue one.
struct File {
  FILE* handle = nullptr;
  bool windowed = false;            // read-only: the fields below are used
  long long size = 0;               // the file's size when it was opened
  long long position = 0;           // the next byte to read
  long long windowStart = 0;        // file offset of window[0]
  std::vector<unsigned char> window;
};

struct FolderListing {
  std::vector<std::string> names;
  size_t next = 0;
};

namespace {
std::string TheDataFolder;

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
}  // namespace

void SetDataFolder(const std::string& folder) {
  TheDataFolder = folder;
  while (TheDataFolder.size() > 1 && TheDataFolder.back() == '/') TheDataFolder.pop_back();
}

const std::string& DataFolder() { return TheDataFolder; }

std::string ResolvePath(const std::string& path) {
  std::string p = path;
  std::replace(p.begin(), p.end(), '\\', '/');
  if (p.empty() || p[0] == '/' || TheDataFolder.empty()) return p;
  return TheDataFolder + "/" + p;
}

File* OpenFile(const std::string& path, int readable, int writable) {
  std::string p = ResolvePath(path);
  const char* mode = nullptr;
  if (readable && writable) {
    if (!IsRegularFile(p)) return nullptr;
    mode = "r+b";
  } else if (readable) {
    if (!IsRegularFile(p)) return nullptr;
    mode = "rb";
  } else if (writable) {
    mode = "wb";
  } else {
    return nullptr;
  }
  FILE* f = std::fopen(p.c_str(), mode);
  if (!f) return nullptr;
  File* file = new File;
  file->handle = f;
  if (readable && !writable) {
    struct stat st;
    file->windowed = true;
    file->size = ::fstat(::fileno(f), &st) == 0 ? st.st_size : 0;
  }
  return file;
}

namespace {
constexpr size_t kReadWindowBytes = 64 * 1024;

// Makes the window hold file->position; false at the end of the file.
bool FillWindow(File* file) {
  long long offset = file->position - file->windowStart;
  if (offset >= 0 && offset < static_cast<long long>(file->window.size())) return true;
  if (file->position >= file->size) return false;
  file->window.resize(kReadWindowBytes);
  file->windowStart = file->position;
  size_t got = 0;
  if (std::fseek(file->handle, static_cast<long>(file->position), SEEK_SET) == 0) {
    got = std::fread(file->window.data(), 1, kReadWindowBytes, file->handle);
  }
  file->window.resize(got);
  return got > 0;
}
}  // namespace

int ReadByteFrom(File* file) {
  if (!file) return 0;
  if (file->windowed) {
    if (!FillWindow(file)) return 0;
    return file->window[static_cast<size_t>(file->position++ - file->windowStart)];
  }
  int c = std::getc(file->handle);
  return c == EOF ? 0 : c;
}

int AtEndOf(File* file) {
  if (!file) return 1;
  if (file->windowed) return FillWindow(file) ? 0 : 1;
  int c = std::getc(file->handle);
  if (c == EOF) return 1;
  std::ungetc(c, file->handle);
  return 0;
}

long long PositionOf(File* file) {
  if (!file) return 0;
  if (file->windowed) return file->position;
  long pos = std::ftell(file->handle);
  return pos < 0 ? 0 : pos;
}

long long SizeOf(File* file) {
  if (!file) return 0;
  if (file->windowed) return file->size;
  std::fflush(file->handle);
  struct stat st;
  if (::fstat(::fileno(file->handle), &st) != 0) return 0;
  return st.st_size;
}

long long SeekTo(File* file, long long position) {
  if (!file) return 0;
  if (position < 0) position = 0;
  if (file->windowed) {
    file->position = position;
    return file->position;
  }
  std::fseek(file->handle, static_cast<long>(position), SEEK_SET);
  return PositionOf(file);
}

void WriteBytes(File* file, const std::string& bytes) {
  if (!file || bytes.empty()) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file->handle);
}

// The game's text is 8-bit, one byte per character, so the bytes go out as
// they are, followed by CR LF.
void WriteTextLine(File* file, const std::string& text) {
  if (!file) return;
  WriteBytes(file, text);
  WriteBytes(file, "\r\n");
}

void CloseFile(File* file) {
  if (!file) return;
  std::fclose(file->handle);
  delete file;
}

int FileTypeOf(const std::string& path) {
  struct stat st;
  if (::stat(ResolvePath(path).c_str(), &st) != 0) return 0;
  if (S_ISREG(st.st_mode)) return 1;
  if (S_ISDIR(st.st_mode)) return 2;
  return 0;
}

long long FileSizeOf(const std::string& path) {
  struct stat st;
  if (::stat(ResolvePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return st.st_size;
}

int CreateEmptyFile(const std::string& path) {
  std::string p = ResolvePath(path);
  FILE* f = std::fopen(p.c_str(), "wb");
  if (f) std::fclose(f);
  return IsRegularFile(p) ? 1 : 0;
}

int CreateFolder(const std::string& path, int recurse) {
  std::string p = ResolvePath(path);
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  if (p.empty()) return 0;
  if (recurse) {
    for (size_t i = 1; i < p.size(); ++i) {
      if (p[i] == '/') ::mkdir(p.substr(0, i).c_str(), 0755);
    }
  }
  ::mkdir(p.c_str(), 0755);
  return FileTypeOf(p) == 2 ? 1 : 0;
}

// Only files are deleted; a folder at the path stays and counts as not gone.
int DeleteFile(const std::string& path) {
  std::string p = ResolvePath(path);
  if (IsRegularFile(p)) ::unlink(p.c_str());
  return FileTypeOf(p) == 0 ? 1 : 0;
}

// The names come sorted, without "." and "..", so that every listing of the
// same folder gives the same order.
FolderListing* OpenFolderListing(const std::string& path) {
  DIR* dir = ::opendir(ResolvePath(path).c_str());
  if (!dir) return nullptr;
  FolderListing* listing = new FolderListing;
  while (struct dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") listing->names.push_back(name);
  }
  ::closedir(dir);
  std::sort(listing->names.begin(), listing->names.end());
  return listing;
}

std::string NextFolderEntry(FolderListing* listing) {
  if (!listing || listing->next >= listing->names.size()) return "";
  return listing->names[listing->next++];
}

void CloseFolderListing(FolderListing* listing) { delete listing; }

namespace {
std::string FormatNow(const char* format) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char buffer[64];
  size_t n = std::strftime(buffer, sizeof buffer, format, &local);
  return std::string(buffer, n);
}
}  // namespace

std::string CurrentDateText() { return FormatNow("%d %b %Y"); }
std::string CurrentTimeText() { return FormatNow("%H:%M:%S"); }
