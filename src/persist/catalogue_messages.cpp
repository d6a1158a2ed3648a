#include "persist/catalogue_messages.h"

#include "ui/message_list.h"

// Both lists emptied, the box closed, then the file read again; its result
// is not looked at, as the catalogue was read whole at start-up.
void CatalogueSeenMessages::ResetForNewProfile() {
  MessageList::Reset();
  MessageList::Load("Data/messages.xml");
}

std::vector<int> CatalogueSeenMessages::ShownIds() const {
  std::vector<int> ids;
  for (const MessagePtr& m : ShownMessages) ids.push_back(m->id);
  return ids;
}

void CatalogueSeenMessages::MarkSeen(int id) { MessageList::MarkSeen(id); }
void CatalogueSeenMessages::Forget(int id) { MessageList::Forget(id); }
