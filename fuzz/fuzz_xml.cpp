// libFuzzer harness over the data-file reader, the catalogue reader and the
// data-file checker.  Each input is handed to them as a file (an in-memory
// one), and the three must agree: the reader's two entry points accept the
// same files, a failure says where it happened inside the file, a catalogue
// is only read from a file that parses, and the checker passes nothing the
// reader refuses.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "data/data_check.h"
#include "data/file_loader.h"
#include "data/xml_node.h"

namespace {
void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "fuzz_xml: %s\n", what);
    std::abort();
  }
}

int CountNodes(const xmlNode& node) {
  int count = 1;
  for (const auto& child : node.children) count += CountNodes(*child);
  return count;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const int fd = memfd_create("fuzz-xml", 0);
  static std::FILE* sink = std::fopen("/dev/null", "w");
  if (fd < 0 || !sink) std::abort();
  if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;
  const std::string path = "/proc/self/fd/" + std::to_string(fd);

  std::unique_ptr<xmlNode> plain = xmlNode::Load(path);
  XmlError error;
  error.line = -7;
  std::unique_ptr<xmlNode> reported = xmlNode::LoadWithReport(path, &error);
  Require((plain != nullptr) == (reported != nullptr), "Load and LoadWithReport disagree");
  if (reported) {
    Require(error.line == 0 && error.message.empty(), "success leaves an error behind");
    Require(CountNodes(*plain) == CountNodes(*reported), "the two trees differ");
  } else {
    Require(!error.message.empty(), "a failure without a message");
    Require(error.offset >= 0 && error.offset <= static_cast<long long>(size),
            "a failure outside the file");
    Require(error.line >= 1 && error.column >= 1, "a failure without a line and column");
  }

  FileQueue.clear();
  const int read = FileLoader::Read(path);
  Require(read == 0 || reported != nullptr, "a catalogue read from a file that does not parse");
  Require(read == 1 || FileQueue.empty(), "a refused catalogue queued entries");
  FileQueue.clear();

  const int status = CheckDataFiles({path}, sink);
  Require(status == 0 || status == 1, "the checker's status is not 0 or 1");
  Require(status == 1 || reported != nullptr, "the checker passed a file the reader refuses");
  return 0;
}
