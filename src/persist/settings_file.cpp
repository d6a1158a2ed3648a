#include "persist/settings_file.h"

#include "app/globals.h"
#include "app/logging.h"
#include "data/audio_list.h"
#include "data/xml_node.h"
#include "persist/profile.h"
#include "persist/profile_names.h"
#include "persist/safe_file.h"
#include "platform/services.h"

namespace {
struct Known {
  const char* attribute;
  SettingsData::Setting::Kind kind;
};

void Take(const xmlNode& e, int index, std::initializer_list<Known> known, SettingsData* data,
          ReadNotes* notes) {
  for (const Known& k : known) {
    if (const xmlAttribute* a = e.Attribute(k.attribute)) data->settings.push_back({k.kind, a->value});
  }
  for (const xmlAttribute& a : e.attributes) {
    bool used = false;
    for (const Known& k : known) used = used || a.name == k.attribute;
    if (!used)
      notes->ignored.push_back("element " + IntToText(index + 1) + " ('" + e.name +
                               "'): attribute '" + a.name + "' is not known; it is ignored");
  }
}
}  // namespace

int ReadSettingsTree(const xmlNode& root, SettingsData* data, ReadNotes* notes) {
  using S = SettingsData::Setting;
  for (int i = 0; i < root.ChildCount(); ++i) {
    const xmlNode& e = *root.Child(i);
    if (e.name == "profile") {
      Take(e, i, {{"name", S::kProfile}}, data, notes);
    } else if (e.name == "audio") {
      Take(e, i, {{"sound_volume", S::kSoundVolume}, {"music_volume", S::kMusicVolume}}, data,
           notes);
    } else if (e.name == "graphics") {
      Take(e, i, {{"renderer", S::kRenderer}, {"fullscreen", S::kFullScreen}}, data, notes);
    } else {
      notes->error = "element " + IntToText(i + 1) + " ('" + e.name + "') is not a setting";
      return 0;
    }
  }
  return 1;
}

int ReadSettings(const std::string& path) {
  if (FileTypeOf(path) == 0) return 0;
  std::unique_ptr<xmlNode> root = xmlNode::Load(path);
  if (!root) return 0;
  SettingsData data;
  ReadNotes notes;
  const int whole = ReadSettingsTree(*root, &data, &notes);
  for (const SettingsData::Setting& s : data.settings) {
    switch (s.kind) {
      case SettingsData::Setting::kProfile:
        if (!Profile::LoadProfile(s.text)) Log("# Profile '" + s.text + "' not valid!");
        break;
      case SettingsData::Setting::kSoundVolume:
      case SettingsData::Setting::kMusicVolume: {
        Interpolation& volume =
            s.kind == SettingsData::Setting::kSoundVolume ? SoundVolume : MusicVolume;
        volume.current = volume.target = static_cast<float>(TextToFloat(s.text));
        volume.rate = 0.0f;
        break;
      }
      case SettingsData::Setting::kRenderer:
        RendererChoice = TextToInt(s.text);
        break;
      case SettingsData::Setting::kFullScreen:
        FullScreen = TextToInt(s.text) != 0 ? 1 : 0;
        break;
    }
  }
  return whole;
}

std::string FormatSettings() {
  auto quote = [](const std::string& text) { return "\"" + text + "\""; };
  std::string out = "<?xml version=\"1.0\"?>\r\n<options>\r\n";
  const std::string& name = Profile::ProfileName;
  if (!name.empty() && IsProfileNameAllowed(name))
    out += "  <profile name=" + quote(name) + "/>\r\n";
  out += "  <audio sound_volume=" + quote(DoubleToText(SoundVolume.Value())) +
         " music_volume=" + quote(DoubleToText(MusicVolume.Value())) + "/>\r\n";
  out += "  <graphics renderer=" + quote(IntToText(RendererChoice)) +
         " fullscreen=" + quote(FullScreen != 0 ? "1" : "0") + "/>\r\n";
  out += "</options>\r\n";
  return out;
}

int WriteSettings(const std::string& path) {
  const std::string& name = Profile::ProfileName;
  if (!name.empty() && !IsProfileNameAllowed(name))
    Log("# Profile name '" + name + "' " + ProfileNameProblem(name) +
        "; the settings do not name it");
  std::string why;
  if (!WriteFileSafely(ResolvePath(path), FormatSettings(), &why)) {
    ShowMessageBox("Error: Could not write file '" + path + "'!", 1);
    Log("# Could not write file '" + path + "'!");
    Log(" - " + why);
    EndProgram();
  }
  return 1;
}
