#include "persist/safe_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

namespace {
SafeWriteHook TheHook;

// Runs the hook for `step`; its errno value, or 0 to go on.
int Injected(SafeWriteStep step) { return TheHook ? TheHook(step) : 0; }

std::string Reason(int error) { return std::strerror(error); }

bool WriteAll(int fd, const char* data, size_t size, int* error) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      *error = errno;
      return false;
    }
    if (n == 0) {
      *error = EIO;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

mode_t NewFileMode(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 07777;
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Leftovers of earlier writes of the same file that were cut short.
void RemoveLeftovers(const std::string& folder, const std::string& prefix) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  std::vector<std::string> stale;
  while (struct dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0)
      stale.push_back(name);
  }
  ::closedir(dir);
  for (const std::string& name : stale) ::unlink((folder + "/" + name).c_str());
}
}  // namespace

void SetSafeWriteHook(SafeWriteHook hook) { TheHook = std::move(hook); }

std::string SafeWriteTempPrefix(const std::string& base) { return "." + base + ".tmp-"; }

bool WriteFileSafely(const std::string& path, const std::string& bytes, std::string* error) {
  const size_t slash = path.rfind('/');
  const std::string folder =
      slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  if (base.empty()) {
    *error = "no file name in '" + path + "'";
    return false;
  }
  const std::string prefix = SafeWriteTempPrefix(base);
  std::string temp = folder + "/" + prefix + "XXXXXX";
  const mode_t mode = NewFileMode(path);

  int failure = Injected(kSafeWriteCreate);
  int fd = -1;
  if (failure == 0) {
    std::vector<char> name(temp.begin(), temp.end());
    name.push_back('\0');
    fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) failure = errno;
    else temp = name.data();
  }
  if (failure != 0) {
    *error = "cannot create a temporary file in '" + folder + "': " + Reason(failure);
    return false;
  }

  // From here on a failure removes the temporary file.
  auto fail = [&](const std::string& what, int code) {
    if (fd >= 0) ::close(fd);
    ::unlink(temp.c_str());
    *error = what + ": " + Reason(code);
    return false;
  };

  if (::fchmod(fd, mode) != 0) return fail("cannot set the mode of '" + temp + "'", errno);
  const size_t half = bytes.size() / 2;
  if ((failure = Injected(kSafeWriteFirstHalf)) != 0 ||
      !WriteAll(fd, bytes.data(), half, &failure))
    return fail("cannot write '" + temp + "'", failure);
  if ((failure = Injected(kSafeWriteSecondHalf)) != 0 ||
      !WriteAll(fd, bytes.data() + half, bytes.size() - half, &failure))
    return fail("cannot write '" + temp + "'", failure);
  if ((failure = Injected(kSafeWriteSync)) != 0 || ::fsync(fd) != 0)
    return fail("cannot flush '" + temp + "' to disk", failure ? failure : errno);
  // An injected failure still closes, so that no descriptor is left open.
  failure = Injected(kSafeWriteClose);
  if (::close(fd) != 0 && failure == 0) failure = errno;
  fd = -1;
  if (failure != 0) return fail("cannot close '" + temp + "'", failure);
  if ((failure = Injected(kSafeWriteRename)) != 0 || ::rename(temp.c_str(), path.c_str()) != 0)
    return fail("cannot rename '" + temp + "' to '" + path + "'", failure ? failure : errno);

  failure = Injected(kSafeWriteSyncFolder);
  if (failure == 0) {
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0 || ::fsync(dir) != 0) failure = errno;
    if (dir >= 0) ::close(dir);
  }
  if (failure != 0) {
    *error = "'" + path + "' was replaced, but the folder '" + folder +
             "' could not be flushed to disk: " + Reason(failure);
    return false;
  }
  RemoveLeftovers(folder, prefix);
  return true;
}
