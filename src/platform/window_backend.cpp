#include "platform/window_backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/gl_renderer.h"
#include "platform/image_loading.h"
#include "platform/key_mapping.h"
#include "platform/png_writer.h"
#include "platform/services.h"
#include "platform/soft_renderer.h"

namespace {
constexpr int kGameButtonCount = 32;

bool EnvSet(const char* name) {
  const char* v = std::getenv(name);
  return v && v[0] && std::strcmp(v, "0") != 0;
}

// Decodes UTF-8 text input to the game's 8-bit characters; code points that
// do not fit 8 bits are dropped, as are control characters.
void TypeUtf8(const char* text, InputState& input) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  while (*p) {
    uint32_t cp;
    int extra;
    if (*p < 0x80) {
      cp = *p;
      extra = 0;
    } else if ((*p & 0xE0) == 0xC0) {
      cp = *p & 0x1F;
      extra = 1;
    } else if ((*p & 0xF0) == 0xE0) {
      cp = *p & 0x0F;
      extra = 2;
    } else if ((*p & 0xF8) == 0xF0) {
      cp = *p & 0x07;
      extra = 3;
    } else {
      ++p;
      continue;
    }
    ++p;
    bool ok = true;
    for (int i = 0; i < extra; ++i) {
      if ((*p & 0xC0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (*p & 0x3F);
      ++p;
    }
    if (ok && cp >= 32 && cp <= 255 && cp != 127) input.TypedChar(static_cast<int>(cp));
  }
}

int GameButtonOf(uint8_t sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    default: return 0;
  }
}

// The controller's face and shoulder buttons by position: the south button
// is the action button 0.
int PadButtonOf(uint8_t b) {
  switch (b) {
    case SDL_CONTROLLER_BUTTON_A: return 0;
    case SDL_CONTROLLER_BUTTON_B: return 1;
    case SDL_CONTROLLER_BUTTON_X: return 2;
    case SDL_CONTROLLER_BUTTON_Y: return 3;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return 4;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return 5;
    case SDL_CONTROLLER_BUTTON_BACK: return 6;
    case SDL_CONTROLLER_BUTTON_START: return 7;
    case SDL_CONTROLLER_BUTTON_LEFTSTICK: return 8;
    case SDL_CONTROLLER_BUTTON_RIGHTSTICK: return 9;
    default: return -1;
  }
}

struct Letterbox {
  float scale = 1, offsetX = 0, offsetY = 0;
};

Letterbox LetterboxFor(int outW, int outH, int logicalW, int logicalH) {
  Letterbox box;
  if (outW <= 0 || outH <= 0 || logicalW <= 0 || logicalH <= 0) return box;
  float sx = static_cast<float>(outW) / logicalW;
  float sy = static_cast<float>(outH) / logicalH;
  box.scale = sx < sy ? sx : sy;
  box.offsetX = (outW - logicalW * box.scale) / 2.0f;
  box.offsetY = (outH - logicalH * box.scale) / 2.0f;
  return box;
}
}  // namespace

std::unique_ptr<Backend> CreateWindowBackend() { return WindowBackend::Create(); }

std::unique_ptr<WindowBackend> WindowBackend::Create() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  std::unique_ptr<WindowBackend> b(new WindowBackend);
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    // Without video the game still starts: display set-up then finds that
    // no renderer can open a display and says so the usual way.
    std::fprintf(stderr, "Fleecewick: no video: %s\n", SDL_GetError());
    b->videoOk_ = false;
    SDL_Init(SDL_INIT_EVENTS);
  }
  b->renderers_[0] = CreateSoftwareRenderer();
  b->renderers_[1] = CreateOpenGLRenderer();
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    std::fprintf(stderr, "Fleecewick: no game controllers: %s\n", SDL_GetError());
  }
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
    SDL_AudioSpec want, have;
    SDL_zero(want);
    want.freq = 44100;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = &WindowBackend::AudioCallback;
    want.userdata = b.get();
    b->audio_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (b->audio_ != 0) {
      b->audioRate_ = have.freq;
      SDL_PauseAudioDevice(b->audio_, 0);
    }
  }
  if (b->audio_ == 0) std::fprintf(stderr, "Fleecewick: playing without sound: %s\n", SDL_GetError());
  b->lastMixTicks_ = SDL_GetTicks();
  SDL_StartTextInput();
  return b;
}

WindowBackend::~WindowBackend() {
  if (audio_) SDL_CloseAudioDevice(audio_);
  if (current_) CloseDisplay(current_);
  if (pad_) SDL_GameControllerClose(pad_);
  for (auto& r : renderers_) r.reset();
  SDL_Quit();
}

void WindowBackend::AudioCallback(void* self, Uint8* stream, int len) {
  WindowBackend* b = static_cast<WindowBackend*>(self);
  b->mixer_.Render(reinterpret_cast<float*>(stream), static_cast<size_t>(len) / (2 * sizeof(float)),
                   b->audioRate_);
}

