// The OpenGL frame renderer.
//
// A frame that starts with a full clear while the window's drawable is exactly
// the logical size is drawn straight into the window's back buffer and shown
// by the swap alone.  Every other frame is drawn into one of two offscreen
// colour buffers of the logical size and copied (scaled, with black bars) into
// the window when presenting.
// Drawing calls only append quads (position, texture coordinate, colour) to a
// vertex array; the array is drawn with one glDrawElements whenever the
// texture, filter, blend mode or clip rectangle changes, and before the frame
// is shown or read.  Rectangles and ovals use a 1x1 white texture so that the
// one shader (texel * vertex colour; in mask mode with an alpha threshold)
// covers everything.
//
// The two colour buffers keep the last presented frame readable while the next
// one is being drawn: a frame that starts with a full clear simply switches to
// the other buffer, and one that draws over the previous frame first copies it.
//
// The back buffer's content is undefined after a swap, so a frame drawn into
// the window keeps a log of what it drew (its clears and its batches of quads
// with their state).  When that frame is needed again (read back, drawn over
// or presented once more) the log is replayed into an offscreen buffer, which
// gives the same pixels as drawing it there in the first place.  Textures the
// log refers to are therefore deleted one present later than they are dropped.
//
// Only a GL 2.x feature set plus framebuffer objects is used, so it runs on a
// compatibility context of any Mesa driver; all entry points are loaded
// through SDL_GL_GetProcAddress.
#include "platform/gl_renderer.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "platform/services.h"

namespace {

// GL 1.1 entry points have no PFN typedefs in glext.h; take their types from
// the prototypes in gl.h (declared, never linked).
#define FW_GL_FUNCTIONS(X)                                          \
  X(decltype(&glGetString), GetString, "glGetString")               \
  X(decltype(&glGetIntegerv), GetIntegerv, "glGetIntegerv")         \
  X(decltype(&glGetError), GetError, "glGetError")                  \
  X(decltype(&glEnable), Enable, "glEnable")                        \
  X(decltype(&glDisable), Disable, "glDisable")                     \
  X(decltype(&glBlendFunc), BlendFunc, "glBlendFunc")               \
  X(decltype(&glClearColor), ClearColor, "glClearColor")            \
  X(decltype(&glClear), Clear, "glClear")                           \
  X(decltype(&glScissor), Scissor, "glScissor")                     \
  X(decltype(&glViewport), Viewport, "glViewport")                  \
  X(decltype(&glDrawElements), DrawElements, "glDrawElements")      \
  X(decltype(&glGenTextures), GenTextures, "glGenTextures")         \
  X(decltype(&glDeleteTextures), DeleteTextures, "glDeleteTextures") \
  X(decltype(&glBindTexture), BindTexture, "glBindTexture")         \
  X(decltype(&glTexImage2D), TexImage2D, "glTexImage2D")            \
  X(decltype(&glTexParameteri), TexParameteri, "glTexParameteri")   \
  X(decltype(&glPixelStorei), PixelStorei, "glPixelStorei")         \
  X(decltype(&glReadPixels), ReadPixels, "glReadPixels")            \
  X(PFNGLACTIVETEXTUREPROC, ActiveTexture, "glActiveTexture")       \
  X(PFNGLGENBUFFERSPROC, GenBuffers, "glGenBuffers")                \
  X(PFNGLDELETEBUFFERSPROC, DeleteBuffers, "glDeleteBuffers")       \
  X(PFNGLBINDBUFFERPROC, BindBuffer, "glBindBuffer")                \
  X(PFNGLBUFFERDATAPROC, BufferData, "glBufferData")                \
  X(PFNGLCREATESHADERPROC, CreateShader, "glCreateShader")          \
  X(PFNGLSHADERSOURCEPROC, ShaderSource, "glShaderSource")          \
  X(PFNGLCOMPILESHADERPROC, CompileShader, "glCompileShader")       \
  X(PFNGLGETSHADERIVPROC, GetShaderiv, "glGetShaderiv")             \
  X(PFNGLGETSHADERINFOLOGPROC, GetShaderInfoLog, "glGetShaderInfoLog") \
  X(PFNGLDELETESHADERPROC, DeleteShader, "glDeleteShader")          \
  X(PFNGLCREATEPROGRAMPROC, CreateProgram, "glCreateProgram")       \
  X(PFNGLATTACHSHADERPROC, AttachShader, "glAttachShader")          \
  X(PFNGLBINDATTRIBLOCATIONPROC, BindAttribLocation, "glBindAttribLocation") \
  X(PFNGLLINKPROGRAMPROC, LinkProgram, "glLinkProgram")             \
  X(PFNGLGETPROGRAMIVPROC, GetProgramiv, "glGetProgramiv")          \
  X(PFNGLGETPROGRAMINFOLOGPROC, GetProgramInfoLog, "glGetProgramInfoLog") \
  X(PFNGLDELETEPROGRAMPROC, DeleteProgram, "glDeleteProgram")       \
  X(PFNGLUSEPROGRAMPROC, UseProgram, "glUseProgram")                \
  X(PFNGLGETUNIFORMLOCATIONPROC, GetUniformLocation, "glGetUniformLocation") \
  X(PFNGLUNIFORM1IPROC, Uniform1i, "glUniform1i")                   \
  X(PFNGLUNIFORM2FPROC, Uniform2f, "glUniform2f")                   \
  X(PFNGLENABLEVERTEXATTRIBARRAYPROC, EnableVertexAttribArray, "glEnableVertexAttribArray") \
  X(PFNGLVERTEXATTRIBPOINTERPROC, VertexAttribPointer, "glVertexAttribPointer") \
  X(PFNGLGENFRAMEBUFFERSPROC, GenFramebuffers, "glGenFramebuffers") \
  X(PFNGLDELETEFRAMEBUFFERSPROC, DeleteFramebuffers, "glDeleteFramebuffers") \
  X(PFNGLBINDFRAMEBUFFERPROC, BindFramebuffer, "glBindFramebuffer") \
  X(PFNGLFRAMEBUFFERTEXTURE2DPROC, FramebufferTexture2D, "glFramebufferTexture2D") \
  X(PFNGLCHECKFRAMEBUFFERSTATUSPROC, CheckFramebufferStatus, "glCheckFramebufferStatus") \
  X(PFNGLBLITFRAMEBUFFERPROC, BlitFramebuffer, "glBlitFramebuffer")

struct GlFunctions {
#define FW_GL_MEMBER(type, name, symbol) type name = nullptr;
  FW_GL_FUNCTIONS(FW_GL_MEMBER)
#undef FW_GL_MEMBER

