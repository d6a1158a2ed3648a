#include "platform/input_state.h"

#include <cstddef>

namespace {
bool ValidKey(int code) { return code >= 1 && code <= 255; }
}  // namespace

void InputState::KeyDown(int code) {
  if (!ValidKey(code)) return;
  if (!keys_[code]) {
    ++keyPresses_;
    lastKey_ = code;
  }
  keys_[code] = true;
}

void InputState::KeyUp(int code) {
  if (ValidKey(code)) keys_[code] = false;
}

void InputState::TypedChar(int code) {
  if (code <= 0 || code > 255) return;
  if (typed_.size() >= static_cast<size_t>(kMaxTypedChars)) return;
  typed_.push_back(static_cast<uint8_t>(code));
}

void InputState::MouseButton(int button, bool down) {
  if (button >= 1 && button <= 3) mouse_[button] = down;
}

void InputState::MouseMoved(int x, int y) {
  mouseX_ = x;
  mouseY_ = y;
}

void InputState::JoyAxes(float x, float y) {
  joyX_ = x < -1.0f ? -1.0f : (x > 1.0f ? 1.0f : x);
  joyY_ = y < -1.0f ? -1.0f : (y > 1.0f ? 1.0f : y);
}

void InputState::JoyButton(int button, bool down) {
  if (button >= 0 && button < 32) joyButtons_[button] = down;
}

void InputState::SetSuspended(bool suspended) {
  if (suspended != suspended_) ClearKeysAndButtons();
  suspended_ = suspended;
}

bool InputState::IsKeyDown(int code) const { return ValidKey(code) && keys_[code]; }

int InputState::NextTypedChar() {
  if (typed_.empty()) return 0;
  int c = typed_.front();
  typed_.pop_front();
  return c;
}

void InputState::Flush() {
  for (bool& k : keys_) k = false;
  typed_.clear();
}

void InputState::ClearKeys() {
  for (bool& k : keys_) k = false;
}

void InputState::ClearKeysAndButtons() {
  for (bool& k : keys_) k = false;
  for (bool& m : mouse_) m = false;
}

bool InputState::IsMouseDown(int button) const {
  return button >= 1 && button <= 3 && mouse_[button];
}

bool InputState::IsJoyButtonDown(int button) const {
  return button >= 0 && button < 32 && joyButtons_[button];
}

bool InputState::TakeCloseRequest() {
  bool r = closeRequested_;
  closeRequested_ = false;
  return r;
}