int WindowBackend::Milliseconds() { return static_cast<int>(SDL_GetTicks()); }

void WindowBackend::SleepMs(int ms) {
  if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
}

void WindowBackend::SelectRenderer(int renderer, int) {
  if (renderer == 0 || renderer == 1) selected_ = renderer;
}

// There is no list of modes to choose from: any size not larger than the
// desktop exists, at every depth the game asks for.
int WindowBackend::DisplayModeExists(int width, int height, int depth, int) {
  if (width <= 0 || height <= 0) return 0;
  SDL_DisplayMode desktop;
  // With no video there is no desktop to compare with; opening will fail.
  if (!videoOk_ || SDL_GetDesktopDisplayMode(0, &desktop) != 0) return 1;
  if (width <= 0 || height <= 0 || width > desktop.w || height > desktop.h) return 0;
  return depth == 0 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
}

Display* WindowBackend::OpenDisplay(int width, int height, int depth, int, int) {
  FrameRenderer* renderer = renderers_[selected_].get();
  if (!renderer || !videoOk_) return nullptr;
  if (selected_ == 1 && EnvSet("FLEECEWICK_NO_OPENGL")) return nullptr;
  bool full = depth != 0;
  int scale = 1;
  SDL_Rect usable;
  if (!full && SDL_GetDisplayUsableBounds(0, &usable) == 0) {
    int sx = usable.w / width, sy = usable.h / height;
    scale = sx < sy ? sx : sy;
    if (scale < 1) scale = 1;
  }
  uint32_t flags = renderer->WindowFlags() | SDL_WINDOW_SHOWN;
  flags |= full ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_RESIZABLE;
  SDL_Window* window = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_CENTERED,
                                        SDL_WINDOWPOS_CENTERED, width * scale, height * scale,
                                        flags);
  if (!window) {
    std::fprintf(stderr, "Fleecewick: cannot open a window: %s\n", SDL_GetError());
    return nullptr;
  }
  std::string error;
  if (!renderer->Open(window, width, height, &error)) {
    std::fprintf(stderr, "Fleecewick: the %s renderer cannot start: %s\n",
                 renderer->Name().c_str(), error.empty() ? SDL_GetError() : error.c_str());
    SDL_DestroyWindow(window);
    return nullptr;
  }
  SDL_SetWindowMinimumSize(window, width / 2, height / 2);
  ApplyIcon(window);
  if (pointerHidden_) SDL_ShowCursor(SDL_DISABLE);
  WindowDisplay* d = new WindowDisplay;
  d->width = width;
  d->height = height;
  d->depth = depth;
  d->renderer = selected_;
  d->window = window;
  d->frameRenderer = renderer;
  return d;
}

void WindowBackend::MakeDisplayCurrent(Display* display) {
  current_ = static_cast<WindowDisplay*>(display);
  window_ = current_ ? current_->window : nullptr;
  active_ = current_ ? current_->frameRenderer : nullptr;
}

void WindowBackend::CloseDisplay(Display* display) {
  WindowDisplay* d = static_cast<WindowDisplay*>(display);
  if (!d) return;
  std::vector<uint32_t> frame;
  if (d->frameRenderer && d->frameRenderer->ReadLastFrame(&frame)) lastFrame_.swap(frame);
  if (d->frameRenderer) d->frameRenderer->Close();
  SDL_DestroyWindow(d->window);
  if (d == current_) MakeDisplayCurrent(nullptr);
  delete d;
}

int WindowBackend::Direct3D7DeviceUsable() {
  return renderers_[0] && renderers_[0]->DeviceUsable() ? 1 : 0;
}

void WindowBackend::SetWindowTitle(const std::string& title) {
  title_ = title;
  if (window_) SDL_SetWindowTitle(window_, title.c_str());
}

// The icon is a PNG beside the named icon file ("Data/icon.ico" looks for
// "Data/icon.png"), or the named file itself when it decodes as a picture.
void WindowBackend::SetWindowIconFile(const std::string& path) {
  std::string resolved = ResolvePath(path);
  std::vector<std::string> candidates;
  size_t dot = resolved.rfind('.');
  if (dot != std::string::npos && resolved.find('/', dot) == std::string::npos)
    candidates.push_back(resolved.substr(0, dot) + ".png");
  candidates.push_back(resolved);
  for (const std::string& candidate : candidates) {
    std::vector<uint8_t> bytes;
    DecodedPicture picture;
    std::string error;
    if (!ReadWholeFile(candidate, &bytes, 4 << 20)) continue;
    if (!DecodePicture(bytes.data(), bytes.size(), &picture, &error)) continue;
    if (picture.width > 1024 || picture.height > 1024) continue;
    iconPixels_ = std::move(picture.pixels);
    iconW_ = picture.width;
    iconH_ = picture.height;
    ApplyIcon(window_);
    return;
  }
}