  // Loads every entry point; the first missing one is named in `missing`.
  bool Load(std::string* missing) {
#define FW_GL_LOAD(type, name, symbol)                                  \
  name = reinterpret_cast<type>(SDL_GL_GetProcAddress(symbol));         \
  if (!name) name = reinterpret_cast<type>(SDL_GL_GetProcAddress(symbol "EXT")); \
  if (!name) {                                                          \
    *missing = symbol;                                                  \
    return false;                                                       \
  }
    FW_GL_FUNCTIONS(FW_GL_LOAD)
#undef FW_GL_LOAD
    return true;
  }
};

const char* const kVertexShader = R"(#version 110
attribute vec2 a_position;
attribute vec2 a_texcoord;
attribute vec4 a_colour;
uniform vec2 u_toClip;
varying vec2 v_texcoord;
varying vec4 v_colour;
void main() {
  gl_Position = vec4(a_position.x * u_toClip.x - 1.0, 1.0 - a_position.y * u_toClip.y, 0.0, 1.0);
  v_texcoord = a_texcoord;
  v_colour = a_colour;
}
)";

// Compiled twice: with MASK (mask mode) texels whose alpha after the drawing
// alpha is at or below one half are left out.  The other modes get a shader
// without the discard, which fills faster on software rasterisers.
const char* const kFragmentShader = R"(
uniform sampler2D u_texture;
varying vec2 v_texcoord;
varying vec4 v_colour;
void main() {
  vec4 c = texture2D(u_texture, v_texcoord) * v_colour;
#ifdef MASK
  if (c.a <= 0.5) discard;
#endif
  gl_FragColor = c;
}
)";

enum Attribute { kPosition = 0, kTexcoord = 1, kColour = 2 };

struct Vertex {
  float x, y, u, v;
  uint8_t r, g, b, a;
};
static_assert(sizeof(Vertex) == 20, "vertex layout is uploaded as it is");

// 16-bit indices: at most 65536 vertices, i.e. 16384 quads, per draw call.
constexpr int kMaxQuadsPerBatch = 16384;

// Every Open makes a new generation, across all renderer objects, so a copy
// made by an earlier context (or by a renderer that lived at the same address)
// is never taken for a current one.
uint64_t g_lastGeneration = 0;

// Shared between an open context and the textures it made.  Textures whose
// image goes away while the context lives are queued here and deleted by the
// renderer with its context current; after Close nothing is deleted at all.
struct ContextLife {
  bool alive = true;
  std::vector<GLuint> orphans;
};

// An image's pixels as a texture: every frame in its own cell with a one-texel
// border repeating the frame's edge, so bilinear filtering never reaches a
// neighbouring frame and behaves at the frame's edges as clamping does.
struct GlImageCopy : RendererCopy {
  ~GlImageCopy() override {
    if (life && life->alive && texture != 0) life->orphans.push_back(texture);
  }
  std::shared_ptr<ContextLife> life;
  GLuint texture = 0;
  int textureWidth = 0, textureHeight = 0;
  int columns = 1;
  // What was uploaded, to notice an image whose pixels were replaced.
  int width = 0, height = 0, frames = 0;
  const uint32_t* pixels = nullptr;
  size_t pixelCount = 0;
  bool failed = false;  // too large for a texture: drawn as nothing
};

// A texture made from a font's glyph coverage bitmaps (for fonts without an
// atlas), with transparent white around every glyph.
struct FontTexture {
  GLuint texture = 0;
  uint64_t signature = 0;
  int textureWidth = 0, textureHeight = 0;
  int x[256] = {};
  int y[256] = {};
};

// What decides whether two drawing calls can share a GL draw call.
struct BatchKey {
  GLuint texture = 0;
  bool linear = false;
  int blend = 0;
  int clipX = 0, clipY = 0, clipW = 0, clipH = 0;  // GL window coordinates
  bool operator==(const BatchKey& o) const {
    return texture == o.texture && linear == o.linear && blend == o.blend && clipX == o.clipX &&
           clipY == o.clipY && clipW == o.clipW && clipH == o.clipH;
  }
  bool operator!=(const BatchKey& o) const { return !(*this == o); }
};

// One step of a frame drawn into the window: a full clear to black or one
// batch of quads, whose vertices are in the log's vertex array.
struct LoggedStep {
  bool clear = false;
  BatchKey key;
  size_t first = 0, count = 0;
};

// Everything a frame drawn into the window did, to draw it again offscreen.
struct FrameLog {
  std::vector<LoggedStep> steps;
  std::vector<Vertex> vertices;
  void Reset() {
    steps.clear();
    vertices.clear();
  }
};

int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

uint64_t Mix(uint64_t h, uint64_t v) {
  h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
  return h;
}

// Identifies a font's glyph set cheaply: metrics and the coverage buffers'
// addresses.  A font freed and another made at the same address is noticed.
uint64_t FontSignature(const Font& font) {
  uint64_t h = Mix(0, static_cast<uint64_t>(font.lineHeight));
  for (const Glyph& g : font.glyphs) {
    if (!g.present) {
      h = Mix(h, 0);
      continue;
    }
    h = Mix(h, static_cast<uint64_t>(g.width) << 32 | static_cast<uint32_t>(g.height));
    h = Mix(h, static_cast<uint64_t>(g.offsetX) << 32 | static_cast<uint32_t>(g.offsetY));
    h = Mix(h, reinterpret_cast<uintptr_t>(g.coverage.data()));
    h = Mix(h, g.coverage.size());
  }
  return h;
}

class GlRenderer : public FrameRenderer {
 public:
  explicit GlRenderer(const GlRendererOptions& options) : options_(options) {}
  ~GlRenderer() override { Close(); }

  std::string Name() const override { return "OpenGL"; }
  uint32_t WindowFlags() const override { return SDL_WINDOW_OPENGL; }

  bool Open(SDL_Window* window, int logicalWidth, int logicalHeight,
            std::string* error) override;
  void Close() override;

