#include "app/main_loop.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/command_line.h"
#include "app/display_setup.h"
#include "app/event.h"
#include "app/globals.h"
#include "app/logging.h"
#include "data/data_check.h"
#include "data/file_loader.h"
#include "data/loading_event.h"
#include "persist/profile.h"
#include "persist/settings_file.h"
#include "platform/backend.h"
#include "platform/headless_backend.h"
#include "platform/services.h"
#include "ui/catalogue_seen_messages.h"
#include "ui/message_list.h"

namespace {
std::string AppDataOverride;

// Ends the program after a display set-up that found nothing to open.
void ReportDisplayFailure(const ModeInfo& mode) {
  ShowMessageBox("Error: Failed to select a graphics driver!", 1);
  Log(mode.driver == -2 ? " - Failed to select a graphics mode!"
                        : " - Failed to select a graphics driver!");
  EndProgram();
}

// Runs display set-up and adopts what it obtained.
void SetUpScreen() {
  Log("# Setting up screen");
  ModeInfo mode = SetUpDisplay(ScreenWidth, ScreenHeight, FullScreen);
  if (mode.driver == -1 || mode.driver == -2) ReportDisplayFailure(mode);
  ScreenWidth = mode.width;
  ScreenHeight = mode.height;
  FullScreen = mode.fullScreen;
  Log(DisplayLine(mode));
}
}  // namespace

void SetAppDataOverride(const std::string& folder) { AppDataOverride = folder; }

std::string AppDataFolder() {
  if (!AppDataOverride.empty()) return AppDataOverride;
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && xdg[0] == '/') return xdg;
  const char* home = std::getenv("HOME");
  std::string base;
  if (home && home[0]) {
    base = home;
  } else if (const passwd* pw = ::getpwuid(::getuid())) {
    base = pw->pw_dir;
  }
  std::string folder = base + "/.local/share";
  // A fresh account may not have it yet; the game folder goes inside it.
  CreateFolder(folder, 1);
  return folder;
}

void StartUp(bool windowedSwitch) {
  SetWindowTitle("Fleecewick");
  GameFolder = AppDataFolder() + "/Fleecewick";
  CreateFolder(GameFolder, 0);
  LoadGamepadMappings(GameFolder + "/gamecontrollerdb.txt");
  LogFilePath = GameFolder + "/Fleecewick.log";
  Logging::ClearLog(LogFilePath);
  Logging::ClearLog(GameFolder + "/Results.log");
  Log("# Fleecewick started " + CurrentDateText() + " " + CurrentTimeText());
  if (FileLoader::Read("files.xml") == 0) {
    ShowMessageBox("Error: 'files.xml' invalid!", 1);
    Log("# File 'files.xml' not valid!");
    EndProgram();
  }
  if (MessageList::Load("Data/messages.xml") == 0) {
    ShowMessageBox("Error: 'Data/messages.xml' invalid!", 1);
    Log("# File 'Data/messages.xml' not valid!");
    EndProgram();
  }
  // From here on profiles save and restore the catalogue's shown messages.
  InstallSeenMessages(std::make_unique<CatalogueSeenMessages>());
  // The settings, and through them the last player's profile.  A file that
  // exists but is not valid is replaced at shutdown.
  const std::string settings = GameFolder + "/Fleecewick.ini";
  if (ReadSettings(settings) == 0 && FileTypeOf(settings) != 0)
    Log("# Options file not valid. Creating new settings.");
  if (windowedSwitch) FullScreen = 0;
  SetUpScreen();
  SetWindowIconFile("Data/icon.ico");
  LoadingEvent::Create();
}

void MainLoop::Start() { lastTime_ = Milliseconds(); }

