#include "platform/headless_backend.h"

#include <algorithm>
#include <cstdio>

// The virtual clock waits for sounds still being decoded, so a scripted run
// hears the same whatever the machine's speed.
HeadlessBackend::HeadlessBackend() { mixer_.SetWaitsForDecoding(true); }

void HeadlessBackend::SetDesktopSize(int width, int height) {
  desktopW_ = width;
  desktopH_ = height;
}

void HeadlessBackend::SetRendererWorks(int renderer, bool works) {
  if (renderer == 0 || renderer == 1) rendererWorks_[renderer] = works;
}

// Sleeping is what moves virtual time, so a loop that paces itself by
// sleeping runs exactly 10 ms per frame however fast the machine is.
void HeadlessBackend::SleepMs(int ms) {
  if (ms <= 0) return;
  clock_ += ms;
  slept_ += ms;
  mixer_.Advance(ms);
}

void HeadlessBackend::SelectRenderer(int renderer, int) {
  if (renderer == 0 || renderer == 1) selected_ = renderer;
}

// Like a desktop with no mode list: any size up to the desktop's exists, in
// a window and at the listed full-screen depths.
int HeadlessBackend::DisplayModeExists(int width, int height, int depth, int refresh) {
  if (width <= 0 || height <= 0 || width > desktopW_ || height > desktopH_) return 0;
  if (refresh != 0 && refresh != 60) return 0;
  if (depth == 0) return 1;
  return std::find(depths_.begin(), depths_.end(), depth) != depths_.end() ? 1 : 0;
}

Display* HeadlessBackend::OpenDisplay(int width, int height, int depth, int, int) {
  if (!rendererWorks_[selected_]) return nullptr;
  if (width <= 0 || height <= 0 || width > desktopW_ || height > desktopH_) return nullptr;
  HeadlessDisplay* d = new HeadlessDisplay;
  d->width = width;
  d->height = height;
  d->depth = depth;
  d->renderer = selected_;
  ++openDisplays_;
  ++displaysOpened_;
  return d;
}

void HeadlessBackend::MakeDisplayCurrent(Display* display) { current_ = display; }

void HeadlessBackend::CloseDisplay(Display* display) {
  if (!display) return;
  if (display == current_) current_ = nullptr;
  --openDisplays_;
  delete display;
}

std::string HeadlessBackend::DriverText(int) { return " - Using headless driver "; }

void HeadlessBackend::ClearScreen() {
  building_.clear();
  DrawCall c;
  c.kind = DrawCall::kClear;
  building_.push_back(c);
}

void HeadlessBackend::PresentFrame(int sync) {
  last_.swap(building_);
  building_.clear();
  syncs_.push_back(sync);
  ++presented_;
}

void HeadlessBackend::DrawImage(Image& image, float x, float y, int frame,
                                const DrawState& state) {
  DrawCall c;
  c.kind = DrawCall::kImage;
  c.image = &image;
  c.frame = frame;
  c.x = x;
  c.y = y;
  c.w = image.width * state.scaleX;
  c.h = image.height * state.scaleY;
  c.state = state;
  building_.push_back(c);
}

void HeadlessBackend::DrawRect(float x, float y, float w, float h, const DrawState& state) {
  DrawCall c;
  c.kind = DrawCall::kRect;
  c.x = x;
  c.y = y;
  c.w = w * state.scaleX;
  c.h = h * state.scaleY;
  c.state = state;
  building_.push_back(c);
}

void HeadlessBackend::DrawOval(float x, float y, float w, float h, const DrawState& state) {
  DrawRect(x, y, w, h, state);
  building_.back().kind = DrawCall::kOval;
}

void HeadlessBackend::DrawText(const std::string& text, float x, float y, const Font& font,
                               const DrawState& state) {
  DrawCall c;
  c.kind = DrawCall::kText;
  c.text = text;
  c.font = &font;
  c.x = x;
  c.y = y;
  c.state = state;
  building_.push_back(c);
}

bool HeadlessBackend::SaveScreenshot(const std::string&, std::string* error) {
  *error = "the headless backend draws no pixels, so there is no screenshot to write";
  return false;
}

void HeadlessBackend::PumpEvents(InputState& input) { script_.ApplyDue(presented_, input); }

// Blocking for input takes the script's next event whatever its frame; at
// the end of the script nothing more can come.
bool HeadlessBackend::WaitForEvent(InputState& input) { return script_.ApplyNext(input); }

void HeadlessBackend::MoveMousePointer(int x, int y, InputState& input) {
  input.MouseMoved(x, y);
}

void HeadlessBackend::ShowMessageBox(const std::string& text, int) {
  messages_.push_back(text);
  if (EchoMessageBoxes) std::fprintf(stderr, "Fleecewick: %s\n", text.c_str());
}