  void Clear() override;
  void DrawImage(Image& image, float x, float y, int frame, const DrawState& state) override;
  void DrawRect(float x, float y, float w, float h, const DrawState& state) override;
  void DrawOval(float x, float y, float w, float h, const DrawState& state) override;
  void DrawText(const std::string& text, float x, float y, const Font& font,
                const DrawState& state) override;
  void Present(bool waitForVerticalBlank) override;
  bool ReadLastFrame(std::vector<uint32_t>* pixels) override;
  int DrawCallsLastFrame() const override { return drawCallsLastFrame_; }

 private:
  bool Fail(std::string* error, const std::string& reason);
  bool CreateResources(std::string* reason);
  void ReleaseResources();
  GLuint CompileShader(GLenum kind, const char* source, std::string* reason);
  GLuint LinkProgram(bool mask, std::string* reason);
  void MakeCurrent();
  void DeleteOrphans();

  // The clip rectangle of the state in GL coordinates; false when empty.
  bool ClipOf(const DrawState& state, BatchKey* key) const;
  // Starts (or continues) a run of quads with this key.
  void Begin(const BatchKey& key);
  void AddQuad(float x0, float y0, float x1, float y1, float u0, float v0, float u1, float v1,
               const uint8_t colour[4]);
  void EndCall() {
    if (!options_.batching) Flush();
  }
  void Flush();
  // Draws `count` vertices (whole quads) with the state of `key`.
  void DrawBatch(const BatchKey& key, const Vertex* vertices, size_t count);
  void ApplyBlend(int blend);
  // Before the first change to a presented frame: chooses where the new frame
  // is drawn and keeps the presented one readable.
  void StartFrame(bool wholeFrameCleared);
  // The window's drawable is the logical size and shows what is drawn into it
  // as the offscreen buffers would.
  bool WindowFitsFrame() const;
  // Draws a logged frame into offscreen buffer `target`.
  void Replay(const FrameLog& log, int target);
  // The last presented frame was drawn into the window: draws it again into an
  // offscreen buffer the frame in progress does not use, which then holds it.
  void RestoreLastFrame();
  void BindTarget();
  void BlitBetween(GLuint from, GLuint to);

  GlImageCopy* TextureFor(Image& image);
  bool Upload(const Image& image, GlImageCopy* copy);
  FontTexture* FontTextureFor(const Font& font);
  GLuint NewTexture(int width, int height, const void* pixels, bool linear,
                    GLint internalFormat = GL_RGBA8);

  GlRendererOptions options_;
  GlFunctions gl_;
  bool loaded_ = false;
  SDL_Window* window_ = nullptr;
  SDL_GLContext context_ = nullptr;
  std::shared_ptr<ContextLife> life_;
  uint64_t generation_ = 0;
  int width_ = 0, height_ = 0;
  int maxTextureSize_ = 0;

  GLuint programs_[2] = {0, 0};  // without and with the mask-mode discard
  GLuint vertexBuffer_ = 0, indexBuffer_ = 0;
  GLuint whiteTexture_ = 0;
  GLuint targets_[2] = {0, 0};       // colour textures of the frame buffers
  GLuint framebuffers_[2] = {0, 0};  // offscreen frames are drawn into one of them
  int current_ = 0;                  // the one being drawn unless direct_
  // The one holding the last presented frame, kLastInWindow when that frame
  // was drawn into the window (lastLog_ holds it), -1 before the first present.
  int last_ = -1;
  static constexpr int kLastInWindow = 2;
  bool frameStarted_ = false;  // something was cleared or drawn since the last present
  bool direct_ = false;        // the frame in progress is drawn into the window
  bool windowMatches_ = false;  // the window's buffer has the offscreen buffers' format
  FrameLog currentLog_, lastLog_;
  // Dropped textures the last presented frame may still draw with.
  std::vector<GLuint> retiredTextures_;
  int swapInterval_ = -1;

  std::vector<Vertex> vertices_;
  BatchKey key_;
  int appliedBlend_ = -1;
  int drawCalls_ = 0;
  int drawCallsLastFrame_ = 0;

  std::unordered_map<const Font*, FontTexture> fontTextures_;
};

bool GlRenderer::Fail(std::string* error, const std::string& reason) {
  if (error) *error = reason;
  Close();
  return false;
}

bool GlRenderer::Open(SDL_Window* window, int logicalWidth, int logicalHeight,
                      std::string* error) {
  Close();
  if (!window) return Fail(error, "no window to draw into");
  if (logicalWidth <= 0 || logicalHeight <= 0) return Fail(error, "empty frame size");
  window_ = window;
  width_ = logicalWidth;
  height_ = logicalHeight;
  context_ = SDL_GL_CreateContext(window);
  if (!context_) return Fail(error, std::string("cannot create an OpenGL context: ") + SDL_GetError());
  if (SDL_GL_MakeCurrent(window, context_) != 0)
    return Fail(error, std::string("cannot use the OpenGL context: ") + SDL_GetError());
  std::string missing;
  if (!gl_.Load(&missing)) return Fail(error, "OpenGL function " + missing + " is not available");
  loaded_ = true;
  const char* version = reinterpret_cast<const char*>(gl_.GetString(GL_VERSION));
  if (!version || std::atoi(version) < 2)
    return Fail(error, std::string("OpenGL 2.0 or later is needed, this is ") +
                           (version ? version : "unknown"));
  life_ = std::make_shared<ContextLife>();
  generation_ = ++g_lastGeneration;
  std::string reason;
  if (!CreateResources(&reason)) return Fail(error, reason);
  return true;
}

GLuint GlRenderer::CompileShader(GLenum kind, const char* source, std::string* reason) {
  GLuint shader = gl_.CreateShader(kind);
  gl_.ShaderSource(shader, 1, &source, nullptr);
  gl_.CompileShader(shader);
  GLint ok = 0;
  gl_.GetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[512] = {};
    gl_.GetShaderInfoLog(shader, sizeof log, nullptr, log);
    *reason = std::string("shader does not compile: ") + log;
    gl_.DeleteShader(shader);
    return 0;
  }
  return shader;
}

