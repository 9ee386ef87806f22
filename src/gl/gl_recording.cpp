// The recording thunks, generated from the entry lists, and the formatting of logged calls.
#include "gl/gl_recording.h"

#include <array>
#include <cassert>
#include <charconv>
#include <cstdint>
#include <stdexcept>
#include <type_traits>

#include "gl/gl_constants.h"

// The thunks, defined at file scope below, reach the recorder's insides through this.
struct GlRecorderAccess {
  static std::string& Line(GlRecorder& r) { return r.line_; }
  static void Emit(GlRecorder& r) { r.Emit(); }
  static bool Forwarding(const GlRecorder& r) {
    return r.forwarding_ == GlRecorder::Forwarding::On;
  }
  static const GlEntries& SavedGl(const GlRecorder& r) { return r.saved_gl_; }
  static const GluEntries& SavedGlu(const GlRecorder& r) { return r.saved_glu_; }
  static GlEntries& MutableSavedGl(GlRecorder& r) { return r.saved_gl_; }
};

namespace {

GlRecorder* activeRecorder = nullptr;

// One empty type per entry, so that formatting and the answers without a context can be
// given per function by overloading, while every other function takes the generic path.
namespace tag {
#define ORVANTA_DECLARE_TAG(ret, name, params, args) \
  struct name {};
ORVANTA_GL_FUNCTIONS(ORVANTA_DECLARE_TAG)
ORVANTA_GLU_FUNCTIONS(ORVANTA_DECLARE_TAG)
ORVANTA_WGL_EXTENSION_FUNCTIONS(ORVANTA_DECLARE_TAG)
#undef ORVANTA_DECLARE_TAG
}  // namespace tag

// ---- writing one line ----------------------------------------------------------------

class LineWriter {
 public:
  LineWriter(std::string& out, std::string_view name) : out_(out) {
    out_.clear();
    out_ += name;
    out_ += '(';
  }
  void Finish() { out_ += ')'; }

  template <typename T>
  void Number(T value) {
    Separate();
    AppendNumber(value);
  }
  void Text(std::string_view text) {
    Separate();
    out_ += text;
  }
  template <typename T>
  void Array(const T* values, int count) {
    Separate();
    if (values == nullptr) {
      out_ += "null";
      return;
    }
    out_ += '[';
    for (int i = 0; i < count; ++i) {
      if (i > 0) out_ += ',';
      AppendNumber(values[i]);
    }
    out_ += ']';
  }

 private:
  void Separate() {
    if (!first_) out_ += ',';
    first_ = false;
  }
  // Integers in decimal (bytes and booleans too, never as characters); floats in the
  // shortest text that reads back to the same value.
  template <typename T>
  void AppendNumber(T value) {
    std::array<char, 32> buffer;
    std::to_chars_result result;
    if constexpr (std::is_floating_point_v<T>) {
      result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    } else if constexpr (std::is_signed_v<T>) {
      result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                             static_cast<long long>(value));
    } else {
      result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                             static_cast<unsigned long long>(value));
    }
    out_.append(buffer.data(), result.ptr);
  }

  std::string& out_;
  bool first_ = true;
};

// Where an array lies changes from run to run, so the log only says whether there is one.
void AppendArrayPointer(LineWriter& w, const void* pointer) {
  w.Text(pointer != nullptr ? "array" : "null");
}

template <typename T>
inline constexpr bool kAlwaysFalse = false;

template <typename T>
void AppendArg(LineWriter& w, T value) {
  if constexpr (std::is_same_v<T, GLUquadric*>) {
    w.Text("quadric");
  } else if constexpr (std::is_same_v<T, const GLvoid*>) {
    AppendArrayPointer(w, value);  // the vertex array pointers
  } else if constexpr (std::is_arithmetic_v<T>) {
    w.Number(value);
  } else {
    static_assert(kAlwaysFalse<T>, "a pointer argument needs a formatter of its own");
  }
}