void MainLoop::Pass() {
  if (AppCloseRequested()) AppRunning = 0;

  if (AppSuspended()) {
    if (AppActive == 1) {
      if (CurrentScreen) CurrentScreen->Suspend();
      AppActive = 0;
    }
  } else if (AppActive == 0) {
    if (CurrentScreen) CurrentScreen->Resume();
    AppActive = 1;
    if (!DisplayStillValid()) RedoDisplaySetup = 1;
  }

  if (RedoDisplaySetup == 1) {
    RedoDisplaySetup = 0;
    SetUpScreen();
    lastTime_ = Milliseconds();
  }

  int now = Milliseconds();
  if (now < lastTime_) lastTime_ = now;
  if (now < lastTime_ + 10) {
    SleepMs(1);
    return;
  }
  float step = static_cast<float>(now - lastTime_) / 10.0f;
  lastTime_ = now;
  if (AppActive == 1) ActiveTime += step;

  if (KeyCaptureRequested != 0) {
    CapturedKeyCode = WaitForKey();
    KeyCaptureRequested = 0;
  }

  UpdatePointerButton();
  UpdateDirections();
  UpdateGamePointer(step);

  TintRed.Update(step);
  TintGreen.Update(step);
  TintBlue.Update(step);

  if (CurrentScreen) CurrentScreen->Update(step);
  // Read again: a screen that replaced itself is drawn by its successor.
  if (CurrentScreen) CurrentScreen->Draw();
  PresentFrame(FullScreen == 1 ? 0 : -1);
  CurrentScreen.ReleaseRetired();

  ++framesPresented;
  if (framesLimit > 0 && framesPresented >= framesLimit) AppRunning = 0;
}

// After a consumer cleared PointerArmed, the button must be seen up once
// before it reports down again.
void MainLoop::UpdatePointerButton() {
  PointerDown = (IsMouseDown(1) || IsKeyDown(KeyCodeAction) || IsJoyButtonDown(0, 0)) ? 1 : 0;
  if (PointerArmed == 0) {
    if (PointerDown == 1) {
      PointerDown = 0;
    } else {
      PointerArmed = 1;
    }
  }
}

void MainLoop::UpdateDirections() {
  const float deadZone = 0.1f;
  MoveLeft = (IsKeyDown(KeyCodeLeft) || JoyXAxis(0) < -deadZone) ? 1 : 0;
  MoveRight = (IsKeyDown(KeyCodeRight) || JoyXAxis(0) > deadZone) ? 1 : 0;
  MoveUp = (IsKeyDown(KeyCodeUp) || JoyYAxis(0) < -deadZone) ? 1 : 0;
  MoveDown = (IsKeyDown(KeyCodeDown) || JoyYAxis(0) > deadZone) ? 1 : 0;
}

void MainLoop::UpdateGamePointer(float step) {
  if (VirtualPointer == 0 && (MoveLeft || MoveRight || MoveUp || MoveDown)) {
    VirtualPointer = 1;
    PointerAnchorX = MouseXPos();
    PointerAnchorY = MouseYPos();
  }
  if (VirtualPointer == 1 && (MouseXPos() != PointerAnchorX || MouseYPos() != PointerAnchorY)) {
    VirtualPointer = 0;
    MoveMousePointer(PointerX, PointerY);
  }
  if (VirtualPointer == 0) {
    PointerX = MouseXPos();
    PointerY = MouseYPos();
    return;
  }
  const float speed = step * 4.0f;
  if (MoveLeft) {
    PointerX = TruncToInt(PointerX - speed);
    if (PointerX < 0) PointerX = 0;
  }
  if (MoveRight) {
    PointerX = TruncToInt(PointerX + speed);
    if (PointerX > ScreenWidth - 1) PointerX = ScreenWidth - 1;
  }
  if (MoveUp) {
    PointerY = TruncToInt(PointerY - speed);
    if (PointerY < 0) PointerY = 0;
  }
  if (MoveDown) {
    PointerY = TruncToInt(PointerY + speed);
    if (PointerY > ScreenHeight - 1) PointerY = ScreenHeight - 1;
  }
}

void ShutDown() {
  // The profile first, then the settings that name it.
  Profile::SaveProfile();
  WriteSettings(GameFolder + "/Fleecewick.ini");
  CurrentScreen.Clear();
  CloseOpenDisplay();
}