GLuint GlRenderer::NewTexture(int width, int height, const void* pixels, bool linear,
                              GLint internalFormat) {
  GLuint texture = 0;
  gl_.GenTextures(1, &texture);
  gl_.BindTexture(GL_TEXTURE_2D, texture);
  GLint filter = linear ? GL_LINEAR : GL_NEAREST;
  gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  // 0xAARRGGBB words are B, G, R, A bytes in memory on this platform; the
  // _REV packed type says the same independently of byte order.
  gl_.TexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, GL_BGRA,
                 GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
  return texture;
}

GLuint GlRenderer::LinkProgram(bool mask, std::string* reason) {
  GLuint vs = CompileShader(GL_VERTEX_SHADER, kVertexShader, reason);
  if (!vs) return 0;
  const std::string fragment =
      std::string("#version 110\n") + (mask ? "#define MASK\n" : "") + kFragmentShader;
  GLuint fs = CompileShader(GL_FRAGMENT_SHADER, fragment.c_str(), reason);
  if (!fs) {
    gl_.DeleteShader(vs);
    return 0;
  }
  GLuint program = gl_.CreateProgram();
  gl_.AttachShader(program, vs);
  gl_.AttachShader(program, fs);
  gl_.BindAttribLocation(program, kPosition, "a_position");
  gl_.BindAttribLocation(program, kTexcoord, "a_texcoord");
  gl_.BindAttribLocation(program, kColour, "a_colour");
  gl_.LinkProgram(program);
  gl_.DeleteShader(vs);
  gl_.DeleteShader(fs);
  GLint linked = 0;
  gl_.GetProgramiv(program, GL_LINK_STATUS, &linked);
  if (!linked) {
    char log[512] = {};
    gl_.GetProgramInfoLog(program, sizeof log, nullptr, log);
    *reason = std::string("shader program does not link: ") + log;
    gl_.DeleteProgram(program);
    return 0;
  }
  gl_.UseProgram(program);
  gl_.Uniform1i(gl_.GetUniformLocation(program, "u_texture"), 0);
  gl_.Uniform2f(gl_.GetUniformLocation(program, "u_toClip"), 2.0f / width_, 2.0f / height_);
  return program;
}

bool GlRenderer::CreateResources(std::string* reason) {
  for (int mask = 0; mask < 2; ++mask) {
    programs_[mask] = LinkProgram(mask == 1, reason);
    if (!programs_[mask]) return false;
  }
  gl_.UseProgram(programs_[0]);

  gl_.GetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize_);
  if (maxTextureSize_ < width_ || maxTextureSize_ < height_) {
    *reason = "the frame is larger than the largest texture";
    return false;
  }
  gl_.ActiveTexture(GL_TEXTURE0);
  for (int i = 0; i < 2; ++i) {
    // No alpha in the frame: no blend mode reads the destination's alpha, and
    // the frame is shown and read back opaque.
    targets_[i] = NewTexture(width_, height_, nullptr, false, GL_RGB8);
    gl_.GenFramebuffers(1, &framebuffers_[i]);
    gl_.BindFramebuffer(GL_FRAMEBUFFER, framebuffers_[i]);
    gl_.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, targets_[i], 0);
    GLenum status = gl_.CheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
      char text[64];
      std::snprintf(text, sizeof text, "offscreen frame buffer incomplete (0x%x)", status);
      *reason = text;
      return false;
    }
    gl_.ClearColor(0, 0, 0, 1);
    gl_.Clear(GL_COLOR_BUFFER_BIT);
  }
  // Frames go straight into the window only when it stores what the offscreen
  // buffers store: 8 bits per colour channel and no multisampling.
  gl_.BindFramebuffer(GL_FRAMEBUFFER, 0);
  GLint red = 0, green = 0, blue = 0, sampleBuffers = 0;
  gl_.GetIntegerv(GL_RED_BITS, &red);
  gl_.GetIntegerv(GL_GREEN_BITS, &green);
  gl_.GetIntegerv(GL_BLUE_BITS, &blue);
  gl_.GetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
  windowMatches_ = red == 8 && green == 8 && blue == 8 && sampleBuffers == 0;
  const uint32_t white = 0xFFFFFFFFu;
  whiteTexture_ = NewTexture(1, 1, &white, false);

  gl_.GenBuffers(1, &vertexBuffer_);
  gl_.BindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
  gl_.GenBuffers(1, &indexBuffer_);
  gl_.BindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
  std::vector<uint16_t> indices(static_cast<size_t>(kMaxQuadsPerBatch) * 6);
  for (int q = 0; q < kMaxQuadsPerBatch; ++q) {
    const uint16_t v = static_cast<uint16_t>(q * 4);
    uint16_t* i = &indices[static_cast<size_t>(q) * 6];
    i[0] = v;
    i[1] = static_cast<uint16_t>(v + 1);
    i[2] = static_cast<uint16_t>(v + 2);
    i[3] = static_cast<uint16_t>(v + 2);
    i[4] = static_cast<uint16_t>(v + 3);
    i[5] = v;
  }
  gl_.BufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * 2),
                 indices.data(), GL_STATIC_DRAW);
  gl_.EnableVertexAttribArray(kPosition);
  gl_.EnableVertexAttribArray(kTexcoord);
  gl_.EnableVertexAttribArray(kColour);
  gl_.VertexAttribPointer(kPosition, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<void*>(offsetof(Vertex, x)));
  gl_.VertexAttribPointer(kTexcoord, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<void*>(offsetof(Vertex, u)));
  gl_.VertexAttribPointer(kColour, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex),
                          reinterpret_cast<void*>(offsetof(Vertex, r)));

  gl_.Disable(GL_DEPTH_TEST);
  gl_.Disable(GL_CULL_FACE);
  gl_.Enable(GL_SCISSOR_TEST);
  gl_.Viewport(0, 0, width_, height_);
  current_ = 0;
  last_ = -1;
  frameStarted_ = false;
  direct_ = false;
  currentLog_.Reset();
  lastLog_.Reset();
  BindTarget();
  appliedBlend_ = -1;
  swapInterval_ = -1;
  drawCalls_ = 0;
  drawCallsLastFrame_ = 0;
  vertices_.clear();
  vertices_.reserve(4096);
  if (gl_.GetError() != GL_NO_ERROR) {
    *reason = "OpenGL reported an error while setting up";
    return false;
  }
  return true;
}

