// The drawing, sound, input, file, time and random services that every part of
// the game uses.  Game code calls only these functions; they work on whichever
// backend is installed (the SDL2/OpenGL one, or the headless one used by tests
// and tools).  Positions are back-buffer pixels, angles are degrees.
#pragma once

#include <cstdint>
#include <string>

#include "platform/assets.h"
#include "platform/mixer.h"

struct File;
struct FolderListing;
struct Display;

// ---- Drawing -------------------------------------------------------------
enum BlendMode {
  kBlendMask = 1,   // no blending; pixels with alpha at or below 0.5 are not drawn
  kBlendSolid = 2,  // source replaces destination
  kBlendAlpha = 3,  // src * a + dst * (1 - a)
  kBlendLight = 4,  // src * a + dst
  kBlendShade = 5,  // src * dst
};

void ClearScreen();
void PresentFrame(int sync);
void SetDrawColour(int r, int g, int b);
void SetDrawAlpha(float alpha);
void SetBlendMode(int mode);
void SetDrawScale(float sx, float sy);
void SetViewportRect(int x, int y, int w, int h);
void DrawImageAt(Image* image, float x, float y, int frame);
void DrawRectAt(float x, float y, float w, float h);
void DrawOvalAt(float x, float y, float w, float h);
void DrawTextAt(const std::string& text, float x, float y);
int TextWidthOf(const std::string& text);
int TextHeightOf(const std::string& text);
void SetTextFont(Font* font);
Font* LoadFontFile(const std::string& path, int size, int flags);
Image* LoadImageFile(const std::string& path, int flags);
Image* LoadImageStrip(const std::string& path, int cellWidth, int cellHeight, int first,
                      int count, int flags);
int ImageWidthOf(const Image* image);
int ImageHeightOf(const Image* image);
uint32_t ReadFramePixel(const Image* image, int frame, int x, int y);
void EnableAutoMidHandle(int flag);

// ---- Input ---------------------------------------------------------------
void EnablePolledInput();
int IsKeyDown(int code);
int NextTypedChar();
void FlushInput();
int WaitForKey();
int IsMouseDown(int button);
int MouseXPos();
int MouseYPos();
void MoveMousePointer(int x, int y);
void HideMousePointer();
float JoyXAxis(int port);
float JoyYAxis(int port);
int IsJoyButtonDown(int button, int port);
int AppSuspended();
int AppCloseRequested();

// ---- Sound ---------------------------------------------------------------
Sound* LoadSoundFile(const std::string& path, int flags);
ChannelId AllocateChannel();
void CueOnChannel(Sound* sound, ChannelId channel);
void SetChannelVolume(ChannelId channel, float volume);
void SetChannelPan(ChannelId channel, float pan);
void SetChannelRate(ChannelId channel, float rate);
void PauseChannel(ChannelId channel);
void ResumeChannel(ChannelId channel);
void StopChannel(ChannelId channel);
int IsChannelPlaying(ChannelId channel);

// ---- Time, random numbers and arithmetic ---------------------------------
int Milliseconds();
void SleepMs(int ms);
void SeedRandom(int seed);
float RandomFloat(float a, float b);
int RandomInt(int a, int b);
float SinDeg(float angle);
float CosDeg(float angle);
float Atan2Deg(float y, float x);
float SquareRoot(float value);
float AbsoluteValue(float value);
float FloatRemainder(float a, float b);
int TruncToInt(double value);

// ---- Text conversions ----------------------------------------------------
std::string IntToText(long long value);
std::string DoubleToText(double value);  // "%#.17lg"
int TextToInt(const std::string& text);  // lenient: blanks, sign, digits
double TextToFloat(const std::string& text);  // atof

// ---- Files, folders and system -------------------------------------------
File* OpenFile(const std::string& path, int readable, int writable);
int ReadByteFrom(File* file);
int AtEndOf(File* file);
long long PositionOf(File* file);
long long SizeOf(File* file);
long long SeekTo(File* file, long long position);
void WriteTextLine(File* file, const std::string& text);
void WriteBytes(File* file, const std::string& bytes);
void CloseFile(File* file);
int FileTypeOf(const std::string& path);
long long FileSizeOf(const std::string& path);
int CreateEmptyFile(const std::string& path);
int CreateFolder(const std::string& path, int recurse);
int DeleteFile(const std::string& path);
FolderListing* OpenFolderListing(const std::string& path);
std::string NextFolderEntry(FolderListing* listing);
void CloseFolderListing(FolderListing* listing);
std::string CurrentDateText();
std::string CurrentTimeText();
void ShowMessageBox(const std::string& text, int serious);
// Ends the program at once after an error it cannot go on from (status 1).
[[noreturn]] void EndProgram();

// Relative paths of the game's data files ("files.xml", "Data\...") are taken
// from the data folder; absolute paths are used as they are.  Backslashes are
// read as forward slashes.
void SetDataFolder(const std::string& folder);
const std::string& DataFolder();
std::string ResolvePath(const std::string& path);

// ---- Display -------------------------------------------------------------
enum Renderer {
  kRendererDirect3D7 = 0,  // the second renderer's slot
  kRendererOpenGL = 1,
};
void SelectRenderer(int renderer, int flags);
int DisplayModeExists(int width, int height, int depth, int refresh);
Display* OpenDisplay(int width, int height, int depth, int refresh, int flags);
void MakeDisplayCurrent(Display* display);
void CloseDisplay(Display* display);
int Direct3D7DeviceUsable();
void SetWindowTitle(const std::string& title);
void SetWindowIconFile(const std::string& path);
void LoadGamepadMappings(const std::string& path);
// The text that names the open renderer in the display log line.
std::string DriverText(int driver);
