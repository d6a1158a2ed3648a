#include "screens/quest_check.h"

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <set>

#include "data/file_loader.h"
#include "data/xml_node.h"
#include "platform/services.h"

namespace {

// Secrets a profile can own: 1 to 32 (power-ups 64 to 95).
constexpr int kHighestSecret = 32;
// The quest list's button of a quest shows its map picture's id plus this.
constexpr int kQuestButtonOffset = 16;
// The game's screen, on which the markers stand.
constexpr int kScreenW = 800;
constexpr int kScreenH = 600;
// A marker this high puts its panel at y 0, which the panel drawing takes
// as "centre on the screen".
constexpr int kCentredPanelY = 48;

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// What the checked file's data folder holds: the catalogued pictures and
// sounds, and the messages.
struct DataFolderView {
  std::string folder;  // empty when no folder above the file holds "files.xml"
  bool catalogue = false;
  std::set<int> images, sounds;
  bool messageCatalogue = false;
  std::set<int> messages;

  // A path as the game resolves it from its data folder.
  std::string Resolve(const std::string& path) const {
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');
    if (!p.empty() && p[0] == '/') return p;
    return folder + "/" + p;
  }
};

DataFolderView FindDataFolder(const std::string& path, std::vector<CheckFinding>* findings) {
  DataFolderView data;
  for (std::string at = FolderOf(path);; at = FolderOf(at)) {
    if (FileTypeOf(at + "/files.xml") == 1) {
      data.folder = at;
      break;
    }
    if (at == "/" || at == ".") break;
  }
  if (data.folder.empty()) {
    findings->push_back({false, "no folder above this file holds 'files.xml', so files, pictures, "
                                "music and messages are not checked"});
    return data;
  }
  std::deque<FileEntry> saved;
  saved.swap(FileQueue);
  data.catalogue = FileLoader::Read(data.folder + "/files.xml") == 1;
  for (const FileEntry& e : FileQueue) {
    if (e.kind == kEntryImage) {
      const int count = e.sizeX != 0 && e.sizeY != 0 && e.frames != 0 ? e.frames : 1;
      for (int k = 0; k < count; ++k) data.images.insert(e.id + k);
    } else if (e.kind == kEntrySound) {
      data.sounds.insert(e.id);
    }
  }
  FileQueue.swap(saved);
  if (!data.catalogue)
    findings->push_back({false, "'" + data.folder + "/files.xml' does not load, so pictures and "
                                "music are not checked"});

  std::unique_ptr<xmlNode> messages = xmlNode::Load(data.folder + "/Data/messages.xml");
  if (messages) {
    data.messageCatalogue = true;
    for (const auto& m : messages->children) {
      if (!m->HasAttribute("id") || !m->HasAttribute("title") || !m->HasAttribute("text")) {
        data.messageCatalogue = false;
        break;
      }
      data.messages.insert(TextToInt(m->Attribute("id")->value));
    }
  }
  if (!data.messageCatalogue)
    findings->push_back({false, "'" + data.folder + "/Data/messages.xml' does not load, so "
                                "messages are not checked"});
  return data;
}

// A value the lenient number reading takes whole: blanks, a sign, digits.
bool WholeInteger(const std::string& v) {
  size_t i = 0;
  while (i < v.size() && (v[i] == ' ' || v[i] == '\t')) ++i;
  if (i < v.size() && (v[i] == '+' || v[i] == '-')) ++i;
  const size_t digits = i;
  while (i < v.size() && v[i] >= '0' && v[i] <= '9') ++i;
  return i > digits && i == v.size();
}

class Findings {
 public:
  explicit Findings(std::vector<CheckFinding>* out) : out_(out) {}
  void Error(const std::string& text) { out_->push_back({true, text}); }
  void Warning(const std::string& text) { out_->push_back({false, text}); }

  // The attribute's value as the game reads it, with a warning when the
  // game reads less than the whole value.
  int Integer(const std::string& where, const xmlNode& e, const char* name) {
    const std::string& v = e.Attribute(name)->value;
    const int n = TextToInt(v);
    if (!WholeInteger(v))
      Warning(where + ": '" + name + "' is \"" + v + "\", which the game reads as " +
              IntToText(n));
    return n;
  }

 private:
  std::vector<CheckFinding>* out_;
};

std::string Describe(int index, const xmlNode& e) {
  std::string what = "element " + IntToText(index + 1) + " ('" + e.name + "'";
  if (const xmlAttribute* name = e.Attribute("name")) what += ", \"" + name->value + "\"";
  return what + ")";
}

void CheckSecretNumber(Findings& f, const std::string& where, const char* attribute, int n,
                       const char* locks) {
  if (n < 1 || n > kHighestSecret)
    f.Warning(where + ": " + attribute + " " + IntToText(n) + " is not a secret a profile can "
              "own (1 to " + IntToText(kHighestSecret) + "), so " + locks + " stays locked");
}

}  // namespace