void GlRenderer::ReleaseResources() {
  DeleteOrphans();
  DeleteOrphans();  // the second call deletes the ones the first only retired
  for (auto& entry : fontTextures_) gl_.DeleteTextures(1, &entry.second.texture);
  fontTextures_.clear();
  if (whiteTexture_) gl_.DeleteTextures(1, &whiteTexture_);
  for (int i = 0; i < 2; ++i) {
    if (framebuffers_[i]) gl_.DeleteFramebuffers(1, &framebuffers_[i]);
    if (targets_[i]) gl_.DeleteTextures(1, &targets_[i]);
    framebuffers_[i] = targets_[i] = 0;
  }
  if (vertexBuffer_) gl_.DeleteBuffers(1, &vertexBuffer_);
  if (indexBuffer_) gl_.DeleteBuffers(1, &indexBuffer_);
  for (GLuint& program : programs_) {
    if (program) gl_.DeleteProgram(program);
    program = 0;
  }
  whiteTexture_ = vertexBuffer_ = indexBuffer_ = 0;
}

void GlRenderer::Close() {
  vertices_.clear();
  currentLog_.Reset();
  lastLog_.Reset();
  direct_ = false;
  frameStarted_ = false;
  if (context_) {
    MakeCurrent();
    // A context that failed before its entry points were loaded has made
    // nothing to release.
    if (loaded_) ReleaseResources();
    SDL_GL_DeleteContext(context_);
  }
  // Textures still held by images belonged to this context: they are now
  // only replaced, never deleted.
  if (life_) life_->alive = false;
  life_.reset();
  retiredTextures_.clear();
  fontTextures_.clear();
  context_ = nullptr;
  window_ = nullptr;
  gl_ = GlFunctions();
  loaded_ = false;
}

void GlRenderer::MakeCurrent() {
  if (SDL_GL_GetCurrentContext() != context_) SDL_GL_MakeCurrent(window_, context_);
}

// Deletes the textures retired by the previous call and retires the ones
// dropped since: a frame drawn into the window may be drawn again from its log
// until the next present, with the textures it used.
void GlRenderer::DeleteOrphans() {
  if (!retiredTextures_.empty())
    gl_.DeleteTextures(static_cast<GLsizei>(retiredTextures_.size()), retiredTextures_.data());
  retiredTextures_.clear();
  if (life_) retiredTextures_.swap(life_->orphans);
}

void GlRenderer::BindTarget() {
  gl_.BindFramebuffer(GL_FRAMEBUFFER, direct_ ? 0 : framebuffers_[current_]);
}

void GlRenderer::BlitBetween(GLuint from, GLuint to) {
  gl_.Disable(GL_SCISSOR_TEST);
  gl_.BindFramebuffer(GL_READ_FRAMEBUFFER, from);
  gl_.BindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
  gl_.BlitFramebuffer(0, 0, width_, height_, 0, 0, width_, height_, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
  gl_.Enable(GL_SCISSOR_TEST);
  BindTarget();
}

bool GlRenderer::WindowFitsFrame() const {
  if (!windowMatches_) return false;
  int dw = 0, dh = 0;
  SDL_GL_GetDrawableSize(window_, &dw, &dh);
  return dw == width_ && dh == height_;
}

void GlRenderer::StartFrame(bool wholeFrameCleared) {
  if (frameStarted_) return;
  if (wholeFrameCleared) {
    frameStarted_ = true;
    if (WindowFitsFrame()) {
      // Nothing of the presented frame is needed and the window shows the
      // frame unscaled: draw into it, logging what is drawn.
      direct_ = true;
      currentLog_.Reset();
    } else {
      // Draw the new frame beside the presented one.
      current_ = last_ == 0 || last_ == 1 ? 1 - last_ : 0;
    }
    BindTarget();
    return;
  }
  // The new frame builds on the presented one, offscreen: draw over it there
  // and keep a copy to read.
  if (last_ == kLastInWindow) RestoreLastFrame();
  frameStarted_ = true;
  if (last_ >= 0) {
    current_ = last_;
    last_ = 1 - current_;
    BlitBetween(framebuffers_[current_], framebuffers_[last_]);
  }
  BindTarget();
}

void GlRenderer::Replay(const FrameLog& log, int target) {
  gl_.BindFramebuffer(GL_FRAMEBUFFER, framebuffers_[target]);
  for (const LoggedStep& step : log.steps) {
    if (step.clear) {
      gl_.Disable(GL_SCISSOR_TEST);
      gl_.ClearColor(0, 0, 0, 1);
      gl_.Clear(GL_COLOR_BUFFER_BIT);
      gl_.Enable(GL_SCISSOR_TEST);
    } else {
      DrawBatch(step.key, log.vertices.data() + step.first, step.count);
    }
  }
  BindTarget();
}

void GlRenderer::RestoreLastFrame() {
  const int target = frameStarted_ && !direct_ ? 1 - current_ : 0;
  Replay(lastLog_, target);
  lastLog_.Reset();
  last_ = target;
}

bool GlRenderer::ClipOf(const DrawState& state, BatchKey* key) const {
  const int x0 = std::clamp(state.viewX, 0, width_);
  const int y0 = std::clamp(state.viewY, 0, height_);
  const int x1 = std::clamp(state.viewX + std::max(state.viewW, 0), 0, width_);
  const int y1 = std::clamp(state.viewY + std::max(state.viewH, 0), 0, height_);
  if (x1 <= x0 || y1 <= y0) return false;
  key->clipX = x0;
  key->clipY = height_ - y1;  // GL's rows count from the bottom
  key->clipW = x1 - x0;
  key->clipH = y1 - y0;
  return true;
}

void GlRenderer::Begin(const BatchKey& key) {
  if (key != key_ && !vertices_.empty()) Flush();
  key_ = key;
  if (!frameStarted_) {
    MakeCurrent();
    StartFrame(false);
  }
}

void GlRenderer::AddQuad(float x0, float y0, float x1, float y1, float u0, float v0, float u1,
                         float v1, const uint8_t c[4]) {
  if (vertices_.size() >= static_cast<size_t>(kMaxQuadsPerBatch) * 4) Flush();
  vertices_.push_back({x0, y0, u0, v0, c[0], c[1], c[2], c[3]});
  vertices_.push_back({x1, y0, u1, v0, c[0], c[1], c[2], c[3]});
  vertices_.push_back({x1, y1, u1, v1, c[0], c[1], c[2], c[3]});
  vertices_.push_back({x0, y1, u0, v1, c[0], c[1], c[2], c[3]});
}

void GlRenderer::ApplyBlend(int blend) {
  if (blend == appliedBlend_) return;
  appliedBlend_ = blend;
  gl_.UseProgram(programs_[blend == kBlendMask ? 1 : 0]);
  switch (blend) {
    case kBlendMask:
    case kBlendSolid:
      gl_.Disable(GL_BLEND);
      break;
    case kBlendLight:
      gl_.Enable(GL_BLEND);
      gl_.BlendFunc(GL_SRC_ALPHA, GL_ONE);
      break;
    case kBlendShade:
      gl_.Enable(GL_BLEND);
      gl_.BlendFunc(GL_DST_COLOR, GL_ZERO);
      break;
    default:
      gl_.Enable(GL_BLEND);
      gl_.BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
      break;
  }
}

void GlRenderer::DrawBatch(const BatchKey& key, const Vertex* vertices, size_t count) {
  ApplyBlend(key.blend);
  gl_.Scissor(key.clipX, key.clipY, key.clipW, key.clipH);
  gl_.BindTexture(GL_TEXTURE_2D, key.texture);
  // Fonts are filtered only when scaled, so the filter belongs to the run, not
  // to the texture; GL skips setting a parameter to the value it has.
  const GLint filter = key.linear ? GL_LINEAR : GL_NEAREST;
  gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  gl_.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(Vertex)), vertices,
                 GL_STREAM_DRAW);
  gl_.DrawElements(GL_TRIANGLES, static_cast<GLsizei>(count / 4 * 6), GL_UNSIGNED_SHORT,
                   nullptr);
}

