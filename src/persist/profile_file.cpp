#include "persist/profile_file.h"

#include <algorithm>

#include "data/xml_node.h"
#include "persist/profile_names.h"
#include "platform/services.h"

bool ProfileData::operator==(const ProfileData& o) const {
  return name == o.name && spendableTokens == o.spendableTokens && totalTokens == o.totalTokens &&
         gameWon == o.gameWon && creditsShown == o.creditsShown && rangeLevel == o.rangeLevel &&
         speedLevel == o.speedLevel && keyLeft == o.keyLeft && keyRight == o.keyRight &&
         keyUp == o.keyUp && keyDown == o.keyDown && keyAction == o.keyAction &&
         quests == o.quests && shownMessages == o.shownMessages &&
         std::equal(secrets, secrets + kSecretSlots, o.secrets) &&
         std::equal(powerupsTaken, powerupsTaken + kPowerupSlots, o.powerupsTaken);
}

namespace {

int IntAttribute(const xmlNode& node, const char* name) {
  const xmlAttribute* a = node.Attribute(name);
  return a ? TextToInt(a->value) : 0;
}

// The first of `names` that the element lacks, or null.
const char* MissingAttribute(const xmlNode& node, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    if (!node.HasAttribute(name)) return name;
  }
  return nullptr;
}

std::string Describe(const xmlNode& node, int index) {
  return "element " + IntToText(index + 1) + " ('" + node.name + "')";
}

int Stop(ReadNotes* notes, const std::string& why) {
  notes->error = why;
  return 0;
}

std::string Quote(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

int ReadProfileTree(const xmlNode& root, ProfileData* data, ReadNotes* notes) {
  if (const char* missing = MissingAttribute(root, {"name", "tokens", "total_tokens"}))
    return Stop(notes, "the root element has no '" + std::string(missing) + "' attribute");
  const std::string& name = root.Attribute("name")->value;
  const std::string problem = ProfileNameProblem(name);
  if (problem.empty()) {
    data->name = name;
  } else {
    notes->ignored.push_back("the name '" + name + "' in the file " + problem +
                             ", so the profile keeps the name '" + data->name + "'");
  }
  data->spendableTokens = IntAttribute(root, "tokens");
  data->totalTokens = IntAttribute(root, "total_tokens");
  if (root.HasAttribute("won")) data->gameWon = 1;
  if (root.HasAttribute("credits")) data->creditsShown = 1;

  for (int i = 0; i < root.ChildCount(); ++i) {
    const xmlNode& e = *root.Child(i);
    const char* missing = nullptr;
    auto lacks = [&](const char* attribute) {
      return Stop(notes, Describe(e, i) + " has no '" + attribute + "' attribute");
    };
    if (e.name == "dog") {
      if ((missing = MissingAttribute(e, {"range", "speed"}))) return lacks(missing);
      data->rangeLevel = IntAttribute(e, "range");
      data->speedLevel = IntAttribute(e, "speed");
    } else if (e.name == "quest") {
      if ((missing = MissingAttribute(e, {"id"}))) return lacks(missing);
      ProfileQuest quest;
      quest.id = IntAttribute(e, "id");
      quest.tokens = IntAttribute(e, "tokens");
      quest.totalTokens = IntAttribute(e, "total_tokens");
      for (int j = 0; j < e.ChildCount(); ++j) {
        const xmlNode& l = *e.Child(j);
        const std::string where = Describe(e, i) + ", its " + Describe(l, j);
        if (l.name != "level") {
          notes->ignored.push_back(where + " is not a level; it is skipped");
          continue;
        }
        if ((missing = MissingAttribute(l, {"id", "score", "rank"})))
          return Stop(notes, where + " has no '" + missing + "' attribute");
        ProfileLevel level;
        level.id = IntAttribute(l, "id");
        level.score = IntAttribute(l, "score");
        level.rank = IntAttribute(l, "rank");
        quest.levels.push_back(level);
      }
      data->quests.push_back(std::move(quest));
    } else if (e.name == "message") {
      if ((missing = MissingAttribute(e, {"id"}))) return lacks(missing);
      data->shownMessages.push_back(IntAttribute(e, "id"));
    } else if (e.name == "secret") {
      if ((missing = MissingAttribute(e, {"id"}))) return lacks(missing);
      // The file holds the element index, secret number - 1.
      const int id = IntAttribute(e, "id");
      if (id >= 0 && id < kSecretSlots) {
        data->secrets[id] = 1;
      } else {
        notes->ignored.push_back(Describe(e, i) + ": secret id " + IntToText(id) +
                                 " is outside 0 to 31; it is ignored");
      }
    } else if (e.name == "control") {
      struct Binding {
        const char* attribute;
        int* key;
      };
      for (Binding b : {Binding{"left", &data->keyLeft}, Binding{"right", &data->keyRight},
                        Binding{"up", &data->keyUp}, Binding{"down", &data->keyDown},
                        Binding{"action", &data->keyAction}}) {
        if (e.HasAttribute(b.attribute)) *b.key = IntAttribute(e, b.attribute);
      }
    } else if (e.name == "powerup") {
      if ((missing = MissingAttribute(e, {"id"}))) return lacks(missing);
      const int id = IntAttribute(e, "id");
      if (id >= 1 && id <= kPowerupSlots) {
        data->powerupsTaken[id - 1] = 1;
      } else {
        notes->ignored.push_back(Describe(e, i) + ": power-up id " + IntToText(id) +
                                 " is outside 1 to 16; it is ignored");
      }
    } else {
      return Stop(notes, Describe(e, i) + " is not a profile element");
    }
  }
  return 1;
}

std::string FormatProfile(const ProfileData& d) {
  std::string out;
  auto line = [&out](const std::string& text) { out += text + "\r\n"; };
  auto num = [](long long n) { return Quote(IntToText(n)); };
  line("<?xml version=\"1.0\"?>");
  line("<profile name=" + Quote(d.name) + " tokens=" + num(d.spendableTokens) +
       " total_tokens=" + num(d.totalTokens) + (d.gameWon ? " won=\"1\"" : "") +
       (d.creditsShown ? " credits=\"1\"" : "") + ">");
  line("  <control left=" + num(d.keyLeft) + " right=" + num(d.keyRight) + " up=" + num(d.keyUp) +
       " down=" + num(d.keyDown) + " action=" + num(d.keyAction) + "/>");
  line("  <dog range=" + num(d.rangeLevel) + " speed=" + num(d.speedLevel) + "/>");
  for (const ProfileQuest& q : d.quests) {
    line("  <quest id=" + num(q.id) + " tokens=" + num(q.tokens) +
         " total_tokens=" + num(q.totalTokens) + ">");
    for (const ProfileLevel& l : q.levels)
      line("    <level id=" + num(l.id) + " score=" + num(l.score) + " rank=" + num(l.rank) + "/>");
    line("  </quest>");
  }
  for (int id : d.shownMessages) line("  <message id=" + num(id) + "/>");
  for (int i = 0; i < kSecretSlots; ++i) {
    if (d.secrets[i]) line("  <secret id=" + num(i) + "/>");
  }
  for (int i = 0; i < kPowerupSlots; ++i) {
    if (d.powerupsTaken[i]) line("  <powerup id=" + num(i + 1) + "/>");
  }
  line("</profile>");
  return out;
}