template <typename Tag, typename... Args>
void FormatArgs(Tag, LineWriter& w, Args... args) {
  (AppendArg(w, args), ...);
}

// ---- how many values a pointer argument holds --------------------------------------------

int LightValueCount(GLenum pname) {
  switch (pname) {
    case GL_AMBIENT:
    case GL_DIFFUSE:
    case GL_SPECULAR:
    case GL_POSITION:
      return 4;
    case GL_SPOT_DIRECTION:
      return 3;
    default:
      return 1;
  }
}

int MaterialValueCount(GLenum pname) {
  switch (pname) {
    case GL_AMBIENT:
    case GL_DIFFUSE:
    case GL_SPECULAR:
    case GL_EMISSION:
    case GL_AMBIENT_AND_DIFFUSE:
      return 4;
    case GL_COLOR_INDEXES:
      return 3;
    default:
      return 1;
  }
}

int FogValueCount(GLenum pname) {
  return pname == GL_FOG_COLOR ? 4 : 1;
}

// Values a glGet* query writes for pname, so that the answer without a context fills the
// caller's array exactly.
int QueryValueCount(GLenum pname) {
  switch (pname) {
    case GL_MODELVIEW_MATRIX:
    case GL_PROJECTION_MATRIX:
    case GL_TEXTURE_MATRIX:
      return 16;
    case GL_VIEWPORT:
    case GL_CURRENT_COLOR:
    case GL_CURRENT_TEXTURE_COORDS:
    case GL_COLOR_CLEAR_VALUE:
    case GL_FOG_COLOR:
    case GL_LIGHT_MODEL_AMBIENT:
      return 4;
    case GL_CURRENT_NORMAL:
      return 3;
    case GL_DEPTH_RANGE:
    case GL_POLYGON_MODE:
    case GL_MAX_VIEWPORT_DIMS:
      return 2;
    default:
      return 1;
  }
}

bool IsMatrixQuery(GLenum pname) {
  return QueryValueCount(pname) == 16;
}

int ComponentCount(GLenum format) {
  switch (format) {
    case GL_RGBA:
      return 4;
    case GL_RGB:
      return 3;
    case GL_LUMINANCE_ALPHA:
      return 2;
    case GL_COLOR_INDEX:
    case GL_STENCIL_INDEX:
    case GL_DEPTH_COMPONENT:
    case GL_RED:
    case GL_GREEN:
    case GL_BLUE:
    case GL_ALPHA:
    case GL_LUMINANCE:
      return 1;
    default:
      return 0;
  }
}

int ComponentSize(GLenum type) {
  switch (type) {
    case GL_BYTE:
    case GL_UNSIGNED_BYTE:
      return 1;
    case GL_SHORT:
    case GL_UNSIGNED_SHORT:
      return 2;
    case GL_INT:
    case GL_UNSIGNED_INT:
    case GL_FLOAT:
      return 4;
    default:
      return 0;
  }
}

// ---- pixel data ---------------------------------------------------------------------------

constexpr std::uint64_t kMaxListedBytes = 64;
// Larger than any texture a GL accepts; such an upload is refused before GL reads a byte,
// so the log must not read it either.
constexpr GLint kMaxPixelDimension = 65536;

std::uint64_t Fnv1a64(const unsigned char* bytes, std::uint64_t count) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (std::uint64_t i = 0; i < count; ++i) {
    hash ^= bytes[i];
    hash *= 0x100000001b3ull;
  }
  return hash;
}

std::string HexDigits(std::uint64_t value) {
  std::string hex(16, '0');
  for (int i = 15; i >= 0; --i, value >>= 4) hex[i] = "0123456789abcdef"[value & 0xF];
  return hex;
}