void GlRenderer::Flush() {
  if (vertices_.empty()) return;
  MakeCurrent();
  if (direct_) {
    LoggedStep step;
    step.key = key_;
    step.first = currentLog_.vertices.size();
    step.count = vertices_.size();
    currentLog_.steps.push_back(step);
    currentLog_.vertices.insert(currentLog_.vertices.end(), vertices_.begin(), vertices_.end());
  }
  DrawBatch(key_, vertices_.data(), vertices_.size());
  ++drawCalls_;
  vertices_.clear();
}

void GlRenderer::Clear() {
  if (!context_) return;
  Flush();
  MakeCurrent();
  StartFrame(true);
  if (direct_) {
    LoggedStep step;
    step.clear = true;
    currentLog_.steps.push_back(step);
  }
  gl_.Disable(GL_SCISSOR_TEST);
  gl_.ClearColor(0, 0, 0, 1);
  gl_.Clear(GL_COLOR_BUFFER_BIT);
  gl_.Enable(GL_SCISSOR_TEST);
}

bool GlRenderer::Upload(const Image& image, GlImageCopy* copy) {
  const int w = image.width, h = image.height, frames = image.frames;
  copy->width = w;
  copy->height = h;
  copy->frames = frames;
  copy->pixels = image.pixels.data();
  copy->pixelCount = image.pixels.size();
  const size_t frameSize = static_cast<size_t>(w) * h;
  if (w <= 0 || h <= 0 || frames <= 0 || image.pixels.size() < frameSize * frames) return false;
  const int cellW = w + 2, cellH = h + 2;
  if (cellW > maxTextureSize_ || cellH > maxTextureSize_) return false;
  const int perColumn = std::min(frames, maxTextureSize_ / cellH);
  const int columns = (frames + perColumn - 1) / perColumn;
  if (static_cast<long long>(columns) * cellW > maxTextureSize_) return false;
  const int rows = (frames + columns - 1) / columns;
  const int texW = columns * cellW, texH = rows * cellH;
  std::vector<uint32_t> texels(static_cast<size_t>(texW) * texH, 0);
  for (int f = 0; f < frames; ++f) {
    const uint32_t* src = image.Frame(f);
    const int ox = (f % columns) * cellW, oy = (f / columns) * cellH;
    for (int ty = 0; ty < cellH; ++ty) {
      const int sy = std::clamp(ty - 1, 0, h - 1);
      const uint32_t* srcRow = src + static_cast<size_t>(sy) * w;
      uint32_t* dst = &texels[static_cast<size_t>(oy + ty) * texW + ox];
      dst[0] = srcRow[0];
      std::memcpy(dst + 1, srcRow, static_cast<size_t>(w) * 4);
      dst[cellW - 1] = srcRow[w - 1];
    }
  }
  gl_.PixelStorei(GL_UNPACK_ALIGNMENT, 4);
  copy->texture = NewTexture(texW, texH, texels.data(), image.filtered);
  copy->textureWidth = texW;
  copy->textureHeight = texH;
  copy->columns = columns;
  return true;
}

GlImageCopy* GlRenderer::TextureFor(Image& image) {
  GlImageCopy* copy = nullptr;
  if (image.copy && image.copy->owner == this && image.copy->generation == generation_)
    copy = static_cast<GlImageCopy*>(image.copy.get());  // only we make copies owned by us
  if (copy && copy->width == image.width &&
      copy->height == image.height && copy->frames == image.frames &&
      copy->pixels == image.pixels.data() && copy->pixelCount == image.pixels.size())
    return copy->failed ? nullptr : copy;
  // A texture of ours that is still bound to pending quads must be drawn
  // before it goes away.
  Flush();
  MakeCurrent();
  auto fresh = std::make_unique<GlImageCopy>();
  fresh->owner = this;
  fresh->generation = generation_;
  fresh->life = life_;
  fresh->failed = !Upload(image, fresh.get());
  image.copy = std::move(fresh);  // an old copy of ours queues its texture
  copy = static_cast<GlImageCopy*>(image.copy.get());
  return copy->failed ? nullptr : copy;
}

