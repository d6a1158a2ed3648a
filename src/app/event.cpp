#include "app/event.h"

ScreenSlot CurrentScreen;

void ScreenSlot::Replace(std::unique_ptr<Event> next) {
  if (current_) retired_.push_back(std::move(current_));
  current_ = std::move(next);
}

void ScreenSlot::ReleaseRetired() { retired_.clear(); }

void ScreenSlot::Clear() {
  ReleaseRetired();
  current_.reset();
}