// The pixels of an upload, read tightly packed (rows back to back), as the program's
// images are stored.
void AppendPixels(LineWriter& w, GLint width, GLint height, GLenum format, GLenum type,
                  const void* pixels) {
  if (pixels == nullptr) return w.Text("null");
  const int pixelSize = ComponentCount(format) * ComponentSize(type);
  if (pixelSize == 0) return w.Text("[unknown layout]");
  if (width < 0 || height < 0 || width > kMaxPixelDimension || height > kMaxPixelDimension) {
    return w.Text("[bad size]");
  }
  const std::uint64_t count = std::uint64_t(width) * std::uint64_t(height) * pixelSize;
  const auto* bytes = static_cast<const unsigned char*>(pixels);
  if (count <= kMaxListedBytes) return w.Array(bytes, static_cast<int>(count));
  w.Text("[" + std::to_string(count) + " bytes fnv1a=" + HexDigits(Fnv1a64(bytes, count)) + "]");
}

// ---- vertex arrays ------------------------------------------------------------------------

constexpr GLsizei kMaxListedIndices = 64;

template <typename Index>
void AppendIndexValues(LineWriter& w, const void* indices, GLsizei count) {
  const auto* values = static_cast<const Index*>(indices);
  if (count <= kMaxListedIndices) return w.Array(values, count);
  const std::uint64_t bytes = std::uint64_t(count) * sizeof(Index);
  w.Text("[" + std::to_string(count) + " indices fnv1a=" +
         HexDigits(Fnv1a64(static_cast<const unsigned char*>(indices), bytes)) + "]");
}

// The indices of a draw: listed when there are few, otherwise their count and a hash of
// their bytes, which tells one mesh from another.
void AppendIndices(LineWriter& w, GLsizei count, GLenum type, const void* indices) {
  if (indices == nullptr) return w.Text("null");
  if (count < 0) return w.Text("[bad count]");
  switch (type) {
    case GL_UNSIGNED_BYTE:
      return AppendIndexValues<std::uint8_t>(w, indices, count);
    case GL_UNSIGNED_SHORT:
      return AppendIndexValues<std::uint16_t>(w, indices, count);
    case GL_UNSIGNED_INT:
      return AppendIndexValues<std::uint32_t>(w, indices, count);
    default:
      return w.Text("[unknown layout]");
  }
}

// ---- formatters for functions with pointer arguments ----------------------------------------

void FormatArgs(tag::glFogfv, LineWriter& w, GLenum pname, const GLfloat* params) {
  w.Number(pname);
  w.Array(params, FogValueCount(pname));
}

void FormatArgs(tag::glLightfv, LineWriter& w, GLenum light, GLenum pname, const GLfloat* params) {
  w.Number(light);
  w.Number(pname);
  w.Array(params, LightValueCount(pname));
}

void FormatArgs(tag::glMaterialfv, LineWriter& w, GLenum face, GLenum pname,
                const GLfloat* params) {
  w.Number(face);
  w.Number(pname);
  w.Array(params, MaterialValueCount(pname));
}

void FormatArgs(tag::glDrawElements, LineWriter& w, GLenum mode, GLsizei count, GLenum type,
                const GLvoid* indices) {
  w.Number(mode);
  w.Number(count);
  w.Number(type);
  AppendIndices(w, count, type, indices);
}

void FormatArgs(tag::glGenTextures, LineWriter& w, GLsizei n, GLuint*) {
  w.Number(n);
}

void FormatArgs(tag::glTexImage2D, LineWriter& w, GLenum target, GLint level, GLint internalformat,
                GLsizei width, GLsizei height, GLint border, GLenum format, GLenum type,
                const GLvoid* pixels) {
  for (GLint value : {GLint(target), level, internalformat, width, height, border}) {
    w.Number(value);
  }
  w.Number(format);
  w.Number(type);
  AppendPixels(w, width, height, format, type, pixels);
}

void FormatArgs(tag::gluBuild2DMipmaps, LineWriter& w, GLenum target, GLint components, GLint width,
                GLint height, GLenum format, GLenum type, const void* data) {
  w.Number(target);
  w.Number(components);
  w.Number(width);
  w.Number(height);
  w.Number(format);
  w.Number(type);
  AppendPixels(w, width, height, format, type, data);
}

