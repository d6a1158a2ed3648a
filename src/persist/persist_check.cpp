#include "persist/persist_check.h"

#include <cstdlib>

#include "data/xml_node.h"
#include "persist/profile_file.h"
#include "persist/profile_names.h"
#include "persist/settings_file.h"
#include "platform/services.h"

namespace {

// True when the reader's lenient conversion reads the whole text.
bool PlainInteger(const std::string& text) {
  size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  if (i >= text.size()) return false;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return IntToText(TextToInt(text)) == (text[0] == '+' ? text.substr(1) : text);
}

bool PlainNumber(const std::string& text) {
  if (text.empty()) return false;
  char* end = nullptr;
  std::strtod(text.c_str(), &end);
  return end && *end == '\0' && text[0] != ' ' && text[0] != '\t';
}

void CheckInteger(const std::string& where, const std::string& attribute, const std::string& text,
                  PersistFindings* f) {
  if (!PlainInteger(text))
    f->warnings.push_back(where + ": " + attribute + " \"" + text + "\" is read as " +
                          IntToText(TextToInt(text)));
}

std::string Element(const xmlNode& e, int index) {
  return "element " + IntToText(index + 1) + " ('" + e.name + "')";
}

// Attributes the reader does not look at.
void CheckAttributes(const xmlNode& e, const std::string& where,
                     std::initializer_list<const char*> known, PersistFindings* f) {
  for (const xmlAttribute& a : e.attributes) {
    bool used = false;
    for (const char* k : known) used = used || a.name == k;
    if (!used)
      f->warnings.push_back(where + ": attribute '" + a.name + "' is not read; it is ignored");
  }
}

void CheckIntegers(const xmlNode& e, const std::string& where,
                   std::initializer_list<const char*> numeric, PersistFindings* f) {
  for (const char* n : numeric) {
    if (const xmlAttribute* a = e.Attribute(n)) CheckInteger(where, n, a->value, f);
  }
}

}  // namespace

PersistFindings CheckSettingsTree(const xmlNode& root) {
  PersistFindings f;
  SettingsData data;
  ReadNotes notes;
  if (!ReadSettingsTree(root, &data, &notes)) {
    f.errors.push_back(notes.error + ": the game stops reading there, and replaces the file at "
                       "shutdown");
  }
  for (const std::string& note : notes.ignored) f.warnings.push_back(note);
  for (const SettingsData::Setting& s : data.settings) {
    switch (s.kind) {
      case SettingsData::Setting::kProfile:
        if (!IsProfileNameAllowed(s.text))
          f.warnings.push_back("the profile name '" + s.text + "' " + ProfileNameProblem(s.text) +
                               ", so the game loads no profile for it");
        break;
      case SettingsData::Setting::kSoundVolume:
      case SettingsData::Setting::kMusicVolume: {
        const char* which = s.kind == SettingsData::Setting::kSoundVolume ? "sound_volume"
                                                                           : "music_volume";
        const double value = TextToFloat(s.text);
        if (!PlainNumber(s.text)) {
          f.warnings.push_back(std::string(which) + " \"" + s.text + "\" is read as " +
                               DoubleToText(value));
        } else if (!(value >= 0.0 && value <= 1.0)) {
          f.warnings.push_back(std::string(which) + " " + s.text + " is outside 0 to 1");
        }
        break;
      }
      case SettingsData::Setting::kRenderer:
        CheckInteger("graphics", "renderer", s.text, &f);
        break;
      case SettingsData::Setting::kFullScreen:
        if (s.text != "0" && s.text != "1")
          f.warnings.push_back("graphics: fullscreen \"" + s.text + "\" is read as " +
                               (TextToInt(s.text) != 0 ? "1 (full screen)" : "0 (a window)"));
        break;
    }
  }
  return f;
}

PersistFindings CheckProfileTree(const xmlNode& root, const std::string& fileName) {
  PersistFindings f;
  const std::string fileProfile = ProfileNameOfFile(fileName);
  if (fileProfile.empty())
    f.warnings.push_back("'" + fileName +
                         "' is not a name the game loads a profile by (NAME.usr, NAME in UTF-8, "
                         "an accepted name)");
  ProfileData data;
  data.name = fileProfile;
  ReadNotes notes;
  if (!ReadProfileTree(root, &data, &notes))
    f.errors.push_back(notes.error + ": the game stops reading there, keeps only what came "
                       "before, and moves the file aside as '" + fileName +
                       ".unreadable' when it next saves the profile");
  for (const std::string& note : notes.ignored) f.warnings.push_back(note);
  if (!fileProfile.empty() && !data.name.empty() && data.name != fileProfile)
    f.warnings.push_back("the profile inside is named '" + data.name +
                         "': the game loads it under that name and saves it as '" +
                         ProfileFileName(data.name) + "'");

  CheckAttributes(root, "the root element", {"name", "tokens", "total_tokens", "won", "credits"}, &f);
  CheckIntegers(root, "the root element", {"tokens", "total_tokens"}, &f);
  for (int i = 0; i < root.ChildCount(); ++i) {
    const xmlNode& e = *root.Child(i);
    const std::string where = Element(e, i);
    if (e.name == "dog") {
      CheckAttributes(e, where, {"range", "speed"}, &f);
      CheckIntegers(e, where, {"range", "speed"}, &f);
    } else if (e.name == "control") {
      CheckAttributes(e, where, {"left", "right", "up", "down", "action"}, &f);
      CheckIntegers(e, where, {"left", "right", "up", "down", "action"}, &f);
    } else if (e.name == "message" || e.name == "secret" || e.name == "powerup") {
      CheckAttributes(e, where, {"id"}, &f);
      CheckIntegers(e, where, {"id"}, &f);
    } else if (e.name == "quest") {
      CheckAttributes(e, where, {"id", "tokens", "total_tokens"}, &f);
      CheckIntegers(e, where, {"id", "tokens", "total_tokens"}, &f);
      for (int j = 0; j < e.ChildCount(); ++j) {
        const xmlNode& l = *e.Child(j);
        if (l.name != "level") continue;
        const std::string at = where + ", its " + Element(l, j);
        CheckAttributes(l, at, {"id", "score", "rank"}, &f);
        CheckIntegers(l, at, {"id", "score", "rank"}, &f);
      }
    }
  }
  return f;
}
