#include "data/data_check.h"

#include <unistd.h>

#include <climits>
#include <map>
#include <memory>

#include "data/file_loader.h"
#include "data/xml_node.h"
#include "persist/persist_check.h"
#include "platform/services.h"
#include "screens/quest_check.h"
#include "ui/message_check.h"

namespace {

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct Reporter {
  std::FILE* out;
  std::string file;
  int errors = 0;
  void Error(const std::string& what) {
    std::fprintf(out, "%s: %s\n", file.c_str(), what.c_str());
    ++errors;
  }
  void Warning(const std::string& what) {
    std::fprintf(out, "%s: warning: %s\n", file.c_str(), what.c_str());
  }
};

bool ParseOrReport(const std::string& path, const std::string& shown, Reporter& r,
                   std::unique_ptr<xmlNode>* root) {
  XmlError error;
  *root = xmlNode::LoadWithReport(path, &error);
  if (*root) return true;
  std::fprintf(r.out, "%s:%d:%d: %s\n", shown.c_str(), error.line, error.column,
               error.message.c_str());
  ++r.errors;
  return false;
}

const char* KindName(int kind) {
  switch (kind) {
    case kEntryFont: return "font";
    case kEntryImage: return "image";
    case kEntrySound: return "audio";
    default: return "entry";
  }
}

// Everything the loading screen would do with the catalogue, without
// registering anything: the catalogue is refused, or an entry fails to load
// (a missing or undecodable file, an identifier already taken).
void CheckCatalogue(const std::string& path, const xmlNode& root, Reporter& r) {
  for (int i = 0; i < root.ChildCount(); ++i) {
    const xmlNode* e = root.Child(i);
    if (e->name != "image" && e->name != "font" && e->name != "audio") continue;
    for (const char* attribute : {"id", "path"}) {
      if (!e->HasAttribute(attribute))
        r.Error("element " + IntToText(i + 1) + " ('" + e->name + "') has no '" + attribute +
                "' attribute, so the game refuses the whole catalogue");
    }
  }
  if (r.errors) return;
  if (root.ChildCount() == 0) {
    r.Error("the root element has no elements, so the game refuses it");
    return;
  }

  std::deque<FileEntry> saved;
  saved.swap(FileQueue);
  std::string savedData = DataFolder();
  SetDataFolder(FolderOf(path));
  if (!FileLoader::Read(path)) r.Error("the game does not accept this catalogue");
  std::deque<FileEntry> entries;
  entries.swap(FileQueue);
  FileQueue.swap(saved);

  struct Range {
    int first, count;
    std::string path;
  };
  std::vector<Range> images;
  std::map<int, std::string> fonts, sounds;
  for (const FileEntry& entry : entries) {
    const std::string what =
        std::string(KindName(entry.kind)) + " " + IntToText(entry.id) + " ('" + entry.path + "')";
    if (FileTypeOf(entry.path) != 1) {
      r.Error(what + ": the file does not exist");
      continue;
    }
    if (entry.kind == kEntryImage) {
      bool strip = entry.sizeX != 0 && entry.sizeY != 0 && entry.frames != 0;
      int count = strip ? entry.frames : 1;
      bool taken = false;
      for (const Range& earlier : images) {
        bool firstInside = entry.id >= earlier.first && entry.id < earlier.first + earlier.count;
        if (firstInside) {
          r.Error(what + ": identifier " + IntToText(entry.id) + " is already registered by '" +
                  earlier.path + "'");
          taken = true;
          break;
        }
        if (entry.id < earlier.first + earlier.count && earlier.first < entry.id + count)
          r.Warning(what + ": its identifiers " + IntToText(entry.id) + " to " +
                    IntToText(entry.id + count - 1) + " overlap those of '" + earlier.path +
                    "'; the earlier one answers for the shared ones");
      }
      if (taken) continue;
      Image* image = strip ? LoadImageStrip(entry.path, entry.sizeX, entry.sizeY, 0, entry.frames, -1)
                           : LoadImageFile(entry.path, -1);
      if (!image) {
        r.Error(what + (strip ? ": the picture does not decode or holds fewer than " +
                                    IntToText(entry.frames) + " cells of " +
                                    IntToText(entry.sizeX) + " by " + IntToText(entry.sizeY)
                              : ": the picture does not decode"));
        continue;
      }
      delete image;
      images.push_back({entry.id, count, entry.path});
    } else if (entry.kind == kEntryFont || entry.kind == kEntrySound) {
      std::map<int, std::string>& ids = entry.kind == kEntryFont ? fonts : sounds;
      auto earlier = ids.find(entry.id);
      if (earlier != ids.end()) {
        r.Error(what + ": identifier " + IntToText(entry.id) + " is already registered by '" +
                earlier->second + "'");
        continue;
      }
      bool loads;
      if (entry.kind == kEntryFont) {
        Font* font = LoadFontFile(entry.path, entry.sizeX, 4);
        loads = font != nullptr;
        delete font;
      } else {
        // Music decodes in the background; damage may show only there.
        Sound* sound = LoadSoundFile(entry.path, entry.loop);
        loads = sound != nullptr && sound->WaitUntilDecoded();
        delete sound;
      }
      if (!loads) {
        r.Error(what + (entry.kind == kEntryFont ? ": the font does not load at size " +
                                                       IntToText(entry.sizeX)
                                                 : ": the sound does not decode"));
        continue;
      }
      ids[entry.id] = entry.path;
    }
  }
  SetDataFolder(savedData);
}

}  // namespace

int CheckDataFiles(const std::vector<std::string>& files, std::FILE* out) {
  int failed = 0;
  char cwd[PATH_MAX];
  std::string here = ::getcwd(cwd, sizeof cwd) ? cwd : ".";
  for (const std::string& file : files) {
    // Reported as given, read by its absolute path so that the data folder
    // does not change which file is meant.
    std::string path = !file.empty() && file[0] == '/' ? file : here + "/" + file;
    Reporter r{out, file};
    std::unique_ptr<xmlNode> root;
    if (FileTypeOf(path) != 1) {
      r.Error("no such file");
    } else if (ParseOrReport(path, file, r, &root)) {
      const std::string name = BaseName(file);
      if (name == "files.xml") {
        CheckCatalogue(path, *root, r);
      } else if (name == "messages.xml") {
        for (const CheckFinding& f : CheckMessageCatalogue(*root)) {
          if (f.error) r.Error(f.text);
          else r.Warning(f.text);
        }
      } else if (name == "quests.xml" || root->name == "quest") {
        // The quest list, and quest files by their root element.
        for (const CheckFinding& f : name == "quests.xml" ? CheckQuestList(*root, path)
                                                          : CheckQuestFile(*root, path)) {
          if (f.error) r.Error(f.text);
          else r.Warning(f.text);
        }
      } else if (root->name == "options" || root->name == "profile") {
        // Settings and profile files, recognised by their root element.
        PersistFindings found = root->name == "options" ? CheckSettingsTree(*root)
                                                        : CheckProfileTree(*root, name);
        for (const std::string& e : found.errors) r.Error(e);
        for (const std::string& w : found.warnings) r.Warning(w);
      }
    }
    if (r.errors == 0) std::fprintf(out, "%s: ok\n", file.c_str());
    else ++failed;
  }
  return failed ? 1 : 0;
}
