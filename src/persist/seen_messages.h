// What the profile needs from the message catalogue: the identifiers of the
// messages already shown, in the order they were shown.  The catalogue
// installs its own implementation; until then a plain in-memory list is used.
#pragma once

#include <memory>
#include <vector>

class SeenMessages {
 public:
  virtual ~SeenMessages() = default;
  // A new profile: no message shown, every message available again, no
  // message box open.
  virtual void ResetForNewProfile() = 0;
  // The shown identifiers in shown order, as the profile file stores them.
  virtual std::vector<int> ShownIds() const = 0;
  // A shown identifier read from a profile file; an identifier that is not
  // available (already shown, or unknown to the catalogue) is ignored.
  virtual void MarkSeen(int id) = 0;
  // Makes a shown message available again, so that it is not saved as shown.
  virtual void Forget(int id) = 0;
};

// The implementation in use (never null).
SeenMessages& CurrentSeenMessages();
// Installs an implementation; null puts back the in-memory list.
void InstallSeenMessages(std::unique_ptr<SeenMessages> messages);

// The in-memory list: every identifier counts as available until it is
// marked seen, and is kept once, in the order it was marked.
class SeenMessageList : public SeenMessages {
 public:
  void ResetForNewProfile() override { shown_.clear(); }
  std::vector<int> ShownIds() const override { return shown_; }
  void MarkSeen(int id) override;
  void Forget(int id) override;

 private:
  std::vector<int> shown_;
};