void FormatArgs(tag::glReadPixels, LineWriter& w, GLint x, GLint y, GLsizei width, GLsizei height,
                GLenum format, GLenum type, GLvoid*) {
  for (GLint value : {x, y, width, height}) w.Number(value);
  w.Number(format);
  w.Number(type);
}

// Queries log what is asked, not the array they write into.
template <typename T>
void FormatQuery(LineWriter& w, std::initializer_list<GLint> asked, T*) {
  for (GLint value : asked) w.Number(value);
}
void FormatArgs(tag::glGetBooleanv, LineWriter& w, GLenum pname, GLboolean* p) {
  FormatQuery(w, {GLint(pname)}, p);
}
void FormatArgs(tag::glGetIntegerv, LineWriter& w, GLenum pname, GLint* p) {
  FormatQuery(w, {GLint(pname)}, p);
}
void FormatArgs(tag::glGetFloatv, LineWriter& w, GLenum pname, GLfloat* p) {
  FormatQuery(w, {GLint(pname)}, p);
}
void FormatArgs(tag::glGetDoublev, LineWriter& w, GLenum pname, GLdouble* p) {
  FormatQuery(w, {GLint(pname)}, p);
}
void FormatArgs(tag::glGetLightfv, LineWriter& w, GLenum light, GLenum pname, GLfloat* p) {
  FormatQuery(w, {GLint(light), GLint(pname)}, p);
}
void FormatArgs(tag::glGetTexEnviv, LineWriter& w, GLenum target, GLenum pname, GLint* p) {
  FormatQuery(w, {GLint(target), GLint(pname)}, p);
}
void FormatArgs(tag::glGetTexParameteriv, LineWriter& w, GLenum target, GLenum pname, GLint* p) {
  FormatQuery(w, {GLint(target), GLint(pname)}, p);
}
void FormatArgs(tag::glGetTexLevelParameteriv, LineWriter& w, GLenum target, GLint level,
                GLenum pname, GLint* p) {
  FormatQuery(w, {GLint(target), level, GLint(pname)}, p);
}

// ---- answers without a context ------------------------------------------------------------

GLUquadric* DummyQuadric() {
  alignas(16) static unsigned char storage[16];
  return reinterpret_cast<GLUquadric*>(storage);
}

// Nothing sensible can be done with the dummy quadric by a real GLU.
template <typename T>
bool Forwardable(const T& value) {
  if constexpr (std::is_same_v<T, GLUquadric*>) return value != DummyQuadric();
  return true;
}
template <typename... Args>
bool CanForward(const Args&... args) {
  return (Forwardable(args) && ...);
}

// The generic answer: the zero of the return type.
struct ZeroAnswer {};

template <typename Tag, typename... Args>
ZeroAnswer Answer(Tag, Args...) {
  return {};
}

template <typename T>
void FillZeros(T* values, int count) {
  if (values == nullptr) return;
  for (int i = 0; i < count; ++i) values[i] = T(0);
}

template <typename T>
void FillQuery(GLenum pname, T* values) {
  FillZeros(values, QueryValueCount(pname));
  if (values == nullptr || !IsMatrixQuery(pname)) return;
  for (int i = 0; i < 16; i += 5) values[i] = T(1);
}

GLUquadric* Answer(tag::gluNewQuadric) {
  return DummyQuadric();
}

const GLubyte* Answer(tag::gluErrorString, GLenum) {
  static const GLubyte empty[1] = {0};
  return empty;
}

ZeroAnswer Answer(tag::glGenTextures, GLsizei n, GLuint* textures) {
  if (textures == nullptr) return {};
  for (GLsizei i = 0; i < n; ++i) textures[i] = GLuint(i + 1);
  return {};
}

