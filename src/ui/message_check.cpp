#include "ui/message_check.h"

#include <map>
#include <set>

#include "data/xml_node.h"
#include "platform/services.h"

namespace {
std::string Describe(int index, const xmlNode& e) {
  return "element " + IntToText(index + 1) + " ('" + e.name + "')";
}
}  // namespace

std::vector<CheckFinding> CheckMessageCatalogue(const xmlNode& root) {
  std::vector<CheckFinding> findings;
  std::map<int, int> nextOf;  // first message of each identifier: its follow-up
  std::vector<int> order;
  for (int i = 0; i < root.ChildCount(); ++i) {
    const xmlNode& e = *root.Child(i);
    bool complete = true;
    for (const char* attribute : {"id", "title", "text"}) {
      if (!e.HasAttribute(attribute)) {
        findings.push_back({true, Describe(i, e) + " has no '" + attribute +
                                      "' attribute, so the game refuses the catalogue"});
        complete = false;
      }
    }
    if (!complete) return findings;  // the game stops reading here
    const int id = TextToInt(e.Attribute("id")->value);
    const xmlAttribute* next = e.Attribute("next");
    if (nextOf.count(id)) {
      findings.push_back({false, Describe(i, e) + ": message " + IntToText(id) +
                                     " is already defined; the game only ever shows the first"});
      continue;
    }
    nextOf[id] = next ? TextToInt(next->value) : 0;
    order.push_back(id);
  }
  for (int id : order) {
    const int next = nextOf[id];
    if (next != 0 && !nextOf.count(next)) {
      findings.push_back({false, "message " + IntToText(id) + " is followed by message " +
                                     IntToText(next) + ", which does not exist"});
    }
  }
  // A chain that comes back to a message it has shown stops there in the game.
  std::set<int> reported;
  for (int start : order) {
    std::set<int> seen{start};
    int at = nextOf[start];
    while (at != 0 && nextOf.count(at) && !seen.count(at)) {
      seen.insert(at);
      at = nextOf[at];
    }
    if (at == start && !reported.count(start)) {
      std::string chain = IntToText(start);
      for (int m = nextOf[start]; m != start; m = nextOf[m]) {
        chain += " -> " + IntToText(m);
        reported.insert(m);
      }
      reported.insert(start);
      findings.push_back({false, "the follow-ups of message " + IntToText(start) +
                                     " come back to it (" + chain + " -> " + IntToText(start) +
                                     "); the chain ends where a message was shown already"});
    }
  }
  return findings;
}
