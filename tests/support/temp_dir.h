// A folder under /tmp for one test, removed with everything in it afterwards.
#pragma once

#include <cstdlib>
#include <string>

class TempDir {
 public:
  TempDir() {
    char pattern[] = "/tmp/fleecewick-test-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    path_ = made ? made : "";
  }
  ~TempDir() {
    if (!path_.empty()) {
      std::string cmd = "chmod -R u+rwx '" + path_ + "' 2>/dev/null; rm -rf '" + path_ + "'";
      if (std::system(cmd.c_str()) != 0) {
      }
    }
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// The whole content of a file as bytes ("" when it cannot be read).
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
