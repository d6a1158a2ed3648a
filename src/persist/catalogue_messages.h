// The shown-message store backed by the game's message catalogue: a new
// profile reloads "Data/messages.xml" so that every message is available
// again, and the profile saves and restores the catalogue's shown list.
#pragma once

#include "persist/seen_messages.h"

class CatalogueSeenMessages : public SeenMessages {
 public:
  void ResetForNewProfile() override;
  std::vector<int> ShownIds() const override;
  void MarkSeen(int id) override;
  void Forget(int id) override;
};