ZeroAnswer Answer(tag::glGetBooleanv, GLenum pname, GLboolean* p) {
  FillQuery(pname, p);
  return {};
}
ZeroAnswer Answer(tag::glGetIntegerv, GLenum pname, GLint* p) {
  FillQuery(pname, p);
  return {};
}
ZeroAnswer Answer(tag::glGetFloatv, GLenum pname, GLfloat* p) {
  FillQuery(pname, p);
  return {};
}
ZeroAnswer Answer(tag::glGetDoublev, GLenum pname, GLdouble* p) {
  FillQuery(pname, p);
  return {};
}
ZeroAnswer Answer(tag::glGetLightfv, GLenum, GLenum pname, GLfloat* p) {
  FillZeros(p, LightValueCount(pname));
  return {};
}
ZeroAnswer Answer(tag::glGetTexEnviv, GLenum, GLenum pname, GLint* p) {
  FillZeros(p, pname == GL_TEXTURE_ENV_COLOR ? 4 : 1);
  return {};
}
ZeroAnswer Answer(tag::glGetTexParameteriv, GLenum, GLenum pname, GLint* p) {
  FillZeros(p, pname == GL_TEXTURE_BORDER_COLOR ? 4 : 1);
  return {};
}
ZeroAnswer Answer(tag::glGetTexLevelParameteriv, GLenum, GLint, GLenum, GLint* p) {
  FillZeros(p, 1);
  return {};
}

template <typename Ret, typename Value>
Ret AnswerAs(Value value) {
  if constexpr (std::is_void_v<Ret>) {
    return;
  } else if constexpr (std::is_same_v<Value, ZeroAnswer>) {
    return Ret(0);
  } else {
    return value;
  }
}

GlRecorder& Active() {
  assert(activeRecorder != nullptr && "a recording thunk was called after its recorder stopped");
  return *activeRecorder;
}

// ---- the thunks -------------------------------------------------------------------------

#define ORVANTA_WITH_COMMA(...) __VA_OPT__(, ) __VA_ARGS__

#define ORVANTA_DEFINE_THUNK(table, ret, name, params, args)                             \
  ret ORVANTA_GLAPI Record_##name params {                                               \
    GlRecorder& recorder = Active();                                                     \
    LineWriter writer(GlRecorderAccess::Line(recorder), #name);                          \
    FormatArgs(tag::name{}, writer ORVANTA_WITH_COMMA args);                             \
    writer.Finish();                                                                     \
    GlRecorderAccess::Emit(recorder);                                                    \
    const auto saved = GlRecorderAccess::table(recorder).name;                           \
    if (GlRecorderAccess::Forwarding(recorder) && saved != nullptr && CanForward args) { \
      return saved args;                                                                 \
    }                                                                                    \
    return AnswerAs<ret>(Answer(tag::name {} ORVANTA_WITH_COMMA args));                  \
  }

#define ORVANTA_DEFINE_GL_THUNK(ret, name, params, args) \
  ORVANTA_DEFINE_THUNK(SavedGl, ret, name, params, args)
#define ORVANTA_DEFINE_GLU_THUNK(ret, name, params, args) \
  ORVANTA_DEFINE_THUNK(SavedGlu, ret, name, params, args)

ORVANTA_GL_FUNCTIONS(ORVANTA_DEFINE_GL_THUNK)
ORVANTA_GLU_FUNCTIONS(ORVANTA_DEFINE_GLU_THUNK)
ORVANTA_WGL_EXTENSION_FUNCTIONS(ORVANTA_DEFINE_GL_THUNK)

#undef ORVANTA_DEFINE_GL_THUNK
#undef ORVANTA_DEFINE_GLU_THUNK
#undef ORVANTA_DEFINE_THUNK

