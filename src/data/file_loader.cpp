#include "data/file_loader.h"

#include <memory>
#include <vector>

#include "data/xml_node.h"
#include "platform/services.h"

std::deque<FileEntry> FileQueue;

namespace {

int IntAttribute(const xmlNode& node, const char* name) {
  return TextToInt(node.Attribute(name)->value);
}

// Fills `entry` from an image, font or audio element; false for any other
// element name.
bool ReadKind(const xmlNode& node, FileEntry& entry) {
  if (node.name == "font") {
    entry.kind = kEntryFont;
    entry.sizeX = node.HasAttribute("size") ? IntAttribute(node, "size") : kDefaultFontSize;
  } else if (node.name == "audio") {
    entry.kind = kEntrySound;
    entry.loop = node.HasAttribute("loop") ? 1 : 0;
    entry.volume = node.HasAttribute("volume")
                       ? static_cast<float>(TextToFloat(node.Attribute("volume")->value))
                       : 1.0f;
  } else if (node.name == "image") {
    entry.kind = kEntryImage;
    if (node.HasAttribute("size_x") && node.HasAttribute("size_y") && node.HasAttribute("number")) {
      entry.sizeX = IntAttribute(node, "size_x");
      entry.sizeY = IntAttribute(node, "size_y");
      entry.frames = IntAttribute(node, "number");
    }
  } else {
    return false;
  }
  return true;
}

}  // namespace

int FileLoader::Read(const std::string& path) {
  if (FileTypeOf(path) == 0) return 0;
  std::unique_ptr<xmlNode> root = xmlNode::Load(path);
  if (!root || root->ChildCount() == 0) return 0;

  // Entries are gathered first so that a broken catalogue queues nothing.
  std::vector<FileEntry> entries;
  for (int i = 0; i < root->ChildCount(); ++i) {
    const xmlNode& node = *root->Child(i);
    FileEntry entry;
    if (!ReadKind(node, entry)) continue;
    if (!node.HasAttribute("id") || !node.HasAttribute("path")) return 0;
    entry.id = IntAttribute(node, "id");
    entry.path = node.Attribute("path")->value;
    entries.push_back(entry);
  }
  FileQueue.insert(FileQueue.end(), entries.begin(), entries.end());
  return 1;
}
