// Scripted input for the headless backend: one event a line, "FRAME COMMAND
// ARGS", applied in the frame given; "#" starts a comment.
#pragma once

#include <string>
#include <vector>

#include "platform/input_state.h"

struct ScriptEvent {
  enum Kind {
    kKeyDown,
    kKeyUp,
    kChar,
    kMouseMove,
    kMouseDown,
    kMouseUp,
    kJoyAxis,
    kJoyButtonDown,
    kJoyButtonUp,
    kFocusLost,
    kFocusGained,
    kClose,
  };
  int frame = 0;
  Kind kind = kClose;
  int a = 0, b = 0;          // codes, buttons, positions
  float fx = 0.0f, fy = 0.0f;  // joystick axes
  int line = 0;              // where it came from
};

// Parses a whole script.  On a malformed line it returns false and sets
// `error` to "LINE: what is wrong".  Events come out ordered by frame, lines of
// the same frame in file order.  "F text WORD" becomes one kChar per character.
bool ParseInputScript(const std::string& text, std::vector<ScriptEvent>* events,
                      std::string* error);

// Feeds one event into the input tables.
void ApplyScriptEvent(const ScriptEvent& event, InputState& input);

// A script being played back: an event is due once its frame number of
// frames has been presented.
class ScriptPlayer {
 public:
  void Set(std::vector<ScriptEvent> events) {
    events_ = std::move(events);
    next_ = 0;
  }
  // Events wait until the loop has started; before that none is applied.
  void Arm() { armed_ = true; }
  // Applies every event due once `framesPresented` frames have been presented.
  void ApplyDue(int framesPresented, InputState& input);
  // Applies the next event whatever its frame (a wait for a key takes it);
  // false when the script has no event left.
  bool ApplyNext(InputState& input);
  bool HasEventsLeft() const { return next_ < events_.size(); }

 private:
  std::vector<ScriptEvent> events_;
  size_t next_ = 0;
  bool armed_ = false;
};
