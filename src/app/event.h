// Screens: exactly one is current; the main loop updates and draws it and
// tells it about focus changes.  A screen switches by creating its successor.
#pragma once

#include <memory>
#include <vector>

class Event {
 public:
  virtual ~Event() = default;
  virtual void Update(float step) { (void)step; }
  virtual void Draw() {}
  virtual void Suspend() {}
  virtual void Resume() {}
};

// Holds the current screen.  A replaced screen is kept alive until the end of
// the loop pass, because its own Update is usually still on the stack when
// its successor's Create replaces it.
class ScreenSlot {
 public:
  Event* get() const { return current_.get(); }
  Event* operator->() const { return current_.get(); }
  explicit operator bool() const { return current_ != nullptr; }
  void Replace(std::unique_ptr<Event> next);
  // Destroys the screens replaced since the last call.
  void ReleaseRetired();
  void Clear();

 private:
  std::unique_ptr<Event> current_;
  std::vector<std::unique_ptr<Event>> retired_;
};

extern ScreenSlot CurrentScreen;