std::string WindowBackend::DriverText(int driver) {
  if ((driver == 0 || driver == 1) && renderers_[driver])
    return " - Using " + renderers_[driver]->Name() + " driver ";
  return " - Using unknown driver ";
}

void WindowBackend::LoadGamepadMappings(const std::string& path) {
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    std::fclose(f);
    if (SDL_GameControllerAddMappingsFromFile(path.c_str()) < 0)
      std::fprintf(stderr, "Fleecewick: '%s' not read: %s\n", path.c_str(), SDL_GetError());
  }
}

void WindowBackend::ClearScreen() {
  if (active_) active_->Clear();
}

void WindowBackend::PresentFrame(int sync) {
  ++presented_;
  if (!active_) return;
  bool full = current_ && current_->depth != 0;
  active_->Present(sync == 1 || (sync == -1 && full));
}

void WindowBackend::DrawImage(Image& image, float x, float y, int frame, const DrawState& state) {
  if (active_) active_->DrawImage(image, x, y, frame, state);
}

void WindowBackend::DrawRect(float x, float y, float w, float h, const DrawState& state) {
  if (active_) active_->DrawRect(x, y, w, h, state);
}

void WindowBackend::DrawOval(float x, float y, float w, float h, const DrawState& state) {
  if (active_) active_->DrawOval(x, y, w, h, state);
}

void WindowBackend::DrawText(const std::string& text, float x, float y, const Font& font,
                             const DrawState& state) {
  if (active_) active_->DrawText(text, x, y, font, state);
}

bool WindowBackend::SaveScreenshot(const std::string& path, std::string* error) {
  std::vector<uint32_t> frame;
  int w = 0, h = 0;
  if (active_ && current_ && active_->ReadLastFrame(&frame)) {
    w = current_->width;
    h = current_->height;
  } else if (!lastFrame_.empty()) {
    frame = lastFrame_;
    w = 800;
    h = static_cast<int>(frame.size() / 800);
  }
  if (frame.empty()) {
    *error = "no frame was presented";
    return false;
  }
  return WritePngFile(path, w, h, frame, error);
}

void WindowBackend::PumpEvents(InputState& input) {
  SDL_Event e;
  while (SDL_PollEvent(&e)) HandleEvent(e, input);
  script_.ApplyDue(presented_, input);
  if (!audio_) {
    uint32_t now = SDL_GetTicks();
    mixer_.Advance(static_cast<double>(now - lastMixTicks_));
    lastMixTicks_ = now;
  }
}

// Blocks for the next event; a close request ends the wait.
bool WindowBackend::WaitForEvent(InputState& input) {
  if (script_.HasEventsLeft()) return script_.ApplyNext(input);
  SDL_Event e;
  if (SDL_WaitEventTimeout(&e, 50)) HandleEvent(e, input);
  return !input.CloseRequested();
}

void WindowBackend::HandleEvent(const SDL_Event& e, InputState& input) {
  switch (e.type) {
    case SDL_QUIT:
      input.RequestClose();
      break;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE: input.RequestClose(); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: input.SetSuspended(true); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: input.SetSuspended(false); break;
        default: break;
      }
      break;
    case SDL_KEYDOWN: {
      int vk = VirtualKeyFromScancode(e.key.keysym.scancode);
      if (vk && !e.key.repeat) input.KeyDown(vk);
      if (vk == 8 || vk == 13) input.TypedChar(vk);
      break;
    }
    case SDL_KEYUP: {
      int vk = VirtualKeyFromScancode(e.key.keysym.scancode);
      if (vk) input.KeyUp(vk);
      break;
    }
    case SDL_TEXTINPUT:
      TypeUtf8(e.text.text, input);
      break;
    case SDL_MOUSEMOTION: {
      int gx, gy;
      WindowToGame(e.motion.x, e.motion.y, &gx, &gy);
      input.MouseMoved(gx, gy);
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      int gx, gy;
      WindowToGame(e.button.x, e.button.y, &gx, &gy);
      input.MouseMoved(gx, gy);
      input.MouseButton(GameButtonOf(e.button.button), e.type == SDL_MOUSEBUTTONDOWN);
      break;
    }
    case SDL_CONTROLLERDEVICEADDED:
      if (!pad_) OpenFirstGamepad();
      break;
    case SDL_CONTROLLERDEVICEREMOVED:
      if (pad_ && e.cdevice.which == padId_) {
        CloseGamepad(input);
        OpenFirstGamepad();
      }
      break;
    case SDL_CONTROLLERAXISMOTION:
      if (pad_ && e.caxis.which == padId_) {
        float v = e.caxis.value / 32767.0f;
        if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) stickX_ = v;
        if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) stickY_ = v;
        UpdateGamepadAxes(input);
      }
      break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      if (pad_ && e.cbutton.which == padId_) {
        bool down = e.type == SDL_CONTROLLERBUTTONDOWN;
        switch (e.cbutton.button) {
          case SDL_CONTROLLER_BUTTON_DPAD_LEFT: dpad_[0] = down; break;
          case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: dpad_[1] = down; break;
          case SDL_CONTROLLER_BUTTON_DPAD_UP: dpad_[2] = down; break;
          case SDL_CONTROLLER_BUTTON_DPAD_DOWN: dpad_[3] = down; break;
          default: {
            int b = PadButtonOf(e.cbutton.button);
            if (b >= 0 && b < kGameButtonCount) input.JoyButton(b, down);
          }
        }
        UpdateGamepadAxes(input);
      }
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      for (auto& r : renderers_)
        if (r) r->OnRenderReset();
      break;
    default:
      break;
  }
}

