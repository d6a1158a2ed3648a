// The message catalogue as the profile sees it: the shown messages a profile
// saves and restores, and the fresh start of a new profile.
#pragma once

#include "persist/seen_messages.h"

class CatalogueSeenMessages : public SeenMessages {
 public:
  // Empties both lists, closes the box and reads "Data/messages.xml" again, so
  // that every message is available to the new player.
  void ResetForNewProfile() override;
  std::vector<int> ShownIds() const override;
  void MarkSeen(int id) override;
  void Forget(int id) override;
};