namespace {
std::string ExecutableFolder() {
  char buffer[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return ".";
  std::string path(buffer, static_cast<size_t>(n));
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
}

std::string Absolute(const std::string& path) {
  if (path.empty() || path[0] == '/') return path;
  char cwd[PATH_MAX];
  if (!::getcwd(cwd, sizeof cwd)) return path;
  return std::string(cwd) + "/" + path;
}

// The data folder: the one given, else the executable's own folder when it
// holds "files.xml", else the installed data folder when that does, else the
// executable's folder.
std::string ChooseDataFolder(const std::string& given) {
  if (!given.empty()) return Absolute(given);
  std::string exe = ExecutableFolder();
  if (FileTypeOf(exe + "/files.xml") == 1) return exe;
  std::string installed = FLEECEWICK_INSTALLED_DATA_DIR;
  if (FileTypeOf(installed + "/files.xml") == 1) return installed;
  return exe;
}

bool ReadTextFile(const std::string& path, std::string* text, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in || FileTypeOf(path) != 1) {
    *error = FileTypeOf(path) == 2 ? "it is a folder" : std::strerror(errno ? errno : ENOENT);
    return false;
  }
  std::ostringstream all;
  all << in.rdbuf();
  if (in.bad()) {
    *error = "read error";
    return false;
  }
  *text = all.str();
  return true;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "fleecewick: %s\n", message.c_str());
  return 2;
}
}  // namespace

int RunGame(const std::vector<std::string>& args) {
  CommandLine cl;
  std::string error;
  if (!ParseCommandLine(args, &cl, &error)) {
    return Fail(error + "\nTry 'fleecewick --help'.");
  }
  if (cl.help) {
    std::fputs(UsageText().c_str(), stdout);
    return 0;
  }
  if (cl.version) {
    std::printf("Fleecewick %s\n", FLEECEWICK_VERSION);
    return 0;
  }

  if (!cl.check.empty()) return CheckDataFiles(cl.check, stdout);

  if (!cl.data.empty() && FileTypeOf(Absolute(cl.data)) != 2) {
    return Fail("the data folder '" + cl.data + "' does not exist");
  }
  SetDataFolder(ChooseDataFolder(cl.data));

  if (!cl.home.empty()) {
    std::string home = Absolute(cl.home);
    if (!CreateFolder(home, 1)) {
      return Fail("cannot create the home folder '" + cl.home + "'");
    }
    SetAppDataOverride(home);
  }

  HeadlessBackend* headlessBackend = nullptr;
  if (cl.headless) {
    auto headless = std::make_unique<HeadlessBackend>();
    if (!cl.inputFile.empty()) {
      std::string script;
      if (!ReadTextFile(Absolute(cl.inputFile), &script, &error)) {
        return Fail("cannot read the input file '" + cl.inputFile + "': " + error);
      }
      std::vector<ScriptEvent> events;
      if (!ParseInputScript(script, &events, &error)) {
        return Fail(cl.inputFile + ":" + error);
      }
      headless->SetScript(std::move(events));
    }
    headlessBackend = headless.get();
    InstallBackend(std::move(headless));
  } else {
    InstallBackend(CreateWindowBackend());
  }

  StartUp(cl.windowed);
  MainLoop loop;
  loop.framesLimit = cl.frames;
  if (headlessBackend) headlessBackend->ArmScript();
  loop.Start();
  while (AppRunning == 1) loop.Pass();

  int status = 0;
  if (!cl.screenshot.empty()) {
    if (!CurrentBackend()->SaveScreenshot(Absolute(cl.screenshot), &error)) {
      std::fprintf(stderr, "fleecewick: no screenshot written: %s\n", error.c_str());
      status = 1;
    }
  }
  ShutDown();
  // What a script or a test needs to know about the run it drove.
  if (headlessBackend) std::printf("Fleecewick headless: %d frames presented\n", loop.framesPresented);
  InstallBackend(nullptr);
  return status;
}