FontTexture* GlRenderer::FontTextureFor(const Font& font) {
  const uint64_t signature = FontSignature(font);
  auto it = fontTextures_.find(&font);
  if (it != fontTextures_.end()) {
    if (it->second.signature == signature) return &it->second;
    Flush();
    // The last presented frame may still be drawn again with it.
    life_->orphans.push_back(it->second.texture);
    fontTextures_.erase(it);
  }
  MakeCurrent();
  FontTexture ft;
  ft.signature = signature;
  // Shelf packing, one transparent texel around every glyph.
  int texW = 256;
  for (const Glyph& g : font.glyphs)
    if (g.present) texW = std::max(texW, g.width + 2);
  int penX = 0, penY = 0, rowH = 0;
  for (int c = 0; c < 256; ++c) {
    const Glyph& g = font.glyphs[c];
    if (!g.present || g.width <= 0 || g.height <= 0) continue;
    if (penX + g.width + 2 > texW) {
      penX = 0;
      penY += rowH;
      rowH = 0;
    }
    ft.x[c] = penX + 1;
    ft.y[c] = penY + 1;
    penX += g.width + 2;
    rowH = std::max(rowH, g.height + 2);
  }
  const int texH = std::max(1, penY + rowH);
  if (texW > maxTextureSize_ || texH > maxTextureSize_) return nullptr;
  // Transparent white, so filtering at glyph edges fades out without darkening.
  std::vector<uint32_t> texels(static_cast<size_t>(texW) * texH, 0x00FFFFFFu);
  for (int c = 0; c < 256; ++c) {
    const Glyph& g = font.glyphs[c];
    if (!g.present || g.width <= 0 || g.height <= 0) continue;
    if (g.coverage.size() < static_cast<size_t>(g.width) * g.height) continue;
    for (int y = 0; y < g.height; ++y)
      for (int x = 0; x < g.width; ++x)
        texels[static_cast<size_t>(ft.y[c] + y) * texW + ft.x[c] + x] =
            static_cast<uint32_t>(g.coverage[static_cast<size_t>(y) * g.width + x]) << 24 |
            0x00FFFFFFu;
  }
  gl_.PixelStorei(GL_UNPACK_ALIGNMENT, 4);
  ft.texture = NewTexture(texW, texH, texels.data(), font.smooth);
  ft.textureWidth = texW;
  ft.textureHeight = texH;
  return &(fontTextures_[&font] = ft);
}

void GlRenderer::DrawImage(Image& image, float x, float y, int frame, const DrawState& state) {
  if (!context_ || frame < 0 || frame >= image.frames || image.width <= 0 || image.height <= 0)
    return;
  BatchKey key;
  if (!ClipOf(state, &key)) return;
  GlImageCopy* copy = TextureFor(image);
  if (!copy) return;
  key.texture = copy->texture;
  key.linear = image.filtered;
  key.blend = state.blend;
  const float x0 = x - image.handleX * state.scaleX;
  const float y0 = y - image.handleY * state.scaleY;
  const float x1 = x0 + image.width * state.scaleX;
  const float y1 = y0 + image.height * state.scaleY;
  const float cellX = static_cast<float>((frame % copy->columns) * (image.width + 2) + 1);
  const float cellY = static_cast<float>((frame / copy->columns) * (image.height + 2) + 1);
  const float tw = static_cast<float>(copy->textureWidth);
  const float th = static_cast<float>(copy->textureHeight);
  const uint8_t colour[4] = {static_cast<uint8_t>(Clamp255(state.r)),
                             static_cast<uint8_t>(Clamp255(state.g)),
                             static_cast<uint8_t>(Clamp255(state.b)), state.alpha};
  Begin(key);
  AddQuad(x0, y0, x1, y1, cellX / tw, cellY / th, (cellX + image.width) / tw,
          (cellY + image.height) / th, colour);
  EndCall();
}

void GlRenderer::DrawRect(float x, float y, float w, float h, const DrawState& state) {
  if (!context_) return;
  BatchKey key;
  if (!ClipOf(state, &key)) return;
  key.texture = whiteTexture_;
  key.blend = state.blend;
  const uint8_t colour[4] = {static_cast<uint8_t>(Clamp255(state.r)),
                             static_cast<uint8_t>(Clamp255(state.g)),
                             static_cast<uint8_t>(Clamp255(state.b)), state.alpha};
  Begin(key);
  AddQuad(x, y, x + w * state.scaleX, y + h * state.scaleY, 0.5f, 0.5f, 0.5f, 0.5f, colour);
  EndCall();
}

void GlRenderer::DrawOval(float x, float y, float w, float h, const DrawState& state) {
  if (!context_) return;
  BatchKey key;
  if (!ClipOf(state, &key)) return;
  key.texture = whiteTexture_;
  key.blend = state.blend;
  const uint8_t c[4] = {static_cast<uint8_t>(Clamp255(state.r)),
                        static_cast<uint8_t>(Clamp255(state.g)),
                        static_cast<uint8_t>(Clamp255(state.b)), state.alpha};
  const float rx = w * state.scaleX * 0.5f, ry = h * state.scaleY * 0.5f;
  const float cx = x + rx, cy = y + ry;
  // About two pixels of outline per segment; an even count, as every quad
  // below carries two triangles of the fan.
  const float radius = std::max(std::fabs(rx), std::fabs(ry));
  int segments = static_cast<int>(std::ceil(3.14159265f * radius));
  segments = std::clamp(segments, 16, 1024);
  segments += segments & 1;
  Begin(key);
  auto point = [&](int i, float* px, float* py) {
    const float a = 6.28318531f * static_cast<float>(i) / static_cast<float>(segments);
    *px = cx + rx * std::cos(a);
    *py = cy + ry * std::sin(a);
  };
  for (int i = 0; i < segments; i += 2) {
    if (vertices_.size() >= static_cast<size_t>(kMaxQuadsPerBatch) * 4) Flush();
    float ax, ay, bx, by, ex, ey;
    point(i, &ax, &ay);
    point(i + 1, &bx, &by);
    point(i + 2, &ex, &ey);
    // Quad (centre, a, b, e) is drawn as triangles (centre, a, b), (b, e, centre).
    vertices_.push_back({cx, cy, 0.5f, 0.5f, c[0], c[1], c[2], c[3]});
    vertices_.push_back({ax, ay, 0.5f, 0.5f, c[0], c[1], c[2], c[3]});
    vertices_.push_back({bx, by, 0.5f, 0.5f, c[0], c[1], c[2], c[3]});
    vertices_.push_back({ex, ey, 0.5f, 0.5f, c[0], c[1], c[2], c[3]});
  }
  EndCall();
}

