// The registry of live controls: the current screen updates and draws them all
// once a frame; later controls lie on top.  `ClickReady` allows at most one
// click per press of the pointer button.
#pragma once

#include <memory>
#include <vector>

#include "ui/control.h"

extern int ClickReady;

class GUI {
 public:
  static void Clear();
  static void Add(const std::shared_ptr<Control>& control);
  static void Remove(Control* control);
  static void SetAllEnabled(int flag);
  // Updates every control in list order, then lets it handle input if it is
  // enabled.  A control removed during the pass (by itself or by a callback)
  // is skipped from then on; controls added during the pass wait for the next.
  static void UpdateAll(float dt);
  static void DrawAll();
  static const std::vector<std::shared_ptr<Control>>& Controls();
};