std::vector<CheckFinding> CheckQuestList(const xmlNode& root, const std::string& path) {
  std::vector<CheckFinding> out;
  Findings f(&out);
  for (int i = 0; i < root.ChildCount(); ++i) {
    const xmlNode& e = *root.Child(i);
    for (const char* attribute : {"id", "name", "filename", "image", "info"}) {
      if (!e.HasAttribute(attribute))
        f.Error(Describe(i, e) + " has no '" + attribute +
                "' attribute, so the game refuses the quest list");
    }
  }
  if (!out.empty()) return out;
  if (root.ChildCount() == 0) f.Warning("the list holds no quests, so there is nothing to play");

  DataFolderView data = FindDataFolder(path, &out);
  std::map<int, int> ids;
  for (int i = 0; i < root.ChildCount(); ++i) {
    const xmlNode& e = *root.Child(i);
    const std::string where = Describe(i, e);
    const int id = f.Integer(where, e, "id");
    const int image = f.Integer(where, e, "image");
    if (ids.count(id))
      f.Warning(where + ": quest " + IntToText(id) + " is already element " +
                IntToText(ids[id] + 1) + "; both share one entry of the profile");
    else
      ids[id] = i;
    if (e.HasAttribute("secret"))
      CheckSecretNumber(f, where, "secret", f.Integer(where, e, "secret"), "the quest");
    if (data.folder.empty()) continue;
    const std::string file = e.Attribute("filename")->value;
    if (FileTypeOf(data.Resolve(file)) != 1) {
      f.Warning(where + ": the quest file '" + file +
                "' does not exist; choosing this quest ends the game");
    } else {
      std::unique_ptr<xmlNode> quest = xmlNode::Load(data.Resolve(file));
      std::vector<CheckFinding> inner;
      if (quest) inner = CheckQuestFile(*quest, data.Resolve(file));
      auto error = std::find_if(inner.begin(), inner.end(),
                                [](const CheckFinding& c) { return c.error; });
      if (!quest || error != inner.end())
        f.Warning(where + ": the game refuses the quest file '" + file +
                  "' (" + (quest ? error->text : std::string("it does not parse")) +
                  "); choosing this quest ends the game");
    }
    if (data.catalogue) {
      if (!data.images.count(image))
        f.Warning(where + ": the catalogue has no picture " + IntToText(image) +
                  " for the quest map");
      if (!data.images.count(image + kQuestButtonOffset))
        f.Warning(where + ": the catalogue has no picture " +
                  IntToText(image + kQuestButtonOffset) + " for the quest's button");
    }
  }
  return out;
}

std::vector<CheckFinding> CheckQuestFile(const xmlNode& root, const std::string& path) {
  std::vector<CheckFinding> out;
  Findings f(&out);
  // The game reads the levels in order and gives up at the first one that
  // lacks a required attribute.
  for (int i = 0; i < root.ChildCount(); ++i) {
    const xmlNode& e = *root.Child(i);
    if (e.name != "level") continue;
    bool complete = true;
    for (const char* attribute : {"id", "name", "filename", "x", "y"}) {
      if (!e.HasAttribute(attribute)) {
        f.Error(Describe(i, e) + " has no '" + attribute +
                "' attribute, so the game refuses the quest file");
        complete = false;
      }
    }
    if (!complete) return out;
  }

  DataFolderView data = FindDataFolder(path, &out);
  const auto sound = [&](const char* attribute, const char* what) {
    if (!root.HasAttribute(attribute)) {
      f.Warning(std::string("the root has no '") + attribute + "', so " + what +
                " is the one of the quest before");
      return;
    }
    const int id = f.Integer("the root", root, attribute);
    if (data.catalogue && !data.sounds.count(id))
      f.Warning(std::string("the root's '") + attribute + "' " + IntToText(id) +
                " is not a sound of the catalogue");
  };
  sound("level_music", "the levels' music");
  sound("quest_music", "the map's music");
  if (root.HasAttribute("message")) {
    const int id = f.Integer("the root", root, "message");
    if (data.messageCatalogue && !data.messages.count(id))
      f.Warning("the root's 'message' " + IntToText(id) + " is not in the message catalogue");
  }

  std::map<int, int> ids;
  int levels = 0;
  for (int i = 0; i < root.ChildCount(); ++i) {
    const xmlNode& e = *root.Child(i);
    const std::string where = Describe(i, e);
    if (e.name == "secret") {
      if (!e.HasAttribute("id") || !e.HasAttribute("tokens")) {
        f.Warning(where + " needs both 'id' and 'tokens'; the game ignores it");
        continue;
      }
      const int id = f.Integer(where, e, "id");
      f.Integer(where, e, "tokens");
      if (data.messageCatalogue && !data.messages.count(id))
        f.Warning(where + ": message " + IntToText(id) + " is not in the message catalogue");
      continue;
    }
    if (e.name != "level") {
      f.Warning(where + ": the game skips elements other than 'level' and 'secret'");
      continue;
    }
    ++levels;
    const int id = f.Integer(where, e, "id");
    const int x = f.Integer(where, e, "x");
    const int y = f.Integer(where, e, "y");
    if (ids.count(id))
      f.Warning(where + ": level " + IntToText(id) + " is already element " +
                IntToText(ids[id] + 1) + "; both share one entry of the profile");
    else
      ids[id] = i;
    if (x < 0 || x >= kScreenW || y < 0 || y >= kScreenH)
      f.Warning(where + ": the marker at (" + IntToText(x) + ", " + IntToText(y) +
                ") is off the " + IntToText(kScreenW) + " by " + IntToText(kScreenH) + " screen");
    else if (y == kCentredPanelY)
      f.Warning(where + ": at y " + IntToText(y) +
                " the level's panel is drawn in the middle of the screen, not beside the marker");
    if (e.HasAttribute("cost") && f.Integer(where, e, "cost") <= 0)
      f.Warning(where + ": a 'cost' of " + e.Attribute("cost")->value +
                " still locks the level until it is clicked");
    for (const char* attribute : {"secret", "additional_secret"}) {
      if (e.HasAttribute(attribute))
        CheckSecretNumber(f, where, attribute, f.Integer(where, e, attribute), "the level");
    }
    if (!data.folder.empty()) {
      const std::string file = e.Attribute("filename")->value;
      if (FileTypeOf(data.Resolve(file)) != 1)
        f.Warning(where + ": the level file '" + file +
                  "' does not exist; starting this level ends the game");
    }
  }
  if (levels == 0) f.Warning("the quest has no levels");
  return out;
}
