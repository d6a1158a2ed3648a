#include "platform/input_script.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace {

bool ParseInt(const std::string& word, long lo, long hi, int* out) {
  if (word.empty()) return false;
  errno = 0;
  char* end = nullptr;
  long v = std::strtol(word.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
  *out = static_cast<int>(v);
  return true;
}

bool ParseFloat(const std::string& word, float* out) {
  if (word.empty()) return false;
  char* end = nullptr;
  float v = std::strtof(word.c_str(), &end);
  if (*end != '\0' || !(v >= -1.0f && v <= 1.0f)) return false;
  *out = v;
  return true;
}

struct Command {
  const char* name;
  ScriptEvent::Kind kind;
  int args;  // number of arguments after the command
};

const Command kCommands[] = {
    {"key_down", ScriptEvent::kKeyDown, 1},
    {"key_up", ScriptEvent::kKeyUp, 1},
    {"char", ScriptEvent::kChar, 1},
    {"text", ScriptEvent::kChar, 1},
    {"mouse_move", ScriptEvent::kMouseMove, 2},
    {"mouse_down", ScriptEvent::kMouseDown, 1},
    {"mouse_up", ScriptEvent::kMouseUp, 1},
    {"joy_axis", ScriptEvent::kJoyAxis, 2},
    {"joy_button_down", ScriptEvent::kJoyButtonDown, 1},
    {"joy_button_up", ScriptEvent::kJoyButtonUp, 1},
    {"focus_lost", ScriptEvent::kFocusLost, 0},
    {"focus_gained", ScriptEvent::kFocusGained, 0},
    {"close", ScriptEvent::kClose, 0},
};

}  // namespace

bool ParseInputScript(const std::string& text, std::vector<ScriptEvent>* events,
                      std::string* error) {
  events->clear();
  std::istringstream in(text);
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    size_t hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.empty()) continue;
    auto fail = [&](const std::string& what) {
      *error = std::to_string(lineNo) + ": " + what;
      return false;
    };
    ScriptEvent e;
    e.line = lineNo;
    if (!ParseInt(w[0], 0, 1000000000L, &e.frame))
      return fail("'" + w[0] + "' is not a frame number");
    if (w.size() < 2) return fail("a command is missing after the frame number");
    const Command* cmd = nullptr;
    for (const Command& c : kCommands)
      if (w[1] == c.name) cmd = &c;
    if (!cmd) return fail("unknown command '" + w[1] + "'");
    if (static_cast<int>(w.size()) - 2 != cmd->args)
      return fail("'" + w[1] + "' takes " + std::to_string(cmd->args) + " argument(s)");
    e.kind = cmd->kind;
    switch (cmd->kind) {
      case ScriptEvent::kKeyDown:
      case ScriptEvent::kKeyUp:
        if (!ParseInt(w[2], 1, 255, &e.a)) return fail("key codes run from 1 to 255");
        break;
      case ScriptEvent::kChar:
        if (w[1] == "text") {
          for (unsigned char c : w[2]) {
            ScriptEvent ch = e;
            ch.a = c;
            events->push_back(ch);
          }
          continue;
        }
        if (!ParseInt(w[2], 1, 255, &e.a)) return fail("character codes run from 1 to 255");
        break;
      case ScriptEvent::kMouseMove:
        if (!ParseInt(w[2], -100000, 100000, &e.a) || !ParseInt(w[3], -100000, 100000, &e.b))
          return fail("mouse_move takes two whole numbers");
        break;
      case ScriptEvent::kMouseDown:
      case ScriptEvent::kMouseUp:
        if (!ParseInt(w[2], 1, 3, &e.a)) return fail("mouse buttons are 1, 2 and 3");
        break;
      case ScriptEvent::kJoyAxis:
        if (!ParseFloat(w[2], &e.fx) || !ParseFloat(w[3], &e.fy))
          return fail("joy_axis takes two numbers from -1 to 1");
        break;
      case ScriptEvent::kJoyButtonDown:
      case ScriptEvent::kJoyButtonUp:
        if (!ParseInt(w[2], 0, 31, &e.a)) return fail("joystick buttons run from 0 to 31");
        break;
      default:
        break;
    }
    events->push_back(e);
  }
  std::stable_sort(events->begin(), events->end(),
                   [](const ScriptEvent& x, const ScriptEvent& y) { return x.frame < y.frame; });
  return true;
}

void ApplyScriptEvent(const ScriptEvent& e, InputState& input) {
  switch (e.kind) {
    case ScriptEvent::kKeyDown: input.KeyDown(e.a); break;
    case ScriptEvent::kKeyUp: input.KeyUp(e.a); break;
    case ScriptEvent::kChar: input.TypedChar(e.a); break;
    case ScriptEvent::kMouseMove: input.MouseMoved(e.a, e.b); break;
    case ScriptEvent::kMouseDown: input.MouseButton(e.a, true); break;
    case ScriptEvent::kMouseUp: input.MouseButton(e.a, false); break;
    case ScriptEvent::kJoyAxis: input.JoyAxes(e.fx, e.fy); break;
    case ScriptEvent::kJoyButtonDown: input.JoyButton(e.a, true); break;
    case ScriptEvent::kJoyButtonUp: input.JoyButton(e.a, false); break;
    case ScriptEvent::kFocusLost: input.SetSuspended(true); break;
    case ScriptEvent::kFocusGained: input.SetSuspended(false); break;
    case ScriptEvent::kClose: input.RequestClose(); break;
  }
}

void ScriptPlayer::ApplyDue(int framesPresented, InputState& input) {
  if (!armed_) return;
  while (next_ < events_.size() && events_[next_].frame <= framesPresented) {
    ApplyScriptEvent(events_[next_], input);
    ++next_;
  }
}

bool ScriptPlayer::ApplyNext(InputState& input) {
  if (next_ >= events_.size()) return false;
  ApplyScriptEvent(events_[next_], input);
  ++next_;
  return true;
}