void GlRenderer::DrawText(const std::string& text, float x, float y, const Font& font,
                          const DrawState& state) {
  if (!context_ || text.empty()) return;
  BatchKey key;
  if (!ClipOf(state, &key)) return;
  const int* atlasX;
  const int* atlasY;
  float tw, th, inset;
  Image* atlas = font.atlas.get();
  if (atlas && atlas->width > 0 && atlas->height > 0) {
    // The font's shared atlas, uploaded like any image (frame 0).
    GlImageCopy* copy = TextureFor(*atlas);
    if (!copy) return;
    key.texture = copy->texture;
    atlasX = font.atlasX;
    atlasY = font.atlasY;
    tw = static_cast<float>(copy->textureWidth);
    th = static_cast<float>(copy->textureHeight);
    inset = 1.0f;  // the border cell
  } else {
    FontTexture* ft = FontTextureFor(font);
    if (!ft) return;
    key.texture = ft->texture;
    atlasX = ft->x;
    atlasY = ft->y;
    tw = static_cast<float>(ft->textureWidth);
    th = static_cast<float>(ft->textureHeight);
    inset = 0.0f;
  }
  key.linear = font.smooth && (state.scaleX != 1.0f || state.scaleY != 1.0f);
  key.blend = state.blend;
  const uint8_t colour[4] = {static_cast<uint8_t>(Clamp255(state.r)),
                             static_cast<uint8_t>(Clamp255(state.g)),
                             static_cast<uint8_t>(Clamp255(state.b)), state.alpha};
  Begin(key);
  float pen = x;
  for (unsigned char code : text) {
    const Glyph& g = font.glyphs[code];
    if (!g.present) continue;
    if (g.width > 0 && g.height > 0) {
      const float gx = pen + g.offsetX * state.scaleX;
      const float gy = y + g.offsetY * state.scaleY;
      const float u0 = (atlasX[code] + inset) / tw, v0 = (atlasY[code] + inset) / th;
      AddQuad(gx, gy, gx + g.width * state.scaleX, gy + g.height * state.scaleY, u0, v0,
              u0 + g.width / tw, v0 + g.height / th, colour);
    }
    pen += g.advance * state.scaleX;
  }
  EndCall();
}

void GlRenderer::Present(bool waitForVerticalBlank) {
  if (!context_) return;
  Flush();
  MakeCurrent();
  int dw = 0, dh = 0;
  SDL_GL_GetDrawableSize(window_, &dw, &dh);
  if (!frameStarted_) {
    // Nothing drawn since the last present: that frame is shown again, from
    // an offscreen buffer as the window's back buffer no longer holds it.
    if (last_ == kLastInWindow) RestoreLastFrame();
    if (last_ >= 0) current_ = last_;
  } else if (direct_ && (dw != width_ || dh != height_)) {
    // The window changed size while the frame was drawn into it: draw the
    // frame again offscreen to scale it into the window.
    direct_ = false;
    current_ = last_ == 0 || last_ == 1 ? 1 - last_ : 0;
    Replay(currentLog_, current_);
  }
  const int interval = waitForVerticalBlank ? 1 : 0;
  if (interval != swapInterval_) {
    SDL_GL_SetSwapInterval(interval);  // not every driver can; then it stays
    swapInterval_ = interval;
  }
  if (direct_) {
    // The frame is in the back buffer already.
    SDL_GL_SwapWindow(window_);
    lastLog_.steps.swap(currentLog_.steps);
    lastLog_.vertices.swap(currentLog_.vertices);
    currentLog_.Reset();
    last_ = kLastInWindow;
    direct_ = false;
  } else {
    // Largest size of the frame's shape that fits; the rest is black.
    int outW = dw, outH = dh;
    if (static_cast<long long>(dw) * height_ > static_cast<long long>(dh) * width_)
      outW = static_cast<int>(static_cast<long long>(dh) * width_ / height_);
    else
      outH = static_cast<int>(static_cast<long long>(dw) * height_ / width_);
    const int outX = (dw - outW) / 2, outY = (dh - outH) / 2;
    gl_.Disable(GL_SCISSOR_TEST);
    gl_.BindFramebuffer(GL_FRAMEBUFFER, 0);
    if (outW != dw || outH != dh) {
      gl_.ClearColor(0, 0, 0, 1);
      gl_.Clear(GL_COLOR_BUFFER_BIT);
    }
    if (outW > 0 && outH > 0) {
      gl_.BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffers_[current_]);
      gl_.BlitFramebuffer(0, 0, width_, height_, outX, outY, outX + outW, outY + outH,
                          GL_COLOR_BUFFER_BIT,
                          outW == width_ && outH == height_ ? GL_NEAREST : GL_LINEAR);
    }
    SDL_GL_SwapWindow(window_);
    gl_.Enable(GL_SCISSOR_TEST);
    last_ = current_;
  }
  frameStarted_ = false;
  BindTarget();
  drawCallsLastFrame_ = drawCalls_;
  drawCalls_ = 0;
  DeleteOrphans();
}

bool GlRenderer::ReadLastFrame(std::vector<uint32_t>* pixels) {
  if (!context_ || last_ < 0 || !pixels) return false;
  Flush();
  MakeCurrent();
  if (last_ == kLastInWindow) RestoreLastFrame();
  std::vector<uint32_t> bottomUp(static_cast<size_t>(width_) * height_);
  gl_.BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffers_[last_]);
  gl_.PixelStorei(GL_PACK_ALIGNMENT, 4);
  gl_.ReadPixels(0, 0, width_, height_, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, bottomUp.data());
  BindTarget();
  pixels->resize(bottomUp.size());
  for (int y = 0; y < height_; ++y) {
    const uint32_t* src = &bottomUp[static_cast<size_t>(height_ - 1 - y) * width_];
    uint32_t* dst = pixels->data() + static_cast<size_t>(y) * width_;
    for (int x = 0; x < width_; ++x) dst[x] = src[x] | 0xFF000000u;
  }
  return gl_.GetError() == GL_NO_ERROR;
}

}  // namespace

std::unique_ptr<FrameRenderer> CreateOpenGLRenderer() {
  return std::make_unique<GlRenderer>(GlRendererOptions());
}

std::unique_ptr<FrameRenderer> CreateOpenGLRenderer(const GlRendererOptions& options) {
  return std::make_unique<GlRenderer>(options);
}