int ORVANTA_GLAPI RecordChoosePixelFormat(void* dc, const void* pfd) {
  GlRecorder& recorder = Active();
  LineWriter writer(GlRecorderAccess::Line(recorder), "ChoosePixelFormat");
  writer.Text("dc");
  writer.Text("pfd");
  writer.Finish();
  GlRecorderAccess::Emit(recorder);
  const auto saved = GlRecorderAccess::SavedGl(recorder).ChoosePixelFormat;
  if (GlRecorderAccess::Forwarding(recorder) && saved != nullptr) return saved(dc, pfd);
  return 1;  // the first pixel format: a success, so that window set-up can go on
}

// An extension function found through the recorder is handed out as its recording thunk, with
// the real function saved behind it, so that calls through it are logged and forwarded like
// every other entry's; a function without an entry of its own is handed out as found.
void* RecordedExtension(GlRecorder& recorder, std::string_view name, void* found) {
#define ORVANTA_WRAP_EXTENSION(ret, fn, params, args)                                         \
  if (name == #fn) {                                                                          \
    GlRecorderAccess::MutableSavedGl(recorder).fn = reinterpret_cast<decltype(GL.fn)>(found); \
    return reinterpret_cast<void*>(&Record_##fn);                                             \
  }
  ORVANTA_WGL_EXTENSION_FUNCTIONS(ORVANTA_WRAP_EXTENSION)
#undef ORVANTA_WRAP_EXTENSION
  return found;
}

void* ORVANTA_GLAPI RecordWglGetProcAddress(const char* name) {
  GlRecorder& recorder = Active();
  LineWriter writer(GlRecorderAccess::Line(recorder), "wglGetProcAddress");
  writer.Text(name != nullptr ? name : "null");
  writer.Finish();
  GlRecorderAccess::Emit(recorder);
  const auto saved = GlRecorderAccess::SavedGl(recorder).wglGetProcAddress;
  if (!GlRecorderAccess::Forwarding(recorder) || saved == nullptr || name == nullptr) {
    return nullptr;  // no such function: what a WGL without the extension answers
  }
  void* found = saved(name);
  return found != nullptr ? RecordedExtension(recorder, name, found) : nullptr;
}

void InstallThunks() {
#define ORVANTA_INSTALL_GL(ret, name, params, args) GL.name = &Record_##name;
#define ORVANTA_INSTALL_GLU(ret, name, params, args) GLu.name = &Record_##name;
  ORVANTA_GL_FUNCTIONS(ORVANTA_INSTALL_GL)
  ORVANTA_GLU_FUNCTIONS(ORVANTA_INSTALL_GLU)
  ORVANTA_WGL_EXTENSION_FUNCTIONS(ORVANTA_INSTALL_GL)
#undef ORVANTA_INSTALL_GL
#undef ORVANTA_INSTALL_GLU
  GL.ChoosePixelFormat = &RecordChoosePixelFormat;
  // Null means there is no WGL at all, which callers look at; a thunk would hide it.
  if (GL.wglGetProcAddress != nullptr) GL.wglGetProcAddress = &RecordWglGetProcAddress;
}

}  // namespace

GlRecorder::GlRecorder(Forwarding forwarding) : forwarding_(forwarding) {}

GlRecorder::~GlRecorder() {
  Stop();
}

void GlRecorder::Start() {
  if (recording_) return;
  if (activeRecorder != nullptr) throw std::logic_error("Another GL recorder is already running");
  saved_gl_ = GL;
  saved_glu_ = GLu;
  activeRecorder = this;
  recording_ = true;
  InstallThunks();
}

void GlRecorder::Stop() {
  if (!recording_) return;
  GL = saved_gl_;
  GLu = saved_glu_;
  activeRecorder = nullptr;
  recording_ = false;
}

bool GlRecorder::IsRecording() const {
  return recording_;
}

void GlRecorder::Mark(std::string_view line) {
  line_.assign(line);
  Emit();
}

std::vector<std::string> GlRecorder::TakeLines() {
  std::vector<std::string> taken;
  taken.swap(lines_);
  return taken;
}

void GlRecorder::Emit() {
  if (sink_) {
    sink_(line_);
  } else {
    lines_.push_back(line_);
  }
}
