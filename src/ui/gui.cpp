#include "ui/gui.h"

#include <algorithm>

#include "app/globals.h"

int ClickReady = 1;

namespace {
std::vector<std::shared_ptr<Control>>& List() {
  static std::vector<std::shared_ptr<Control>> list;
  return list;
}
}  // namespace

void GUI::Clear() {
  for (auto& c : List()) c->inGui = false;
  List().clear();
}

void GUI::Add(const std::shared_ptr<Control>& control) {
  if (!control || control->inGui) return;
  control->inGui = true;
  List().push_back(control);
}

void GUI::Remove(Control* control) {
  auto& list = List();
  auto it = std::find_if(list.begin(), list.end(),
                         [control](const std::shared_ptr<Control>& c) { return c.get() == control; });
  if (it == list.end()) return;
  (*it)->inGui = false;
  list.erase(it);
}

void GUI::SetAllEnabled(int flag) {
  for (auto& c : List()) c->enabled = flag;
}

void GUI::UpdateAll(float dt) {
  if (PointerDown == 0) ClickReady = 1;
  // A copy keeps every control alive through the pass, whatever the callbacks
  // do to the list.
  std::vector<std::shared_ptr<Control>> pass = List();
  for (auto& c : pass) {
    if (!c->inGui) continue;
    c->Update(dt);
    if (c->inGui && c->enabled) c->HandleInput(dt);
  }
}

void GUI::DrawAll() {
  std::vector<std::shared_ptr<Control>> pass = List();
  for (auto& c : pass) {
    if (c->inGui) c->Draw();
  }
}

const std::vector<std::shared_ptr<Control>>& GUI::Controls() { return List(); }
