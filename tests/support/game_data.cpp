#include "support/game_data.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/png_writer.h"
#include "support/temp_dir.h"

namespace {
void Picture(const std::string& path, int w, int h, uint32_t colour) {
  std::string error;
  WritePngFile(path, w, h, std::vector<uint32_t>(static_cast<size_t>(w) * h, colour), &error);
}
}  // namespace

void WriteGameData(const std::string& dir, int entries, int broken) {
  ::mkdir(dir.c_str(), 0755);
  ::mkdir((dir + "/Data").c_str(), 0755);
  Picture(dir + "/Data/Title1.png", 800, 600, 0xFF6FA040);
  Picture(dir + "/Data/Loading.png", 320, 120, 0xFFF3E6C4);
  std::string catalogue = "<files>\r\n";
  for (int i = 1; i <= entries; ++i) {
    std::string name = "Data/Item" + std::to_string(i) + ".png";
    if (i == broken) {
      WriteFileBytes(dir + "/" + name, "not a picture");
    } else {
      Picture(dir + "/" + name, 8, 8, 0xFF000000u | static_cast<uint32_t>(i * 2654435761u >> 8));
    }
    catalogue += "  <image id=\"" + std::to_string(999 + i) + "\" path=\"Data\\Item" +
                 std::to_string(i) + ".png\"/>\r\n";
  }
  catalogue += "</files>\r\n";
  WriteFileBytes(dir + "/files.xml", catalogue);
  WriteFileBytes(dir + "/Data/messages.xml",
                 "<messages>\r\n"
                 "  <message id=\"2\" title=\"Welcome\" text=\"Herd the sheep.\"/>\r\n"
                 "  <message id=\"3\" title=\"Tokens\" text=\"Your first tokens.\"/>\r\n"
                 "  <message id=\"10\" title=\"A quest\" text=\"Off you go.\"/>\r\n"
                 "</messages>\r\n");
}

namespace {
TempDir* SharedData = nullptr;
pid_t SharedDataOwner = 0;

// Only the process that made the folder removes it: a forked child that ends
// with exit(), as a death test does, leaves it to its parent.
void RemoveSharedData() {
  if (::getpid() == SharedDataOwner) delete SharedData;
}
}  // namespace

const std::string& SmallGameData() {
  if (!SharedData) {
    SharedData = new TempDir;
    SharedDataOwner = ::getpid();
    // Readable by everyone: some tests run the game as another user.
    ::chmod(SharedData->path().c_str(), 0755);
    WriteGameData(SharedData->path(), 3);
    std::atexit(RemoveSharedData);
  }
  return SharedData->path();
}
