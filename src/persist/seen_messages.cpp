#include "persist/seen_messages.h"

#include <algorithm>
#include <utility>

namespace {
std::unique_ptr<SeenMessages>& Installed() {
  static std::unique_ptr<SeenMessages> messages = std::make_unique<SeenMessageList>();
  return messages;
}
}  // namespace

SeenMessages& CurrentSeenMessages() { return *Installed(); }

void InstallSeenMessages(std::unique_ptr<SeenMessages> messages) {
  Installed() = messages ? std::move(messages) : std::make_unique<SeenMessageList>();
}

void SeenMessageList::MarkSeen(int id) {
  if (std::find(shown_.begin(), shown_.end(), id) == shown_.end()) shown_.push_back(id);
}

void SeenMessageList::Forget(int id) {
  shown_.erase(std::remove(shown_.begin(), shown_.end(), id), shown_.end());
}
