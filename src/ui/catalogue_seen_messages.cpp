#include "ui/catalogue_seen_messages.h"

#include "ui/message_list.h"

void CatalogueSeenMessages::ResetForNewProfile() {
  MessageList::Reset();
  // At start-up the file was read whole; its result is not needed here.
  MessageList::Load("Data/messages.xml");
}

std::vector<int> CatalogueSeenMessages::ShownIds() const {
  std::vector<int> ids;
  for (const MessagePtr& m : ShownMessages) ids.push_back(m->id);
  return ids;
}

void CatalogueSeenMessages::MarkSeen(int id) { MessageList::MarkSeen(id); }
void CatalogueSeenMessages::Forget(int id) { MessageList::Forget(id); }
