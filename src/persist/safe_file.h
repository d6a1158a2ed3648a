// Crash-safe replacement of a whole file: the new bytes go to a temporary file
// beside the old one, reach the disk, and only then take the old file's name,
// so that an abrupt end at any moment leaves either the old file or the new
// one, each whole.
#pragma once

#include <functional>
#include <string>

// The operations of one safe write, in the order they happen.
enum SafeWriteStep {
  kSafeWriteCreate = 1,    // create the temporary file
  kSafeWriteFirstHalf,     // write the first half of the bytes
  kSafeWriteSecondHalf,    // write the rest
  kSafeWriteSync,          // fsync the temporary file
  kSafeWriteClose,         // close it
  kSafeWriteRename,        // rename it over the target
  kSafeWriteSyncFolder,    // fsync the folder, so that the rename lasts
};

// Writes `bytes` to `path` (a file-system path, used as it is).  True when
// every step succeeded; otherwise false with *error saying which step failed
// and why, the temporary file removed, and the old file as it was (a failure
// of the final folder flush leaves the new file in place but still reports).
bool WriteFileSafely(const std::string& path, const std::string& bytes, std::string* error);

// Test hook: called before each step with the step about to run.  Returning
// an errno value makes that step fail with it without running; returning 0
// lets it run.  A hook that ends the process imitates a crash at that point.
// An empty function removes the hook.
using SafeWriteHook = std::function<int(SafeWriteStep step)>;
void SetSafeWriteHook(SafeWriteHook hook);

// The name prefix of the temporary files that writes of `base` (a file name
// without folder) leave behind when they are interrupted.
std::string SafeWriteTempPrefix(const std::string& base);