// The d-pad, when held, wins over the stick.
void WindowBackend::UpdateGamepadAxes(InputState& input) {
  float x = stickX_, y = stickY_;
  if (dpad_[0] != dpad_[1]) x = dpad_[0] ? -1.0f : 1.0f;
  if (dpad_[2] != dpad_[3]) y = dpad_[2] ? -1.0f : 1.0f;
  input.JoyAxes(x, y);
}

void WindowBackend::OpenFirstGamepad() {
  for (int i = 0; i < SDL_NumJoysticks(); ++i) {
    if (!SDL_IsGameController(i)) continue;
    pad_ = SDL_GameControllerOpen(i);
    if (pad_) {
      padId_ = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad_));
      return;
    }
  }
}

// An unplugged controller leaves nothing held and the stick at rest.
void WindowBackend::CloseGamepad(InputState& input) {
  SDL_GameControllerClose(pad_);
  pad_ = nullptr;
  padId_ = -1;
  stickX_ = stickY_ = 0;
  for (bool& d : dpad_) d = false;
  input.JoyAxes(0, 0);
  for (int b = 0; b < kGameButtonCount; ++b) input.JoyButton(b, false);
}

void WindowBackend::WindowToGame(int wx, int wy, int* gx, int* gy) const {
  int ww = 0, wh = 0;
  int lw = current_ ? current_->width : 800, lh = current_ ? current_->height : 600;
  if (window_) SDL_GetWindowSize(window_, &ww, &wh);
  Letterbox box = LetterboxFor(ww, wh, lw, lh);
  float x = (wx - box.offsetX) / box.scale, y = (wy - box.offsetY) / box.scale;
  *gx = static_cast<int>(x < 0 ? 0 : (x > lw - 1 ? lw - 1 : x));
  *gy = static_cast<int>(y < 0 ? 0 : (y > lh - 1 ? lh - 1 : y));
}

void WindowBackend::GameToWindow(int gx, int gy, int* wx, int* wy) const {
  int ww = 0, wh = 0;
  int lw = current_ ? current_->width : 800, lh = current_ ? current_->height : 600;
  if (window_) SDL_GetWindowSize(window_, &ww, &wh);
  Letterbox box = LetterboxFor(ww, wh, lw, lh);
  *wx = static_cast<int>(box.offsetX + (gx + 0.5f) * box.scale);
  *wy = static_cast<int>(box.offsetY + (gy + 0.5f) * box.scale);
}

void WindowBackend::MoveMousePointer(int x, int y, InputState& input) {
  input.MouseMoved(x, y);
  if (!window_) return;
  int wx, wy;
  GameToWindow(x, y, &wx, &wy);
  SDL_WarpMouseInWindow(window_, wx, wy);
}

void WindowBackend::HideMousePointer() {
  pointerHidden_ = true;
  SDL_ShowCursor(SDL_DISABLE);
}

// The text always goes to standard error too, so that it is seen where no
// display exists; FLEECEWICK_MESSAGE_BOX=stderr leaves out the dialog (tests).
void WindowBackend::ShowMessageBox(const std::string& text, int serious) {
  std::fprintf(stderr, "Fleecewick: %s\n", text.c_str());
  const char* mode = std::getenv("FLEECEWICK_MESSAGE_BOX");
  if (!videoOk_ || (mode && std::strcmp(mode, "stderr") == 0)) return;
  SDL_ShowSimpleMessageBox(serious ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION,
                           "Fleecewick", text.c_str(), window_);
}

void WindowBackend::ApplyIcon(SDL_Window* window) {
  if (iconPixels_.empty() || !window) return;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(iconPixels_.data(), iconW_, iconH_, 32,
                                                      iconW_ * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return;
  SDL_SetWindowIcon(window, s);
  SDL_FreeSurface(s);
}
