// The input state tables that the game polls: held keys by virtual-key code,
// the typed-character queue, mouse buttons and position, the joystick on port 0
// and the two application flags.  Backends feed operating-system events in.
#pragma once

#include <cstdint>
#include <deque>

class InputState {
 public:
  static constexpr int kMaxTypedChars = 256;

  // Events, as a backend reports them.
  void KeyDown(int code);
  void KeyUp(int code);
  void TypedChar(int code);  // dropped when the queue is full
  void MouseButton(int button, bool down);
  void MouseMoved(int x, int y);
  void JoyAxes(float x, float y);
  void JoyButton(int button, bool down);
  // Focus changes clear every key and mouse state.
  void SetSuspended(bool suspended);
  void RequestClose() { closeRequested_ = true; }

  // Queries.
  bool IsKeyDown(int code) const;
  int NextTypedChar();
  void Flush();      // every key's held flag and the typed-character queue
  void ClearKeys();
  void ClearKeysAndButtons();
  bool IsMouseDown(int button) const;
  int MouseX() const { return mouseX_; }
  int MouseY() const { return mouseY_; }
  float JoyX() const { return joyX_; }
  float JoyY() const { return joyY_; }
  bool IsJoyButtonDown(int button) const;
  bool Suspended() const { return suspended_; }
  bool TakeCloseRequest();
  bool CloseRequested() const { return closeRequested_; }

  // Counts key presses so that a waiting caller can tell a new one came.
  uint64_t KeyPressCount() const { return keyPresses_; }
  int LastKeyPressed() const { return lastKey_; }

  void Reset() { *this = InputState(); }

 private:
  bool keys_[256] = {};
  std::deque<uint8_t> typed_;
  bool mouse_[4] = {};
  int mouseX_ = 0, mouseY_ = 0;
  float joyX_ = 0.0f, joyY_ = 0.0f;
  bool joyButtons_[32] = {};
  bool suspended_ = false;
  bool closeRequested_ = false;
  uint64_t keyPresses_ = 0;
  int lastKey_ = 0;
};
